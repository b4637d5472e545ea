// The system's modeless find and replace dialogs of one editor control: their
// search settings, the last search, and what their buttons do.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <functional>
#include <string>

#include "rich_edit_control.h"
#include "search.h"

namespace quillon {

class SearchDialogs {
public:
    struct Events {
        std::function<void()> notFound;      // a search found nothing
        // Replace all changed the text; where the caret stood before it.
        std::function<void(int caretBefore)> replacedAll;
    };
    // owner receives the dialogs' messages and hands them to OnFindMessage.
    SearchDialogs(HWND owner, RichEditControl& editor, Events events);
    ~SearchDialogs();
    SearchDialogs(const SearchDialogs&) = delete;
    SearchDialogs& operator=(const SearchDialogs&) = delete;

    // The message the dialogs send their owner.
    static UINT FindMessage();
    void OnFindMessage(const FINDREPLACEW& request);

    void Find();
    void Replace();
    // Repeats the last search made from a dialog; nothing before there was one.
    void FindNext();
    bool CanFindNext() const;
    // Closes the dialog opened most recently (FSearchDialog), if it is open.
    void CloseSearchDialog();

    HWND FindWindowHandle() const { return find_.window; }
    HWND ReplaceWindowHandle() const { return replace_.window; }
    HWND SearchDialog() const { return current_ ? current_->window : nullptr; }

private:
    static constexpr WORD kBufferSize = 512;
    struct Dialog {
        FINDREPLACEW request{};
        wchar_t findWhat[kBufferSize] = {};
        wchar_t replaceWith[kBufferSize] = {};
        HWND window = nullptr;
        bool created = false;
        bool replace = false;
    };
    void Open(Dialog& dialog);
    SearchOptions OptionsOf(const Dialog& dialog) const;
    // A search step; the match scrolled into view, or the not-found message.
    bool Search(const SearchOptions& options);
    void MoveOffSelection(HWND dialog);
    Dialog* DialogOf(const FINDREPLACEW& request);

    HWND owner_;
    HWND Control() const { return editor_.Handle(); }
    RichEditControl& editor_;
    Events events_;
    Dialog find_;
    Dialog replace_;
    // The last search made from a dialog with a non-empty text, as it was made:
    // Find next repeats it whatever the dialog's record says once it is gone.
    SearchOptions last_;
    Dialog* current_ = nullptr;  // FSearchDialog
};

}  // namespace quillon
