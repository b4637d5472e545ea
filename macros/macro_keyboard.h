// The macro keys of the document windows (Ctrl+K / Ctrl+Q and a letter,
// Ctrl+M, Ctrl+J), the formatting commands' insertion, and the confirmations
// they leave in the last status panel for a while.
#pragma once

#include <windows.h>

#include "edit_host.h"
#include "macro_model.h"

namespace quillon {

enum MacroStrings {
    kStrMacroWaiting = 142,    // "Ожидание %s-макроса"
    kStrMacroInserted = 143,   // "Вставлен макрос %s"
    kStrMacroMissing = 144,    // "Maкрос Ctrl+%s, %s отсутствует"
    kStrFormatMacrosFailed = 165,
};

class MacroKeyboard final : public DocumentKeyHook {
public:
    // statusWindow answers the delayed messages of the last panel (the main window).
    explicit MacroKeyboard(HWND statusWindow) : statusWindow_(statusWindow) {}
    bool FormKeyDown(TEditForm& document, int key, bool ctrl, bool shift, bool alt) override;
    void FormKeysLost(TEditForm& document) override;

private:
    void InsertWithMessage(TEditForm& document, const TMacrosItem& macro);
    HWND statusWindow_;
};

// Formatting command n (0-10): entry n of the built-in set around the
// selection of a document of a tag-editing kind that is not read-only.
void InsertToolbarMacro(TEditForm& document, int n, HWND statusWindow);

// The formatting set from the program's RCDATA 1; message 165 when it cannot be read whole.
void LoadFormatMacros(HINSTANCE instance, HWND owner);

}  // namespace quillon
