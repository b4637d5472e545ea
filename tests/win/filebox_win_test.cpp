// The real Filebox.dll, loaded by name as its callers load it; the dialogs are
// driven without a person through the customize call, which installs a hook
// that types a name, ticks boxes, picks a filter and presses OK or Cancel.
#include <windows.h>

#include <commdlg.h>
#include <dlgs.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "filebox_api.h"
#include "win32_guards.h"
#include "win_test_support.h"

namespace quillon {
namespace {

struct Exports {
    OpenFilesFn openFiles;
    GetOpenFilesListFn getOpenFilesList;
    SaveFilesFn saveFiles;
    GetDefaultFilterFn getDefaultFilter;
    GetFileParamsFn getFileParams;
    GetDefWordWrapFn getDefWordWrap;
    GetNewFileIDsFn getNewFileIDs;
};

class Filebox : public ::testing::Test {
protected:
    static void SetUpTestSuite() { library = new Library((test::BinFolder() + L"Filebox.dll").c_str()); }
    static void TearDownTestSuite() { delete library; library = nullptr; }
    void SetUp() override {
        ASSERT_TRUE(*library) << "Filebox.dll did not load";
        // By ordinal, as Stencil binds them.
        api = {library->Find<OpenFilesFn>(1),        library->Find<GetOpenFilesListFn>(2),
               library->Find<SaveFilesFn>(3),        library->Find<GetDefaultFilterFn>(4),
               library->Find<GetFileParamsFn>(5),    library->Find<GetDefWordWrapFn>(6),
               library->Find<GetNewFileIDsFn>(7)};
    }
    static Library* library;
    Exports api{};
};
Library* Filebox::library = nullptr;

TEST_F(Filebox, ExportsByOrdinalAndByNameAreTheSame) {
    const char* names[] = {"OpenFiles", "GetOpenFilesList", "SaveFiles", "GetDefaultFilter",
                           "GetFileParams", "GetDefWordWrap", "GetNewFileIDs"};
    for (int ordinal = 1; ordinal <= 7; ++ordinal) {
        const FARPROC byName = library->Find<FARPROC>(names[ordinal - 1]);
        ASSERT_NE(byName, nullptr) << names[ordinal - 1];
        EXPECT_EQ(byName, library->Find<FARPROC>(ordinal)) << names[ordinal - 1];
    }
    EXPECT_EQ(library->Find<FARPROC>(8), nullptr);
}

TEST_F(Filebox, RulesThroughTheLibrary) {
    struct Case {
        const char* name;
        int tag, browsable, wrap, filter;
    };
    const Case cases[] = {
        {"C:\\SITE\\INDEX.HTM", 1, 1, 1, 1}, {"style.css", 0, 0, 0, 6},  {"data.xml", 0, 1, 1, 2},
        {"page.htt", 1, 0, 0, 15},          {"Main.java", 0, 0, 0, 16}, {"a.c", 0, 0, 1, -1},
        {"a.hpp", 0, 0, 1, -1},             {"C:\\old.files\\readme", 1, 0, 1, -1},
        {"\xcf\xf0\xe8\xec\xe5\xf0.html", 1, 1, 1, 1},  // a Cyrillic name
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FileParams params{c.name, 7, 7};
        EXPECT_EQ(api.getFileParams(&params), c.browsable);
        EXPECT_EQ(params.tagCommands, c.tag);
        EXPECT_EQ(params.browsable, c.browsable);
        EXPECT_EQ(api.getDefWordWrap(c.name), c.wrap);
        EXPECT_EQ(api.getDefaultFilter(c.name), c.filter);
    }
    // Null names are names without extension; a null record is refused quietly.
    FileParams none{nullptr, 7, 7};
    EXPECT_EQ(api.getFileParams(&none), 0);
    EXPECT_EQ(none.tagCommands, 1);
    EXPECT_EQ(api.getDefWordWrap(nullptr), 1);
    EXPECT_EQ(api.getDefaultFilter(nullptr), -1);
    EXPECT_EQ(api.getFileParams(nullptr), 0);
}

std::vector<std::string> Split(const std::string& text) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t bar; (bar = text.find('|', start)) != std::string::npos; start = bar + 1)
        parts.push_back(text.substr(start, bar - start));
    return parts;
}

