#pragma once

#include "core/EventArgs.h"
#include "core/ILayout.h"
#include "core/ISwndContainer.h"
#include "core/SAutoRef.h"
#include "core/SEventSet.h"
#include "core/SLayoutDim.h"
#include "core/SMsgHandleState.h"
#include "core/SObjectFactory.h"
#include "core/SObjectImpl.h"
#include "core/STranslatableText.h"
#include "core/SWindowDefs.h"
#include "core/SWnd.h"
#include "core/SwndStyle.h"
#include "render/IRegion.h"
#include "render/IRenderTarget.h"

#include <memory>

namespace pugi {
class xml_node;
}

namespace SAKU {

struct ISkinObj;
class SWindowSurface;

// What a window's tooltip shows, filled by UpdateToolTip.
struct SwndToolTipInfo {
    SWND swnd = 0;
    DWORD cookie = 0;
    RECT rcTarget = {};
    SStringW text;
};

// The font and text colour a window replaced in a render target while it painted,
// given back by AfterPaint.
struct SPaintState {
    SAutoRef<IRenderObj> font;                        // null: none saved
    COLORREF textColor = SwndStyle::kColorNone;       // kColorNone: none saved
};

// The base of every element of a UI tree: the plain "window" element, every
// control and the root of every host. Not an operating-system window: a rectangle
// in a host window (host coordinates), named by a handle (SWND), linked to its
// parent, children and siblings, configured from XML attributes, placed by its
// parent's layout and painted through the render interfaces. Reference counted
// (born with 1; the parent holds the reference of each child). UI thread only.
//
// A control overrides, by group: its attributes (ApplyAttribute through an
// attribute map chained to SWindow's), its messages (ProcessSwndMessage, chained to
// SWindow's), what it paints (OnPaint, OnEraseBkgnd, OnNcPaint), how big it wants to
// be (MeasureDesiredSize), how it takes the keyboard (IsFocusable, OnGetDlgCode,
// grouping), and the state hooks (OnStateChanging, OnStateChanged,
// NeedRedrawOnStateChange).
class SWindow : public SObjectImpl<IObject>,
                public SMsgHandleState,
                public ITrCtxProvider,
                public TObjRefImpl2<IObjRef, SWindow> {
public:
    SOBJECT_CLASS(SObjectImpl<IObject>, L"window", kObjTypeWindow)
    SOBJECT_BASE_CLASS(L"object")

    // Where InsertChild puts a child: after null or the last child appends.
    static inline SWindow* const kInsertFirst = reinterpret_cast<SWindow*>(static_cast<intptr_t>(-1));

    SWindow();
    ~SWindow() override;
    SWindow(const SWindow&) = delete;
    SWindow& operator=(const SWindow&) = delete;

    // ---- Identity and relations ----------------------------------------------
    SWND GetSwnd() const { return m_swnd; }
    int GetID() const override { return m_id; }
    LPCWSTR GetName() const override { return m_name.c_str(); }
    DWORD GetUserData() const { return m_userData; }
    DWORD SetUserData(DWORD data);   // the old value
    SWindow* GetOwner() const { return m_owner; }
    void SetOwner(SWindow* owner) { m_owner = owner; }
    SWindow* GetParent() const { return m_parent; }
    SWindow* GetRoot();                       // the topmost ancestor; itself without parent
    UINT GetChildrenCount() const { return m_childrenCount; }
    SWindow* GetWindow(int code) const;       // a GSW_ code; null for any other
    // The next child after `after` (the first for null) that the layout places:
    // not floating, and visible or keeping its place ("display").
    SWindow* GetNextLayoutChild(const SWindow* after) const;
    ISwndContainer* GetContainer() const { return m_container; }
    void SetContainer(ISwndContainer* container);   // on the whole subtree
    IScriptModule* GetScriptModule() const;
    LPCWSTR GetTrCtx() const override;

    // ---- Geometry (host coordinates) -----------------------------------------
    void CopyWindowRect(RECT* rect) const { *rect = m_rcWindow; }
    RECT GetWindowRect() const { return m_rcWindow; }
    RECT GetClientRect() const;
    virtual void CopyClientRect(RECT* rect) const;     // the window rectangle less the margin
    virtual RECT GetChildrenLayoutRect() const;        // the client rectangle less the padding
    virtual void GetTextRect(RECT* rect) const;        // the client rectangle less the padding
    virtual BOOL IsContainPoint(POINT point, BOOL client) const;
    // TRUE when the point lies outside the client rectangle (in the border).
    virtual BOOL OnNcHitTest(POINT point);
    // The deepest window under the point: outside the rectangle 0, in the border
    // this window, else the topmost child that takes it, else this window.
    virtual SWND SwndFromPoint(POINT point, UINT flags);
    virtual int GetScale() const;              // the container's; 100 without container

    // ---- Style, layout and skins ---------------------------------------------
    SwndStyle& GetStyle() { return m_style; }
    const SwndStyle& QueryStyle() const { return m_style; }
    UINT GetTextFormat() const { return m_style.GetTextFormat(); }
    ILayout* GetLayout() const { return m_layout.Get(); }
    ILayoutParam* GetLayoutParam() const { return m_layoutParam.Get(); }
    // Replaces the parameter when the parent's layout accepts it; a window with a parent only.
    BOOL SetLayoutParam(ILayoutParam* param);
    BOOL IsFloat() const { return m_floating; }
    BOOL IsDisplay() const { return m_display; }
    ISkinObj* GetSkin() const { return m_skin; }
    ISkinObj* GetNcSkin() const { return m_ncSkin; }
    const SLayoutDim& GetMaxWidth() const { return m_maxWidth; }
    // The pre-order number the container gives the window for painting.
    UINT GetZOrder() const { return m_zOrder; }
    void SetZOrder(UINT zOrder) { m_zOrder = zOrder; }

    // ---- Tree -----------------------------------------------------------------
    // Appends for `after` null or the last child, prepends for kInsertFirst, else
    // inserts behind `after`. The child takes over this window's container and
    // disabled state; nothing happens when it already has this parent.
    void InsertChild(SWindow* child, SWindow* after = nullptr);
    // Unlinks a direct child without releasing it.
    BOOL RemoveChild(SWindow* child);
    // Invalidates, sends WM_DESTROY, unlinks and releases a direct child.
    BOOL DestroyChild(SWindow* child);
    BOOL DestroyWindow();
    void BringWindowToTop();
    // Builds this window and its subtree from an element (attributes, text,
    // WM_CREATE, children); FALSE when WM_CREATE refused, the window then gone.
    BOOL BuildFromXml(pugi::xml_node element) override;
    // Windows for the element's children and "include"d parts. Layouts nest at
    // most 256 levels (windows and includes together); deeper ones are cut there
    // with a warning in the log, so that a bad layout cannot exhaust the stack.
    virtual BOOL BuildChildren(pugi::xml_node element);

    // ---- Lookup by id and name --------------------------------------------------
    // depth: 1 direct children, n levels, negative no limit, 0 nothing.
    SWindow* FindChildByID(int id, int depth = -1) const;
    SWindow* FindChildByName(LPCWSTR name, int depth = -1) const;
    // The same, checked for the class T; null and a warning in the log otherwise.
    template <typename T>
    T* FindChildByName2(LPCWSTR name, int depth = -1) const
    {
        SWindow* const found = FindChildByName(name, depth);
        if (found && found->IsClass(T::ClassName()))
            return static_cast<T*>(found);
        LogChildByNameMissing(T::ClassName(), name, depth);
        return nullptr;
    }
    template <typename T>
    T* FindChildByName2(LPCSTR name, int depth = -1) const;   // ANSI name
    template <typename T>
    T* FindChildByID2(int id, int depth = -1) const
    {
        SWindow* const found = FindChildByID(id, depth);
        if (found && found->IsClass(T::ClassName()))
            return static_cast<T*>(found);
        LogChildByIdMissing(T::ClassName(), id, depth);
        return nullptr;
    }

    // ---- Attributes ----------------------------------------------------------------
    // The window's attribute table; names it does not know go to the style, the
    // layout and the layout parameter, then DefAttributeProc.
    HRESULT ApplyAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    HRESULT AfterAttribute(const SStringW& name, const SStringW& value, BOOL loading, HRESULT result) override;
    HRESULT DefAttributeProc(const SStringW& name, const SStringW& value, BOOL loading) override;

    // ---- Messages and events -----------------------------------------------------
    LRESULT SendSwndMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL* handled = nullptr);
    // To this window, then depth first to every descendant.
    void BroadcastMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    void SetColorizeColor(COLORREF color);
    COLORREF GetColorizeColor() const { return m_colorize; }
    // The message being dispatched (innermost of SendSwndMessage); null outside one.
    const MSG* GetCurMsg() const;
    SEventSet* GetEventSet() { return &m_eventSet; }
    BOOL FireCommand();
    // Raises EventCtxMenu; its cancel flag.
    BOOL FireCtxMenu(POINT point);
    // To the subscribers, then (while it bubbles) the owner or the container.
    virtual BOOL RaiseEvent(EventArgs* args);

