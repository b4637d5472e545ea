// Opening large documents in the editor, and what a caret move costs at the end
// of one. Run with `make bench`; figures only.
//
//   (b) a bare EM_STREAMIN of the text into a control with the editor's styles,
//       once before and once after the rest; their mean, as Wine's speed drifts
//   (p) the same into a visible control of the document area's size, then its
//       first paint: the control's own cost of showing a wrapped document
//   (o) OpenNamedFiles until the window is ready and the status bar is filled
//   SelectionChange with the caret at the end of the document, per call
//   keystroke: a character typed at the end, until the window has caught up
//   (the control's own work included), per key
//   undo: the second half of the typed characters taken back, the window's
//   status refreshed; index again: then until the wrapper has read the text
//   again for its line index, a piece at a time while idle (the control
//   answers meanwhile), with the messages that come in between
//   close: the document window closed, until it is gone
//
// Goals: o/b at most 1.2; SelectionChange at most 2 ms (no pass over the text).
// o/p tells what our open costs over the control showing the same text.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "bench_support.h"
#include "edit_form.h"
#include "main_form.h"
#include "rich_edit_control.h"
#include "win32_files.h"

using namespace quillon;
using namespace quillon::bench;

int wmain(int argc, wchar_t** argv) {
    THtmlScrivoForm* form = THtmlScrivoForm::Create(GetModuleHandleW(nullptr), {SW_SHOWNORMAL});
    if (!form) return 1;
    Pump();
    wchar_t tempFolder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, tempFolder);
    std::printf("%-6s %10s %10s %10s %8s %8s %16s %12s %12s %12s %10s\n", "MB", "p: +paint", "o: open", "b: stream",
                "o/b", "o/p", "SelectionChange", "keystroke", "undo", "index again", "close");
    for (const size_t mb : SizesFromArguments(argc, argv)) {
        const std::wstring path = std::wstring(tempFolder) + L"quillon-editor-bench-" + std::to_wstring(mb) + L".html";
        const std::string bytes = MakeHtml(mb << 20);
        WriteFileSafely(path, bytes);
        const std::wstring text = BytesToText(bytes, CodePage::Ansi);

        const auto bareStream = [&] {
            HWND bare = BareRichEdit(form->Frame(), kRichEditStyle, 600, 400);
            const auto started = Clock::now();
            StreamTextInto(bare, text);
            const double seconds = Seconds(started);
            DestroyWindow(bare);
            return seconds;
        };
        const double bBefore = bareStream();
        auto start = Clock::now();

        RECT area{};
        GetClientRect(form->DocumentArea(), &area);
        HWND shown = BareRichEdit(form->DocumentArea(), WS_VISIBLE | kRichEditStyle, area.right, area.bottom);
        start = Clock::now();
        StreamTextInto(shown, text);
        SendMessageW(shown, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(shown, nullptr, TRUE);
        UpdateWindow(shown);
        Pump();
        const double p = Seconds(start);
        DestroyWindow(shown);

        // Each figure as soon as it is known: Wine's control can take minutes on 20 MB.
        std::printf("%-6zu %9.3fs", mb, p);
        std::fflush(stdout);
        start = Clock::now();
        form->Files().OpenNamedFiles({path});
        Pump();
        const double o = Seconds(start);

        TEditForm* document = form->ActiveDocument();
        double perCall = 0, perKey = 0, undo = 0, reread = 0, close = 0;
        if (document) {
            EditorControl& editor = document->Editor();
            editor.SetSelStart(editor.TextLength());
            const int calls = 100;
            start = Clock::now();
            for (int i = 0; i < calls; ++i) document->SelectionChange();
            perCall = Seconds(start) * 1000 / calls;
            const int keys = 20;
            HWND control = document->Editor().Handle();
            start = Clock::now();
            for (int i = 0; i < keys; ++i) {
                // Two undo steps, so that undoing one leaves the document changed.
                if (i == keys / 2) SendMessageW(control, EM_STOPGROUPTYPING, 0, 0);
                SendMessageW(control, WM_CHAR, L'x', 1);
                Pump();
            }
            perKey = Seconds(start) * 1000 / keys;
            start = Clock::now();
            editor.Undo();
            undo = Seconds(start) * 1000;
            start = Clock::now();
            while (!document->Editor().LineIndexReady() && Seconds(start) < 60) {
                Pump();
                MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            }
            reread = Seconds(start) * 1000;
            start = Clock::now();
            document->Release();
            Pump();
            close = Seconds(start);
        }
        DeleteFileW(path.c_str());
        const double b = (bBefore + bareStream()) / 2;
        std::printf(" %9.3fs %9.3fs %8.2f %8.2f %13.3f ms %9.3f ms %9.1f ms %9.1f ms %9.3fs\n", o, b, o / b, o / p,
                    perCall, perKey, undo, reread, close);
        std::fflush(stdout);
    }
    DestroyWindow(form->Frame());
    return 0;
}
