// Scrivo.exe as a process: started, its window found by class, closed.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "win_test_support.h"

namespace quillon {
namespace {

struct Process {
    PROCESS_INFORMATION info{};
    ~Process() {
        if (info.hProcess) {
            if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info.hProcess, 99);
            CloseHandle(info.hProcess);
            CloseHandle(info.hThread);
        }
    }
};

HWND FindWindowOf(DWORD processId) {
    struct Search { DWORD pid; HWND found; } search{processId, nullptr};
    EnumWindows([](HWND hwnd, LPARAM lParam) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lParam);
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        wchar_t cls[64] = {};
        GetClassNameW(hwnd, cls, 64);
        if (pid == s->pid && std::wstring(cls) == L"THtmlScrivoForm") {
            s->found = hwnd;
            return FALSE;
        }
        return TRUE;
    }, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Starts Scrivo.exe with arguments; the handle is owned by the returned Process.
void Start(Process& process, const std::wstring& arguments = L"") {
    const std::wstring exe = test::BinFolder() + L"Scrivo.exe";
    std::wstring command = L"\"" + exe + L"\" " + arguments;
    STARTUPINFOW startup{sizeof startup};
    ASSERT_TRUE(CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &process.info))
        << "cannot start " << GetLastError();
}

HWND WaitForFrame(const Process& process) {
    HWND frame = nullptr;
    test::WaitFor([&] {
        frame = FindWindowOf(process.info.dwProcessId);
        return frame && IsWindowVisible(frame);
    });
    return frame;
}

DWORD WaitForExit(const Process& process) {
    if (WaitForSingleObject(process.info.hProcess, 20000) != WAIT_OBJECT_0) return 999;
    DWORD exitCode = 1;
    GetExitCodeProcess(process.info.hProcess, &exitCode);
    return exitCode;
}

std::vector<std::wstring> DocumentCaptions(HWND frame) {
    std::vector<std::wstring> captions;
    EnumChildWindows(frame, [](HWND hwnd, LPARAM lParam) -> BOOL {
        wchar_t cls[32] = {}, caption[260] = {};
        GetClassNameW(hwnd, cls, 32);
        if (std::wstring(cls) == L"TEditForm") {
            GetWindowTextW(hwnd, caption, 260);
            reinterpret_cast<std::vector<std::wstring>*>(lParam)->push_back(caption);
        }
        return TRUE;
    }, reinterpret_cast<LPARAM>(&captions));
    return captions;
}

// Every process test starts the editor as on a first start: no stored settings.
class ScrivoProcess : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Brindle\\Quillon"); }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Brindle\\Quillon"); }
};

TEST_F(ScrivoProcess, ASecondStartHandsOverAndEndsAtOnce) {
    Process first;
    Start(first);
    HWND frame = WaitForFrame(first);
    ASSERT_TRUE(frame);
    // The first start opens maximized (a posted command of its own); only then minimize it.
    ASSERT_TRUE(test::WaitFor([&] { return IsZoomed(frame) != 0; }));
    PostMessageW(frame, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(test::WaitFor([&] { return IsIconic(frame) != 0; }));

    Process second;
    Start(second);
    EXPECT_EQ(WaitForExit(second), 0u);
    // The running editor came back from the taskbar.
    EXPECT_TRUE(test::WaitFor([&] { return !IsIconic(frame); }));

    // Sixty arguments: with no hand-off library present the second start still just ends.
    std::wstring many;
    for (int i = 0; i < 60; ++i) many += L"C:\\nofile" + std::to_wstring(i) + L".txt ";
    Process third;
    Start(third, many);
    EXPECT_EQ(WaitForExit(third), 0u);
    EXPECT_TRUE(IsWindow(frame));

    PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(first), 0u);
}

TEST_F(ScrivoProcess, CopyDataFromAnotherProgramOpensItsFiles) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring path = std::wstring(temp) + L"quillon-copydata.html";
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, "<p>", 3, &written, nullptr);
    CloseHandle(file);

    Process editor;
    Start(editor);
    HWND frame = WaitForFrame(editor);
    ASSERT_TRUE(frame);
    char list[MAX_PATH * 2] = {};
    WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, list, sizeof list, nullptr, nullptr);
    COPYDATASTRUCT data{0x7FFD, static_cast<DWORD>(strlen(list) + 1), list};
    EXPECT_EQ(SendMessageW(frame, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), 1);
    EXPECT_TRUE(test::WaitFor([&] { return DocumentCaptions(frame) == std::vector<std::wstring>{L"quillon-copydata.html"}; }));

    PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(editor), 0u);
    DeleteFileW(path.c_str());
}

TEST_F(ScrivoProcess, StartsWithItsFrameAndClosesWithExitCodeZero) {
    const std::wstring exe = test::BinFolder() + L"Scrivo.exe";
    std::wstring command = L"\"" + exe + L"\"";
    STARTUPINFOW startup{sizeof startup};
    Process process;
    ASSERT_TRUE(CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &process.info))
        << "cannot start " << GetLastError();

    HWND frame = nullptr;
    ASSERT_TRUE(test::WaitFor([&] {
        frame = FindWindowOf(process.info.dwProcessId);
        return frame && IsWindowVisible(frame);
    }));
    wchar_t caption[64] = {};
    GetWindowTextW(frame, caption, 64);
    EXPECT_STREQ(caption, L"Quillon");

    PostMessageW(frame, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(process.info.hProcess, 20000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.info.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
}

}  // namespace
}  // namespace quillon
