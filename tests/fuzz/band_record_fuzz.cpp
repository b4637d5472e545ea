// libFuzzer target: any bytes as a stored band record. What is accepted lies
// inside the bar and writes back to the same 12 bytes but the two spare ones.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "toolbar_model.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quillon;
    const std::vector<std::uint8_t> bytes(data, data + size);
    const auto record = DecodeBandRecord(bytes);
    if (!record) return 0;
    if (size != kBandRecordSize || record->position < 0 || record->position >= kToolbarCount || record->width < 0)
        std::abort();
    const auto written = EncodeBandRecord(*record);
    for (size_t i = 0; i < 8; ++i)
        if (written[i] != bytes[i]) std::abort();
    if (DecodeBandRecord(written) != record) std::abort();
    return 0;
}
