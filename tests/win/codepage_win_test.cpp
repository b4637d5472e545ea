#include <windows.h>

#include <gtest/gtest.h>

#include "codepage.h"

namespace quillon {
namespace {

// The test environment runs Wine in the product's home locale.
TEST(SystemCodePage, HomePagesAreInForce) {
    EXPECT_EQ(GetACP(), 1251u);
    EXPECT_EQ(GetOEMCP(), 866u);
}

TEST(SystemCodePage, EveryByteRoundTripsThroughTheSystemsConversion) {
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    for (const CodePage page : {CodePage::Ansi, CodePage::Oem, CodePage::Win1251}) {
        const std::wstring text = BytesToText(all, page);
        ASSERT_EQ(text.size(), 256u);
        EXPECT_EQ(TextToBytes(text, page), all);
    }
    EXPECT_EQ(BytesToText("\xcf\xf0\xe8\xe2\xe5\xf2", CodePage::Ansi), L"Привет");
    EXPECT_EQ(BytesToText("\x8f\xe0\xa8\xa2\xa5\xe2", CodePage::Oem), L"Привет");
}

TEST(SystemCodePage, DosConversionOfCyrillic) {
    const std::string windows = "Hello, \xcf\xf0\xe8\xe2\xe5\xf2 \xa8\xb8!";
    // The same text in both pages: the Windows bytes read, written in the DOS page, and back.
    const std::string dos = TextToBytes(BytesToText(windows, CodePage::Ansi), CodePage::Oem);
    EXPECT_EQ(dos, "Hello, \x8f\xe0\xa8\xa2\xa5\xe2 \xf0\xf1!");
    EXPECT_EQ(TextToBytes(BytesToText(dos, CodePage::Oem), CodePage::Ansi), windows);
}

}  // namespace
}  // namespace quillon
