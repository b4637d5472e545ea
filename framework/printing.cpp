#include "printing.h"

#include <richedit.h>

#include "win32_guards.h"

namespace quillon {

std::function<BOOL(PRINTDLGW&)>& PrintDialogRunner() {
    static std::function<BOOL(PRINTDLGW&)> runner;
    return runner;
}

PrinterChoice::~PrinterChoice() {
    if (mode_) GlobalFree(mode_);
    if (names_) GlobalFree(names_);
}

bool PrinterChoice::Run(PRINTDLGW& dialog, HWND owner, DWORD flags) {
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.hDevMode = mode_;
    dialog.hDevNames = names_;
    dialog.Flags = flags;
    const BOOL confirmed = PrintDialogRunner() ? PrintDialogRunner()(dialog) : PrintDlgW(&dialog);
    if (!confirmed) return false;
    // The dialog may hand back new handles and free the old ones itself.
    mode_ = dialog.hDevMode;
    names_ = dialog.hDevNames;
    return true;
}

void PrinterChoice::Setup(HWND owner) {
    PRINTDLGW dialog{};
    Run(dialog, owner, PD_PRINTSETUP);
}

PrinterDC PrinterChoice::ChoosePrinter(HWND owner) {
    PRINTDLGW dialog{};
    if (!Run(dialog, owner, PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE)) return PrinterDC();
    return PrinterDC(dialog.hDC);
}

int FormatPages(HWND richEdit, int textLength, HDC device, PageOutput output) {
    // The printable area in twips, as the control measures pages.
    const int dpiX = GetDeviceCaps(device, LOGPIXELSX), dpiY = GetDeviceCaps(device, LOGPIXELSY);
    if (dpiX <= 0 || dpiY <= 0) return 0;
    const RECT page{0, 0, MulDiv(GetDeviceCaps(device, HORZRES), 1440, dpiX),
                    MulDiv(GetDeviceCaps(device, VERTRES), 1440, dpiY)};
    const bool render = output == PageOutput::Render;
    int pages = 0;
    int next = 0;
    do {
        FORMATRANGE range{};
        range.hdc = range.hdcTarget = device;
        range.rc = range.rcPage = page;
        range.chrg = {next, -1};
        if (render) StartPage(device);
        const int after = static_cast<int>(SendMessageW(richEdit, EM_FORMATRANGE, render, reinterpret_cast<LPARAM>(&range)));
        if (render) EndPage(device);
        ++pages;
        if (after <= next) break;  // nothing more fits: never loop for ever
        next = after;
    } while (next < textLength);
    SendMessageW(richEdit, EM_FORMATRANGE, FALSE, 0);  // frees the control's cached layout
    return pages;
}

void PrintRichText(HWND richEdit, int textLength, HDC printer) {
    WaitCursor wait;
    DOCINFOW info{sizeof info, L""};
    if (StartDocW(printer, &info) <= 0) return;
    FormatPages(richEdit, textLength, printer, PageOutput::Render);
    EndDoc(printer);
}

}  // namespace quillon
