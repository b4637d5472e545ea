#include "win32_startup_trace.h"

#include <windows.h>

#include <cstring>

namespace quillon {

namespace {

struct Marks {
    const char* step[kStartupTraceMarks];
    LARGE_INTEGER ticks[kStartupTraceMarks];
    int count = 0;
    bool published = false;
};

Marks& TheMarks() {
    static Marks marks;
    return marks;
}

}  // namespace

void StartupMark(const char* step) {
    Marks& marks = TheMarks();
    if (marks.published || marks.count >= kStartupTraceMarks) return;
    QueryPerformanceCounter(&marks.ticks[marks.count]);
    marks.step[marks.count++] = step;
}

void PublishStartupMarks() {
    Marks& marks = TheMarks();
    if (marks.published) return;
    marks.published = true;
    HANDLE mapping = OpenFileMappingW(FILE_MAP_WRITE, FALSE, kStartupTraceBlock);
    if (!mapping) return;
    if (auto* block = static_cast<StartupTraceBlock*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(StartupTraceBlock)))) {
        for (int i = 0; i < marks.count; ++i) {
            lstrcpynA(block->marks[i].step, marks.step[i], sizeof block->marks[i].step);
            block->marks[i].ticks = marks.ticks[i].QuadPart;
        }
        // The count last: the benchmark reads the marks once it is set.
        InterlockedExchange(reinterpret_cast<volatile LONG*>(&block->count), marks.count);
        UnmapViewOfFile(block);
    }
    CloseHandle(mapping);
}

}  // namespace quillon
