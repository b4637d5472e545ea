// THtmlScrivoForm: the main window, an MDI frame captioned "Quillon" with the
// menu bar of the command table and the status bar of six panels. Its handler
// finds a command's row in the table and hands the command to the subsystem
// that runs it.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common.h"
#include "cool_bar.h"
#include "dde_server.h"
#include "edit_host.h"
#include "file_commands.h"
#include "file_menus.h"
#include "journal.h"
#include "macro_keyboard.h"
#include "window_list.h"
#include "menu_bar.h"
#include "printing.h"
#include "registry.h"
#include "status_bar.h"
#include "storage.h"
#include "template_list.h"

namespace quillon {

class TEditForm;
struct MenuEntry;

inline constexpr wchar_t kMainFormClass[] = L"THtmlScrivoForm";
inline constexpr wchar_t kMutexName[] = L"THtmlScrivoFormMutex(Quillon)";
inline constexpr ULONG_PTR kCopyDataFileList = 0x7FFD;
inline constexpr UINT kMsgStartupFiles = 0x7FFE;
inline constexpr UINT kMsgActivateInstance = 0x7FFF;
inline constexpr UINT kFirstTemplateId = 6000;       // the template menus' items, + the entry's index
inline constexpr UINT kDefaultTemplateKeyId = 5999;  // Ctrl+L

struct MainFormOptions {
    int showCommand = SW_SHOWDEFAULT;
    Registry* registry = nullptr;  // where settings live; null: the current user's registry
    // The recovery journal's folder (DocumentJournal::DefaultFolder() for the
    // program); empty: the run keeps no journal.
    std::wstring journalFolder;
};

class THtmlScrivoForm final : public MainComponents, public EditHost {
public:
    // Registers the class once; creates and shows the frame. Null on failure.
    static THtmlScrivoForm* Create(HINSTANCE instance, const MainFormOptions& options);
    static THtmlScrivoForm* FromWindow(HWND hwnd);

    HWND Frame() const { return frame_; }
    HWND StatusBarWindow() const { return statusBar_.Handle(); }
    HMENU Menu() const { return menuBar_.Handle(); }
    HACCEL Accelerators() const { return menuBar_.Accelerators(); }
    // The menu item id of a component name (0 when there is none).
    UINT ItemId(std::wstring_view name) const { return menuBar_.ItemId(name); }
    // The command table row of a menu item id (hidden items too), or -1.
    int RowOfItem(UINT id) const { return menuBar_.RowOfId(id); }
    std::wstring PanelText(int panel) const { return statusBar_.PanelText(panel); }
    int PanelCount() const { return statusBar_.PanelCount(); }
    // The text the status bar shows in its single-text mode, or empty when it shows its panels.
    const std::wstring& HintShown() const { return statusBar_.HintShown(); }

    // Document windows in the document area's order, and the active one.
    std::vector<TEditForm*> Documents() const;
    TEditForm* ActiveDocument() const;

    // Runs the command of a number (the low 16 bits of a sender's tag); unknown numbers do nothing.
    void MenuItemSelect(int command);
    FileCommands& Files() { return files_; }
    const std::vector<DocumentKind>& Kinds() const { return fileMenus_.Kinds(); }
    // The long hint of a menu item (empty when it has none).
    std::wstring HintOf(UINT itemId) const;
    std::wstring PopupHintOf(HMENU submenu) const;
    // The recent-files menu as shown: (entry index, caption) of each visible item.
    std::vector<std::pair<int, std::wstring>> RecentMenuItems() const { return quillon::RecentMenuItems(recent_); }
    // The exit routine: sets the closing flag before the documents are asked.
    void SaveState();
    const RecentFiles& Recent() const { return recent_; }
    const RECT& SavedRect() const { return savedRect_; }
    EditorOptions& MutableOptions() { return options_; }
    storage::FileboxDialogState& DialogState() { return dialogState_; }
    // The stored "Window State" of document windows, if any.
    std::optional<int> StoredDocumentState() const { return storage::LoadDocumentState(registry_); }

    // MainComponents
    void SetEnabled(std::wstring_view name, bool enabled) override {
        menuBar_.SetEnabled(name, enabled);
        coolBar_.SetEnabled(name, enabled);
    }
    void SetChecked(std::wstring_view name, bool checked) override { menuBar_.SetChecked(name, checked); }
    void SetPanelText(int panel, std::wstring_view text) override { statusBar_.SetPanelText(panel, text); }
    void SetFormattingEnabled(bool enabled) override;
    void SetWindowMenuEnabled(bool enabled) override;
    void SetWindowToolBarEnabled(bool enabled) override { coolBar_.SetWindowToolBarEnabled(enabled); }
    void CompactStatusBar() override;
    void RestoreStatusBar() override;

