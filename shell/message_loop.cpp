#include "message_loop.h"

#include "macro_keys.h"
#include "main_form.h"
#include "win32_dialogs.h"

namespace quillon {

int RunMessageLoop(THtmlScrivoForm& form) {
    HWND frame = form.Frame();
    HWND client = form.DocumentArea();
    HACCEL accelerators = form.Accelerators();
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsModelessDialogMessage(msg)) continue;
        // While a macro key waits for its letter, Ctrl+B is that letter, not Bold.
        const bool menuKeys = accelerators && SharedMacroKeyState() == MacroKeyState::Idle;
        if (IsWindow(frame) && (TranslateMDISysAccel(client, &msg) ||
                                (menuKeys && TranslateAcceleratorW(frame, accelerators, &msg))))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace quillon
