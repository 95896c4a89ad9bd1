#pragma once

#include "core/SAutoRef.h"
#include "render/IImgDecoder.h"
#include "render/IRenderFactory.h"

namespace SAKU {

// The GDI render module's factory (CreateRenderFactory_GDI): render targets over
// 32-bit DIB sections and the GDI drawing resources, with one reference to the
// image-decoder factory that bitmaps load through. Owned by the application.
class SRenderFactory_GDI : public TObjRefImpl<IRenderFactory> {
public:
    // IRenderFactory overrides
    IImgDecoderFactory* GetImgDecoderFactory() override { return m_decoders.Get(); }
    void SetImgDecoderFactory(IImgDecoderFactory* factory) override { m_decoders = factory; }
    BOOL CreateRenderTarget(IRenderTarget** target, int width, int height) override;
    BOOL CreateFont(IFont** font, const LOGFONTW& logFont) override;
    BOOL CreateBitmap(IBitmap** bitmap) override;
    BOOL CreateRegion(IRegion** region) override;
    BOOL ReservedCreate1(IObjRef** object) override;
    BOOL ReservedCreate2(IObjRef** object) override;
    BOOL ReservedCreate3(IObjRef** object) override;

private:
    SAutoRef<IImgDecoderFactory> m_decoders;
};

}  // namespace SAKU
