// The PNG module's animations: apngasm's optimised frames (offsets, both blends,
// the three disposals) compose back into the frames it was given; frames written
// with libpng's own animation API show the "over" blend, the delay units and the
// refusal of a frame that leaves the canvas.

#include "DecoderFixtures.h"
#include "ScratchDir.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

using namespace tivala::test;

namespace {

// One frame's control chunk as the file holds it.
struct FrameControl {
    std::uint32_t width, height, x, y;
    std::uint16_t delayNum, delayDen;
    std::uint8_t dispose, blend;
};

std::uint32_t Big32(const std::string& bytes, size_t at)
{
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at])) << 24 |
           static_cast<unsigned char>(bytes[at + 1]) << 16 | static_cast<unsigned char>(bytes[at + 2]) << 8 |
           static_cast<unsigned char>(bytes[at + 3]);
}

void PutBig32(std::string& bytes, size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>(value >> (24 - 8 * i));
}

// The offsets of the data of every chunk of the type, in file order.
std::vector<size_t> ChunkData(const std::string& png, const char* type)
{
    std::vector<size_t> found;
    for (size_t at = 8; at + 12 <= png.size(); at += 12 + Big32(png, at))
        if (png.compare(at + 4, 4, type) == 0)
            found.push_back(at + 8);
    return found;
}

std::vector<FrameControl> FrameControls(const std::string& png)
{
    std::vector<FrameControl> controls;
    for (size_t data : ChunkData(png, "fcTL")) {
        const auto u16 = [&](size_t at) { return static_cast<std::uint16_t>(Big32(png, data + at - 2) & 0xFFFF); };
        controls.push_back({Big32(png, data + 4), Big32(png, data + 8), Big32(png, data + 12), Big32(png, data + 16),
                            u16(20), u16(22), static_cast<std::uint8_t>(png[data + 24]),
                            static_cast<std::uint8_t>(png[data + 25])});
    }
    return controls;
}

// Rewrites an fcTL field (offset into the chunk's data) and the chunk's CRC.
void PatchFrameControl(std::string& png, size_t data, size_t field, std::uint32_t value)
{
    PutBig32(png, data + field, value);
    const auto* chunk = reinterpret_cast<const Bytef*>(png.data() + data - 4);
    PutBig32(png, data + 26, static_cast<std::uint32_t>(crc32(0, chunk, 4 + 26)));
}

// --- animations written with libpng's API -----------------------------------

constexpr size_t kMaxRows = 4;

// Plain data only: libpng leaves a failure by longjmp.
struct WriteFrame {
    png_uint_32 width, height, x, y;
    png_uint_16 delayNum, delayDen;
    png_byte dispose, blend;
    png_bytep rows[kMaxRows];
};

struct WrittenPng {
    unsigned char bytes[16384];
    size_t size;
};

[[noreturn]] void OnWriteError(png_structp png, png_const_charp) noexcept
{
    png_longjmp(png, 1);
}

void WriteData(png_structp png, png_bytep data, size_t length) noexcept
{
    auto* out = static_cast<WrittenPng*>(png_get_io_ptr(png));
    if (length > sizeof(out->bytes) - out->size)
        png_error(png, "the test's buffer is full");
    std::memcpy(out->bytes + out->size, data, length);
    out->size += length;
}

void WriteFrames(png_structp png, png_infop info, png_uint_32 width, png_uint_32 height, WriteFrame* frames,
                 png_uint_32 count) noexcept
{
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_acTL(png, info, count, 0);
    png_write_info(png, info);
    for (png_uint_32 i = 0; i < count; ++i) {
        WriteFrame& f = frames[i];
        png_write_frame_head(png, info, f.rows, f.width, f.height, f.x, f.y, f.delayNum, f.delayDen, f.dispose,
                             f.blend);
        png_write_image(png, f.rows);
        png_write_frame_tail(png, info);
    }
    png_write_end(png, info);
}

