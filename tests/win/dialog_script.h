// Answers a modal form from a timer, for tests that open one.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>

#include "win_test_support.h"

namespace quillon::test {

// Answers the modal form with the given caption from a timer: one step per
// tick while it is open; once the steps are done it is cancelled, so that a
// test never hangs on a dialog.
class DialogScript {
public:
    using Step = std::function<void(HWND)>;
    DialogScript(std::wstring caption, std::deque<Step> steps) : caption_(std::move(caption)), steps_(std::move(steps)) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 20, Tick);
    }
    ~DialogScript() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    int StepsRun() const { return run_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        DialogScript* self = current_;
        if (!self || self->busy_) return;
        HWND dialog = test::FindThreadDialog(self->caption_);
        if (!dialog) return;
        self->busy_ = true;
        if (self->steps_.empty()) {
            SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        } else {
            Step step = std::move(self->steps_.front());
            self->steps_.pop_front();
            ++self->run_;
            step(dialog);
        }
        self->busy_ = false;
    }
    static inline DialogScript* current_ = nullptr;
    std::wstring caption_;
    std::deque<Step> steps_;
    UINT_PTR timer_ = 0;
    int run_ = 0;
    bool busy_ = false;
};

// Answers the next window of this thread that a test waits for: found by the
// predicate among the visible dialogs, handled by the action, from a timer
// (the window runs its own modal loop).
struct Answer {
    std::function<bool(HWND)> matches;
    std::function<void(HWND)> act;
    int times = 1;  // how many ticks the window is acted on
    bool done = false;
};

inline Answer*& PendingAnswer() {
    static Answer* pending = nullptr;
    return pending;
}

inline void CALLBACK AnswerTick(HWND, UINT, UINT_PTR timer, DWORD) {
    Answer* pending = PendingAnswer();
    if (!pending) {
        KillTimer(nullptr, timer);
        return;
    }
    EnumThreadWindows(GetCurrentThreadId(), [](HWND hwnd, LPARAM) -> BOOL {
        Answer* answer = PendingAnswer();
        wchar_t cls[16] = {};
        GetClassNameW(hwnd, cls, 16);
        if (std::wstring(cls) != L"#32770" || !IsWindowVisible(hwnd) || !answer->matches(hwnd)) return TRUE;
        answer->done = --answer->times == 0;
        answer->act(hwnd);
        return FALSE;
    }, 0);
    if (pending->done) {
        PendingAnswer() = nullptr;
        KillTimer(nullptr, timer);
    }
}

// Runs the action (which opens the window) while the answer waits for it;
// true when the window came and was answered.
inline bool AnswerWhile(Answer answer, const std::function<void()>& action) {
    PendingAnswer() = &answer;
    SetTimer(nullptr, 0, 30, AnswerTick);
    action();
    PendingAnswer() = nullptr;
    return answer.done;
}

// An answer for the dialog with this caption.
inline Answer ByCaption(const std::wstring& caption, std::function<void(HWND)> act) {
    return {[caption](HWND hwnd) {
                wchar_t text[128] = {};
                GetWindowTextW(hwnd, text, 128);
                return caption == text;
            },
            std::move(act)};
}

}  // namespace quillon::test
