// Scrivo.exe as a process: started, its window found by class, closed.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include <shlobj.h>

#include <filesystem>

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

// A visible top-level window of the process with the class, or null.
HWND FindProcessWindow(DWORD processId, const wchar_t* windowClass) {
    struct Search { DWORD pid; const wchar_t* cls; HWND found; } search{processId, windowClass, nullptr};
    EnumWindows([](HWND hwnd, LPARAM lParam) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lParam);
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        wchar_t cls[64] = {};
        GetClassNameW(hwnd, cls, 64);
        if (pid == s->pid && std::wstring(cls) == s->cls && IsWindowVisible(hwnd)) {
            s->found = hwnd;
            return FALSE;
        }
        return TRUE;
    }, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindWindowOf(DWORD processId) { return FindProcessWindow(processId, L"THtmlScrivoForm"); }

// Starts Scrivo.exe (or another program of the folder, or one given by full
// path) with arguments, in the current folder given or the test's own; the
// handle is owned by the returned Process.
void Start(Process& process, const std::wstring& arguments = L"", const std::wstring& program = L"Scrivo.exe",
           const wchar_t* currentFolder = nullptr) {
    const std::wstring exe = program.find(L'\\') == std::wstring::npos ? test::BinFolder() + program : program;
    std::wstring command = L"\"" + exe + L"\" " + arguments;
    STARTUPINFOW startup{sizeof startup};
    ASSERT_TRUE(CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, currentFolder,
                               &startup, &process.info))
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

// A message box of the process: its text, after which it is answered OK; empty
// when none came up in time.
std::wstring AnswerMessageBox(const Process& process) {
    HWND box = nullptr;
    test::WaitFor([&] { return (box = FindProcessWindow(process.info.dwProcessId, L"#32770")) != nullptr; },
                  std::chrono::seconds(10));
    if (!box) return {};
    wchar_t caption[128] = {}, text[512] = {};
    GetWindowTextW(box, caption, 128);
    EnumChildWindows(box, [](HWND child, LPARAM lParam) -> BOOL {
        wchar_t cls[16] = {};
        GetClassNameW(child, cls, 16);
        if (std::wstring(cls) == L"Static" && GetWindowTextLengthW(child) > 0) {
            GetWindowTextW(child, reinterpret_cast<wchar_t*>(lParam), 512);
            return FALSE;
        }
        return TRUE;
    }, reinterpret_cast<LPARAM>(text));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return std::wstring(caption) + L": " + text;
}

std::wstring TempFile(const std::wstring& name, const char* bytes = "x") {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring path = std::wstring(temp) + name;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes, static_cast<DWORD>(strlen(bytes)), &written, nullptr);
    CloseHandle(file);
    return path;
}

// The editor's recovery journal in the user's local application data.
std::wstring JournalFolder() {
    wchar_t local[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local);
    return std::wstring(local) + L"\\Quillon\\Journal";
}

std::vector<std::wstring> JournalEntries() {
    std::vector<std::wstring> entries;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(JournalFolder(), ignored))
        if (entry.path().extension() == L".qlj") entries.push_back(entry.path().wstring());
    return entries;
}

// Every process test starts the editor as on a first start: no stored
// settings, and no journal of an earlier run.
class ScrivoProcess : public ::testing::Test {
protected:
    void SetUp() override { Clean(); }
    void TearDown() override { Clean(); }
    static void Clean() {
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Brindle\\Quillon");
        std::error_code ignored;
        std::filesystem::remove_all(JournalFolder(), ignored);
    }
};

TEST_F(ScrivoProcess, ASecondStartHandsOverAndEndsAtOnce) {
    Process first;
    Start(first);
    HWND frame = WaitForFrame(first);
    ASSERT_TRUE(frame);
    // The first start opens maximized; only then minimize it.
    ASSERT_TRUE(test::WaitFor([&] { return IsZoomed(frame) != 0; }));
    PostMessageW(frame, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(test::WaitFor([&] { return IsIconic(frame) != 0; }));

    Process second;
    Start(second);
    EXPECT_EQ(WaitForExit(second), 0u);
    // The running editor came back from the taskbar.
    EXPECT_TRUE(test::WaitFor([&] { return !IsIconic(frame); }));

    // Sixty files named to a second start: Assist hands the first fifty to the running editor.
    std::wstring many;
    for (int i = 0; i < 60; ++i) many += L"\"" + TempFile(L"quillon-many" + std::to_wstring(i) + L".txt") + L"\" ";
    Process third;
    Start(third, many);
    EXPECT_EQ(WaitForExit(third), 0u);
    EXPECT_TRUE(IsWindow(frame));
    EXPECT_EQ(DocumentCaptions(frame).size(), 50u);

    PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(first), 0u);
}

