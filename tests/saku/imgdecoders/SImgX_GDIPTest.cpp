// The GDI+ module's animations: a GIF's frames as GDI+ composes them, with the
// frame delays in milliseconds and the floor of 100 ms.

#include "DecoderFixtures.h"
#include "ScratchDir.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

using namespace tivala::test;

TEST(SImgX_GDIP, GifFramesWithDelaysInMilliseconds)
{
    ScratchDir scratch;
    // Delays in 1/100 s; 5 and 0 are below the floor.
    RunHostTool(scratch, "/usr/bin/convert -size 3x2 -delay 5 xc:red -delay 20 xc:blue -delay 150 'xc:#00FF00' "
                         "-delay 0 xc:white anim.gif");
    const struct { int delay; const char* pixel; } expected[] = {
        {100, "0000ffff"}, {200, "ff0000ff"}, {1500, "00ff00ff"}, {100, "ffffffff"},
    };

    auto factory = CreateModule(kDecoderModules[0]);
    auto image = CreateImage(factory.Get());
    for (bool fromFile : {false, true}) {
        SCOPED_TRACE(fromFile ? "file" : "memory");
        ASSERT_EQ(4, LoadScratch(image.Get(), scratch, L"anim.gif", fromFile));
        const std::vector<DecodedFrame> frames = ReadFrames(image.Get());
        ASSERT_EQ(4u, frames.size());
        for (size_t i = 0; i < frames.size(); ++i) {
            SCOPED_TRACE("frame " + std::to_string(i));
            const std::string pixel = expected[i].pixel;
            EXPECT_EQ("3x2\n" + pixel + " " + pixel + " " + pixel + "\n" + pixel + " " + pixel + " " + pixel + "\n",
                      Describe(frames[i]));
            EXPECT_EQ(expected[i].delay, frames[i].delay);
        }
    }
}

TEST(SImgX_GDIP, StillImageHasNoDelay)
{
    ScratchDir scratch;
    RunHostTool(scratch, "/usr/bin/convert -size 2x2 -delay 40 xc:blue still.gif");
    const std::string gif = ReadScratch(scratch, L"still.gif");
    auto factory = CreateModule(kDecoderModules[0]);
    auto image = CreateImage(factory.Get());
    ASSERT_EQ(1, image->LoadFromMemory(gif.data(), gif.size()));
    const std::vector<DecodedFrame> frames = ReadFrames(image.Get());
    ASSERT_EQ(1u, frames.size());
    EXPECT_EQ(0, frames[0].delay);
    EXPECT_EQ("2x2\nff0000ff ff0000ff\nff0000ff ff0000ff\n", Describe(frames[0]));
}

namespace {

// A 2 x 1 GIF of red (colour 0) or blue (colour 1) frames, written here because
// no tool leaves out a frame's graphic control extension, the block that holds its
// delay. `delays` gives each frame's delay in 1/100 s, -1 for none.
std::string GifWithoutSomeDelays(const std::vector<int>& delays)
{
    std::string gif = "GIF89a";
    const auto put = [&gif](std::initializer_list<unsigned> bytes) {
        for (unsigned byte : bytes)
            gif += static_cast<char>(byte);
    };
    put({0x02, 0x00, 0x01, 0x00, 0x80, 0x00, 0x00});      // 2 x 1 screen with a 2-colour table
    put({0xFF, 0x00, 0x00, 0x00, 0x00, 0xFF});            // red, blue
    for (size_t i = 0; i < delays.size(); ++i) {
        const unsigned delay = static_cast<unsigned>(delays[i]);
        if (delays[i] >= 0)
            put({0x21, 0xF9, 0x04, 0x00, delay & 0xFF, delay >> 8, 0x00, 0x00});
        put({0x2C, 0x00, 0x00, 0x00, 0x00, 0x02, 0x00, 0x01, 0x00, 0x00});
        // LZW with 2-bit colours: clear (4), the colour twice, end (5), 3 bits each.
        const unsigned colour = i % 2;
        const unsigned codes = 4 | colour << 3 | colour << 6 | 5 << 9;
        put({0x02, 0x02, codes & 0xFF, codes >> 8, 0x00});
    }
    put({0x3B});
    return gif;
}

}  // namespace

TEST(SImgX_GDIP, FrameWithoutItsOwnDelayGetsTheFloor)
{
    const std::string gif = GifWithoutSomeDelays({30, -1, -1});
    auto factory = CreateModule(kDecoderModules[0]);
    auto image = CreateImage(factory.Get());
    ASSERT_EQ(3, image->LoadFromMemory(gif.data(), gif.size()));
    const std::vector<DecodedFrame> frames = ReadFrames(image.Get());
    ASSERT_EQ(3u, frames.size());
    const struct { int delay; const char* pixels; } expected[] = {
        {300, "2x1\n0000ffff 0000ffff\n"}, {100, "2x1\nff0000ff ff0000ff\n"}, {100, "2x1\n0000ffff 0000ffff\n"},
    };
    for (size_t i = 0; i < frames.size(); ++i) {
        SCOPED_TRACE("frame " + std::to_string(i));
        EXPECT_EQ(expected[i].pixels, Describe(frames[i]));
        EXPECT_EQ(expected[i].delay, frames[i].delay);
    }
}
