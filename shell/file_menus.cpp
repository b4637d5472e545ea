#include "file_menus.h"

#include "codepage.h"
#include "filebox_api.h"
#include "prompts.h"
#include "text_format.h"

namespace quillon {

namespace {
constexpr int kStrOpenRecent = 135;
}

void FileMenus::BuildKinds(HMENU createMenu, HMENU newPopup) {
    char buffer[4096] = {};
    GetNewFileIDs(buffer, sizeof buffer);
    kinds_ = ParseDocumentKinds(BytesToText(buffer, CodePage::Ansi));
    for (size_t k = 0; k < kinds_.size(); ++k) {
        std::wstring caption = kinds_[k].Name;
        if (k == 0) caption += L"\tCtrl+N";
        AppendMenuW(createMenu, MF_STRING, kFirstKindId + k, caption.c_str());
        if (newPopup) AppendMenuW(newPopup, MF_STRING, kFirstKindId + k, kinds_[k].Name.c_str());
    }
    if (kinds_.empty()) return;
    SetMenuDefaultItem(createMenu, kFirstKindId, FALSE);
    if (newPopup) SetMenuDefaultItem(newPopup, kFirstKindId, FALSE);
}

void FileMenus::RefreshRecent(HMENU reopenMenu, const RecentFiles& recent) const {
    if (!reopenMenu) return;
    while (GetMenuItemCount(reopenMenu) > 0) DeleteMenu(reopenMenu, 0, MF_BYPOSITION);
    for (const auto& [k, caption] : RecentMenuItems(recent)) {
        const bool empty = recent[static_cast<size_t>(k)].FileName.empty();
        AppendMenuW(reopenMenu, MF_STRING | (empty ? MF_GRAYED : 0), kFirstRecentId + static_cast<UINT>(k), caption.c_str());
    }
}

std::optional<size_t> FileMenus::KindOf(UINT id) const {
    if (id >= kFirstKindId && id < kFirstKindId + kinds_.size()) return id - kFirstKindId;
    return std::nullopt;
}

std::optional<size_t> FileMenus::RecentOf(UINT id) {
    if (id >= kFirstRecentId && id < kFirstRecentId + kRecentFileCount) return id - kFirstRecentId;
    return std::nullopt;
}

std::optional<std::wstring> FileMenus::HintOf(UINT id, const RecentFiles& recent) const {
    if (const auto kind = KindOf(id)) return kinds_[*kind].Description;
    if (const auto k = RecentOf(id)) {
        const std::wstring& name = recent[*k].FileName;
        return name.empty() ? std::wstring(kEmptyRecentHint) : FormatText(ResourceString(kStrOpenRecent), {name});
    }
    return std::nullopt;
}

}  // namespace quillon
