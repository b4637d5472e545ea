// The bookkeeping of delayed status messages: a text shown in a status panel
// and cleared a while later by the last message thread alive, unless a newer
// message came or the panel's owner wrote its own text there meanwhile.
#pragma once

#include <atomic>

namespace quillon {

struct DelayedMessageTiming {
    int delayMs = 5000;
    int stepMs = 250;
};

class DelayedMessageCounter {
public:
    // A new thread: counted, and clearing allowed again. Its sequence number.
    int Enter() {
        const int sequence = ++live_;
        clearAllowed_ = true;
        return sequence;
    }
    void Leave() { --live_; }
    // Another writer of the panel: a pending message must not wipe its text.
    void ForbidClearing() { clearAllowed_ = false; }

    // Whether a thread keeps waiting: no newer thread came, the program is not
    // closing and the delay has not passed.
    bool KeepWaiting(int sequence, int elapsedMs, bool closing, const DelayedMessageTiming& timing) const {
        return !closing && sequence >= live_ && elapsedMs < timing.delayMs;
    }
    // Whether a thread that stopped waiting clears the panel: it is the only
    // one alive and nobody wrote the panel since.
    bool MayClear(bool closing) const { return !closing && live_ == 1 && clearAllowed_; }

    int Live() const { return live_; }

private:
    std::atomic<int> live_{0};
    std::atomic<bool> clearAllowed_{true};
};

}  // namespace quillon
