// libFuzzer target: any bytes as the template list editor's stored layout
// (per value a presence byte and a 32-bit integer: Sort, Ascending, then the
// order and width of each column). Whatever is stored, the layout it gives
// shows every column exactly once, sorts by a column that exists and keeps
// widths in range.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "stencil_model.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quillon;
    std::size_t at = 0;
    const auto next = [&]() -> std::optional<std::int32_t> {
        if (at + 5 > size) return std::nullopt;
        const bool present = data[at] & 1;
        std::int32_t value = 0;
        std::memcpy(&value, data + at + 1, 4);
        at += 5;
        return present ? std::optional<std::int32_t>(value) : std::nullopt;
    };
    StoredLayout stored;
    stored.sort = next();
    stored.ascending = next();
    for (int c = 0; c < kTemplateColumns; ++c) {
        stored.order[c] = next();
        stored.width[c] = next();
    }
    const ColumnLayout layout = LayoutFromStored(stored);
    if (layout.sortColumn < 0 || layout.sortColumn >= kTemplateColumns) std::abort();
    bool shown[kTemplateColumns] = {};
    for (int c = 0; c < kTemplateColumns; ++c) {
        const int position = layout.order[c];
        if (position < 0 || position >= kTemplateColumns || shown[position]) std::abort();
        shown[position] = true;
        if (layout.width[c] < 0 || layout.width[c] > 10000) std::abort();
    }
    return 0;
}
