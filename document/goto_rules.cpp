#include "goto_rules.h"

namespace quillon {

LineNumberCheck CheckLineNumber(std::wstring_view text, int maxLine) {
    if (text.empty()) return {LineNumberVerdict::Empty, 0};
    const size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring_view::npos) return {LineNumberVerdict::NotInteger, 0};
    text = text.substr(first, text.find_last_not_of(L' ') - first + 1);
    bool negative = false;
    if (text.front() == L'+' || text.front() == L'-') {
        negative = text.front() == L'-';
        text.remove_prefix(1);
    }
    if (text.empty()) return {LineNumberVerdict::NotInteger, 0};
    long long value = 0;
    for (wchar_t ch : text) {
        if (ch < L'0' || ch > L'9') return {LineNumberVerdict::NotInteger, 0};
        // Any number this large is out of range; stop growing it.
        if (value < 10'000'000'000LL) value = value * 10 + (ch - L'0');
    }
    if (negative) value = -value;
    if (value < 1 || value > maxLine) return {LineNumberVerdict::OutOfRange, 0};
    return {LineNumberVerdict::Accepted, static_cast<int>(value)};
}

}  // namespace quillon
