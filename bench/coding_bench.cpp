// Opening a UTF-8 document against the same text in Windows-1251, through the
// main window as a user opens a file, in the same run; and the coding detection
// alone on 20 MB against that file's whole load. Run with `make bench`.
//
// Goals: UTF-8 at most 1.1x the Windows-1251 open; detection at most 2% of the load.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench_support.h"
#include "codepage.h"
#include "edit_form.h"
#include "main_form.h"
#include "prompts.h"
#include "text_coding.h"
#include "text_lines.h"
#include "win32_files.h"

using namespace quillon;
using namespace quillon::bench;

namespace {

double OpenAndClose(THtmlScrivoForm& form, const std::wstring& path, TextCoding& coding) {
    const auto start = Clock::now();
    form.Files().OpenNamedFiles({path});
    Pump();
    const double seconds = Seconds(start);
    TEditForm* document = form.ActiveDocument();
    coding = document ? document->Coding() : TextCoding::Windows;
    if (document) SendMessageW(document->Handle(), WM_CLOSE, 0, 0);
    Pump();
    return seconds;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

const char* Name(TextCoding coding) { return coding == TextCoding::Utf8 ? "UTF-8" : coding == TextCoding::Windows ? "Windows" : "other"; }

}  // namespace

int wmain() {
    SetPromptAnswerer([](const PromptRequest&) { return PromptAnswer::Ok; });
    THtmlScrivoForm* form = THtmlScrivoForm::Create(GetModuleHandleW(nullptr), {SW_SHOWNORMAL});
    if (!form) return 1;
    Pump();
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);

    // The same text in both codings: the generated page, Cyrillic and Latin lines.
    const std::string windows = MakeHtml(5u << 20);
    const std::string utf8 = EncodeText(NormalizeLineBreaks(BytesToText(windows, CodePage::Win1251)), TextCoding::Utf8);
    const std::wstring windowsPath = std::wstring(temp) + L"quillon-coding-1251.txt";
    const std::wstring utf8Path = std::wstring(temp) + L"quillon-coding-utf8.txt";
    WriteFileSafely(windowsPath, windows);
    WriteFileSafely(utf8Path, utf8);

    std::vector<double> windowsTimes, utf8Times;
    TextCoding windowsCoding = TextCoding::Windows, utf8Coding = TextCoding::Windows;
    for (int round = 0; round < 3; ++round) {
        windowsTimes.push_back(OpenAndClose(*form, windowsPath, windowsCoding));
        utf8Times.push_back(OpenAndClose(*form, utf8Path, utf8Coding));
    }
    const double w = Median(windowsTimes), u = Median(utf8Times);
    std::printf("%-40s %10s %10s\n", "5 MB of the same text, median of 3", "open", "opened as");
    std::printf("%-40s %8.3f s %10s\n", "Windows-1251", w, Name(windowsCoding));
    std::printf("%-40s %8.3f s %10s\n", "UTF-8", u, Name(utf8Coding));
    std::printf("ratio %.2f (goal <= 1.1)\n", u / w);

    // Detection on 20 MB: the UTF-8 page (every byte checked) and plain ASCII
    // (the whole file read to find no multi-byte sequence), against one load.
    const std::string windows20 = MakeHtml(20u << 20);
    const std::string utf20 = EncodeText(NormalizeLineBreaks(BytesToText(windows20, CodePage::Win1251)), TextCoding::Utf8);
    const std::string ascii20(20u << 20, 'a');
    const std::wstring path20 = std::wstring(temp) + L"quillon-coding-20.txt";
    WriteFileSafely(path20, utf20);
    TextCoding coding20 = TextCoding::Windows;
    const double load20 = OpenAndClose(*form, path20, coding20);
    std::vector<double> detectUtf, detectAscii;
    for (int round = 0; round < 5; ++round) {
        auto start = Clock::now();
        const TextCoding a = DetectCoding(utf20);
        detectUtf.push_back(Seconds(start));
        start = Clock::now();
        const TextCoding b = DetectCoding(ascii20);
        detectAscii.push_back(Seconds(start));
        if (a != TextCoding::Utf8 || b != TextCoding::Windows) std::printf("detection went wrong\n");
    }
    const double du = Median(detectUtf), da = Median(detectAscii);
    std::printf("20 MB UTF-8 page opened in %.3f s (%s); detection %.4f s (%.2f%%), on 20 MB of ASCII %.4f s (%.2f%%) (goal <= 2%%)\n",
                load20, Name(coding20), du, 100 * du / load20, da, 100 * da / load20);
    DestroyWindow(form->Frame());
    Pump();
    DeleteFileW(windowsPath.c_str());
    DeleteFileW(utf8Path.c_str());
    DeleteFileW(path20.c_str());
    return 0;
}
