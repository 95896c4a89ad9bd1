// The GDI bitmap: initialising, a failed re-initialisation, cloning and scaling, and
// loading and saving through the factory's image decoders (a small decoder of the
// test's own: "RAW4", width, height, then premultiplied BGRA pixels).

#include "RenderTestSupport.h"

#include "HostCommand.h"
#include "ScratchDir.h"
#include "Win32Handles.h"
#include "core/IObjRef.h"
#include "render/IImgDecoder.h"
#include "render/ImgDecoderCreators.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace SAKU;
using saku_test::Pixels;

namespace {

// One frame of the test format; GetSize fails for a frame without pixels, as the
// decoder modules do.
class RawFrame : public IImgFrame {
public:
    BOOL GetSize(UINT* width, UINT* height) override
    {
        *width = m_width;
        *height = m_height;
        return !m_pixels.empty();
    }
    BOOL CopyPixels(const RECT*, UINT stride, UINT size, BYTE* buffer) override
    {
        if (stride != m_width * 4 || size != m_pixels.size() * 4)
            return FALSE;
        std::memcpy(buffer, m_pixels.data(), size);
        return TRUE;
    }
    int GetDelay() override { return 0; }

    UINT m_width = 0;
    UINT m_height = 0;
    Pixels m_pixels;
};

class RawImage : public TObjRefImpl<IImgX> {
public:
    int LoadFromMemory(const void* data, size_t size) override
    {
        m_loaded = false;
        std::uint32_t header[3];
        if (size < sizeof(header))
            return 0;
        std::memcpy(header, data, sizeof(header));
        const size_t count = size_t(header[1]) * header[2];
        if (std::memcmp(header, "RAW4", 4) != 0 || size != sizeof(header) + count * 4)
            return 0;
        m_frame.m_width = header[1];
        m_frame.m_height = header[2];
        m_frame.m_pixels.resize(count);
        std::memcpy(m_frame.m_pixels.data(), static_cast<const BYTE*>(data) + sizeof(header), count * 4);
        m_loaded = true;
        return 1;
    }
    int LoadFromFileA(LPCSTR) override { return 0; }
    int LoadFromFileW(LPCWSTR path) override
    {
        std::string bytes;
        return tivala::test::ScratchDir::Read(path, bytes) ? LoadFromMemory(bytes.data(), bytes.size()) : 0;
    }
    UINT GetFrameCount() override { return m_loaded ? 1 : 0; }
    IImgFrame* GetFrame(UINT index) override { return m_loaded && index == 0 ? &m_frame : nullptr; }

private:
    RawFrame m_frame;
    bool m_loaded = false;
};

class RawDecoders : public TObjRefImpl<IImgDecoderFactory> {
public:
    BOOL CreateImgX(IImgX** image) override
    {
        *image = new RawImage();
        return TRUE;
    }
    HRESULT SaveImage(IBitmap* bitmap, LPCWSTR path, REFGUID) override
    {
        m_saved = bitmap;
        m_path = path;
        return S_OK;
    }
    LPCWSTR GetDescription() const override { return L"raw"; }

    IBitmap* m_saved = nullptr;
    std::wstring m_path;
};

std::string RawBytes(std::uint32_t width, std::uint32_t height, const Pixels& pixels)
{
    std::string bytes("RAW4");
    bytes.append(reinterpret_cast<const char*>(&width), 4);
    bytes.append(reinterpret_cast<const char*>(&height), 4);
    bytes.append(reinterpret_cast<const char*>(pixels.data()), pixels.size() * 4);
    return bytes;
}

Pixels BitmapPixels(IBitmap* bitmap)
{
    ::GdiFlush();
    const auto* bits = static_cast<const std::uint32_t*>(bitmap->GetPixelBits());
    return bits ? Pixels(bits, bits + size_t(bitmap->Width()) * bitmap->Height()) : Pixels();
}

class GdiBitmap : public saku_test::RenderTest {
protected:
    void SetUp() override
    {
        RenderTest::SetUp();
        m_decoders = SAutoRef<RawDecoders>::Adopt(new RawDecoders());
        m_factory->SetImgDecoderFactory(m_decoders.Get());
    }

