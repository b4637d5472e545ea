#include "insert_macro.h"

#include <string>
#include <vector>

#include "codepage.h"

namespace quillon {

namespace {

// Lines after the first get the indentation (spaces only) of the caret's line.
std::wstring Autoindented(const EditorControl& editor, std::wstring_view text) {
    const std::wstring line = editor.Line(editor.LineFromChar(editor.SelStart()));
    const size_t spaces = std::min(line.find_first_not_of(L' '), line.size());
    std::vector<std::wstring> lines;
    std::wstring current;
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t ch = text[i];
        if (ch == L'\r' || ch == L'\n') {
            if (ch == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
            lines.push_back(std::move(current));
            current.clear();
        } else {
            current.push_back(ch);
        }
    }
    if (!current.empty()) lines.push_back(std::move(current));  // a final break adds no empty line
    std::wstring joined;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) joined += L"\r" + std::wstring(spaces, L' ');
        joined += lines[i];
    }
    return joined;
}

}  // namespace

// One replacement of the selection, then the caret or the selection placed
// where the marks say; each step only when it changes something, since every
// one costs the control a pass of its own in a large document. The editor
// paints once for the replacement and once for the caret, so no update
// bracket is needed (it would repaint the whole window).
void InsertMacroText(EditorControl& editor, std::wstring_view macroText, bool autoindent) {
    std::wstring t = autoindent ? Autoindented(editor, macroText) : std::wstring(macroText);
    std::erase(t, L'\n');
    // Positions counted from 1, 0 when absent.
    size_t b = t.find(L'|') + 1, c = t.find(L'^') + 1;
    if (b > 0) t.erase(b - 1, 1);
    bool caretAfterSelection = false;
    if (c > 0) {
        if (b > 0 && b < c) c -= 1;
        if (b > c) {
            b -= 1;
            caretAfterSelection = true;
        }
        t.erase(c - 1, 1);
    }
    const int s = editor.SelStart();
    const auto place = [&editor](int start, int length) {
        if (editor.SelStart() != start || editor.SelLength() != length) editor.Select(start, length);
    };
    if (c == 0) {
        if (editor.SelLength() > 0) editor.SetSelStart(s);
        editor.ReplaceSel(t);
        place(s + static_cast<int>(b > 0 ? b - 1 : t.size()), 0);
        return;
    }
    const std::wstring x = editor.SelText();
    const std::wstring replacement = t.substr(0, c - 1) + x + t.substr(c - 1);
    if (b > 0) editor.ReplaceSelAndSelect(replacement, s + static_cast<int>(b - 1 + (caretAfterSelection ? x.size() : 0)), 0);
    else editor.ReplaceSelAndSelect(replacement, s + static_cast<int>(c - 1), static_cast<int>(x.size()));
}

void InsertMacro(const TMacrosItem& macro, EditorControl& editor) {
    InsertMacroText(editor, BytesToText(macro.Text(), CodePage::Win1251), macro.Autoindent());
    macro.Owner().MacroUsed(macro);
}

}  // namespace quillon
