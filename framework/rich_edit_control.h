// The rich edit wrapper: a Unicode rich edit control in plain-text mode behind
// the EditorControl contract. It evens out what the control does differently
// under Wine and on Windows (line breaks, the final paragraph mark, line counts)
// so that callers see the contract only.
#pragma once

#include <windows.h>

#include <richedit.h>

#include <functional>
#include <memory>
#include <optional>

#include "editor_control.h"
#include "line_breaks.h"

namespace quillon {

class RichEditControl final : public EditorControl {
public:
    // Creates the control as a child of parent filling its client area. The
    // wrapper listens to the parent's notifications itself (window subclass).
    RichEditControl(HWND parent, int id);
    ~RichEditControl() override;
    RichEditControl(const RichEditControl&) = delete;
    RichEditControl& operator=(const RichEditControl&) = delete;

    HWND Handle() const { return hwnd_; }

    std::wstring Text() const override;
    void SetText(std::wstring_view text) override;
    int TextLength() const override;
    std::wstring TextRange(int start, int end) const override;

    int LineCount() const override;
    std::wstring Line(int n) const override;
    int LineIndex(int n) const override;
    int LineFromChar(int i) const override;
    int LineLength(int i) const override;
    CaretPosition Caret() const override;

    int SelStart() const override;
    int SelLength() const override;
    void Select(int start, int length) override;
    std::wstring SelText() const override;
    void ReplaceSel(std::wstring_view text) override;
    void ReplaceSelAndSelect(std::wstring_view text, int selStart, int selLength) override;

    bool CanUndo() const override;
    bool CanRedo() const override;
    void Undo() override;
    void Redo() override;
    void ClearUndo() override;

    bool Modified() const override;
    void SetModified(bool modified) override;
    bool ReadOnly() const override;
    void SetReadOnly(bool readOnly) override;
    bool WordWrap() const override { return wordWrap_; }
    void SetWordWrap(bool wrap) override;
    bool AutoWordSelection() const override;
    void SetAutoWordSelection(bool on) override;
    // The wrapper keeps the mode itself on every control: Wine's control has
    // none, and Windows' own is kept off by taking the Insert key from it.
    bool Overwrite() const override { return overwrite_; }
    void SetOverwrite(bool overwrite) override { overwrite_ = overwrite; }
    void TypeCharacter(wchar_t ch) override;
    EditorFont Font() const override;
    void SetFont(const EditorFont& font) override;

    void LoadBytes(std::string_view bytes, CodePage page) override;
    std::string SaveBytes(CodePage page) const override;

    void SuspendUpdates() override;
    void ResumeUpdates() override;

    void SetOnChange(Notification onChange) override { onChange_ = std::move(onChange); }
    void SetOnSelectionChange(Notification onSelectionChange) override {
        onSelectionChange_ = std::move(onSelectionChange);
    }

    // Streams UTF-16 text (CR line breaks) into the control: the fast way in.
    void StreamIn(std::wstring_view text);

    // A change that removes and inserts at least this many line breaks in
    // all is made by rebuilding the text in a new control (see Rebuild). The
    // default depends on the control: Wine's walks its paragraphs on every
    // paragraph it deletes or splits, so large changes there cost time
    // quadratic in the size of the text; Windows' does not need it.
    void SetRebuildThreshold(int lineBreaks) { rebuildThreshold_ = lineBreaks; }
    // Sees every message of the control before the control does; a value it
    // returns ends the message there. Follows the text into a rebuilt control.
    using MessageFilter = std::function<std::optional<LRESULT>(UINT msg, WPARAM wParam, LPARAM lParam)>;
    void SetMessageFilter(MessageFilter filter) { messageFilter_ = std::move(filter); }

