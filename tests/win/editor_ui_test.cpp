// The real main window and document windows in this process, driven the way
// the program drives them: command numbers through the dispatcher, text
// through the editor control, copy-data to the frame. Prompts and the save
// dialog are scripted; results are read from the real menu, status bar,
// captions and files.
#include <windows.h>

#include <commctrl.h>
#include <richedit.h>

#include <ddeml.h>
#include <shlobj.h>
#include <commdlg.h>
#include <dlgs.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "command_table.h"
#include "edit_form.h"
#include "main_form.h"
#include "prompts.h"
#include "win32_files.h"
#include "win32_registry.h"
#include "editor_ui_fixture.h"
#include "win_test_support.h"

namespace quillon {
namespace {

TEST_F(EditorUi, OpensTheFilesThatCanBeOpenedAndReportsTheOthers) {
    std::vector<std::wstring> names;
    for (int i = 1; i <= 5; ++i)
        names.push_back(i == 3 ? folder + L"missing3.txt" : Put(L"file" + std::to_wstring(i) + L".txt", "text"));
    ScriptedPrompts script;
    form->Files().OpenNamedFiles(names);
    test::PumpMessages();
    ASSERT_EQ(form->Documents().size(), 4u);
    ASSERT_EQ(script.SeenIds(), std::vector<int>{113});
    EXPECT_EQ(PromptText(script.Seen()[0]), L"Не удалось открыть файл \"" + names[2] + L"\".");
    EXPECT_EQ(script.Seen()[0].icon, PromptIcon::Error);
    EXPECT_EQ(SharedDocumentState().OpenDocumentCount, 4);
    EXPECT_EQ(Caption(Active()->Handle()), L"file5.txt");
    // New windows open maximized on the first start.
    EXPECT_TRUE(IsZoomed(Active()->Handle()));

    // Already open, in another case: message 114, nothing opened.
    script.Clear();
    std::wstring upper = names[0];
    for (auto& ch : upper) ch = static_cast<wchar_t>(towupper(ch));
    form->Files().OpenNamedFiles({upper});
    EXPECT_EQ(script.SeenIds(), std::vector<int>{114});
    EXPECT_EQ(PromptText(script.Seen()[0]), L"Файл \"" + upper + L"\" уже открыт.");
    EXPECT_EQ(form->Documents().size(), 4u);
}

// A drop handle as the shell makes one: DROPFILES followed by the wide names.
HDROP MakeDrop(const std::vector<std::wstring>& names) {
    size_t chars = 1;
    for (const auto& name : names) chars += name.size() + 1;
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    auto* text = reinterpret_cast<wchar_t*>(drop + 1);
    for (const auto& name : names) {
        memcpy(text, name.c_str(), (name.size() + 1) * sizeof(wchar_t));
        text += name.size() + 1;
    }
    *text = L'\0';
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

TEST_F(EditorUi, DroppedFilesOpenInOrderAndAnUnreadableOneIsReported) {
    std::vector<std::wstring> names;
    for (int i = 1; i <= 5; ++i)
        names.push_back(i == 3 ? folder + L"gone3.txt" : Put(L"drop" + std::to_wstring(i) + L".txt", "d"));
    ScriptedPrompts script;
    EXPECT_EQ(SendMessageW(frame, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(names)), 0), 0);
    EXPECT_EQ(form->Documents().size(), 4u);
    EXPECT_EQ(script.SeenIds(), std::vector<int>{113});
    EXPECT_EQ(Active()->FileName(), names[4]);
}

TEST_F(EditorUi, PanelsAndCommandsFollowTheActiveDocument) {
    const std::wstring page = Put(L"page.html", "<p>one</p>\r\n<p>two</p>\r\n");
    form->Files().OpenNamedFiles({page});
    TEditForm* document = Active();
    ASSERT_TRUE(document);
    EditorControl& editor = document->Editor();
    EXPECT_EQ(form->PanelText(0), L"Ст 1\t\tКол 1       ");
    EXPECT_EQ(form->PanelText(1), L"");
    EXPECT_EQ(form->PanelText(2), L"Вставка");
    EXPECT_EQ(form->PanelText(3), L"Текст Windows");
    EXPECT_EQ(form->PanelText(4), L"");
    EXPECT_FALSE(Enabled(L"SaveItem"));
    EXPECT_FALSE(Enabled(L"UndoItem"));
    EXPECT_TRUE(Enabled(L"SaveAsItem"));
    EXPECT_TRUE(Enabled(L"BoldItem"));  // HTML takes tags
    EXPECT_TRUE(Enabled(L"ShowInBrowser"));
    EXPECT_FALSE(Enabled(L"CopyItem"));

    editor.Select(14, 3);  // "two"
    test::PumpMessages();
    EXPECT_EQ(form->PanelText(0), L"Ст 2\t\tКол 7       ");
    EXPECT_TRUE(Enabled(L"CopyItem"));
    EXPECT_TRUE(Enabled(L"CutItem"));

    editor.ReplaceSel(L"три");
    test::PumpMessages();
    EXPECT_EQ(form->PanelText(1), L"Изменен");
    EXPECT_TRUE(Enabled(L"SaveItem"));
    EXPECT_TRUE(Enabled(L"UndoItem"));

    // Undoing every change makes the document unmodified again.
    Command(kCmdUndo);
    EXPECT_EQ(form->PanelText(1), L"");
    EXPECT_FALSE(Enabled(L"SaveItem"));
    EXPECT_TRUE(Enabled(L"RedoItem"));
    EXPECT_FALSE(editor.Modified());

    // A plain text document takes no tags.
    form->Files().OpenNamedFiles({Put(L"notes.txt", "notes")});
    EXPECT_FALSE(Enabled(L"BoldItem"));
    EXPECT_FALSE(Enabled(L"ShowInBrowser"));
}

TEST_F(EditorUi, ClosingTheLastWindowEmptiesThePanelsAndDisablesDocumentCommands) {
    form->Files().OpenNamedFiles({Put(L"a.html", "a")});
    ASSERT_TRUE(Active());
    SendMessageW(Active()->Handle(), WM_CLOSE, 0, 0);
    test::PumpMessages();
    EXPECT_TRUE(form->Documents().empty());
    EXPECT_EQ(SharedDocumentState().OpenDocumentCount, 0);
    for (int panel = 0; panel < 6; ++panel) EXPECT_EQ(form->PanelText(panel), L"") << panel;
    for (const auto* item : {L"SaveItem", L"SaveAsItem", L"SaveAllItem", L"UndoItem", L"RedoItem", L"PasteItem",
                             L"ReplaceItem", L"FindItem", L"GoToItem", L"BoldItem", L"WordWrapItem"})
        EXPECT_FALSE(Enabled(item)) << std::wstring(item).c_str();
    // It went into the recent files.
    EXPECT_EQ(form->Recent()[0].FileName, folder + L"a.html");
}

TEST_F(EditorUi, TheEditorsTextIsRegularCourierNewFifteenPixelsHigh) {
    const std::wstring path = Put(L"font.html", "<p>text</p>\r\n");
    form->Files().OpenNamedFiles({path});
    form->Files().NewDocument(L".txt");
    for (TEditForm* document : form->Documents()) {
        HWND control = document->Editor().Handle();
        for (const DWORD which : {DWORD{SCF_DEFAULT}, DWORD{SCF_ALL}}) {
            SendMessageW(control, EM_SETSEL, 0, -1);
            CHARFORMAT2W format{};
            format.cbSize = sizeof format;
            SendMessageW(control, EM_GETCHARFORMAT, which == SCF_ALL ? SCF_SELECTION : SCF_DEFAULT,
                         reinterpret_cast<LPARAM>(&format));
            EXPECT_STREQ(format.szFaceName, L"Courier New");
            EXPECT_FALSE(format.dwEffects & (CFE_BOLD | CFE_ITALIC)) << std::hex << format.dwEffects;
            EXPECT_EQ(format.yHeight, 225) << "15 pixels at 96 dots an inch, in twips";
        }
    }
}

TEST_F(EditorUi, ReadOnlyFilesOpenReadOnly) {
    const std::wstring locked = Put(L"locked.txt", "abc");
    SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY);
    form->Files().OpenNamedFiles({locked});
    ASSERT_TRUE(Active());
    EXPECT_TRUE(Active()->Editor().ReadOnly());
    EXPECT_EQ(form->PanelText(4), L"Только чтение");
    EXPECT_FALSE(Enabled(L"ReadOnlyItem"));  // the file itself is read-only
    EXPECT_FALSE(Enabled(L"ReplaceItem"));
    Active()->Editor().Select(0, 2);
    test::PumpMessages();
    EXPECT_TRUE(Enabled(L"CopyItem"));
    EXPECT_FALSE(Enabled(L"CutItem"));
    EXPECT_FALSE(Enabled(L"DeleteItem"));
}

TEST_F(EditorUi, AFileWithNulBytesOpensReadOnlySoNoSaveCanCutItShort) {
    const std::string binary("ab\0cd\r\nef", 9);
    const std::wstring path = Put(L"binary.dat", binary);
    ScriptedPrompts script({PromptAnswer::Ok, PromptAnswer::Yes});
    form->Files().OpenNamedFiles({path});
    ASSERT_TRUE(Active());
    // The user is told why, once, and the read-only switch is off and checked.
    ASSERT_EQ(script.SeenIds(), std::vector<int>{200});
    EXPECT_NE(PromptText(script.Seen()[0]).find(path), std::wstring::npos);
    EXPECT_EQ(script.Seen()[0].icon, PromptIcon::Information);
    EXPECT_TRUE(Active()->Editor().ReadOnly());
    EXPECT_FALSE(Enabled(L"ReadOnlyItem"));
    EXPECT_TRUE(Checked(L"ReadOnlyItem"));
    Command(kCmdSave);
    EXPECT_EQ(ReadWholeFile(path), binary);
    // Neither the read-only switch nor a coding switch makes it writable or changed.
    Command(kCmdReadOnly);
    EXPECT_TRUE(Active()->Editor().ReadOnly());
    // Another document and back: the item follows the active window.
    form->Files().NewDocument(L".txt");
    EXPECT_TRUE(Enabled(L"ReadOnlyItem"));
    SendMessageW(form->DocumentArea(), WM_MDINEXT, 0, 0);
    test::PumpMessages();
    EXPECT_EQ(Active()->FileName(), path);
    EXPECT_FALSE(Enabled(L"ReadOnlyItem"));
    Command(kCmdCoding);
    EXPECT_FALSE(Active()->DosText());
    EXPECT_EQ(form->PanelText(1), L"");
}

TEST_F(EditorUi, SaveKeepsABackupAndWritesOnlyWhenModified) {
    const std::wstring path = Put(L"index.html", "old\r\n");
    form->Files().OpenNamedFiles({path});
    EditorControl& editor = Active()->Editor();

    Command(kCmdSave);  // not modified: nothing written, no backup
    EXPECT_FALSE(std::filesystem::exists(folder + L"index.~html"));

    editor.SetSelStart(editor.TextLength());
    editor.ReplaceSel(L"new\r");
    Command(kCmdSave);
    EXPECT_EQ(ReadWholeFile(path), std::string("old\r\nnew\r\n"));
    EXPECT_EQ(ReadWholeFile(folder + L"index.~html"), std::string("old\r\n"));
    EXPECT_FALSE(editor.Modified());
    EXPECT_FALSE(Enabled(L"UndoItem"));  // the history goes with the save
    EXPECT_EQ(form->PanelText(1), L"");
}

TEST_F(EditorUi, AFailedSaveLeavesTheFileAndTheDocumentModified) {
    const std::wstring path = Put(L"keep.txt", "keep");
    form->Files().OpenNamedFiles({path});
    EditorControl& editor = Active()->Editor();
    editor.ReplaceSel(L"changed ");
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);  // made read-only behind the editor's back
    form->MutableOptions().BackupCopies = false;
    ScriptedPrompts script;
    Command(kCmdSave);
    EXPECT_EQ(script.SeenIds(), std::vector<int>{115});
    EXPECT_EQ(ReadWholeFile(path), std::string("keep"));
    EXPECT_TRUE(editor.Modified());
    EXPECT_EQ(form->PanelText(1), L"Изменен");
}

