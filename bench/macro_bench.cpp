// Macros in large documents. Run with `make bench`; figures only.
//
//   keystroke: a key typed at the end of the document (key down, its character,
//              key up) until the window has caught up (the baseline)
//   Ctrl+K B:  a macro inserted at the same place by its keys, until caught up
//   bare:      the editor's own replacement of a 1 MB selection by the same
//              text with the tags around it
//   Bold:      the Bold command around the same 1 MB selection
//
//   dialog Open: a set of 3 000 macros (about 225 KB) opened in the macros
//              dialog, until its list has painted, against reading the same
//              set into a list of its own (the baseline)
//
// Goals: Ctrl+K B at most 2x a keystroke (no pass over the text); Bold at most
// 1.5x the bare replacement; the dialog's Open of 3 000 macros at most 1 s.
// "per key" sets the two keys of Ctrl+K B against two keystrokes.
#include <windows.h>

#include <cstdio>
#include <string>

#include "bench_support.h"
#include "codepage.h"
#include "edit_form.h"
#include "macro_sets.h"
#include "command_table.h"
#include "macros_dialog.h"
#include "prompts.h"
#include "main_form.h"
#include "message_loop.h"
#include "registry.h"
#include "win32_files.h"

using namespace quillon;
using namespace quillon::bench;

namespace {

void Key(THtmlScrivoForm& form, HWND control, int key, bool ctrl) {
    BYTE saved[256] = {}, keys[256] = {};
    GetKeyboardState(saved);
    memcpy(keys, saved, sizeof keys);
    keys[VK_CONTROL] = keys[VK_LCONTROL] = ctrl ? 0x80 : 0;
    SetKeyboardState(keys);
    PostMessageW(control, WM_KEYDOWN, static_cast<WPARAM>(key), 1);
    PostMessageW(control, WM_KEYUP, static_cast<WPARAM>(key), static_cast<LPARAM>(1 | (1LL << 30) | (1LL << 31)));
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (TranslateProgramMessage(form, msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    SetKeyboardState(saved);
}

// The macros dialog opened over the form; its Open takes the set from the
// file, timed until the list has painted. The seconds, or -1.
double DialogOpen(THtmlScrivoForm& form, const std::wstring& setFile) {
    static double seconds = -1;
    static const std::wstring* file = nullptr;
    seconds = -1;
    file = &setFile;
    MacroSetDialogRunner() = [](FileDialogRequest& request, bool) {
        lstrcpynA(request.fileBuffer, TextToBytes(*file, CodePage::Ansi).c_str(), request.bufferSize);
        return 1;
    };
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
        HWND dialog = FindWindowW(nullptr, L"Макросы");
        if (!dialog) return;
        KillTimer(nullptr, id);
        const auto start = Clock::now();
        SendMessageW(dialog, WM_COMMAND, 204, 0);  // Open
        UpdateWindow(dialog);
        seconds = Seconds(start);
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    form.MenuItemSelect(kCmdMacroEditor);
    KillTimer(nullptr, timer);
    MacroSetDialogRunner() = nullptr;
    return seconds;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const size_t mb = argc > 1 ? static_cast<size_t>(_wtoi(argv[1])) : 20;
    MemoryRegistry registry;
    THtmlScrivoForm* form = THtmlScrivoForm::Create(GetModuleHandleW(nullptr), {SW_SHOWMAXIMIZED, &registry});
    if (!form) return 1;
    Pump();
    TMacrosItem& macro = UserMacros().AddMacro();
    macro.SetName("link");
    macro.SetText("<a href=\"|\">^</a>");
    macro.SetKey('B');
    RebuildUserKeyLists();

    wchar_t tempFolder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, tempFolder);
    const std::wstring path = std::wstring(tempFolder) + L"quillon-macro-bench.html";
    WriteFileSafely(path, MakeHtml(mb << 20));
    std::printf("opening %zu MB...\n", mb);
    std::fflush(stdout);
    form->Files().OpenNamedFiles({path});
    Pump();
    TEditForm* document = form->ActiveDocument();
    if (!document) return 1;
    RichEditControl& editor = document->Editor();
    HWND control = editor.Handle();
    SetFocus(control);

    // Interleaved, so that both see the same drift of Wine's speed.
    const int rounds = 10;
    editor.SetSelStart(editor.TextLength());
    double keystroke = 0, macroKeys = 0;
    for (int i = 0; i < rounds; ++i) {
        auto start = Clock::now();
        Key(*form, control, 'X', false);
        keystroke += Seconds(start) * 1000 / rounds;
        start = Clock::now();
        Key(*form, control, 'K', true);
        Key(*form, control, 'B', false);
        macroKeys += Seconds(start) * 1000 / rounds;
    }

    // A 1 MB selection in the middle, as plain text; then the same with Bold.
    const int from = editor.TextLength() / 2, length = 1 << 20;
    editor.Select(from, length);
    const std::wstring selected = editor.SelText();
    auto start = Clock::now();
    editor.ReplaceSel(L"<b>" + selected + L"</b>");
    Pump();
    const double bare = Seconds(start) * 1000;
    editor.Undo();
    Pump();
    editor.Select(from, length);
    start = Clock::now();
    form->MenuItemSelect(0);
    Pump();
    const double bold = Seconds(start) * 1000;

    std::printf("%-6s %12s %12s %8s %8s %12s %12s %8s\n", "MB", "keystroke", "Ctrl+K B", "ratio", "per key", "bare 1 MB",
                "Bold 1 MB", "ratio");
    std::printf("%-6zu %9.2f ms %9.2f ms %8.2f %8.2f %9.1f ms %9.1f ms %8.2f\n", mb, keystroke, macroKeys,
                macroKeys / keystroke, macroKeys / (2 * keystroke), bare, bold, bold / bare);
    editor.SetModified(false);

    // 3 000 macros of about 75 bytes each, keys and sort order mixed.
    TMacrosList large;
    for (int i = 0; i < 3000; ++i) {
        TMacrosItem& added = large.AddMacro();
        added.SetName("macro " + std::to_string((i * 7919) % 3000));
        added.SetDescription("a description of the macro");
        added.SetText("<span class=\"c" + std::to_string(i) + "\">^</span>");
        added.SetKey(static_cast<char>('A' + i % 26));
    }
    const std::string setBytes = large.WriteMacroSet();
    const std::wstring setFile = std::wstring(tempFolder) + L"quillon-macro-bench.qlm";
    WriteFileSafely(setFile, setBytes);
    start = Clock::now();
    {
        TMacrosList read;
        read.ReadMacroSet(setBytes);
    }
    const double readAlone = Seconds(start);
    UserMacros().SetModified(false);
    const PromptAnswerer previous = SetPromptAnswerer([](const PromptRequest&) { return PromptAnswer::No; });
    const double dialogOpen = DialogOpen(*form, setFile);
    SetPromptAnswerer(previous);
    std::printf("%-28s %12s %12s %8s\n", "3 000 macros (KB)", "read alone", "dialog Open", "goal");
    std::printf("%-28zu %10.3f s %10.3f s %8s\n", setBytes.size() >> 10, readAlone, dialogOpen, "<= 1 s");

    UserMacros().Clear();
    DestroyWindow(form->Frame());
    DeleteFileW(path.c_str());
    DeleteFileW(setFile.c_str());
    return 0;
}
