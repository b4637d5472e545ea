// The macro picker (Ctrl+J): a list of the user's macros that opens at the
// caret of a document window; Enter or a double click inserts the chosen one,
// Esc or Tab gives the focus back, and losing the focus closes it. While it is
// open the status bar shows two panels: the macro and its key.
#pragma once

#include <windows.h>

namespace quillon {

class TEditForm;

void ShowMacroPicker(TEditForm& document, HWND statusWindow);
// Closes the picker that is open, if any (the main window's menu opened).
void CloseMacroPicker();
// The list box of the open picker, or null.
HWND OpenMacroPickerList();

}  // namespace quillon
