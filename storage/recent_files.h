// The ten recent files of File > "Открыть снова", newest first.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace quillon {

struct RecentFileEntry {
    std::wstring FileName;
    bool ReadOnly = false;
    int Position = 0;  // selection start
    bool WordWrap = true;
    std::uint32_t Coding = 0;  // "DosText": 0 Windows, 1 DOS, 2-4 the UTF codings (text_coding.h)
};

inline constexpr size_t kRecentFileCount = 10;
using RecentFiles = std::array<RecentFileEntry, kRecentFileCount>;

// Puts the entry first: an entry of the same name (compared without regard to
// case) is taken out of its place, otherwise the last entry drops off.
void EnterRecentFile(RecentFiles& files, const RecentFileEntry& entry);

}  // namespace quillon
