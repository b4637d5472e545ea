// The desktop: each document window's record while the program closes, and
// the windows reopened from them at the next start.
#include "desktop_stream.h"
#include "journal.h"
#include "edit_form.h"
#include "main_form.h"
#include "prompts.h"
#include "win32_guards.h"

namespace quillon {

namespace {

constexpr int kStrFileNotOpened = 113;
constexpr int kStrUntitled = 101;
constexpr int kStrJournalRestore = 206;
constexpr int kStrJournalDamaged = 207;

DesktopRecord RecordOf(TEditForm& document, int number, bool active) {
    WINDOWPLACEMENT placement{sizeof placement};
    GetWindowPlacement(document.Handle(), &placement);
    const RECT& normal = placement.rcNormalPosition;
    DesktopRecord record;
    record.fileName = TextToBytes(document.FileName(), CodePage::Ansi);
    record.left = normal.left;
    record.top = normal.top;
    record.width = normal.right - normal.left;
    record.height = normal.bottom - normal.top;
    record.state = placement.showCmd == SW_SHOWMINIMIZED ? 1 : placement.showCmd == SW_SHOWMAXIMIZED ? 2 : 0;
    record.order = active ? -(number + 1) : number + 1;
    RichEditControl& editor = document.Editor();
    record.readOnly = editor.ReadOnly();
    record.caret = editor.SelStart();
    record.wordWrap = editor.WordWrap();
    record.coding = static_cast<std::int32_t>(StoredCoding(document.Coding()));
    return record;
}

}  // namespace

void THtmlScrivoForm::DocumentAgreedToClose(TEditForm& document) {
    if (!desktop_) return;
    // Untitled documents are not part of the desktop.
    if (!document.IsUntitledName() && !document.FileName().empty())
        AppendDesktopRecord(*desktop_, RecordOf(document, windows_.NumberOf(document.Handle()),
                                                document.Handle() == activeAtExit_));
    if (SharedDocumentState().OpenDocumentCount > 0) return;
    // The last window: the stream ends and is stored, whatever this one wrote.
    EndDesktop(*desktop_);
    storage::SaveDesktop(registry_, *desktop_);
    desktop_.reset();
}

void THtmlScrivoForm::RestoreDesktop() {
    WaitCursor wait;
    const auto stream = storage::LoadDesktop(registry_);
    HWND reactivate = nullptr;
    int restored = 0;
    if (stream) {
        for (const DesktopRecord& record : RestoreOrder(ParseDesktop(*stream))) {
            HWND window = files_.RestoreWindow(record);
            restored += window != nullptr;
            if (window && record.order < 0) reactivate = window;
        }
    }
    // Windows opened otherwise before this point (a test, a scene) are left as they are.
    if (restored == 0) return;
    SendMessageW(client_, WM_MDIICONARRANGE, 0, 0);
    SharedDocumentState().OpenDocumentCount = static_cast<int>(Documents().size());
    states_.DocumentsPresent(SharedDocumentState().OpenDocumentCount > 0);
    TEditForm* active = ActiveDocument();
    if (!active) return;
    // The active window's state as stored at the exit ("Window State", maximized when missing).
    switch (StateForNewWindows(StoredDocumentState())) {
    case DocumentWindowState::Maximized: SendMessageW(client_, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(active->Handle()), 0); break;
    case DocumentWindowState::Minimized: ShowWindow(active->Handle(), SW_MINIMIZE); break;
    case DocumentWindowState::Normal: break;
    }
    active->SelectionChange();
    active->FormActivate();
    if (reactivate) SendMessageW(client_, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(reactivate), 0);
}

int THtmlScrivoForm::WindowNumber(HWND window) const { return windows_.NumberOf(window); }

void THtmlScrivoForm::RestoreJournal() {
    if (!journal_) return;
    DocumentJournal::Leftovers left = journal_->ReadLeftovers();
    if (left.files.empty()) return;
    if (!left.entries.empty()) {
        const PromptAnswer answer =
            ShowPrompt({kStrJournalRestore, {static_cast<int>(left.entries.size())}, kApplicationTitle,
                        PromptIcon::Question, PromptButtons::YesNo, 0, frame_});
        if (answer == PromptAnswer::Yes) {
            WaitCursor wait;
            const std::vector<TEditForm*> open = Documents();
            std::vector<std::wstring> names;
            for (TEditForm* document : open) names.push_back(document->FileName());
            DocumentState& state = SharedDocumentState();
            const JournalRestorePlan plan =
                PlanJournalRestore(left.entries, names, ResourceString(kStrUntitled), state.UntitledCounter);
            state.UntitledCounter = plan.untitledCounter;
            for (const JournalRestoreStep& step : plan.steps) {
                const JournalEntry& entry = left.entries[step.entry];
                if (step.existingWindow >= 0) {
                    TEditForm* document = open[static_cast<size_t>(step.existingWindow)];
                    document->RestoreFromJournal(entry);
                    document->FormActivate();
                } else {
                    files_.OpenJournalEntry(entry);
                }
            }
        }
    }
    // Said once: the damaged entries go with the others.
    if (left.damaged > 0)
        ShowPrompt({kStrJournalDamaged, {left.damaged}, kApplicationTitle, PromptIcon::Warning, PromptButtons::Ok, 0,
                    frame_});
    DocumentJournal::DeleteFiles(left.files);
}

}  // namespace quillon