    // ---- State -----------------------------------------------------------------------
    DWORD GetState() const { return m_state; }
    BOOL IsChecked() const { return (m_state & WndState_Check) != 0; }
    // checkParent TRUE: the effective state (ancestors included); FALSE: the own flag.
    BOOL IsVisible(BOOL checkParent = FALSE) const;
    BOOL IsDisabled(BOOL checkParent = FALSE) const;
    BOOL IsFocused() const;
    virtual BOOL IsFocusable() const { return m_focusable; }
    BOOL IsDrawFocusRect() const { return m_drawFocusRect; }
    BOOL IsMsgTransparent() const { return m_msgTransparent; }
    virtual BOOL IsClipClient() const { return m_clipClient; }
    // new = add | (old & ~remove); the old state.
    DWORD ModifyState(DWORD add, DWORD remove, BOOL update = FALSE);
    void SetCheck(BOOL check);
    void EnableWindow(BOOL enable, BOOL update = FALSE);
    void SetVisible(BOOL visible, BOOL update = FALSE);
    void SetFocus();
    void KillFocus();
    SWND SetCapture();    // the previous holder; 0 when refused
    BOOL ReleaseCapture();
    SWND GetCapture() const;
    virtual BOOL NeedRedrawOnStateChange() const;

    // ---- Text and tooltip ------------------------------------------------------
    virtual SStringW GetWindowText(BOOL raw = FALSE) const;
    virtual void SetWindowText(LPCWSTR text);
    virtual void SetTipText(LPCWSTR text);
    virtual SStringW GetToolTipText() const;
    virtual BOOL UpdateToolTip(POINT point, SwndToolTipInfo& info);
    // A text through the application's translator in the container's context.
    virtual SStringW TranslateString(const SStringW& text) const;