TEST_F(ScrivoProcess, RelayHandsLongNamesToTheRunningEditorAndReportsTheOnesItCannotFind) {
    const std::wstring first = TempFile(L"quillon relay first document.html"), third = TempFile(L"quillon-relay-3.txt");
    wchar_t shortName[MAX_PATH] = {};
    ASSERT_GT(GetShortPathNameW(first.c_str(), shortName, MAX_PATH), 0u);
    Process editor;
    Start(editor);
    HWND frame = WaitForFrame(editor);
    ASSERT_TRUE(frame);
    Process relay;
    Start(relay, L"\"" + std::wstring(shortName) + L"\" C:\\quillon-missing.txt \"" + third + L"\"", L"Relay.exe");
    const std::wstring message = AnswerMessageBox(relay);
    EXPECT_EQ(message, L"Quillon Assistant: Не удалось определить длинное имя файла для: 'C:\\quillon-missing.txt'.");
    EXPECT_EQ(WaitForExit(relay), 0u);
    EXPECT_TRUE(test::WaitFor([&] { return DocumentCaptions(frame).size() == 2; }));
    const auto captions = DocumentCaptions(frame);
    EXPECT_NE(std::find(captions.begin(), captions.end(), L"quillon relay first document.html"), captions.end())
        << "the short name arrives long";
    EXPECT_NE(std::find(captions.begin(), captions.end(), L"quillon-relay-3.txt"), captions.end());
    PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(editor), 0u);
}

TEST_F(ScrivoProcess, RelayWithoutArgumentsStartsTheEditorAndSendsNothing) {
    ASSERT_FALSE(FindWindowW(L"THtmlScrivoForm", nullptr));
    Process relay;
    Start(relay, L"", L"Relay.exe");
    EXPECT_EQ(WaitForExit(relay), 0u);
    HWND frame = nullptr;
    ASSERT_TRUE(test::WaitFor([&] { return (frame = FindWindowW(L"THtmlScrivoForm", nullptr)) != nullptr; }));
    EXPECT_TRUE(DocumentCaptions(frame).empty());
    DWORD pid = 0;
    GetWindowThreadProcessId(frame, &pid);
    HANDLE started = OpenProcess(SYNCHRONIZE, FALSE, pid);
    PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(started, 20000), WAIT_OBJECT_0);
    CloseHandle(started);
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

// A folder of the temporary folder holding the planted library under each name
// the program loads at run time; the mark of an earlier run removed.
std::wstring PlantedFolder() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"quillon-planted\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    for (const wchar_t* name : {L"Assist.dll", L"Toolbars.dll", L"Template.dll", L"Stencil.dll"})
        CopyFileW((test::ModuleFolder() + L"planted_library.dll").c_str(), (folder + name).c_str(), FALSE);
    DeleteFileW((std::wstring(temp) + L"quillon-planted-library-loaded").c_str());
    return folder;
}

bool PlantedLibraryLoaded() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    return GetFileAttributesW((std::wstring(temp) + L"quillon-planted-library-loaded").c_str()) !=
           INVALID_FILE_ATTRIBUTES;
}

// The texts of the message boxes a process shows while the predicate waits,
// each answered Yes (an OK box takes it as OK) so that the start goes on.
std::vector<std::wstring> AnswerBoxesUntil(DWORD processId, const std::function<bool()>& done) {
    std::vector<std::wstring> texts;
    test::WaitFor([&] {
        if (HWND box = FindProcessWindow(processId, L"#32770")) {
            wchar_t text[1024] = {};
            GetDlgItemTextW(box, 0xFFFF, text, 1024);  // the message's static text
            if (!text[0]) {
                for (HWND child = GetWindow(box, GW_CHILD); child && !text[0]; child = GetWindow(child, GW_HWNDNEXT)) {
                    wchar_t cls[32] = {};
                    GetClassNameW(child, cls, 32);
                    if (std::wstring(cls) == L"Static") GetWindowTextW(child, text, 1024);
                }
            }
            if (text[0] && (texts.empty() || texts.back() != text)) texts.push_back(text);
            PostMessageW(box, WM_COMMAND, IDYES, 0);
        }
        return done();
    }, std::chrono::seconds(60));
    return texts;
}

