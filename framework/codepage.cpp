#include "codepage.h"

namespace quillon {
namespace detail {

void SingleByteTable::BuildReverse() {
    toByte.assign(0x10000, 0);
    // Highest byte first, so that where two bytes share a character the lower wins.
    for (int b = 255; b >= 0; --b) {
        const auto ch = static_cast<std::uint32_t>(toText[b]);
        if (ch < 0x10000) toByte[ch] = static_cast<std::uint16_t>(b + 1);
    }
}

}  // namespace detail

std::wstring BytesToText(std::string_view bytes, CodePage page) {
    const detail::SingleByteTable* table = detail::SystemTable(page);
    if (!table) return detail::MultiByteToText(bytes, page);
    std::wstring text(bytes.size(), L'\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        text[i] = table->toText[static_cast<unsigned char>(bytes[i])];
    return text;
}

std::string TextToBytes(std::wstring_view text, CodePage page) {
    const detail::SingleByteTable* table = detail::SystemTable(page);
    if (!table) return detail::TextToMultiByte(text, page);
    std::string bytes(text.size(), '\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto ch = static_cast<std::uint32_t>(text[i]);
        const std::uint16_t mapped = ch < 0x10000 ? table->toByte[ch] : 0;
        bytes[i] = mapped ? static_cast<char>(mapped - 1) : '?';
    }
    return bytes;
}

bool PageHolds(std::wstring_view text, CodePage page) {
    const detail::SingleByteTable* table = detail::SystemTable(page);
    if (!table) return detail::MultiByteHolds(text, page);
    for (const wchar_t ch : text) {
        const auto unit = static_cast<std::uint32_t>(ch);
        if (unit >= 0x10000 || !table->toByte[unit]) return false;
    }
    return true;
}

}  // namespace quillon
