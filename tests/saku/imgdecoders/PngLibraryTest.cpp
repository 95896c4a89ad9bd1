// libpng (with the animated-PNG patch) and stb_image as SAKU links them: both
// decode PNGs that ImageMagick made to the same pixels, and libpng's read API
// walks the frames of an animated PNG that apngasm made.

#include "HostCommand.h"
#include "ScratchDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <png.h>

// The library compiles stb_image's implementation.
#include <stb_image.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

using testing::HasSubstr;
using tivala::test::HostCommand;
using tivala::test::ScratchDir;

namespace {

constexpr unsigned kHostTimeoutMs = 60000;

// RGBA as 0xRRGGBBAA.
constexpr std::uint32_t kRed = 0xFF0000FF;
constexpr std::uint32_t kLime = 0x00FF00FF;
constexpr std::uint32_t kBlue = 0x0000FFFF;

std::string Rgba(std::uint32_t pixel)
{
    char text[9];
    std::snprintf(text, sizeof(text), "%08x", static_cast<unsigned>(pixel));
    return text;
}

std::uint32_t Pack(const unsigned char* rgba)
{
    return static_cast<std::uint32_t>(rgba[0]) << 24 | rgba[1] << 16 | rgba[2] << 8 | rgba[3];
}

// A decoded image; empty with `error` set when the decoder refused the file.
struct Image {
    unsigned width = 0;
    unsigned height = 0;
    std::vector<unsigned char> rgba;
    std::string error;
};

// The size and the pixels as text, one row a line, so that a failure shows where
// the pixels differ.
std::string Describe(const Image& image)
{
    std::string text = std::to_string(image.width) + "x" + std::to_string(image.height) + "\n";
    for (size_t i = 0; i + 4 <= image.rgba.size(); i += 4)
        text += Rgba(Pack(&image.rgba[i])) + ((i / 4 + 1) % image.width ? " " : "\n");
    return text;
}

Image DecodeWithLibpng(const std::string& png)
{
    Image result;
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    // The simplified API catches libpng's longjmp itself and reports through its
    // return value; what it allocated is freed here on every path.
    struct ImageFree {
        png_image* image;
        ~ImageFree() { png_image_free(image); }
    } imageFree{&image};
    if (png_image_begin_read_from_memory(&image, png.data(), png.size())) {
        image.format = PNG_FORMAT_RGBA;
        result.rgba.resize(PNG_IMAGE_SIZE(image));
        if (png_image_finish_read(&image, nullptr, result.rgba.data(), 0, nullptr)) {
            result.width = image.width;
            result.height = image.height;
            return result;
        }
    }
    result.rgba.clear();
    result.error = image.message;
    return result;
}

Image DecodeWithStb(const std::string& png)
{
    Image result;
    int width = 0, height = 0, channels = 0;
    const std::unique_ptr<stbi_uc, void (*)(void*)> pixels(
        stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(png.data()), static_cast<int>(png.size()),
                              &width, &height, &channels, 4),
        stbi_image_free);
    if (!pixels) {
        result.error = stbi_failure_reason();
        return result;
    }
    result.width = static_cast<unsigned>(width);
    result.height = static_cast<unsigned>(height);
    result.rgba.assign(pixels.get(), pixels.get() + static_cast<size_t>(width) * height * 4);
    return result;
}

constexpr size_t kMaxFrames = 8;
constexpr size_t kMaxRowBytes = 1024;

// What libpng's read API found in a file. Plain data without destructors: libpng
// leaves a failure by longjmp, past every frame between the failure and setjmp.
struct PngReport {
    struct Frame {
        png_uint_32 width;
        png_uint_32 height;
        png_uint_16 delayNum;
        png_uint_16 delayDen;
        std::uint32_t colour;   // of the top left pixel
        bool uniform;           // every pixel has that colour
    };
    bool animated = false;      // an acTL chunk was read
    png_uint_32 numFrames = 0;
    png_uint_32 numPlays = 0;
    unsigned framesRead = 0;
    Frame frames[kMaxFrames] = {};
    char error[256] = "";
};

struct MemorySource {
    const png_byte* data;
    size_t size;
    size_t offset;
};

// The callbacks run inside libpng, so they leave by png_error's longjmp, never by
// an exception.
[[noreturn]] void OnPngError(png_structp png, png_const_charp message) noexcept
{
    auto* report = static_cast<PngReport*>(png_get_error_ptr(png));
    std::snprintf(report->error, sizeof(report->error), "%s", message);
    png_longjmp(png, 1);
}

