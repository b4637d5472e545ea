#include "edit_rules.h"

namespace quillon {

std::wstring BackupName(std::wstring_view fileName) {
    const size_t slash = fileName.find_last_of(L"\\/");
    const size_t nameStart = slash == std::wstring_view::npos ? 0 : slash + 1;
    const size_t dot = fileName.find_last_of(L'.');
    std::wstring backup(fileName);
    if (dot == std::wstring_view::npos || dot < nameStart) return backup + L".~";
    backup.insert(dot + 1, L"~");
    return backup;
}

bool IsOurProgram(std::wstring_view executable) {
    std::wstring name = NameWithoutFolder(executable);
    while (!name.empty() && (name.back() == L'"' || name.back() == L' ')) name.pop_back();
    for (wchar_t& c : name)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    return name == L"scrivo.exe" || name == L"relay.exe" || name == L"scrivo" || name == L"relay";
}

BrowserRoute ChooseBrowserRoute(std::wstring_view webExecutable, std::wstring_view fileExecutable) {
    if (!webExecutable.empty() && !IsOurProgram(webExecutable)) return BrowserRoute::WebBrowser;
    if (!fileExecutable.empty() && !IsOurProgram(fileExecutable)) return BrowserRoute::FileAssociation;
    return BrowserRoute::None;
}

}  // namespace quillon
