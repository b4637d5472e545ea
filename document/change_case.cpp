#include "change_case.h"

#include "text_case.h"

namespace quillon {

std::wstring ChangeCaseText(std::wstring_view text, CaseMode mode) {
    switch (mode) {
    case CaseMode::AllLower: return LowerText(text);
    case CaseMode::AllUpper: return UpperText(text);
    case CaseMode::BeginLineWithCapitals: {
        std::wstring out(text);
        bool lineStart = true;
        for (auto& ch : out) {
            if (ch == L'\r' || ch == L'\n') lineStart = true;
            else if (lineStart && ch != L' ') {
                ch = UpperText(std::wstring_view(&ch, 1))[0];
                lineStart = false;
            }
        }
        return out;
    }
    case CaseMode::BeginWithCapitals: {
        std::wstring out(text);
        bool inWord = false;
        for (auto& ch : out) {
            if (!IsLetterOrDigit(ch)) inWord = false;
            else {
                ch = inWord ? LowerChar(ch) : UpperChar(ch);
                inWord = true;
            }
        }
        return out;
    }
    case CaseMode::ChangeCase: {
        std::wstring out(text);
        for (auto& ch : out) ch = IsLowerCase(ch) ? UpperChar(ch) : LowerChar(ch);
        return out;
    }
    }
    return std::wstring(text);
}

void ChangeCase(EditorControl& editor, CaseMode mode) {
    if (editor.SelLength() == 0) return;
    const std::wstring selected = editor.SelText();
    const std::wstring changed = ChangeCaseText(selected, mode);
    if (changed != selected) editor.ReplaceSel(changed);
}

}  // namespace quillon
