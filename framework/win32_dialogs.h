// Dialog helpers: the modeless dialogs the message loop must hand keys to, and
// small modal forms laid out in client pixels, as the product's forms are.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace quillon {

// Modeless dialogs get their keyboard navigation from the message loop.
void AddModelessDialog(HWND dialog);
void RemoveModelessDialog(HWND dialog);
// True when the message belonged to an open modeless dialog and was handled.
bool IsModelessDialogMessage(MSG& msg);

struct FormControl {
    const wchar_t* windowClass;  // L"BUTTON", L"EDIT", L"STATIC"
    std::wstring text;
    DWORD style;  // besides WS_CHILD | WS_VISIBLE
    int x, y, width, height;
    int id;
    DWORD exStyle = 0;
};

struct FormDescription {
    std::wstring caption;
    int clientWidth = 0;
    int clientHeight = 0;
    std::vector<FormControl> controls;
};

// What a modal form does beyond showing its controls.
class FormHandler {
public:
    virtual ~FormHandler() = default;
    // The controls exist; set their state and the focus (true: the focus was set).
    virtual bool FormShow(HWND form) = 0;
    // A button or control command; answer true when it was handled.
    virtual bool FormCommand(HWND /*form*/, int /*id*/, int /*code*/) { return false; }
    // Whether the form may close with this result (IDOK, IDCANCEL).
    virtual bool FormCloseQuery(HWND /*form*/, int /*result*/) { return true; }
    // Any other message of the form, first (drawing, notifications, the form
    // going away); true when handled, with the dialog procedure's result.
    // WM_DESTROY always goes on to the form's own clean-up as well.
    virtual bool FormMessage(HWND /*form*/, UINT /*msg*/, WPARAM /*wParam*/, LPARAM /*lParam*/, INT_PTR& /*result*/) {
        return false;
    }
};

// Shows the form modally, centred on the screen; the result it closed with
// (IDOK, IDCANCEL), or 0 when it could not be shown.
INT_PTR RunModalForm(HWND owner, const FormDescription& description, FormHandler& handler);

// The text of a dialog control.
std::wstring ControlText(HWND dialog, int id);

}  // namespace quillon
