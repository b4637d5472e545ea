// A path's parts: the name without its folder, the folder without its name.
#pragma once

#include <string>
#include <string_view>

namespace quillon {

// The name without its folder, and the folder without a final backslash ("" when none).
std::wstring NameWithoutFolder(std::wstring_view path);
std::wstring FolderOf(std::wstring_view path);

}  // namespace quillon
