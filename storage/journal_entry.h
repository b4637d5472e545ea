// One entry of the recovery journal: a document with unsaved changes, whole,
// with what is needed to reopen it as it was.
//
// Layout, integers 32-bit little-endian, text UTF-16 little endian:
//   "QLNJ", version 1,
//   flags (1 the document has a file, 2 word wrap, 4 read-only),
//   coding (the stored number of text_coding.h), line breaks (0 CR LF, 1 LF, 2 CR),
//   caret, window number,
//   name length in UTF-16 units, the name,
//   text length in UTF-16 units, the text (CR as line break),
//   a check sum (FNV-1a) of every byte before it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text_coding.h"

namespace quillon {

struct JournalEntry {
    std::wstring name;      // the file's full name, or the untitled name with its extension
    bool hasFile = false;   // titled: the name is a file's
    bool wordWrap = true;
    bool readOnly = false;
    TextCoding coding = TextCoding::Windows;
    LineBreak lineBreak = LineBreak::CrLf;
    std::int32_t caret = 0;
    std::int32_t windowNumber = 0;  // place in the window list, for the order of reopening
    std::wstring text;
};

std::string EncodeJournalEntry(const JournalEntry& entry);

// The same bytes made a part at a time, for a text held in pieces: Head (the
// entry's text itself left out, its length given), the bytes of each piece in
// order, then Tail with the check sum of them all.
class JournalEntryEncoder {
public:
    std::string Head(const JournalEntry& entry, size_t textLength);
    std::string Piece(std::wstring_view piece);
    std::string Tail();

private:
    std::uint32_t hash_ = 2166136261u;
};
// Nothing when the bytes are not a whole entry of this layout: cut, damaged
// (the check sum), foreign, or holding more than the layout allows.
std::optional<JournalEntry> DecodeJournalEntry(std::string_view bytes);

// What a start does with the journal's entries after the desktop came back: an
// entry whose file a window shows already goes into that window; the others
// open windows of their own, in the order of their window numbers. Untitled
// names stay, and the untitled counter moves past every one of them.
struct JournalRestoreStep {
    size_t entry = 0;         // index into the entries
    int existingWindow = -1;  // index into the open names, or -1 for a new window
};
struct JournalRestorePlan {
    std::vector<JournalRestoreStep> steps;
    int untitledCounter = 0;
};
JournalRestorePlan PlanJournalRestore(const std::vector<JournalEntry>& entries, const std::vector<std::wstring>& openNames,
                                      std::wstring_view untitledPrefix, int untitledCounter);

// The number of an untitled name ("Безымянный 3.html" -> 3), or nothing.
std::optional<int> UntitledNumber(std::wstring_view name, std::wstring_view prefix);

}  // namespace quillon
