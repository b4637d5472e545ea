// TDelayedMessageThread: shows a text in a status panel at once and clears it
// after the delay, from a thread of its own that frees itself. Both writes run
// on the user-interface thread: the text is written as the message is made, and
// the clearing is handed over by a synchronous message to the window that owns
// the panel, which answers the registered message DelayedMessageWindowMessage()
// with wParam 0 and lParam the text (const wchar_t*, empty to clear).
#pragma once

#include <windows.h>

#include <string>

#include "delayed_message.h"

namespace quillon {

UINT DelayedMessageWindowMessage();
DelayedMessageCounter& SharedDelayedMessages();
// The delay and polling step; tests shorten them.
DelayedMessageTiming& DelayedMessageTimes();
// The program's closing flag, which ends every waiting thread without a clearing.
void SetDelayedMessageClosingSource(bool (*closing)());

class TDelayedMessageThread {
public:
    // Starts a thread that shows the text in the target window's panel.
    static void Show(HWND target, std::wstring text);
};

}  // namespace quillon
