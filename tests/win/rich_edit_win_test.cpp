// The rich edit wrapper on a real control: its own index of line breaks against
// the control itself (after every kind of change the control or the wrapper
// makes, each line question gets the control's answer, and only changes that
// cannot be placed, undo and redo, make the wrapper read the whole text again),
// pasting, and when the wrapper reports changes.
#include <windows.h>

#include <gtest/gtest.h>
#include <richedit.h>

#include <functional>
#include <random>
#include <string>

#include "rich_edit_control.h"
#include "win_test_support.h"

namespace quillon {
namespace {

using test::Modifiers;
using test::Press;
using test::Type;

void PutOnClipboard(std::wstring_view text) { ASSERT_TRUE(test::PutOnClipboard(test::HostWindow(), text)); }

class RichEditWrapper : public ::testing::Test {
protected:
    void SetUp() override {
        editor_ = std::make_unique<RichEditControl>(test::HostWindow(), 100);
        editor_->SetOwnLineIndex(true);
        editor_->SetKeepText(true);  // the copy of the text follows the same edits
        editor_->SetText(L"first line\rsecond\r\rfourth line here\rlast");
    }

    HWND Control() const { return editor_->Handle(); }

    // Every line question of the wrapper against the control's own answer, and
    // the wrapper's copy of the text, when it has one, against the control's text.
    void ExpectControlsAnswers(const std::string& step) {
        if (const auto kept = editor_->KeptText()) ASSERT_EQ(ChunkedText::Join(*kept), editor_->Text()) << step;
        HWND control = Control();
        const int length = editor_->TextLength();
        for (int i = 0; i <= length; ++i)
            ASSERT_EQ(editor_->LineFromChar(i), SendMessageW(control, EM_EXLINEFROMCHAR, 0, i)) << step << " at " << i;
        const int rows = static_cast<int>(SendMessageW(control, EM_GETLINECOUNT, 0, 0));
        for (int n = 0; n <= rows; ++n)
            ASSERT_EQ(editor_->LineIndex(n), SendMessageW(control, EM_LINEINDEX, n, 0)) << step << " line " << n;
        CHARRANGE range{};
        SendMessageW(control, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
        const int line = static_cast<int>(SendMessageW(control, EM_EXLINEFROMCHAR, 0, range.cpMax));
        const EditorControl::CaretPosition caret = editor_->Caret();
        EXPECT_EQ(caret.line, line) << step;
        EXPECT_EQ(caret.column, range.cpMax - SendMessageW(control, EM_LINEINDEX, line, 0)) << step;
        if (editor_->WordWrap()) return;  // lengths of rows then
        const std::wstring text = editor_->Text();
        for (int i = 0; i <= length; ++i) {
            const size_t start = text.rfind(L'\r', i == 0 ? std::wstring::npos : static_cast<size_t>(i - 1));
            const size_t from = (i == 0 || start == std::wstring::npos) ? 0 : start + 1;
            const size_t end = std::min(text.find(L'\r', from), text.size());
            ASSERT_EQ(editor_->LineLength(i), static_cast<int>(end - from)) << step << " at " << i;
        }
    }

    std::unique_ptr<RichEditControl> editor_;
};

TEST_F(RichEditWrapper, FollowsEveryKindOfEditWithoutReadingTheTextAgain) {
    struct Step {
        const char* name;
        std::function<void()> make;
        bool mayReadAgain;  // a change the wrapper cannot place
    };
    RichEditControl& editor = *editor_;
    const std::vector<Step> steps = {
        {"typing inside a line", [&] { editor.Select(14, 0); Type(Control(), L"abc"); }, false},
        {"enter", [&] { Press(Control(), VK_RETURN); }, false},
        {"backspace joining two lines", [&] { editor.Select(editor.LineIndex(2), 0); Press(Control(), VK_BACK); }, false},
        {"delete joining two lines", [&] { editor.Select(editor.LineIndex(1) + editor.LineLength(editor.LineIndex(1)), 0); Press(Control(), VK_DELETE); }, false},
        {"typing over a selection of lines", [&] { editor.Select(3, 20); Type(Control(), L"x"); }, false},
        {"enter over a selection", [&] { editor.Select(1, 3); Press(Control(), VK_RETURN); }, false},
        {"delete of a selection of lines", [&] { editor.Select(0, 8); Press(Control(), VK_DELETE); }, false},
        {"paste of lines", [&] { PutOnClipboard(L"p\r\nq\r\n\r\nr"); editor.Select(2, 1); Press(Control(), 'V', {false, true}); }, false},
        {"cut of lines", [&] { editor.Select(1, 6); Press(Control(), 'X', {false, true}); }, false},
        {"ctrl+backspace", [&] { editor.Select(editor.TextLength(), 0); Press(Control(), VK_BACK, {false, true}); }, false},
        {"ctrl+delete", [&] { editor.Select(0, 0); Press(Control(), VK_DELETE, {false, true}); }, false},
        {"overwrite", [&] { editor.SetText(L"ab\rcd\r"); editor.Select(1, 0); Press(Control(), VK_INSERT); Type(Control(), L"xyz"); Press(Control(), VK_INSERT); }, false},
        {"undo", [&] { Press(Control(), 'Z', {false, true}); }, true},
        {"redo", [&] { Press(Control(), 'Y', {false, true}); }, true},
        {"the wrapper's replacement", [&] { editor.Select(1, 4); editor.ReplaceSel(L"\r\r1\r"); }, false},
        {"a replacement sent to the control", [&] { editor.Select(0, 2); SendMessageW(Control(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"q\rw")); }, false},
        {"the wrapper's undo", [&] { editor.Undo(); }, true},
        {"a new font", [&] { editor.SetFont({L"Arial", 14}); }, false},
        {"backspace at the start", [&] { editor.Select(0, 0); Press(Control(), VK_BACK); }, false},
        {"emptied", [&] { editor.Select(0, editor.TextLength()); Press(Control(), VK_DELETE); }, false},
        {"enter into an empty text", [&] { Press(Control(), VK_RETURN); Press(Control(), VK_RETURN); }, false},
    };
    ExpectControlsAnswers("start");
    for (const Step& step : steps) {
        const int reads = editor.LineIndexReads();
        step.make();
        ExpectControlsAnswers(step.name);
        if (HasFatalFailure()) return;
        if (!step.mayReadAgain) {
            EXPECT_EQ(editor.LineIndexReads(), reads) << step.name;
        } else {
            // Read again while the program is idle; the control answered meanwhile.
            ASSERT_TRUE(test::WaitFor([&] { return editor.LineIndexReady(); })) << step.name;
            ExpectControlsAnswers(std::string(step.name) + ", read again");
        }
        EXPECT_TRUE(editor.LineIndexReady()) << step.name;
        EXPECT_TRUE(editor.KeptText()) << step.name;
    }
}

TEST_F(RichEditWrapper, StaysRightThroughARandomMixOfEdits) {
    RichEditControl& editor = *editor_;
    std::mt19937 random(121026);
    const auto at = [&] { return static_cast<int>(random() % static_cast<unsigned>(editor.TextLength() + 1)); };
    const std::wstring pieces[] = {L"x", L"\r", L"a\r\rb", L"\r\n", L"line\r"};
    for (int step = 0; step < 250; ++step) {
        const int reads = editor.LineIndexReads();
        bool placed = true;
        const unsigned op = random() % 9;
        switch (op) {
        case 0: editor.Select(at(), 0); Type(Control(), L"k"); break;
        case 1: editor.Select(at(), 0); Press(Control(), VK_RETURN); break;
        case 2: editor.Select(at(), 0); Press(Control(), VK_BACK); break;
        case 3: editor.Select(at(), 0); Press(Control(), VK_DELETE); break;
        case 4: {
            const int start = at();
            editor.Select(start, static_cast<int>(random() % 12));
            Press(Control(), VK_DELETE);
            break;
        }
        case 5: {
            PutOnClipboard(pieces[random() % std::size(pieces)]);
            const int start = at();
            editor.Select(start, static_cast<int>(random() % 5));
            Press(Control(), 'V', {false, true});
            break;
        }
        case 6: editor.Select(at(), static_cast<int>(random() % 5)); editor.ReplaceSel(pieces[random() % std::size(pieces)]); break;
        case 7: Press(Control(), 'Z', {false, true}); placed = false; break;
        default: editor.Select(at(), static_cast<int>(random() % 8)); Type(Control(), L"\r"); break;
        }
        ExpectControlsAnswers("step " + std::to_string(step));
        if (HasFatalFailure()) return;
        if (placed) {
            EXPECT_EQ(editor.LineIndexReads(), reads) << "step " << step << " op " << op;
            EXPECT_TRUE(editor.LineIndexReady()) << "step " << step << " op " << op;
        } else {
            ASSERT_TRUE(test::WaitFor([&] { return editor.LineIndexReady(); })) << "step " << step;
            ExpectControlsAnswers("step " + std::to_string(step) + ", read again");
        }
    }
}

TEST_F(RichEditWrapper, WrappedRowsAreTheControlsAnswer) {
    RichEditControl& editor = *editor_;
    editor.SetWordWrap(true);
    editor.SetText(std::wstring(400, L'w') + L"\rshort\r" + std::wstring(300, L'v'));
    editor.Select(405, 0);
    ExpectControlsAnswers("wrapped");
    editor.SetWordWrap(false);
    ExpectControlsAnswers("unwrapped");
}

// A file with NUL bytes: whatever the control makes of them, the answers are its own.
TEST_F(RichEditWrapper, TextWithNulCharactersGetsTheControlsAnswers) {
    RichEditControl& editor = *editor_;
    const std::wstring text(L"ab\0c\rd\0\0e\rf\0", 12);
    editor.SetText(text);
    ExpectControlsAnswers("loaded");
    editor.Select(7, 0);
    Type(Control(), L"\r");
    ExpectControlsAnswers("a line break among them");
    EXPECT_TRUE(editor.LineIndexReady());
}

// However the paste reaches the control, the clipboard's text replaces the
// selection and nothing else (Wine's control would replace the whole text),
// as one undo step; a read-only text takes none.
TEST_F(RichEditWrapper, PasteReplacesTheSelectionOnly) {
    RichEditControl& editor = *editor_;
    const std::vector<std::pair<const char*, std::function<void()>>> pastes = {
        {"WM_PASTE", [&] { SendMessageW(Control(), WM_PASTE, 0, 0); }},
        {"Ctrl+V", [&] { Press(Control(), 'V', {false, true}); }},
        {"Shift+Insert", [&] { Press(Control(), VK_INSERT, {true}); }},
    };
    PutOnClipboard(L"new\r\nlines\r\n");
    for (const auto& [name, paste] : pastes) {
        editor.SetText(L"keep\rthis\rtext");
        editor.Select(5, 4);
        paste();
        EXPECT_EQ(editor.Text(), L"keep\rnew\rlines\r\rtext") << name;
        EXPECT_EQ(editor.SelStart(), 15) << name;
        ExpectControlsAnswers(name);
        editor.Undo();
        EXPECT_EQ(editor.Text(), L"keep\rthis\rtext") << name;
        editor.SetReadOnly(true);
        paste();
        EXPECT_EQ(editor.Text(), L"keep\rthis\rtext") << name << " read-only";
        editor.SetReadOnly(false);
    }
}

// The control reports a keystroke's change and its caret once each, after it
// is done: whoever listens sees the caret's new line at once.
TEST_F(RichEditWrapper, AKeystrokeIsReportedOnceWithTheCaretAlreadyRight) {
    RichEditControl& editor = *editor_;
    int changes = 0, moves = 0;
    EditorControl::CaretPosition seen;
    editor.SetOnChange([&] { ++changes; seen = editor.Caret(); });
    editor.SetOnSelectionChange([&] { ++moves; seen = editor.Caret(); });
    editor.Select(3, 0);
    const struct {
        int key, line, column;
    } keys[] = {{VK_RETURN, 1, 0}, {VK_BACK, 0, 3}, {'Q', 0, 4}};
    for (const auto& key : keys) {
        changes = moves = 0;
        Press(Control(), key.key);
        EXPECT_EQ(changes, 1) << key.key;
        EXPECT_EQ(moves, 1) << key.key;
        EXPECT_EQ(seen.line, key.line) << key.key;
        EXPECT_EQ(seen.column, key.column) << key.key;
    }
    editor.SetOnChange(nullptr);
    editor.SetOnSelectionChange(nullptr);
}

}  // namespace
}  // namespace quillon
