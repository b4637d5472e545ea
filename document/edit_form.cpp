#include "edit_form.h"

#include <commctrl.h>
#include <richedit.h>
#include <shellapi.h>
#include <shlwapi.h>
#include <windowsx.h>

#include <algorithm>
#include <functional>

#include "case_dialog.h"
#include "coding.h"
#include "edit_rules.h"
#include "editing_aids.h"
#include "filebox_api.h"
#include "goto_dialog.h"
#include "journal.h"
#include "prompts.h"
#include "text_format.h"
#include "text_lines.h"
#include "win32_clipboard.h"
#include "win32_files.h"
#include "win32_guards.h"
#include "window_glue.h"

namespace quillon {

namespace {

constexpr int kEditorId = 100;
constexpr UINT kMsgApplySize = WM_APP + 1;
// From this length on the editor follows its window's size once a switch of
// windows is over; a shorter text is laid out again at once, as it costs little.
constexpr int kDeferredLayoutLength = 64 * 1024;
constexpr wchar_t kLoadingCaption[] = L"Загрузка файла %s...";
constexpr int kStrUntitled = 101;
constexpr int kStrSaveQuestion = 110;
constexpr int kStrSaveFailed = 115;
constexpr int kStrBrowserFailed = 116;
constexpr int kStrBackupFailed = 151;
constexpr int kStrSaveTitle = 160;
constexpr int kStrNotFound = 127;
constexpr int kStrBinaryReadOnly = 200;
constexpr int kStrWrapRefused = 201;
constexpr int kStrCodingLosesText = 202;
constexpr int kStrUtf8ToWindows = 205;
// The journal's timers: the pause after typing, and the longest wait while typing goes on.
constexpr UINT_PTR kJournalPauseTimer = 71;
constexpr UINT_PTR kJournalLatestTimer = 72;
constexpr unsigned kJournalPauseMs = 2000;
constexpr unsigned kJournalLatestMs = 30000;

std::string Narrow(const std::wstring& text) { return TextToBytes(text, CodePage::Ansi); }
std::wstring Wide(const char* text) { return BytesToText(text ? text : "", CodePage::Ansi); }

size_t TextHash(const EditorControl& editor) { return std::hash<std::wstring>()(editor.Text()); }

}  // namespace

// The save dialog, replaceable by tests; by default Filebox's.
std::function<int(FileDialogRequest&)>& SaveDialogRunner() {
    static std::function<int(FileDialogRequest&)> runner;
    return runner;
}

namespace {
int RunSaveDialog(FileDialogRequest& request) {
    if (SaveDialogRunner()) return SaveDialogRunner()(request);
    return SaveFiles(&request);
}
}  // namespace

bool RegisterEditFormClass(HINSTANCE instance) {
    return RegisterProgramClass(instance, kEditFormClass, WindowProcOf<TEditForm>, LoadIconW(nullptr, IDI_APPLICATION),
                                COLOR_WINDOW);
}

TEditForm* TEditForm::Create(EditHost& host, WindowStart start) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!RegisterEditFormClass(instance)) return nullptr;
    auto* form = new TEditForm(host);
    MDICREATESTRUCTW create{};
    create.szClass = kEditFormClass;
    create.szTitle = L"";
    create.hOwner = instance;
    create.x = create.y = CW_USEDEFAULT;
    create.cx = 452;
    create.cy = 279;
    create.lParam = reinterpret_cast<LPARAM>(form);
    if (start == WindowStart::Maximized) create.style = WS_MAXIMIZE;
    HWND hwnd = reinterpret_cast<HWND>(
        SendMessageW(host.DocumentArea(), WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
    if (!hwnd) {
        // WM_NCDESTROY did not run for a window that never existed.
        if (!form->hwnd_) delete form;
        return nullptr;
    }
    return form;
}

TEditForm* TEditForm::FromWindow(HWND hwnd) {
    wchar_t cls[32] = {};
    if (!hwnd || !GetClassNameW(hwnd, cls, 32) || std::wstring(cls) != kEditFormClass) return nullptr;
    return reinterpret_cast<TEditForm*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

TEditForm* TEditForm::ObjectFromCreate(const CREATESTRUCTW& create) {
    const auto* mdi = reinterpret_cast<const MDICREATESTRUCTW*>(create.lpCreateParams);
    return reinterpret_cast<TEditForm*>(mdi->lParam);
}

LRESULT TEditForm::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == SearchDialogs::FindMessage()) return OnFindMessage(lParam);
    switch (msg) {
    case WM_MENUSELECT: OnMenuSelect(wParam, lParam); break;
    case WM_CREATE: OnCreate(); return 0;
    case WM_SIZE: OnSize(); break;  // the default handling keeps the MDI state
    case WM_SETFOCUS: if (editor_) SetFocus(editor_->Handle()); return 0;
    case WM_MDIACTIVATE: OnMdiActivate(reinterpret_cast<HWND>(wParam), reinterpret_cast<HWND>(lParam)); break;
    case kMsgApplySize: OnApplySize(); return 0;
    case WM_CLOSE: return OnClose();
    case WM_SYSCOMMAND: OnSysCommand(wParam); break;
    case WM_DESTROY: OnDestroy(); break;
    case WM_TIMER: OnTimer(wParam); return 0;
    default: break;
    }
    return Default(msg, wParam, lParam);
}

