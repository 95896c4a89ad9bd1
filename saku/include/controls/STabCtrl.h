#pragma once

#include "core/IInterpolator.h"
#include "core/SDynArray.h"
#include "core/SWindow.h"
#include "core/SwndMsgCracker.h"

namespace SAKU {

class STabPage;
class STabSlider;

// A tab control ("tabctrl"): pages (STabPage) of which one is shown in the page
// area, and a strip of tabs, one per page, along one edge. A page change can
// slide the old page out and the new one in (STabSlider, a transient child that
// the control owns while it runs). The control owns its pages through the window
// tree; the page list borrows them. UI thread.
class STabCtrl : public SWindow {
    friend class STabSlider;

public:
    SOBJECT_CLASS(SWindow, L"tabctrl", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"window")

    // The edge the strip lies along ("tabAlign").
    enum TabAlign { kAlignTop = 0, kAlignLeft = 1, kAlignBottom = 2, kAlignRight = 3 };
    // How tab titles run ("textDir").
    enum TextDir { kTextHorizontal = 0, kTextVertical = 1 };

    STabCtrl();
    ~STabCtrl() override;

    // Adds a page made from `node` at `index` (-1: at the end); the index, or -1
    // when the node makes no page. `loading`: while the control is built from XML.
    virtual int AddItemAt(pugi::xml_node node, int index, BOOL loading);
    // Adds the first element of `xml`; -1 when the text does not parse.
    virtual int InsertItemXml(LPCWSTR xml, int index);
    virtual void OnItemInserted(STabPage* /*page*/) {}
    virtual void OnItemRemoved(STabPage* /*page*/) {}
    // The strip.
    virtual RECT GetTitleRect() const;
    // One tab's rectangle; FALSE for an index outside the pages.
    virtual BOOL GetItemRect(int index, RECT& rect) const;
    // `state` holds WndState_ bits: pushed or checked draws the selected tab.
    virtual void DrawItem(IRenderTarget* target, const RECT& rect, int index, DWORD state);
    // A page for a "page" element; null for any other.
    virtual STabPage* CreatePageFromXml(pugi::xml_node node);

    STabPage* GetItem(int index) const;
    int GetItemCount() const { return m_pages.GetCount(); }
    int GetCurSel() const { return m_curSel; }
    // TRUE when the page changed; "on_tab_sel_changing" may refuse it.
    BOOL SetCurSel(int index);
    // The tab under a host point; -1 when none.
    int HitTest(POINT point) const;
    BOOL IsSliding() const { return m_slider != nullptr; }

    HRESULT ApplyAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;

    // ---- SWindow overrides ------------------------------------------------------------
    BOOL BuildChildren(pugi::xml_node element) override;
    void OnInitFinished(pugi::xml_node element) override;
    RECT GetChildrenLayoutRect() const override;
    void UpdateChildrenPosition() override;
    UINT OnGetDlgCode() const override { return kDlgCodeWantArrows; }
    BOOL IsFocusable() const override { return TRUE; }
    void PreparePaint(IRenderTarget* target, SPaintState& saved) override;
    BOOL UpdateToolTip(POINT point, SwndToolTipInfo& info) override;
    int OnLanguageChanged() override;
    void ApplyColorize(COLORREF color) override;
    void OnScaleChanged(int scale) override;

BEGIN_SWND_MSG_MAP(STabCtrl)
        MSG_HANDLER  (WM_DESTROY,     OnDestroy)
        MSG_HANDLER  (WM_PAINT,       OnPaint)
        MSG_HANDLER  (WM_KEYDOWN,     OnKeyDown)
        MSG_HANDLER  (WM_MOUSEMOVE,   OnMouseMove)
        MSG_HANDLER  (WM_MOUSELEAVE,  OnMouseLeave)
        MSG_HANDLER  (WM_LBUTTONDOWN, OnLButtonDown)
        CHAIN_MSG_MAP(SWindow)
    END_MSG_MAP()

private:
    // Attributes that need code; each answers as an attribute map's entry does.
    HRESULT OnAttrTabSize(const SStringW& value, BOOL loading);
    HRESULT OnAttrInterpolator(const SStringW& value, BOOL loading);

    void OnDestroy();
    void OnPaint(IRenderTarget* target);
    void OnKeyDown(UINT key, UINT repeatCount, UINT flags);
    void OnMouseMove(UINT flags, POINT point);
    void OnMouseLeave();
    void OnLButtonDown(UINT flags, POINT point);

    // Ends a running slide: the slider goes and the current page shows.
    void StopSlide();
    void SetHover(int index);
    void InvalidateItem(int index);
    int TabWidth() const;
    int TabHeight() const;
    bool IsVerticalStrip() const { return m_tabAlign == kAlignLeft || m_tabAlign == kAlignRight; }
    void DrawVerticalText(IRenderTarget* target, const SStringW& text, const RECT& rect, bool centred);

    SDynArray<STabPage*> m_pages;    // in tab order; the tree holds them
    int m_curSel = 0;
    int m_hoverIndex = -1;
    STabSlider* m_slider = nullptr;  // a child while it slides

    SLayoutDim m_tabWidth{-1.0f, kUnitPx};
    SLayoutDim m_tabHeight{-1.0f, kUnitPx};
    SLayoutDim m_tabPos;
    SLayoutDim m_tabInterSize;
    SLayoutDim m_iconX;
    SLayoutDim m_iconY;
    SLayoutDim m_textX{-1.0f, kUnitPx};
    SLayoutDim m_textY{-1.0f, kUnitPx};
    ISkinObj* m_tabSkin = nullptr;       // the skins belong to the skin pools
    ISkinObj* m_iconSkin = nullptr;
    ISkinObj* m_tabInterSkin = nullptr;
    ISkinObj* m_frameSkin = nullptr;
    int m_tabAlign = kAlignTop;
    int m_textDir = kTextHorizontal;
    int m_animateSteps = 0;
    int m_animateType = 0;
    SAutoRef<IInterpolator> m_interpolator;
};

}  // namespace SAKU
