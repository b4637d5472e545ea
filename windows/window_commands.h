// The Window menu's commands on the document area: cascade, tile, arrange
// icons, previous and next window, selecting window n, and the window list
// dialog "Выбор окна".
#pragma once

#include <windows.h>

#include "edit_host.h"
#include "window_list.h"

namespace quillon {

enum class WindowArrangement { Cascade, TileSideBySide, TileAbove, ArrangeIcons, Previous, Next };
void ArrangeDocuments(HWND documentArea, WindowArrangement arrangement);

// Window n of the list activated (a minimized one restored); nothing for a number past the list.
void WindowSelect(HWND documentArea, const WindowList& windows, int n);

struct WindowListDialogHost {
    HWND owner;
    HWND documentArea;
    const WindowList* windows;
    EditHost* host;  // the status line's hint and the active window's activation
};

// The dialog: OK or a double click activates the chosen window (a minimized
// one stays minimized), "Удалить" closes it after its save question, closing
// the last one closes the dialog.
void ShowWindowListDialog(const WindowListDialogHost& dialog);

inline constexpr int kWindowsListId = 101;
inline constexpr int kWindowDeleteId = 102;

}  // namespace quillon
