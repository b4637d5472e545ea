// The export of Toolbars.dll, as the editor calls it.
#pragma once

#ifdef _WIN32
#include <windows.h>

namespace quillon {

inline constexpr wchar_t kToolbarsLibrary[] = L"Toolbars.dll";
inline constexpr char kGetToolbarImagesExport[] = "GetToolbarImages";
inline constexpr int kToolbarImagesVersion = 1;

// version must be 1 (else version - 1 comes back and nothing is touched);
// toolbar 0 .. 4 fills the three bitmaps (hot may be null), another number
// comes back unchanged. The caller deletes the bitmaps.
using GetToolbarImagesFn = int(__stdcall*)(int version, int toolbar, HBITMAP* normal, HBITMAP* hot,
                                           HBITMAP* disabled);

}  // namespace quillon
#endif
