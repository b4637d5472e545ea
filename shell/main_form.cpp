#include "main_form.h"

#include <algorithm>

#include <commctrl.h>
#include <ddeml.h>
#include <mmsystem.h>
#include <shellapi.h>

#include "command_table.h"
#include "edit_form.h"
#include "filebox_api.h"
#include "prompts.h"
#include "resource_ids.h"
#include "status_texts.h"
#include "text_case.h"
#include "win32_clipboard.h"
#include "win32_dialogs.h"
#include "win32_guards.h"
#include "win32_registry.h"
#include "text_format.h"

namespace quillon {

namespace {

constexpr UINT kFirstItemId = 1000;
constexpr UINT kFirstKindId = 3000;    // document kinds of File > New, tag k
constexpr UINT kFirstRecentId = 4000;  // File1Item..File10Item, tag k
constexpr wchar_t kEmptyRecentCaption[] = L"(Пусто)";
constexpr wchar_t kEmptyRecentHint[] = L"Нет ни одного файла в списке";
constexpr int kStrOpenRecent = 135;
constexpr int kStatusBarId = 90;
constexpr int kStrFileNotOpened = 113;
constexpr int kStrAlreadyOpen = 114;
constexpr int kStrCodingQuestion = 149;
constexpr int kStrConfirmTitle = 150;

// Widths of the six panels; 1 to 4 are centred.
constexpr int kPanelWidths[6] = {120, 70, 70, 100, 100, 50};

StatusTexts LoadStatusTexts() {
    StatusTexts texts{ResourceString(kStrModified), ResourceString(kStrInsert),  ResourceString(kStrOverwrite),
                      ResourceString(kStrReadOnly), ResourceString(kStrDosText), ResourceString(kStrWindowsText),
                      ResourceString(kStrCaret)};
    wchar_t separator[8] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, 8) > 1) texts.thousandsSeparator = separator[0];
    return texts;
}

std::wstring KeyText(std::wstring_view key) { return key.empty() ? std::wstring() : L"\t" + std::wstring(key); }

}  // namespace

THtmlScrivoForm::THtmlScrivoForm(Registry& registry) : states_(*this, LoadStatusTexts()), registry_(registry) {}

namespace {
Registry& UserRegistry() {
    static WindowsRegistry registry;
    return registry;
}

bool DefaultWordWrap(const std::wstring& name) {
    return GetDefWordWrap(TextToBytes(name, CodePage::Ansi).c_str()) != 0;
}
}  // namespace

THtmlScrivoForm* THtmlScrivoForm::FromWindow(HWND hwnd) {
    return reinterpret_cast<THtmlScrivoForm*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

THtmlScrivoForm* THtmlScrivoForm::Create(HINSTANCE instance, const MainFormOptions& options) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW wc{};
    if (!GetClassInfoExW(instance, kMainFormClass, &wc)) {
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = instance;
        wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kMainIconId));
        if (!wc.hIcon) wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
        wc.lpszClassName = kMainFormClass;
        if (!RegisterClassExW(&wc)) return nullptr;
    }
    RegisterEditFormClass(instance);
    auto* form = new THtmlScrivoForm(options.registry ? *options.registry : UserRegistry());
    HWND frame = CreateWindowExW(WS_EX_ACCEPTFILES, kMainFormClass, kApplicationTitle,
                                 WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                 CW_USEDEFAULT, nullptr, nullptr, instance, form);
    if (!frame) return nullptr;  // WM_NCDESTROY has freed the form
    ShowWindow(frame, options.showCommand);
    UpdateWindow(frame);
    return form;
}

LRESULT CALLBACK THtmlScrivoForm::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* form = static_cast<THtmlScrivoForm*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->frame_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    THtmlScrivoForm* form = FromWindow(hwnd);
    if (!form) return DefFrameProcW(hwnd, nullptr, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        const LRESULT result = DefFrameProcW(hwnd, nullptr, msg, wParam, lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        delete form;
        return result;
    }
    try {
        return form->Handle(msg, wParam, lParam);
    } catch (...) {
        return DefFrameProcW(hwnd, form->client_, msg, wParam, lParam);
    }
}

