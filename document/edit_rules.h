// Rules of the document window that need no window: backup names and the
// recent-files list.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace quillon {

// The name without its folder, and the folder without a final backslash ("" when none).
std::wstring NameWithoutFolder(std::wstring_view path);
std::wstring FolderOf(std::wstring_view path);

// The backup copy's name: a "~" right after the last dot of the file's own name
// (index.html -> index.~html, a.b.txt -> a.b.~txt); ".~" appended when the name
// has no dot (Makefile -> Makefile.~). A dot in the folder part does not count.
std::wstring BackupName(std::wstring_view fileName);

struct RecentFileEntry {
    std::wstring FileName;
    bool ReadOnly = false;
    int Position = 0;  // selection start
    bool WordWrap = true;
    bool DosText = false;
};

inline constexpr size_t kRecentFileCount = 10;
using RecentFiles = std::array<RecentFileEntry, kRecentFileCount>;

// Puts the entry first: an entry of the same name (compared without regard to
// case) is taken out of its place, otherwise the last entry drops off.
void EnterRecentFile(RecentFiles& files, const RecentFileEntry& entry);

}  // namespace quillon
