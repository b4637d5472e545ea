// TEditForm: a document window in the main window's document area, one text
// document in a rich edit control, bound to a file or untitled.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "change_case.h"
#include "edit_host.h"
#include "document_verbs.h"
#include "filebox_api.h"
#include "printing.h"
#include "rich_edit_control.h"
#include "search_dialogs.h"
#include "text_coding.h"
#include "win32_guards.h"

namespace quillon {

inline constexpr wchar_t kEditFormClass[] = L"TEditForm";

struct JournalEntry;

// How a new document window first appears.
enum class WindowStart { Normal, Maximized };

class TEditForm {
public:
    // Creates the window in the host's document area, maximized when asked
    // (made so at once, the text is laid out only once); null on failure.
    static TEditForm* Create(EditHost& host, WindowStart start = WindowStart::Normal);
    // The document window of a window handle, or null.
    static TEditForm* FromWindow(HWND hwnd);

    HWND Handle() const { return hwnd_; }
    RichEditControl& Editor() { return *editor_; }
    EditHost& Host() { return host_; }

    void NewUntitled(const std::wstring& ext);
    // Loads the file in the coding its bytes show, or in the coding a recent-files
    // entry or a desktop record kept for it; false (window unchanged but for its
    // caption) when it cannot be read. The caller reports it and releases the window.
    bool LoadFile(const std::wstring& name, std::optional<TextCoding> stored = std::nullopt);
    // A new document's text from a template, in the coding the template shows.
    void LoadTemplateText(std::string_view bytes);
    // The text and state of a recovery journal's entry, in place of what the
    // window holds: the document is modified, its name and coding the entry's.
    void RestoreFromJournal(const JournalEntry& entry);
    // Puts the document's entry into the journal now (restored documents, tests).
    void JournalNow();
    void SetFileName(const std::wstring& name);
    void UpdateCaption();
    void Save();
    void SaveAs();
    bool QuerySave();
    void ShowInBrowser();
    // Prints the whole text on the printer of the device context, document title empty.
    void Print(HDC printer);
    // Lays the whole text out page by page on the device context; the number of pages.
    int FormatPages(HDC device, PageOutput output);
    void ApplyFont();
    void ApplySystemColors();
    void ApplyWordSelection();
    void SetWordWrap(bool wrap);
    void SetInsertMode(bool insert);

    // Runs a verb of the main window's commands or of the context menu.
    void Run(DocumentVerb verb);
    // Enables the context menu's items for the editor's state; the menu.
    HMENU PopupMenuPopup();
    void ToggleReadOnly();
    // Go to line (143): the dialog, then the caret at the start of the line.
    void GoToLine();
    // Change case (227) with the dialog's answer; and the change itself.
    void CaseCommand();
    void ChangeCase(CaseMode mode);
    // DOS/Windows coding: reads the text in the other code page and flips the
    // coding; a UTF document has no DOS counterpart and stays as it is.
    void ToggleCoding();
    // UTF-8/Windows coding: the text stays; towards Windows, characters the
    // code page lacks are asked about first.
    void ToggleUtf8();
    void Find();
    void FindNext();
    void Replace();
    bool CanFindNext() const { return searches_ && searches_->CanFindNext(); }
    SearchDialogs& Searches() { return *searches_; }
    void RichEditTextNotFound();
    // Key handlers: true when the key (character) is consumed.
    bool RichEditKeyDown(int key);
    bool FormKeyPress(wchar_t ch);

    // Destroys the window without asking (the caller asked already, or there is nothing to ask).
    void Release();
    // Whether the window may close (asks about unsaved changes).
    bool FormCloseQuery();
    void FormActivate();
    void FormDeactivate();
    void SelectionChange();

    const std::wstring& FileName() const { return FFileName; }
    bool HasFile() const { return FHasFile; }
    bool FileReadOnly() const { return FFileReadOnly; }
    bool TagEditing() const { return FTagEditing; }
    bool Browsable() const { return FBrowsable; }
    bool InsertMode() const { return FInsertMode; }
    bool DosText() const { return coding_ == TextCoding::Dos; }
    TextCoding Coding() const { return coding_; }
    bool IsUntitledName() const;
    // The file held NUL bytes: it stays read-only whatever else asks.
    bool Binary() const { return binary_; }
    // The read-only switch is off: the file is read-only on disk or holds NUL bytes.
    bool FileLocked() const { return FFileReadOnly || binary_; }
    // The last normal bounds (document-area coordinates), recorded before a minimize.
    RECT NormalBounds() const { return {FNormalLeft, FNormalTop, FNormalLeft + FNormalWidth, FNormalTop + FNormalHeight}; }

