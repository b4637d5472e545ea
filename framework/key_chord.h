// Shortcut keys as the menus write them: "Ctrl+Shift+Z", "F2", "Ctrl+Alt+T".
#pragma once

#include <string_view>

namespace quillon {

struct KeyChord {
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
    int virtualKey = 0;  // 'A'..'Z', '0'..'9', or F1..F12 as 0x70..0x7B
};

// Parses a key text; false for an empty or unknown text.
bool ParseKey(std::wstring_view text, KeyChord& chord);

}  // namespace quillon
