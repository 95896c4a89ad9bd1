#include "render/ImgDecoderCreators.h"

#include "imgdecoders/SImgX_STB.h"

namespace SAKU {

namespace {

// The stb module: decodes with stb_image and cannot save.
class SImgDecoderFactory_STB : public TObjRefImpl<IImgDecoderFactory> {
public:
    // IImgDecoderFactory overrides
    BOOL CreateImgX(IImgX** imgX) override
    {
        *imgX = new SImgX_STB;
        return TRUE;
    }
    LPCWSTR GetDescription() const override { return L"stb"; }
};

}  // namespace

BOOL CreateImgDecoderFactory_STB(IImgDecoderFactory** factory)
{
    *factory = new SImgDecoderFactory_STB;
    return TRUE;
}

}  // namespace SAKU
