// The four image-decoder modules on the same fixtures: each, chosen by its
// start-up name, gives premultiplied BGRA frames of what ImageMagick wrote, and no
// frame at all for data it cannot decode.

#include "DecoderFixtures.h"
#include "ScratchDir.h"

#include "render/IBitmap.h"
#include "render/IRenderFactory.h"
#include "render/RenderFactoryCreators.h"

#include "Win32Handles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace tivala::test;

namespace {

constexpr UINT kWidth = 4;
constexpr UINT kHeight = 2;

// Straight 0xRRGGBBAA pixels whose premultiplied bytes need no rounding, with
// colour under zero alpha that must not survive.
const std::vector<std::uint32_t> kPixels = {
    0xFF0000FF, 0xFF000080, 0x12345600, 0x336699FF,
    0xFFFFFF80, 0x00FF0040, 0x0000FFC0, 0x000000FF,
};
// The same as the library holds them, B, G, R, A in memory.
const char kExpected[] =
    "0000ffff 00008080 00000000 996633ff\n"
    "80808080 00400040 c00000c0 000000ff\n";

// kPixels as an 8-bit RGBA PNG, "image.png" in the scratch folder; its bytes.
std::string MakeRgbaPng(const ScratchDir& scratch)
{
    ConvertRgba(scratch, kWidth, kHeight, RgbaBytes(kPixels), "PNG32:image.png");
    return ReadScratch(scratch, L"image.png");
}

std::string ReadIhdrColourType(const std::string& png)
{
    return png.size() > 25 ? std::to_string(static_cast<int>(png[25])) : "none";
}

}  // namespace

TEST(ImgDecoders, EachModuleIsCreatedEmptyUnderItsName)
{
    ComApartment com;
    for (const DecoderModule& module : kDecoderModules) {
        SCOPED_TRACE(module.name);
        auto factory = CreateModule(module);
        ASSERT_TRUE(factory);
        EXPECT_STREQ(module.description, factory->GetDescription());
        auto image = CreateImage(factory.Get());
        ASSERT_TRUE(image);
        EXPECT_EQ(0u, image->GetFrameCount());
        EXPECT_EQ(nullptr, image->GetFrame(0));
    }
}

TEST(ImgDecoders, PixelsArePremultipliedBgraFromMemoryAndFile)
{
    ComApartment com;
    ScratchDir scratch;
    // PNG32 forces 8-bit RGBA; ImageMagick's own choice for eight colours is a
    // palette with a transparency chunk.
    const struct { const char* output; const char* colourType; char interlace; } encodings[] = {
        {"PNG32:image.png", "6", 0},
        {"-interlace PNG PNG32:image.png", "6", 1},   // Adam7
        {"image.png", "3", 0},
    };
    for (const auto& encoding : encodings) {
        SCOPED_TRACE(encoding.output);
        ConvertRgba(scratch, kWidth, kHeight, RgbaBytes(kPixels), encoding.output);
        const std::string png = ReadScratch(scratch, L"image.png");
        ASSERT_EQ(encoding.colourType, ReadIhdrColourType(png));
        ASSERT_EQ(encoding.interlace, png[28]);
        if (std::string(encoding.colourType) == "3") {
            ASSERT_NE(std::string::npos, png.find("tRNS"));
        }
        for (const DecoderModule& module : kDecoderModules) {
            SCOPED_TRACE(module.name);
            auto factory = CreateModule(module);
            auto image = CreateImage(factory.Get());
            for (bool fromFile : {false, true}) {
                SCOPED_TRACE(fromFile ? "file" : "memory");
                ASSERT_EQ(1, LoadScratch(image.Get(), scratch, L"image.png", fromFile));
                const std::vector<DecodedFrame> frames = ReadFrames(image.Get());
                ASSERT_EQ(1u, frames.size());
                EXPECT_EQ(std::string("4x2\n") + kExpected, Describe(frames[0]));
                EXPECT_EQ(0, frames[0].delay);
            }
        }
    }
}

TEST(ImgDecoders, DataNoModuleDecodesGivesNoFrame)
{
    ComApartment com;
    ScratchDir scratch;
    const std::string png = MakeRgbaPng(scratch);
    const size_t idat = png.find("IDAT");
    ASSERT_NE(std::string::npos, idat);

    const struct { const char* name; std::string bytes; } cases[] = {
        {"empty", ""},
        {"text", "This is no image, whatever its name says."},
        {"signature only", png.substr(0, 8)},
        {"cut after the header", png.substr(0, 33)},
        {"cut inside the pixel data", png.substr(0, idat + 10)},
        {"zero bytes", std::string(4096, '\0')},
    };
    for (const DecoderModule& module : kDecoderModules) {
        SCOPED_TRACE(module.name);
        auto factory = CreateModule(module);
        auto image = CreateImage(factory.Get());
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            // A good image first: a failed load must also drop the frames it had.
            ASSERT_EQ(1, image->LoadFromMemory(png.data(), png.size()));
            EXPECT_EQ(0, image->LoadFromMemory(c.bytes.data(), c.bytes.size()));
            EXPECT_EQ(0u, image->GetFrameCount());
            EXPECT_EQ(nullptr, image->GetFrame(0));
        }
        EXPECT_EQ(0, image->LoadFromFileW(scratch.File(L"missing.png").c_str()));
        ASSERT_TRUE(scratch.Write(L"garbage.png", cases[1].bytes));
        EXPECT_EQ(0, image->LoadFromFileW(scratch.File(L"garbage.png").c_str()));
        EXPECT_EQ(0u, image->GetFrameCount());
    }
}