// Sets the default value of a key under HKEY_CLASSES_ROOT (Wine reads the
// associations from there, not from a user's override) and gives the old value
// back on scope exit, removing the key when it was not there.
class ClassValue {
public:
    ClassValue(std::wstring key, const std::wstring& value) : key_(std::move(key)) {
        wchar_t old[1024] = {};
        DWORD size = sizeof old;
        existed_ = RegGetValueW(HKEY_CLASSES_ROOT, key_.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, old, &size) == ERROR_SUCCESS;
        old_ = old;
        RegSetKeyValueW(HKEY_CLASSES_ROOT, key_.c_str(), nullptr, REG_SZ, value.c_str(),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }
    ~ClassValue() {
        if (existed_)
            RegSetKeyValueW(HKEY_CLASSES_ROOT, key_.c_str(), nullptr, REG_SZ, old_.c_str(),
                            static_cast<DWORD>((old_.size() + 1) * sizeof(wchar_t)));
        else
            RegDeleteTreeW(HKEY_CLASSES_ROOT, key_.c_str());
    }

private:
    std::wstring key_, old_;
    bool existed_ = false;
};

// With the pages' own association leading back into the editor (the
// installer's association through Relay.exe), the page reaches the program
// registered for web addresses, and no document is opened twice.
TEST_F(EditorUi, ShowInBrowserGoesToTheWebBrowserNotBackToTheEditor) {
    const std::wstring page = Put(L"page.html", "<p>page</p>");
    const std::wstring browsed = folder + L"browsed.html";
    ClassValue ours(L"Quillon.TestDocument\\shell\\open\\command", L"\"C:\\Program Files\\Quillon\\Relay.exe\" \"%1\"");
    ClassValue html(L".html", L"Quillon.TestDocument");
    ClassValue http(L"http\\shell\\open\\command", L"C:\\windows\\system32\\cmd.exe /c copy \"%1\" \"" + browsed + L"\"");
    form->Files().OpenNamedFiles({page});
    ScriptedPrompts script;
    Command(kCmdShowInBrowser);
    EXPECT_TRUE(test::WaitFor([&] { return ReadWholeFile(browsed) == std::string("<p>page</p>"); },
                              std::chrono::seconds(30)));
    EXPECT_TRUE(script.SeenIds().empty());
    EXPECT_EQ(form->Documents().size(), 1u);
}

// Show in browser saves first: No to the coding question goes back to editing
// and shows nothing; Yes saves in UTF-8 and shows the page saved so. The
// "browser" copies each page it is given beside it.
TEST_F(EditorUi, ShowInBrowserStopsWhereTheCodingQuestionIsDeclined) {
    const std::wstring page = Put(L"page.html", "<p>a</p>");
    const std::wstring other = Put(L"other.html", "<p>other</p>");
    ClassValue http(L"http\\shell\\open\\command", L"C:\\windows\\system32\\cmd.exe /c copy \"%1\" \"%1.shown\"");
    form->Files().OpenNamedFiles({other, page});
    TEditForm* declined = Active();
    ASSERT_EQ(declined->FileName(), page);
    declined->Editor().SetSelStart(3);
    declined->Editor().ReplaceSel(L"→");
    {
        ScriptedPrompts script({PromptAnswer::No});
        Command(kCmdShowInBrowser);
        EXPECT_EQ(script.SeenIds(), std::vector<int>{202});
    }
    EXPECT_EQ(ReadWholeFile(page), std::string("<p>a</p>"));
    // Another page shown afterwards arrives; the declined one never did.
    SendMessageW(form->DocumentArea(), WM_MDINEXT, 0, 0);
    test::PumpMessages();
    ASSERT_EQ(Active()->FileName(), other);
    Command(kCmdShowInBrowser);
    EXPECT_TRUE(test::WaitFor([&] { return ReadWholeFile(other + L".shown").has_value(); }, std::chrono::seconds(30)));
    EXPECT_FALSE(ReadWholeFile(page + L".shown").has_value());

    SendMessageW(form->DocumentArea(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(declined->Handle()), 0);
    test::PumpMessages();
    {
        ScriptedPrompts script({PromptAnswer::Yes});
        Command(kCmdShowInBrowser);
        EXPECT_EQ(script.SeenIds(), std::vector<int>{202});
    }
    const std::string saved = "<p>\xe2\x86\x92" "a</p>";
    EXPECT_EQ(ReadWholeFile(page), saved);
    EXPECT_TRUE(test::WaitFor([&] { return ReadWholeFile(page + L".shown") == saved; }, std::chrono::seconds(30)));
}

// A megabyte of Cyrillic words on one line (a minified page) would take the
// control minutes and gigabytes to wrap: the page opens at once, unwrapped,
// saying why (201); Ctrl+W refuses the same way; ordinary pages still wrap.
TEST_F(EditorUi, ALineTooLongToWrapOpensUnwrappedAndSaysWhy) {
    std::string line;
    while (line.size() < (1u << 20)) line += "\xd1\xfa\xe5\xf8\xfc \xe6\xe5 \xe5\xf9\xb8 \xfd\xf2\xe8\xf5 ";
    const std::wstring path = Put(L"minified.html", line);
    const std::wstring ordinary = Put(L"ordinary.html", "<p>\xd1\xfa\xe5\xf8\xfc</p>\r\n<p>text</p>\r\n");
    ScriptedPrompts script;
    form->Files().OpenNamedFiles({path});
    ASSERT_EQ(form->Documents().size(), 1u);
    EXPECT_EQ(script.SeenIds(), std::vector<int>{201});
    ASSERT_FALSE(script.Seen().empty());
    EXPECT_EQ(PromptText(script.Seen()[0]).find(L"слишком длинные строки") != std::wstring::npos, true);
    EXPECT_FALSE(Active()->Editor().WordWrap());
    EXPECT_FALSE(Checked(L"WordWrapItem"));
    EXPECT_EQ(Active()->Editor().TextLength(), static_cast<int>(line.size()));
    Command(kCmdWordWrap);
    EXPECT_EQ(script.SeenIds(), (std::vector<int>{201, 201}));
    EXPECT_FALSE(Active()->Editor().WordWrap());
    EXPECT_FALSE(Checked(L"WordWrapItem"));

    form->Files().OpenNamedFiles({ordinary});
    EXPECT_EQ(script.SeenIds().size(), 2u);
    EXPECT_TRUE(Active()->Editor().WordWrap());
}

TEST_F(EditorUi, TheSaveQuestionDecidesWhetherAWindowCloses) {
    const std::wstring path = Put(L"q.txt", "q");
    form->Files().OpenNamedFiles({path});
    HWND hwnd = Active()->Handle();
    Active()->Editor().ReplaceSel(L"x");

    ScriptedPrompts script({PromptAnswer::Cancel, PromptAnswer::Yes});
    SendMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(hwnd));  // Cancel keeps it
    EXPECT_EQ(script.SeenIds(), std::vector<int>{110});
    EXPECT_EQ(PromptText(script.Seen()[0]), L"Файл \"" + path + L"\" был изменен.\r\nСохранить изменения?");

    SendMessageW(hwnd, WM_CLOSE, 0, 0);  // Yes saves and closes
    test::PumpMessages();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(ReadWholeFile(path), std::string("xq"));
}

TEST_F(EditorUi, UntitledDocumentsAskForANameAndCountUp) {
    form->MenuItemSelect(kCmdNew);
    form->Files().NewDocument(L".html");
    ASSERT_EQ(form->Documents().size(), 2u);
    EXPECT_EQ(Active()->FileName(), L"Безымянный 2.html");
    EXPECT_FALSE(Enabled(L"ShowInBrowser"));  // no file yet

    Active()->Editor().ReplaceSel(L"<html>");
    int asked = 0;
    SaveDialogRunner() = [&](FileDialogRequest& request) {
        ++asked;
        EXPECT_EQ(std::string(request.fileBuffer), "\xc1\xe5\xe7\xfb\xec\xff\xed\xed\xfb\xe9 2.html");
        EXPECT_EQ(request.filterIndex, 1);  // the HTML filter
        const std::string chosen = TextToBytes(folder + L"saved.html", CodePage::Ansi);
        lstrcpynA(request.fileBuffer, chosen.c_str(), request.bufferSize);
        return 1;
    };
    Command(kCmdSave);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(ReadWholeFile(folder + L"saved.html"), std::string("<html>"));
    EXPECT_EQ(Caption(Active()->Handle()), L"saved.html");
    EXPECT_TRUE(Enabled(L"ShowInBrowser"));

    // Cancelling the dialog of a modified untitled window keeps it open.
    form->Files().NewDocument(L"");
    HWND untitled = Active()->Handle();
    Active()->Editor().ReplaceSel(L"text");
    SaveDialogRunner() = [](FileDialogRequest&) { return 0; };
    ScriptedPrompts script({PromptAnswer::Yes});
    SendMessageW(untitled, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(untitled));
}

TEST_F(EditorUi, ACancelledSaveQuestionStopsTheExitAndTheProgramGoesOn) {
    form->Files().OpenNamedFiles({Put(L"one.txt", "1"), Put(L"two.txt", "2")});
    ASSERT_EQ(form->Documents().size(), 2u);
    Active()->Editor().ReplaceSel(L"changed");

    ScriptedPrompts script({PromptAnswer::Cancel});
    SendMessageW(frame, WM_SYSCOMMAND, SC_CLOSE, 0);
    test::PumpMessages();
    ASSERT_TRUE(IsWindow(frame));
    EXPECT_EQ(script.SeenIds(), std::vector<int>{110});
    EXPECT_FALSE(SharedDocumentState().Closing);
    EXPECT_EQ(SharedDocumentState().OpenDocumentCount, 2);
    EXPECT_EQ(form->Documents().size(), 2u);
    // The status routines work again after the refused close.
    Active()->Editor().ReplaceSel(L"!");
    test::PumpMessages();
    EXPECT_EQ(form->PanelText(1), L"Изменен");

    // No this time: the program closes, and a closing program enters no recent files.
    script.Push(PromptAnswer::No);
    SendMessageW(frame, WM_SYSCOMMAND, SC_CLOSE, 0);
    test::PumpMessages();
    EXPECT_FALSE(IsWindow(frame));
    SharedDocumentState() = DocumentState{};
}

TEST_F(EditorUi, PlacementsAreRecordedBeforeMinimizeAndMaximize) {
    form->Files().OpenNamedFiles({Put(L"place.txt", "p")});
    HWND document = Active()->Handle();
    SendMessageW(form->DocumentArea(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(document), 0);
    MoveWindow(document, 10, 20, 300, 200, TRUE);
    SendMessageW(document, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    test::PumpMessages();
    EXPECT_TRUE(IsIconic(document));
    const RECT normal = Active()->NormalBounds();
    EXPECT_EQ(normal.left, 10);
    EXPECT_EQ(normal.top, 20);
    EXPECT_EQ(normal.right - normal.left, 300);
    EXPECT_EQ(normal.bottom - normal.top, 200);

    ShowWindow(frame, SW_RESTORE);
    MoveWindow(frame, 30, 40, 700, 500, TRUE);
    test::PumpMessages();
    SendMessageW(frame, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    test::PumpMessages();
    EXPECT_TRUE(IsZoomed(frame));
    EXPECT_EQ(form->SavedRect().left, 30);
    EXPECT_EQ(form->SavedRect().right - form->SavedRect().left, 700);
}

TEST_F(EditorUi, PrintingEndsAndAsksTheDialogs) {
    std::string text;
    for (int i = 0; i < 400; ++i) text += "line " + std::to_string(i) + "\r\n";
    form->Files().OpenNamedFiles({Put(L"print.txt", text)});
    ASSERT_TRUE(Active());
    // A screen device stands in for the printer. Wine's control answers
    // EM_FORMATRANGE without progress here (0); the page loop must end all the
    // same, never print the same page for ever.
    HDC screen = GetDC(nullptr);
    const int pages = Active()->FormatPages(screen, PageOutput::Measure);
    EXPECT_GE(pages, 1);
    EXPECT_LT(pages, 400);
    Active()->Editor().SetText(L"");
    EXPECT_EQ(Active()->FormatPages(screen, PageOutput::Measure), 1);
    ReleaseDC(nullptr, screen);

    // The print command asks the print dialog; cancelling it prints nothing.
    int asked = 0;
    DWORD flags = 0;
    PrintDialogRunner() = [&](PRINTDLGW& dialog) {
        ++asked;
        flags = dialog.Flags;
        return FALSE;
    };
    Command(kCmdPrint);
    Command(kCmdPrinterSetup);
    PrintDialogRunner() = nullptr;
    EXPECT_EQ(asked, 2);
    EXPECT_TRUE(flags & PD_PRINTSETUP);
}

TEST_F(EditorUi, TheNewMenuOffersTheFifteenKinds) {
    ASSERT_EQ(form->Kinds().size(), 15u);
    EXPECT_EQ(form->Kinds()[0].Name, L"Обычный документ");
    EXPECT_EQ(form->Kinds()[0].Extension, L"");
    EXPECT_EQ(form->Kinds()[1].Extension, L".html");
    EXPECT_EQ(form->Kinds()[14].Description, L"Создание модуля Java");
    // Ctrl+N through the accelerators: an untitled document of the first kind.
    MSG key{frame, WM_KEYDOWN, 'N', 0};
    BYTE state[256] = {};
    state[VK_CONTROL] = 0x80;
    SetKeyboardState(state);
    EXPECT_TRUE(TranslateAcceleratorW(frame, form->Accelerators(), &key));
    state[VK_CONTROL] = 0;
    SetKeyboardState(state);
    test::PumpMessages();
    ASSERT_TRUE(Active());
    EXPECT_EQ(Active()->FileName(), L"Безымянный 1");
    // The kind items: the CSS kind (tag 6).
    SendMessageW(frame, WM_COMMAND, MAKEWPARAM(3000 + 6, 0), 0);
    EXPECT_EQ(Active()->FileName(), L"Безымянный 2.css");
}

TEST_F(EditorUi, OpenTakesTheDialogsFilesReadOnlyAnswerAndFilter) {
    Put(L"open_a.txt", "a");
    const std::wstring b = Put(L"open_b.html", "b");
    form->DialogState().openFilter = 4;
    int asked = 0;
    OpenDialogRunner() = [&](FileDialogRequest& request) {
        ++asked;
        EXPECT_EQ(request.bufferSize, 10240);
        EXPECT_EQ(request.filterIndex, 4);
        EXPECT_EQ(request.folder[0], '\0');
        EXPECT_EQ(request.title, nullptr);
        EXPECT_FALSE(IsWindowEnabled(frame));
        // As the dialog leaves several names: the folder, the names, a double NUL.
        std::string answer = TextToBytes(folder.substr(0, folder.size() - 1), CodePage::Ansi);
        answer += '\0';
        answer += "open_a.txt";
        answer += '\0';
        answer += "open_b.html";
        answer += '\0';
        answer += '\0';
        memcpy(request.fileBuffer, answer.data(), answer.size());
        request.filterIndex = 9;
        request.readOnly = 1;
        return 1;
    };
    Command(kCmdOpen);
    OpenDialogRunner() = nullptr;
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(IsWindowEnabled(frame));
    ASSERT_EQ(form->Documents().size(), 2u);
    for (TEditForm* document : form->Documents()) EXPECT_TRUE(document->Editor().ReadOnly());
    EXPECT_EQ(form->DialogState().openFilter, 9);
    EXPECT_EQ(Active()->FileName(), b);
    EXPECT_TRUE(Active()->Editor().WordWrap());  // html wraps

    // Cancel opens nothing.
    OpenDialogRunner() = [](FileDialogRequest&) { return 0; };
    Command(kCmdOpen);
    OpenDialogRunner() = nullptr;
    EXPECT_EQ(form->Documents().size(), 2u);
}

// Types a name into the real open dialog once it is up, ticks read-only, presses OK.
std::string g_typedName;
UINT_PTR CALLBACK TypeIntoDialog(HWND child, UINT msg, WPARAM, LPARAM lParam) {
    constexpr UINT kActNow = WM_APP + 1;
    if (msg == WM_NOTIFY && reinterpret_cast<const OFNOTIFYA*>(lParam)->hdr.code == CDN_INITDONE)
        PostMessageW(child, kActNow, 0, 0);
    if (msg == kActNow) {
        HWND dialog = GetParent(child);
        SendMessageA(dialog, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(g_typedName.c_str()));
        SendMessageA(dialog, CDM_SETCONTROLTEXT, edt1, reinterpret_cast<LPARAM>(g_typedName.c_str()));
        CheckDlgButton(dialog, chx1, BST_CHECKED);
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    }
    return 0;
}

void __stdcall InstallTyping(FileDialogRequest*, OPENFILENAMEA* setup) {
    setup->Flags |= OFN_ENABLEHOOK;
    setup->lpfnHook = TypeIntoDialog;
}

TEST_F(EditorUi, OpenThroughTheRealDialog) {
    const std::wstring path = Put(L"real_dialog.txt", "real");
    g_typedName = TextToBytes(path, CodePage::Ansi);
    // The editor's own request, with Filebox's customize call as the way in.
    OpenDialogRunner() = [](FileDialogRequest& request) {
        request.customize = InstallTyping;
        return OpenFiles(&request);
    };
    Command(kCmdOpen);
    OpenDialogRunner() = nullptr;
    ASSERT_EQ(form->Documents().size(), 1u);
    EXPECT_EQ(Active()->FileName(), path);
    EXPECT_TRUE(Active()->Editor().ReadOnly());
    EXPECT_TRUE(IsWindowEnabled(frame));
}

TEST_F(EditorUi, RecentFilesShowInTheMenuAndReopenWithTheirState) {
    auto items = form->RecentMenuItems();
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].second, L"(Пусто)");

    const std::wstring path = Put(L"recent.css", "body {\r\n  color: red;\r\n}\r\n");
    form->Files().OpenNamedFiles({path});
    Active()->Editor().SetWordWrap(true);  // not the kind's default (css does not wrap)
    Active()->Editor().SetSelStart(9);
    SendMessageW(Active()->Handle(), WM_CLOSE, 0, 0);
    test::PumpMessages();
    items = form->RecentMenuItems();
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].second, L"recent.css");

