#include "controls/SMenuEx.h"

#include "SMenuExRunData.h"
#include "controls/SMenuExItem.h"
#include "controls/SMenuExRoot.h"
#include "core/Events.h"
#include "core/Geometry.h"
#include "core/SApplication.h"
#include "core/SXmlLookup.h"

#include <pugixml.hpp>

#include <vector>
#include <wchar.h>
#include <wctype.h>

namespace SAKU {

namespace {

// The run of the menus shown now; null while none runs.
SMenuExRunData* g_run = nullptr;

bool IsButtonDown(UINT message)
{
    switch (message) {
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
        return true;
    default:
        return false;
    }
}

bool IsKeyMessage(UINT message)
{
    switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_IME_CHAR:
        return true;
    default:
        return false;
    }
}

// The items of a menu's root in order, separators included.
std::vector<SMenuExItem*> ItemsOf(const SMenuExRoot* root)
{
    std::vector<SMenuExItem*> items;
    for (SWindow* child = root ? root->GetWindow(GSW_FIRSTCHILD) : nullptr; child; child = child->GetWindow(GSW_NEXTSIBLING))
        items.push_back(static_cast<SMenuExItem*>(child));   // the root makes no other children
    return items;
}

int SiblingIndex(const SWindow* window)
{
    int index = 0;
    for (const SWindow* before = window->GetWindow(GSW_PREVSIBLING); before; before = before->GetWindow(GSW_PREVSIBLING))
        ++index;
    return index;
}

}  // namespace

// ---- Run data -------------------------------------------------------------------

SMenuEx* SMenuExRunData::MenuOf(HWND window) const
{
    for (auto* node = m_openMenus.GetHead(); node; node = node->next) {
        if (window && node->value->GetHwnd() == window)
            return node->value;
    }
    return nullptr;
}

void SMenuExRunData::RemoveMenu(SMenuEx* menu)
{
    for (auto* node = m_openMenus.GetTail(); node; node = node->prev) {
        if (node->value == menu) {
            m_openMenus.RemoveAt(node);
            return;
        }
    }
}

// ---- Building ---------------------------------------------------------------------

SMenuEx::SMenuEx(SMenuExItem* parentItem) : m_parentItem(parentItem)
{
}

SMenuEx::~SMenuEx()
{
    // While this object is whole: its tree hears its end through this class.
    if (GetHwnd())
        DestroyHostWindow();
}

BOOL SMenuEx::LoadMenu(LPCWSTR resName)
{
    SApplication* const app = SApplication::GetInstance();
    if (!app || !resName || !*resName)
        return FALSE;
    const SStringW name(resName);
    pugi::xml_document document;
    if (!app->LoadXml(document, name.Find(L':') < 0 ? SStringW(L"SMENUEX:") + name : name))
        return FALSE;
    return BuildMenu(document.document_element());
}

BOOL SMenuEx::BuildMenu(pugi::xml_node element)
{
    if (GetHwnd() || !element)
        return FALSE;
    if (_wcsicmp(element.name(), L"menuRoot") != 0 && _wcsicmp(element.name(), L"menuItem") != 0)
        return FALSE;
    if (!CreateEx(nullptr, WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, 0, 0, 0, 0))
        return FALSE;

    pugi::xml_document hostXml;
    pugi::xml_node host = hostXml.append_child(L"SAKU");
    host.append_attribute(L"translucent") = L"1";
    if (!m_parentItem) {
        if (const pugi::xml_attribute context = XmlAttribute(element, L"trCtx"))
            host.append_attribute(L"trCtx") = context.value();
    }
    LoadFromXml(host, 0, 0);

    m_root = new SMenuExRoot(this);   // the host holds this first reference
    InsertChild(m_root);
    m_root->BuildFromXml(element);
    if (ILayoutParam* const param = m_root->GetLayoutParam()) {
        param->SetWrapContent(Horz);
        param->SetWrapContent(Vert);
    }
    return TRUE;
}

