// libFuzzer target: any bytes as the stored template list, read against a
// directory of three built-ins. Whatever was read writes back to bytes that
// read to the same list.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "template_list.h"
#include "typed_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quillon;
    static const std::vector<TemplateRecord> directory = {
        {1, 2, 10, 0, "A|.html", "a"}, {3, 4, 11, 0, "B|.xml", "b"}, {5, 6, 12, 0, "C", "c"}};
    const std::string stored(reinterpret_cast<const char*>(data), size);
    CTemplateList list;
    try {
        list.Read(&stored, &directory);
    } catch (const StreamError&) {
    }
    const std::string written = list.Write();
    CTemplateList again;
    again.Read(&written, &directory);
    if (again.GetCount() != list.GetCount() || again.Write() != written) std::abort();
    return 0;
}
