#pragma once

#include "core/SAttributeMap.h"
#include "core/SwndContainerImpl.h"
#include "core/SwndMsgCracker.h"

namespace SAKU {

struct IItemContainer;

// One row (or tile) of an adapter-driven view: the row's root window and the
// container of the windows inside it, with its own focus, capture and hover. It
// has no real window: it borrows the host, render targets, caret and timers of
// its owner view (the frame host) and moves rectangles between row coordinates
// (the root window lies at 0, 0) and the owner's. Events raised inside the row
// reach the owner as EventOfPanel. Reference counted; the owner view holds each
// panel's reference and outlives it. UI thread.
class SItemPanel : public SwndContainerImpl {
public:
    SOBJECT_CLASS(SwndContainerImpl, L"itempanel", kObjTypeWindow)

    // A new panel with its first reference, for the caller to adopt; a non-empty
    // `node` builds the row's windows.
    static SItemPanel* Create(SWindow* frameHost, pugi::xml_node node, IItemContainer* itemContainer);

    SWindow* GetFrameHost() const { return m_frameHost; }
    // The row in the owner's coordinates.
    RECT GetItemRect() const;
    // The row the panel shows (an index, or an item handle of a tree); -1 at first.
    LPARAM GetItemIndex() const { return m_itemIndex; }
    void SetItemIndex(LPARAM index) { m_itemIndex = index; }
    CFocusManager* GetFocusManager() { return SwndContainerImpl::GetFocusManager(); }

    // The owner's hover and selection bits, without a redraw.
    virtual void ModifyItemState(DWORD add, DWORD remove);
    // Paints the row at `rect` of the owner's coordinates.
    virtual void Draw(IRenderTarget* target, const RECT& rect);
    virtual void SetSkin(ISkinObj* skin);
    virtual void SetColor(COLORREF normal, COLORREF selected);

    BEGIN_ATTRIBUTES(SItemPanel)
        ATTRIBUTE_COLOR(L"colorNormal",   m_colorNormal,   kNoRefresh)
        ATTRIBUTE_COLOR(L"colorSelected", m_colorSelected, kNoRefresh)
        ATTRIBUTE_COLOR(L"colorHover",    m_colorHover,    kNoRefresh)
    END_ATTRIBUTES_CHAIN(SwndContainerImpl)

    // ---- ISwndContainer overrides ----------------------------------------------------
    // Mouse, key and IME messages from the owner, in row coordinates.
    LRESULT DoFrameEvent(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnFireEvent(EventArgs* args) override;
    HWND GetHostHwnd() override;
    LPCWSTR GetTranslatorContext() const override;
    BOOL IsTranslucent() const override;
    BOOL IsSendWheel2Hover() const override;
    RECT GetContainerRect() const override { return GetItemRect(); }
    IRenderTarget* OnGetRenderTarget(const RECT& rect, DWORD gdcFlags) override;
    void OnReleaseRenderTarget(IRenderTarget* target, const RECT& rect, DWORD gdcFlags) override;
    void OnRedraw(const RECT& rect) override;
    BOOL OnReleaseSwndCapture() override;
    SWND OnSetSwndCapture(SWND swnd) override;
    BOOL OnCreateCaret(SWND swnd, HBITMAP bitmap, int width, int height) override;
    BOOL OnShowCaret(BOOL show) override;
    BOOL OnSetCaretPos(int x, int y) override;
    BOOL UpdateWindow() override;
    void UpdateTooltip() override;
    void FrameToHost(RECT& rect) const override;
    SMessageLoop* GetMsgLoop() override;
    IScriptModule* GetScriptModule() override;
    int GetScale() const override;   // the owner's, for the container and the root window

    // ---- SWindow overrides -----------------------------------------------------------
    void RequestRelayout(SWND source, BOOL sourceResizable) override;
    // The root window itself is no hit: the owner takes the mouse there.
    SWND SwndFromPoint(POINT point, UINT flags) override;
    BOOL UpdateToolTip(POINT point, SwndToolTipInfo& info) override;
    void PreparePaint(IRenderTarget* target, SPaintState& saved) override;
    BOOL NeedRedrawOnStateChange() const override { return TRUE; }
    BOOL IsLayeredWindow() const override { return FALSE; }
    void OnFinalRelease() override;

    BEGIN_SWND_MSG_MAP(SItemPanel)
        MSG_HANDLER  (WM_DESTROY,    OnDestroy)
        MSG_HANDLER  (WM_SHOWWINDOW, OnShowWindow)
        CHAIN_MSG_MAP(SwndContainerImpl)
    END_MSG_MAP()

private:
    SItemPanel(SWindow* frameHost, pugi::xml_node node, IItemContainer* itemContainer);

    void OnDestroy();
    void OnShowWindow(BOOL show, UINT status);
    ISwndContainer* HostContainer() const { return m_frameHost->GetContainer(); }
    POINT RowOrigin() const;

    SWindow* m_frameHost;                // the owner view; it outlives the panel
    IItemContainer* m_itemContainer;
    COLORREF m_colorNormal = SwndStyle::kColorNone;
    COLORREF m_colorSelected = 0xFF800000;
    COLORREF m_colorHover = SwndStyle::kColorNone;
    LPARAM m_itemIndex = -1;
    POINT m_targetOrigin = {};           // the row origin a render target out was moved by
};

}  // namespace SAKU
