#include "case_dialog.h"

#include "win32_dialogs.h"

namespace quillon {

namespace {

class TCaseDialog final : public FormHandler {
public:
    explicit TCaseDialog(bool wordWrap) : wordWrap_(wordWrap) {}

    bool FormShow(HWND form) override {
        EnableWindow(GetDlgItem(form, kCaseButtonFirstId + static_cast<int>(CaseMode::BeginLineWithCapitals)), !wordWrap_);
        HWND lower = GetDlgItem(form, kCaseButtonFirstId + static_cast<int>(CaseMode::AllLower));
        SendMessageW(lower, BM_SETCHECK, BST_CHECKED, 0);
        SetFocus(lower);
        return true;
    }

    bool FormCloseQuery(HWND form, int result) override {
        if (result != IDOK) return true;
        for (int tag = 0; tag <= static_cast<int>(CaseMode::ChangeCase); ++tag)
            if (SendMessageW(GetDlgItem(form, kCaseButtonFirstId + tag), BM_GETCHECK, 0, 0) == BST_CHECKED)
                mode = static_cast<CaseMode>(tag);
        return true;
    }

    CaseMode mode = CaseMode::AllLower;

private:
    bool wordWrap_;
};

}  // namespace

bool ExecuteCaseDialog(HWND owner, bool wordWrap, CaseMode& mode) {
    // Wider than the form's 264 pixels: its first caption ran into the OK button.
    FormDescription form{L"Регистр", 290, 89, {}};
    const wchar_t* captions[] = {L"&Начинать строку с прописных", L"в&се строчные", L"&ВСЕ ПРОПИСНЫЕ",
                                 L"Н&ачинать С Прописных", L"&иЗМЕНИТЬ РЕГИСТР"};
    for (int tag = 0; tag < 5; ++tag)
        form.controls.push_back({L"BUTTON", captions[tag], BS_AUTORADIOBUTTON | WS_TABSTOP | (tag == 0 ? WS_GROUP : 0u), 8,
                                 4 + tag * 16, 192, 16, kCaseButtonFirstId + tag});
    form.controls.push_back({L"BUTTON", L"OK", WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 207, 8, 75, 25, IDOK});
    form.controls.push_back({L"BUTTON", L"Отмена", WS_TABSTOP | BS_PUSHBUTTON, 207, 40, 75, 25, IDCANCEL});
    TCaseDialog dialog(wordWrap);
    if (RunModalForm(owner, form, dialog) != IDOK) return false;
    mode = dialog.mode;
    return true;
}

}  // namespace quillon
