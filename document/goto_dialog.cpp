#include "goto_dialog.h"

#include <string>

#include "goto_rules.h"
#include "prompts.h"
#include "win32_dialogs.h"

namespace quillon {

namespace {

constexpr int kStrLineMissing = 146;
constexpr int kStrNotInteger = 147;
constexpr int kStrLineRange = 148;

class TGoToDialog final : public FormHandler {
public:
    TGoToDialog(int maxLine, int initialLine) : MaxLine(maxLine), initial_(initialLine) {}

    bool FormShow(HWND form) override {
        HWND edit = GetDlgItem(form, kLineEditId);
        SetWindowTextW(edit, std::to_wstring(initial_).c_str());
        SendMessageW(edit, EM_SETSEL, 0, -1);
        SetFocus(edit);
        return true;
    }

    bool FormCloseQuery(HWND form, int result) override {
        if (result != IDOK) return true;
        const std::wstring text = ControlText(form, kLineEditId);
        const LineNumberCheck check = CheckLineNumber(text, MaxLine);
        if (check.verdict == LineNumberVerdict::Accepted) {
            line = check.line;
            return true;
        }
        PromptRequest request{kStrLineMissing, {}, L"", PromptIcon::Error, PromptButtons::Ok, 0, form};
        if (check.verdict == LineNumberVerdict::NotInteger) {
            request.stringId = kStrNotInteger;
            request.args = {text};
        } else if (check.verdict == LineNumberVerdict::OutOfRange) {
            request.stringId = kStrLineRange;
            request.args = {MaxLine};
        }
        ShowPrompt(request);
        SetFocus(GetDlgItem(form, kLineEditId));
        return false;
    }

    const int MaxLine;
    int line = 0;

private:
    int initial_;
};

}  // namespace

int ShowGoToDialog(HWND owner, int maxLine, int initialLine) {
    FormDescription form{L"Перейти к", 203, 70, {}};
    form.controls = {
        {L"STATIC", L"Номер новой строки:", SS_LEFT | SS_CENTERIMAGE, 8, 8, 112, 23, -1},
        {L"EDIT", L"1", WS_TABSTOP | ES_AUTOHSCROLL, 122, 8, 73, 23, kLineEditId, WS_EX_CLIENTEDGE},
        {L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 40, 38, 75, 25, IDOK},
        {L"BUTTON", L"Отмена", WS_TABSTOP | BS_PUSHBUTTON, 120, 38, 75, 25, IDCANCEL},
    };
    TGoToDialog dialog(maxLine, initialLine);
    return RunModalForm(owner, form, dialog) == IDOK ? dialog.line : 0;
}

}  // namespace quillon
