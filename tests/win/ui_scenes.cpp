// Sets the editor up in one of a few scenes for a person to look at (run by
// scripts/scenes.sh, which takes the screenshot): the find dialog beside its
// match, the go-to dialog's error, the case dialog, the context menu with its
// hint, three document windows (one modified, one read-only), Replace all
// over wrapped lines, the macro picker at the caret, a restored desktop. Once the scene
// stands it writes the marker file named on its command line and keeps running.
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>
#include <richedit.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "case_dialog.h"
#include "command_table.h"
#include "edit_form.h"
#include "goto_dialog.h"
#include "journal_entry.h"
#include "prompts.h"
#include "codepage.h"
#include "desktop_stream.h"
#include "storage.h"
#include "macro_picker.h"
#include "macro_sets.h"
#include "main_form.h"
#include "message_loop.h"
#include "memory_editor.h"
#include "registry.h"
#include "win32_files.h"
#include "win_test_support.h"

using namespace quillon;

namespace {

std::wstring g_marker;
std::wstring g_caption;
std::wstring g_text;

void WriteMarker() { std::ofstream(std::string(g_marker.begin(), g_marker.end())) << "ready\n"; }

void CALLBACK MarkLater(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    WriteMarker();
}

// Types into the dialog once it shows, then presses OK (which may bring up a message).
void CALLBACK AnswerDialog(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = test::FindThreadDialog(g_caption);
    if (!dialog) return;
    KillTimer(nullptr, id);
    SetTimer(nullptr, 0, 1500, MarkLater);
    if (!g_text.empty()) {
        SetDlgItemTextW(dialog, kLineEditId, g_text.c_str());
        SendMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    }
}

// Highlights the first items of the open context menu, as the arrow keys do.
void CALLBACK HighlightMenu(HWND, UINT, UINT_PTR id, DWORD) {
    HWND menu = FindWindowW(L"#32768", nullptr);
    if (!menu) return;
    KillTimer(nullptr, id);
    for (int i = 0; i < 4; ++i) PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
    SetTimer(nullptr, 0, 1000, MarkLater);
}

std::wstring g_scene;

// A separator and a file template after the built-ins.
void AddSiteTemplate(CTemplateList& templates) {
    templates.Add()->SetId(0);
    CTemplateItemInterface* own = templates.Add();
    own->SetFileName("C:\\site\\page.html");
    own->SetTitle(TextToBytes(L"Моя страница", CodePage::Win1251).c_str());
    own->SetDescription(TextToBytes(L"Страница сайта с меню", CodePage::Win1251).c_str());
}

}  // namespace

// A desktop of three files stored as the last exit left it, the second one
// minimized and the third active.
void StoreDesktop(Registry& registry) {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    std::string stream;
    const char* names[] = {"quillon-desktop-index.html", "quillon-desktop-style.css", "quillon-desktop-notes.txt"};
    for (int i = 0; i < 3; ++i) {
        const std::wstring path = std::wstring(folder) + BytesToText(names[i], CodePage::Ansi);
        std::string text;
        for (int line = 1; line <= 30; ++line) text += std::string(names[i]) + ", line " + std::to_string(line) + "\r\n";
        WriteFileSafely(path, text);
        DesktopRecord record;
        record.fileName = TextToBytes(path, CodePage::Ansi);
        record.left = 20 + 60 * i;
        record.top = 20 + 40 * i;
        record.width = 560;
        record.height = 360;
        record.state = i == 1 ? 1 : 0;
        record.order = i == 2 ? -3 : i + 1;
        record.caret = 40;
        AppendDesktopRecord(stream, record);
    }
    EndDesktop(stream);
    storage::SaveDesktop(registry, stream);
    storage::SaveDocumentState(registry, 0);
}

