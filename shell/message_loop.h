// The message loop of the user-interface thread: modeless dialogs, the MDI
// system keys and the menu's accelerators before the windows.
#pragma once

namespace quillon {

class THtmlScrivoForm;

// Runs until the program quits; returns the exit code.
int RunMessageLoop(THtmlScrivoForm& form);

}  // namespace quillon