    SendMessageW(frame, WM_COMMAND, MAKEWPARAM(4000 + 0, 0), 0);
    test::PumpMessages();
    ASSERT_TRUE(Active());
    EXPECT_EQ(Active()->FileName(), path);
    EXPECT_TRUE(Active()->Editor().WordWrap());
    EXPECT_EQ(Active()->Editor().SelStart(), 9);
    EXPECT_FALSE(Active()->Editor().ReadOnly());

    // Reopening one already open: message 114, nothing more.
    ScriptedPrompts script;
    SendMessageW(frame, WM_COMMAND, MAKEWPARAM(4000 + 0, 0), 0);
    EXPECT_EQ(script.SeenIds(), std::vector<int>{114});
    EXPECT_EQ(form->Documents().size(), 1u);
}

TEST_F(EditorUi, NewDocumentsTakeTheirKindsWordWrapAndKeepItThroughTheRecentFiles) {
    struct Case {
        const wchar_t* extension;
        bool wrapped;
    };
    for (const Case& c : {Case{L".html", true}, Case{L".txt", true}, Case{L"", true}, Case{L".css", false},
                          Case{L".cpp", false}}) {
        form->Files().NewDocument(c.extension);
        test::PumpMessages();
        EXPECT_EQ(Active()->Editor().WordWrap(), c.wrapped) << c.extension;
        Active()->Editor().ReplaceSel(L"<p>some text</p>\r<p>more</p>");
        test::PumpMessages();
        SCROLLBARINFO bar{sizeof bar};
        GetScrollBarInfo(Active()->Editor().Handle(), OBJID_HSCROLL, &bar);
        EXPECT_EQ((bar.rgstate[0] & STATE_SYSTEM_INVISIBLE) != 0, c.wrapped) << "horizontal scroll bar " << c.extension;
        EXPECT_EQ(Checked(L"WordWrapItem"), c.wrapped) << c.extension;
    }
    // Saved, closed and reopened from the recent files: as File > Open gives it.
    const std::wstring path = folder + L"page.html";
    SaveDialogRunner() = [&](FileDialogRequest& request) {
        lstrcpynA(request.fileBuffer, TextToBytes(path, CodePage::Ansi).c_str(), request.bufferSize);
        return 1;
    };
    form->Files().NewDocument(L".html");
    Active()->Editor().ReplaceSel(L"<p>");
    Command(kCmdSaveAs);
    ASSERT_EQ(Active()->FileName(), path);
    SendMessageW(Active()->Handle(), WM_CLOSE, 0, 0);
    test::PumpMessages();
    form->Files().MRUFileItemClick(0);
    ASSERT_EQ(Active()->FileName(), path);
    EXPECT_TRUE(Active()->Editor().WordWrap());
}

