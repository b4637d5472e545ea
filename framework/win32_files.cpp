#include "win32_files.h"

#include <memory>

namespace quillon {

namespace {

struct HandleCloser {
    void operator()(HANDLE h) const { if (h && h != INVALID_HANDLE_VALUE) CloseHandle(h); }
};
using FileHandle = std::unique_ptr<void, HandleCloser>;

FileHandle Open(HANDLE h) { return FileHandle(h == INVALID_HANDLE_VALUE ? nullptr : h); }

}  // namespace

std::optional<std::string_view> RcData(HMODULE module, int id) {
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const auto* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (!bytes) return std::nullopt;
    return std::string_view(bytes, SizeofResource(module, found));
}

std::wstring ProgramFolderFile(const wchar_t* name) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring program(path);
    return program.substr(0, program.find_last_of(L'\\') + 1) + name;
}

std::optional<std::string> ReadWholeFile(const std::wstring& path, DWORD* error) {
    auto fail = [&] {
        if (error) *error = GetLastError();
        return std::nullopt;
    };
    FileHandle file = Open(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return fail();
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) return fail();
    if (size.QuadPart > 0x7FFFFFFE) {
        SetLastError(ERROR_FILE_TOO_LARGE);
        return fail();
    }
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD chunk = 0;
        const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 24));
        if (!ReadFile(file.get(), bytes.data() + done, want, &chunk, nullptr)) return fail();
        if (chunk == 0) break;  // the file shrank while we read it
        done += chunk;
    }
    bytes.resize(done);
    if (error) *error = ERROR_SUCCESS;
    return bytes;
}

namespace {

// The name of a temporary file beside path for this process's attempt n.
std::wstring TemporaryName(const std::wstring& path, int n) {
    return path + L".~qln" + std::to_wstring(GetCurrentProcessId() % 10000) + L"_" + std::to_wstring(n);
}

// Whether a name in a folder is one of our temporary names for the file name:
// "<name>.~qln<digits>_<digits>".
bool IsTemporaryOf(std::wstring_view candidate, std::wstring_view name) {
    constexpr std::wstring_view kMark = L".~qln";
    if (candidate.size() <= name.size() + kMark.size() || CompareStringOrdinal(candidate.data(), static_cast<int>(name.size()),
                                                                                name.data(), static_cast<int>(name.size()), TRUE) != CSTR_EQUAL)
        return false;
    std::wstring_view rest = candidate.substr(name.size());
    if (rest.substr(0, kMark.size()) != kMark) return false;
    rest.remove_prefix(kMark.size());
    const size_t bar = rest.find(L'_');
    if (bar == 0 || bar == std::wstring_view::npos || bar + 1 == rest.size()) return false;
    for (size_t k = 0; k < rest.size(); ++k)
        if (k != bar && (rest[k] < L'0' || rest[k] > L'9')) return false;
    return true;
}

}  // namespace

void RemoveLeftoverTemporaries(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
    const std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    WIN32_FIND_DATAW data{};
    HANDLE search = FindFirstFileW((path + L".~qln*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        // A file still open (a save under way) refuses to go, and stays.
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsTemporaryOf(data.cFileName, name))
            DeleteFileW((folder + data.cFileName).c_str());
    } while (FindNextFileW(search, &data));
    FindClose(search);
}

FileResult CopyFileSafely(const std::wstring& from, const std::wstring& to) {
    RemoveLeftoverTemporaries(to);
    std::wstring temp;
    DWORD error = ERROR_SUCCESS;
    for (int n = 0; n < 100; ++n) {
        temp = TemporaryName(to, n);
        if (CopyFileW(from.c_str(), temp.c_str(), TRUE)) {
            error = ERROR_SUCCESS;
            break;
        }
        error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return {false, error};
    }
    if (error != ERROR_SUCCESS) return {false, error};
    // The copy's attributes came along; the temporary file must be writable to flush and replace.
    SetFileAttributesW(temp.c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        FlushFileBuffers(file);
        CloseHandle(file);
    }
    if (!MoveFileExW(temp.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = GetLastError();
        DeleteFileW(temp.c_str());
        return {false, error};
    }
    return {true, ERROR_SUCCESS};
}

FileResult WriteFileSafely(const std::wstring& path, std::string_view bytes) {
    auto failure = [](DWORD code) { return FileResult{false, code}; };
    const DWORD attributes = GetFileAttributesW(path.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return failure(ERROR_ACCESS_DENIED);
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY)) return failure(ERROR_ACCESS_DENIED);

    // What an earlier save of this file left when it was cut short goes first.
    RemoveLeftoverTemporaries(path);
    // The temporary file stands beside the target (same volume, so the final move
    // is a rename) under a name of its own.
    std::wstring temp;
    DWORD error = ERROR_SUCCESS;
    {
        FileHandle file;
        for (int n = 0; n < 100 && !file; ++n) {
            temp = TemporaryName(path, n);
            file = Open(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                    nullptr));
            if (!file && GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) break;
        }
        if (!file) return failure(GetLastError());
        size_t done = 0;
        while (done < bytes.size() && error == ERROR_SUCCESS) {
            DWORD written = 0;
            const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 24));
            if (!WriteFile(file.get(), bytes.data() + done, want, &written, nullptr) || written == 0)
                error = GetLastError() ? GetLastError() : ERROR_WRITE_FAULT;
            done += written;
        }
        if (error == ERROR_SUCCESS && !FlushFileBuffers(file.get())) error = GetLastError();
    }
    if (error == ERROR_SUCCESS && !MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = GetLastError();
    if (error != ERROR_SUCCESS) {
        DeleteFileW(temp.c_str());
        return failure(error);
    }
    if (exists) SetFileAttributesW(path.c_str(), attributes);
    return {true, ERROR_SUCCESS};
}

FileResult LoadFileInto(EditorControl& editor, const std::wstring& path, CodePage page) {
    DWORD error = ERROR_SUCCESS;
    const auto bytes = ReadWholeFile(path, &error);
    if (!bytes) return {false, error};
    editor.LoadBytes(*bytes, page);
    return {true, ERROR_SUCCESS};
}

FileResult SaveFileFrom(const EditorControl& editor, const std::wstring& path, CodePage page) {
    return WriteFileSafely(path, editor.SaveBytes(page));
}

}  // namespace quillon
