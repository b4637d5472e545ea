// Single-byte text in the system's code pages and the UTF-16 text of the windows.
//
// Every byte value other than NUL survives BytesToText followed by TextToBytes
// in the same code page, including bytes the code page leaves undefined.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

enum class CodePage {
    Ansi,     // the system's Windows code page (CP_ACP): documents
    Oem,      // the system's DOS code page (CP_OEMCP): documents marked as DOS text
    Win1251,  // Cyrillic Windows: macro sets, template lists
};

std::wstring BytesToText(std::string_view bytes, CodePage page);
// Characters the code page cannot hold become '?'.
std::string TextToBytes(std::wstring_view text, CodePage page);
// Whether every character of the text has a byte in the code page.
bool PageHolds(std::wstring_view text, CodePage page);

namespace detail {

// A single-byte code page as two lookup tables.
struct SingleByteTable {
    wchar_t toText[256] = {};
    std::vector<std::uint16_t> toByte;  // per UTF-16 unit: byte + 1, 0 when unmapped
    void BuildReverse();
};

// Supplied by the platform: the table of a single-byte code page, or null when
// the system's code page is a multi-byte one.
const SingleByteTable* SystemTable(CodePage page);
// Supplied by the platform for multi-byte code pages.
std::wstring MultiByteToText(std::string_view bytes, CodePage page);
std::string TextToMultiByte(std::wstring_view text, CodePage page);
bool MultiByteHolds(std::wstring_view text, CodePage page);

}  // namespace detail
}  // namespace quillon
