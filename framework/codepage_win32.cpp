// Code pages from the system. Single-byte pages become lookup tables built once
// from the system's own conversion; a byte the system does not convert and back
// (an undefined one, such as 0x98 in Windows-1251) keeps a character of its own,
// so that a document never loses it between load and save.
#include <windows.h>

#include "codepage.h"

namespace quillon {
namespace detail {
namespace {

UINT SystemCodePage(CodePage page) {
    switch (page) {
    case CodePage::Ansi: return GetACP();
    case CodePage::Oem: return GetOEMCP();
    case CodePage::Win1251: return 1251;
    }
    return CP_ACP;
}

bool IsSingleByte(UINT cp) {
    CPINFO info{};
    return GetCPInfo(cp, &info) && info.MaxCharSize == 1;
}

SingleByteTable MakeTable(UINT cp) {
    SingleByteTable table;
    bool used[0x10000] = {};
    bool ok[256] = {};
    for (int b = 0; b < 256; ++b) {
        const char in = static_cast<char>(b);
        wchar_t ch = 0;
        if (MultiByteToWideChar(cp, MB_ERR_INVALID_CHARS, &in, 1, &ch, 1) != 1) continue;
        char back = 0;
        BOOL usedDefault = FALSE;
        if (WideCharToMultiByte(cp, WC_NO_BEST_FIT_CHARS, &ch, 1, &back, 1, nullptr, &usedDefault) != 1 ||
            usedDefault || back != in || used[ch])
            continue;
        table.toText[b] = ch;
        used[ch] = ok[b] = true;
    }
    for (int b = 0; b < 256; ++b) {
        if (ok[b]) continue;
        wchar_t ch = static_cast<wchar_t>(b);
        if (used[ch]) ch = static_cast<wchar_t>(0xF700 + b);
        table.toText[b] = ch;
        used[ch] = true;
    }
    table.BuildReverse();
    return table;
}

const SingleByteTable* TableFor(UINT cp) {
    if (!IsSingleByte(cp)) return nullptr;
    static SingleByteTable* tables[3] = {};
    static UINT pages[3] = {};
    // Three pages at most are ever asked for; the first thread fills them.
    for (int i = 0; i < 3; ++i) {
        if (tables[i] && pages[i] == cp) return tables[i];
        if (!tables[i]) {
            tables[i] = new SingleByteTable(MakeTable(cp));
            pages[i] = cp;
            return tables[i];
        }
    }
    return tables[0];
}

}  // namespace

const SingleByteTable* SystemTable(CodePage page) {
    return TableFor(SystemCodePage(page));
}

std::wstring MultiByteToText(std::string_view bytes, CodePage page) {
    if (bytes.empty()) return {};
    const UINT cp = SystemCodePage(page);
    const int n = MultiByteToWideChar(cp, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(cp, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), n);
    return text;
}

std::string TextToMultiByte(std::wstring_view text, CodePage page) {
    if (text.empty()) return {};
    const UINT cp = SystemCodePage(page);
    const int n = WideCharToMultiByte(cp, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(cp, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
    return bytes;
}

bool MultiByteHolds(std::wstring_view text, CodePage page) {
    if (text.empty()) return true;
    BOOL usedDefault = FALSE;
    WideCharToMultiByte(SystemCodePage(page), WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                        nullptr, 0, nullptr, &usedDefault);
    return !usedDefault;
}

}  // namespace detail

}  // namespace quillon
