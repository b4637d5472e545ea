#include "file_names.h"

namespace quillon {

std::wstring NameWithoutFolder(std::wstring_view path) {
    const size_t slash = path.find_last_of(L"\\/");
    return std::wstring(slash == std::wstring_view::npos ? path : path.substr(slash + 1));
}

std::wstring FolderOf(std::wstring_view path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring_view::npos ? std::wstring() : std::wstring(path.substr(0, slash));
}

}  // namespace quillon
