#include "coding.h"

#include "codepage.h"

namespace quillon {

std::wstring ConvertCoding(std::wstring_view text, bool dosText) {
    const size_t zero = text.find(L'\0');
    const std::wstring_view converted = text.substr(0, zero);
    const CodePage from = dosText ? CodePage::Oem : CodePage::Ansi;
    const CodePage to = dosText ? CodePage::Ansi : CodePage::Oem;
    std::wstring result = BytesToText(TextToBytes(converted, from), to);
    if (zero != std::wstring_view::npos) result.append(text.substr(zero));
    return result;
}

namespace {

bool ReplaceText(EditorControl& editor, const std::wstring& text, const std::wstring& converted) {
    if (converted == text) return false;
    const int caret = editor.SelStart();
    editor.SetText(converted);
    editor.SetSelStart(caret);
    editor.SetModified(true);
    return true;
}

}  // namespace

bool ToggleCodingText(EditorControl& editor, bool dosText) {
    const std::wstring text = editor.Text();
    return ReplaceText(editor, text, ConvertCoding(text, dosText));
}

bool FitTextToPage(EditorControl& editor, CodePage page) {
    const std::wstring text = editor.Text();
    return ReplaceText(editor, text, BytesToText(TextToBytes(text, page), page));
}

}  // namespace quillon
