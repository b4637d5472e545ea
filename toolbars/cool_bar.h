// CoolBar: the rebar under the main menu with its five bands, each holding a
// flat toolbar of the buttons in toolbar_model; the pictures from Toolbars.dll;
// the chevron menu of a band dragged too narrow; the band layout as records.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "toolbar_model.h"
#include "win32_guards.h"

namespace quillon {

inline constexpr UINT kFirstButtonId = 30000;     // + the button's row in ToolButtonRows()
inline constexpr UINT kFirstToolbarItemId = 5000;  // View > toolbars, + band ID

struct WindowButtonView {
    std::wstring caption;
    std::wstring hint;  // short|long
    bool enabled = false;
    bool pressed = false;
};

class CoolBar {
public:
    struct Host {
        std::function<void(const ToolButtonRow&)> click;
        // The long hint while a button is highlighted; empty when none is.
        std::function<void(std::wstring_view)> showHint;
        // The drop-down menu of a drop-down button (null: none).
        std::function<HMENU(std::wstring_view name)> dropDownMenu;
    };

    CoolBar() = default;
    ~CoolBar();
    CoolBar(const CoolBar&) = delete;
    CoolBar& operator=(const CoolBar&) = delete;

    // The bar and its toolbars on the window, with the band pictures of the
    // bitmap resource of that name; false when the controls cannot be made.
    bool Create(HWND parent, HINSTANCE resources, const wchar_t* bandPictures, Host host);
    HWND Handle() const { return rebar_; }
    HWND ToolbarWindow(Toolbar toolbar) const { return toolbars_[static_cast<size_t>(toolbar)]; }
    // Fits the bar to the parent's width; its height.
    int Resize();
    int Height() const;

    // The pictures of Toolbars.dll at that full path; false when the library or
    // its export is missing (the buttons stay without pictures).
    bool LoadPictures(const std::wstring& libraryPath);
    // Chevrons and ideal widths of the bands, once the buttons are in place.
    void FinishBands();
    bool HasHotImages(Toolbar toolbar) const { return sets_[static_cast<size_t>(toolbar)].hasHot; }

    // Button states by component name; names of no button are passed over.
    void SetEnabled(std::wstring_view name, bool enabled);
    bool IsEnabled(std::wstring_view name) const;
    bool IsPressed(std::wstring_view name) const;
    void SetFormattingEnabled(bool enabled);
    // Controls 0-9 of the window toolbar enabled, or all disabled and the
    // window buttons released.
    void SetWindowToolBarEnabled(bool enabled);
    void ShowWindowButtons(const std::vector<WindowButtonView>& buttons);
    // The tag of a button (the default template of LoadTemplateBtn).
    void SetTag(std::wstring_view name, int tag);
    int TagOf(std::wstring_view name) const;

    bool BandVisible(Toolbar toolbar) const;
    void SetBandVisible(Toolbar toolbar, bool visible);
    // The layout as (band ID, record) in the bar's order, and one band set from its record.
    std::vector<std::pair<int, BandRecord>> Layout() const;
    void ApplyLayout(const std::array<std::optional<BandRecord>, kToolbarCount>& records);

    // The parent's messages for the bar: WM_NOTIFY, WM_COMMAND, and the chevron
    // menu's WM_MEASUREITEM and WM_DRAWITEM. True when handled.
    bool OnNotify(const NMHDR& header, LRESULT& result);
    bool OnCommand(WPARAM wParam, LPARAM lParam);
    bool OnMeasureItem(MEASUREITEMSTRUCT& item) const;
    bool OnDrawItem(const DRAWITEMSTRUCT& item) const;
    void OnSysColorChange();

    // The chevron menu of a band as it would be shown, for the band's index in the bar.
    std::vector<ChevronItem> ChevronMenuItems(int bandIndex) const;
    // The chevron menu of the band, owned by the caller: its items, their
    // pictures, and the drop-down buttons' menus copied as submenus (each copied
    // item listed as (its id here, the id of the item it copies)).
    HMENU BuildChevronMenu(int bandIndex, std::vector<std::pair<UINT, UINT>>& copied) const;
    // Shows the chevron menu of the band at that screen point and runs the choice.
    void ShowChevronMenu(int bandIndex, POINT at);
    // The band's index in the bar (its place), or -1.
    int BandIndex(Toolbar toolbar) const;

private:
    struct ImageSet {
        HIMAGELIST normal = nullptr, hot = nullptr, disabled = nullptr;
        bool hasHot = false;
        bool noCheckOffset = false;
    };
    struct ButtonRef {
        HWND toolbar = nullptr;
        UINT id = 0;
        const ToolButtonRow* row = nullptr;
    };
    std::optional<ButtonRef> Find(std::wstring_view name) const;
    const ToolButtonRow* RowOfId(UINT id) const;
    std::wstring HintOf(const ToolButtonRow& row) const;
    std::wstring CaptionOf(const ToolButtonRow& row) const;
    void CreateToolbar(Toolbar toolbar, HINSTANCE instance);
    void InsertBand(Toolbar toolbar);
    int ToolbarOfBand(int bandIndex) const;
    void ShowDropDown(const NMTOOLBARW& info);
    HMENU CopyMenu(HMENU source, UINT& nextId, std::vector<std::pair<UINT, UINT>>& copied) const;

    HWND parent_ = nullptr;
    void FitBandToButtons(int index, HWND bar, int buttonsWidth);
    void WatchHint();
    void StopWatchingHint();
    void CheckHint();
    static CoolBar* hintWatcher_;
    UINT_PTR hintTimer_ = 0;
    HWND rebar_ = nullptr;
    Host host_;
    std::array<HWND, kToolbarCount> toolbars_{};
    std::array<ImageSet, kToolbarCount> sets_{};
    HIMAGELIST bandImages_ = nullptr;
    std::vector<WindowButtonView> windowButtons_;
    std::vector<int> tags_;  // per row of ToolButtonRows()
    bool chevronMenuOpen_ = false;
};

}  // namespace quillon
