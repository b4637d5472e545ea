// Codings of files: detection, decoding, encoding, and what the stored numbers mean.
#include <gtest/gtest.h>

#include <string>

#include "codepage.h"
#include "text_coding.h"

namespace quillon {
namespace {

const char* Name(TextCoding coding) {
    switch (coding) {
    case TextCoding::Windows: return "Windows";
    case TextCoding::Dos: return "DOS";
    case TextCoding::Utf8: return "UTF-8";
    case TextCoding::Utf8Bom: return "UTF-8 with mark";
    case TextCoding::Utf16: return "UTF-16";
    }
    return "?";
}

TEST(TextCoding, DetectionByMarkDeclarationAndContent) {
    using C = TextCoding;
    const std::string padding(1900, ' ');
    struct Case {
        std::string bytes;
        TextCoding coding;
        const char* what;
    } cases[] = {
        {"", C::Windows, "an empty file"},
        {"plain ASCII <b>text</b>\r\n", C::Windows, "pure ASCII"},
        {"\xEF\xBB\xBFplain", C::Utf8Bom, "UTF-8 mark"},
        {"\xEF\xBB\xBF", C::Utf8Bom, "UTF-8 mark alone"},
        {"\xEF\xBB\xBF\xcf\xf0\xe8", C::Windows, "UTF-8 mark before Windows-1251 bytes"},
        {std::string("\xFF\xFE" "a\0b\0", 6), C::Utf16, "UTF-16 mark"},
        {std::string("\xFF\xFE" "a\0b", 5), C::Windows, "UTF-16 mark, odd length"},
        {std::string("\xFE\xFF\0a", 4), C::Windows, "big-endian mark is not ours"},
        {"\xd0\x9f\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82", C::Utf8, "valid multi-byte UTF-8"},
        {"a \xe2\x9c\x93 b \xf0\x9f\x98\x80", C::Utf8, "three- and four-byte sequences"},
        {"\xcf\xf0\xe8\xe2\xe5\xf2", C::Windows, "Windows-1251 Cyrillic"},
        {"\xd0\x9f\xd1", C::Windows, "UTF-8 cut at the end"},
        {"\xc0\xaf", C::Windows, "overlong two-byte form"},
        {"\xe0\x80\xaf", C::Windows, "overlong three-byte form"},
        {"\xed\xa0\x80", C::Windows, "encoded surrogate"},
        {"\xf4\x90\x80\x80", C::Windows, "past U+10FFFF"},
        {"\xd0\x9f \xcf\xf0", C::Windows, "partly valid UTF-8"},
        {"\x80", C::Windows, "lone continuation byte"},
        {"<meta charset=\"utf-8\">", C::Utf8, "meta charset, double quote"},
        {"<META CHARSET='UTF-8'>", C::Utf8, "meta charset, capitals, single quote"},
        {"<meta charset=utf-8>", C::Utf8, "meta charset, bare"},
        {"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">\xd0\x9f\xd1\x80", C::Windows,
         "http-equiv names Windows over UTF-8 bytes"},
        {"<meta http-equiv='content-type' content='text/html;charset=UTF-8'>", C::Utf8, "http-equiv UTF-8"},
        {"<meta content=\"text/html; charset=cp866\" http-equiv=\"Content-Type\">", C::Dos, "content first, cp866"},
        {"<?xml version=\"1.0\" encoding=\"ibm866\"?><a/>", C::Dos, "XML declaration, ibm866"},
        {"  <?xml version='1.0' encoding='UTF-8'?>", C::Utf8, "XML declaration after spaces, single quote"},
        {"@charset \"utf-8\";\nbody {}", C::Utf8, "style sheet rule"},
        {"@charset 'CP1251'; body {}", C::Windows, "style sheet rule, single quote, cp1251"},
        {"body {} @charset \"utf-8\";\xcf", C::Windows, "style sheet rule not at the start"},
        {"<meta charset=\"utf-8\">\xcf\xf0\xe8", C::Windows, "UTF-8 declared over broken bytes"},
        {"<meta charset=\"koi8-r\">\xd0\x9f\xd1\x80", C::Utf8, "a coding of no concern: the content decides"},
        {padding + "<meta charset=\"cp866\">", C::Dos, "declaration near the end of the 2 KB"},
        {padding + padding + "<meta charset=\"cp866\">", C::Windows, "declaration past 2 KB"},
        {std::string(2040, ' ') + "<meta charset=\"cp866\">", C::Windows, "declaration cut by the 2 KB"},
        {"\xEF\xBB\xBF<meta charset=\"windows-1251\">", C::Utf8Bom, "the mark wins over a declaration"},
    };
    for (const Case& c : cases) EXPECT_STREQ(Name(DetectCoding(c.bytes)), Name(c.coding)) << c.what;
}

// Bytes a text editor reads and writes back, normalizing its line breaks to CR
// the way the editor control does.
std::wstring AsEditorHoldsIt(const std::wstring& text) {
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\n') {
            if (i == 0 || text[i - 1] != L'\r') out.push_back(L'\r');
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

TEST(TextCoding, DecodingTellsFourByteSequencesAndBrokenBytes) {
    EXPECT_EQ(DecodeText("\xf0\x9f\x98\x80!", TextCoding::Utf8), std::wstring(L"\xD83D\xDE00!"));
    EXPECT_EQ(DecodeText("\xd0\x9f\xd1", TextCoding::Utf8), std::nullopt);
    EXPECT_EQ(DecodeText("abc", TextCoding::Utf16), std::nullopt) << "no mark";
    EXPECT_EQ(DecodeText("\xFF\xFE\x3d\xd8", TextCoding::Utf16), std::wstring(L"\xD83D")) << "a lone surrogate is kept";
    // Partly valid UTF-8 opens as Windows text, byte for byte.
    const std::string partly = "\xd0\x9f \xcf\xf0\r\n";
    const DecodedFile file = DecodeFile(partly);
    EXPECT_EQ(file.coding, TextCoding::Windows);
    EXPECT_EQ(EncodeText(AsEditorHoldsIt(file.text), file.coding), partly);
}

TEST(TextCoding, FilesComeBackByteForByteAfterAnEdit) {
    struct Case {
        std::string bytes;
        std::string edited;  // after "X" was put in front of the text
        TextCoding coding;
    } cases[] = {
        {"\xd0\x9f\xd1\x80\xd0\xb8\r\n\xe2\x9c\x93\r\n", "X\xd0\x9f\xd1\x80\xd0\xb8\r\n\xe2\x9c\x93\r\n", TextCoding::Utf8},
        {"\xEF\xBB\xBF\xd0\x9f\n\xf0\x9f\x98\x80\n", "\xEF\xBB\xBFX\xd0\x9f\n\xf0\x9f\x98\x80\n", TextCoding::Utf8Bom},
        {"<p>\xd0\x9f</p>\n<p>\xd1\x80</p>", "X<p>\xd0\x9f</p>\n<p>\xd1\x80</p>", TextCoding::Utf8},
        {std::string("\xFF\xFE\x1f\x04\r\0\n\0\x3d\xd8\x00\xde", 12), std::string("\xFF\xFEX\0\x1f\x04\r\0\n\0\x3d\xd8\x00\xde", 14),
         TextCoding::Utf16},
        {"\xcf\xf0\xe8\r\n\x98\r\n", "X\xcf\xf0\xe8\r\n\x98\r\n", TextCoding::Windows},
        {"<meta charset=cp866>\x8f\xe0\xb0\xc9\r\n", "X<meta charset=cp866>\x8f\xe0\xb0\xc9\r\n", TextCoding::Dos},
    };
    for (const Case& c : cases) {
        const DecodedFile file = DecodeFile(c.bytes);
        EXPECT_STREQ(Name(file.coding), Name(c.coding)) << c.bytes;
        const std::wstring held = AsEditorHoldsIt(file.text);
        EXPECT_EQ(EncodeText(held, file.coding, file.lineBreak), c.bytes) << "unchanged";
        EXPECT_EQ(EncodeText(L"X" + held, file.coding, file.lineBreak), c.edited) << "edited";
    }
    // Mixed line breaks in a UTF file are written as CR LF, as the editor always did.
    EXPECT_EQ(DecodeFile("\xd0\x9f\na\r\nb").lineBreak, LineBreak::CrLf);
    EXPECT_EQ(DecodeFile("\xd0\x9f\ra\rb").lineBreak, LineBreak::Cr);
    EXPECT_EQ(DecodeFile("\xcf\na\nb").lineBreak, LineBreak::CrLf) << "single-byte files keep CR LF";
}

TEST(TextCoding, StoredCodingsWinWhereTheyApply) {
    using C = TextCoding;
    // DOS from an entry reads the bytes as DOS text whatever they look like.
    EXPECT_EQ(DecodeFile("\x8f\xe0", C::Dos).text, L"Пр");
    EXPECT_EQ(DecodeFile("\x8f\xe0", C::Dos).coding, C::Dos);
    // UTF-8 stays UTF-8 for ASCII and over another declaration; not for broken bytes.
    EXPECT_EQ(DecodeFile("plain", C::Utf8).coding, C::Utf8);
    EXPECT_EQ(DecodeFile("<meta charset=cp1251>\xd0\x9f", C::Utf8).coding, C::Utf8);
    EXPECT_EQ(DecodeFile("\xcf\xf0", C::Utf8).coding, C::Windows);
    EXPECT_EQ(DecodeFile("plain", C::Utf8Bom).coding, C::Utf8) << "the mark is gone from the file";
    EXPECT_EQ(DecodeFile("plain", C::Utf16).coding, C::Windows) << "no UTF-16 without its mark";
    EXPECT_EQ(DecodeFile("\xd0\x9f", C::Windows).coding, C::Utf8) << "0 is what every old entry says: detect";
    // The stored numbers: 0 and 1 as the flag always was, any other unknown one DOS.
    for (const C coding : {C::Windows, C::Dos, C::Utf8, C::Utf8Bom, C::Utf16})
        EXPECT_EQ(CodingFromStored(StoredCoding(coding)), coding);
    EXPECT_EQ(StoredCoding(C::Windows), 0u);
    EXPECT_EQ(StoredCoding(C::Dos), 1u);
    EXPECT_EQ(CodingFromStored(7), C::Dos);
    EXPECT_EQ(CodingFromStored(0xFFFFFFFF), C::Dos);
}

TEST(TextCoding, WhatEachCodingHolds) {
    EXPECT_TRUE(CodingHolds(L"Привет, мир! Ёё №", TextCoding::Windows));
    EXPECT_FALSE(CodingHolds(L"галочка ✓", TextCoding::Windows));
    EXPECT_FALSE(CodingHolds(L"стрелка →", TextCoding::Dos));
    EXPECT_TRUE(CodingHolds(L"░╔═╗", TextCoding::Dos));
    EXPECT_FALSE(CodingHolds(L"░╔═╗", TextCoding::Windows));
    EXPECT_TRUE(CodingHolds(L"中 ✓ \xD83D\xDE00", TextCoding::Utf8));
    // What a single-byte page lacks is written as '?', as it always was.
    EXPECT_EQ(EncodeText(L"a✓\r", TextCoding::Windows), "a?\r\n");
    // A lone surrogate cannot be UTF-8: it is written as U+FFFD.
    EXPECT_EQ(EncodeText(std::wstring(1, static_cast<wchar_t>(0xD800)), TextCoding::Utf8), "\xef\xbf\xbd");
}

}  // namespace
}  // namespace quillon
