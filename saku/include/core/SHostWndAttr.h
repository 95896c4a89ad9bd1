#pragma once

#include "core/SAttributeMap.h"
#include "core/SLayoutDim.h"
#include "core/SObjectImpl.h"
#include "core/STranslatableText.h"
#include "res.mgr/SResProviderMgr.h"

#include "GdiHandles.h"

namespace SAKU {

// What a host window is, as its layout's root element "SAKU" says: size, title,
// frame behaviour, translucency, icons and how its end concerns the program. The
// host fills it anew from each layout it loads (Init, then the element's
// attributes) and reads it while it runs. Owned by the host; UI thread.
class SHostWndAttr : public SObjectImpl<IObject>, public ITrCtxProvider {
public:
    SOBJECT_CLASS(SObjectImpl<IObject>, L"SHostWndAttr", kObjTypeNone)

    // What the end of the window means: "appMain" ends the program's loop.
    enum WndType { kWndTypeUndefine = 0, kWndTypeAppMain = 1, kWndTypeNormal = 2 };

    SHostWndAttr() = default;

    // A "width" or "height": a layout size, or "wrapContent" (the root decides),
    // as SLayoutDim::ParseSizeText reads it; a blank text wraps the content.
    static SLayoutDim ParseHostSize(const SStringW& value);

    // Every attribute back to its default; the icons are destroyed.
    void Init();

    // The sizes in pixels at `scale` percent.
    RECT GetMarginRect(int scale) const;
    RECT GetMaxRectInset(int scale) const;
    SIZE GetMinSize(int scale) const;

    LPCWSTR GetTrCtx() const override { return m_trCtx.c_str(); }
    const STranslatableText& GetTitle() const { return m_title; }
    void TranslateTitle() { m_title.TranslateText(); }
    const SLayoutDim& GetWidth() const { return m_width; }
    const SLayoutDim& GetHeight() const { return m_height; }
    void SetWidth(const SLayoutDim& width) { m_width = width; }
    void SetHeight(const SLayoutDim& height) { m_height = height; }
    // Called when the host's size follows its root's in that direction: no
    // resize border there.
    void ClearHorzMargin();
    void ClearVertMargin();
    DWORD GetWndStyle() const { return m_wndStyle; }
    DWORD GetWndStyleEx() const { return m_wndStyleEx; }
    bool IsResizable() const { return m_resizable; }
    bool IsTranslucent() const { return m_translucent; }
    bool IsSendWheel2Hover() const { return m_sendWheel2Hover; }
    bool IsAppWnd() const { return m_appWnd; }
    bool IsToolWindow() const { return m_toolWindow; }
    bool IsAllowSpy() const { return m_allowSpy; }
    BYTE GetAlpha() const { return m_alpha; }
    int GetWndType() const { return m_wndType; }
    HICON GetSmallIcon() const { return m_smallIcon.Get(); }
    HICON GetBigIcon() const { return m_bigIcon.Get(); }

    BEGIN_ATTRIBUTES(SHostWndAttr)
        ATTRIBUTE_FIELD(L"trCtx",           m_trCtx,           SResProviderMgr::GetString, kRefresh)
        ATTRIBUTE_TEXT (L"title",           m_title,                                       kRefresh)
        ATTRIBUTE_READ (L"maxInset",        m_maxInset,        ReadDims,                   kRefresh)
        ATTRIBUTE_FIELD(L"width",           m_width,           ParseHostSize,              kRefresh)
        ATTRIBUTE_FIELD(L"height",          m_height,          ParseHostSize,              kRefresh)
        ATTRIBUTE_READ (L"margin",          m_margin,          ReadDims,                   kRefresh)
        ATTRIBUTE_READ (L"minsize",         m_minSize,         ReadDims,                   kRefresh)
        ATTRIBUTE_FIELD(L"wndStyle",        m_wndStyle,        ParseInt,                   kRefresh)
        ATTRIBUTE_FIELD(L"wndStyleEx",      m_wndStyleEx,      ParseInt,                   kRefresh)
        ATTRIBUTE_FIELD(L"resizable",       m_resizable,       ParseBool,                  kRefresh)
        ATTRIBUTE_FIELD(L"translucent",     m_translucent,     ParseBool,                  kRefresh)
        ATTRIBUTE_FIELD(L"sendWheel2Hover", m_sendWheel2Hover, ParseBool,                  kRefresh)
        ATTRIBUTE_FIELD(L"appWnd",          m_appWnd,          ParseBool,                  kRefresh)
        ATTRIBUTE_FIELD(L"toolWindow",      m_toolWindow,      ParseBool,                  kRefresh)
        ATTRIBUTE_READ (L"smallIcon",       m_smallIcon,       ReadIcon,                   kRefresh)
        ATTRIBUTE_READ (L"bigIcon",         m_bigIcon,         ReadIcon,                   kRefresh)
        ATTRIBUTE_FIELD(L"alpha",           m_alpha,           ParseInt,                   kRefresh)
        ATTRIBUTE_FIELD(L"allowSpy",        m_allowSpy,        ParseBool,                  kRefresh)
        ATTRIBUTE_FIELD(L"appMainWnd",      m_wndType,         ParseInt,                   kRefresh)
        ATTRIBUTE_WORD (L"wndType",         m_wndType,         kWndTypeWords, kExactCase,  kRefresh)
    END_ATTRIBUTES_CHAIN(SObjectImpl<IObject>)

private:
    // The words of "wndType", compared exactly.
    static constexpr AttributeWord kWndTypeWords[] = {{L"undefine", kWndTypeUndefine}, {L"appMain", kWndTypeAppMain},
                                                      {L"normal", kWndTypeNormal}};

    // Exactly as many layout sizes as the field holds, separated by ','; another
    // count is refused.
    template <int N>
    static bool ReadDims(SLayoutDim (&dims)[N], const SStringW& value) { return ReadDimList(dims, N, value); }
    static bool ReadDimList(SLayoutDim* dims, int count, const SStringW& value);
    // The application's icon of the reference; none when it has no such icon.
    static bool ReadIcon(UniqueIcon& icon, const SStringW& value);

    SStringW m_trCtx;
    STranslatableText m_title{this};
    SLayoutDim m_maxInset[4];     // left, top, right, bottom
    SLayoutDim m_width{kSizeInvalid, kUnitPx};
    SLayoutDim m_height{kSizeInvalid, kUnitPx};
    SLayoutDim m_margin[4];       // left, top, right, bottom
    SLayoutDim m_minSize[2];      // width, height
    DWORD m_wndStyle = 0;
    DWORD m_wndStyleEx = 0;
    bool m_resizable = false;
    bool m_translucent = false;
    bool m_sendWheel2Hover = false;
    bool m_appWnd = false;
    bool m_toolWindow = false;
    UniqueIcon m_smallIcon;
    UniqueIcon m_bigIcon;
    BYTE m_alpha = 255;
    bool m_allowSpy = true;
    int m_wndType = kWndTypeUndefine;
};

}  // namespace SAKU
