#include "macro_picker.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <memory>

#include "codepage.h"
#include "edit_form.h"
#include "insert_macro.h"
#include "macro_keyboard.h"
#include "macro_list_box.h"
#include "macro_sets.h"
#include "macros_dialog_rules.h"
#include "text_format.h"
#include "win32_delayed_message.h"
#include "window_glue.h"

namespace quillon {

namespace {

constexpr wchar_t kPickerClass[] = L"QuillonMacroPicker";
constexpr int kListId = 1;
constexpr int kPickerWidth = 380;
constexpr int kVisibleRows = 8;
constexpr UINT kRowHeight = 18;

class MacroPicker;
MacroPicker* g_open = nullptr;  // at most one picker has the focus

class MacroPicker {
public:
    static MacroPicker* ObjectFromCreate(const CREATESTRUCTW& create) {
        return static_cast<MacroPicker*>(create.lpCreateParams);
    }
    void Attach(HWND hwnd) { hwnd_ = hwnd; }
    static LRESULT DefaultProc(MacroPicker*, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    MacroPicker(TEditForm& document, HWND statusWindow) : document_(document), statusWindow_(statusWindow) {}
    void Show();
    void Close();
    HWND List() const { return view_ ? view_->Handle() : nullptr; }

private:
    void OnCreate();
    void OnDestroy();
    void OnCommand(int code);
    void MacrosListClick();
    void MacrosListDblClick();
    void PlaceAtCaret(int height);
    static LRESULT CALLBACK ListProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

    TEditForm& document_;
    HWND statusWindow_;
    HWND hwnd_ = nullptr;
    std::unique_ptr<MacroListBox> view_;
    bool open_ = false;
};

LRESULT MacroPicker::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_DESTROY: OnDestroy(); break;
    case WM_COMMAND: if (LOWORD(wParam) == kListId) OnCommand(HIWORD(wParam)); return 0;
    case WM_DRAWITEM: if (view_) view_->DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), UserMacros()); return TRUE;
    case WM_MEASUREITEM: reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = kRowHeight; return TRUE;
    default: break;
    }
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

void MacroPicker::OnCreate() {
    HWND list = CreateWindowExW(0, L"LISTBOX", nullptr,
                                WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED |
                                    LBS_NOINTEGRALHEIGHT,
                                0, 0, 0, 0, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)),
                                GetModuleHandleW(nullptr), nullptr);
    SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    SetWindowSubclass(list, ListProc, 0, reinterpret_cast<DWORD_PTR>(this));
    view_ = std::make_unique<MacroListBox>(list, [this] { MacrosListClick(); });
}

void MacroPicker::OnDestroy() {
    if (g_open == this) g_open = nullptr;
    if (UserMacros().BoundListBox() == view_.get()) UserMacros().BindListBox(nullptr);
    if (view_) RemoveWindowSubclass(view_->Handle(), ListProc, 0);
}

void MacroPicker::OnCommand(int code) {
    switch (code) {
    case LBN_SELCHANGE: MacrosListClick(); break;
    case LBN_DBLCLK: MacrosListDblClick(); break;
    case LBN_KILLFOCUS: Close(); break;  // MacrosListExit: whatever took the focus
    default: break;
    }
}

void MacroPicker::PlaceAtCaret(int height) {
    RichEditControl& editor = document_.Editor();
    POINTL caret{};
    SendMessageW(editor.Handle(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&caret), editor.SelStart());
    POINT at{caret.x, caret.y};
    MapWindowPoints(editor.Handle(), document_.Handle(), &at, 1);
    RECT client{};
    GetClientRect(document_.Handle(), &client);
    // Kept inside the client area: moved left and up where it would pass its edges.
    at.x = std::max(0L, std::min<LONG>(at.x, client.right - kPickerWidth));
    at.y = std::max(0L, std::min<LONG>(at.y, client.bottom - height));
    SetWindowPos(hwnd_, HWND_TOP, at.x, at.y, kPickerWidth, height, SWP_NOACTIVATE);
    MoveWindow(view_->Handle(), 0, 0, kPickerWidth, height, TRUE);
}

