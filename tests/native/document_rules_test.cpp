#include <gtest/gtest.h>

#include "recent_names.h"

#include "edit_rules.h"
#include "main_rules.h"
#include "status_texts.h"
#include "text_case.h"

namespace quillon {
namespace {

TEST(StatusTexts, LineNumbersAreGroupedByThousands) {
    struct Case {
        long long number;
        std::wstring grouped;
    };
    const Case cases[] = {{0, L"0"},           {1, L"1"},           {999, L"999"},         {1000, L"1 000"},
                          {1234, L"1 234"},    {99999, L"99 999"},  {100000, L"100 000"},
                          {1234567, L"1 234 567"}, {-1234, L"-1 234"}};
    for (const auto& c : cases) EXPECT_EQ(GroupDigits(c.number, L' '), c.grouped) << c.number;
    EXPECT_EQ(GroupDigits(1234567, L'\u00A0'), L"1\u00A0234\u00A0567");
}

TEST(StatusTexts, CaretPanelCountsFromOne) {
    const std::wstring format = L"Ст %s\t\tКол %-8d";
    EXPECT_EQ(CaretText(format, 0, 0, L' '), L"Ст 1\t\tКол 1       ");
    EXPECT_EQ(CaretText(format, 41, 999, L' '), L"Ст 1 000\t\tКол 42      ");
    EXPECT_EQ(CaretText(format, 123456788, 99999, L' '), L"Ст 100 000\t\tКол 123456789");
}

TEST(EditRules, BackupNames) {
    struct Case {
        std::wstring file, backup;
    };
    const Case cases[] = {
        {L"C:\\site\\index.html", L"C:\\site\\index.~html"},
        {L"a.b.txt", L"a.b.~txt"},
        {L"C:\\src\\Makefile", L"C:\\src\\Makefile.~"},
        {L"C:\\old.files\\README", L"C:\\old.files\\README.~"},
        {L"C:\\x\\name.", L"C:\\x\\name.~"},
        {L"C:\\x\\.htaccess", L"C:\\x\\.~htaccess"},
        {L"C:\\Документы\\Письмо.txt", L"C:\\Документы\\Письмо.~txt"},
    };
    for (const auto& c : cases) EXPECT_EQ(BackupName(c.file), c.backup);
}

TEST(EditRules, NameAndFolderOfAPath) {
    EXPECT_EQ(NameWithoutFolder(L"C:\\site\\index.html"), L"index.html");
    EXPECT_EQ(FolderOf(L"C:\\site\\index.html"), L"C:\\site");
    EXPECT_EQ(NameWithoutFolder(L"Безымянный 1.html"), L"Безымянный 1.html");
    EXPECT_EQ(FolderOf(L"Безымянный 1.html"), L"");
    EXPECT_EQ(NameWithoutFolder(L"C:\\"), L"");
}

using test::Names;

TEST(EditRules, RecentFilesMoveToTheTopWithoutDuplicates) {
    RecentFiles files;
    for (int i = 9; i >= 0; --i) EnterRecentFile(files, {L"C:\\f" + std::to_wstring(i) + L".txt"});
    EXPECT_EQ(files[0].FileName, L"C:\\f0.txt");
    EXPECT_EQ(files[9].FileName, L"C:\\f9.txt");

    // A name already there moves up, whatever its case; the others keep their order.
    EnterRecentFile(files, {L"c:\\F4.TXT", true, 17, true, 1});
    EXPECT_EQ(Names(files), (std::vector<std::wstring>{L"c:\\F4.TXT", L"C:\\f0.txt", L"C:\\f1.txt", L"C:\\f2.txt",
                                                       L"C:\\f3.txt", L"C:\\f5.txt", L"C:\\f6.txt", L"C:\\f7.txt",
                                                       L"C:\\f8.txt", L"C:\\f9.txt"}));
    EXPECT_TRUE(files[0].ReadOnly);
    EXPECT_EQ(files[0].Position, 17);
    EXPECT_TRUE(files[0].WordWrap);
    EXPECT_EQ(files[0].Coding, 1u);

    // A new name pushes the last one out.
    EnterRecentFile(files, {L"C:\\new.html"});
    EXPECT_EQ(files[0].FileName, L"C:\\new.html");
    EXPECT_EQ(files[9].FileName, L"C:\\f8.txt");

    // Cyrillic names compare without regard to case too.
    EnterRecentFile(files, {L"C:\\Документ.txt"});
    EnterRecentFile(files, {L"C:\\new.html"});
    EnterRecentFile(files, {L"c:\\ДОКУМЕНТ.TXT"});
    EXPECT_EQ(files[0].FileName, L"c:\\ДОКУМЕНТ.TXT");
    EXPECT_EQ(files[1].FileName, L"C:\\new.html");
    EXPECT_EQ(files[2].FileName, L"c:\\F4.TXT");
}

TEST(TextCase, CyrillicAndYo) {
    EXPECT_EQ(LowerText(L"ЁЛКА Ёлка ABC"), L"ёлка ёлка abc");
    EXPECT_EQ(UpperText(L"привет мир ё"), L"ПРИВЕТ МИР Ё");
    EXPECT_TRUE(SameTextIgnoringCase(L"C:\\Site\\INDEX.html", L"c:\\site\\index.HTML"));
    EXPECT_FALSE(SameTextIgnoringCase(L"a.txt", L"a.txt "));
}

TEST(MainRules, FileListsSplitOnEveryLineEnd) {
    EXPECT_EQ(SplitFileList(L"C:\\a.txt\rC:\\b.txt\nC:\\c.txt\r\nC:\\d.txt"),
              (std::vector<std::wstring>{L"C:\\a.txt", L"C:\\b.txt", L"C:\\c.txt", L"C:\\d.txt"}));
    EXPECT_EQ(SplitFileList(L"C:\\a.txt\r"), std::vector<std::wstring>{L"C:\\a.txt"});
    EXPECT_EQ(SplitFileList(L"\r\n\r\nC:\\x y\\z.txt\r\n\r\n"), std::vector<std::wstring>{L"C:\\x y\\z.txt"});
    EXPECT_TRUE(SplitFileList(L"").empty());
}

TEST(MainRules, WithNoWindowOpenNewWindowsFollowTheStoredState) {
    using S = DocumentWindowState;
    EXPECT_EQ(StateForNewWindows(0), S::Normal);
    EXPECT_EQ(StateForNewWindows(1), S::Minimized);
    EXPECT_EQ(StateForNewWindows(std::nullopt), S::Maximized);  // first start
    EXPECT_EQ(StateForNewWindows(7), S::Maximized);
    EXPECT_EQ(StateForNewWindows(-1), S::Maximized);
}

}  // namespace
}  // namespace quillon

