#pragma once

// The size and colour of a loaded icon, read back from its colour bitmap.

#include "GdiHandles.h"

#include <windows.h>

#include <vector>

namespace saku_test {

struct IconLook {
    int width = 0;
    COLORREF centre = 0;   // 0x00BBGGRR of the middle pixel
};

inline IconLook LookAt(HICON icon)
{
    IconLook look;
    ICONINFO info = {};
    if (!icon || !::GetIconInfo(icon, &info))
        return look;
    const UniqueBitmap colour(info.hbmColor);
    const UniqueBitmap mask(info.hbmMask);
    BITMAP bitmap = {};
    ::GetObjectW(colour.Get(), sizeof(bitmap), &bitmap);
    look.width = bitmap.bmWidth;
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = bitmap.bmWidth;
    format.bmiHeader.biHeight = -bitmap.bmHeight;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    std::vector<DWORD> pixels(size_t(bitmap.bmWidth) * bitmap.bmHeight);
    const UniqueScreenDc screen(::GetDC(nullptr));
    ::GetDIBits(screen.Get(), colour.Get(), 0, bitmap.bmHeight, pixels.data(), &format, DIB_RGB_COLORS);
    const DWORD pixel = pixels[size_t(bitmap.bmHeight / 2) * bitmap.bmWidth + bitmap.bmWidth / 2];
    look.centre = RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    return look;
}

}  // namespace saku_test