TEST(ImgDecoders, CopyPixelsRefusesABufferOneByteShort)
{
    ComApartment com;
    ScratchDir scratch;
    const std::string png = MakeRgbaPng(scratch);
    for (const DecoderModule& module : kDecoderModules) {
        SCOPED_TRACE(module.name);
        auto factory = CreateModule(module);
        auto image = CreateImage(factory.Get());
        ASSERT_EQ(1, image->LoadFromMemory(png.data(), png.size()));
        SAKU::IImgFrame* frame = image->GetFrame(0);
        ASSERT_NE(nullptr, frame);
        UINT width = 0, height = 0;
        ASSERT_TRUE(frame->GetSize(&width, &height));
        EXPECT_EQ(kWidth, width);
        EXPECT_EQ(kHeight, height);
        const UINT size = kWidth * kHeight * 4;
        std::string buffer(size + 1, '\x5A');   // the byte past the short buffer stays untouched
        EXPECT_FALSE(frame->CopyPixels(nullptr, kWidth * 4, size - 1, reinterpret_cast<BYTE*>(buffer.data())));
        EXPECT_EQ(std::string(size + 1, '\x5A'), buffer);
        EXPECT_TRUE(frame->CopyPixels(nullptr, kWidth * 4, size, reinterpret_cast<BYTE*>(buffer.data())));
        EXPECT_EQ(kExpected, Describe(buffer.substr(0, size), kWidth));
    }
}

TEST(ImgDecoders, NarrowPathsAreInTheAnsiCodePage)
{
    ComApartment com;
    ScratchDir scratch;
    (void)MakeRgbaPng(scratch);   // the test reads it by its narrow name
    const std::wstring wide = scratch.File(L"图片.png");
    ASSERT_TRUE(::CopyFileW(scratch.File(L"image.png").c_str(), wide.c_str(), TRUE));
    char narrow[MAX_PATH * 2] = {};
    BOOL lossy = FALSE;
    ASSERT_NE(0, ::WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, narrow, sizeof(narrow), nullptr, &lossy));
    ASSERT_FALSE(lossy) << "the ANSI code page cannot spell the name";
    // Longer than MAX_PATH: refused, not cut to another file's name.
    const std::string tooLong = std::string(narrow) + std::string(MAX_PATH, 'a');

    for (const DecoderModule& module : kDecoderModules) {
        SCOPED_TRACE(module.name);
        auto factory = CreateModule(module);
        auto image = CreateImage(factory.Get());
        ASSERT_EQ(1, image->LoadFromFileA(narrow));
        const std::vector<DecodedFrame> frames = ReadFrames(image.Get());
        ASSERT_EQ(1u, frames.size());
        EXPECT_EQ(kExpected, Describe(frames[0].bgra, kWidth));
        EXPECT_EQ(0, image->LoadFromFileA(tooLong.c_str()));
        EXPECT_EQ(0u, image->GetFrameCount());
    }
}

TEST(ImgDecoders, BitmapsLoadThroughEachModule)
{
    ComApartment com;
    ScratchDir scratch;
    const std::string png = MakeRgbaPng(scratch);
    const std::string garbage = "This is no image, whatever its name says.";
    SAKU::SAutoRef<SAKU::IRenderFactory> renderFactory;
    ASSERT_TRUE(SAKU::CreateRenderFactory_GDI(renderFactory.Put()));
    for (const DecoderModule& module : kDecoderModules) {
        SCOPED_TRACE(module.name);
        auto factory = CreateModule(module);
        renderFactory->SetImgDecoderFactory(factory.Get());
        SAKU::SAutoRef<SAKU::IBitmap> bitmap;
        ASSERT_TRUE(renderFactory->CreateBitmap(bitmap.Put()));
        // No frame is no picture: the bitmap stays empty rather than becoming 0 x 0 "loaded".
        EXPECT_EQ(S_FALSE, bitmap->LoadFromMemory(garbage.data(), garbage.size()));
        EXPECT_EQ(0, bitmap->Width());
        ASSERT_EQ(S_OK, bitmap->LoadFromMemory(png.data(), png.size()));
        ASSERT_EQ(static_cast<int>(kWidth), bitmap->Width());
        ASSERT_EQ(static_cast<int>(kHeight), bitmap->Height());
        const std::string pixels(static_cast<const char*>(bitmap->GetPixelBits()), kWidth * kHeight * 4);
        EXPECT_EQ(kExpected, Describe(pixels, kWidth));
        EXPECT_EQ(S_FALSE, bitmap->LoadFromMemory(garbage.data(), garbage.size()));
        EXPECT_EQ(static_cast<int>(kWidth), bitmap->Width()) << "a failed load leaves the bitmap as it was";
    }
    renderFactory->SetImgDecoderFactory(nullptr);
}

TEST(ImgDecoders, FramesDoNotNeedTheLoadedBytes)
{
    ComApartment com;
    ScratchDir scratch;
    const std::string png = MakeRgbaPng(scratch);
    for (const DecoderModule& module : kDecoderModules) {
        SCOPED_TRACE(module.name);
        auto factory = CreateModule(module);
        auto image = CreateImage(factory.Get());
        {
            std::vector<char> bytes(png.begin(), png.end());
            ASSERT_EQ(1, image->LoadFromMemory(bytes.data(), bytes.size()));
            std::fill(bytes.begin(), bytes.end(), '\0');   // the caller's bytes go away after the load
        }
        const std::vector<DecodedFrame> frames = ReadFrames(image.Get());
        ASSERT_EQ(1u, frames.size());
        EXPECT_EQ(kExpected, Describe(frames[0].bgra, kWidth));
    }
}