TEST_F(Filebox, NewFileKindsAreTheFifteenKinds) {
    char buffer[2048];
    const int n = api.getNewFileIDs(buffer, sizeof buffer);
    ASSERT_GT(n, 0);
    EXPECT_EQ(static_cast<size_t>(n), strlen(buffer));
    const auto parts = Split(buffer);
    ASSERT_EQ(parts.size(), 45u);
    // Windows-1251 texts, as they cross the library's exports.
    EXPECT_EQ(parts[0], "\xce\xe1\xfb\xf7\xed\xfb\xe9 \xe4\xee\xea\xf3\xec\xe5\xed\xf2");  // Обычный документ
    EXPECT_EQ(parts[1], "");
    EXPECT_EQ(parts[4], ".html");
    const char* extensions[] = {"", ".html", ".xml", ".xsl", ".hta", ".htc", ".css", ".js",
                                ".txt", ".cpp", ".pl", ".pas", ".rc", ".h", ".java"};
    for (int kind = 0; kind < 15; ++kind) EXPECT_EQ(parts[kind * 3 + 1], extensions[kind]) << kind;

    // Cut to the buffer, terminator included, never past it.
    char small[11];
    memset(small, 'Z', sizeof small);
    EXPECT_EQ(api.getNewFileIDs(small, 10), 9);
    EXPECT_EQ(std::string(small), std::string(buffer, 9));
    EXPECT_EQ(small[10], 'Z');
    EXPECT_EQ(api.getNewFileIDs(small, 0), 0);
    EXPECT_EQ(api.getNewFileIDs(nullptr, 10), 0);
}

// What the hook does once the dialog is up.
struct DialogScript {
    std::string typeName;
    bool cancel = false;
    bool tickReadOnly = false;
    int selectFilter = 0;  // 1-based; 0 keeps the dialog's
    bool confirmOverwrite = false;
    std::string seenTitle;
    std::string seenFilterFirst;
    DWORD seenFlags = 0;
    bool seenDefExt = false;
    bool sawOverwriteQuestion = false;
};
DialogScript script;

// Presses Yes in the overwrite question, which runs its own modal loop.
void CALLBACK AnswerQuestion(HWND, UINT, UINT_PTR timer, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), [](HWND hwnd, LPARAM) -> BOOL {
        wchar_t cls[16] = {};
        GetClassNameW(hwnd, cls, 16);
        if (std::wstring(cls) == L"#32770" && GetDlgItem(hwnd, IDYES) && IsWindowVisible(hwnd)) {
            script.sawOverwriteQuestion = true;
            PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(hwnd, IDYES)));
            return FALSE;
        }
        return TRUE;
    }, 0);
    if (script.sawOverwriteQuestion) KillTimer(nullptr, timer);
}

constexpr UINT kActNow = WM_APP + 1;

UINT_PTR CALLBACK Hook(HWND child, UINT msg, WPARAM, LPARAM lParam) {
    // The dialog sets its controls up after it says it is done; act once it is idle.
    if (msg == WM_NOTIFY && reinterpret_cast<const OFNOTIFYA*>(lParam)->hdr.code == CDN_INITDONE)
        PostMessageW(child, kActNow, 0, 0);
    if (msg != kActNow) return 0;
    HWND dialog = GetParent(child);
    char title[256] = {};
    GetWindowTextA(dialog, title, sizeof title);
    script.seenTitle = title;
    if (script.cancel) {
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return 0;
    }
    if (script.selectFilter > 0) {
        SendDlgItemMessageW(dialog, cmb1, CB_SETCURSEL, static_cast<WPARAM>(script.selectFilter - 1), 0);
        // A person's choice ends with CBN_SELENDOK, which is what the dialog reads.
        for (const WORD code : {CBN_SELCHANGE, CBN_SELENDOK})
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb1, code), reinterpret_cast<LPARAM>(GetDlgItem(dialog, cmb1)));
    }
    SendMessageA(dialog, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(script.typeName.c_str()));
    SendMessageA(dialog, CDM_SETCONTROLTEXT, edt1, reinterpret_cast<LPARAM>(script.typeName.c_str()));
    if (script.tickReadOnly) CheckDlgButton(dialog, chx1, BST_CHECKED);
    if (script.confirmOverwrite) SetTimer(nullptr, 0, 50, AnswerQuestion);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    return 0;
}

