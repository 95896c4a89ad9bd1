#include "controls/SPopupMenu.h"

#include "controls/SMenuAttr.h"
#include "controls/SMenuODWnd.h"
#include "core/ITranslatorMgr.h"
#include "core/SApplication.h"
#include "res.mgr/SResProviderMgr.h"

#include <pugixml.hpp>

#include <memory>
#include <wchar.h>

namespace SAKU {

namespace {

SStringW Translate(const SStringW& text, const SStringW& context)
{
    SApplication* const app = SApplication::GetInstance();
    ITranslatorMgr* const translator = app ? app->GetTranslator() : nullptr;
    return translator ? translator->Translate(text, context) : text;
}

// The item's own text (its first character data), without the blanks that
// indenting the XML puts around it.
SStringW OwnText(pugi::xml_node element)
{
    const wchar_t* begin = element.text().get();
    const wchar_t* end = begin + wcslen(begin);
    const auto blank = [](wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; };
    while (begin < end && blank(*begin))
        ++begin;
    while (end > begin && blank(end[-1]))
        --end;
    return SStringW(begin, static_cast<int>(end - begin));
}

// An item with any child but plain character data (an element, a comment, a
// CDATA section) opens a submenu, as does "popup".
bool IsSubmenu(pugi::xml_node element)
{
    if (element.attribute(L"popup").as_bool(false))
        return true;
    for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_pcdata)
            return true;
    }
    return false;
}

}  // namespace

UINT32 SPopupMenuItem::FoldAccel(UINT32 character)
{
    // Only A to Z: tolower's domain ends at 255, and a typed character may be
    // any UTF-16 unit.
    return character >= L'A' && character <= L'Z' ? character - L'A' + L'a' : character;
}

SPopupMenu::~SPopupMenu()
{
    Destroy();
}

BOOL SPopupMenu::LoadMenu(pugi::xml_node element)
{
    Destroy();
    const HMENU menu = ::CreatePopupMenu();
    if (!menu)
        return FALSE;
    auto attr = SAutoRef<SMenuAttr>::Adopt(new SMenuAttr);
    attr->BuildFromXml(element);
    ::SetMenuContextHelpId(menu, element.attribute(L"contextHelpId").as_uint(0));
    AttachMenuAttr(menu, attr.Get());   // the menu holds the only reference once `attr` goes
    AppendItems(menu, element);
    m_menu = menu;
    return TRUE;
}

int SPopupMenu::TrackPopupMenu(UINT flags, int x, int y, HWND owner, const RECT* exclude)
{
    if (!m_menu)
        return 0;
    SMenuODWnd drawer(owner, MenuAttrOf(m_menu));
    if (!drawer.CreateWindow(nullptr, WS_POPUP, WS_EX_NOACTIVATE, 0, 0, 0, 0, nullptr, nullptr))
        return 0;
    // The menu closes when the user clicks outside it only if its owner's thread
    // is in the foreground.
    if (::IsWindow(owner) && ::IsWindowEnabled(owner))
        ::SetForegroundWindow(owner);
    const int id = static_cast<int>(
        ::TrackPopupMenu(m_menu, flags | TPM_RETURNCMD, x, y, 0, drawer.GetHwnd(), exclude));
    drawer.DestroyWindow();
    if (id != 0 && !(flags & TPM_RETURNCMD))
        ::SendMessageW(owner, WM_COMMAND, static_cast<WPARAM>(id), 0);
    return id;
}

SMenuAttr* SPopupMenu::MenuAttrOf(HMENU menu)
{
    MENUINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIM_MENUDATA;
    if (!menu || !::GetMenuInfo(menu, &info))
        return nullptr;
    return reinterpret_cast<SMenuAttr*>(info.dwMenuData);
}

void SPopupMenu::AttachMenuAttr(HMENU menu, SMenuAttr* attr)
{
    MENUINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIM_MENUDATA;
    info.dwMenuData = reinterpret_cast<ULONG_PTR>(attr);
    if (attr && ::SetMenuInfo(menu, &info))
        attr->AddRef();   // given back by ReleaseItems
}

void SPopupMenu::AppendItems(HMENU menu, pugi::xml_node element)
{
    for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element)
            continue;
        if (wcscmp(child.name(), L"sep") == 0) {
            ::AppendMenuW(menu, MF_SEPARATOR | MF_OWNERDRAW, 0, nullptr);
            continue;
        }
        if (wcscmp(child.name(), L"item") != 0)
            continue;

        auto item = std::make_unique<SPopupMenuItem>();
        item->icon = child.attribute(L"icon").as_int(-1);
        SStringW text = OwnText(child);
        if (text.IsEmpty())
            text = child.attribute(L"text").value();
        InitItemText(*item, Translate(SResProviderMgr::GetString(text), SStringW()), MenuAttrOf(menu));
        const int id = child.attribute(L"id").as_int(0);
        const bool check = child.attribute(L"check").as_bool(false);
        const bool radio = child.attribute(L"radio").as_bool(false);
        const bool disable = child.attribute(L"disable").as_bool(false);
        const LPCWSTR data = reinterpret_cast<LPCWSTR>(item.get());

        if (IsSubmenu(child)) {
            const HMENU submenu = ::CreatePopupMenu();
            if (!submenu)
                continue;   // the item is left out; its record goes with it
            AttachMenuAttr(submenu, MenuAttrOf(menu));
            ::SetMenuContextHelpId(submenu, child.attribute(L"contextHelpId").as_uint(0));
            const UINT flags = MF_POPUP | MF_OWNERDRAW | (disable ? MF_GRAYED : 0);
            if (!::AppendMenuW(menu, flags, reinterpret_cast<UINT_PTR>(submenu), data)) {
                ReleaseItems(submenu);
                ::DestroyMenu(submenu);
                continue;
            }
            item.release();   // the menu's item data now
            AppendItems(submenu, child);
            continue;
        }
        UINT flags = MF_OWNERDRAW;
        if (check)
            flags |= MF_CHECKED;
        if (disable)
            flags |= MF_GRAYED;
        if (radio)
            flags |= MFT_RADIOCHECK | MF_CHECKED;
        if (::AppendMenuW(menu, flags, static_cast<UINT_PTR>(id), data))
            item.release();   // the menu's item data now
    }
}

void SPopupMenu::InitItemText(SPopupMenuItem& item, const SStringW& text, const SMenuAttr* attr)
{
    item.text = Translate(text, attr ? attr->GetTrCtx() : SStringW());
    // The accelerator is the one the text was written with, before the menu's own
    // translation.
    item.accel = 0;
    if (const wchar_t* const amp = wcschr(text.c_str(), L'&'); amp && amp[1] != L'\0')
        item.accel = SPopupMenuItem::FoldAccel(static_cast<UINT32>(amp[1]));
}

void SPopupMenu::ReleaseItems(HMENU menu)
{
    if (SMenuAttr* const attr = MenuAttrOf(menu))
        attr->Release();
    const int count = ::GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_DATA | MIIM_SUBMENU;
        if (!::GetMenuItemInfoW(menu, position, TRUE, &info))
            continue;
        const std::unique_ptr<SPopupMenuItem> record(reinterpret_cast<SPopupMenuItem*>(info.dwItemData));
        if (info.hSubMenu)
            ReleaseItems(info.hSubMenu);
    }
}

void SPopupMenu::Destroy()
{
    if (m_menu && ::IsMenu(m_menu)) {
        ReleaseItems(m_menu);
        ::DestroyMenu(m_menu);
    }
    m_menu = nullptr;
}

}  // namespace SAKU
