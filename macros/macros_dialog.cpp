#include "macros_dialog.h"

#include <windows.h>

#include <commctrl.h>
#include <richedit.h>

#include <memory>
#include <string>
#include <vector>

#include "codepage.h"
#include "macro_list_box.h"
#include "macro_sets.h"
#include "macros_dialog_rules.h"
#include "prompts.h"
#include "text_format.h"
#include "text_lines.h"
#include "typed_stream.h"
#include "win32_dialogs.h"
#include "win32_files.h"
#include "win32_pictures.h"

namespace quillon {

namespace {

// Controls, in tab order.
enum : int {
    kListLabel = 100,
    kMacrosList,
    kToolBar,
    kSortLabel,
    kSortMethod,
    kDefault,
    kAutoindent,
    kShortCut,
    kCtrlK,
    kCtrlQ,
    kKeyLabel,
    kKeyList,
    kConflictLabel,
    kConflictName,
    kActionPanel,
    kApplyKey,
    kCancelKey,
    kTextLabel,
    kText,
    kDescriptionLabel,
};

// Tool bar buttons; the list menu runs the same handlers.
enum : int { kAdd = 200, kDelete, kEdit, kClear, kOpen, kSave, kClose };

// Context menu commands: the string ids of their captions.
enum : int {
    kTextUndo = 7000,
    kTextRedo,
    kTextCut,
    kTextCopy,
    kTextPaste,
    kTextDelete,
    kTextSelectAll,
    kListAdd = 7050,
    kListDelete,
    kListEdit,
    kListClear,
    kListOpen,
    kListSave,
};

constexpr int kStrReadFailed = 132;
constexpr int kStrEmptyName = 136;
constexpr int kStrEditCaption = 137;
constexpr int kStrDeleteQuestion = 138;
constexpr int kStrClearQuestion = 152;
constexpr int kStrClearUnsaved = 153;
constexpr int kStrConfirmCaption = 154;
constexpr int kStrFilter = 155;
constexpr int kStrOpenTitle = 156;
constexpr int kStrSaveTitle = 157;
constexpr int kStrCannotOpen = 158;
constexpr int kStrOpenUnsaved = 159;
constexpr int kStrSaveFailed = 126;
constexpr int kStrExtension = 167;

constexpr wchar_t kCaption[] = L"Макросы";
constexpr UINT kConflictClosed = WM_APP + 40;  // the conflict controls go grey after the focus moved on

std::wstring Shown(const std::string& bytes) { return BytesToText(bytes, CodePage::Win1251); }
std::string Stored(const std::wstring& text) { return TextToBytes(text, CodePage::Win1251); }

bool DeepColour() {
    HDC screen = GetDC(nullptr);
    const int bits = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    ReleaseDC(nullptr, screen);
    return bits > 8;
}

// A picture list from one of the program's bitmaps; the disabled pictures'
// greys and white become the system's shadow and highlight.
HIMAGELIST LoadPictures(int bitmapId, int side, bool systemColours) {
    std::vector<COLORMAP> mapping;
    if (systemColours)
        mapping = {{RGB(128, 128, 128), GetSysColor(COLOR_BTNSHADOW)},
                   {RGB(255, 255, 255), GetSysColor(COLOR_BTNHIGHLIGHT)},
                   {RGB(192, 192, 192), GetSysColor(COLOR_BTNFACE)}};
    return LoadPictureList(GetModuleHandleW(nullptr), bitmapId, side, side, mapping);
}

// The three picture lists of a context menu (normal, highlighted, disabled).
struct MenuPictures {
    HIMAGELIST normal = nullptr, hot = nullptr, disabled = nullptr;
    void Load(int hotFirst, int normalFirst, int disabledId) {
        const int deep = DeepColour() ? 1 : 0;
        hot = LoadPictures(hotFirst + deep, 16, false);
        normal = LoadPictures(normalFirst + deep, 16, false);
        disabled = LoadPictures(disabledId, 16, true);
    }
    void Destroy() {
        for (HIMAGELIST* list : {&normal, &hot, &disabled})
            if (*list) ImageList_Destroy(*list), *list = nullptr;
    }
};

std::string AnsiText(const std::wstring& text) { return TextToBytes(text, CodePage::Ansi); }

// Strings 155 and 167, loaded once: the filter with its parts ended by zero
// bytes, and the default extension.
const std::string& MacroSetFilter() {
    static const std::string filter = [] {
        std::string text = AnsiText(ResourceString(kStrFilter));
        for (char& ch : text)
            if (ch == '|') ch = '\0';
        text.push_back('\0');
        return text;
    }();
    return filter;
}
const std::string& MacroSetExtension() {
    static const std::string extension = AnsiText(ResourceString(kStrExtension));
    return extension;
}

// ---- the name dialog ----

constexpr int kNameEdit = 301, kDescrEdit = 302;

class TAddMacroDialog final : public FormHandler {
public:
    TAddMacroDialog(std::wstring name, std::wstring description)
        : name(std::move(name)), description(std::move(description)) {}

    bool FormShow(HWND form) override {
        SetDlgItemTextW(form, kNameEdit, name.c_str());
        SetDlgItemTextW(form, kDescrEdit, description.c_str());
        SendDlgItemMessageW(form, kNameEdit, EM_SETSEL, 0, -1);
        SetFocus(GetDlgItem(form, kNameEdit));
        return true;
    }

