// Inserting a macro's text, on every editor control of the contract.
#include <string>
#include <vector>

#include "contract/editor_contract.h"
#include "contract/marked_text.h"
#include "insert_macro.h"

namespace quillon {
namespace {

struct InsertCase {
    const char* name;
    std::wstring before;  // marked: "|" caret, "[...]" selection
    std::wstring macro;
    bool autoindent;
    std::wstring text;    // the text after
    int selStart, selLength;
};

TEST_P(EditorContract, InsertMacroPutsTheSelectionAtTheHatAndTheCaretAtTheBar) {
    const std::vector<InsertCase> cases = {
        {"bold around a selection", L"x[abc]y", L"<b>^</b>", false, L"x<b>abc</b>y", 4, 3},
        {"bold with no selection", L"x|y", L"<b>^</b>", false, L"x<b></b>y", 4, 0},
        {"caret after the selection", L"[word]", L"<b>^</b>|", false, L"<b>word</b>", 11, 0},
        {"caret before the selection", L"[word]", L"<a href=\"|\">^</a>", false, L"<a href=\"\">word</a>", 9, 0},
        {"no marks: caret after the text", L"ab|cd", L"<hr>", false, L"ab<hr>cd", 6, 0},
        {"no hat: the selection stays after the text", L"[sel]", L"<br>|x", false, L"<br>xsel", 4, 0},
        {"only the first marks are special", L"|", L"a|b|c^d^", false, L"ab|cd^", 1, 0},
        {"line feeds dropped", L"|", L"one\r\ntwo\r\n", false, L"one\rtwo\r", 8, 0},
        {"autoindent: later lines", L"    x|", L"<ul>\r\n<li>|</li>\r\n</ul>\r\n", true,
         L"    x<ul>\r    <li></li>\r    </ul>", 18, 0},
        {"autoindent counts spaces only", L"  \t x|", L"a\r\nb", true, L"  \t xa\r  b", 6 + 4, 0},
    };
    for (const InsertCase& c : cases) {
        SCOPED_TRACE(c.name);
        Place(*editor, c.before);
        InsertMacroText(*editor, c.macro, c.autoindent);
        EXPECT_EQ(Show(editor->Text()), Show(c.text));
        EXPECT_EQ(editor->SelStart(), c.selStart);
        EXPECT_EQ(editor->SelLength(), c.selLength);
        // One step: a single undo brings the text back, and the document counts as changed.
        EXPECT_TRUE(editor->Modified());
        editor->Undo();
        std::wstring plain = c.before;
        std::erase_if(plain, [](wchar_t ch) { return ch == L'|' || ch == L'[' || ch == L']'; });
        EXPECT_EQ(Show(editor->Text()), Show(plain)) << "one undo step";
    }
}

}  // namespace
}  // namespace quillon
