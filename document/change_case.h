// Changing the case of a selection: the five modes of the case dialog.
#pragma once

#include <string>
#include <string_view>

#include "editor_control.h"

namespace quillon {

enum class CaseMode : int {
    BeginLineWithCapitals = 0,
    AllLower = 1,
    AllUpper = 2,
    BeginWithCapitals = 3,  // every word
    ChangeCase = 4,         // invert
};

std::wstring ChangeCaseText(std::wstring_view text, CaseMode mode);
// Replaces the selection by its changed text (one undo step); nothing when the
// selection is empty or nothing changes.
void ChangeCase(EditorControl& editor, CaseMode mode);

}  // namespace quillon
