// What the go-to dialog accepts as a line number.
#pragma once

#include <string_view>

namespace quillon {

enum class LineNumberVerdict {
    Accepted,
    Empty,       // message 146
    NotInteger,  // message 147
    OutOfRange,  // message 148
};

struct LineNumberCheck {
    LineNumberVerdict verdict = LineNumberVerdict::Empty;
    int line = 0;  // 1-based, when accepted
};

// An optional sign and decimal digits, spaces around them allowed; accepted
// when 1 <= n <= maxLine.
LineNumberCheck CheckLineNumber(std::wstring_view text, int maxLine);

}  // namespace quillon
