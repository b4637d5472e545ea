#include <gtest/gtest.h>

#include "text_format.h"

namespace quillon {
namespace {

TEST(FormatText, FillsTheProductsTemplates) {
    struct Case {
        std::wstring format;
        std::vector<FormatArg> args;
        std::wstring expected;
    };
    const std::vector<Case> cases = {
        {L"Не удалось сохранить файл \"%s\".", {L"C:\\a.txt"}, L"Не удалось сохранить файл \"C:\\a.txt\"."},
        {L"Ст %s\t\tКол %-8d", {L"1 000", 5}, L"Ст 1 000\t\tКол 5       "},
        {L"%d of %d", {3, 10}, L"3 of 10"},
        {L"[%5d]", {42}, L"[   42]"},
        {L"100%% %s", {L"done"}, L"100% done"},
        {L"%s and %s", {L"one"}, L"one and "},
        {L"%d", {}, L"0"},
        {L"odd %x end %", {1}, L"odd %x end %"},
        {L"%s", {L"%s%d"}, L"%s%d"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatText(c.format, c.args), c.expected) << c.format.size();
}

}  // namespace
}  // namespace quillon
