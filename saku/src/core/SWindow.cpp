// The window object: identity, tree, building from XML, lookup, messages and
// events. Its attribute table is in SWindowAttributes.cpp; state, layout requests
// and the message handlers in SWindowState.cpp; painting in SWindowPaint.cpp; the
// cache, layer, invalid area and borrowed target in SWindowSurface.cpp.
#include "core/SWindow.h"

#include "core/DeflateRect.h"
#include "core/Events.h"
#include "core/SApplication.h"
#include "core/SLog.h"
#include "core/SWindowMgr.h"
#include "core/SWindowSurface.h"
#include "core/SXmlLookup.h"
#include "core/SwndMsgCracker.h"
#include "core/TrimBlanks.h"

#include <pugixml.hpp>

#include <cwchar>

namespace SAKU {

struct SWindow::MessageRecord {
    MSG msg;
    MessageRecord* previous;
};

namespace {

// How deep BuildChildren may nest, windows and included documents together. The
// tree's operations (destruction, visibility, painting, hit testing) recurse once
// per level, so a layout may not nest deeper than the stack carries them all; real
// layouts stay below 30 levels.
constexpr int kMaxBuildDepth = 256;
int g_buildDepth = 0;   // UI thread only, like every window

struct BuildDepthScope {
    BuildDepthScope() { ++g_buildDepth; }
    ~BuildDepthScope() { --g_buildDepth; }
    BuildDepthScope(const BuildDepthScope&) = delete;
    BuildDepthScope& operator=(const BuildDepthScope&) = delete;
};

constexpr SLogSite kBuildTooDeepSite = {kLogLevelWarn, "src\\core\\SWnd", 0, "SAKU::SWindow::BuildChildren"};
constexpr SLogSite kFindByNameSite = {kLogLevelWarn, "saku/include/core/SWnd", 525, "SAKU::SWindow::FindChildByName2"};
constexpr SLogSite kFindByIdSite = {kLogLevelWarn, "saku/include/core/SWnd", 488, "SAKU::SWindow::FindChildByID2"};

// A layout document named "type:name" (the type "LAYOUT" without a colon) from
// the resource providers; false when it is missing or does not parse.
bool LoadLayoutDocument(const SStringW& source, pugi::xml_document& document)
{
    SApplication* const app = SApplication::GetInstance();
    if (!app || source.IsEmpty())
        return false;
    return app->LoadXml(document, source.Find(L':') < 0 ? SStringW(L"LAYOUT:") + source : source);
}

// The next window of the subtree of `root` in pre-order; null after the last.
SWindow* NextInSubtree(SWindow* window, const SWindow* root)
{
    if (SWindow* const child = window->GetWindow(GSW_FIRSTCHILD))
        return child;
    while (window && window != root) {
        if (SWindow* const next = window->GetWindow(GSW_NEXTSIBLING))
            return next;
        window = window->GetParent();
    }
    return nullptr;
}

template <typename T>
void AddEventOf(SEventSet& events)
{
    events.AddEvent(T::EventID, T::EventName());
}

}  // namespace

// ---- Construction ---------------------------------------------------------------

SWindow::SWindow() : m_text(this), m_toolTipText(this)
{
    m_swnd = SWindowMgr::NewWindow(this);
    if (SApplication* const app = SApplication::GetInstance()) {
        // Every class registered with the layout type is a layout.
        m_layout.Attach(static_cast<ILayout*>(app->CreateObject(SObjectInfo(L"SakuLayout", kObjTypeLayout))));
    }
    if (m_layout) {
        m_layoutParam.Attach(m_layout->CreateLayoutParam());
        if (m_layoutParam)
            m_layoutParam->SetMatchParent(Both);
    }
    AddEventOf<EventSetFocus>(m_eventSet);
    AddEventOf<EventKillFocus>(m_eventSet);
    AddEventOf<EventSwndCreate>(m_eventSet);
    AddEventOf<EventSwndDestroy>(m_eventSet);
    AddEventOf<EventSwndSize>(m_eventSet);
    AddEventOf<EventSwndVisibleChanged>(m_eventSet);
    AddEventOf<EventSwndStateChanged>(m_eventSet);
    AddEventOf<EventLButtonDown>(m_eventSet);
    AddEventOf<EventLButtonUp>(m_eventSet);
    AddEventOf<EventSwndMouseHover>(m_eventSet);
    AddEventOf<EventSwndMouseLeave>(m_eventSet);
    AddEventOf<EventCmd>(m_eventSet);
    AddEventOf<EventCtxMenu>(m_eventSet);
}

SWindow::~SWindow()
{
    // A window released without DestroyWindow still owns its children's
    // references. The container is not told: it may be this very object, whose
    // container part is gone already.
    while (SWindow* const child = m_firstChild) {
        UnlinkChild(child);
        child->Release();
    }
    SWindowMgr::DestroyWindow(m_swnd);
}

// ---- Identity and relations ---------------------------------------------------------

DWORD SWindow::SetUserData(DWORD data)
{
    const DWORD old = m_userData;
    m_userData = data;
    return old;
}

SWindow* SWindow::GetRoot()
{
    SWindow* root = this;
    while (root->m_parent)
        root = root->m_parent;
    return root;
}

SWindow* SWindow::GetWindow(int code) const
{
    switch (code) {
    case GSW_FIRSTCHILD: return m_firstChild;
    case GSW_LASTCHILD:  return m_lastChild;
    case GSW_PREVSIBLING: return m_prevSibling;
    case GSW_NEXTSIBLING: return m_nextSibling;
    case GSW_PARENT:     return m_parent;
    case GSW_OWNER:      return m_owner;
    default:             return nullptr;
    }
}

SWindow* SWindow::GetNextLayoutChild(const SWindow* after) const
{
    SWindow* child = after ? after->m_nextSibling : m_firstChild;
    while (child && (child->m_floating || !(child->m_visible || child->m_display)))
        child = child->m_nextSibling;
    return child;
}

void SWindow::SetContainer(ISwndContainer* container)
{
    // Walked without recursion: a subtree may be as deep as its layout allows.
    for (SWindow* window = this; window; window = NextInSubtree(window, this))
        window->m_container = container;
}

IScriptModule* SWindow::GetScriptModule() const
{
    return m_container ? m_container->GetScriptModule() : nullptr;
}

LPCWSTR SWindow::GetTrCtx() const
{
    LPCWSTR const context = m_container ? m_container->GetTranslatorContext() : nullptr;
    return context ? context : L"";
}

int SWindow::GetScale() const
{
    return m_container ? m_container->GetScale() : 100;
}

BOOL SWindow::SetLayoutParam(ILayoutParam* param)
{
    if (!param || !m_parent || !m_parent->m_layout || !m_parent->m_layout->IsParamAcceptable(param))
        return FALSE;
    m_layoutParam = param;
    return TRUE;
}

// ---- Geometry -------------------------------------------------------------------------

RECT SWindow::GetClientRect() const
{
    RECT rect;
    CopyClientRect(&rect);
    return rect;
}


void SWindow::CopyClientRect(RECT* rect) const
{
    *rect = DeflateRect(m_rcWindow, m_style.GetMarginRect());
}

RECT SWindow::GetChildrenLayoutRect() const
{
    return DeflateRect(GetClientRect(), m_style.GetPaddingRect());
}

void SWindow::GetTextRect(RECT* rect) const
{
    *rect = DeflateRect(GetClientRect(), m_style.GetPaddingRect());
}

BOOL SWindow::IsContainPoint(POINT point, BOOL client) const
{
    const RECT rect = client ? GetClientRect() : m_rcWindow;
    return ::PtInRect(&rect, point);
}

BOOL SWindow::OnNcHitTest(POINT point)
{
    const RECT client = GetClientRect();
    return !::PtInRect(&client, point);
}

SWND SWindow::SwndFromPoint(POINT point, UINT flags)
{
    if (!::PtInRect(&m_rcWindow, point))
        return 0;
    const RECT client = GetClientRect();
    if (!::PtInRect(&client, point))
        return m_swnd;
    for (SWindow* child = m_lastChild; child; child = child->m_prevSibling) {
        if ((child->m_state & WndState_Invisible) || child->m_msgTransparent)
            continue;
        if (const SWND hit = child->SwndFromPoint(point, flags))
            return hit;
    }
    return m_swnd;
}

// ---- Tree ---------------------------------------------------------------------------------

void SWindow::InsertChild(SWindow* child, SWindow* after)
{
    if (!child || child->m_parent == this)
        return;
    // A window inserted under itself or a descendant would make a loop of parents.
    for (const SWindow* ancestor = this; ancestor; ancestor = ancestor->m_parent) {
        if (ancestor == child)
            return;
    }
    // A window has one parent: taken from another one, it leaves that list first,
    // whose reference becomes this window's.
    if (child->m_parent)
        child->m_parent->RemoveChild(child);

    child->SetContainer(m_container);
    child->m_parent = this;
    if (after == kInsertFirst) {
        child->m_nextSibling = m_firstChild;
        if (m_firstChild)
            m_firstChild->m_prevSibling = child;
        else
            m_lastChild = child;
        m_firstChild = child;
    } else if (!after || after == m_lastChild || after->m_parent != this) {
        child->m_prevSibling = m_lastChild;
        if (m_lastChild)
            m_lastChild->m_nextSibling = child;
        else
            m_firstChild = child;
        m_lastChild = child;
    } else {
        child->m_prevSibling = after;
        child->m_nextSibling = after->m_nextSibling;
        after->m_nextSibling->m_prevSibling = child;
        after->m_nextSibling = child;
    }
    ++m_childrenCount;
    m_layoutDirty = LayoutDirty::Self;
    if (m_layout && (!child->m_layoutParam || !m_layout->IsParamAcceptable(child->m_layoutParam.Get())))
        child->m_layoutParam.Attach(m_layout->CreateLayoutParam());
    child->OnEnableChanged(!(m_state & WndState_Disable), 1);
    if (m_container)
        m_container->SetWndTreeZorderDirty();
}

BOOL SWindow::RemoveChild(SWindow* child)
{
    if (!child || child->m_parent != this)
        return FALSE;
    UnlinkChild(child);
    // The numbers of the windows after it no longer follow the tree.
    if (m_container)
        m_container->SetWndTreeZorderDirty();
    return TRUE;
}

void SWindow::UnlinkChild(SWindow* child)
{
    if (child->m_prevSibling)
        child->m_prevSibling->m_nextSibling = child->m_nextSibling;
    else
        m_firstChild = child->m_nextSibling;
    if (child->m_nextSibling)
        child->m_nextSibling->m_prevSibling = child->m_prevSibling;
    else
        m_lastChild = child->m_prevSibling;
    child->m_parent = child->m_prevSibling = child->m_nextSibling = nullptr;
    --m_childrenCount;
}

BOOL SWindow::DestroyChild(SWindow* child)
{
    if (!child || child->m_parent != this)
        return FALSE;
    child->InvalidateArea();
    child->SendSwndMessage(WM_DESTROY);
    // A handler that took the child away already has its reference.
    if (RemoveChild(child))
        child->Release();
    return TRUE;
}

BOOL SWindow::DestroyWindow()
{
    if (m_parent)
        return m_parent->DestroyChild(this);
    SendSwndMessage(WM_DESTROY);
    Release();
    return TRUE;
}

void SWindow::BringWindowToTop()
{
    SWindow* const parent = m_parent;
    if (!parent || parent->m_lastChild == this)
        return;
    parent->RemoveChild(this);
    parent->InsertChild(this);
}

// ---- Building from XML ------------------------------------------------------------------

BOOL SWindow::BuildFromXml(pugi::xml_node element)
{
    if (element) {
        if (m_layoutParam)
            m_layoutParam->Clear();
        // The layout decides which attributes the layout parameter takes, and a
        // style is the base the element's own attributes override: both go first.
        pugi::xml_attribute first[] = {XmlAttribute(element, L"layout"), XmlAttribute(element, L"class")};
        for (pugi::xml_attribute& attribute : first) {
            if (!attribute)
                continue;
            ApplyAttribute(attribute.name(), attribute.value(), TRUE);
            attribute.set_userdata(1);
        }
        SObjectImpl<IObject>::BuildFromXml(element);
        for (pugi::xml_attribute& attribute : first) {
            if (attribute)
                attribute.set_userdata(0);
        }
        const std::wstring_view trimmed = TrimBlanks(element.text().get());
        const SStringW text(trimmed.data(), static_cast<int>(trimmed.size()));
        if (!text.IsEmpty())
            m_text.SetText(SResProviderMgr::GetString(text));
    }

    if (SendSwndMessage(WM_CREATE) != 0) {
        if (m_parent)
            m_parent->DestroyChild(this);   // may have released this window
        return FALSE;
    }
    if (m_parent) {
        m_state |= m_parent->m_state & (WndState_Invisible | WndState_Disable);
    }
    SendSwndMessage(WM_SHOWWINDOW, !(m_state & WndState_Invisible), 1);
    BuildChildren(element);
    RequestRelayout(m_swnd, TRUE);
    return TRUE;
}

BOOL SWindow::BuildChildren(pugi::xml_node element)
{
    if (!element)
        return FALSE;
    if (g_buildDepth >= kMaxBuildDepth) {
        WriteLog(kBuildTooDeepSite, L"Warning: layout nested deeper than %d levels, the rest not built", kMaxBuildDepth);
        return FALSE;
    }
    const BuildDepthScope depth;
    SApplication* const app = SApplication::GetInstance();
    for (pugi::xml_node node = element.first_child(); node; node = node.next_sibling()) {
        if (node.type() != pugi::node_element)
            continue;
        if (_wcsicmp(node.name(), L"include") == 0) {
            pugi::xml_document included;
            if (LoadLayoutDocument(XmlAttribute(node, L"src").value(), included))
                BuildChildren(XmlChild(included, L"include"));
            continue;
        }
        if (node.get_userdata() != 0 || !app)
            continue;
        // Every class registered with the window type is a window.
        SWindow* const child = static_cast<SWindow*>(app->CreateObject(SObjectInfo(node.name(), kObjTypeWindow)));
        if (!child)
            continue;
        InsertChild(child);
        child->BuildFromXml(node);
    }
    return TRUE;
}

// ---- Lookup by id and name --------------------------------------------------------------

SWindow* SWindow::FindChildByID(int id, int depth) const
{
    if (id == 0 || depth == 0)
        return nullptr;
    for (SWindow* child = m_firstChild; child; child = child->m_nextSibling) {
        if (child->GetID() == id)
            return child;
    }
    if (depth == 1)
        return nullptr;
    for (SWindow* child = m_firstChild; child; child = child->m_nextSibling) {
        if (SWindow* const found = child->FindChildByID(id, depth < 0 ? depth : depth - 1))
            return found;
    }
    return nullptr;
}

SWindow* SWindow::FindChildByName(LPCWSTR name, int depth) const
{
    if (!name || depth == 0)
        return nullptr;
    for (SWindow* child = m_firstChild; child; child = child->m_nextSibling) {
        LPCWSTR const childName = child->GetName();
        if (wcscmp(childName ? childName : L"", name) == 0)
            return child;
    }
    if (depth == 1)
        return nullptr;
    for (SWindow* child = m_firstChild; child; child = child->m_nextSibling) {
        if (SWindow* const found = child->FindChildByName(name, depth < 0 ? depth : depth - 1))
            return found;
    }
    return nullptr;
}

void SWindow::LogChildByNameMissing(LPCWSTR className, LPCWSTR name, int depth)
{
    WriteLog(kFindByNameSite,
             L"FindChildByName2 Failed, no window of class [%s] with name of [%s] was found within [%d] levels",
             className, name ? name : L"", depth);
}

void SWindow::LogChildByIdMissing(LPCWSTR className, int id, int depth)
{
    WriteLog(kFindByIdSite, L"FindChildByID2 Failed, no window of class [%s] with id of [%d] was found within [%d] levels",
             className, id, depth);
}

// ---- Messages and events ------------------------------------------------------------------

LRESULT SWindow::SendSwndMessage(UINT message, WPARAM wParam, LPARAM lParam, BOOL* handled)
{
    // A handler may release the window; it lives until the record is taken off.
    const SAutoRef<SWindow> self(this);
    MessageRecord record = {{nullptr, message, wParam, lParam, 0, {0, 0}}, m_curMsg};
    m_curMsg = &record;
    LRESULT result = 0;
    {
        const SMsgHandledKeeper keepOuterFlag(*this);
        SetMsgHandled(FALSE);
        ProcessSwndMessage(message, wParam, lParam, result);
        if (handled)
            *handled = IsMsgHandled();
    }
    m_curMsg = record.previous;
    return result;
}

void SWindow::BroadcastMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const SAutoRef<SWindow> self(this);
    SendSwndMessage(message, wParam, lParam);
    for (SWindow* child = m_firstChild; child;) {
        const SAutoRef<SWindow> held(child);
        child->BroadcastMessage(message, wParam, lParam);
        child = child->m_nextSibling;
    }
}

