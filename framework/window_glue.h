// One window procedure for the program's window classes. The per-window object
// is handed over in the creation parameters, stored at WM_NCCREATE, gets every
// message through its OnMessage and is freed after WM_NCDESTROY. Nothing thrown
// inside a handler crosses the procedure: the message then gets the default
// handling and the window stays usable.
//
// T provides:
//   static T* ObjectFromCreate(const CREATESTRUCTW& create);
//   void Attach(HWND hwnd);
//   LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);
//   static LRESULT DefaultProc(T* object, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
#pragma once

#include <windows.h>

namespace quillon {

// Registers a window class of the program once; true when it is there.
inline bool RegisterProgramClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure, HICON icon, int background) {
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(instance, name, &wc)) return true;
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = background >= 0 ? reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(background) + 1) : nullptr;
    wc.lpszClassName = name;
    return RegisterClassExW(&wc) != 0;
}

template <class T>
T* WindowObject(HWND hwnd) {
    return hwnd ? reinterpret_cast<T*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)) : nullptr;
}

template <class T>
LRESULT CALLBACK WindowProcOf(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        T* created = T::ObjectFromCreate(*reinterpret_cast<const CREATESTRUCTW*>(lParam));
        created->Attach(hwnd);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    T* object = WindowObject<T>(hwnd);
    if (!object) return T::DefaultProc(nullptr, hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        const LRESULT result = T::DefaultProc(object, hwnd, msg, wParam, lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        delete object;
        return result;
    }
    try {
        return object->OnMessage(msg, wParam, lParam);
    } catch (...) {
        return T::DefaultProc(object, hwnd, msg, wParam, lParam);
    }
}

}  // namespace quillon
