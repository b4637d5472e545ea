// Printing a rich edit control's text: the printer chosen in the system's
// dialogs (kept for the next dialog) and the page loop.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <functional>

namespace quillon {

// The print and printer set-up dialogs; tests put their own answer here. Empty: the system's.
std::function<BOOL(PRINTDLGW&)>& PrintDialogRunner();

// A printer device context, deleted when the guard goes.
class PrinterDC {
public:
    explicit PrinterDC(HDC dc = nullptr) : dc_(dc) {}
    ~PrinterDC() { if (dc_) DeleteDC(dc_); }
    PrinterDC(PrinterDC&& other) noexcept : dc_(other.dc_) { other.dc_ = nullptr; }
    PrinterDC(const PrinterDC&) = delete;
    PrinterDC& operator=(const PrinterDC&) = delete;
    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HDC dc_;
};

// Owns the device-mode and device-names handles the dialogs hand back.
class PrinterChoice {
public:
    PrinterChoice() = default;
    ~PrinterChoice();
    PrinterChoice(const PrinterChoice&) = delete;
    PrinterChoice& operator=(const PrinterChoice&) = delete;

    // The printer set-up dialog; the choice is kept when confirmed.
    void Setup(HWND owner);
    // The print dialog for the whole text; the chosen printer's context, or none when cancelled.
    PrinterDC ChoosePrinter(HWND owner);

private:
    bool Run(PRINTDLGW& dialog, HWND owner, DWORD flags);
    HGLOBAL mode_ = nullptr;
    HGLOBAL names_ = nullptr;
};

enum class PageOutput { Measure, Render };

// Lays the control's whole text out page by page on the device (drawn when
// rendering); the number of pages.
int FormatPages(HWND richEdit, int textLength, HDC device, PageOutput output);

// Prints the control's whole text as one document with an empty title.
void PrintRichText(HWND richEdit, int textLength, HDC printer);

}  // namespace quillon
