#pragma once

#include "core/SAttributeMap.h"
#include "core/SAutoRef.h"
#include "core/SLayoutDim.h"
#include "core/SObjectImpl.h"
#include "render/IFont.h"
#include "res.mgr/SResProviderMgr.h"

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

    // Results: kRefresh when the window must redraw, kNoRefresh when not (a margin
    // or padding read while loading: the window is laid out afterwards anyway),
    // E_FAIL for a value it cannot use (the old value stays), and E_NOTIMPL for a
    // name it does not know, which the window then offers to its layout.
    BEGIN_ATTRIBUTES(SwndStyle)
        ATTRIBUTE_FIELD  (L"textMode",         m_textMode,        ParseInt,                   kRefresh)
        ATTRIBUTE_HANDLER(L"align",            OnAttrAlign)
        ATTRIBUTE_HANDLER(L"valign",           OnAttrVAlign)
        ATTRIBUTE_COLOR  (L"colorBkgnd",       m_crBg,                                        kRefresh)
        ATTRIBUTE_COLOR  (L"colorBorder",      m_crBorder,                                    kRefresh)
        ATTRIBUTE_COLOR  (L"colorText",        m_crText[0],                                   kRefresh)
        ATTRIBUTE_COLOR  (L"colorTextHover",   m_crText[1],                                   kRefresh)
        ATTRIBUTE_COLOR  (L"colorTextPush",    m_crText[2],                                   kRefresh)
        ATTRIBUTE_COLOR  (L"colorTextDisable", m_crText[3],                                   kRefresh)
        ATTRIBUTE_HANDLER(L"font",             OnAttrFont<0>)
        ATTRIBUTE_HANDLER(L"fontHover",        OnAttrFont<1>)
        ATTRIBUTE_HANDLER(L"fontPush",         OnAttrFont<2>)
        ATTRIBUTE_HANDLER(L"fontDisable",      OnAttrFont<3>)
        ATTRIBUTE_HANDLER(L"margin-x",         OnAttrMarginX)
        ATTRIBUTE_HANDLER(L"margin-y",         OnAttrMarginY)
        ATTRIBUTE_HANDLER(L"margin",           OnAttrMargin)
        ATTRIBUTE_HANDLER(L"inset",            OnAttrPadding)
        ATTRIBUTE_HANDLER(L"padding",          OnAttrPadding)
        ATTRIBUTE_FIELD  (L"cursor",           m_strCursor,        SResProviderMgr::GetString, kNoRefresh)
        ATTRIBUTE_FIELD  (L"dotted",           m_bDotted,          ParseFlag,                  kNoRefresh)
        ATTRIBUTE_FIELD  (L"trackMouseEvent",  m_bTrackMouseEvent, ParseFlag,                  kNoRefresh)
        ATTRIBUTE_FIELD  (L"alpha",            m_byAlpha,          ParseInt,                   kRefresh)
        ATTRIBUTE_FIELD  (L"bkgndBlend",       m_bBkgndBlend,      ParseFlag,                  kRefresh)
        ATTRIBUTE_FIELD  (L"sepSpace",         m_bySepSpace,       ParseInt,                   kRefresh)
    END_ATTRIBUTES_CHAIN(SObjectImpl<IObject>)

    RECT GetMarginRect() const;    // in pixels at the style's scale
    RECT GetPaddingRect() const;
    // The DrawTextW format: the text mode when one is set, else what the alignment
    // and the dotted flag make (0x25, centred on one line, by default).
    UINT GetTextFormat() const;
    // The normal colour or font where the state has none; a state outside 0 to 3
    // reads as normal. The font comes without a reference added.
    COLORREF GetTextColor(int state) const;
    IFont* GetTextFont(int state) const;
    // How many paint states the text looks different in: 1 + the hover, push and
    // disable states that have their own font, or that have their own colour,
    // whichever count is larger.
    int GetStates() const;
    int GetScale() const { return m_scale; }
    // Fetches every state font again from the font pool for the new scale.
    void SetScale(int scale);

    // IObject overrides
    HRESULT DefAttributeProc(const SStringW&, const SStringW&, BOOL) override { return E_NOTIMPL; }

    COLORREF m_crBg = kColorNone;       // "colorBkgnd"
    COLORREF m_crBorder = kColorNone;   // "colorBorder"
    SStringW m_strCursor = L"arrow";
    BYTE m_byAlpha = 0xFF;
    BYTE m_bySepSpace = 5;
    bool m_bDotted = false;
    bool m_bTrackMouseEvent = false;
    bool m_bBkgndBlend = true;          // the parent paints below the window

private:
    HRESULT OnAttrAlign(const SStringW& value, BOOL loading);
    HRESULT OnAttrVAlign(const SStringW& value, BOOL loading);
    template <int state>
    HRESULT OnAttrFont(const SStringW& value, BOOL)
    {
        return SetStateFont(state, value);
    }
    HRESULT OnAttrMarginX(const SStringW& value, BOOL loading);
    HRESULT OnAttrMarginY(const SStringW& value, BOOL loading);
    HRESULT OnAttrMargin(const SStringW& value, BOOL loading) { return SetSides(m_margin, value, loading); }
    HRESULT OnAttrPadding(const SStringW& value, BOOL loading) { return SetSides(m_padding, value, loading); }

    // Stores the description and takes its font from the font pool at the style's scale.
    HRESULT SetStateFont(int state, const SStringW& description);
    static HRESULT SetSides(SLayoutDim (&sides)[4], const SStringW& value, BOOL loading);

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