TEST_F(EditorUi, CloseAllStopsAtTheFirstRefusalAndClosesNothing) {
    const std::wstring one = Put(L"c1.txt", "1"), two = Put(L"c2.txt", "2"), three = Put(L"c3.txt", "3");
    form->Files().OpenNamedFiles({one, two, three});
    for (TEditForm* document : form->Documents()) document->Editor().ReplaceSel(L"x");
    ScriptedPrompts script({PromptAnswer::Yes, PromptAnswer::Yes, PromptAnswer::Cancel});
    Command(kCmdCloseAll);
    EXPECT_EQ(script.SeenIds(), (std::vector<int>{110, 110, 110}));
    ASSERT_EQ(form->Documents().size(), 3u);
    int saved = 0;
    for (const auto& path : {one, two, three}) saved += ReadWholeFile(path)->front() == 'x';
    EXPECT_EQ(saved, 2);

    // Now all agree (the third answers No): all close and enter the recent files.
    script.Push(PromptAnswer::No);
    Command(kCmdCloseAll);
    EXPECT_TRUE(form->Documents().empty());
    EXPECT_EQ(form->RecentMenuItems().size(), 3u);
}

TEST_F(EditorUi, SaveAllSavesEveryWindowAndAsksANameForTheUntitledOne) {
    const std::wstring path = Put(L"all.txt", "a");
    form->Files().OpenNamedFiles({path});
    form->Documents().front()->Editor().ReplaceSel(L"1");
    form->Files().NewDocument(L".html");
    Active()->Editor().ReplaceSel(L"<p>");
    int asked = 0;
    SaveDialogRunner() = [&](FileDialogRequest& request) {
        ++asked;
        const std::string chosen = TextToBytes(folder + L"named.html", CodePage::Ansi);
        lstrcpynA(request.fileBuffer, chosen.c_str(), request.bufferSize);
        return 1;
    };
    Command(kCmdSaveAll);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(ReadWholeFile(path), std::string("1a"));
    EXPECT_EQ(ReadWholeFile(folder + L"named.html"), std::string("<p>"));
    for (TEditForm* document : form->Documents()) EXPECT_FALSE(document->Editor().Modified());
}