LRESULT TEditForm::OnFindMessage(LPARAM request) {
    if (!searches_) return 0;
    searches_->OnFindMessage(*reinterpret_cast<const FINDREPLACEW*>(request));
    host_.States().FindNextState(CanFindNext());
    return 0;
}

void TEditForm::OnMdiActivate(HWND deactivated, HWND activated) {
    if (activated == hwnd_) {
        FormActivate();
        if (sizePending_) PostApplySize();  // once the switch is over and the window has its size
    } else if (deactivated == hwnd_) {
        FormDeactivate();
    }
}

LRESULT TEditForm::OnClose() {
    if (!FormCloseQuery()) return 0;
    closing_ = true;
    return Default(WM_CLOSE, 0, 0);
}

void TEditForm::OnSysCommand(WPARAM command) {
    if ((command & 0xFFF0) == SC_MINIMIZE) RecordNormalBounds();
}

void TEditForm::OnCreate() {
    DocumentState& state = SharedDocumentState();
    state.OpenDocumentCount += 1;
    FInsertMode = true;
    FPassChars = true;
    FHasFile = false;
    FFileName.clear();
    editor_ = std::make_unique<RichEditControl>(hwnd_, kEditorId);
    // The form's font: "Courier New", 15 pixels, regular.
    editor_->SetFont({L"Courier New", 0, 15});
    ApplyFont();
    host_.RegisterWindow(hwnd_);
    ApplyWordSelection();
    const LRESULT options = SendMessageW(editor_->Handle(), EM_GETLANGOPTIONS, 0, 0);
    SendMessageW(editor_->Handle(), EM_SETLANGOPTIONS, 0, (options & ~IMF_UIFONTS) | IMF_AUTOFONTSIZEADJUST);
    editor_->SetOnChange([this] {
        textChanged_ = true;
        ++changeCount_;
        SelectionChange();
        JournalChanged();
    });
    editor_->SetOnSelectionChange([this] { SelectionChange(); });
    // The journal takes the text from the wrapper's copy, not from the control.
    if (DocumentJournal* journal = host_.Journal(); journal && journal->IsOpen()) editor_->SetKeepText(true);
    searches_ = std::make_unique<SearchDialogs>(hwnd_, *editor_, SearchDialogs::Events{
        [this] { RichEditTextNotFound(); }, [this](int caretBefore) {
            replaceAllChange_ = changeCount_;
            caretBeforeReplaceAll_ = caretBefore;
        }});
    editor_->SetMessageFilter([this](UINT msg, WPARAM wParam, LPARAM lParam) {
        return EditorMessage(msg, wParam, lParam);
    });
    BuildPopupMenu();
}

void TEditForm::BuildPopupMenu() {
    popupMenu_.Reset(CreatePopupMenu());
    for (const ContextMenuRow& row : host_.ContextMenuRows()) {
        const std::wstring caption(row.caption);
        AppendMenuW(popupMenu_.Get(), row.verb == DocumentVerb::None ? MF_SEPARATOR : MF_STRING,
                    static_cast<UINT_PTR>(row.verb), caption.c_str());
    }
}

std::optional<LRESULT> TEditForm::EditorMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    try {
        switch (msg) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (RichEditKeyDown(static_cast<int>(wParam))) return 0;
            break;
        case WM_CHAR:
            if (FormKeyPress(static_cast<wchar_t>(wParam))) return 0;
            break;
        case WM_KILLFOCUS: KeysLost(); break;
        case WM_CONTEXTMENU: OnContextMenu(lParam); return 0;
        default: break;
        }
    } catch (...) {
        // Nothing may cross the window procedure; the key goes to the control.
    }
    return std::nullopt;
}

void TEditForm::RecordNormalBounds() {
    RECT bounds{};
    GetWindowRect(hwnd_, &bounds);
    MapWindowPoints(nullptr, host_.DocumentArea(), reinterpret_cast<POINT*>(&bounds), 2);
    FNormalLeft = bounds.left;
    FNormalTop = bounds.top;
    FNormalWidth = bounds.right - bounds.left;
    FNormalHeight = bounds.bottom - bounds.top;
}

