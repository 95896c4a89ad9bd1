#pragma once

#include "core/CSimpleWnd.h"
#include "core/HostMsgCrackers.h"
#include "core/SDummyWnd.h"
#include "core/SHostWndAttr.h"
#include "core/SLinkedList.h"
#include "core/SwndContainerImpl.h"
#include "core/SwndSpy.h"

namespace SAKU {

class SCaret;
class SSkinPool;
class SStylePool;
struct IToolTip;

// A real top-level window that hosts one tree of UI elements built from a layout
// resource: at once the tree's root element, its container and a Win32 window.
// It reads its own window attributes from the layout's root element, builds the
// tree, keeps an off-screen copy of its whole client area (the cache), repaints
// only what became invalid and puts the result on screen by a plain copy or, when
// translucent, as a per-pixel-alpha layered window (then a hidden dummy window
// receives the paint requests). Dialogs, the wizard's windows and the library's
// popups derive from it. Its creator owns it; the real window ends before it.
// UI thread only.
class SHostWnd : public SwndContainerImpl, public CSimpleWnd {
public:
    SOBJECT_CLASS(SWindow, L"hostwnd", kObjTypeWindow)

    // `layout`: a "type:name" reference of the layout ("LAYOUT:" when no type);
    // null or empty makes an empty host.
    explicit SHostWnd(LPCWSTR layout = nullptr);
    ~SHostWnd() override;

    // A borderless host: WS_CLIPCHILDREN | WS_MAXIMIZEBOX. With cx or cy 0 the
    // layout gives the size and the window is centred on its parent.
    HWND Create(HWND parent, int x = 0, int y = 0, int cx = 0, int cy = 0);
    // The existing window when there is one.
    HWND CreateEx(HWND parent, DWORD style, DWORD exStyle, int x, int y, int cx, int cy);
    // Builds the host from a layout's "SAKU" element: window attributes, private
    // styles and skins, the tree under "root", the size. FALSE for an empty
    // element or without a window.
    BOOL LoadFromXml(pugi::xml_node element, int cx, int cy);
    // The whole client area is repainted at the next paint.
    void MarkFullRedraw();
    // Shows or hides the window with an AnimateWindow effect; a translucent host
    // plays it through its layered surface, 10 ms a step.
    BOOL AnimateHostWindow(DWORD time, DWORD flags);
    // Events that reach the host: from the tree (bubbled) and from menus. The
    // host takes none; dialogs and application windows do.
    virtual BOOL HandleEvent(EventArgs* args);

    // ---- The real window's half ----------------------------------------------
    // A host is both its tree's root element and a real window, and both halves
    // answer to DestroyWindow, SetTimer, KillTimer, GetWindowRect and the handled
    // flag: these name the window's, so that no caller has to pick a base.
    // A translucent host is taken away without a hide first (see the body).
    BOOL DestroyHostWindow();
    // A timer of the real window: it arrives as WM_TIMER at the window's map.
    UINT_PTR SetHostTimer(UINT_PTR id, UINT elapse) { return CSimpleWnd::SetTimer(id, elapse); }
    BOOL KillHostTimer(UINT_PTR id) { return CSimpleWnd::KillTimer(id); }
    // The real window's rectangle in screen coordinates.
    RECT GetHostWindowRect() const { return CSimpleWnd::GetWindowRect(); }

    const SHostWndAttr& GetHostAttr() const { return m_hostAttr; }
    // The host's off-screen surface, client coordinates.
    IRenderTarget* GetCacheTarget() const { return m_cacheTarget.Get(); }

    // ISwndContainer overrides (the host's half)
    BOOL OnFireEvent(EventArgs* args) override;
    HWND GetHostHwnd() override { return GetHwnd(); }
    LPCWSTR GetTranslatorContext() const override { return m_hostAttr.GetTrCtx(); }
    BOOL IsTranslucent() const override { return m_hostAttr.IsTranslucent(); }
    BOOL IsSendWheel2Hover() const override { return m_hostAttr.IsSendWheel2Hover(); }
    RECT GetContainerRect() const override { return SWindow::GetWindowRect(); }
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
    BOOL RegisterTimelineHandler(ITimelineHandler* handler) override;
    BOOL UnregisterTimelineHandler(ITimelineHandler* handler) override;
    SMessageLoop* GetMsgLoop() override;
    IScriptModule* GetScriptModule() override { return nullptr; }   // the application makes none
    int GetScale() const override { return m_scale; }

