// TAboutBox "О программе": the program's icon, name, version with its release
// date (read from the program's own version resource) and the maker's notice.
#pragma once

#include <windows.h>

#include <string>

namespace quillon {

inline constexpr int kAboutProductId = 301;
inline constexpr int kAboutVersionId = 302;
inline constexpr int kAboutNoticeId = 303;
inline constexpr int kAboutIconId = 304;

// "Версия 1.0.0 от 10.12.2026" from the version resource of the module.
std::wstring VersionLine(HMODULE module);
void ShowAboutBox(HWND owner);

}  // namespace quillon
