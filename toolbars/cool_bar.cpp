#include "cool_bar.h"

#include <algorithm>
#include <iterator>

#include "win32_startup_trace.h"

#include <cstddef>

#include "toolbar_images_api.h"

namespace quillon {

namespace {

constexpr int kButtonSize = 23;
constexpr int kSeparatorWidth = 8;
constexpr COLORREF kTransparent = RGB(255, 0, 255);
constexpr int kWindowCommandControls = 10;  // the window toolbar's controls before the window buttons

// The band structure up to its ideal width: understood by every version of the control.
constexpr UINT kBandInfoSize = offsetof(REBARBANDINFOW, cxHeader) + sizeof(UINT);

size_t RowIndex(const ToolButtonRow& row) { return static_cast<size_t>(&row - ToolButtonRows().data()); }
UINT IdOf(const ToolButtonRow& row) { return kFirstButtonId + static_cast<UINT>(RowIndex(row)); }

BYTE StyleOf(ButtonStyle style) {
    switch (style) {
    case ButtonStyle::DropDown: return BTNS_DROPDOWN;
    case ButtonStyle::Separator: return BTNS_SEP;
    case ButtonStyle::Check: return BTNS_CHECKGROUP;
    default: return BTNS_BUTTON;
    }
}

// A masked list of 16 x 16 pictures cut from the bitmap; the bitmap is deleted.
void FillList(HIMAGELIST list, HBITMAP bitmap) {
    ImageList_RemoveAll(list);
    if (!bitmap) return;
    ImageList_AddMasked(list, bitmap, kTransparent);
    DeleteObject(bitmap);
}

HIMAGELIST NewList() { return ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 17, 4); }

}  // namespace

CoolBar* CoolBar::hintWatcher_ = nullptr;

CoolBar::~CoolBar() {
    StopWatchingHint();
    for (auto& set : sets_)
        for (HIMAGELIST list : {set.normal, set.hot, set.disabled})
            if (list) ImageList_Destroy(list);
    if (bandImages_) ImageList_Destroy(bandImages_);
}

bool CoolBar::Create(HWND parent, HINSTANCE resources, const wchar_t* bandPictures, Host host) {
    parent_ = parent;
    host_ = std::move(host);
    for (const auto& row : ToolButtonRows()) tags_.push_back(row.tag);
    rebar_ = CreateWindowExW(WS_EX_TOOLWINDOW, REBARCLASSNAMEW, nullptr,
                             WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | RBS_VARHEIGHT |
                                 RBS_BANDBORDERS | RBS_DBLCLKTOGGLE | CCS_NODIVIDER | CCS_TOP,
                             0, 0, 0, 0, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!rebar_) return false;
    SendMessageW(rebar_, RB_SETBKCOLOR, 0, static_cast<LPARAM>(GetSysColor(COLOR_BTNFACE)));
    bandImages_ = NewList();
    FillList(bandImages_, static_cast<HBITMAP>(LoadImageW(resources, bandPictures, IMAGE_BITMAP, 0, 0, 0)));
    REBARINFO bar{sizeof bar, RBIM_IMAGELIST, bandImages_};
    SendMessageW(rebar_, RB_SETBARINFO, 0, reinterpret_cast<LPARAM>(&bar));
    for (int i = 0; i < kToolbarCount; ++i) {
        sets_[static_cast<size_t>(i)] = {NewList(), NewList(), NewList(), false, i == static_cast<int>(Toolbar::Window)};
        CreateToolbar(static_cast<Toolbar>(i), GetModuleHandleW(nullptr));
        if (!toolbars_[static_cast<size_t>(i)]) return false;
        InsertBand(static_cast<Toolbar>(i));
    }
    return true;
}

