#include "search_dialogs.h"

#include <dlgs.h>
#include <richedit.h>

#include <algorithm>

#include "win32_dialogs.h"
#include "win32_guards.h"

namespace quillon {

namespace {
// The first line of a selection: the dialogs' edit fields hold one line.
void CopyFirstLine(const std::wstring& text, wchar_t* buffer, size_t size) {
    const std::wstring line = text.substr(0, std::min(text.find_first_of(L"\r\n"), size - 1));
    std::copy(line.begin(), line.end(), buffer);
    buffer[line.size()] = L'\0';
}
}  // namespace

SearchDialogs::SearchDialogs(HWND owner, RichEditControl& editor, Events events)
    : owner_(owner), editor_(editor), events_(std::move(events)) {
    replace_.replace = true;
    for (Dialog* dialog : {&find_, &replace_}) {
        FINDREPLACEW& r = dialog->request;
        r.lStructSize = sizeof r;
        r.hwndOwner = owner_;
        r.Flags = FR_DOWN;
        r.lpstrFindWhat = dialog->findWhat;
        r.lpstrReplaceWith = dialog->replaceWith;
        // Buffer sizes in bytes, as the dialogs count them.
        r.wFindWhatLen = kBufferSize;
        r.wReplaceWithLen = kBufferSize;
    }
}

SearchDialogs::~SearchDialogs() {
    for (Dialog* dialog : {&find_, &replace_}) {
        if (!dialog->window) continue;
        RemoveModelessDialog(dialog->window);
        DestroyWindow(dialog->window);
        dialog->window = nullptr;
    }
}

UINT SearchDialogs::FindMessage() {
    static const UINT message = RegisterWindowMessageW(FINDMSGSTRINGW);
    return message;
}

SearchDialogs::Dialog* SearchDialogs::DialogOf(const FINDREPLACEW& request) {
    if (&request == &find_.request) return &find_;
    if (&request == &replace_.request) return &replace_;
    return nullptr;
}

SearchOptions SearchDialogs::OptionsOf(const Dialog& dialog) const {
    const DWORD flags = dialog.request.Flags;
    // The replace dialog has no direction: it always searches down.
    return {dialog.findWhat, dialog.replace || (flags & FR_DOWN) != 0, (flags & FR_MATCHCASE) != 0,
            (flags & FR_WHOLEWORD) != 0};
}

void SearchDialogs::Open(Dialog& dialog) {
    if (editor_.SelLength() > 0) CopyFirstLine(editor_.SelText(), dialog.findWhat, kBufferSize);
    else if (!dialog.created) {
        const Dialog& other = dialog.replace ? find_ : replace_;
        std::copy(std::begin(other.findWhat), std::end(other.findWhat), dialog.findWhat);
    }
    dialog.created = true;
    current_ = &dialog;
    if (dialog.window) {
        SetDlgItemTextW(dialog.window, edt1, dialog.findWhat);
        ShowWindow(dialog.window, SW_SHOW);
        SetActiveWindow(dialog.window);
        return;
    }
    dialog.window = dialog.replace ? ReplaceTextW(&dialog.request) : FindTextW(&dialog.request);
    AddModelessDialog(dialog.window);
}

void SearchDialogs::Find() { Open(find_); }
void SearchDialogs::Replace() { Open(replace_); }

bool SearchDialogs::CanFindNext() const { return !last_.text.empty(); }

void SearchDialogs::FindNext() {
    if (CanFindNext()) Search(last_);
}

void SearchDialogs::CloseSearchDialog() {
    if (current_ && current_->window) SendMessageW(current_->window, WM_COMMAND, IDCANCEL, 0);
}

bool SearchDialogs::Search(const SearchOptions& options) {
    if (SearchStep(editor_, options)) {
        SendMessageW(Control(), EM_SCROLLCARET, 0, 0);
        return true;
    }
    if (events_.notFound) events_.notFound();
    return false;
}

void SearchDialogs::OnFindMessage(const FINDREPLACEW& request) {
    Dialog* dialog = DialogOf(request);
    if (!dialog) return;
    const DWORD flags = request.Flags;
    if (flags & FR_DIALOGTERM) {
        RemoveModelessDialog(dialog->window);
        dialog->window = nullptr;
        return;
    }
    const SearchOptions options = OptionsOf(*dialog);
    if (!options.text.empty()) last_ = options;
    if (flags & FR_FINDNEXT) {
        if (Search(options)) MoveOffSelection(dialog->window);
    } else if (flags & FR_REPLACE) {
        if (ReplaceOnce(editor_, options, dialog->replaceWith)) SendMessageW(Control(), EM_SCROLLCARET, 0, 0);
        else if (events_.notFound) events_.notFound();
    } else if (flags & FR_REPLACEALL) {
        const int caretBefore = editor_.SelStart();
        if (ReplaceAll(editor_, options, dialog->replaceWith) == 0) {
            if (events_.notFound) events_.notFound();
        } else {
            if (events_.replacedAll) events_.replacedAll(caretBefore);
            SendMessageW(Control(), EM_SCROLLCARET, 0, 0);
            // Every row the shorter or longer text leaves or takes, painted now.
            RedrawWindow(Control(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
            MoveOffSelection(dialog->window);
        }
    }
}

void SearchDialogs::MoveOffSelection(HWND dialog) {
    if (!dialog || !IsWindowVisible(dialog)) return;
    // The selection's rows on the screen: from its start to its end, one line high.
    const auto pointAt = [this](int index) {
        POINTL point{};
        SendMessageW(Control(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&point), index);
        POINT screen{point.x, point.y};
        ClientToScreen(Control(), &screen);
        return screen;
    };
    const POINT top = pointAt(editor_.SelStart());
    const POINT bottom = pointAt(editor_.SelStart() + editor_.SelLength());
    TEXTMETRICW metrics{};
    if (WindowDC dc(Control(), reinterpret_cast<HGDIOBJ>(SendMessageW(Control(), WM_GETFONT, 0, 0))); dc)
        GetTextMetricsW(dc.Get(), &metrics);
    const int lineHeight = std::max<int>(metrics.tmHeight, 16);
    const int selectionTop = top.y, selectionBottom = bottom.y + lineHeight;
    RECT bounds{};
    GetWindowRect(dialog, &bounds);
    if (bounds.bottom <= selectionTop || bounds.top >= selectionBottom) return;
    const int height = bounds.bottom - bounds.top;
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    int y = selectionTop - height;
    if (y < work.top) y = std::min<int>(selectionBottom, work.bottom - height);
    SetWindowPos(dialog, nullptr, bounds.left, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace quillon