    // ---- Layout ------------------------------------------------------------------
    void RequestRelayoutSelf() { RequestRelayout(m_swnd, TRUE); }
    virtual void RequestRelayout(SWND source, BOOL sourceResizable);
    virtual void UpdateLayout();
    virtual void UpdateChildrenPosition();
    // Places the window; FALSE when nothing changed.
    virtual BOOL OnRelayout(const RECT& rect);
    // A rectangle makes the window float there; null puts it back under its parent's layout.
    BOOL Move(const RECT* rect);
    // A negative parent size is not known yet (its absolute value is used).
    virtual SIZE GetDesiredSize(int parentWidth, int parentHeight);
    virtual SIZE MeasureDesiredSize(const RECT* container);
    virtual void OnUpdateFloatPosition(const RECT& /*parentRect*/) {}

    // ---- Environment changes --------------------------------------------------
    virtual void ApplyColorize(COLORREF color);
    virtual void OnScaleChanged(int scale);
    // 1: a redraw is enough; 0: the window must be laid out again.
    virtual int OnLanguageChanged();

    // ---- Keyboard and groups -------------------------------------------------
    virtual UINT OnGetDlgCode() const { return 0; }
    virtual BOOL IsSiblingsAutoGrouped() const { return FALSE; }
    virtual SWindow* GetSelectedSiblingInGroup() { return nullptr; }
    virtual SWindow* GetSelectedChildInGroup();