void CoolBar::CreateToolbar(Toolbar toolbar, HINSTANCE instance) {
    const auto index = static_cast<size_t>(toolbar);
    HWND bar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                               WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS |
                                   TBSTYLE_TRANSPARENT | CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN,
                               0, 0, 0, 0, rebar_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(index)), instance,
                               nullptr);
    toolbars_[index] = bar;
    if (!bar) return;
    SendMessageW(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(bar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS | TBSTYLE_EX_HIDECLIPPEDBUTTONS);
    SendMessageW(bar, TB_SETBITMAPSIZE, 0, MAKELPARAM(16, 16));
    SendMessageW(bar, TB_SETBUTTONSIZE, 0, MAKELPARAM(kButtonSize, kButtonSize));
    const ImageSet& set = sets_[index];
    SendMessageW(bar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(set.normal));
    SendMessageW(bar, TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(set.hot));
    SendMessageW(bar, TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(set.disabled));
    std::vector<TBBUTTON> buttons;
    for (const ToolButtonRow* row : ButtonsOf(toolbar)) {
        TBBUTTON button{};
        const bool separator = row->style == ButtonStyle::Separator;
        button.iBitmap = separator ? kSeparatorWidth : row->picture;
        button.idCommand = separator ? 0 : static_cast<int>(IdOf(*row));
        button.fsState = static_cast<BYTE>(((row->flags & kStartsEnabled) ? TBSTATE_ENABLED : 0) |
                                           ((row->flags & kStartsHidden) ? TBSTATE_HIDDEN : 0));
        button.fsStyle = StyleOf(row->style);
        button.dwData = RowIndex(*row);
        button.iString = -1;
        buttons.push_back(button);
    }
    SendMessageW(bar, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    SendMessageW(bar, TB_AUTOSIZE, 0, 0);
}

void CoolBar::InsertBand(Toolbar toolbar) {
    const BandRow& row = BandRows()[static_cast<size_t>(toolbar)];
    REBARBANDINFOW band{};
    band.cbSize = kBandInfoSize;
    band.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_TEXT | RBBIM_IMAGE | RBBIM_ID;
    band.fStyle = RBBS_CHILDEDGE | RBBS_GRIPPERALWAYS | (row.newRow ? RBBS_BREAK : 0);
    std::wstring text(row.text);
    band.lpText = text.data();
    band.iImage = row.picture;
    band.hwndChild = toolbars_[static_cast<size_t>(toolbar)];
    band.cxMinChild = 0;
    band.cyMinChild = row.minHeight;
    band.cx = row.width;
    band.wID = static_cast<UINT>(toolbar);
    SendMessageW(rebar_, RB_INSERTBANDW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
}

void CoolBar::FinishBands() {
    for (int i = 0; i < kToolbarCount; ++i) {
        HWND bar = toolbars_[static_cast<size_t>(i)];
        const int count = static_cast<int>(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0));
        RECT last{};
        SendMessageW(bar, TB_GETITEMRECT, count - 1, reinterpret_cast<LPARAM>(&last));
        REBARBANDINFOW band{};
        band.cbSize = kBandInfoSize;
        band.fMask = RBBIM_STYLE;
        const int index = static_cast<int>(SendMessageW(rebar_, RB_IDTOINDEX, i, 0));
        SendMessageW(rebar_, RB_GETBANDINFOW, index, reinterpret_cast<LPARAM>(&band));
        band.fMask = RBBIM_STYLE | RBBIM_IDEALSIZE;
        band.fStyle |= RBBS_USECHEVRON;
        band.cxIdeal = static_cast<UINT>(last.right);
        SendMessageW(rebar_, RB_SETBANDINFOW, index, reinterpret_cast<LPARAM>(&band));
        FitBandToButtons(index, bar, last.right);
    }
}

// A band starts at least as wide as its buttons need: the form's widths were
// made for narrower captions, and a band a few pixels short shows a chevron
// beside room to spare. What the band keeps beside its child (gripper,
// caption, edges) is measured, not assumed.
void CoolBar::FitBandToButtons(int index, HWND bar, int buttonsWidth) {
    REBARBANDINFOW band{};
    band.cbSize = kBandInfoSize;
    band.fMask = RBBIM_SIZE | RBBIM_HEADERSIZE;
    SendMessageW(rebar_, RB_GETBANDINFOW, index, reinterpret_cast<LPARAM>(&band));
    RECT child{};
    GetClientRect(bar, &child);
    if (child.right <= 0 || child.right >= buttonsWidth) return;
    const int besideChild = static_cast<int>(band.cx) - child.right;
    if (besideChild < 0) return;
    band.fMask = RBBIM_SIZE;
    band.cx = static_cast<UINT>(besideChild + buttonsWidth);
    SendMessageW(rebar_, RB_SETBANDINFOW, index, reinterpret_cast<LPARAM>(&band));
}

bool CoolBar::LoadPictures(const std::wstring& libraryPath) {
    Library library(libraryPath.c_str());
    const auto images = library.Find<GetToolbarImagesFn>(kGetToolbarImagesExport);
    if (!images) return false;
    StartupMark("pictures: library");
    static const char* const kMarks[] = {"pictures: toolbar 1", "pictures: toolbar 2", "pictures: toolbar 3",
                                         "pictures: toolbar 4", "pictures: toolbar 5"};
    static_assert(std::size(kMarks) == kToolbarCount, "a mark for each toolbar");
    for (int i = 0; i < kToolbarCount; ++i) {
        HBITMAP normal = nullptr, hot = nullptr, disabled = nullptr;
        images(kToolbarImagesVersion, i, &normal, &hot, &disabled);
        ImageSet& set = sets_[static_cast<size_t>(i)];
        HWND bar = toolbars_[static_cast<size_t>(i)];
        FillList(set.normal, normal);
        set.hasHot = hot != nullptr;
        FillList(set.hot, hot);
        SendMessageW(bar, TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(set.hasHot ? set.hot : nullptr));
        FillList(set.disabled, disabled);
        InvalidateRect(bar, nullptr, TRUE);
        StartupMark(kMarks[i]);
    }
    return true;
}

int CoolBar::Resize() {
    if (!rebar_) return 0;
    RECT client{};
    GetClientRect(parent_, &client);
    SetWindowPos(rebar_, nullptr, 0, 0, client.right, Height(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    return Height();
}

int CoolBar::Height() const {
    if (!rebar_ || !IsWindowVisible(rebar_)) return 0;
    RECT bar{};
    GetWindowRect(rebar_, &bar);
    return bar.bottom - bar.top;
}

std::optional<CoolBar::ButtonRef> CoolBar::Find(std::wstring_view name) const {
    const ToolButtonRow* row = FindButton(name);
    if (!row || !rebar_) return std::nullopt;
    return ButtonRef{toolbars_[static_cast<size_t>(row->toolbar)], IdOf(*row), row};
}

const ToolButtonRow* CoolBar::RowOfId(UINT id) const {
    if (id < kFirstButtonId || id >= kFirstButtonId + ToolButtonRows().size()) return nullptr;
    return &ToolButtonRows()[id - kFirstButtonId];
}

void CoolBar::SetEnabled(std::wstring_view name, bool enabled) {
    if (auto button = Find(name)) SendMessageW(button->toolbar, TB_ENABLEBUTTON, button->id, MAKELPARAM(enabled, 0));
}

bool CoolBar::IsEnabled(std::wstring_view name) const {
    auto button = Find(name);
    return button && SendMessageW(button->toolbar, TB_ISBUTTONENABLED, button->id, 0) != 0;
}

bool CoolBar::IsPressed(std::wstring_view name) const {
    auto button = Find(name);
    return button && SendMessageW(button->toolbar, TB_ISBUTTONCHECKED, button->id, 0) != 0;
}

void CoolBar::SetFormattingEnabled(bool enabled) {
    for (const ToolButtonRow* row : ButtonsOf(Toolbar::Format))
        if (row->style != ButtonStyle::Separator) SetEnabled(row->name, enabled);
}

void CoolBar::SetWindowToolBarEnabled(bool enabled) {
    const auto rows = ButtonsOf(Toolbar::Window);
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i]->style == ButtonStyle::Separator) continue;
        if (i < kWindowCommandControls) {
            SetEnabled(rows[i]->name, enabled);
        } else if (!enabled) {
            SetEnabled(rows[i]->name, false);
            if (auto button = Find(rows[i]->name))
                SendMessageW(button->toolbar, TB_CHECKBUTTON, button->id, MAKELPARAM(FALSE, 0));
        }
    }
}

