#include "render/ImgDecoderCreators.h"

#include "imgdecoders/GdipHandles.h"
#include "imgdecoders/SImgX_GDIP.h"
#include "render/IBitmap.h"

#include <memory>
#include <new>

namespace SAKU {

namespace {

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

// The class id of GDI+'s encoder for the image format, in `encoder`.
HRESULT FindEncoder(REFGUID format, CLSID& encoder)
{
    UINT count = 0, size = 0;
    if (GdipGetImageEncodersSize(&count, &size) != Ok || size < count * sizeof(ImageCodecInfo))
        return E_FAIL;
    std::unique_ptr<BYTE[]> storage(new (std::nothrow) BYTE[size]);
    if (!storage)
        return E_OUTOFMEMORY;
    auto* codecs = reinterpret_cast<ImageCodecInfo*>(storage.get());
    if (GdipGetImageEncoders(count, size, codecs) != Ok)
        return E_FAIL;
    for (UINT i = 0; i < count; ++i) {
        if (IsEqualGUID(codecs[i].FormatID, format)) {
            encoder = codecs[i].Clsid;
            return S_OK;
        }
    }
    return E_FAIL;
}

// The GDI+ module: GDI+ runs from the module's creation to its last release, and
// each image holds a reference on the module.
class SImgDecoderFactory_GDIP : public TObjRefImpl<IImgDecoderFactory> {
public:
    SImgDecoderFactory_GDIP()
    {
        const GdiplusStartupInput input;   // version 1, no callbacks
        if (GdiplusStartup(&m_token, &input, nullptr) != Ok)
            m_token = 0;
    }
    ~SImgDecoderFactory_GDIP() override
    {
        if (m_token)
            GdiplusShutdown(m_token);
    }

    // IImgDecoderFactory overrides
    BOOL CreateImgX(IImgX** imgX) override
    {
        *imgX = new SImgX_GDIP(this);
        return TRUE;
    }
    // `format` is a GDI+ image format id (ImageFormatPNG...); the pixels go to its
    // encoder as premultiplied ARGB, which the encoder turns back into straight
    // samples where the format needs them.
    HRESULT SaveImage(IBitmap* bitmap, LPCWSTR path, REFGUID format) override
    {
        if (!bitmap || !path)
            return E_INVALIDARG;
        CLSID encoder = {};
        const HRESULT found = FindEncoder(format, encoder);
        if (FAILED(found))
            return found;
        const int width = bitmap->Width();
        // GDI+ only reads the pixels to encode them.
        auto* bits = static_cast<BYTE*>(const_cast<void*>(bitmap->GetPixelBits()));
        UniqueGdipBitmap image;
        if (!bits
            || GdipCreateBitmapFromScan0(width, bitmap->Height(), width * 4, PixelFormat32bppPARGB, bits,
                                         image.Put()) != Ok
            || GdipSaveImageToFile(image.Get(), path, &encoder, nullptr) != Ok)
            return E_FAIL;
        return S_OK;
    }
    LPCWSTR GetDescription() const override { return L"gdi+"; }

private:
    ULONG_PTR m_token = 0;
};

}  // namespace

BOOL CreateImgDecoderFactory_GDIP(IImgDecoderFactory** factory)
{
    *factory = new SImgDecoderFactory_GDIP;
    return TRUE;
}

}  // namespace SAKU
