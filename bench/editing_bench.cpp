// What the document window's text operations cost on a large document, each
// against a bare EM_STREAMIN of the same text measured in the same run. Run with
// `make bench`; figures only.
//
//   b      a bare EM_STREAMIN of the 5 MB text (the baseline)
//   r100k  replace all of a word with 100 000 occurrences (goal: at most 2 b)
//   r50k   the same with 50 000 occurrences (r100k/r50k should be about 2)
//   f      find next from the top through 1 000 matches, per match, against
//   fc     the control's own EM_FINDTEXTEX doing the same (goal: f <= fc)
//   case   change case of the whole text
//   indent indent 10 000 selected lines
//
// Every operation runs on a live document window, so the status bar follows
// each change as it does for the user.
#include <windows.h>

#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "bench_support.h"
#include "change_case.h"
#include "edit_form.h"
#include "editing_aids.h"
#include "main_form.h"
#include "search.h"
#include "win32_files.h"

using namespace quillon;
using namespace quillon::bench;

namespace {

constexpr char kWord[] = "zeta";

// About size bytes of HTML lines in Windows-1251 holding the word exactly
// `occurrences` times, spread evenly.
std::string MakeHtmlWithWord(size_t size, size_t occurrences) {
    const std::string plain = "<p class=\"text\">The quick brown fox jumps over the lazy dog";
    const std::string cyrillic = "<p>\xd1\xfa\xe5\xf8\xfc \xe6\xe5 \xe5\xf9\xb8 \xfd\xf2\xe8\xf5 \xec\xff\xe3\xea\xe8\xf5 "
                                 "\xf4\xf0\xe0\xed\xf6\xf3\xe7\xf1\xea\xe8\xf5 \xe1\xf3\xeb\xee\xea";
    // Lines of about this length, the words on top.
    const size_t average = (plain.size() + cyrillic.size()) / 2 + 7;
    const size_t lines = (size - occurrences * 5) / average;
    std::string html = "<html>\r\n<body>\r\n";
    html.reserve(size + 1024);
    for (size_t i = 0; i < lines; ++i) {
        html += i % 2 ? cyrillic : plain;
        const size_t here = (i + 1) * occurrences / lines - i * occurrences / lines;
        for (size_t k = 0; k < here; ++k) (html += ' ') += kWord;
        html += ".</p>\r\n";
    }
    html += "</body>\r\n</html>\r\n";
    return html;
}

TEditForm* Open(THtmlScrivoForm& form, const std::wstring& path) {
    form.Files().OpenNamedFiles({path});
    Pump();
    return form.ActiveDocument();
}

void Close(TEditForm* document) {
    document->Editor().SetModified(false);
    document->Release();
    Pump();
}

double TimeReplaceAll(THtmlScrivoForm& form, const std::wstring& path, int& count) {
    TEditForm* document = Open(form, path);
    if (!document) return 0;
    document->Editor().SetSelStart(0);
    const auto start = Clock::now();
    count = ReplaceAll(document->Editor(), {L"zeta", true, false, true}, L"omega");
    Pump();
    const double seconds = Seconds(start);
    Close(document);
    return seconds;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    // "find": the find-next figures only.
    const bool findOnly = argc > 1 && std::wstring(argv[1]) == L"find";
    THtmlScrivoForm* form = THtmlScrivoForm::Create(GetModuleHandleW(nullptr), {SW_SHOWNORMAL});
    if (!form) return 1;
    Pump();
    wchar_t tempFolder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, tempFolder);
    const std::wstring folder = tempFolder;
    const size_t size = 5u << 20;
    const std::wstring path100k = folder + L"quillon-editing-bench-100k.html";
    const std::wstring path50k = folder + L"quillon-editing-bench-50k.html";
    const std::string bytes100k = MakeHtmlWithWord(size, 100000);
    WriteFileSafely(path100k, bytes100k);
    WriteFileSafely(path50k, MakeHtmlWithWord(size, 50000));