    // Line questions answered from the wrapper's own index of the line breaks
    // instead of the control's. Wine's control walks its text from the start
    // for each of them, so there the index is on by default; it follows every
    // change the wrapper or the control makes (see FollowControlEdit) and is
    // read again from the text only after a change it cannot place.
    void SetOwnLineIndex(bool on);
    // How often the index had to be read from the whole text again (after a
    // change it could not place, or when switched on). The text is read a
    // piece at a time while the program is idle; until then the control answers.
    int LineIndexReads() const { return lineIndexReads_; }
    bool LineIndexReady() const { return ownLines_ && linesValid_; }
    // A copy of the whole text kept beside the index and followed change by
    // change, for a reader that needs the text often and cannot wait for the
    // control to hand it out (Wine's takes about 30 ms a megabyte).
    void SetKeepText(bool keep);
    // The kept copy when it holds the text this moment; null when there is
    // none or it is being read again.
    std::optional<ChunkedText::Snapshot> KeptText() const;
    // Whether a copy is kept at all (it follows the index, which is on where
    // the control is slow to answer, under Wine).
    bool KeepsText() const { return keepText_ && ownLines_; }

private:
    // Where a change the control makes while working on a message can be: at
    // the selection (typing, deleting, pasting), nowhere (formatting), or
    // anywhere (undo, redo, dragging text, whatever else).
    enum class EditKind { AtSelection, FormatOnly, Unknown };
    static EditKind KindOfMessage(UINT msg, WPARAM wParam);
    static bool IsPaste(UINT msg, WPARAM wParam);
    // A replacement of the selection, then the selection asked for, if any.
    void Replace(std::wstring_view text, std::optional<CHARRANGE> selection);
    // The plain Insert key, which switches overwrite mode.
    static bool IsInsertKey(UINT msg, WPARAM wParam);
    void PastePlainText();
    // A moment's state of the control: selection and length, both known to it at once.
    struct State {
        CHARRANGE selection{};
        int length = 0;
    };
    // A change the wrapper itself asks the control for, entered into the index
    // when the control reports it.
    struct OwnEdit {
        int start = 0;
        int removed = 0;
        std::wstring inserted;
    };
    class OwnEditScope;
    State Current() const;
    // Whether the index may answer: it holds the text, no change is under way
    // and rows are lines (none wrapped). One that fell behind is read again.
    bool LinesUsable() const;
    // The index holds this text from now on.
    void IndexText(std::wstring_view text);
    // The index no longer holds the text: it is read again, from the start.
    void LoseIndex() const;
    void ContinueReading();
    void BeginMessage(UINT msg, WPARAM wParam);
    void EndMessage();
    void TextChangeReported();
    void FollowControlEdit(const State& before, const State& now);
    // The control's window procedure is replaced by the wrapper's own (Wine's
    // common-control subclassing costs a tenth of a millisecond per message).
    void Attach(HWND control);
    void Detach(HWND control);
    static LRESULT CALLBACK ControlProc(HWND, UINT, WPARAM, LPARAM);
    // A whole text the wrapper can go back or forth to: the undo step of a
    // rebuilt change, which the new control's own history does not hold.
    struct WholeText {
        std::wstring text;
        CHARRANGE selection{};
    };
    HWND CreateControl(HWND parent, int id, const RECT& bounds, DWORD style, DWORD exStyle);
    void Configure(HWND control) const;
    // Puts text into a new control made like the current one and swaps it in;
    // the old window goes, with its undo history.
    void Rebuild(std::wstring_view text);
    int ChangedLineBreaks(std::wstring_view inserted) const;
    // A rebuilt change with the selection after it, quietly; the caller notifies.
    void ChangeByRebuild(std::wstring_view text, CHARRANGE selection);
    // Undo or redo of a rebuilt change: to the text in `to`, the current one kept in `from`.
    void StepOverRebuild(std::optional<WholeText>& to, std::optional<WholeText>& from);
    void NotifyAll();
    static LRESULT CALLBACK ParentSubclass(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageW(hwnd_, msg, wParam, lParam);
    }

    HWND parent_ = nullptr;
    HWND hwnd_ = nullptr;
    bool wordWrap_ = false;
    bool overwrite_ = false;
    int suspended_ = 0;
    int quiet_ = 0;  // notifications held back while the wrapper itself works
    int id_ = 0;
    int rebuildThreshold_;
    std::optional<WholeText> undoWhole_;
    std::optional<WholeText> redoWhole_;
    MessageFilter messageFilter_;
    Notification onChange_;
    Notification onSelectionChange_;

    bool ownLines_;
    mutable LineBreaks lines_;
    mutable bool linesValid_ = false;
    mutable int lineIndexReads_ = 0;
    mutable bool reading_ = false;
    mutable LineBreaks read_;  // the index being read while idle
    bool keepText_ = false;
    std::optional<OwnEdit> ownEdit_;
    bool ownEditEntered_ = false;
    // The message the control is working on (outermost only) and the state before it.
    int depth_ = 0;
    EditKind kind_ = EditKind::Unknown;
    UINT message_ = 0;
    WPARAM messageParam_ = 0;
    State before_;
    // Notifications held until the control has finished its message: Wine's
    // reports the selection before the change that moved it.
    bool changePending_ = false;
    bool selectionPending_ = false;
    std::shared_ptr<int> life_ = std::make_shared<int>(0);
    WNDPROC controlProc_ = nullptr;
};

// The styles the editor's control is made with, besides WS_CHILD and WS_VISIBLE.
inline constexpr DWORD kRichEditStyle = WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL |
                                        ES_NOHIDESEL | ES_WANTRETURN | ES_SAVESEL;

// Streams UTF-16 text into any rich edit control with EM_STREAMIN (plain text).
void StreamTextInto(HWND richEdit, std::wstring_view text);

// The class name of the rich edit control this system offers (loads its library once).
const wchar_t* RichEditClassName();

}  // namespace quillon
