#include <windows.h>

#include <objbase.h>

#include "main_form.h"
#include "prompts.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    using namespace quillon;
    HANDLE mutex = CreateMutexW(nullptr, TRUE, kMutexName);
    if (mutex && GetLastError() == ERROR_ALREADY_EXISTS) {
        // A second start: the files go to the running editor, which comes to the front.
        HandOffCommandLine();
        if (HWND running = FindWindowW(kMainFormClass, nullptr)) {
            SendMessageW(running, kMsgActivateInstance, 0, 0);
            CloseHandle(mutex);
            return 0;
        }
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    try {
        if (THtmlScrivoForm* form = THtmlScrivoForm::Create(instance, {showCommand})) RunMessageLoop(*form);
    } catch (...) {
        MessageBoxW(nullptr, L"Внутренняя ошибка программы.", kApplicationTitle, MB_ICONERROR | MB_OK);
    }
    if (mutex) CloseHandle(mutex);
    CoUninitialize();
    return 0;
}
