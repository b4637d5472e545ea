#include "storage.h"

#include <cstring>

#include "prompts.h"

namespace quillon::storage {

namespace {

std::wstring MruKey(int index) { return std::wstring(kRootKey) + L"\\MRU\\File" + std::to_wstring(index); }

bool Report(int stringId) {
    ShowPrompt({stringId, {}, L"", PromptIcon::Error, PromptButtons::Ok});
    return false;
}

// A flag: any nonzero integer reads as on; nullopt when missing or not an integer.
std::optional<bool> ReadFlag(const RegistryKey& key, const wchar_t* name) {
    const auto value = key.ReadDword(name);
    if (!value) return std::nullopt;
    return *value != 0;
}

Bytes ToBytes(const void* data, size_t size) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    return Bytes(bytes, bytes + size);
}

}  // namespace

std::optional<Placement> LoadPlacement(Registry& registry, const ScreenRect& workArea) {
    auto key = registry.Open(RegistryRoot::CurrentUser, kRootKey);
    if (!key) return std::nullopt;
    const auto bytes = key->ReadBinary(L"Position");
    if (!bytes || bytes->size() != 20) return std::nullopt;
    Placement placement;
    std::memcpy(&placement.rect, bytes->data(), 16);
    std::memcpy(&placement.state, bytes->data() + 16, 4);
    if (!placement.rect.Intersects(workArea)) return std::nullopt;
    return placement;
}

void SavePlacement(Registry& registry, const Placement& placement) {
    auto key = registry.Create(RegistryRoot::CurrentUser, kRootKey);
    if (!key) return;
    Bytes bytes = ToBytes(&placement.rect, 16);
    const Bytes state = ToBytes(&placement.state, 4);
    bytes.insert(bytes.end(), state.begin(), state.end());
    key->WriteBinary(L"Position", bytes);
}

int LoadDocumentState(Registry& registry) {
    auto key = registry.Open(RegistryRoot::CurrentUser, kRootKey);
    const auto value = key ? key->ReadDword(L"Window State") : std::nullopt;
    return value ? static_cast<int>(*value) : 2;
}

bool SaveDocumentState(Registry& registry, int state) {
    auto key = registry.Create(RegistryRoot::CurrentUser, kRootKey);
    if (!key || !key->WriteDword(L"Window State", static_cast<std::uint32_t>(state)))
        return Report(kStrSaveDocumentStateFailed);
    return true;
}

EditorOptions LoadOptions(Registry& registry) {
    EditorOptions options;
    auto key = registry.Open(RegistryRoot::CurrentUser, kRootKey);
    if (!key) return options;
    options.FullNames = ReadFlag(*key, L"FullNames").value_or(options.FullNames);
    options.Autoindent = ReadFlag(*key, L"Autoindent").value_or(options.Autoindent);
    options.SmartTab = ReadFlag(*key, L"SmartTab").value_or(options.SmartTab);
    options.WordSelect = ReadFlag(*key, L"WordSelect").value_or(options.WordSelect);
    options.BackupCopies = ReadFlag(*key, L"BackupCopies").value_or(options.BackupCopies);
    options.HtmlExt = true;  // stored at exit, never read back
    return options;
}

bool SaveOptions(Registry& registry, const EditorOptions& options) {
    auto key = registry.Create(RegistryRoot::CurrentUser, kRootKey);
    if (!key) return Report(kStrSaveOptionsFailed);
    const std::pair<const wchar_t*, bool> flags[] = {
        {L"FullNames", options.FullNames},   {L"HTMLExt", options.HtmlExt},     {L"Autoindent", options.Autoindent},
        {L"SmartTab", options.SmartTab},     {L"WordSelect", options.WordSelect}, {L"BackupCopies", options.BackupCopies},
    };
    for (const auto& [name, value] : flags)
        if (!key->WriteDword(name, value ? 1 : 0)) return Report(kStrSaveOptionsFailed);
    return true;
}