void CoolBar::ShowWindowButtons(const std::vector<WindowButtonView>& buttons) {
    windowButtons_ = buttons;
    for (size_t i = 0; i < buttons.size(); ++i) {
        const std::wstring name = L"Window" + std::to_wstring(i + 1) + L"Btn";
        auto button = Find(name);
        if (!button) continue;
        SendMessageW(button->toolbar, TB_ENABLEBUTTON, button->id, MAKELPARAM(buttons[i].enabled, 0));
        SendMessageW(button->toolbar, TB_CHECKBUTTON, button->id, MAKELPARAM(buttons[i].pressed, 0));
    }
}

void CoolBar::SetTag(std::wstring_view name, int tag) {
    if (const ToolButtonRow* row = FindButton(name)) tags_[RowIndex(*row)] = tag;
}

int CoolBar::TagOf(std::wstring_view name) const {
    const ToolButtonRow* row = FindButton(name);
    return row ? tags_[RowIndex(*row)] : 0;
}

std::wstring CoolBar::HintOf(const ToolButtonRow& row) const {
    if (row.action == ButtonAction::Window) {
        const auto number = static_cast<size_t>(row.tag);
        return number < windowButtons_.size() ? windowButtons_[number].hint : std::wstring();
    }
    return std::wstring(row.hint);
}