    // ---- Services of the container ---------------------------------------------
    // Element timers on the host window; ids 0 to 127.
    BOOL SetTimer(char id, UINT elapse);
    void KillTimer(char id);
    // Timers without the host, through STimer2.
    BOOL SetTimer2(UINT_PTR id, UINT elapse);
    void KillTimer2(UINT_PTR id);
    virtual BOOL CreateCaret(HBITMAP bitmap, int width, int height);
    virtual void ShowCaret(BOOL show);
    virtual void SetCaretPos(int x, int y);
    void UpdateWindow();
    virtual BOOL OnSetCursor(const POINT& point);

    // ---- Painting --------------------------------------------------------------
    // The index of the state being painted: 3 disabled, 2 pushed or checked, 1 hover, 0.
    int GetPaintStateIndex() const;
    virtual void PreparePaint(IRenderTarget* target, SPaintState& saved);
    virtual void AfterPaint(IRenderTarget* target, SPaintState& saved);
    // The font and colour this window inherits from its ancestors, into the target.
    void ApplyAncestorPaintState(IRenderTarget* target);
    virtual void DrawText(IRenderTarget* target, LPCWSTR text, int length, RECT* rect, UINT format);
    virtual void DrawFocus(IRenderTarget* target);
    void DrawDefaultFocusRect(IRenderTarget* target, const RECT& rect);
    virtual BOOL IsDrawToCache() const;
    BOOL IsCacheDirty() const;
    void MarkCacheDirty(BOOL dirty);
    virtual BOOL IsLayeredWindow() const { return m_layeredWindow; }
    IRenderTarget* GetCachedRenderTarget() const;
    IRenderTarget* GetLayerRenderTarget();
    SWindow* GetLayeredAncestor();
    void UpdateCacheRenderTarget();
    void UpdateLayerRenderTarget();
    void PaintClient(IRenderTarget* target);
    void PaintNonClient(IRenderTarget* target);
    // Paints the subtree's windows whose z-order lies in [begin, end) within the region.
    void PaintZRange(IRenderTarget* target, IRegion* region, UINT begin, UINT end);
    void PaintZRangeWithState(IRenderTarget* target, IRegion* region, UINT begin, UINT end);
    void PaintRegion(IRenderTarget* target, IRegion* region);
    void PaintBackground(IRenderTarget* target, const RECT* rect);
    void PaintForeground(IRenderTarget* target, const RECT* rect);
    void PaintForegroundInParent(IRenderTarget* target, const RECT* rect);
    void UpdateNonClient();
    void InvalidateRect(const RECT& rect, BOOL markCacheDirty = TRUE);
    void Invalidate();                              // the client rectangle
    void InvalidateArea(const RECT* rect = nullptr);  // null: the window rectangle
    BOOL RedrawInvalidRegion();
    // A render target to draw outside the host's paint cycle; one at a time, each
    // given back with ReleaseRenderTarget.
    IRenderTarget* GetRenderTarget(const RECT* rect = nullptr, DWORD gdcFlags = kGdcOffscreen, BOOL client = TRUE);
    IRenderTarget* GetRenderTargetForRegion(DWORD gdcFlags, IRegion* region);
    void ReleaseRenderTarget(IRenderTarget* target);

