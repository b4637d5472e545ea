// What a document window needs of the main window that owns it.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "common.h"
#include "document_verbs.h"
#include "edit_rules.h"
#include "editor_options.h"

namespace quillon {

class DocumentJournal;

class TEditForm;

// The keys a subsystem above the document window takes before its editing
// keys (the macro keys).
class DocumentKeyHook {
public:
    virtual ~DocumentKeyHook() = default;
    // True when the key is taken: neither it nor its character reaches the editor.
    virtual bool FormKeyDown(TEditForm& document, int key, bool ctrl, bool shift, bool alt) = 0;
    // The document's editor lost the keyboard (the focus went elsewhere, or the
    // window goes): whatever waited for its next key waits no longer.
    virtual void FormKeysLost(TEditForm&) {}
};

// One row of the document window's context menu; DocumentVerb::None is a separator.
struct ContextMenuRow {
    DocumentVerb verb;
    std::wstring_view caption;
    std::wstring_view hint;
};

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
    // The rows of the document window's context menu, from the main window's command table.
    virtual const std::vector<ContextMenuRow>& ContextMenuRows() const = 0;
    // The keys taken before the editing keys; null when there are none.
    virtual DocumentKeyHook* KeyHook() { return nullptr; }
    // The recovery journal of the run, or null when the run keeps none.
    virtual DocumentJournal* Journal() { return nullptr; }
    // A window's place in the window list (0 for the first).
    virtual int WindowNumber(HWND) const { return 0; }
    // The status bar, as a document window's own texts need it.
    virtual void SetPanelText(int panel, std::wstring_view text) = 0;
    virtual void CompactStatusBar() = 0;
    virtual void RestoreStatusBar() = 0;
    // While the program closes: the window agreed to close (the desktop takes its record).
    virtual void DocumentAgreedToClose(TEditForm&) {}
    // The window list's bookkeeping; a host without a window list ignores them.
    virtual void RegisterWindow(HWND) {}
    virtual void UnregisterWindow(HWND) {}
    virtual void WindowNameChanged(HWND) {}
    virtual void WindowActivated(HWND) {}
};

}  // namespace quillon
