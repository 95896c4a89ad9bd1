#include "SBitmap_GDI.h"

#include "Dib32.h"
#include "core/SAutoRef.h"
#include "render/IImgDecoder.h"
#include "render/IRenderFactory.h"
#include "render/IRenderTarget.h"

#include <cstring>

namespace SAKU {

namespace {

// Decodes through the factory's image decoders and hands the first frame to `take`;
// S_FALSE when there is no decoder or no frame.
template <typename Load, typename Take>
HRESULT DecodeFirstFrame(IRenderFactory* factory, Load load, Take take)
{
    IImgDecoderFactory* const decoders = factory ? factory->GetImgDecoderFactory() : nullptr;
    SAutoRef<IImgX> image;
    if (!decoders || !decoders->CreateImgX(image.Put()) || !image)
        return S_FALSE;
    if (load(image.Get()) < 1)
        return S_FALSE;
    IImgFrame* const frame = image->GetFrame(0);
    return frame ? take(frame) : S_FALSE;
}

}  // namespace

HRESULT SBitmap_GDI::Make(int width, int height)
{
    m_bitmap.Reset();
    m_bits = nullptr;
    m_width = 0;
    m_height = 0;
    if (width < 0 || height < 0)
        return E_INVALIDARG;
    if (width == 0 || height == 0)
        return S_OK;                                   // an empty bitmap has no DIB
    m_bitmap = CreateDIB32(width, height, &m_bits);
    if (!m_bitmap)
        return E_OUTOFMEMORY;
    m_width = width;
    m_height = height;
    return S_OK;
}

HRESULT SBitmap_GDI::Init(int width, int height, const void* bits)
{
    const HRESULT result = Make(width, height);
    if (FAILED(result) || !m_bits)
        return result;
    // Make gives a new DIB section, which the system hands out zero-filled; writing
    // the zeros again would make every page of a tall strip resident at once.
    if (bits)
        std::memcpy(m_bits, bits, size_t(m_width) * 4 * m_height);
    return S_OK;
}

HRESULT SBitmap_GDI::InitFromFrame(IImgFrame* frame)
{
    UINT width = 0;
    UINT height = 0;
    if (!frame || !frame->GetSize(&width, &height) || width > 0x7FFFFFFF || height > 0x7FFFFFFF)
        return E_INVALIDARG;
    const HRESULT result = Make(int(width), int(height));
    if (FAILED(result) || !m_bits)
        return result;
    const UINT stride = width * 4;
    if (!frame->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(m_bits))) {
        Make(0, 0);
        return E_FAIL;
    }
    return S_OK;
}

HRESULT SBitmap_GDI::LoadFromFile(LPCWSTR path)
{
    return DecodeFirstFrame(
        GetRenderFactory(), [path](IImgX* image) { return image->LoadFromFileW(path); },
        [this](IImgFrame* frame) { return InitFromFrame(frame); });
}

HRESULT SBitmap_GDI::LoadFromMemory(const void* data, size_t size)
{
    return DecodeFirstFrame(
        GetRenderFactory(), [data, size](IImgX* image) { return image->LoadFromMemory(data, size); },
        [this](IImgFrame* frame) { return InitFromFrame(frame); });
}

HRESULT SBitmap_GDI::Clone(IBitmap** clone) const
{
    *clone = nullptr;
    IRenderFactory* const factory = GetRenderFactory();
    SAutoRef<IBitmap> copy;
    if (!factory || !factory->CreateBitmap(copy.Put()) || !copy)
        return E_UNEXPECTED;
    const HRESULT result = copy->Init(m_width, m_height, m_bits);
    if (FAILED(result))
        return result;
    *clone = copy.Detach();
    return S_OK;
}

HRESULT SBitmap_GDI::Scale(IBitmap** scaled, int width, int height, UINT filter)
{
    if (width == m_width && height == m_height)
        return Clone(scaled);
    *scaled = nullptr;
    IRenderFactory* const factory = GetRenderFactory();
    SAutoRef<IRenderTarget> target;
    if (!factory || !factory->CreateRenderTarget(target.Put(), width, height) || !target)
        return E_OUTOFMEMORY;
    const RECT dest = {0, 0, width, height};
    const RECT source = {0, 0, m_width, m_height};
    target->DrawBitmapEx(&dest, this, &source, MAKELONG(kExpandStretch, filter), 0xFF);
    IRenderObj* const drawn = target->GetCurrentObject(kRenderObjBitmap);
    drawn->AddRef();
    *scaled = static_cast<IBitmap*>(drawn);
    return S_OK;
}

HRESULT SBitmap_GDI::ScaleByPercent(IBitmap** scaled, int percent, UINT filter)
{
    return Scale(scaled, ::MulDiv(m_width, percent, 100), ::MulDiv(m_height, percent, 100), filter);
}

HRESULT SBitmap_GDI::Save(LPCWSTR path, REFGUID format)
{
    IRenderFactory* const factory = GetRenderFactory();
    IImgDecoderFactory* const decoders = factory ? factory->GetImgDecoderFactory() : nullptr;
    if (!decoders)
        return E_UNEXPECTED;
    return decoders->SaveImage(this, path, format);
}

}  // namespace SAKU