    bool FormCloseQuery(HWND form, int result) override {
        if (result == IDCANCEL) return true;
        const std::wstring typed = ControlText(form, kNameEdit);
        if (typed.find_first_not_of(L" \t") == std::wstring::npos) {
            std::wstring caption(static_cast<size_t>(GetWindowTextLengthW(form)) + 1, L'\0');
            caption.resize(static_cast<size_t>(GetWindowTextW(form, caption.data(), static_cast<int>(caption.size()))));
            ShowPrompt({kStrEmptyName, {}, caption, PromptIcon::Error, PromptButtons::Ok, 0, form});
            SetFocus(GetDlgItem(form, kNameEdit));
            return false;
        }
        name = typed;  // as typed, blanks kept
        description = ControlText(form, kDescrEdit);
        return true;
    }

    std::wstring name, description;
};

// Shows the name dialog; true on OK with the fields in name and description.
bool AskMacroName(HWND owner, const std::wstring& caption, std::wstring& name, std::wstring& description) {
    FormDescription form{caption, 330, 118, {}};
    form.controls = {
        {L"STATIC", L"&Название:", SS_LEFT, 8, 10, 80, 16, -1},
        {L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, 90, 8, 232, 22, kNameEdit, WS_EX_CLIENTEDGE},
        {L"STATIC", L"&Описание:", SS_LEFT, 8, 40, 80, 16, -1},
        {L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, 90, 38, 232, 22, kDescrEdit, WS_EX_CLIENTEDGE},
        {L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 166, 80, 75, 25, IDOK},
        {L"BUTTON", L"Отмена", WS_TABSTOP | BS_PUSHBUTTON, 247, 80, 75, 25, IDCANCEL},
    };
    TAddMacroDialog dialog(name, description);
    if (RunModalForm(owner, form, dialog) != IDOK) return false;
    name = dialog.name;
    description = dialog.description;
    return true;
}

// ---- the macros dialog ----

class TMacrosDialog final : public FormHandler {
public:
    explicit TMacrosDialog(EditHost& host) : host_(host), macros_(UserMacros()) {}

    bool FormShow(HWND form) override {
        form_ = form;
        CreateToolBar();
        SendDlgItemMessageW(form, kMacrosList, LB_SETITEMHEIGHT, 0, 15);
        for (const wchar_t* method : {L"частоте использования", L"алфавиту", L"клавише вызова"})
            SendDlgItemMessageW(form, kSortMethod, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(method));
        SendDlgItemMessageW(form, kKeyList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"(Нет)"));
        for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
            const wchar_t text[2] = {letter, 0};
            SendDlgItemMessageW(form, kKeyList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        }
        SendDlgItemMessageW(form, kKeyList, CB_SETCURSEL, 0, 0);
        HWND text = Item(kText);
        SendMessageW(text, EM_SETTEXTMODE, TM_PLAINTEXT | TM_MULTILEVELUNDO, 0);
        LOGFONTW fixed{};
        HDC dc = GetDC(form);
        fixed.lfHeight = -MulDiv(10, GetDeviceCaps(dc, LOGPIXELSY), 72);
        ReleaseDC(form, dc);
        fixed.lfCharSet = RUSSIAN_CHARSET;
        fixed.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
        lstrcpyW(fixed.lfFaceName, L"Courier New");
        textFont_ = CreateFontIndirectW(&fixed);
        SendMessageW(text, WM_SETFONT, reinterpret_cast<WPARAM>(textFont_), TRUE);
        SendMessageW(text, EM_SETEVENTMASK, 0, 0);
        SendDlgItemMessageW(form, kConflictName, EM_SETREADONLY, TRUE, 0);
        for (int id : {kMacrosList, kSortMethod, kDefault, kAutoindent, kCtrlK, kCtrlQ, kKeyList, kConflictName,
                       kApplyKey, kCancelKey, kText})
            SetWindowSubclass(Item(id), ControlProc, static_cast<UINT_PTR>(id), reinterpret_cast<DWORD_PTR>(this));

        // Creation: everything but the controls of an empty set starts disabled.
        for (int id : {kDefault, kAutoindent, kCtrlK, kCtrlQ, kKeyLabel, kKeyList, kConflictLabel, kConflictName,
                       kApplyKey, kCancelKey, kTextLabel, kText})
            EnableWindow(Item(id), FALSE);
        for (int id : {kDelete, kEdit, kClear, kSave}) EnableTool(id, false);
        if (macros_.Count() > 0) EnableMacroControls();

        // The first activation: the list bound and filled, the sort method and
        // the compact status bar shown.
        view_ = std::make_unique<MacroListBox>(Item(kMacrosList), [this] { MacrosListClick(); });
        macros_.BindListBox(view_.get());
        SendDlgItemMessageW(form, kSortMethod, CB_SETCURSEL, static_cast<WPARAM>(macros_.GetSortMethod()), 0);
        host_.CompactStatusBar();
        ShowMacroStatus();
        SetFocus(Item(kMacrosList));
        return true;
    }