TEST_F(EditorUi, HintsOfKindsAndRecentFilesShowInTheStatusBar) {
    const auto select = [&](UINT id) {
        SendMessageW(frame, WM_MENUSELECT, MAKEWPARAM(id, MF_HILITE), reinterpret_cast<LPARAM>(form->Menu()));
    };
    select(3000 + 1);
    EXPECT_EQ(form->HintShown(), L"Создание документа HTML");
    select(4000);
    EXPECT_EQ(form->HintShown(), L"Нет ни одного файла в списке");
    const std::wstring path = Put(L"hint.txt", "h");
    form->Files().OpenNamedFiles({path});
    SendMessageW(Active()->Handle(), WM_CLOSE, 0, 0);
    select(4000);
    EXPECT_EQ(form->HintShown(), L"Открыть файл \"" + path + L"\"");
    // Every item on the menus has its hint, the items with a button the button's long hint.
    for (const MenuEntry& entry : MenuEntries()) {
        if (Has(entry.flags, MenuItemFlags::Hidden) || Has(entry.flags, MenuItemFlags::Submenu)) continue;
        select(form->ItemId(entry.name));
        EXPECT_FALSE(form->HintShown().empty()) << std::string(entry.name.begin(), entry.name.end());
    }
    select(form->ItemId(L"SaveItem"));
    EXPECT_EQ(form->HintShown(), L"Сохрание активного документа");
    select(form->ItemId(L"ShowInBrowser"));
    EXPECT_EQ(form->HintShown(), L"Просмотр активного документа HTML в браузере, используемом по умолчанию");
    // Menu titles and submenus report a position; their hints are found by what they open.
    const auto selectPopup = [&](HMENU menu, int index) {
        SendMessageW(frame, WM_MENUSELECT, MAKEWPARAM(index, MF_POPUP | MF_HILITE), reinterpret_cast<LPARAM>(menu));
    };
    selectPopup(form->Menu(), static_cast<int>(TopMenu::Window));
    EXPECT_EQ(form->HintShown(), L"Команды работы с окнами");
    selectPopup(GetSubMenu(form->Menu(), static_cast<int>(TopMenu::File)), 0);
    EXPECT_EQ(form->HintShown(), L"Создание нового документа");
    selectPopup(GetSubMenu(form->Menu(), static_cast<int>(TopMenu::View)), 0);
    EXPECT_EQ(form->HintShown(), L"Отображение и скрытие панелей инструментов");
    // The menu closing: the panels are back.
    SendMessageW(frame, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(form->HintShown(), L"");
}

TEST_F(EditorUi, TheStatusBarsSizeGripShowsOnlyWhileTheMainWindowCanBeSized) {
    const auto grip = [&] { return (GetWindowLongPtrW(form->StatusBarWindow(), GWL_STYLE) & SBARS_SIZEGRIP) != 0; };
    ShowWindow(frame, SW_MAXIMIZE);
    test::PumpMessages();
    ASSERT_TRUE(IsZoomed(frame));
    EXPECT_FALSE(grip());
    ShowWindow(frame, SW_RESTORE);
    test::PumpMessages();
    EXPECT_TRUE(grip());
}

TEST_F(EditorUi, TheStatusBarCompactsToTwoPanelsAndComesBackFilled) {
    form->Files().OpenNamedFiles({Put(L"compact.txt", "abc")});
    EXPECT_EQ(form->PanelCount(), 6);
    form->CompactStatusBar();
    EXPECT_EQ(form->PanelCount(), 2);
    int edges[6] = {};
    SendMessageW(form->StatusBarWindow(), SB_GETPARTS, 6, reinterpret_cast<LPARAM>(edges));
    RECT client{};
    GetClientRect(frame, &client);
    EXPECT_EQ(edges[0], client.right - 220);
    form->SetPanelText(1, L"Ctrl+K");
    EXPECT_EQ(form->PanelText(1), L"Ctrl+K");  // left-aligned: no centring tab
    form->RestoreStatusBar();
    EXPECT_EQ(form->PanelCount(), 6);
    SendMessageW(form->StatusBarWindow(), SB_GETPARTS, 6, reinterpret_cast<LPARAM>(edges));
    EXPECT_EQ(edges[0], 120);
    EXPECT_EQ(edges[4], 460);
    EXPECT_EQ(edges[5], -1) << "the last panel reaches the bar's end";
    RECT last{}, bar{};
    SendMessageW(form->StatusBarWindow(), SB_GETRECT, 5, reinterpret_cast<LPARAM>(&last));
    GetClientRect(form->StatusBarWindow(), &bar);
    EXPECT_GT(last.right - last.left, 300) << "room for \"Вставлен макрос\" and a name";
    EXPECT_EQ(form->PanelText(2), L"Вставка");  // the active document filled them again
    EXPECT_EQ(form->PanelText(3), L"Текст Windows");
}

TEST_F(EditorUi, UndoingPastTheLimitNeverShowsAChangedTextAsSaved) {
    form->Files().OpenNamedFiles({Put(L"limit.txt", "")});
    EditorControl& editor = Active()->Editor();
    for (int i = 0; i < EditorControl::UndoLimit + 3; ++i) {
        editor.SetSelStart(editor.TextLength());
        editor.ReplaceSel(L"x");
    }
    while (editor.CanUndo()) editor.Undo();
    test::PumpMessages();
    EXPECT_EQ(editor.Text(), L"xxx");
    EXPECT_TRUE(editor.Modified());
    EXPECT_EQ(form->PanelText(1), L"Изменен");
}

TEST_F(EditorUi, CopyDataOpensTheListedFilesAndOnlyForItsIdentifier) {
    const std::wstring a = Put(L"cd_a.txt", "a"), b = Put(L"cd_b.txt", "b");
    const std::string list = TextToBytes(a + L"\r\n" + b + L"\r\n", CodePage::Ansi);
    COPYDATASTRUCT other{0x1234, static_cast<DWORD>(list.size() + 1), const_cast<char*>(list.c_str())};
    EXPECT_EQ(SendMessageW(frame, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&other)), 0);
    EXPECT_TRUE(form->Documents().empty());
    COPYDATASTRUCT files{kCopyDataFileList, static_cast<DWORD>(list.size()), const_cast<char*>(list.c_str())};
    EXPECT_EQ(SendMessageW(frame, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&files)), 1);
    EXPECT_EQ(form->Documents().size(), 2u);
}

