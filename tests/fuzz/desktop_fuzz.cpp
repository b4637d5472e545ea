// libFuzzer target: any bytes as a desktop stream. The parser keeps whole
// records only; what it kept writes back to a stream that parses to the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "desktop_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quillon;
    const auto records = ParseDesktop(std::string_view(reinterpret_cast<const char*>(data), size));
    std::string written;
    for (const DesktopRecord& record : records) AppendDesktopRecord(written, record);
    EndDesktop(written);
    const auto again = ParseDesktop(written);
    if (again.size() != records.size()) std::abort();
    for (size_t i = 0; i < records.size(); ++i)
        if (again[i].fileName != records[i].fileName || again[i].order != records[i].order) std::abort();
    RestoreOrder(records);
    return 0;
}
