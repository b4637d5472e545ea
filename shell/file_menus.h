// File > "Создать" (the document kinds, Ctrl+N for the first) and
// File > "Открыть снова" (the recent files): their items and hints.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "file_menu_rules.h"

namespace quillon {

inline constexpr UINT kFirstKindId = 3000;    // document kinds of File > New, tag k
inline constexpr UINT kFirstRecentId = 4000;  // File1Item..File10Item, tag k

class FileMenus {
public:
    // Fills the kinds submenu from Filebox's list; the first kind is the default.
    // The kinds into File > New and into the New button's drop-down (when given).
    void BuildKinds(HMENU createMenu, HMENU newPopup = nullptr);
    void RefreshRecent(HMENU reopenMenu, const RecentFiles& recent) const;

    const std::vector<DocumentKind>& Kinds() const { return kinds_; }
    // The kind or recent entry an item id stands for.
    std::optional<size_t> KindOf(UINT id) const;
    static std::optional<size_t> RecentOf(UINT id);
    // The long hint of a kind or recent-file item; nothing for other ids.
    std::optional<std::wstring> HintOf(UINT id, const RecentFiles& recent) const;

private:
    std::vector<DocumentKind> kinds_;
};

}  // namespace quillon
