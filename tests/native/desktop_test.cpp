#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "desktop_stream.h"
#include "prompts.h"
#include "registry.h"
#include "storage.h"

namespace quillon {
namespace {

DesktopRecord Record(const std::string& name, int order) {
    DesktopRecord r;
    r.fileName = name;
    r.left = 10;
    r.top = 20;
    r.width = 300;
    r.height = 200;
    r.state = 1;
    r.order = order;
    r.readOnly = true;
    r.caret = 1234;
    r.wordWrap = false;
    r.coding = 1;
    return r;
}

TEST(DesktopStream, RecordsAreTheNameAndTenIntegersAndTheStreamEndsWithZero) {
    std::string stream;
    AppendDesktopRecord(stream, Record("C:\\a.html", 2));
    EndDesktop(stream);
    ASSERT_EQ(stream.size(), 4 + 10 + 40 + 4u) << "nameLength + 44 bytes, then the end";
    EXPECT_EQ(stream.substr(0, 4), std::string("\x0A\0\0\0", 4));
    EXPECT_EQ(stream.substr(4, 10), std::string("C:\\a.html\0", 10));
    EXPECT_EQ(stream.substr(stream.size() - 4), std::string(4, '\0'));
    const auto records = ParseDesktop(stream);
    ASSERT_EQ(records.size(), 1u);
    const DesktopRecord& r = records[0];
    EXPECT_EQ(r.fileName, "C:\\a.html");
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.height, 200);
    EXPECT_EQ(r.state, 1);
    EXPECT_EQ(r.order, 2);
    EXPECT_TRUE(r.readOnly);
    EXPECT_EQ(r.caret, 1234);
    EXPECT_FALSE(r.wordWrap);
    EXPECT_EQ(r.coding, 1);
    // A UTF document's coding travels in the same field, the layout unchanged.
    std::string utf;
    DesktopRecord record = Record("C:\\u.html", 1);
    record.coding = 3;
    AppendDesktopRecord(utf, record);
    EndDesktop(utf);
    EXPECT_EQ(utf.size(), 4 + 10 + 40 + 4u);
    EXPECT_EQ(ParseDesktop(utf).at(0).coding, 3);

    std::string empty;
    EndDesktop(empty);
    EXPECT_EQ(empty, std::string(4, '\0'));
    EXPECT_TRUE(ParseDesktop(empty).empty());
}

TEST(DesktopStream, ABrokenStreamKeepsTheWholeRecordsBeforeTheBreak) {
    std::string two;
    AppendDesktopRecord(two, Record("one", 1));
    AppendDesktopRecord(two, Record("two", -2));
    std::string ended = two;
    EndDesktop(ended);
    std::string stateBits = ended;
    stateBits[4 + 4 + 16] = '\x02';
    stateBits[4 + 4 + 17] = '\x7F';  // the state's upper bytes carry no meaning
    const struct {
        const char* name;
        std::string bytes;
        size_t kept;
    } cases[] = {
        {"whole", ended, 2},
        {"without its end", two, 2},
        {"cut inside the second", two.substr(0, two.size() - 5), 1},
        {"cut inside a length", two.substr(0, two.size() - 48 + 2), 1},  // the second record is 48 bytes
        {"a negative length", std::string("\xFF\xFF\xFF\xFF", 4) + ended, 0},
        {"a length past the end", std::string("\xFF\xFF\xFF\x7F", 4) + ended, 0},
        {"nothing", "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ParseDesktop(c.bytes).size(), c.kept);
    }
    EXPECT_EQ(ParseDesktop(stateBits)[0].state, 2);
}

TEST(DesktopStream, RecordsReopenByTheirWindowNumber) {
    const auto order = RestoreOrder({Record("c", 3), Record("a", 1), Record("b", -2)});
    ASSERT_EQ(order.size(), 3u);
    EXPECT_EQ(order[0].fileName, "a");
    EXPECT_EQ(order[1].fileName, "b");
    EXPECT_EQ(order[2].fileName, "c");
}

TEST(DesktopStream, StoredAsTheDesktopValueAndAFailedStoreSaysSo) {
    MemoryRegistry registry;
    EXPECT_FALSE(storage::LoadDesktop(registry));
    std::string stream;
    EndDesktop(stream);
    ASSERT_TRUE(storage::SaveDesktop(registry, stream));
    EXPECT_EQ(storage::LoadDesktop(registry), stream);
    registry.SetWritesFail(true);
    ScriptedPrompts script;
    EXPECT_FALSE(storage::SaveDesktop(registry, stream));
    EXPECT_EQ(script.SeenIds(), std::vector<int>{122});
}

}  // namespace
}  // namespace quillon
