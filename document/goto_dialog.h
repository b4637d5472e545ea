// TGoToDialog "Перейти к": asks for the line to put the caret on.
#pragma once

#include <windows.h>

namespace quillon {

inline constexpr int kLineEditId = 101;

// Shows the dialog with initialLine in LineEdit; the accepted line number
// (1..maxLine), or 0 when cancelled.
int ShowGoToDialog(HWND owner, int maxLine, int initialLine);

}  // namespace quillon