void __stdcall Customize(FileDialogRequest*, OPENFILENAMEA* setup) {
    script.seenFlags = setup->Flags;
    script.seenFilterFirst = setup->lpstrFilter ? setup->lpstrFilter : "";
    script.seenDefExt = setup->lpstrDefExt && !*setup->lpstrDefExt;
    setup->Flags |= OFN_ENABLEHOOK;
    setup->lpfnHook = Hook;
}

class FileboxDialogs : public Filebox {
protected:
    void SetUp() override {
        Filebox::SetUp();
        script = DialogScript{};
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        folder = std::string(temp) + "quillon-filebox";
        SetCurrentDirectoryA(temp);
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
        std::filesystem::create_directories(folder);
        for (const char* name : {"a.txt", "b.html", "c.css"}) Touch(folder + "\\" + name);
        memset(fileBuffer, 0, sizeof fileBuffer);
        strcpy(folderBuffer, folder.c_str());
        request = {test::HostWindow(), fileBuffer, sizeof fileBuffer, 3, folderBuffer, nullptr, 0, Customize};
    }
    void TearDown() override {
        // The dialogs make the chosen folder the current one, which would keep it from going.
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        SetCurrentDirectoryA(temp);
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    static void Touch(const std::string& path) {
        HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(h, "x", 1, &written, nullptr);
        CloseHandle(h);
    }
    std::string folder;
    char fileBuffer[10240];
    char folderBuffer[260];
    FileDialogRequest request{};
};

TEST_F(FileboxDialogs, OpenOneFile) {
    script.typeName = "b.html";
    ASSERT_NE(api.openFiles(&request), 0);
    EXPECT_EQ(script.seenTitle, "\xce\xf2\xea\xf0\xfb\xf2\xe8\xe5 \xf4\xe0\xe9\xeb\xe0");  // Открытие файла
    EXPECT_EQ(script.seenFilterFirst, "\xc2\xf1\xe5 \xef\xee\xe4\xe4\xe5\xf0\xe6\xe8\xe2\xe0\xe5\xec\xfb\xe5 "
                                      "\xf2\xe8\xef\xfb");  // Все поддерживаемые типы
    const DWORD wanted = OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_ENABLESIZING;
    EXPECT_EQ(script.seenFlags & wanted, wanted);
    EXPECT_EQ(request.filterIndex, 3);
    EXPECT_EQ(request.readOnly, 0);
    api.getOpenFilesList(&request);
    EXPECT_EQ(std::string(fileBuffer), folder + "\\b.html");
    EXPECT_EQ(std::string(folderBuffer), folder);
}

TEST_F(FileboxDialogs, OpenReadOnlyWithAnotherFilterAndOwnTitle) {
    script.typeName = "c.css";
    script.tickReadOnly = true;
    script.selectFilter = 7;  // Таблица стилей (*.css) in the open list
    request.title = "My title";
    ASSERT_NE(api.openFiles(&request), 0);
    EXPECT_EQ(script.seenTitle, "My title");
    EXPECT_EQ(request.filterIndex, 7);
    EXPECT_EQ(request.readOnly, 1);
    api.getOpenFilesList(&request);
    EXPECT_EQ(std::string(fileBuffer), folder + "\\c.css");
}

TEST_F(FileboxDialogs, OpenSeveralFiles) {
    script.typeName = "\"a.txt\" \"c.css\"";
    ASSERT_NE(api.openFiles(&request), 0);
    api.getOpenFilesList(&request);
    EXPECT_EQ(std::string(fileBuffer), folder + "\\a.txt\r" + folder + "\\c.css\r");
    EXPECT_EQ(std::string(folderBuffer), folder);
}

TEST_F(FileboxDialogs, AListLongerThanTheBufferIsCutAtAWholeName) {
    script.typeName = "\"a.txt\" \"b.html\" \"c.css\"";
    // Room for what the dialog leaves (folder, three short names) but not for
    // three full names: the list keeps the whole names that fit.
    // Two full names with their CRs and the NUL take 2F + 16 bytes, three 3F + 23.
    const int room = 2 * static_cast<int>(folder.size()) + 20;
    memset(fileBuffer, 'Q', sizeof fileBuffer);
    request.bufferSize = room;
    ASSERT_NE(api.openFiles(&request), 0);
    api.getOpenFilesList(&request);
    const std::string list(fileBuffer);
    EXPECT_LT(list.size(), static_cast<size_t>(room));
    EXPECT_EQ(list, folder + "\\a.txt\r" + folder + "\\b.html\r");
    EXPECT_EQ(fileBuffer[room], 'Q');  // nothing written past the buffer
}

TEST_F(FileboxDialogs, SeveralFilesInARootFolder) {
    Touch("C:\\quillon_a.txt");
    Touch("C:\\quillon_b.txt");
    strcpy(folderBuffer, "C:\\");
    script.typeName = "\"quillon_a.txt\" \"quillon_b.txt\"";
    ASSERT_NE(api.openFiles(&request), 0);
    api.getOpenFilesList(&request);
    EXPECT_EQ(std::string(fileBuffer), "C:\\quillon_a.txt\rC:\\quillon_b.txt\r");
    EXPECT_EQ(std::string(folderBuffer), "C:\\");
    DeleteFileA("C:\\quillon_a.txt");
    DeleteFileA("C:\\quillon_b.txt");
}

TEST_F(FileboxDialogs, CancelLeavesTheRequestAlone) {
    script.cancel = true;
    request.readOnly = 9;
    EXPECT_EQ(api.openFiles(&request), 0);
    EXPECT_EQ(request.filterIndex, 3);
    EXPECT_EQ(request.readOnly, 9);
    EXPECT_EQ(std::string(folderBuffer), folder);
    strcpy(fileBuffer, "proposed.html");
    EXPECT_EQ(api.saveFiles(&request), 0);
    EXPECT_EQ(request.filterIndex, 3);
    EXPECT_EQ(std::string(folderBuffer), folder);
}

TEST_F(FileboxDialogs, SaveKeepsTheProposedNameAndTellsTheFolder) {
    strcpy(fileBuffer, "new.html");
    request.filterIndex = 1;
    script.typeName = "new.html";
    ASSERT_NE(api.saveFiles(&request), 0);
    EXPECT_EQ(script.seenTitle, "\xd1\xee\xf5\xf0\xe0\xed\xe5\xed\xe8\xe5 \xf4\xe0\xe9\xeb\xe0");  // Сохранение файла
    EXPECT_TRUE(script.seenDefExt);
    const DWORD wanted = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOREADONLYRETURN |
                         OFN_PATHMUSTEXIST | OFN_ENABLESIZING;
    EXPECT_EQ(script.seenFlags & wanted, wanted);
    EXPECT_EQ(std::string(fileBuffer), folder + "\\new.html");
    EXPECT_EQ(std::string(folderBuffer), folder);
    EXPECT_EQ(request.filterIndex, 1);
}

TEST_F(FileboxDialogs, SaveGivesATypedNameTheSelectedFiltersExtension) {
    script.typeName = "styles";
    script.selectFilter = 6;  // Таблица стилей (*.css) in the save list
    ASSERT_NE(api.saveFiles(&request), 0);
    EXPECT_EQ(std::string(fileBuffer), folder + "\\styles.css");
    EXPECT_EQ(request.filterIndex, 6);
}

TEST_F(FileboxDialogs, SaveOverAnExistingFileAsksFirst) {
    script.typeName = "a.txt";
    script.confirmOverwrite = true;
    ASSERT_NE(api.saveFiles(&request), 0);
    EXPECT_TRUE(script.sawOverwriteQuestion);
    EXPECT_EQ(std::string(fileBuffer), folder + "\\a.txt");
}

}  // namespace
}  // namespace quillon
