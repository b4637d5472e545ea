// Everything the editor keeps between runs, under one registry key of the
// current user. Each routine opens the key afresh and closes it again. Readers
// never report: anything missing, short or of another type gives the default.
// Writers show their one message on failure and the program goes on.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "recent_files.h"
#include "editor_options.h"
#include "registry.h"

namespace quillon::storage {

inline constexpr wchar_t kRootKey[] = L"\\Software\\Brindle\\Quillon";

// Message ids of the writers.
enum StoreMessage {
    kStrSaveDocumentStateFailed = 118,
    kStrSaveRecentFilesFailed = 120,
    kStrSaveOptionsFailed = 123,
    kStrSaveDialogStateFailed = 124,
    kStrSaveFontFailed = 145,
    kStrSaveMacrosFailed = 126,
    kStrSaveDesktopFailed = 122,
    kStrSaveCoolBarFailed = 121,
    kStrSaveTemplatesFailed = 119,
};

struct ScreenRect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    bool Intersects(const ScreenRect& other) const {
        return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
    }
};

// "Position": the main window's normal rectangle and its state (0 normal, 2 maximized).
struct Placement {
    ScreenRect rect;
    std::int32_t state = 0;
};

// Valid only when the stored rectangle meets the work area; nullopt means "open maximized".
std::optional<Placement> LoadPlacement(Registry& registry, const ScreenRect& workArea);
void SavePlacement(Registry& registry, const Placement& placement);  // fails silently

// "Window State" of document windows; 2 (maximized) when missing.
int LoadDocumentState(Registry& registry);
bool SaveDocumentState(Registry& registry, int state);

EditorOptions LoadOptions(Registry& registry);  // font not included
bool SaveOptions(Registry& registry, const EditorOptions& options);

// "FileboxDlg": 528 bytes, packed.
#pragma pack(push, 1)
struct FileboxDialogState {
    std::int32_t openFilter = 1;
    std::array<char, 260> openFolder{};
    std::int32_t saveFilter = 1;
    std::array<char, 260> saveFolder{};
};
#pragma pack(pop)
static_assert(sizeof(FileboxDialogState) == 528);

// Missing root: zeros with both filter indexes 1 (the record's initial state);
// a missing or damaged value: the same.
FileboxDialogState LoadDialogState(Registry& registry);
bool SaveDialogState(Registry& registry, const FileboxDialogState& state);

// "FontName" and "FontSize" into options; any failure gives an empty name and size 0.
void LoadFont(Registry& registry, EditorOptions& options);
bool SaveFont(Registry& registry, const EditorOptions& options);

// The ten entries of "\MRU\File0".."\MRU\File9". defaultWordWrap gives an
// entry's word wrap when one of its values cannot be read.
RecentFiles LoadRecentFiles(Registry& registry, const std::function<bool(const std::wstring&)>& defaultWordWrap);
bool SaveRecentFiles(Registry& registry, const RecentFiles& files);

// "SortMethod", "Macros" and "MacrosModified" as stored; the macro subsystem
// reads the stream. Each is missing when its value is missing or of another type.
struct MacroValues {
    std::optional<std::uint32_t> sortMethod;
    std::optional<std::string> macros;  // the macro set stream
    std::optional<bool> modified;
};
MacroValues LoadMacroValues(Registry& registry);
// Stores the stream, then the sort method and the flag; 126 on failure.
bool SaveMacroValues(Registry& registry, std::string_view macros, std::uint32_t sortMethod, bool modified);

// "Desktop": the desktop stream as stored; nothing when it is missing or not binary.
std::optional<std::string> LoadDesktop(Registry& registry);
// Stores the stream; 122 on failure.
bool SaveDesktop(Registry& registry, std::string_view stream);

// "Template": the template list as stored; nothing when missing or not binary.
std::optional<std::string> LoadTemplateValue(Registry& registry);
bool SaveTemplateValue(Registry& registry, std::string_view stream);  // 119 on failure

// "\CoolBars": one binary value per band, named by the band's ID in decimal.
// Nothing for a missing value or one of another type.
std::optional<Bytes> LoadBandValue(Registry& registry, int band);
// The values in the order given (the bands' order in the bar); the first
// failure shows 121 and stops.
bool SaveBandValues(Registry& registry, const std::vector<std::pair<int, Bytes>>& values);

}  // namespace quillon::storage