FileboxDialogState LoadDialogState(Registry& registry) {
    FileboxDialogState state;
    auto key = registry.Open(RegistryRoot::CurrentUser, kRootKey);
    if (!key) return state;
    const auto bytes = key->ReadBinary(L"FileboxDlg");
    if (!bytes || bytes->size() != sizeof state) return state;
    std::memcpy(&state, bytes->data(), sizeof state);
    // The folders are C strings to the dialogs: keep them terminated whatever was stored.
    state.openFolder.back() = '\0';
    state.saveFolder.back() = '\0';
    return state;
}

bool SaveDialogState(Registry& registry, const FileboxDialogState& state) {
    auto key = registry.Create(RegistryRoot::CurrentUser, kRootKey);
    if (!key || !key->WriteBinary(L"FileboxDlg", ToBytes(&state, sizeof state)))
        return Report(kStrSaveDialogStateFailed);
    return true;
}

void LoadFont(Registry& registry, EditorOptions& options) {
    options.FontName.clear();
    options.FontSize = 0;
    auto key = registry.Open(RegistryRoot::CurrentUser, kRootKey);
    if (!key) return;
    const auto name = key->ReadString(L"FontName");
    const auto size = key->ReadDword(L"FontSize");
    if (!name || !size) return;
    options.FontName = *name;
    options.FontSize = static_cast<int>(*size);
}

bool SaveFont(Registry& registry, const EditorOptions& options) {
    auto key = registry.Create(RegistryRoot::CurrentUser, kRootKey);
    if (!key || !key->WriteString(L"FontName", options.FontName) ||
        !key->WriteDword(L"FontSize", static_cast<std::uint32_t>(options.FontSize)))
        return Report(kStrSaveFontFailed);
    return true;
}

namespace {

// Reads one entry; a value that cannot be read gives the fallbacks, keeping the name read so far.
RecentFileEntry ReadEntry(const RegistryKey& key, const std::function<bool(const std::wstring&)>& defaultWordWrap) {
    RecentFileEntry entry;
    const auto name = key.ReadString(L"FileName");
    if (name) entry.FileName = *name;
    const auto readOnly = ReadFlag(key, L"ReadOnly");
    const auto position = key.ReadDword(L"Position");
    const auto wordWrap = ReadFlag(key, L"WordWrap");
    const auto coding = key.ReadDword(L"DosText");
    if (name && readOnly && position && wordWrap && coding) {
        entry.ReadOnly = *readOnly;
        entry.Position = static_cast<int>(*position);
        entry.WordWrap = *wordWrap;
        entry.Coding = *coding;
    } else {
        entry.ReadOnly = false;
        entry.Position = 0;
        entry.WordWrap = defaultWordWrap ? defaultWordWrap(entry.FileName) : true;
        entry.Coding = 0;
    }
    return entry;
}

}  // namespace

RecentFiles LoadRecentFiles(Registry& registry, const std::function<bool(const std::wstring&)>& defaultWordWrap) {
    RecentFiles files{};
    auto first = registry.Open(RegistryRoot::CurrentUser, MruKey(0));
    if (!first) return files;
    files[0] = ReadEntry(*first, defaultWordWrap);
    if (files[0].FileName.empty()) return files;
    for (int i = 1; i < static_cast<int>(kRecentFileCount); ++i) {
        auto key = registry.Open(RegistryRoot::CurrentUser, MruKey(i));
        if (!key) continue;  // skipped: the entry keeps its defaults
        RecentFileEntry entry = ReadEntry(*key, defaultWordWrap);
        if (entry.FileName.empty()) break;
        files[static_cast<size_t>(i)] = entry;
    }
    return files;
}

