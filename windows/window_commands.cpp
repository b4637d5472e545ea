#include "window_commands.h"

#include "edit_form.h"
#include "text_format.h"
#include "win32_dialogs.h"

namespace quillon {

namespace {
constexpr int kStrWindowHint = 133;
}

void ArrangeDocuments(HWND area, WindowArrangement arrangement) {
    switch (arrangement) {
    case WindowArrangement::Cascade: SendMessageW(area, WM_MDICASCADE, 0, 0); break;
    case WindowArrangement::TileSideBySide: SendMessageW(area, WM_MDITILE, MDITILE_VERTICAL, 0); break;
    case WindowArrangement::TileAbove: SendMessageW(area, WM_MDITILE, MDITILE_HORIZONTAL, 0); break;
    case WindowArrangement::ArrangeIcons: SendMessageW(area, WM_MDIICONARRANGE, 0, 0); break;
    case WindowArrangement::Previous: SendMessageW(area, WM_MDINEXT, 0, TRUE); break;
    case WindowArrangement::Next: SendMessageW(area, WM_MDINEXT, 0, FALSE); break;
    }
}

void WindowSelect(HWND area, const WindowList& windows, int n) {
    if (n < 0 || n >= windows.Count()) return;
    HWND window = static_cast<HWND>(const_cast<void*>(windows.At(n)));
    SendMessageW(area, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(window), 0);
    if (IsIconic(window)) SendMessageW(area, WM_MDIRESTORE, reinterpret_cast<WPARAM>(window), 0);
}

namespace {

// The long part of string 133: everything after its first "|".
std::wstring LongHintFormat() {
    const std::wstring text = ResourceString(kStrWindowHint);
    const size_t bar = text.find(L'|');
    return bar == std::wstring::npos ? text : text.substr(bar + 1);
}

class TWinListDlg final : public FormHandler {
public:
    explicit TWinListDlg(const WindowListDialogHost& dialog) : d_(dialog), hintFormat_(LongHintFormat()) {}

    bool FormShow(HWND form) override {
        form_ = form;
        Fill();
        WindowsListClick();
        SetFocus(List());
        return true;
    }

    bool FormCommand(HWND form, int id, int code) override {
        if (id == kWindowsListId && code == LBN_SELCHANGE) WindowsListClick();
        else if (id == kWindowsListId && code == LBN_DBLCLK) SendMessageW(form, WM_COMMAND, IDOK, 0);
        else if (id == kWindowDeleteId && code == BN_CLICKED) DeleteButtonClick();
        else return false;
        return true;
    }

    bool FormCloseQuery(HWND, int result) override {
        if (result == IDOK) {
            const int selected = Selected();
            if (selected >= 0 && selected < d_.windows->Count())
                SendMessageW(d_.documentArea, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(WindowAt(selected)), 0);
        }
        d_.host->ShowHint(L"");  // FormDestroy: the status bar leaves its single-text mode
        return true;
    }

private:
    HWND List() const { return GetDlgItem(form_, kWindowsListId); }
    int Selected() const { return static_cast<int>(SendMessageW(List(), LB_GETCURSEL, 0, 0)); }
    HWND WindowAt(int n) const { return static_cast<HWND>(const_cast<void*>(d_.windows->At(n))); }

    void Fill() {
        SendMessageW(List(), LB_RESETCONTENT, 0, 0);
        SendMessageW(List(), LB_SETITEMHEIGHT, 0, 13);
        const auto active = reinterpret_cast<HWND>(SendMessageW(d_.documentArea, WM_MDIGETACTIVE, 0, 0));
        int selected = 0;
        for (int n = 0; n < d_.windows->Count(); ++n) {
            SendMessageW(List(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(d_.windows->Caption(n).c_str()));
            if (WindowAt(n) == active) selected = n;
        }
        SendMessageW(List(), LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    }

    void WindowsListClick() {
        const int n = Selected();
        if (n >= 0 && n < d_.windows->Count()) d_.host->ShowHint(FormatText(hintFormat_, {d_.windows->FileName(n)}));
    }

    void DeleteButtonClick() {
        const int n = Selected();
        if (n < 0 || n >= d_.windows->Count()) return;
        const int remaining = d_.windows->Count() - 1;
        TEditForm* document = TEditForm::FromWindow(WindowAt(n));
        if (!document || !document->FormCloseQuery()) return;
        document->Release();
        if (remaining == 0) {
            SendMessageW(form_, WM_COMMAND, IDCANCEL, 0);
            return;
        }
        if (TEditForm* active = TEditForm::FromWindow(
                reinterpret_cast<HWND>(SendMessageW(d_.documentArea, WM_MDIGETACTIVE, 0, 0))))
            active->FormActivate();
        Fill();
        WindowsListClick();
    }

    WindowListDialogHost d_;
    std::wstring hintFormat_;
    HWND form_ = nullptr;
};

}  // namespace

void ShowWindowListDialog(const WindowListDialogHost& dialog) {
    dialog.host->ShowHint(L"");
    FormDescription form{L"Выбор окна", 287, 142, {}};
    form.controls.push_back({L"LISTBOX", L"", WS_TABSTOP | WS_VSCROLL | WS_BORDER | LBS_NOTIFY, 4, 4, 200, 134,
                             kWindowsListId});
    form.controls.push_back({L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 208, 4, 75, 25, IDOK});
    form.controls.push_back({L"BUTTON", L"Удалить", WS_TABSTOP | BS_PUSHBUTTON, 208, 33, 75, 25, kWindowDeleteId});
    form.controls.push_back({L"BUTTON", L"Отмена", WS_TABSTOP | BS_PUSHBUTTON, 208, 62, 75, 25, IDCANCEL});
    TWinListDlg handler(dialog);
    RunModalForm(dialog.owner, form, handler);
}

}  // namespace quillon
