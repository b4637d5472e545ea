// What a document window needs of the main window that owns it.
#pragma once

#include <windows.h>

#include <string>

#include "common.h"
#include "edit_rules.h"
#include "editor_options.h"

namespace quillon {

class EditHost {
public:
    virtual ~EditHost() = default;
    virtual HWND MainWindow() const = 0;
    virtual HWND DocumentArea() const = 0;
    virtual const EditorOptions& Options() const = 0;
    virtual CommandStates& States() = 0;
    virtual void EnterRecentFile(const RecentFileEntry& entry) = 0;
    virtual void SetWordWrapChecked(bool checked) = 0;
    // The save-dialog filter chosen the last time a document without a filter
    // of its own was saved (0 before any).
    virtual int& LastSaveFilter() = 0;
    // The status line's long hint while a menu item is highlighted; empty ends it.
    virtual void ShowHint(std::wstring_view hint) = 0;
    // Window list hooks (the window list itself comes later).
    virtual void RegisterWindow(HWND) {}
    virtual void UnregisterWindow(HWND) {}
    virtual void WindowNameChanged(HWND) {}
    virtual void WindowActivated(HWND) {}
};

}  // namespace quillon
