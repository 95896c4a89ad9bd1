#pragma once

#include <windows.h>

#include <memory>
#include <vector>

namespace SAKU {

// Decodes a PNG from the top down, only as far as asked, into the library's pixels
// (B, G, R, A in memory, alpha premultiplied, rows top-down, stride width x 4, as
// IBitmap holds them, and with the decoder modules' rounding). A tall strip of
// animation states then shows its first state before the rest is decoded. Only a
// still, non-interlaced PNG decodes this way: in the others no row is final
// before the whole image is read. UI thread.
class SPngRowDecoder {
public:
    // The decoder of `data`, positioned before its first row; null when the data
    // is not such a PNG or its header does not read.
    static std::unique_ptr<SPngRowDecoder> Open(std::vector<BYTE> data);
    ~SPngRowDecoder();
    SPngRowDecoder(const SPngRowDecoder&) = delete;
    SPngRowDecoder& operator=(const SPngRowDecoder&) = delete;

    int Width() const;
    int Height() const;
    // How many rows, from the top, hold their pixels.
    int RowsDecoded() const;
    // Decodes the rows from RowsDecoded() up to `endRow` (clamped to the height)
    // into `pixels`, the whole image's pixel area. False when the data proves
    // corrupt or short: the rows decoded so far stay, and no more decode.
    bool DecodeUntil(BYTE* pixels, int endRow);

private:
    struct State;
    explicit SPngRowDecoder(std::unique_ptr<State> state);

    std::unique_ptr<State> m_state;
};

}  // namespace SAKU
