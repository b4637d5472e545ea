#include "message_loop.h"

#include "macro_keys.h"
#include "main_form.h"
#include "win32_dialogs.h"

namespace quillon {

bool TranslateProgramMessage(THtmlScrivoForm& form, MSG& msg) {
    if (IsModelessDialogMessage(msg)) return true;
    HWND frame = form.Frame();
    if (TranslateMDISysAccel(form.DocumentArea(), &msg)) return true;
    // While a macro key waits for its letter, Ctrl+B is that letter, not Bold.
    HACCEL accelerators = form.Accelerators();
    return accelerators && SharedMacroKeyState() == MacroKeyState::Idle &&
           TranslateAcceleratorW(frame, accelerators, &msg);
}

int RunMessageLoop(THtmlScrivoForm& form) {
    // The form goes with its window: asked only while the window is there.
    HWND frame = form.Frame();
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsWindow(frame) ? TranslateProgramMessage(form, msg) : IsModelessDialogMessage(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace quillon
