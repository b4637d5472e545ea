// Restoring a desktop of 30 documents of 100 KB each against opening the same
// 30 files by one copy-data message, in the same run. Run with `make bench`.
//
// Goal: the restore at most 1.1x the copy-data open.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench_support.h"
#include "codepage.h"
#include "desktop_stream.h"
#include "edit_form.h"
#include "main_form.h"
#include "registry.h"
#include "storage.h"
#include "win32_files.h"

using namespace quillon;
using namespace quillon::bench;

namespace {

constexpr int kFiles = 30;

double OpenByCopyData(const std::vector<std::wstring>& names) {
    // Both measures start with the main window's creation.
    MemoryRegistry registry;
    SharedDocumentState() = DocumentState{};
    std::string list;
    for (const auto& name : names) list += TextToBytes(name, CodePage::Ansi) + "\r";
    COPYDATASTRUCT data{kCopyDataFileList, static_cast<DWORD>(list.size() + 1), list.data()};
    const auto start = Clock::now();
    THtmlScrivoForm* form = THtmlScrivoForm::Create(GetModuleHandleW(nullptr), {SW_SHOWMAXIMIZED, &registry});
    Pump();
    SendMessageW(form->Frame(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    Pump();
    const double seconds = Seconds(start);
    const size_t opened = form->Documents().size();
    DestroyWindow(form->Frame());
    Pump();
    return opened == names.size() ? seconds : -1;
}

double Restore(const std::vector<std::wstring>& names) {
    MemoryRegistry registry;
    std::string stream;
    for (int i = 0; i < kFiles; ++i) {
        DesktopRecord record;
        record.fileName = TextToBytes(names[static_cast<size_t>(i)], CodePage::Ansi);
        record.left = 10 * i;
        record.top = 10 * i;
        record.width = 500;
        record.height = 300;
        record.order = i == kFiles - 1 ? -(i + 1) : i + 1;
        AppendDesktopRecord(stream, record);
    }
    EndDesktop(stream);
    storage::SaveDesktop(registry, stream);
    SharedDocumentState() = DocumentState{};
    const auto start = Clock::now();
    THtmlScrivoForm* form = THtmlScrivoForm::Create(GetModuleHandleW(nullptr), {SW_SHOWMAXIMIZED, &registry});
    SetActiveWindow(form->Frame());
    while (form->Documents().size() < names.size() && Seconds(start) < 120) {
        Pump();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    Pump();
    const double seconds = Seconds(start);
    DestroyWindow(form->Frame());
    Pump();
    return seconds;
}

}  // namespace

int wmain() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    std::vector<std::wstring> names;
    for (int i = 0; i < kFiles; ++i) {
        names.push_back(std::wstring(temp) + L"quillon-desktop-bench-" + std::to_wstring(i) + L".html");
        WriteFileSafely(names.back(), MakeHtml(100 << 10));
    }
    // Alternating, so that both see the same drift of Wine's speed.
    double copyData = 0, restore = 0;
    for (int round = 0; round < 2; ++round) {
        copyData += OpenByCopyData(names) / 2;
        restore += Restore(names) / 2;
    }
    std::printf("%-28s %12s %12s %8s\n", "30 documents of 100 KB", "copy-data", "desktop", "ratio");
    std::printf("%-28s %10.3f s %10.3f s %8.2f\n", "", copyData, restore, restore / copyData);
    for (const auto& name : names) DeleteFileW(name.c_str());
    return 0;
}
