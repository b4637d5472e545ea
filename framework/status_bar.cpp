#include "status_bar.h"

#include <commctrl.h>

#include <algorithm>

namespace quillon {

namespace {
// Pauses the bar's painting for a change of several steps and repaints it once.
class BarRedraw {
public:
    explicit BarRedraw(HWND bar) : bar_(bar) { SendMessageW(bar_, WM_SETREDRAW, FALSE, 0); }
    ~BarRedraw() {
        SendMessageW(bar_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(bar_, nullptr, TRUE);
    }
    BarRedraw(const BarRedraw&) = delete;
    BarRedraw& operator=(const BarRedraw&) = delete;

private:
    HWND bar_;
};
}  // namespace

void StatusBar::Create(HWND parent, int id, StatusPanelLayout layout) {
    layout_ = std::move(layout);
    bar_ = CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    SetPanels(layout_.widths);
}

void StatusBar::SetPanels(const std::vector<int>& widths) {
    std::vector<int> edges;
    int right = 0;
    for (const int width : widths) edges.push_back(right += width);
    // The last panel reaches the bar's right end: a message there is not cut
    // short while the bar has room for it.
    if (!edges.empty()) edges.back() = -1;
    SendMessageW(bar_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

void StatusBar::SetPanelText(int panel, std::wstring_view text) {
    if (!bar_) return;
    // A leading tab centres a panel's text; the compact bar's panels are left-aligned.
    const bool centred = !compact_ && panel >= layout_.firstCentred && panel <= layout_.lastCentred && !text.empty();
    const std::wstring shown = (centred ? L"\t" : L"") + std::wstring(text);
    SendMessageW(bar_, SB_SETTEXTW, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(shown.c_str()));
}

std::wstring StatusBar::PanelText(int panel) const {
    const auto length = LOWORD(SendMessageW(bar_, SB_GETTEXTLENGTHW, static_cast<WPARAM>(panel), 0));
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(bar_, SB_GETTEXTW, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    if (!text.empty() && text.front() == L'\t') text.erase(0, 1);
    return text;
}

int StatusBar::PanelCount() const { return static_cast<int>(SendMessageW(bar_, SB_GETPARTS, 0, 0)); }

void StatusBar::ShowHint(std::wstring_view hint) {
    if (!bar_) return;
    hint_ = hint;
    SendMessageW(bar_, SB_SIMPLE, hint_.empty() ? FALSE : TRUE, 0);
    if (!hint_.empty()) SendMessageW(bar_, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(hint_.c_str()));
}

bool StatusBar::Compact(int parentWidth, int reservedWidth) {
    if (compact_ || !bar_) return false;
    compact_ = true;
    BarRedraw redraw(bar_);
    // The second panel's edge -1: it reaches the bar's right end, the key text fits.
    int edges[2] = {std::max(parentWidth - reservedWidth, 0), -1};
    SendMessageW(bar_, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
    for (int panel = 0; panel < 2; ++panel) SetPanelText(panel, L"");
    return true;
}

bool StatusBar::Restore() {
    if (!compact_ || !bar_) return false;
    compact_ = false;
    BarRedraw redraw(bar_);
    SetPanels(layout_.widths);
    for (int panel = 0; panel < static_cast<int>(layout_.widths.size()); ++panel) SetPanelText(panel, L"");
    return true;
}

int StatusBar::Resize(bool parentMaximized) {
    if (!bar_) return 0;
    const LONG_PTR style = GetWindowLongPtrW(bar_, GWL_STYLE);
    const LONG_PTR wanted = parentMaximized ? style & ~SBARS_SIZEGRIP : style | SBARS_SIZEGRIP;
    if (wanted != style) {
        SetWindowLongPtrW(bar_, GWL_STYLE, wanted);
        InvalidateRect(bar_, nullptr, TRUE);
    }
    SendMessageW(bar_, WM_SIZE, 0, 0);
    RECT bounds{};
    GetWindowRect(bar_, &bounds);
    return bounds.bottom - bounds.top;
}

}  // namespace quillon
