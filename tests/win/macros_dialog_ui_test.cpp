// The macros dialog, opened by Tools > macro editor and driven through its
// controls: adding the first macro, key conflicts settled by where the focus
// goes, the keys the form sees first, the flags, opening and saving sets,
// the context menus, and the set stored and its keys live once it closed.
#include <windows.h>

#include <commctrl.h>

#include <filesystem>
#include <string>
#include <vector>

#include "codepage.h"
#include "command_table.h"
#include "dialog_script.h"
#include "editor_ui_fixture.h"
#include "macro_sets.h"
#include "macros_dialog.h"
#include "prompts.h"
#include "storage.h"
#include "win32_files.h"
#include "win_test_support.h"

namespace quillon {
namespace {

constexpr wchar_t kCaption[] = L"Макросы";
enum : int {
    kMacrosList = 101,
    kToolBar = 102,
    kSortMethod = 104,
    kDefault = 105,
    kAutoindent = 106,
    kCtrlK = 108,
    kCtrlQ = 109,
    kKeyList = 111,
    kConflictName = 113,
    kApplyKey = 115,
    kCancelKey = 116,
    kText = 118,
};
enum : int { kAdd = 200, kDelete, kEdit, kClear, kOpen, kSave, kClose };

std::string Bytes(const std::wstring& text) { return TextToBytes(text, CodePage::Win1251); }
std::wstring Shown(const std::string& bytes) { return BytesToText(bytes, CodePage::Win1251); }

class MacrosDialogUi : public EditorUi {
protected:
    void SetUp() override {
        EditorUi::SetUp();
        UserMacros().Clear();
        UserMacros().SetSortMethod(SortMethod::LastUsed);
        UserMacros().SetModified(false);
        RebuildUserKeyLists();
    }
    void TearDown() override {
        MacroSetDialogRunner() = nullptr;
        UserMacros().Clear();
        RebuildUserKeyLists();
        EditorUi::TearDown();
    }
    TMacrosItem& Add(const std::wstring& name, char key = kNoKey, bool prefixK = true) {
        TMacrosItem& macro = UserMacros().AddMacro();
        macro.SetName(Bytes(name));
        macro.SetPrefixK(prefixK);
        macro.SetKey(key);
        return macro;
    }
    // Opens the dialog; the steps run one per tick, then it closes by Esc.
    void Run(std::deque<test::DialogScript::Step> steps) {
        const int wanted = static_cast<int>(steps.size());
        test::DialogScript script(kCaption, std::move(steps));
        Command(kCmdMacroEditor);
        EXPECT_EQ(script.StepsRun(), wanted) << "the dialog closed before its steps ran";
    }
    static HWND Item(HWND dialog, int id) { return GetDlgItem(dialog, id); }
    static bool Tool(HWND dialog, int id) {
        return SendDlgItemMessageW(dialog, kToolBar, TB_ISBUTTONENABLED, static_cast<WPARAM>(id), 0) != 0;
    }
    static bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
    static void Click(HWND dialog, int id) { SendMessageW(Item(dialog, id), BM_CLICK, 0, 0); }
    static void Select(HWND dialog, int index) {
        SendDlgItemMessageW(dialog, kMacrosList, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kMacrosList, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(Item(dialog, kMacrosList)));
    }
    static std::wstring Text(HWND dialog, int id) {
        wchar_t text[512] = {};
        GetDlgItemTextW(dialog, id, text, 512);
        return text;
    }
    // The name dialog answered with these fields (OK), or cancelled.
    static test::Answer NameDialog(const std::wstring& caption, std::wstring name, std::wstring description,
                                   bool ok = true) {
        return test::ByCaption(caption, [=](HWND box) {
            SetDlgItemTextW(box, 301, name.c_str());
            SetDlgItemTextW(box, 302, description.c_str());
            PostMessageW(box, WM_COMMAND, ok ? IDOK : IDCANCEL, 0);
        });
    }
    std::vector<std::wstring> Names() {
        std::vector<std::wstring> names;
        for (int i = 0; i < UserMacros().Count(); ++i) names.push_back(Shown(UserMacros()[i].Name()));
        return names;
    }
    std::wstring MakeFolder() {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        const std::wstring path = std::wstring(temp) + L"quillon-macro-sets";
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
        std::filesystem::create_directories(path);
        return path;
    }
};

// An empty set: only Add, Open and Close work. The first macro added becomes
// the default; an empty name is refused with 136 and the name dialog stays.
TEST_F(MacrosDialogUi, TheFirstMacroAddedBecomesTheDefault) {
    ScriptedPrompts prompts;
    bool emptyState = false, textEnabled = false, answered = false;
    std::wstring panel0, panel1;
    Run({[&](HWND dialog) {
        emptyState = Tool(dialog, kAdd) && Tool(dialog, kOpen) && Tool(dialog, kClose) && !Tool(dialog, kDelete) &&
                     !Tool(dialog, kEdit) && !Tool(dialog, kClear) && !Tool(dialog, kSave) &&
                     !IsWindowEnabled(Item(dialog, kText)) && !IsWindowEnabled(Item(dialog, kKeyList));
        int round = 0;
        test::Answer name = test::ByCaption(L"Добавление нового макроса", [&](HWND box) {
            SetDlgItemTextW(box, 301, round++ == 0 ? L"   " : L" Ссылка ");
            SetDlgItemTextW(box, 302, L"тег a");
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        });
        name.times = 2;
        answered = test::AnswerWhile(name, [&] { SendMessageW(dialog, WM_COMMAND, kAdd, 0); });
        textEnabled = IsWindowEnabled(Item(dialog, kText)) && Tool(dialog, kDelete) && Tool(dialog, kSave);
        panel0 = form->PanelText(0);
        panel1 = form->PanelText(1);
    }});
    EXPECT_TRUE(emptyState);
    EXPECT_TRUE(answered);
    EXPECT_EQ(prompts.SeenIds(), std::vector<int>{136});
    ASSERT_EQ(UserMacros().Count(), 1);
    EXPECT_EQ(Shown(UserMacros()[0].Name()), L" Ссылка ") << "stored as typed";
    EXPECT_TRUE(UserMacros()[0].Default());
    EXPECT_TRUE(textEnabled);
    EXPECT_EQ(panel0, L"Выделен макрос  Ссылка  - тег a");
    EXPECT_EQ(panel1, L"Сочетание клавиш: (Нет)");
    const auto stored = storage::LoadMacroValues(registry);
    ASSERT_TRUE(stored.macros);
    EXPECT_EQ(*stored.macros, UserMacros().WriteMacroSet()) << "the main window stored the set";
}

// Ctrl+K, B chosen for a macro while another has it: the conflict names the
// other; the focus on a tag-1 control keeps it open; leaving with Apply takes
// the key from the other, leaving with Cancel gives the edited macro its
// former key back. Typed digits choose nothing, Q is chosen at once.
TEST_F(MacrosDialogUi, KeyConflictsAreSettledByWhereTheFocusGoes) {
    TMacrosItem& link = Add(L"Ссылка", 'B');
    TMacrosItem& table = Add(L"Таблица", 'T', false);
    std::wstring conflictName;
    bool applyFocused = false, openOnAutoindent = false, closedAfter = false;
    char afterDigit = 0, afterQ = 0;
    Run({[&](HWND dialog) {
             Select(dialog, UserMacros().IndexOf(table));
             HWND keys = Item(dialog, kKeyList);
             SetFocus(keys);
             test::Press(keys, '5');
             afterDigit = table.Key();
             Click(dialog, kCtrlK);  // Ctrl+K, T: nobody has it
             test::Press(keys, 'B');  // Ctrl+K, B: Ссылка has it
             conflictName = Text(dialog, kConflictName);
             applyFocused = GetFocus() == Item(dialog, kApplyKey) && Checked(dialog, kApplyKey);
             SetFocus(Item(dialog, kAutoindent));
             openOnAutoindent = IsWindowEnabled(Item(dialog, kApplyKey)) && link.Key() == 'B';
             SetFocus(Item(dialog, kText));
             test::PumpMessages();
             closedAfter = !IsWindowEnabled(Item(dialog, kApplyKey)) && Text(dialog, kConflictName).empty();
         },
         [&](HWND dialog) {
             // Now Ссылка takes B back, and the choice is Cancel.
             Select(dialog, UserMacros().IndexOf(link));
             HWND keys = Item(dialog, kKeyList);
             SetFocus(keys);
             test::Press(keys, 'B');
             Click(dialog, kCancelKey);
             SetFocus(Item(dialog, kMacrosList));
             test::PumpMessages();
             SetFocus(keys);
             test::Press(keys, 'Q');
             afterQ = link.Key();
         }});
    EXPECT_EQ(afterDigit, 'T');
    EXPECT_EQ(conflictName, L"Ссылка");
    EXPECT_TRUE(applyFocused);
    EXPECT_TRUE(openOnAutoindent) << "the autoindent box keeps the conflict open";
    EXPECT_TRUE(closedAfter);
    EXPECT_EQ(table.Key(), 'B');
    EXPECT_TRUE(table.PrefixK());
    EXPECT_EQ(afterQ, 'Q');
    EXPECT_EQ(link.Key(), 'Q') << "Cancel gave Ссылка its former key (none), then Q was typed";
}

// The form sees "+", "*", "-" and "/" first where the rules allow them; in
// the text they are text. The default box cannot be unticked.
TEST_F(MacrosDialogUi, TheKeysTheFormSeesFirstAndTheDefaultBox) {
    TMacrosItem& first = Add(L"Первый");
    first.SetDefault(true);
    Add(L"Второй");
    UserMacros().SetModified(false);
    ScriptedPrompts prompts({PromptAnswer::No, PromptAnswer::No});
    bool addOpened = false, editOpened = false, stillTicked = false;
    std::wstring typed;
    Run({[&](HWND dialog) {
        HWND list = Item(dialog, kMacrosList);
        Select(dialog, 0);
        SetFocus(list);
        addOpened = test::AnswerWhile(NameDialog(L"Добавление нового макроса", L"", L"", false),
                                      [&] { test::Type(list, L"+"); });
        editOpened = test::AnswerWhile(NameDialog(L"Измение макроса", L"Первый", L"", false),
                                       [&] { test::Type(list, L"*"); });
        test::Type(list, L"-");  // 138, answered No
        test::Type(list, L"/");  // 152, answered No
        HWND text = Item(dialog, kText);
        SetFocus(text);
        test::Type(text, L"a/b+c");
        // Enter, through the dialog's own loop: a new line in the text.
        PostMessageW(text, WM_KEYDOWN, VK_RETURN, 0x001C0001);
        PostMessageW(text, WM_KEYUP, VK_RETURN, static_cast<LPARAM>(0xC01C0001));
    },
    [&](HWND dialog) {
        typed = Text(dialog, kText);
        Click(dialog, kDefault);
        stillTicked = Checked(dialog, kDefault);
    }});
    EXPECT_TRUE(addOpened);
    EXPECT_TRUE(editOpened);
    EXPECT_EQ(prompts.SeenIds(), (std::vector<int>{138, 152}));
    EXPECT_EQ(UserMacros().Count(), 2);
    EXPECT_EQ(typed, L"a/b+c\r\n");
    EXPECT_EQ(Shown(first.Text()), L"a/b+c\r\n") << "committed with CR LF when the focus left the text";
    EXPECT_TRUE(stillTicked);
    EXPECT_TRUE(first.Default());
}

// Open while the set is modified: Yes, then the save dialog cancelled —
// nothing changes. A set saved in list order opens sorted by name into a set
// sorted by name. The customize function sets the .qlm dialog up.
TEST_F(MacrosDialogUi, OpeningAndSavingSets) {
    const std::wstring folder = MakeFolder();
    const std::wstring file = folder + L"\\set.qlm";
    Add(L"b");
    Add(L"a");
    UserMacros().SetModified(true);
    std::vector<std::string> seenTitles;
    std::string filter, extension;
    DWORD flags = 0;
    std::deque<std::pair<bool, std::wstring>> answers = {
        {false, file},  // open: chosen
        {true, L""},    // the save it asked for: cancelled
        {true, file},   // save
        {false, file},  // open
    };
    MacroSetDialogRunner() = [&](FileDialogRequest& request, bool save) {
        seenTitles.push_back(request.title ? request.title : "");
        OPENFILENAMEA setup{};
        setup.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER;
        request.customize(&request, &setup);
        size_t length = 0;
        while (setup.lpstrFilter[length] || setup.lpstrFilter[length + 1]) ++length;
        filter.assign(setup.lpstrFilter, length + 2);
        extension = setup.lpstrDefExt;
        flags = setup.Flags;
        if (answers.empty()) return 0;
        auto [wantSave, name] = answers.front();
        answers.pop_front();
        EXPECT_EQ(save, wantSave);
        if (name.empty()) return 0;
        lstrcpynA(request.fileBuffer, TextToBytes(name, CodePage::Ansi).c_str(), request.bufferSize);
        return 1;
    };
    ScriptedPrompts prompts({PromptAnswer::Yes});
    std::vector<std::wstring> afterCancel;
    Run({[&](HWND dialog) {
        SendMessageW(dialog, WM_COMMAND, kOpen, 0);
        afterCancel = Names();
        SendMessageW(dialog, WM_COMMAND, kSave, 0);
        SendDlgItemMessageW(dialog, kSortMethod, CB_SETCURSEL, 1, 0);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kSortMethod, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(Item(dialog, kSortMethod)));
        UserMacros().Clear();
        UserMacros().SetModified(false);
        SendMessageW(dialog, WM_COMMAND, kOpen, 0);
    }});
    EXPECT_EQ(afterCancel, (std::vector<std::wstring>{L"b", L"a"})) << "Yes, then the save cancelled: nothing changed";
    EXPECT_EQ(prompts.SeenIds(), std::vector<int>{159});
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"a", L"b"}));
    EXPECT_FALSE(UserMacros().Modified());
    const auto saved = ReadWholeFile(file);
    ASSERT_TRUE(saved);
    ASSERT_EQ(seenTitles.size(), 4u);
    EXPECT_EQ(seenTitles[0], TextToBytes(L"Открытие набора макросов", CodePage::Ansi));
    EXPECT_EQ(seenTitles[1], TextToBytes(L"Сохранение набора макросов", CodePage::Ansi));
    EXPECT_EQ(filter,
              TextToBytes(L"Макросы Quillon (*.qlm)", CodePage::Ansi) + std::string("\0*.qlm\0", 7) +
                  TextToBytes(L"Все файлы (*.*)", CodePage::Ansi) + std::string("\0*.*\0\0", 6));
    EXPECT_EQ(extension, "qlm");
    EXPECT_FALSE(flags & OFN_ALLOWMULTISELECT);
    EXPECT_TRUE(flags & OFN_HIDEREADONLY);
    EXPECT_TRUE(flags & OFN_NOCHANGEDIR);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

