// Helpers of the Windows tests: a host window, message pumping and bounded waits.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

namespace quillon::test {

// A plain top-level window to put controls in; one per test process.
inline HWND HostWindow() {
    static HWND host = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"QuillonTestHost";
        RegisterClassW(&wc);
        return CreateWindowExW(0, wc.lpszClassName, L"host", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr,
                               nullptr, wc.hInstance, nullptr);
    }();
    return host;
}

// Dispatches every message waiting for this thread.
inline void PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Pumps messages until the condition holds or the time is up; true when it held.
inline bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit = std::chrono::seconds(20)) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        PumpMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

struct Modifiers {
    bool shift = false, ctrl = false, alt = false;
};

// A key pressed on the control: key-down and key-up posted with the modifiers
// held in the thread's keyboard state, translated and dispatched as the message
// loop does, so that the key's character follows as it would.
inline void Press(HWND control, int key, Modifiers held = {}) {
    BYTE saved[256] = {}, keys[256] = {};
    GetKeyboardState(saved);
    memcpy(keys, saved, sizeof keys);
    const auto hold = [&keys](std::initializer_list<int> codes, bool down) {
        for (int code : codes) keys[code] = down ? 0x80 : 0;
    };
    hold({VK_SHIFT, VK_LSHIFT}, held.shift);
    hold({VK_CONTROL, VK_LCONTROL}, held.ctrl);
    hold({VK_MENU, VK_LMENU}, held.alt);
    SetKeyboardState(keys);
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC)) << 16;
    const LPARAM altFlag = held.alt ? (1 << 29) : 0;
    PostMessageW(control, held.alt ? WM_SYSKEYDOWN : WM_KEYDOWN, static_cast<WPARAM>(key), 1 | scan | altFlag);
    PostMessageW(control, held.alt ? WM_SYSKEYUP : WM_KEYUP, static_cast<WPARAM>(key),
                 static_cast<LPARAM>(1 | scan | altFlag | (1LL << 30) | (1LL << 31)));
    PumpMessages();
    SetKeyboardState(saved);
}

// Characters typed into a control, as the message loop hands them out.
inline void Type(HWND control, std::wstring_view text) {
    for (wchar_t ch : text) SendMessageW(control, WM_CHAR, ch, 1);
    PumpMessages();
}

// A visible dialog of this thread with the given caption, or null.
inline HWND FindThreadDialog(const std::wstring& caption) {
    struct Search {
        const std::wstring* caption;
        HWND found;
    } search{&caption, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            wchar_t cls[16] = {}, text[128] = {};
            GetClassNameW(hwnd, cls, 16);
            GetWindowTextW(hwnd, text, 128);
            if (std::wstring(cls) == L"#32770" && IsWindowVisible(hwnd) && *s->caption == text) {
                s->found = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The folder of the running test program, with a final backslash.
inline std::wstring ModuleFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

// The folder the deliverables land in (bin/ beside tests/).
// Puts plain text on the clipboard, owned by the window given.
inline bool PutOnClipboard(HWND owner, std::wstring_view text) {
    if (!OpenClipboard(owner)) return false;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    auto* data = static_cast<wchar_t*>(GlobalLock(memory));
    text.copy(data, text.size());
    data[text.size()] = L'\0';
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    return true;
}

inline std::wstring BinFolder() { return ModuleFolder() + L"..\\bin\\"; }

}  // namespace quillon::test
