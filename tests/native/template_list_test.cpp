// The template list: the interfaces' slot order, the extension rule, the
// stored form and its merging with the library's directory.
#include <gtest/gtest.h>

#include <cstring>

#include "template_list.h"
#include "typed_stream.h"

namespace quillon {
namespace {

// The virtual slot a pointer to a virtual member function names (the
// Itanium ABI that GCC and Clang use on Linux and for MinGW: 1 + the byte
// offset in the table).
template <typename F>
long SlotOf(F function) {
    struct Representation {
        std::uintptr_t pointer;
        std::ptrdiff_t adjustment;
    } representation{};
    static_assert(sizeof function == sizeof representation);
    std::memcpy(&representation, &function, sizeof representation);
    if (!(representation.pointer & 1)) return -1;
    return static_cast<long>((representation.pointer - 1) / sizeof(void*));
}

TEST(TemplateList, InterfacesKeepTheirSlotOrder) {
    using I = CTemplateItemInterface;
    const long item[] = {SlotOf(&I::GetTitle),     SlotOf(&I::SetTitle),    SlotOf(&I::GetDescription),
                         SlotOf(&I::SetDescription), SlotOf(&I::GetFileName), SlotOf(&I::SetFileName),
                         SlotOf(&I::GetId),        SlotOf(&I::SetId),       SlotOf(&I::GetReserved),
                         SlotOf(&I::SetReserved),  SlotOf(&I::GetExt),      SlotOf(&I::GetVisible),
                         SlotOf(&I::SetVisible)};
    for (long slot = 0; slot < 13; ++slot) EXPECT_EQ(item[slot], slot);
    using L = CTemplateListInterface;
    const long list[] = {SlotOf(&L::Add),      SlotOf(&L::Delete), SlotOf(&L::GetCount), SlotOf(&L::GetItem),
                         SlotOf(&L::IndexOf),  SlotOf(&L::MoveUp), SlotOf(&L::MoveDown), SlotOf(&L::Move),
                         SlotOf(&L::GetDefault), SlotOf(&L::SetDefault)};
    for (long slot = 0; slot < 10; ++slot) EXPECT_EQ(list[slot], slot);
    static_assert(!std::has_virtual_destructor_v<CTemplateItemInterface>);
    static_assert(!std::has_virtual_destructor_v<CTemplateListInterface>);
}

TEST(TemplateList, FileNamesGiveTheirExtension) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\site\\Page.HTM", ".html"}, {"notes.Txt", ".txt"}, {"C:\\site\\README", ""},
        {"C:\\my.site\\README", ""},     {"a.htm.bak", ".bak"}, {"\xC4\xEE\xEA.\xD5\xCC\xCB", ".\xF5\xEC\xEB"},
        {"", ""},
    };
    for (const auto& [name, ext] : cases) {
        CTemplateItem item;
        item.SetFileName(name);
        EXPECT_STREQ(item.GetExt(), ext) << name;
        EXPECT_STREQ(item.GetFileName(), name);
    }
    CTemplateItem fresh;
    EXPECT_EQ(fresh.GetId(), -10);
    EXPECT_TRUE(fresh.GetVisible());
    EXPECT_STREQ(fresh.GetTitle(), "") << "never a null pointer";
}

std::vector<TemplateRecord> Directory() {
    std::vector<TemplateRecord> records;
    for (int i = 0; i < 13; ++i)
        records.push_back({2 * i + 1, 2 * i + 2, 10 + i, 0, "T" + std::to_string(i) + "|.x" + std::to_string(i),
                           "D" + std::to_string(i)});
    return records;
}

std::string Stored(std::int32_t defaultIndex, const std::function<void(TypedWriter&)>& entries) {
    TypedWriter writer;
    writer.Signature();
    writer.Integer(defaultIndex);
    writer.ListBegin();
    entries(writer);
    writer.ListEnd();
    return writer.Bytes();
}