bool WriteApngCore(png_uint_32 width, png_uint_32 height, WriteFrame* frames, png_uint_32 count,
                   WrittenPng& out) noexcept
{
    out.size = 0;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnWriteError, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    png_set_write_fn(png, &out, WriteData, nullptr);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    WriteFrames(png, info, width, height, frames, count);
    png_destroy_write_struct(&png, &info);
    return true;
}

struct FrameSpec {
    png_uint_32 width, height, x, y;
    png_uint_16 delayNum, delayDen;
    png_byte dispose, blend;
    std::vector<std::uint32_t> pixels;   // straight 0xRRGGBBAA
};

std::string WriteApng(png_uint_32 width, png_uint_32 height, const std::vector<FrameSpec>& specs)
{
    std::vector<std::string> pixels;
    std::vector<WriteFrame> frames;
    for (const FrameSpec& spec : specs) {
        pixels.push_back(RgbaBytes(spec.pixels));
        EXPECT_LE(spec.height, kMaxRows);
        EXPECT_EQ(spec.width * spec.height, spec.pixels.size());
    }
    for (size_t i = 0; i < specs.size(); ++i) {
        const FrameSpec& s = specs[i];
        WriteFrame frame = {s.width, s.height, s.x, s.y, s.delayNum, s.delayDen, s.dispose, s.blend, {}};
        for (png_uint_32 y = 0; y < s.height && y < kMaxRows; ++y)
            frame.rows[y] = reinterpret_cast<png_bytep>(pixels[i].data()) + y * s.width * 4;
        frames.push_back(frame);
    }
    auto out = std::make_unique<WrittenPng>();
    EXPECT_TRUE(WriteApngCore(width, height, frames.data(), static_cast<png_uint_32>(frames.size()), *out));
    return std::string(reinterpret_cast<const char*>(out->bytes), out->size);
}

std::vector<DecodedFrame> DecodeWithPngModule(const std::string& bytes, int expectedCount)
{
    auto factory = CreateModule(kDecoderModules[3]);
    auto image = CreateImage(factory.Get());
    EXPECT_EQ(expectedCount, image->LoadFromMemory(bytes.data(), bytes.size()));
    return ReadFrames(image.Get());
}

// --- animations made by apngasm ---------------------------------------------

// ImageMagick draws each frame; apngasm assembles and optimises them. `options`
// go to apngasm ("-f" hides the first frame).
struct Animation {
    const char* name;
    std::vector<const char*> frames;   // convert arguments of each frame
    const char* options;
};

const Animation kOnOpaque = {
    "sub-frames over an opaque background",
    {
        "-size 8x6 xc:red",
        "-size 8x6 xc:red -fill blue -draw 'point 2,1' -draw 'point 5,3'",
        "-size 8x6 xc:red -fill lime -draw 'point 6,4'",
        "-size 8x6 xc:none -fill '#0000FF80' -draw 'rectangle 1,1 6,4'",
        "-size 8x6 xc:none -fill '#0000FF80' -draw 'rectangle 1,1 6,4' -fill white -draw 'point 3,2'",
        "-size 8x6 xc:red -fill blue -draw 'point 2,1' -draw 'point 5,3'",
    },
    "",
};

const Animation kOnTransparent = {
    "sub-frames over a transparent background",
    {
        "-size 8x6 xc:none -fill blue -draw 'rectangle 0,0 1,1'",
        "-size 8x6 xc:none -fill blue -draw 'rectangle 0,0 1,1' -fill red -draw 'rectangle 4,3 5,4'",
        "-size 8x6 xc:none -fill blue -draw 'rectangle 0,0 1,1' -fill '#FF000080' -draw 'rectangle 5,4 6,5'",
        "-size 8x6 xc:none -fill blue -draw 'rectangle 0,0 1,1'",
    },
    "",
};