TEST_F(EditorUi, OptionsSwitchAndCaptionsFollowFullNames) {
    const std::wstring path = Put(L"full.txt", "x");
    form->Files().OpenNamedFiles({path});
    EXPECT_FALSE(Checked(L"FullFileNameItem"));
    Command(kCmdFullNames);
    EXPECT_TRUE(Checked(L"FullFileNameItem"));
    EXPECT_EQ(Caption(Active()->Handle()), path);
    EXPECT_TRUE(Checked(L"BackupsItem"));
    Command(kCmdBackups);
    EXPECT_FALSE(Checked(L"BackupsItem"));
    EXPECT_FALSE(form->Options().BackupCopies);
    // Word wrap follows the kind (txt wraps) and switches for the active window only.
    const std::wstring other = Put(L"other.txt", "y");
    form->Files().OpenNamedFiles({other});
    TEditForm* second = Active();
    TEditForm* first = form->Documents().front() == second ? form->Documents().back() : form->Documents().front();
    EXPECT_TRUE(Checked(L"WordWrapItem"));
    Command(kCmdWordWrap);
    EXPECT_FALSE(Checked(L"WordWrapItem"));
    EXPECT_FALSE(second->Editor().WordWrap());
    EXPECT_TRUE(first->Editor().WordWrap()) << "the other window keeps its word wrap";
    // Unknown numbers do nothing: no window, option or text changes.
    const EditorOptions optionsBefore = form->Options();
    const size_t windowsBefore = form->Documents().size();
    const std::wstring textBefore = second->Editor().Text();
    Command(9999);
    EXPECT_EQ(form->Documents().size(), windowsBefore);
    EXPECT_EQ(Active(), second);
    EXPECT_EQ(second->Editor().Text(), textBefore);
    EXPECT_EQ(form->Options().BackupCopies, optionsBefore.BackupCopies);
    EXPECT_EQ(form->Options().FullNames, optionsBefore.FullNames);
    EXPECT_FALSE(second->Editor().Modified());
}

}  // namespace
}  // namespace quillon

