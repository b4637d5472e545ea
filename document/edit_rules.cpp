#include "edit_rules.h"

#include "text_case.h"

namespace quillon {

std::wstring NameWithoutFolder(std::wstring_view path) {
    const size_t slash = path.find_last_of(L"\\/");
    return std::wstring(slash == std::wstring_view::npos ? path : path.substr(slash + 1));
}

std::wstring FolderOf(std::wstring_view path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring_view::npos ? std::wstring() : std::wstring(path.substr(0, slash));
}

std::wstring BackupName(std::wstring_view fileName) {
    const size_t slash = fileName.find_last_of(L"\\/");
    const size_t nameStart = slash == std::wstring_view::npos ? 0 : slash + 1;
    const size_t dot = fileName.find_last_of(L'.');
    std::wstring backup(fileName);
    if (dot == std::wstring_view::npos || dot < nameStart) return backup + L".~";
    backup.insert(dot + 1, L"~");
    return backup;
}

void EnterRecentFile(RecentFiles& files, const RecentFileEntry& entry) {
    size_t found = kRecentFileCount - 1;
    const std::wstring lowered = LowerText(entry.FileName);
    for (size_t i = 0; i < kRecentFileCount; ++i) {
        if (LowerText(files[i].FileName) == lowered) {
            found = i;
            break;
        }
    }
    for (size_t i = found; i > 0; --i) files[i] = files[i - 1];
    files[0] = entry;
}

}  // namespace quillon
