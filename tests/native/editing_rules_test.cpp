// The pure rules of the document window: which key does what, the case modes
// and the go-to dialog's line numbers.
#include <gtest/gtest.h>

#include "change_case.h"
#include "coding.h"
#include "codepage.h"
#include "editing_aids.h"
#include "goto_rules.h"

namespace quillon {
namespace {

struct KeyCase {
    const char* name;
    KeyStroke stroke;
    KeyContext context;
    KeyAction action;
};

TEST(EditKeys, KeyDownTable) {
    const KeyContext plain;  // editable, empty selection, no tags, autoindent and smart tab on
    KeyContext selected = plain;
    selected.selectionEmpty = false;
    KeyContext readOnly = plain;
    readOnly.readOnly = true;
    KeyContext tags = plain;
    tags.tagEditing = true;
    KeyContext tagsSelected = tags;
    tagsSelected.selectionEmpty = false;
    KeyContext noAids = plain;
    noAids.autoindent = noAids.smartTab = false;
    const KeyStroke tab{kKeyTab}, enter{kKeyReturn};
    const KeyCase cases[] = {
        {"backspace", {kKeyBack}, plain, KeyAction::Backspace},
        {"alt+backspace", {kKeyBack, false, false, true}, plain, KeyAction::PassOn},
        {"tab", tab, plain, KeyAction::TabToNextWord},
        {"tab, smart tab off", tab, noAids, KeyAction::PassOn},
        {"shift+tab", {kKeyTab, true}, plain, KeyAction::PassOn},
        {"ctrl+tab", {kKeyTab, false, true}, selected, KeyAction::PassOn},
        {"alt+tab", {kKeyTab, false, false, true}, plain, KeyAction::PassOn},
        {"tab on a selection", tab, selected, KeyAction::IndentSelection},
        {"shift+tab on a selection", {kKeyTab, true}, selected, KeyAction::UnindentSelection},
        {"tab on a selection, smart tab off", tab, [&] { auto c = noAids; c.selectionEmpty = false; return c; }(),
         KeyAction::IndentSelection},
        {"enter", enter, plain, KeyAction::NewLineWithIndent},
        {"enter, autoindent off", enter, noAids, KeyAction::PassOn},
        {"shift+enter", {kKeyReturn, true}, plain, KeyAction::Swallow},
        {"alt+enter", {kKeyReturn, false, false, true}, tags, KeyAction::Swallow},
        {"ctrl+enter without tags", {kKeyReturn, false, true}, plain, KeyAction::Swallow},
        {"ctrl+enter", {kKeyReturn, false, true}, tags, KeyAction::InsertBreak},
        {"ctrl+shift+enter", {kKeyReturn, true, true}, tags, KeyAction::InsertParagraph},
        {"ctrl+enter on a selection", {kKeyReturn, false, true}, tagsSelected, KeyAction::Swallow},
        {"insert", {kKeyInsert}, plain, KeyAction::ToggleInsertMode},
        {"shift+insert", {kKeyInsert, true}, plain, KeyAction::PassOn},
        {"ctrl+delete", {kKeyDelete, false, true}, plain, KeyAction::DeleteWordRight},
        {"delete", {kKeyDelete}, plain, KeyAction::PassOn},
        {"ctrl+t", {'T', false, true}, plain, KeyAction::DeleteWordRight},
        {"ctrl+shift+alt+t", {'T', true, true, true}, plain, KeyAction::DeleteWordRight},
        {"t", {'T'}, plain, KeyAction::PassOn},
        {"ctrl+y", {'Y', false, true}, plain, KeyAction::DeleteLine},
        {"ctrl+l", {'L', false, true}, plain, KeyAction::PassOn},
        {"ctrl+shift+l", {'L', true, true}, plain, KeyAction::DeleteLine},
        {"other", {'A', false, true}, plain, KeyAction::PassOn},
    };
    for (const auto& c : cases) EXPECT_EQ(KeyDownAction(c.stroke, c.context), c.action) << c.name;
    // Read-only: every key goes to the control.
    for (const auto& c : cases) EXPECT_EQ(KeyDownAction(c.stroke, readOnly), KeyAction::PassOn) << c.name;
}

TEST(ChangeCase, FiveModes) {
    struct Case {
        std::wstring text;
        CaseMode mode;
        std::wstring result;
    };
    const Case cases[] = {
        {L"привет мир", CaseMode::BeginWithCapitals, L"Привет Мир"},
        {L"hELLO-wORLD", CaseMode::BeginWithCapitals, L"Hello-World"},
        {L"3d", CaseMode::BeginWithCapitals, L"3d"},
        {L"ёЛКА и ПАЛКИ", CaseMode::BeginWithCapitals, L"Ёлка И Палки"},
        {L"  abc\rdef", CaseMode::BeginLineWithCapitals, L"  Abc\rDef"},
        {L"abc\r\r  ёж\r", CaseMode::BeginLineWithCapitals, L"Abc\r\r  Ёж\r"},
        {L"aBC dEF", CaseMode::BeginLineWithCapitals, L"ABC dEF"},
        {L"ПрИвЕт, Ёж!", CaseMode::AllLower, L"привет, ёж!"},
        {L"ПрИвЕт, ёж!", CaseMode::AllUpper, L"ПРИВЕТ, ЁЖ!"},
        {L"Ёлка", CaseMode::ChangeCase, L"ёЛКА"},
        {L"Hello, World 42", CaseMode::ChangeCase, L"hELLO, wORLD 42"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChangeCaseText(c.text, c.mode), c.result) << "mode " << static_cast<int>(c.mode);
}

TEST(GoTo, LineNumberValidation) {
    struct Case {
        std::wstring text;
        LineNumberVerdict verdict;
        int line;
    };
    const Case cases[] = {
        {L"", LineNumberVerdict::Empty, 0},
        {L"1", LineNumberVerdict::Accepted, 1},
        {L"10", LineNumberVerdict::Accepted, 10},
        {L"+7", LineNumberVerdict::Accepted, 7},
        {L" 3 ", LineNumberVerdict::Accepted, 3},
        {L"007", LineNumberVerdict::Accepted, 7},
        {L"11", LineNumberVerdict::OutOfRange, 0},
        {L"0", LineNumberVerdict::OutOfRange, 0},
        {L"-3", LineNumberVerdict::OutOfRange, 0},
        {L"99999999999999999999", LineNumberVerdict::OutOfRange, 0},
        {L"12x", LineNumberVerdict::NotInteger, 0},
        {L"abc", LineNumberVerdict::NotInteger, 0},
        {L"-", LineNumberVerdict::NotInteger, 0},
        {L"1 2", LineNumberVerdict::NotInteger, 0},
        {L"   ", LineNumberVerdict::NotInteger, 0},
        {L"1.5", LineNumberVerdict::NotInteger, 0},
        {L"\x0663", LineNumberVerdict::NotInteger, 0},  // digits of other scripts are no number here
    };
    for (const auto& c : cases) {
        const LineNumberCheck check = CheckLineNumber(c.text, 10);
        EXPECT_EQ(check.verdict, c.verdict) << "'" << std::string(c.text.begin(), c.text.end()) << "'";
        EXPECT_EQ(check.line, c.line);
    }
    EXPECT_EQ(CheckLineNumber(L"1", 0).verdict, LineNumberVerdict::OutOfRange) << "an empty document takes no line";
}

TEST(Coding, EveryCharacterOfBothPagesComesBack) {
    // Every byte, shown in either page, survives a switch there and back: the
    // switch reads the same bytes in the other page.
    for (int b = 1; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const std::wstring windows = BytesToText(byte, CodePage::Ansi);
        const std::wstring dos = BytesToText(byte, CodePage::Oem);
        EXPECT_EQ(ConvertCoding(windows, false), dos) << "byte " << b;
        EXPECT_EQ(ConvertCoding(dos, true), windows) << "byte " << b;
    }
    // A Windows page switched twice is what it was, not its DOS look-alikes.
    const std::wstring page = L"СТРАНИЦА ёжик";
    EXPECT_EQ(ConvertCoding(ConvertCoding(page, false), true), page);
    // The DOS page's own characters, pseudographics included, are shown as such.
    EXPECT_EQ(ConvertCoding(BytesToText("\x8f\xe0\xa8\xa2\xa5\xe2", CodePage::Ansi), false), L"Привет");
    EXPECT_EQ(ConvertCoding(BytesToText("\xb0\xc9\xcd\xbb", CodePage::Ansi), false), L"░╔═╗");
    // A character the page it leaves lacks is what the question warns about.
    EXPECT_EQ(ConvertCoding(L"a✓b", false), L"a?b");
    // The conversion stops at a zero character; what follows stays as it was.
    const std::wstring withZero = BytesToText("\x80", CodePage::Ansi) + std::wstring(1, L'\0') + BytesToText("\x80", CodePage::Ansi);
    EXPECT_EQ(ConvertCoding(withZero, false), std::wstring(L"А") + std::wstring(1, L'\0') + BytesToText("\x80", CodePage::Ansi));
}

}  // namespace
}  // namespace quillon