TEST(TemplateList, FirstStartGivesTheBuiltInsInDirectoryOrder) {
    const auto directory = Directory();
    CTemplateList list;
    list.Read(nullptr, &directory);
    ASSERT_EQ(list.GetCount(), 13);
    EXPECT_EQ(list.Item(0)->Title, "T0");
    EXPECT_EQ(list.Item(0)->Ext, ".x0");
    EXPECT_EQ(list.Item(0)->Description, "D0");
    EXPECT_EQ(list.Item(12)->Id, 22);
    EXPECT_EQ(list.DefaultIndex, 0);
}

TEST(TemplateList, StoredEntriesMergeWithTheDirectory) {
    const auto directory = Directory();
    const std::string stored = Stored(2, [](TypedWriter& w) {
        w.Flag(true), w.Flag(true), w.Integer(13);   // built-in, visible
        w.Flag(false), w.Flag(true), w.Integer(0);   // a hidden separator
        w.Flag(true), w.Flag(true), w.Integer(99);   // an id the library no longer has
        w.Flag(false), w.Flag(true), w.Integer(10);  // built-in, hidden
        w.Flag(true), w.Flag(false), w.String("Mine"), w.String("my page"), w.String("C:\\t\\Page.HTM"), w.Integer(7);
    });
    CTemplateList list;
    list.Read(&stored, &directory);
    ASSERT_EQ(list.GetCount(), 4 + 11);
    EXPECT_EQ(list.DefaultIndex, 2);
    EXPECT_EQ(list.Item(0)->Title, "T3");
    EXPECT_EQ(list.Item(1)->Title, "-");
    EXPECT_EQ(list.Item(1)->Id, 0);
    EXPECT_FALSE(list.Item(1)->Visible);
    EXPECT_EQ(list.Item(2)->Title, "T0");
    EXPECT_FALSE(list.Item(2)->Visible);
    EXPECT_EQ(list.Item(3)->Title, "Mine");
    EXPECT_EQ(list.Item(3)->Ext, ".html");
    EXPECT_EQ(list.Item(3)->Reserved, 7);
    // The other eleven after them, in directory order.
    std::vector<std::int32_t> appended;
    for (int i = 4; i < list.GetCount(); ++i) appended.push_back(list.Item(i)->Id);
    EXPECT_EQ(appended, (std::vector<std::int32_t>{11, 12, 14, 15, 16, 17, 18, 19, 20, 21, 22}));

    // Written back: id 99 is gone, the rest reads the same.
    CTemplateList again;
    const std::string written = list.Write();
    again.Read(&written, &directory);
    ASSERT_EQ(again.GetCount(), list.GetCount());
    for (int i = 0; i < list.GetCount(); ++i) {
        EXPECT_EQ(again.Item(i)->Title, list.Item(i)->Title);
        EXPECT_EQ(again.Item(i)->Visible, list.Item(i)->Visible);
    }
    EXPECT_EQ(again.Write(), written);
}

TEST(TemplateList, WithoutTheLibraryOnlyFileTemplatesAndSeparatorsStay) {
    const std::string stored = Stored(0, [](TypedWriter& w) {
        w.Flag(true), w.Flag(true), w.Integer(13);
        w.Flag(true), w.Flag(true), w.Integer(0);
        w.Flag(true), w.Flag(false), w.String("Mine"), w.String(""), w.String("notes.Txt"), w.Integer(0);
    });
    CTemplateList list;
    list.Read(&stored, nullptr);
    ASSERT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.Item(0)->Title, "-");
    EXPECT_EQ(list.Item(1)->Ext, ".txt");
}

TEST(TemplateList, DamagedBytesKeepWhatWasReadAndStillAppendTheBuiltIns) {
    const auto directory = Directory();
    const std::string stored = Stored(0, [](TypedWriter& w) {
        w.Flag(true), w.Flag(true), w.Integer(12);
        w.Flag(true), w.Flag(false), w.String("Mine"), w.String(""), w.String("x.css"), w.Integer(0);
    });
    CTemplateList list;
    const std::string cut = stored.substr(0, stored.size() - 3);
    EXPECT_THROW(list.Read(&cut, &directory), StreamError);
    ASSERT_EQ(list.GetCount(), 13);
    EXPECT_EQ(list.Item(0)->Id, 12);
    EXPECT_EQ(list.Item(1)->Id, 10);
}

