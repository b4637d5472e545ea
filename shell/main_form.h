// THtmlScrivoForm: the main window, an MDI frame captioned "Quillon" with the
// menu bar of the command table and the status bar of six panels.
#pragma once

#include <windows.h>

#include <commdlg.h>
#include <shellapi.h>

#include <functional>

#include <map>
#include <string>
#include <vector>

#include "common.h"
#include "filebox_api.h"
#include "edit_host.h"
#include "main_rules.h"
#include "registry.h"
#include "storage.h"

namespace quillon {

class TEditForm;

inline constexpr wchar_t kMainFormClass[] = L"THtmlScrivoForm";
inline constexpr wchar_t kMutexName[] = L"THtmlScrivoFormMutex(Quillon)";
inline constexpr ULONG_PTR kCopyDataFileList = 0x7FFD;
inline constexpr UINT kMsgRestoreDesktop = 0x7FFE;
inline constexpr UINT kMsgActivateInstance = 0x7FFF;
inline constexpr int kMaxHandedArguments = 50;

struct MainFormOptions {
    int showCommand = SW_SHOWDEFAULT;
    Registry* registry = nullptr;  // where settings live; null: the current user's registry
};

class THtmlScrivoForm final : public MainComponents, public EditHost {
public:
    // Registers the class once; creates and shows the frame. Null on failure.
    static THtmlScrivoForm* Create(HINSTANCE instance, const MainFormOptions& options);
    static THtmlScrivoForm* FromWindow(HWND hwnd);

    HWND Frame() const { return frame_; }
    HWND StatusBar() const { return statusBar_; }
    HMENU Menu() const { return menu_; }
    HACCEL Accelerators() const { return accelerators_; }
    // The menu item id of a component name (0 when there is none).
    UINT ItemId(std::wstring_view name) const;
    std::wstring PanelText(int panel) const;
    // The text the status bar shows in its single-text mode, or empty when it shows its panels.
    std::wstring HintShown() const;

    // Document windows in the document area's order, and the active one.
    std::vector<TEditForm*> Documents() const;
    TEditForm* ActiveDocument() const;

    void MenuItemSelect(int command);
    void OpenFileList(std::wstring_view text);
    void OpenDroppedFiles(HDROP drop);
    void OpenNamedFiles(const std::vector<std::wstring>& names);
    bool IsFileOpen(const std::wstring& name);
    void PrepareNewWindow();
    void FinishNewWindow();
    TEditForm* NewDocument(const std::wstring& ext);
    // A DDE execute request on the OpenFiles topic: its first line is one file name.
    void OpenFileMacro(std::wstring_view command);
    // The DDE service name: the program's file name cut before its first dot.
    static std::wstring DdeServiceName();
    DWORD DdeInstanceForCallback() const { return ddeInstance_; }
    // File > Open: the open dialog, then every chosen file (read-only as answered).
    void OpenCommand();
    // Reopens recent file k (0-9).
    void MRUFileItemClick(int k);
    struct DocumentKind {
        std::wstring Name, Extension, Description;
    };
    const std::vector<DocumentKind>& Kinds() const { return kinds_; }
    // The long hint of a menu item (empty when it has none); the status bar
    // shows it while the item is highlighted.
    std::wstring HintOf(UINT itemId) const;
    void ShowHint(std::wstring_view hint) override;
    // The recent-files menu as shown: (entry index, caption) of each visible item.
    std::vector<std::pair<int, std::wstring>> RecentMenuItems() const;
    // The exit routine: sets the closing flag before the documents are asked.
    void SaveState();
    const RecentFiles& Recent() const { return recent_; }
    const RECT& SavedRect() const { return savedRect_; }
    int SavedState() const { return savedState_; }
    EditorOptions& MutableOptions() { return options_; }
    storage::FileboxDialogState& DialogState() { return dialogState_; }

    // MainComponents
    void SetEnabled(std::wstring_view name, bool enabled) override;
    void SetChecked(std::wstring_view name, bool checked) override;
    void SetPanelText(int panel, std::wstring_view text) override;
    void SetFormattingEnabled(bool enabled) override;
    void SetWindowMenuEnabled(bool enabled) override;
    void SetWindowToolBarEnabled(bool enabled) override;
    void CompactStatusBar() override;
    void RestoreStatusBar() override;
    int PanelCount() const;

