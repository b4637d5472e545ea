// The routines that keep the main window's menu items, toolbar buttons and six
// status panels in step with the active document window. Each sets a fixed
// group of the main window's components, named as in its form.
#pragma once

#include <string>
#include <string_view>

#include "text_coding.h"

namespace quillon {

// Program-wide document state (one instance).
struct DocumentState {
    int OpenDocumentCount = 0;
    int UntitledCounter = 0;
    bool ActiveReadOnly = false;
    bool ActiveFileReadOnly = false;
    bool Closing = false;  // set by SaveState while the program closes
};
DocumentState& SharedDocumentState();

// What the routines drive, by component name. A name the main window does not
// have (a toolbar button before the toolbars exist) is passed over.
class MainComponents {
public:
    virtual ~MainComponents() = default;
    virtual void SetEnabled(std::wstring_view name, bool enabled) = 0;
    virtual void SetChecked(std::wstring_view name, bool checked) = 0;
    virtual void SetPanelText(int panel, std::wstring_view text) = 0;
    // Every item of the Format menu and every control on the format toolbar.
    virtual void SetFormattingEnabled(bool enabled) = 0;
    // Every item of the Window menu.
    virtual void SetWindowMenuEnabled(bool enabled) = 0;
    // The status bar with two left-aligned panels, the first as wide as the main
    // window's client area less 220 (the macro picker's texts); and back to the
    // six panels with empty texts and their widths and alignment.
    virtual void CompactStatusBar() = 0;
    virtual void RestoreStatusBar() = 0;
    // The window toolbar: controls 0-9 enabled (true), or every control
    // disabled and the window buttons after the tenth released (false).
    virtual void SetWindowToolBarEnabled(bool enabled) = 0;
};

// The status texts, read once from the string table at start-up.
struct StatusTexts {
    std::wstring modified, insert, overwrite, readOnly, dosText, windowsText, caret;
    std::wstring utf8Text, utf16Text;
    wchar_t thousandsSeparator = L' ';
};

class CommandStates {
public:
    CommandStates(MainComponents& components, StatusTexts texts, DocumentState& state = SharedDocumentState())
        : c_(components), texts_(std::move(texts)), state_(state) {}

    // Silenced while the program closes.
    void SelectionState(bool selection);
    void UndoState(bool canUndo);
    void RedoState(bool canRedo);
    void PasteState(bool clipboardHasText);
    void ModifiedState(bool modified);
    void DocumentsPresent(bool present);

    // Acting also while the program closes.
    void BrowseState(bool browsable);
    void FindNextState(bool canFindNext);
    void FormattingState(bool enabled);
    void ShowCaret(int column, int line);
    void ShowInsertMode(bool insert);
    void ShowReadOnly(bool readOnly);
    // Panel 3 and the two coding items: "Текст DOS" checked for DOS text and
    // disabled for a UTF document, "Текст UTF-8" checked for UTF-8.
    void ShowCoding(TextCoding coding);
    void ShowMacroState(std::wstring_view text);

    const StatusTexts& Texts() const { return texts_; }

private:
    bool Silenced() const { return state_.Closing; }
    MainComponents& c_;
    StatusTexts texts_;
    DocumentState& state_;
    bool activeUnicode_ = false;  // the coding last shown is a UTF one
};

}  // namespace quillon
