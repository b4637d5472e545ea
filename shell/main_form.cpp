#include "main_form.h"

#include <commctrl.h>
#include <mmsystem.h>

#include "command_table.h"
#include "edit_form.h"
#include "desktop_stream.h"
#include "handoff.h"
#include "macro_keys.h"
#include "macro_picker.h"
#include "macro_sets.h"
#include "win32_delayed_message.h"
#include "prompts.h"
#include "resource_ids.h"
#include "status_texts.h"
#include "toolbar_images_api.h"
#include "win32_clipboard.h"
#include "win32_registry.h"
#include "window_commands.h"
#include "win32_files.h"
#include "win32_startup_trace.h"
#include "window_glue.h"

namespace quillon {

namespace {

constexpr UINT kFirstItemId = 1000;
constexpr UINT_PTR kStartupIdleTimer = 0x5171;
constexpr int kStrWindowHint = 133;
constexpr int kStrNoWindow = 166;
constexpr int kStrToolbarsMissing = 164;
constexpr int kStatusBarId = 90;
// Widths of the six panels; 1 to 4 show their texts centred.
const StatusPanelLayout kPanels{{120, 70, 70, 100, 100, 50}, 1, 4};
// The compact bar (macro picker): the first panel leaves this much of the window's width.
constexpr int kCompactReserved = 220;

StatusTexts LoadStatusTexts() {
    StatusTexts texts{ResourceString(kStrModified), ResourceString(kStrInsert),  ResourceString(kStrOverwrite),
                      ResourceString(kStrReadOnly), ResourceString(kStrDosText), ResourceString(kStrWindowsText),
                      ResourceString(kStrCaret),    ResourceString(kStrUtf8Text), ResourceString(kStrUtf16Text)};
    wchar_t separator[8] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, 8) > 1) texts.thousandsSeparator = separator[0];
    return texts;
}

Registry& UserRegistry() {
    static WindowsRegistry registry;
    return registry;
}

bool RegisterMainFormClass(HINSTANCE instance) {
    HICON icon = LoadIconW(instance, kMainIconId);
    return RegisterProgramClass(instance, kMainFormClass, WindowProcOf<THtmlScrivoForm>,
                                icon ? icon : LoadIconW(nullptr, IDI_APPLICATION), COLOR_APPWORKSPACE);
}

}  // namespace

THtmlScrivoForm::THtmlScrivoForm(Registry& registry)
    : windows_({ResourceString(kStrNoWindow), ResourceString(kStrWindowHint)}),
      states_(*this, LoadStatusTexts()),
      registry_(registry) {}

THtmlScrivoForm* THtmlScrivoForm::FromWindow(HWND hwnd) { return WindowObject<THtmlScrivoForm>(hwnd); }

THtmlScrivoForm* THtmlScrivoForm::ObjectFromCreate(const CREATESTRUCTW& create) {
    return static_cast<THtmlScrivoForm*>(create.lpCreateParams);
}

THtmlScrivoForm* THtmlScrivoForm::Create(HINSTANCE instance, const MainFormOptions& options) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    StartupMark("common controls");
    if (!RegisterMainFormClass(instance) || !RegisterEditFormClass(instance)) return nullptr;
    StartupMark("window classes");
    // Waiting status messages end without a clearing once the program closes.
    SetDelayedMessageClosingSource([] { return SharedDocumentState().Closing; });
    auto* form = new THtmlScrivoForm(options.registry ? *options.registry : UserRegistry());
    if (!options.journalFolder.empty()) {
        // Held for the run; a second instance that got this far keeps none.
        form->journal_ = std::make_unique<DocumentJournal>(options.journalFolder);
        if (!form->journal_->Open()) form->journal_.reset();
    }
    HWND frame = CreateWindowExW(WS_EX_ACCEPTFILES, kMainFormClass, kApplicationTitle,
                                 WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                 CW_USEDEFAULT, nullptr, nullptr, instance, form);
    if (!frame) return nullptr;  // WM_NCDESTROY has freed the form
    StartupMark("frame created");
    // Shown maximized at once where it is to be maximized: shown normal first,
    // every bar would be laid out and painted twice. A start the system asks to
    // be minimized or hidden gets the maximize as a command of its own.
    int show = options.showCommand;
    if (form->startMaximized_) {
        if (show == SW_SHOWDEFAULT || show == SW_SHOWNORMAL || show == SW_SHOW) show = SW_SHOWMAXIMIZED;
        else PostMessageW(frame, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    }
    ShowWindow(frame, show);
    UpdateWindow(frame);
    StartupMark("frame shown and painted");
    return form;
}

