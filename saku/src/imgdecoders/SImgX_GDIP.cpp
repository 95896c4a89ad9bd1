#include "imgdecoders/SImgX_GDIP.h"

#include "TComPtr.h"
#include "imgdecoders/GdipHandles.h"
#include "imgdecoders/ImgPixels.h"

#include <climits>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

namespace SAKU {

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

// {6AEDBD6D-3FB5-418A-83A6-7F45229DC872}
constexpr GUID kFrameDimensionTime = {0x6aedbd6d, 0x3fb5, 0x418a, {0x83, 0xa6, 0x7f, 0x45, 0x22, 0x9d, 0xc8, 0x72}};

constexpr std::uint64_t kMaxFrameBytes = 0x40000000;

// Locking a few megabytes at a time keeps GDI+'s converted copy of a large image
// small; only the frame itself is held whole.
constexpr UINT kBandBytes = 4 << 20;

// The bitmap's pixels, converted by GDI+ to straight 32bppARGB (bytes B, G, R, A),
// premultiplied into `target` (stride width x 4).
bool CopyPremultiplied(GpBitmap* bitmap, UINT width, UINT height, BYTE* target)
{
    const UINT bandRows = width * 4 >= kBandBytes ? 1 : kBandBytes / (width * 4);
    for (UINT top = 0; top < height; top += bandRows) {
        const UINT rows = height - top < bandRows ? height - top : bandRows;
        const GpRect area(0, static_cast<INT>(top), static_cast<INT>(width), static_cast<INT>(rows));
        BitmapData data = {};
        if (GdipBitmapLockBits(bitmap, &area, ImageLockModeRead, PixelFormat32bppARGB, &data) != Ok)
            return false;
        for (UINT y = 0; y < rows; ++y) {
            const BYTE* source = static_cast<const BYTE*>(data.Scan0) + static_cast<INT_PTR>(data.Stride) * y;
            PremultiplyBgra(source, target + (static_cast<size_t>(top) + y) * width * 4, width);
        }
        GdipBitmapUnlockBits(bitmap, &data);
    }
    return true;
}

// The frame delays in 1/100 s, one a frame; a frame the property does not reach
// gets 0. Empty when the image has no such property.
std::vector<UINT> ReadFrameDelays(GpBitmap* bitmap, UINT frameCount)
{
    std::vector<UINT> delays;
    UINT size = 0;
    if (GdipGetPropertyItemSize(bitmap, PropertyTagFrameDelay, &size) != Ok || size < sizeof(PropertyItem))
        return delays;
    std::vector<std::uint64_t> storage((size + 7) / 8);    // aligned for the item's header
    auto* item = reinterpret_cast<PropertyItem*>(storage.data());
    if (GdipGetPropertyItem(bitmap, PropertyTagFrameDelay, size, item) != Ok)
        return delays;
    // GDI+ puts the values after the header in the same block; read no further
    // than the property's length or the block, whichever ends first.
    const auto begin = reinterpret_cast<std::uintptr_t>(item);
    const auto values = reinterpret_cast<std::uintptr_t>(item->value);
    if (values < begin + sizeof(PropertyItem) || values > begin + size)
        return delays;
    const size_t available = begin + size - values;
    const size_t count = (item->length < available ? item->length : available) / 4;
    delays.assign(frameCount, 0);
    for (size_t i = 0; i < count && i < frameCount; ++i)
        std::memcpy(&delays[i], reinterpret_cast<const BYTE*>(values) + i * 4, 4);
    return delays;
}

// A frame delay of 1/100 s in milliseconds, with the floor of 100 ms that browsers
// give short GIF delays.
int DelayMilliseconds(UINT hundredths)
{
    constexpr UINT kMaxHundredths = INT_MAX / 10;
    if (hundredths < 11)
        return 100;
    return static_cast<int>((hundredths < kMaxHundredths ? hundredths : kMaxHundredths) * 10);
}

std::unique_ptr<BYTE[]> AllocateFrame(UINT width, UINT height)
{
    const std::uint64_t bytes = std::uint64_t{width} * height * 4;
    if (bytes == 0 || bytes > kMaxFrameBytes)
        return nullptr;
    return std::unique_ptr<BYTE[]>(new (std::nothrow) BYTE[static_cast<size_t>(bytes)]);
}

}  // namespace

