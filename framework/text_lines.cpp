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

}  // namespace quillon
