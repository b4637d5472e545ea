// The program's entry: the single instance, the main window and the message loop.
#include <windows.h>

#include <objbase.h>

#include "handoff.h"
#include "main_form.h"
#include "message_loop.h"
#include "prompts.h"
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

}  // namespace
}  // namespace quillon

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    using namespace quillon;
    MutexHandle mutex(kMutexName);
    if (mutex.Existed()) {
        // A second start: the files go to the running editor, which comes to the front.
        HandOffCommandLine();
        if (HWND running = FindWindowW(kMainFormClass, nullptr)) {
            SendMessageW(running, kMsgActivateInstance, 0, 0);
            return 0;
        }
    }
    ComApartment com;
    try {
        if (THtmlScrivoForm* form = THtmlScrivoForm::Create(instance, {showCommand, nullptr, DocumentJournal::DefaultFolder()})) RunMessageLoop(*form);
    } catch (...) {
        MessageBoxW(nullptr, L"Внутренняя ошибка программы.", kApplicationTitle, MB_ICONERROR | MB_OK);
    }
    return 0;
}
