// libFuzzer target: any bytes as a macro set stream. The reader either takes a
// whole stream or throws StreamError, keeping only whole macros; whatever it
// kept writes back to a stream that reads again to the same set.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "macro_model.h"
#include "typed_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quillon;
    TMacrosList set;
    set.SetSortMethod(static_cast<SortMethod>(size % 4));
    try {
        set.ReadMacroSet(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const StreamError&) {
    }
    const std::string written = set.WriteMacroSet();
    TMacrosList again;
    again.SetSortMethod(SortMethod::Fixed);
    again.ReadMacroSet(written);  // must not throw: a written stream is whole
    if (again.Count() != set.Count() || again.WriteMacroSet() != written) std::abort();
    int defaults = 0;
    for (int i = 0; i < set.Count(); ++i) defaults += set[i].Default();
    if (defaults > 1) std::abort();  // at most one default macro
    return 0;
}
