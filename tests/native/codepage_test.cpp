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
    const std::string dos = AnsiBytesToOem(windows);
    EXPECT_EQ(dos, "Hello, \x8f\xe0\xa8\xa2\xa5\xe2 \xf0\xf1!");
    EXPECT_EQ(OemBytesToAnsi(dos), windows);
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

}  // namespace
}  // namespace quillon
