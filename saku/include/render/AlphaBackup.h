#pragma once

#include <windows.h>

#include <memory>

namespace SAKU {

// The alpha bytes of part of a DC's 32-bit top-down bitmap, saved around plain GDI drawing
// (which clears the alpha of the pixels it touches) and written back after it.
// Areas up to 65,536 pixels share one static buffer, so one backup at a time may
// be open; larger ones own a heap block. UI thread.
class AlphaBackup {
public:
    AlphaBackup() = default;
    AlphaBackup(const AlphaBackup&) = delete;
    AlphaBackup& operator=(const AlphaBackup&) = delete;

    // What RestoreAlpha does with the pixels that the drawing wrote.
    enum class Drawn {
        KeepAlpha,     // they get the alpha that lay below, their colour as GDI left it
        Premultiply,   // they get the alpha that lay below, their colour scaled by it
    };

    bool IsSaved() const { return m_bytes != nullptr; }
    bool OnHeap() const { return m_heap != nullptr; }
    // The pixels saved, in the bitmap's own coordinates.
    const RECT& Area() const { return m_area; }

private:
    friend bool BackupAlpha(HDC dc, const RECT& rect, AlphaBackup& backup, Drawn drawn);
    friend void RestoreAlpha(AlphaBackup& backup);

    HDC m_dc = nullptr;
    HGDIOBJ m_bitmap = nullptr;        // must still be the DC's bitmap when restored
    RECT m_area = {};
    Drawn m_drawn = Drawn::KeepAlpha;
    BYTE* m_bytes = nullptr;
    std::unique_ptr<BYTE[]> m_heap;
};

// Saves the alpha bytes of `rect` (logical coordinates, grown by 1 at its right and
// bottom to cover GDI's inclusive outlines, clipped to the bitmap). False, with
// nothing saved, when the DC's bitmap has no 32-bit pixels or the area is empty.
// GDI writes colour as if the pixel were opaque: under a translucent alpha that
// is more colour than alpha, which blending the pixel later carries into the next
// channel; Drawn::Premultiply scales it down to the alpha, as the pixels of every
// bitmap of the library are.
bool BackupAlpha(HDC dc, const RECT& rect, AlphaBackup& backup,
                 AlphaBackup::Drawn drawn = AlphaBackup::Drawn::KeepAlpha);
// Writes the saved bytes back into the pixels the drawing left alone, and gives
// those it wrote (alpha 0 now) the backup's rule. Nothing when none were saved, or
// when the DC holds another bitmap by now; frees a heap block.
void RestoreAlpha(AlphaBackup& backup);

}  // namespace SAKU
