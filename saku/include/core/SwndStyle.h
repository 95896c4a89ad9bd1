#pragma once

#include "core/SAttributeMap.h"
#include "core/SAutoRef.h"
#include "core/SFontPool.h"
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
    // The words of "align" and "valign", compared exactly.
    static constexpr AttributeWord kAlignWords[] = {{L"left", kAlignLeft}, {L"center", kAlignCenter},
                                                    {L"right", kAlignRight}};
    static constexpr AttributeWord kVAlignWords[] = {{L"top", kVAlignTop}, {L"middle", kVAlignMiddle},
                                                     {L"bottom", kVAlignBottom}};

    SwndStyle();
    ~SwndStyle() override;

    // Results: kRefresh when the window must redraw, kNoRefresh when not (a margin
    // or padding read while loading: the window is laid out afterwards anyway),
    // E_FAIL for a value it cannot use (the old value stays), and E_NOTIMPL for a
    // name it does not know, which the window then offers to its layout.
    BEGIN_ATTRIBUTES(SwndStyle)
        ATTRIBUTE_FIELD (L"textMode",         m_textMode,         ParseInt,                   kRefresh)
        ATTRIBUTE_WORD  (L"align",            m_align,            kAlignWords,   kExactCase,  kRefresh)
        ATTRIBUTE_WORD  (L"valign",           m_valign,           kVAlignWords,  kExactCase,  kRefresh)
        ATTRIBUTE_COLOR (L"colorBkgnd",       m_crBg,                                         kRefresh)
        ATTRIBUTE_COLOR (L"colorBorder",      m_crBorder,                                     kRefresh)
        ATTRIBUTE_COLOR (L"colorText",        m_crText[0],                                    kRefresh)
        ATTRIBUTE_COLOR (L"colorTextHover",   m_crText[1],                                    kRefresh)
        ATTRIBUTE_COLOR (L"colorTextPush",    m_crText[2],                                    kRefresh)
        ATTRIBUTE_COLOR (L"colorTextDisable", m_crText[3],                                    kRefresh)
        ATTRIBUTE_LOOKUP(L"font",             m_font[0],          m_fontDesc[0], FindFont,    kRefresh)
        ATTRIBUTE_LOOKUP(L"fontHover",        m_font[1],          m_fontDesc[1], FindFont,    kRefresh)
        ATTRIBUTE_LOOKUP(L"fontPush",         m_font[2],          m_fontDesc[2], FindFont,    kRefresh)
        ATTRIBUTE_LOOKUP(L"fontDisable",      m_font[3],          m_fontDesc[3], FindFont,    kRefresh)
        ATTRIBUTE_PAIR  (L"margin-x",         m_margin[0],        m_margin[2],   SLayoutDim,  kRefreshOnceLoaded)
        ATTRIBUTE_PAIR  (L"margin-y",         m_margin[1],        m_margin[3],   SLayoutDim,  kRefreshOnceLoaded)
        ATTRIBUTE_READ  (L"margin",           m_margin,           ReadSides,                  kRefreshOnceLoaded)
        ATTRIBUTE_READ  (L"inset",            m_padding,          ReadSides,                  kRefreshOnceLoaded)
        ATTRIBUTE_READ  (L"padding",          m_padding,          ReadSides,                  kRefreshOnceLoaded)
        ATTRIBUTE_FIELD (L"cursor",           m_strCursor,        SResProviderMgr::GetString, kNoRefresh)
        ATTRIBUTE_FIELD (L"dotted",           m_bDotted,          ParseFlag,                  kNoRefresh)
        ATTRIBUTE_FIELD (L"trackMouseEvent",  m_bTrackMouseEvent, ParseFlag,                  kNoRefresh)
        ATTRIBUTE_FIELD (L"alpha",            m_byAlpha,          ParseInt,                   kRefresh)
        ATTRIBUTE_FIELD (L"bkgndBlend",       m_bBkgndBlend,      ParseFlag,                  kRefresh)
        ATTRIBUTE_FIELD (L"sepSpace",         m_bySepSpace,       ParseInt,                   kRefresh)
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
    // "margin", "padding": one size for every side, two (horizontal, vertical) or
    // four; another count changes no side, though the attribute is taken.
    static bool ReadSides(SLayoutDim (&sides)[4], const SStringW& value);

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
