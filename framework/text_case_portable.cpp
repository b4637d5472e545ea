// Case mapping for the native build: Latin, Latin-1 and Cyrillic, which is
// what the product's texts and file names hold.
#include "text_case.h"

namespace quillon {

namespace {
wchar_t Lower(wchar_t ch) {
    if ((ch >= L'A' && ch <= L'Z') || (ch >= 0xC0 && ch <= 0xDE && ch != 0xD7) || (ch >= 0x410 && ch <= 0x42F))
        return static_cast<wchar_t>(ch + 0x20);
    if (ch >= 0x400 && ch <= 0x40F) return static_cast<wchar_t>(ch + 0x50);
    if (ch == 0x490) return 0x491;
    return ch;
}
wchar_t Upper(wchar_t ch) {
    if ((ch >= L'a' && ch <= L'z') || (ch >= 0xE0 && ch <= 0xFE && ch != 0xF7) || (ch >= 0x430 && ch <= 0x44F))
        return static_cast<wchar_t>(ch - 0x20);
    if (ch >= 0x450 && ch <= 0x45F) return static_cast<wchar_t>(ch - 0x50);
    if (ch == 0x491) return 0x490;
    return ch;
}
}  // namespace

bool IsLetterOrDigit(wchar_t ch) {
    return (ch >= L'0' && ch <= L'9') || Lower(ch) != ch || Upper(ch) != ch || ch == 0xDF || ch == 0xAA || ch == 0xBA;
}
bool IsLowerCase(wchar_t ch) { return Upper(ch) != ch || ch == 0xDF; }
wchar_t UpperChar(wchar_t ch) { return Upper(ch); }
wchar_t LowerChar(wchar_t ch) { return Lower(ch); }

std::wstring LowerText(std::wstring_view text) {
    std::wstring out(text);
    for (auto& ch : out) ch = Lower(ch);
    return out;
}

std::wstring UpperText(std::wstring_view text) {
    std::wstring out(text);
    for (auto& ch : out) ch = Upper(ch);
    return out;
}

}  // namespace quillon
