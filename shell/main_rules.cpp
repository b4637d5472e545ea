#include "main_rules.h"

namespace quillon {

std::vector<std::wstring> SplitFileList(std::wstring_view text) {
    std::vector<std::wstring> names;
    std::wstring line;
    for (const wchar_t ch : text) {
        if (ch == L'\r' || ch == L'\n') {
            if (!line.empty()) names.push_back(std::move(line));
            line.clear();
        } else {
            line.push_back(ch);
        }
    }
    if (!line.empty()) names.push_back(std::move(line));
    return names;
}

DocumentWindowState StateForNewWindows(std::optional<int> storedWindowState) {
    if (storedWindowState && *storedWindowState >= 0 && *storedWindowState <= 2)
        return static_cast<DocumentWindowState>(*storedWindowState);
    return DocumentWindowState::Maximized;
}

}  // namespace quillon
