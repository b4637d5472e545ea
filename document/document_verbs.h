// What a document window does on request: the verbs the main window's
// commands and the context menu map to.
#pragma once

namespace quillon {

enum class DocumentVerb {
    None,
    Save,
    SaveAs,
    ShowInBrowser,
    Undo,
    Redo,
    Cut,
    Copy,
    Paste,
    Delete,
    SelectAll,
    Find,
    FindNext,
    Replace,
    GoToLine,
    Indent,
    Unindent,
    ToggleReadOnly,
    ChangeCase,
};

}  // namespace quillon
