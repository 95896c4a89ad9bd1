#pragma once

#include "core/SAttributeMap.h"
#include "core/SObjectFactory.h"
#include "core/SWindow.h"
#include "core/SwndMsgCracker.h"
#include "render/IBitmap.h"

namespace SAKU {

// The image ("img"): a bitmap the program sets (a module's icon), stretched,
// unscaled or tiled over the window, or else one state of a skin. It never takes
// the mouse. Holds a reference of its bitmap; owned by its parent like every
// window; UI thread.
class SImageWnd : public SWindow {
public:
    SOBJECT_CLASS(SWindow, L"img", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"window")

    // How the bitmap fills the window ("tile").
    enum TileMode { kStretch = 0, kUnscaled = 1, kTiled = 2 };

    SImageWnd();

    // Shows `bitmap` (null: the skin again) with a reference of its own; the
    // filter level goes to the render target with it. A window that wraps its
    // content on both sides is laid out again for the bitmap's size.
    void SetImage(IBitmap* bitmap, int filterLevel = 0);
    IBitmap* GetImage() const { return m_bitmap.Get(); }
    ISkinObj* GetImageSkin() const { return m_imageSkin; }
    int GetIconIndex() const { return m_iconIndex; }
    int GetTile() const { return m_tile; }

    BEGIN_ATTRIBUTES(SImageWnd)
        ATTRIBUTE_SKIN   (L"skin",      m_imageSkin,                 kRefresh)
        ATTRIBUTE_FIELD  (L"iconIndex", m_iconIndex, ParseIntOrZero, kNoRefresh)
        ATTRIBUTE_FIELD  (L"tile",      m_tile,      ParseIntOrZero, kRefresh)
    END_ATTRIBUTES_CHAIN(SWindow)

    // SWindow overrides
    SIZE MeasureDesiredSize(const RECT* container) override;
    void ApplyColorize(COLORREF color) override;
    void OnScaleChanged(int scale) override;

    BEGIN_SWND_MSG_MAP(SImageWnd)
        MSG_HANDLER  (WM_PAINT, OnPaint)
        CHAIN_MSG_MAP(SWindow)
    END_MSG_MAP()

protected:
    void OnPaint(IRenderTarget* target);

private:
    ISkinObj* m_imageSkin = nullptr;   // the pools'
    int m_iconIndex = 0;
    int m_tile = kStretch;
    SAutoRef<IBitmap> m_bitmap;
    int m_filterLevel = 0;
};

}  // namespace SAKU
