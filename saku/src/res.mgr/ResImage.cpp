#include "res.mgr/ResImage.h"

#include "core/SApplication.h"
#include "core/SAutoRef.h"
#include "render/IBitmap.h"
#include "render/IImgDecoder.h"
#include "render/IRenderFactory.h"

namespace SAKU {

namespace {

IRenderFactory* RenderFactory()
{
    SApplication* const app = SApplication::GetInstance();
    return app ? app->GetRenderFactory() : nullptr;
}

template <typename Load>
IBitmap* NewBitmap(Load load)
{
    IRenderFactory* const factory = RenderFactory();
    IBitmap* made = nullptr;
    if (!factory || !factory->CreateBitmap(&made) || !made)
        return nullptr;
    auto bitmap = SAutoRef<IBitmap>::Adopt(made);
    if (load(bitmap.Get()) != S_OK)
        return nullptr;
    return bitmap.Detach();
}

template <typename Load>
IImgX* NewImgX(Load load)
{
    IRenderFactory* const factory = RenderFactory();
    IImgDecoderFactory* const decoders = factory ? factory->GetImgDecoderFactory() : nullptr;
    IImgX* made = nullptr;
    if (!decoders || !decoders->CreateImgX(&made) || !made)
        return nullptr;
    auto image = SAutoRef<IImgX>::Adopt(made);
    if (load(image.Get()) <= 0)
        return nullptr;
    return image.Detach();
}

}  // namespace

IBitmap* DecodeBitmap(const void* data, size_t size)
{
    return NewBitmap([&](IBitmap* bitmap) { return bitmap->LoadFromMemory(data, size); });
}

IBitmap* DecodeBitmapFile(LPCWSTR path)
{
    return NewBitmap([&](IBitmap* bitmap) { return bitmap->LoadFromFile(path); });
}

IImgX* DecodeImgX(const void* data, size_t size)
{
    return NewImgX([&](IImgX* image) { return image->LoadFromMemory(data, size); });
}

IImgX* DecodeImgXFile(LPCWSTR path)
{
    return NewImgX([&](IImgX* image) { return image->LoadFromFileW(path); });
}

}  // namespace SAKU
