// The Window menu, Alt+1 ... Alt+0 and the window list dialog on the real windows.
#include <windows.h>

#include <string>

#include "about_box.h"
#include "command_table.h"
#include "quillon_version.h"
#include "win32_dialogs.h"
#include "storage.h"

#include <dlgs.h>
#include "dialog_script.h"
#include "editor_ui_fixture.h"
#include "message_loop.h"
#include "prompts.h"
#include "window_commands.h"

namespace quillon {
namespace {

using test::DialogScript;

class WindowsUi : public EditorUi {
protected:
    std::vector<std::wstring> Open(int count) {
        std::vector<std::wstring> names;
        for (int n = 0; n < count; ++n) names.push_back(Put(L"w" + std::to_wstring(n) + L".txt", "text"));
        form->Files().OpenNamedFiles(names);
        test::PumpMessages();
        return names;
    }
    // A key through the program's own message handling (its accelerators).
    void AltKey(int key) {
        MSG msg{Active() ? Active()->Editor().Handle() : frame, WM_SYSKEYDOWN, static_cast<WPARAM>(key), 1 | (1 << 29), 0, {}};
        BYTE saved[256] = {}, keys[256] = {};
        GetKeyboardState(saved);
        memcpy(keys, saved, sizeof keys);
        keys[VK_MENU] = keys[VK_LMENU] = 0x80;
        SetKeyboardState(keys);
        if (!TranslateProgramMessage(*form, msg)) DispatchMessageW(&msg);
        test::PumpMessages();
        SetKeyboardState(saved);
    }
    int ActiveNumber() { return form->Windows().NumberOf(Active()->Handle()); }
};

TEST_F(WindowsUi, AltAndADigitSelectsThatWindowAndRestoresItWhenMinimized) {
    const auto names = Open(2);
    EXPECT_EQ(ActiveNumber(), 1);
    AltKey('1');
    EXPECT_EQ(ActiveNumber(), 0);
    EXPECT_EQ(Active()->FileName(), names[0]);
    AltKey('3');  // only two windows
    EXPECT_EQ(ActiveNumber(), 0);
    EXPECT_TRUE(form->Windows().Buttons()[0].pressed);

    HWND second = static_cast<HWND>(const_cast<void*>(form->Windows().At(1)));
    SendMessageW(form->DocumentArea(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(Active()->Handle()), 0);
    ShowWindow(second, SW_MINIMIZE);
    test::PumpMessages();
    ASSERT_TRUE(IsIconic(second));
    AltKey('2');
    EXPECT_EQ(Active()->Handle(), second);
    EXPECT_FALSE(IsIconic(second)) << "selected by its number, a minimized window is restored";
}

// After Alt+2 the release of Alt is not a lone Alt: the menu bar stays out of
// keyboard mode and the chosen document has the keyboard. A lone Alt still
// reaches the frame (the menu's own behaviour).
TEST_F(WindowsUi, AWindowChosenByAltAndADigitKeepsTheKeyboardFromTheMenuBar) {
    const auto names = Open(2);
    AltKey('1');
    ASSERT_EQ(ActiveNumber(), 0);
    MSG release{Active()->Editor().Handle(), WM_SYSKEYUP, VK_MENU, static_cast<LPARAM>(1 | (1u << 30) | (1u << 31)), 0, {}};
    EXPECT_TRUE(TranslateProgramMessage(*form, release)) << "the Alt release after Alt+1 is the program's";
    EXPECT_EQ(GetFocus(), Active()->Editor().Handle());
    MSG lonePress{Active()->Editor().Handle(), WM_SYSKEYDOWN, VK_MENU, 1 | (1 << 29), 0, {}};
    EXPECT_FALSE(TranslateProgramMessage(*form, lonePress));
    EXPECT_FALSE(TranslateProgramMessage(*form, release)) << "a lone Alt goes on to the menu bar";
}

TEST_F(WindowsUi, TheWindowMenuArrangesAndStepsThroughTheWindows) {
    EXPECT_FALSE(Enabled(L"CascadeItem")) << "no document: the Window menu is off";
    Open(3);
    EXPECT_TRUE(Enabled(L"CascadeItem"));
    EXPECT_TRUE(Enabled(L"CloseAllItem"));
    Command(kCmdCascade);
    EXPECT_FALSE(IsZoomed(Active()->Handle()));
    Command(kCmdTileSideBySide);
    RECT a{}, b{};
    GetWindowRect(static_cast<HWND>(const_cast<void*>(form->Windows().At(0))), &a);
    GetWindowRect(static_cast<HWND>(const_cast<void*>(form->Windows().At(1))), &b);
    EXPECT_TRUE(a.top == b.top && a.left != b.left) << "side by side";
    Command(kCmdTileAbove);
    GetWindowRect(static_cast<HWND>(const_cast<void*>(form->Windows().At(0))), &a);
    GetWindowRect(static_cast<HWND>(const_cast<void*>(form->Windows().At(1))), &b);
    EXPECT_TRUE(a.left == b.left && a.top != b.top) << "one above the other";
    const int before = ActiveNumber();
    Command(kCmdNextWindow);
    const int next = ActiveNumber();
    EXPECT_NE(next, before);
    Command(kCmdPreviousWindow);
    EXPECT_EQ(ActiveNumber(), before);
    // Closing window 0 renumbers the others.
    HWND first = static_cast<HWND>(const_cast<void*>(form->Windows().At(0)));
    HWND third = static_cast<HWND>(const_cast<void*>(form->Windows().At(2)));
    SendMessageW(first, WM_CLOSE, 0, 0);
    test::PumpMessages();
    EXPECT_EQ(form->Windows().Count(), 2);
    EXPECT_EQ(form->Windows().NumberOf(third), 1);
    EXPECT_FALSE(form->Windows().Buttons()[2].enabled);
    EXPECT_EQ(form->Windows().Buttons()[2].caption, L"(нет окна)");
}

TEST_F(WindowsUi, TheWindowListDialogActivatesClosesAndEndsWithTheLastWindow) {
    const auto names = Open(3);
    // OK on the first window: activated; the status line showed the long hint meanwhile.
    std::wstring hint;
    {
        DialogScript answers(L"Выбор окна", {[&](HWND d) {
            HWND list = GetDlgItem(d, kWindowsListId);
            EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 3);
            EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 2) << "the active window";
            SendMessageW(list, LB_SETCURSEL, 0, 0);
            SendMessageW(d, WM_COMMAND, MAKEWPARAM(kWindowsListId, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
            hint = form->HintShown();
            SendMessageW(GetDlgItem(d, IDOK), BM_CLICK, 0, 0);
        }});
        Command(kCmdWindowList);
    }
    EXPECT_EQ(hint, L"Активизировать окно с файлом \"" + names[0] + L"\"");
    EXPECT_EQ(form->HintShown(), L"");
    EXPECT_EQ(Active()->FileName(), names[0]);

    // Cancel after choosing another entry: the active window stays.
    {
        DialogScript answers(L"Выбор окна", {[&](HWND d) {
            HWND list = GetDlgItem(d, kWindowsListId);
            SendMessageW(list, LB_SETCURSEL, 2, 0);
            SendMessageW(d, WM_COMMAND, MAKEWPARAM(kWindowsListId, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
            SendMessageW(GetDlgItem(d, IDCANCEL), BM_CLICK, 0, 0);
        }});
        Command(kCmdWindowList);
        EXPECT_EQ(answers.StepsRun(), 1);
    }
    EXPECT_EQ(Active()->FileName(), names[0]) << "Cancel activates nothing";

    // "Удалить" on a modified window answered Cancel keeps it; then all go and the dialog ends.
    Active()->Editor().ReplaceSel(L"changed");
    HWND modified = Active()->Handle();
    ScriptedPrompts script({PromptAnswer::Cancel, PromptAnswer::No});
    std::vector<int> entriesAfter;
    bool keptAfterCancel = false;
    {
        const auto remove = [&](HWND d) {
            SendMessageW(GetDlgItem(d, kWindowDeleteId), BM_CLICK, 0, 0);
            if (entriesAfter.empty()) keptAfterCancel = IsWindow(modified) != FALSE;
            if (IsWindowVisible(d))  // the last removal ends the dialog
                entriesAfter.push_back(static_cast<int>(SendDlgItemMessageW(d, kWindowsListId, LB_GETCOUNT, 0, 0)));
        };
        DialogScript answers(L"Выбор окна", {remove, remove, remove, remove, remove});
        Command(kCmdWindowList);
        EXPECT_EQ(answers.StepsRun(), 4) << "one refusal, then the three windows; the last one ends the dialog";
    }
    EXPECT_TRUE(keptAfterCancel) << "the save question's Cancel keeps the window";
    EXPECT_EQ(entriesAfter, (std::vector<int>{3, 2, 1})) << "each removal leaves the others listed";
    EXPECT_EQ(script.SeenIds(), (std::vector<int>{110, 110}));
    EXPECT_TRUE(form->Documents().empty());
    EXPECT_EQ(form->Windows().Count(), 0);
}

// Help > About: the box with the program's icon, name, version and notice; OK closes it.
TEST_F(WindowsUi, AboutBoxShowsTheProgramAndItsVersion) {
    std::wstring product, version, notice;
    bool icon = false;
    SIZE client{};
    DialogScript script(L"О программе", {[&](HWND box) {
        product = ControlText(box, kAboutProductId);
        version = ControlText(box, kAboutVersionId);
        notice = ControlText(box, kAboutNoticeId);
        icon = SendDlgItemMessageW(box, kAboutIconId, STM_GETICON, 0, 0) != 0;
        RECT r{};
        GetClientRect(box, &r);
        client = {r.right, r.bottom};
        SendMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    }});
    Command(kCmdAbout);
    EXPECT_EQ(script.StepsRun(), 1);
    EXPECT_EQ(product, L"Quillon");
    EXPECT_EQ(version, L"Версия " QUILLON_VERSION_TEXT L" от " QUILLON_RELEASE_DATE);
    EXPECT_NE(notice.find(L"Brindle"), std::wstring::npos);
    EXPECT_TRUE(icon) << "the program's icon";
    EXPECT_EQ(client.cx, 264);
    EXPECT_EQ(client.cy, 123);
    EXPECT_FALSE(test::FindThreadDialog(L"О программе"));
}

// View > Font: Apply changes the editors at once, Cancel gives their font
// back, OK stores the font; without a document there is no Apply.
TEST_F(WindowsUi, FontDialogAppliesCancelsAndStores) {
    Open(2);
    const EditorFont before = Active()->Editor().Font();
    ASSERT_EQ(before.twips, 225) << "15 pixels";
    EditorFont applied, inactive;
    bool applyShown = false;
    std::wstring shownFace, shownSize;
    {
        DialogScript script(L"Шрифт", {[&](HWND dialog) {
                                          applyShown = IsWindowVisible(GetDlgItem(dialog, psh3));
                                          wchar_t text[LF_FACESIZE] = {};
                                          GetDlgItemTextW(dialog, cmb1, text, LF_FACESIZE);
                                          shownFace = text;
                                          GetDlgItemTextW(dialog, cmb3, text, LF_FACESIZE);
                                          shownSize = text;
                                          HWND sizes = GetDlgItem(dialog, cmb3);
                                          const auto at = SendMessageW(sizes, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                                       reinterpret_cast<LPARAM>(L"14"));
                                          SendMessageW(sizes, CB_SETCURSEL, at, 0);
                                          SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb3, CBN_SELCHANGE),
                                                       reinterpret_cast<LPARAM>(sizes));
                                          SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(psh3, BN_CLICKED),
                                                       reinterpret_cast<LPARAM>(GetDlgItem(dialog, psh3)));
                                          applied = Active()->Editor().Font();
                                          inactive = form->Documents().back()->Editor().Font();
                                          SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
                                      }});
        Command(kCmdFont);
        EXPECT_EQ(script.StepsRun(), 1);
    }
    EXPECT_TRUE(applyShown);
    EXPECT_EQ(shownFace, before.name) << "the dialog opens on the editors' font";
    EXPECT_EQ(shownSize, L"11");
    EXPECT_EQ(applied.name, L"Courier New") << "the dialog's font, applied";
    EXPECT_EQ(applied.size, 14);
    EXPECT_EQ(inactive.size, 14) << "every window";
    EXPECT_EQ(Active()->Editor().Font().name, before.name) << "Cancel gives the font back";
    EXPECT_EQ(Active()->Editor().Font().twips, before.twips) << "exactly, not rounded to whole points";
    EXPECT_EQ(form->Documents().back()->Editor().Font().twips, before.twips);
    EXPECT_TRUE(form->Options().FontName.empty()) << "Cancel leaves the options as they were";
    EXPECT_FALSE(registry.Open(RegistryRoot::CurrentUser, std::wstring(storage::kRootKey)) &&
                 storage::LoadOptions(registry).FontName == L"Courier New");

    {
        DialogScript script(L"Шрифт", {[&](HWND dialog) { SendMessageW(dialog, WM_COMMAND, IDOK, 0); }});
        Command(kCmdFont);
    }
    EditorOptions stored;
    storage::LoadFont(registry, stored);
    EXPECT_EQ(stored.FontName, L"Courier New") << "OK stores the font";
    EXPECT_GT(stored.FontSize, 0);
    EXPECT_EQ(Active()->Editor().Font().name, L"Courier New");

    for (TEditForm* document : form->Documents()) document->Editor().SetModified(false);
    Command(kCmdCloseAll);
    {
        DialogScript script(L"Шрифт", {[&](HWND dialog) {
                                          applyShown = IsWindowVisible(GetDlgItem(dialog, psh3));
                                          SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
                                      }});
        Command(kCmdFont);
    }
    EXPECT_FALSE(applyShown) << "no document, no Apply";
}

}  // namespace
}  // namespace quillon
