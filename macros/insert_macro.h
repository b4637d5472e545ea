// Inserting a macro's text at the caret: autoindent, line feeds dropped, the
// first "|" marks where the caret goes and the first "^" where the selected
// text goes. One replacement of the selection: one undo step.
#pragma once

#include <string_view>

#include "editor_control.h"
#include "macro_model.h"

namespace quillon {

// The text as the editor shows it (CR line breaks), the macro's flag for autoindent.
void InsertMacroText(EditorControl& editor, std::wstring_view text, bool autoindent);

// Inserts the macro and tells its set that it was used.
void InsertMacro(const TMacrosItem& macro, EditorControl& editor);

}  // namespace quillon