namespace quillon {
namespace {

// Show in browser never sends a page back into the editor through its own association.
TEST(EditRules, BrowserRoute) {
    const struct {
        const wchar_t* web;
        const wchar_t* file;
        BrowserRoute route;
    } cases[] = {
        {L"C:\\Program Files\\Browser\\browser.exe", L"C:\\Program Files\\Quillon\\Relay.exe", BrowserRoute::WebBrowser},
        {L"C:\\windows\\system32\\winebrowser.exe", L"", BrowserRoute::WebBrowser},
        {L"", L"C:\\Program Files\\Quillon\\RELAY.EXE", BrowserRoute::None},
        {L"", L"C:\\Program Files\\Quillon Test\\Scrivo.exe", BrowserRoute::None},
        {L"", L"C:\\Program Files\\Viewer\\viewer.exe", BrowserRoute::FileAssociation},
        {L"C:\\Q\\Scrivo.exe", L"C:\\Viewer\\viewer.exe", BrowserRoute::FileAssociation},
        {L"C:\\Q\\Scrivo.exe", L"C:\\Q\\relay.exe", BrowserRoute::None},
        {L"", L"", BrowserRoute::None},
        {L"C:\\Tools\\notrelay.exe", L"", BrowserRoute::WebBrowser},
    };
    for (const auto& c : cases) EXPECT_EQ(ChooseBrowserRoute(c.web, c.file), c.route) << static_cast<int>(c.route);
}

}  // namespace
}  // namespace quillon
