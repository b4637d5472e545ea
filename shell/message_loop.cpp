#include "message_loop.h"

#include "macro_keys.h"
#include "main_form.h"
#include "win32_dialogs.h"

namespace quillon {

namespace {
// An Alt+key that ran a command never reaches the default window handling,
// which would then take the Alt key's release for a lone Alt and put the menu
// bar into keyboard mode, so that the next typed key went to the menu.
bool altKeyRanACommand = false;
}  // namespace

bool TranslateProgramMessage(THtmlScrivoForm& form, MSG& msg) {
    if (msg.message == WM_SYSKEYUP && msg.wParam == VK_MENU && altKeyRanACommand) {
        altKeyRanACommand = false;
        return true;
    }
    if (msg.message == WM_KEYDOWN || (msg.message == WM_SYSKEYDOWN && msg.wParam == VK_MENU))
        altKeyRanACommand = false;
    if (IsModelessDialogMessage(msg)) return true;
    HWND frame = form.Frame();
    if (TranslateMDISysAccel(form.DocumentArea(), &msg)) return true;
    // While a macro key waits for its letter, Ctrl+B is that letter, not Bold.
    HACCEL accelerators = form.Accelerators();
    const bool ran = accelerators && SharedMacroKeyState() == MacroKeyState::Idle &&
                     TranslateAcceleratorW(frame, accelerators, &msg);
    if (ran && msg.message == WM_SYSKEYDOWN) altKeyRanACommand = true;
    return ran;
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
