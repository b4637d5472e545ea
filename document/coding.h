// A document's text between the Windows and the DOS code page.
#pragma once

#include <string>
#include <string_view>

#include "editor_control.h"

namespace quillon {

// The text read in the other code page: its bytes in the code page it is shown
// in (DOS when dosText, else Windows), read back in the other one. Every
// character of either page comes back after two switches; a character the
// first page lacks becomes '?'. The conversion stops at the first zero
// character, as the system's does.
std::wstring ConvertCoding(std::wstring_view text, bool dosText);

// Replaces the editor's text by its conversion and keeps the caret. The undo
// history goes with it (undoing one half of a coding switch would leave text
// and coding out of step); a change leaves the editor modified. Returns whether
// the text changed.
bool ToggleCodingText(EditorControl& editor, bool dosText);

// Replaces the editor's text by what the code page makes of it (every character
// it lacks becomes '?'), in the same way; whether the text changed.
bool FitTextToPage(EditorControl& editor, CodePage page);

}  // namespace quillon
