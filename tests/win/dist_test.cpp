// The installed product, checked inside the prefix the installer ran in (run
// by scripts/dist-test.sh after a silent install with the associations;
// QUILLON_INSTALLED names the program folder): the files, the App Paths entry
// and the Start menu entry; Relay.exe with no editor running starts the
// installed one through Assist.dll; a document opened through its association
// reaches that running editor.
#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "win_test_support.h"

namespace quillon {
namespace {

std::wstring Installed() {
    wchar_t folder[MAX_PATH] = {};
    GetEnvironmentVariableW(L"QUILLON_INSTALLED", folder, MAX_PATH);
    return folder;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The editor's main window, or null.
HWND Editor() { return FindWindowW(L"THtmlScrivoForm", nullptr); }

// Whether a window under the editor's frame has a caption that names the file.
bool ShowsFile(HWND frame, const std::wstring& name) {
    struct Search {
        const std::wstring* name;
        bool found;
    } search{&name, false};
    EnumChildWindows(
        frame,
        [](HWND child, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            wchar_t caption[MAX_PATH * 2] = {};
            GetWindowTextW(child, caption, MAX_PATH * 2);
            if (std::wstring(caption).find(*s->name) != std::wstring::npos) s->found = true;
            return !s->found;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The text of a visible message box (any top-level dialog window), empty when none shows.
std::wstring MessageBoxShown() {
    std::wstring text;
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            wchar_t name[64] = {};
            GetClassNameW(window, name, 64);
            if (std::wstring(name) != L"#32770" || !IsWindowVisible(window)) return TRUE;
            auto* found = reinterpret_cast<std::wstring*>(data);
            EnumChildWindows(
                window,
                [](HWND child, LPARAM into) -> BOOL {
                    wchar_t line[1024] = {};
                    GetWindowTextW(child, line, 1024);
                    *reinterpret_cast<std::wstring*>(into) += std::wstring(line) + L" ";
                    return TRUE;
                },
                data);
            if (found->empty()) *found = L"(a dialog without text)";
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&text));
    return text;
}

std::string Narrow(const std::wstring& text) {
    std::string out(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), static_cast<int>(out.size()), nullptr, nullptr);
    return out;
}

std::wstring ScratchFile(const wchar_t* name) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring path = std::wstring(temp) + name;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, "<p>installed</p>\r\n", 18, &written, nullptr);
    CloseHandle(file);
    return path;
}

TEST(Installed, TheFilesTheAppPathsEntryAndTheStartMenuEntry) {
    const std::wstring folder = Installed();
    ASSERT_FALSE(folder.empty()) << "QUILLON_INSTALLED is not set";
    for (const wchar_t* name : {L"Scrivo.exe", L"Relay.exe", L"Assist.dll", L"Filebox.dll", L"Toolbars.dll",
                                L"Template.dll", L"Stencil.dll", L"README.txt", L"Uninstall.exe"})
        EXPECT_TRUE(Exists(folder + L"\\" + name)) << std::string(name, name + wcslen(name));
    wchar_t value[MAX_PATH] = {};
    DWORD size = sizeof value;
    ASSERT_EQ(RegGetValueW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Scrivo.exe",
                           nullptr, RRF_RT_REG_SZ, nullptr, value, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(value), folder + L"\\Scrivo.exe");
    size = sizeof value;
    EXPECT_EQ(RegGetValueW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quillon",
                           L"UninstallString", RRF_RT_REG_SZ, nullptr, value, &size),
              ERROR_SUCCESS);
    wchar_t programs[MAX_PATH] = {};
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, 0, programs)));
    EXPECT_TRUE(Exists(std::wstring(programs) + L"\\Quillon.lnk"));
}

TEST(Installed, RelayStartsTheEditorAndTheAssociationReachesIt) {
    ASSERT_FALSE(Editor()) << "an editor runs already";
    const std::wstring first = ScratchFile(L"quillon-installed-first.html");
    const std::wstring second = ScratchFile(L"quillon-installed-second.html");

    // From a folder of its own: Assist finds the editor beside itself.
    std::wstring command = L"\"" + Installed() + L"\\Relay.exe\" \"" + first + L"\"";
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION process{};
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, temp, &startup, &process));
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ASSERT_TRUE(test::WaitFor([] { return Editor() != nullptr; }, std::chrono::seconds(60))) << "no editor came up";
    // The editor started from a folder with spaces opens the file and says nothing else.
    std::wstring shown;
    EXPECT_TRUE(test::WaitFor(
        [&] {
            shown = MessageBoxShown();
            return !shown.empty() || ShowsFile(Editor(), L"quillon-installed-first.html");
        },
        std::chrono::seconds(60)));
    EXPECT_EQ(shown, L"") << Narrow(shown);
    for (int i = 0; i < 5; ++i) {  // let the file through a message box that should not have come
        HWND box = FindWindowW(L"#32770", nullptr);
        if (!box) break;
        PostMessageW(box, WM_CLOSE, 0, 0);
        test::WaitFor([box] { return !IsWindow(box); });
    }
    EXPECT_TRUE(test::WaitFor([&] { return ShowsFile(Editor(), L"quillon-installed-first.html"); }));

    // Opened as the shell opens a document: the association's Relay.exe hands
    // it to the editor that runs.
    const auto opened = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", second.c_str(), nullptr, temp, SW_SHOWNORMAL));
    EXPECT_GT(opened, 32);
    EXPECT_TRUE(test::WaitFor([&] { return ShowsFile(Editor(), L"quillon-installed-second.html"); },
                              std::chrono::seconds(60)));
    int editors = 0;
    EnumWindows(
        [](HWND window, LPARAM count) -> BOOL {
            wchar_t name[64] = {};
            GetClassNameW(window, name, 64);
            if (std::wstring(name) == L"THtmlScrivoForm") ++*reinterpret_cast<int*>(count);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&editors));
    EXPECT_EQ(editors, 1) << "the second file went to the running editor";

    PostMessageW(Editor(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(test::WaitFor([] { return Editor() == nullptr; }, std::chrono::seconds(30)));
    DeleteFileW(first.c_str());
    DeleteFileW(second.c_str());
}

}  // namespace
}  // namespace quillon
