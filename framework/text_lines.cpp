#include "text_lines.h"

namespace quillon {

std::wstring NormalizeLineBreaks(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t ch = text[i];
        if (ch == L'\r') {
            out.push_back(L'\r');
            if (i + 1 < text.size() && text[i + 1] == L'\n') ++i;
        } else if (ch == L'\n') {
            out.push_back(L'\r');
        } else {
            out.push_back(ch);
        }
    }
    return out;
}

std::string ExpandLineBreaks(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 16);
    for (const char ch : bytes) {
        out.push_back(ch);
        if (ch == '\r') out.push_back('\n');
    }
    return out;
}

namespace {

constexpr size_t kShortLine = 256;
constexpr unsigned long long kWrapBudget = 16384ull * 16384ull;

template <typename Char>
bool WrapAffordableText(std::basic_string_view<Char> text) {
    unsigned long long cost = 0;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = start;
        while (end < text.size() && text[end] != Char('\r') && text[end] != Char('\n')) ++end;
        const unsigned long long length = end - start;
        if (length > kShortLine) {
            cost += length * length;
            if (cost > kWrapBudget) return false;
        }
        start = end + 1;
    }
    return true;
}

}  // namespace

bool WrapAffordable(std::string_view text) { return WrapAffordableText(text); }
bool WrapAffordable(std::wstring_view text) { return WrapAffordableText(text); }

}  // namespace quillon
