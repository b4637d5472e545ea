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

}  // namespace quillon
