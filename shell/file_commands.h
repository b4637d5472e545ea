// Opening files into new document windows, new documents and closing them
// all. Every way a file arrives (command line hand-off, copy-data, drops,
// DDE, File > Open, the recent files) goes through one open path.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "filebox_api.h"
#include "main_rules.h"
#include "journal_entry.h"
#include "text_coding.h"

namespace quillon {

class THtmlScrivoForm;
class TEditForm;
struct DesktopRecord;
enum class WindowStart;

// The state a document window is in: normal, minimized or maximized.
DocumentWindowState StateOf(HWND window);

// The open dialog Open runs; tests put their own answer here (they fill the file
// buffer as the dialog leaves it). Empty: Filebox's OpenFiles.
std::function<int(FileDialogRequest&)>& OpenDialogRunner();

// How a file is opened: word wrap before the text arrives, read-only before
// the load (the file's attribute adds to it) or in place of what the load
// decided, and the caret and coding afterwards.
struct OpenSettings {
    bool wordWrap = true;
    bool readOnlyBeforeLoad = false;
    std::optional<bool> readOnlyAfterLoad;
    int caret = 0;
    std::optional<TextCoding> coding;  // kept by a recent-files entry; none: as the bytes show
};

struct OpenRequest {
    std::wstring name;
    OpenSettings settings;
};

class FileCommands {
public:
    explicit FileCommands(THtmlScrivoForm& frame) : frame_(frame) {}

    // Each name in a new window with its kind's settings; a file open already
    // gets 114, a failing one 113, and the others go on.
    void OpenNamedFiles(const std::vector<std::wstring>& names);
    // A list of names, one a line (copy-data from Assist).
    void OpenFileList(std::wstring_view text);
    void OpenDroppedFiles(HDROP drop);
    // A document of the recovery journal in a new window, modified, as it was.
    void OpenJournalEntry(const JournalEntry& entry);
    // A DDE execute request on the OpenFiles topic: its first line is one file name.
    void OpenFileMacro(std::wstring_view command);
    // File > Open: the open dialog, then every chosen file (read-only as answered).
    void OpenCommand();
    // Reopens recent file k (0-9) with the settings it was closed with.
    void MRUFileItemClick(int k);
    // A new untitled document of the extension.
    TEditForm* NewDocument(const std::wstring& ext);
    // Reports 114 when the file is open already.
    bool IsFileOpen(const std::wstring& name);
    // Asks every window first; one refusal keeps them all.
    void CloseAll();
    // A window of the desktop: its file with the bounds, state, read-only flag,
    // word wrap, caret and coding it had; 113 when the file cannot be read. The window, or null.
    HWND RestoreWindow(const DesktopRecord& record);

    // The kind's settings of a file name (word wrap by extension).
    static OpenSettings SettingsByKind(const std::wstring& name);

private:
    friend class NewWindowGuard;
    void Open(const std::vector<OpenRequest>& requests);
    bool OpenOneFile(const OpenRequest& request);
    WindowStart NewWindowStart() const;
    THtmlScrivoForm& frame_;
    DocumentWindowState newWindowState_ = DocumentWindowState::Maximized;
};

}  // namespace quillon
