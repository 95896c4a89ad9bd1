// The GDI+ module's animations: a GIF's frames as GDI+ composes them, with the
// frame delays in milliseconds and the floor of 100 ms.

#include "DecoderFixtures.h"
#include "ScratchDir.h"

#include <gtest/gtest.h>

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