    // SWindow overrides
    BOOL BuildFromXml(pugi::xml_node element) override;
    void CopyClientRect(RECT* rect) const override;
    void RequestRelayout(SWND source, BOOL sourceResizable) override;
    void UpdateLayout() override;
    void PreparePaint(IRenderTarget* target, SPaintState& saved) override;
    BOOL IsLayeredWindow() const override { return FALSE; }
    int OnLanguageChanged() override;
    void OnScaleChanged(int scale) override;

    BEGIN_MSG_MAP(SHostWnd)
        MSG_HANDLER      (WM_CREATE,               OnWindowCreate)
        MSG_HANDLER      (WM_DESTROY,              OnDestroy)
        MSG_HANDLER      (WM_SIZE,                 OnSizeChanged)
        MSG_HANDLER      (WM_PAINT,                OnPaint)
        MSG_HANDLER      (WM_PRINT,                OnPrint)
        MSG_HANDLER      (WM_ERASEBKGND,           OnEraseBkgnd)
        MSG_HANDLER      (UM_UPDATESWND,           OnUpdateSwnd)
        MSG_HANDLER      (WM_ACTIVATE,             OnActivate)
        MSG_RANGE_HANDLER(WM_SETFOCUS,             WM_KILLFOCUS,       OnFocusEvent)
        MSG_RAW_HANDLER  (WM_ACTIVATEAPP,          OnFocusEvent)       // to the tree as it came
        MSG_HANDLER      (WM_SETCURSOR,            OnHostSetCursor)
        MSG_HANDLER      (WM_GETMINMAXINFO,        OnGetMinMaxInfo)
        MSG_HANDLER      (WM_WINDOWPOSCHANGING,    OnWindowPosChanging)
        MSG_HANDLER      (WM_NOTIFY,               OnNotify)           // custom draw goes back to the control
        MSG_HANDLER      (WM_NCCALCSIZE,           OnNcCalcSize)
        MSG_HANDLER      (WM_NCHITTEST,            OnHostNcHitTest)
        MSG_HANDLER      (WM_NCACTIVATE,           OnNcActivate)
        MSG_HANDLER      (WM_MOUSEMOVE,            OnMouseMove)        // asks for the leave, then passes it on
        MSG_HANDLER      (WM_MOUSEWHEEL,           OnMouseWheel)
        MSG_RANGE_HANDLER(WM_MOUSEMOVE,            WM_MBUTTONDBLCLK,   OnMouseEvent)
        MSG_RANGE_HANDLER(WM_XBUTTONDOWN,          WM_XBUTTONDBLCLK,   OnMouseEvent)
        MSG_HANDLER      (WM_MOUSELEAVE,           OnMouseLeave)
        MSG_RANGE_HANDLER(WM_KEYDOWN,              WM_UNICHAR,         OnKeyEvent)
        MSG_RANGE_HANDLER(WM_IME_STARTCOMPOSITION, WM_IME_COMPOSITION, OnKeyEvent)
        MSG_RAW_HANDLER  (WM_IME_CHAR,             OnKeyEvent)         // to the tree as it came
        MSG_HANDLER      (WM_TIMER,                OnTimer)
        MSG_HANDLER      (WM_CAPTURECHANGED,       OnCaptureChanged)
        MSG_RANGE_HANDLER(UM_SCRIPTTIMER,          UM_MENUEVENT,       RefuseForeignSend)  // pointers of this thread's only
        MSG_HANDLER      (UM_SCRIPTTIMER,          OnScriptTimer)
        MSG_HANDLER      (UM_MENUEVENT,            OnMenuEvent)
        MSG_HANDLER      (SPYMSG_SETSPY,           OnSpySetSpyWnd)
        MSG_HANDLER      (SPYMSG_SWNDENUM,         OnSpyGetWindow)
        MSG_HANDLER      (SPYMSG_SWNDINFO,         OnSpyGetSwndInfo)
        MSG_HANDLER      (SPYMSG_HITTEST,          OnSpySwndFromPoint)
    END_MSG_MAP()

protected:
    friend class SDummyWnd;

    // From a handler of the window's message map: the later entries, the base map
    // and then the default procedure see the message too.
    void PassMessageOn() { CSimpleWnd::SetMsgHandled(FALSE); }
    // Whether an element took the message that DoFrameEvent last gave the tree.
    bool TreeTookFrameEvent() const { return SWindow::IsMsgHandled() != FALSE; }

    // ---- Creation, painting and redraw (SHostWnd.cpp) ------------------------
    int OnWindowCreate(CREATESTRUCTW* create);
    void OnDestroy();
    void OnSizeChanged(UINT type, SIZE size);
    void OnPaint(HDC dc);
    // `flags` kDummyPaint: the dummy window asks for the invalid part only.
    void OnPrint(HDC dc, UINT flags);
    BOOL OnEraseBkgnd(HDC) { return TRUE; }   // the cache covers everything
    void OnUpdateSwnd(SWND swnd);
    BOOL OnRootSize(EventArgs* args);

