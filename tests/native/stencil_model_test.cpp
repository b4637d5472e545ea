// The template list editor's bookkeeping: the default-template combo box's
// positions as templates are shown, hidden, deleted and exchanged, and the
// row order of each sort column.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "stencil_model.h"
#include "template_list.h"

namespace quillon {
namespace {

// A list of n templates; ids < 0 file templates, 0 separators, > 0 built-ins.
CTemplateList ListOf(const std::vector<std::pair<int, bool>>& entries) {
    CTemplateList list;
    for (const auto& [id, visible] : entries) {
        CTemplateItemInterface* item = list.Add();
        item->SetId(id);
        item->SetVisible(visible);
    }
    return list;
}

std::vector<int> Positions(const ComboPositions& combo) {
    std::vector<int> out;
    for (int i = 0; i < combo.Count(); ++i) out.push_back(combo.Of(i));
    return out;
}

TEST(ComboPositions, FollowTheVisibleNonSeparatorsInListOrder) {
    CTemplateList list = ListOf({{10, true}, {0, true}, {-10, false}, {11, true}, {-10, true}});
    ComboPositions combo;
    combo.Fill(list);
    EXPECT_EQ(Positions(combo), (std::vector<int>{0, -1, -1, 1, 2}));

    EXPECT_EQ(combo.Show(2), 1) << "just after the nearest preceding entry";
    EXPECT_EQ(Positions(combo), (std::vector<int>{0, -1, 1, 2, 3}));
    EXPECT_EQ(combo.Show(2), -1) << "already listed";
    EXPECT_EQ(combo.Hide(0), 0);
    EXPECT_EQ(Positions(combo), (std::vector<int>{-1, -1, 0, 1, 2}));
    EXPECT_EQ(combo.Show(0), 0) << "no entry before it: at the top";
    EXPECT_EQ(combo.Hide(1), -1) << "a separator has none";

    EXPECT_EQ(combo.Remove(2), 1);
    EXPECT_EQ(Positions(combo), (std::vector<int>{0, -1, 1, 2}));
    EXPECT_EQ(combo.Remove(1), -1);
    EXPECT_EQ(Positions(combo), (std::vector<int>{0, 1, 2}));
    combo.Append();
    EXPECT_EQ(Positions(combo), (std::vector<int>{0, 1, 2, -1}));
    EXPECT_EQ(combo.Show(3), 3);
    EXPECT_EQ(combo.Remove(7), -1) << "an index past the list changes nothing";
    EXPECT_EQ(combo.Count(), 4);
}

TEST(ComboPositions, ExchangeKeepsPositionsWhenBothAreListed) {
    CTemplateList list = ListOf({{10, true}, {11, true}, {-10, false}, {12, true}});
    ComboPositions combo;
    combo.Fill(list);
    combo.Exchange(0);
    EXPECT_EQ(Positions(combo), (std::vector<int>{0, 1, -1, 2})) << "the entries follow list order";
    combo.Exchange(1);
    EXPECT_EQ(Positions(combo), (std::vector<int>{0, -1, 1, 2})) << "one listed: the records swap";
    combo.Exchange(3);
    EXPECT_EQ(Positions(combo), (std::vector<int>{0, -1, 1, 2})) << "no pair past the end";
}

TEST(CompareRows, RowsWithoutTextFirstAndDescendingReversesEverything) {
    CTemplateList list;
    const auto add = [&](int id, const char* title, const char* file) {
        CTemplateItemInterface* item = list.Add();
        item->SetId(id);
        item->SetTitle(title);
        if (*file) item->SetFileName(file);
    };
    add(10, "b", "");
    add(0, "", "");
    add(-10, "a", "C:\\x.css");
    add(-10, "", "C:\\y.html");
    const auto byText = [](const std::string& a, const std::string& b) { return a.compare(b) < 0 ? -1 : a == b ? 0 : 1; };
    const auto order = [&](TemplateColumn column, bool ascending) {
        std::vector<int> indexes{0, 1, 2, 3};
        std::stable_sort(indexes.begin(), indexes.end(), [&](int a, int b) {
            return CompareRows(RowKeyOf(*list.GetItem(a), a, column), RowKeyOf(*list.GetItem(b), b, column), column,
                               ascending, byText) < 0;
        });
        return indexes;
    };
    struct Case {
        TemplateColumn column;
        bool ascending;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {TemplateColumn::Title, true, {1, 3, 2, 0}},         // the separator and the empty title first
        {TemplateColumn::Title, false, {0, 2, 1, 3}},
        {TemplateColumn::Path, true, {0, 1, 2, 3}},          // a built-in and a separator have no path
        {TemplateColumn::Ext, true, {0, 1, 2, 3}},           // ".css" < ".html"; the two without
        {TemplateColumn::Number, false, {3, 2, 1, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(order(c.column, c.ascending), c.expected) << static_cast<int>(c.column) << " " << c.ascending;
}

TEST(StencilCommands, FollowTheSelectedEntry) {
    CTemplateList list = ListOf({{10, true}, {0, true}, {-10, true}});
    struct Case {
        int index;
        bool remove, edit, up, down;
    };
    for (const Case& c : {Case{-1, false, false, false, false}, Case{0, false, false, false, true},
                          Case{1, true, false, true, true}, Case{2, true, true, true, false},
                          Case{3, false, false, false, false}}) {
        const TemplateCommandStates s = CommandStatesFor(list, c.index);
        EXPECT_EQ(s.remove, c.remove) << c.index;
        EXPECT_EQ(s.edit, c.edit) << c.index;
        EXPECT_EQ(s.up, c.up) << c.index;
        EXPECT_EQ(s.down, c.down) << c.index;
    }
}

TEST(ColumnLayout, StoredValuesAreTakenOnlyWhereTheyMakeSense) {
    const ColumnLayout none = LayoutFromStored({});
    EXPECT_EQ(none.sortColumn, 4);
    EXPECT_TRUE(none.ascending);
    EXPECT_EQ(std::vector<int>(none.order, none.order + 5), (std::vector<int>{1, 2, 3, 4, 0})) << "the number first";

    StoredLayout stored;
    stored.sort = 0;
    stored.ascending = 0;
    for (int c = 0; c < 5; ++c) stored.order[c] = 4 - c;
    stored.width[2] = 77;
    stored.width[3] = -5;
    const ColumnLayout taken = LayoutFromStored(stored);
    EXPECT_EQ(taken.sortColumn, 0);
    EXPECT_FALSE(taken.ascending);
    EXPECT_EQ(std::vector<int>(taken.order, taken.order + 5), (std::vector<int>{4, 3, 2, 1, 0}));
    EXPECT_EQ(taken.width[2], 77);
    EXPECT_EQ(taken.width[3], 100) << "a negative width keeps the default";

    stored.sort = 9;
    stored.order[0] = 3;  // two columns at position 3
    const ColumnLayout refused = LayoutFromStored(stored);
    EXPECT_EQ(refused.sortColumn, 4);
    EXPECT_EQ(std::vector<int>(refused.order, refused.order + 5), (std::vector<int>{1, 2, 3, 4, 0}));
}

}  // namespace
}  // namespace quillon
