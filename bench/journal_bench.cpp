// The recovery journal's cost to the interface thread, through the main window
// as a user types: one journal write (taking the text; the file is written on
// the journal's own thread) against one keystroke at the end of the same
// document, at 1 and 5 MB; and 20 keystrokes into the 5 MB document with the
// journal falling due among them, against the same keystrokes with the journal
// off. Run with `make bench`.
//
// Goals: a write of 1 MB at most 10 keystrokes; the slowest keystroke with the
// journal due at most 2x the slowest without it.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_support.h"
#include "edit_form.h"
#include "journal.h"
#include "main_form.h"
#include "prompts.h"
#include "win32_files.h"

using namespace quillon;
using namespace quillon::bench;

namespace {

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Keystrokes at the end of the document, each with the messages it brings;
// the journal's write rides on the keystroke numbered due (-1: none).
std::vector<double> Type(TEditForm& document, int keys, int due) {
    HWND control = document.Editor().Handle();
    document.Editor().SetSelStart(document.Editor().TextLength());
    Pump();
    std::vector<double> times;
    for (int i = 0; i < keys; ++i) {
        const auto start = Clock::now();
        SendMessageW(control, WM_CHAR, L'x', 1);
        if (i == due) document.JournalNow();  // the timer falling due as the key is handled
        Pump();
        times.push_back(Seconds(start) * 1000);
    }
    return times;
}

}  // namespace

int wmain() {
    SetPromptAnswerer([](const PromptRequest&) { return PromptAnswer::No; });
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring journalFolder = std::wstring(temp) + L"quillon-journal-bench";
    std::error_code ignored;
    std::filesystem::remove_all(journalFolder, ignored);
    THtmlScrivoForm* form = THtmlScrivoForm::Create(GetModuleHandleW(nullptr), {SW_SHOWNORMAL, nullptr, journalFolder});
    if (!form || !form->Journal()) return 1;
    Pump();

    std::printf("%-8s %14s %14s %10s\n", "size", "keystroke", "journal write", "ratio");
    for (const size_t mb : {1u, 5u}) {
        const std::wstring path = std::wstring(temp) + L"quillon-journal-" + std::to_wstring(mb) + L".txt";
        WriteFileSafely(path, MakeHtml(mb << 20));
        form->Files().OpenNamedFiles({path});
        Pump();
        TEditForm* document = form->ActiveDocument();
        if (!document) return 1;
        const double key = Median(Type(*document, 21, -1));
        std::vector<double> writes;
        for (int i = 0; i < 5; ++i) {
            const auto start = Clock::now();
            document->JournalNow();
            writes.push_back(Seconds(start) * 1000);
            form->Journal()->Flush();
        }
        const double write = Median(writes);
        std::printf("%-5zu MB %11.2f ms %11.2f ms %10.1f%s\n", mb, key, write, write / key,
                    mb == 1 ? "  (goal <= 10)" : "");
        if (mb == 5) {
            // The same document, the same 20 keystrokes, the journal due at the tenth.
            std::vector<double> off, on;
            for (int round = 0; round < 3; ++round) {
                const auto quiet = Type(*document, 20, -1);
                const auto due = Type(*document, 20, 9);
                if (getenv("QUILLON_BENCH_DETAIL")) {
                    for (double t : quiet) std::printf(" %.1f", t);
                    std::printf(" | quiet\n");
                    for (double t : due) std::printf(" %.1f", t);
                    std::printf(" | due\n");
                }
                off.push_back(*std::max_element(quiet.begin(), quiet.end()));
                on.push_back(*std::max_element(due.begin(), due.end()));
                form->Journal()->Flush();
            }
            const double slowOff = Median(off), slowOn = Median(on);
            std::printf("5 MB, 20 keystrokes: slowest %.2f ms with the journal due, %.2f ms without, ratio %.2f (goal <= 2)\n",
                        slowOn, slowOff, slowOn / slowOff);
        }
        document->Editor().SetModified(false);
        document->Release();
        Pump();
        DeleteFileW(path.c_str());
    }
    DestroyWindow(form->Frame());
    Pump();
    std::filesystem::remove_all(journalFolder, ignored);
    return 0;
}
