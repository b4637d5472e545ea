// The Filebox library's exports and records, as its callers see them.
//
// The records are packed in their fixed field order; pointer fields are
// pointer-sized. Strings are narrow, in the system code page.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <cstddef>
#include <cstdint>

#ifdef FILEBOX_BUILDING
#define FILEBOX_API extern "C" __declspec(dllexport)
#else
#define FILEBOX_API extern "C" __declspec(dllimport)
#endif

#pragma pack(push, 1)

struct FileDialogRequest;

// Called just before the dialog shows, to adjust its set-up; the result is ignored.
using FileDialogCustomize = void(__stdcall*)(FileDialogRequest* request, OPENFILENAMEA* setup);

struct FileDialogRequest {
    HWND owner;
    char* fileBuffer;       // chosen name(s); for the save dialog the proposed name on entry
    std::int32_t bufferSize;  // of fileBuffer, in bytes
    std::int32_t filterIndex; // 1-based; written back after a successful dialog
    char* folder;           // initial folder ("" for the dialog's own); receives the chosen folder (260 bytes)
    const char* title;      // null: the library's default title
    std::uint8_t readOnly;  // open dialog: 1 when the read-only box was ticked
    FileDialogCustomize customize;  // follows readOnly directly, unaligned
};

struct FileParams {
    const char* fileName;
    std::uint8_t tagCommands;
    std::uint8_t browsable;
};

#pragma pack(pop)

static_assert(offsetof(FileDialogRequest, owner) == 0);
static_assert(offsetof(FileDialogRequest, fileBuffer) == sizeof(void*));
static_assert(offsetof(FileDialogRequest, bufferSize) == 2 * sizeof(void*));
static_assert(offsetof(FileDialogRequest, filterIndex) == 2 * sizeof(void*) + 4);
static_assert(offsetof(FileDialogRequest, folder) == 2 * sizeof(void*) + 8);
static_assert(offsetof(FileDialogRequest, title) == 3 * sizeof(void*) + 8);
static_assert(offsetof(FileDialogRequest, readOnly) == 4 * sizeof(void*) + 8);
static_assert(offsetof(FileDialogRequest, customize) == 4 * sizeof(void*) + 9);
static_assert(sizeof(FileDialogRequest) == 5 * sizeof(void*) + 9);
static_assert(offsetof(FileParams, tagCommands) == sizeof(void*));
static_assert(offsetof(FileParams, browsable) == sizeof(void*) + 1);
static_assert(sizeof(FileParams) == sizeof(void*) + 2);

// Size of the folder buffer every caller gives, in bytes.
inline constexpr int kFileboxFolderSize = 260;

FILEBOX_API int __stdcall OpenFiles(FileDialogRequest* request);
FILEBOX_API void __stdcall GetOpenFilesList(FileDialogRequest* request);
FILEBOX_API int __stdcall SaveFiles(FileDialogRequest* request);
FILEBOX_API int __stdcall GetDefaultFilter(const char* fileName);
FILEBOX_API std::uint8_t __stdcall GetFileParams(FileParams* params);
FILEBOX_API std::uint8_t __stdcall GetDefWordWrap(const char* fileName);
FILEBOX_API int __stdcall GetNewFileIDs(char* buffer, int bufferSize);

// The exports' types, for callers that look them up by ordinal or name.
using OpenFilesFn = int(__stdcall*)(FileDialogRequest*);
using GetOpenFilesListFn = void(__stdcall*)(FileDialogRequest*);
using SaveFilesFn = int(__stdcall*)(FileDialogRequest*);
using GetDefaultFilterFn = int(__stdcall*)(const char*);
using GetFileParamsFn = std::uint8_t(__stdcall*)(FileParams*);
using GetDefWordWrapFn = std::uint8_t(__stdcall*)(const char*);
using GetNewFileIDsFn = int(__stdcall*)(char*, int);
