#include "render/SPngRowDecoder.h"

#include "imgdecoders/IPngReader.h"
#include "imgdecoders/ImgPixels.h"
#include "imgdecoders/PngCalls.h"
#include "imgdecoders/PngReadStruct.h"

#include <algorithm>
#include <cstdint>
#include <new>

namespace SAKU {

namespace {

// As the whole-image decoders, no image may come near the 32-bit address space.
constexpr std::uint64_t kMaxImageBytes = 0x40000000;

}  // namespace

// The data is read where it lies, so it lives beside the reader and the structs;
// the state never moves once made.
struct SPngRowDecoder::State {
    explicit State(std::vector<BYTE> bytes)
        : data(std::move(bytes)), reader(data.data(), data.size()), read(reader)
    {
    }

    std::vector<BYTE> data;
    IPngReader_Mem reader;
    PngReadStruct read;
    int width = 0;
    int height = 0;
    int rowsDecoded = 0;
    bool failed = false;
};

std::unique_ptr<SPngRowDecoder> SPngRowDecoder::Open(std::vector<BYTE> data)
{
    if (data.size() < 8 || png_sig_cmp(data.data(), 0, 8) != 0)
        return nullptr;
    std::unique_ptr<State> state(new (std::nothrow) State(std::move(data)));
    if (!state || !state->read)
        return nullptr;
    png_structp png = state->read.Png();
    png_infop info = state->read.Info();
    int passes = 0;
    bool animated = false;
    const bool headerRead = PngTry(png, [&] {
        png_read_info(png, info);
        passes = ExpandToRgba(png);
        png_read_update_info(png, info);
        animated = png_get_valid(png, info, PNG_INFO_acTL) != 0;
    });
    if (!headerRead || passes != 1 || animated)
        return nullptr;
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    if (width == 0 || height == 0 || std::uint64_t{width} * height * 4 > kMaxImageBytes)
        return nullptr;
    state->width = static_cast<int>(width);
    state->height = static_cast<int>(height);
    return std::unique_ptr<SPngRowDecoder>(new SPngRowDecoder(std::move(state)));
}

SPngRowDecoder::SPngRowDecoder(std::unique_ptr<State> state) : m_state(std::move(state)) {}
SPngRowDecoder::~SPngRowDecoder() = default;

int SPngRowDecoder::Width() const { return m_state->width; }
int SPngRowDecoder::Height() const { return m_state->height; }
int SPngRowDecoder::RowsDecoded() const { return m_state->rowsDecoded; }

bool SPngRowDecoder::DecodeUntil(BYTE* pixels, int endRow)
{
    State& state = *m_state;
    if (state.failed || !pixels)
        return false;
    const int end = std::min(endRow, state.height);
    if (end <= state.rowsDecoded)
        return true;
    const size_t stride = size_t(state.width) * 4;
    BYTE* const first = pixels + size_t(state.rowsDecoded) * stride;
    int row = state.rowsDecoded;
    // A longjmp out of libpng leaves `row` where the last whole row ended; it is
    // volatile so that the value survives the jump.
    volatile int done = row;
    const bool read = PngTry(state.read.Png(), [&] {
        for (; row < end; ++row) {
            png_read_row(state.read.Png(), pixels + size_t(row) * stride, nullptr);
            done = row + 1;
        }
    });
    PremultiplyRgbaToBgra(first, size_t(done - state.rowsDecoded) * state.width);
    state.rowsDecoded = done;
    state.failed = !read;
    return read;
}

}  // namespace SAKU
