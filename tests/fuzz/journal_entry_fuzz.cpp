// libFuzzer target: any bytes as a recovery journal entry. An entry the reader
// takes writes back to the very same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "journal_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quillon;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto entry = DecodeJournalEntry(bytes);
    if (entry) {
        if (EncodeJournalEntry(*entry) != bytes) std::abort();
        PlanJournalRestore({*entry}, {entry->name}, L"Безымянный ", 0);
    }
    return 0;
}