LRESULT THtmlScrivoForm::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE: OnCreate(); return client_ ? 0 : -1;
    case WM_SIZE:
        OnMinimizeOrRestore(wParam);
        OnSize();
        return 0;
    case WM_ACTIVATE: if (LOWORD(wParam) != WA_INACTIVE) OnActivate(); break;
    case WM_COMMAND:
        if (HIWORD(wParam) <= 1 && LOWORD(wParam) >= kFirstKindId && LOWORD(wParam) < kFirstKindId + kinds_.size()) {
            NewDocument(kinds_[LOWORD(wParam) - kFirstKindId].Extension);
            return 0;
        }
        if (HIWORD(wParam) <= 1 && LOWORD(wParam) >= kFirstRecentId && LOWORD(wParam) < kFirstRecentId + kRecentFileCount) {
            MRUFileItemClick(LOWORD(wParam) - kFirstRecentId);
            return 0;
        }
        if (HIWORD(wParam) <= 1 && LOWORD(wParam) >= kFirstItemId &&
            LOWORD(wParam) < kFirstItemId + MenuEntries().size()) {
            MenuItemSelect(MenuEntries()[LOWORD(wParam) - kFirstItemId].command);
            return 0;
        }
        break;
    case WM_MENUSELECT:
        // A closing menu reports 0xFFFF and no menu: the panels come back.
        ShowHint(HIWORD(wParam) == 0xFFFF && !lParam ? std::wstring() : HintOf(LOWORD(wParam)));
        break;
    case WM_COPYDATA: return OnCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case kMsgActivateInstance: OnActivateInstance(); return 0;
    case kMsgRestoreDesktop: OnRestoreDesktop(); return 0;
    case WM_DROPFILES: OpenDroppedFiles(reinterpret_cast<HDROP>(wParam)); return 0;
    case WM_SYSCOMMAND: OnSysCommand(wParam); break;
    case WM_CLOSE:
        if (!OnCloseQuery()) return 0;
        DestroyWindow(frame_);
        return 0;
    case WM_SYSCOLORCHANGE:
        for (TEditForm* document : Documents()) document->ApplySystemColors();
        break;
    case WM_DESTROY:
        StopDdeServer();
        if (printerMode_) GlobalFree(printerMode_);
        if (printerNames_) GlobalFree(printerNames_);
        printerMode_ = printerNames_ = nullptr;
        if (accelerators_) DestroyAcceleratorTable(accelerators_);
        accelerators_ = nullptr;
        PostQuitMessage(0);
        return 0;
    default: break;
    }
    return DefFrameProcW(frame_, client_, msg, wParam, lParam);
}

void THtmlScrivoForm::OnCreate() {
    BuildMenu();
    CLIENTCREATESTRUCT clientCreate{windowMenu_, kFirstDocumentId};
    client_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                              WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE, 0, 0, 0, 0, frame_,
                              nullptr, GetModuleHandleW(nullptr), &clientCreate);
    BuildStatusBar();
    LoadSettings();
    SetChecked(L"FullFileNameItem", options_.FullNames);
    SetChecked(L"HTMLExtensionItem", options_.HtmlExt);
    SetChecked(L"AutoindentItem", options_.Autoindent);
    SetChecked(L"SmartTabItem", options_.SmartTab);
    SetChecked(L"WordSelectItem", options_.WordSelect);
    SetChecked(L"BackupsItem", options_.BackupCopies);
    RefreshRecentMenu();
    BuildNewMenu();
    states_.DocumentsPresent(false);
    StartDdeServer();
}

// Start-up order: placement, recent files, options, file-dialog state, font.
void THtmlScrivoForm::LoadSettings() {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const auto placement =
        storage::LoadPlacement(registry_, {work.left, work.top, work.right, work.bottom});
    if (placement) {
        const storage::ScreenRect& r = placement->rect;
        SetWindowPos(frame_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
        savedRect_ = {r.left, r.top, r.right, r.bottom};
    }
    // No valid placement (the first start, a monitor that is gone): maximized.
    if (!placement || placement->state == 2) PostMessageW(frame_, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    firstActivation_ = true;
    recent_ = storage::LoadRecentFiles(registry_, DefaultWordWrap);
    options_ = storage::LoadOptions(registry_);
    dialogState_ = storage::LoadDialogState(registry_);
    storage::LoadFont(registry_, options_);
}

void THtmlScrivoForm::BuildMenu() {
    menu_ = CreateMenu();
    std::vector<ACCEL> keys;
    std::map<TopMenu, HMENU> popups;
    for (const auto& top : TopMenus()) {
        HMENU popup = CreatePopupMenu();
        popups[top.menu] = popup;
        AppendMenuW(menu_, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), std::wstring(top.caption).c_str());
        if (top.menu == TopMenu::Window) windowMenu_ = popup;
        if (top.menu == TopMenu::Format) formatMenu_ = popup;
    }
    const auto& entries = MenuEntries();
    for (size_t i = 0; i < entries.size(); ++i) {
        const MenuEntry& entry = entries[i];
        if (entry.hidden) continue;  // hidden in the form; the command still works
        const UINT id = kFirstItemId + static_cast<UINT>(i);
        std::wstring caption = std::wstring(entry.caption) + KeyText(entry.key);
        // The editor control handles Delete itself; the menu only shows the key.
        if (entry.name == L"DeleteItem") caption += L"\tDel";
        HMENU popup = popups[entry.menu];
        if (entry.submenu) {
            HMENU sub = CreatePopupMenu();
            AppendMenuW(popup, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub), caption.c_str());
            if (entry.name == L"CreateItem") createMenu_ = sub;
            if (entry.name == L"ReopenItem") reopenMenu_ = sub;
        } else {
            AppendMenuW(popup, MF_STRING | (entry.disabled ? MF_GRAYED : 0), id, caption.c_str());
            MENUITEMINFOW info{sizeof info, MIIM_DATA};
            info.dwItemData = static_cast<ULONG_PTR>(entry.command);  // the tag beside the id
            SetMenuItemInfoW(popup, id, FALSE, &info);
            itemIds_.emplace(std::wstring(entry.name), id);
        }
        if (entry.separatorAfter) AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
        KeyChord chord;
        if (!entry.submenu && ParseKey(entry.key, chord)) {
            BYTE flags = FVIRTKEY;
            if (chord.ctrl) flags |= FCONTROL;
            if (chord.shift) flags |= FSHIFT;
            if (chord.alt) flags |= FALT;
            keys.push_back({flags, static_cast<WORD>(chord.virtualKey), static_cast<WORD>(id)});
        }
    }
    // Ctrl+N: the first document kind (its item is built with the kinds list).
    keys.push_back({FVIRTKEY | FCONTROL, static_cast<WORD>('N'), static_cast<WORD>(kFirstKindId)});
    SetMenu(frame_, menu_);
    accelerators_ = CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size()));
}

