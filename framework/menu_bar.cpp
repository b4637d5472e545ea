#include "menu_bar.h"

#include "key_chord.h"

namespace quillon {

namespace {
bool AddAccelerator(std::vector<ACCEL>& keys, std::wstring_view text, UINT id) {
    KeyChord chord;
    if (!ParseKey(text, chord)) return false;
    BYTE flags = FVIRTKEY;
    if (chord.ctrl) flags |= FCONTROL;
    if (chord.shift) flags |= FSHIFT;
    if (chord.alt) flags |= FALT;
    keys.push_back({flags, static_cast<WORD>(chord.virtualKey), static_cast<WORD>(id)});
    return true;
}

std::wstring CaptionWithKey(const MenuBarItem& item) {
    std::wstring caption(item.caption);
    if (!item.key.empty()) caption += L"\t" + std::wstring(item.key);
    if (!item.shownKey.empty()) caption += L"\t" + std::wstring(item.shownKey);
    return caption;
}
}  // namespace

void MenuBar::Build(HWND window, const std::vector<std::wstring_view>& popupCaptions,
                    const std::vector<MenuBarItem>& items, UINT firstId, const std::vector<ExtraKey>& extraKeys) {
    window_ = window;
    firstId_ = firstId;
    rows_ = items.size();
    menu_ = CreateMenu();
    for (const std::wstring_view caption : popupCaptions) {
        HMENU popup = CreatePopupMenu();
        popups_.push_back(popup);
        AppendMenuW(menu_, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), std::wstring(caption).c_str());
    }
    std::vector<ACCEL> keys;
    for (size_t row = 0; row < items.size(); ++row) {
        const MenuBarItem& item = items[row];
        const UINT id = firstId + static_cast<UINT>(row);
        if (!Has(item.flags, MenuItemFlags::Submenu)) AddAccelerator(keys, item.key, id);
        if (Has(item.flags, MenuItemFlags::Hidden)) continue;
        HMENU popup = Popup(item.popup);
        const std::wstring caption = CaptionWithKey(item);
        if (Has(item.flags, MenuItemFlags::Submenu)) {
            HMENU sub = CreatePopupMenu();
            AppendMenuW(popup, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub), caption.c_str());
            submenus_.emplace(std::wstring(item.name), sub);
        } else {
            AppendMenuW(popup, MF_STRING | (Has(item.flags, MenuItemFlags::Disabled) ? MF_GRAYED : 0), id, caption.c_str());
            MENUITEMINFOW info{sizeof info, MIIM_DATA};
            info.dwItemData = item.tag;
            SetMenuItemInfoW(popup, id, FALSE, &info);
            itemIds_.emplace(std::wstring(item.name), id);
        }
        if (Has(item.flags, MenuItemFlags::SeparatorAfter)) AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
    }
    for (const ExtraKey& extra : extraKeys) AddAccelerator(keys, extra.key, extra.id);
    SetMenu(window, menu_);
    accelerators_ = AcceleratorTable(keys);
}

HMENU MenuBar::Popup(int index) const {
    return index >= 0 && index < static_cast<int>(popups_.size()) ? popups_[static_cast<size_t>(index)] : nullptr;
}

HMENU MenuBar::Submenu(std::wstring_view name) const {
    auto it = submenus_.find(name);
    return it == submenus_.end() ? nullptr : it->second;
}

UINT MenuBar::ItemId(std::wstring_view name) const {
    auto it = itemIds_.find(name);
    return it == itemIds_.end() ? 0 : it->second;
}

int MenuBar::RowOfId(UINT id) const {
    return id >= firstId_ && id < firstId_ + rows_ ? static_cast<int>(id - firstId_) : -1;
}

std::optional<ULONG_PTR> MenuBar::TagOf(UINT id) const {
    MENUITEMINFOW info{sizeof info, MIIM_DATA};
    if (!GetMenuItemInfoW(menu_, id, FALSE, &info)) return std::nullopt;
    return info.dwItemData;
}

void MenuBar::SetEnabled(std::wstring_view name, bool enabled) {
    if (const UINT id = ItemId(name)) EnableMenuItem(menu_, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void MenuBar::SetChecked(std::wstring_view name, bool checked) {
    if (const UINT id = ItemId(name)) CheckMenuItem(menu_, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void MenuBar::SetPopupEnabled(int index, bool enabled) {
    HMENU popup = Popup(index);
    if (!popup) return;
    const UINT state = enabled ? MF_ENABLED : MF_GRAYED;
    for (int i = 0; i < GetMenuItemCount(popup); ++i) EnableMenuItem(popup, static_cast<UINT>(i), MF_BYPOSITION | state);
    for (int i = 0; i < GetMenuItemCount(menu_); ++i)
        if (GetSubMenu(menu_, i) == popup) EnableMenuItem(menu_, static_cast<UINT>(i), MF_BYPOSITION | state);
    DrawMenuBar(window_);
}

}  // namespace quillon