// Makes the animation in the scratch folder as anim.png, with the delays
// (numerator/denominator) written beside each frame for apngasm; returns each
// frame's expected pixels, premultiplied.
std::vector<std::string> MakeAnimation(const ScratchDir& scratch, const Animation& animation,
                                       const std::vector<std::string>& delays)
{
    std::string command;
    std::vector<std::string> expected;
    for (size_t i = 0; i < animation.frames.size(); ++i) {
        const std::string name = "f" + std::to_string(i + 1);
        command += "/usr/bin/convert " + std::string(animation.frames[i]) + " PNG32:" + name + ".png && " +
                   "/usr/bin/convert " + name + ".png -depth 8 rgba:" + name + ".rgba && ";
        if (i < delays.size())
            command += "printf 'delay=" + delays[i] + "\\n' > " + name + ".txt && ";
    }
    RunHostTool(scratch, command + "apngasm anim.png f1.png " + animation.options + " > /dev/null");
    for (size_t i = 0; i < animation.frames.size(); ++i)
        expected.push_back(PremultipliedBgra(ReadScratch(scratch, L"f" + std::to_wstring(i + 1) + L".rgba")));
    return expected;
}

}  // namespace

TEST(SImgX_PNG, ApngasmAnimationsComposeBackIntoTheirFrames)
{
    for (const Animation* animation : {&kOnOpaque, &kOnTransparent}) {
        SCOPED_TRACE(animation->name);
        ScratchDir scratch;
        const std::vector<std::string> expected = MakeAnimation(scratch, *animation, {});
        const std::string apng = ReadScratch(scratch, L"anim.png");

        // The file must use what this test is about: frames at an offset, and
        // between the two animations every disposal and both blends.
        const std::vector<FrameControl> controls = FrameControls(apng);
        ASSERT_EQ(expected.size(), controls.size());
        std::set<int> operations;
        bool offset = false;
        for (const FrameControl& control : controls) {
            operations.insert(control.dispose * 10 + control.blend);
            offset = offset || control.x > 0 || control.y > 0;
        }
        EXPECT_TRUE(offset);
        if (animation == &kOnOpaque) {
            EXPECT_TRUE(operations.count(PNG_DISPOSE_OP_PREVIOUS * 10 + PNG_BLEND_OP_OVER));
        } else {
            EXPECT_TRUE(operations.count(PNG_DISPOSE_OP_BACKGROUND * 10 + PNG_BLEND_OP_SOURCE));
        }

        const std::vector<DecodedFrame> frames = DecodeWithPngModule(apng, static_cast<int>(expected.size()));
        ASSERT_EQ(expected.size(), frames.size());
        for (size_t i = 0; i < frames.size(); ++i) {
            SCOPED_TRACE("frame " + std::to_string(i));
            EXPECT_EQ("8x6\n" + Describe(expected[i], 8), Describe(frames[i]));
        }
    }
}

TEST(SImgX_PNG, DelaysAreInHundredthsOfASecond)
{
    const struct { png_uint_16 numerator, denominator; int hundredths; } delays[] = {
        {7, 100, 7}, {3, 20, 15}, {25, 1000, 2}, {1, 10, 10}, {2, 3, 66},
    };
    ScratchDir scratch;
    Animation animation = {"a frame per delay",
                           {"-size 2x1 xc:red", "-size 2x1 xc:lime", "-size 2x1 xc:blue", "-size 2x1 xc:white",
                            "-size 2x1 xc:black"}, ""};
    std::vector<std::string> written;
    for (const auto& delay : delays)
        written.push_back(std::to_string(delay.numerator) + "/" + std::to_string(delay.denominator));
    MakeAnimation(scratch, animation, written);
    const std::string apng = ReadScratch(scratch, L"anim.png");
    const std::vector<FrameControl> controls = FrameControls(apng);
    ASSERT_EQ(std::size(delays), controls.size());
    const std::vector<DecodedFrame> frames = DecodeWithPngModule(apng, static_cast<int>(std::size(delays)));
    ASSERT_EQ(std::size(delays), frames.size());
    for (size_t i = 0; i < frames.size(); ++i) {
        SCOPED_TRACE(written[i]);
        ASSERT_EQ(delays[i].numerator, controls[i].delayNum);
        ASSERT_EQ(delays[i].denominator, controls[i].delayDen);
        EXPECT_EQ(delays[i].hundredths, frames[i].delay);
    }

    // A denominator of 0 means hundredths; apngasm never writes one.
    const std::string zero = WriteApng(1, 1, {{1, 1, 0, 0, 9, 0, PNG_DISPOSE_OP_NONE, PNG_BLEND_OP_SOURCE, {0xFF0000FF}}});
    const std::vector<DecodedFrame> zeroFrames = DecodeWithPngModule(zero, 1);
    ASSERT_EQ(1u, zeroFrames.size());
    EXPECT_EQ(9, zeroFrames[0].delay);
}