namespace {
void SetPanels(HWND statusBar, const std::vector<int>& widths) {
    std::vector<int> edges;
    int right = 0;
    for (const int width : widths) edges.push_back(right += width);
    SendMessageW(statusBar, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}
}  // namespace

void THtmlScrivoForm::CompactStatusBar() {
    if (compact_) return;
    compact_ = true;
    RECT client{};
    GetClientRect(frame_, &client);
    SendMessageW(statusBar_, WM_SETREDRAW, FALSE, 0);
    SetPanels(statusBar_, {std::max<int>(client.right - 220, 0), kPanelWidths[1]});
    for (int panel = 0; panel < 2; ++panel) SetPanelText(panel, L"");
    SendMessageW(statusBar_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(statusBar_, nullptr, TRUE);
}

void THtmlScrivoForm::RestoreStatusBar() {
    if (!compact_) return;
    compact_ = false;
    SendMessageW(statusBar_, WM_SETREDRAW, FALSE, 0);
    SetPanels(statusBar_, std::vector<int>(std::begin(kPanelWidths), std::end(kPanelWidths)));
    for (int panel = 0; panel < 6; ++panel) SetPanelText(panel, L"");
    SendMessageW(statusBar_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(statusBar_, nullptr, TRUE);
    // The active document fills the panels again.
    if (TEditForm* active = ActiveDocument()) active->FormActivate();
}

int THtmlScrivoForm::PanelCount() const { return static_cast<int>(SendMessageW(statusBar_, SB_GETPARTS, 0, 0)); }

void THtmlScrivoForm::BuildStatusBar() {
    statusBar_ = CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                                 frame_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusBarId)),
                                 GetModuleHandleW(nullptr), nullptr);
    SetPanels(statusBar_, std::vector<int>(std::begin(kPanelWidths), std::end(kPanelWidths)));
}

void THtmlScrivoForm::OnSize() {
    RECT client{};
    GetClientRect(frame_, &client);
    int statusHeight = 0;
    if (statusBar_) {
        SendMessageW(statusBar_, WM_SIZE, 0, 0);
        RECT bar{};
        GetWindowRect(statusBar_, &bar);
        statusHeight = bar.bottom - bar.top;
    }
    if (client_) MoveWindow(client_, 0, 0, client.right, client.bottom - statusHeight, TRUE);
}

void THtmlScrivoForm::OnSysCommand(WPARAM command) {
    switch (command & 0xFFF0) {
    case SC_CLOSE: SaveState(); break;
    case SC_MAXIMIZE:
    case SC_MINIMIZE: GetWindowRect(frame_, &savedRect_); break;
    default: break;
    }
}

void THtmlScrivoForm::OnMinimizeOrRestore(WPARAM sizeType) {
    constexpr DWORD sound = SND_ALIAS | SND_ASYNC | SND_NODEFAULT | SND_NOSTOP;
    if (sizeType == SIZE_MINIMIZED && !minimized_) {
        PlaySoundW(L"Minimize", nullptr, sound);
        minimized_ = true;
    } else if (sizeType != SIZE_MINIMIZED && minimized_) {
        PlaySoundW(L"RestoreUp", nullptr, sound);
        minimized_ = false;
    }
}

void THtmlScrivoForm::OnActivate() {
    states_.PasteState(ClipboardHasText());
    if (firstActivation_) {
        firstActivation_ = false;
        PostMessageW(frame_, kMsgRestoreDesktop, 0, 0);
    }
}

