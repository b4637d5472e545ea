#include "recent_files.h"

#include "text_case.h"

namespace quillon {

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