int SMenuEx::GetScale() const
{
    return g_run ? g_run->GetScale() : 100;
}

LPCWSTR SMenuEx::GetTranslatorContext() const
{
    return m_parentItem ? m_parentItem->GetTrCtx() : SHostWnd::GetTranslatorContext();
}

// ---- Running ------------------------------------------------------------------------

bool SMenuEx::IsRunning()
{
    return g_run != nullptr;
}

void SMenuEx::ExitPopup(int code)
{
    if (!g_run)
        return;
    g_run->Exit(code);
    ::PostMessageW(g_run->GetOwner(), WM_NULL, 0, 0);   // wakes the loop's wait
}

int SMenuEx::ShowPopup(UINT flags, int x, int y, HWND owner, int scale)
{
    if (!GetHwnd())
        return -1;
    if (g_run)
        g_run->AddRef();   // a run nested in a running one shares its data
    else
        g_run = new SMenuExRunData(owner, scale);
    SMenuExRunData* const run = g_run;

    if (owner && ::IsWindow(owner)) {
        ::SetWindowLongPtrW(GetHwnd(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
        ::SetForegroundWindow(::GetAncestor(owner, GA_ROOT));
    }
    ShowMenuAt(flags, x, y);
    RunMenuLoop(owner);
    HideMenu(false);

    // The window under the mouse hears where it is now, as after any popup.
    const HWND active = owner ? owner : ::GetActiveWindow();
    if (active) {
        POINT cursor = {};
        ::GetCursorPos(&cursor);
        ::ScreenToClient(active, &cursor);
        ::PostMessageW(active, WM_MOUSEMOVE, 0, MAKELPARAM(cursor.x, cursor.y));
    }

    const int result = run->GetResult();
    if (run->Release() == 0)
        g_run = nullptr;
    if (flags & kMenuExReturnCmd)
        return result;
    // Only a chosen item is a command: a dismissed menu (0) or a lost foreground
    // (-1) would read as the commands 0 and 0xFFFF.
    if (result > 0 && owner && ::IsWindow(owner))
        ::SendMessageW(owner, WM_COMMAND, MAKEWPARAM(LOWORD(result), 0), 0);
    return 1;
}

void SMenuEx::RunMenuLoop(HWND owner)
{
    const HWND reference = owner ? ::GetAncestor(owner, GA_ROOT) : nullptr;
    HWND mouseMenu = nullptr;
    bool quit = false;
    WPARAM quitCode = 0;
    while (g_run && !g_run->IsExiting() && reference && ::GetForegroundWindow() == reference) {
        MSG msg = {};
        if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            continue;
        }
        if (IsButtonDown(msg.message)) {
            SMenuEx* const pressed = g_run->MenuOf(msg.hwnd);
            if (!pressed) {
                g_run->Exit(0);
                return;   // the press stays queued for the window it belongs to
            }
            pressed->HideSubMenu();
        }
        if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            continue;
        if (msg.message == WM_QUIT) {
            quit = true;
            quitCode = msg.wParam;
            break;
        }
        if (IsKeyMessage(msg.message)) {
            if (SMenuEx* const last = g_run->LastMenu())
                msg.hwnd = last->GetHwnd();
        } else if (msg.message == WM_MOUSEMOVE) {
            const HWND now = g_run->MenuOf(msg.hwnd) ? msg.hwnd : nullptr;
            if (mouseMenu && now && mouseMenu != now && g_run->MenuOf(mouseMenu))
                ::SendMessageW(mouseMenu, WM_MOUSELEAVE, 0, 0);
            mouseMenu = now;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    if (quit)
        ::PostQuitMessage(static_cast<int>(quitCode));   // the quit belongs to the loop outside
}

void SMenuEx::ShowMenuAt(UINT flags, int x, int y)
{
    if (!m_root)
        return;
    const int scale = GetScale();
    m_root->BroadcastMessage(UM_SETSCALE, scale);
    const SIZE size = m_root->GetDesiredSize(10000, 10000);
    m_root->OnRelayout(RECT{0, 0, size.cx, size.cy});

    if (flags & kMenuExCenterX)
        x -= size.cx / 2;
    else if (flags & kMenuExRightAtX)
        x -= size.cx;
    if (flags & kMenuExCenterY)
        y -= size.cy / 2;
    else if (flags & kMenuExBottomAtY)
        y -= size.cy;

    RECT rect = {x, y, x + size.cx, y + size.cy};
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(GetHwnd(), MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& screen = monitor.rcMonitor;
    const int offset = m_parentItem ? m_root->GetSubMenuOffset() : 0;
    RECT onScreen = {};
    if (::IntersectRect(&onScreen, &rect, &screen) && ::EqualRect(&onScreen, &rect)) {
        x += offset;
    } else if (m_parentItem) {
        if (rect.right > screen.right)
            x = m_parentItem->GetMenu()->GetHostWindowRect().left - offset - size.cx;
        else
            x += offset;
        rect = RECT{x, y, x + size.cx, y + size.cy};
        if (rect.left < screen.left)
            x += screen.left - rect.left;
        else if (rect.right > screen.right)
            x -= rect.right - screen.right;
        if (rect.top < screen.top)
            y += screen.top - rect.top;
        else if (rect.bottom > screen.bottom)
            y -= rect.bottom - screen.bottom;
    } else {
        if (rect.right > screen.right)
            x -= offset + size.cx;
        if (rect.bottom > screen.bottom)
            y -= size.cy;
    }
    ::SetWindowPos(GetHwnd(), HWND_TOPMOST, x, y, size.cx, size.cy, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    if (g_run)
        g_run->AddMenu(this);
}

void SMenuEx::HideMenu(bool keepParent)
{
    if (!GetHwnd() || !::IsWindowVisible(GetHwnd()))
        return;
    HideSubMenu();
    ::ShowWindow(GetHwnd(), SW_HIDE);
    SetCurrentItem(nullptr);
    if (g_run)
        g_run->RemoveMenu(this);
    if (m_parentItem && !keepParent)
        m_parentItem->GetMenu()->SetCurrentItem(nullptr);
}

void SMenuEx::HideSubMenu()
{
    if (m_currentItem && m_currentItem->GetSubMenu())
        m_currentItem->GetSubMenu()->HideMenu(false);
}

void SMenuEx::OpenSubMenu(SMenuExItem* item, bool selectFirst)
{
    KillHostTimer(kSubMenuTimer);
    SMenuEx* const subMenu = item ? item->GetSubMenu() : nullptr;
    if (!subMenu || !subMenu->GetHwnd())
        return;
    if (!subMenu->m_popupInitialised) {
        subMenu->m_popupInitialised = true;
        if (g_run && ::IsWindow(g_run->GetOwner()))
            ::SendMessageW(g_run->GetOwner(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(subMenu), SiblingIndex(item));
    }
    const RECT itemRect = item->GetWindowRect();
    RECT client = {};
    ::GetClientRect(GetHwnd(), &client);
    POINT corner = {client.right, itemRect.top};
    ::ClientToScreen(GetHwnd(), &corner);
    SetCurrentItem(item);
    // A sub-menu open already stays where it is: shown twice it would be listed twice.
    if (!::IsWindowVisible(subMenu->GetHwnd())) {
        ::SetWindowLongPtrW(subMenu->GetHwnd(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(GetHwnd()));
        subMenu->ShowMenuAt(0, corner.x, corner.y);
    }
    if (selectFirst) {
        subMenu->SetCurrentItem(nullptr);
        subMenu->SetCurrentItem(subMenu->NextEnabledItem(true));
    }
}

void SMenuEx::SetCurrentItem(SMenuExItem* item)
{
    if (m_currentItem == item)
        return;
    if (m_currentItem)
        m_currentItem->SetCheck(FALSE);
    m_currentItem = item;
    if (item)
        item->SetCheck(TRUE);
}

SMenuExItem* SMenuEx::NextEnabledItem(bool forward) const
{
    const std::vector<SMenuExItem*> items = ItemsOf(m_root);
    const int count = static_cast<int>(items.size());
    int index = forward ? -1 : count;
    for (int i = 0; i < count; ++i) {
        if (items[i] == m_currentItem)
            index = i;
    }
    for (int step = 0; step < count; ++step) {
        index = ((forward ? index + 1 : index - 1) + count) % count;
        if (!items[index]->IsDisabled(TRUE))
            return items[index];
    }
    return nullptr;
}

SMenuExItem* SMenuEx::ItemOf(IObject* sender) const
{
    for (SMenuExItem* const item : ItemsOf(m_root)) {
        if (static_cast<IObject*>(item) == sender)
            return item;
    }
    return nullptr;
}

void SMenuEx::RaiseItemCommand(SMenuExItem* item)
{
    item->FireCommand();
}

// ---- Events and input ----------------------------------------------------------------

BOOL SMenuEx::HandleEvent(EventArgs* args)
{
    SMenuExItem* const item = ItemOf(args->sender);
    if (!item) {
        if (!g_run || !::IsWindow(g_run->GetOwner()))
            return FALSE;
        return static_cast<BOOL>(::SendMessageW(g_run->GetOwner(), UM_MENUEVENT, 0, reinterpret_cast<LPARAM>(args)));
    }
    switch (args->GetID()) {
    case EventSwndMouseHover::EventID:
        if (item->GetSubMenu()) {
            SetHostTimer(kSubMenuTimer, kSubMenuDelay);
            m_pendingItem = item;
        }
        HideSubMenu();
        return FALSE;
    case EventSwndMouseLeave::EventID:
        if (item->GetSubMenu()) {
            KillHostTimer(kSubMenuTimer);
            m_pendingItem = nullptr;
        }
        return FALSE;
    case EventCmd::EventID:
        if (item->GetSubMenu()) {
            OpenSubMenu(item, false);
        } else if (item->GetID() != 0) {
            if (g_run)
                g_run->Exit(item->GetID());
        }
        return TRUE;
    default:
        return FALSE;
    }
}

int SMenuEx::OnMouseActivate(HWND, UINT, UINT)
{
    return MA_NOACTIVATE;
}

void SMenuEx::OnMenuTimer(UINT_PTR id)
{
    if (id != kSubMenuTimer) {
        PassMessageOn();
        return;
    }
    SMenuExItem* const pending = m_pendingItem;
    m_pendingItem = nullptr;
    OpenSubMenu(pending, false);
}

void SMenuEx::OnMenuKeyDown(UINT key, UINT, UINT)
{
    switch (key) {
    case VK_RETURN:
        if (m_currentItem)
            RaiseItemCommand(m_currentItem);
        return;
    case VK_ESCAPE:
    case VK_LEFT:
        if (m_parentItem)
            HideMenu(true);
        else
            ExitPopup(0);
        return;
    case VK_UP:
    case VK_DOWN:
        SetCurrentItem(NextEnabledItem(key == VK_DOWN));
        return;
    case VK_RIGHT:
        if (m_currentItem && m_currentItem->GetSubMenu())
            OpenSubMenu(m_currentItem, true);
        return;
    default:
        break;
    }
    const UINT character = ::MapVirtualKeyW(key, MAPVK_VK_TO_CHAR) & 0x7FFFFFFF;
    if (character >= 0x20) {
        // A disabled item keeps its hot key, but is not chosen by it, as the arrows pass it by.
        for (SMenuExItem* const item : ItemsOf(m_root)) {
            if (item->GetHotKey() != 0 && !item->IsDisabled(TRUE) &&
                towlower(item->GetHotKey()) == towlower(static_cast<wchar_t>(character))) {
                RaiseItemCommand(item);
                return;
            }
        }
    }
    PassMessageOn();
}

}  // namespace SAKU
