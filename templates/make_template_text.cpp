// Host tool: a template text kept readable in the tree (UTF-8, LF) turned into
// the bytes Template.dll carries: Windows-1251, CR LF, no line break after the
// last line.   make_template_text <source> <output>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

namespace {

[[noreturn]] void Fail(const std::string& why) {
    std::cerr << "make_template_text: " << why << "\n";
    std::exit(1);
}

char Windows1251(unsigned code) {
    if (code < 0x80) return static_cast<char>(code);
    if (code >= 0x410 && code <= 0x44F) return static_cast<char>(0xC0 + (code - 0x410));
    if (code == 0x401) return static_cast<char>(0xA8);
    if (code == 0x451) return static_cast<char>(0xB8);
    if (code == 0xAB) return static_cast<char>(0xAB);
    if (code == 0xBB) return static_cast<char>(0xBB);
    if (code == 0x2014) return static_cast<char>(0x97);
    Fail("a character outside Windows-1251's letters: U+" + std::to_string(code));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) Fail("usage: make_template_text <source> <output>");
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) Fail(std::string("cannot read ") + argv[1]);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!text.empty() && text.back() == '\n') text.pop_back();
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '\r') continue;
        if (byte == '\n') {
            out += "\r\n";
        } else if (byte < 0x80) {
            out += static_cast<char>(byte);
        } else if ((byte & 0xE0) == 0xC0 && i + 1 < text.size()) {
            out += Windows1251(((byte & 0x1F) << 6) | (static_cast<unsigned char>(text[++i]) & 0x3F));
        } else if ((byte & 0xF0) == 0xE0 && i + 2 < text.size()) {
            const unsigned code = ((byte & 0x0F) << 12) | ((static_cast<unsigned char>(text[i + 1]) & 0x3F) << 6) |
                                  (static_cast<unsigned char>(text[i + 2]) & 0x3F);
            i += 2;
            out += Windows1251(code);
        } else {
            Fail("not UTF-8 text");
        }
    }
    std::ofstream file(argv[2], std::ios::binary);
    file.write(out.data(), static_cast<std::streamsize>(out.size()));
    return file ? 0 : 1;
}