    HWND bare = BareRichEdit(form->Frame(), kRichEditStyle, 600, 400);
    auto start = Clock::now();
    StreamTextInto(bare, BytesToText(bytes100k, CodePage::Ansi));
    const double b = Seconds(start);
    DestroyWindow(bare);
    std::printf("5 MB document, %zu bytes\n", bytes100k.size());
    std::printf("%-34s %9.3f s\n", "b: bare stream", b);
    std::fflush(stdout);

    int count100k = 0, count50k = 0;
    const double r100k = findOnly ? 0 : TimeReplaceAll(*form, path100k, count100k);
    std::printf("%-34s %9.3f s  %6.2f b  (%d replaced)\n", "r100k: replace all", r100k, r100k / b, count100k);
    std::fflush(stdout);
    const double r50k = findOnly ? 0 : TimeReplaceAll(*form, path50k, count50k);
    std::printf("%-34s %9.3f s  %6.2f b  (%d replaced)  r100k/r50k %.2f\n", "r50k: replace all", r50k, r50k / b,
                count50k, r50k > 0 ? r100k / r50k : 0.0);
    std::fflush(stdout);

    TEditForm* document = Open(*form, path100k);
    if (!document) return 1;
    EditorControl& editor = document->Editor();
    HWND control = document->Editor().Handle();
    const int matches = 1000;  // per round

    // Rounds of each in turn, the best round of each counted: both pay the
    // same status bar updates, and Wine's timings wander.
    const auto ours = [&] {
        editor.SetSelStart(0);
        const auto from = Clock::now();
        for (int i = 0; i < matches; ++i) {
            SearchStep(editor, {L"zeta", true, false, false});
            SendMessageW(control, EM_SCROLLCARET, 0, 0);
        }
        Pump();
        return Seconds(from) / matches;
    };
    const auto theirs = [&] {
        editor.SetSelStart(0);
        const auto from = Clock::now();
        for (int i = 0; i < matches; ++i) {
            CHARRANGE selection{};
            SendMessageW(control, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
            FINDTEXTEXW find{{selection.cpMax, -1}, L"zeta", {}};
            if (SendMessageW(control, EM_FINDTEXTEXW, FR_DOWN, reinterpret_cast<LPARAM>(&find)) < 0) break;
            SendMessageW(control, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&find.chrgText));
            SendMessageW(control, EM_SCROLLCARET, 0, 0);
        }
        Pump();
        return Seconds(from) / matches;
    };
    double f = 1e9, fc = 1e9;
    int oursAt = 0;
    for (int round = 0; round < 3; ++round) {
        f = std::min(f, ours());
        oursAt = editor.SelStart();
        fc = std::min(fc, theirs());
    }
    std::printf("%-34s %9.3f ms per match (at %d)\n", "f: find next, ours", f * 1000, oursAt);
    std::printf("%-34s %9.3f ms per match (at %d)  f/fc %.2f\n", "fc: find next, EM_FINDTEXTEX", fc * 1000,
                editor.SelStart(), fc > 0 ? f / fc : 0.0);
    std::fflush(stdout);

    if (findOnly) return 0;
    editor.Select(0, editor.TextLength());
    start = Clock::now();
    document->ChangeCase(CaseMode::AllUpper);
    Pump();
    const double changeCase = Seconds(start);
    std::printf("%-34s %9.3f s  %6.2f b\n", "case: whole text to upper case", changeCase, changeCase / b);
    std::fflush(stdout);

    editor.Select(0, editor.LineIndex(10000));
    start = Clock::now();
    IndentSelection(editor);
    Pump();
    const double indent = Seconds(start);
    std::printf("%-34s %9.3f s  %6.2f b\n", "indent: 10 000 lines", indent, indent / b);
    std::fflush(stdout);

    Close(document);
    DeleteFileW(path100k.c_str());
    DeleteFileW(path50k.c_str());
    DestroyWindow(form->Frame());
    return 0;
}
