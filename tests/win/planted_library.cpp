// A library planted in the current folder under the name of one of the
// program's optional libraries. Loading it leaves a mark in the temporary
// folder and fails, so a test sees whether anyone took it.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        wchar_t mark[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, mark);
        lstrcatW(mark, L"quillon-planted-library-loaded");
        HANDLE file = CreateFileW(mark, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
        return FALSE;
    }
    return TRUE;
}