void ReadFromMemory(png_structp png, png_bytep data, size_t length) noexcept
{
    auto* source = static_cast<MemorySource*>(png_get_io_ptr(png));
    if (length > source->size - source->offset)
        png_error(png, "unexpected end of data");
    std::memcpy(data, source->data + source->offset, length);
    source->offset += length;
}

// Decodes every frame to RGBA; any failure longjmps out to ReadPng.
void DecodeFrames(png_structp png, png_infop info, PngReport& report) noexcept
{
    png_read_info(png, info);
    if (png_get_interlace_type(png, info) != PNG_INTERLACE_NONE)
        png_error(png, "the test reads no interlaced frames");
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_read_update_info(png, info);
    png_byte row[kMaxRowBytes];
    if (png_get_rowbytes(png, info) > sizeof(row))
        png_error(png, "wider than the test's row buffer");

    report.animated = png_get_valid(png, info, PNG_INFO_acTL) != 0;
    png_uint_32 frameCount = 1;
    if (report.animated) {
        report.numFrames = png_get_num_frames(png, info);
        report.numPlays = png_get_num_plays(png, info);
        frameCount = report.numFrames;
    }
    if (frameCount > kMaxFrames)
        png_error(png, "more frames than the test keeps");
    for (png_uint_32 f = 0; f < frameCount; ++f) {
        PngReport::Frame& frame = report.frames[f];
        if (report.animated) {
            png_read_frame_head(png, info);
            frame.width = png_get_next_frame_width(png, info);
            frame.height = png_get_next_frame_height(png, info);
            frame.delayNum = png_get_next_frame_delay_num(png, info);
            frame.delayDen = png_get_next_frame_delay_den(png, info);
        } else {
            frame.width = png_get_image_width(png, info);
            frame.height = png_get_image_height(png, info);
        }
        frame.uniform = true;
        for (png_uint_32 y = 0; y < frame.height; ++y) {
            png_read_row(png, row, nullptr);
            if (y == 0)
                frame.colour = Pack(row);
            for (png_uint_32 x = 0; x < frame.width; ++x)
                frame.uniform = frame.uniform && Pack(row + 4 * x) == frame.colour;
        }
        ++report.framesRead;
    }
    png_read_end(png, nullptr);
}

// Reads `bytes` with libpng's read API; false with report.error set when libpng
// failed. Nothing but plain data lives between the setjmp and libpng's longjmp.
bool ReadPng(const std::string& bytes, PngReport& report) noexcept
{
    MemorySource source = {reinterpret_cast<const png_byte*>(bytes.data()), bytes.size(), 0};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &report, OnPngError, nullptr);
    if (!png) {
        std::snprintf(report.error, sizeof(report.error), "png_create_read_struct failed");
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        std::snprintf(report.error, sizeof(report.error), "png_create_info_struct failed");
        return false;
    }
    png_set_read_fn(png, &source, ReadFromMemory);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    DecodeFrames(png, info, report);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

// Three solid 5x4 frames, red, lime and blue, each shown for 3/20 s, played twice;
// `plain` is the first frame as convert made it.
void MakeAnimation(const ScratchDir& scratch, std::string& animated, std::string& plain)
{
    // apngasm 2.91 takes the first frame's name and finds the others by counting up.
    const std::string command =
        "/usr/bin/convert -size 5x4 xc:red frame1.png && /usr/bin/convert -size 5x4 xc:lime frame2.png && "
        "/usr/bin/convert -size 5x4 xc:blue frame3.png && apngasm anim.png frame1.png 3 20 -l2";
    std::string output;
    ASSERT_EQ(0, HostCommand::Run(command, scratch.UnixPath(), kHostTimeoutMs, &output).value_or(-1)) << output;
    ASSERT_TRUE(ScratchDir::Read(scratch.File(L"anim.png"), animated));
    ASSERT_TRUE(ScratchDir::Read(scratch.File(L"frame1.png"), plain));
}

}  // namespace

