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

}  // namespace quillon