std::wstring CoolBar::CaptionOf(const ToolButtonRow& row) const {
    if (row.action == ButtonAction::Window) {
        const auto number = static_cast<size_t>(row.tag);
        return number < windowButtons_.size() ? windowButtons_[number].caption : std::wstring();
    }
    return std::wstring(ShortHint(row.hint));
}

int CoolBar::ToolbarOfBand(int bandIndex) const {
    REBARBANDINFOW band{};
    band.cbSize = kBandInfoSize;
    band.fMask = RBBIM_ID;
    if (!SendMessageW(rebar_, RB_GETBANDINFOW, bandIndex, reinterpret_cast<LPARAM>(&band))) return -1;
    return band.wID < kToolbarCount ? static_cast<int>(band.wID) : -1;
}

bool CoolBar::BandVisible(Toolbar toolbar) const {
    REBARBANDINFOW band{};
    band.cbSize = kBandInfoSize;
    band.fMask = RBBIM_STYLE;
    const auto index = SendMessageW(rebar_, RB_IDTOINDEX, static_cast<WPARAM>(toolbar), 0);
    SendMessageW(rebar_, RB_GETBANDINFOW, index, reinterpret_cast<LPARAM>(&band));
    return !(band.fStyle & RBBS_HIDDEN);
}

void CoolBar::SetBandVisible(Toolbar toolbar, bool visible) {
    const auto index = SendMessageW(rebar_, RB_IDTOINDEX, static_cast<WPARAM>(toolbar), 0);
    SendMessageW(rebar_, RB_SHOWBAND, index, visible);
}

std::vector<std::pair<int, BandRecord>> CoolBar::Layout() const {
    std::vector<std::pair<int, BandRecord>> layout;
    const int count = static_cast<int>(SendMessageW(rebar_, RB_GETBANDCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        REBARBANDINFOW band{};
        band.cbSize = kBandInfoSize;
        band.fMask = RBBIM_ID | RBBIM_STYLE | RBBIM_SIZE;
        SendMessageW(rebar_, RB_GETBANDINFOW, i, reinterpret_cast<LPARAM>(&band));
        layout.emplace_back(static_cast<int>(band.wID),
                            BandRecord{i, static_cast<std::int32_t>(band.cx), (band.fStyle & RBBS_BREAK) != 0,
                                       !(band.fStyle & RBBS_HIDDEN)});
    }
    return layout;
}

void CoolBar::ApplyLayout(const std::array<std::optional<BandRecord>, kToolbarCount>& records) {
    // Positions first, lowest first, so that each move leaves the earlier ones in place.
    for (int position = 0; position < kToolbarCount; ++position)
        for (int id = 0; id < kToolbarCount; ++id) {
            const auto& record = records[static_cast<size_t>(id)];
            if (!record || record->position != position) continue;
            const auto from = SendMessageW(rebar_, RB_IDTOINDEX, id, 0);
            if (from >= 0 && from != position) SendMessageW(rebar_, RB_MOVEBAND, from, position);
        }
    for (int id = 0; id < kToolbarCount; ++id) {
        const auto& record = records[static_cast<size_t>(id)];
        if (!record) continue;
        const auto index = SendMessageW(rebar_, RB_IDTOINDEX, id, 0);
        REBARBANDINFOW band{};
        band.cbSize = kBandInfoSize;
        band.fMask = RBBIM_STYLE;
        SendMessageW(rebar_, RB_GETBANDINFOW, index, reinterpret_cast<LPARAM>(&band));
        band.fMask = RBBIM_STYLE | RBBIM_SIZE;
        band.fStyle = (band.fStyle & ~static_cast<UINT>(RBBS_BREAK | RBBS_HIDDEN)) |
                      (record->newRow ? RBBS_BREAK : 0) | (record->visible ? 0 : RBBS_HIDDEN);
        band.cx = static_cast<UINT>(record->width);
        SendMessageW(rebar_, RB_SETBANDINFOW, index, reinterpret_cast<LPARAM>(&band));
    }
}

bool CoolBar::OnCommand(WPARAM wParam, LPARAM lParam) {
    const ToolButtonRow* row = RowOfId(LOWORD(wParam));
    if (!row || !lParam) return false;
    ToolButtonRow clicked = *row;
    clicked.tag = tags_[RowIndex(*row)];
    if (host_.click) host_.click(clicked);
    return true;
}

void CoolBar::ShowDropDown(const NMTOOLBARW& info) {
    const ToolButtonRow* row = RowOfId(static_cast<UINT>(info.iItem));
    HMENU menu = row && host_.dropDownMenu ? host_.dropDownMenu(row->name) : nullptr;
    if (!menu) return;
    RECT button = info.rcButton;
    MapWindowPoints(info.hdr.hwndFrom, nullptr, reinterpret_cast<POINT*>(&button), 2);
    // The button's tool tip would otherwise stay over its menu.
    if (HWND tips = reinterpret_cast<HWND>(SendMessageW(info.hdr.hwndFrom, TB_GETTOOLTIPS, 0, 0)))
        SendMessageW(tips, TTM_POP, 0, 0);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, button.left, button.bottom, 0, parent_,
                   nullptr);
}

