#include "imgdecoders/SImgX_WIC.h"

#include <climits>
#include <new>

namespace SAKU {

BOOL SImgFrame_WIC::GetSize(UINT* width, UINT* height)
{
    return m_source && SUCCEEDED(m_source->GetSize(width, height));
}

BOOL SImgFrame_WIC::CopyPixels(const RECT* rect, UINT stride, UINT bufferSize, BYTE* buffer)
{
    if (!m_source)
        return FALSE;
    WICRect area = {};
    if (rect)
        area = {rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top};
    return SUCCEEDED(m_source->CopyPixels(rect ? &area : nullptr, stride, bufferSize, buffer));
}

int SImgX_WIC::LoadFromMemory(const void* data, size_t size)
{
    m_frames.clear();
    m_data.clear();
    if (!m_factory || !data || size == 0 || size > UINT_MAX)
        return 0;
    try {
        m_data.assign(static_cast<const BYTE*>(data), static_cast<const BYTE*>(data) + size);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    TComPtr<IWICStream> stream;
    TComPtr<IWICBitmapDecoder> decoder;
    if (FAILED(m_factory->CreateStream(stream.Put()))
        || FAILED(stream->InitializeFromMemory(m_data.data(), static_cast<DWORD>(m_data.size())))
        || FAILED(m_factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                                     decoder.Put())))
        return 0;
    return Decode(decoder.Get());
}

int SImgX_WIC::LoadFromFileW(LPCWSTR path)
{
    m_frames.clear();
    m_data.clear();
    TComPtr<IWICBitmapDecoder> decoder;
    if (!m_factory || !path
        || FAILED(m_factory->CreateDecoderFromFilename(path, nullptr, GENERIC_READ, WICDecodeMetadataCacheOnLoad,
                                                       decoder.Put())))
        return 0;
    return Decode(decoder.Get());
}

// Each frame gets a converter of its own: a converter takes only one initialisation.
int SImgX_WIC::Decode(IWICBitmapDecoder* decoder)
{
    UINT count = 0;
    if (FAILED(decoder->GetFrameCount(&count)) || count == 0)
        return 0;
    std::vector<SImgFrame_WIC> frames;
    try {
        frames.reserve(count);
        for (UINT i = 0; i < count; ++i) {
            TComPtr<IWICBitmapFrameDecode> frame;
            TComPtr<IWICFormatConverter> converter;
            TComPtr<IWICBitmapSource> source;
            UINT width = 0, height = 0;
            if (FAILED(decoder->GetFrame(i, frame.Put())) || FAILED(m_factory->CreateFormatConverter(converter.Put()))
                || FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone,
                                                nullptr, 0.0, WICBitmapPaletteTypeCustom))
                || FAILED(converter.As(IID_IWICBitmapSource, source))
                || FAILED(source->GetSize(&width, &height)) || width == 0 || height == 0)
                return 0;
            frames.emplace_back(std::move(source));
        }
    } catch (const std::bad_alloc&) {
        return 0;
    }
    m_frames = std::move(frames);
    return static_cast<int>(m_frames.size());
}

}  // namespace SAKU
