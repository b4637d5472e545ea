// Toolbars.dll: the pictures of the editor's five toolbars. One export,
// GetToolbarImages, hands out new bitmaps (normal, hot, disabled) per toolbar;
// the caller owns and deletes them.
#include <windows.h>

#include <commctrl.h>

#include <initializer_list>
#include <utility>
#include <vector>

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

struct Pixels {
    int width = 0;
    std::vector<COLORREF> rgb;  // top-down rows of 16, as COLORREF (0x00BBGGRR)
};

// A bitmap's pixels read back as 32-bit colours.
Pixels Read(HBITMAP bitmap) {
    Pixels pixels;
    BITMAP size{};
    if (!bitmap || !GetObjectW(bitmap, sizeof size, &size)) return pixels;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size.bmWidth, -16, 1, 32, BI_RGB};
    std::vector<DWORD> raw(static_cast<size_t>(size.bmWidth) * 16);
    HDC screen = GetDC(nullptr);
    const int lines = GetDIBits(screen, bitmap, 0, 16, raw.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (lines != 16) return pixels;
    pixels.width = size.bmWidth;
    for (DWORD quad : raw) pixels.rgb.push_back(RGB((quad >> 16) & 255, (quad >> 8) & 255, quad & 255));
    return pixels;
}

HBITMAP Make(const Pixels& pixels) {
    if (pixels.width == 0) return nullptr;
    std::vector<DWORD> raw;
    for (COLORREF c : pixels.rgb) raw.push_back((GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c));
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), pixels.width, -16, 1, 32, BI_RGB};
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateDIBitmap(screen, &info.bmiHeader, CBM_INIT, raw.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

// The window toolbar: its seven command pictures followed by the ten digits
// (black in them mapped to the colour given), as wide as the disabled bitmap
// that holds all seventeen.
HBITMAP WindowComposite(int commands, int digitColour) {
    HBITMAP left = Stored(commands), digits = Stored(kDigits);
    Pixels a = Read(left), b = Read(digits);
    if (left) DeleteObject(left);
    if (digits) DeleteObject(digits);
    if (a.width == 0 || b.width == 0) return nullptr;
    const COLORREF mapped = GetSysColor(digitColour);
    Pixels whole;
    whole.width = a.width + b.width;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < a.width; ++x) whole.rgb.push_back(a.rgb[static_cast<size_t>(y * a.width + x)]);
        for (int x = 0; x < b.width; ++x) {
            const COLORREF c = b.rgb[static_cast<size_t>(y * b.width + x)];
            whole.rgb.push_back(c == RGB(0, 0, 0) ? mapped : c);
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
