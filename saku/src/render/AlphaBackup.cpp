#include "render/AlphaBackup.h"

namespace SAKU {

namespace {

constexpr LONG kStaticPixels = 65536;
BYTE g_staticAlpha[kStaticPixels];

// The DC's bitmap when it has 32-bit pixels that the process can reach.
bool Dib32Of(HGDIOBJ bitmap, DIBSECTION& dib)
{
    return bitmap && ::GetObjectW(bitmap, sizeof(dib), &dib) == sizeof(dib) && dib.dsBm.bmBitsPixel == 32 &&
           dib.dsBm.bmBits;
}

// What CopyAlpha does with each pixel's alpha byte.
enum class AlphaCopy {
    Save,                     // into the bytes
    Restore,                  // back from the bytes
    RestorePremultiplyDrawn,  // back from the bytes; where the drawing wrote (0 now) the colour scaled to it
};

// Copies byte 3 of every pixel of `area` to or from `bytes`, as `copy` says.
void CopyAlpha(const DIBSECTION& dib, const RECT& area, BYTE* bytes, AlphaCopy copy)
{
    // Rows are top-down, as in every bitmap of the library (GDI does not report
    // a DIB section's orientation).
    auto* const bits = static_cast<BYTE*>(dib.dsBm.bmBits);
    const LONG width = area.right - area.left;
    for (LONG y = area.top; y < area.bottom; ++y) {
        BYTE* pixel = bits + y * dib.dsBm.bmWidthBytes + area.left * 4;
        for (LONG x = 0; x < width; ++x, pixel += 4, ++bytes) {
            if (copy == AlphaCopy::Save) {
                *bytes = pixel[3];
                continue;
            }
            if (copy == AlphaCopy::RestorePremultiplyDrawn && pixel[3] == 0) {
                for (int channel = 0; channel < 3; ++channel)
                    pixel[channel] = static_cast<BYTE>((pixel[channel] * *bytes + 127) / 255);
            }
            pixel[3] = *bytes;
        }
    }
}

}  // namespace

bool BackupAlpha(HDC dc, const RECT& rect, AlphaBackup& backup, AlphaBackup::Drawn drawn)
{
    backup.m_bytes = nullptr;
    backup.m_heap.reset();
    const HGDIOBJ bitmap = ::GetCurrentObject(dc, OBJ_BITMAP);
    DIBSECTION dib;
    if (!Dib32Of(bitmap, dib))
        return false;
    POINT origin = {};
    ::GetViewportOrgEx(dc, &origin);
    RECT area = {rect.left, rect.top, rect.right + 1, rect.bottom + 1};
    ::OffsetRect(&area, origin.x, origin.y);
    const RECT bounds = {0, 0, dib.dsBm.bmWidth, dib.dsBm.bmHeight};
    if (!::IntersectRect(&area, &area, &bounds))
        return false;
    // The buffer is chosen by the area actually copied, after growing and clipping.
    const LONG pixels = (area.right - area.left) * (area.bottom - area.top);
    if (pixels <= kStaticPixels) {
        backup.m_bytes = g_staticAlpha;
    } else {
        backup.m_heap = std::make_unique<BYTE[]>(pixels);
        backup.m_bytes = backup.m_heap.get();
    }
    ::GdiFlush();
    CopyAlpha(dib, area, backup.m_bytes, AlphaCopy::Save);
    backup.m_drawn = drawn;
    backup.m_dc = dc;
    backup.m_bitmap = bitmap;
    backup.m_area = area;
    return true;
}

void RestoreAlpha(AlphaBackup& backup)
{
    if (!backup.m_bytes)
        return;
    DIBSECTION dib;
    if (::GetCurrentObject(backup.m_dc, OBJ_BITMAP) == backup.m_bitmap && Dib32Of(backup.m_bitmap, dib)) {
        ::GdiFlush();
        const bool premultiply = backup.m_drawn == AlphaBackup::Drawn::Premultiply;
        CopyAlpha(dib, backup.m_area, backup.m_bytes,
                  premultiply ? AlphaCopy::RestorePremultiplyDrawn : AlphaCopy::Restore);
    }
    backup.m_bytes = nullptr;
    backup.m_heap.reset();
}

}  // namespace SAKU
