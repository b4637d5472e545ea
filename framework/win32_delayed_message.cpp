#include "win32_delayed_message.h"

#include <thread>

namespace quillon {

namespace {
bool NotClosing() { return false; }
std::atomic<bool (*)()> g_closing{NotClosing};

void HandOver(HWND target, const std::wstring& text) {
    // A window gone (the program closed, another main window in its place) is not touched.
    if (!IsWindow(target) || g_closing.load()()) return;
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(target, DelayedMessageWindowMessage(), 0, reinterpret_cast<LPARAM>(text.c_str()),
                        SMTO_NORMAL, 5000, &ignored);
}
}  // namespace

UINT DelayedMessageWindowMessage() {
    static const UINT message = RegisterWindowMessageW(L"QuillonDelayedStatusText");
    return message;
}

DelayedMessageCounter& SharedDelayedMessages() {
    static DelayedMessageCounter counter;
    return counter;
}

DelayedMessageTiming& DelayedMessageTimes() {
    static DelayedMessageTiming timing;
    return timing;
}

void SetDelayedMessageClosingSource(bool (*closing)()) { g_closing = closing ? closing : NotClosing; }

void TDelayedMessageThread::Show(HWND target, std::wstring text) {
    DelayedMessageCounter& counter = SharedDelayedMessages();
    const int sequence = counter.Enter();
    const DelayedMessageTiming timing = DelayedMessageTimes();
    // Shown at once, from the user-interface thread that asks: a text handed
    // over later could land after a newer one the panel's owner wrote meanwhile.
    HandOver(target, text);
    try {
        std::thread([target, sequence, timing, &counter] {
            int elapsed = 0;
            while (counter.KeepWaiting(sequence, elapsed, g_closing.load()(), timing)) {
                Sleep(static_cast<DWORD>(timing.stepMs));
                elapsed += timing.stepMs;
            }
            if (counter.MayClear(g_closing.load()())) HandOver(target, L"");
            counter.Leave();
        }).detach();
    } catch (...) {
        // No thread could start: the message is left out, nothing else changes.
        counter.Leave();
    }
}

}  // namespace quillon