    bool FormCommand(HWND, int id, int code) override {
        switch (id) {
        case kMacrosList:
            if (code == LBN_SELCHANGE) MacrosListClick();
            return true;
        case kSortMethod:
            if (code == CBN_SELCHANGE) SortMethodClick();
            return true;
        case kDefault:
        case kAutoindent:
            if (code == BN_CLICKED) CheckBoxClick(id);
            return true;
        case kCtrlK:
        case kCtrlQ:
            if (code == BN_CLICKED) ModificatorClick();
            return true;
        case kKeyList:
            if (code == CBN_SELCHANGE) KeyListClick();
            return true;
        case kApplyKey:
        case kCancelKey:
            if (code == BN_DOUBLECLICKED) ConflictDblClick();
            return true;
        case kAdd: case kListAdd: AddButtonClick(); return true;
        case kDelete: case kListDelete: DeleteButtonClick(); return true;
        case kEdit: case kListEdit: EditButtonClick(); return true;
        case kClear: case kListClear: ClearButtonClick(); return true;
        case kOpen: case kListOpen: OpenButtonClick(); return true;
        case kSave: case kListSave: SaveButtonClick(); return true;
        case kClose: CloseButtonClick(); return true;
        case kTextUndo: SendMessageW(Item(kText), EM_UNDO, 0, 0); return true;
        case kTextRedo: SendMessageW(Item(kText), EM_REDO, 0, 0); return true;
        case kTextCut: SendMessageW(Item(kText), WM_CUT, 0, 0); return true;
        case kTextCopy: SendMessageW(Item(kText), WM_COPY, 0, 0); return true;
        case kTextPaste: SendMessageW(Item(kText), WM_PASTE, 0, 0); return true;
        case kTextDelete: SendMessageW(Item(kText), WM_CLEAR, 0, 0); return true;
        case kTextSelectAll: SendMessageW(Item(kText), EM_SETSEL, 0, -1); return true;
        case IDOK:
            // Enter: on a conflict choice it settles the conflict; the form has
            // no default button otherwise.
            if (GetFocus() == Item(kApplyKey) || GetFocus() == Item(kCancelKey)) ConflictDblClick();
            return true;
        default:
            return false;
        }
    }

    bool FormCloseQuery(HWND, int) override {
        // Closing settles what is pending: the text and an open conflict.
        CommitPending();
        return true;
    }

    bool FormMessage(HWND, UINT msg, WPARAM, LPARAM lParam, INT_PTR& result) override {
        switch (msg) {
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item->CtlType == ODT_MENU) DrawMenuPicture(*item);
            else if (item->CtlID == kMacrosList && view_) view_->DrawItem(*item, macros_);
            result = TRUE;
            return true;
        }
        case WM_MEASUREITEM: {
            auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (item->CtlType != ODT_MENU) return false;
            // Room for the picture beside the check-mark column.
            item->itemWidth = static_cast<UINT>(std::max(0, 26 - GetSystemMetrics(SM_CXMENUCHECK)));
            item->itemHeight = 18;
            result = TRUE;
            return true;
        }
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (header->code == TTN_GETDISPINFOW && header->idFrom >= kAdd && header->idFrom <= kClose) {
                auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
                info->lpszText = const_cast<wchar_t*>(kToolCaptions[header->idFrom - kAdd]);
                return true;
            }
            return false;
        }
        case kConflictClosed:
            if (!conflictOpen_) ShowConflictControls(false);
            return true;
        case WM_DESTROY:
            FormDestroy();
            return true;
        default:
            return false;
        }
    }