TEST_F(ScrivoProcess, LibrariesPlantedInTheCurrentFolderAreNeverLoaded) {
    const std::wstring planted = PlantedFolder();
    // The editor alone in a folder (with only the libraries it cannot start
    // or take a file without) and started in the planted folder: it says that its pictures
    // and its templates are missing rather than take the strangers, and a
    // file handed to it still opens.
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring bare = std::wstring(temp) + L"quillon-editor-alone\\";
    CreateDirectoryW(bare.c_str(), nullptr);
    for (const wchar_t* name : {L"Scrivo.exe", L"Filebox.dll", L"Assist.dll"})
        ASSERT_TRUE(CopyFileW((test::BinFolder() + name).c_str(), (bare + name).c_str(), FALSE));
    const std::wstring document = TempFile(L"quillon-planted.txt");
    Process editor;
    Start(editor, L"\"" + document + L"\"", bare + L"Scrivo.exe", planted.c_str());
    HWND frame = nullptr;
    const auto said = AnswerBoxesUntil(editor.info.dwProcessId, [&] {
        frame = FindWindowOf(editor.info.dwProcessId);
        return frame && IsWindowVisible(frame) && DocumentCaptions(frame).size() == 1;
    });
    ASSERT_TRUE(frame);
    std::string all;
    for (const auto& text : said) {
        char bytes[2048] = {};
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes, sizeof bytes, nullptr, nullptr);
        all += std::string(bytes) + " | ";
    }
    ASSERT_GE(said.size(), 2u) << all;
    EXPECT_NE(said[0].find(L"Не удалось загрузить библиотеку Template.dll"), std::wstring::npos)
        << "not the planted library's missing description: " << all;
    EXPECT_NE(said[1].find(L"Toolbars.dll"), std::wstring::npos) << all;
    PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(editor), 0u);
    EXPECT_FALSE(PlantedLibraryLoaded()) << "the editor";
    for (const wchar_t* name : {L"Scrivo.exe", L"Filebox.dll", L"Assist.dll"}) DeleteFileW((bare + name).c_str());

    // Relay alone in a folder without Assist: it finds none and does nothing.
    const std::wstring alone = std::wstring(temp) + L"quillon-relay-alone\\";
    CreateDirectoryW(alone.c_str(), nullptr);
    ASSERT_TRUE(CopyFileW((test::BinFolder() + L"Relay.exe").c_str(), (alone + L"Relay.exe").c_str(), FALSE));
    Process relay;
    Start(relay, L"\"" + document + L"\"", alone + L"Relay.exe", planted.c_str());
    EXPECT_EQ(WaitForExit(relay), 0u);
    EXPECT_FALSE(PlantedLibraryLoaded()) << "Relay";
    EXPECT_FALSE(FindWindowW(L"THtmlScrivoForm", nullptr));
    DeleteFileW(document.c_str());
}

// The editor controls of a frame's document windows.
std::vector<HWND> DocumentEditors(HWND frame) {
    std::vector<HWND> found;
    EnumChildWindows(frame, [](HWND hwnd, LPARAM lParam) -> BOOL {
        wchar_t cls[32] = {};
        GetClassNameW(hwnd, cls, 32);
        if (std::wstring(cls) == L"TEditForm") reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(GetWindow(hwnd, GW_CHILD));
        return TRUE;
    }, reinterpret_cast<LPARAM>(&found));
    return found;
}

// The editor control of the active document window, or null.
HWND ActiveEditor(HWND frame) {
    HWND client = FindWindowExW(frame, nullptr, L"MDIClient", nullptr);
    HWND active = client ? reinterpret_cast<HWND>(SendMessageW(client, WM_MDIGETACTIVE, 0, 0)) : nullptr;
    return active ? GetWindow(active, GW_CHILD) : nullptr;
}

std::string FileBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "(missing)";
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    return bytes;
}