    SAutoRef<IBitmap> Empty()
    {
        SAutoRef<IBitmap> bitmap;
        EXPECT_TRUE(m_factory->CreateBitmap(bitmap.Put()));
        return bitmap;
    }

    SAutoRef<RawDecoders> m_decoders;
};

}  // namespace

TEST_F(GdiBitmap, InitZeroesOrCopiesExactlyItsPixels)
{
    SAutoRef<IBitmap> bitmap = Empty();
    EXPECT_EQ(kRenderObjBitmap, bitmap->ObjectType());
    EXPECT_STREQ(L"bitmap", bitmap->GetObjectClass());
    EXPECT_EQ(m_factory.Get(), bitmap->GetRenderFactory());
    EXPECT_EQ(nullptr, bitmap->GetPixelBits());
    ASSERT_EQ(S_OK, bitmap->Init(2, 3, nullptr));
    EXPECT_EQ(Pixels(6, 0), BitmapPixels(bitmap.Get()));
    const Pixels source = {1, 2, 3, 4, 5, 6, 7};       // one more than 2 x 3
    ASSERT_EQ(S_OK, bitmap->Init(2, 3, source.data()));
    EXPECT_EQ(Pixels(source.begin(), source.begin() + 6), BitmapPixels(bitmap.Get()));
    EXPECT_EQ(2, bitmap->Size().cx);
    EXPECT_EQ(3, bitmap->Size().cy);
}

TEST_F(GdiBitmap, FailedReinitialisationLeavesAnEmptyBitmap)
{
    SAutoRef<IBitmap> bitmap = SolidBitmap(4, 4, 0xFFFFFFFF);
    EXPECT_EQ(E_OUTOFMEMORY, bitmap->Init(30000, 30000, nullptr));
    EXPECT_EQ(0, bitmap->Width());
    EXPECT_EQ(0, bitmap->Height());
    EXPECT_EQ(nullptr, bitmap->GetPixelBits());
    EXPECT_EQ(E_INVALIDARG, bitmap->Init(-1, 4, nullptr));
    EXPECT_EQ(0, bitmap->Width());
}

TEST_F(GdiBitmap, CloneAndScaleMakeNewBitmaps)
{
    SAutoRef<IBitmap> bitmap = MakeBitmap(2, 2, {0xFF0000FF, 0xFF00FF00, 0xFFFF0000, 0x80808080});
    SAutoRef<IBitmap> clone;
    ASSERT_EQ(S_OK, bitmap->Clone(clone.Put()));
    EXPECT_NE(bitmap.Get(), clone.Get());
    EXPECT_EQ(BitmapPixels(bitmap.Get()), BitmapPixels(clone.Get()));
    SAutoRef<IBitmap> same;
    ASSERT_EQ(S_OK, bitmap->Scale(same.Put(), 2, 2, 0));
    EXPECT_NE(bitmap.Get(), same.Get());
    EXPECT_EQ(BitmapPixels(bitmap.Get()), BitmapPixels(same.Get()));
    SAutoRef<IBitmap> doubled;
    ASSERT_EQ(S_OK, bitmap->Scale(doubled.Put(), 4, 4, 0));
    EXPECT_EQ(Pixels({0xFF0000FF, 0xFF0000FF, 0xFF00FF00, 0xFF00FF00, 0xFF0000FF, 0xFF0000FF, 0xFF00FF00, 0xFF00FF00,
                      0xFFFF0000, 0xFFFF0000, 0x80808080, 0x80808080, 0xFFFF0000, 0xFFFF0000, 0x80808080, 0x80808080}),
              BitmapPixels(doubled.Get()));
}

TEST_F(GdiBitmap, ScaleByPercentRoundsTheSize)
{
    SAutoRef<IBitmap> bitmap = SolidBitmap(10, 7, 0xFFFFFFFF);
    SAutoRef<IBitmap> scaled;
    ASSERT_EQ(S_OK, bitmap->ScaleByPercent(scaled.Put(), 150, 0));
    EXPECT_EQ(15, scaled->Width());
    EXPECT_EQ(11, scaled->Height());                   // 10.5 rounds up
    EXPECT_EQ(Pixels(15 * 11, 0xFFFFFFFF), BitmapPixels(scaled.Get()));
}

