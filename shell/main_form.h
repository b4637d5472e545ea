// The main window: an MDI frame of class THtmlScrivoForm captioned "Quillon".
#pragma once

#include <windows.h>

namespace quillon {

inline constexpr wchar_t kMainFormClass[] = L"THtmlScrivoForm";

struct MainFormOptions {
    int showCommand = SW_SHOWDEFAULT;
};

// Registers the class once; creates and shows the frame. Null on failure.
HWND CreateMainForm(HINSTANCE instance, const MainFormOptions& options);

// The frame's document area (the MDI client), for a frame made by CreateMainForm.
HWND MainFormClient(HWND frame);

// The message loop of the user-interface thread; returns the exit code.
int RunMessageLoop(HWND frame);

}  // namespace quillon
