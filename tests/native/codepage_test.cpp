#include <gtest/gtest.h>

#include "codepage.h"
#include "text_lines.h"

namespace quillon {
namespace {

TEST(CodePage, EveryByteRoundTripsInEachPage) {
    for (const CodePage page : {CodePage::Ansi, CodePage::Oem, CodePage::Win1251}) {
        std::string all;
        for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
        const std::wstring text = BytesToText(all, page);
        ASSERT_EQ(text.size(), 256u);
        EXPECT_EQ(TextToBytes(text, page), all);
    }
}

TEST(CodePage, HomePagesMapCyrillic) {
    EXPECT_EQ(BytesToText("\xc0\xff\xa8\xb8", CodePage::Win1251), L"АяЁё");
    EXPECT_EQ(BytesToText("\x80\xef\xf0\xf1", CodePage::Oem), L"АяЁё");
    // An undefined byte keeps a character of its own and comes back.
    EXPECT_EQ(BytesToText("\x98", CodePage::Ansi), std::wstring(1, wchar_t{0x98}));
    EXPECT_EQ(TextToBytes(L"x\x4E2Dy", CodePage::Ansi), "x?y");
}

TEST(CodePage, DosConversionKeepsCyrillicAndAscii) {
    const std::string windows = "Hello, \xcf\xf0\xe8\xe2\xe5\xf2 \xa8\xb8!";
    // The same text in both pages: the Windows bytes read, written in the DOS page, and back.
    const std::string dos = TextToBytes(BytesToText(windows, CodePage::Ansi), CodePage::Oem);
    EXPECT_EQ(dos, "Hello, \x8f\xe0\xa8\xa2\xa5\xe2 \xf0\xf1!");
    EXPECT_EQ(TextToBytes(BytesToText(dos, CodePage::Oem), CodePage::Ansi), windows);
}

TEST(LineBreaks, NormalizeAndExpand) {
    struct Case {
        std::wstring in, normalized;
    };
    const Case cases[] = {
        {L"", L""}, {L"a\r\nb", L"a\rb"}, {L"a\nb", L"a\rb"}, {L"a\r\r\nb", L"a\r\rb"},
        {L"\n\r", L"\r\r"}, {L"\r\n\n", L"\r\r"}, {L"x\r", L"x\r"},
    };
    for (const auto& c : cases) EXPECT_EQ(NormalizeLineBreaks(c.in), c.normalized);
    EXPECT_EQ(ExpandLineBreaks("a\rb\r"), "a\r\nb\r\n");
    EXPECT_EQ(ExpandLineBreaks(""), "");
}

// Word wrap is refused only where the control's cost would run away: a long
// line, or many of them; a large page of ordinary lines always wraps.
TEST(LineBreaks, WrapAffordableBoundsTheLongLinesOnly) {
    const auto lines = [](size_t count, size_t length, const std::string& end) {
        std::string text;
        for (size_t i = 0; i < count; ++i) text += std::string(length, 'x') + end;
        return text;
    };
    const struct {
        std::string text;
        bool affordable;
    } cases[] = {
        {"", true},
        {lines(250000, 80, "\r\n"), true},       // 20 MB of ordinary lines
        {lines(100000, 256, "\n"), true},         // short lines never count
        {lines(1, 16384, ""), true},               // one line at the limit
        {lines(1, 16385, ""), false},
        {lines(1, 1 << 20, ""), false},            // a megabyte on one line
        {lines(2, 12000, "\r"), false},           // two long lines together
        {lines(4, 8000, "\r\n"), true},
        {lines(200, 2000, "\r\n"), false},       // many moderately long lines
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WrapAffordable(c.text), c.affordable) << c.text.size();
        const std::wstring wide(c.text.begin(), c.text.end());
        EXPECT_EQ(WrapAffordable(wide), c.affordable) << c.text.size();
    }
}

}  // namespace
}  // namespace quillon
