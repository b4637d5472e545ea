// Build tool: turns a readable macro source into its macro set stream.
//   make_macro_set <source.txt> <stream.bin>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

#include "macro_source.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_macro_set <source> <stream>\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "make_macro_set: cannot read %s\n", argv[1]);
        return 1;
    }
    const std::string source((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    quillon::TMacrosList macros;
    macros.SetSortMethod(quillon::SortMethod::Fixed);
    try {
        quillon::ReadMacroSource(source, macros);
    } catch (const quillon::MacroSourceError& error) {
        std::fprintf(stderr, "%s:%d: not a macro line\n", argv[1], error.line);
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary);
    const std::string bytes = macros.WriteMacroSet();
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return out ? 0 : 1;
}
