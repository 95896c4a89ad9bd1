#include "render/ImgDecoderCreators.h"

#include "Win32Handles.h"
#include "imgdecoders/ImgPixels.h"
#include "imgdecoders/PngCalls.h"
#include "imgdecoders/SImgX_PNG.h"
#include "render/IBitmap.h"

#include <memory>
#include <new>

namespace SAKU {

namespace {

// The write struct and its info of one save.
class PngWriteStruct {
public:
    explicit PngWriteStruct(FILE* file)
        : m_png(png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning))
    {
        if (m_png) {
            m_info = png_create_info_struct(m_png);
            png_init_io(m_png, file);
        }
    }
    ~PngWriteStruct() { png_destroy_write_struct(&m_png, m_info ? &m_info : nullptr); }
    PngWriteStruct(const PngWriteStruct&) = delete;
    PngWriteStruct& operator=(const PngWriteStruct&) = delete;

    png_structp Png() const { return m_png; }
    png_infop Info() const { return m_info; }
    explicit operator bool() const { return m_png && m_info; }

private:
    png_structp m_png;
    png_infop m_info = nullptr;
};

// Writes the premultiplied pixels as an 8-bit RGBA PNG, whose samples are straight.
bool WritePng(FILE* file, const BYTE* bits, png_uint_32 width, png_uint_32 height)
{
    PngWriteStruct write(file);
    std::unique_ptr<BYTE[]> row(new (std::nothrow) BYTE[width * static_cast<size_t>(4)]);
    if (!write || !row)
        return false;
    png_structp png = write.Png();
    png_infop info = write.Info();
    return PngTry(png, [&] {
        png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (png_uint_32 y = 0; y < height; ++y) {
            UnpremultiplyBgraToRgba(bits + y * width * static_cast<size_t>(4), row.get(), width);
            png_write_row(png, row.get());
        }
        png_write_end(png, info);
    });
}

// The PNG module: decodes PNGs and animated PNGs with libpng and saves PNGs.
class SImgDecoderFactory_PNG : public TObjRefImpl<IImgDecoderFactory> {
public:
    // IImgDecoderFactory overrides
    BOOL CreateImgX(IImgX** imgX) override
    {
        *imgX = new SImgX_PNG;
        return TRUE;
    }
    // Always a PNG, whatever `format` says. A file that could not be written
    // whole is removed.
    HRESULT SaveImage(IBitmap* bitmap, LPCWSTR path, REFGUID) override
    {
        if (!bitmap || !path)
            return E_INVALIDARG;
        const BYTE* bits = static_cast<const BYTE*>(bitmap->GetPixelBits());
        if (!bits || bitmap->Width() <= 0 || bitmap->Height() <= 0)
            return E_FAIL;
        UniqueStdioFile file(::_wfopen(path, L"wb"));
        if (!file)
            return E_FAIL;
        if (WritePng(file.Get(), bits, static_cast<png_uint_32>(bitmap->Width()),
                     static_cast<png_uint_32>(bitmap->Height()))
            && std::fclose(file.Release()) == 0)
            return S_OK;
        file.Reset();
        ::DeleteFileW(path);
        return E_FAIL;
    }
    LPCWSTR GetDescription() const override { return L"apng"; }
};

}  // namespace

BOOL CreateImgDecoderFactory_PNG(IImgDecoderFactory** factory)
{
    *factory = new SImgDecoderFactory_PNG;
    return TRUE;
}

}  // namespace SAKU
