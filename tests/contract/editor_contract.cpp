#include "contract/editor_contract.h"

#include <string>
#include <vector>

namespace quillon {
namespace {

struct LinesCase {
    std::wstring text;
    std::vector<std::wstring> lines;  // as counted: no empty last line
};

TEST_P(EditorContract, LinesAsTheContractCountsThem) {
    const std::vector<LinesCase> cases = {
        {L"", {}},
        {L"a", {L"a"}},
        {L"a\r", {L"a"}},
        {L"a\rb", {L"a", L"b"}},
        {L"a\r\r", {L"a", L""}},
        {L"\r", {L""}},
        {L"\r\r", {L"", L""}},
        {L"abc\rde\r\rf", {L"abc", L"de", L"", L"f"}},
        {L"привет\rмир ёЁ", {L"привет", L"мир ёЁ"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "text #" << (&c - cases.data()));
        editor->SetText(c.text);
        EXPECT_EQ(editor->Text(), c.text);
        EXPECT_EQ(editor->TextLength(), static_cast<int>(c.text.size()));
        ASSERT_EQ(editor->LineCount(), static_cast<int>(c.lines.size()));
        int start = 0;
        for (int n = 0; n < static_cast<int>(c.lines.size()); ++n) {
            EXPECT_EQ(editor->Line(n), c.lines[n]) << "line " << n;
            EXPECT_EQ(editor->LineIndex(n), start) << "line " << n;
            const int length = static_cast<int>(c.lines[n].size());
            for (int i = start; i <= start + length && i <= static_cast<int>(c.text.size()); ++i) {
                EXPECT_EQ(editor->LineFromChar(i), n) << "char " << i;
                EXPECT_EQ(editor->LineLength(i), length) << "char " << i;
            }
            start += length + 1;
        }
        // The empty line after a final break has an index (the caret may stand there);
        // nothing past it has one.
        const bool endsWithBreak = !c.text.empty() && c.text.back() == L'\r';
        const int count = static_cast<int>(c.lines.size());
        if (c.text.empty() || endsWithBreak) {
            EXPECT_EQ(editor->LineIndex(count), static_cast<int>(c.text.size()));
            EXPECT_EQ(editor->LineFromChar(static_cast<int>(c.text.size())), count);
            EXPECT_EQ(editor->LineLength(static_cast<int>(c.text.size())), 0);
            EXPECT_EQ(editor->LineIndex(count + 1), -1);
        } else {
            EXPECT_EQ(editor->LineIndex(count), -1);
        }
        EXPECT_EQ(editor->LineIndex(-1), -1);
        EXPECT_EQ(editor->Line(count), L"");
        EXPECT_EQ(editor->Line(-1), L"");
    }
}

TEST_P(EditorContract, LoadTurnsEveryLineBreakIntoOneAndSaveWritesCrLf) {
    struct Case {
        std::string file;
        std::wstring text;
        std::string saved;
    };
    const std::vector<Case> cases = {
        {"", L"", ""},
        {"a\r\nb", L"a\rb", "a\r\nb"},
        {"a\nb\n", L"a\rb\r", "a\r\nb\r\n"},
        {"a\rb", L"a\rb", "a\r\nb"},
        // Wine's own conversion makes a space of CR CR LF; here it is two breaks.
        {"a\r\r\nb", L"a\r\rb", "a\r\n\r\nb"},
        {"a\n\rb", L"a\r\rb", "a\r\n\r\nb"},
        {"\r\n\r\n", L"\r\r", "\r\n\r\n"},
        {"line\r\n\xcf\xf0\xe8\xe2\xe5\xf2\r\n", L"line\rПривет\r", "line\r\n\xcf\xf0\xe8\xe2\xe5\xf2\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "file #" << (&c - cases.data()));
        editor->LoadBytes(c.file, CodePage::Ansi);
        EXPECT_EQ(editor->Text(), c.text);
        EXPECT_EQ(editor->SaveBytes(CodePage::Ansi), c.saved);
        EXPECT_FALSE(editor->Modified());
        EXPECT_FALSE(editor->CanUndo());
        EXPECT_EQ(editor->SelStart(), 0);
    }
}

TEST_P(EditorContract, EveryByteSurvivesLoadAndSaveInBothCodePages) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        if (b != '\r' && b != '\n') all.push_back(static_cast<char>(b));
    for (const CodePage page : {CodePage::Ansi, CodePage::Oem}) {
        editor->LoadBytes(all, page);
        EXPECT_EQ(editor->TextLength(), static_cast<int>(all.size()));
        const std::string saved = editor->SaveBytes(page);
        ASSERT_EQ(saved.size(), all.size());
        for (size_t i = 0; i < all.size(); ++i)
            EXPECT_EQ(saved[i], all[i]) << "byte 0x" << std::hex << (static_cast<unsigned>(all[i]) & 0xFF)
                                        << (page == CodePage::Ansi ? " ANSI" : " OEM");
    }
}

TEST_P(EditorContract, LargeTextLoadsWhole) {
    // Well past the control's default limit of 32 767 characters.
    std::string file;
    for (int i = 0; i < 20000; ++i) file += "<p>line " + std::to_string(i) + "</p>\r\n";
    editor->LoadBytes(file, CodePage::Ansi);
    EXPECT_EQ(editor->LineCount(), 20000);
    EXPECT_EQ(editor->Line(19999), L"<p>line 19999</p>");
    EXPECT_EQ(editor->SaveBytes(CodePage::Ansi), file);
}

TEST_P(EditorContract, SelectionIsClampedAndReplacedAsOneUndoStep) {
    editor->SetText(L"hello world");
    editor->Select(6, 100);
    EXPECT_EQ(editor->SelStart(), 6);
    EXPECT_EQ(editor->SelLength(), 5);
    EXPECT_EQ(editor->SelText(), L"world");
    EXPECT_EQ(editor->CaretColumn(), 11);

    editor->ReplaceSel(L"there\r\nnew");
    EXPECT_EQ(editor->Text(), L"hello there\rnew");
    EXPECT_EQ(editor->SelStart(), 15);
    EXPECT_EQ(editor->SelLength(), 0);
    EXPECT_EQ(editor->CaretLine(), 1);
    EXPECT_EQ(editor->CaretColumn(), 3);
    EXPECT_TRUE(editor->Modified());
    EXPECT_TRUE(editor->CanUndo());

    editor->Undo();
    EXPECT_EQ(editor->Text(), L"hello world");
    EXPECT_TRUE(editor->CanRedo());
    editor->Redo();
    EXPECT_EQ(editor->Text(), L"hello there\rnew");

    editor->Select(0, 6);
    editor->DeleteSel();
    EXPECT_EQ(editor->Text(), L"there\rnew");
    editor->Select(-5, 3);
    EXPECT_EQ(editor->SelStart(), 0);
    EXPECT_EQ(editor->SelLength(), 3);
    editor->SetSelStart(4);
    EXPECT_EQ(editor->SelLength(), 0);
    editor->SetSelLength(3);
    EXPECT_EQ(editor->SelText(), L"e\rn");

    editor->ClearUndo();
    EXPECT_FALSE(editor->CanUndo());
    EXPECT_FALSE(editor->CanRedo());
}

TEST_P(EditorContract, UndoKeepsThirtySteps) {
    editor->SetText(L"");
    for (int i = 0; i < 35; ++i) {
        editor->SetSelStart(editor->TextLength());
        editor->ReplaceSel(std::wstring(1, static_cast<wchar_t>(L'a' + i % 26)));
    }
    int undone = 0;
    while (editor->CanUndo() && undone < 100) {
        editor->Undo();
        ++undone;
    }
    EXPECT_EQ(undone, EditorControl::UndoLimit);
    EXPECT_EQ(editor->Text(), L"abcde");
}

TEST_P(EditorContract, FlagsAndFontRoundTrip) {
    editor->SetText(L"text");
    EXPECT_FALSE(editor->Modified());
    editor->SetModified(true);
    EXPECT_TRUE(editor->Modified());
    editor->SetModified(false);
    EXPECT_FALSE(editor->Modified());

    for (const bool on : {true, false}) {
        editor->SetReadOnly(on);
        EXPECT_EQ(editor->ReadOnly(), on);
        editor->SetWordWrap(on);
        EXPECT_EQ(editor->WordWrap(), on);
        editor->SetAutoWordSelection(on);
        EXPECT_EQ(editor->AutoWordSelection(), on);
    }
    editor->SetFont({L"Courier New", 12});
    EXPECT_EQ(editor->Font().name, L"Courier New");
    EXPECT_EQ(editor->Font().size, 12);
    EXPECT_FALSE(editor->Modified());
    EXPECT_EQ(editor->Text(), L"text");
}

TEST_P(EditorContract, NotifiesChangesAndSelectionChanges) {
    int changes = 0, selections = 0;
    editor->SetOnChange([&] { ++changes; });
    editor->SetOnSelectionChange([&] { ++selections; });
    editor->SetText(L"abc");
    EXPECT_GE(changes, 1);
    changes = selections = 0;
    editor->Select(1, 1);
    EXPECT_GE(selections, 1);
    EXPECT_EQ(changes, 0);
    selections = 0;
    editor->ReplaceSel(L"x");
    EXPECT_GE(changes, 1);
    EXPECT_GE(selections, 1);
    editor->SetOnChange(nullptr);
    editor->SetOnSelectionChange(nullptr);
}

TEST_P(EditorContract, UpdateBracketsNestAndTextStaysReadable) {
    editor->SetText(L"a\rb");
    {
        UpdateBracket outer(*editor);
        {
            UpdateBracket inner(*editor);
            editor->Select(1, 0);
            editor->ReplaceSel(L"z");
        }
        EXPECT_EQ(editor->Text(), L"az\rb");
    }
    EXPECT_EQ(editor->Line(0), L"az");
}

TEST_P(EditorContract, AChangeOverManyLinesIsOneStepBothWays) {
    std::wstring text;
    for (int i = 0; i < 50; ++i) text += L"line " + std::to_wstring(i) + L"\r";
    editor->SetText(text);
    editor->ReplaceSel(L"x");  // an older step
    editor->Select(6, 200);
    const std::wstring before = editor->Text();
    editor->ReplaceSel(L"A\rB\rC");
    const std::wstring after = editor->Text();
    EXPECT_EQ(after, before.substr(0, 6) + L"A\rB\rC" + before.substr(206));
    EXPECT_EQ(editor->SelStart(), 11);
    EXPECT_EQ(editor->SelLength(), 0);
    EXPECT_TRUE(editor->Modified());
    ASSERT_TRUE(editor->CanUndo());
    editor->Undo();
    EXPECT_EQ(editor->Text(), before);
    EXPECT_TRUE(editor->CanRedo());
    editor->Redo();
    EXPECT_EQ(editor->Text(), after);
    editor->Undo();
    EXPECT_EQ(editor->Text(), before);
    // A new change after an undo ends the redo.
    editor->SetSelStart(0);
    editor->ReplaceSel(L"y");
    EXPECT_FALSE(editor->CanRedo());
    EXPECT_EQ(editor->Text(), L"y" + before);
    // Emptying and refilling a text of many lines.
    editor->SetText(text + text);
    editor->SetText(L"short");
    EXPECT_EQ(editor->Text(), L"short");
    EXPECT_EQ(editor->SelStart(), 0);
    EXPECT_FALSE(editor->Modified());
    EXPECT_FALSE(editor->CanUndo());
}

}  // namespace
}  // namespace quillon