    // EditHost
    HWND MainWindow() const override { return frame_; }
    HWND DocumentArea() const override { return client_; }
    const EditorOptions& Options() const override { return options_; }
    CommandStates& States() override { return states_; }
    void EnterRecentFile(const RecentFileEntry& entry) override;
    void SetWordWrapChecked(bool checked) override { SetChecked(L"WordWrapItem", checked); }
    int& LastSaveFilter() override { return lastSaveFilter_; }
    void ShowHint(std::wstring_view hint) override { statusBar_.ShowHint(hint); }
    const std::vector<ContextMenuRow>& ContextMenuRows() const override;
    DocumentKeyHook* KeyHook() override { return macroKeys_.get(); }
    DocumentJournal* Journal() override { return journal_.get(); }
    int WindowNumber(HWND window) const override;
    void RegisterWindow(HWND window) override;
    void UnregisterWindow(HWND window) override;
    void WindowNameChanged(HWND window) override;
    void WindowActivated(HWND window) override;
    void DocumentAgreedToClose(TEditForm& document) override;
    const WindowList& Windows() const { return windows_; }
    CoolBar& Bar() { return coolBar_; }
    // The template list read with the library's directory and the menus built;
    // false when the user chose to end the program.
    bool LoadTemplates();
    void BuildTemplateMenus();
    // A new document from template index (the list to choose from when there is no such entry).
    void LoadTemplate(std::int32_t index);
    CTemplateList& Templates() { return templates_; }
    // Tools > template editor: Stencil.dll edits the list in place (163 when it
    // is missing); then the list is stored and the menus rebuilt.
    void EditTemplateList();
    // View > Font, and the font it applies to every editor (not stored).
    void ChooseEditorFont();
    void ApplyEditorFont(const std::wstring& name, int size);
    // View > toolbars: the item of a band flipped, the band shown exactly when it is checked.
    void ViewToolClick(int band);
    bool ToolbarItemChecked(int band) const;

    // The window procedure's glue (framework/window_glue.h).
    static THtmlScrivoForm* ObjectFromCreate(const CREATESTRUCTW& create);
    void Attach(HWND hwnd) { frame_ = hwnd; }
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT DefaultProc(THtmlScrivoForm* form, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        return DefFrameProcW(hwnd, form ? form->client_ : nullptr, msg, wParam, lParam);
    }

private:
    explicit THtmlScrivoForm(Registry& registry);
    // After the desktop, before the command line: the entries a run that did not
    // end normally left in the journal, restored when the user agrees.
    void RestoreJournal();
    LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam) { return DefFrameProcW(frame_, client_, msg, wParam, lParam); }
    LRESULT OnCreate();
    void OnSize(WPARAM sizeType);
    void OnActivate(WPARAM state);
    // A menu item or key of the frame; false for what is not the frame's.
    bool OnCommand(WPARAM wParam, LPARAM lParam);
    LRESULT OnNotify(const NMHDR& header);
    // The cool bar: made, its layout of the last exit restored, its pictures loaded.
    void CreateCoolBar();
    void LoadToolbarPictures();
    void RunButton(const ToolButtonRow& button);
    void ShowWindowButtons();
    void LayoutChildren();
    void CheckToolbarItem(int band, bool checked);
    void OnMenuSelect(WPARAM wParam, LPARAM lParam);
    LRESULT OnCopyData(const COPYDATASTRUCT* data);
    void OnActivateInstance();
    void OnStartupFiles();
    // The document windows of the last exit reopened, as the desktop stream has them.
    void RestoreDesktop();
    void OnSysCommand(WPARAM command);
    LRESULT OnClose();
    void OnSysColorChange();
    void OnDestroy();
    bool OnCloseQuery();
    void LoadSettings();
    void ApplyOptionChecks();
    void BuildMenu();
    void PlayMinimizeSound(WPARAM sizeType);

    // The command handlers by subsystem.
    void RunShellCommand(int command);
    void RunMacroCommand(int command);
    void RunWindowCommand(int command);
    // The user's macros as stored: sort method, set and flag, then the key lists.
    void LoadMacros();
    // The user's macros stored; 126 on failure.
    void StoreMacros();
    LRESULT OnDelayedStatus(LPARAM text);
    void RunDocumentCommand(const MenuEntry& entry);
    void SwitchOption(bool EditorOptions::*option, std::wstring_view item);
    void SwitchWordWrap();
    void SwitchCoding();
    void SaveAll();
    void Exit();
    void PrintActive();

    HWND frame_ = nullptr;
    HWND client_ = nullptr;
    MenuBar menuBar_;
    CoolBar coolBar_;
    MenuHandle newPopup_{CreatePopupMenu()};
    MenuHandle templatesPopup_{CreatePopupMenu()};
    CTemplateList templates_;
    StatusBar statusBar_;
    FileMenus fileMenus_;
    FileCommands files_{*this};
    PrinterChoice printer_;
    std::unique_ptr<DdeServer> dde_;
    std::unique_ptr<MacroKeyboard> macroKeys_;
    std::unique_ptr<DocumentJournal> journal_;
    bool startMaximized_ = false;  // the placement of the last exit, or none: the frame opens maximized
    WindowList windows_;
    // The desktop stream while the program closes; none when no save is under way.
    std::optional<std::string> desktop_;
    HWND activeAtExit_ = nullptr;
    EditorOptions options_;
    CommandStates states_;
    RecentFiles recent_;
    int lastSaveFilter_ = 0;
    Registry& registry_;
    storage::FileboxDialogState dialogState_;
    bool firstActivation_ = true;
    int rememberedCount_ = 0;
    // The main window's saved placement (stored as "Position" with the registry
    // layout): screen rectangle and state, 0 normal or 2 maximized.
    RECT savedRect_{};
    int savedState_ = 0;
    bool minimized_ = false;
};

}  // namespace quillon
