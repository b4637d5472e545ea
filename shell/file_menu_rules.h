// The file menus' contents that need no window: the document kinds of
// File > "Создать" from Filebox's "|" list, and the recent-files items.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "recent_files.h"

namespace quillon {

struct DocumentKind {
    std::wstring Name, Extension, Description;
};

// "name|ext|description|" groups; an incomplete group at the end is left out.
std::vector<DocumentKind> ParseDocumentKinds(std::wstring_view list);

inline constexpr wchar_t kEmptyRecentCaption[] = L"(Пусто)";
inline constexpr wchar_t kEmptyRecentHint[] = L"Нет ни одного файла в списке";

// The recent-files menu as shown: (entry index, caption) of each visible item.
// While the list is empty the first item stays as "(Пусто)".
std::vector<std::pair<int, std::wstring>> RecentMenuItems(const RecentFiles& recent);

}  // namespace quillon
