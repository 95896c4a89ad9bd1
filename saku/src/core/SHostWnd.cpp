// The host window's creation, building from a layout and painting pipeline; its
// input, caret, timers and spy answers are in SHostWndInput.cpp.
#include "core/SHostWnd.h"

#include "core/Events.h"
#include "core/Geometry.h"
#include "core/IToolTip.h"
#include "core/ISlotFunctor.h"
#include "core/IToolTipFactory.h"
#include "core/LayeredWindowApi.h"
#include "core/NewRegion.h"
#include "core/SApplication.h"
#include "core/SCaret.h"
#include "core/SFontPool.h"
#include "core/SSkinPool.h"
#include "core/SStylePool.h"
#include "core/SWindowMgr.h"
#include "core/SXmlLookup.h"
#include "render/IRenderFactory.h"
#include "render/RenderTargetHandles.h"

#include "GdiHandles.h"

namespace SAKU {

namespace {

IRenderFactory* RenderFactory()
{
    SApplication* const app = SApplication::GetInstance();
    return app ? app->GetRenderFactory() : nullptr;
}

// A host size from the layout: pixels, or -1 when the layout leaves it to the root.
int LayoutSide(const SLayoutDim& dim, int scale)
{
    if (!dim.IsValid() || dim.IsWrapContent())
        return -1;
    return dim.ToPixelSize(scale);
}

}  // namespace

SHostWnd::SHostWnd(LPCWSTR layout) : m_layoutName(layout ? layout : L"")
{
    m_privateStylePool = SAutoRef<SStylePool>::Adopt(new SStylePool);
    m_privateSkinPool = SAutoRef<SSkinPool>::Adopt(new SSkinPool);
    SetContainer(this);
    GetEventSet()->AddEvent(EventInit::EventID, EventInit::EventName());
    GetEventSet()->AddEvent(EventExit::EventID, EventExit::EventName());
}

SHostWnd::~SHostWnd()
{
    // While this object is whole, so that the window's last messages reach it.
    if (GetHwnd())
        DestroyHostWindow();
    if (SStylePoolMgr* const styles = SStylePoolMgr::GetInstance())
        styles->PopPool(m_privateStylePool.Get());
    if (SSkinPoolMgr* const skins = SSkinPoolMgr::GetInstance())
        skins->PopPool(m_privateSkinPool.Get());
}

HWND SHostWnd::Create(HWND parent, int x, int y, int cx, int cy)
{
    return CreateEx(parent, WS_CLIPCHILDREN | WS_MAXIMIZEBOX, 0, x, y, cx, cy);
}

HWND SHostWnd::CreateEx(HWND parent, DWORD style, DWORD exStyle, int x, int y, int cx, int cy)
{
    if (GetHwnd())
        return GetHwnd();
    const HWND window = CreateWindow(L"HOSTWND", style, exStyle, x, y, cx, cy, parent, nullptr);
    if (window && (cx == 0 || cy == 0))
        CenterWindow(parent);
    return window;
}

// A translucent host shows nothing but its layered image, which goes with the
// window, so it needs no hide before it is destroyed: its visible flag is dropped
// and the system's hide is skipped. Under Wine that hide of a shown top-level
// window waits up to 2 s for a window manager to acknowledge it, and a display
// without one never does, so every message box answered 2 s late.
BOOL SHostWnd::DestroyHostWindow()
{
    const HWND window = GetHwnd();
    if (window && IsTranslucent())
        ::SetWindowLongW(window, GWL_STYLE, ::GetWindowLongW(window, GWL_STYLE) & ~WS_VISIBLE);
    return CSimpleWnd::DestroyWindow();
}

BOOL SHostWnd::HandleEvent(EventArgs*)
{
    return FALSE;
}

BOOL SHostWnd::OnFireEvent(EventArgs* args)
{
    return HandleEvent(args);
}

SMessageLoop* SHostWnd::GetMsgLoop()
{
    SApplication* const app = SApplication::GetInstance();
    return app ? app->GetMsgLoop() : nullptr;
}

int SHostWnd::OnWindowCreate(CREATESTRUCTW* create)
{
    if (IRenderFactory* const factory = RenderFactory())
        (void)factory->CreateRenderTarget(m_cacheTarget.Put(), 0, 0);   // checked at each use
    m_updateRegion = NewRegion();
    SApplication* const app = SApplication::GetInstance();
    if (app && app->GetToolTipFactory()) {
        m_tooltip = app->GetToolTipFactory()->NewToolTip(GetHwnd());
        SMessageLoop* const loop = GetMsgLoop();
        if (m_tooltip && loop)
            loop->AddMessageFilter(m_tooltip);
    }
    SetContainer(this);
    // Without OLE the host simply takes no drops.
    (void)::RegisterDragDrop(GetHwnd(), GetDropTarget());

    if (!m_layoutName.IsEmpty() && app) {
        const SStringW resRef = m_layoutName.Find(L':') < 0 ? SStringW(L"LAYOUT:") + m_layoutName : m_layoutName;
        pugi::xml_document document;
        if (app->LoadXml(document, resRef))
            LoadFromXml(XmlChild(document, L"SAKU"), create->cx, create->cy);
    }
    return 0;
}

void SHostWnd::OnDestroy()
{
    EventExit exitEvent(this);
    RaiseEvent(&exitEvent);
    SendSwndMessage(WM_DESTROY);
    (void)::RevokeDragDrop(GetHwnd());   // fails harmlessly when it was never registered
    if (m_tooltip) {
        if (SMessageLoop* const loop = GetMsgLoop())
            loop->RemoveMessageFilter(m_tooltip);
        if (SApplication* const app = SApplication::GetInstance())
            app->GetToolTipFactory()->DestroyToolTip(m_tooltip);
        m_tooltip = nullptr;
    }
    if (m_dummyWnd.GetHwnd())
        m_dummyWnd.DestroyWindow();
    m_caret = nullptr;
    m_cacheTarget = nullptr;
    m_updateRegion = nullptr;

    const DWORD style = static_cast<DWORD>(::GetWindowLongW(GetHwnd(), GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(::GetWindowLongW(GetHwnd(), GWL_EXSTYLE));
    const bool topLevelApp = !(style & (WS_CHILD | WS_POPUP)) && !(exStyle & WS_EX_TOOLWINDOW);
    const int type = m_hostAttr.GetWndType();
    if (type == SHostWndAttr::kWndTypeAppMain || (type == SHostWndAttr::kWndTypeUndefine && topLevelApp))
        ::PostQuitMessage(1);
}

BOOL SHostWnd::BuildFromXml(pugi::xml_node element)
{
    RECT client = {};
    CopyClientRect(&client);
    return LoadFromXml(element, Width(client), Height(client));
}

BOOL SHostWnd::LoadFromXml(pugi::xml_node element, int cx, int cy)
{
    // A host made while no application existed has no handle among the windows:
    // its tree could be neither laid out nor reached, so it takes no layout.
    if (!element || !GetHwnd() || !GetSwnd())
        return FALSE;
    SendSwndMessage(WM_DESTROY);
    LoadPrivatePools(element);
    ApplyWindowAttributes(element);
    SWindow::BuildFromXml(XmlChild(element, L"root"));
    SetWndTreeZorderDirty();
    BuildWndTreeZorder();
    ResizeToLayout(cx, cy);
    EventInit initEvent(this);
    RaiseEvent(&initEvent);
    return TRUE;
}

void SHostWnd::LoadPrivatePools(pugi::xml_node element)
{
    // A pool reloads from scratch: a second layout must not keep the first one's entries.
    SStylePoolMgr* const styles = SStylePoolMgr::GetInstance();
    if (styles)
        styles->PopPool(m_privateStylePool.Get());
    m_privateStylePool = SAutoRef<SStylePool>::Adopt(new SStylePool);
    if (m_privateStylePool->LoadStyles(XmlChild(element, L"style")) && m_privateStylePool->GetCount() > 0 && styles)
        styles->PushPool(m_privateStylePool.Get());

    SSkinPoolMgr* const skins = SSkinPoolMgr::GetInstance();
    if (skins)
        skins->PopPool(m_privateSkinPool.Get());
    m_privateSkinPool = SAutoRef<SSkinPool>::Adopt(new SSkinPool);
    if (m_privateSkinPool->LoadSkins(XmlChild(element, L"skin")) > 0 && skins)
        skins->PushPool(m_privateSkinPool.Get());
}

void SHostWnd::ApplyWindowAttributes(pugi::xml_node element)
{
    const HWND window = GetHwnd();
    m_hostAttr.Init();
    m_hostAttr.BuildFromXml(element);

    DWORD style = m_hostAttr.IsResizable() ? (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX) : WS_MINIMIZEBOX;
    DWORD exStyle = 0;
    if (m_hostAttr.IsAppWnd()) {
        style |= WS_SYSMENU;
        exStyle |= WS_EX_APPWINDOW;
    } else if (m_hostAttr.IsToolWindow()) {
        exStyle |= WS_EX_TOOLWINDOW;
    }
    if (m_hostAttr.IsTranslucent())
        exStyle |= WS_EX_LAYERED;
    if (m_hostAttr.GetWndStyle() != 0)
        style = m_hostAttr.GetWndStyle() & ~WS_VISIBLE;
    if (m_hostAttr.GetWndStyleEx() != 0)
        exStyle = m_hostAttr.GetWndStyleEx();
    // Styles are only ever added: the creator's own bits stay.
    ChangeStyle(0, style);
    ChangeStyleEx(0, exStyle);

    ::SetWindowTextW(window, m_hostAttr.GetTitle().GetText().c_str());

    if (m_hostAttr.IsTranslucent()) {
        ChangeStyleEx(0, WS_EX_LAYERED);
        if (!m_dummyWnd.GetHwnd()) {
            const HWND dummy = m_dummyWnd.CreateWindow(L"SAKU_DUMMY_WND", WS_POPUP, WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW,
                                                       0, 0, 10, 10, window, nullptr);
            if (dummy) {
                m_dummyWnd.ChangeStyleEx(0, WS_EX_LAYERED);
                ::SetLayeredWindowAttributes(dummy, 0, 0, LWA_ALPHA);
                ::ShowWindow(dummy, SW_SHOWNOACTIVATE);
            }
        }
    } else if (static_cast<DWORD>(::GetWindowLongW(window, GWL_EXSTYLE)) & WS_EX_LAYERED) {
        ::SetLayeredWindowAttributes(window, 0, m_hostAttr.GetAlpha(), LWA_ALPHA);
    } else if (m_hostAttr.GetAlpha() != 255) {
        ChangeStyleEx(0, WS_EX_LAYERED);
        ::SetLayeredWindowAttributes(window, 0, m_hostAttr.GetAlpha(), LWA_ALPHA);
    }

    if (m_hostAttr.GetSmallIcon())
        ::SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hostAttr.GetSmallIcon()));
    if (m_hostAttr.GetBigIcon())
        ::SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hostAttr.GetBigIcon()));
}

