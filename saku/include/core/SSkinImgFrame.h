#pragma once

#include "core/SSkinImgList.h"

namespace SAKU {

// An image list whose states are drawn as nine-patches: corners of the margins'
// sizes stay as they are, edges and centre are stretched or tiled. Attributes
// "margin" ("left,top,right,bottom"; fewer numbers set the first ones), "left",
// "top", "right", "bottom", "margin-x" and "margin-y". Reference counted; its
// skin pool keeps it and the windows that draw it borrow it. UI thread.
class SSkinImgFrame : public SSkinImgList {
public:
    SOBJECT_CLASS(SSkinImgList, L"imgframe", kObjTypeSkin)
    SOBJECT_BASE_CLASS(L"imglist")

    BEGIN_ATTRIBUTES(SSkinImgFrame)
        ATTRIBUTE_READ (L"margin",   m_margins,        ReadMargins,                kNoRefresh)
        ATTRIBUTE_FIELD(L"left",     m_margins.left,   ParseInt,                   kNoRefresh)
        ATTRIBUTE_FIELD(L"top",      m_margins.top,    ParseInt,                   kNoRefresh)
        ATTRIBUTE_FIELD(L"right",    m_margins.right,  ParseInt,                   kNoRefresh)
        ATTRIBUTE_FIELD(L"bottom",   m_margins.bottom, ParseInt,                   kNoRefresh)
        ATTRIBUTE_PAIR (L"margin-x", m_margins.left,   m_margins.right,  ParseInt, kNoRefresh)
        ATTRIBUTE_PAIR (L"margin-y", m_margins.top,    m_margins.bottom, ParseInt, kNoRefresh)
    END_ATTRIBUTES_CHAIN(SSkinImgList)

    // Left, top, right and bottom widths.
    const RECT& GetMargins() const { return m_margins; }
    void SetMargins(const RECT& margins) { m_margins = margins; }

    // SSkinImgList overrides
    UINT GetExpandMode() const override;   // stretch or tile, never natural size

protected:
    // SSkinObjBase overrides
    void ScaleInto(SSkinObjBase* target, int scale) override;
    void DrawImpl(IRenderTarget* target, const RECT* rect, int state, BYTE alpha) override;

private:
    // "left,top,right,bottom": at least one number; the ones given set the first margins.
    static bool ReadMargins(RECT& margins, const SStringW& value);

    RECT m_margins = {0, 0, 0, 0};
};

// A nine-patch whose image carries its margins in a one-pixel border: the opaque
// run of the top row marks the stretched columns, that of the left column the
// stretched rows. The border is cut off when the image loads. Reference counted;
// its skin pool keeps it and the windows that draw it borrow it. UI thread.
class SSkinImgFrame2 : public SSkinImgFrame {
public:
    SOBJECT_CLASS(SSkinImgFrame, L"imgframe2", kObjTypeSkin)
    SOBJECT_BASE_CLASS(L"imgframe")

protected:
    // SSkinImgList overrides: E_FAIL when the image does not load, E_INVALIDARG
    // when it is narrower or lower than 2 pixels, E_OUTOFMEMORY when the inner
    // image cannot be made.
    HRESULT OnAttrSrc(const SStringW& value, BOOL loading) override;
};

}  // namespace SAKU
