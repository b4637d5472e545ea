// The document window's text algorithms as tables of cases, run on every editor
// control of the contract: natively on MemoryEditor, under Wine on rich edit.
//
// Marked texts: "|" is the caret, "[" and "]" enclose the selection.
#include <random>
#include <string>
#include <vector>

#include "change_case.h"
#include "coding.h"
#include "contract/editor_contract.h"
#include "contract/marked_text.h"
#include "editing_aids.h"
#include "search.h"

namespace quillon {
namespace {

struct EditCase {
    std::wstring before, after;
};

// Runs the operation; when it changed the text, one undo brings the old text back.
template <typename Operation>
void RunUndoableCases(EditorControl& editor, const std::vector<EditCase>& cases, Operation operation) {
    for (const auto& c : cases) {
        SCOPED_TRACE("before: " + Show(c.before));
        Place(editor, c.before);
        const std::wstring original = editor.Text();
        operation(editor);
        EXPECT_EQ(Show(Marked(editor)), Show(c.after));
        if (editor.Text() != original) {
            EXPECT_TRUE(editor.Modified());
            ASSERT_TRUE(editor.CanUndo());
            editor.Undo();
            EXPECT_EQ(Show(editor.Text()), Show(original)) << "one undo step";
        } else {
            EXPECT_FALSE(editor.CanUndo()) << "nothing changed, nothing to undo";
        }
    }
}

TEST_P(EditorContract, EnterCopiesTheIndentationOfTheWholeLine) {
    RunUndoableCases(*editor,
                     {
                         {L"    foo|", L"    foo\r    |"},
                         {L"\tfoo|", L"\tfoo\r\t|"},
                         {L" \t x|y", L" \t x\r \t |y"},
                         {L"  |  foo", L"  \r    |  foo"},
                         {L"a\r  [bc]d", L"a\r  \r  |d"},
                         {L"|", L"\r|"},
                         {L"x\r|", L"x\r\r|"},
                     },
                     NewLineWithIndent);
}

TEST_P(EditorContract, SmartTabLinesUpWithTheNextWordAbove) {
    std::wstring tenShort;
    for (int i = 0; i < kSmartTabLines; ++i) tenShort += L"x\r";
    RunUndoableCases(*editor,
                     {
                         {L"int  a = 1;\r|", L"int  a = 1;\r     |"},
                         {L"int  a = 1;\r    |", L"int  a = 1;\r     |"},
                         {L"|", L"        |"},
                         {L"|abc", L"        |abc"},
                         // A line no longer than the caret column + 1 is passed over.
                         {L"int  a = 1;\rab\r  |", L"int  a = 1;\rab\r     |"},
                         {L"int  a\r" + tenShort + L"|", L"int  a\r" + tenShort + L"        |"},
                         {L"int  a\r" + tenShort.substr(2) + L"|", L"int  a\r" + tenShort.substr(2) + L"     |"},
                         {L"a\tb c\r|", L"a\tb c\r    |"},
                     },
                     TabToNextWord);
}

TEST_P(EditorContract, SmartBackspaceStepsBackToAnIndentationAbove) {
    const auto backspace = [](EditorControl& e) {
        if (SpaceBeforeCaret(e)) SmartBackspace(e);
    };
    RunUndoableCases(*editor,
                     {
                         {L"    x\r        |", L"    x\r    |"},
                         {L" x\r        |", L" x\r |"},
                         {L"        |", L"|"},
                         {L"    x\r\r   \r        |y", L"    x\r\r   \r    |y"},
                         {L"        x\r    |", L"        x\r|"},
                         {L"  \t x\r    |", L"  \t x\r  |"},
                         // Not in the leading spaces: the control deletes as usual.
                         {L"a |", L"a |"},
                         {L"x\r|", L"x\r|"},
                     },
                     backspace);
    Place(*editor, L"a |");
    EXPECT_TRUE(SpaceBeforeCaret(*editor));
    EXPECT_FALSE(SmartBackspace(*editor));
    Place(*editor, L"a\r| b");
    EXPECT_FALSE(SpaceBeforeCaret(*editor)) << "the character before is the line break";
}

TEST_P(EditorContract, SmartBackspaceFindsAnIndentationFarAbove) {
    // Many blank lines between the caret and the line that gives the column.
    std::wstring text = L"  x\r";
    for (int i = 0; i < 3000; ++i) text += L"               \r";
    Place(*editor, text + L"      |");
    ASSERT_TRUE(SmartBackspace(*editor));
    EXPECT_EQ(Show(Marked(*editor)), Show(text + L"  |"));
}

TEST_P(EditorContract, IndentAndUnindentShiftEverySelectedLineByOneSpaceAndKeepThemSelected) {
    RunUndoableCases(*editor,
                     {
                         {L"[ab\rcd]", L"[ ab\r cd]"},
                         {L"[ab\rcd\r]", L"[ ab\r cd\r]"},
                         {L"x[ab\rcd]e", L"x[ ab\r cd]e"},
                         {L"[\r\r]", L"[ \r \r]"},
                         {L"|ab", L"|ab"},
                     },
                     IndentSelection);
    RunUndoableCases(*editor,
                     {
                         {L"[ ab\r  cd\rx]", L"[ab\r cd\rx]"},
                         {L"[ ab\r cd\r]", L"[ab\rcd\r]"},
                         {L"[ab\rcd]", L"[ab\rcd]"},
                     },
                     UnindentSelection);
    // Twice in a row: the second shift takes the same lines again.
    Place(*editor, L"[ab\rcd]");
    IndentSelection(*editor);
    IndentSelection(*editor);
    EXPECT_EQ(Show(Marked(*editor)), Show(L"[  ab\r  cd]"));
}

TEST_P(EditorContract, TypingInOverwriteModeTakesThePlaceOfTheNextCharacterWithinTheLine) {
    struct TypingCase {
        bool overwrite;
        std::wstring before;
        wchar_t typed;
        std::wstring after;
    };
    const std::vector<TypingCase> cases = {
        {true, L"ab|cd", L'x', L"abx|d"},
        {true, L"ab|\rcd", L'x', L"abx|\rcd"},  // the line break stays
        {true, L"ab|", L'x', L"abx|"},            // the end of the text
        {true, L"[ab]c", L'x', L"x|c"},           // a selection goes as in insert mode
        {true, L"|\u0451\u0436", L'\u0401', L"\u0401|\u0436"},
        {false, L"ab|cd", L'x', L"abx|cd"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("before: " + Show(c.before));
        Place(*editor, c.before);
        editor->SetOverwrite(c.overwrite);
        editor->TypeCharacter(c.typed);
        EXPECT_EQ(Show(Marked(*editor)), Show(c.after));
        EXPECT_TRUE(editor->Modified());
    }
    // Read-only: nothing typed either way.
    Place(*editor, L"ab|cd");
    editor->SetOverwrite(true);
    editor->SetReadOnly(true);
    editor->TypeCharacter(L'x');
    EXPECT_EQ(Show(Marked(*editor)), Show(L"ab|cd"));
    editor->SetReadOnly(false);
    editor->SetOverwrite(false);
}

TEST_P(EditorContract, DeleteWordRightTakesTheWordAndTheSpaceAfterIt) {
    RunUndoableCases(*editor,
                     {
                         {L"|foo   bar", L"|bar"},
                         {L"|, x", L"|x"},
                         {L"|.x", L"|x"},
                         {L"|,,x", L"|,x"},
                         {L"|привет мир", L"|мир"},
                         {L"|foo,bar", L"|,bar"},
                         {L"|foo\r\r  bar", L"|bar"},
                         {L"|   x", L"|x"},
                         {L"a|b2 c", L"a|c"},
                         // At the end of the text nothing stops the run: all of it goes.
                         {L"|foo", L"|"},
                         {L"|foo  ", L"|"},
                         {L"|, ", L"|"},
                         {L"|a", L"|"},
                         {L"x|", L"x|"},
                     },
                     DeleteWordRight);
}

TEST_P(EditorContract, DeleteLineTakesTheLineWithItsBreak) {
    RunUndoableCases(*editor,
                     {
                         {L"a\rb|c\rd", L"a\r|d"},
                         {L"a\rb|c", L"a\r|"},
                         {L"ab|", L"|"},
                         {L"[a\rb]c\rd", L"|bc\rd"},
                         {L"a\r|", L"a\r|"},
                     },
                     DeleteLine);
}

TEST_P(EditorContract, BreakTagsPutTheCaretWhereTypingGoesOn) {
    RunUndoableCases(*editor, {{L"a|b", L"a<br>\r|b"}}, [](EditorControl& e) { InsertBreakTag(e, BreakTag::LineBreak); });
    RunUndoableCases(*editor, {{L"a|b", L"a\r\r<p>|</p>b"}}, [](EditorControl& e) { InsertBreakTag(e, BreakTag::Paragraph); });
}

TEST_P(EditorContract, ChangeCaseReplacesTheSelectionAsOneStep) {
    RunUndoableCases(*editor,
                     {
                         {L"x[привет мир]", L"xПривет Мир|"},
                         {L"[Ёлка]", L"[Ёлка]"},
                         {L"|abc", L"|abc"},
                     },
                     [](EditorControl& e) { ChangeCase(e, CaseMode::BeginWithCapitals); });
}

// The search steps and replace-all as the dialogs run them.
struct SearchCase {
    std::wstring before;
    SearchOptions options;
    std::wstring after;  // the selection after one step (unchanged when nothing is found)
};

TEST_P(EditorContract, SearchStepFindsTheNextMatchWithoutWrapping) {
    const auto down = [](std::wstring text, bool matchCase = false, bool wholeWord = false) {
        return SearchOptions{std::move(text), true, matchCase, wholeWord};
    };
    const auto up = [](std::wstring text, bool matchCase = false, bool wholeWord = false) {
        return SearchOptions{std::move(text), false, matchCase, wholeWord};
    };
    const std::vector<SearchCase> cases = {
        {L"|abc abc", down(L"abc"), L"[abc] abc"},
        {L"[abc] abc", down(L"abc"), L"abc [abc]"},
        {L"abc [abc]", down(L"abc"), L"abc [abc]"},  // the last one: not found, no wrap-around
        {L"abc [abc]", up(L"abc"), L"[abc] abc"},
        {L"[abc] abc", up(L"abc"), L"[abc] abc"},
        {L"a|bcabc", up(L"abc"), L"a|bcabc"},       // a match must end before the selection
        {L"|ABC abc", down(L"abc", true), L"ABC [abc]"},
        {L"|ABC abc", down(L"abc"), L"[ABC] abc"},
        {L"|ПРИВЕТ привет", down(L"привет"), L"[ПРИВЕТ] привет"},
        {L"|cat concat cat", down(L"cat", false, true), L"[cat] concat cat"},
        {L"[cat] concat cat", down(L"cat", false, true), L"cat concat [cat]"},
        {L"cat concat cat|", up(L"cat", false, true), L"cat concat [cat]"},
        {L"cat concat [cat]", up(L"cat", false, true), L"[cat] concat cat"},
        {L"|a_b ab", down(L"b", false, true), L"a_[b] ab"},
        {L"|a\rb", down(L"a\rb"), L"[a\rb]"},
        {L"|abc", down(L""), L"|abc"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("before: " + Show(c.before) + " find: " + Show(c.options.text));
        Place(*editor, c.before);
        const bool found = SearchStep(*editor, c.options);
        EXPECT_EQ(Show(Marked(*editor)), Show(c.after));
        EXPECT_EQ(found, c.before != c.after);
    }
}

TEST_P(EditorContract, SearchCrossesThePiecesItReadsTheTextIn) {
    // Matches on both sides of the first piece boundaries, and one straddling it.
    std::wstring text(200000, L'.');
    for (const int at : {10, 65535, 65536 + 70, 196605}) text.replace(static_cast<size_t>(at), 3, L"cat");
    editor->SetText(text);
    std::vector<int> downward, upward;
    editor->SetSelStart(0);
    while (SearchStep(*editor, {L"cat", true, false, true})) downward.push_back(editor->SelStart());
    EXPECT_EQ(downward, (std::vector<int>{10, 65535, 65606, 196605}));
    editor->SetSelStart(editor->TextLength());
    while (SearchStep(*editor, {L"cat", false, false, true})) upward.push_back(editor->SelStart());
    EXPECT_EQ(upward, (std::vector<int>{196605, 65606, 65535, 10}));
}

struct ReplaceCase {
    std::wstring before;
    SearchOptions options;
    std::wstring replacement;
    std::wstring after;
    int count;
};

TEST_P(EditorContract, ReplaceAllGivesWhatReplacingOneByOneGives) {
    const auto find = [](std::wstring text, bool matchCase = false, bool wholeWord = false) {
        return SearchOptions{std::move(text), true, matchCase, wholeWord};
    };
    const std::vector<ReplaceCase> cases = {
        {L"|a b a", find(L"a"), L"aa", L"aa b aa|", 2},  // terminates: each search starts after the new text
        {L"|aaa", find(L"a"), L"aa", L"aaaaaa|", 3},
        {L"a [b] a b", find(L"a"), L"x", L"a b x| b", 1},  // from the end of the selection only
        {L"|Cat cat CAT", find(L"cat"), L"dog", L"dog dog dog|", 3},
        {L"|Cat cat CAT", find(L"cat", true), L"dog", L"Cat dog| CAT", 1},
        {L"|cat concat cat", find(L"cat", false, true), L"dog", L"dog concat dog|", 2},
        {L"|--", find(L"-", false, true), L"x", L"x|-", 1},  // the new "x" now touches the second "-"
        {L"|--", find(L"-", false, true), L"", L"|", 2},
        {L"|a-a", find(L"-", false, true), L"", L"|a-a", 0},
        {L"|x a-a", find(L"a", false, true), L"", L"x -|", 2},
        {L"|abc", find(L"z"), L"y", L"|abc", 0},
        {L"|abc", find(L""), L"y", L"|abc", 0},
        {L"|ab\rab", find(L"b"), L"b\r", L"ab\r\rab\r|", 2},
        {L"|привет, Привет", find(L"привет"), L"мир", L"мир, мир|", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("before: " + Show(c.before) + " find: " + Show(c.options.text));
        Place(*editor, c.before);
        int oneByOne = 0;
        while (ReplaceOnce(*editor, c.options, c.replacement)) ++oneByOne;
        const std::wstring stepwise = Marked(*editor);

        Place(*editor, c.before);
        const int count = ReplaceAll(*editor, c.options, c.replacement);
        EXPECT_EQ(Show(Marked(*editor)), Show(stepwise)) << "replace all differs from one by one";
        EXPECT_EQ(Show(Marked(*editor)), Show(c.after));
        EXPECT_EQ(count, oneByOne);
        EXPECT_EQ(count, c.count);
        if (count > 0) {
            editor->Undo();
            std::wstring original = c.before;
            std::erase_if(original, [](wchar_t ch) { return ch == L'|' || ch == L'[' || ch == L']'; });
            EXPECT_EQ(Show(editor->Text()), Show(original)) << "replace all is one undo step";
        }
    }
}

// Small random texts over an alphabet that makes matches touch, overlap and
// meet line breaks; a fixed seed, so a failure repeats.
TEST_P(EditorContract, ReplaceAllMatchesOneByOneOnRandomTexts) {
    std::mt19937 random(20261210);
    const std::wstring alphabet = L"aab -\rA";
    const auto pick = [&](int maxLength, int minLength) {
        std::wstring text(static_cast<size_t>(std::uniform_int_distribution<int>(minLength, maxLength)(random)), L' ');
        for (auto& ch : text) ch = alphabet[std::uniform_int_distribution<size_t>(0, alphabet.size() - 1)(random)];
        return text;
    };
    for (int round = 0; round < 150; ++round) {
        const std::wstring text = pick(24, 0);
        SearchOptions options{pick(3, 1), true, random() % 2 == 0, random() % 2 == 0};
        std::erase(options.text, L'\r');  // the dialogs' fields hold one line
        if (options.text.empty()) options.text = L"a";
        const std::wstring replacement = pick(3, 0);
        const int start = std::uniform_int_distribution<int>(0, static_cast<int>(text.size()))(random);
        SCOPED_TRACE("text: " + Show(text) + " find: " + Show(options.text) + " by: " + Show(replacement) +
                     " from " + std::to_string(start));
        editor->SetText(text);
        editor->SetSelStart(start);
        int oneByOne = 0;
        while (ReplaceOnce(*editor, options, replacement)) ++oneByOne;
        const std::wstring stepwise = Marked(*editor);
        editor->SetText(text);
        editor->SetSelStart(start);
        EXPECT_EQ(ReplaceAll(*editor, options, replacement), oneByOne);
        EXPECT_EQ(Show(Marked(*editor)), Show(stepwise));
    }
}

TEST_P(EditorContract, CodingSwitchKeepsTheCaretAndComesBack) {
    // The file's DOS bytes for "Привет, Ёж!" read as Windows text, then as DOS text.
    const std::wstring shownRaw = BytesToText("\x8f\xe0\xa8\xa2\xa5\xe2, \xf0\xa6!", CodePage::Ansi);
    editor->SetText(shownRaw);
    editor->SetSelStart(3);
    ASSERT_TRUE(ToggleCodingText(*editor, false));
    EXPECT_EQ(Show(editor->Text()), Show(L"Привет, Ёж!"));
    EXPECT_EQ(editor->SelStart(), 3);
    EXPECT_TRUE(editor->Modified());
    ASSERT_TRUE(ToggleCodingText(*editor, true));
    EXPECT_EQ(Show(editor->Text()), Show(shownRaw));
    EXPECT_EQ(editor->SelStart(), 3);
    // Plain ASCII reads the same in both pages: nothing changes.
    editor->SetText(L"plain text");
    EXPECT_FALSE(ToggleCodingText(*editor, false));
    EXPECT_FALSE(editor->Modified());
}

}  // namespace
}  // namespace quillon
