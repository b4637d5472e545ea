#include "window_list.h"

#include "file_names.h"
#include "text_format.h"

namespace quillon {

WindowList::WindowList(Texts texts) : texts_(std::move(texts)) {
    for (auto& button : buttons_) button.caption = texts_.noWindow;
}

int WindowList::Register(Window window, std::wstring caption) {
    entries_.push_back({std::move(caption), window, {}});
    const int number = Count() - 1;
    if (number < kWindowButtons) buttons_[static_cast<size_t>(number)].enabled = true;
    return number;
}

void WindowList::ShowFile(int button, const std::wstring& fileName) {
    WindowButtonState& state = buttons_[static_cast<size_t>(button)];
    state.caption = NameWithoutFolder(fileName);
    state.hint = FormatText(texts_.hintFormat, {state.caption, fileName});
}

void WindowList::NameChanged(int number, std::wstring caption, std::wstring fileName) {
    if (number < 0 || number >= Count()) return;
    Entry& entry = entries_[static_cast<size_t>(number)];
    entry.caption = std::move(caption);
    entry.fileName = std::move(fileName);
    if (number < kWindowButtons) ShowFile(number, entry.fileName);
}

void WindowList::Activated(int number) {
    for (int k = 0; k < kWindowButtons; ++k) buttons_[static_cast<size_t>(k)].pressed = k == number;
}

void WindowList::Unregister(int number, bool closing) {
    if (closing || number < 0 || number >= Count()) return;
    entries_.erase(entries_.begin() + number);
    for (int a = number; a < Count() && a < kWindowButtons; ++a) {
        if (a == kWindowButtons - 1) ShowFile(a, entries_[static_cast<size_t>(a)].fileName);
        else {
            buttons_[static_cast<size_t>(a)].caption = buttons_[static_cast<size_t>(a) + 1].caption;
            buttons_[static_cast<size_t>(a)].hint = buttons_[static_cast<size_t>(a) + 1].hint;
        }
    }
    if (Count() < kWindowButtons) {
        WindowButtonState& freed = buttons_[static_cast<size_t>(Count())];
        freed = {texts_.noWindow, L"", false, false};
    }
}

int WindowList::NumberOf(Window window) const {
    for (int i = 0; i < Count(); ++i)
        if (entries_[static_cast<size_t>(i)].window == window) return i;
    return -1;
}

}  // namespace quillon