bool SaveRecentFiles(Registry& registry, const RecentFiles& files) {
    for (int i = 0; i < static_cast<int>(kRecentFileCount); ++i) {
        const RecentFileEntry& entry = files[static_cast<size_t>(i)];
        auto key = registry.Create(RegistryRoot::CurrentUser, MruKey(i));
        if (!key || !key->WriteString(L"FileName", entry.FileName) ||
            !key->WriteDword(L"ReadOnly", entry.ReadOnly ? 1 : 0) ||
            !key->WriteDword(L"Position", static_cast<std::uint32_t>(entry.Position)) ||
            !key->WriteDword(L"WordWrap", entry.WordWrap ? 1 : 0) || !key->WriteDword(L"DosText", entry.Coding))
            return Report(kStrSaveRecentFilesFailed);
    }
    return true;
}

MacroValues LoadMacroValues(Registry& registry) {
    MacroValues values;
    auto key = registry.Open(RegistryRoot::CurrentUser, kRootKey);
    if (!key) return values;
    values.sortMethod = key->ReadDword(L"SortMethod");
    if (const auto bytes = key->ReadBinary(L"Macros"); bytes && !bytes->empty())
        values.macros = std::string(bytes->begin(), bytes->end());
    values.modified = ReadFlag(*key, L"MacrosModified");
    return values;
}

bool SaveMacroValues(Registry& registry, std::string_view macros, std::uint32_t sortMethod, bool modified) {
    auto key = registry.Create(RegistryRoot::CurrentUser, kRootKey);
    if (!key || !key->WriteBinary(L"Macros", Bytes(macros.begin(), macros.end())) ||
        !key->WriteDword(L"SortMethod", sortMethod) || !key->WriteDword(L"MacrosModified", modified ? 1 : 0))
        return Report(kStrSaveMacrosFailed);
    return true;
}

namespace {

// A stream stored whole as one binary value of the program's key.
std::optional<std::string> LoadStream(Registry& registry, const wchar_t* name) {
    auto key = registry.Open(RegistryRoot::CurrentUser, kRootKey);
    if (!key) return std::nullopt;
    const auto bytes = key->ReadBinary(name);
    if (!bytes) return std::nullopt;
    return std::string(bytes->begin(), bytes->end());
}

// The stream stored; the message when the key or the write fails.
bool SaveStream(Registry& registry, const wchar_t* name, std::string_view stream, int failureMessage) {
    auto key = registry.Create(RegistryRoot::CurrentUser, kRootKey);
    if (!key || !key->WriteBinary(name, Bytes(stream.begin(), stream.end()))) return Report(failureMessage);
    return true;
}

}  // namespace

std::optional<std::string> LoadDesktop(Registry& registry) { return LoadStream(registry, L"Desktop"); }

bool SaveDesktop(Registry& registry, std::string_view stream) {
    return SaveStream(registry, L"Desktop", stream, kStrSaveDesktopFailed);
}

std::optional<std::string> LoadTemplateValue(Registry& registry) { return LoadStream(registry, L"Template"); }

bool SaveTemplateValue(Registry& registry, std::string_view stream) {
    return SaveStream(registry, L"Template", stream, kStrSaveTemplatesFailed);
}

namespace {
const std::wstring kCoolBarsKey = std::wstring(kRootKey) + L"\\CoolBars";
}

std::optional<Bytes> LoadBandValue(Registry& registry, int band) {
    auto key = registry.Open(RegistryRoot::CurrentUser, kCoolBarsKey);
    return key ? key->ReadBinary(std::to_wstring(band)) : std::nullopt;
}

bool SaveBandValues(Registry& registry, const std::vector<std::pair<int, Bytes>>& values) {
    auto key = registry.Create(RegistryRoot::CurrentUser, kCoolBarsKey);
    if (!key) return Report(kStrSaveCoolBarFailed);
    for (const auto& [band, bytes] : values)
        if (!key->WriteBinary(std::to_wstring(band), bytes)) return Report(kStrSaveCoolBarFailed);
    return true;
}

}  // namespace quillon::storage
