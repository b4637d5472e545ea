// The main menu as one table: every item's component name, caption, key,
// command number, hint and the subsystem that runs it. The menu bar, the
// accelerators, the dispatcher and the document's context menu are all built
// from it, so that each command is listed once.
#pragma once

#include <string_view>
#include <vector>

#include "document_verbs.h"
#include "menu_flags.h"

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
    kCmdCascade = 200,
    kCmdTileSideBySide = 201,
    kCmdTileAbove = 202,
    kCmdArrangeIcons = 203,
    kCmdCloseAll = 204,
    kCmdPreviousWindow = 205,
    kCmdNextWindow = 206,
    kCmdWindowList = 207,
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
    kCmdUtf8 = 254,
    kCmdAbout = 350,
};

inline constexpr int kNoCommand = -1;

enum class TopMenu { File, Edit, View, Format, Tools, Window, Help };

// The subsystem that runs a command; the main window's handler only finds the
// row and hands the command over.
enum class Subsystem { Shell, Document, Windows, Macros, Templates, Toolbars };

// Who the sender's tag goes to: the command handler, or the window selection
// of the hidden Window1Item ... Window10Item (tags 0-9, like the formatting
// commands, so a tag alone does not tell them apart).
enum class Handler { MenuItemSelect, WindowSelect };

struct MenuEntry {
    TopMenu menu;
    std::wstring_view name;     // component name: "SaveItem"
    std::wstring_view caption;  // with its "&" accelerator letter
    std::wstring_view key;      // "Ctrl+Shift+Z", "F2", or empty
    int command;                // kNoCommand for a submenu
    Subsystem owner = Subsystem::Shell;
    DocumentVerb verb = DocumentVerb::None;  // what a document command asks of the active window
    MenuItemFlags flags = MenuItemFlags::None;
    std::wstring_view hint = {};  // the long hint the status line shows
    Handler handler = Handler::MenuItemSelect;
};

struct TopMenuEntry {
    TopMenu menu;
    std::wstring_view name;
    std::wstring_view caption;
    std::wstring_view hint;  // shown while the menu's title is highlighted
};

const std::vector<TopMenuEntry>& TopMenus();
const std::vector<MenuEntry>& MenuEntries();
// Commands that reach the dispatcher from a button or another window's menu
// rather than from an item of the menu bar.
const std::vector<MenuEntry>& CommandsWithoutItems();
// The entry of a component name, or of a command number; null when there is none.
const MenuEntry* FindMenuEntry(std::wstring_view name);
const MenuEntry* FindCommand(int command);

// The document window's context menu: component names of the menu's rows, an
// empty name for a separator.
const std::vector<std::wstring_view>& ContextMenuNames();

}  // namespace quillon
