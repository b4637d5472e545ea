// Start-up of the editor as a process against the system's notepad, medians of
// alternating starts in one run: the time from starting the process to its main
// window shown and idle, with every library present and with a desktop of three
// small documents to restore, and the working set then. The editor's own marks
// of its start-up steps (win32_startup_trace.h) give the table of where the
// time goes. Run with `make bench`.
//
// Goal: the editor at most 1.5x notepad (hoped for: 1.2x).
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "bench_support.h"
#include "win32_startup_trace.h"

using namespace quillon;
using namespace quillon::bench;

namespace {

constexpr wchar_t kRoot[] = L"Software\\Brindle\\Quillon";

std::wstring BinFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L'\\') + 1) + L"..\\bin\\";
}

double Milliseconds(LONGLONG ticks) {
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

LONGLONG Now() {
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

struct Run {
    double total = -1;     // ms from the process's start to its window shown and idle
    size_t workingSet = 0; // bytes, then
    std::vector<std::pair<std::string, double>> marks;  // ms from the start
};

// Starts a program and waits for its main window of the class, shown and idle
// (for the editor: until it has published its marks); then closes it.
Run StartOnce(const std::wstring& exe, const std::wstring& arguments, const wchar_t* windowClass,
              StartupTraceBlock* block) {
    Run run;
    if (block) block->count = 0;
    std::wstring command = L"\"" + exe + L"\" " + arguments;
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION info{};
    const LONGLONG start = Now();
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return run;
    CloseHandle(info.hThread);
    HWND frame = nullptr;
    const auto began = Clock::now();
    while (!(frame = VisibleWindowOf(info.dwProcessId, windowClass)) && Seconds(began) < 60) Sleep(1);
    WaitForInputIdle(info.hProcess, 20000);
    if (block)
        while (InterlockedCompareExchange(reinterpret_cast<volatile LONG*>(&block->count), 0, 0) == 0 && Seconds(began) < 60)
            Sleep(1);
    const LONGLONG ready = Now();
    if (frame) {
        run.total = Milliseconds(ready - start);
        if (block) {
            // The editor's own last mark is its idle moment: the total is that, not our polling.
            const auto count = std::min<std::uint32_t>(block->count, kStartupTraceMarks);
            for (std::uint32_t i = 0; i < count; ++i)
                run.marks.emplace_back(block->marks[i].step, Milliseconds(block->marks[i].ticks - start));
            if (count > 0) run.total = run.marks.back().second;
        }
        PROCESS_MEMORY_COUNTERS counters{sizeof counters};
        if (GetProcessMemoryInfo(info.hProcess, &counters, sizeof counters)) run.workingSet = counters.WorkingSetSize;
        // As the user closes it: the editor keeps its desktop at a system-command close.
        PostMessageW(frame, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    if (WaitForSingleObject(info.hProcess, 20000) != WAIT_OBJECT_0) TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hProcess);
    return run;
}

double Median(std::vector<double> values) {
    if (values.empty()) return -1;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void SetDesktop(const std::string* stream) {
    if (!stream) {
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kRoot, L"Desktop");
        return;
    }
    RegSetKeyValueW(HKEY_CURRENT_USER, kRoot, L"Desktop", REG_BINARY, stream->data(), static_cast<DWORD>(stream->size()));
}

// The table of one kind of start: each step's median moment and its own share.
void PrintSteps(const char* title, const std::vector<Run>& runs) {
    std::printf("\n%s: the editor's steps, medians of %zu starts (ms from the process's start)\n", title, runs.size());
    std::printf("  %-52s %9s %9s\n", "step", "at", "took");
    if (runs.empty() || runs[0].marks.empty()) return;
    double previous = 0;
    for (size_t i = 0; i < runs[0].marks.size(); ++i) {
        std::vector<double> at;
        for (const Run& run : runs)
            if (i < run.marks.size() && run.marks[i].first == runs[0].marks[i].first) at.push_back(run.marks[i].second);
        const double moment = Median(at);
        std::printf("  %-52s %9.1f %9.1f\n", runs[0].marks[i].first.c_str(), moment, moment - previous);
        previous = moment;
    }
}

}  // namespace

int wmain() {
    HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(StartupTraceBlock),
                                        kStartupTraceBlock);
    auto* block = mapping ? static_cast<StartupTraceBlock*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0)) : nullptr;
    if (!block) {
        std::printf("no shared block for the marks\n");
        return 1;
    }
    wchar_t system[MAX_PATH] = {}, temp[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    GetTempPathW(MAX_PATH, temp);
    const std::wstring notepad = std::wstring(system) + L"\\notepad.exe";
    const std::wstring editor = BinFolder() + L"Scrivo.exe";

    // The desktop of three small documents: the editor opens them once and keeps them at its exit.
    std::wstring three;
    for (const wchar_t* name : {L"quillon-start-a.html", L"quillon-start-b.css", L"quillon-start-c.txt"}) {
        const std::wstring path = std::wstring(temp) + name;
        HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        const std::string text = "<p>a small document</p>\r\n<p>two lines</p>\r\n";
        DWORD written = 0;
        WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        CloseHandle(file);
        three += L"\"" + path + L"\" ";
    }
    SetDesktop(nullptr);
    const Run setup = StartOnce(editor, three, L"THtmlScrivoForm", block);
    if (setup.total < 0) {
        std::printf("the editor did not come up\n");
        return 1;
    }
    std::string desktop(4096, '\0');
    DWORD size = static_cast<DWORD>(desktop.size());
    if (RegGetValueW(HKEY_CURRENT_USER, kRoot, L"Desktop", RRF_RT_REG_BINARY, nullptr, desktop.data(), &size) != ERROR_SUCCESS) {
        std::printf("the desktop of three documents was not stored\n");
        return 1;
    }
    desktop.resize(size);

    // A start of each not counted, then alternating rounds.
    StartOnce(notepad, L"", L"Notepad", nullptr);
    SetDesktop(nullptr);
    StartOnce(editor, L"", L"THtmlScrivoForm", block);
    std::vector<Run> notepads, empties, desktops;
    for (int round = 0; round < 7; ++round) {
        notepads.push_back(StartOnce(notepad, L"", L"Notepad", nullptr));
        SetDesktop(nullptr);
        empties.push_back(StartOnce(editor, L"", L"THtmlScrivoForm", block));
        SetDesktop(&desktop);
        desktops.push_back(StartOnce(editor, L"", L"THtmlScrivoForm", block));
    }
    SetDesktop(nullptr);

    auto totals = [](const std::vector<Run>& runs) {
        std::vector<double> values;
        for (const Run& run : runs) values.push_back(run.total);
        return Median(values);
    };
    auto memory = [](const std::vector<Run>& runs) {
        std::vector<double> values;
        for (const Run& run : runs) values.push_back(static_cast<double>(run.workingSet) / (1 << 20));
        return Median(values);
    };
    PrintSteps("Every library present, no desktop", empties);
    PrintSteps("A desktop of three small documents", desktops);
    const double n = totals(notepads), e = totals(empties), d = totals(desktops);
    std::printf("\n%-44s %10s %8s %14s\n", "to a visible, idle main window (median of 7)", "ms", "ratio", "working set");
    std::printf("%-44s %10.1f %8s %11.1f MB\n", "notepad", n, "1.00", memory(notepads));
    std::printf("%-44s %10.1f %8.2f %11.1f MB\n", "the editor, every library present", e, e / n, memory(empties));
    std::printf("%-44s %10.1f %8.2f %11.1f MB\n", "the editor, a desktop of three documents", d, d / n, memory(desktops));
    std::printf("goal: at most 1.5x notepad (hoped for 1.2x)\n");
    UnmapViewOfFile(block);
    CloseHandle(mapping);
    return 0;
}
