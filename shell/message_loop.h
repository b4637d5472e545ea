// The message loop of the user-interface thread: modeless dialogs, the MDI
// system keys and the menu's accelerators before the windows.
#pragma once

#include <windows.h>

namespace quillon {

class THtmlScrivoForm;

// What the loop does with a message before it is dispatched: modeless
// dialogs, the MDI system keys and the menu's keys. True when it was handled.
bool TranslateProgramMessage(THtmlScrivoForm& form, MSG& msg);

// Runs until the program quits; returns the exit code.
int RunMessageLoop(THtmlScrivoForm& form);

}  // namespace quillon
