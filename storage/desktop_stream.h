// The desktop stream: one record per document window open at the last exit
// (file name, normal bounds, state, window-list order, read-only, caret, word
// wrap, coding), ended by an int32 0. Integers are 32-bit little-endian.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

struct DesktopRecord {
    std::string fileName;  // in the system code page, without its NUL
    std::int32_t left = 0, top = 0, width = 0, height = 0;
    std::int32_t state = 0;  // low byte: 0 normal, 1 minimized, 2 maximized
    std::int32_t order = 0;  // window number + 1, negated for the active window
    bool readOnly = false;
    std::int32_t caret = 0;
    bool wordWrap = true;
    // The field the DOS flag always had: 0 Windows, 1 DOS, 2-4 the UTF codings (text_coding.h).
    std::int32_t coding = 0;
};

// Appends one record; EndDesktop appends the closing 0.
void AppendDesktopRecord(std::string& stream, const DesktopRecord& record);
void EndDesktop(std::string& stream);

// The records of a stream up to its closing 0. A stream cut inside a record,
// or without its 0, keeps the whole records before the break; a record whose
// name length is negative or runs past the end ends the reading there too.
std::vector<DesktopRecord> ParseDesktop(std::string_view stream);

// The records in the order they reopen (by the absolute value of order,
// ascending; equal orders keep their stream order).
std::vector<DesktopRecord> RestoreOrder(std::vector<DesktopRecord> records);

}  // namespace quillon
