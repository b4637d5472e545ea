// The recovery journal: the text of every document with unsaved changes, kept
// in a folder of the program's own under the user's local application data,
// so that a run that ends without its exit (killed, crashed, power gone) loses
// nothing typed. Entries are written whole on a worker thread, each to a
// temporary file renamed over the old entry; the running instance holds the
// folder's lock file, and a second instance never touches the folder.
#pragma once

#include <windows.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "chunked_text.h"
#include "journal_entry.h"

namespace quillon {

class DocumentJournal {
public:
    // %LOCALAPPDATA%\Quillon\Journal (created), or empty when there is none.
    static std::wstring DefaultFolder();

    explicit DocumentJournal(std::wstring folder);
    // Finishes the queued writes and removals, then lets the folder go.
    ~DocumentJournal();
    DocumentJournal(const DocumentJournal&) = delete;
    DocumentJournal& operator=(const DocumentJournal&) = delete;

    // Takes the folder for this run; false when it cannot be made or another
    // running instance holds it (nothing is read or written then).
    bool Open();
    bool IsOpen() const { return lock_ != INVALID_HANDLE_VALUE; }
    const std::wstring& Folder() const { return folder_; }

    // What an earlier run left: its readable entries, its files (every entry,
    // readable or not, and the temporary file of a write cut short), and how
    // many entries could not be read.
    struct Leftovers {
        std::vector<JournalEntry> entries;
        std::vector<std::wstring> files;
        int damaged = 0;
    };
    Leftovers ReadLeftovers() const;
    static void DeleteFiles(const std::vector<std::wstring>& files);

    // A new document's number for its entry, unique in the run.
    int NewId();
    // Queued for the worker: the entry replaces the document's earlier one; a
    // removal drops it. A write still waiting for the same document is dropped
    // by a later one.
    // The text may come as a snapshot of shared pieces instead, written after the entry's own text.
    void Write(int id, JournalEntry entry, ChunkedText::Snapshot text = {});
    void Remove(int id);
    // Waits until the worker has done everything queued so far.
    void Flush();
    // The file of a document's entry.
    std::wstring EntryPath(int id) const;

private:
    struct Job {
        int id = 0;
        std::optional<JournalEntry> entry;  // none: remove
        ChunkedText::Snapshot text;         // when not empty: the entry's text
    };
    void Queue(Job job);
    void Work();
    void Do(Job& job) const;

    std::wstring folder_;
    std::wstring run_;  // the prefix of this run's entries
    HANDLE lock_ = INVALID_HANDLE_VALUE;
    int nextId_ = 0;
    std::mutex mutex_;
    std::condition_variable wake_, idle_;
    std::deque<Job> jobs_;
    bool busy_ = false;
    bool stopping_ = false;
    std::thread worker_;
};

}  // namespace quillon
