// The clipboard's plain text, as the editor pastes it.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>

namespace quillon {

inline bool ClipboardHasText() { return IsClipboardFormatAvailable(CF_UNICODETEXT) != 0; }

// The clipboard's text, or empty when it holds none or cannot be opened.
inline std::wstring ClipboardText() {
    std::wstring text;
    if (!ClipboardHasText() || !OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            // Up to the terminating zero, never past the block.
            const size_t limit = GlobalSize(data) / sizeof(wchar_t);
            text.assign(chars, std::find(chars, chars + limit, L'\0'));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

}  // namespace quillon
