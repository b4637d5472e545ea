// Document kinds by extension: the portable part of the Filebox library.
//
// Names and lists are narrow strings in the system code page, as they cross
// the library's exports.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::filebox {

// The library's string ids.
enum StringId {
    kOpenFilter = 1,
    kOpenTitle = 2,
    kSaveFilter = 3,
    kSaveTitle = 4,
    kTagExtensions = 5,
    kBrowsableExtensions = 6,
    kNoWrapExtensions = 7,
    kSaveFilterExtensions = 8,
    kDocumentKinds = 9,
};

// Resource texts are read into buffers of this many characters (terminator included).
inline constexpr size_t kListBufferChars = 1024;
// At most this many entries are kept of an extension list.
inline constexpr size_t kMaxListEntries = 50;

// Splits a "|"-separated list that ends with "|" into its entries, as the
// library keeps it: the text cut to 1023 characters, at most 50 entries.
std::vector<std::string> SplitList(std::string_view list);

// The text after the last full stop of the part after the last backslash;
// nullopt when that part has no full stop.
std::optional<std::string> ExtensionOf(std::string_view fileName);

struct ExtensionTable {
    std::vector<std::string> browsable;   // list 6
    std::vector<std::string> tagCommands; // list 5
    std::vector<std::string> noWrap;      // list 7
    std::vector<std::string> saveFilter;  // list 8
};

struct FileKind {
    bool tagCommands = true;
    bool browsable = false;
};

FileKind FileParamsFor(std::string_view fileName, const ExtensionTable& table);
bool DefWordWrapFor(std::string_view fileName, const ExtensionTable& table);
int DefaultFilterFor(std::string_view fileName, const ExtensionTable& table);

// What the open dialog left in its buffer: one full name, or a folder followed
// by names, NUL-separated, ended by a double NUL. `buffer` is read up to its
// first double NUL or its end, whichever comes first.
struct OpenFilesList {
    std::string list;    // the new content of the file buffer (without its NUL)
    std::string folder;  // the new content of the folder buffer (without its NUL)
    bool folderFits = true;
    size_t dropped = 0;  // names left out because the list would not fit
};

// Builds the list of full names, each ended by a carriage return (or the single
// full name alone), so that list plus its NUL fits in bufferSize bytes: names
// that would not fit are left out whole, from the first one that does not fit.
// A folder that would not fit in folderSize bytes with its NUL is reported by
// folderFits = false and must not be written.
OpenFilesList BuildOpenFilesList(std::string_view buffer, size_t bufferSize, size_t folderSize);

// The folder of a full name: cut at its last backslash (nothing when there is none).
std::string FolderOfName(std::string_view fullName);

}  // namespace quillon::filebox
