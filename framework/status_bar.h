// The main window's status bar: panels of fixed widths, some with centred
// texts; a single-text mode for long hints; and a compact form of two
// left-aligned panels.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace quillon {

struct StatusPanelLayout {
    std::vector<int> widths;
    int firstCentred = 0;  // panels firstCentred..lastCentred show their texts centred
    int lastCentred = -1;
};

class StatusBar {
public:
    void Create(HWND parent, int id, StatusPanelLayout layout);
    HWND Handle() const { return bar_; }

    void SetPanelText(int panel, std::wstring_view text);
    std::wstring PanelText(int panel) const;
    int PanelCount() const;

    // The single-text mode while a hint is shown; an empty hint brings the panels back.
    void ShowHint(std::wstring_view hint);
    // Wine's status bar does not hand its single text back; it is kept here as shown.
    const std::wstring& HintShown() const { return hint_; }

    // Two left-aligned panels with empty texts, the first filling all but the
    // given width, the second the rest; false when the bar was compact already.
    bool Compact(int parentWidth, int reservedWidth);
    // The panels of the layout with empty texts; false when it was not compact.
    bool Restore();
    bool IsCompact() const { return compact_; }

    // Follows the parent's size; the bar's height. A maximized parent cannot be
    // sized by the grip, which then is not drawn (Wine drew it mid-bar).
    int Resize(bool parentMaximized);

private:
    void SetPanels(const std::vector<int>& widths);
    HWND bar_ = nullptr;
    StatusPanelLayout layout_;
    std::wstring hint_;
    bool compact_ = false;
};

}  // namespace quillon