void TEditForm::Release() {
    closing_ = true;
    SendMessageW(host_.DocumentArea(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(hwnd_), 0);
}

// Every size change of the editor lays its whole text out again, which takes
// seconds for a large document under Wine. Switching between maximized windows
// restores the one left and maximizes it again when it comes back, so a large
// document's editor follows its window only once the switch is over (a posted
// message), and not at all while its window lies hidden behind a maximized
// one: it keeps the size it had, which is the size it gets back.
void TEditForm::OnSize() {
    // A window on its way out is restored from maximized first: no layout for that.
    if (!editor_ || closing_) return;
    sizePending_ = true;
    if (editor_->TextLength() < kDeferredLayoutLength) ApplySize();
    else PostApplySize();
}

void TEditForm::PostApplySize() {
    if (applyPosted_) return;
    applyPosted_ = PostMessageW(hwnd_, kMsgApplySize, 0, 0) != 0;
}

bool TEditForm::IsActive() const {
    return reinterpret_cast<HWND>(SendMessageW(host_.DocumentArea(), WM_MDIGETACTIVE, 0, 0)) == hwnd_;
}

bool TEditForm::HiddenBehindMaximized() const {
    BOOL maximized = FALSE;
    const auto active = reinterpret_cast<HWND>(
        SendMessageW(host_.DocumentArea(), WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
    return maximized && active && active != hwnd_;
}

void TEditForm::OnApplySize() {
    applyPosted_ = false;
    if (!editor_ || closing_) return;
    ApplySize();
    // The document area has left its maximized state: the windows behind follow now.
    if (IsActive() && !HiddenBehindMaximized() && !IsZoomed(hwnd_))
        for (HWND child = GetWindow(GetParent(hwnd_), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (TEditForm* other = FromWindow(child); other && other != this) other->ApplySize();
}

void TEditForm::ApplySize() {
    if (!sizePending_ || !editor_ || closing_ || HiddenBehindMaximized()) return;
    sizePending_ = false;
    RECT client{}, bounds{};
    GetClientRect(hwnd_, &client);
    GetWindowRect(editor_->Handle(), &bounds);
    if (bounds.right - bounds.left != client.right || bounds.bottom - bounds.top != client.bottom) {
        std::optional<WaitCursor> wait;
        if (editor_->TextLength() >= kDeferredLayoutLength) wait.emplace();
        MoveWindow(editor_->Handle(), 0, 0, client.right, client.bottom, TRUE);
    }
    // FormResize: the caret panel follows the active window only.
    if (IsActive() && SharedDocumentState().OpenDocumentCount > 0) {
        const EditorControl::CaretPosition caret = editor_->Caret();
        host_.States().ShowCaret(caret.column, caret.line);
    }
}

bool TEditForm::IsUntitledName() const {
    const std::wstring prefix = ResourceString(kStrUntitled);
    return !prefix.empty() && FFileName.compare(0, prefix.size(), prefix) == 0;
}

void TEditForm::RememberSavedText() {
    savedHash_ = TextHash(*editor_);
    savedCoding_ = coding_;
    textChanged_ = false;
    differsFromSaved_ = false;
}

void TEditForm::NewUntitled(const std::wstring& ext) {
    DocumentState& state = SharedDocumentState();
    state.UntitledCounter += 1;
    SetFileName(ResourceString(kStrUntitled) + std::to_wstring(state.UntitledCounter) + ext);
    editor_->SetText(L"");
    editor_->SetModified(false);
    editor_->ClearUndo();
    coding_ = TextCoding::Windows;
    lineBreak_ = LineBreak::CrLf;
    RememberSavedText();
    host_.States().UndoState(false);
    host_.States().ModifiedState(false);
}

bool TEditForm::LoadFile(const std::wstring& name, std::optional<TextCoding> stored) {
    SetWindowTextW(hwnd_, FormatText(kLoadingCaption, {name}).c_str());
    DWORD error = ERROR_SUCCESS;
    bool read = false;
    bool wrapRefused = false;
    {
        UpdateBracket bracket(*editor_);
        std::optional<std::string> bytes = ReadWholeFile(name, &error);
        read = bytes.has_value();
        if (bytes) {
            DecodedFile file = DecodeFile(*bytes, stored);
            bytes.reset();
            // Lines too long for the control to wrap open unwrapped, before the
            // text arrives: wrapping them could take minutes and all the memory.
            if (editor_->WordWrap() && !WrapAffordable(std::wstring_view(file.text))) {
                editor_->SetWordWrap(false);
                wrapRefused = true;
            }
            // A file with NUL characters cannot come back byte for byte from a
            // text editor: it opens read-only, so that no save can cut it short.
            binary_ = file.text.find(L'\0') != std::wstring::npos;
            editor_->SetText(file.text);
            coding_ = file.coding;
            lineBreak_ = file.lineBreak;
        }
    }
    if (!read) return false;
    FHasFile = true;
    SetFileName(name);
    editor_->SetModified(false);
    const DWORD attributes = GetFileAttributesW(name.c_str());
    FFileReadOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
    DocumentState& state = SharedDocumentState();
    state.ActiveFileReadOnly = FFileReadOnly;
    editor_->SetReadOnly(editor_->ReadOnly() || FFileReadOnly || binary_);
    state.ActiveReadOnly = editor_->ReadOnly();
    state.ActiveFileReadOnly = FileLocked();
    editor_->ClearUndo();
    RememberSavedText();
    host_.States().UndoState(false);
    host_.States().ModifiedState(false);
    // Said once, as the file opens: the read-only switch stays off for it.
    if (binary_)
        ShowPrompt({kStrBinaryReadOnly, {name}, L"", PromptIcon::Information, PromptButtons::Ok, 0, host_.MainWindow()});
    if (wrapRefused)
        ShowPrompt({kStrWrapRefused, {name}, L"", PromptIcon::Information, PromptButtons::Ok, 0, host_.MainWindow()});
    return true;
}

void TEditForm::LoadTemplateText(std::string_view bytes) {
    DecodedFile file = DecodeFile(bytes);
    editor_->SetText(file.text);
    // A template's text that names no other coding makes a Windows document.
    SetCoding(file.coding);
    lineBreak_ = file.lineBreak;
    editor_->SetModified(false);
    editor_->ClearUndo();
    RememberSavedText();
}

void TEditForm::SetFileName(const std::wstring& name) {
    FFileName = name;
    UpdateCaption();
    host_.WindowNameChanged(hwnd_);
    const std::string narrow = Narrow(name);
    FileParams params{narrow.c_str(), 0, 0};
    GetFileParams(&params);
    FTagEditing = params.tagCommands != 0;
    host_.States().FormattingState(FTagEditing);
    FBrowsable = params.browsable != 0 && FHasFile;
    host_.States().BrowseState(FBrowsable);
    SetIcon(name);
}

void TEditForm::SetIcon(const std::wstring& name) {
    SHFILEINFOW info{};
    const DWORD attributes = GetFileAttributesW(name.c_str());
    bool got = attributes != INVALID_FILE_ATTRIBUTES &&
               SHGetFileInfoW(name.c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON) && info.hIcon;
    if (!got && attributes == INVALID_FILE_ATTRIBUTES && NameWithoutFolder(name).find(L'.') != std::wstring::npos)
        got = SHGetFileInfoW(name.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                             SHGFI_ICON | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES) && info.hIcon;
    if (!got) return;
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(info.hIcon));
    icon_.Reset(info.hIcon);
}

void TEditForm::UpdateCaption() {
    const std::wstring caption = host_.Options().FullNames ? FFileName : NameWithoutFolder(FFileName);
    SetWindowTextW(hwnd_, caption.c_str());
    // The MDI window menu keeps its own copy of the caption.
    SendMessageW(host_.DocumentArea(), WM_MDIREFRESHMENU, 0, 0);
}

bool TEditForm::WriteFile(std::wstring_view text) {
    return WriteFileSafely(FFileName, EncodeText(text, coding_, lineBreak_)).ok;
}

void TEditForm::SetCoding(TextCoding coding) {
    coding_ = coding;
    if (IsActive()) host_.States().ShowCoding(coding_);
}

bool TEditForm::ConfirmCodingHoldsText(std::wstring_view text) {
    if (CodingHolds(text, coding_)) return true;
    const PromptAnswer answer =
        ShowPrompt({kStrCodingLosesText, {FFileName, coding_ == TextCoding::Dos ? L"DOS" : L"Windows"}, L"",
                    PromptIcon::Warning, PromptButtons::YesNo, 0, host_.MainWindow()});
    if (answer != PromptAnswer::Yes) {
        saveDeclined_ = true;
        return false;
    }
    SetCoding(TextCoding::Utf8);
    return true;
}

void TEditForm::Save() {
    saveDeclined_ = false;
    if (!FHasFile) {
        SaveAs();
        return;
    }
    if (!editor_->Modified() && !FForceSave && !CodingChanged()) return;
    const std::wstring text = editor_->Text();
    // Asked before anything is written, the backup copy included.
    if (!ConfirmCodingHoldsText(text)) return;
    WaitCursor wait;
    if (host_.Options().BackupCopies && GetFileAttributesW(FFileName.c_str()) != INVALID_FILE_ATTRIBUTES) {
        const std::wstring backup = BackupName(FFileName);
        while (!CopyFileSafely(FFileName, backup).ok) {
            const PromptAnswer answer = ShowPrompt({kStrBackupFailed, {FFileName}, L"", PromptIcon::Warning,
                                                    PromptButtons::AbortRetryIgnore, 1, host_.MainWindow()});
            if (answer == PromptAnswer::Abort) return;
            if (answer == PromptAnswer::Ignore) break;
        }
    }
    if (!WriteFile(text)) {
        ShowPrompt({kStrSaveFailed, {FFileName}, L"", PromptIcon::Error, PromptButtons::Ok, 0, host_.MainWindow()});
        return;
    }
    editor_->SetModified(false);
    host_.States().ModifiedState(false);
    editor_->ClearUndo();
    RememberSavedText();
    host_.States().UndoState(false);
    host_.States().RedoState(false);
    JournalRemove();
}

void TEditForm::SaveAs() {
    const std::string narrowName = Narrow(FFileName);
    int filter = GetDefaultFilter(narrowName.c_str());
    const bool ownFilter = filter != -1;
    if (!ownFilter) filter = host_.LastSaveFilter();

    char fileBuffer[260] = {};
    const std::string initial = Narrow(NameWithoutFolder(FFileName));
    lstrcpynA(fileBuffer, initial.c_str(), sizeof fileBuffer);
    char folder[kFileboxFolderSize] = {};
    if (FHasFile) lstrcpynA(folder, Narrow(FolderOf(FFileName)).c_str(), sizeof folder);
    const std::string title = Narrow(FormatText(ResourceString(kStrSaveTitle), {NameWithoutFolder(FFileName)}));
    FileDialogRequest request{hwnd_, fileBuffer, sizeof fileBuffer, filter, folder, title.c_str(), 0, nullptr};

    int confirmed = 0;
    {
        DisabledWindow modal(host_.MainWindow());
        confirmed = RunSaveDialog(request);
    }
    if (!confirmed) return;
    // The coding question comes before the document takes the new name.
    if (!ConfirmCodingHoldsText(editor_->Text())) return;
    FHasFile = true;
    SetFileName(Wide(fileBuffer));
    FForceSave = true;
    Save();
    FForceSave = false;
    if (!ownFilter) host_.LastSaveFilter() = request.filterIndex;
}

bool TEditForm::QuerySave() {
    if (!editor_->Modified()) return true;
    const PromptAnswer answer = ShowPrompt({kStrSaveQuestion, {FFileName}, L"", PromptIcon::Warning,
                                            PromptButtons::YesNoCancel, 0, host_.MainWindow()});
    if (answer == PromptAnswer::Cancel) return false;
    if (answer == PromptAnswer::No) return true;
    Save();
    return !editor_->Modified();
}

namespace {

// The program that opens a class or an extension ("http", ".html"), empty when none is registered.
std::wstring AssociatedProgram(const wchar_t* association) {
    wchar_t program[MAX_PATH * 2] = {};
    DWORD size = MAX_PATH * 2;
    if (FAILED(AssocQueryStringW(ASSOCF_INIT_IGNOREUNKNOWN | ASSOCF_NOTRUNCATE, ASSOCSTR_EXECUTABLE, association,
                                 L"open", program, &size)))
        return {};
    return program;
}

}  // namespace

// The page goes to the web browser (the program for web addresses), not to the
// page's own association: when the installer made that association ours, the
// page would come straight back into the editor.
void TEditForm::ShowInBrowser() {
    if (!FBrowsable) return;
    Save();
    if (saveDeclined_) return;  // back to editing, as the user asked
    const size_t dot = FFileName.find_last_of(L'.');
    const std::wstring extension = dot == std::wstring::npos ? std::wstring() : FFileName.substr(dot);
    const BrowserRoute route = ChooseBrowserRoute(AssociatedProgram(L"http"),
                                                  extension.empty() ? L"" : AssociatedProgram(extension.c_str()));
    bool shown = false;
    if (route != BrowserRoute::None) {
        SHELLEXECUTEINFOW run{sizeof run};
        run.fMask = route == BrowserRoute::WebBrowser ? SEE_MASK_CLASSNAME : 0;
        run.lpClass = L"http";
        run.hwnd = host_.MainWindow();
        run.lpVerb = L"open";
        run.lpFile = FFileName.c_str();
        run.nShow = SW_SHOWNORMAL;
        shown = ShellExecuteExW(&run) != FALSE;
    }
    if (!shown) ShowPrompt({kStrBrowserFailed, {}, L"", PromptIcon::Error, PromptButtons::Ok, 0, host_.MainWindow()});
}

int TEditForm::FormatPages(HDC device, PageOutput output) {
    return quillon::FormatPages(editor_->Handle(), editor_->TextLength(), device, output);
}

void TEditForm::Print(HDC printer) { PrintRichText(editor_->Handle(), editor_->TextLength(), printer); }

void TEditForm::ApplyFont() {
    const EditorOptions& options = host_.Options();
    if (!options.FontName.empty()) editor_->SetFont({options.FontName, options.FontSize});
}

void TEditForm::ApplySystemColors() {
    SendMessageW(editor_->Handle(), EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(GetSysColor(COLOR_WINDOW)));
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_COLOR;
    format.crTextColor = GetSysColor(COLOR_WINDOWTEXT);
    const bool modified = editor_->Modified();
    SendMessageW(editor_->Handle(), EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
    editor_->SetModified(modified);
}

void TEditForm::ApplyWordSelection() { editor_->SetAutoWordSelection(host_.Options().WordSelect); }

void TEditForm::SetWordWrap(bool wrap) {
    if (wrap && !editor_->WordWrap() && !WrapAffordable(editor_->Text())) {
        ShowPrompt({kStrWrapRefused, {FFileName}, L"", PromptIcon::Information, PromptButtons::Ok, 0,
                    host_.MainWindow()});
        host_.SetWordWrapChecked(false);
        return;
    }
    WaitCursor wait;
    const int start = editor_->SelStart();
    editor_->SetWordWrap(wrap);
    editor_->SetSelStart(start);
}

void TEditForm::SetInsertMode(bool insert) {
    FInsertMode = insert;
    editor_->SetOverwrite(!insert);
    host_.States().ShowInsertMode(insert);
}

void TEditForm::FormActivate() {
    DocumentState& state = SharedDocumentState();
    if (state.OpenDocumentCount == 0 || !editor_) return;
    state.ActiveReadOnly = editor_->ReadOnly();
    state.ActiveFileReadOnly = FileLocked();
    SelectionChange();
    host_.SetWordWrapChecked(editor_->WordWrap());
    CommandStates& states = host_.States();
    states.ShowInsertMode(FInsertMode);
    states.ShowReadOnly(editor_->ReadOnly());
    states.BrowseState(FBrowsable);
    states.FormattingState(FTagEditing && !editor_->ReadOnly());
    states.ShowCoding(coding_);
    host_.WindowActivated(hwnd_);
}

void TEditForm::FormDeactivate() {
    if (searches_) searches_->CloseSearchDialog();
}

void TEditForm::SelectionChange() {
    if (!editor_) return;
    HWND active = reinterpret_cast<HWND>(SendMessageW(host_.DocumentArea(), WM_MDIGETACTIVE, 0, 0));
    if (active && active != hwnd_) return;  // the panels belong to the active window
    CommandStates& states = host_.States();
    const EditorControl::CaretPosition caret = editor_->Caret();
    states.ShowCaret(caret.column, caret.line);
    states.SelectionState(editor_->SelLength() > 0);
    const bool canUndo = editor_->CanUndo();
    states.UndoState(canUndo);
    states.RedoState(editor_->CanRedo());
    states.PasteState(ClipboardHasText());
    // Undoing every change since the last save shows the document unmodified
    // again; past the undo limit the text itself decides.
    bool modified = canUndo || CodingChanged();
    if (!modified && editor_->Modified()) {
        // Compared once per change of the text, not on every caret move.
        if (textChanged_) {
            differsFromSaved_ = savedHash_ != TextHash(*editor_);
            textChanged_ = false;
        }
        modified = differsFromSaved_;
    }
    editor_->SetModified(modified);
    states.ModifiedState(modified);
    states.FindNextState(CanFindNext());
}

bool TEditForm::FormCloseQuery() {
    const bool canClose = QuerySave();
    DocumentState& state = SharedDocumentState();
    if (state.Closing && canClose) {
        state.OpenDocumentCount -= 1;
        host_.DocumentAgreedToClose(*this);
    }
    return canClose;
}

void TEditForm::OnDestroy() {
    // Saved, declined at the close, or the program ending: the entry goes.
    JournalRemove();
    searches_.reset();
    if (editor_) editor_->SetMessageFilter(nullptr);
    popupMenu_.Reset();
    icon_.Reset();
    DocumentState& state = SharedDocumentState();
    if (!state.Closing) {
        KeysLost();
        state.OpenDocumentCount -= 1;
        host_.States().DocumentsPresent(state.OpenDocumentCount > 0);
        if (!IsUntitledName() && !FFileName.empty() && editor_)
            host_.EnterRecentFile({FFileName, editor_->ReadOnly(), editor_->SelStart(), editor_->WordWrap(), StoredCoding(coding_)});
        host_.UnregisterWindow(hwnd_);
    }
    editor_.reset();
}

void TEditForm::KeysLost() {
    if (DocumentKeyHook* hook = host_.KeyHook()) hook->FormKeysLost(*this);
}

bool TEditForm::Consumed() {
    MSG pending;
    FPassChars = !PeekMessageW(&pending, editor_->Handle(), WM_CHAR, WM_CHAR, PM_NOREMOVE);
    return true;
}

bool TEditForm::RichEditKeyDown(int key) {
    const KeyStroke stroke{key, GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_MENU) < 0};
    if (DocumentKeyHook* hook = host_.KeyHook(); hook && hook->FormKeyDown(*this, key, stroke.ctrl, stroke.shift, stroke.alt))
        return Consumed();
    const EditorOptions& options = host_.Options();
    const KeyContext context{editor_->ReadOnly(), editor_->SelLength() == 0, FTagEditing, options.Autoindent,
                             options.SmartTab};
    EditorControl& editor = *editor_;
    switch (KeyDownAction(stroke, context)) {
    case KeyAction::PassOn:
        if (key == kKeyDelete && !stroke.shift && !stroke.ctrl && !stroke.alt) return DeleteSelection();
        return false;
    case KeyAction::Backspace: {
        // Decided at key-down: some versions of the control delete there already.
        FSpaceBeforeCaret = SpaceBeforeCaret(editor);
        if (FSpaceBeforeCaret) {
            WaitCursor wait;
            if (SmartBackspace(editor)) return Consumed();
        }
        return DeleteSelection();
    }
    case KeyAction::ToggleInsertMode: SetInsertMode(!FInsertMode); return false;
    case KeyAction::Swallow: return Consumed();
    case KeyAction::NewLineWithIndent: quillon::NewLineWithIndent(editor); return Consumed();
    case KeyAction::TabToNextWord: quillon::TabToNextWord(editor); return Consumed();
    case KeyAction::IndentSelection: quillon::IndentSelection(editor); return Consumed();
    case KeyAction::UnindentSelection: quillon::UnindentSelection(editor); return Consumed();
    case KeyAction::InsertBreak: InsertBreakTag(editor, BreakTag::LineBreak); return Consumed();
    case KeyAction::InsertParagraph: InsertBreakTag(editor, BreakTag::Paragraph); return Consumed();
    case KeyAction::DeleteWordRight: quillon::DeleteWordRight(editor); return Consumed();
    case KeyAction::DeleteLine: quillon::DeleteLine(editor); return Consumed();
    }
    return false;
}

bool TEditForm::DeleteSelection() {
    // The selection goes through the wrapper, which makes a large deletion in
    // the way the control copes with best; a bare caret is left to the control.
    if (!Editable() || editor_->SelLength() == 0) return false;
    WaitCursor wait;
    editor_->DeleteSel();
    return Consumed();
}

bool TEditForm::FormKeyPress(wchar_t) {
    if (FPassChars) return false;
    FPassChars = true;
    return true;
}

void TEditForm::Cut() {
    if (!Editable() || editor_->SelLength() == 0) return;
    SendMessageW(editor_->Handle(), WM_COPY, 0, 0);
    WaitCursor wait;
    editor_->DeleteSel();
}

void TEditForm::Paste() {
    // The wrapper pastes plain text, as one replacement of the selection.
    if (!Editable()) return;
    WaitCursor wait;
    SendMessageW(editor_->Handle(), WM_PASTE, 0, 0);
}

void TEditForm::Undo() {
    // Undoing a Replace all would select the whole stretch from the first
    // replacement to the last: the caret goes back to where it stood before.
    const bool afterReplaceAll = replaceAllChange_ == changeCount_;
    editor_->Undo();
    if (afterReplaceAll) editor_->SetSelStart(caretBeforeReplaceAll_);
}

void TEditForm::Run(DocumentVerb verb) {
    const bool editable = Editable();
    switch (verb) {
    case DocumentVerb::Save: Save(); break;
    case DocumentVerb::SaveAs: SaveAs(); break;
    case DocumentVerb::ShowInBrowser: ShowInBrowser(); break;
    case DocumentVerb::Undo: if (editable) Undo(); break;
    case DocumentVerb::Redo: if (editable) editor_->Redo(); break;
    case DocumentVerb::Cut: Cut(); break;
    case DocumentVerb::Copy: SendMessageW(editor_->Handle(), WM_COPY, 0, 0); break;
    case DocumentVerb::Paste: Paste(); break;
    case DocumentVerb::Delete: if (editable && editor_->SelLength() > 0) editor_->DeleteSel(); break;
    case DocumentVerb::SelectAll: editor_->Select(0, editor_->TextLength()); break;
    case DocumentVerb::Find: Find(); break;
    case DocumentVerb::FindNext: FindNext(); break;
    case DocumentVerb::Replace: if (editable) Replace(); break;
    case DocumentVerb::GoToLine: GoToLine(); break;
    case DocumentVerb::Indent: if (editable) quillon::IndentSelection(*editor_); break;
    case DocumentVerb::Unindent: if (editable) quillon::UnindentSelection(*editor_); break;
    case DocumentVerb::ToggleReadOnly: ToggleReadOnly(); break;
    case DocumentVerb::ChangeCase: CaseCommand(); break;
    case DocumentVerb::None: break;
    }
}

HMENU TEditForm::PopupMenuPopup() {
    const bool readOnly = editor_->ReadOnly();
    const bool selection = editor_->SelLength() > 0;
    const auto enable = [this](DocumentVerb verb, bool enabled) {
        EnableMenuItem(popupMenu_.Get(), static_cast<UINT>(verb), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    };
    using V = DocumentVerb;
    enable(V::Undo, editor_->CanUndo() && !readOnly);
    enable(V::Redo, editor_->CanRedo() && !readOnly);
    enable(V::Cut, selection && !readOnly);
    enable(V::Delete, selection && !readOnly);
    enable(V::Copy, selection);
    enable(V::Paste, ClipboardHasText() && !readOnly);
    enable(V::Replace, !readOnly);
    enable(V::FindNext, CanFindNext());
    enable(V::Find, true);
    enable(V::SelectAll, true);
    return popupMenu_.Get();
}

void TEditForm::OnContextMenu(LPARAM position) {
    POINT at{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    if (position == -1) {
        // From the keyboard: at the caret.
        POINTL caret{};
        SendMessageW(editor_->Handle(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&caret), editor_->SelStart());
        at = {caret.x, caret.y};
        ClientToScreen(editor_->Handle(), &at);
    }
    PopupMenuPopup();
    const int chosen = TrackPopupMenu(popupMenu_.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd_, nullptr);
    host_.ShowHint(L"");
    if (chosen) Run(static_cast<DocumentVerb>(chosen));
}

void TEditForm::OnMenuSelect(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == 0xFFFF && !lParam) {
        host_.ShowHint(L"");
        return;
    }
    if (reinterpret_cast<HMENU>(lParam) != popupMenu_.Get()) return;
    for (const ContextMenuRow& row : host_.ContextMenuRows())
        if (row.verb != DocumentVerb::None && static_cast<UINT>(row.verb) == LOWORD(wParam)) host_.ShowHint(row.hint);
}

void TEditForm::ToggleReadOnly() {
    if (FileLocked()) return;
    const bool readOnly = !editor_->ReadOnly();
    editor_->SetReadOnly(readOnly);
    SharedDocumentState().ActiveReadOnly = readOnly;
    CommandStates& states = host_.States();
    states.ShowReadOnly(readOnly);
    states.PasteState(ClipboardHasText());
    states.UndoState(editor_->CanUndo());
    states.RedoState(editor_->CanRedo());
    states.FormattingState(FTagEditing && !readOnly);
    // Cut, Delete, Indent and Case follow the flag too.
    states.SelectionState(editor_->SelLength() > 0);
}

void TEditForm::GoToLine() {
    // An empty document still has the line the caret stands on.
    const int maxLine = std::max(editor_->LineCount(), 1);
    const int line = ShowGoToDialog(host_.MainWindow(), maxLine, editor_->CaretLine() + 1);
    if (line <= 0) return;
    editor_->SetSelStart(editor_->LineIndex(line - 1));
    SendMessageW(editor_->Handle(), EM_SCROLLCARET, 0, 0);
}

void TEditForm::CaseCommand() {
    if (!Editable() || editor_->SelLength() == 0) return;
    CaseMode mode = CaseMode::AllLower;
    if (ExecuteCaseDialog(host_.MainWindow(), editor_->WordWrap(), mode)) ChangeCase(mode);
}

void TEditForm::ChangeCase(CaseMode mode) {
    if (!Editable()) return;
    WaitCursor wait;
    quillon::ChangeCase(*editor_, mode);
}

void TEditForm::ConvertCoding() {
    WaitCursor wait;
    ToggleCodingText(*editor_, DosText());
    SetCoding(DosText() ? TextCoding::Windows : TextCoding::Dos);
    textChanged_ = true;
}

void TEditForm::ToggleCoding() {
    // A file with NUL bytes stays as it was loaded: it could not be written back.
    if (binary_ || IsUnicode(coding_)) return;
    ConvertCoding();
    SelectionChange();
}

void TEditForm::ToggleUtf8() {
    if (binary_) return;
    if (!IsUtf8(coding_)) {
        SetCoding(TextCoding::Utf8);
    } else {
        const std::wstring text = editor_->Text();
        if (!CodingHolds(text, TextCoding::Windows)) {
            const PromptAnswer answer = ShowPrompt({kStrUtf8ToWindows, {FFileName}, L"", PromptIcon::Warning,
                                                    PromptButtons::YesNo, 1, host_.MainWindow()});
            if (answer != PromptAnswer::Yes) return;
            WaitCursor wait;
            FitTextToPage(*editor_, CodePage::Ansi);
            textChanged_ = true;
        }
        SetCoding(TextCoding::Windows);
    }
    SelectionChange();
}

void TEditForm::JournalChanged() {
    DocumentJournal* journal = host_.Journal();
    if (!journal || !journal->IsOpen() || closing_) return;
    if (!editor_->Modified() && !CodingChanged()) {
        JournalRemove();  // undone back to the saved text: nothing to keep
        return;
    }
    // A document whose text is slow to take is journaled less often: the
    // journal keeps to about a hundredth of this thread's time.
    SetTimer(hwnd_, kJournalPauseTimer, std::max(kJournalPauseMs, 20 * journalCostMs_), nullptr);
    if (!journalPending_) SetTimer(hwnd_, kJournalLatestTimer, std::max(kJournalLatestMs, 300 * journalCostMs_), nullptr);
    journalPending_ = true;
}

void TEditForm::OnTimer(UINT_PTR timer) {
    if (timer == kJournalPauseTimer || timer == kJournalLatestTimer) JournalNow();
}

void TEditForm::StopJournalTimers() {
    KillTimer(hwnd_, kJournalPauseTimer);
    KillTimer(hwnd_, kJournalLatestTimer);
    journalPending_ = false;
}

void TEditForm::JournalNow() {
    StopJournalTimers();
    DocumentJournal* journal = host_.Journal();
    if (!journal || !journal->IsOpen() || !editor_) return;
    if (!editor_->Modified() && !CodingChanged()) {
        JournalRemove();
        return;
    }
    if (!journalId_) journalId_ = journal->NewId();
    std::optional<ChunkedText::Snapshot> kept = editor_->KeptText();
    if (!kept && editor_->KeepsText() && journalPostponed_ < 5) {
        // The copy is being read again (after an undo, say) while the program
        // is idle: the entry waits for it rather than asking the control.
        ++journalPostponed_;
        SetTimer(hwnd_, kJournalPauseTimer, 500, nullptr);
        journalPending_ = true;
        return;
    }
    journalPostponed_ = 0;
    const ULONGLONG start = GetTickCount64();
    JournalEntry entry;
    entry.name = FFileName;
    entry.hasFile = FHasFile;
    entry.wordWrap = editor_->WordWrap();
    entry.readOnly = editor_->ReadOnly() && !FileLocked();
    entry.coding = coding_;
    entry.lineBreak = lineBreak_;
    entry.caret = editor_->SelStart();
    entry.windowNumber = host_.WindowNumber(hwnd_);
    if (!kept) entry.text = editor_->Text();
    journalCostMs_ = static_cast<unsigned>(GetTickCount64() - start);
    // The text is joined, and the entry's bytes made and written, on the journal's own thread.
    journal->Write(journalId_, std::move(entry), kept ? std::move(*kept) : ChunkedText::Snapshot());
    journalEntry_ = true;
}

void TEditForm::JournalRemove() {
    StopJournalTimers();
    DocumentJournal* journal = host_.Journal();
    if (journal && journalEntry_) journal->Remove(journalId_);
    journalEntry_ = false;
}

void TEditForm::RestoreFromJournal(const JournalEntry& entry) {
    {
        UpdateBracket bracket(*editor_);
        editor_->SetWordWrap(entry.wordWrap && WrapAffordable(std::wstring_view(entry.text)));
        editor_->SetText(entry.text);
    }
    FHasFile = entry.hasFile;
    SetFileName(entry.name);
    if (FHasFile) {
        const DWORD attributes = GetFileAttributesW(entry.name.c_str());
        FFileReadOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
    }
    binary_ = entry.text.find(L'\0') != std::wstring::npos;
    editor_->SetReadOnly(entry.readOnly || FileLocked());
    coding_ = entry.coding;
    lineBreak_ = entry.lineBreak;
    editor_->ClearUndo();
    // Modified whatever the file holds: the text is the journal's, not the file's.
    savedHash_ = TextHash(*editor_) + 1;
    textChanged_ = false;
    differsFromSaved_ = true;
    editor_->SetModified(true);
    editor_->SetSelStart(entry.caret);
    SendMessageW(editor_->Handle(), EM_SCROLLCARET, 0, 0);
    JournalNow();
}

void TEditForm::Find() { searches_->Find(); }
void TEditForm::Replace() { searches_->Replace(); }
void TEditForm::FindNext() {
    searches_->FindNext();
    host_.States().FindNextState(CanFindNext());
}

void TEditForm::RichEditTextNotFound() {
    ShowPrompt({kStrNotFound, {}, L"", PromptIcon::Information, PromptButtons::Ok, 0, host_.MainWindow()});
}

}  // namespace quillon
