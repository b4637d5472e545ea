// Creates and destroys one window, so that Wine starts its desktop process
// before the tests do (see scripts/test-env.sh).
#include <windows.h>

int main() {
    HWND hwnd = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    if (hwnd) DestroyWindow(hwnd);
    return 0;
}