// The journal a run that died left: a page typed into and an untitled note.
std::wstring StoreJournal() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"quillon-scene-journal";
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    std::filesystem::create_directories(folder);
    const std::wstring page = std::wstring(temp) + L"quillon-scene-page.html";
    WriteFileSafely(page, "<p>\xd0\xa1\xd1\x82\xd0\xb0\xd1\x80\xd1\x8b\xd0\xb9 \xd1\x82\xd0\xb5\xd0\xba\xd1\x81\xd1\x82</p>\n");
    JournalEntry typed;
    typed.name = page;
    typed.hasFile = true;
    typed.coding = TextCoding::Utf8;
    typed.lineBreak = LineBreak::Lf;
    typed.text = L"<p>Старый текст</p>\r<p>Набранный, но не сохраненный абзац ✓</p>\r";
    typed.caret = static_cast<int>(typed.text.size());
    typed.windowNumber = 0;
    WriteFileSafely(folder + L"\\entry-1-1-1.qlj", EncodeJournalEntry(typed));
    JournalEntry note;
    note.name = L"Безымянный 2.txt";
    note.text = L"Заметка, которую не успели сохранить.\rВторая строка.";
    note.windowNumber = 1;
    WriteFileSafely(folder + L"\\entry-1-1-2.qlj", EncodeJournalEntry(note));
    return folder;
}

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    const std::wstring scene = argv[1];
    g_marker = argv[2];
    MemoryRegistry registry;
    if (scene == L"desktop") StoreDesktop(registry);
    std::wstring journal;
    if (scene == L"journal" || scene == L"restored") {
        journal = StoreJournal();
        // The question stays up for its screenshot; for the restored documents it is answered Yes.
        if (scene == L"restored") SetPromptAnswerer([](const PromptRequest&) { return PromptAnswer::Yes; });
    }
    THtmlScrivoForm* form = THtmlScrivoForm::Create(GetModuleHandleW(nullptr), {SW_SHOWMAXIMIZED, &registry, journal});
    if (!form) return 1;
    if (!journal.empty()) {
        SetTimer(nullptr, 0, 2000, MarkLater);
        return RunMessageLoop(*form);
    }
    if (scene == L"desktop") {
        SetTimer(nullptr, 0, 2000, MarkLater);
        return RunMessageLoop(*form);
    }
    TEditForm* document = form->Files().NewDocument(L".html");
    std::wstring text;
    for (int i = 1; i <= 40; ++i)
        text += L"<p>Строка " + std::to_wstring(i) + (i == 12 ? L": искомое слово здесь" : L": обычный текст") + L"</p>\r";
    document->Editor().ReplaceSel(text);
    document->Editor().SetSelStart(0);

    if (scene == L"find") {
        form->MenuItemSelect(kCmdFind);
        HWND dialog = document->Searches().FindWindowHandle();
        SetDlgItemTextW(dialog, edt1, L"искомое");
        // Over the line of the match, so that the search must move it away.
        POINTL at{};
        SendMessageW(document->Editor().Handle(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at),
                     static_cast<LPARAM>(text.find(L"искомое")));
        POINT screen{at.x, at.y};
        ClientToScreen(document->Editor().Handle(), &screen);
        SetWindowPos(dialog, nullptr, screen.x + 40, screen.y - 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        SendMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
        SetTimer(nullptr, 0, 1000, MarkLater);
    } else if (scene == L"goto") {
        g_caption = L"Перейти к";
        g_text = L"12x";
        SetTimer(nullptr, 0, 50, AnswerDialog);
        form->MenuItemSelect(kCmdGoTo);
    } else if (scene == L"case") {
        document->Editor().Select(0, static_cast<int>(text.size()));
        g_caption = L"Регистр";
        SetTimer(nullptr, 0, 50, AnswerDialog);
        form->MenuItemSelect(kCmdCase);
    } else if (scene == L"context") {
        document->Editor().Select(3, 6);
        SetTimer(nullptr, 0, 50, HighlightMenu);
        RECT at{};
        GetWindowRect(document->Editor().Handle(), &at);
        SendMessageW(document->Editor().Handle(), WM_CONTEXTMENU,
                     reinterpret_cast<WPARAM>(document->Editor().Handle()), MAKELPARAM(at.left + 200, at.top + 120));
    } else if (scene == L"documents") {
        // A read-only file, the untitled document above modified, and a long
        // file with the caret on line 1 234, the windows cascaded.
        wchar_t folder[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, folder);
        const std::wstring readOnly = std::wstring(folder) + L"quillon-scene-readonly.html";
        const std::wstring longFile = std::wstring(folder) + L"quillon-scene-long.txt";
        std::string lines;
        for (int i = 1; i <= 2000; ++i) lines += "line " + std::to_string(i) + " of a long file\r\n";
        SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
        WriteFileSafely(readOnly, "<html>\r\n<body>\r\n<p>read-only</p>\r\n</body>\r\n</html>\r\n");
        SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
        WriteFileSafely(longFile, lines);
        form->Files().OpenNamedFiles({readOnly, longFile});
        SendMessageW(form->DocumentArea(), WM_MDICASCADE, 0, 0);
        if (TEditForm* active = form->ActiveDocument()) {
            active->Editor().SetSelStart(active->Editor().LineIndex(1233) + 5);
            SendMessageW(active->Editor().Handle(), EM_SCROLLCARET, 0, 0);
        }
        SetTimer(nullptr, 0, 1500, MarkLater);
    } else if (scene == L"utf8") {
        // A UTF-8 page with Cyrillic text and characters Windows-1251 lacks.
        wchar_t folder[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, folder);
        const std::wstring page = std::wstring(folder) + L"quillon-scene-utf8.html";
        WriteFileSafely(page, EncodeText(L"<!DOCTYPE html>\r<html lang=\"ru\">\r<head>\r<meta charset=\"utf-8\">\r"
                                         L"<title>Привет, мир</title>\r</head>\r<body>\r"
                                         L"<p>Съешь же ещё этих мягких французских булок ✓</p>\r"
                                         L"<p>Стрелка → и кавычки «ёлочки» — как в файле</p>\r</body>\r</html>\r",
                                         TextCoding::Utf8, LineBreak::Lf));
        form->Files().OpenNamedFiles({page});
        SetTimer(nullptr, 0, 1500, MarkLater);
    } else if (scene == L"chevron") {
        // A narrow main window: the Edit band's chevron menu open with its
        // pictures, Copy greyed (no selection), Paste highlighted.
        ShowWindow(form->Frame(), SW_RESTORE);
        SetWindowPos(form->Frame(), nullptr, 20, 20, 430, 420, SWP_NOZORDER);
        test::PumpMessages();
        const int band = form->Bar().BandIndex(Toolbar::Edit);
        REBARBANDINFOW narrow{};
        narrow.cbSize = REBARBANDINFOW_V3_SIZE;
        narrow.fMask = RBBIM_SIZE;
        narrow.cx = 130;
        SendMessageW(form->Bar().Handle(), RB_SETBANDINFOW, band, reinterpret_cast<LPARAM>(&narrow));
        test::PumpMessages();
        RECT at{};
        SendMessageW(form->Bar().Handle(), RB_GETRECT, band, reinterpret_cast<LPARAM>(&at));
        MapWindowPoints(form->Bar().Handle(), nullptr, reinterpret_cast<POINT*>(&at), 2);
        SetTimer(nullptr, 0, 50, HighlightMenu);
        form->Bar().ShowChevronMenu(band, {at.right - 14, at.bottom});
    } else if (scene == L"about") {
        SetTimer(nullptr, 0, 1500, MarkLater);
        form->MenuItemSelect(kCmdAbout);
    } else if (scene == L"font") {
        // The font dialog over two documents.
        form->Files().NewDocument(L".css");
        SendMessageW(form->DocumentArea(), WM_MDITILE, MDITILE_VERTICAL, 0);
        SetTimer(nullptr, 0, 1500, MarkLater);
        form->MenuItemSelect(kCmdFont);
    } else if (scene == L"windows") {
        // The window list dialog over three documents.
        form->Files().NewDocument(L".css");
        form->Files().NewDocument(L".txt");
        SetTimer(nullptr, 0, 1500, MarkLater);
        form->MenuItemSelect(kCmdWindowList);
    } else if (scene == L"replace") {
        // Replace all takes the wrapped rows of every line away: nothing of the
        // old text may stay on the screen below the shorter text.
        std::wstring wrapped;
        for (int i = 1; i <= 1500; ++i) {  // enough lines for the control to be rebuilt
            wrapped += L"<p>Строка " + std::to_wstring(i) + L":";
            for (int k = 0; k < 30; ++k) wrapped += L" длинный";
            wrapped += L"</p>\r";
        }
        document->Editor().SetText(wrapped);
        form->MenuItemSelect(kCmdReplace);
        HWND dialog = document->Searches().ReplaceWindowHandle();
        SetDlgItemTextW(dialog, edt1, L" длинный");
        SetDlgItemTextW(dialog, edt2, L"");
        SetWindowPos(dialog, nullptr, 700, 600, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        SendMessageW(GetDlgItem(dialog, psh2), BM_CLICK, 0, 0);
        SetTimer(nullptr, 0, 1000, MarkLater);
    } else if (scene == L"picker") {
        // The macro picker at the caret: a name cut by its ellipsis, the default underlined.
        TMacrosList& macros = UserMacros();
        const auto add = [&](const std::wstring& name, const std::wstring& description, char key) -> TMacrosItem& {
            TMacrosItem& macro = macros.AddMacro();
            macro.SetName(TextToBytes(name, CodePage::Win1251));
            macro.SetDescription(TextToBytes(description, CodePage::Win1251));
            macro.SetKey(key);
            return macro;
        };
        add(L"Ссылка", L"<a href=\"|\">^</a>", 'A');
        add(L"Таблица с заголовком & подписью под ней", L"<table> с <caption>", 'T').SetDefault(true);
        add(L"Абзац", L"<p>^</p>", 'P');
        add(L"Список", L"<ul> и три пункта <li>", kNoKey);
        document->Editor().SetSelStart(document->Editor().LineIndex(11) + 12);
        SetFocus(document->Editor().Handle());
        ShowMacroPicker(*document, form->Frame());
        SetTimer(nullptr, 0, 1000, MarkLater);
    } else if (scene == L"macros" || scene == L"macromenu") {
        // The macros dialog with a key conflict open (Ctrl+K, T chosen for
        // "Абзац" while "Таблица" has it), or with its list menu open.
        TMacrosList& macros = UserMacros();
        const auto add = [&](const std::wstring& name, const std::wstring& description, char key,
                             const std::wstring& text) -> TMacrosItem& {
            TMacrosItem& macro = macros.AddMacro();
            macro.SetName(TextToBytes(name, CodePage::Win1251));
            macro.SetDescription(TextToBytes(description, CodePage::Win1251));
            macro.SetKey(key);
            macro.SetText(TextToBytes(text, CodePage::Win1251));
            return macro;
        };
        add(L"Ссылка", L"<a href>", 'A', L"<a href=\"|\">^</a>").SetDefault(true);
        add(L"Таблица", L"<table> с заголовком", 'T', L"<table>\r\n<tr><td>|</td></tr>\r\n</table>");
        add(L"Абзац", L"<p>", 'P', L"<p>^|</p>");
        g_scene = scene;
        SetTimer(nullptr, 0, 500, [](HWND, UINT, UINT_PTR timer, DWORD) {
            HWND dialog = test::FindThreadDialog(L"Макросы");
            if (!dialog) return;
            KillTimer(nullptr, timer);
            HWND list = GetDlgItem(dialog, 101);
            SendMessageW(list, LB_SETCURSEL, 2, 0);
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(101, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
            if (g_scene == L"macros") {
                HWND keys = GetDlgItem(dialog, 111);
                SetFocus(keys);
                test::Press(keys, 'T');
                SetTimer(nullptr, 0, 1000, MarkLater);
            } else {
                SetTimer(nullptr, 0, 50, HighlightMenu);
                PostMessageW(list, WM_RBUTTONUP, 0, MAKELPARAM(20, 37));
            }
        });
        form->MenuItemSelect(kCmdMacroEditor);
    } else if (scene == L"templates") {
        // The template list offered at the load-template button: the built-ins
        // and a file template after a separator.
        AddSiteTemplate(form->Templates());
        form->BuildTemplateMenus();
        // A small window: the list opens beside it, where the screen shows it.
        ShowWindow(form->Frame(), SW_RESTORE);
        SetWindowPos(form->Frame(), nullptr, 20, 20, 520, 200, SWP_NOZORDER);
        test::PumpMessages();
        RECT button{};
        HWND bar = form->Bar().ToolbarWindow(Toolbar::File);
        SendMessageW(bar, TB_GETRECT, kFirstButtonId + (FindButton(L"LoadTemplateBtn") - ToolButtonRows().data()),
                     reinterpret_cast<LPARAM>(&button));
        MapWindowPoints(bar, nullptr, reinterpret_cast<POINT*>(&button), 2);
        SetCursorPos(button.left, button.bottom);
        SetTimer(nullptr, 0, 1000, MarkLater);
        form->LoadTemplate(-1);
    } else if (scene == L"stencil") {
        // The template list editor over the editor, sorted by number, with a
        // file template and a separator.
        CTemplateList& templates = form->Templates();
        AddSiteTemplate(templates);
        templates.Item(2)->Visible = false;
        HMODULE stencil = LoadLibraryExW((test::BinFolder() + L"Stencil.dll").c_str(), nullptr,
                                         LOAD_WITH_ALTERED_SEARCH_PATH);
        using EditTemplatesFn = void(__stdcall*)(HWND, CTemplateListInterface*);
        const auto edit = stencil ? reinterpret_cast<EditTemplatesFn>(
                                        reinterpret_cast<void*>(GetProcAddress(stencil, MAKEINTRESOURCEA(1))))
                                  : nullptr;
        if (!edit) return 1;
        SetTimer(nullptr, 0, 1500, MarkLater);
        edit(form->Frame(), &templates);
    } else if (scene == L"xhtml") {
        // A new document from the XHTML 1.0 Strict template.
        for (int i = 0; i < form->Templates().Count(); ++i)
            if (form->Templates().Item(i)->Title.starts_with("XHTML 1.0 Strict")) {
                form->LoadTemplate(i);
                break;
            }
        SetTimer(nullptr, 0, 1000, MarkLater);
    } else {
        return 2;
    }
    return RunMessageLoop(*form);
}