// The control's text, asked of it (GetWindowText answers another process's
// window from its caption, not from its text).
std::wstring EditorText(HWND editor) {
    const LRESULT length = SendMessageW(editor, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(
        SendMessageW(editor, WM_GETTEXT, static_cast<WPARAM>(text.size()), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

// Ends the process at once, as a crash or a power cut would.
void Kill(const Process& process) {
    TerminateProcess(process.info.hProcess, 9);
    WaitForSingleObject(process.info.hProcess, 20000);
}

// Answers the process's message box with a button; false when none came.
bool AnswerWith(const Process& process, int button) {
    HWND box = nullptr;
    if (!test::WaitFor([&] { return (box = FindProcessWindow(process.info.dwProcessId, L"#32770")) != nullptr; },
                       std::chrono::seconds(20)))
        return false;
    PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
    return true;
}

// Typed text survives the editor being killed: the next start offers it back.
TEST_F(ScrivoProcess, TextTypedBeforeAKillComesBackAtTheNextStartWhenAsked) {
    const std::wstring page = TempFile(L"quillon-journal page.html", "<p>saved</p>");
    Process first;
    Start(first, L"\"" + page + L"\"");
    HWND frame = WaitForFrame(first);
    ASSERT_TRUE(frame);
    HWND editor = nullptr;
    ASSERT_TRUE(test::WaitFor([&] { return (editor = ActiveEditor(frame)) != nullptr; }));
    for (const wchar_t ch : std::wstring(L"Жив!")) PostMessageW(editor, WM_CHAR, ch, 1);
    // Ctrl+N's command: a new untitled document, typed into too.
    PostMessageW(frame, WM_COMMAND, 3000, 0);
    ASSERT_TRUE(test::WaitFor([&] { return DocumentEditors(frame).size() == 2 && ActiveEditor(frame) != editor; }));
    for (const wchar_t ch : std::wstring(L"Новый")) PostMessageW(ActiveEditor(frame), WM_CHAR, ch, 1);
    ASSERT_TRUE(test::WaitFor([&] { return JournalEntries().size() == 2; }, std::chrono::seconds(20)))
        << "an entry each, a pause after the typing";
    Kill(first);

    // Yes: both typed texts are back, modified; the file on disk as it was.
    Process second;
    Start(second);
    ASSERT_TRUE(AnswerWith(second, IDYES));
    frame = WaitForFrame(second);
    ASSERT_TRUE(frame);
    std::vector<std::wstring> texts;
    ASSERT_TRUE(test::WaitFor([&] {
        texts.clear();
        for (HWND each : DocumentEditors(frame)) texts.push_back(EditorText(each));
        std::sort(texts.begin(), texts.end());
        return texts == std::vector<std::wstring>{L"Жив!<p>saved</p>", L"Новый"};
    })) << testing::PrintToString(texts);
    for (HWND each : DocumentEditors(frame)) EXPECT_NE(SendMessageW(each, EM_GETMODIFY, 0, 0), 0);
    auto captions = DocumentCaptions(frame);
    std::sort(captions.begin(), captions.end());
    EXPECT_EQ(captions, (std::vector<std::wstring>{L"quillon-journal page.html", L"Безымянный 1"})) << "the untitled name kept";
    EXPECT_EQ(FileBytes(page), "<p>saved</p>");
    // The restored texts are in this run's journal at once; killed again, No drops them.
    ASSERT_TRUE(test::WaitFor([&] { return JournalEntries().size() == 2; }, std::chrono::seconds(20)));
    Kill(second);

    Process third;
    Start(third);
    ASSERT_TRUE(AnswerWith(third, IDNO));
    frame = WaitForFrame(third);
    ASSERT_TRUE(frame);
    EXPECT_TRUE(test::WaitFor([&] { return JournalEntries().empty(); }));
    EXPECT_TRUE(DocumentEditors(frame).empty());
    PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(third), 0u);

    // After that normal exit nothing is asked: the file named on the command
    // line, which opens after the journal's turn, arrives with no box.
    Process fourth;
    Start(fourth, L"\"" + page + L"\"");
    frame = WaitForFrame(fourth);
    ASSERT_TRUE(frame);
    ASSERT_TRUE(test::WaitFor([&] { return DocumentCaptions(frame).size() == 1; }));
    EXPECT_FALSE(FindProcessWindow(fourth.info.dwProcessId, L"#32770"));
    PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(fourth), 0u);
    DeleteFileW(page.c_str());
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
