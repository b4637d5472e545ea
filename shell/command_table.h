// The main menu as one table: every item's component name, caption, key and
// command number. The menu bar, the accelerators and the dispatcher are all
// built from it, so that each command is listed once.
#pragma once

#include <string_view>
#include <vector>

namespace quillon {

// Command numbers (the low 16 bits of a menu item's or button's tag).
enum Command : int {
    kCmdFormatFirst = 0,
    kCmdFormatLast = 10,
    kCmdNew = 100,
    kCmdOpen = 101,
    kCmdSave = 102,
    kCmdSaveAs = 103,
    kCmdShowInBrowser = 104,
    kCmdSaveAll = 105,
    kCmdPrinterSetup = 107,
    kCmdPrint = 108,
    kCmdExit = 109,
    kCmdUndo = 130,
    kCmdCut = 131,
    kCmdCopy = 132,
    kCmdPaste = 133,
    kCmdDelete = 134,
    kCmdRedo = 135,
    kCmdSelectAll = 136,
    kCmdFind = 137,
    kCmdFindNext = 138,
    kCmdReplace = 139,
    kCmdIndent = 140,
    kCmdUnindent = 141,
    kCmdReadOnly = 142,
    kCmdGoTo = 143,
    kCmdWindowFirst = 200,
    kCmdWindowLast = 207,
    kCmdCloseAll = 204,
    kCmdTemplateEditor = 220,
    kCmdHtmlExtension = 221,
    kCmdAutoindent = 222,
    kCmdMacroEditor = 223,
    kCmdSmartTab = 224,
    kCmdWordSelect = 225,
    kCmdBackups = 226,
    kCmdCase = 227,
    kCmdFullNames = 250,
    kCmdWordWrap = 251,
    kCmdCoding = 252,
    kCmdFont = 253,
    kCmdAbout = 350,
};

inline constexpr int kNoCommand = -1;

enum class TopMenu { File, Edit, View, Format, Tools, Window, Help };

struct MenuEntry {
    TopMenu menu;
    std::wstring_view name;     // component name: "SaveItem"
    std::wstring_view caption;  // with its "&" accelerator letter
    std::wstring_view key;      // "Ctrl+Shift+Z", "F2", or empty
    int command;                // kNoCommand for a submenu
    bool submenu = false;
    bool hidden = false;
    bool disabled = false;      // disabled in the form
    bool separatorAfter = false;
};

struct TopMenuEntry {
    TopMenu menu;
    std::wstring_view name;
    std::wstring_view caption;
};

const std::vector<TopMenuEntry>& TopMenus();
const std::vector<MenuEntry>& MenuEntries();
// The entry of a component name, or null.
const MenuEntry* FindMenuEntry(std::wstring_view name);

struct KeyChord {
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
    int virtualKey = 0;  // 'A'..'Z', '0'..'9', or F1..F12 as 0x70..0x7B
};

// Parses "Ctrl+Shift+Z", "F2", "Ctrl+Alt+T"; nothing for an empty or unknown text.
bool ParseKey(std::wstring_view text, KeyChord& chord);

}  // namespace quillon
