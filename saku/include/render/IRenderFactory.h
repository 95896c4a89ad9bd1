#pragma once

#include "core/IObjRef.h"

namespace SAKU {

struct IBitmap;
struct IFont;
struct IImgDecoderFactory;
struct IRegion;
struct IRenderTarget;

// A render module: makes render targets and the drawing resources that go with
// them, and holds the image-decoder module that bitmaps load through. Reached
// through its creator (RenderFactoryCreators.h), which gives the program its first
// reference; the application object, the font pool and each render target hold
// one more. The Create operations return TRUE and leave a null out pointer when
// nothing could be made, unless said. UI thread.
struct IRenderFactory : IObjRef {
    // No reference is added; null until one is set.
    virtual IImgDecoderFactory* GetImgDecoderFactory() = 0;
    virtual void SetImgDecoderFactory(IImgDecoderFactory* factory) = 0;
    // FALSE, with a null target, when no bitmap of the size can be made.
    virtual BOOL CreateRenderTarget(IRenderTarget** target, int width, int height) = 0;
    virtual BOOL CreateFont(IFont** font, const LOGFONTW& logFont) = 0;
    virtual BOOL CreateBitmap(IBitmap** bitmap) = 0;
    virtual BOOL CreateRegion(IRegion** region) = 0;
    // Make nothing and return FALSE; they keep the slots of later modules' operations.
    virtual BOOL ReservedCreate1(IObjRef** object) = 0;
    virtual BOOL ReservedCreate2(IObjRef** object) = 0;
    virtual BOOL ReservedCreate3(IObjRef** object) = 0;
};

}  // namespace SAKU
