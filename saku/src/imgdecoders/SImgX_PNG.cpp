#include "imgdecoders/SImgX_PNG.h"

#include "imgdecoders/IPngReader.h"
#include "imgdecoders/ImgPixels.h"
#include "imgdecoders/PngCalls.h"
#include "imgdecoders/PngReadStruct.h"

#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

namespace SAKU {

namespace {

// No buffer of a decode may come near the 32-bit address space.
constexpr std::uint64_t kMaxBufferBytes = 0x40000000;

// What the header says, after the transformations to 8-bit RGBA.
struct PngHeader {
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int passes = 1;
    bool animated = false;
    bool firstFrameHidden = false;   // the default image is not part of the animation
    png_uint_32 frameCount = 1;
    png_uint_32 playCount = 0;
};

// An animation frame's control chunk.
struct FrameControl {
    png_uint_32 width = 0, height = 0, x = 0, y = 0;
    png_uint_16 delayNum = 0, delayDen = 0;
    png_byte dispose = PNG_DISPOSE_OP_NONE;
    png_byte blend = PNG_BLEND_OP_SOURCE;
};

std::unique_ptr<BYTE[]> Allocate(std::uint64_t bytes)
{
    if (bytes == 0 || bytes > kMaxBufferBytes)
        return nullptr;
    return std::unique_ptr<BYTE[]>(new (std::nothrow) BYTE[static_cast<size_t>(bytes)]);
}

bool ReadHeader(png_structp png, png_infop info, PngHeader& header)
{
    return PngTry(png, [&] {
        png_read_info(png, info);
        header.passes = ExpandToRgba(png);
        png_read_update_info(png, info);
        header.width = png_get_image_width(png, info);
        header.height = png_get_image_height(png, info);
        header.animated = png_get_valid(png, info, PNG_INFO_acTL) != 0;
        if (header.animated) {
            header.frameCount = png_get_num_frames(png, info);
            header.playCount = png_get_num_plays(png, info);
            header.firstFrameHidden = png_get_first_frame_is_hidden(png, info) != 0;
            // libpng counts a hidden default image among the frames; it is none.
            if (header.firstFrameHidden && header.frameCount > 0)
                --header.frameCount;
        }
    });
}

// Reads the current image or frame, `height` rows of `stride` bytes, every pass.
bool ReadRows(png_structp png, BYTE* pixels, png_uint_32 height, size_t stride, int passes, png_bytep* rows)
{
    for (png_uint_32 y = 0; y < height; ++y)
        rows[y] = pixels + y * stride;
    return PngTry(png, [&] {
        for (int pass = 0; pass < passes; ++pass)
            for (png_uint_32 y = 0; y < height; ++y)
                png_read_row(png, rows[y], nullptr);
    });
}

bool ReadFrameControl(png_structp png, png_infop info, FrameControl& frame)
{
    return PngTry(png, [&] {
        png_read_frame_head(png, info);
        png_get_next_frame_fcTL(png, info, &frame.width, &frame.height, &frame.x, &frame.y,
                                &frame.delayNum, &frame.delayDen, &frame.dispose, &frame.blend);
    });
}

// The frame's delay in 1/100 s.
int DelayHundredths(png_uint_16 numerator, png_uint_16 denominator)
{
    switch (denominator) {
    case 0:                             // 0 means hundredths
    case 100:  return numerator;
    case 10:   return numerator * 10;
    case 1000: return numerator / 10;
    default:   return numerator * 100 / denominator;
    }
}

// One straight-alpha RGBA pixel composed over another, as the animated-PNG format
// defines "over": an opaque source replaces, a transparent one leaves the canvas.
void BlendOver(const BYTE* source, BYTE* canvas)
{
    const unsigned sourceAlpha = source[3];
    if (sourceAlpha == 255 || canvas[3] == 0) {
        if (sourceAlpha != 0)
            std::memcpy(canvas, source, 4);
        return;
    }
    if (sourceAlpha == 0)
        return;
    const unsigned u = sourceAlpha * 255;
    const unsigned v = (255 - sourceAlpha) * canvas[3];
    const unsigned sum = u + v;
    for (int i = 0; i < 3; ++i)
        canvas[i] = static_cast<BYTE>((source[i] * u + canvas[i] * v) / sum);
    canvas[3] = static_cast<BYTE>(sum / 255);
}

// The frame's rows (stride frame.width x 4) laid onto the canvas at its offset.
void Compose(const FrameControl& frame, const BYTE* pixels, BYTE* canvas, png_uint_32 canvasWidth)
{
    const size_t rowBytes = frame.width * 4;
    for (png_uint_32 y = 0; y < frame.height; ++y) {
        const BYTE* source = pixels + y * rowBytes;
        BYTE* target = canvas + ((frame.y + y) * static_cast<size_t>(canvasWidth) + frame.x) * 4;
        if (frame.blend == PNG_BLEND_OP_OVER) {
            for (png_uint_32 x = 0; x < frame.width; ++x)
                BlendOver(source + x * 4, target + x * 4);
        } else {
            std::memcpy(target, source, rowBytes);
        }
    }
}

// Copies the frame's area between two canvases of the same size.
void CopyArea(const FrameControl& frame, const BYTE* from, BYTE* to, png_uint_32 canvasWidth)
{
    for (png_uint_32 y = frame.y; y < frame.y + frame.height; ++y) {
        const size_t offset = (y * static_cast<size_t>(canvasWidth) + frame.x) * 4;
        std::memcpy(to + offset, from + offset, frame.width * 4);
    }
}

void ClearArea(const FrameControl& frame, BYTE* canvas, png_uint_32 canvasWidth)
{
    for (png_uint_32 y = frame.y; y < frame.y + frame.height; ++y)
        std::memset(canvas + (y * static_cast<size_t>(canvasWidth) + frame.x) * 4, 0, frame.width * 4);
}

}  // namespace

int SImgX_PNG::LoadFromMemory(const void* data, size_t size)
{
    IPngReader_Mem reader(data, data ? size : 0);
    return Load(reader);
}

int SImgX_PNG::LoadFromFileW(LPCWSTR path)
{
    IPngReader_File reader(path);
    return Load(reader);
}

int SImgX_PNG::Load(IPngReader& reader)
{
    m_frames.clear();
    m_pixels.reset();
    m_playCount = 0;
    try {
        return Decode(reader);
    } catch (const std::bad_alloc&) {
        m_frames.clear();
        return 0;
    }
}

int SImgX_PNG::Decode(IPngReader& reader)
{
    png_byte signature[8];
    if (reader.Read(signature, sizeof(signature)) != sizeof(signature) || png_sig_cmp(signature, 0, 8) != 0)
        return 0;
    PngReadStruct read(reader);
    if (!read)
        return 0;
    png_structp png = read.Png();
    png_infop info = read.Info();
    png_set_sig_bytes(png, 8);

    PngHeader header;
    if (!ReadHeader(png, info, header) || header.width == 0 || header.height == 0 || header.frameCount == 0)
        return 0;
    const size_t stride = header.width * static_cast<size_t>(4);
    const std::uint64_t canvasBytes = std::uint64_t{stride} * header.height;
    std::unique_ptr<BYTE[]> pixels = Allocate(canvasBytes * header.frameCount);
    if (!pixels)
        return 0;
    std::vector<png_bytep> rows(header.height);   // enough for any frame: the canvas bounds them
    std::vector<int> delays(header.frameCount, 0);

    if (!header.animated) {
        if (!ReadRows(png, pixels.get(), header.height, stride, header.passes, rows.data()))
            return 0;
    } else {
        std::unique_ptr<BYTE[]> canvas = Allocate(canvasBytes);
        std::unique_ptr<BYTE[]> framePixels = Allocate(canvasBytes);
        std::unique_ptr<BYTE[]> saved;          // the canvas under a frame disposed to "previous"
        if (!canvas || !framePixels)
            return 0;
        std::memset(canvas.get(), 0, static_cast<size_t>(canvasBytes));
        if (header.firstFrameHidden
            && !ReadRows(png, framePixels.get(), header.height, stride, header.passes, rows.data()))
            return 0;
        for (png_uint_32 i = 0; i < header.frameCount; ++i) {
            FrameControl frame;
            if (!ReadFrameControl(png, info, frame))
                return 0;
            // libpng checks this too; the composition below must not rely on it.
            if (frame.width == 0 || frame.height == 0 || frame.width > header.width || frame.height > header.height
                || frame.x > header.width - frame.width || frame.y > header.height - frame.height)
                return 0;
            if (!ReadRows(png, framePixels.get(), frame.height, frame.width * static_cast<size_t>(4), header.passes,
                          rows.data()))
                return 0;
            // "previous" on the first frame clears, as there is nothing before it.
            const bool restore = frame.dispose == PNG_DISPOSE_OP_PREVIOUS && i > 0;
            if (restore) {
                if (!saved && !(saved = Allocate(canvasBytes)))
                    return 0;
                CopyArea(frame, canvas.get(), saved.get(), header.width);
            }
            Compose(frame, framePixels.get(), canvas.get(), header.width);
            std::memcpy(pixels.get() + i * static_cast<size_t>(canvasBytes), canvas.get(),
                        static_cast<size_t>(canvasBytes));
            delays[i] = DelayHundredths(frame.delayNum, frame.delayDen);
            if (restore)
                CopyArea(frame, saved.get(), canvas.get(), header.width);
            else if (frame.dispose != PNG_DISPOSE_OP_NONE)
                ClearArea(frame, canvas.get(), header.width);
        }
    }
    if (!PngTry(png, [&] { png_read_end(png, nullptr); }))
        return 0;

    const size_t pixelCount = static_cast<size_t>(canvasBytes / 4);
    m_frames.reserve(header.frameCount);
    for (png_uint_32 i = 0; i < header.frameCount; ++i) {
        BYTE* frame = pixels.get() + i * static_cast<size_t>(canvasBytes);
        PremultiplyRgbaToBgra(frame, pixelCount);
        m_frames.emplace_back(frame, header.width, header.height, delays[i]);
    }
    m_pixels = std::move(pixels);
    m_playCount = header.playCount;
    return static_cast<int>(m_frames.size());
}

}  // namespace SAKU
