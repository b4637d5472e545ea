#include <windows.h>

#include <objbase.h>

#include "main_form.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int exitCode = 1;
    if (HWND frame = quillon::CreateMainForm(instance, {showCommand})) exitCode = quillon::RunMessageLoop(frame);
    CoUninitialize();
    return exitCode;
}
