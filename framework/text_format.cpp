#include "text_format.h"

namespace quillon {

std::wstring FormatText(std::wstring_view format, const std::vector<FormatArg>& args) {
    std::wstring out;
    size_t next = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        const wchar_t ch = format[i];
        if (ch != L'%' || i + 1 >= format.size()) {
            out.push_back(ch);
            continue;
        }
        if (format[i + 1] == L'%') {
            out.push_back(L'%');
            ++i;
            continue;
        }
        size_t j = i + 1;
        const bool left = format[j] == L'-';
        if (left) ++j;
        size_t width = 0;
        while (j < format.size() && format[j] >= L'0' && format[j] <= L'9' && width < 1000)
            width = width * 10 + static_cast<size_t>(format[j++] - L'0');
        if (j >= format.size() || (format[j] != L's' && format[j] != L'd')) {
            out.push_back(ch);
            continue;
        }
        std::wstring value;
        if (next < args.size()) {
            const FormatArg& arg = args[next];
            value = arg.IsNumber() ? std::to_wstring(arg.Number()) : arg.Text();
        } else if (format[j] == L'd') {
            value = L"0";
        }
        ++next;
        if (value.size() < width) {
            const std::wstring pad(width - value.size(), L' ');
            value = left ? value + pad : pad + value;
        }
        out += value;
        i = j;
    }
    return out;
}

}  // namespace quillon
