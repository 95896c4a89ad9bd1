#include "render/ImgDecoderCreators.h"

#include "imgdecoders/SImgX_PNG.h"

namespace SAKU {

namespace {

// The PNG module: decodes PNGs and animated PNGs with libpng and saves PNGs.
class SImgDecoderFactory_PNG : public TObjRefImpl<IImgDecoderFactory> {
public:
    // IImgDecoderFactory overrides
    BOOL CreateImgX(IImgX** imgX) override
    {
        *imgX = new SImgX_PNG;
        return TRUE;
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
