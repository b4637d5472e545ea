#include "journal.h"

#include <shlobj.h>

#include <algorithm>

#include "win32_files.h"

namespace quillon {

namespace {

constexpr wchar_t kLockName[] = L"journal.lock";
constexpr wchar_t kEntryPattern[] = L"entry-*.qlj";
constexpr wchar_t kTemporaryPattern[] = L"entry-*.tmp";

}  // namespace

std::wstring DocumentJournal::DefaultFolder() {
    wchar_t local[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, local)))
        return {};
    return std::wstring(local) + L"\\Quillon\\Journal";
}

DocumentJournal::DocumentJournal(std::wstring folder) : folder_(std::move(folder)) {
    // Distinct from any earlier run's entries, so that they are never overwritten.
    run_ = L"entry-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(GetTickCount64()) + L"-";
}

DocumentJournal::~DocumentJournal() {
    if (worker_.joinable()) {
        {
            std::lock_guard<std::mutex> hold(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
        worker_.join();
    }
    if (lock_ != INVALID_HANDLE_VALUE) CloseHandle(lock_);
}

bool DocumentJournal::Open() {
    if (IsOpen()) return true;
    if (folder_.empty()) return false;
    SHCreateDirectoryExW(nullptr, folder_.c_str(), nullptr);
    // Held without sharing for the whole run; the system lets it go with the
    // process, however the process ends.
    lock_ = CreateFileW((folder_ + L"\\" + kLockName).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (lock_ == INVALID_HANDLE_VALUE) return false;
    try {
        worker_ = std::thread([this] { Work(); });
    } catch (...) {
        CloseHandle(lock_);
        lock_ = INVALID_HANDLE_VALUE;
        return false;
    }
    return true;
}

DocumentJournal::Leftovers DocumentJournal::ReadLeftovers() const {
    Leftovers found;
    if (!IsOpen()) return found;
    // The entries, and the temporary files of writes the end of that run cut short.
    for (const wchar_t* pattern : {kEntryPattern, kTemporaryPattern}) {
        WIN32_FIND_DATAW data{};
        HANDLE search = FindFirstFileW((folder_ + L"\\" + pattern).c_str(), &data);
        if (search == INVALID_HANDLE_VALUE) continue;
        do {
            const std::wstring name = data.cFileName;
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || name.compare(0, run_.size(), run_) == 0)
                continue;  // this run's own
            const std::wstring path = folder_ + L"\\" + name;
            found.files.push_back(path);
            if (pattern != kEntryPattern) continue;
            const auto bytes = ReadWholeFile(path);
            auto entry = bytes ? DecodeJournalEntry(*bytes) : std::nullopt;
            if (entry) found.entries.push_back(std::move(*entry));
            else ++found.damaged;
        } while (FindNextFileW(search, &data));
        FindClose(search);
    }
    return found;
}

void DocumentJournal::DeleteFiles(const std::vector<std::wstring>& files) {
    for (const std::wstring& file : files) DeleteFileW(file.c_str());
}

int DocumentJournal::NewId() { return ++nextId_; }

std::wstring DocumentJournal::EntryPath(int id) const {
    return folder_ + L"\\" + run_ + std::to_wstring(id) + L".qlj";
}

void DocumentJournal::Write(int id, JournalEntry entry, ChunkedText::Snapshot text) {
    Queue({id, std::move(entry), std::move(text)});
}

void DocumentJournal::Remove(int id) { Queue({id, std::nullopt, {}}); }

void DocumentJournal::Queue(Job job) {
    if (!IsOpen()) return;
    {
        std::lock_guard<std::mutex> hold(mutex_);
        // A waiting job of the same document is out of date.
        for (auto it = jobs_.begin(); it != jobs_.end();)
            it = it->id == job.id ? jobs_.erase(it) : it + 1;
        jobs_.push_back(std::move(job));
    }
    wake_.notify_one();
}

void DocumentJournal::Flush() {
    if (!IsOpen()) return;
    std::unique_lock<std::mutex> hold(mutex_);
    idle_.wait(hold, [this] { return jobs_.empty() && !busy_; });
}

void DocumentJournal::Work() {
    // Below the interface thread: typing comes first.
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
    std::unique_lock<std::mutex> hold(mutex_);
    while (true) {
        wake_.wait(hold, [this] { return stopping_ || !jobs_.empty(); });
        if (jobs_.empty()) break;  // stopping, and nothing left to do
        Job job = std::move(jobs_.front());
        jobs_.pop_front();
        busy_ = true;
        hold.unlock();
        Do(job);
        hold.lock();
        busy_ = false;
        if (jobs_.empty()) idle_.notify_all();
    }
    idle_.notify_all();
}

void DocumentJournal::Do(Job& job) const {
    const std::wstring path = EntryPath(job.id);
    if (!job.entry) {
        DeleteFileW(path.c_str());
        return;
    }
    // Whole or not at all: a temporary file, flushed, then renamed over the entry.
    const std::wstring temp = folder_ + L"\\" + run_ + std::to_wstring(job.id) + L".tmp";
    HANDLE file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    bool ok = true;
    auto put = [&](const std::string& bytes) {
        size_t done = 0;
        while (ok && done < bytes.size()) {
            DWORD written = 0;
            const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 24));
            ok = WriteFile(file, bytes.data() + done, want, &written, nullptr) && written > 0;
            done += written;
        }
    };
    // A text in pieces goes out piece by piece: no copy of the whole of it is made.
    JournalEntryEncoder encoder;
    size_t length = job.entry->text.size();
    for (const auto& piece : job.text) length += piece->size();
    put(encoder.Head(*job.entry, length));
    put(encoder.Piece(job.entry->text));
    for (const auto& piece : job.text) {
        // A breath between pieces: on a machine of few cores typing keeps its pace.
        Sleep(1);
        put(encoder.Piece(*piece));
    }
    job.text.clear();  // the pieces go back to the document
    put(encoder.Tail());
    ok = ok && FlushFileBuffers(file);
    CloseHandle(file);
    if (!ok || !MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        DeleteFileW(temp.c_str());
}

}  // namespace quillon
