// The keyboard aids of a document window, written against the editor control:
// indentation on Enter, the smart Tab and Backspace, block indent, deleting a
// word or a line, the HTML break keys, and which key does what.
//
// Every change goes through ReplaceSel, so that each one is a single step the
// user can undo and a changed document never looks unchanged.
#pragma once

#include "editor_control.h"

namespace quillon {

// The smart Tab's step when no line above gives a column.
inline constexpr int kDefaultTabStep = 8;
// How many lines above the caret the smart Tab looks at.
inline constexpr int kSmartTabLines = 10;

// Replaces the selection by a line break and the indentation (spaces and tabs,
// as they are) of the whole line the selection starts on.
void NewLineWithIndent(EditorControl& editor);
// Inserts spaces up to the start of the next word of the nearest longer line above.
void TabToNextWord(EditorControl& editor);
// Whether the character just before the selection start, on its line, is a space.
bool SpaceBeforeCaret(const EditorControl& editor);
// In a line's leading spaces: deletes back to the indentation of the nearest
// line above that has a non-space within the caret's columns; true when it did.
bool SmartBackspace(EditorControl& editor);
// One space added to (removed from) the front of every selected line.
void IndentSelection(EditorControl& editor);
void UnindentSelection(EditorControl& editor);
// The word (or punctuation character) at the selection start with the spaces
// and line breaks after it.
void DeleteWordRight(EditorControl& editor);
// The selection's line with its line break.
void DeleteLine(EditorControl& editor);
// Ctrl+Enter "<br>" and a new line, Ctrl+Shift+Enter a new paragraph "<p></p>";
// the caret goes where typing continues.
enum class BreakTag { LineBreak, Paragraph };
void InsertBreakTag(EditorControl& editor, BreakTag tag);

// The virtual keys the document window acts on.
enum EditKey : int {
    kKeyBack = 0x08,
    kKeyTab = 0x09,
    kKeyReturn = 0x0D,
    kKeyInsert = 0x2D,
    kKeyDelete = 0x2E,
};

struct KeyStroke {
    int key = 0;
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

struct KeyContext {
    bool readOnly = false;
    bool selectionEmpty = true;
    bool tagEditing = false;
    bool autoindent = true;
    bool smartTab = true;
};

enum class KeyAction {
    PassOn,             // the control handles the key
    Backspace,          // look at the space before the caret; smart Backspace when there is one
    ToggleInsertMode,   // flip the insert mode; the control switches with it
    Swallow,            // consumed, nothing done
    NewLineWithIndent,
    TabToNextWord,
    IndentSelection,
    UnindentSelection,
    InsertBreak,        // "<br>"
    InsertParagraph,    // "<p></p>"
    DeleteWordRight,
    DeleteLine,
};

// What a key-down does in a document window.
KeyAction KeyDownAction(const KeyStroke& stroke, const KeyContext& context);

}  // namespace quillon
