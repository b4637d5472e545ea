// View > Font: the system's font dialog limited to fixed-pitch, non-OEM, ANSI
// fonts that exist, with Apply while a document is open; OK stores the font,
// Cancel gives the editors back the font they had before the dialog.
#include <windows.h>

#include <commdlg.h>
#include <dlgs.h>

#include <utility>
#include <vector>

#include "edit_form.h"
#include "main_form.h"

namespace quillon {

namespace {

constexpr wchar_t kFontDialogCaption[] = L"Шрифт";

int PointsOf(const LOGFONTW& font) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return MulDiv(font.lfHeight < 0 ? -font.lfHeight : font.lfHeight, 72, dpi);
}

UINT_PTR CALLBACK FontDialogHook(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<const CHOOSEFONTW*>(lParam)->lCustData);
        SetWindowTextW(dialog, kFontDialogCaption);
        return TRUE;
    }
    if (msg == WM_COMMAND && LOWORD(wParam) == psh3) {
        auto* form = reinterpret_cast<THtmlScrivoForm*>(GetWindowLongPtrW(dialog, DWLP_USER));
        LOGFONTW font{};
        SendMessageW(dialog, WM_CHOOSEFONT_GETLOGFONT, 0, reinterpret_cast<LPARAM>(&font));
        if (form && font.lfFaceName[0]) form->ApplyEditorFont(font.lfFaceName, PointsOf(font));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

void THtmlScrivoForm::ApplyEditorFont(const std::wstring& name, int size) {
    options_.FontName = name;
    options_.FontSize = size;
    for (TEditForm* document : Documents()) document->ApplyFont();
}

void THtmlScrivoForm::ChooseEditorFont() {
    // Cancel gives every editor back exactly the font it had (its height in
    // twips, not rounded to whole points) and leaves the options as they were.
    const std::wstring previousName = options_.FontName;
    const int previousSize = options_.FontSize;
    std::vector<std::pair<HWND, EditorFont>> previousFonts;
    for (TEditForm* document : Documents()) previousFonts.emplace_back(document->Handle(), document->Editor().Font());

    LOGFONTW font{};
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    font.lfHeight = -15;  // the editors' own font: Courier New, 15 pixels, Russian
    font.lfCharSet = RUSSIAN_CHARSET;
    font.lfWeight = FW_NORMAL;
    lstrcpynW(font.lfFaceName, L"Courier New", LF_FACESIZE);
    TEditForm* active = ActiveDocument();
    if (active) {
        // The dialog opens on the font the editors show.
        const EditorFont current = active->Editor().Font();
        if (!current.name.empty()) lstrcpynW(font.lfFaceName, current.name.c_str(), LF_FACESIZE);
        if (current.twips > 0) font.lfHeight = -MulDiv(current.twips, dpi, 1440);
    } else if (!options_.FontName.empty()) {
        lstrcpynW(font.lfFaceName, options_.FontName.c_str(), LF_FACESIZE);
        font.lfHeight = -MulDiv(options_.FontSize, dpi, 72);
    }
    CHOOSEFONTW choose{sizeof choose};
    choose.hwndOwner = frame_;
    choose.lpLogFont = &font;
    choose.Flags = CF_SCREENFONTS | CF_FIXEDPITCHONLY | CF_NOOEMFONTS | CF_SCRIPTSONLY | CF_FORCEFONTEXIST |
                   CF_INITTOLOGFONTSTRUCT | CF_ENABLEHOOK | (active ? CF_APPLY : 0);
    choose.lpfnHook = FontDialogHook;
    choose.lCustData = reinterpret_cast<LPARAM>(this);
    if (ChooseFontW(&choose)) {
        ApplyEditorFont(font.lfFaceName, choose.iPointSize / 10);
        storage::SaveFont(registry_, options_);
        return;
    }
    options_.FontName = previousName;
    options_.FontSize = previousSize;
    for (const auto& [window, previous] : previousFonts)
        if (TEditForm* document = TEditForm::FromWindow(window)) document->Editor().SetFont(previous);
}

}  // namespace quillon
