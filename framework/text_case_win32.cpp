#include <windows.h>

#include "text_case.h"

namespace quillon {

namespace {
std::wstring Map(std::wstring_view text, bool lower) {
    std::wstring out(text);
    if (!out.empty()) {
        if (lower) CharLowerBuffW(out.data(), static_cast<DWORD>(out.size()));
        else CharUpperBuffW(out.data(), static_cast<DWORD>(out.size()));
    }
    return out;
}
}  // namespace

bool IsLetterOrDigit(wchar_t ch) { return IsCharAlphaNumericW(ch) != 0; }
bool IsLowerCase(wchar_t ch) { return IsCharLowerW(ch) != 0; }
// CharUpperW and CharLowerW map a single character passed in the low word.
wchar_t UpperChar(wchar_t ch) {
    return static_cast<wchar_t>(reinterpret_cast<ULONG_PTR>(CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(ch)))));
}
wchar_t LowerChar(wchar_t ch) {
    return static_cast<wchar_t>(reinterpret_cast<ULONG_PTR>(CharLowerW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(ch)))));
}

std::wstring LowerText(std::wstring_view text) { return Map(text, true); }
std::wstring UpperText(std::wstring_view text) { return Map(text, false); }

}  // namespace quillon
