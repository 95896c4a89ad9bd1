#include "render/ImgDecoderCreators.h"

#include "imgdecoders/SImgX_WIC.h"

namespace SAKU {

namespace {

// {CACAF262-9370-4615-A13B-9F5539DA4C0A}, the imaging factory of every WIC version.
constexpr CLSID kClsidImagingFactory = {0xcacaf262, 0x9370, 0x4615, {0xa1, 0x3b, 0x9f, 0x55, 0x39, 0xda, 0x4c, 0x0a}};
// {EC5EC8A9-C395-4314-9C77-54D7A935FF70}
constexpr IID kIidImagingFactory = {0xec5ec8a9, 0xc395, 0x4314, {0x9c, 0x77, 0x54, 0xd7, 0xa9, 0x35, 0xff, 0x70}};

// The WIC module: one imaging factory, created with the module on a thread where
// COM is initialised, shared by its images. It cannot save.
class SImgDecoderFactory_WIC : public TObjRefImpl<IImgDecoderFactory> {
public:
    SImgDecoderFactory_WIC()
    {
        // Without COM the factory stays null and every load finds no frame.
        (void)::CoCreateInstance(kClsidImagingFactory, nullptr, CLSCTX_INPROC_SERVER, kIidImagingFactory,
                                 m_factory.PutVoid());
    }

    // IImgDecoderFactory overrides
    BOOL CreateImgX(IImgX** imgX) override
    {
        *imgX = new SImgX_WIC(m_factory);
        return TRUE;
    }
    HRESULT SaveImage(IBitmap*, LPCWSTR, REFGUID) override { return E_FAIL; }
    LPCWSTR GetDescription() const override { return L"wic"; }

private:
    TComPtr<IWICImagingFactory> m_factory;
};

}  // namespace

BOOL CreateImgDecoderFactory_WIC(IImgDecoderFactory** factory)
{
    *factory = new SImgDecoderFactory_WIC;
    return TRUE;
}

}  // namespace SAKU
