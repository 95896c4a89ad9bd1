#pragma once

#include "core/SColor.h"
#include "core/SSkinObjBase.h"
#include "res.mgr/SResProviderMgr.h"

namespace SAKU {

// A button face drawn from colours alone: per state a vertical gradient from an "up" to a "down" colour,
// inside a one-pixel border, with rounded corners clipped when "cornerRadius" is
// above 2. States 0-3 (normal, hover, pushed, disabled); the default colours carry
// alpha 0. No copy for another scale: the pool draws the skin as it is.
// Reference counted; its skin pool keeps it and the windows that draw it borrow
// it. UI thread.
class SSkinButton : public SSkinObjBase {
public:
    SOBJECT_CLASS(SSkinObjBase, L"button", kObjTypeSkin)
    SOBJECT_BASE_CLASS(L"skinObjBase")

    static constexpr int kStateCount = 4;

    SSkinButton();

    BEGIN_ATTRIBUTES(SSkinButton)
        ATTRIBUTE_COLOR(L"colorBorder",      m_colors[kBorder],   kRefresh)
        ATTRIBUTE_COLOR(L"colorUp",          m_colors[kUp + 0],   kRefresh)
        ATTRIBUTE_COLOR(L"colorUpHover",     m_colors[kUp + 1],   kRefresh)
        ATTRIBUTE_COLOR(L"colorUpPush",      m_colors[kUp + 2],   kRefresh)
        ATTRIBUTE_COLOR(L"colorUpDisable",   m_colors[kUp + 3],   kRefresh)
        ATTRIBUTE_COLOR(L"colorDown",        m_colors[kDown + 0], kRefresh)
        ATTRIBUTE_COLOR(L"colorDownHover",   m_colors[kDown + 1], kRefresh)
        ATTRIBUTE_COLOR(L"colorDownPush",    m_colors[kDown + 2], kRefresh)
        ATTRIBUTE_COLOR(L"colorDownDisable", m_colors[kDown + 3], kRefresh)
        ATTRIBUTE_FIELD(L"cornerRadius",     m_cornerRadius, ParseInt, kRefresh)
    END_ATTRIBUTES_CHAIN(SSkinObjBase)

    COLORREF GetBorderColor() const { return m_colors[kBorder]; }
    COLORREF GetUpColor(int state) const { return m_colors[kUp + state]; }
    COLORREF GetDownColor(int state) const { return m_colors[kDown + state]; }

    // ISkinObj overrides
    BOOL IgnoreState() const override { return FALSE; }
    int GetStates() const override { return kStateCount; }
    void ApplyColorize(COLORREF color) override;
    ISkinObj* Scale(int) override { return nullptr; }

protected:
    // SSkinObjBase overrides: states outside 0-3 draw nothing.
    void DrawImpl(IRenderTarget* target, const RECT* rect, int state, BYTE alpha) override;

private:
    static constexpr int kBorder = 0;
    static constexpr int kUp = 1;
    static constexpr int kDown = kUp + kStateCount;
    static constexpr int kColorCount = kDown + kStateCount;

    COLORREF m_colors[kColorCount];
    COLORREF m_saved[kColorCount] = {};   // the originals while colorized
    int m_cornerRadius = 2;
};

}  // namespace SAKU
