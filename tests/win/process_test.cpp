// Scrivo.exe as a process: started, its window found by class, closed.
#include <windows.h>

#include <gtest/gtest.h>

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

TEST(ScrivoProcess, StartsWithItsFrameAndClosesWithExitCodeZero) {
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
