// How a menu table's row appears on its menu.
#pragma once

namespace quillon {

enum class MenuItemFlags : unsigned {
    None = 0,
    Submenu = 1,         // the row is a submenu filled elsewhere
    Hidden = 2,          // not on the menu; its key and command still work
    Disabled = 4,        // disabled in the form
    SeparatorAfter = 8,
};
constexpr MenuItemFlags operator|(MenuItemFlags a, MenuItemFlags b) {
    return static_cast<MenuItemFlags>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
constexpr bool Has(MenuItemFlags flags, MenuItemFlags flag) {
    return (static_cast<unsigned>(flags) & static_cast<unsigned>(flag)) != 0;
}

}  // namespace quillon
