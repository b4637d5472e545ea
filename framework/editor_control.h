// The operations a document window needs of its editor control.
//
// Text inside the control is UTF-16 (wchar_t) with one line break character,
// CR. Files and byte streams hold single-byte text in a code page with CR LF
// line ends; the control converts on the way in and out.
//
// Two implementations keep the same contract: the rich edit wrapper (Win32)
// and MemoryEditor (portable, for the native tests). One table of contract
// cases runs against both.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "codepage.h"

namespace quillon {

struct EditorFont {
    std::wstring name;
    int size = 0;    // points
    int pixels = 0;  // when set: the height in screen pixels, in place of the size
    int twips = 0;   // when set: the exact height in twips, in place of both (a font given back as it was)
};

class EditorControl {
public:
    virtual ~EditorControl() = default;

    // The whole text, CR as line break.
    virtual std::wstring Text() const = 0;
    // Replaces the whole text; selection at 0, undo history cleared,
    // modified flag cleared.
    virtual void SetText(std::wstring_view text) = 0;
    virtual int TextLength() const = 0;
    // The characters from start up to end (clamped to the text).
    virtual std::wstring TextRange(int start, int end) const = 0;

    // Lines as the control counts them. An empty last line is not counted:
    // "" has 0 lines, "a" and "a\r" have 1, "a\rb" and "a\r\r" have 2.
    virtual int LineCount() const = 0;
    // Text of line n without its line break; empty when there is no such line.
    virtual std::wstring Line(int n) const = 0;
    // Index of the first character of line n. The empty line after a final
    // line break counts here (the caret can stand on it); -1 past that.
    virtual int LineIndex(int n) const = 0;
    // Line that holds character index i (an index past the end gives the last line).
    virtual int LineFromChar(int i) const = 0;
    // Length, without the line break, of the line that holds character index i.
    virtual int LineLength(int i) const = 0;

    virtual int SelStart() const = 0;
    virtual int SelLength() const = 0;
    // Selects length characters from start (clamped to the text).
    virtual void Select(int start, int length) = 0;
    // Collapses the selection at start.
    void SetSelStart(int start) { Select(start, 0); }
    void SetSelLength(int length) { Select(SelStart(), length); }
    virtual std::wstring SelText() const = 0;
    // Replaces the selection by text (CR as line break) as one undo step, so that
    // a changed document always counts as modified. The caret ends after the
    // inserted text; callers position it themselves.
    virtual void ReplaceSel(std::wstring_view text) = 0;
    void DeleteSel() { ReplaceSel(std::wstring_view()); }
    // The same replacement, then the selection asked for; a control may do
    // both at once where the second step would cost a pass of its own.
    virtual void ReplaceSelAndSelect(std::wstring_view text, int selStart, int selLength) {
        ReplaceSel(text);
        Select(selStart, selLength);
    }

    // Caret = the end of the selection; column counted from the start of its line.
    // One line lookup for both: the control may walk its lines to answer.
    struct CaretPosition {
        int line = 0;
        int column = 0;
    };
    virtual CaretPosition Caret() const {
        const int caret = SelStart() + SelLength();
        const int line = LineFromChar(caret);
        return {line, caret - LineIndex(line)};
    }
    int CaretLine() const { return Caret().line; }
    int CaretColumn() const { return Caret().column; }

    virtual bool CanUndo() const = 0;
    virtual bool CanRedo() const = 0;
    virtual void Undo() = 0;
    virtual void Redo() = 0;
    virtual void ClearUndo() = 0;
    static constexpr int UndoLimit = 30;

    virtual bool Modified() const = 0;
    virtual void SetModified(bool modified) = 0;
    virtual bool ReadOnly() const = 0;
    virtual void SetReadOnly(bool readOnly) = 0;
    virtual bool WordWrap() const = 0;
    virtual void SetWordWrap(bool wrap) = 0;
    virtual bool AutoWordSelection() const = 0;
    virtual void SetAutoWordSelection(bool on) = 0;
    virtual EditorFont Font() const = 0;
    virtual void SetFont(const EditorFont& font) = 0;

    // Overwrite mode: a typed character takes the place of the one after the
    // caret, except at the end of a line or of the text; a selection is
    // replaced as in insert mode.
    virtual bool Overwrite() const = 0;
    virtual void SetOverwrite(bool overwrite) = 0;
    // A printable character typed at the keyboard.
    virtual void TypeCharacter(wchar_t ch) = 0;
    // Whether the next typed character takes the place of the one after the caret.
    bool TypingOverwrites() const {
        if (!Overwrite() || SelLength() > 0 || ReadOnly()) return false;
        const int caret = SelStart();
        return caret < TextLength() && TextRange(caret, caret + 1) != L"\r";
    }

    // Byte streams in a code page, CR LF line ends, no terminating zero.
    // Loading accepts CR LF, lone LF and lone CR alike (each becomes one line
    // break) and behaves as SetText.
    virtual void LoadBytes(std::string_view bytes, CodePage page) = 0;
    virtual std::string SaveBytes(CodePage page) const = 0;

    // Screen-update bracket around compound edits; brackets nest.
    virtual void SuspendUpdates() = 0;
    virtual void ResumeUpdates() = 0;

    // Called after every change of the text and of the selection.
    using Notification = std::function<void()>;
    virtual void SetOnChange(Notification onChange) = 0;
    virtual void SetOnSelectionChange(Notification onSelectionChange) = 0;
};

// Suspends the control's screen updates for its lifetime.
class UpdateBracket {
public:
    explicit UpdateBracket(EditorControl& editor) : editor_(editor) { editor_.SuspendUpdates(); }
    ~UpdateBracket() { editor_.ResumeUpdates(); }
    UpdateBracket(const UpdateBracket&) = delete;
    UpdateBracket& operator=(const UpdateBracket&) = delete;

private:
    EditorControl& editor_;
};

}  // namespace quillon
