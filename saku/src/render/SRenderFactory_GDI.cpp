#include "SRenderFactory_GDI.h"

#include "SBitmap_GDI.h"
#include "SFont_GDI.h"
#include "SRegion_GDI.h"
#include "SRenderTarget_GDI.h"
#include "render/RenderFactoryCreators.h"

namespace SAKU {

BOOL CreateRenderFactory_GDI(IRenderFactory** factory)
{
    *factory = new SRenderFactory_GDI();
    return TRUE;
}

BOOL SRenderFactory_GDI::CreateRenderTarget(IRenderTarget** target, int width, int height)
{
    auto made = SAutoRef<SRenderTarget_GDI>::Adopt(new SRenderTarget_GDI(this, width, height));
    // A target whose bitmap could not be made would draw nowhere; the caller hears of it now.
    if (!made->IsUsable()) {
        *target = nullptr;
        return FALSE;
    }
    *target = made.Detach();
    return TRUE;
}

BOOL SRenderFactory_GDI::CreateFont(IFont** font, const LOGFONTW& logFont)
{
    *font = new SFont_GDI(this, logFont);
    return TRUE;
}

BOOL SRenderFactory_GDI::CreateBitmap(IBitmap** bitmap)
{
    *bitmap = new SBitmap_GDI(this);
    return TRUE;
}

BOOL SRenderFactory_GDI::CreateRegion(IRegion** region)
{
    *region = new SRegion_GDI(this);
    return TRUE;
}

BOOL SRenderFactory_GDI::ReservedCreate1(IObjRef** object)
{
    *object = nullptr;
    return FALSE;
}

BOOL SRenderFactory_GDI::ReservedCreate2(IObjRef** object)
{
    *object = nullptr;
    return FALSE;
}

BOOL SRenderFactory_GDI::ReservedCreate3(IObjRef** object)
{
    *object = nullptr;
    return FALSE;
}

}  // namespace SAKU