LRESULT THtmlScrivoForm::OnCopyData(const COPYDATASTRUCT* data) {
    if (!data || data->dwData != kCopyDataFileList) return 0;
    // Narrow text in the system code page, not necessarily NUL-terminated.
    const char* bytes = static_cast<const char*>(data->lpData);
    size_t length = 0;
    while (bytes && length < data->cbData && bytes[length]) ++length;
    OpenFileList(BytesToText(std::string_view(bytes ? bytes : "", length), CodePage::Ansi));
    return 1;
}

void THtmlScrivoForm::OnActivateInstance() {
    if (minimized_ || IsIconic(frame_)) ShowWindow(frame_, SW_RESTORE);
    SetForegroundWindow(frame_);
}

void THtmlScrivoForm::OnRestoreDesktop() {
    // The desktop of the last run comes back here once it is stored; then the
    // program's own files, so that they open after it.
    HandOffCommandLine();
}

namespace {

constexpr char kDdeTopic[] = "OpenFiles";
THtmlScrivoForm* g_ddeForm = nullptr;  // DDEML callbacks carry no context of their own

std::wstring ExecuteText(HDDEDATA data) {
    const DWORD size = DdeGetData(data, nullptr, 0, 0);
    std::string bytes(size, '\0');
    if (size) DdeGetData(data, reinterpret_cast<LPBYTE>(bytes.data()), size, 0);
    // A Unicode client's command arrives as UTF-16.
    if (bytes.size() >= 2 && bytes[1] == '\0' && bytes[0] != '\0') {
        std::wstring text(bytes.size() / 2, L'\0');
        memcpy(text.data(), bytes.data(), text.size() * 2);
        return text.substr(0, text.find(L'\0'));
    }
    return BytesToText(bytes.substr(0, bytes.find('\0')), CodePage::Ansi);
}

HDDEDATA CALLBACK DdeCallback(UINT type, UINT, HCONV, HSZ topic, HSZ, HDDEDATA data, ULONG_PTR, ULONG_PTR) {
    if (!g_ddeForm) return nullptr;
    char name[64] = {};
    switch (type) {
    case XTYP_CONNECT:
        DdeQueryStringA(g_ddeForm->DdeInstanceForCallback(), topic, name, sizeof name, CP_WINANSI);
        return reinterpret_cast<HDDEDATA>(static_cast<INT_PTR>(lstrcmpiA(name, kDdeTopic) == 0));
    case XTYP_EXECUTE:
        try {
            g_ddeForm->OpenFileMacro(ExecuteText(data));
        } catch (...) {
            return reinterpret_cast<HDDEDATA>(DDE_FNOTPROCESSED);
        }
        return reinterpret_cast<HDDEDATA>(DDE_FACK);
    default: return nullptr;
    }
}

}  // namespace

std::wstring THtmlScrivoForm::DdeServiceName() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring name = NameWithoutFolder(path);
    return name.substr(0, name.find(L'.'));
}

void THtmlScrivoForm::StartDdeServer() {
    if (g_ddeForm) return;  // one server a process
    if (DdeInitializeA(&ddeInstance_, DdeCallback, APPCLASS_STANDARD | CBF_SKIP_ALLNOTIFICATIONS, 0) != DMLERR_NO_ERROR) {
        ddeInstance_ = 0;
        return;
    }
    g_ddeForm = this;
    const std::string service = TextToBytes(DdeServiceName(), CodePage::Ansi);
    HSZ serviceName = DdeCreateStringHandleA(ddeInstance_, service.c_str(), CP_WINANSI);
    DdeNameService(ddeInstance_, serviceName, nullptr, DNS_REGISTER);
    DdeFreeStringHandle(ddeInstance_, serviceName);
}

void THtmlScrivoForm::StopDdeServer() {
    if (!ddeInstance_) return;
    DdeNameService(ddeInstance_, nullptr, nullptr, DNS_UNREGISTER);
    DdeUninitialize(ddeInstance_);
    ddeInstance_ = 0;
    if (g_ddeForm == this) g_ddeForm = nullptr;
}

void THtmlScrivoForm::OpenFileMacro(std::wstring_view command) {
    const auto names = SplitFileList(command);
    if (names.empty()) return;
    const std::wstring& name = names.front();
    if (IsFileOpen(name)) return;
    WaitCursor wait;
    PrepareNewWindow();
    OpenOneFile(name, SettingsByKind(name));
    FinishNewWindow();
}

void THtmlScrivoForm::OpenFileList(std::wstring_view text) { OpenNamedFiles(SplitFileList(text)); }

void THtmlScrivoForm::OpenDroppedFiles(HDROP drop) {
    std::vector<std::wstring> names;
    try {
        const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            wchar_t name[1024] = {};
            DragQueryFileW(drop, i, name, 1024);
            names.emplace_back(name);
        }
    } catch (...) {
        DragFinish(drop);
        throw;
    }
    DragFinish(drop);
    OpenNamedFiles(names);
}