private:
    static constexpr const wchar_t* kToolCaptions[] = {L"Добавить", L"Удалить",  L"Изменить", L"Очистить",
                                                       L"Открыть",  L"Сохранить", L"Закрыть"};

    HWND Item(int id) const { return GetDlgItem(form_, id); }
    bool Checked(int id) const { return IsDlgButtonChecked(form_, id) == BST_CHECKED; }
    void Check(int id, bool on) { CheckDlgButton(form_, id, on ? BST_CHECKED : BST_UNCHECKED); }
    void EnableTool(int id, bool on) { SendMessageW(toolBar_, TB_ENABLEBUTTON, static_cast<WPARAM>(id), on); }

    TMacrosItem* Selected() const {
        const int index = view_ ? view_->SelectedIndex() : -1;
        return index >= 0 && index < macros_.Count() ? &macros_[index] : nullptr;
    }

    // ---- set-up and clean-up ----

    void CreateToolBar() {
        toolBar_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                                   WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | TBSTYLE_WRAPABLE |
                                       CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER,
                                   262, 8, 190, 124, form_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kToolBar)),
                                   GetModuleHandleW(nullptr), nullptr);
        SetWindowPos(toolBar_, Item(kMacrosList), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        SendMessageW(toolBar_, WM_SETFONT, SendMessageW(form_, WM_GETFONT, 0, 0), FALSE);
        SendMessageW(toolBar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
        const bool deep = DeepColour();
        hotImages_ = LoadPictures(deep ? 7 : 6, 20, false);
        images_ = LoadPictures(deep ? 9 : 8, 20, false);
        disabledImages_ = LoadPictures(10, 20, true);
        SendMessageW(toolBar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(20, 20));
        SendMessageW(toolBar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_));
        SendMessageW(toolBar_, TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(hotImages_));
        SendMessageW(toolBar_, TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(disabledImages_));
        std::vector<TBBUTTON> buttons;
        for (int i = 0; i < 7; ++i) {
            TBBUTTON button{};
            button.idCommand = kAdd + i;
            button.iBitmap = i;
            button.fsState = TBSTATE_ENABLED | (i == 2 || i == 5 ? TBSTATE_WRAP : 0);  // rows of three, three, one
            button.fsStyle = BTNS_BUTTON;
            button.iString = reinterpret_cast<INT_PTR>(kToolCaptions[i]);
            buttons.push_back(button);
        }
        SendMessageW(toolBar_, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
        SendMessageW(toolBar_, TB_SETBUTTONWIDTH, 0, MAKELPARAM(60, 60));
        SendMessageW(toolBar_, TB_SETBUTTONSIZE, 0, MAKELPARAM(60, 40));
    }

    void FormDestroy() {
        TextExit();
        macros_.BindListBox(nullptr);
        RebuildUserKeyLists();
        host_.RestoreStatusBar();
        for (HMENU* menu : {&textMenu_, &listMenu_})
            if (*menu) DestroyMenu(*menu), *menu = nullptr;
        textPictures_.Destroy();
        listPictures_.Destroy();
        for (HIMAGELIST* list : {&images_, &hotImages_, &disabledImages_})
            if (*list) ImageList_Destroy(*list), *list = nullptr;
        if (textFont_) DeleteObject(textFont_), textFont_ = nullptr;
    }

    // ---- enabling ----

    void EnableMacroControls() {
        for (int id : {kDefault, kAutoindent, kTextLabel, kText, kCtrlK, kCtrlQ, kKeyLabel, kKeyList})
            EnableWindow(Item(id), TRUE);
        for (int id : {kEdit, kDelete, kSave, kClear}) EnableTool(id, true);
    }

    void DisableMacroControls() {
        for (int id : {kEdit, kDelete, kSave, kClear}) EnableTool(id, false);
        Check(kDefault, false);
        Check(kAutoindent, false);
        SetWindowTextW(Item(kText), L"");
        for (int id : {kDefault, kAutoindent, kTextLabel, kText, kCtrlK, kCtrlQ, kKeyLabel, kKeyList, kConflictLabel,
                       kConflictName, kApplyKey, kCancelKey})
            EnableWindow(Item(id), FALSE);
        Check(kCtrlK, false);
        Check(kCtrlQ, false);
        SendMessageW(Item(kKeyList), CB_SETCURSEL, 0, 0);
    }

    // ---- the list and the status ----

    void MacrosListClick() {
        const TMacrosItem* macro = Selected();
        if (!macro) {
            ShowMacroStatus();
            return;
        }
        Check(kDefault, macro->Default());
        Check(kAutoindent, macro->Autoindent());
        Check(kCtrlK, macro->PrefixK());
        Check(kCtrlQ, !macro->PrefixK());
        SendMessageW(Item(kKeyList), CB_SETCURSEL, static_cast<WPARAM>(KeyEntryOf(macro->Key())), 0);
        std::wstring text = Shown(macro->Text());
        SetWindowTextW(Item(kText), text.c_str());
        SendMessageW(Item(kText), EM_EMPTYUNDOBUFFER, 0, 0);
        ShowMacroStatus();
    }

    // The edited macro keeps the selection wherever the set's order moved it.
    void Reselect(const TMacrosItem& macro) {
        const int index = macros_.IndexOf(macro);
        if (index < 0 || !view_) return;
        if (view_->SelectedIndex() != index) {
            view_->Select(index);
            MacrosListClick();
        }
    }

    void ShowMacroStatus() {
        const TMacrosItem* macro = macros_.Count() > 0 ? Selected() : nullptr;
        host_.SetPanelText(0, MacroStatusText(macro));
        host_.SetPanelText(1, MacroKeyText(macro));
    }

    void TextExit() {
        TMacrosItem* macro = Selected();
        if (!macro || !IsWindow(Item(kText))) return;
        // The control ends its lines as it likes; the set keeps CR LF.
        macro->SetText(ExpandLineBreaks(Stored(NormalizeLineBreaks(ControlText(form_, kText)))));
    }

    void CommitPending() {
        TextExit();
        if (conflictOpen_) ConflictDblClick();
    }

    // ---- buttons ----

    void AddButtonClick() {
        CommitPending();
        std::wstring name, description;
        if (AskMacroName(form_, L"Добавление нового макроса", name, description)) {
            TMacrosItem& macro = macros_.AddMacro();
            macro.SetName(Stored(name));
            macro.SetDescription(Stored(description));
            if (macros_.Count() == 1) macro.SetDefault(true);
            view_->Select(macros_.IndexOf(macro));
            MacrosListClick();
            EnableMacroControls();
        }
        ShowMacroStatus();
    }

    void EditButtonClick() {
        CommitPending();
        TMacrosItem* macro = Selected();
        if (!macro) return;
        std::wstring name = Shown(macro->Name()), description = Shown(macro->Description());
        if (AskMacroName(form_, ResourceString(kStrEditCaption), name, description)) {
            macro->SetName(Stored(name));
            macro->SetDescription(Stored(description));
            Reselect(*macro);
        }
        ShowMacroStatus();
    }

    void DeleteButtonClick() {
        CommitPending();
        TMacrosItem* macro = Selected();
        if (!macro) return;
        const PromptAnswer answer = ShowPrompt({kStrDeleteQuestion, {Shown(macro->Name())}, kCaption,
                                                PromptIcon::Warning, PromptButtons::YesNo, 1, form_});
        if (answer == PromptAnswer::Yes) {
            macros_.DeleteMacro(view_->SelectedIndex());
            if (macros_.Count() == 0) DisableMacroControls();
        }
        ShowMacroStatus();
    }

    void ClearSet() {
        macros_.Clear();
        macros_.RefreshDisplay(true);
    }

    void ClearButtonClick() {
        CommitPending();
        if (!macros_.Modified()) {
            if (ShowPrompt({kStrClearQuestion, {}, ResourceString(kStrConfirmCaption), PromptIcon::Warning,
                            PromptButtons::YesNo, 0, form_}) == PromptAnswer::Yes)
                ClearSet();
        } else {
            switch (ShowPrompt({kStrClearUnsaved, {}, ResourceString(kStrConfirmCaption), PromptIcon::Warning,
                                PromptButtons::YesNoCancel, 0, form_})) {
            case PromptAnswer::Yes:
                SaveButtonClick();
                if (saveState_ != 0) return;
                ClearSet();
                break;
            case PromptAnswer::No: ClearSet(); break;
            default: return;
            }
        }
        if (macros_.Count() == 0) {
            DisableMacroControls();
            macros_.SetModified(false);
        }
        ShowMacroStatus();
    }

    // Runs the open or save dialog; the chosen name, or empty.
    std::wstring ChooseFile(bool save) {
        char name[MAX_PATH] = {};
        char folder[kFileboxFolderSize] = {};
        const std::string title = AnsiText(ResourceString(save ? kStrSaveTitle : kStrOpenTitle));
        FileDialogRequest request{form_, name, MAX_PATH, 0, folder, title.c_str(), 0, CustomizeMacroSetDialog};
        const auto& runner = MacroSetDialogRunner();
        const int chosen = runner ? runner(request, save) : save ? SaveFiles(&request) : OpenFiles(&request);
        if (!chosen) return {};
        name[MAX_PATH - 1] = '\0';
        return BytesToText(name, CodePage::Ansi);
    }

    void OpenButtonClick() {
        CommitPending();
        const std::wstring file = ChooseFile(false);
        if (file.empty()) return;
        if (macros_.Modified()) {
            switch (ShowPrompt({kStrOpenUnsaved, {}, ResourceString(kStrConfirmCaption), PromptIcon::Warning,
                                PromptButtons::YesNoCancel, 0, form_})) {
            case PromptAnswer::Yes:
                SaveButtonClick();
                if (saveState_ != 0) return;
                macros_.Clear();
                break;
            case PromptAnswer::No: macros_.Clear(); break;
            default: return;
            }
        } else {
            macros_.Clear();
        }
        // Opening replaces the set: the old macros are gone even when the
        // new file cannot be read (the question above offered to save them).
        DWORD error = 0;
        const std::optional<std::string> bytes = ReadWholeFile(file, &error);
        if (!bytes) {
            ShowPrompt({kStrCannotOpen, {file}, ResourceString(kStrOpenTitle), PromptIcon::Information,
                        PromptButtons::Ok, 0, form_});
        } else {
            try {
                macros_.ReadMacroSet(*bytes);
            } catch (const StreamError&) {
                ShowPrompt({kStrReadFailed, {}, L"", PromptIcon::Information, PromptButtons::Ok, 0, form_});
            }
        }
        // The reading filled the list once, whole or as far as it went.
        macros_.SetModified(false);
        if (macros_.Count() > 0) EnableMacroControls();
        else DisableMacroControls();
        MacrosListClick();
    }

    void SaveButtonClick() {
        CommitPending();
        saveState_ = 1;
        const std::wstring file = ChooseFile(true);
        if (file.empty()) return;
        saveState_ = 2;
        // Written beside the old file and put in its place only when whole:
        // a failed save leaves the old file as it was.
        const FileResult result = WriteFileSafely(file, macros_.WriteMacroSet());
        if (result.ok) {
            saveState_ = 0;
            macros_.SetModified(false);
        } else if (result.error == ERROR_PATH_NOT_FOUND || result.error == ERROR_INVALID_NAME ||
                   result.error == ERROR_BAD_PATHNAME) {
            ShowPrompt({kStrCannotOpen, {file}, L"", PromptIcon::Information, PromptButtons::Ok, 0, form_});
        } else {
            ShowPrompt({kStrSaveFailed, {}, L"", PromptIcon::Warning, PromptButtons::Ok, 0, form_});
        }
    }

    void CloseButtonClick() { SendMessageW(form_, WM_COMMAND, IDCANCEL, 0); }

    // ---- flags, prefix and key ----

    void SortMethodClick() {
        const auto chosen = SendMessageW(Item(kSortMethod), CB_GETCURSEL, 0, 0);
        if (chosen < 0 || chosen > 2) return;
        TMacrosItem* macro = Selected();
        macros_.SetSortMethod(static_cast<SortMethod>(chosen));
        if (macro) Reselect(*macro);
    }

    void CheckBoxClick(int id) {
        if (inCheckBoxClick_ || macros_.Count() == 0) return;
        TMacrosItem* macro = Selected();
        if (!macro) return;
        inCheckBoxClick_ = true;
        if (id == kAutoindent) {
            macro->SetAutoindent(Checked(kAutoindent));
        } else {
            macro->SetDefault(Checked(kDefault));
            Check(kDefault, macro->Default());  // the default macro's box cannot be unticked
        }
        inCheckBoxClick_ = false;
    }

    void ModificatorClick() {
        TMacrosItem* macro = Selected();
        if (!macro) return;
        savedKey_ = macro->Key();
        savedPrefixK_ = macro->PrefixK();
        macro->SetPrefixK(Checked(kCtrlK));
        Reselect(*macro);
        ShowMacroStatus();
        CheckKeyConflict(*macro);
    }

    void KeyListClick() {
        TMacrosItem* macro = Selected();
        if (!macro) return;
        savedKey_ = macro->Key();
        savedPrefixK_ = macro->PrefixK();
        const auto entry = SendMessageW(Item(kKeyList), CB_GETCURSEL, 0, 0);
        macro->SetKey(KeyOfEntry(static_cast<int>(entry)));
        Reselect(*macro);
        ShowMacroStatus();
        CheckKeyConflict(*macro);
    }

    void CheckKeyConflict(TMacrosItem& target) {
        conflict_.target = &target;
        TMacrosItem* owner = FindKeyConflict(macros_, target);
        if (!owner) return;
        SendMessageW(Item(kKeyList), CB_SHOWDROPDOWN, FALSE, 0);
        conflict_.owner = owner;
        conflict_.savedKey = savedKey_;
        conflict_.savedPrefixK = savedPrefixK_;
        conflictOpen_ = true;
        ShowConflictControls(true);
        SetWindowTextW(Item(kConflictName), Shown(owner->Name()).c_str());
        Check(kApplyKey, true);
        Check(kCancelKey, false);
        SetFocus(Item(kApplyKey));
    }

    void ShowConflictControls(bool on) {
        for (int id : {kConflictLabel, kConflictName, kApplyKey, kCancelKey}) EnableWindow(Item(id), on);
    }

    // Controls where the focus may go without settling a conflict.
    bool KeepsConflictOpen(HWND window) const {
        for (int id : {kConflictName, kActionPanel, kApplyKey, kCancelKey, kAutoindent})
            if (window && window == Item(id)) return true;
        return false;
    }

    void ConflictExit(HWND receiving) {
        if (!conflictOpen_ || KeepsConflictOpen(receiving)) return;
        conflictOpen_ = false;
        const bool apply = Checked(kApplyKey);
        ResolveKeyConflict(conflict_, apply);
        if (!apply && conflict_.target) Reselect(*conflict_.target), MacrosListClick();
        ShowMacroStatus();
        SetWindowTextW(Item(kConflictName), L"");
        Check(kApplyKey, false);
        Check(kCancelKey, false);
        // Greyed once the focus has settled where it was going.
        PostMessageW(form_, kConflictClosed, 0, 0);
    }

    void ConflictDblClick() {
        SetFocus(Item(kKeyList));
        // The focus may have been on a control that keeps the conflict open
        // (the autoindent box): settle it all the same.
        ConflictExit(Item(kKeyList));
    }

    // ---- keys and context menus ----

    bool FormKeyPress(HWND control, wchar_t ch) {
        const DialogFocus focus = control == Item(kMacrosList) ? DialogFocus::MacrosList
                                  : control == Item(kText)     ? DialogFocus::Text
                                                               : DialogFocus::Other;
        switch (FormKeyAction(ch, focus)) {
        case DialogKeyAction::Add: AddButtonClick(); return true;
        case DialogKeyAction::Edit: EditButtonClick(); return true;
        case DialogKeyAction::Delete: DeleteButtonClick(); return true;
        case DialogKeyAction::Clear: ClearButtonClick(); return true;
        case DialogKeyAction::None: return false;
        }
        return false;
    }

    HMENU BuildMenu(const std::vector<int>& commands, MenuPictures& pictures, int hotFirst, int normalFirst,
                    int disabledId) {
        HMENU menu = CreatePopupMenu();
        for (int command : commands) {
            if (command == 0) {
                AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
                continue;
            }
            AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(command), ResourceString(command).c_str());
            if (command == kTextSelectAll) continue;  // the one item without a picture
            MENUITEMINFOW info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_BITMAP;
            info.hbmpItem = HBMMENU_CALLBACK;
            SetMenuItemInfoW(menu, static_cast<UINT>(command), FALSE, &info);
        }
        pictures.Load(hotFirst, normalFirst, disabledId);
        return menu;
    }

    void DrawMenuPicture(const DRAWITEMSTRUCT& item) {
        const int command = static_cast<int>(item.itemID);
        int picture = -1;
        MenuPictures* pictures = nullptr;
        if (command >= kTextUndo && command <= kTextDelete) {
            picture = command - kTextUndo;
            pictures = &textPictures_;
        } else if (command >= kListAdd && command <= kListSave) {
            static constexpr int kListPictures[] = {4, 2, 3, 0, 5, 1};
            picture = kListPictures[command - kListAdd];
            pictures = &listPictures_;
        }
        if (!pictures) return;
        const HIMAGELIST list = (item.itemState & (ODS_GRAYED | ODS_DISABLED)) ? pictures->disabled
                                : (item.itemState & ODS_SELECTED)               ? pictures->hot
                                                                                : pictures->normal;
        if (list) ImageList_Draw(list, picture, item.hDC, item.rcItem.right - 26, item.rcItem.bottom - 18, ILD_TRANSPARENT);
    }

    void ShowTextMenu(POINT at) {
        if (!textMenu_)
            textMenu_ = BuildMenu({kTextUndo, kTextRedo, 0, kTextCut, kTextCopy, kTextPaste, kTextDelete, 0,
                                   kTextSelectAll},
                                  textPictures_, 7000, 7002, 7004);
        HWND text = Item(kText);
        DWORD start = 0, end = 0;
        SendMessageW(text, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        const bool selection = end > start;
        const auto enable = [&](int command, bool on) {
            EnableMenuItem(textMenu_, static_cast<UINT>(command), MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
        };
        enable(kTextUndo, SendMessageW(text, EM_CANUNDO, 0, 0) != 0);
        enable(kTextRedo, SendMessageW(text, EM_CANREDO, 0, 0) != 0);
        enable(kTextCut, selection);
        enable(kTextCopy, selection);
        enable(kTextPaste, SendMessageW(text, EM_CANPASTE, 0, 0) != 0);
        enable(kTextDelete, selection);
        const UINT command = TrackPopupMenu(textMenu_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                                            at.x, at.y, 0, form_, nullptr);
        if (command) FormCommand(form_, static_cast<int>(command), 0);
    }

    void ShowListMenu(POINT at) {
        if (!listMenu_)
            listMenu_ = BuildMenu({kListAdd, kListDelete, kListEdit, kListClear, kListOpen, kListSave}, listPictures_,
                                  7050, 7052, 7054);
        const auto enable = [&](int command, bool on) {
            EnableMenuItem(listMenu_, static_cast<UINT>(command), MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
        };
        enable(kListDelete, menuTarget_ >= 0);
        enable(kListEdit, menuTarget_ >= 0);
        enable(kListClear, macros_.Count() > 0);
        enable(kListSave, macros_.Count() > 0);
        const UINT command = TrackPopupMenu(listMenu_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                                            at.x, at.y, 0, form_, nullptr);
        if (command) FormCommand(form_, static_cast<int>(command), 0);
    }

    void TextMenuAtCaret() {
        HWND text = Item(kText);
        DWORD start = 0, end = 0;
        SendMessageW(text, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        POINTL caret{};
        SendMessageW(text, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&caret), static_cast<LPARAM>(end));
        TEXTMETRICW metrics{};
        HDC dc = GetDC(text);
        HGDIOBJ old = SelectObject(dc, textFont_);
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, old);
        ReleaseDC(text, dc);
        POINT at{caret.x + 2, caret.y + metrics.tmHeight / 2};
        ClientToScreen(text, &at);
        ShowTextMenu(at);
    }

    void ListMenuAt(POINT screen, bool fromMouse) {
        HWND list = Item(kMacrosList);
        if (fromMouse) {
            POINT client = screen;
            ScreenToClient(list, &client);
            const auto hit = SendMessageW(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(client.x, client.y));
            const int index = LOWORD(hit);
            if (HIWORD(hit) == 0 && index < macros_.Count()) {
                menuTarget_ = index;
                view_->Select(index);
                MacrosListClick();
            } else {
                menuTarget_ = -1;
            }
            ShowListMenu(screen);
            return;
        }
        menuTarget_ = macros_.Count() > 0 ? view_->SelectedIndex() : -1;
        RECT box{};
        GetClientRect(list, &box);
        POINT at{box.right / 2, box.bottom / 2};
        if (menuTarget_ >= 0) {
            RECT row{};
            SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(menuTarget_), reinterpret_cast<LPARAM>(&row));
            at.y = (row.top + row.bottom) / 2;
        }
        ClientToScreen(list, &at);
        ShowListMenu(at);
    }

    static LRESULT CALLBACK ControlProc(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                        DWORD_PTR data) {
        auto* self = reinterpret_cast<TMacrosDialog*>(data);
        try {
            switch (msg) {
            case WM_CHAR:
                // The form sees the characters first.
                if (self->FormKeyPress(control, static_cast<wchar_t>(wParam))) return 0;
                if (id == kKeyList) return 0;  // typing never searches the key list
                break;
            case WM_KEYDOWN:
                if (id == kKeyList && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0) {
                    const int entry = KeyEntryForKeyDown(static_cast<int>(wParam));
                    if (entry >= 0) {
                        SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
                        self->KeyListClick();
                        return 0;
                    }
                }
                break;
            case WM_KILLFOCUS: {
                const LRESULT result = DefSubclassProc(control, msg, wParam, lParam);
                if (id == kText) self->TextExit();
                // Leaving the autoindent box (where the focus may rest with a
                // conflict open) settles it too, so that none stays open unseen.
                if (id == kConflictName || id == kApplyKey || id == kCancelKey || id == kAutoindent)
                    self->ConflictExit(reinterpret_cast<HWND>(wParam));
                return result;
            }
            case WM_RBUTTONUP:
                if (id == kText || id == kMacrosList) {
                    POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
                    ClientToScreen(control, &at);
                    if (id == kText) self->ShowTextMenu(at);
                    else self->ListMenuAt(at, true);
                    return 0;
                }
                break;
            case WM_KEYUP:
                if (wParam == VK_APPS && (id == kText || id == kMacrosList)) {
                    if (id == kText) self->TextMenuAtCaret();
                    else self->ListMenuAt({}, false);
                    return 0;
                }
                break;
            case WM_CONTEXTMENU:
                if (id == kText || id == kMacrosList) return 0;  // shown on the button and key above
                break;
            case WM_NCDESTROY:
                RemoveWindowSubclass(control, ControlProc, id);
                break;
            default:
                break;
            }
        } catch (...) {
            return 0;  // nothing crosses the window procedure
        }
        return DefSubclassProc(control, msg, wParam, lParam);
    }

    EditHost& host_;
    TMacrosList& macros_;
    HWND form_ = nullptr, toolBar_ = nullptr;
    std::unique_ptr<MacroListBox> view_;
    HIMAGELIST images_ = nullptr, hotImages_ = nullptr, disabledImages_ = nullptr;
    HMENU textMenu_ = nullptr, listMenu_ = nullptr;
    MenuPictures textPictures_, listPictures_;
    HFONT textFont_ = nullptr;
    KeyConflict conflict_;
    bool conflictOpen_ = false;
    char savedKey_ = kNoKey;
    bool savedPrefixK_ = true;
    int saveState_ = 0;  // 0 saved, 1 the save dialog was cancelled, 2 writing failed
    int menuTarget_ = -1;
    bool inCheckBoxClick_ = false;
};

}  // namespace

