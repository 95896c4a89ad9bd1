#pragma once

// What the popup menu tests share: the application with the test program's
// resources, a pool of menu skins whose colours and sizes are known, menus
// loaded from XML text, one item drawn off screen as the menu would draw it, and
// text pixels counted by colour.

#include "../core/HostTest.h"
#include "../core/SkinTest.h"   // kRed, kLime, kBlue
#include "../render/RenderTestSupport.h"

#include "controls/SMenuAttr.h"
#include "controls/SMenuODWnd.h"
#include "controls/SPopupMenu.h"
#include "core/SSkinPool.h"
#include "render/IRenderTarget.h"

#include <pugixml.hpp>

#include <cstdint>
#include <string>

namespace saku_test {

// Stored pixels of the skins below, read as 0xAARRGGBB.
constexpr std::uint32_t kItemWhite = 0xFFFFFFFF;
constexpr std::uint32_t kItemSelBrown = 0xFFC06030;
constexpr std::uint32_t kItemOverGreen = 0xFF00FF00;
constexpr std::uint32_t kSepGrey = 0xFF808080;
// The imglist states of states16.png are kRed, kLime and kBlue, 16 x 16 each;
// tiny.png is 1 x 5 of kRed.

class MenuTest : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        pugi::xml_document skins;
        ASSERT_TRUE(skins.load_string(
            L"<skin>"
            L"<colorrect name='menu.item' normal='#ffffff' hover='#c06030'/>"
            L"<colorrect name='menu.item3' normal='#ffffff' hover='#c06030' pushdown='#00ff00'/>"
            L"<imglist name='menu.states16' src='png:states16' states='3'/>"
            L"<imglist name='menu.states30' src='png:states_h' states='3'/>"
            L"<colorrect name='menu.sep' normal='#808080'/>"
            L"<imglist name='menu.sep5' src='png:tiny'/>"
            L"</skin>"));
        m_skins = SAKU::SAutoRef<SAKU::SSkinPool>::Adopt(new SAKU::SSkinPool);
        ASSERT_EQ(6, m_skins->LoadSkins(skins.first_child()));
        SAKU::SSkinPoolMgr::GetInstance()->PushPool(m_skins.Get());
    }
    void TearDown() override
    {
        SAKU::SSkinPoolMgr::GetInstance()->PopPool(m_skins.Get());
        m_skins = nullptr;
        HostTest::TearDown();
    }

    // The menu element's text loaded into `menu`.
    static void Load(SAKU::SPopupMenu& menu, const std::wstring& xml)
    {
        pugi::xml_document document;
        ASSERT_TRUE(document.load_string(xml.c_str())) << std::string(xml.begin(), xml.end());
        ASSERT_TRUE(menu.LoadMenu(document.first_child()));
    }

    // What the system's menu functions tell of the item at `position`.
    static MENUITEMINFOW ItemInfo(HMENU menu, int position)
    {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA;
        EXPECT_TRUE(::GetMenuItemInfoW(menu, position, TRUE, &info)) << position;
        return info;
    }
    static const SAKU::SPopupMenuItem* Record(HMENU menu, int position)
    {
        return reinterpret_cast<const SAKU::SPopupMenuItem*>(ItemInfo(menu, position).dwItemData);
    }

    // The item's measure as the menu asks for it.
    static SIZE Measure(SAKU::SPopupMenu& menu, int position)
    {
        SAKU::SMenuODWnd drawer(nullptr, SAKU::SPopupMenu::MenuAttrOf(menu.GetMenu()));
        MEASUREITEMSTRUCT measure = {};
        measure.CtlType = ODT_MENU;
        measure.itemID = ItemInfo(menu.GetMenu(), position).wID;
        measure.itemData = ItemInfo(menu.GetMenu(), position).dwItemData;
        drawer.MeasureItem(&measure);
        return SIZE{static_cast<LONG>(measure.itemWidth), static_cast<LONG>(measure.itemHeight)};
    }

    // The item drawn as the menu draws it, `state` the ODS_ flags, onto a fresh
    // target of width x height at (0, 0).
    SAKU::SAutoRef<SAKU::IRenderTarget> Draw(SAKU::SPopupMenu& menu, int position, UINT state, int width,
                                              int height)
    {
        SAKU::SAutoRef<SAKU::IRenderTarget> target;
        EXPECT_TRUE(m_renderFactory->CreateRenderTarget(target.Put(), width, height));
        const MENUITEMINFOW info = ItemInfo(menu.GetMenu(), position);
        SAKU::SMenuODWnd drawer(nullptr, SAKU::SPopupMenu::MenuAttrOf(menu.GetMenu()));
        DRAWITEMSTRUCT draw = {};
        draw.CtlType = ODT_MENU;
        draw.itemID = info.wID;
        draw.itemState = state;
        draw.hwndItem = reinterpret_cast<HWND>(menu.GetMenu());
        draw.hDC = target->GetDC(0);
        draw.rcItem = RECT{0, 0, width, height};
        draw.itemData = info.dwItemData;
        drawer.DrawItem(&draw);
        target->ReleaseDC(draw.hDC);
        return target;
    }

    // Pixels of the rectangle whose colour is near `rgb` (0xRRGGBB) and far from
    // the others: the cores of glyphs drawn in that colour.
    static int CountNear(const Pixels& pixels, int width, RECT area, std::uint32_t rgb)
    {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                const std::uint32_t p = PixelAt(pixels, width, x, y);
                const int dr = int((p >> 16) & 0xFF) - int((rgb >> 16) & 0xFF);
                const int dg = int((p >> 8) & 0xFF) - int((rgb >> 8) & 0xFF);
                const int db = int(p & 0xFF) - int(rgb & 0xFF);
                if (dr * dr + dg * dg + db * db < 64 * 64)
                    ++count;
            }
        }
        return count;
    }

    SAKU::SAutoRef<SAKU::SSkinPool> m_skins;
};

}  // namespace saku_test
