// The macro keys, the picker, the delayed status messages and the formatting
// commands on the real windows: keys posted to the editor control and pumped
// through the program's own message handling (its accelerators included).
#include <windows.h>

#include <string>

#include "codepage.h"
#include "command_table.h"
#include "dialog_script.h"
#include "editor_ui_fixture.h"
#include "macro_keyboard.h"
#include "macro_keys.h"
#include "macro_picker.h"
#include "macro_sets.h"
#include "message_loop.h"
#include "prompts.h"
#include "storage.h"
#include "win32_delayed_message.h"

namespace quillon {
namespace {

using test::Modifiers;

std::string Cp(const std::wstring& text) { return TextToBytes(text, CodePage::Win1251); }

class MacroUi : public EditorUi {
protected:
    void SetUp() override {
        DelayedMessageTimes() = {300, 25};  // the 5 s of the product, shortened for the tests
        TMacrosList stored;
        const auto add = [&](const std::wstring& name, const std::wstring& text, char key, bool prefixK) {
            TMacrosItem& macro = stored.AddMacro();
            macro.SetName(Cp(name));
            macro.SetDescription(Cp(L"описание " + name));
            macro.SetText(Cp(text));
            macro.SetKey(key);
            macro.SetPrefixK(prefixK);
            return &macro;
        };
        add(L"жирный", L"<b>^</b>", 'B', true);
        add(L"восклицание", L"!", 'B', true);
        add(L"кавычки", L"«|»", 'A', false);
        add(L"по умолчанию & с очень длинным именем, которое не помещается", L"DEF\r\n", kNoKey, true)->SetDefault(true);
        storage::SaveMacroValues(registry, stored.WriteMacroSet(), 0, false);
        EditorUi::SetUp();
    }
    void TearDown() override {
        EditorUi::TearDown();
        DelayedMessageTimes() = {};
    }
    // A key on the active editor, through the program's message handling.
    void Key(int key, Modifiers held = {}) {
        BYTE saved[256] = {}, keys[256] = {};
        GetKeyboardState(saved);
        memcpy(keys, saved, sizeof keys);
        keys[VK_CONTROL] = keys[VK_LCONTROL] = held.ctrl ? 0x80 : 0;
        keys[VK_SHIFT] = keys[VK_LSHIFT] = held.shift ? 0x80 : 0;
        SetKeyboardState(keys);
        HWND target = GetFocus() ? GetFocus() : Active()->Editor().Handle();
        PostMessageW(target, WM_KEYDOWN, static_cast<WPARAM>(key), 1);
        PostMessageW(target, WM_KEYUP, static_cast<WPARAM>(key), static_cast<LPARAM>(1 | (1LL << 30) | (1LL << 31)));
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (TranslateProgramMessage(*form, msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        SetKeyboardState(saved);
    }
    TEditForm* Html(const std::wstring& text) {
        TEditForm* document = form->Files().NewDocument(L".html");
        document->Editor().ReplaceSel(text);
        SetFocus(document->Editor().Handle());
        test::PumpMessages();
        return document;
    }
    std::wstring Text() { return Active()->Editor().Text(); }
    bool PanelFiveClears() {
        return test::WaitFor([&] { return form->PanelText(5).empty(); }, std::chrono::seconds(10));
    }
};

TEST_F(MacroUi, AMissingFormattingStreamIsReportedAndTheProgramGoesOn) {
    ASSERT_EQ(FormatMacros().Count(), 11);
    ScriptedPrompts script;
    LoadFormatMacros(GetModuleHandleW(L"kernel32.dll"), frame);  // a module without RCDATA 1
    EXPECT_EQ(script.SeenIds(), std::vector<int>{165});
    EXPECT_EQ(FormatMacros().Count(), 0);
    Html(L"x");
    Active()->Editor().Select(0, 1);
    Command(0);
    EXPECT_EQ(Text(), L"x") << "Bold has nothing to insert";
    LoadFormatMacros(GetModuleHandleW(nullptr), frame);
    EXPECT_EQ(FormatMacros().Count(), 11);
}

TEST_F(MacroUi, TheDelayOfTheProductIsFiveSecondsInQuarterSeconds) {
    const DelayedMessageTiming product;
    EXPECT_EQ(product.delayMs, 5000);
    EXPECT_EQ(product.stepMs, 250);
}

TEST_F(MacroUi, CtrlKAndALetterInsertEveryMacroOnItAndSayItForAWhile) {
    Html(L"x");
    Key('K', {.ctrl = true});
    EXPECT_EQ(form->PanelText(5), L"Ожидание K-макроса");
    Key('B', {.ctrl = true});  // Ctrl+B is the letter here, not Bold
    EXPECT_EQ(Text(), L"x<b>!</b>") << "both macros on B, in list order, the second at the first's caret";
    EXPECT_EQ(form->PanelText(5), L"Вставлен макрос восклицание");
    EXPECT_TRUE(Active()->Editor().Modified());
    EXPECT_TRUE(PanelFiveClears());
    // Undone in two steps, one a macro.
    Command(kCmdUndo);
    EXPECT_EQ(Text(), L"x<b></b>");

    Key('Q', {.ctrl = true});
    EXPECT_EQ(form->PanelText(5), L"Ожидание Q-макроса");
    Key('A');
    EXPECT_EQ(Text(), L"x<b>«»</b>");
    EXPECT_EQ(Active()->Editor().SelStart(), 5) << "the caret at the bar";
}

TEST_F(MacroUi, AMacroGoesIntoAUtf8DocumentAndSavesAsUtf8) {
    const std::wstring name = Put(L"page.html", "\xe2\x9c\x93 \xd0\xb4\xd0\xb0");  // "✓ да"
    form->Files().OpenNamedFiles({name});
    test::PumpMessages();
    ASSERT_TRUE(Active());
    ASSERT_EQ(Active()->Coding(), TextCoding::Utf8);
    Active()->Editor().Select(2, 2);
    SetFocus(Active()->Editor().Handle());
    Key('K', {.ctrl = true});
    Key('B', {.ctrl = true});
    EXPECT_EQ(Text(), L"✓ <b>!да</b>") << "both macros on B, the second at the first's caret";
    Command(kCmdSave);
    EXPECT_EQ(ReadWholeFile(name, nullptr), std::optional<std::string>("\xe2\x9c\x93 <b>!\xd0\xb4\xd0\xb0</b>"));
}

TEST_F(MacroUi, NoMacroOnTheKeyIsSaidAndEscapeOnlyEndsTheWaiting) {
    Html(L"x");
    Key('K', {.ctrl = true});
    Key('C');
    EXPECT_EQ(Text(), L"x");
    EXPECT_EQ(form->PanelText(5), L"Maкрос Ctrl+K, C отсутствует");
    EXPECT_TRUE(PanelFiveClears());

    Key('K', {.ctrl = true});
    Key(VK_ESCAPE);
    EXPECT_EQ(form->PanelText(5), L"");
    EXPECT_EQ(Text(), L"x");
    // After the waiting, Ctrl+B is Bold again.
    Active()->Editor().Select(0, 1);
    Key('B', {.ctrl = true});
    EXPECT_EQ(Text(), L"<b>x</b>");
}

// The waiting ends whenever its editor loses the keyboard: the window closed
// by Ctrl+F4 with Ctrl still held from K, closed by the mouse, or another
// document clicked. The program's keys work at once afterwards.
TEST_F(MacroUi, TheWaitingEndsWhenItsDocumentGoesOrLosesTheFocus) {
    ScriptedPrompts script({PromptAnswer::No, PromptAnswer::No});  // the closed documents are not saved
    TEditForm* first = Html(L"one");
    Html(L"two");
    Key('K', {.ctrl = true});
    ASSERT_EQ(form->PanelText(5), L"Ожидание K-макроса");
    Key(VK_F4, {.ctrl = true});
    ASSERT_EQ(form->Documents().size(), 1u) << "Ctrl+F4 closed the waiting document";
    EXPECT_EQ(SharedMacroKeyState(), MacroKeyState::Idle);
    EXPECT_EQ(form->PanelText(5), L"");
    SetFocus(first->Editor().Handle());
    Active()->Editor().Select(0, 3);
    Key('B', {.ctrl = true});
    EXPECT_EQ(Text(), L"<b>one</b>") << "Ctrl+B is Bold again";

    Key('Q', {.ctrl = true});
    SendMessageW(first->Handle(), WM_CLOSE, 0, 0);  // the close box; the text is modified, not saved
    test::PumpMessages();
    EXPECT_EQ(SharedMacroKeyState(), MacroKeyState::Idle);

    TEditForm* third = Html(L"3");
    TEditForm* fourth = Html(L"4");
    Key('K', {.ctrl = true});
    ASSERT_EQ(SharedMacroKeyState(), MacroKeyState::WaitingK);
    SendMessageW(form->DocumentArea(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(third->Handle()), 0);
    test::PumpMessages();
    EXPECT_NE(GetFocus(), fourth->Editor().Handle());
    EXPECT_EQ(SharedMacroKeyState(), MacroKeyState::Idle);
    EXPECT_EQ(form->PanelText(5), L"");
}

TEST_F(MacroUi, AWaitingTextStaysWhenAnEarlierMessageRunsOut) {
    Html(L"");
    Key('M', {.ctrl = true});
    EXPECT_EQ(Text(), L"DEF\r") << "the default macro, its line feed dropped";
    EXPECT_EQ(form->PanelText(5), L"Вставлен макрос по умолчанию & с очень длинным именем, которое не помещается");
    Key('K', {.ctrl = true});
    // The message's thread runs out meanwhile and must leave the waiting text.
    Sleep(DelayedMessageTimes().delayMs + 100);
    test::PumpMessages();
    EXPECT_TRUE(test::WaitFor([] { return SharedDelayedMessages().Live() == 0; }, std::chrono::seconds(10)));
    test::PumpMessages();
    EXPECT_EQ(form->PanelText(5), L"Ожидание K-макроса");
    Key(VK_ESCAPE);
}

TEST_F(MacroUi, ThePickerOpensAtTheCaretAndInsertsTheChosenMacro) {
    TEditForm* document = Html(L"abc");
    Key('J', {.ctrl = true});
    HWND list = OpenMacroPickerList();
    ASSERT_TRUE(list);
    EXPECT_TRUE(IsWindowVisible(list));
    EXPECT_EQ(GetFocus(), list);
    EXPECT_EQ(form->PanelCount(), 2) << "the compact status bar";
    EXPECT_EQ(form->PanelText(0), L"Выделен макрос жирный - описание жирный");
    EXPECT_EQ(form->PanelText(1), L"Сочетание клавиш: Ctrl+K, B");
    // Inside the document window's client area.
    RECT picker{}, client{};
    GetWindowRect(GetParent(list), &picker);
    GetClientRect(document->Handle(), &client);
    MapWindowPoints(document->Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    EXPECT_GE(picker.left, client.left);
    EXPECT_LE(picker.right, client.right);
    EXPECT_LE(picker.bottom, client.bottom);

    Key(VK_DOWN);
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_EQ(form->PanelText(1), L"Сочетание клавиш: (Нет)");
    Key(VK_RETURN);
    EXPECT_EQ(Text(), L"abcDEF\r");
    EXPECT_FALSE(OpenMacroPickerList());
    EXPECT_FALSE(IsWindowVisible(GetParent(list)));
    EXPECT_EQ(GetFocus(), document->Editor().Handle());
    EXPECT_EQ(form->PanelCount(), 6);
    EXPECT_EQ(form->PanelText(2), L"Вставка") << "the panels filled again";
    EXPECT_EQ(UserMacros()[0].Text(), "DEF\r\n") << "the set is sorted by last use";

    // Esc closes it, nothing inserted.
    Key('J', {.ctrl = true});
    ASSERT_TRUE(OpenMacroPickerList());
    Key(VK_ESCAPE);
    EXPECT_FALSE(OpenMacroPickerList());
    EXPECT_EQ(Text(), L"abcDEF\r");
    EXPECT_EQ(form->PanelCount(), 6);
    // The main window's menu opening closes it too.
    Key('J', {.ctrl = true});
    ASSERT_TRUE(OpenMacroPickerList());
    SendMessageW(frame, WM_ENTERMENULOOP, FALSE, 0);
    EXPECT_FALSE(OpenMacroPickerList());
}

TEST_F(MacroUi, FormattingCommandsWrapTheSelectionOnlyInDocumentsThatTakeTags) {
    Html(L"abc");
    Active()->Editor().Select(0, 3);
    Command(0);  // Bold
    EXPECT_EQ(Text(), L"<b>abc</b>");
    EXPECT_EQ(Active()->Editor().SelStart(), 3);
    EXPECT_EQ(Active()->Editor().SelLength(), 3);
    Active()->Editor().SetSelStart(static_cast<int>(Text().size()));
    Command(10);  // Subscript, also by its own key
    EXPECT_EQ(Text(), L"<b>abc</b><sub></sub>");
    EXPECT_EQ(Active()->Editor().SelStart(), 15) << "between the tags";
    Key('D', {.shift = true, .ctrl = true});
    EXPECT_EQ(Text(), L"<b>abc</b><sub><sub></sub></sub>");
    Command(kCmdUndo);
    Command(kCmdUndo);
    Command(kCmdUndo);
    EXPECT_EQ(Text(), L"abc");

    form->Files().NewDocument(L".txt");
    Active()->Editor().ReplaceSel(L"plain");
    Active()->Editor().Select(0, 5);
    test::PumpMessages();
    EXPECT_FALSE(Enabled(L"BoldItem"));
    Command(0);
    EXPECT_EQ(Text(), L"plain") << "a kind without tags";
}

TEST_F(MacroUi, TheUsersMacrosComeBackAtTheNextStartAndABrokenStoreIsReported) {
    Html(L"");
    Key('J', {.ctrl = true});
    Key(VK_DOWN);
    Key(VK_DOWN);
    Key(VK_RETURN);  // "кавычки" to the front
    {
        // The macros dialog, closed at once: the set is stored as it leaves it.
        test::DialogScript close(L"Макросы", {});
        Command(kCmdMacroEditor);
    }
    DestroyWindow(frame);
    test::PumpMessages();
    form = THtmlScrivoForm::Create(GetModuleHandleW(nullptr), {SW_SHOWNORMAL, &registry});
    ASSERT_TRUE(form);
    frame = form->Frame();
    test::PumpMessages();
    ASSERT_EQ(UserMacros().Count(), 4);
    EXPECT_EQ(UserMacros()[0].Name(), Cp(L"кавычки"));
    Html(L"");
    Key('Q', {.ctrl = true});
    Key('A');
    EXPECT_EQ(Text(), L"«»");

    // A damaged "Macros": what could be read stays, and the user is told.
    auto key = registry.Create(RegistryRoot::CurrentUser, storage::kRootKey);
    auto bytes = *key->ReadBinary(L"Macros");
    bytes.resize(bytes.size() - 10);
    key->WriteBinary(L"Macros", bytes);
    for (TEditForm* document : form->Documents()) document->Editor().SetModified(false);
    DestroyWindow(frame);
    test::PumpMessages();
    ScriptedPrompts script;
    form = THtmlScrivoForm::Create(GetModuleHandleW(nullptr), {SW_SHOWNORMAL, &registry});
    ASSERT_TRUE(form);
    frame = form->Frame();
    EXPECT_EQ(script.SeenIds(), std::vector<int>{132});
    EXPECT_EQ(script.Seen()[0].icon, PromptIcon::Information);
    EXPECT_EQ(UserMacros().Count(), 3);
}

}  // namespace
}  // namespace quillon
