// The main window's command handler: the row of a command number names the
// subsystem that runs it.
#include "about_box.h"
#include "command_table.h"
#include "edit_form.h"
#include "macro_sets.h"
#include "macros_dialog.h"
#include "main_form.h"
#include "window_commands.h"
#include "prompts.h"

namespace quillon {

namespace {
constexpr int kStrCodingQuestion = 149;
constexpr int kStrConfirmTitle = 150;
}  // namespace

void THtmlScrivoForm::MenuItemSelect(int command) {
    const MenuEntry* entry = FindCommand(command);
    if (!entry) return;  // a number not in the table does nothing
    switch (entry->owner) {
    case Subsystem::Shell: RunShellCommand(command); break;
    case Subsystem::Document: RunDocumentCommand(*entry); break;
    case Subsystem::Macros: RunMacroCommand(command); break;
    case Subsystem::Windows: RunWindowCommand(command); break;
    case Subsystem::Templates:
        if (command == kCmdTemplateEditor) EditTemplateList();
        break;
    case Subsystem::Toolbars: break;  // the View > toolbars items have ids of their own
    }
}

void THtmlScrivoForm::RunMacroCommand(int command) {
    if (command >= kCmdFormatFirst && command <= kCmdFormatLast) {
        if (TEditForm* active = ActiveDocument()) InsertToolbarMacro(*active, command, frame_);
        return;
    }
    if (command == kCmdMacroEditor) {
        // The dialog rebuilds the key lists as it closes; the set is stored after it.
        ShowMacrosDialog(*this);
        StoreMacros();
    }
}

void THtmlScrivoForm::RunWindowCommand(int command) {
    using W = WindowArrangement;
    switch (command) {
    case kCmdCascade: ArrangeDocuments(client_, W::Cascade); break;
    case kCmdTileSideBySide: ArrangeDocuments(client_, W::TileSideBySide); break;
    case kCmdTileAbove: ArrangeDocuments(client_, W::TileAbove); break;
    case kCmdArrangeIcons: ArrangeDocuments(client_, W::ArrangeIcons); break;
    case kCmdPreviousWindow: ArrangeDocuments(client_, W::Previous); break;
    case kCmdNextWindow: ArrangeDocuments(client_, W::Next); break;
    case kCmdWindowList: ShowWindowListDialog({frame_, client_, &windows_, this}); break;
    default: break;
    }
}

void THtmlScrivoForm::RunDocumentCommand(const MenuEntry& entry) {
    if (TEditForm* active = ActiveDocument()) active->Run(entry.verb);
}

void THtmlScrivoForm::RunShellCommand(int command) {
    switch (command) {
    case kCmdNew: files_.NewDocument(L""); break;
    case kCmdOpen: files_.OpenCommand(); break;
    case kCmdSaveAll: SaveAll(); break;
    case kCmdExit: Exit(); break;
    case kCmdCloseAll: files_.CloseAll(); break;
    case kCmdPrinterSetup: printer_.Setup(frame_); break;
    case kCmdPrint: PrintActive(); break;
    case kCmdCoding: SwitchCoding(); break;
    case kCmdUtf8:
        if (TEditForm* active = ActiveDocument()) active->ToggleUtf8();
        break;
    case kCmdWordWrap: SwitchWordWrap(); break;
    case kCmdFullNames:
        SwitchOption(&EditorOptions::FullNames, L"FullFileNameItem");
        for (TEditForm* document : Documents()) document->UpdateCaption();
        break;
    case kCmdAutoindent: SwitchOption(&EditorOptions::Autoindent, L"AutoindentItem"); break;
    case kCmdSmartTab: SwitchOption(&EditorOptions::SmartTab, L"SmartTabItem"); break;
    case kCmdBackups: SwitchOption(&EditorOptions::BackupCopies, L"BackupsItem"); break;
    case kCmdAbout: ShowAboutBox(frame_); break;
    case kCmdFont: ChooseEditorFont(); break;
    case kCmdWordSelect:
        SwitchOption(&EditorOptions::WordSelect, L"WordSelectItem");
        for (TEditForm* document : Documents()) document->ApplyWordSelection();
        break;
    default: break;
    }
}

void THtmlScrivoForm::SwitchOption(bool EditorOptions::*option, std::wstring_view item) {
    options_.*option = !(options_.*option);
    SetChecked(item, options_.*option);
}

void THtmlScrivoForm::SwitchWordWrap() {
    TEditForm* active = ActiveDocument();
    if (!active) return;
    const bool wrap = !active->Editor().WordWrap();
    SetChecked(L"WordWrapItem", wrap);
    active->SetWordWrap(wrap);
}

void THtmlScrivoForm::SwitchCoding() {
    TEditForm* active = ActiveDocument();
    // A UTF document has no DOS counterpart (the item is disabled for it).
    if (!active || IsUnicode(active->Coding())) return;
    const PromptAnswer answer = ShowPrompt({kStrCodingQuestion, {}, ResourceString(kStrConfirmTitle),
                                            PromptIcon::Warning, PromptButtons::YesNo, 0, frame_});
    if (answer == PromptAnswer::Yes) active->ToggleCoding();
}

void THtmlScrivoForm::SaveAll() {
    for (TEditForm* document : Documents()) document->Save();
}

void THtmlScrivoForm::Exit() {
    SaveState();
    PostMessageW(frame_, WM_CLOSE, 0, 0);
}

void THtmlScrivoForm::PrintActive() {
    TEditForm* active = ActiveDocument();
    if (!active) return;
    if (const PrinterDC printer = printer_.ChoosePrinter(frame_)) active->Print(printer.Get());
}

const std::vector<ContextMenuRow>& THtmlScrivoForm::ContextMenuRows() const {
    static const std::vector<ContextMenuRow> rows = [] {
        std::vector<ContextMenuRow> list;
        for (const std::wstring_view name : ContextMenuNames()) {
            const MenuEntry* entry = name.empty() ? nullptr : FindMenuEntry(name);
            list.push_back(entry ? ContextMenuRow{entry->verb, entry->caption, entry->hint}
                                 : ContextMenuRow{DocumentVerb::None, {}, {}});
        }
        return list;
    }();
    return rows;
}

}  // namespace quillon
