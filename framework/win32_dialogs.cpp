#include "win32_dialogs.h"

#include <algorithm>

namespace quillon {

namespace {

std::vector<HWND>& Modeless() {
    static std::vector<HWND> dialogs;
    return dialogs;
}

struct FormState {
    const FormDescription* description;
    FormHandler* handler;
    HFONT font = nullptr;
};

void CenterOnScreen(HWND form) {
    RECT bounds{};
    GetWindowRect(form, &bounds);
    const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    SetWindowPos(form, nullptr, std::max(0, x), std::max(0, y), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool InitForm(HWND form, FormState& state) {
    const FormDescription& d = *state.description;
    SetWindowTextW(form, d.caption.c_str());
    RECT frame{0, 0, d.clientWidth, d.clientHeight};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(form, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(form, GWL_EXSTYLE)));
    SetWindowPos(form, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CenterOnScreen(form);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        state.font = CreateFontIndirectW(&metrics.lfMessageFont);
    for (const FormControl& c : d.controls) {
        HWND control = CreateWindowExW(c.exStyle, c.windowClass, c.text.c_str(), WS_CHILD | WS_VISIBLE | c.style, c.x,
                                       c.y, c.width, c.height, form,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)),
                                       GetModuleHandleW(nullptr), nullptr);
        if (control && state.font) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(state.font), FALSE);
    }
    return state.handler->FormShow(form);
}

INT_PTR CALLBACK FormProc(HWND form, UINT msg, WPARAM wParam, LPARAM lParam) {
    try {
        if (msg == WM_INITDIALOG) {
            SetWindowLongPtrW(form, DWLP_USER, lParam);
            // FALSE: the handler set the focus itself.
            return InitForm(form, *reinterpret_cast<FormState*>(lParam)) ? FALSE : TRUE;
        }
        auto* state = reinterpret_cast<FormState*>(GetWindowLongPtrW(form, DWLP_USER));
        if (!state) return FALSE;
        if (msg != WM_COMMAND && msg != WM_CLOSE) {
            INT_PTR result = FALSE;
            if (state->handler->FormMessage(form, msg, wParam, lParam, result) && msg != WM_DESTROY) return result;
        }
        switch (msg) {
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            if (state->handler->FormCommand(form, id, HIWORD(wParam))) return TRUE;
            if (id == IDOK || id == IDCANCEL) {
                if (state->handler->FormCloseQuery(form, id)) EndDialog(form, id);
                return TRUE;
            }
            return FALSE;
        }
        case WM_CLOSE:
            if (state->handler->FormCloseQuery(form, IDCANCEL)) EndDialog(form, IDCANCEL);
            return TRUE;
        case WM_DESTROY:
            if (state->font) DeleteObject(state->font);
            state->font = nullptr;
            return FALSE;
        default: return FALSE;
        }
    } catch (...) {
        return FALSE;  // nothing crosses the dialog procedure
    }
}

}  // namespace

void AddModelessDialog(HWND dialog) {
    if (dialog && std::find(Modeless().begin(), Modeless().end(), dialog) == Modeless().end())
        Modeless().push_back(dialog);
}

void RemoveModelessDialog(HWND dialog) { std::erase(Modeless(), dialog); }

bool IsModelessDialogMessage(MSG& msg) {
    // A copy: a dialog that closes on this message leaves the list meanwhile.
    const std::vector<HWND> dialogs = Modeless();
    for (HWND dialog : dialogs)
        if (IsWindow(dialog) && IsDialogMessageW(dialog, &msg)) return true;
    return false;
}

INT_PTR RunModalForm(HWND owner, const FormDescription& description, FormHandler& handler) {
    // An empty template: the controls are made in client pixels once it exists.
    struct alignas(4) Template {
        DLGTEMPLATE header;
        WORD menu, windowClass, title;
    } dialog{};
    dialog.header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    dialog.header.cx = 100;
    dialog.header.cy = 50;
    FormState state{&description, &handler};
    const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &dialog.header, owner, FormProc,
                                                   reinterpret_cast<LPARAM>(&state));
    return result < 0 ? 0 : result;
}

std::wstring ControlText(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    const int length = control ? GetWindowTextLengthW(control) : 0;
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    if (control) GetWindowTextW(control, text.data(), length + 1);
    text.resize(static_cast<size_t>(length));
    return text;
}

}  // namespace quillon