    // ---- The message map --------------------------------------------------------
    // Sets the handled flag and calls the handler of the message; TRUE when handled.
    virtual BOOL ProcessSwndMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

protected:
    // A message no map took.
    virtual BOOL DefSwndProc(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Hooks around every state change; OnStateChanged raises EventSwndStateChanged.
    virtual void OnStateChanging(DWORD /*oldState*/, DWORD /*newState*/) {}
    virtual void OnStateChanged(DWORD oldState, DWORD newState);

    // Message handlers of SWindow's map, for controls to call from theirs.
    int OnWindowCreate(LPCREATESTRUCT createStruct);
    void OnDestroy();
    void OnSizeChanged(UINT type, SIZE size);
    void OnSetFocus(SWND oldFocus, int reason);
    void OnKillFocus(SWND newFocus);
    void OnEnableChanged(BOOL enable, UINT status);
    void OnShowWindow(BOOL show, UINT status);
    void OnPaint(IRenderTarget* target);
    BOOL OnEraseBkgnd(IRenderTarget* target);
    void OnNcPaint(IRenderTarget* target);
    void OnLButtonDown(UINT flags, POINT point);
    void OnLeftButtonUp(UINT flags, POINT point);
    BOOL OnRButtonDown(UINT flags, POINT point);
    LRESULT OnMouseWheel(UINT flags, short delta, POINT point);
    void OnMouseHover(UINT flags, POINT point);
    void OnMouseLeave();
    void OnMouseTaken(UINT, POINT) {}
    void OnScaleMessage(int scale);
    void OnLanguageMessage();
    void OnColorizeMessage(COLORREF colour);

    // Caches and layers follow the window's size (WM_SIZE).
    void ResizeRenderTargets();
    // The next UpdateChildrenPosition lays out every child, as after a move of the
    // window itself: for a window whose children move while it stays.
    void MarkLayoutDirty() { m_layoutDirty = LayoutDirty::Self; }

    // What controls draw with.
    SwndStyle m_style;
    STranslatableText m_text;
    STranslatableText m_toolTipText;
    ISkinObj* m_skin = nullptr;     // owned by the skin pools
    ISkinObj* m_ncSkin = nullptr;

private:
    struct MessageRecord;
    // The window's own attribute table (SWindow.cpp).
    struct AttributeHandlers;
    // Reads the layer of another window without making one.
    friend class SWindowSurface;

    static void LogChildByNameMissing(LPCWSTR className, LPCWSTR name, int depth);
    static void LogChildByIdMissing(LPCWSTR className, int id, int depth);
    // The surface, made on first use.
    SWindowSurface& Surface();
    // Whether the layout parameter wraps content in either direction.
    bool WrapsContent() const;
    // Takes a direct child out of the sibling list; its reference is the caller's.
    void UnlinkChild(SWindow* child);

    RECT m_rcWindow = {};
    SWND m_swnd = 0;
    BOOL m_floating = FALSE;
    ISwndContainer* m_container = nullptr;
    SEventSet m_eventSet;
    SAutoRef<ILayout> m_layout;
    SAutoRef<ILayoutParam> m_layoutParam;
    SWindow* m_owner = nullptr;
    SWindow* m_parent = nullptr;
    SWindow* m_firstChild = nullptr;
    SWindow* m_lastChild = nullptr;
    SWindow* m_nextSibling = nullptr;
    SWindow* m_prevSibling = nullptr;
    UINT m_childrenCount = 0;
    MessageRecord* m_curMsg = nullptr;
    SStringW m_name;
    int m_id = 0;
    UINT m_zOrder = 0;
    DWORD m_state = WndState_Normal;

    // The window's own settings.
    BOOL m_visible = TRUE;
    BOOL m_ownDisabled = FALSE;
    BOOL m_display = TRUE;
    BOOL m_clipClient = FALSE;
    BOOL m_msgTransparent = FALSE;
    BOOL m_focusable = FALSE;
    BOOL m_drawFocusRect = TRUE;
    BOOL m_cache = FALSE;
    BOOL m_layeredWindow = FALSE;
    // Whose size must be laid out again: the window's own, or only some children's.
    enum class LayoutDirty { Clean = 0, Self = 0x800, Children = 0x1000 };
    LayoutDirty m_layoutDirty = LayoutDirty::Self;

    DWORD m_userData = 0;
    SLayoutDim m_maxWidth{-1.0f, kUnitPx};
    COLORREF m_colorize = 0;
    // The cache, layer, invalid area and borrowed target; null until the window
    // first needs one of them, which most windows never do.
    std::unique_ptr<SWindowSurface> m_surface;
};

template <typename T>
T* SWindow::FindChildByName2(LPCSTR name, int depth) const
{
    const SStringW wide = CvtA2W(SStringA(name ? name : ""), CP_ACP);
    return FindChildByName2<T>(name ? wide.c_str() : nullptr, depth);
}

}  // namespace SAKU
