#include "status_texts.h"

#include "text_format.h"

namespace quillon {

std::wstring GroupDigits(long long number, wchar_t separator) {
    std::wstring digits = std::to_wstring(number);
    const bool negative = digits.front() == L'-';
    if (negative) digits.erase(0, 1);
    std::wstring out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && digits.size() >= 4 && (digits.size() - i) % 3 == 0) out.push_back(separator);
        out.push_back(digits[i]);
    }
    return negative ? L"-" + out : out;
}

std::wstring CaretText(std::wstring_view caretTemplate, int column, int line, wchar_t separator) {
    return FormatText(caretTemplate, {GroupDigits(static_cast<long long>(line) + 1, separator), column + 1});
}

}  // namespace quillon
