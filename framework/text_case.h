// Case of text as the system maps it (Cyrillic and Ё included).
#pragma once

#include <string>
#include <string_view>

namespace quillon {

std::wstring LowerText(std::wstring_view text);
std::wstring UpperText(std::wstring_view text);
// Equal when both lowered are equal: how file names are compared.
bool SameTextIgnoringCase(std::wstring_view a, std::wstring_view b);

// One character as the system classes and maps it.
bool IsLetterOrDigit(wchar_t ch);
bool IsLowerCase(wchar_t ch);
wchar_t UpperChar(wchar_t ch);
wchar_t LowerChar(wchar_t ch);

}  // namespace quillon
