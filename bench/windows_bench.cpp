// Window management at 200 documents. Run with `make bench`; figures only.
//
//   open:     200 small documents opened, the baseline of the same run
//   list:     the window list's own bookkeeping for the same 200 windows
//             (registering, naming, activating), as a share of the open
//   Alt+n:    the longest of windows 0 ... 9 selected by number
//   next/previous window, closing window 0 (199 renumbered), and the window
//   list dialog up and filled
//
// Goal: closing a window and filling the dialog well under 50 ms each; the
// list adds at most 5 % to opening the documents.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench_support.h"
#include "command_table.h"
#include "edit_form.h"
#include "main_form.h"
#include "win32_files.h"
#include "window_commands.h"

using namespace quillon;
using namespace quillon::bench;

namespace {

constexpr int kDocuments = 200;
Clock::time_point g_dialogAsked;
double g_dialogMs = -1;

// Fires once the dialog's modal loop is idle: the list is filled by then.
void CALLBACK DialogUp(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = FindWindowW(L"#32770", nullptr);
    if (!dialog) return;
    g_dialogMs = Seconds(g_dialogAsked) * 1000;
    KillTimer(nullptr, timer);
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

template <typename F>
double Milliseconds(F&& action) {
    const auto start = Clock::now();
    action();
    Pump();
    return Seconds(start) * 1000;
}

}  // namespace

int wmain() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    std::vector<std::wstring> names;
    for (int i = 0; i < kDocuments; ++i) {
        names.push_back(std::wstring(temp) + L"quillon-windows-bench-" + std::to_wstring(i) + L".txt");
        WriteFileSafely(names.back(), "text\r\n");
    }
    MemoryRegistry registry;
    THtmlScrivoForm* form = THtmlScrivoForm::Create(GetModuleHandleW(nullptr), {SW_SHOWMAXIMIZED, &registry});
    Pump();
    const double open = Milliseconds([&] { form->Files().OpenNamedFiles(names); });
    const size_t opened = form->Documents().size();

    // The same bookkeeping on a list of its own, over the real windows, each
    // change shown on the window buttons as the program does.
    const auto documents = form->Documents();
    const double list = Milliseconds([&] {
        WindowList windows({L"(нет окна)", L"%s|Активизировать окно с файлом \"%s\""});
        auto show = [&] {
            std::vector<WindowButtonView> views;
            for (const auto& button : windows.Buttons())
                views.push_back({button.caption, button.hint, button.enabled, button.pressed});
            form->Bar().ShowWindowButtons(views);
        };
        for (TEditForm* document : documents) {
            const int number = windows.Register(document->Handle(), L"Безымянный");
            show();
            windows.NameChanged(number, document->FileName(), document->FileName());
            show();
            windows.Activated(number);
            show();
        }
    });

    double altKey = 0;
    for (int n = 0; n < 10; ++n)
        altKey = std::max(altKey, Milliseconds([&] { WindowSelect(form->DocumentArea(), form->Windows(), n); }));
    const double next = Milliseconds([&] { form->MenuItemSelect(kCmdNextWindow); });
    const double previous = Milliseconds([&] { form->MenuItemSelect(kCmdPreviousWindow); });
    HWND first = static_cast<HWND>(const_cast<void*>(form->Windows().At(0)));
    const double close = Milliseconds([&] { SendMessageW(first, WM_CLOSE, 0, 0); });
    SetTimer(nullptr, 0, 0, DialogUp);
    g_dialogAsked = Clock::now();
    form->MenuItemSelect(kCmdWindowList);
    Pump();

    std::printf("%-34s %10s\n", "200 documents", "ms");
    std::printf("%-34s %10.1f  (%zu windows)\n", "open (baseline)", open, opened);
    std::printf("%-34s %10.1f  (%.1f %% of the open)\n", "window list bookkeeping", list, 100 * list / open);
    std::printf("%-34s %10.1f\n", "longest Alt+1 ... Alt+0", altKey);
    std::printf("%-34s %10.1f\n", "next window", next);
    std::printf("%-34s %10.1f\n", "previous window", previous);
    std::printf("%-34s %10.1f  (%zu left)\n", "close window 0", close, form->Documents().size());
    std::printf("%-34s %10.1f\n", "window list dialog filled", g_dialogMs);
    for (TEditForm* document : form->Documents()) document->Release();
    DestroyWindow(form->Frame());
    Pump();
    for (const auto& name : names) DeleteFileW(name.c_str());
    return 0;
}
