#include "editing_aids.h"

#include <algorithm>
#include <limits>
#include <string>

#include "text_case.h"

namespace quillon {

namespace {

bool IsSpaceOrBreak(wchar_t ch) { return ch == L' ' || ch == L'\r'; }

// Walks the lines above a line start, nearest first, reading the text in
// growing pieces: a large file is never copied whole for a look a few lines up.
// visit(line) answers true to stop.
template <typename Visit>
void ForEachLineAbove(const EditorControl& editor, int lineStart, int maxLines, Visit visit) {
    int visited = 0;
    int end = lineStart - 1;  // the line break that ends the line above
    int piece = 4096;
    while (end >= 0 && visited < maxLines) {
        const int from = std::max(0, end - piece);
        const std::wstring text = editor.TextRange(from, end);
        size_t stop = text.size();
        bool progressed = false;
        while (visited < maxLines) {
            const size_t brk = stop == 0 ? std::wstring::npos : text.rfind(L'\r', stop - 1);
            if (brk == std::wstring::npos && from > 0) break;  // the line starts before this piece
            const size_t begin = brk == std::wstring::npos ? 0 : brk + 1;
            ++visited;
            progressed = true;
            if (visit(std::wstring_view(text).substr(begin, stop - begin))) return;
            if (brk == std::wstring::npos) return;  // that was line 0
            end = from + static_cast<int>(brk);
            stop = brk;
        }
        if (!progressed) piece *= 2;
    }
}

// Characters from a position onwards, read in pieces.
class ForwardReader {
public:
    ForwardReader(const EditorControl& editor, int start) : editor_(editor), length_(editor.TextLength()), base_(start) {}
    int Length() const { return length_; }
    wchar_t At(int i) {
        if (i < base_ || i >= base_ + static_cast<int>(text_.size())) {
            base_ = i;
            text_ = editor_.TextRange(i, std::min(length_, i + 256));
        }
        return text_[static_cast<size_t>(i - base_)];
    }

private:
    const EditorControl& editor_;
    int length_;
    int base_;
    std::wstring text_;
};

std::wstring ShiftLines(const std::wstring& selected, bool indent) {
    const bool endsWithBreak = !selected.empty() && selected.back() == L'\r';
    const size_t bodyLength = endsWithBreak ? selected.size() - 1 : selected.size();
    std::wstring result;
    result.reserve(selected.size() + selected.size() / 8 + 2);
    size_t begin = 0;
    while (true) {
        const size_t brk = selected.find(L'\r', begin);
        const size_t end = std::min(brk == std::wstring::npos ? bodyLength : brk, bodyLength);
        if (indent) result += L' ';
        const bool dropSpace = !indent && end > begin && selected[begin] == L' ';
        result.append(selected, begin + (dropSpace ? 1 : 0), end - begin - (dropSpace ? 1 : 0));
        if (end >= bodyLength) break;
        result += L'\r';
        begin = end + 1;
    }
    if (endsWithBreak) result += L'\r';
    return result;
}

// The shifted lines stay selected, so that the next Tab shifts them again.
void ShiftSelection(EditorControl& editor, bool indent) {
    if (editor.SelLength() == 0) return;
    const std::wstring selected = editor.SelText();
    const std::wstring shifted = ShiftLines(selected, indent);
    if (shifted == selected) return;
    UpdateBracket bracket(editor);
    const int start = editor.SelStart();
    editor.ReplaceSel(shifted);
    editor.Select(start, static_cast<int>(shifted.size()));
}

}  // namespace

void NewLineWithIndent(EditorControl& editor) {
    UpdateBracket bracket(editor);
    const std::wstring line = editor.Line(editor.LineFromChar(editor.SelStart()));
    const size_t indent = std::min(line.find_first_not_of(L" \t"), line.size());
    editor.ReplaceSel(L"\r" + line.substr(0, indent));
}

void TabToNextWord(EditorControl& editor) {
    const int caret = editor.SelStart();
    const int lineStart = editor.LineIndex(editor.LineFromChar(caret));
    const size_t column = static_cast<size_t>(caret - lineStart);
    size_t spaces = kDefaultTabStep;
    ForEachLineAbove(editor, lineStart, kSmartTabLines, [&](std::wstring_view line) {
        if (line.size() <= column + 1) return false;
        size_t i = column;
        while (i < line.size() && line[i] != L' ') ++i;
        while (i < line.size() && line[i] == L' ') ++i;
        spaces = i - column;
        return true;
    });
    editor.ReplaceSel(std::wstring(spaces, L' '));
}

bool SpaceBeforeCaret(const EditorControl& editor) {
    const int start = editor.SelStart();
    if (start <= 0 || start == editor.LineIndex(editor.LineFromChar(start))) return false;
    return editor.TextRange(start - 1, start) == L" ";
}

bool SmartBackspace(EditorControl& editor) {
    const int start = editor.SelStart();
    const int lineStart = editor.LineIndex(editor.LineFromChar(start));
    const int column = start - lineStart;
    if (column <= 0) return false;
    const std::wstring before = editor.TextRange(lineStart, start);
    if (before.find_first_not_of(L' ') != std::wstring::npos) return false;
    int target = 0;
    ForEachLineAbove(editor, lineStart, std::numeric_limits<int>::max(), [&](std::wstring_view line) {
        const std::wstring_view head = line.substr(0, std::min(line.size(), static_cast<size_t>(column)));
        const size_t first = head.find_first_not_of(L' ');
        if (first == std::wstring_view::npos) return false;
        target = static_cast<int>(first);
        return true;
    });
    UpdateBracket bracket(editor);
    editor.Select(lineStart + target, column - target);
    editor.DeleteSel();
    return true;
}

void IndentSelection(EditorControl& editor) { ShiftSelection(editor, true); }
void UnindentSelection(EditorControl& editor) { ShiftSelection(editor, false); }

void DeleteWordRight(EditorControl& editor) {
    const int start = editor.SelStart();
    ForwardReader text(editor, start);
    const int length = text.Length();
    if (start >= length) return;
    // A word: letters and digits, then the character that ends it (when the
    // text goes on).
    int end = start + 1;
    while (end < length && IsLetterOrDigit(text.At(end - 1))) ++end;
    bool stopper = !IsLetterOrDigit(text.At(end - 1));
    if (end - start == 1 && end < length && IsSpaceOrBreak(text.At(end))) {
        ++end;  // a punctuation character takes the spaces after it along
        stopper = false;
    }
    if (end - start > 1) {
        while (end < length && IsSpaceOrBreak(text.At(end - 1))) {
            ++end;
            stopper = !IsSpaceOrBreak(text.At(end - 1));
        }
        // The character that stopped the run stays; a run that reached the end
        // of the text has no such character and keeps all it took.
        if (stopper && !IsSpaceOrBreak(text.At(end - 1))) --end;
    }
    UpdateBracket bracket(editor);
    editor.Select(start, end - start);
    if (editor.SelLength() > 0) editor.DeleteSel();
}

void DeleteLine(EditorControl& editor) {
    UpdateBracket bracket(editor);
    const int line = editor.LineFromChar(editor.SelStart());
    const int start = editor.LineIndex(line);
    const int next = editor.LineIndex(line + 1);
    const int end = next < 0 ? editor.TextLength() : next;
    editor.Select(start, end - start);
    if (editor.SelLength() > 0) editor.DeleteSel();
}

void InsertBreakTag(EditorControl& editor, BreakTag tag) {
    UpdateBracket bracket(editor);
    const int start = editor.SelStart();
    editor.ReplaceSel(tag == BreakTag::Paragraph ? L"\r\r<p></p>" : L"<br>\r");
    editor.SetSelStart(start + 5);
}

KeyAction KeyDownAction(const KeyStroke& stroke, const KeyContext& context) {
    if (context.readOnly) return KeyAction::PassOn;
    const bool anyModifier = stroke.shift || stroke.ctrl || stroke.alt;
    switch (stroke.key) {
    case kKeyBack: return stroke.alt ? KeyAction::PassOn : KeyAction::Backspace;
    case kKeyTab:
        if (stroke.ctrl || stroke.alt) return KeyAction::PassOn;
        if (!context.selectionEmpty) return stroke.shift ? KeyAction::UnindentSelection : KeyAction::IndentSelection;
        if (stroke.shift || !context.smartTab) return KeyAction::PassOn;
        return KeyAction::TabToNextWord;
    case kKeyReturn:
        if (stroke.ctrl && context.selectionEmpty && context.tagEditing)
            return stroke.shift ? KeyAction::InsertParagraph : KeyAction::InsertBreak;
        if (anyModifier) return KeyAction::Swallow;
        return context.autoindent ? KeyAction::NewLineWithIndent : KeyAction::PassOn;
    case kKeyInsert: return anyModifier ? KeyAction::PassOn : KeyAction::ToggleInsertMode;
    case kKeyDelete:
    case 'T': return stroke.ctrl ? KeyAction::DeleteWordRight : KeyAction::PassOn;
    case 'Y': return stroke.ctrl ? KeyAction::DeleteLine : KeyAction::PassOn;
    case 'L': return stroke.ctrl && stroke.shift ? KeyAction::DeleteLine : KeyAction::PassOn;
    default: return KeyAction::PassOn;
    }
}

}  // namespace quillon