    // EditHost
    HWND MainWindow() const override { return frame_; }
    HWND DocumentArea() const override { return client_; }
    const EditorOptions& Options() const override { return options_; }
    CommandStates& States() override { return states_; }
    void EnterRecentFile(const RecentFileEntry& entry) override;
    void SetWordWrapChecked(bool checked) override { SetChecked(L"WordWrapItem", checked); }
    int& LastSaveFilter() override { return lastSaveFilter_; }

private:
    explicit THtmlScrivoForm(Registry& registry);
    void LoadSettings();
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    void OnCreate();
    void OnSize();
    void OnActivate();
    LRESULT OnCopyData(const COPYDATASTRUCT* data);
    void OnActivateInstance();
    void OnRestoreDesktop();
    bool OnCloseQuery();
    // How a file is opened: word wrap before the text arrives, read-only before
    // the load (the file's attribute adds to it) or in place of what the load
    // decided, and the caret afterwards.
    struct OpenSettings {
        bool wordWrap = true;
        bool readOnlyBeforeLoad = false;
        std::optional<bool> readOnlyAfterLoad;
        int caret = 0;
        bool dosText = false;
    };
    OpenSettings SettingsByKind(const std::wstring& name) const;
    // Creates a window for the file, loads and activates it; reports 113 and
    // releases it on failure.
    bool OpenOneFile(const std::wstring& name, const OpenSettings& settings);
    void BuildMenu();
    void BuildNewMenu();
    void RefreshRecentMenu();
    HMENU createMenu_ = nullptr;
    std::wstring hint_;
    bool compact_ = false;  // the status bar shows two panels (macro picker)  // the hint the status bar shows instead of its panels, if any
    HMENU reopenMenu_ = nullptr;
    std::vector<DocumentKind> kinds_;
    void BuildStatusBar();
    void SwitchOption(bool EditorOptions::*option, std::wstring_view item);
    void CloseAll();
    void PrinterSetup();
    void PrintActive();
    HGLOBAL printerMode_ = nullptr;   // the printer chosen in the dialogs, kept for the next one
    HGLOBAL printerNames_ = nullptr;

    HWND frame_ = nullptr;
    HWND client_ = nullptr;
    HWND statusBar_ = nullptr;
    HMENU menu_ = nullptr;
    HMENU windowMenu_ = nullptr;
    HMENU formatMenu_ = nullptr;
    HACCEL accelerators_ = nullptr;
    std::map<std::wstring, UINT, std::less<>> itemIds_;
    EditorOptions options_;
    CommandStates states_;
    RecentFiles recent_;
    int lastSaveFilter_ = 0;
    Registry& registry_;
    storage::FileboxDialogState dialogState_;
    bool firstActivation_ = true;
    DocumentWindowState newWindowState_ = DocumentWindowState::Maximized;
    int rememberedCount_ = 0;
    DWORD ddeInstance_ = 0;
    // The main window's saved placement (stored as "Position" with the registry
    // layout): screen rectangle and state, 0 normal or 2 maximized.
    RECT savedRect_{};
    int savedState_ = 0;
    bool minimized_ = false;
    void OnSysCommand(WPARAM command);
    void OnMinimizeOrRestore(WPARAM sizeType);
    void StartDdeServer();
    void StopDdeServer();
};

// The open dialog Open runs; tests put their own answer here (they fill the file
// buffer as the dialog leaves it). Empty: Filebox's OpenFiles.
std::function<int(FileDialogRequest&)>& OpenDialogRunner();

// The print and printer set-up dialogs; tests put their own answer here. Empty: the system's.
std::function<BOOL(PRINTDLGW&)>& PrintDialogRunner();

// The message loop of the user-interface thread; returns the exit code.
int RunMessageLoop(THtmlScrivoForm& form);

// Hands the program's own arguments (at most 50) to Assist.dll, when it is there.
void HandOffCommandLine();

}  // namespace quillon
