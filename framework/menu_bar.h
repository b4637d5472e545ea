// A window's menu bar built from a table: top menus, items with their keys,
// submenus and separators; the accelerator table of the items' keys; enabling
// and checking items by component name. An item's id is the first id plus its
// row in the table, and the item carries its tag beside the id.
#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "menu_flags.h"

namespace quillon {

struct MenuBarItem {
    int popup = 0;               // index of its top menu
    std::wstring_view name;      // component name
    std::wstring_view caption;
    std::wstring_view key;       // an accelerator, or empty
    std::wstring_view shownKey;  // shown beside the caption without an accelerator ("Del")
    ULONG_PTR tag = 0;
    MenuItemFlags flags = MenuItemFlags::None;
};

// An accelerator table destroyed with its owner.
class AcceleratorTable {
public:
    AcceleratorTable() = default;
    explicit AcceleratorTable(const std::vector<ACCEL>& keys)
        : table_(keys.empty() ? nullptr : CreateAcceleratorTableW(const_cast<ACCEL*>(keys.data()), static_cast<int>(keys.size()))) {}
    ~AcceleratorTable() { if (table_) DestroyAcceleratorTable(table_); }
    AcceleratorTable(const AcceleratorTable&) = delete;
    AcceleratorTable& operator=(const AcceleratorTable&) = delete;
    AcceleratorTable& operator=(AcceleratorTable&& other) noexcept {
        std::swap(table_, other.table_);
        return *this;
    }
    HACCEL Handle() const { return table_; }

private:
    HACCEL table_ = nullptr;
};

class MenuBar {
public:
    struct ExtraKey {
        std::wstring_view key;
        UINT id;
    };
    // Builds the menu bar and sets it on the window; the table's rows are kept
    // by reference and must outlive the bar.
    void Build(HWND window, const std::vector<std::wstring_view>& popupCaptions, const std::vector<MenuBarItem>& items,
               UINT firstId, const std::vector<ExtraKey>& extraKeys = {});

    HMENU Handle() const { return menu_; }
    HACCEL Accelerators() const { return accelerators_.Handle(); }
    HMENU Popup(int index) const;
    HMENU Submenu(std::wstring_view name) const;
    // The item id of a component name (0 when it has none).
    UINT ItemId(std::wstring_view name) const;
    // The row of an item id, or -1.
    int RowOfId(UINT id) const;
    // The tag an item on the menu carries; nothing for an id with no item there.
    std::optional<ULONG_PTR> TagOf(UINT id) const;

    void SetEnabled(std::wstring_view name, bool enabled);
    void SetChecked(std::wstring_view name, bool checked);
    // Every item of a top menu, and the top menu itself on the bar, found by
    // its submenu (a maximized MDI child puts its own menu in front).
    void SetPopupEnabled(int index, bool enabled);

private:
    HWND window_ = nullptr;
    HMENU menu_ = nullptr;
    std::vector<HMENU> popups_;
    std::map<std::wstring, HMENU, std::less<>> submenus_;
    std::map<std::wstring, UINT, std::less<>> itemIds_;
    UINT firstId_ = 0;
    size_t rows_ = 0;
    AcceleratorTable accelerators_;
};

}  // namespace quillon
