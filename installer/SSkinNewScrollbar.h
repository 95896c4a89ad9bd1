#pragma once

#include "core/SAutoRef.h"
#include "core/SSkinScrollbar.h"

namespace SAKU {
struct IBitmap;
}

// The installer's scroll-bar skin ("newScrollbar"): two images, one for vertical
// and one for horizontal bars, each holding only a thumb and a rail per state;
// no arrow buttons, corner or gripper. A vertical image has one column per state
// and two rows (thumb, rail); a horizontal one one row per state and two columns.
// "srcVert" and "srcHorz" name the images; "states" (4 unless given), "margin"
// and "tile" are the scroll-bar skin's. Made by the factory that start-up
// registers; its skin pool owns it. UI thread.
class SSkinNewScrollbar : public SAKU::SSkinScrollbar {
public:
    SOBJECT_CLASS(SAKU::SSkinScrollbar, L"newScrollbar", SAKU::kObjTypeSkin)
    SOBJECT_BASE_CLASS(L"scrollbar")

    BEGIN_ATTRIBUTES(SSkinNewScrollbar)
        ATTRIBUTE_HANDLER(L"srcVert", OnAttrSrcVert)
        ATTRIBUTE_HANDLER(L"srcHorz", OnAttrSrcHorz)
    END_ATTRIBUTES_CHAIN(SAKU::SSkinScrollbar)

    SSkinNewScrollbar();
    ~SSkinNewScrollbar() override;

    SAKU::IBitmap* GetVertImage() const { return m_vertImage.Get(); }   // no reference added
    SAKU::IBitmap* GetHorzImage() const { return m_horzImage.Get(); }

    // SSkinScrollbar overrides
    BOOL HasArrowButtons() const override { return FALSE; }
    // The vertical image's column width; 0 without one.
    int GetBarThickness() const override;
    // The part's cell of its bar's image, cut to the image; empty for the arrows,
    // the corner and the gripper, and for a cell outside the image.
    RECT GetPartSourceRect(int part, int state, bool vertical) const override;
    // The images keep their colours.
    void ApplyColorize(COLORREF) override {}

protected:
    // SSkinScrollbar overrides
    void ScaleInto(SAKU::SSkinObjBase* target, int scale) override;
    void DrawImpl(SAKU::IRenderTarget* target, const RECT* rect, int state, BYTE alpha) override;

private:
    HRESULT OnAttrSrcVert(const SAKU::SStringW& value, BOOL loading);
    HRESULT OnAttrSrcHorz(const SAKU::SStringW& value, BOOL loading);

    SAKU::SAutoRef<SAKU::IBitmap> m_vertImage;
    SAKU::SAutoRef<SAKU::IBitmap> m_horzImage;
};
