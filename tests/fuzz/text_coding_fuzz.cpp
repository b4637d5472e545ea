// libFuzzer target: any bytes as a file being opened. Whatever coding the
// bytes are given, they decode to a text that writes back to the very same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "codepage.h"
#include "text_coding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quillon;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    DeclaredCoding(bytes);
    const DecodedFile file = DecodeFile(bytes);
    if (file.coding != DetectCoding(bytes)) std::abort();
    std::string back;
    if (IsUnicode(file.coding)) {
        // Written with lone CRs as breaks, a LF stays a character: the bytes as they came.
        back = EncodeText(file.text, file.coding, LineBreak::Cr);
    } else {
        back = TextToBytes(file.text, file.coding == TextCoding::Dos ? CodePage::Oem : CodePage::Ansi);
    }
    if (back != bytes) std::abort();
    // A stored coding never loses a byte either.
    for (const TextCoding stored : {TextCoding::Dos, TextCoding::Utf8, TextCoding::Utf16}) {
        const DecodedFile again = DecodeFile(bytes, stored);
        const std::string written = IsUnicode(again.coding)
                                        ? EncodeText(again.text, again.coding, LineBreak::Cr)
                                        : TextToBytes(again.text, again.coding == TextCoding::Dos ? CodePage::Oem
                                                                                                  : CodePage::Ansi);
        if (written != bytes) std::abort();
    }
    return 0;
}