void MacroPicker::Show() {
    document_.Host().CompactStatusBar();
    const int row = static_cast<int>(SendMessageW(view_->Handle(), LB_GETITEMHEIGHT, 0, 0));
    const int rows = std::clamp(UserMacros().Count(), 1, kVisibleRows);
    PlaceAtCaret(rows * std::max(row, 1) + 2 * GetSystemMetrics(SM_CYBORDER));
    open_ = true;
    g_open = this;
    SendMessageW(view_->Handle(), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    UserMacros().BindListBox(view_.get());  // fills it, selects the first entry, shows its texts
    ShowWindow(hwnd_, SW_SHOW);
    SetFocus(view_->Handle());
}

void MacroPicker::Close() {
    if (!open_) return;
    open_ = false;
    if (g_open == this) g_open = nullptr;
    if (UserMacros().BoundListBox() == view_.get()) UserMacros().BindListBox(nullptr);
    view_->Clear();
    ShowWindow(hwnd_, SW_HIDE);
    document_.Host().RestoreStatusBar();
}

void MacroPicker::MacrosListClick() {
    const TMacrosItem* macro = view_->MacroAt(view_->SelectedIndex());
    if (!macro || !open_) return;
    document_.Host().SetPanelText(0, MacroStatusText(macro));
    document_.Host().SetPanelText(1, MacroKeyText(macro));
}

void MacroPicker::MacrosListDblClick() {
    const TMacrosItem* macro = view_->MacroAt(view_->SelectedIndex());
    if (!macro) return;
    const std::wstring name = BytesToText(macro->Name(), CodePage::Win1251);
    // Inserted before the list lets go of the set: using it may reorder the set.
    UserMacros().BindListBox(nullptr);
    InsertMacro(*macro, document_.Editor());
    SetFocus(document_.Editor().Handle());
    TDelayedMessageThread::Show(statusWindow_, FormatText(ResourceString(kStrMacroInserted), {name}));
}

LRESULT CALLBACK MacroPicker::ListProc(HWND list, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* picker = reinterpret_cast<MacroPicker*>(data);
    try {
        if (msg == WM_GETDLGCODE) return DLGC_WANTALLKEYS;
        if (msg == WM_KEYDOWN && wParam == VK_RETURN) {
            picker->MacrosListDblClick();
            return 0;
        }
        if (msg == WM_KEYDOWN && (wParam == VK_ESCAPE || wParam == VK_TAB)) {
            SetFocus(picker->document_.Editor().Handle());
            return 0;
        }
        // Their characters would only beep.
        if (msg == WM_CHAR && (wParam == L'\r' || wParam == 0x1B || wParam == L'\t')) return 0;
    } catch (...) {
        return 0;
    }
    return DefSubclassProc(list, msg, wParam, lParam);
}

bool RegisterPickerClass() {
    return RegisterProgramClass(GetModuleHandleW(nullptr), kPickerClass, WindowProcOf<MacroPicker>, nullptr, -1);
}

MacroPicker* PickerOf(TEditForm& document, HWND statusWindow) {
    if (HWND existing = FindWindowExW(document.Handle(), nullptr, kPickerClass, nullptr))
        return WindowObject<MacroPicker>(existing);
    if (!RegisterPickerClass()) return nullptr;
    auto* picker = new MacroPicker(document, statusWindow);
    HWND created = CreateWindowExW(0, kPickerClass, nullptr, WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, document.Handle(),
                                   nullptr, GetModuleHandleW(nullptr), picker);
    if (created) return picker;
    // Its WM_CREATE cannot fail, so a window that was not made never took the object.
    delete picker;
    return nullptr;
}

}  // namespace

void ShowMacroPicker(TEditForm& document, HWND statusWindow) {
    if (UserMacros().Count() == 0) return;
    if (MacroPicker* picker = PickerOf(document, statusWindow)) picker->Show();
}

void CloseMacroPicker() {
    if (g_open) g_open->Close();
}

HWND OpenMacroPickerList() { return g_open ? g_open->List() : nullptr; }

}  // namespace quillon