    // ---- Input, caret, timers and spy (SHostWndInput.cpp) --------------------
    void OnActivate(UINT state, BOOL minimized, HWND other);
    LRESULT OnFocusEvent(UINT message, WPARAM wParam, LPARAM lParam);
    BOOL OnHostSetCursor(HWND window, UINT hitTest, UINT message);
    void OnGetMinMaxInfo(MINMAXINFO* info);
    void OnWindowPosChanging(WINDOWPOS*) {}
    LRESULT OnNcCalcSize(BOOL calcValidRects, LPARAM lParam);
    UINT OnHostNcHitTest(POINT screenPoint);
    BOOL OnNcActivate(BOOL) { return TRUE; }
    void OnMouseMove(UINT keys, POINT point);   // clears the handled flag
    LRESULT OnMouseEvent(UINT message, WPARAM wParam, LPARAM lParam);
    void OnMouseWheel(UINT keys, short delta, POINT screenPoint);
    void OnMouseLeave();
    LRESULT OnKeyEvent(UINT message, WPARAM wParam, LPARAM lParam);
    void OnTimer(UINT_PTR id);
    void OnCaptureChanged(HWND newCapture);
    // The library's own messages that carry a pointer: answered 0 unread when
    // another thread (or process) sent them, passed on otherwise.
    LRESULT RefuseForeignSend(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnScriptTimer(UINT_PTR id, LPARAM handler);
    BOOL OnMenuEvent(EventArgs* args);
    LRESULT OnNotify(int id, NMHDR* header);
    BOOL OnSpySetSpyWnd(HWND spy);
    SWND OnSpyGetWindow(SWND swnd, LPARAM code);
    BOOL OnSpyGetSwndInfo(SWND swnd);
    SWND OnSpySwndFromPoint(POINT screenPoint);
    // The root's own timers: 1 caret blink, 2 timeline frame.
    void OnHostTimer(UINT id);
    // Ends a press still held that will never see its button-up, without a click.
    void ReleaseHeldButton();
    void DrawCaret(POINT point);

private:
    struct MouseMemory {
        UINT message = 0;     // a button-down or double-click still held, or WM_MOUSELEAVE
        WPARAM wParam = 0;
        LPARAM lParam = 0;    // the last mouse point, client coordinates
    };

    static constexpr UINT kDummyPaint = 0x80000000;
    static constexpr char kCaretTimer = 1;
    static constexpr char kTimelineTimer = 2;

    void UpdateHostWindow(HDC dc, const RECT& rect);
    // Steps 1-3 of painting: the cache brought up to date; the area it changed.
    RECT RenderCache();
    void UpdateLayered(IRenderTarget* source, const RECT* dirty, BYTE alpha);
    void RedrawQueuedSwnds();
    void InvalidateHost(const RECT* rect);
    // The element this host's tree names with `swnd` (0: the root); null for a
    // handle of another tree or of nothing.
    SWindow* TreeWindow(SWND swnd);
    bool NeedMeasureSize() const;
    void LoadPrivatePools(pugi::xml_node element);
    void ApplyWindowAttributes(pugi::xml_node element);
    void ResizeToLayout(int cx, int cy);

    SDummyWnd m_dummyWnd{this};
    SHostWndAttr m_hostAttr;
    SStringW m_layoutName;
    bool m_trackingLeave = false;
    SAutoRef<SCaret> m_caret;
    bool m_caretShown = false;
    POINT m_caretPos = {};
    bool m_caretDrawn = false;
    bool m_hostCacheDirty = false;   // the cache must be repainted
    bool m_fullRedraw = true;        // the whole client must be repainted
    IToolTip* m_tooltip = nullptr;   // the tooltip factory's
    SAutoRef<IRegion> m_updateRegion;
    SAutoRef<IRenderTarget> m_cacheTarget;
    bool m_sizing = false;
    SAutoRef<SStylePool> m_privateStylePool;
    SAutoRef<SSkinPool> m_privateSkinPool;
    SLinkedList<SWND> m_redrawQueue{10};
    SLinkedList<RECT> m_pendingRects{10};
    bool m_painting = false;
    MouseMemory m_lastMouse;
    HWND m_spyWnd = nullptr;
    int m_scale = 100;
    int m_timelineHandlers = 0;
    bool m_rootSizeSubscribed = false;
};

}  // namespace SAKU
