// Loading large documents: what the rich edit control itself costs and what our
// load path adds. Run with `make bench`; figures only, no pass or fail.
//
//   (a) raw read of the file and its conversion to UTF-16
//   (b) a bare EM_STREAMIN of that text, redraw and events off, into a plain
//       multi-line control
//   (s) the same into a control made with the editor's styles (scroll bars):
//       Wine's control keeps its scroll bars up to date while it streams,
//       which is the control's own cost, not ours
//   (c) the wrapper's own load path (read, convert, line breaks, stream in)
//
// Ratios: c/b and c/s are our overhead over the control (goal: at most 1.2);
// b/a is the control's own cost, recorded.
#include <windows.h>

#include <richedit.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "bench_support.h"
#include "codepage.h"
#include "rich_edit_control.h"
#include "win32_files.h"

using namespace quillon;
using namespace quillon::bench;

namespace {

HWND Host() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QuillonBenchHost";
    RegisterClassW(&wc);
    return CreateWindowExW(0, wc.lpszClassName, L"bench", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr, nullptr,
                           wc.hInstance, nullptr);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    HWND host = Host();
    wchar_t tempFolder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, tempFolder);

    std::printf("%-6s %10s %10s %10s %10s %8s %8s %8s\n", "MB", "a: read", "b: stream", "s: styled", "c: ours",
                "c/b", "c/s", "b/a");
    for (const size_t mb : SizesFromArguments(argc, argv)) {
        const std::wstring path = std::wstring(tempFolder) + L"quillon-bench-" + std::to_wstring(mb) + L".html";
        if (!WriteFileSafely(path, MakeHtml(mb << 20)).ok) {
            std::printf("cannot write %zu MB file\n", mb);
            return 1;
        }

        auto start = Clock::now();
        const std::string bytes = *ReadWholeFile(path);
        const int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
        std::wstring text(static_cast<size_t>(n), L'\0');
        MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), n);
        const double a = Seconds(start);

        // Each of (b) and (c) runs twice, alternating, and keeps its best time, so
        // that a warm heap or a busy moment favours neither.
        double b = 1e9, styled = 1e9, c = 1e9;
        auto bareStream = [&](DWORD style) {
            HWND bare = BareRichEdit(host, style, 600, 400);
            const auto begin = Clock::now();
            StreamTextInto(bare, text);
            const double took = Seconds(begin);
            DestroyWindow(bare);
            return took;
        };
        for (int round = 0; round < 2; ++round) {
            b = std::min(b, bareStream(ES_MULTILINE));
            styled = std::min(styled, bareStream(kRichEditStyle));
            RichEditControl editor(host, 100);
            start = Clock::now();
            LoadFileInto(editor, path, CodePage::Ansi);
            c = std::min(c, Seconds(start));
        }
        DeleteFileW(path.c_str());
        std::printf("%-6zu %9.3fs %9.3fs %9.3fs %9.3fs %8.2f %8.2f %8.2f\n", mb, a, b, styled, c, c / b, c / styled,
                    b / a);
        std::fflush(stdout);
    }
    DestroyWindow(host);
    return 0;
}
