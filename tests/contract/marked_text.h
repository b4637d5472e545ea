// Texts with their selection marked, for tables of editing cases: "|" is the
// caret, "[" and "]" enclose the selection.
#pragma once

#include <string>

#include "editor_control.h"

namespace quillon {

inline void Place(EditorControl& editor, std::wstring marked) {
    int start = -1, end = -1;
    std::wstring text;
    for (wchar_t ch : marked) {
        if (ch == L'|') start = end = static_cast<int>(text.size());
        else if (ch == L'[') start = static_cast<int>(text.size());
        else if (ch == L']') end = static_cast<int>(text.size());
        else text += ch;
    }
    editor.SetText(text);
    if (start < 0) start = end = 0;
    editor.Select(start, end - start);
}

inline std::wstring Marked(const EditorControl& editor) {
    std::wstring text = editor.Text();
    const size_t start = static_cast<size_t>(editor.SelStart());
    const size_t length = static_cast<size_t>(editor.SelLength());
    if (length == 0) return text.insert(start, 1, L'|');
    text.insert(start + length, 1, L']');
    return text.insert(start, 1, L'[');
}

inline std::string Show(const std::wstring& text) {
    std::string out;
    for (wchar_t ch : text) {
        if (ch == L'\r') out += "\\r";
        else if (ch == L'\t') out += "\\t";
        else if (ch < 0x80) out += static_cast<char>(ch);
        else out += "\\u" + std::to_string(static_cast<int>(ch));
    }
    return out;
}

}  // namespace quillon
