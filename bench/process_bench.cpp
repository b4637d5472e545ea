// The editor as a process. Run with `make bench`.
//
// Start-up to an idle main window with the cool bar and its pictures, against
// the same program beside no Toolbars.dll (its message answered at once), in
// the same run. Goal: at most 1.1x.
//
// Relay handing 50 names to a running editor, against the same names sent by
// one copy-data message from here: the time from the hand-off to the 50th
// document window. Goal: Relay at most 1.2x the direct message.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench_support.h"

using namespace quillon::bench;

namespace {

constexpr int kNames = 50;

std::wstring BinFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L'\\') + 1) + L"..\\bin\\";
}

HANDLE Start(const std::wstring& program, std::wstring arguments, const std::wstring& folder = BinFolder()) {
    const std::wstring exe = folder + program;
    std::wstring command = L"\"" + exe + L"\" " + arguments;
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return nullptr;
    CloseHandle(info.hThread);
    return info.hProcess;
}

int DocumentCount(HWND frame) {
    int count = 0;
    EnumChildWindows(frame, [](HWND hwnd, LPARAM lParam) -> BOOL {
        wchar_t cls[32] = {};
        GetClassNameW(hwnd, cls, 32);
        if (std::wstring(cls) == L"TEditForm" && IsWindowVisible(hwnd)) ++*reinterpret_cast<int*>(lParam);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&count));
    return count;
}

// Waits (bounded) until the frame shows the count of documents; the seconds
// since the start, or -1 when it never did.
double WaitForDocuments(HWND frame, int count, Clock::time_point start) {
    while (DocumentCount(frame) != count) {
        if (Seconds(start) > 120) return -1;
        Sleep(1);
    }
    return Seconds(start);
}

// Every document window asked to close (none is modified).
void CloseAll(HWND frame) {
    EnumChildWindows(frame, [](HWND hwnd, LPARAM) -> BOOL {
        wchar_t cls[32] = {};
        GetClassNameW(hwnd, cls, 32);
        if (std::wstring(cls) == L"TEditForm") PostMessageW(hwnd, WM_CLOSE, 0, 0);
        return TRUE;
    }, 0);
    WaitForDocuments(frame, 0, Clock::now());
}

double ByRelay(HWND frame, const std::vector<std::wstring>& names) {
    std::wstring arguments;
    for (const auto& name : names) arguments += L"\"" + name + L"\" ";
    const auto start = Clock::now();
    HANDLE relay = Start(L"Relay.exe", arguments);
    const double seconds = WaitForDocuments(frame, kNames, start);
    WaitForSingleObject(relay, 20000);
    CloseHandle(relay);
    CloseAll(frame);
    return seconds;
}

double ByCopyData(HWND frame, const std::vector<std::wstring>& names) {
    std::string list;
    for (const auto& name : names) {
        char bytes[MAX_PATH] = {};
        WideCharToMultiByte(CP_ACP, 0, name.c_str(), -1, bytes, MAX_PATH, nullptr, nullptr);
        list += std::string(bytes) + "\r";
    }
    COPYDATASTRUCT data{0x7FFD, static_cast<DWORD>(list.size() + 1), list.data()};
    const auto start = Clock::now();
    // What Assist sends: the list, then the request to come to the front.
    SendMessageW(frame, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    SendMessageW(frame, 0x7FFF, 0, 0);
    const double seconds = WaitForDocuments(frame, kNames, start);
    CloseAll(frame);
    return seconds;
}

// Seconds from the start of Scrivo.exe in the folder to its main window shown
// and idle; a message box on the way is answered at once. -1 on a failure.
double StartUp(const std::wstring& folder) {
    const auto start = Clock::now();
    HANDLE editor = Start(L"Scrivo.exe", L"", folder);
    if (!editor) return -1;
    const DWORD pid = GetProcessId(editor);
    HWND frame = nullptr;
    while (!(frame = VisibleWindowOf(pid, L"THtmlScrivoForm")) && Seconds(start) < 60) {
        if (HWND box = VisibleWindowOf(pid, L"#32770")) PostMessageW(box, WM_COMMAND, IDOK, 0);
        Sleep(1);
    }
    WaitForInputIdle(editor, 20000);
    const double seconds = frame ? Seconds(start) : -1;
    if (frame) PostMessageW(frame, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(editor, 20000) != WAIT_OBJECT_0) TerminateProcess(editor, 1);
    CloseHandle(editor);
    return seconds;
}

// The program's folder copied without Toolbars.dll.
std::wstring FolderWithoutPictures() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"quillon-startup-bare\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    for (const wchar_t* name : {L"Scrivo.exe", L"Filebox.dll", L"Assist.dll", L"Template.dll", L"Stencil.dll"})
        CopyFileW((BinFolder() + name).c_str(), (folder + name).c_str(), FALSE);
    DeleteFileW((folder + L"Toolbars.dll").c_str());
    return folder;
}

}  // namespace

int wmain() {
    const std::wstring noPictures = FolderWithoutPictures();
    StartUp(BinFolder());
    StartUp(noPictures);
    double withPictures = 0, withoutPictures = 0;
    for (int round = 0; round < 5; ++round) {
        withPictures += StartUp(BinFolder()) / 5;
        withoutPictures += StartUp(noPictures) / 5;
    }
    std::printf("%-28s %12s %12s %8s\n", "start-up to an idle window", "no pictures", "cool bar", "ratio");
    std::printf("%-28s %10.3f s %10.3f s %8.2f\n", "", withoutPictures, withPictures, withPictures / withoutPictures);

    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    std::vector<std::wstring> names;
    for (int i = 0; i < kNames; ++i) {
        names.push_back(std::wstring(temp) + L"quillon-relay-bench-" + std::to_wstring(i) + L".txt");
        HANDLE file = CreateFileW(names.back().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, "text\r\n", 6, &written, nullptr);
        CloseHandle(file);
    }
    HANDLE editor = Start(L"Scrivo.exe", L"");
    HWND frame = nullptr;
    const auto started = Clock::now();
    while (!(frame = FindWindowW(L"THtmlScrivoForm", nullptr)) && Seconds(started) < 60) Sleep(10);
    if (!frame) {
        std::printf("the editor did not start\n");
        return 1;
    }
    WaitForInputIdle(editor, 20000);
    // Alternating, so that both see the same drift of Wine's speed; a first
    // round of each is not counted.
    ByCopyData(frame, names);
    ByRelay(frame, names);
    // Relay's own cost: started and ended with no names, the editor running.
    const auto bare = Clock::now();
    HANDLE empty = Start(L"Relay.exe", L"");
    WaitForSingleObject(empty, 20000);
    const double relayAlone = Seconds(bare);
    CloseHandle(empty);
    double direct = 0, relay = 0;
    for (int round = 0; round < 3; ++round) {
        direct += ByCopyData(frame, names) / 3;
        relay += ByRelay(frame, names) / 3;
    }
    PostMessageW(frame, WM_CLOSE, 0, 0);
    WaitForSingleObject(editor, 20000);
    CloseHandle(editor);
    std::printf("%-28s %12s %12s %8s\n", "50 names to a running editor", "copy-data", "Relay", "ratio");
    std::printf("%-28s %10.3f s %10.3f s %8.2f\n", "", direct, relay, relay / direct);
    std::printf("Relay with no names, start to exit: %.3f s\n", relayAlone);
    for (const auto& name : names) DeleteFileW(name.c_str());
    return 0;
}