bool THtmlScrivoForm::IsFileOpen(const std::wstring& name) {
    const std::wstring lowered = LowerText(name);
    for (TEditForm* document : Documents()) {
        if (LowerText(document->FileName()) == lowered) {
            ShowPrompt({kStrAlreadyOpen, {name}, L"", PromptIcon::Warning, PromptButtons::Ok, 0, frame_});
            return true;
        }
    }
    return false;
}

THtmlScrivoForm::OpenSettings THtmlScrivoForm::SettingsByKind(const std::wstring& name) const {
    OpenSettings settings;
    settings.wordWrap = DefaultWordWrap(name);
    return settings;
}

bool THtmlScrivoForm::OpenOneFile(const std::wstring& name, const OpenSettings& settings) {
    TEditForm* document = TEditForm::Create(*this, newWindowState_ == DocumentWindowState::Maximized);
    if (document) {
        // Word wrap before the text arrives, so that the control lays the text out once.
        document->Editor().SetWordWrap(settings.wordWrap);
        document->Editor().SetReadOnly(settings.readOnlyBeforeLoad);
    }
    if (!document || !document->LoadFile(name)) {
        if (document) document->Release();
        ShowPrompt({kStrFileNotOpened, {name}, L"", PromptIcon::Error, PromptButtons::Ok, 0, frame_});
        return false;
    }
    if (settings.readOnlyAfterLoad) {
        // A file with NUL bytes stays read-only whatever the caller remembers.
        const bool readOnly = *settings.readOnlyAfterLoad || document->Binary();
        document->Editor().SetReadOnly(readOnly);
        SharedDocumentState().ActiveReadOnly = readOnly;
    }
    document->Editor().SetSelStart(settings.caret);
    if (settings.dosText) document->RestoreDosText();
    document->FormActivate();
    return true;
}

void THtmlScrivoForm::OpenNamedFiles(const std::vector<std::wstring>& names) {
    WaitCursor wait;
    PrepareNewWindow();
    for (const auto& name : names) {
        if (IsFileOpen(name)) continue;
        OpenOneFile(name, SettingsByKind(name));
    }
    FinishNewWindow();
}

TEditForm* THtmlScrivoForm::NewDocument(const std::wstring& ext) {
    PrepareNewWindow();
    TEditForm* document = TEditForm::Create(*this, newWindowState_ == DocumentWindowState::Maximized);
    if (document) {
        document->NewUntitled(ext);
        document->FormActivate();
    }
    FinishNewWindow();
    return document;
}

namespace {
DocumentWindowState StateOf(HWND window) {
    if (IsIconic(window)) return DocumentWindowState::Minimized;
    return IsZoomed(window) ? DocumentWindowState::Maximized : DocumentWindowState::Normal;
}
}  // namespace

void THtmlScrivoForm::PrepareNewWindow() {
    if (TEditForm* active = ActiveDocument()) {
        newWindowState_ = StateOf(active->Handle());
        if (newWindowState_ == DocumentWindowState::Maximized)
            SendMessageW(client_, WM_MDIRESTORE, reinterpret_cast<WPARAM>(active->Handle()), 0);
    } else {
        newWindowState_ = StateForNewWindows(storage::LoadDocumentState(registry_));
    }
}

void THtmlScrivoForm::FinishNewWindow() {
    DocumentState& state = SharedDocumentState();
    states_.DocumentsPresent(state.OpenDocumentCount > 0);
    if (TEditForm* active = ActiveDocument()) {
        active->SelectionChange();
        if (newWindowState_ == DocumentWindowState::Maximized)
            SendMessageW(client_, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(active->Handle()), 0);
    }
}