void SWindow::SetColorizeColor(COLORREF color)
{
    BroadcastMessage(UM_SETCOLORIZE, color);
}

const MSG* SWindow::GetCurMsg() const
{
    return m_curMsg ? &m_curMsg->msg : nullptr;
}

BOOL SWindow::FireCommand()
{
    EventCmd command(this);
    return RaiseEvent(&command);
}

BOOL SWindow::FireCtxMenu(POINT point)
{
    EventCtxMenu menu(this, point);
    RaiseEvent(&menu);
    return menu.cancel;
}

BOOL SWindow::RaiseEvent(EventArgs* args)
{
    if (m_eventSet.IsMuted())
        return FALSE;
    // A subscriber may destroy the window (a dialog closing itself).
    const SAutoRef<SWindow> self(this);
    m_eventSet.RaiseEvent(args);
    if (!args->bubbleUp)
        return args->handled != 0;
    if (m_owner)
        return m_owner->RaiseEvent(args);
    if (m_container)
        return m_container->OnFireEvent(args);
    return args->handled != 0;
}

BOOL SWindow::ProcessSwndMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    SWND_MSG_MAP_PROLOGUE(SWindow)
        MSG_HANDLER(WM_CREATE,        OnWindowCreate)
        MSG_HANDLER(WM_DESTROY,       OnDestroy)
        MSG_HANDLER(WM_SIZE,          OnSizeChanged)
        MSG_HANDLER(WM_SETFOCUS,      OnSetFocus)
        MSG_HANDLER(WM_KILLFOCUS,     OnKillFocus)
        MSG_HANDLER(WM_ENABLE,        OnEnableChanged)
        MSG_HANDLER(WM_PAINT,         OnPaint)
        MSG_HANDLER(WM_ERASEBKGND,    OnEraseBkgnd)
        MSG_HANDLER(WM_SHOWWINDOW,    OnShowWindow)
        MSG_HANDLER(WM_NCPAINT,       OnNcPaint)
        MSG_HANDLER(WM_MOUSEMOVE,     OnMouseTaken)     // taken, so that it goes no further
        MSG_HANDLER(WM_LBUTTONDOWN,   OnLButtonDown)
        MSG_HANDLER(WM_LBUTTONUP,     OnLeftButtonUp)
        MSG_HANDLER(WM_RBUTTONDOWN,   OnRButtonDown)
        MSG_HANDLER(WM_RBUTTONUP,     OnMouseTaken)
        MSG_HANDLER(WM_MOUSEWHEEL,    OnMouseWheel)
        MSG_HANDLER(WM_MOUSEHOVER,    OnMouseHover)
        MSG_HANDLER(WM_MOUSELEAVE,    OnMouseLeave)
        MSG_HANDLER(UM_SETSCALE,      OnScaleMessage)
        MSG_HANDLER(UM_SETLANGUAGE,   OnLanguageMessage)
        MSG_HANDLER(UM_SETCOLORIZE,   OnColorizeMessage)
    return DefSwndProc(message, wParam, lParam, result);
}

BOOL SWindow::DefSwndProc(UINT, WPARAM, LPARAM, LRESULT&)
{
    return FALSE;
}

}  // namespace SAKU