bool CoolBar::OnNotify(const NMHDR& header, LRESULT& result) {
    if (!rebar_) return false;
    if (header.hwndFrom == rebar_) {
        if (header.code == RBN_CHEVRONPUSHED) {
            const auto& chevron = reinterpret_cast<const NMREBARCHEVRON&>(header);
            POINT at{chevron.rc.left, chevron.rc.bottom};
            ClientToScreen(rebar_, &at);
            ShowChevronMenu(static_cast<int>(chevron.uBand), at);
            result = 0;
            return true;
        }
        return false;
    }
    if (header.code == TTN_GETDISPINFOW) {
        auto& tip = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header));
        const ToolButtonRow* row = RowOfId(static_cast<UINT>(header.idFrom));
        if (!row) return false;
        static std::wstring text;
        text = std::wstring(ShortHint(HintOf(*row)));
        tip.lpszText = text.data();
        result = 0;
        return true;
    }
    bool ours = false;
    for (HWND bar : toolbars_) ours = ours || header.hwndFrom == bar;
    if (!ours) return false;
    switch (header.code) {
    case TBN_DROPDOWN:
        ShowDropDown(reinterpret_cast<const NMTOOLBARW&>(header));
        result = TBDDRET_DEFAULT;
        return true;
    case TBN_HOTITEMCHANGE: {
        const auto& hot = reinterpret_cast<const NMTBHOTITEM&>(header);
        const ToolButtonRow* row = (hot.dwFlags & HICF_LEAVING) ? nullptr : RowOfId(static_cast<UINT>(hot.idNew));
        if (host_.showHint) host_.showHint(row ? std::wstring(LongHint(HintOf(*row))) : std::wstring());
        if (row) WatchHint();
        else StopWatchingHint();
        result = 0;
        return true;
    }
    default: return false;
    }
}

// A toolbar does not always say that the mouse has left it (Wine's does not),
// and the button's hint would then stay in the status bar with the panels
// hidden. While a button's hint shows, a timer looks where the mouse is; once
// it is over no toolbar, the panels come back. An open menu shows its own
// hints and ends the watch.
void CoolBar::WatchHint() {
    if (hintWatcher_ && hintWatcher_ != this) hintWatcher_->StopWatchingHint();
    hintWatcher_ = this;
    hintTimer_ = SetTimer(nullptr, hintTimer_, 200, [](HWND, UINT, UINT_PTR, DWORD) {
        if (hintWatcher_) hintWatcher_->CheckHint();
    });
}

