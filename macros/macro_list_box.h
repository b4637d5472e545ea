// An owner-drawn list box showing a macro set, and the drawing of one row:
// the bold name cut with an ellipsis at the name column, the description
// beside it at one x for every row, the default macro underlined.
#pragma once

#include <windows.h>

#include <functional>

#include "macro_model.h"

namespace quillon {

void DrawMacroEntry(const TMacrosItem& macro, HDC dc, const RECT& row, bool selected, HFONT listFont,
                    int nameColumnWidth);

class MacroListBox final : public MacroListView {
public:
    // The list box must be owner-drawn with fixed rows (LBS_OWNERDRAWFIXED).
    MacroListBox(HWND listBox, std::function<void()> selectionChanged)
        : listBox_(listBox), selectionChanged_(std::move(selectionChanged)) {}

    HWND Handle() const { return listBox_; }
    // The macro of an entry, or null.
    const TMacrosItem* MacroAt(int index) const;
    // Draws an entry for WM_DRAWITEM of the list box's parent.
    void DrawItem(const DRAWITEMSTRUCT& item, const TMacrosList& macros) const;

    int SelectedIndex() const override;
    void Clear() override;
    void Add(const TMacrosItem& macro) override;
    int Count() const override;
    void Select(int index) override;
    int BoldNameWidth(const std::string& name) const override;
    void Repaint() override { InvalidateRect(listBox_, nullptr, TRUE); }
    void SelectionChanged() override {
        if (selectionChanged_) selectionChanged_();
    }
    // A refill paints once at its end and measures every name with one font and one DC.
    void BeginFill(int count) override;
    void EndFill() override;

private:
    HWND listBox_;
    std::function<void()> selectionChanged_;
    HFONT fillFont_ = nullptr;
    HDC fillDc_ = nullptr;
    HGDIOBJ fillOldFont_ = nullptr;
};

// The bold form of a font, deleted with the guard.
HFONT CreateBoldFont(HFONT font, bool underline);

}  // namespace quillon