namespace quillon {
namespace {

// A DDE client on its own thread, as another program would be, while this
// thread keeps the editor's messages flowing.
struct DdeRequest {
    std::string service, topic, command;
    bool connected = false;
    bool acknowledged = false;
    bool done = false;
};

DWORD WINAPI DdeClient(void* parameter) {
    auto* request = static_cast<DdeRequest*>(parameter);
    DWORD instance = 0;
    if (DdeInitializeA(&instance, [](UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) -> HDDEDATA {
            return nullptr;
        }, APPCMD_CLIENTONLY, 0) == DMLERR_NO_ERROR) {
        HSZ service = DdeCreateStringHandleA(instance, request->service.c_str(), CP_WINANSI);
        HSZ topic = DdeCreateStringHandleA(instance, request->topic.c_str(), CP_WINANSI);
        if (HCONV conversation = DdeConnect(instance, service, topic, nullptr)) {
            request->connected = true;
            DWORD result = 0;
            request->acknowledged = DdeClientTransaction(
                reinterpret_cast<LPBYTE>(request->command.data()), static_cast<DWORD>(request->command.size() + 1),
                conversation, nullptr, 0, XTYP_EXECUTE, 10000, &result) != nullptr;
            DdeDisconnect(conversation);
        }
        DdeFreeStringHandle(instance, service);
        DdeFreeStringHandle(instance, topic);
        DdeUninitialize(instance);
    }
    request->done = true;
    return 0;
}

bool RunDdeClient(DdeRequest& request) {
    HANDLE thread = CreateThread(nullptr, 0, DdeClient, &request, 0, nullptr);
    const bool finished = test::WaitFor([&] { return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; });
    CloseHandle(thread);
    return finished;
}

TEST_F(EditorUi, DdeExecuteOnOpenFilesOpensOneFile) {
    const std::wstring path = Put(L"dde.txt", "dde");
    const std::string service = TextToBytes(DdeServer::ServiceName(), CodePage::Ansi);
    EXPECT_EQ(service, "win_editor_tests");

    DdeRequest wrongTopic{service, "Other", ""};
    ASSERT_TRUE(RunDdeClient(wrongTopic));
    EXPECT_FALSE(wrongTopic.connected);

    DdeRequest open{service, "OpenFiles", TextToBytes(path, CodePage::Ansi) + "\r\nignored second line"};
    ASSERT_TRUE(RunDdeClient(open));
    EXPECT_TRUE(open.connected);
    EXPECT_TRUE(open.acknowledged);
    ASSERT_EQ(form->Documents().size(), 1u);
    EXPECT_EQ(Active()->FileName(), path);

    ScriptedPrompts script;
    DdeRequest again = open;
    ASSERT_TRUE(RunDdeClient(again));
    EXPECT_EQ(script.SeenIds(), std::vector<int>{114});
    EXPECT_EQ(form->Documents().size(), 1u);
}

}  // namespace
}  // namespace quillon

