#include "main_form.h"

#include <commctrl.h>

#include "resource_ids.h"

namespace quillon {

namespace {

struct MainForm {
    HWND frame = nullptr;
    HWND client = nullptr;
};

MainForm* FromWindow(HWND hwnd) {
    return reinterpret_cast<MainForm*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

LRESULT OnCreate(HWND hwnd, MainForm* form) {
    CLIENTCREATESTRUCT client{};
    client.idFirstChild = kFirstDocumentId;
    form->client = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                   WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE, 0, 0, 0, 0,
                                   hwnd, nullptr, GetModuleHandleW(nullptr), &client);
    return form->client ? 0 : -1;
}

LRESULT CALLBACK MainFormProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    MainForm* form = FromWindow(hwnd);
    switch (msg) {
    case WM_NCCREATE: {
        auto* created = new MainForm{hwnd, nullptr};
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
        break;
    }
    case WM_CREATE: return OnCreate(hwnd, form);
    case WM_DESTROY: PostQuitMessage(0); return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        delete form;
        break;
    default: break;
    }
    return DefFrameProcW(hwnd, form ? form->client : nullptr, msg, wParam, lParam);
}

bool RegisterMainFormClass(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(instance, kMainFormClass, &wc)) return true;
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = MainFormProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kMainIconId));
    if (!wc.hIcon) wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpszClassName = kMainFormClass;
    return RegisterClassExW(&wc) != 0;
}

}  // namespace

HWND CreateMainForm(HINSTANCE instance, const MainFormOptions& options) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    if (!RegisterMainFormClass(instance)) return nullptr;
    HWND frame = CreateWindowExW(0, kMainFormClass, L"Quillon", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                 instance, nullptr);
    if (!frame) return nullptr;
    ShowWindow(frame, options.showCommand);
    UpdateWindow(frame);
    return frame;
}

HWND MainFormClient(HWND frame) {
    const MainForm* form = FromWindow(frame);
    return form ? form->client : nullptr;
}

int RunMessageLoop(HWND frame) {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!TranslateMDISysAccel(MainFormClient(frame), &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace quillon
