#include "common.h"

#include "status_texts.h"

namespace quillon {

DocumentState& SharedDocumentState() {
    static DocumentState state;
    return state;
}

void CommandStates::SelectionState(bool v) {
    if (Silenced()) return;
    const bool editable = v && !state_.ActiveReadOnly;
    for (const auto* name : {L"CutItem", L"CutBtn", L"DeleteItem", L"DeleteBtn", L"IndentItem", L"UnindentItem",
                             L"CaseItem"})
        c_.SetEnabled(name, editable);
    c_.SetEnabled(L"CopyItem", v);
    c_.SetEnabled(L"CopyBtn", v);
}

void CommandStates::UndoState(bool v) {
    if (Silenced()) return;
    c_.SetEnabled(L"UndoItem", v && !state_.ActiveReadOnly);
    c_.SetEnabled(L"UndoBtn", v && !state_.ActiveReadOnly);
}

void CommandStates::RedoState(bool v) {
    if (Silenced()) return;
    c_.SetEnabled(L"RedoItem", v && !state_.ActiveReadOnly);
    c_.SetEnabled(L"RedoBtn", v && !state_.ActiveReadOnly);
}

void CommandStates::PasteState(bool v) {
    if (Silenced()) return;
    const bool enabled = v && state_.OpenDocumentCount > 0 && !state_.ActiveReadOnly;
    c_.SetEnabled(L"PasteItem", enabled);
    c_.SetEnabled(L"PasteBtn", enabled);
}

void CommandStates::ModifiedState(bool v) {
    if (Silenced()) return;
    c_.SetEnabled(L"SaveItem", v);
    c_.SetEnabled(L"SaveBtn", v);
    c_.SetPanelText(1, v ? texts_.modified : L"");
}

void CommandStates::DocumentsPresent(bool v) {
    if (Silenced()) return;
    for (const auto* name : {L"SaveAsItem", L"SaveAllItem", L"SaveAllBtn", L"PrintItem", L"PrintBtn",
                             L"PrinterSetupItem", L"WordWrapItem", L"Utf8Item", L"CaseItem"})
        c_.SetEnabled(name, v);
    c_.SetEnabled(L"CodingItem", v && !activeUnicode_);
    for (const auto* name : {L"SelectAllItem", L"FindItem", L"FindNextItem", L"ReplaceItem", L"GoToItem",
                             L"IndentItem", L"UnindentItem", L"ReadOnlyItem"})
        c_.SetEnabled(name, v);
    c_.SetEnabled(L"ReplaceItem", v && !state_.ActiveReadOnly);
    c_.SetEnabled(L"ReplaceBtn", v && !state_.ActiveReadOnly);
    c_.SetEnabled(L"ReadOnlyItem", v && !state_.ActiveFileReadOnly);
    if (!v) c_.SetChecked(L"ReadOnlyItem", false);
    c_.SetEnabled(L"FindBtn", v);
    c_.SetEnabled(L"GoToBtn", v);
    if (!v) c_.SetEnabled(L"FindNextBtn", false);
    c_.SetWindowMenuEnabled(v);
    c_.SetWindowToolBarEnabled(v);
    if (!v) {
        // No document, no selection: Cut, Copy and Delete go too.
        SelectionState(false);
        ModifiedState(false);
        PasteState(false);
        UndoState(false);
        RedoState(false);
        BrowseState(false);
        FormattingState(false);
        for (int panel = 0; panel < 6; ++panel) c_.SetPanelText(panel, L"");
        c_.SetChecked(L"CodingItem", false);
        c_.SetChecked(L"Utf8Item", false);
    }
}

void CommandStates::BrowseState(bool v) {
    c_.SetEnabled(L"ShowInBrowser", v);
    c_.SetEnabled(L"BrowseBtn", v);
}

void CommandStates::FindNextState(bool v) {
    c_.SetEnabled(L"FindNextItem", v);
    c_.SetEnabled(L"FindNextBtn", v);
}

void CommandStates::FormattingState(bool v) { c_.SetFormattingEnabled(v); }

void CommandStates::ShowCaret(int column, int line) {
    c_.SetPanelText(0, CaretText(texts_.caret, column, line, texts_.thousandsSeparator));
}

void CommandStates::ShowInsertMode(bool v) { c_.SetPanelText(2, v ? texts_.insert : texts_.overwrite); }

void CommandStates::ShowReadOnly(bool v) {
    c_.SetPanelText(4, v ? texts_.readOnly : L"");
    c_.SetEnabled(L"ReplaceItem", !v);
    c_.SetChecked(L"ReadOnlyItem", state_.ActiveReadOnly);
    c_.SetEnabled(L"ReadOnlyItem", state_.OpenDocumentCount > 0 && !state_.ActiveFileReadOnly);
}

void CommandStates::ShowCoding(TextCoding coding) {
    const std::wstring* text = &texts_.windowsText;
    if (coding == TextCoding::Dos) text = &texts_.dosText;
    if (IsUtf8(coding)) text = &texts_.utf8Text;
    if (coding == TextCoding::Utf16) text = &texts_.utf16Text;
    c_.SetPanelText(3, *text);
    activeUnicode_ = IsUnicode(coding);
    c_.SetChecked(L"CodingItem", coding == TextCoding::Dos);
    c_.SetEnabled(L"CodingItem", state_.OpenDocumentCount > 0 && !activeUnicode_);
    c_.SetChecked(L"Utf8Item", IsUtf8(coding));
}

void CommandStates::ShowMacroState(std::wstring_view text) { c_.SetPanelText(5, text); }

}  // namespace quillon