SImgFrame_GDIP::SImgFrame_GDIP(std::unique_ptr<BYTE[]> pixels, UINT width, UINT height, int delay)
    : SImgFrameBits(pixels.get(), width, height, delay), m_pixels(std::move(pixels))
{
}

int SImgX_GDIP::LoadFromMemory(const void* data, size_t size)
{
    m_frames.clear();
    if (!data || size == 0)
        return 0;
    UniqueGlobalMemory memory(::GlobalAlloc(GMEM_FIXED, size));
    if (!memory)
        return 0;
    std::memcpy(memory.Get(), data, size);
    TComPtr<IStream> stream;
    if (FAILED(::CreateStreamOnHGlobal(memory.Get(), TRUE, stream.Put())))
        return 0;
    memory.Release();   // the stream frees it
    UniqueGdipBitmap bitmap;
    if (GdipCreateBitmapFromStream(stream.Get(), bitmap.Put()) != Ok)
        return 0;
    return Decode(bitmap.Get());
}

int SImgX_GDIP::LoadFromFileW(LPCWSTR path)
{
    m_frames.clear();
    UniqueGdipBitmap bitmap;
    if (!path || GdipCreateBitmapFromFile(path, bitmap.Put()) != Ok)
        return 0;
    return Decode(bitmap.Get());
}

// Data that GDI+ opens but cannot give pixels for yields no frame, never an empty one.
int SImgX_GDIP::Decode(GpBitmap* bitmap)
{
    UINT width = 0, height = 0;
    if (GdipGetImageWidth(bitmap, &width) != Ok || GdipGetImageHeight(bitmap, &height) != Ok)
        return 0;
    UINT frameCount = 0;
    if (GdipImageGetFrameCount(bitmap, &kFrameDimensionTime, &frameCount) != Ok || frameCount < 1)
        frameCount = 1;

    std::vector<SImgFrame_GDIP> frames;
    try {
        frames.reserve(frameCount);
        if (frameCount == 1) {
            std::unique_ptr<BYTE[]> pixels = AllocateFrame(width, height);
            if (!pixels || !CopyPremultiplied(bitmap, width, height, pixels.get()))
                return 0;
            frames.emplace_back(std::move(pixels), width, height, 0);
        } else {
            const std::vector<UINT> delays = ReadFrameDelays(bitmap, frameCount);
            UniqueGdipBitmap canvas;
            UniqueGdipGraphics graphics;
            if (GdipCreateBitmapFromScan0(static_cast<INT>(width), static_cast<INT>(height), 0, PixelFormat32bppARGB,
                                          nullptr, canvas.Put()) != Ok
                || GdipGetImageGraphicsContext(canvas.Get(), graphics.Put()) != Ok)
                return 0;
            for (UINT i = 0; i < frameCount; ++i) {
                std::unique_ptr<BYTE[]> pixels = AllocateFrame(width, height);
                if (!pixels || GdipImageSelectActiveFrame(bitmap, &kFrameDimensionTime, i) != Ok
                    || GdipGraphicsClear(graphics.Get(), 0) != Ok
                    || GdipDrawImageRectI(graphics.Get(), bitmap, 0, 0, static_cast<INT>(width),
                                          static_cast<INT>(height)) != Ok
                    || GdipFlush(graphics.Get(), FlushIntentionSync) != Ok
                    || !CopyPremultiplied(canvas.Get(), width, height, pixels.get()))
                    return 0;
                frames.emplace_back(std::move(pixels), width, height, DelayMilliseconds(i < delays.size() ? delays[i] : 0));
            }
        }
    } catch (const std::bad_alloc&) {
        return 0;
    }
    m_frames = std::move(frames);
    return static_cast<int>(m_frames.size());
}

}  // namespace SAKU
