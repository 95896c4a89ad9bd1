#include "render/ImgDecoderCreators.h"

#include "imgdecoders/GdipHandles.h"
#include "imgdecoders/SImgX_GDIP.h"

namespace SAKU {

namespace {

// The GDI+ module: GDI+ runs from the module's creation to its last release, and
// each image holds a reference on the module.
class SImgDecoderFactory_GDIP : public TObjRefImpl<IImgDecoderFactory> {
public:
    SImgDecoderFactory_GDIP()
    {
        const Gdiplus::GdiplusStartupInput input;   // version 1, no callbacks
        if (Gdiplus::GdiplusStartup(&m_token, &input, nullptr) != Gdiplus::Ok)
            m_token = 0;
    }
    ~SImgDecoderFactory_GDIP() override
    {
        if (m_token)
            Gdiplus::GdiplusShutdown(m_token);
    }

    // IImgDecoderFactory overrides
    BOOL CreateImgX(IImgX** imgX) override
    {
        *imgX = new SImgX_GDIP(this);
        return TRUE;
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
