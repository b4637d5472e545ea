#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "prompts.h"
#include "rich_edit_control.h"
#include "win32_files.h"
#include "win32_guards.h"
#include "win_test_support.h"

namespace quillon {
namespace {

TEST(StringTable, LoadsTheProductsTextsExactly) {
    EXPECT_EQ(ResourceString(101), L"Безымянный ");
    EXPECT_EQ(ResourceString(108), L"Ст %s\t\tКол %-8d");
    EXPECT_EQ(ResourceString(9999), L"");
    ScriptedPrompts script;
    ShowPrompt({110, {L"C:\\a.html"}, L"", PromptIcon::Warning, PromptButtons::YesNoCancel});
    ASSERT_EQ(script.Seen().size(), 1u);
    EXPECT_EQ(PromptText(script.Seen()[0]), L"Файл \"C:\\a.html\" был изменен.\r\nСохранить изменения?");
}

// What the real message box showed, read while it is up, then answered No.
struct SeenBox {
    std::wstring caption, text;
    bool hasYes = false, hasNo = false, hasCancel = false;
} seenBox;

void CALLBACK AnswerBox(HWND, UINT, UINT_PTR timer, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), [](HWND hwnd, LPARAM) -> BOOL {
        wchar_t cls[16] = {};
        GetClassNameW(hwnd, cls, 16);
        if (std::wstring(cls) != L"#32770" || !IsWindowVisible(hwnd)) return TRUE;
        wchar_t text[512] = {};
        GetWindowTextW(hwnd, text, 512);
        seenBox.caption = text;
        GetDlgItemTextW(hwnd, 0xFFFF, text, 512);  // the message's static control
        seenBox.text = text;
        seenBox.hasYes = GetDlgItem(hwnd, IDYES) != nullptr;
        seenBox.hasNo = GetDlgItem(hwnd, IDNO) != nullptr;
        seenBox.hasCancel = GetDlgItem(hwnd, IDCANCEL) != nullptr;
        PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(hwnd, IDNO)));
        return FALSE;
    }, 0);
    if (!seenBox.caption.empty()) KillTimer(nullptr, timer);
}

TEST(SystemPrompt, ShowsTheTextUnderTheApplicationTitleAndReturnsTheAnswer) {
    seenBox = {};
    SetTimer(nullptr, 0, 50, AnswerBox);
    const PromptAnswer answer =
        ShowPrompt({110, {L"C:\\a.html"}, L"", PromptIcon::Warning, PromptButtons::YesNoCancel});
    EXPECT_EQ(answer, PromptAnswer::No);
    EXPECT_EQ(seenBox.caption, L"Quillon");
    EXPECT_EQ(seenBox.text, L"Файл \"C:\\a.html\" был изменен.\r\nСохранить изменения?");
    EXPECT_TRUE(seenBox.hasYes && seenBox.hasNo && seenBox.hasCancel);
}

TEST(Guards, LibraryFindsExportsByNameAndOrdinalAndFrees) {
    Library missing(L"no-such-library.dll");
    EXPECT_FALSE(missing);
    EXPECT_EQ(missing.Find<FARPROC>("anything"), nullptr);

    Library kernel(L"kernel32.dll");
    ASSERT_TRUE(kernel);
    EXPECT_NE(kernel.Find<FARPROC>("GetTickCount"), nullptr);
    EXPECT_EQ(kernel.Find<FARPROC>("NoSuchExport"), nullptr);
    Library moved = std::move(kernel);
    EXPECT_FALSE(kernel);
    EXPECT_TRUE(moved);
}

TEST(Guards, WaitCursorComesBackOnEveryWayOut) {
    HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    SetCursor(arrow);
    try {
        WaitCursor wait;
        EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_WAIT));
        throw 1;
    } catch (int) {
    }
    EXPECT_EQ(GetCursor(), arrow);
}

class Files : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder = std::wstring(temp) + L"quillon-files-test\\";
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override {
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
        std::filesystem::remove_all(folder);
    }
    std::wstring Put(const wchar_t* name, const std::string& bytes) {
        const std::wstring path = folder + name;
        EXPECT_TRUE(WriteFileSafely(path, bytes).ok);
        return path;
    }
    size_t FileCount() const {
        return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
    }
    std::wstring folder;
};