void CoolBar::StopWatchingHint() {
    if (hintTimer_) KillTimer(nullptr, hintTimer_);
    hintTimer_ = 0;
    if (hintWatcher_ == this) hintWatcher_ = nullptr;
}

void CoolBar::CheckHint() {
    GUITHREADINFO gui{sizeof gui};
    if (GetGUIThreadInfo(0, &gui) && (gui.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE))) return StopWatchingHint();
    POINT cursor{};
    GetCursorPos(&cursor);
    HWND under = WindowFromPoint(cursor);
    for (HWND bar : toolbars_)
        if (under == bar) return;
    StopWatchingHint();
    if (host_.showHint) host_.showHint(std::wstring());
}

std::vector<ChevronItem> CoolBar::ChevronMenuItems(int bandIndex) const {
    const int toolbar = ToolbarOfBand(bandIndex);
    if (toolbar < 0) return {};
    HWND bar = toolbars_[static_cast<size_t>(toolbar)];
    // What shows of the buttons: the toolbar's window inside its band. The
    // band also holds its caption and the chevron, which cover no button.
    RECT bandRect{}, shown{};
    SendMessageW(rebar_, RB_GETRECT, bandIndex, reinterpret_cast<LPARAM>(&bandRect));
    MapWindowPoints(rebar_, nullptr, reinterpret_cast<POINT*>(&bandRect), 2);
    GetWindowRect(bar, &shown);
    IntersectRect(&bandRect, &bandRect, &shown);
    std::vector<Box> boxes;
    std::vector<ChevronButton> buttons;
    const auto rows = ButtonsOf(static_cast<Toolbar>(toolbar));
    for (size_t i = 0; i < rows.size(); ++i) {
        RECT r{};
        SendMessageW(bar, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
        MapWindowPoints(bar, nullptr, reinterpret_cast<POINT*>(&r), 2);
        boxes.push_back({r.left, r.top, r.right, r.bottom});
        TBBUTTON button{};
        SendMessageW(bar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
        ChevronButton view;
        view.style = rows[i]->style;
        view.caption = CaptionOf(*rows[i]);
        view.picture = rows[i]->picture;
        view.hidden = (button.fsState & TBSTATE_HIDDEN) != 0;
        view.enabled = (button.fsState & TBSTATE_ENABLED) != 0;
        view.pressed = (button.fsState & TBSTATE_CHECKED) != 0;
        buttons.push_back(view);
    }
    return ChevronItems(toolbar, buttons, FirstHiddenButton({bandRect.left, bandRect.top, bandRect.right, bandRect.bottom}, boxes));
}

HMENU CoolBar::CopyMenu(HMENU source, UINT& nextId, std::vector<std::pair<UINT, UINT>>& copied) const {
    HMENU copy = CreatePopupMenu();
    const int count = GetMenuItemCount(source);
    for (int i = 0; i < count; ++i) {
        wchar_t caption[260] = {};
        MENUITEMINFOW item{sizeof item};
        item.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
        item.dwTypeData = caption;
        item.cch = 259;
        if (!GetMenuItemInfoW(source, static_cast<UINT>(i), TRUE, &item)) continue;
        if (item.fType & MFT_SEPARATOR || std::wstring_view(caption) == L"-") {
            AppendMenuW(copy, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        MENUITEMINFOW added{sizeof added};
        added.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
        added.fType = item.fType & MFT_RADIOCHECK;
        added.fState = item.fState & (MFS_DISABLED | MFS_CHECKED | MFS_DEFAULT);
        added.wID = nextId;
        added.dwTypeData = caption;
        InsertMenuItemW(copy, static_cast<UINT>(GetMenuItemCount(copy)), TRUE, &added);
        copied.emplace_back(nextId++, item.wID);
    }
    return copy;
}

HMENU CoolBar::BuildChevronMenu(int bandIndex, std::vector<std::pair<UINT, UINT>>& copied) const {
    const int toolbar = ToolbarOfBand(bandIndex);
    if (toolbar < 0) return nullptr;
    const auto rows = ButtonsOf(static_cast<Toolbar>(toolbar));
    HMENU menu = CreatePopupMenu();
    UINT nextId = kChevronFirstId + static_cast<UINT>(rows.size());
    for (const ChevronItem& entry : ChevronMenuItems(bandIndex)) {
        if (entry.separator) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        HMENU submenu = nullptr;
        if (entry.dropDown && host_.dropDownMenu)
            if (HMENU source = host_.dropDownMenu(rows[entry.button]->name)) submenu = CopyMenu(source, nextId, copied);
        MENUITEMINFOW item{sizeof item};
        item.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE | MIIM_DATA | MIIM_BITMAP | (submenu ? MIIM_SUBMENU : 0);
        item.wID = entry.id;
        std::wstring caption = entry.caption;
        item.dwTypeData = caption.data();
        item.fState = (entry.enabled ? 0 : MFS_DISABLED) | (entry.checked ? MFS_CHECKED : 0);
        item.dwItemData = entry.picture;
        item.hbmpItem = HBMMENU_CALLBACK;
        item.hSubMenu = submenu;
        InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &item);
    }
    return menu;
}

void CoolBar::ShowChevronMenu(int bandIndex, POINT at) {
    const int toolbar = ToolbarOfBand(bandIndex);
    if (toolbar < 0) return;
    const auto rows = ButtonsOf(static_cast<Toolbar>(toolbar));
    std::vector<std::pair<UINT, UINT>> copied;  // (chevron id, id of the item copied)
    MenuHandle menu(BuildChevronMenu(bandIndex, copied));
    chevronMenuOpen_ = true;
    const UINT chosen = TrackPopupMenu(menu.Get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NONOTIFY |
                                                       TPM_LEFTBUTTON, at.x, at.y, 0, parent_, nullptr);
    chevronMenuOpen_ = false;
    if (chosen >= kChevronFirstId && chosen < kChevronFirstId + rows.size()) {
        const ToolButtonRow& row = *rows[chosen - kChevronFirstId];
        HWND bar = toolbars_[static_cast<size_t>(toolbar)];
        if (row.style == ButtonStyle::Check) SendMessageW(bar, TB_CHECKBUTTON, IdOf(row), MAKELPARAM(TRUE, 0));
        OnCommand(MAKEWPARAM(IdOf(row), BN_CLICKED), reinterpret_cast<LPARAM>(bar));
        return;
    }
    for (const auto& [id, original] : copied)
        if (id == chosen) SendMessageW(parent_, WM_COMMAND, MAKEWPARAM(original, 0), 0);
}

int CoolBar::BandIndex(Toolbar toolbar) const {
    return rebar_ ? static_cast<int>(SendMessageW(rebar_, RB_IDTOINDEX, static_cast<WPARAM>(toolbar), 0)) : -1;
}

bool CoolBar::OnMeasureItem(MEASUREITEMSTRUCT& item) const {
    if (item.CtlType != ODT_MENU || !chevronMenuOpen_) return false;
    const auto set = item.itemData / 65536;
    if (set >= kToolbarCount) return false;
    int width = 16, height = 16;
    ImageList_GetIconSize(sets_[set].normal, &width, &height);
    const int offset = sets_[set].noCheckOffset ? 0 : GetSystemMetrics(SM_CXMENUCHECK);
    item.itemWidth = static_cast<UINT>(std::max(0, width + 10 - offset));
    item.itemHeight = static_cast<UINT>(height);
    return true;
}

bool CoolBar::OnDrawItem(const DRAWITEMSTRUCT& item) const {
    if (item.CtlType != ODT_MENU || !chevronMenuOpen_) return false;
    const auto set = item.itemData / 65536;
    if (set >= kToolbarCount) return false;
    const ImageSet& images = sets_[set];
    HIMAGELIST list = (item.itemState & ODS_DISABLED)                    ? images.disabled
                      : (item.itemState & ODS_SELECTED) && images.hasHot ? images.hot
                                                                          : images.normal;
    const int offset = images.noCheckOffset ? 0 : GetSystemMetrics(SM_CXMENUCHECK);
    ImageList_Draw(list, static_cast<int>(item.itemData % 65536), item.hDC, item.rcItem.left - offset,
                   item.rcItem.top, ILD_TRANSPARENT);
    return true;
}

void CoolBar::OnSysColorChange() {
    if (rebar_) SendMessageW(rebar_, RB_SETBKCOLOR, 0, static_cast<LPARAM>(GetSysColor(COLOR_BTNFACE)));
}

}  // namespace quillon
