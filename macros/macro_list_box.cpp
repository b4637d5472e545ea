#include "macro_list_box.h"

#include "codepage.h"
#include "win32_guards.h"

namespace quillon {

namespace {

LOGFONTW FontDescription(HFONT font) {
    LOGFONTW description{};
    if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    GetObjectW(font, sizeof description, &description);
    return description;
}

HFONT CreateStyledFont(HFONT font, bool bold, bool underline) {
    LOGFONTW description = FontDescription(font);
    if (bold) description.lfWeight = FW_BOLD;
    description.lfUnderline = underline ? TRUE : FALSE;
    return CreateFontIndirectW(&description);
}

std::wstring Shown(const std::string& bytes) { return BytesToText(bytes, CodePage::Win1251); }

}  // namespace

HFONT CreateBoldFont(HFONT font, bool underline) { return CreateStyledFont(font, true, underline); }

void DrawMacroEntry(const TMacrosItem& macro, HDC dc, const RECT& row, bool selected, HFONT listFont,
                    int nameColumnWidth) {
    const int background = selected ? COLOR_HIGHLIGHT : COLOR_WINDOW;
    FillRect(dc, &row, GetSysColorBrush(background));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    // "&" is drawn as itself; the name is cut with an ellipsis at its column.
    const UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
    if (!macro.Name().empty()) {
        GdiObject<HFONT> bold(CreateStyledFont(listFont, true, macro.Default()));
        HGDIOBJ old = SelectObject(dc, bold.Get());
        RECT name{row.left, row.top, nameColumnWidth, row.bottom};
        const std::wstring text = Shown(macro.Name());
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &name, format);
        SelectObject(dc, old);
    }
    if (!macro.Description().empty()) {
        GdiObject<HFONT> plain(CreateStyledFont(listFont, false, macro.Default()));
        HGDIOBJ old = SelectObject(dc, plain.Get());
        RECT description{DescriptionLeft(row.left, nameColumnWidth), row.top, row.right, row.bottom};
        const std::wstring text = Shown(macro.Description());
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &description, format);
        SelectObject(dc, old);
    }
}

const TMacrosItem* MacroListBox::MacroAt(int index) const {
    const LRESULT data = SendMessageW(listBox_, LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
    return data == LB_ERR ? nullptr : reinterpret_cast<const TMacrosItem*>(data);
}

void MacroListBox::DrawItem(const DRAWITEMSTRUCT& item, const TMacrosList& macros) const {
    if (item.itemID == static_cast<UINT>(-1)) return;
    const TMacrosItem* macro = MacroAt(static_cast<int>(item.itemID));
    if (!macro) return;
    const auto font = reinterpret_cast<HFONT>(SendMessageW(listBox_, WM_GETFONT, 0, 0));
    DrawMacroEntry(*macro, item.hDC, item.rcItem, (item.itemState & ODS_SELECTED) != 0, font, macros.NameColumnWidth());
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
}

int MacroListBox::SelectedIndex() const { return static_cast<int>(SendMessageW(listBox_, LB_GETCURSEL, 0, 0)); }
void MacroListBox::Clear() { SendMessageW(listBox_, LB_RESETCONTENT, 0, 0); }

void MacroListBox::Add(const TMacrosItem& macro) {
    const LRESULT index = SendMessageW(listBox_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(&macro));
    if (index >= 0) SendMessageW(listBox_, LB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&macro));
}

int MacroListBox::Count() const { return static_cast<int>(SendMessageW(listBox_, LB_GETCOUNT, 0, 0)); }
void MacroListBox::Select(int index) { SendMessageW(listBox_, LB_SETCURSEL, static_cast<WPARAM>(index), 0); }

void MacroListBox::BeginFill(int count) {
    if (fillDc_) return;
    SendMessageW(listBox_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(listBox_, LB_INITSTORAGE, static_cast<WPARAM>(count > 0 ? count : 0), 0);
    fillFont_ = CreateStyledFont(reinterpret_cast<HFONT>(SendMessageW(listBox_, WM_GETFONT, 0, 0)), true, false);
    fillDc_ = GetDC(listBox_);
    if (fillDc_ && fillFont_) fillOldFont_ = SelectObject(fillDc_, fillFont_);
}

void MacroListBox::EndFill() {
    if (fillDc_) {
        if (fillOldFont_) SelectObject(fillDc_, fillOldFont_);
        ReleaseDC(listBox_, fillDc_);
    }
    if (fillFont_) DeleteObject(fillFont_);
    fillDc_ = nullptr;
    fillFont_ = nullptr;
    fillOldFont_ = nullptr;
    SendMessageW(listBox_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(listBox_, nullptr, TRUE);
}

int MacroListBox::BoldNameWidth(const std::string& name) const {
    if (fillDc_) {
        const std::wstring text = Shown(name);
        SIZE size{};
        GetTextExtentPoint32W(fillDc_, text.c_str(), static_cast<int>(text.size()), &size);
        return size.cx;
    }
    GdiObject<HFONT> bold(CreateStyledFont(reinterpret_cast<HFONT>(SendMessageW(listBox_, WM_GETFONT, 0, 0)), true, false));
    WindowDC dc(listBox_, bold.Get());
    if (!dc) return 0;
    const std::wstring text = Shown(name);
    SIZE size{};
    GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

}  // namespace quillon
