#include "file_menu_rules.h"

#include "file_names.h"

namespace quillon {

std::vector<DocumentKind> ParseDocumentKinds(std::wstring_view list) {
    std::vector<std::wstring> fields;
    size_t start = 0;
    for (size_t bar; (bar = list.find(L'|', start)) != std::wstring_view::npos; start = bar + 1)
        fields.emplace_back(list.substr(start, bar - start));
    std::vector<DocumentKind> kinds;
    for (size_t i = 0; i + 3 <= fields.size(); i += 3) kinds.push_back({fields[i], fields[i + 1], fields[i + 2]});
    return kinds;
}

std::vector<std::pair<int, std::wstring>> RecentMenuItems(const RecentFiles& recent) {
    std::vector<std::pair<int, std::wstring>> items;
    for (size_t k = 0; k < kRecentFileCount; ++k) {
        const std::wstring& name = recent[k].FileName;
        if (name.empty()) {
            if (k == 0) items.emplace_back(0, kEmptyRecentCaption);
            continue;
        }
        items.emplace_back(static_cast<int>(k), NameWithoutFolder(name));
    }
    return items;
}

}  // namespace quillon
