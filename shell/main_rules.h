// Rules of the main window that need no window: file-name lists from other
// programs and the state new document windows open in.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

// A list of file names, one a line; CR, LF and CR LF end a line. Empty lines
// name no file and are left out.
std::vector<std::wstring> SplitFileList(std::wstring_view text);

enum class DocumentWindowState { Normal = 0, Minimized = 1, Maximized = 2 };

// The state new windows open in when no document window is open: the stored
// "Window State", maximized when missing or not a state. (With a window open,
// PrepareNewWindow takes the active window's state.)
DocumentWindowState StateForNewWindows(std::optional<int> storedWindowState);

}  // namespace quillon
