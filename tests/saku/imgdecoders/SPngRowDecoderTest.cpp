// The row decoder against the whole-image decoders: the rows it has decoded hold
// exactly what GDI+ gives for them, the rows below stay untouched until asked
// for, and the PNGs it cannot decode row by row, or whose data ends early, are
// refused or stop where the data does.

#include "DecoderFixtures.h"
#include "ScratchDir.h"

#include "render/SPngRowDecoder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

using namespace tivala::test;
using SAKU::SPngRowDecoder;

namespace {

// Large enough that libpng, which reads compressed data 8 KB at a time, decodes
// rows of a cut stream before it meets the cut.
constexpr UINT kWidth = 64;
constexpr UINT kHeight = 400;
constexpr char kUntouched = '\x5A';

// Noise with every alpha, so that the compressed rows follow each other through
// the data and premultiplying rounds.
std::vector<std::uint32_t> NoisyPixels()
{
    std::vector<std::uint32_t> pixels(kWidth * kHeight);
    std::uint32_t seed = 12345;
    for (std::uint32_t& pixel : pixels) {
        seed = seed * 1103515245u + 12345u;
        pixel = seed ^ (seed >> 13);
    }
    return pixels;
}

// Four colours in bands, one of them see-through: ImageMagick writes a palette.
std::vector<std::uint32_t> BandedPixels()
{
    const std::uint32_t colours[] = {0xFF0000FF, 0x00FF00FF, 0x0000FF00, 0x12345678};
    std::vector<std::uint32_t> pixels(kWidth * kHeight);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = colours[(i / 7) % 4];
    return pixels;
}

std::vector<BYTE> Bytes(const std::string& text)
{
    return std::vector<BYTE>(text.begin(), text.end());
}

// What the installer's decoder makes of the whole image.
std::string DecodedByGdiPlus(const ScratchDir& scratch, const std::wstring& name)
{
    auto factory = CreateModule(kDecoderModules[0]);
    auto image = CreateImage(factory.Get());
    EXPECT_EQ(1, LoadScratch(image.Get(), scratch, name, false));
    const std::vector<DecodedFrame> frames = ReadFrames(image.Get());
    return frames.empty() ? std::string() : frames[0].bgra;
}

}  // namespace

TEST(SPngRowDecoder, DecodesOnlyTheRowsAskedForAsGdiPlusDecodesThem)
{
    ScratchDir scratch;
    const struct { const char* what; std::vector<std::uint32_t> pixels; const char* output; char colourType; } encodings[] = {
        {"8-bit RGBA", NoisyPixels(), "PNG32:image.png", 6},
        {"16-bit RGBA", NoisyPixels(), "PNG64:image.png", 6},
        {"palette with transparency", BandedPixels(), "image.png", 3},
    };
    for (const auto& encoding : encodings) {
        SCOPED_TRACE(encoding.what);
        ConvertRgba(scratch, kWidth, kHeight, RgbaBytes(encoding.pixels), encoding.output);
        ASSERT_EQ(encoding.colourType, ReadScratch(scratch, L"image.png")[25]);
        const std::string expected = DecodedByGdiPlus(scratch, L"image.png");
        const auto decoder = SPngRowDecoder::Open(Bytes(ReadScratch(scratch, L"image.png")));
        ASSERT_TRUE(decoder);
        const int rows = decoder->Height();
        const size_t stride = size_t(decoder->Width()) * 4;
        ASSERT_EQ(expected.size(), stride * rows);
        EXPECT_EQ(0, decoder->RowsDecoded());

        std::string pixels(expected.size(), kUntouched);
        auto* const bits = reinterpret_cast<BYTE*>(pixels.data());
        const int half = rows / 2;
        ASSERT_TRUE(decoder->DecodeUntil(bits, half));
        EXPECT_EQ(half, decoder->RowsDecoded());
        EXPECT_EQ(expected.substr(0, half * stride), pixels.substr(0, half * stride));
        EXPECT_EQ(std::string(pixels.size() - half * stride, kUntouched), pixels.substr(half * stride));

        ASSERT_TRUE(decoder->DecodeUntil(bits, 0));   // rows already in: nothing to do
        ASSERT_TRUE(decoder->DecodeUntil(bits, rows + 100));
        EXPECT_EQ(rows, decoder->RowsDecoded());
        EXPECT_EQ(Describe(expected, decoder->Width()), Describe(pixels, decoder->Width()));
    }
}

TEST(SPngRowDecoder, RefusesWhatCannotBeDecodedRowByRow)
{
    ScratchDir scratch;
    ConvertRgba(scratch, kWidth, kHeight, RgbaBytes(NoisyPixels()), "-interlace PNG PNG32:interlaced.png");
    const std::string interlaced = ReadScratch(scratch, L"interlaced.png");
    ASSERT_EQ(1, interlaced[28]);   // Adam7
    ConvertRgba(scratch, kWidth, kHeight, RgbaBytes(NoisyPixels()), "PNG32:plain.png");
    const std::string plain = ReadScratch(scratch, L"plain.png");
    const struct { const char* what; std::string data; } cases[] = {
        {"interlaced", interlaced},
        {"no data", ""},
        {"not a PNG", "GIF89a" + plain.substr(6)},
        {"the header cut short", plain.substr(0, 20)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(SPngRowDecoder::Open(Bytes(c.data)));
    }
}

TEST(SPngRowDecoder, DataThatEndsEarlyKeepsTheRowsItHeldAndDecodesNoMore)
{
    ScratchDir scratch;
    ConvertRgba(scratch, kWidth, kHeight, RgbaBytes(NoisyPixels()), "PNG32:image.png");
    const std::string whole = ReadScratch(scratch, L"image.png");
    const std::string expected = DecodedByGdiPlus(scratch, L"image.png");
    const size_t idat = whole.find("IDAT");
    ASSERT_NE(std::string::npos, idat);
    // Half of the noise survives: the first rows decode, the last cannot.
    const auto decoder = SPngRowDecoder::Open(Bytes(whole.substr(0, idat + (whole.size() - idat) / 2)));
    ASSERT_TRUE(decoder);
    std::string pixels(expected.size(), kUntouched);
    auto* const bits = reinterpret_cast<BYTE*>(pixels.data());
    EXPECT_FALSE(decoder->DecodeUntil(bits, kHeight));
    const int decoded = decoder->RowsDecoded();
    EXPECT_GT(decoded, int(kHeight) / 4);
    EXPECT_LT(decoded, int(kHeight) / 2);
    const size_t stride = kWidth * 4;
    EXPECT_EQ(expected.substr(0, decoded * stride), pixels.substr(0, decoded * stride));
    EXPECT_FALSE(decoder->DecodeUntil(bits, kHeight));
    EXPECT_EQ(decoded, decoder->RowsDecoded());
}