TEST_F(Files, SaveReplacesTheFileKeepsItsAttributesAndLeavesNothingBehind) {
    const std::wstring path = Put(L"Документ.html", "old content that is longer");
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
    RichEditControl editor(test::HostWindow(), 100);
    ASSERT_TRUE(LoadFileInto(editor, path, CodePage::Ansi).ok);
    EXPECT_EQ(editor.Text(), L"old content that is longer");
    editor.SetText(L"new\rПривет");
    ASSERT_TRUE(SaveFileFrom(editor, path, CodePage::Ansi).ok);
    EXPECT_EQ(ReadWholeFile(path), std::string("new\r\n\xcf\xf0\xe8\xe2\xe5\xf2"));
    EXPECT_TRUE(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(FileCount(), 1u);
}

TEST_F(Files, FailedSavesLeaveTheOldFileAsItWas) {
    const std::wstring locked = Put(L"readonly.txt", "keep me");
    SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY);
    const FileResult readOnly = WriteFileSafely(locked, "lost?");
    EXPECT_FALSE(readOnly.ok);
    EXPECT_EQ(readOnly.error, static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(ReadWholeFile(locked), std::string("keep me"));

    EXPECT_FALSE(WriteFileSafely(folder + L"no\\such\\folder\\a.txt", "x").ok);
    EXPECT_FALSE(WriteFileSafely(folder.substr(0, folder.size() - 1), "x").ok);  // a folder
    EXPECT_EQ(FileCount(), 1u);
}

TEST_F(Files, TheNextSaveRemovesWhatASaveCutShortLeftOfTheSameFileOnly) {
    const std::wstring path = Put(L"big.txt", "old");
    // What killed saves of big.txt leave, and names that only look like it.
    for (const wchar_t* left : {L"big.txt.~qln4321_0", L"BIG.TXT.~qln17_3"}) Put(left, "half a save");
    const wchar_t* kept[] = {L"big.txt.~qlnx_0", L"big.txt.~qln1_", L"big.txt.~qln1_2.bak", L"other.txt.~qln1_0",
                             L"big.txt.~qln_1", L"big.txt2.~qln1_0"};
    for (const wchar_t* other : kept) Put(other, "not ours to remove");
    // One still open by a save under way stays.
    const std::wstring open = Put(L"big.txt.~qln99_0", "being written");
    HANDLE held = CreateFileW(open.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(WriteFileSafely(path, "new").ok);
    CloseHandle(held);
    EXPECT_FALSE(std::filesystem::exists(folder + L"big.txt.~qln4321_0"));
    EXPECT_FALSE(std::filesystem::exists(folder + L"BIG.TXT.~qln17_3"));
    for (const wchar_t* other : kept) EXPECT_TRUE(std::filesystem::exists(folder + other)) << other;
    EXPECT_TRUE(std::filesystem::exists(open));
    EXPECT_EQ(ReadWholeFile(path), std::string("new"));
}

TEST_F(Files, ABackupCopyReplacesTheOldOneWholeThroughATemporaryFile) {
    const std::wstring from = Put(L"page.html", std::string(100000, 'n'));
    const std::wstring backup = Put(L"page.~ht", "old backup");
    Put(L"page.~ht.~qln5_0", "a copy cut short");
    ASSERT_TRUE(CopyFileSafely(from, backup).ok);
    EXPECT_EQ(ReadWholeFile(backup), std::string(100000, 'n'));
    EXPECT_EQ(FileCount(), 2u) << "the page and its backup, nothing beside them";
    EXPECT_FALSE(CopyFileSafely(folder + L"missing.html", backup).ok);
    EXPECT_EQ(ReadWholeFile(backup), std::string(100000, 'n')) << "a failed copy leaves the old backup";
}

TEST_F(Files, LoadingAMissingFileReportsAndLeavesTheEditorAlone) {
    RichEditControl editor(test::HostWindow(), 100);
    editor.SetText(L"unchanged");
    const FileResult result = LoadFileInto(editor, folder + L"missing.txt", CodePage::Ansi);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(editor.Text(), L"unchanged");
}

TEST_F(Files, DosTextLoadsAndSavesByteIdenticalInTheOemPage) {
    std::string file;
    for (int b = 1; b < 256; ++b)
        if (b != '\r' && b != '\n') file.push_back(static_cast<char>(b));
    file += "\r\nend\r\n";
    const std::wstring path = Put(L"dos.txt", file);
    RichEditControl editor(test::HostWindow(), 100);
    ASSERT_TRUE(LoadFileInto(editor, path, CodePage::Oem).ok);
    ASSERT_TRUE(SaveFileFrom(editor, path, CodePage::Oem).ok);
    EXPECT_EQ(ReadWholeFile(path), file);
}

}  // namespace
}  // namespace quillon
