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

FileResult WriteFileSafely(const std::wstring& path, std::string_view bytes) {
    auto failure = [](DWORD code) { return FileResult{false, code}; };
    const DWORD attributes = GetFileAttributesW(path.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return failure(ERROR_ACCESS_DENIED);
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY)) return failure(ERROR_ACCESS_DENIED);

    // The temporary file stands beside the target (same volume, so the final move
    // is a rename) under a name of its own.
    std::wstring temp;
    DWORD error = ERROR_SUCCESS;
    {
        FileHandle file;
        for (int n = 0; n < 100 && !file; ++n) {
            temp = path + L".~qln" + std::to_wstring(GetCurrentProcessId() % 10000) + L"_" + std::to_wstring(n);
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
