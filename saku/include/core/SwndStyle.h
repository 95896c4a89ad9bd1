#pragma once

#include "core/SAttributeMap.h"
#include "core/SAutoRef.h"
#include "core/SLayoutDim.h"
#include "core/SObjectImpl.h"
#include "render/IFont.h"

namespace SAKU {

// The appearance part of a window: text alignment, text colours and fonts by paint
// state (0 normal, 1 hover, 2 push, 3 disable), margin (the non-client border),
// padding, cursor, alpha and three flags. A window owns one and offers it every
// attribute that the window itself does not take. Colours are 0xAABBGGRR words;
// kColorNone marks a colour not set. UI thread.
class SwndStyle : public SObjectImpl<IObject> {
public:
    SOBJECT_CLASS(SObjectImpl<IObject>, L"style", kObjTypeNone)

    static constexpr COLORREF kColorNone = 0x00FFFFFF;
    static constexpr int kStates = 4;

    // Alignment words as stored; GetTextFormat turns them into DT_ flags.
    static constexpr int kAlignLeft = 0, kAlignCenter = 256, kAlignRight = 512;
    static constexpr int kVAlignTop = 0, kVAlignMiddle = 4096, kVAlignBottom = 8192;

    SwndStyle();
    ~SwndStyle() override;

    // IObject overrides: the attribute table; E_NOTIMPL for a name it does not know.
    HRESULT ApplyAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;

    RECT GetMarginRect() const;    // in pixels at the style's scale
    RECT GetPaddingRect() const;
    UINT GetTextFormat() const;
    COLORREF GetTextColor(int state) const;   // the normal colour where the state's is not set
    IFont* GetTextFont(int state) const;      // the normal font where the state has none; no reference added
    // 1 + the hover, push and disable states that have their own font or colour.
    int GetStates() const;
    int GetScale() const { return m_scale; }
    // Fetches every state font again from the font pool for the new scale.
    void SetScale(int scale);

    COLORREF m_crBg = kColorNone;       // "colorBkgnd"
    COLORREF m_crBorder = kColorNone;   // "colorBorder"
    SStringW m_strCursor = L"arrow";
    BYTE m_byAlpha = 0xFF;
    BYTE m_bySepSpace = 5;
    bool m_bDotted = false;
    bool m_bTrackMouseEvent = false;
    bool m_bBkgndBlend = true;

private:
    SLayoutDim m_margin[4];    // left, top, right, bottom
    SLayoutDim m_padding[4];
    int m_textMode = 0;
    int m_align = kAlignCenter;
    int m_valign = kVAlignMiddle;
    COLORREF m_crText[kStates] = {kColorNone, kColorNone, kColorNone, kColorNone};
    SStringW m_fontDesc[kStates];
    SAutoRef<IFont> m_font[kStates];
    int m_scale = 100;
};

}  // namespace SAKU
