// The cool bar's data: the button table against the menu's command numbers,
// band records, and which buttons a chevron menu offers.
#include <gtest/gtest.h>

#include <set>

#include "toolbar_model.h"

namespace quillon {
namespace {

TEST(ToolbarModel, ButtonTableHasTheBandsOrderPicturesAndUniqueNames) {
    const std::pair<Toolbar, size_t> counts[] = {{Toolbar::File, 10}, {Toolbar::Edit, 8}, {Toolbar::Format, 10},
                                                 {Toolbar::Window, 20}, {Toolbar::Find, 4}};
    for (const auto& [toolbar, count] : counts) EXPECT_EQ(ButtonsOf(toolbar).size(), count);
    std::set<std::wstring_view> names;
    for (const auto& row : ToolButtonRows()) {
        if (row.style == ButtonStyle::Separator) continue;
        EXPECT_TRUE(names.insert(row.name).second) << "twice: " << std::string(row.name.begin(), row.name.end());
        EXPECT_GE(row.picture, 0);
    }
    // The window toolbar's ten window buttons follow its ten command controls.
    const auto window = ButtonsOf(Toolbar::Window);
    for (size_t i = 10; i < 20; ++i) {
        EXPECT_EQ(window[i]->style, ButtonStyle::Check);
        EXPECT_EQ(window[i]->tag, static_cast<int>(i) - 10);
        EXPECT_EQ(window[i]->picture, static_cast<int>(i) - 3);
    }
    EXPECT_EQ(FindButton(L"PrintBtn")->flags & kStartsHidden, kStartsHidden);
    EXPECT_EQ(FindButton(L"NewBtn")->style, ButtonStyle::DropDown);
    EXPECT_EQ(FindButton(L"LoadTemplateBtn")->action, ButtonAction::Template);
    EXPECT_EQ(ShortHint(FindButton(L"CopyBtn")->hint), L"Копировать");
    EXPECT_EQ(LongHint(FindButton(L"CopyBtn")->hint), L"Помещение выделенного текста в буфер обмена");
    EXPECT_EQ(FindButton(L""), nullptr);
    EXPECT_EQ(FindButton(L"CopyItem"), nullptr);
}

TEST(ToolbarModel, BandRecordsRoundTripAndBadOnesAreSkipped) {
    const BandRecord record{3, 477, true, false};
    const auto bytes = EncodeBandRecord(record);
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{3, 0, 0, 0, 0xDD, 1, 0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(DecodeBandRecord(bytes), record);

    auto spare = bytes;
    spare[10] = 0x7F;
    spare[11] = 0xFF;
    EXPECT_EQ(DecodeBandRecord(spare), record) << "the two spare bytes mean nothing";
    auto flags = bytes;
    flags[8] = 2;
    flags[9] = 0xFF;
    EXPECT_EQ(DecodeBandRecord(flags), (BandRecord{3, 477, true, true})) << "any nonzero flag byte is on";

    const std::vector<std::vector<std::uint8_t>> bad = {
        {},
        std::vector<std::uint8_t>(bytes.begin(), bytes.end() - 1),  // short
        [&] { auto b = bytes; b.push_back(0); return b; }(),         // long
        {5, 0, 0, 0, 10, 0, 0, 0, 0, 1, 0, 0},                       // position past the five bands
        {0xFF, 0xFF, 0xFF, 0xFF, 10, 0, 0, 0, 0, 1, 0, 0},           // negative position
        {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 1, 0, 0},            // negative width
    };
    for (size_t i = 0; i < bad.size(); ++i) EXPECT_FALSE(DecodeBandRecord(bad[i])) << "case " << i;
}

TEST(ToolbarModel, FirstHiddenButtonIsTheFirstNotWhollyInsideTheBand) {
    const Box band{100, 10, 200, 33};
    const std::vector<Box> buttons = {{102, 10, 125, 33}, {125, 10, 148, 33}, {148, 10, 156, 33},
                                      {156, 10, 179, 33}, {179, 10, 202, 33}, {202, 10, 225, 33}};
    EXPECT_EQ(FirstHiddenButton(band, buttons), 4u) << "one pixel out is hidden";
    EXPECT_EQ(FirstHiddenButton({100, 10, 300, 33}, buttons), buttons.size());
    EXPECT_EQ(FirstHiddenButton({130, 10, 300, 33}, buttons), 0u) << "cut on the left";
    EXPECT_EQ(FirstHiddenButton(band, {}), 0u);
}

// The Edit toolbar cut after Cut: Copy, Paste, separator, Delete.
TEST(ToolbarModel, ChevronMenuListsHiddenButtonsWithSeparatorsButNoneAtTheTop) {
    std::vector<ChevronButton> edit;
    for (const ToolButtonRow* row : ButtonsOf(Toolbar::Edit))
        edit.push_back({row->style, std::wstring(ShortHint(row->hint)), row->picture, false, true, false});
    edit[4].enabled = false;  // Copy without a selection
    const auto items = ChevronItems(1, edit, 4);
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].caption, L"Копировать");
    EXPECT_FALSE(items[0].enabled);
    EXPECT_EQ(items[0].id, kChevronFirstId + 4);
    EXPECT_EQ(items[0].picture, 65536u + 2);
    EXPECT_EQ(items[1].caption, L"Вставить");
    EXPECT_TRUE(items[2].separator);
    EXPECT_EQ(items[3].caption, L"Удалить");
    EXPECT_EQ(items[3].picture, 65536u + 5);

    // From the separator on: it is dropped at the top.
    const auto fromSeparator = ChevronItems(1, edit, 2);
    ASSERT_FALSE(fromSeparator.empty());
    EXPECT_EQ(fromSeparator[0].caption, L"Вырезать");

    // File from the start: the drop-downs carry submenus, the hidden print
    // button and its separator are skipped, a pressed button is checked.
    std::vector<ChevronButton> file;
    for (const ToolButtonRow* row : ButtonsOf(Toolbar::File))
        file.push_back({row->style, std::wstring(ShortHint(row->hint)), row->picture,
                        (row->flags & kStartsHidden) != 0, true, false});
    file[3].pressed = true;
    const auto fileItems = ChevronItems(0, file, 0);
    std::vector<std::wstring> captions;
    for (const auto& item : fileItems) captions.push_back(item.separator ? L"-" : item.caption);
    EXPECT_EQ(captions, (std::vector<std::wstring>{L"Создать", L"Загрузить шаблон", L"-", L"Открыть", L"Сохранить",
                                                   L"Сохранить все", L"-", L"Просмотр"}));
    EXPECT_TRUE(fileItems[0].dropDown);
    EXPECT_TRUE(fileItems[3].checked);
    EXPECT_TRUE(ChevronItems(0, file, file.size()).empty());
}

}  // namespace
}  // namespace quillon
