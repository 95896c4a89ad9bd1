// Saving a bitmap through the image-decoder modules: the GDI+ module with the
// encoder of the format it is given, the PNG module always as PNG. ImageMagick
// reads the files back with the straight colours PNG holds.

#include "DecoderFixtures.h"
#include "ScratchDir.h"
#include "WinePath.h"

#include "render/IBitmap.h"
#include "render/IRenderFactory.h"
#include "render/RenderFactoryCreators.h"

#include "Win32Handles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tivala::test;
using SAKU::IBitmap;
using SAKU::IRenderFactory;
using SAKU::SAutoRef;

namespace {

// GDI+'s image format ids.
constexpr GUID kImageFormatPng = {0xb96b3caf, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
constexpr GUID kImageFormatUnknown = {0xb96b3ca9, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};

constexpr int kWidth = 3;
constexpr int kHeight = 2;

// Premultiplied B, G, R, A bytes and the straight RGBA (0xRRGGBBAA) they stand for.
const std::vector<std::uint32_t> kStraight = {
    0xFF0000FF, 0xFFFFFF80, 0x00000000,
    0xFF000080, 0x336699FF, 0x0000FF40,
};
const unsigned char kPremultiplied[] = {
    0x00, 0x00, 0xFF, 0xFF,  0x80, 0x80, 0x80, 0x80,  0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x80, 0x80,  0x99, 0x66, 0x33, 0xFF,  0x40, 0x00, 0x00, 0x40,
};

// A bitmap of the GDI render module holding kPremultiplied.
class ImgDecoderSave : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SAKU::CreateRenderFactory_GDI(m_renderFactory.Put()));
        ASSERT_TRUE(m_renderFactory);
        ASSERT_TRUE(m_renderFactory->CreateBitmap(m_bitmap.Put()));
        ASSERT_TRUE(m_bitmap);
        ASSERT_EQ(S_OK, m_bitmap->Init(kWidth, kHeight, kPremultiplied));
    }

    // The file as ImageMagick reads it: straight RGBA bytes.
    std::string ReadWithImageMagick(const std::wstring& name)
    {
        RunHostTool(m_scratch, "/usr/bin/convert " + Utf8(name) + " -depth 8 rgba:readback.rgba");
        return ReadScratch(m_scratch, L"readback.rgba");
    }

    ComApartment m_com;
    ScratchDir m_scratch;
    SAutoRef<IRenderFactory> m_renderFactory;
    SAutoRef<IBitmap> m_bitmap;
};

}  // namespace

TEST_F(ImgDecoderSave, PngKeepsStraightColours)
{
    const struct { const DecoderModule& module; const wchar_t* file; } cases[] = {
        {kDecoderModules[0], L"gdip.png"},
        {kDecoderModules[3], L"png.png"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.module.name);
        auto factory = CreateModule(c.module);
        ASSERT_EQ(S_OK, factory->SaveImage(m_bitmap.Get(), m_scratch.File(c.file).c_str(), kImageFormatPng));
        EXPECT_EQ(Describe(RgbaBytes(kStraight), kWidth), Describe(ReadWithImageMagick(c.file), kWidth));

        // The bitmap's own Save goes through the module it was given.
        m_renderFactory->SetImgDecoderFactory(factory.Get());
        ASSERT_EQ(S_OK, m_bitmap->Save(m_scratch.File(L"again.png").c_str(), kImageFormatPng));
        EXPECT_EQ(Describe(RgbaBytes(kStraight), kWidth), Describe(ReadWithImageMagick(L"again.png"), kWidth));
        m_renderFactory->SetImgDecoderFactory(nullptr);
    }
}

TEST_F(ImgDecoderSave, EachModuleAnswersAsItCan)
{
    const std::wstring path = m_scratch.File(L"out.png");
    const std::wstring noFolder = m_scratch.File(L"missing\\out.png");
    SAutoRef<IBitmap> empty;
    ASSERT_TRUE(m_renderFactory->CreateBitmap(empty.Put()));
    const struct {
        const DecoderModule& module;
        IBitmap* bitmap;
        const std::wstring& path;
        GUID format;
        HRESULT expected;
    } cases[] = {
        {kDecoderModules[0], nullptr,        path,     kImageFormatPng,     E_INVALIDARG},
        {kDecoderModules[0], m_bitmap.Get(), path,     kImageFormatUnknown, E_FAIL},   // no encoder for it
        {kDecoderModules[0], m_bitmap.Get(), noFolder, kImageFormatPng,     E_FAIL},
        {kDecoderModules[0], empty.Get(),    path,     kImageFormatPng,     E_FAIL},
        {kDecoderModules[1], m_bitmap.Get(), path,     kImageFormatPng,     E_FAIL},   // WIC saves nothing
        {kDecoderModules[2], m_bitmap.Get(), path,     kImageFormatPng,     E_NOTIMPL},
        {kDecoderModules[3], nullptr,        path,     kImageFormatPng,     E_INVALIDARG},
        {kDecoderModules[3], m_bitmap.Get(), noFolder, kImageFormatPng,     E_FAIL},
        {kDecoderModules[3], empty.Get(),    path,     kImageFormatPng,     E_FAIL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.module.name) + (c.bitmap ? c.bitmap == empty.Get() ? " empty" : "" : " null"));
        auto factory = CreateModule(c.module);
        EXPECT_EQ(c.expected, factory->SaveImage(c.bitmap, c.path.c_str(), c.format));
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(c.path.c_str())) << "a failed save leaves no file";
    }
}
