#include "macro_source.h"

#include <vector>

#include "codepage.h"

namespace quillon {

namespace {

std::wstring FromUtf8(std::string_view bytes, int line) {
    std::wstring text;
    for (size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const int extra = lead < 0x80 ? 0 : (lead >> 5) == 0x06 ? 1 : (lead >> 4) == 0x0E ? 2 : -1;
        if (extra < 0 || (extra > 0 && i + static_cast<size_t>(extra) >= bytes.size())) throw MacroSourceError{line};
        unsigned code = extra == 0 ? lead : extra == 1 ? lead & 0x1F : lead & 0x0F;
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + static_cast<size_t>(k)]);
            if ((next & 0xC0) != 0x80) throw MacroSourceError{line};
            code = (code << 6) | (next & 0x3F);
        }
        text.push_back(static_cast<wchar_t>(code));
        i += static_cast<size_t>(extra) + 1;
    }
    return text;
}

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (size_t tab; (tab = line.find('\t', start)) != std::string_view::npos; start = tab + 1)
        fields.push_back(line.substr(start, tab - start));
    fields.push_back(line.substr(start));
    return fields;
}

std::string Win1251(std::string_view utf8, int line) { return TextToBytes(FromUtf8(utf8, line), CodePage::Win1251); }

}  // namespace

void ReadMacroSource(std::string_view utf8, TMacrosList& macros) {
    int number = 0;
    for (size_t start = 0; start < utf8.size();) {
        size_t end = utf8.find('\n', start);
        if (end == std::string_view::npos) end = utf8.size();
        std::string_view line = utf8.substr(start, end - start);
        start = end + 1;
        ++number;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;
        const auto f = Fields(line);
        const bool valid = f.size() == 7 && (f[3] == "0" || f[3] == "1") && (f[4] == "0" || f[4] == "1") &&
                           (f[5] == "K" || f[5] == "Q") && f[6].size() == 1 &&
                           (f[6] == "-" || (f[6][0] >= 'A' && f[6][0] <= 'Z'));
        if (!valid) throw MacroSourceError{number};
        TMacrosItem& macro = macros.AddMacro();
        macro.SetName(Win1251(f[0], number));
        macro.SetDescription(Win1251(f[1], number));
        macro.SetText(Win1251(f[2], number));
        macro.SetDefault(f[3] == "1");
        macro.SetAutoindent(f[4] == "1");
        macro.SetPrefixK(f[5] == "K");
        macro.SetKey(f[6] == "-" ? kNoKey : f[6][0]);
    }
}

}  // namespace quillon