LRESULT THtmlScrivoForm::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == DelayedMessageWindowMessage()) return OnDelayedStatus(lParam);
    switch (msg) {
    case WM_CREATE: return OnCreate();
    case WM_SIZE: OnSize(wParam); return 0;
    case WM_ACTIVATE: OnActivate(wParam); break;
    case WM_COMMAND: if (OnCommand(wParam, lParam)) return 0; break;
    case WM_NOTIFY: return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_MEASUREITEM:
        if (coolBar_.OnMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return TRUE;
        break;
    case WM_DRAWITEM:
        if (coolBar_.OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
        break;
    case WM_MENUSELECT: OnMenuSelect(wParam, lParam); break;
    case WM_ENTERMENULOOP: CloseMacroPicker(); break;
    case WM_COPYDATA: return OnCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case kMsgActivateInstance: OnActivateInstance(); return 0;
    case kMsgStartupFiles: OnStartupFiles(); return 0;
    case WM_TIMER:
        if (wParam != kStartupIdleTimer) break;
        KillTimer(frame_, kStartupIdleTimer);
        StartupMark("painted and idle");
        PublishStartupMarks();
        return 0;
    case WM_DROPFILES: files_.OpenDroppedFiles(reinterpret_cast<HDROP>(wParam)); return 0;
    case WM_SYSCOMMAND: OnSysCommand(wParam); break;
    case WM_CLOSE: return OnClose();
    case WM_SYSCOLORCHANGE: OnSysColorChange(); break;
    case WM_DESTROY: OnDestroy(); return 0;
    default: break;
    }
    return Default(msg, wParam, lParam);
}

LRESULT THtmlScrivoForm::OnCreate() {
    StartupMark("frame window made");
    BuildMenu();
    StartupMark("menu and keys");
    CLIENTCREATESTRUCT clientCreate{menuBar_.Popup(static_cast<int>(TopMenu::Window)), kFirstDocumentId};
    client_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                              WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE, 0, 0, 0, 0, frame_,
                              nullptr, GetModuleHandleW(nullptr), &clientCreate);
    if (!client_) return -1;
    StartupMark("MDI client");
    statusBar_.Create(frame_, kStatusBarId, kPanels);
    StartupMark("status bar");
    CreateCoolBar();
    StartupMark("cool bar and toolbars");
    if (!LoadTemplates()) return -1;
    StartupMark("template library and list");
    LoadSettings();
    LoadToolbarPictures();
    StartupMark("bands laid out");
    ApplyOptionChecks();
    fileMenus_.RefreshRecent(menuBar_.Submenu(L"ReopenItem"), recent_);
    fileMenus_.BuildKinds(menuBar_.Submenu(L"CreateItem"), newPopup_.Get());
    states_.DocumentsPresent(false);
    StartupMark("menus filled, commands set");
    macroKeys_ = std::make_unique<MacroKeyboard>(frame_);
    dde_ = std::make_unique<DdeServer>([this](std::wstring_view command) { files_.OpenFileMacro(command); });
    StartupMark("macro keys and DDE");
    return 0;
}

