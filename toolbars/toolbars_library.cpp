// Toolbars.dll: the pictures of the editor's five toolbars. One export,
// GetToolbarImages, hands out new bitmaps (normal, hot, disabled) per toolbar;
// the caller owns and deletes them.
#include <windows.h>

#include <commctrl.h>

#include <initializer_list>
#include <utility>

#include "toolbar_images_api.h"

namespace {

HINSTANCE g_instance = nullptr;

enum Resource : int {
    kFileDisabled = 101, kFileHot, kFileNormal, kDigits, kEditDisabled, kEditHot, kEditNormal,
    kFindNormal, kFindDisabled, kFormat, kWindowHot, kWindowDisabled, kWindowNormal, kFormatDisabled,
};

HBITMAP Stored(int id) {
    return static_cast<HBITMAP>(LoadImageW(g_instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0));
}

// The system's mapped bitmap: the listed colours replaced by system colours,
// every other colour as stored.
HBITMAP Mapped(int id, std::initializer_list<std::pair<COLORREF, int>> map) {
    COLORMAP colours[4] = {};
    int count = 0;
    for (const auto& [from, systemColour] : map) colours[count++] = {from, GetSysColor(systemColour)};
    return CreateMappedBitmap(g_instance, id, 0, colours, count);
}

HBITMAP Disabled(int id) {
    return Mapped(id, {{RGB(128, 128, 128), COLOR_BTNSHADOW}, {RGB(255, 255, 255), COLOR_BTNHIGHLIGHT}});
}

// Room for the widest strip: the window toolbar's 17 pictures.
constexpr int kMostPixels = 17 * 16 * 16;

struct Pixels {
    int width = 0;
    COLORREF rgb[kMostPixels];  // top-down rows of 16
};

// A bitmap's pixels read back as 32-bit colours (0x00RRGGBB, top-down);
// false for a bitmap wider than a strip.
bool Read(HBITMAP bitmap, Pixels& pixels) {
    BITMAP size{};
    if (!bitmap || !GetObjectW(bitmap, sizeof size, &size) || size.bmWidth * 16 > kMostPixels) return false;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size.bmWidth, -16, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC screen = GetDC(nullptr);
    const int lines = GetDIBits(screen, bitmap, 0, 16, pixels.rgb, &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    pixels.width = size.bmWidth;
    return lines == 16;
}

HBITMAP Make(const Pixels& pixels) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), pixels.width, -16, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateDIBitmap(screen, &info.bmiHeader, CBM_INIT, pixels.rgb, &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

// The window toolbar: its seven command pictures followed by the ten digits
// (black in them mapped to the colour given), as wide as the disabled bitmap
// that holds all seventeen.
HBITMAP WindowComposite(int commands, int digitColour) {
    Pixels a{}, b{}, whole{};
    HBITMAP left = Stored(commands), digits = Stored(kDigits);
    const bool read = Read(left, a) && Read(digits, b) && (a.width + b.width) * 16 <= kMostPixels;
    if (left) DeleteObject(left);
    if (digits) DeleteObject(digits);
    if (!read) return nullptr;
    // Black in the digits (0x000000 here as in COLORREF) becomes the colour given,
    // turned from COLORREF into the DIB's 0x00RRGGBB.
    const COLORREF system = GetSysColor(digitColour);
    const COLORREF mapped = (GetRValue(system) << 16) | (GetGValue(system) << 8) | GetBValue(system);
    whole.width = a.width + b.width;
    int at = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < a.width; ++x) whole.rgb[at++] = a.rgb[y * a.width + x];
        for (int x = 0; x < b.width; ++x) {
            const COLORREF c = b.rgb[y * b.width + x] & 0xFFFFFF;
            whole.rgb[at++] = c == 0 ? mapped : c;
        }
    }
    return Make(whole);
}

}  // namespace

extern "C" __declspec(dllexport) int __stdcall GetToolbarImages(int version, int toolbar, HBITMAP* normal,
                                                                  HBITMAP* hot, HBITMAP* disabled) {
    if (version != quillon::kToolbarImagesVersion) return version - 1;
    if (toolbar < 0 || toolbar > 4) return toolbar;
    if (!normal || !hot || !disabled) return toolbar;
    switch (toolbar) {
    case 0:
        *normal = Stored(kFileNormal);
        *hot = Stored(kFileHot);
        *disabled = Disabled(kFileDisabled);
        break;
    case 1:
        *normal = Stored(kEditNormal);
        *hot = Stored(kEditHot);
        *disabled = Disabled(kEditDisabled);
        break;
    case 2:
        *normal = Mapped(kFormat, {{RGB(0, 0, 0), COLOR_BTNTEXT}});
        *hot = Mapped(kFormat, {{RGB(0, 0, 0), COLOR_HOTLIGHT}});
        *disabled = Disabled(kFormatDisabled);
        break;
    case 3:
        *normal = WindowComposite(kWindowNormal, COLOR_BTNTEXT);
        *hot = WindowComposite(kWindowHot, COLOR_HOTLIGHT);
        *disabled = Disabled(kWindowDisabled);
        break;
    default:
        *normal = Stored(kFindNormal);
        *hot = nullptr;
        *disabled = Disabled(kFindDisabled);
        break;
    }
    return 0;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_instance = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
