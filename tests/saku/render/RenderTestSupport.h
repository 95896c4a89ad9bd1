#pragma once

// What the render tests share: the GDI render factory, targets and bitmaps made
// through it, and the stored pixels read back as 0xAARRGGBB words (premultiplied,
// as in memory).

#include "core/SAutoRef.h"
#include "render/IBitmap.h"
#include "render/IRenderFactory.h"
#include "render/IRenderTarget.h"
#include "render/RenderFactoryCreators.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace saku_test {

using Pixels = std::vector<std::uint32_t>;

class RenderTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SAKU::CreateRenderFactory_GDI(m_factory.Put())); }

    SAKU::SAutoRef<SAKU::IRenderTarget> MakeTarget(int width, int height)
    {
        SAKU::SAutoRef<SAKU::IRenderTarget> target;
        EXPECT_TRUE(m_factory->CreateRenderTarget(target.Put(), width, height));
        return target;
    }

    // A bitmap of the size holding `pixels` (row by row), or zeroed when none are given.
    SAKU::SAutoRef<SAKU::IBitmap> MakeBitmap(int width, int height, const Pixels& pixels = {})
    {
        SAKU::SAutoRef<SAKU::IBitmap> bitmap;
        EXPECT_TRUE(m_factory->CreateBitmap(bitmap.Put()));
        EXPECT_EQ(S_OK, bitmap->Init(width, height, pixels.empty() ? nullptr : pixels.data()));
        return bitmap;
    }

    // A bitmap of one colour.
    SAKU::SAutoRef<SAKU::IBitmap> SolidBitmap(int width, int height, std::uint32_t pixel)
    {
        return MakeBitmap(width, height, Pixels(size_t(width) * height, pixel));
    }

    SAKU::SAutoRef<SAKU::IRenderFactory> m_factory;
};

inline SAKU::IBitmap* CurrentBitmap(SAKU::IRenderTarget* target)
{
    return static_cast<SAKU::IBitmap*>(target->GetCurrentObject(SAKU::kRenderObjBitmap));
}

// Every stored pixel of the target's current bitmap, row by row.
inline Pixels ReadPixels(SAKU::IRenderTarget* target)
{
    ::GdiFlush();
    SAKU::IBitmap* const bitmap = CurrentBitmap(target);
    const auto* bits = static_cast<const std::uint32_t*>(bitmap->GetPixelBits());
    if (!bits)
        return {};
    return Pixels(bits, bits + size_t(bitmap->Width()) * bitmap->Height());
}

inline std::uint32_t PixelAt(const Pixels& pixels, int width, int x, int y)
{
    return pixels[size_t(y) * width + x];
}

// Fills the whole target with one stored pixel value.
inline void FillTarget(SAKU::IRenderTarget* target, std::uint32_t pixel)
{
    ::GdiFlush();
    SAKU::IBitmap* const bitmap = CurrentBitmap(target);
    auto* bits = static_cast<std::uint32_t*>(bitmap->LockPixelBits());
    std::fill_n(bits, size_t(bitmap->Width()) * bitmap->Height(), pixel);
}

// The stored pixel of a colour word 0xAABBGGRR, premultiplied.
inline std::uint32_t Stored(std::uint32_t colour)
{
    const std::uint32_t a = colour >> 24;
    const auto channel = [a](std::uint32_t byte) { return byte * a / 255; };
    return a << 24 | channel(colour & 0xFF) << 16 | channel((colour >> 8) & 0xFF) << 8 | channel((colour >> 16) & 0xFF);
}

// Keeps a drawing for the eye: the target's bitmap is written as NAME.png into the
// Windows folder that the environment variable names, when it names one.
inline void KeepPng(SAKU::IRenderTarget* target, const wchar_t* folderVariable, const wchar_t* name)
{
    const wchar_t* const folder = _wgetenv(folderVariable);
    if (!folder || !*folder)
        return;
    ::GdiFlush();
    CurrentBitmap(target)->Save((std::wstring(folder) + L"\\" + name + L".png").c_str(), GUID_NULL);
}

}  // namespace saku_test
