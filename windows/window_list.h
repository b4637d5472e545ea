// The numbered window list: the open document windows in creation order, a
// window's number its index (dense: closing one moves every later one down),
// and the state of the ten window buttons that show windows 0-9.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace quillon {

inline constexpr int kWindowButtons = 10;

struct WindowButtonState {
    std::wstring caption;
    std::wstring hint;  // short|long
    bool enabled = false;
    bool pressed = false;
};

class WindowList {
public:
    using Window = const void*;
    struct Texts {
        std::wstring noWindow;    // 166 "(нет окна)"
        std::wstring hintFormat;  // 133 "%s|Активизировать окно с файлом "%s""
    };
    explicit WindowList(Texts texts);

    // Appends the window; its number.
    int Register(Window window, std::wstring caption);
    // The window's caption, and its button's caption (the file's name) and hint.
    void NameChanged(int number, std::wstring caption, std::wstring fileName);
    // Presses the window's button, or releases all ten for a window past them.
    void Activated(int number);
    // Removes the window; the later ones move down a number, and so do their
    // buttons. While the program closes nothing changes.
    void Unregister(int number, bool closing);

    int Count() const { return static_cast<int>(entries_.size()); }
    Window At(int number) const { return entries_[static_cast<size_t>(number)].window; }
    const std::wstring& Caption(int number) const { return entries_[static_cast<size_t>(number)].caption; }
    const std::wstring& FileName(int number) const { return entries_[static_cast<size_t>(number)].fileName; }
    // The window's number, or -1.
    int NumberOf(Window window) const;
    const std::array<WindowButtonState, kWindowButtons>& Buttons() const { return buttons_; }

private:
    struct Entry {
        std::wstring caption;
        Window window;
        std::wstring fileName;
    };
    void ShowFile(int button, const std::wstring& fileName);
    Texts texts_;
    std::vector<Entry> entries_;
    std::array<WindowButtonState, kWindowButtons> buttons_;
};

}  // namespace quillon