TEST(SImgX_PNG, HiddenDefaultImageIsNoFrame)
{
    ScratchDir scratch;
    Animation animation = kOnTransparent;
    animation.options = "-f";
    const std::vector<std::string> expected = MakeAnimation(scratch, animation, {});
    const std::string apng = ReadScratch(scratch, L"anim.png");
    ASSERT_LT(ChunkData(apng, "IDAT").front(), ChunkData(apng, "fcTL").front()) << "the default image is shown";

    const std::vector<DecodedFrame> frames = DecodeWithPngModule(apng, static_cast<int>(expected.size()) - 1);
    ASSERT_EQ(expected.size() - 1, frames.size());
    for (size_t i = 0; i < frames.size(); ++i) {
        SCOPED_TRACE("frame " + std::to_string(i));
        EXPECT_EQ("8x6\n" + Describe(expected[i + 1], 8), Describe(frames[i]));
    }
}

TEST(SImgX_PNG, OverBlendComposesAsTheFormatDefines)
{
    // A canvas of red, red, red, nothing; then, blended over it: nothing, half
    // blue, opaque lime, half blue.
    const std::string apng = WriteApng(4, 1, {
        {4, 1, 0, 0, 1, 10, PNG_DISPOSE_OP_NONE, PNG_BLEND_OP_SOURCE, {0xFF0000FF, 0xFF0000FF, 0xFF0000FF, 0x00000000}},
        {4, 1, 0, 0, 1, 10, PNG_DISPOSE_OP_NONE, PNG_BLEND_OP_OVER,   {0x00000000, 0x0000FF80, 0x00FF00FF, 0x0000FF80}},
    });
    const std::vector<DecodedFrame> frames = DecodeWithPngModule(apng, 2);
    ASSERT_EQ(2u, frames.size());
    EXPECT_EQ("4x1\n0000ffff 0000ffff 0000ffff 00000000\n", Describe(frames[0]));
    // A transparent source leaves the canvas as it was, opaque included; half blue
    // over red is an opaque mix; over nothing it stays half blue.
    EXPECT_EQ("4x1\n0000ffff 80007fff 00ff00ff 80000080\n", Describe(frames[1]));
}

TEST(SImgX_PNG, FrameLeavingTheCanvasIsRefused)
{
    const std::string apng = WriteApng(4, 2, {
        {4, 2, 0, 0, 1, 10, PNG_DISPOSE_OP_NONE, PNG_BLEND_OP_SOURCE, std::vector<std::uint32_t>(8, 0xFF0000FF)},
        {2, 1, 2, 1, 1, 10, PNG_DISPOSE_OP_NONE, PNG_BLEND_OP_SOURCE, {0x00FF00FF, 0x00FF00FF}},
    });
    ASSERT_EQ(2u, DecodeWithPngModule(apng, 2).size()) << "the unchanged file decodes";
    const size_t second = FrameControls(apng).size() == 2 ? ChunkData(apng, "fcTL")[1] : 0;
    ASSERT_NE(0u, second);

    // Fields of the chunk's data: 4 width, 8 height, 12 x offset, 16 y offset.
    const struct { const char* name; size_t field; std::uint32_t value; } cases[] = {
        {"x offset one past", 12, 3},
        {"y offset one past", 16, 2},
        {"wider than the canvas", 4, 5},
        {"offset that wraps around", 12, 0xFFFFFFFE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string patched = apng;
        PatchFrameControl(patched, second, c.field, c.value);
        EXPECT_TRUE(DecodeWithPngModule(patched, 0).empty());
    }
}
