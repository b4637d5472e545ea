// Switching between a large document and a small one, both maximized, as a
// user does with Ctrl+F6, and closing the small one so that the large one
// becomes active again. Run with `make bench`; figures only.
//
//   keystroke: a character typed into the small document until the window
//              has caught up, the baseline of the same run
//   switch:    the longest of three Ctrl+F6 (WM_MDINEXT) until the program is idle
//   close:     the small document closed until the large one is active and idle
//
// Goal: every switch and the close within 1 s under Wine.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "bench_support.h"
#include "edit_form.h"
#include "main_form.h"
#include "prompts.h"
#include "win32_files.h"

using namespace quillon;
using namespace quillon::bench;

namespace {

struct Figures {
    double keystroke = 0, longestSwitch = 0, close = 0;
};

Figures Measure(THtmlScrivoForm& form, const std::wstring& large, const std::wstring& small) {
    Figures figures;
    form.Files().OpenNamedFiles({large, small});
    Pump();
    TEditForm* smallDocument = form.ActiveDocument();
    if (!smallDocument) return figures;
    HWND control = smallDocument->Editor().Handle();
    const int keys = 20;
    auto start = Clock::now();
    for (int i = 0; i < keys; ++i) {
        SendMessageW(control, WM_CHAR, L'x', 1);
        Pump();
    }
    figures.keystroke = Seconds(start) * 1000 / keys;
    smallDocument->Editor().SetModified(false);
    smallDocument->Editor().ClearUndo();
    for (int i = 0; i < 3; ++i) {
        start = Clock::now();
        SendMessageW(form.DocumentArea(), WM_MDINEXT, 0, 0);
        Pump();
        figures.longestSwitch = std::max(figures.longestSwitch, Seconds(start) * 1000);
    }
    // The small one is active after three switches from it; closing it makes the large one active.
    start = Clock::now();
    SendMessageW(form.ActiveDocument()->Handle(), WM_CLOSE, 0, 0);
    Pump();
    figures.close = Seconds(start) * 1000;
    for (TEditForm* document : form.Documents()) document->Release();
    Pump();
    return figures;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    // The long line opens unwrapped with its message (201), answered at once.
    SetPromptAnswerer([](const PromptRequest&) { return PromptAnswer::Ok; });
    THtmlScrivoForm* form = THtmlScrivoForm::Create(GetModuleHandleW(nullptr), {SW_SHOWMAXIMIZED});
    if (!form) return 1;
    Pump();
    wchar_t tempFolder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, tempFolder);
    const std::wstring folder = tempFolder;
    const size_t mb = argc > 1 ? static_cast<size_t>(_wtoi(argv[1])) : 5;
    const std::wstring small = folder + L"quillon-switch-small.txt";
    WriteFileSafely(small, "small\r\n");
    struct Case {
        std::string name;
        std::string bytes;
    };
    const Case cases[] = {
        {std::to_string(mb) + " MB wrapped", MakeHtml(mb << 20)},
        {"100 000-char line, unwrapped", std::string(100000, 'a')},
    };
    std::printf("%-24s %12s %12s %12s %10s %10s\n", "large document", "keystroke", "switch (max)", "close", "switch/key",
                "close/key");
    for (const Case& c : cases) {
        const std::wstring large = folder + L"quillon-switch-large.txt";
        WriteFileSafely(large, c.bytes);
        const Figures f = Measure(*form, large, small);
        std::printf("%-24s %9.2f ms %9.1f ms %9.1f ms %10.1f %10.1f\n", c.name.c_str(), f.keystroke, f.longestSwitch,
                    f.close, f.longestSwitch / f.keystroke, f.close / f.keystroke);
        std::fflush(stdout);
        DeleteFileW(large.c_str());
    }
    DeleteFileW(small.c_str());
    DestroyWindow(form->Frame());
    return 0;
}