// A save that cannot put its file in place (the old file held open by another
// program) fails with 126 after the new bytes were written beside it: the old
// file stays as it was, nothing is left beside it, and a Clear that asked for
// that save stops and keeps the set.
TEST_F(MacrosDialogUi, AFailedSaveKeepsTheOldFileAndStopsTheClear) {
    const std::wstring folder = MakeFolder();
    const std::wstring file = folder + L"\\held.qlm";
    ASSERT_TRUE(WriteFileSafely(file, "old bytes").ok);
    HANDLE held = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Add(L"Ссылка");
    UserMacros().SetModified(true);
    MacroSetDialogRunner() = [&](FileDialogRequest& request, bool) {
        lstrcpynA(request.fileBuffer, TextToBytes(file, CodePage::Ansi).c_str(), request.bufferSize);
        return 1;
    };
    ScriptedPrompts prompts({PromptAnswer::Yes});
    Run({[&](HWND dialog) { SendMessageW(dialog, WM_COMMAND, kClear, 0); }});
    CloseHandle(held);
    EXPECT_EQ(prompts.SeenIds(), (std::vector<int>{153, 126}));
    EXPECT_EQ(ReadWholeFile(file), std::optional<std::string>("old bytes"));
    EXPECT_EQ(UserMacros().Count(), 1) << "the clear stopped";
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++files;
    EXPECT_EQ(files, 1) << "nothing left beside the set";
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

// Every failed Open shows its message and leaves a working, empty dialog: a
// page that is no macro set (132), an empty file (132), a missing file (158);
// the list never draws a macro that the Open let go.
TEST_F(MacrosDialogUi, AFailedOpenShowsItsMessageAndLeavesAWorkingDialog) {
    const std::wstring folder = MakeFolder();
    const std::wstring page = folder + L"\\page.html";
    const std::wstring empty = folder + L"\\empty.qlm";
    ASSERT_TRUE(WriteFileSafely(page, "<html><body>not macros</body></html>").ok);
    ASSERT_TRUE(WriteFileSafely(empty, "").ok);
    Add(L"Ссылка");
    Add(L"Абзац");
    UserMacros().SetModified(true);
    std::deque<std::wstring> chosen = {page, empty, folder + L"\\missing.qlm"};
    MacroSetDialogRunner() = [&](FileDialogRequest& request, bool) {
        if (chosen.empty()) return 0;
        lstrcpynA(request.fileBuffer, TextToBytes(chosen.front(), CodePage::Ansi).c_str(), request.bufferSize);
        chosen.pop_front();
        return 1;
    };
    ScriptedPrompts prompts({PromptAnswer::No});
    std::vector<int> listCounts;
    std::vector<bool> saveEnabled;
    Run({[&](HWND dialog) {
             SendMessageW(dialog, WM_COMMAND, kOpen, 0);
             UpdateWindow(dialog);  // the list paints what it holds
             listCounts.push_back(static_cast<int>(SendDlgItemMessageW(dialog, kMacrosList, LB_GETCOUNT, 0, 0)));
             saveEnabled.push_back(Tool(dialog, kSave));
         },
         [&](HWND dialog) {
             SendMessageW(dialog, WM_COMMAND, kOpen, 0);
             SendMessageW(dialog, WM_COMMAND, kOpen, 0);
             listCounts.push_back(static_cast<int>(SendDlgItemMessageW(dialog, kMacrosList, LB_GETCOUNT, 0, 0)));
             EXPECT_TRUE(Tool(dialog, kAdd));
         }});
    EXPECT_EQ(prompts.SeenIds(), (std::vector<int>{159, 132, 132, 158}));
    EXPECT_EQ(listCounts, (std::vector<int>{0, 0}));
    EXPECT_EQ(saveEnabled, std::vector<bool>{false});
    EXPECT_EQ(UserMacros().Count(), 0);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

// The list menu opened on an entry offers Delete and Edit; opened on empty
// space it does not. Its items carry pictures.
TEST_F(MacrosDialogUi, TheListMenuFollowsWhereItWasOpened) {
    Add(L"Ссылка");
    struct Seen {
        bool deleteEnabled = false, editEnabled = false, pictures = false;
    };
    std::vector<Seen> seen;
    static std::vector<Seen>* sink = nullptr;
    sink = &seen;
    Run({[&](HWND dialog) {
        HWND list = Item(dialog, kMacrosList);
        for (const int y : {5, 150}) {
            // The menu runs its own loop: read it from a timer and close it.
            SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR timer, DWORD) {
                HWND menuWindow = FindWindowW(L"#32768", nullptr);
                if (!menuWindow) return;
                KillTimer(nullptr, timer);
                HMENU menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
                Seen s;
                s.deleteEnabled = !(GetMenuState(menu, 7051, MF_BYCOMMAND) & MF_GRAYED);
                s.editEnabled = !(GetMenuState(menu, 7052, MF_BYCOMMAND) & MF_GRAYED);
                MENUITEMINFOW info{};
                info.cbSize = sizeof info;
                info.fMask = MIIM_BITMAP;
                GetMenuItemInfoW(menu, 7050, FALSE, &info);
                s.pictures = info.hbmpItem == HBMMENU_CALLBACK;
                sink->push_back(s);
                EndMenu();
            });
            PostMessageW(list, WM_RBUTTONUP, 0, MAKELPARAM(10, y));
            test::PumpMessages();
        }
    }});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_TRUE(seen[0].deleteEnabled && seen[0].editEnabled && seen[0].pictures);
    EXPECT_FALSE(seen[1].deleteEnabled || seen[1].editEnabled);
}

// A key given in the dialog works in a document window only after the
// dialog closed (the key lists are rebuilt then).
TEST_F(MacrosDialogUi, ChangedKeysTakeEffectWhenTheDialogCloses) {
    Add(L"Ссылка");
    bool liveDuring = true;
    Run({[&](HWND dialog) {
        Select(dialog, 0);
        HWND keys = Item(dialog, kKeyList);
        SetFocus(keys);
        test::Press(keys, 'Z');
        liveDuring = !MacrosOnKey(UserKeyLists(), true, 'Z').empty();
    }});
    EXPECT_FALSE(liveDuring);
    EXPECT_EQ(MacrosOnKey(UserKeyLists(), true, 'Z').size(), 1u);
}

}  // namespace
}  // namespace quillon
