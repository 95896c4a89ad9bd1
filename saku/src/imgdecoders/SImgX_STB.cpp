#include "imgdecoders/SImgX_STB.h"

#include "Win32Handles.h"
#include "imgdecoders/ImgPixels.h"

#include <stb_image.h>

#include <climits>
#include <cstdio>

namespace SAKU {

SImgFrame_STB::SImgFrame_STB(Pixels pixels, UINT width, UINT height)
    : SImgFrameBits(pixels.get(), width, height, 0), m_pixels(std::move(pixels))
{
}

int SImgX_STB::LoadFromMemory(const void* data, size_t size)
{
    m_frames.clear();
    if (!data || size == 0 || size > INT_MAX)
        return 0;
    int width = 0, height = 0, channels = 0;
    BYTE* pixels = stbi_load_from_memory(static_cast<const stbi_uc*>(data), static_cast<int>(size),
                                         &width, &height, &channels, 4);
    return Adopt(pixels, width, height);
}

int SImgX_STB::LoadFromFileW(LPCWSTR path)
{
    m_frames.clear();
    if (!path)
        return 0;
    const UniqueStdioFile file(::_wfopen(path, L"rb"));
    if (!file)
        return 0;
    int width = 0, height = 0, channels = 0;
    BYTE* pixels = stbi_load_from_file(file.Get(), &width, &height, &channels, 4);
    return Adopt(pixels, width, height);
}

// Takes over stb_image's result (null when it failed) as the only frame.
int SImgX_STB::Adopt(BYTE* pixels, int width, int height)
{
    SImgFrame_STB::Pixels owned(pixels, stbi_image_free);
    if (!owned || width <= 0 || height <= 0)
        return 0;
    PremultiplyRgbaToBgra(owned.get(), static_cast<size_t>(width) * height);
    m_frames.emplace_back(std::move(owned), static_cast<UINT>(width), static_cast<UINT>(height));
    return 1;
}

}  // namespace SAKU