std::vector<TEditForm*> THtmlScrivoForm::Documents() const {
    std::vector<TEditForm*> documents;
    for (HWND child = GetWindow(client_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (TEditForm* document = TEditForm::FromWindow(child)) documents.push_back(document);
    return documents;
}

TEditForm* THtmlScrivoForm::ActiveDocument() const {
    return TEditForm::FromWindow(reinterpret_cast<HWND>(SendMessageW(client_, WM_MDIGETACTIVE, 0, 0)));
}

void THtmlScrivoForm::SwitchOption(bool EditorOptions::*option, std::wstring_view item) {
    options_.*option = !(options_.*option);
    SetChecked(item, options_.*option);
}

void THtmlScrivoForm::MenuItemSelect(int command) {
    TEditForm* active = ActiveDocument();
    EditorControl* editor = active ? &active->Editor() : nullptr;
    switch (command) {
    case kCmdNew: NewDocument(L""); break;
    case kCmdOpen: OpenCommand(); break;
    case kCmdSave: if (active) active->Save(); break;
    case kCmdSaveAs: if (active) active->SaveAs(); break;
    case kCmdShowInBrowser: if (active) active->ShowInBrowser(); break;
    case kCmdSaveAll:
        for (TEditForm* document : Documents()) document->Save();
        break;
    case kCmdExit:
        SaveState();
        PostMessageW(frame_, WM_CLOSE, 0, 0);
        break;
    case kCmdCloseAll: CloseAll(); break;
    case kCmdPrinterSetup: PrinterSetup(); break;
    case kCmdPrint: PrintActive(); break;
    case kCmdUndo:
    case kCmdCut:
    case kCmdCopy:
    case kCmdPaste:
    case kCmdDelete:
    case kCmdRedo:
    case kCmdSelectAll:
    case kCmdFind:
    case kCmdFindNext:
    case kCmdReplace:
    case kCmdIndent:
    case kCmdUnindent:
        if (active) active->MenuItemClick(command);
        break;
    case kCmdReadOnly: if (active) active->ToggleReadOnly(); break;
    case kCmdGoTo: if (active) active->GoToLine(); break;
    case kCmdCase: if (active) active->CaseCommand(); break;
    case kCmdCoding:
        if (active && ShowPrompt({kStrCodingQuestion, {}, ResourceString(kStrConfirmTitle), PromptIcon::Warning,
                                  PromptButtons::YesNo, 0, frame_}) == PromptAnswer::Yes)
            active->ToggleCoding();
        break;
    case kCmdFullNames:
        SwitchOption(&EditorOptions::FullNames, L"FullFileNameItem");
        for (TEditForm* document : Documents()) document->UpdateCaption();
        break;
    case kCmdWordWrap:
        if (active) {
            const bool wrap = !editor->WordWrap();
            SetChecked(L"WordWrapItem", wrap);
            active->SetWordWrap(wrap);
        }
        break;
    case kCmdAutoindent: SwitchOption(&EditorOptions::Autoindent, L"AutoindentItem"); break;
    case kCmdSmartTab: SwitchOption(&EditorOptions::SmartTab, L"SmartTabItem"); break;
    case kCmdBackups: SwitchOption(&EditorOptions::BackupCopies, L"BackupsItem"); break;
    case kCmdWordSelect:
        SwitchOption(&EditorOptions::WordSelect, L"WordSelectItem");
        for (TEditForm* document : Documents()) document->ApplyWordSelection();
        break;
    default: break;  // the commands of later parts, and unknown numbers, do nothing yet
    }
}

std::function<BOOL(PRINTDLGW&)>& PrintDialogRunner() {
    static std::function<BOOL(PRINTDLGW&)> runner;
    return runner;
}

namespace {
BOOL RunPrintDialog(PRINTDLGW& dialog) {
    return PrintDialogRunner() ? PrintDialogRunner()(dialog) : PrintDlgW(&dialog);
}
}  // namespace

void THtmlScrivoForm::PrinterSetup() {
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = frame_;
    dialog.hDevMode = printerMode_;
    dialog.hDevNames = printerNames_;
    dialog.Flags = PD_PRINTSETUP;
    if (RunPrintDialog(dialog)) {
        printerMode_ = dialog.hDevMode;
        printerNames_ = dialog.hDevNames;
    }
}

void THtmlScrivoForm::PrintActive() {
    TEditForm* active = ActiveDocument();
    if (!active) return;
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = frame_;
    dialog.hDevMode = printerMode_;
    dialog.hDevNames = printerNames_;
    dialog.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE;
    if (!RunPrintDialog(dialog)) return;
    printerMode_ = dialog.hDevMode;
    printerNames_ = dialog.hDevNames;
    if (dialog.hDC) {
        active->Print(dialog.hDC);
        DeleteDC(dialog.hDC);
    }
}

void THtmlScrivoForm::CloseAll() {
    PrepareNewWindow();
    // A snapshot first; every window is asked before any is closed, and one
    // refusal keeps them all (those saved on the way stay open, saved).
    const std::vector<TEditForm*> documents = Documents();
    bool agreed = true;
    for (TEditForm* document : documents) {
        if (!document->FormCloseQuery()) {
            agreed = false;
            break;
        }
    }
    if (agreed)
        for (TEditForm* document : documents) document->Release();
    FinishNewWindow();
}

void THtmlScrivoForm::SaveState() {
    DocumentState& state = SharedDocumentState();
    state.Closing = true;
    // Exit order: (cool bar layout,) options, recent files, file-dialog state, placement.
    storage::SaveOptions(registry_, options_);
    storage::SaveRecentFiles(registry_, recent_);
    storage::SaveDialogState(registry_, dialogState_);
    if (!IsZoomed(frame_) && !IsIconic(frame_)) GetWindowRect(frame_, &savedRect_);
    if (!IsIconic(frame_)) savedState_ = IsZoomed(frame_) ? 2 : 0;
    storage::SavePlacement(registry_, {{savedRect_.left, savedRect_.top, savedRect_.right, savedRect_.bottom},
                                       savedState_});
    rememberedCount_ = state.OpenDocumentCount;
    if (TEditForm* active = ActiveDocument()) {
        const DocumentWindowState activeState = StateOf(active->Handle());
        storage::SaveDocumentState(registry_, static_cast<int>(activeState));
        // Every window then reports its own normal bounds (the desktop).
        if (activeState == DocumentWindowState::Maximized) SendMessageW(client_, WM_MDIRESTORE, reinterpret_cast<WPARAM>(active->Handle()), 0);
    }
}

bool THtmlScrivoForm::OnCloseQuery() {
    DocumentState& state = SharedDocumentState();
    for (TEditForm* document : Documents()) {
        if (!document->FormCloseQuery()) {
            // Refused: the program goes on as it was.
            if (state.Closing) {
                state.Closing = false;
                state.OpenDocumentCount = rememberedCount_;
                if (TEditForm* active = ActiveDocument(); active && storage::LoadDocumentState(registry_) == 2)
                    SendMessageW(client_, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(active->Handle()), 0);
            }
            return false;
        }
    }
    return true;
}

void THtmlScrivoForm::EnterRecentFile(const RecentFileEntry& entry) {
    quillon::EnterRecentFile(recent_, entry);
    RefreshRecentMenu();
}

void THtmlScrivoForm::BuildNewMenu() {
    char buffer[4096] = {};
    GetNewFileIDs(buffer, sizeof buffer);
    std::vector<std::wstring> fields;
    const std::wstring text = BytesToText(buffer, CodePage::Ansi);
    size_t start = 0;
    for (size_t bar; (bar = text.find(L'|', start)) != std::wstring::npos; start = bar + 1)
        fields.push_back(text.substr(start, bar - start));
    // Complete groups of three only; an incomplete group at the end is left out.
    for (size_t i = 0; i + 3 <= fields.size(); i += 3) kinds_.push_back({fields[i], fields[i + 1], fields[i + 2]});
    for (size_t k = 0; k < kinds_.size(); ++k) {
        std::wstring caption = kinds_[k].Name;
        if (k == 0) caption += L"\tCtrl+N";
        AppendMenuW(createMenu_, MF_STRING, kFirstKindId + k, caption.c_str());
    }
    if (!kinds_.empty()) SetMenuDefaultItem(createMenu_, kFirstKindId, FALSE);
}

void THtmlScrivoForm::RefreshRecentMenu() {
    if (!reopenMenu_) return;
    while (GetMenuItemCount(reopenMenu_) > 0) DeleteMenu(reopenMenu_, 0, MF_BYPOSITION);
    for (const auto& [k, caption] : RecentMenuItems()) {
        const bool empty = caption == kEmptyRecentCaption;
        AppendMenuW(reopenMenu_, MF_STRING | (empty ? MF_GRAYED : 0), kFirstRecentId + static_cast<UINT>(k),
                    caption.c_str());
    }
}

std::vector<std::pair<int, std::wstring>> THtmlScrivoForm::RecentMenuItems() const {
    std::vector<std::pair<int, std::wstring>> items;
    for (size_t k = 0; k < kRecentFileCount; ++k) {
        const std::wstring& name = recent_[k].FileName;
        if (name.empty()) {
            // File1Item stays, disabled, as "(Пусто)" while the list is empty.
            if (k == 0) items.emplace_back(0, kEmptyRecentCaption);
            continue;
        }
        items.emplace_back(static_cast<int>(k), NameWithoutFolder(name));
    }
    return items;
}

std::wstring THtmlScrivoForm::HintOf(UINT itemId) const {
    if (itemId >= kFirstKindId && itemId < kFirstKindId + kinds_.size()) return kinds_[itemId - kFirstKindId].Description;
    if (itemId >= kFirstRecentId && itemId < kFirstRecentId + kRecentFileCount) {
        const std::wstring& name = recent_[itemId - kFirstRecentId].FileName;
        return name.empty() ? std::wstring(kEmptyRecentHint) : FormatText(ResourceString(kStrOpenRecent), {name});
    }
    return {};
}

void THtmlScrivoForm::ShowHint(std::wstring_view hint) {
    if (!statusBar_) return;
    // The status bar's single-text mode while a hint is shown, its panels otherwise.
    hint_ = hint;
    SendMessageW(statusBar_, SB_SIMPLE, hint_.empty() ? FALSE : TRUE, 0);
    if (!hint.empty())
        SendMessageW(statusBar_, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(std::wstring(hint).c_str()));
}

std::function<int(FileDialogRequest&)>& OpenDialogRunner() {
    static std::function<int(FileDialogRequest&)> runner;
    return runner;
}

void THtmlScrivoForm::OpenCommand() {
    std::vector<char> buffer(10240, '\0');
    dialogState_.openFolder[0] = '\0';  // the dialog starts in its own folder
    FileDialogRequest request{frame_, buffer.data(), static_cast<std::int32_t>(buffer.size()),
                              dialogState_.openFilter, dialogState_.openFolder.data(), nullptr, 0, nullptr};
    EnableWindow(frame_, FALSE);
    int confirmed = 0;
    try {
        confirmed = OpenDialogRunner() ? OpenDialogRunner()(request) : OpenFiles(&request);
    } catch (...) {
        EnableWindow(frame_, TRUE);
        throw;
    }
    EnableWindow(frame_, TRUE);
    if (!confirmed) return;
    GetOpenFilesList(&request);
    buffer.back() = '\0';
    const auto names = SplitFileList(BytesToText(buffer.data(), CodePage::Ansi));
    WaitCursor wait;
    PrepareNewWindow();
    for (const auto& name : names) {
        if (IsFileOpen(name)) continue;
        OpenSettings settings = SettingsByKind(name);
        settings.readOnlyBeforeLoad = request.readOnly != 0;
        OpenOneFile(name, settings);
    }
    dialogState_.openFilter = request.filterIndex;
    FinishNewWindow();
}

void THtmlScrivoForm::MRUFileItemClick(int k) {
    if (k < 0 || k >= static_cast<int>(kRecentFileCount)) return;
    const RecentFileEntry entry = recent_[static_cast<size_t>(k)];
    if (entry.FileName.empty() || IsFileOpen(entry.FileName)) return;
    WaitCursor wait;
    PrepareNewWindow();
    OpenOneFile(entry.FileName, {entry.WordWrap, false, entry.ReadOnly, entry.Position, entry.DosText});
    FinishNewWindow();
}

UINT THtmlScrivoForm::ItemId(std::wstring_view name) const {
    auto it = itemIds_.find(name);
    return it == itemIds_.end() ? 0 : it->second;
}

void THtmlScrivoForm::SetEnabled(std::wstring_view name, bool enabled) {
    if (const UINT id = ItemId(name)) EnableMenuItem(menu_, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void THtmlScrivoForm::SetChecked(std::wstring_view name, bool checked) {
    if (const UINT id = ItemId(name)) CheckMenuItem(menu_, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void THtmlScrivoForm::SetPanelText(int panel, std::wstring_view text) {
    if (!statusBar_) return;
    // A leading tab centres a panel's text; the compact bar's two panels are left-aligned.
    const bool centred = !compact_ && panel >= 1 && panel <= 4 && !text.empty();
    const std::wstring shown = (centred ? L"\t" : L"") + std::wstring(text);
    SendMessageW(statusBar_, SB_SETTEXTW, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(shown.c_str()));
}

std::wstring THtmlScrivoForm::PanelText(int panel) const {
    const auto length = LOWORD(SendMessageW(statusBar_, SB_GETTEXTLENGTHW, static_cast<WPARAM>(panel), 0));
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(statusBar_, SB_GETTEXTW, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    if (!text.empty() && text.front() == L'\t') text.erase(0, 1);
    return text;
}

std::wstring THtmlScrivoForm::HintShown() const {
    // Wine's status bar does not hand its single text back; it is kept here as shown.
    return hint_;
}

void THtmlScrivoForm::SetFormattingEnabled(bool enabled) {
    for (const auto& entry : MenuEntries())
        if (entry.menu == TopMenu::Format) SetEnabled(entry.name, enabled);
}

void THtmlScrivoForm::SetWindowMenuEnabled(bool enabled) {
    const int count = GetMenuItemCount(windowMenu_);
    for (int i = 0; i < count; ++i)
        EnableMenuItem(windowMenu_, static_cast<UINT>(i), MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
    // Found by its submenu: a maximized document window puts its own menu
    // in front of the menu bar, which shifts every position.
    for (int i = 0; i < GetMenuItemCount(menu_); ++i)
        if (GetSubMenu(menu_, i) == windowMenu_)
            EnableMenuItem(menu_, static_cast<UINT>(i), MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
    DrawMenuBar(frame_);
}

void THtmlScrivoForm::SetWindowToolBarEnabled(bool) {
    // The window toolbar comes with the cool bar.
}

int RunMessageLoop(THtmlScrivoForm& form) {
    HWND frame = form.Frame();
    HWND client = form.DocumentArea();
    HACCEL accelerators = form.Accelerators();
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsModelessDialogMessage(msg)) continue;
        if (IsWindow(frame) && (TranslateMDISysAccel(client, &msg) ||
                                (accelerators && TranslateAcceleratorW(frame, accelerators, &msg))))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void HandOffCommandLine() {
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!args) return;
    if (count > 1) {
        Library assist(L"Assist.dll");
        using ProcessFileListFn = void(__stdcall*)(char**, int);
        if (auto process = assist.Find<ProcessFileListFn>("ProcessFileList")) {
            std::vector<std::string> names;
            for (int i = 1; i < count && static_cast<int>(names.size()) < kMaxHandedArguments; ++i)
                names.push_back(TextToBytes(args[i], CodePage::Ansi));
            std::vector<char*> pointers;
            for (auto& name : names) pointers.push_back(name.data());
            process(pointers.data(), static_cast<int>(pointers.size()));
        }
    }
    LocalFree(args);
}

}  // namespace quillon
