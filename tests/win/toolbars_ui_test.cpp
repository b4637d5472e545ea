// The cool bar on the real main window: button states with the menu's,
// window buttons, chevron menus, hints, the stored layout and the missing
// picture library.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "command_table.h"
#include "editor_ui_fixture.h"
#include "prompts.h"
#include "storage.h"
#include "win_test_support.h"

namespace quillon {
namespace {

class ToolbarsUi : public EditorUi {
protected:
    bool On(std::wstring_view button) { return form->Bar().IsEnabled(button); }
    TEditForm* Open(const std::wstring& name, const std::string& text = "text") {
        form->Files().OpenNamedFiles({Put(name, text)});
        test::PumpMessages();
        return Active();
    }
    static void SetBandWidth(HWND rebar, int index, int width) {
        REBARBANDINFOW band{};
        band.cbSize = REBARBANDINFOW_V3_SIZE;
        band.fMask = RBBIM_SIZE;
        band.cx = static_cast<UINT>(width);
        SendMessageW(rebar, RB_SETBANDINFOW, index, reinterpret_cast<LPARAM>(&band));
        test::PumpMessages();
    }
    // The band's width set so that its first hidden button is the one named
    // (bounded search from wide to narrow); false when no width gives that.
    bool NarrowUntilFirstHidden(Toolbar toolbar, std::wstring_view caption) {
        HWND rebar = form->Bar().Handle();
        const int index = form->Bar().BandIndex(toolbar);
        for (int width = 400; width > 20; width -= 2) {
            SetBandWidth(rebar, index, width);
            const auto items = form->Bar().ChevronMenuItems(index);
            if (!items.empty() && !items[0].separator && items[0].caption == caption) return true;
        }
        return false;
    }
};

TEST_F(ToolbarsUi, ButtonsFollowTheMenuStates) {
    // No document: only what works without one.
    for (const wchar_t* button : {L"NewBtn", L"LoadTemplateBtn", L"OpenBtn"}) EXPECT_TRUE(On(button)) << button;
    for (const wchar_t* button : {L"SaveBtn", L"SaveAllBtn", L"BrowseBtn", L"FindBtn", L"GoToBtn", L"FindNextBtn",
                                  L"CutBtn", L"CopyBtn", L"PasteBtn", L"CascadeBtn", L"Window1Btn", L"BoldBtn"})
        EXPECT_FALSE(On(button)) << button;

    TEditForm* text = Open(L"plain.txt");
    ASSERT_TRUE(text);
    EXPECT_TRUE(On(L"FindBtn"));
    EXPECT_TRUE(On(L"GoToBtn"));
    EXPECT_TRUE(On(L"SaveAllBtn"));
    EXPECT_TRUE(On(L"CascadeBtn"));
    EXPECT_FALSE(On(L"BoldBtn")) << "plain text: no formatting";
    EXPECT_FALSE(On(L"SaveBtn"));
    EXPECT_TRUE(On(L"Window1Btn"));
    EXPECT_TRUE(form->Bar().IsPressed(L"Window1Btn"));

    text->Editor().Select(0, 1);
    text->Editor().ReplaceSel(L"T");
    test::PumpMessages();
    EXPECT_TRUE(On(L"SaveBtn")) << "modified";
    EXPECT_TRUE(On(L"UndoBtn"));
    EXPECT_EQ(On(L"SaveBtn"), Enabled(L"SaveItem"));

    Open(L"page.html", "<p>x</p>");
    EXPECT_TRUE(On(L"BoldBtn"));
    EXPECT_TRUE(On(L"SubsriptBtn"));
    EXPECT_TRUE(form->Bar().IsPressed(L"Window2Btn"));
    EXPECT_FALSE(form->Bar().IsPressed(L"Window1Btn")) << "one check group";
    EXPECT_FALSE(On(L"Window3Btn"));

    Active()->Editor().Select(0, 3);
    test::PumpMessages();
    EXPECT_TRUE(On(L"CopyBtn"));
    EXPECT_TRUE(On(L"CutBtn"));
    Active()->Editor().Select(1, 0);
    test::PumpMessages();
    EXPECT_FALSE(On(L"CopyBtn"));

    // Every window closed: the window buttons go off and are released.
    for (TEditForm* document : form->Documents()) document->Editor().SetModified(false);
    Command(kCmdCloseAll);
    EXPECT_FALSE(On(L"Window1Btn"));
    EXPECT_FALSE(form->Bar().IsPressed(L"Window2Btn"));
    EXPECT_FALSE(On(L"FindBtn"));
    EXPECT_FALSE(On(L"BoldBtn"));
}

TEST_F(ToolbarsUi, ButtonsRunTheirCommandsAndWindowButtonsSelectWindows) {
    Open(L"one.txt");
    HWND first = Active()->Handle();
    Open(L"two.html", "<p>x</p>");
    HWND second = Active()->Handle();
    HWND bar = form->Bar().ToolbarWindow(Toolbar::Window);
    auto click = [&](HWND toolbar, std::wstring_view name) {
        const auto index = static_cast<UINT>(FindButton(name) - ToolButtonRows().data());
        SendMessageW(frame, WM_COMMAND, MAKEWPARAM(kFirstButtonId + index, BN_CLICKED), reinterpret_cast<LPARAM>(toolbar));
        test::PumpMessages();
    };
    SendMessageW(form->DocumentArea(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(second), 0);
    ShowWindow(first, SW_MINIMIZE);
    test::PumpMessages();
    click(bar, L"Window1Btn");
    EXPECT_EQ(Active()->Handle(), first);
    EXPECT_FALSE(IsIconic(first)) << "selected by its button, a minimized window is restored";

    click(bar, L"Window2Btn");
    EXPECT_EQ(Active()->Handle(), second);
    Active()->Editor().Select(1, 1);
    click(form->Bar().ToolbarWindow(Toolbar::Format), L"BoldBtn");
    EXPECT_EQ(Active()->Editor().Text(), L"<<b>p</b>>x</p>");
}

TEST_F(ToolbarsUi, ChevronMenuOffersTheCutOffButtons) {
    TEditForm* document = Open(L"page.html", "<p>some text</p>");
    ASSERT_TRUE(document);
    const int edit = form->Bar().BandIndex(Toolbar::Edit);
    ASSERT_TRUE(NarrowUntilFirstHidden(Toolbar::Edit, L"Копировать")) << "the Edit band cut in half";
    auto items = form->Bar().ChevronMenuItems(edit);
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[1].caption, L"Вставить");
    EXPECT_TRUE(items[2].separator);
    EXPECT_EQ(items[3].caption, L"Удалить");
    EXPECT_FALSE(items[0].enabled) << "Copy greyed without a selection";
    document->Editor().Select(0, 3);
    test::PumpMessages();
    EXPECT_TRUE(form->Bar().ChevronMenuItems(edit)[0].enabled);

    // The File band narrowed to nothing: New comes with the kinds as a
    // submenu, the first one bold.
    const int file = form->Bar().BandIndex(Toolbar::File);
    ASSERT_TRUE(NarrowUntilFirstHidden(Toolbar::File, L"Создать"));
    std::vector<std::pair<UINT, UINT>> copied;
    HMENU menu = form->Bar().BuildChevronMenu(file, copied);
    ASSERT_TRUE(menu);
    HMENU kinds = GetSubMenu(menu, 0);
    ASSERT_TRUE(kinds);
    ASSERT_GT(GetMenuItemCount(kinds), 1);
    EXPECT_EQ(GetMenuState(kinds, 0, MF_BYPOSITION) & MF_DEFAULT, static_cast<UINT>(MF_DEFAULT));
    EXPECT_EQ(GetMenuState(kinds, 1, MF_BYPOSITION) & MF_DEFAULT, 0u);
    ASSERT_FALSE(copied.empty());
    EXPECT_EQ(copied[0].first, kChevronFirstId + static_cast<UINT>(ButtonsOf(Toolbar::File).size()));
    DestroyMenu(menu);
    // Its first kind chosen from the submenu opens a new document of that kind.
    const size_t before = form->Documents().size();
    SendMessageW(frame, WM_COMMAND, MAKEWPARAM(copied[0].second, 0), 0);
    test::PumpMessages();
    EXPECT_EQ(form->Documents().size(), before + 1);
}

// A band shows every button that fits in its toolbar's window, and its
// chevron menu lists exactly the rest: at the first start every band of a
// full-width window shows all its buttons; narrowed step by step, the Window
// band never loses a button between the two places.
TEST_F(ToolbarsUi, EveryButtonIsOnItsBandOrInItsChevronMenu) {
    HWND rebar = form->Bar().Handle();
    const auto wholly = [](HWND bar, int i) {
        RECT button{}, client{};
        SendMessageW(bar, TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
        GetClientRect(bar, &client);
        return button.right <= client.right && button.left >= client.left;
    };
    const auto check = [&](Toolbar toolbar, const std::string& where) {
        HWND bar = form->Bar().ToolbarWindow(toolbar);
        const int index = form->Bar().BandIndex(toolbar);
        std::vector<bool> inMenu(ButtonsOf(toolbar).size(), false);
        for (const ChevronItem& item : form->Bar().ChevronMenuItems(index)) inMenu[item.button] = true;
        for (size_t i = 0; i < inMenu.size(); ++i) {
            TBBUTTON button{};
            SendMessageW(bar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
            if ((button.fsState & TBSTATE_HIDDEN) || (button.fsStyle & BTNS_SEP)) continue;
            EXPECT_NE(wholly(bar, static_cast<int>(i)), inMenu[i]) << where << ": button " << i;
        }
    };
    for (Toolbar toolbar : {Toolbar::File, Toolbar::Edit, Toolbar::Format, Toolbar::Window, Toolbar::Find}) {
        check(toolbar, "first start");
        EXPECT_TRUE(form->Bar().ChevronMenuItems(form->Bar().BandIndex(toolbar)).empty())
            << "a full-width window shows every button of band " << static_cast<int>(toolbar);
    }
    const int window = form->Bar().BandIndex(Toolbar::Window);
    for (int width = 480; width > 60; width -= 3) {
        SetBandWidth(rebar, window, width);
        check(Toolbar::Window, "width " + std::to_string(width));
    }
}

TEST_F(ToolbarsUi, HighlightedButtonShowsItsLongHint) {
    HWND bar = form->Bar().ToolbarWindow(Toolbar::File);
    const int open = static_cast<int>(SendMessageW(bar, TB_COMMANDTOINDEX,
                                                   kFirstButtonId + (FindButton(L"OpenBtn") - ToolButtonRows().data()), 0));
    SendMessageW(bar, TB_SETHOTITEM, open, 0);
    test::PumpMessages();
    EXPECT_EQ(form->HintShown(), L"Открытие существующего документа");
    SendMessageW(bar, TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
    test::PumpMessages();
    EXPECT_EQ(form->HintShown(), L"");
}

// The mouse rests on Save and moves away without the toolbar saying so: the
// panels come back all the same, while a menu's hints are left alone.
TEST_F(ToolbarsUi, AButtonsHintGoesWhenTheMouseLeavesTheToolbar) {
    HWND bar = form->Bar().ToolbarWindow(Toolbar::File);
    const int save = static_cast<int>(SendMessageW(bar, TB_COMMANDTOINDEX,
                                                   kFirstButtonId + (FindButton(L"SaveBtn") - ToolButtonRows().data()), 0));
    RECT button{};
    SendMessageW(bar, TB_GETITEMRECT, save, reinterpret_cast<LPARAM>(&button));
    MapWindowPoints(bar, nullptr, reinterpret_cast<POINT*>(&button), 2);
    SetCursorPos((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    SendMessageW(bar, TB_SETHOTITEM, save, 0);
    test::PumpMessages();
    ASSERT_EQ(form->HintShown(), L"Сохрание активного документа");
    RECT client{};
    GetWindowRect(form->DocumentArea(), &client);
    SetCursorPos((client.left + client.right) / 2, (client.top + client.bottom) / 2);
    EXPECT_TRUE(test::WaitFor([&] { return form->HintShown().empty(); }, std::chrono::seconds(5)));
}

TEST_F(ToolbarsUi, AHiddenToolbarStaysHiddenAfterARestart) {
    EXPECT_TRUE(form->ToolbarItemChecked(static_cast<int>(Toolbar::Format)));
    form->ViewToolClick(static_cast<int>(Toolbar::Format));
    EXPECT_FALSE(form->Bar().BandVisible(Toolbar::Format));
    EXPECT_FALSE(form->ToolbarItemChecked(static_cast<int>(Toolbar::Format)));
    form->SaveState();
    DestroyWindow(frame);
    test::PumpMessages();
    SharedDocumentState() = DocumentState{};
    // A damaged record for the Find band is skipped: it keeps its place.
    registry.PutRaw(RegistryRoot::CurrentUser, std::wstring(storage::kRootKey) + L"\\CoolBars", L"4",
                    ValueType::Binary, Bytes{1, 2, 3});
    form = THtmlScrivoForm::Create(GetModuleHandleW(nullptr), {SW_SHOWNORMAL, &registry});
    ASSERT_TRUE(form);
    frame = form->Frame();
    test::PumpMessages();
    EXPECT_FALSE(form->Bar().BandVisible(Toolbar::Format));
    EXPECT_FALSE(form->ToolbarItemChecked(static_cast<int>(Toolbar::Format)));
    EXPECT_TRUE(form->Bar().BandVisible(Toolbar::Find));
    EXPECT_EQ(form->Bar().BandIndex(Toolbar::Find), 4);
    form->ViewToolClick(static_cast<int>(Toolbar::Format));
    EXPECT_TRUE(form->Bar().BandVisible(Toolbar::Format));
}

TEST_F(ToolbarsUi, WithoutThePictureLibraryTheProgramSaysSoAndWorks) {
    const std::wstring library = test::ModuleFolder() + L"Toolbars.dll", away = library + L".away";
    ASSERT_TRUE(MoveFileExW(library.c_str(), away.c_str(), MOVEFILE_REPLACE_EXISTING));
    DestroyWindow(frame);
    test::PumpMessages();
    SharedDocumentState() = DocumentState{};
    {
        ScriptedPrompts script;
        form = THtmlScrivoForm::Create(GetModuleHandleW(nullptr), {SW_SHOWNORMAL, &registry});
        frame = form ? form->Frame() : nullptr;
        test::PumpMessages();
        EXPECT_EQ(script.SeenIds(), std::vector<int>{164});
    }
    MoveFileExW(away.c_str(), library.c_str(), MOVEFILE_REPLACE_EXISTING);
    ASSERT_TRUE(form);
    Open(L"page.html", "<p>x</p>");
    EXPECT_TRUE(On(L"BoldBtn"));
    Active()->Editor().Select(1, 1);
    HWND bar = form->Bar().ToolbarWindow(Toolbar::Format);
    SendMessageW(frame, WM_COMMAND,
                 MAKEWPARAM(kFirstButtonId + (FindButton(L"ItalicBtn") - ToolButtonRows().data()), BN_CLICKED),
                 reinterpret_cast<LPARAM>(bar));
    test::PumpMessages();
    EXPECT_EQ(Active()->Editor().Text(), L"<<i>p</i>>x</p>");
}

}  // namespace
}  // namespace quillon