void SHostWnd::ResizeToLayout(int cx, int cy)
{
    if (cx == 0)
        cx = LayoutSide(m_hostAttr.GetWidth(), m_scale);
    else
        m_hostAttr.SetWidth(SLayoutDim(static_cast<float>(cx), kUnitPx));
    if (cy == 0)
        cy = LayoutSide(m_hostAttr.GetHeight(), m_scale);
    else
        m_hostAttr.SetHeight(SLayoutDim(static_cast<float>(cy), kUnitPx));

    if (cx <= 0 || cy <= 0) {
        // The root says how big it wants to be, within the screen.
        const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
        const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
        const SIZE desired = GetDesiredSize(cx > 0 ? cx : -screenWidth, cy > 0 ? cy : -screenHeight);
        if (cx <= 0) {
            cx = desired.cx;
            m_hostAttr.ClearHorzMargin();
        }
        if (cy <= 0) {
            cy = desired.cy;
            m_hostAttr.ClearVertMargin();
        }
        if (!m_rootSizeSubscribed)
            m_rootSizeSubscribed = GetEventSet()->SubscribeEvent(EventSwndSize::EventID, Subscriber(&SHostWnd::OnRootSize, this));
    }
    ::SetWindowPos(GetHwnd(), nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client = {};
    CopyClientRect(&client);
    OnRelayout(client);
    m_fullRedraw = true;
    m_hostCacheDirty = true;
    if (m_updateRegion)
        m_updateRegion->Clear();
}

BOOL SHostWnd::OnRootSize(EventArgs* args)
{
    const auto* const size = SObjCast<EventSwndSize>(args);
    if (!size || m_sizing || !GetHwnd() || !NeedMeasureSize())
        return FALSE;
    const RECT root = SWindow::GetWindowRect();
    ::SetWindowPos(GetHwnd(), nullptr, 0, 0, Width(root), Height(root), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

bool SHostWnd::NeedMeasureSize() const
{
    return LayoutSide(m_hostAttr.GetWidth(), m_scale) < 0 || LayoutSide(m_hostAttr.GetHeight(), m_scale) < 0;
}

void SHostWnd::CopyClientRect(RECT* rect) const
{
    *rect = RECT{};
    if (GetHwnd())
        ::GetClientRect(GetHwnd(), rect);
}

int SHostWnd::OnLanguageChanged()
{
    m_hostAttr.TranslateTitle();
    if (GetHwnd())
        ::SetWindowTextW(GetHwnd(), m_hostAttr.GetTitle().GetText().c_str());
    return 3;
}

void SHostWnd::OnScaleChanged(int scale)
{
    m_scale = scale;
    SWindow::RequestRelayout(GetSwnd(), TRUE);
    InvalidateArea();
}

void SHostWnd::RequestRelayout(SWND source, BOOL sourceResizable)
{
    SWindow::RequestRelayout(source, sourceResizable || source == GetSwnd());
    for (SWindow* window = SWindowMgr::GetWindow(source); window; window = window->GetParent()) {
        const RECT rect = window->GetWindowRect();
        if (!::IsRectEmpty(&rect)) {
            OnRedraw(rect);
            break;
        }
    }
}

void SHostWnd::UpdateLayout()
{
    if (!NeedMeasureSize()) {
        SWindow::UpdateLayout();
        return;
    }
    const RECT current = SWindow::GetWindowRect();
    const int width = LayoutSide(m_hostAttr.GetWidth(), m_scale);
    const int height = LayoutSide(m_hostAttr.GetHeight(), m_scale);
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    const SIZE desired = GetDesiredSize(width > 0 ? width : -screenWidth, height > 0 ? height : -screenHeight);
    OnRelayout(RECT{current.left, current.top, current.left + desired.cx, current.top + desired.cy});
}

void SHostWnd::PreparePaint(IRenderTarget* target, SPaintState& saved)
{
    if (SFontPool* const fonts = SFontPool::GetInstance()) {
        if (IFont* const font = fonts->GetFont(SStringW(), m_scale))
            (void)target->SelectObject(font, saved.font.Put());   // a font that will not select keeps the old one
    }
    saved.textColor = target->SetTextColor(0xFF000000);
}

void SHostWnd::MarkFullRedraw()
{
    m_fullRedraw = true;
    m_hostCacheDirty = true;
    if (m_updateRegion)
        m_updateRegion->Clear();
    InvalidateHost(nullptr);
}

void SHostWnd::InvalidateHost(const RECT* rect)
{
    if (IsTranslucent()) {
        if (m_dummyWnd.GetHwnd())
            ::InvalidateRect(m_dummyWnd.GetHwnd(), nullptr, FALSE);
    } else if (GetHwnd()) {
        ::InvalidateRect(GetHwnd(), rect, FALSE);
    }
}

void SHostWnd::OnSizeChanged(UINT type, SIZE size)
{
    if (type == SIZE_MINIMIZED || size.cx == 0 || size.cy == 0)
        return;
    m_sizing = true;
    if (m_cacheTarget)
        (void)m_cacheTarget->Resize(size);   // a failed resize leaves the old surface, drawn clipped
    OnRelayout(RECT{0, 0, size.cx, size.cy});
    MarkFullRedraw();
    m_sizing = false;
}

void SHostWnd::OnPaint(HDC)
{
    PAINTSTRUCT paint = {};
    const UniquePaint session = BeginPaintOf(GetHwnd(), paint);
    OnPrint(IsTranslucent() ? nullptr : paint.hdc, 0);
}

void SDummyWnd::OnPaint(HDC)
{
    // Validated first: the host's layered update sends no paint back here.
    {
        PAINTSTRUCT paint = {};
        const UniquePaint session = BeginPaintOf(GetHwnd(), paint);
    }
    m_host->OnPrint(nullptr, SHostWnd::kDummyPaint);
}

void SHostWnd::OnPrint(HDC dc, UINT flags)
{
    if (!m_cacheTarget || !m_updateRegion)
        return;
    RECT affected = RenderCache();
    if (flags != kDummyPaint)
        CopyClientRect(&affected);

    m_painting = true;
    RedrawQueuedSwnds();
    while (m_pendingRects.GetCount() > 0) {
        const RECT pending = m_pendingRects.RemoveHead();
        ::UnionRect(&affected, &affected, &pending);
    }
    m_painting = false;
    UpdateHostWindow(dc, affected);
}

RECT SHostWnd::RenderCache()
{
    UpdateLayout();
    if (m_fullRedraw) {
        m_updateRegion->Clear();
        m_fullRedraw = false;
        m_hostCacheDirty = true;
    }
    RECT client = {};
    CopyClientRect(&client);
    RECT affected = {};
    if (m_hostCacheDirty) {
        m_hostCacheDirty = false;
        SPaintState saved;
        PreparePaint(m_cacheTarget.Get(), saved);
        SAutoRef<IRegion> region = std::move(m_updateRegion);
        m_updateRegion = NewRegion();
        const bool whole = !region || region->IsEmpty();
        if (whole) {
            affected = client;
            (void)m_cacheTarget->PushClipRect(&client);
        } else {
            RECT box = {};
            region->GetRgnBox(&box);
            ::IntersectRect(&affected, &box, &client);
            (void)m_cacheTarget->PushClipRegion(region.Get());
        }
        (void)m_cacheTarget->ClearRect(&affected, 0);
        const bool caretOn = m_caret && m_caretShown && m_caretDrawn;
        if (caretOn)
            m_caret->Draw(m_cacheTarget.Get(), m_caretPos.x, m_caretPos.y);   // erased
        BuildWndTreeZorder();
        PaintRegion(m_cacheTarget.Get(), whole ? nullptr : region.Get());
        if (caretOn)
            m_caret->Draw(m_cacheTarget.Get(), m_caretPos.x, m_caretPos.y);
        (void)m_cacheTarget->PopClip();
        AfterPaint(m_cacheTarget.Get(), saved);
    } else {
        m_updateRegion->GetRgnBox(&affected);
        m_updateRegion->Clear();
    }
    return affected;
}

void SHostWnd::RedrawQueuedSwnds()
{
    while (m_redrawQueue.GetCount() > 0) {
        const SWND swnd = m_redrawQueue.RemoveHead();
        if (SWindow* const window = SWindowMgr::GetWindow(swnd)) {
            const SAutoRef<SWindow> held(window);
            window->RedrawInvalidRegion();
        }
    }
}

void SHostWnd::UpdateHostWindow(HDC dc, const RECT& rect)
{
    if (IsTranslucent()) {
        UpdateLayered(m_cacheTarget.Get(), &rect, m_hostAttr.GetAlpha());
        return;
    }
    if (!dc || !m_cacheTarget || ::IsRectEmpty(&rect))
        return;
    const UniqueTargetDc cache = GetTargetDc(m_cacheTarget.Get());
    ::BitBlt(dc, rect.left, rect.top, Width(rect), Height(rect), cache.Get().dc, rect.left, rect.top, SRCCOPY);
}

void SHostWnd::UpdateLayered(IRenderTarget* source, const RECT* dirty, BYTE alpha)
{
    if (!source)
        return;
    const RECT window = GetHostWindowRect();
    POINT position = {window.left, window.top};
    SIZE size = {Width(window), Height(window)};
    POINT origin = {0, 0};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
    const UniqueTargetDc cache = GetTargetDc(source);
    UPDATELAYEREDWINDOWINFO info = {};
    info.cbSize = sizeof(info);
    info.hdcDst = nullptr;
    info.pptDst = &position;
    info.psize = &size;
    info.hdcSrc = cache.Get().dc;
    info.pptSrc = &origin;
    info.crKey = 0;
    info.pblend = &blend;
    info.dwFlags = ULW_ALPHA;
    info.prcDirty = dirty;
    (void)CallUpdateLayeredWindowIndirect(GetHwnd(), &info);   // nothing better to do than show the old image
}

IRenderTarget* SHostWnd::OnGetRenderTarget(const RECT& rect, DWORD gdcFlags)
{
    SAutoRef<IRenderTarget> target;
    IRenderFactory* const factory = RenderFactory();
    if (!factory || !factory->CreateRenderTarget(target.Put(), Width(rect), Height(rect)))
        return nullptr;
    (void)target->OffsetViewportOrg(-rect.left, -rect.top);
    if (gdcFlags != kGdcNoDrawing && m_cacheTarget) {
        if (m_caret && m_caretShown && m_caretDrawn)
            m_caret->Draw(m_cacheTarget.Get(), m_caretPos.x, m_caretPos.y);   // erased; drawn again at release
        (void)target->BitBlt(&rect, m_cacheTarget.Get(), rect.left, rect.top, SRCCOPY);
    }
    return target.Detach();
}

void SHostWnd::OnReleaseRenderTarget(IRenderTarget* target, const RECT& rect, DWORD gdcFlags)
{
    const auto owned = SAutoRef<IRenderTarget>::Adopt(target);
    if (gdcFlags == kGdcNoDrawing || !m_cacheTarget)
        return;
    (void)m_cacheTarget->BitBlt(&rect, target, rect.left, rect.top, SRCCOPY);
    if (m_caret && m_caretShown && m_caretDrawn)
        m_caret->Draw(m_cacheTarget.Get(), m_caretPos.x, m_caretPos.y);
    if (m_painting) {
        m_pendingRects.AddTail(rect);
        return;
    }
    const UniqueWindowDc dc = GetDcOf(GetHwnd());
    UpdateHostWindow(dc.Get().dc, rect);
}

void SHostWnd::OnRedraw(const RECT& rect)
{
    if (!GetHwnd() || !::IsWindow(GetHwnd()) || !m_updateRegion)
        return;
    m_updateRegion->CombineRect(&rect, RGN_OR);
    m_hostCacheDirty = true;
    InvalidateHost(&rect);
}

void SHostWnd::OnUpdateSwnd(SWND swnd)
{
    for (auto* node = m_redrawQueue.GetHead(); node; node = node->next) {
        if (node->value == swnd)
            return;
    }
    if (m_redrawQueue.GetCount() == 0)
        InvalidateHost(nullptr);
    m_redrawQueue.AddTail(swnd);
}

BOOL SHostWnd::UpdateWindow()
{
    if (m_sizing)
        return FALSE;
    const HWND window = IsTranslucent() ? m_dummyWnd.GetHwnd() : GetHwnd();
    return window && ::UpdateWindow(window);
}

}  // namespace SAKU