TEST_F(GdiBitmap, LoadsTheFirstFrameThroughTheDecoders)
{
    const Pixels pixels = {0xFF0000FF, 0x80800000, 0, 0xFFFFFFFF, 1, 2};
    const std::string bytes = RawBytes(3, 2, pixels);
    SAutoRef<IBitmap> bitmap = Empty();
    ASSERT_EQ(S_OK, bitmap->LoadFromMemory(bytes.data(), bytes.size()));
    EXPECT_EQ(3, bitmap->Width());
    EXPECT_EQ(pixels, BitmapPixels(bitmap.Get()));

    tivala::test::ScratchDir dir;
    ASSERT_TRUE(dir.Write(L"image.raw", RawBytes(1, 1, {0x80402010})));
    ASSERT_EQ(S_OK, bitmap->LoadFromFile(dir.File(L"image.raw").c_str()));
    EXPECT_EQ(Pixels({0x80402010}), BitmapPixels(bitmap.Get()));
}

TEST_F(GdiBitmap, DataWithoutAFrameLeavesTheBitmapAsItWas)
{
    SAutoRef<IBitmap> bitmap = Empty();
    const std::string garbage = "not an image at all";
    EXPECT_EQ(S_FALSE, bitmap->LoadFromMemory(garbage.data(), garbage.size()));
    EXPECT_EQ(0, bitmap->Width());
    EXPECT_EQ(0, bitmap->Height());
    ASSERT_EQ(S_OK, bitmap->Init(2, 2, nullptr));
    EXPECT_EQ(S_FALSE, bitmap->LoadFromFile(L"C:\\no such folder\\image.raw"));
    EXPECT_EQ(2, bitmap->Width());
    // Without a decoder module nothing loads.
    m_factory->SetImgDecoderFactory(nullptr);
    const std::string bytes = RawBytes(1, 1, {0xFFFFFFFF});
    EXPECT_EQ(S_FALSE, bitmap->LoadFromMemory(bytes.data(), bytes.size()));
}

TEST_F(GdiBitmap, SavesThroughTheDecoders)
{
    SAutoRef<IBitmap> bitmap = SolidBitmap(2, 2, 0xFFFFFFFF);
    ASSERT_EQ(S_OK, bitmap->Save(L"C:\\out.png", GUID()));
    EXPECT_EQ(bitmap.Get(), m_decoders->m_saved);
    EXPECT_EQ(L"C:\\out.png", m_decoders->m_path);
    m_factory->SetImgDecoderFactory(nullptr);
    EXPECT_EQ(E_UNEXPECTED, bitmap->Save(L"C:\\out.png", GUID()));
}

TEST_F(GdiBitmap, EveryDecoderModuleLoadsAPngAndRefusesGarbage)
{
    const ComApartment com;   // the WIC module needs it
    const struct {
        const char* name;
        BOOL (*create)(IImgDecoderFactory**);
    } modules[] = {
        {"gdip", CreateImgDecoderFactory_GDIP},
        {"wic", CreateImgDecoderFactory_WIC},
        {"stb", CreateImgDecoderFactory_STB},
        {"png", CreateImgDecoderFactory_PNG},
    };
    tivala::test::ScratchDir scratch;
    std::string output;
    ASSERT_EQ(0, tivala::test::HostCommand::Run("/usr/bin/convert -size 3x2 xc:'rgba(255,0,0,0.5)' PNG32:half.png",
                                                scratch.UnixPath(), 60000, &output)
                     .value_or(-1))
        << output;
    for (const auto& module : modules) {
        SCOPED_TRACE(module.name);
        SAutoRef<IImgDecoderFactory> decoders;
        ASSERT_TRUE(module.create(decoders.Put()));
        m_factory->SetImgDecoderFactory(decoders.Get());
        SAutoRef<IBitmap> bitmap = Empty();
        const std::string garbage(64, '\x5A');
        EXPECT_EQ(S_FALSE, bitmap->LoadFromMemory(garbage.data(), garbage.size()));
        EXPECT_EQ(0, bitmap->Width());
        EXPECT_EQ(0, bitmap->Height());
        ASSERT_EQ(S_OK, bitmap->LoadFromFile(scratch.File(L"half.png").c_str()));
        EXPECT_EQ(Pixels(6, 0x7F7F0000), BitmapPixels(bitmap.Get()));   // ImageMagick stores alpha 0.5 as 127
    }
}