TEST(PngLibrary, LibpngAndStbDecodeImageMagickPngsToKnownPixels)
{
    // Distinct colours, partial alpha, and colours under zero alpha that neither
    // decoder may premultiply away.
    const std::uint32_t pixels[3][4] = {
        {kRed, kLime, kBlue, 0xFFFFFFFF},
        {0x000000FF, 0x12345680, 0xC8643201, 0xFFFF0000},
        {0x01020304, 0x808080FF, 0xFA058040, 0x00000000},
    };
    Image expected;
    expected.width = 4;
    expected.height = 3;
    for (const auto& row : pixels)
        for (std::uint32_t pixel : row)
            for (int shift = 24; shift >= 0; shift -= 8)
                expected.rgba.push_back(static_cast<unsigned char>(pixel >> shift));
    ScratchDir scratch;
    ASSERT_TRUE(scratch.Write(L"pixels.rgba", std::string(expected.rgba.begin(), expected.rgba.end())));

    // The IHDR bytes make sure that each case is the encoding it names.
    const struct { const char* output; char colourType; char interlace; } cases[] = {
        {"PNG32:out.png", 6, 0},                  // 8-bit RGBA
        {"-interlace PNG PNG32:out.png", 6, 1},   // Adam7
        {"out.png", 3, 0},                        // ImageMagick's choice for 12 colours: palette with tRNS
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.output);
        std::string output;
        ASSERT_EQ(0, HostCommand::Run(std::string("/usr/bin/convert -size 4x3 -depth 8 rgba:pixels.rgba ") + c.output,
                                      scratch.UnixPath(), kHostTimeoutMs, &output).value_or(-1))
            << output;
        std::string png;
        ASSERT_TRUE(ScratchDir::Read(scratch.File(L"out.png"), png));
        ASSERT_GT(png.size(), 29u);
        EXPECT_EQ(c.colourType, png[25]);
        EXPECT_EQ(c.interlace, png[28]);

        const Image libpng = DecodeWithLibpng(png);
        EXPECT_EQ(Describe(expected), Describe(libpng)) << libpng.error;
        const Image stb = DecodeWithStb(png);
        EXPECT_EQ(Describe(expected), Describe(stb)) << stb.error;
    }
}

TEST(PngLibrary, ReadApiWalksFramesOfApngasmAnimation)
{
    ScratchDir scratch;
    std::string animated, plain;
    ASSERT_NO_FATAL_FAILURE(MakeAnimation(scratch, animated, plain));

    PngReport report;
    ASSERT_TRUE(ReadPng(animated, report)) << report.error;
    EXPECT_TRUE(report.animated);
    EXPECT_EQ(3u, report.numFrames);
    EXPECT_EQ(2u, report.numPlays);
    const std::uint32_t colours[] = {kRed, kLime, kBlue};
    ASSERT_EQ(3u, report.framesRead);
    for (unsigned i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const PngReport::Frame& frame = report.frames[i];
        EXPECT_EQ(5u, frame.width);
        EXPECT_EQ(4u, frame.height);
        EXPECT_EQ(3, frame.delayNum);
        EXPECT_EQ(20, frame.delayDen);
        EXPECT_EQ(Rgba(colours[i]), Rgba(frame.colour));
        EXPECT_TRUE(frame.uniform);
    }

    PngReport plainReport;
    ASSERT_TRUE(ReadPng(plain, plainReport)) << plainReport.error;
    EXPECT_FALSE(plainReport.animated);
    ASSERT_EQ(1u, plainReport.framesRead);
    EXPECT_EQ(Rgba(kRed), Rgba(plainReport.frames[0].colour));
    EXPECT_TRUE(plainReport.frames[0].uniform);
}

TEST(PngLibrary, ReadApiReportsBrokenFilesThroughErrorHandler)
{
    ScratchDir scratch;
    std::string animated, plain;
    ASSERT_NO_FATAL_FAILURE(MakeAnimation(scratch, animated, plain));
    const size_t idat = animated.find("IDAT");
    const size_t fdat = animated.find("fdAT");
    ASSERT_NE(std::string::npos, idat);
    ASSERT_NE(std::string::npos, fdat);
    std::string damaged = animated;
    damaged[idat + 6] ^= 0x55;

    const struct { const char* name; std::string bytes; const char* message; } cases[] = {
        {"no PNG", "GIF89a" + std::string(64, '\0'), "Not a PNG file"},
        {"damaged first frame", damaged, "IDAT"},
        {"cut in the second frame", animated.substr(0, fdat + 10), "unexpected end of data"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PngReport report;
        EXPECT_FALSE(ReadPng(c.bytes, report));
        EXPECT_THAT(std::string(report.error), HasSubstr(c.message));
    }
}
