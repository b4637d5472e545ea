// The document window's editing features on the real windows: keys as key
// messages to the editor control, the context menu, the system's find and
// replace dialogs, the go-to and case dialogs answered by a timer script, and
// DOS coding with files on disk.
#include <windows.h>

#include <commdlg.h>
#include <dlgs.h>
#include <richedit.h>

#include <deque>
#include <filesystem>
#include <functional>

#include "case_dialog.h"
#include "command_table.h"
#include "dialog_script.h"
#include "edit_rules.h"
#include "editor_ui_fixture.h"
#include "goto_dialog.h"
#include "prompts.h"
#include "win32_dialogs.h"

namespace quillon {
namespace {

using test::Modifiers;
using test::Press;
using test::Type;
using test::DialogScript;

// A click on a dialog's button or check box, as the mouse gives one.
void Click(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

// Sets a field of a dialog and clicks a button.
DialogScript::Step Answer(int field, std::wstring text, int button = IDOK) {
    return [=](HWND dialog) {
        SetDlgItemTextW(dialog, field, text.c_str());
        Click(dialog, button);
    };
}

class EditingUi : public EditorUi {
protected:
    TEditForm* NewDocument(const std::wstring& ext, const std::wstring& text = L"") {
        TEditForm* document = form->Files().NewDocument(ext);
        EXPECT_TRUE(document);
        if (document && !text.empty()) {
            document->Editor().ReplaceSel(text);
            document->Editor().SetSelStart(0);
        }
        test::PumpMessages();
        return document;
    }
    HWND Control() { return Active()->Editor().Handle(); }
    EditorControl& Editor() { return Active()->Editor(); }
    void Caret(int position) {
        Editor().SetSelStart(position);
        test::PumpMessages();
    }
};

struct KeyCase {
    const char* name;
    std::wstring text;
    int caret;
    int key;
    Modifiers held;
    std::wstring after;
};

TEST_F(EditingUi, KeysThroughTheRealControl) {
    const KeyCase cases[] = {
        {"enter copies the indentation, its character adds nothing", L"    foo", 7, VK_RETURN, {}, L"    foo\r    "},
        {"smart tab, its tab character is dropped", L"int  a = 1;\r", 12, VK_TAB, {}, L"int  a = 1;\r     "},
        {"smart backspace", L"    x\r        ", 14, VK_BACK, {}, L"    x\r    "},
        {"plain backspace", L"ab", 2, VK_BACK, {}, L"a"},
        {"backspace after a space in text", L"a b ", 4, VK_BACK, {}, L"a b"},
        {"ctrl+t", L"foo   bar", 0, 'T', {false, true}, L"bar"},
        {"ctrl+delete", L", x", 0, VK_DELETE, {false, true}, L"x"},
        {"ctrl+y", L"a\rbc\rd", 3, 'Y', {false, true}, L"a\rd"},
        {"ctrl+shift+l", L"a\rbc\rd", 3, 'L', {true, true}, L"a\rd"},
        {"ctrl+enter in html", L"ab", 1, VK_RETURN, {false, true}, L"a<br>\rb"},
        {"ctrl+shift+enter in html", L"ab", 1, VK_RETURN, {true, true}, L"a\r\r<p></p>b"},
        {"shift+enter does nothing", L"ab", 1, VK_RETURN, {true}, L"ab"},
        {"alt+enter does nothing", L"ab", 1, VK_RETURN, {false, false, true}, L"ab"},
    };
    TEditForm* document = NewDocument(L".html");
    ASSERT_TRUE(document && document->TagEditing());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Editor().SetText(c.text);
        Caret(c.caret);
        Press(Control(), c.key, c.held);
        EXPECT_EQ(Editor().Text(), c.after);
        // Typing goes on normally: no character is left waiting to be dropped.
        Type(Control(), L"z");
        EXPECT_EQ(Editor().Text().size(), c.after.size() + 1);
        EXPECT_EQ(form->PanelText(1), L"Изменен");
    }
}

TEST_F(EditingUi, TheWindowMenuFollowsTheDocumentsAlsoWhenOneIsMaximized) {
    const auto windowMenuEnabled = [this] {
        HMENU bar = form->Menu();
        for (int i = 0; i < GetMenuItemCount(bar); ++i) {
            wchar_t caption[32] = {};
            GetMenuStringW(bar, static_cast<UINT>(i), caption, 32, MF_BYPOSITION);
            if (std::wstring(caption) == L"&Окно") return !(GetMenuState(bar, static_cast<UINT>(i), MF_BYPOSITION) & MF_GRAYED);
        }
        ADD_FAILURE() << "no window menu";
        return false;
    };
    EXPECT_FALSE(windowMenuEnabled());
    TEditForm* document = NewDocument(L".txt");
    ASSERT_TRUE(IsZoomed(document->Handle()));
    EXPECT_TRUE(windowMenuEnabled());
    SendMessageW(document->Handle(), WM_CLOSE, 0, 0);
    test::PumpMessages();
    EXPECT_FALSE(windowMenuEnabled());
}

TEST_F(EditingUi, ALargeDocumentHiddenBehindAMaximizedWindowKeepsItsLayoutUntilItIsSeenAgain) {
    std::string large;
    while (large.size() < 200000) large += "a line of a large wrapped text, long enough to wrap somewhere\r\n";
    form->Files().OpenNamedFiles({Put(L"large.txt", large), Put(L"small.txt", "small")});
    test::PumpMessages();
    const auto documents = form->Documents();
    ASSERT_EQ(documents.size(), 2u);
    TEditForm* big = documents[0]->FileName().find(L"large") != std::wstring::npos ? documents[0] : documents[1];
    ASSERT_NE(big, Active());
    ASSERT_TRUE(IsZoomed(Active()->Handle()));
    const auto editorSize = [](TEditForm* document) {
        RECT r{};
        GetWindowRect(document->Editor().Handle(), &r);
        return SIZE{r.right - r.left, r.bottom - r.top};
    };
    const auto fits = [&](TEditForm* document) {
        RECT client{};
        GetClientRect(document->Handle(), &client);
        const SIZE size = editorSize(document);
        return size.cx == client.right && size.cy == client.bottom;
    };
    // Behind the maximized small one the large one's window is restored, its
    // editor keeps the maximized size it has again when it comes back.
    const SIZE maximized = editorSize(Active());
    EXPECT_EQ(editorSize(big).cx, maximized.cx);
    EXPECT_FALSE(fits(big));
    for (int i = 0; i < 3; ++i) {
        SendMessageW(form->DocumentArea(), WM_MDINEXT, 0, 0);
        test::PumpMessages();
        EXPECT_TRUE(fits(Active())) << "the active window's editor fills it, switch " << i;
        EXPECT_EQ(editorSize(big).cx, maximized.cx) << "never laid out at the restored width, switch " << i;
    }
    // The active window restored: every window is seen, every editor fits its window.
    SendMessageW(form->DocumentArea(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(Active()->Handle()), 0);
    test::PumpMessages();
    for (TEditForm* document : form->Documents()) EXPECT_TRUE(fits(document)) << std::wstring(document->FileName());
}

TEST_F(EditingUi, TabOnASelectionShiftsItsLinesAsOneUndoStep) {
    NewDocument(L".txt", L"ab\rcd\r");
    Editor().Select(0, 6);
    Press(Control(), VK_TAB);
    EXPECT_EQ(Editor().Text(), L" ab\r cd\r");
    Press(Control(), VK_TAB);  // the lines stay selected: a second Tab shifts them again
    EXPECT_EQ(Editor().Text(), L"  ab\r  cd\r");
    Command(kCmdUndo);
    EXPECT_EQ(Editor().Text(), L" ab\r cd\r");
    Editor().Select(0, Editor().TextLength());
    Press(Control(), VK_TAB, {true});
    EXPECT_EQ(Editor().Text(), L"ab\rcd\r");
    Command(kCmdUndo);
    EXPECT_EQ(Editor().Text(), L" ab\r cd\r");
    Editor().Select(0, 2);
    Command(kCmdIndent);
    EXPECT_EQ(Editor().Text(), L"  ab\r cd\r");
    Editor().Select(0, Editor().TextLength());
    Command(kCmdUnindent);
    EXPECT_EQ(Editor().Text(), L" ab\rcd\r");
    // Delete and Backspace take a selection away as one step.
    Editor().Select(1, 3);
    Press(Control(), VK_DELETE);
    EXPECT_EQ(Editor().Text(), L" cd\r");
    Editor().Select(0, 2);
    Press(Control(), VK_BACK);
    EXPECT_EQ(Editor().Text(), L"d\r");
    Type(Control(), L"x");
    EXPECT_EQ(Editor().Text(), L"xd\r") << "nothing dropped";
    Command(kCmdUndo);
    Command(kCmdUndo);
    EXPECT_EQ(Editor().Text(), L" cd\r");
    Command(kCmdUndo);
    EXPECT_EQ(Editor().Text(), L" ab\rcd\r");
}

TEST_F(EditingUi, OptionsAndTagsDecideWhatEnterAndTabDo) {
    NewDocument(L".css", L"  a");
    Caret(3);
    Press(Control(), VK_RETURN, {false, true});
    EXPECT_EQ(Editor().Text(), L"  a") << "Ctrl+Enter inserts nothing without tag editing";
    Command(kCmdAutoindent);
    Command(kCmdSmartTab);
    Press(Control(), VK_RETURN);
    EXPECT_EQ(Editor().Text(), L"  a\r") << "without autoindent the control starts a plain new line";
    Press(Control(), VK_TAB);
    EXPECT_EQ(Editor().Text(), L"  a\r\t");
}

TEST_F(EditingUi, ReadOnlyDocumentsLeaveEveryKeyToTheControl) {
    const std::wstring name = Put(L"locked.txt", "    x\r\n        ");
    SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_READONLY);
    form->Files().OpenNamedFiles({name});
    test::PumpMessages();
    ASSERT_TRUE(Editor().ReadOnly());
    const std::wstring text = Editor().Text();
    Caret(Editor().TextLength());
    for (int key : {VK_TAB, VK_RETURN, VK_BACK, static_cast<int>('T')}) Press(Control(), key, {false, key == 'T'});
    Editor().Select(0, 3);
    Command(kCmdIndent);
    Command(kCmdDelete);
    Command(kCmdCut);
    Press(Control(), VK_DELETE);
    Press(Control(), VK_BACK);
    EXPECT_EQ(Editor().Text(), text);
    EXPECT_EQ(form->PanelText(1), L"");
    // A file that is read-only on disk stays so.
    Command(kCmdReadOnly);
    EXPECT_TRUE(Editor().ReadOnly());
}

TEST_F(EditingUi, InsertKeyAndReadOnlySwitchShowInThePanels) {
    NewDocument(L".txt", L"text");
    EXPECT_EQ(form->PanelText(2), L"Вставка");
    Press(Control(), VK_INSERT);
    EXPECT_EQ(form->PanelText(2), L"Замена");
    EXPECT_FALSE(Active()->InsertMode());
    // Typed keys replace what they stand on, up to the end of the line.
    Caret(1);
    Type(Control(), L"EXTRA");
    EXPECT_EQ(Editor().Text(), L"tEXTRA");
    Press(Control(), VK_INSERT);
    EXPECT_EQ(form->PanelText(2), L"Вставка");
    Caret(1);
    Type(Control(), L"x");
    EXPECT_EQ(Editor().Text(), L"txEXTRA");

    Editor().Select(0, 2);
    test::PumpMessages();
    EXPECT_TRUE(Enabled(L"CutItem"));
    Command(kCmdReadOnly);
    EXPECT_TRUE(Editor().ReadOnly());
    EXPECT_EQ(form->PanelText(4), L"Только чтение");
    EXPECT_TRUE(Checked(L"ReadOnlyItem"));
    EXPECT_FALSE(Enabled(L"CutItem"));
    EXPECT_TRUE(Enabled(L"CopyItem"));
    EXPECT_FALSE(Enabled(L"ReplaceItem"));
    Command(kCmdReadOnly);
    EXPECT_FALSE(Editor().ReadOnly());
    EXPECT_EQ(form->PanelText(4), L"");
    EXPECT_TRUE(Enabled(L"CutItem"));
}

TEST_F(EditingUi, ContextMenuItemsFollowTheEditorAndShowTheirHints) {
    TEditForm* document = NewDocument(L".txt", L"some text");
    using V = DocumentVerb;
    const auto enabled = [](HMENU menu, DocumentVerb verb) {
        return !(GetMenuState(menu, static_cast<UINT>(verb), MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
    };
    HMENU menu = document->PopupMenuPopup();
    ASSERT_TRUE(menu);
    EXPECT_EQ(GetMenuItemCount(menu), 13);
    EXPECT_TRUE(enabled(menu, V::Undo));
    EXPECT_FALSE(enabled(menu, V::Redo));
    EXPECT_FALSE(enabled(menu, V::Cut));
    EXPECT_FALSE(enabled(menu, V::Copy));
    EXPECT_FALSE(enabled(menu, V::FindNext));
    EXPECT_TRUE(enabled(menu, V::Find));
    EXPECT_TRUE(enabled(menu, V::Replace));

    Editor().Select(0, 4);
    document->ToggleReadOnly();
    menu = document->PopupMenuPopup();
    EXPECT_FALSE(enabled(menu, V::Undo));
    EXPECT_FALSE(enabled(menu, V::Cut));
    EXPECT_FALSE(enabled(menu, V::Delete));
    EXPECT_TRUE(enabled(menu, V::Copy));
    EXPECT_FALSE(enabled(menu, V::Paste));
    EXPECT_FALSE(enabled(menu, V::Replace));
    EXPECT_TRUE(enabled(menu, V::SelectAll));

    SendMessageW(document->Handle(), WM_MENUSELECT, MAKEWPARAM(static_cast<UINT>(V::FindNext), MF_HILITE), reinterpret_cast<LPARAM>(menu));
    EXPECT_EQ(form->HintShown(), L"Поиск следующего вхождения уже заданного текста");
    SendMessageW(document->Handle(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(form->HintShown(), L"");

    document->ToggleReadOnly();
    document->Run(V::SelectAll);
    document->Run(V::Copy);
    document->Run(V::Delete);
    EXPECT_EQ(Editor().Text(), L"");
    document->Run(V::Paste);
    EXPECT_EQ(Editor().Text(), L"some text");
}

TEST_F(EditingUi, FindThroughTheSystemDialogWithoutWrapping) {
    ScriptedPrompts script;
    TEditForm* document = NewDocument(L".txt", L"abc one\rabc two\rABC three");
    EXPECT_FALSE(Enabled(L"FindNextItem")) << "no search yet";
    Command(kCmdFindNext);
    EXPECT_EQ(Editor().SelLength(), 0);

    Editor().Select(0, 3);
    Command(kCmdFind);
    HWND dialog = document->Searches().FindWindowHandle();
    ASSERT_TRUE(dialog);
    wchar_t what[64] = {};
    GetDlgItemTextW(dialog, edt1, what, 64);
    EXPECT_STREQ(what, L"abc") << "the selection becomes the search text";

    Click(dialog, IDOK);
    EXPECT_EQ(Editor().SelStart(), 8);
    EXPECT_TRUE(Enabled(L"FindNextItem"));
    Click(dialog, chx2);  // match case
    Click(dialog, IDOK);
    EXPECT_EQ(Editor().SelStart(), 8) << "ABC does not match with case";
    ASSERT_EQ(script.SeenIds(), std::vector<int>{127});
    EXPECT_EQ(PromptText(script.Seen()[0]), L"Заданная строка не найдена.");
    EXPECT_EQ(script.Seen()[0].icon, PromptIcon::Information);

    // Escape closes it, as the message loop hands the dialog its keys; the
    // dialog leaves the loop's list while the loop goes through it.
    MSG escape{GetDlgItem(dialog, edt1), WM_KEYDOWN, VK_ESCAPE, 0x00010001, 0, {}};
    EXPECT_TRUE(IsModelessDialogMessage(escape));
    test::PumpMessages();
    EXPECT_FALSE(IsWindow(dialog));
    MSG other{Control(), WM_KEYDOWN, 'A', 0, 0, {}};
    EXPECT_FALSE(IsModelessDialogMessage(other));
    // Closed, the dialog's settings still serve Find next.
    Caret(0);
    Command(kCmdFindNext);
    EXPECT_EQ(Editor().SelStart(), 0);
    EXPECT_EQ(Editor().SelLength(), 3);
}

TEST_F(EditingUi, FindNextAfterTheDialogClosedKeepsTheDialogsDirectionAndOptions) {
    ScriptedPrompts script;
    std::wstring text;
    for (int line = 1; line <= 40; ++line) text += (line == 19 || line == 32 || line == 40 ? L"Match\r" : L"-\r");
    TEditForm* document = NewDocument(L".txt", text);
    Caret(0);
    Command(kCmdFind);
    HWND dialog = document->Searches().FindWindowHandle();
    ASSERT_TRUE(dialog);
    SetDlgItemTextW(dialog, edt1, L"Match");
    Click(dialog, chx2);  // match case
    Click(dialog, IDOK);
    EXPECT_EQ(Editor().CaretLine(), 18);
    Click(dialog, IDOK);
    EXPECT_EQ(Editor().CaretLine(), 31);
    // Touching the dialog's settings without searching again changes nothing
    // for Find next: it repeats the search as it was made.
    Click(dialog, rad1);  // up
    Click(dialog, chx2);  // no case
    MSG escape{GetDlgItem(dialog, edt1), WM_KEYDOWN, VK_ESCAPE, 0x00010001, 0, {}};
    IsModelessDialogMessage(escape);
    test::PumpMessages();
    ASSERT_FALSE(IsWindow(dialog));
    Command(kCmdFindNext);
    EXPECT_EQ(Editor().CaretLine(), 39) << "down, as the dialog searched";
    EXPECT_TRUE(script.SeenIds().empty());
    // Still with its case: "match" in lower case is not found after the dialog is gone.
    Editor().SetSelStart(0);
    Editor().ReplaceSel(L"match\r");
    Caret(0);
    Command(kCmdFindNext);
    EXPECT_EQ(Editor().CaretLine(), 19);
}

TEST_F(EditingUi, TheFindDialogMovesOffTheMatchAndClosesWhenTheWindowIsLeft) {
    std::wstring text;
    for (int i = 0; i < 5; ++i) text += L"line\r";
    TEditForm* document = NewDocument(L".txt", text + L"target here");
    Caret(0);
    Command(kCmdFind);
    HWND dialog = document->Searches().FindWindowHandle();
    ASSERT_TRUE(dialog);
    SetDlgItemTextW(dialog, edt1, L"target");
    // Put the dialog right over the line of the match.
    POINTL at{};
    SendMessageW(Control(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), static_cast<LPARAM>(text.size()));
    POINT screen{at.x, at.y};
    ClientToScreen(Control(), &screen);
    SetWindowPos(dialog, nullptr, screen.x, screen.y - 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Click(dialog, IDOK);
    ASSERT_EQ(Editor().SelStart(), static_cast<int>(text.size()));
    RECT bounds{};
    GetWindowRect(dialog, &bounds);
    EXPECT_TRUE(bounds.bottom <= screen.y || bounds.top >= screen.y + 12)
        << "dialog " << bounds.top << ".." << bounds.bottom << ", match at " << screen.y;

    // Another document window becomes active: the dialog closes.
    NewDocument(L".txt", L"other");
    test::PumpMessages();
    EXPECT_FALSE(IsWindow(dialog));
}

TEST_F(EditingUi, ReplaceAllThroughTheSystemDialogIsOneUndoStep) {
    ScriptedPrompts script;
    form->Files().OpenNamedFiles({Put(L"cats.txt", "cat concat cat")});
    test::PumpMessages();
    TEditForm* document = Active();
    Command(kCmdReplace);
    HWND dialog = document->Searches().ReplaceWindowHandle();
    ASSERT_TRUE(dialog);
    SetDlgItemTextW(dialog, edt1, L"cat");
    SetDlgItemTextW(dialog, edt2, L"dog");
    Click(dialog, chx1);  // whole word
    Click(dialog, psh2);  // replace all
    EXPECT_EQ(Editor().Text(), L"dog concat dog");
    EXPECT_EQ(Editor().SelStart(), 14);
    EXPECT_EQ(form->PanelText(1), L"Изменен");
    Click(dialog, psh2);
    EXPECT_EQ(script.SeenIds(), std::vector<int>{127}) << "nothing left to replace";
    Command(kCmdUndo);
    EXPECT_EQ(Editor().Text(), L"cat concat cat");
    EXPECT_EQ(form->PanelText(1), L"") << "undone to the saved text";
    EXPECT_EQ(Editor().SelLength(), 0) << "not the stretch from the first replacement to the last";
    EXPECT_EQ(Editor().SelStart(), 0);

    // The Replace button replaces the next match after the selection.
    Caret(0);
    Click(dialog, psh1);
    EXPECT_EQ(Editor().Text(), L"dog concat cat");
    // Find next from the replace dialog's settings.
    Command(kCmdFindNext);
    EXPECT_EQ(Editor().SelStart(), 11);
}

TEST_F(EditingUi, ALargeChangeRebuildsTheControlAndTheWindowKeepsWorking) {
    ScriptedPrompts script;
    form->Files().OpenNamedFiles({Put(L"many.txt", "a1\r\na2\r\na3\r\na4\r\n")});
    test::PumpMessages();
    TEditForm* document = Active();
    document->Editor().SetRebuildThreshold(2);
    HWND before = Control();
    Editor().Select(0, Editor().TextLength());
    Command(kCmdIndent);
    EXPECT_EQ(Editor().Text(), L" a1\r a2\r a3\r a4\r");
    EXPECT_NE(Control(), before) << "rebuilt in a new control";
    EXPECT_EQ(GetFocus(), Control());
    EXPECT_EQ(form->PanelText(1), L"Изменен");
    // The keys still reach the window's handlers, the dialogs still search.
    Caret(4);
    Press(Control(), 'Y', {false, true});
    EXPECT_EQ(Editor().Text(), L" a1\r a3\r a4\r");
    Command(kCmdUndo);
    Command(kCmdUndo);
    EXPECT_EQ(Editor().Text(), L"a1\ra2\ra3\ra4\r");
    EXPECT_EQ(form->PanelText(1), L"") << "back to the text on disk";
    Command(kCmdReplace);
    HWND dialog = document->Searches().ReplaceWindowHandle();
    SetDlgItemTextW(dialog, edt1, L"a");
    SetDlgItemTextW(dialog, edt2, L"b");
    Caret(0);
    Click(dialog, psh2);
    EXPECT_EQ(Editor().Text(), L"b1\rb2\rb3\rb4\r");
    EXPECT_TRUE(script.SeenIds().empty());
}

TEST_F(EditingUi, GoToValidatesAndPutsTheCaretAtTheLineStart) {
    ScriptedPrompts script;
    std::wstring text;
    for (int i = 1; i <= 10; ++i) text += L"line " + std::to_wstring(i) + L"\r";
    NewDocument(L".txt", text);
    Caret(12);  // line 2
    std::wstring initial;
    {
        DialogScript answers(L"Перейти к", {
            [&](HWND d) { initial = [&] { wchar_t t[16] = {}; GetDlgItemTextW(d, kLineEditId, t, 16); return std::wstring(t); }(); },
            Answer(kLineEditId, L""),
            Answer(kLineEditId, L"12x"),
            Answer(kLineEditId, L"0"),
            Answer(kLineEditId, L"11"),
            Answer(kLineEditId, L"10"),
        });
        Command(kCmdGoTo);
        EXPECT_EQ(answers.StepsRun(), 6);
    }
    EXPECT_EQ(initial, L"2");
    EXPECT_EQ(script.SeenIds(), (std::vector<int>{146, 147, 148, 148}));
    EXPECT_EQ(PromptText(script.Seen()[1]), L"'12x' не является целым числом.");
    EXPECT_EQ(PromptText(script.Seen()[3]), L"Номер строки должен находиться в пределах от 1 до 10.");
    EXPECT_EQ(script.Seen()[0].icon, PromptIcon::Error);
    EXPECT_EQ(Editor().SelStart(), Editor().LineIndex(9));
    EXPECT_EQ(Editor().SelLength(), 0);
    EXPECT_EQ(form->PanelText(0).substr(0, 5), L"Ст 10");

    // Cancel moves nothing.
    {
        DialogScript answers(L"Перейти к", {Answer(kLineEditId, L"3", IDCANCEL)});
        Command(kCmdGoTo);
    }
    EXPECT_EQ(Editor().SelStart(), Editor().LineIndex(9));

    // An empty document takes line 1 and nothing else.
    NewDocument(L".txt");
    script.Clear();
    {
        DialogScript answers(L"Перейти к", {Answer(kLineEditId, L"2"), Answer(kLineEditId, L"1")});
        Command(kCmdGoTo);
    }
    EXPECT_EQ(script.SeenIds(), std::vector<int>{148});
    EXPECT_EQ(PromptText(script.Seen()[0]), L"Номер строки должен находиться в пределах от 1 до 1.");
}

TEST_F(EditingUi, CaseDialogChangesTheSelection) {
    NewDocument(L".css", L"привет мир");  // a kind without word wrap
    Editor().Select(0, Editor().TextLength());
    test::PumpMessages();
    ASSERT_TRUE(Enabled(L"CaseItem"));
    bool firstEnabled = true, lowerChecked = false;
    {
        DialogScript answers(L"Регистр", {[&](HWND d) {
            // Every caption fits its button, and no button reaches OK.
            RECT ok{};
            GetWindowRect(GetDlgItem(d, IDOK), &ok);
            for (int id = kCaseButtonFirstId; id < kCaseButtonFirstId + 5; ++id) {
                HWND button = GetDlgItem(d, id);
                RECT bounds{};
                GetWindowRect(button, &bounds);
                wchar_t caption[64] = {};
                GetWindowTextW(button, caption, 64);
                HDC dc = GetDC(button);
                HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(button, WM_GETFONT, 0, 0)));
                SIZE extent{};
                GetTextExtentPoint32W(dc, caption, lstrlenW(caption), &extent);
                SelectObject(dc, old);
                ReleaseDC(button, dc);
                EXPECT_LE(extent.cx + GetSystemMetrics(SM_CXMENUCHECK) + 4, bounds.right - bounds.left) << id;
                EXPECT_LT(bounds.right, ok.left) << id;
            }
            firstEnabled = IsWindowEnabled(GetDlgItem(d, kCaseButtonFirstId)) != 0;
            lowerChecked = SendMessageW(GetDlgItem(d, kCaseButtonFirstId + 1), BM_GETCHECK, 0, 0) == BST_CHECKED;
            Click(d, kCaseButtonFirstId + 3);
            SendMessageW(GetDlgItem(d, kCaseButtonFirstId + 3), BM_SETCHECK, BST_CHECKED, 0);
            SendMessageW(GetDlgItem(d, kCaseButtonFirstId + 1), BM_SETCHECK, BST_UNCHECKED, 0);
            Click(d, IDOK);
        }});
        Command(kCmdCase);
    }
    EXPECT_TRUE(firstEnabled) << "word wrap is off";
    EXPECT_TRUE(lowerChecked);
    EXPECT_EQ(Editor().Text(), L"Привет Мир");
    EXPECT_EQ(form->PanelText(1), L"Изменен");

    // Under word wrap the first mode is off; Cancel changes nothing.
    Command(kCmdWordWrap);
    Editor().Select(0, Editor().TextLength());
    {
        DialogScript answers(L"Регистр", {[&](HWND d) {
            firstEnabled = IsWindowEnabled(GetDlgItem(d, kCaseButtonFirstId)) != 0;
            Click(d, IDCANCEL);
        }});
        Command(kCmdCase);
    }
    EXPECT_FALSE(firstEnabled);
    EXPECT_EQ(Editor().Text(), L"Привет Мир");
}

TEST_F(EditingUi, DosFileSwitchedAndSavedComesBackByteForByte) {
    // "Привет, Ёж!" and a second line with pseudographics in the DOS code page.
    const std::string dosBytes = "\x8f\xe0\xa8\xa2\xa5\xe2, \xf0\xa6!\r\n\xad\xa0 DOS \xb0\xc9\xcd\xbb\r\n";
    const std::wstring name = Put(L"dos.txt", dosBytes);
    form->Files().OpenNamedFiles({name});
    test::PumpMessages();
    EXPECT_EQ(form->PanelText(3), L"Текст Windows");
    EXPECT_FALSE(Checked(L"CodingItem"));
    Caret(4);
    {
        ScriptedPrompts script({PromptAnswer::No});
        Command(kCmdCoding);
        ASSERT_EQ(script.SeenIds(), std::vector<int>{149});
        EXPECT_EQ(script.Seen()[0].caption, L"Quillon - Подтверждение");
        EXPECT_EQ(script.Seen()[0].icon, PromptIcon::Warning);
        EXPECT_EQ(script.Seen()[0].buttons, PromptButtons::YesNo);
    }
    EXPECT_EQ(form->PanelText(3), L"Текст Windows");
    {
        ScriptedPrompts script({PromptAnswer::Yes});
        Command(kCmdCoding);
    }
    EXPECT_EQ(Editor().Text(), L"Привет, Ёж!\rна DOS ░╔═╗\r");
    EXPECT_EQ(Editor().SelStart(), 4);
    EXPECT_EQ(form->PanelText(3), L"Текст DOS");
    EXPECT_TRUE(Checked(L"CodingItem"));
    EXPECT_EQ(form->PanelText(1), L"Изменен");

    // The check and the panel follow the active window.
    TEditForm* dos = Active();
    NewDocument(L".txt");
    EXPECT_FALSE(Checked(L"CodingItem"));
    EXPECT_EQ(form->PanelText(3), L"Текст Windows");
    SendMessageW(form->DocumentArea(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(dos->Handle()), 0);
    test::PumpMessages();
    ASSERT_EQ(Active(), dos);
    EXPECT_TRUE(Checked(L"CodingItem"));
    EXPECT_EQ(form->PanelText(3), L"Текст DOS");

    Command(kCmdSave);
    std::string written;
    ASSERT_TRUE(ReadWholeFile(name, nullptr).has_value());
    EXPECT_EQ(*ReadWholeFile(name, nullptr), dosBytes);
    EXPECT_EQ(form->PanelText(1), L"");

    // Switching back shows the bytes as they are again, and then the text
    // differs from what was saved.
    {
        ScriptedPrompts script({PromptAnswer::Yes});
        Command(kCmdCoding);
    }
    EXPECT_EQ(Editor().Text()[0], L'\x040F') << "0x8F read in the Windows page";
    EXPECT_EQ(form->PanelText(1), L"Изменен");
    {
        ScriptedPrompts script({PromptAnswer::Yes});
        Command(kCmdCoding);
    }
    EXPECT_EQ(form->PanelText(1), L"") << "back to the saved text";

    // Closed, the file's recent entry remembers DOS text and reopens converted.
    SendMessageW(Active()->Handle(), WM_CLOSE, 0, 0);
    test::PumpMessages();
    ASSERT_EQ(form->Recent()[0].Coding, 1u);
    form->Files().MRUFileItemClick(0);
    test::PumpMessages();
    ASSERT_TRUE(Active());
    EXPECT_TRUE(Active()->DosText());
    EXPECT_EQ(Editor().Text(), L"Привет, Ёж!\rна DOS ░╔═╗\r");
    EXPECT_EQ(form->PanelText(1), L"") << "reopened, not changed";
    EXPECT_EQ(form->PanelText(3), L"Текст DOS");
}

}  // namespace
}  // namespace quillon

namespace quillon {
namespace {

class CodingUi : public EditingUi {
protected:
    void TearDown() override {
        SaveDialogRunner() = nullptr;
        EditingUi::TearDown();
    }
    TEditForm* Open(const std::wstring& name) {
        form->Files().OpenNamedFiles({name});
        test::PumpMessages();
        return Active();
    }
    std::string OnDisk(const std::wstring& name) { return ReadWholeFile(name, nullptr).value_or("(missing)"); }
};

TEST_F(CodingUi, UtfFilesOpenInTheirCodingAndSaveBackOnlyWhatChanged) {
    struct Case {
        const wchar_t* name;
        std::string bytes;
        std::wstring shown;
        const wchar_t* panel;
        bool utf8Checked;
        std::string saved;  // after "Ж" typed at the start
    } cases[] = {
        {L"plain.html", "<p>\xd0\x9f\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82 \xe2\x9c\x93</p>\n<p>\xe4\xb8\xad</p>\n",
         L"<p>Привет ✓</p>\r<p>中</p>\r", L"Текст UTF-8", true,
         "\xd0\x96<p>\xd0\x9f\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82 \xe2\x9c\x93</p>\n<p>\xe4\xb8\xad</p>\n"},
        {L"marked.css", "\xEF\xBB\xBF" "a { content: \"\xe2\x86\x92\"; }\r\n", L"a { content: \"→\"; }\r", L"Текст UTF-8",
         true, "\xEF\xBB\xBF\xd0\x96" "a { content: \"\xe2\x86\x92\"; }\r\n"},
        {L"wide.txt", std::string("\xFF\xFE\x1f\x04\r\0\n\0\x13\x27", 10), L"П\r✓", L"Текст UTF-16", false,
         std::string("\xFF\xFE\x16\x04\x1f\x04\r\0\n\0\x13\x27", 12)},
        {L"declared.xml", "<?xml version=\"1.0\" encoding=\"ibm866\"?>\r\n<a>\x8f\xb0</a>\r\n",
         L"<?xml version=\"1.0\" encoding=\"ibm866\"?>\r<a>П░</a>\r", L"Текст DOS", false,
         "\x86<?xml version=\"1.0\" encoding=\"ibm866\"?>\r\n<a>\x8f\xb0</a>\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::string(c.name, c.name + wcslen(c.name)));
        const std::wstring name = Put(c.name, c.bytes);
        TEditForm* document = Open(name);
        ASSERT_TRUE(document);
        EXPECT_EQ(Editor().Text(), c.shown);
        EXPECT_EQ(form->PanelText(3), c.panel);
        EXPECT_EQ(Checked(L"Utf8Item"), c.utf8Checked);
        EXPECT_EQ(Enabled(L"CodingItem"), !IsUnicode(document->Coding())) << "no DOS switch for a UTF document";
        EXPECT_EQ(form->PanelText(1), L"") << "opened, not changed";
        Caret(0);
        Editor().ReplaceSel(L"Ж");
        Command(kCmdSave);
        EXPECT_EQ(OnDisk(name), c.saved);
        EXPECT_EQ(form->PanelText(1), L"");
        SendMessageW(document->Handle(), WM_CLOSE, 0, 0);
        test::PumpMessages();
    }
}

TEST_F(CodingUi, ACharacterThePageLacksIsAskedAboutBeforeAnythingIsWritten) {
    const std::string original = "\xcf\xf0\xe8\xe2\xe5\xf2\r\n";  // "Привет" in Windows-1251
    const std::wstring name = Put(L"page.txt", original);
    TEditForm* document = Open(name);
    ASSERT_TRUE(document);
    Caret(6);
    Editor().ReplaceSel(L" ✓");
    test::PumpMessages();
    {
        // Save: No goes back to editing, the file untouched (no backup either).
        ScriptedPrompts script({PromptAnswer::No});
        Command(kCmdSave);
        ASSERT_EQ(script.SeenIds(), std::vector<int>{202});
        EXPECT_EQ(script.Seen()[0].buttons, PromptButtons::YesNo);
        EXPECT_NE(PromptText(script.Seen()[0]).find(L"Windows"), std::wstring::npos);
    }
    EXPECT_EQ(OnDisk(name), original);
    EXPECT_FALSE(std::filesystem::exists(BackupName(name))) << "no backup copy either";
    EXPECT_EQ(form->PanelText(1), L"Изменен");
    {
        // The close's save question, then No to the coding: the window stays.
        ScriptedPrompts script({PromptAnswer::Yes, PromptAnswer::No});
        SendMessageW(document->Handle(), WM_CLOSE, 0, 0);
        test::PumpMessages();
        EXPECT_EQ(script.SeenIds(), (std::vector<int>{110, 202}));
    }
    ASSERT_TRUE(IsWindow(document->Handle()));
    EXPECT_EQ(OnDisk(name), original);
    {
        // Save As: No keeps the old name and writes nothing.
        SaveDialogRunner() = [&](FileDialogRequest& request) {
            lstrcpynA(request.fileBuffer, TextToBytes(folder + L"other.txt", CodePage::Ansi).c_str(), request.bufferSize);
            return 1;
        };
        ScriptedPrompts script({PromptAnswer::No});
        Command(kCmdSaveAs);
        EXPECT_EQ(script.SeenIds(), std::vector<int>{202});
        EXPECT_EQ(document->FileName(), name);
        EXPECT_FALSE(std::filesystem::exists(folder + L"other.txt"));
    }
    {
        // Yes: the document is UTF-8 from now on, saved whole.
        ScriptedPrompts script({PromptAnswer::Yes});
        Command(kCmdSave);
        EXPECT_EQ(script.SeenIds(), std::vector<int>{202});
    }
    EXPECT_EQ(OnDisk(name), "\xd0\x9f\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82 \xe2\x9c\x93\r\n");
    EXPECT_EQ(form->PanelText(3), L"Текст UTF-8");
    EXPECT_TRUE(Checked(L"Utf8Item"));
    EXPECT_EQ(form->PanelText(1), L"");
    {
        // A DOS document is asked about the DOS page, at Save All too.
        const std::wstring dos = Put(L"dos.txt", "\x8f\r\n");
        Open(dos);
        ScriptedPrompts yes({PromptAnswer::Yes});
        Command(kCmdCoding);
        Editor().ReplaceSel(L"→");
        ScriptedPrompts script({PromptAnswer::No});
        Command(kCmdSaveAll);
        ASSERT_EQ(script.SeenIds(), std::vector<int>{202});
        EXPECT_NE(PromptText(script.Seen()[0]).find(L"DOS"), std::wstring::npos);
        EXPECT_EQ(OnDisk(dos), "\x8f\r\n");
    }
}

TEST_F(CodingUi, TheUtf8ItemSwitchesTheCodingAndKeepsTheText) {
    const std::wstring name = Put(L"page.html", "<p>\xcf\xf0\xe8\xe2\xe5\xf2</p>");
    TEditForm* document = Open(name);
    ASSERT_TRUE(document);
    EXPECT_FALSE(Checked(L"Utf8Item"));
    Command(kCmdUtf8);
    EXPECT_TRUE(Checked(L"Utf8Item"));
    EXPECT_FALSE(Enabled(L"CodingItem"));
    EXPECT_EQ(form->PanelText(3), L"Текст UTF-8");
    EXPECT_EQ(Editor().Text(), L"<p>Привет</p>");
    EXPECT_EQ(form->PanelText(1), L"Изменен") << "the file would change";
    Command(kCmdUtf8);
    EXPECT_EQ(form->PanelText(1), L"") << "back to the saved coding";
    EXPECT_TRUE(Enabled(L"CodingItem"));
    Command(kCmdUtf8);
    Command(kCmdSave);
    EXPECT_EQ(OnDisk(name), "<p>\xd0\x9f\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82</p>");

    // Towards Windows with a character Windows lacks: asked first, No keeps all.
    Caret(0);
    Editor().ReplaceSel(L"✓");
    {
        ScriptedPrompts script({PromptAnswer::No});
        Command(kCmdUtf8);
        ASSERT_EQ(script.SeenIds(), std::vector<int>{205});
        EXPECT_EQ(script.Seen()[0].defaultButton, 1) << "No is the default";
    }
    EXPECT_TRUE(Checked(L"Utf8Item"));
    EXPECT_EQ(Editor().Text(), L"✓<p>Привет</p>");
    {
        ScriptedPrompts script({PromptAnswer::Yes});
        Command(kCmdUtf8);
    }
    EXPECT_FALSE(Checked(L"Utf8Item"));
    EXPECT_EQ(Editor().Text(), L"?<p>Привет</p>") << "the text shows what the coding keeps";
    // Ctrl+D is not for UTF documents even when it arrives.
    Command(kCmdUtf8);
    {
        ScriptedPrompts script;
        Command(kCmdCoding);
        EXPECT_TRUE(script.SeenIds().empty());
    }
    EXPECT_EQ(document->Coding(), TextCoding::Utf8);
}

TEST_F(CodingUi, ReplaceAndCaseWorkOnAUtf8Document) {
    const std::wstring name = Put(L"cats.html", "\xd0\xba\xd0\xbe\xd1\x82 \xe2\x9c\x93 \xd0\xba\xd0\xbe\xd1\x82\n");
    Open(name);
    Command(kCmdReplace);
    HWND dialog = Active()->Searches().ReplaceWindowHandle();
    ASSERT_TRUE(dialog);
    SetDlgItemTextW(dialog, edt1, L"кот");
    SetDlgItemTextW(dialog, edt2, L"кошка");
    Click(dialog, psh2);  // replace all
    EXPECT_EQ(Editor().Text(), L"кошка ✓ кошка\r");
    SendMessageW(dialog, WM_CLOSE, 0, 0);
    test::PumpMessages();
    Command(kCmdSave);
    const std::string cat = "\xd0\xba\xd0\xbe\xd1\x88\xd0\xba\xd0\xb0";
    EXPECT_EQ(OnDisk(name), cat + " \xe2\x9c\x93 " + cat + "\n");
    // Case change and go to line work on the same text.
    Editor().Select(0, 5);
    Active()->ChangeCase(CaseMode::AllUpper);
    EXPECT_EQ(Editor().Text(), L"КОШКА ✓ кошка\r");
}

}  // namespace
}  // namespace quillon