TEST(TemplateList, EditingThroughTheInterface) {
    CTemplateList list;
    CTemplateListInterface& face = list;
    for (const char* title : {"a", "b", "c", "d"}) face.Add()->SetTitle(title);
    auto titles = [&] {
        std::string all;
        for (int i = 0; i < face.GetCount(); ++i) all += face.GetItem(i)->GetTitle();
        return all;
    };
    face.MoveUp(1);
    EXPECT_EQ(titles(), "bacd");
    face.MoveDown(2);
    EXPECT_EQ(titles(), "badc");
    face.Move(0, 3);
    EXPECT_EQ(titles(), "adcb");
    face.MoveUp(0);
    face.MoveDown(3);
    face.Move(0, 9);
    EXPECT_EQ(titles(), "adcb") << "moves past the ends do nothing";
    EXPECT_EQ(face.IndexOf(face.GetItem(2)), 2);
    CTemplateItem stranger;
    EXPECT_EQ(face.IndexOf(&stranger), -1);
    face.Delete(1);
    face.Delete(7);
    EXPECT_EQ(titles(), "acb");
    EXPECT_EQ(face.GetItem(5), nullptr);
    face.SetDefault(-1);
    EXPECT_EQ(face.GetDefault(), -1);
}

// The menus' rows from the list: a separator added in the list editor (id 0,
// no title) is a separator line at once, like a stored one ("-"); unticked
// entries and separators at either end or side by side leave no row.
TEST(TemplateList, MenuRowsShowSeparatorsOnlyBetweenEntries) {
    const auto rows = [](const std::string& spec) {
        // One letter an entry: a-z a ticked file template, A-Z an unticked
        // one, '|' the editor's separator, '-' a stored one.
        CTemplateList list;
        CTemplateListInterface& face = list;
        for (const char c : spec) {
            CTemplateItemInterface* item = face.Add();
            if (c == '|') {
                item->SetId(0);
                item->SetTitle("");
            } else {
                item->SetTitle(c == '-' ? "-" : std::string(1, c).c_str());
            }
            item->SetVisible(!(c >= 'A' && c <= 'Z'));
        }
        std::string shown;
        for (const std::int32_t row : TemplateMenuRows(list))
            shown += row == kTemplateMenuSeparator ? '|' : list.Item(row)->Title[0];
        return shown;
    };
    const struct {
        std::string spec, shown;
    } cases[] = {
        {"a|b", "a|b"},     {"a-b", "a|b"},     {"|ab|", "ab"},   {"a||-b", "a|b"},
        {"a|B|c", "a|c"},   {"a|B", "a"},       {"|", ""},        {"", ""},
        {"ab-", "ab"},      {"-a-b-c-", "a|b|c"},
    };
    for (const auto& c : cases) EXPECT_EQ(rows(c.spec), c.shown) << c.spec;
}

TEST(TemplateList, DirectoryNeedsEveryRecordItCounts) {
    std::string bytes = {2, 0, 0, 0};
    for (int i = 0; i < 8; ++i) bytes += std::string{static_cast<char>(i), 0, 0, 0};
    const auto records = ParseTemplateDirectory(bytes);
    ASSERT_TRUE(records);
    ASSERT_EQ(records->size(), 2u);
    EXPECT_EQ((*records)[1].textId, 6);
    EXPECT_FALSE(ParseTemplateDirectory(bytes.substr(0, bytes.size() - 1)));
    EXPECT_FALSE(ParseTemplateDirectory(std::string("\xFF\xFF\xFF\xFF", 4)));
    EXPECT_FALSE(ParseTemplateDirectory(""));
    EXPECT_TRUE(ParseTemplateDirectory(std::string(4, '\0'))->empty());
}

}  // namespace
}  // namespace quillon
