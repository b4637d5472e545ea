// RAII guards over Win32 handles: the hourglass cursor, libraries, registry
// keys, GDI objects, device contexts, icons, menus, the mutex and a window
// disabled around a modal call. Each restores or releases on every way out.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

namespace quillon {

// Shows the hourglass until destroyed, then the cursor that was there before.
class WaitCursor {
public:
    WaitCursor() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(previous_ ? previous_ : LoadCursorW(nullptr, IDC_ARROW)); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};

// A library loaded by name and freed when the guard goes.
class Library {
public:
    Library() = default;
    // A full path loads that file and the libraries it needs from beside it.
    explicit Library(const wchar_t* name) : module_(LoadLibraryExW(name, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH)) {}
    // A resource-only view of a library, no code run.
    static Library AsData(const wchar_t* name) {
        Library lib;
        lib.module_ = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_AS_DATAFILE);
        return lib;
    }
    ~Library() { Free(); }
    Library(Library&& other) noexcept : module_(std::exchange(other.module_, nullptr)) {}
    Library& operator=(Library&& other) noexcept {
        if (this != &other) { Free(); module_ = std::exchange(other.module_, nullptr); }
        return *this;
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    explicit operator bool() const { return module_ != nullptr; }
    HMODULE Handle() const { return module_; }

    template <typename Fn>
    Fn Find(const char* exportName) const {
        return module_ ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_, exportName))) : nullptr;
    }
    template <typename Fn>
    Fn Find(int ordinal) const {
        return module_ ? reinterpret_cast<Fn>(reinterpret_cast<void*>(
                             GetProcAddress(module_, MAKEINTRESOURCEA(ordinal))))
                       : nullptr;
    }
    void Free() {
        if (module_) FreeLibrary(module_);
        module_ = nullptr;
    }

private:
    HMODULE module_ = nullptr;
};

// An open registry key, closed when the guard goes.
class RegKeyHandle {
public:
    RegKeyHandle() = default;
    explicit RegKeyHandle(HKEY key) : key_(key) {}
    ~RegKeyHandle() { Close(); }
    RegKeyHandle(RegKeyHandle&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
    RegKeyHandle& operator=(RegKeyHandle&& other) noexcept {
        if (this != &other) { Close(); key_ = std::exchange(other.key_, nullptr); }
        return *this;
    }
    RegKeyHandle(const RegKeyHandle&) = delete;
    RegKeyHandle& operator=(const RegKeyHandle&) = delete;

    HKEY Get() const { return key_; }
    HKEY* Put() { Close(); return &key_; }
    explicit operator bool() const { return key_ != nullptr; }
    void Close() {
        if (key_) RegCloseKey(key_);
        key_ = nullptr;
    }

private:
    HKEY key_ = nullptr;
};

// A GDI object deleted when the guard goes.
template <typename H>
class GdiObject {
public:
    explicit GdiObject(H handle = nullptr) : handle_(handle) {}
    ~GdiObject() { if (handle_) DeleteObject(handle_); }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    H Get() const { return handle_; }
    H Release() { return std::exchange(handle_, nullptr); }

private:
    H handle_;
};

// An owned handle released by its deleter when the guard goes.
template <typename H, BOOL(WINAPI* Destroy)(H)>
class OwnedHandle {
public:
    explicit OwnedHandle(H handle = nullptr) : handle_(handle) {}
    ~OwnedHandle() { Reset(); }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    H Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void Reset(H handle = nullptr) {
        if (handle_ && handle_ != handle) Destroy(handle_);
        handle_ = handle;
    }

private:
    H handle_;
};
using IconHandle = OwnedHandle<HICON, DestroyIcon>;
using MenuHandle = OwnedHandle<HMENU, DestroyMenu>;

// A window's device context, released when the guard goes; with a font
// selected into it for the guard's life when one is given.
class WindowDC {
public:
    explicit WindowDC(HWND window, HGDIOBJ font = nullptr) : window_(window), dc_(GetDC(window)) {
        if (dc_ && font) old_ = SelectObject(dc_, font);
    }
    ~WindowDC() {
        if (!dc_) return;
        if (old_) SelectObject(dc_, old_);
        ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
    HGDIOBJ old_ = nullptr;
};

// A named mutex, closed when the guard goes.
class MutexHandle {
public:
    explicit MutexHandle(const wchar_t* name)
        : handle_(CreateMutexW(nullptr, TRUE, name)), existed_(handle_ && GetLastError() == ERROR_ALREADY_EXISTS) {}
    ~MutexHandle() { if (handle_) CloseHandle(handle_); }
    MutexHandle(const MutexHandle&) = delete;
    MutexHandle& operator=(const MutexHandle&) = delete;
    // Another process had created it already.
    bool Existed() const { return existed_; }

private:
    HANDLE handle_;
    bool existed_;
};

// The window disabled around a modal call, enabled again on every way out.
class DisabledWindow {
public:
    explicit DisabledWindow(HWND window) : window_(window) { EnableWindow(window_, FALSE); }
    ~DisabledWindow() { EnableWindow(window_, TRUE); }
    DisabledWindow(const DisabledWindow&) = delete;
    DisabledWindow& operator=(const DisabledWindow&) = delete;

private:
    HWND window_;
};

}  // namespace quillon