// Start-up order: placement, recent files, options, file-dialog state, font.
void THtmlScrivoForm::LoadSettings() {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const auto placement = storage::LoadPlacement(registry_, {work.left, work.top, work.right, work.bottom});
    if (placement) {
        const storage::ScreenRect& r = placement->rect;
        SetWindowPos(frame_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
        savedRect_ = {r.left, r.top, r.right, r.bottom};
    }
    // No valid placement (the first start, a monitor that is gone): maximized.
    startMaximized_ = !placement || placement->state == 2;
    firstActivation_ = true;
    recent_ = storage::LoadRecentFiles(registry_, [](const std::wstring& name) {
        return FileCommands::SettingsByKind(name).wordWrap;
    });
    options_ = storage::LoadOptions(registry_);
    dialogState_ = storage::LoadDialogState(registry_);
    storage::LoadFont(registry_, options_);
    StartupMark("registry: placement, recent files, options, font");
    LoadMacros();
    StartupMark("macro sets");
    // The band layout of the last exit, before the pictures come; a band
    // without a readable record keeps its place.
    std::array<std::optional<BandRecord>, kToolbarCount> records;
    for (int band = 0; band < kToolbarCount; ++band)
        if (const auto value = storage::LoadBandValue(registry_, band))
            records[static_cast<size_t>(band)] = DecodeBandRecord(*value);
    coolBar_.ApplyLayout(records);
    for (int band = 0; band < kToolbarCount; ++band)
        if (records[static_cast<size_t>(band)]) CheckToolbarItem(band, coolBar_.BandVisible(static_cast<Toolbar>(band)));
}

void THtmlScrivoForm::CreateCoolBar() {
    CoolBar::Host host;
    host.click = [this](const ToolButtonRow& button) { RunButton(button); };
    host.showHint = [this](std::wstring_view hint) { ShowHint(hint); };
    host.dropDownMenu = [this](std::wstring_view name) -> HMENU {
        if (name == L"NewBtn") return newPopup_.Get();
        if (name == L"LoadTemplateBtn") return templatesPopup_.Get();
        return nullptr;
    };
    coolBar_.Create(frame_, GetModuleHandleW(nullptr), L"COOLBARIMAGES", std::move(host));
    HMENU items = menuBar_.Submenu(L"ToolBarsItem");
    for (int band = 0; band < kToolbarCount; ++band) {
        const ToolbarItemRow& row = ToolbarItemRows()[static_cast<size_t>(band)];
        AppendMenuW(items, MF_STRING | MF_CHECKED, kFirstToolbarItemId + static_cast<UINT>(band),
                    std::wstring(row.caption).c_str());
    }
}

void THtmlScrivoForm::LoadToolbarPictures() {
    if (!coolBar_.LoadPictures(ProgramFolderFile(kToolbarsLibrary)))
        ShowPrompt({kStrToolbarsMissing, {}, L"", PromptIcon::Error, PromptButtons::Ok, 0, frame_});
    coolBar_.FinishBands();
    LayoutChildren();
}

void THtmlScrivoForm::RunButton(const ToolButtonRow& button) {
    switch (button.action) {
    case ButtonAction::Command: MenuItemSelect(button.tag); break;
    case ButtonAction::Window: WindowSelect(client_, windows_, button.tag); break;
    case ButtonAction::Template: LoadTemplate(button.tag); break;
    }
}

bool THtmlScrivoForm::ToolbarItemChecked(int band) const {
    return GetMenuState(menuBar_.Submenu(L"ToolBarsItem"), kFirstToolbarItemId + static_cast<UINT>(band), MF_BYCOMMAND) &
           MF_CHECKED;
}

void THtmlScrivoForm::CheckToolbarItem(int band, bool checked) {
    CheckMenuItem(menuBar_.Submenu(L"ToolBarsItem"), kFirstToolbarItemId + static_cast<UINT>(band),
                  MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void THtmlScrivoForm::ViewToolClick(int band) {
    const bool checked = !ToolbarItemChecked(band);
    CheckToolbarItem(band, checked);
    coolBar_.SetBandVisible(static_cast<Toolbar>(band), checked);
    LayoutChildren();
}

void THtmlScrivoForm::ShowWindowButtons() {
    std::vector<WindowButtonView> views;
    for (const WindowButtonState& button : windows_.Buttons())
        views.push_back({button.caption, button.hint, button.enabled, button.pressed});
    coolBar_.ShowWindowButtons(views);
}

LRESULT THtmlScrivoForm::OnNotify(const NMHDR& header) {
    LRESULT result = 0;
    if (coolBar_.OnNotify(header, result)) return result;
    if (header.hwndFrom == coolBar_.Handle() && header.code == RBN_HEIGHTCHANGE) LayoutChildren();
    return Default(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
}

void THtmlScrivoForm::LoadMacros() {
    LoadFormatMacros(GetModuleHandleW(nullptr), frame_);
    TMacrosList& macros = UserMacros();
    macros.Clear();
    macros.SetSortMethod(SortMethod::LastUsed);
    macros.SetModified(false);
    if (!ApplyStoredMacros(macros, storage::LoadMacroValues(registry_)))
        ShowPrompt({kStrMacrosReadFailed, {}, L"", PromptIcon::Information, PromptButtons::Ok, 0, frame_});
    RebuildUserKeyLists();
}

void THtmlScrivoForm::StoreMacros() {
    const TMacrosList& macros = UserMacros();
    storage::SaveMacroValues(registry_, macros.WriteMacroSet(), static_cast<std::uint32_t>(macros.GetSortMethod()),
                             macros.Modified());
}

LRESULT THtmlScrivoForm::OnDelayedStatus(LPARAM text) {
    states_.ShowMacroState(text ? reinterpret_cast<const wchar_t*>(text) : L"");
    return 0;
}

void THtmlScrivoForm::ApplyOptionChecks() {
    SetChecked(L"FullFileNameItem", options_.FullNames);
    SetChecked(L"HTMLExtensionItem", options_.HtmlExt);
    SetChecked(L"AutoindentItem", options_.Autoindent);
    SetChecked(L"SmartTabItem", options_.SmartTab);
    SetChecked(L"WordSelectItem", options_.WordSelect);
    SetChecked(L"BackupsItem", options_.BackupCopies);
}

void THtmlScrivoForm::BuildMenu() {
    // The table's rows, kept for the life of the program.
    static const std::vector<MenuBarItem> items = [] {
        std::vector<MenuBarItem> rows;
        for (const MenuEntry& entry : MenuEntries()) {
            // The editor control handles Delete itself; the menu only shows the key.
            const std::wstring_view shownKey = entry.name == L"DeleteItem" ? L"Del" : L"";
            rows.push_back({static_cast<int>(entry.menu), entry.name, entry.caption, entry.key, shownKey,
                            static_cast<ULONG_PTR>(entry.command), entry.flags});
        }
        return rows;
    }();
    std::vector<std::wstring_view> popups;
    for (const TopMenuEntry& top : TopMenus()) popups.push_back(top.caption);
    // Ctrl+N: the first document kind (its item is built with the kinds list).
    menuBar_.Build(frame_, popups, items, kFirstItemId,
                   {{L"Ctrl+N", kFirstKindId}, {L"Ctrl+L", kDefaultTemplateKeyId}});
}

void THtmlScrivoForm::CompactStatusBar() {
    RECT client{};
    GetClientRect(frame_, &client);
    statusBar_.Compact(client.right, kCompactReserved);
}

void THtmlScrivoForm::RestoreStatusBar() {
    // The active document fills the panels again.
    if (statusBar_.Restore())
        if (TEditForm* active = ActiveDocument()) active->FormActivate();
}

void THtmlScrivoForm::OnSize(WPARAM sizeType) {
    PlayMinimizeSound(sizeType);
    statusBar_.Resize(sizeType == SIZE_MAXIMIZED);
    LayoutChildren();
}

// The cool bar on top, the status bar at the bottom, the document area between.
void THtmlScrivoForm::LayoutChildren() {
    RECT client{};
    GetClientRect(frame_, &client);
    const int barHeight = coolBar_.Resize();
    RECT status{};
    if (statusBar_.Handle() && IsWindowVisible(statusBar_.Handle())) GetWindowRect(statusBar_.Handle(), &status);
    const int statusHeight = status.bottom - status.top;
    if (client_) MoveWindow(client_, 0, barHeight, client.right, std::max(0L, client.bottom - barHeight - statusHeight), TRUE);
}

void THtmlScrivoForm::OnSysCommand(WPARAM command) {
    switch (command & 0xFFF0) {
    case SC_CLOSE: SaveState(); break;
    case SC_MAXIMIZE:
    case SC_MINIMIZE: GetWindowRect(frame_, &savedRect_); break;
    default: break;
    }
}

void THtmlScrivoForm::PlayMinimizeSound(WPARAM sizeType) {
    constexpr DWORD sound = SND_ALIAS | SND_ASYNC | SND_NODEFAULT | SND_NOSTOP;
    if (sizeType == SIZE_MINIMIZED && !minimized_) {
        PlaySoundW(L"Minimize", nullptr, sound);
        minimized_ = true;
    } else if (sizeType != SIZE_MINIMIZED && minimized_) {
        PlaySoundW(L"RestoreUp", nullptr, sound);
        minimized_ = false;
    }
}

void THtmlScrivoForm::OnActivate(WPARAM state) {
    if (LOWORD(state) == WA_INACTIVE) return;
    states_.PasteState(ClipboardHasText());
    if (firstActivation_) {
        firstActivation_ = false;
        StartupMark("activated");
        PostMessageW(frame_, kMsgStartupFiles, 0, 0);
    }
}

bool THtmlScrivoForm::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (coolBar_.OnCommand(wParam, lParam)) return true;
    if (HIWORD(wParam) > 1) return false;  // control notifications
    const UINT id = LOWORD(wParam);
    if (id == kDefaultTemplateKeyId) {
        LoadTemplate(templates_.DefaultIndex);
        return true;
    }
    if (id >= kFirstTemplateId && id < kFirstTemplateId + static_cast<UINT>(templates_.GetCount())) {
        LoadTemplate(static_cast<std::int32_t>(id - kFirstTemplateId));
        return true;
    }
    if (id >= kFirstToolbarItemId && id < kFirstToolbarItemId + kToolbarCount) {
        ViewToolClick(static_cast<int>(id - kFirstToolbarItemId));
        return true;
    }
    if (const auto kind = fileMenus_.KindOf(id)) {
        files_.NewDocument(fileMenus_.Kinds()[*kind].Extension);
        return true;
    }
    if (const auto k = FileMenus::RecentOf(id)) {
        files_.MRUFileItemClick(static_cast<int>(*k));
        return true;
    }
    const int row = menuBar_.RowOfId(id);
    if (row < 0) return false;
    // The command is the low 16 bits of the item's tag; an item hidden from the
    // menu has its number in its row.
    const MenuEntry& entry = MenuEntries()[static_cast<size_t>(row)];
    const auto tag = menuBar_.TagOf(id);
    const int number = tag ? static_cast<short>(LOWORD(*tag)) : entry.command;
    if (entry.handler == Handler::WindowSelect) WindowSelect(client_, windows_, number);
    else MenuItemSelect(number);
    return true;
}

void THtmlScrivoForm::OnMenuSelect(WPARAM wParam, LPARAM lParam) {
    // A closing menu reports 0xFFFF and no menu: the panels come back.
    if (HIWORD(wParam) == 0xFFFF && !lParam) return ShowHint(std::wstring());
    // A menu title or a submenu's item reports its position, not an id: its
    // hint is found by the submenu it opens.
    if (HIWORD(wParam) & MF_POPUP)
        return ShowHint(PopupHintOf(GetSubMenu(reinterpret_cast<HMENU>(lParam), LOWORD(wParam))));
    ShowHint(HintOf(LOWORD(wParam)));
}

std::wstring THtmlScrivoForm::PopupHintOf(HMENU submenu) const {
    if (!submenu) return {};
    const auto& tops = TopMenus();
    for (size_t i = 0; i < tops.size(); ++i)
        if (menuBar_.Popup(static_cast<int>(i)) == submenu) return std::wstring(tops[i].hint);
    for (const MenuEntry& entry : MenuEntries())
        if (Has(entry.flags, MenuItemFlags::Submenu) && menuBar_.Submenu(entry.name) == submenu)
            return std::wstring(entry.hint);
    return {};
}

LRESULT THtmlScrivoForm::OnCopyData(const COPYDATASTRUCT* data) {
    if (!data || data->dwData != kCopyDataFileList) return 0;
    // Narrow text in the system code page, not necessarily NUL-terminated.
    const char* bytes = static_cast<const char*>(data->lpData);
    size_t length = 0;
    while (bytes && length < data->cbData && bytes[length]) ++length;
    files_.OpenFileList(BytesToText(std::string_view(bytes ? bytes : "", length), CodePage::Ansi));
    return 1;
}

void THtmlScrivoForm::OnActivateInstance() {
    if (minimized_ || IsIconic(frame_)) ShowWindow(frame_, SW_RESTORE);
    SetForegroundWindow(frame_);
}

void THtmlScrivoForm::OnStartupFiles() {
    // The desktop of the last exit first, then the program's own command-line
    // files, so that they open after it.
    StartupMark("startup files' turn");
    RestoreDesktop();
    StartupMark("desktop");
    RestoreJournal();
    StartupMark("journal");
    HandOffCommandLine();
    StartupMark("command line");
    // Timers come after every paint: the window is drawn and idle when it fires.
    SetTimer(frame_, kStartupIdleTimer, USER_TIMER_MINIMUM, nullptr);
}

LRESULT THtmlScrivoForm::OnClose() {
    if (OnCloseQuery()) DestroyWindow(frame_);
    return 0;
}

void THtmlScrivoForm::OnSysColorChange() {
    coolBar_.OnSysColorChange();
    for (TEditForm* document : Documents()) document->ApplySystemColors();
}

void THtmlScrivoForm::OnDestroy() {
    dde_.reset();
    SharedMacroKeyState() = MacroKeyState::Idle;
    PostQuitMessage(0);
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

void THtmlScrivoForm::SaveState() {
    DocumentState& state = SharedDocumentState();
    state.Closing = true;
    // Exit order: cool bar layout, options, recent files, file-dialog state, placement.
    std::vector<std::pair<int, Bytes>> bands;
    for (const auto& [band, record] : coolBar_.Layout()) bands.emplace_back(band, EncodeBandRecord(record));
    storage::SaveBandValues(registry_, bands);
    storage::SaveOptions(registry_, options_);
    storage::SaveRecentFiles(registry_, recent_);
    storage::SaveDialogState(registry_, dialogState_);
    if (!IsZoomed(frame_) && !IsIconic(frame_)) GetWindowRect(frame_, &savedRect_);
    if (!IsIconic(frame_)) savedState_ = IsZoomed(frame_) ? 2 : 0;
    storage::SavePlacement(registry_, {{savedRect_.left, savedRect_.top, savedRect_.right, savedRect_.bottom},
                                       savedState_});
    rememberedCount_ = state.OpenDocumentCount;
    desktop_.emplace();
    activeAtExit_ = nullptr;
    if (state.OpenDocumentCount == 0) {
        // No documents: the next start opens none.
        EndDesktop(*desktop_);
        storage::SaveDesktop(registry_, *desktop_);
        desktop_.reset();
    }
    if (TEditForm* active = ActiveDocument()) {
        activeAtExit_ = active->Handle();
        const DocumentWindowState activeState = StateOf(active->Handle());
        storage::SaveDocumentState(registry_, static_cast<int>(activeState));
        // Every window then reports its own normal bounds (the desktop).
        if (activeState == DocumentWindowState::Maximized) SendMessageW(client_, WM_MDIRESTORE, reinterpret_cast<WPARAM>(active->Handle()), 0);
    }
}

bool THtmlScrivoForm::OnCloseQuery() {
    DocumentState& state = SharedDocumentState();
    for (TEditForm* document : Documents()) {
        if (document->FormCloseQuery()) continue;
        // Refused: the program goes on as it was, and the desktop of the last exit stays.
        desktop_.reset();
        if (state.Closing) {
            state.Closing = false;
            state.OpenDocumentCount = rememberedCount_;
            if (TEditForm* active = ActiveDocument(); active && StoredDocumentState() == 2)
                SendMessageW(client_, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(active->Handle()), 0);
        }
        return false;
    }
    return true;
}

namespace {
std::wstring CaptionOf(HWND window) {
    wchar_t caption[512] = {};
    GetWindowTextW(window, caption, 512);
    return caption;
}
}  // namespace

void THtmlScrivoForm::RegisterWindow(HWND window) {
    windows_.Register(window, CaptionOf(window));
    ShowWindowButtons();
}

void THtmlScrivoForm::UnregisterWindow(HWND window) {
    windows_.Unregister(windows_.NumberOf(window), SharedDocumentState().Closing);
    if (!SharedDocumentState().Closing) ShowWindowButtons();
}

void THtmlScrivoForm::WindowNameChanged(HWND window) {
    TEditForm* document = TEditForm::FromWindow(window);
    if (!document) return;
    windows_.NameChanged(windows_.NumberOf(window), CaptionOf(window), document->FileName());
    ShowWindowButtons();
}

void THtmlScrivoForm::WindowActivated(HWND window) {
    windows_.Activated(windows_.NumberOf(window));
    ShowWindowButtons();
}

void THtmlScrivoForm::EnterRecentFile(const RecentFileEntry& entry) {
    quillon::EnterRecentFile(recent_, entry);
    fileMenus_.RefreshRecent(menuBar_.Submenu(L"ReopenItem"), recent_);
}

std::wstring THtmlScrivoForm::HintOf(UINT itemId) const {
    if (auto hint = fileMenus_.HintOf(itemId, recent_)) return *hint;
    if (itemId >= kFirstTemplateId && itemId < kFirstTemplateId + static_cast<UINT>(templates_.Count()))
        return BytesToText(templates_.Item(static_cast<std::int32_t>(itemId - kFirstTemplateId))->Description,
                           CodePage::Win1251);
    if (itemId >= kFirstToolbarItemId && itemId < kFirstToolbarItemId + kToolbarCount)
        return std::wstring(ToolbarItemRows()[itemId - kFirstToolbarItemId].hint);
    const int row = menuBar_.RowOfId(itemId);
    return row < 0 ? std::wstring() : std::wstring(MenuEntries()[static_cast<size_t>(row)].hint);
}

void THtmlScrivoForm::SetFormattingEnabled(bool enabled) {
    coolBar_.SetFormattingEnabled(enabled);
    for (const auto& entry : MenuEntries())
        if (entry.menu == TopMenu::Format) SetEnabled(entry.name, enabled);
}

void THtmlScrivoForm::SetWindowMenuEnabled(bool enabled) {
    menuBar_.SetPopupEnabled(static_cast<int>(TopMenu::Window), enabled);
}

}  // namespace quillon
