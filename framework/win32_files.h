// Whole files in and out of the editor control. A save never damages the file on
// disk: the new content is written beside it and replaces the old file only once
// it is completely written.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "editor_control.h"

namespace quillon {

struct FileResult {
    bool ok = false;
    DWORD error = ERROR_SUCCESS;  // the system's error code when not ok
};

// The whole file; nullopt with the error code set when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::wstring& path, DWORD* error = nullptr);

// The bytes of a module's RCDATA resource, valid while the module is loaded;
// nothing when it has no such resource.
std::optional<std::string_view> RcData(HMODULE module, int id);

// The full path of a file beside the running program: the program's optional
// libraries are loaded from there, never from the current folder.
std::wstring ProgramFolderFile(const wchar_t* name);

// Writes bytes to path by way of a temporary file in the same folder; the old
// file's attributes are kept. On failure the old file is as it was. A file with
// the read-only attribute is not replaced (ERROR_ACCESS_DENIED).
FileResult WriteFileSafely(const std::wstring& path, std::string_view bytes);
// Copies a file the same way: a temporary copy beside the target, renamed over
// it, so that the target is the old file or the new one, never a part.
FileResult CopyFileSafely(const std::wstring& from, const std::wstring& to);
// Deletes the temporary files ("<name>.~qln<n>_<n>") that saves of this very
// file cut short left beside it; nothing else, and nothing still open.
void RemoveLeftoverTemporaries(const std::wstring& path);

// Loads the file as plain text in the code page (any line ends); the editor is
// untouched when the file cannot be read.
FileResult LoadFileInto(EditorControl& editor, const std::wstring& path, CodePage page);
// Saves the text with CR LF line ends in the code page, through WriteFileSafely.
FileResult SaveFileFrom(const EditorControl& editor, const std::wstring& path, CodePage page);

}  // namespace quillon