namespace quillon {
namespace {

// Settings in the real registry: stored at exit with their exact types and
// layouts, and back at the next start.
TEST(RealSettings, StoredAtExitAndBackAtTheNextStart) {
    WindowsRegistry registry;
    registry.DeleteTree(RegistryRoot::CurrentUser, storage::kRootKey);
    SharedDocumentState() = DocumentState{};
    THtmlScrivoForm* form = THtmlScrivoForm::Create(GetModuleHandleW(nullptr), {SW_SHOWNORMAL});
    ASSERT_TRUE(form);
    HWND frame = form->Frame();
    test::PumpMessages();
    EXPECT_TRUE(IsZoomed(frame));  // the first start
    form->MenuItemSelect(kCmdFullNames);
    form->MenuItemSelect(kCmdBackups);
    ShowWindow(frame, SW_RESTORE);
    MoveWindow(frame, 50, 60, 700, 500, TRUE);
    test::PumpMessages();
    SendMessageW(frame, WM_SYSCOMMAND, SC_CLOSE, 0);
    test::PumpMessages();
    ASSERT_FALSE(IsWindow(frame));

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Brindle\\Quillon", 0, KEY_READ, &key), ERROR_SUCCESS);
    const auto valueOf = [&](const wchar_t* name, DWORD& type) {
        BYTE data[1024] = {};
        DWORD size = sizeof data;
        if (RegQueryValueExW(key, name, nullptr, &type, data, &size) != ERROR_SUCCESS) size = 0;
        return std::vector<BYTE>(data, data + size);
    };
    DWORD type = 0;
    auto position = valueOf(L"Position", type);
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    ASSERT_EQ(position.size(), 20u);
    int32_t fields[5] = {};
    memcpy(fields, position.data(), 20);
    EXPECT_EQ(fields[0], 50);
    EXPECT_EQ(fields[2] - fields[0], 700);
    EXPECT_EQ(fields[4], 0);
    auto fullNames = valueOf(L"FullNames", type);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(fullNames, (std::vector<BYTE>{1, 0, 0, 0}));
    EXPECT_EQ(valueOf(L"BackupCopies", type), (std::vector<BYTE>{0, 0, 0, 0}));
    EXPECT_EQ(valueOf(L"HTMLExt", type), (std::vector<BYTE>{1, 0, 0, 0}));
    EXPECT_EQ(valueOf(L"FileboxDlg", type).size(), 528u);
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    RegCloseKey(key);
    EXPECT_TRUE(registry.Open(RegistryRoot::CurrentUser, std::wstring(storage::kRootKey) + L"\\MRU\\File9"));

    // The next start: options and placement back.
    SharedDocumentState() = DocumentState{};
    form = THtmlScrivoForm::Create(GetModuleHandleW(nullptr), {SW_SHOWNORMAL});
    ASSERT_TRUE(form);
    frame = form->Frame();
    test::PumpMessages();
    EXPECT_TRUE(form->Options().FullNames);
    EXPECT_FALSE(form->Options().BackupCopies);
    EXPECT_FALSE(IsZoomed(frame));
    RECT rect{};
    GetWindowRect(frame, &rect);
    EXPECT_EQ(rect.left, 50);
    EXPECT_EQ(rect.right - rect.left, 700);
    DestroyWindow(frame);
    test::PumpMessages();
    registry.DeleteTree(RegistryRoot::CurrentUser, storage::kRootKey);
}

}  // namespace
}  // namespace quillon
