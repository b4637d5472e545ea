// Marks of the start-up's steps for the start-up benchmark: the moment each
// step ends, on the performance counter (one clock for every process of the
// machine). Marking costs a counter read; the marks leave the program only when
// the benchmark has made its shared block, and only once, when the program has
// come up and is idle.
#pragma once

#include <cstdint>

namespace quillon {

inline constexpr wchar_t kStartupTraceBlock[] = L"Local\\QuillonStartupTrace";
inline constexpr int kStartupTraceMarks = 64;

// The shared block: the marks in order, each a step's name and its counter value.
struct StartupTraceBlock {
    std::uint32_t count = 0;
    struct Mark {
        char step[56];
        std::int64_t ticks;
    } marks[kStartupTraceMarks];
};

// The end of a step (a literal: only its address is kept).
void StartupMark(const char* step);
// Copies the marks into the benchmark's block, if there is one; later calls do nothing.
void PublishStartupMarks();

}  // namespace quillon