    // The window procedure's glue (framework/window_glue.h).
    static TEditForm* ObjectFromCreate(const CREATESTRUCTW& create);
    void Attach(HWND hwnd) { hwnd_ = hwnd; }
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT DefaultProc(TEditForm*, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        return DefMDIChildProcW(hwnd, msg, wParam, lParam);
    }

private:
    LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam) { return DefMDIChildProcW(hwnd_, msg, wParam, lParam); }
    LRESULT OnFindMessage(LPARAM request);
    void OnMdiActivate(HWND deactivated, HWND activated);
    LRESULT OnClose();
    void OnSysCommand(WPARAM command);
    void BuildPopupMenu();
    void Cut();
    void Paste();
    void Undo();
    // The document window's part in the editor control's messages (keys, context menu).
    std::optional<LRESULT> EditorMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void OnContextMenu(LPARAM position);
    void OnMenuSelect(WPARAM wParam, LPARAM lParam);
    // Marks a consumed key's character, if it has one waiting, to be dropped.
    bool Consumed();
    void KeysLost();
    // Converts the text to the other coding and flips the flag; the panels follow.
    void ConvertCoding();
    // Deletes a non-empty selection for a Delete or Backspace key (true: done).
    bool DeleteSelection();
    bool Editable() const { return editor_ && !editor_->ReadOnly(); }
    explicit TEditForm(EditHost& host) : host_(host) {}
    void OnCreate();
    void OnDestroy();
    void OnSize();
    void PostApplySize();
    void OnApplySize();
    // The editor takes its window's client size, unless the window is hidden
    // behind a maximized one.
    void ApplySize();
    bool IsActive() const;
    bool HiddenBehindMaximized() const;
    void SetIcon(const std::wstring& name);
    // The text (CR as line break) in the document's coding, into its file.
    bool WriteFile(std::wstring_view text);
    // Before a save: when the single-byte coding cannot hold every character,
    // asks whether to save in UTF-8 (true: the coding is UTF-8 now, or nothing
    // is lost) or to go back to editing (false).
    bool ConfirmCodingHoldsText(std::wstring_view text);
    void SetCoding(TextCoding coding);
    // The journal follows the text: an entry is due a pause after typing stops,
    // and at the latest a while after the first change not yet in it; a
    // document back to its saved text has none.
    void JournalChanged();
    void OnTimer(UINT_PTR timer);
    void JournalRemove();
    void StopJournalTimers();
    // A switch between a single-byte and a UTF coding changes the file, not the
    // text: the document counts as modified until it is saved or switched back.
    bool CodingChanged() const {
        return coding_ != savedCoding_ && (IsUnicode(coding_) || IsUnicode(savedCoding_));
    }
    void RememberSavedText();

    EditHost& host_;
    HWND hwnd_ = nullptr;
    std::unique_ptr<RichEditControl> editor_;
    IconHandle icon_;

    std::wstring FFileName;
    bool FHasFile = false;
    bool FFileReadOnly = false;
    bool FTagEditing = false;
    bool FBrowsable = false;
    bool FInsertMode = true;
    bool FForceSave = false;
    TextCoding coding_ = TextCoding::Windows;
    TextCoding savedCoding_ = TextCoding::Windows;  // the coding the file was last read or written in
    LineBreak lineBreak_ = LineBreak::CrLf;
    bool FPassChars = true;
    bool FSpaceBeforeCaret = false;
    bool closing_ = false;  // agreed to close: no more layout work
    bool sizePending_ = false;  // the editor has not followed the window's last size
    bool applyPosted_ = false;
    // Changes of the text so far, and the count right after the last Replace all.
    long changeCount_ = 0;
    long replaceAllChange_ = -1;
    int caretBeforeReplaceAll_ = 0;
    std::unique_ptr<SearchDialogs> searches_;
    MenuHandle popupMenu_;
    int FNormalLeft = 0, FNormalTop = 0, FNormalWidth = 0, FNormalHeight = 0;
    void RecordNormalBounds();
    // The text as last loaded or saved (its hash), so that undoing back past
    // the undo limit never makes a changed text look saved.
    size_t savedHash_ = 0;
    bool textChanged_ = true;     // since the text was last compared with the saved one
    bool differsFromSaved_ = false;
    bool binary_ = false;
    bool saveDeclined_ = false;  // the last save stopped at the coding question
    int journalId_ = 0;
    bool journalPending_ = false;     // changes not yet in the journal
    bool journalEntry_ = false;       // the journal holds an entry of this document
    unsigned journalCostMs_ = 0;      // what taking the text for the last entry cost this thread
    int journalPostponed_ = 0;        // entries put off while the editor's copy of the text was read again
};

// The save dialog Save As runs; tests put their own answer here. Empty: Filebox's.
std::function<int(FileDialogRequest&)>& SaveDialogRunner();

bool RegisterEditFormClass(HINSTANCE instance);

}  // namespace quillon
