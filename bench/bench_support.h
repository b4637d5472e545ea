// What the benchmarks share: a clock and the generated test document.
#pragma once

#include <windows.h>

#include <richedit.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "rich_edit_control.h"

namespace quillon::bench {

using Clock = std::chrono::steady_clock;
inline double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

// HTML with Cyrillic and Latin text and CR LF lines, in Windows-1251.
inline std::string MakeHtml(size_t size) {
    const std::string lines[] = {
        "<p class=\"text\">The quick brown fox jumps over the lazy dog, again and again.</p>\r\n",
        "<p>\xd1\xfa\xe5\xf8\xfc \xe6\xe5 \xe5\xf9\xb8 \xfd\xf2\xe8\xf5 \xec\xff\xe3\xea\xe8\xf5 "
        "\xf4\xf0\xe0\xed\xf6\xf3\xe7\xf1\xea\xe8\xf5 \xe1\xf3\xeb\xee\xea.</p>\r\n",
        "<li><a href=\"page.html\">link</a> &mdash; \xf1\xf1\xfb\xeb\xea\xe0</li>\r\n",
    };
    std::string html = "<html>\r\n<body>\r\n";
    html.reserve(size + 256);
    for (size_t i = 0; html.size() < size; ++i) html += lines[i % 3];
    html += "</body>\r\n</html>\r\n";
    return html;
}

// The sizes to measure in MB: the one given on the command line, else 5 and 20.
inline std::vector<size_t> SizesFromArguments(int argc, wchar_t** argv) {
    if (argc > 1) return {static_cast<size_t>(_wtoi(argv[1]))};
    return {5, 20};
}

// A visible top-level window of the process with the class, or null.
inline HWND VisibleWindowOf(DWORD process, const wchar_t* windowClass) {
    struct Search { DWORD pid; const wchar_t* cls; HWND found; } search{process, windowClass, nullptr};
    EnumWindows([](HWND hwnd, LPARAM lParam) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lParam);
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        wchar_t cls[64] = {};
        GetClassNameW(hwnd, cls, 64);
        if (pid == s->pid && std::wstring(cls) == s->cls && IsWindowVisible(hwnd)) {
            s->found = hwnd;
            return FALSE;
        }
        return TRUE;
    }, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Dispatches every message waiting for this thread.
inline void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// A rich edit control as the editor makes it, in plain text, without the wrapper:
// limit raised, events and drawing off.
inline HWND BareRichEdit(HWND parent, DWORD style, int width, int height) {
    HWND control = CreateWindowExW(0, RichEditClassName(), L"", WS_CHILD | style, 0, 0, width, height, parent,
                                   nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, EM_SETTEXTMODE, TM_PLAINTEXT | TM_MULTILEVELUNDO | TM_MULTICODEPAGE, 0);
    SendMessageW(control, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    SendMessageW(control, EM_SETEVENTMASK, 0, 0);
    SendMessageW(control, WM_SETREDRAW, FALSE, 0);
    return control;
}

}  // namespace quillon::bench
