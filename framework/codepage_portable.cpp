// Code pages for the native build: the product's home pages, Windows-1251 as the
// Windows code page and 866 as the DOS code page.
#include "codepage.h"

namespace quillon {
namespace detail {

extern const char16_t kUpper1251[128];
extern const char16_t kUpper866[128];

namespace {
SingleByteTable MakeTable(const char16_t* upper) {
    SingleByteTable table;
    for (int b = 0; b < 128; ++b) table.toText[b] = static_cast<wchar_t>(b);
    for (int b = 0; b < 128; ++b) table.toText[128 + b] = static_cast<wchar_t>(upper[b]);
    table.BuildReverse();
    return table;
}
}  // namespace

const SingleByteTable* SystemTable(CodePage page) {
    static const SingleByteTable windows = MakeTable(kUpper1251);
    static const SingleByteTable dos = MakeTable(kUpper866);
    return page == CodePage::Oem ? &dos : &windows;
}

std::wstring MultiByteToText(std::string_view, CodePage) { return {}; }
std::string TextToMultiByte(std::wstring_view, CodePage) { return {}; }
bool MultiByteHolds(std::wstring_view, CodePage) { return true; }

}  // namespace detail

}  // namespace quillon
