#include "file_commands.h"

#include "journal_entry.h"
#include "win32_startup_trace.h"

#include "codepage.h"
#include "desktop_stream.h"
#include "edit_form.h"
#include "main_form.h"
#include "prompts.h"
#include "text_case.h"
#include "win32_guards.h"

namespace quillon {

namespace {
constexpr int kStrFileNotOpened = 113;
constexpr int kStrAlreadyOpen = 114;
}  // namespace

DocumentWindowState StateOf(HWND window) {
    if (IsIconic(window)) return DocumentWindowState::Minimized;
    return IsZoomed(window) ? DocumentWindowState::Maximized : DocumentWindowState::Normal;
}

std::function<int(FileDialogRequest&)>& OpenDialogRunner() {
    static std::function<int(FileDialogRequest&)> runner;
    return runner;
}

// New windows open in the state of the active window (restored meanwhile, so
// that each new window is laid out once), or in the stored state when none is
// open; the last one opened is maximized again at the end, and the commands
// follow the number of documents.
class NewWindowGuard {
public:
    explicit NewWindowGuard(FileCommands& files) : files_(files), frame_(files.frame_) {
        if (TEditForm* active = frame_.ActiveDocument()) {
            files_.newWindowState_ = StateOf(active->Handle());
            if (files_.newWindowState_ == DocumentWindowState::Maximized)
                SendMessageW(frame_.DocumentArea(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(active->Handle()), 0);
        } else {
            files_.newWindowState_ = StateForNewWindows(frame_.StoredDocumentState());
        }
    }
    ~NewWindowGuard() {
        frame_.States().DocumentsPresent(SharedDocumentState().OpenDocumentCount > 0);
        if (TEditForm* active = frame_.ActiveDocument()) {
            active->SelectionChange();
            if (files_.newWindowState_ == DocumentWindowState::Maximized)
                SendMessageW(frame_.DocumentArea(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(active->Handle()), 0);
        }
    }
    NewWindowGuard(const NewWindowGuard&) = delete;
    NewWindowGuard& operator=(const NewWindowGuard&) = delete;

private:
    FileCommands& files_;
    THtmlScrivoForm& frame_;
};

WindowStart FileCommands::NewWindowStart() const {
    return newWindowState_ == DocumentWindowState::Maximized ? WindowStart::Maximized : WindowStart::Normal;
}

OpenSettings FileCommands::SettingsByKind(const std::wstring& name) {
    OpenSettings settings;
    settings.wordWrap = GetDefWordWrap(TextToBytes(name, CodePage::Ansi).c_str()) != 0;
    return settings;
}

bool FileCommands::IsFileOpen(const std::wstring& name) {
    const std::wstring lowered = LowerText(name);
    for (TEditForm* document : frame_.Documents()) {
        if (LowerText(document->FileName()) == lowered) {
            ShowPrompt({kStrAlreadyOpen, {name}, L"", PromptIcon::Warning, PromptButtons::Ok, 0, frame_.Frame()});
            return true;
        }
    }
    return false;
}

void FileCommands::Open(const std::vector<OpenRequest>& requests) {
    WaitCursor wait;
    NewWindowGuard guard(*this);
    for (const OpenRequest& request : requests) {
        if (IsFileOpen(request.name)) continue;
        OpenOneFile(request);
    }
}

bool FileCommands::OpenOneFile(const OpenRequest& request) {
    const OpenSettings& settings = request.settings;
    TEditForm* document = TEditForm::Create(frame_, NewWindowStart());
    if (document) {
        // Word wrap before the text arrives, so that the control lays the text out once.
        document->Editor().SetWordWrap(settings.wordWrap);
        document->Editor().SetReadOnly(settings.readOnlyBeforeLoad);
    }
    if (!document || !document->LoadFile(request.name, settings.coding)) {
        if (document) document->Release();
        ShowPrompt({kStrFileNotOpened, {request.name}, L"", PromptIcon::Error, PromptButtons::Ok, 0, frame_.Frame()});
        return false;
    }
    if (settings.readOnlyAfterLoad) {
        // A file with NUL bytes stays read-only whatever the caller remembers.
        const bool readOnly = *settings.readOnlyAfterLoad || document->Binary();
        document->Editor().SetReadOnly(readOnly);
        SharedDocumentState().ActiveReadOnly = readOnly;
    }
    document->Editor().SetSelStart(settings.caret);
    document->FormActivate();
    return true;
}

void FileCommands::OpenNamedFiles(const std::vector<std::wstring>& names) {
    std::vector<OpenRequest> requests;
    for (const std::wstring& name : names) requests.push_back({name, SettingsByKind(name)});
    Open(requests);
}

void FileCommands::OpenFileList(std::wstring_view text) { OpenNamedFiles(SplitFileList(text)); }

void FileCommands::OpenDroppedFiles(HDROP drop) {
    std::vector<std::wstring> names;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring name(length + 1, L'\0');
        DragQueryFileW(drop, i, name.data(), length + 1);
        name.resize(length);
        names.push_back(std::move(name));
    }
    DragFinish(drop);
    OpenNamedFiles(names);
}

void FileCommands::OpenFileMacro(std::wstring_view command) {
    const auto names = SplitFileList(command);
    if (!names.empty()) OpenNamedFiles({names.front()});
}

void FileCommands::OpenCommand() {
    std::vector<char> buffer(10240, '\0');
    storage::FileboxDialogState& state = frame_.DialogState();
    state.openFolder[0] = '\0';  // the dialog starts in its own folder
    FileDialogRequest request{frame_.Frame(), buffer.data(), static_cast<std::int32_t>(buffer.size()),
                              state.openFilter, state.openFolder.data(), nullptr, 0, nullptr};
    int confirmed = 0;
    {
        DisabledWindow modal(frame_.Frame());
        confirmed = OpenDialogRunner() ? OpenDialogRunner()(request) : OpenFiles(&request);
    }
    if (!confirmed) return;
    GetOpenFilesList(&request);
    buffer.back() = '\0';
    std::vector<OpenRequest> requests;
    for (const std::wstring& name : SplitFileList(BytesToText(buffer.data(), CodePage::Ansi))) {
        OpenSettings settings = SettingsByKind(name);
        settings.readOnlyBeforeLoad = request.readOnly != 0;
        requests.push_back({name, settings});
    }
    Open(requests);
    state.openFilter = request.filterIndex;
}

void FileCommands::MRUFileItemClick(int k) {
    if (k < 0 || k >= static_cast<int>(kRecentFileCount)) return;
    const RecentFileEntry entry = frame_.Recent()[static_cast<size_t>(k)];
    if (entry.FileName.empty()) return;
    Open({{entry.FileName, {.wordWrap = entry.WordWrap,
                            .readOnlyAfterLoad = entry.ReadOnly,
                            .caret = entry.Position,
                            .coding = CodingFromStored(entry.Coding)}}});
}

TEditForm* FileCommands::NewDocument(const std::wstring& ext) {
    NewWindowGuard guard(*this);
    TEditForm* document = TEditForm::Create(frame_, NewWindowStart());
    if (document) {
        document->NewUntitled(ext);
        // The kind's word wrap, as a file of the kind opened would have.
        document->Editor().SetWordWrap(SettingsByKind(document->FileName()).wordWrap);
        document->FormActivate();
    }
    return document;
}

void FileCommands::OpenJournalEntry(const JournalEntry& entry) {
    NewWindowGuard guard(*this);
    TEditForm* document = TEditForm::Create(frame_, NewWindowStart());
    if (!document) return;
    document->RestoreFromJournal(entry);
    document->FormActivate();
}

HWND FileCommands::RestoreWindow(const DesktopRecord& record) {
    const std::wstring name = BytesToText(record.fileName, CodePage::Ansi);
    TEditForm* document = TEditForm::Create(frame_, WindowStart::Normal);
    StartupMark("desktop: a document window made");
    if (!document) return nullptr;
    RichEditControl& editor = document->Editor();
    // Word wrap before the text arrives, so that the control lays the text out once.
    editor.SetWordWrap(record.wordWrap);
    if (!document->LoadFile(name, CodingFromStored(static_cast<std::uint32_t>(record.coding)))) {
        document->Release();
        ShowPrompt({kStrFileNotOpened, {name}, L"", PromptIcon::Error, PromptButtons::Ok, 0, frame_.Frame()});
        return nullptr;
    }
    StartupMark("desktop: its file loaded");
    // Bounds and state with the window painting itself: an editor whose painting
    // is held back while its window moves keeps pieces of its old frame.
    MoveWindow(document->Handle(), record.left, record.top, record.width, record.height, TRUE);
    if (record.state == 1) ShowWindow(document->Handle(), SW_MINIMIZE);
    if (record.state == 2) SendMessageW(frame_.DocumentArea(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(document->Handle()), 0);
    editor.SetReadOnly(editor.ReadOnly() || record.readOnly);
    editor.SetSelStart(record.caret);
    editor.SetModified(false);
    StartupMark("desktop: placed, caret and coding set");
    return document->Handle();
}

void FileCommands::CloseAll() {
    NewWindowGuard guard(*this);
    // A snapshot first; every window is asked before any is closed, and one
    // refusal keeps them all (those saved on the way stay open, saved).
    const std::vector<TEditForm*> documents = frame_.Documents();
    for (TEditForm* document : documents)
        if (!document->FormCloseQuery()) return;
    for (TEditForm* document : documents) document->Release();
}

}  // namespace quillon
