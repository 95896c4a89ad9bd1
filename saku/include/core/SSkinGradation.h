#pragma once

#include "core/SColor.h"
#include "core/SSkinObjBase.h"
#include "res.mgr/SResProviderMgr.h"

namespace SAKU {

// A two-colour gradient ("colorFrom", "colorTo"), top to bottom unless "vertical"
// is 0. One state; no copy for another scale. Reference counted; its skin pool
// keeps it and the windows that draw it borrow it. UI thread.
class SSkinGradation : public SSkinObjBase {
public:
    SOBJECT_CLASS(SSkinObjBase, L"gradation", kObjTypeSkin)
    SOBJECT_BASE_CLASS(L"skinObjBase")

    BEGIN_ATTRIBUTES(SSkinGradation)
        ATTRIBUTE_COLOR(L"colorFrom", m_colors[0], kRefresh)
        ATTRIBUTE_COLOR(L"colorTo",   m_colors[1], kRefresh)
        ATTRIBUTE_FIELD(L"vertical",  m_vertical,  ParseInt, kRefresh)
    END_ATTRIBUTES_CHAIN(SSkinObjBase)

    COLORREF GetColorFrom() const { return m_colors[0]; }
    COLORREF GetColorTo() const { return m_colors[1]; }

    // ISkinObj overrides
    void ApplyColorize(COLORREF color) override;
    ISkinObj* Scale(int) override { return nullptr; }

protected:
    // SSkinObjBase overrides
    void DrawImpl(IRenderTarget* target, const RECT* rect, int state, BYTE alpha) override;

private:
    COLORREF m_colors[2] = {kColorNone, kColorNone};
    COLORREF m_saved[2] = {};
    BOOL m_vertical = TRUE;
};

}  // namespace SAKU
