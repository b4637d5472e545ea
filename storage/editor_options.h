// The options the editor keeps between runs, as the program holds them.
#pragma once

#include <string>

namespace quillon {

struct EditorOptions {
    bool FullNames = false;
    bool HtmlExt = true;
    bool Autoindent = true;
    bool SmartTab = true;
    bool WordSelect = false;
    bool BackupCopies = true;
    std::wstring FontName;  // empty: the editors keep the form's font
    int FontSize = 0;
};

}  // namespace quillon
