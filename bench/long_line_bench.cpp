// A megabyte of Cyrillic words on one line (what a minified page looks like),
// opened word-wrapped by its kind (.html) against the same file opened
// unwrapped (.css), in the same run: the time to a ready window and the
// process's peak working set after each. Run with `make bench`.
//
// Goal: wrapped at most 3x the unwrapped time, and at most 300 MB.
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <string>

#include "bench_support.h"
#include "edit_form.h"
#include "main_form.h"
#include "prompts.h"
#include "win32_files.h"

using namespace quillon;
using namespace quillon::bench;

namespace {

size_t PeakMegabytes() {
    PROCESS_MEMORY_COUNTERS counters{sizeof counters};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PeakWorkingSetSize >> 20;
}

double OpenAndClose(THtmlScrivoForm& form, const std::wstring& path, bool& wrapped) {
    const auto start = Clock::now();
    form.Files().OpenNamedFiles({path});
    Pump();
    const double seconds = Seconds(start);
    TEditForm* document = form.ActiveDocument();
    wrapped = document && document->Editor().WordWrap();
    if (document) SendMessageW(document->Handle(), WM_CLOSE, 0, 0);
    Pump();
    return seconds;
}

}  // namespace

int wmain() {
    int refused = 0;
    SetPromptAnswerer([&](const PromptRequest& request) {
        if (request.stringId == 201) ++refused;
        return PromptAnswer::Ok;
    });
    THtmlScrivoForm* form = THtmlScrivoForm::Create(GetModuleHandleW(nullptr), {SW_SHOWNORMAL});
    if (!form) return 1;
    Pump();
    std::string line;
    const std::string words = "\xd1\xfa\xe5\xf8\xfc \xe6\xe5 \xe5\xf9\xb8 \xfd\xf2\xe8\xf5 \xec\xff\xe3\xea\xe8\xf5 "
                              "\xf4\xf0\xe0\xed\xf6\xf3\xe7\xf1\xea\xe8\xf5 \xe1\xf3\xeb\xee\xea ";
    while (line.size() < (1u << 20)) line += words;
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring unwrappedPath = std::wstring(temp) + L"quillon-long-line.css";
    const std::wstring wrappedPath = std::wstring(temp) + L"quillon-long-line.html";
    WriteFileSafely(unwrappedPath, line);
    WriteFileSafely(wrappedPath, line);

    const size_t before = PeakMegabytes();
    bool wrapped = false;
    const double unwrapped = OpenAndClose(*form, unwrappedPath, wrapped);
    const size_t afterUnwrapped = PeakMegabytes();
    const double byKind = OpenAndClose(*form, wrappedPath, wrapped);
    const size_t afterWrapped = PeakMegabytes();
    std::printf("%-34s %10s %14s\n", "1 MB on one line", "open", "peak memory");
    std::printf("%-34s %8.3f s %11zu MB\n", "unwrapped (.css)", unwrapped, afterUnwrapped);
    std::printf("%-34s %8.3f s %11zu MB\n", wrapped ? "word-wrapped (.html)" : "by its kind (.html), opened unwrapped",
                byKind, afterWrapped);
    std::printf("ratio %.2f (goal <= 3), peak before opening %zu MB, message 201 shown %d time(s)\n",
                byKind / unwrapped, before, refused);
    DestroyWindow(form->Frame());
    Pump();
    DeleteFileW(unwrappedPath.c_str());
    DeleteFileW(wrappedPath.c_str());
    return 0;
}
