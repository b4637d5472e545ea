#include <gtest/gtest.h>

#include "filebox_rules.h"

namespace quillon::filebox {
namespace {

ExtensionTable ProductTable() {
    return {SplitList("html|htm|xml|xsl|hta|"), SplitList("html|htm|htt|xsl|hta|"),
            SplitList("js|htc|css|pl|cpp|pas|rc|h|rh|htt|java|"),
            SplitList("html|htm|xml|xsl|hta|htc|css|js|txt|cpp|pl|pas|rc|h|rh|htt|java|")};
}

TEST(FileboxRules, EveryKindOfName) {
    struct Case {
        const char* name;
        bool tag, browsable, wrap;
        int filter;
    };
    const Case cases[] = {
        {"C:\\site\\index.html", true, true, true, 1},
        {"C:\\SITE\\INDEX.HTM", true, true, true, 1},
        {"a.xml", false, true, true, 2},
        {"a.xsl", true, true, true, 3},
        {"a.hta", true, true, true, 4},
        {"a.htc", false, false, false, 5},
        {"style.css", false, false, false, 6},
        {"a.js", false, false, false, 7},
        {"a.txt", false, false, true, 8},
        {"a.cpp", false, false, false, 9},
        {"a.pl", false, false, false, 10},
        {"a.pas", false, false, false, 11},
        {"a.rc", false, false, false, 12},
        {"a.h", false, false, false, 13},
        {"a.rh", false, false, false, 14},
        {"page.htt", true, false, false, 15},
        {"Main.JAVA", false, false, false, 16},
        // Extensions only inside a multi-pattern filter are not in the list.
        {"a.c", false, false, true, -1},
        {"a.hpp", false, false, true, -1},
        {"a.unknown", false, false, true, -1},
        // No extension: a dot only in the folder part, none at all, an empty name.
        {"C:\\old.files\\readme", true, false, true, -1},
        {"Makefile", true, false, true, -1},
        {"", true, false, true, -1},
        // A final dot gives an empty extension, which no list holds.
        {"name.", false, false, true, -1},
        {"a.b.html", true, true, true, 1},
    };
    const ExtensionTable table = ProductTable();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const FileKind kind = FileParamsFor(c.name, table);
        EXPECT_EQ(kind.tagCommands, c.tag);
        EXPECT_EQ(kind.browsable, c.browsable);
        EXPECT_EQ(DefWordWrapFor(c.name, table), c.wrap);
        EXPECT_EQ(DefaultFilterFor(c.name, table), c.filter);
    }
}

TEST(FileboxRules, SplitListKeepsTheLibrarysLimits) {
    EXPECT_EQ(SplitList("a|b|"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(SplitList("a||b|"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(SplitList("a|b"), (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(SplitList("").empty());
    std::string many;
    for (int i = 0; i < 80; ++i) many += "x|";
    EXPECT_EQ(SplitList(many).size(), kMaxListEntries);
    const std::string longList = std::string(2000, 'y') + "|";
    EXPECT_EQ(SplitList(longList).front().size(), kListBufferChars - 1);
}

std::string Raw(std::initializer_list<std::string> parts) {
    std::string buffer;
    for (const auto& part : parts) buffer += part + std::string(1, '\0');
    buffer += '\0';
    return buffer;
}

TEST(FileboxRules, OpenFilesListFromWhatTheDialogLeft) {
    struct Case {
        std::string buffer;
        std::string list, folder;
    };
    const Case cases[] = {
        {Raw({"C:\\x\\a.txt"}), "C:\\x\\a.txt", "C:\\x"},
        {Raw({"C:\\", "a.txt", "b.txt"}), "C:\\a.txt\rC:\\b.txt\r", "C:\\"},
        {Raw({"C:\\site", "index.html", "b.css"}), "C:\\site\\index.html\rC:\\site\\b.css\r", "C:\\site"},
        // Names the dialog already gave as absolute stay as they are.
        {Raw({"C:\\site", "D:\\other\\x.txt", "\\\\server\\share\\y.txt", "z.txt"}),
         "D:\\other\\x.txt\r\\\\server\\share\\y.txt\rC:\\site\\z.txt\r", "C:\\site"},
        {Raw({"a.txt"}), "a.txt", ""},
        {Raw({}), "", ""},
    };
    for (const auto& c : cases) {
        const OpenFilesList result = BuildOpenFilesList(c.buffer, 10240, 260);
        EXPECT_EQ(result.list, c.list);
        EXPECT_EQ(result.folder, c.folder);
        EXPECT_TRUE(result.folderFits);
        EXPECT_EQ(result.dropped, 0u);
    }
}

TEST(FileboxRules, OpenFilesListNeverOutgrowsItsBuffers) {
    // "C:\dir\a.txt\r" is 13 characters; with the NUL, two names need 27 bytes.
    const std::string buffer = Raw({"C:\\dir", "a.txt", "b.txt", "c.txt"});
    const OpenFilesList cut = BuildOpenFilesList(buffer, 27, 260);
    EXPECT_EQ(cut.list, "C:\\dir\\a.txt\rC:\\dir\\b.txt\r");
    EXPECT_EQ(cut.dropped, 1u);
    EXPECT_EQ(BuildOpenFilesList(buffer, 26, 260).list, "C:\\dir\\a.txt\r");
    EXPECT_EQ(BuildOpenFilesList(buffer, 5, 260).list, "");

    const std::string deep = "C:\\" + std::string(300, 'd');
    const OpenFilesList longFolder = BuildOpenFilesList(Raw({deep, "a.txt", "b.txt"}), 10240, 260);
    EXPECT_FALSE(longFolder.folderFits);
    EXPECT_EQ(longFolder.list, deep + "\\a.txt\r" + deep + "\\b.txt\r");
    // Exactly 259 characters and the NUL fit.
    EXPECT_TRUE(BuildOpenFilesList(Raw({std::string(259, 'f'), "a", "b"}), 10240, 260).folderFits);
    EXPECT_FALSE(BuildOpenFilesList(Raw({std::string(260, 'f'), "a", "b"}), 10240, 260).folderFits);
}

}  // namespace
}  // namespace quillon::filebox
