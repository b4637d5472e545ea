// TCaseDialog "Регистр": how the letters of the selection are to change.
#pragma once

#include <windows.h>

#include "change_case.h"

namespace quillon {

// The radio buttons' ids: the first plus the mode.
inline constexpr int kCaseButtonFirstId = 110;

// Shows the dialog ("в&се строчные" checked; the first mode disabled under word
// wrap); true and the chosen mode on OK.
bool ExecuteCaseDialog(HWND owner, bool wordWrap, CaseMode& mode);

}  // namespace quillon
