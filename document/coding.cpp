#include "coding.h"

#include "codepage.h"

namespace quillon {

std::wstring ConvertCoding(std::wstring_view text, bool dosText) {
    const size_t zero = text.find(L'\0');
    const std::wstring_view converted = text.substr(0, zero);
    const std::string bytes = TextToBytes(converted, CodePage::Ansi);
    std::wstring result = BytesToText(dosText ? AnsiBytesToOem(bytes) : OemBytesToAnsi(bytes), CodePage::Ansi);
    if (zero != std::wstring_view::npos) result.append(text.substr(zero));
    return result;
}

bool ToggleCodingText(EditorControl& editor, bool dosText) {
    const int caret = editor.SelStart();
    const std::wstring text = editor.Text();
    const std::wstring converted = ConvertCoding(text, dosText);
    if (converted == text) return false;
    editor.SetText(converted);
    editor.SetSelStart(caret);
    editor.SetModified(true);
    return true;
}

}  // namespace quillon
