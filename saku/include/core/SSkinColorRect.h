#pragma once

#include "core/SColor.h"
#include "core/SSkinObjBase.h"
#include "res.mgr/SResProviderMgr.h"

namespace SAKU {

// A colour per state ("normal", "hover", "pushdown", "disable"), filled with
// rounded corners when "cornerRadius" is set. A state without its own colour draws
// the normal one; the states counted are those up to the last one set. No copy
// for another scale. Reference counted; its skin pool keeps it and the windows
// that draw it borrow it. UI thread.
class SSkinColorRect : public SSkinObjBase {
public:
    SOBJECT_CLASS(SSkinObjBase, L"colorrect", kObjTypeSkin)
    SOBJECT_BASE_CLASS(L"skinObjBase")

    static constexpr int kStateCount = 4;

    BEGIN_ATTRIBUTES(SSkinColorRect)
        ATTRIBUTE_COLOR(L"normal",       m_colors[0], kRefresh)
        ATTRIBUTE_COLOR(L"hover",        m_colors[1], kRefresh)
        ATTRIBUTE_COLOR(L"pushdown",     m_colors[2], kRefresh)
        ATTRIBUTE_COLOR(L"disable",      m_colors[3], kRefresh)
        ATTRIBUTE_FIELD(L"cornerRadius", m_cornerRadius, ParseInt, kRefresh)
    END_ATTRIBUTES_CHAIN(SSkinObjBase)

    COLORREF GetStateColor(int state) const { return m_colors[state]; }

    // ISkinObj overrides
    BOOL IgnoreState() const override { return GetStates() < 2; }
    int GetStates() const override;
    ISkinObj* Scale(int) override { return nullptr; }

protected:
    // SSkinObjBase overrides: states outside 0-3 draw nothing.
    void DrawImpl(IRenderTarget* target, const RECT* rect, int state, BYTE alpha) override;

private:
    COLORREF m_colors[kStateCount] = {0xFFFFFFFF, kColorNone, kColorNone, kColorNone};
    int m_cornerRadius = 0;
};

}  // namespace SAKU
