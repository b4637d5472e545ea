// A document's text between the Windows and the DOS code page.
#pragma once

#include <string>
#include <string_view>

#include "editor_control.h"

namespace quillon {

// The text re-read in the other code page. A document that is DOS text goes
// back to the file's own bytes shown as they are; any other has the bytes it
// shows read as DOS text. Characters without a counterpart change for good; the
// conversion stops at the first zero character, as the system's does.
std::wstring ConvertCoding(std::wstring_view text, bool dosText);

// Replaces the editor's text by its conversion and keeps the caret. The undo
// history goes with it (undoing one half of a coding switch would leave text
// and coding out of step); a change leaves the editor modified. Returns whether
// the text changed.
bool ToggleCodingText(EditorControl& editor, bool dosText);

}  // namespace quillon