std::function<int(FileDialogRequest&, bool)>& MacroSetDialogRunner() {
    static std::function<int(FileDialogRequest&, bool)> runner;
    return runner;
}

void __stdcall CustomizeMacroSetDialog(FileDialogRequest*, OPENFILENAMEA* setup) {
    setup->lpstrFilter = MacroSetFilter().c_str();
    setup->nFilterIndex = 1;
    setup->lpstrDefExt = MacroSetExtension().c_str();
    setup->Flags &= ~static_cast<DWORD>(OFN_ALLOWMULTISELECT);
    setup->Flags |= OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
}

void ShowMacrosDialog(EditHost& host) {
    LoadLibraryW(L"Msftedit.dll");
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    const DWORD groupStart = WS_GROUP | WS_TABSTOP;
    FormDescription form{kCaption, 452, 365, {}};
    form.controls = {
        {L"STATIC", L"&Список макросов:", SS_LEFT, 8, 8, 244, 16, kListLabel},
        {L"LISTBOX", L"", WS_TABSTOP | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 8, 26, 244,
         168, kMacrosList, WS_EX_CLIENTEDGE},
        {L"STATIC", L"Упо&рядочить по", SS_LEFT, 262, 134, 182, 16, kSortLabel},
        {L"COMBOBOX", L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 262, 150, 182, 200, kSortMethod},
        {L"BUTTON", L"&По умолчанию", groupStart | BS_AUTOCHECKBOX, 262, 176, 98, 20, kDefault},
        {L"BUTTON", L"&Автоотступ", WS_TABSTOP | BS_AUTOCHECKBOX, 362, 176, 88, 20, kAutoindent},
        {L"BUTTON", L"Сочетание клави&ш", BS_GROUPBOX, 8, 198, 444, 60, kShortCut},
        {L"BUTTON", L"Ctrl+&K", groupStart | BS_AUTORADIOBUTTON, 16, 214, 72, 18, kCtrlK},
        {L"BUTTON", L"Ctrl+&Q", BS_AUTORADIOBUTTON, 16, 234, 72, 18, kCtrlQ},
        {L"STATIC", L"&Клавиша:", SS_LEFT, 96, 216, 58, 16, kKeyLabel},
        {L"COMBOBOX", L"", groupStart | WS_VSCROLL | CBS_DROPDOWNLIST, 156, 212, 66, 300, kKeyList},
        {L"STATIC", L"Кон&фликт с:", SS_LEFT, 232, 216, 76, 16, kConflictLabel},
        {L"EDIT", L"", WS_TABSTOP | ES_READONLY | ES_AUTOHSCROLL, 310, 212, 134, 20, kConflictName, WS_EX_CLIENTEDGE},
        {L"STATIC", L"", SS_LEFT, 232, 234, 212, 20, kActionPanel},
        {L"BUTTON", L"При&менить", groupStart | BS_AUTORADIOBUTTON | BS_NOTIFY, 234, 235, 100, 18, kApplyKey},
        {L"BUTTON", L"&Отменить", BS_AUTORADIOBUTTON | BS_NOTIFY, 338, 235, 100, 18, kCancelKey},
        {L"STATIC", L"&Текст макроса:", SS_LEFT, 8, 262, 244, 16, kTextLabel},
        {L"RICHEDIT50W", L"",
         groupStart | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN, 8, 278,
         444, 42, kText, WS_EX_CLIENTEDGE},
        {L"STATIC",
         L"В качестве специальных символов в макросах Вы можете использовать:\r\n'|' - место, куда будет "
         L"перемещен курсор после вставки;\r\n'^' - место, куда будет помещен текущий выделенный фрагмент.",
         SS_LEFT, 8, 322, 444, 42, kDescriptionLabel},
    };
    TMacrosDialog dialog(host);
    RunModalForm(host.MainWindow(), form, dialog);
}

}  // namespace quillon
