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

}  // namespace quillon::test
