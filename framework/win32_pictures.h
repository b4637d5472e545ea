// Picture lists from bitmap resources, for tool bars and menus.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <vector>

namespace quillon {

// The pictures of a bitmap resource of the module, cut into width x height
// images, magenta transparent; the colour pairs (from, to) are mapped first
// (the disabled pictures' greys and white to the system's colours).
inline HIMAGELIST LoadPictureList(HINSTANCE module, int bitmapId, int width, int height,
                                  const std::vector<COLORMAP>& mapping = {}) {
    HBITMAP bitmap = mapping.empty()
                         ? static_cast<HBITMAP>(LoadImageW(module, MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP, 0, 0,
                                                           LR_CREATEDIBSECTION))
                         : CreateMappedBitmap(module, bitmapId, 0, const_cast<COLORMAP*>(mapping.data()),
                                              static_cast<int>(mapping.size()));
    if (!bitmap) return nullptr;
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    HIMAGELIST list = ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, info.bmWidth / width, 1);
    if (list) ImageList_AddMasked(list, bitmap, RGB(255, 0, 255));
    DeleteObject(bitmap);
    return list;
}

}  // namespace quillon
