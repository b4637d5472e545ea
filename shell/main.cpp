// The program's entry: the single instance, the main window and the message loop.
#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include "desktop_stream.h"
#include "handoff.h"
#include "main_form.h"
#include "message_loop.h"
#include "prompts.h"
#include "storage.h"
#include "win32_registry.h"
#include "win32_startup_trace.h"
#include "win32_guards.h"

namespace quillon {
namespace {

// COM for the user-interface thread, for the life of the program.
class ComApartment {
public:
    ComApartment() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~ComApartment() { CoUninitialize(); }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
};

// Whether documents open as the program starts: files named on its command
// line, or a desktop of the last exit that holds any.
bool DocumentsAtStart() {
    int count = 0;
    if (LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count)) LocalFree(args);
    if (count > 1) return true;
    WindowsRegistry registry;
    const auto desktop = storage::LoadDesktop(registry);
    return desktop && !ParseDesktop(*desktop).empty();
}

// The shell's icons of file kinds come from its image lists, which it builds at
// the first request: 50 ms under Wine. When documents open at the start, a
// thread of its own asks once while the main window is being made, so that the
// first document's icon is ready when wanted. Without documents it stays away:
// it would only compete with the main window for the machine.
void WarmShellIcons() {
    HANDLE thread = CreateThread(nullptr, 0, [](LPVOID) -> DWORD {
        const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        SHFILEINFOW info{};
        if (SHGetFileInfoW(L"document.txt", FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                           SHGFI_ICON | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES) && info.hIcon)
            DestroyIcon(info.hIcon);
        if (SUCCEEDED(com)) CoUninitialize();
        return 0;
    }, nullptr, 0, nullptr);
    if (thread) CloseHandle(thread);
}

}  // namespace
}  // namespace quillon

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    using namespace quillon;
    StartupMark("process entry");
    MutexHandle mutex(kMutexName);
    if (mutex.Existed()) {
        // A second start: the files go to the running editor, which comes to the front.
        HandOffCommandLine();
        if (HWND running = FindWindowW(kMainFormClass, nullptr)) {
            SendMessageW(running, kMsgActivateInstance, 0, 0);
            return 0;
        }
    }
    StartupMark("single-instance check");
    if (DocumentsAtStart()) WarmShellIcons();
    ComApartment com;
    StartupMark("COM");
    try {
        if (THtmlScrivoForm* form = THtmlScrivoForm::Create(instance, {showCommand, nullptr, DocumentJournal::DefaultFolder()})) RunMessageLoop(*form);
    } catch (...) {
        MessageBoxW(nullptr, L"Внутренняя ошибка программы.", kApplicationTitle, MB_ICONERROR | MB_OK);
    }
    return 0;
}
