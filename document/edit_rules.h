// Rules of the document window that need no window: backup names.
#pragma once

#include <string>
#include <string_view>

#include "file_names.h"
#include "recent_files.h"

namespace quillon {

// The backup copy's name: a "~" right after the last dot of the file's own name
// (index.html -> index.~html, a.b.txt -> a.b.~txt); ".~" appended when the name
// has no dot (Makefile -> Makefile.~). A dot in the folder part does not count.
std::wstring BackupName(std::wstring_view fileName);

// Whether a program (a full path or a bare name) is this editor or its
// launcher: an association that leads there would bring a page back to us.
bool IsOurProgram(std::wstring_view executable);

// Where Show in browser sends a page: the program registered for web addresses,
// else the page's own association when that is not ours, else nowhere (the
// failure message). Empty names mean no such program is registered.
enum class BrowserRoute { WebBrowser, FileAssociation, None };
BrowserRoute ChooseBrowserRoute(std::wstring_view webExecutable, std::wstring_view fileExecutable);

}  // namespace quillon
