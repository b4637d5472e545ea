// Stencil.dll, the template list editor, driven through its dialog on a live
// template list: the opening state, the sort rules, the combo box of the
// default template, add, delete, edit and move, and what closing stores.
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "codepage.h"
#include "command_table.h"
#include "dialog_script.h"
#include "editor_ui_fixture.h"
#include "storage.h"
#include "template_list.h"
#include "win_test_support.h"

namespace quillon {
namespace {

constexpr wchar_t kCaption[] = L"Редактор шаблонов";
constexpr wchar_t kSettingsKey[] = L"Software\\Brindle\\Quillon\\Stencil";
constexpr int kList = 1001, kCombo = 1002, kToolBar = 1003;
using EditTemplatesFn = void(__stdcall*)(HWND, CTemplateListInterface*);

std::string Bytes(const std::wstring& text) { return TextToBytes(text, CodePage::Win1251); }

HWND ListOf(HWND dialog) { return GetDlgItem(dialog, kList); }

int RowOfIndex(HWND list, int index) {
    for (int row = 0; row < ListView_GetItemCount(list); ++row) {
        LVITEMW item{};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        ListView_GetItem(list, &item);
        if (item.lParam == index) return row;
    }
    return -1;
}

std::wstring Cell(HWND list, int row, int column) {
    wchar_t text[512] = {};
    ListView_GetItemText(list, row, column, text, 512);
    return text;
}

// The texts of one column, row by row.
std::vector<std::wstring> Column(HWND list, int column) {
    std::vector<std::wstring> texts;
    for (int row = 0; row < ListView_GetItemCount(list); ++row) texts.push_back(Cell(list, row, column));
    return texts;
}

void SelectRow(HWND list, int row) {
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

std::vector<std::wstring> ComboTexts(HWND dialog) {
    std::vector<std::wstring> texts;
    const auto count = SendDlgItemMessageW(dialog, kCombo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        SendDlgItemMessageW(dialog, kCombo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        texts.push_back(text);
    }
    return texts;
}

std::wstring ComboSelection(HWND dialog) {
    const auto at = SendDlgItemMessageW(dialog, kCombo, CB_GETCURSEL, 0, 0);
    if (at < 0) return L"(none)";
    wchar_t text[256] = {};
    SendDlgItemMessageW(dialog, kCombo, CB_GETLBTEXT, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(text));
    return text;
}

bool Enabled(HWND dialog, int command) {
    return SendDlgItemMessageW(dialog, kToolBar, TB_ISBUTTONENABLED, static_cast<WPARAM>(command), 0) != 0;
}

void ClickHeader(HWND dialog, int column) {
    NMLISTVIEW click{};
    click.hdr = {ListOf(dialog), static_cast<UINT_PTR>(kList), LVN_COLUMNCLICK};
    click.iItem = -1;
    click.iSubItem = column;
    SendMessageW(dialog, WM_NOTIFY, kList, reinterpret_cast<LPARAM>(&click));
}

int HeaderImage(HWND dialog, int column) {
    HDITEMW item{};
    item.mask = HDI_FORMAT | HDI_IMAGE;
    Header_GetItem(ListView_GetHeader(ListOf(dialog)), column, &item);
    return (item.fmt & HDF_IMAGE) ? item.iImage : -1;
}

using test::Answer;
using test::ByCaption;

// Runs the command while the answer waits for the window it opens.
bool RunWithAnswer(HWND dialog, int command, Answer answer) {
    return test::AnswerWhile(std::move(answer), [&] { SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(command, 0), 0); });
}

Answer MessageBoxButton(int button, std::wstring* seenText = nullptr) {
    return {[](HWND hwnd) { return GetDlgItem(hwnd, IDYES) != nullptr; },
            [button, seenText](HWND hwnd) {
                if (seenText) {
                    wchar_t text[256] = {};
                    GetDlgItemTextW(hwnd, 0xFFFF, text, 256);
                    *seenText = text;
                }
                PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
            }};
}

std::wstring Setting(const wchar_t* name, DWORD& value) {
    DWORD size = sizeof value, type = 0;
    const LSTATUS status =
        RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, name, RRF_RT_REG_DWORD, &type, &value, &size);
    return status == ERROR_SUCCESS ? L"ok" : L"missing";
}

void PutSetting(const wchar_t* name, DWORD value) {
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

class Stencil : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
        module = LoadLibraryExW((test::BinFolder() + L"Stencil.dll").c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
        ASSERT_TRUE(module);
        edit = reinterpret_cast<EditTemplatesFn>(reinterpret_cast<void*>(GetProcAddress(module, MAKEINTRESOURCEA(1))));
        ASSERT_TRUE(edit);
        Add(10, L"HTML 4.0 Strict DTD", ".html", true);
        Add(12, L"Документ XML", ".xml", true);
        Add(-10, L"Моя страница", "", true, L"C:\\t\\page.html", L"Страница");
        Add(0, L"", "", true);
        Add(-10, L"Стили", "", true, L"C:\\t\\b.css", L"Таблица");
        list.DefaultIndex = 2;
    }
    void TearDown() override {
        if (module) FreeLibrary(module);
        RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
    }
    void Add(int id, const std::wstring& title, const char* ext, bool visible, const std::wstring& file = L"",
             const std::wstring& description = L"") {
        list.Add();
        CTemplateItem* item = list.Item(list.Count() - 1);
        item->Id = id;
        item->Title = Bytes(title);
        item->Description = Bytes(description);
        if (!file.empty()) item->SetFileName(Bytes(file).c_str());
        else item->Ext = ext;
        item->Visible = visible;
    }
    // Shows the editor on the list; the steps run one per tick, then it closes.
    void Run(std::deque<test::DialogScript::Step> steps) {
        const int wanted = static_cast<int>(steps.size());
        test::DialogScript script(kCaption, std::move(steps));
        edit(test::HostWindow(), &list);
        EXPECT_EQ(script.StepsRun(), wanted) << "the editor closed before its steps ran";
    }
    std::wstring Title(int index) { return BytesToText(list.Item(index)->Title, CodePage::Win1251); }

    HMODULE module = nullptr;
    EditTemplatesFn edit = nullptr;
    CTemplateList list;
};

// With nothing stored: sorted by number ascending with the number first, the
// rows and ticks from the list, the combo of visible non-separators with the
// default selected, the buttons following the selection; closing stores the
// layout and leaves the list as it was.
TEST_F(Stencil, OpensFromTheListSortedByNumberAndStoresTheLayoutOnClose) {
    list.Item(1)->Visible = false;
    std::vector<std::wstring> titles, numbers, paths, combo;
    std::wstring selected;
    int order[5] = {};
    std::vector<bool> ticks;
    Run({[&](HWND dialog) {
        HWND view = ListOf(dialog);
        titles = Column(view, 0);
        numbers = Column(view, 4);
        paths = Column(view, 3);
        for (int row = 0; row < ListView_GetItemCount(view); ++row) ticks.push_back(ListView_GetCheckState(view, row));
        combo = ComboTexts(dialog);
        selected = ComboSelection(dialog);
        ListView_GetColumnOrderArray(view, 5, order);
        EXPECT_EQ(HeaderImage(dialog, 4), 0) << "the ascending arrow on the number";
        EXPECT_EQ(ListView_GetSelectedColumn(view), 4u);
        EXPECT_TRUE(Enabled(dialog, 30));
        EXPECT_TRUE(Enabled(dialog, 35));
        for (int command : {31, 32, 33, 34}) EXPECT_FALSE(Enabled(dialog, command)) << command;
        struct Case {
            int index;
            bool remove, edit, up, down;
        };
        for (const Case& c : {Case{0, false, false, false, true}, Case{2, true, true, true, true},
                              Case{3, true, false, true, true}, Case{4, true, true, true, false}}) {
            SelectRow(view, RowOfIndex(view, c.index));
            EXPECT_EQ(Enabled(dialog, 31), c.remove) << c.index;
            EXPECT_EQ(Enabled(dialog, 32), c.edit) << c.index;
            EXPECT_EQ(Enabled(dialog, 33), c.up) << c.index;
            EXPECT_EQ(Enabled(dialog, 34), c.down) << c.index;
        }
    }});
    EXPECT_EQ(titles, (std::vector<std::wstring>{L"HTML 4.0 Strict DTD", L"Документ XML", L"Моя страница",
                                                 L"(разделитель)", L"Стили"}));
    EXPECT_EQ(numbers, (std::vector<std::wstring>{L"1", L"2", L"3", L"4", L"5"}));
    EXPECT_EQ(paths, (std::vector<std::wstring>{L"(встроенный)", L"(встроенный)", L"C:\\t\\page.html", L"",
                                                L"C:\\t\\b.css"}));
    EXPECT_EQ(ticks, (std::vector<bool>{true, false, true, true, true}));
    EXPECT_EQ(combo, (std::vector<std::wstring>{L"HTML 4.0 Strict DTD", L"Моя страница", L"Стили"}));
    EXPECT_EQ(selected, L"Моя страница");
    EXPECT_EQ(order[0], 4) << "the number is shown first";
    EXPECT_EQ(order[1], 0);

    EXPECT_EQ(list.Count(), 5);
    EXPECT_EQ(list.DefaultIndex, 2);
    EXPECT_FALSE(list.Item(1)->Visible);
    DWORD value = 99;
    EXPECT_EQ(Setting(L"Sort", value), L"ok");
    EXPECT_EQ(value, 4u);
    EXPECT_EQ(Setting(L"Ascending", value), L"ok");
    EXPECT_EQ(value, 1u);
    EXPECT_EQ(Setting(L"Column4 Order", value), L"ok");
    EXPECT_EQ(value, 0u);
    EXPECT_EQ(Setting(L"Column0 Order", value), L"ok");
    EXPECT_EQ(value, 1u);
    EXPECT_EQ(Setting(L"Column2 Width", value), L"ok");
    EXPECT_EQ(value, 145u);
}

// Stored settings: sorted by title descending, the columns where they were
// left and as wide.
TEST_F(Stencil, OpensWithTheStoredSortAndColumns) {
    PutSetting(L"Sort", 0);
    PutSetting(L"Ascending", 0);
    for (int c = 0; c < 5; ++c) PutSetting((L"Column" + std::to_wstring(c) + L" Order").c_str(), c);
    PutSetting(L"Column2 Width", 77);
    std::vector<std::wstring> titles;
    int order[5] = {};
    int width = 0, arrow = -1;
    Run({[&](HWND dialog) {
        titles = Column(ListOf(dialog), 0);
        ListView_GetColumnOrderArray(ListOf(dialog), 5, order);
        width = ListView_GetColumnWidth(ListOf(dialog), 2);
        arrow = HeaderImage(dialog, 0);
    }});
    EXPECT_EQ(titles, (std::vector<std::wstring>{L"Стили", L"Моя страница", L"Документ XML", L"HTML 4.0 Strict DTD",
                                                 L"(разделитель)"}))
        << "descending: the separator without a title last";
    EXPECT_EQ(std::vector<int>(order, order + 5), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(width, 77);
    EXPECT_EQ(arrow, 1) << "the descending arrow";
}

// Header clicks: another column sorts ascending by it (a row without text
// first), the same one reverses; a move while sorted by title changes only
// the two numbers.
TEST_F(Stencil, MovingWhileSortedByTitleRenumbersTheTwoRowsInPlace) {
    std::vector<std::wstring> before, after, numbers, pathsDescending;
    int oldArrow = 0;
    Run({[&](HWND dialog) {
             ClickHeader(dialog, 0);
             oldArrow = HeaderImage(dialog, 4);
             before = Column(ListOf(dialog), 0);
             SelectRow(ListOf(dialog), RowOfIndex(ListOf(dialog), 4));
             SendMessageW(dialog, WM_COMMAND, 33, 0);
             after = Column(ListOf(dialog), 0);
             numbers = Column(ListOf(dialog), 4);
         },
         [&](HWND dialog) {
             ClickHeader(dialog, 3);
             ClickHeader(dialog, 3);
             pathsDescending = Column(ListOf(dialog), 3);
         }});
    EXPECT_EQ(oldArrow, -1) << "the arrow left the number column";
    EXPECT_EQ(before, (std::vector<std::wstring>{L"(разделитель)", L"HTML 4.0 Strict DTD", L"Документ XML",
                                                 L"Моя страница", L"Стили"}));
    EXPECT_EQ(after, before);
    EXPECT_EQ(numbers, (std::vector<std::wstring>{L"5", L"1", L"2", L"3", L"4"}));
    EXPECT_EQ(Title(3), L"Стили");
    EXPECT_EQ(list.Item(4)->Id, 0);
    ASSERT_EQ(pathsDescending.size(), 5u);
    EXPECT_EQ(pathsDescending[0], L"C:\\t\\page.html");
    EXPECT_EQ(pathsDescending[1], L"C:\\t\\b.css");
    std::sort(pathsDescending.begin() + 2, pathsDescending.end());
    EXPECT_EQ(pathsDescending[2], L"") << "built-ins and the separator have no path and come last when descending";
    EXPECT_EQ(pathsDescending[3], L"(встроенный)");
    DWORD value = 0;
    Setting(L"Sort", value);
    EXPECT_EQ(value, 3u);
    Setting(L"Ascending", value);
    EXPECT_EQ(value, 0u);
}

// Moving by number keeps the rows and the selection with the template; the
// combo follows: both listed → the entries swap with the selection staying on
// its template; one listed → its entry stays and carries the new index.
TEST_F(Stencil, MovingByNumberRefillsTheRowsAndTheComboFollows) {
    list.Item(3)->Id = -10;  // a fourth file template instead of the separator
    list.Item(3)->Title = "zz";
    list.Item(3)->Visible = false;
    std::vector<std::wstring> titles, combo;
    std::wstring selectedTitle, comboSelected;
    Run({[&](HWND dialog) {
        HWND view = ListOf(dialog);
        SelectRow(view, RowOfIndex(view, 2));
        SendMessageW(dialog, WM_COMMAND, 33, 0);  // both listed: the entries swap
        SendMessageW(dialog, WM_COMMAND, 33, 0);
        SelectRow(view, RowOfIndex(view, 4));
        SendMessageW(dialog, WM_COMMAND, 33, 0);  // only Стили listed: its entry stays
        titles = Column(view, 0);
        combo = ComboTexts(dialog);
        comboSelected = ComboSelection(dialog);
        selectedTitle = Cell(view, ListView_GetNextItem(view, -1, LVNI_SELECTED), 0);
    }});
    EXPECT_EQ(titles, (std::vector<std::wstring>{L"Моя страница", L"HTML 4.0 Strict DTD", L"Документ XML", L"Стили",
                                                 L"zz"}));
    EXPECT_EQ(combo, (std::vector<std::wstring>{L"Моя страница", L"HTML 4.0 Strict DTD", L"Документ XML", L"Стили"}));
    EXPECT_EQ(comboSelected, L"Моя страница");
    EXPECT_EQ(selectedTitle, L"Стили");
    EXPECT_EQ(list.DefaultIndex, 0) << "the default followed its template";
    EXPECT_EQ(Title(3), L"Стили");
}

// Deleting the default: No keeps it; Yes removes row and template, renumbers
// the later rows and selects the previous combo entry, which closing makes
// the default. Built-ins cannot be deleted.
TEST_F(Stencil, DeletingTheDefaultLeavesThePreviousEntryAsTheDefault) {
    std::wstring question;
    std::vector<std::wstring> afterNo, numbers, combo;
    std::wstring selected;
    Run({[&](HWND dialog) {
        HWND view = ListOf(dialog);
        SelectRow(view, RowOfIndex(view, 2));
        EXPECT_TRUE(RunWithAnswer(dialog, 31, MessageBoxButton(IDNO, &question)));
        afterNo = Column(view, 0);
        EXPECT_TRUE(RunWithAnswer(dialog, 31, MessageBoxButton(IDYES)));
        numbers = Column(view, 4);
        combo = ComboTexts(dialog);
        selected = ComboSelection(dialog);
        SelectRow(view, RowOfIndex(view, 0));
        EXPECT_FALSE(Enabled(dialog, 31));
    }});
    EXPECT_EQ(question, L"Вы уверены, что хотите удалить выделенный шаблон?");
    EXPECT_EQ(afterNo.size(), 5u);
    EXPECT_EQ(numbers, (std::vector<std::wstring>{L"1", L"2", L"3", L"4"}));
    EXPECT_EQ(combo, (std::vector<std::wstring>{L"HTML 4.0 Strict DTD", L"Документ XML", L"Стили"}));
    EXPECT_EQ(selected, L"Документ XML");
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(Title(3), L"Стили");
    EXPECT_EQ(list.DefaultIndex, 1);
}

// Ticks: a template shown gets its entry in list order, a hidden one loses
// it; with none left the default becomes -1.
TEST_F(Stencil, UntickingTheLastVisibleLeavesNoDefault) {
    for (int i : {0, 1, 4}) list.Item(i)->Visible = false;
    std::vector<std::wstring> shown, empty;
    Run({[&](HWND dialog) {
        HWND view = ListOf(dialog);
        ListView_SetCheckState(view, RowOfIndex(view, 4), TRUE);
        ListView_SetCheckState(view, RowOfIndex(view, 1), TRUE);
        ListView_SetCheckState(view, RowOfIndex(view, 3), FALSE);  // the separator: no entry either way
        shown = ComboTexts(dialog);
        for (int i : {1, 2, 4}) ListView_SetCheckState(view, RowOfIndex(view, i), FALSE);
        empty = ComboTexts(dialog);
    }});
    EXPECT_EQ(shown, (std::vector<std::wstring>{L"Документ XML", L"Моя страница", L"Стили"}));
    EXPECT_TRUE(empty.empty());
    EXPECT_EQ(list.DefaultIndex, -1);
    for (int i = 0; i < 5; ++i) EXPECT_FALSE(list.Item(i)->Visible) << i;
}

// Add file: three names in one dialog become three visible file templates in
// the dialog's order; add separator appends one without an entry.
TEST_F(Stencil, AddingThreeFilesAndASeparator) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"quillon-stencil";
    std::filesystem::create_directories(folder);
    for (const wchar_t* name : {L"a.html", L"b.txt", L"c.css"}) {
        HANDLE file = CreateFileW((folder + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        CloseHandle(file);
    }
    wchar_t previous[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, previous);
    SetCurrentDirectoryW(folder.c_str());
    std::vector<std::wstring> titles, combo;
    bool answered = false, readOnlyShown = false;
    Run({[&](HWND dialog) {
        // First into the folder (the dialog starts in its own), then the three names.
        int typed = 0;
        Answer files = ByCaption(L"Добавление шаблона", [&](HWND box) {
            if (HWND readOnly = GetDlgItem(box, chx1)) readOnlyShown = readOnlyShown || IsWindowVisible(readOnly);
            const std::string text = typed++ == 0 ? TextToBytes(folder, CodePage::Ansi) : "\"a.html\" \"b.txt\" \"c.css\"";
            SendMessageA(box, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(text.c_str()));
            SendMessageA(box, CDM_SETCONTROLTEXT, edt1, reinterpret_cast<LPARAM>(text.c_str()));
            PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
        });
        files.times = 2;
        answered = RunWithAnswer(dialog, 30, files);
        SendMessageW(dialog, WM_COMMAND, 32772, 0);
        titles = Column(ListOf(dialog), 0);
        combo = ComboTexts(dialog);
    }});
    SetCurrentDirectoryW(previous);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    ASSERT_TRUE(answered) << "the file dialog never showed";
    EXPECT_FALSE(readOnlyShown) << "templates are only read: no read-only box";
    ASSERT_EQ(list.Count(), 9);
    const wchar_t* names[] = {L"a.html", L"b.txt", L"c.css"};
    const char* exts[] = {".html", ".txt", ".css"};
    for (int i = 0; i < 3; ++i) {
        const CTemplateItem* item = list.Item(5 + i);
        EXPECT_EQ(Title(5 + i), names[i]);
        EXPECT_LT(item->Id, 0);
        EXPECT_TRUE(item->Visible);
        EXPECT_EQ(item->Ext, exts[i]);
        const std::wstring path = folder + L"\\" + names[i];
        EXPECT_EQ(BytesToText(item->FileName, CodePage::Win1251), path);
        EXPECT_EQ(BytesToText(item->Description, CodePage::Win1251),
                  L"Загрузить файл '" + path + L"' в качестве шаблона.");
    }
    EXPECT_EQ(list.Item(8)->Id, 0);
    EXPECT_EQ(titles.back(), L"(разделитель)");
    EXPECT_EQ(combo, (std::vector<std::wstring>{L"HTML 4.0 Strict DTD", L"Документ XML", L"Моя страница", L"Стили",
                                                L"a.html", L"b.txt", L"c.css"}));
    EXPECT_EQ(list.DefaultIndex, 2);
}

// Edit: the dialog shows the entry; OK takes back title and description to
// the row and the combo entry. F2 edits a file template's title in place and
// is refused on a built-in.
TEST_F(Stencil, EditingTitlesInTheDialogAndInPlace) {
    std::wstring number, path, row, combo;
    bool builtInEditor = true;
    Run({[&](HWND dialog) {
        HWND view = ListOf(dialog);
        SelectRow(view, RowOfIndex(view, 2));
        EXPECT_TRUE(RunWithAnswer(dialog, 32, ByCaption(L"Изменение шаблона", [&](HWND box) {
            wchar_t text[256] = {};
            GetDlgItemTextW(box, 1003, text, 256);
            number = text;
            GetDlgItemTextW(box, 1007, text, 256);
            path = text;
            SetDlgItemTextW(box, 1004, L"Новая страница");
            SetDlgItemTextW(box, 1006, L"Другая");
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        })));
        row = Cell(view, RowOfIndex(view, 2), 0) + L"|" + Cell(view, RowOfIndex(view, 2), 2);
        combo = ComboSelection(dialog);

        SelectRow(view, RowOfIndex(view, 0));
        test::Press(view, VK_F2);
        builtInEditor = ListView_GetEditControl(view) != nullptr;

        SelectRow(view, RowOfIndex(view, 4));
        SetFocus(view);
        test::Press(view, VK_F2);
        HWND edit = ListView_GetEditControl(view);
        ASSERT_TRUE(edit);
        SetWindowTextW(edit, L"Стили 2");
        SetFocus(view);  // leaving the edit ends it with its text
    }});
    EXPECT_EQ(number, L"3");
    EXPECT_EQ(path, L"C:\\t\\page.html");
    EXPECT_EQ(row, L"Новая страница|Другая");
    EXPECT_EQ(combo, L"Новая страница");
    EXPECT_EQ(Title(2), L"Новая страница");
    EXPECT_EQ(BytesToText(list.Item(2)->Description, CodePage::Win1251), L"Другая");
    EXPECT_FALSE(builtInEditor) << "F2 on a built-in starts no edit";
    EXPECT_EQ(Title(4), L"Стили 2");
    EXPECT_EQ(Title(0), L"HTML 4.0 Strict DTD");
}

// Clicks: on a row's check box it ticks or unticks; on a file template's
// title it opens the entry (one-click activation); on a built-in it does not.
TEST_F(Stencil, AClickOnACheckBoxTicksAndAClickOnATitleOpensTheEntry) {
    bool editorOnTick = true, editorOnTitle = false, editorOnBuiltIn = true;
    Run({[&](HWND dialog) {
        HWND view = ListOf(dialog);
        const auto click = [&](int row, bool onCheckBox) {
            RECT bounds{};
            ListView_GetItemRect(view, row, &bounds, LVIR_BOUNDS);
            POINT at{bounds.left + 2, (bounds.top + bounds.bottom) / 2};
            for (; at.x < bounds.right; ++at.x) {
                LVHITTESTINFO hit{};
                hit.pt = at;
                ListView_SubItemHitTest(view, &hit);
                if (onCheckBox ? (hit.flags & LVHT_ONITEMSTATEICON) : (hit.flags & LVHT_ONITEMLABEL)) break;
            }
            SendMessageW(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
            SendMessageW(view, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        };
        const auto opensEditor = [&](const std::function<void()>& action) {
            return test::AnswerWhile(ByCaption(L"Изменение шаблона",
                                               [](HWND box) { PostMessageW(box, WM_COMMAND, IDCANCEL, 0); }),
                                     [&] {
                                         action();
                                         test::PumpMessages();
                                     });
        };
        editorOnTick = opensEditor([&] { click(RowOfIndex(view, 2), true); });
        editorOnTitle = opensEditor([&] { click(RowOfIndex(view, 4), false); });
        editorOnBuiltIn = opensEditor([&] { click(RowOfIndex(view, 0), false); });
    }});
    EXPECT_FALSE(editorOnTick);
    EXPECT_FALSE(list.Item(2)->Visible) << "the click unticked it";
    EXPECT_TRUE(editorOnTitle);
    EXPECT_FALSE(editorOnBuiltIn);
}

// Tools > template editor with Stencil.dll beside the program: the frame is
// disabled while it runs; what it changed is stored and the menus follow.
class StencilFromTheEditor : public EditorUi {};

TEST_F(StencilFromTheEditor, TheEditedListIsStoredAndTheMenusRebuilt) {
    const std::wstring placed = test::ModuleFolder() + L"Stencil.dll";
    ASSERT_TRUE(CopyFileW((test::BinFolder() + L"Stencil.dll").c_str(), placed.c_str(), FALSE));
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
    bool frameEnabled = true;
    {
        test::DialogScript script(kCaption, {[&](HWND dialog) {
                                      frameEnabled = IsWindowEnabled(frame);
                                      HWND view = ListOf(dialog);
                                      ListView_SetCheckState(view, RowOfIndex(view, 0), FALSE);
                                  }});
        Command(kCmdTemplateEditor);
        EXPECT_EQ(script.StepsRun(), 1);
    }
    DeleteFileW(placed.c_str());
    EXPECT_FALSE(frameEnabled);
    EXPECT_TRUE(IsWindowEnabled(frame));
    EXPECT_FALSE(form->Templates().Item(0)->Visible);
    EXPECT_EQ(form->Templates().DefaultIndex, 1) << "the first entry took over from the hidden default";
    const auto stored = storage::LoadTemplateValue(registry);
    ASSERT_TRUE(stored);
    EXPECT_EQ(*stored, form->Templates().Write());
    HMENU file = GetSubMenu(form->Menu(), 0);
    HMENU templates = nullptr;
    for (int i = 0; i < GetMenuItemCount(file) && !templates; ++i) {
        wchar_t text[128] = {};
        GetMenuStringW(file, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
        if (std::wstring(text) == L"Загрузить &шаблон") templates = GetSubMenu(file, i);
    }
    ASSERT_TRUE(templates);
    EXPECT_EQ(GetMenuItemCount(templates), 12);
    EXPECT_EQ(GetMenuDefaultItem(templates, FALSE, 0), static_cast<UINT>(kFirstTemplateId + 1));
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
}

}  // namespace
}  // namespace quillon
