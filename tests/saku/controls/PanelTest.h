#pragma once

// What the panel and scroll-view tests share: the control test host with a
// scroll-bar skin whose 8-pixel cells each have their own colour, so that a pixel
// names the part, the state and the bar it was drawn for.

#include "ControlTest.h"

#include "core/SSkinPool.h"

#include <pugixml.hpp>

#include <cstdint>

namespace saku_test {

// The stored pixel of a cell of "sbar_cells": red 20 x column + 10, green
// 40 x row + 10, blue 200. Columns: 0 up or left arrow, 1 down or right arrow,
// 2 thumb, 3 rail of a vertical bar, plus 4 for a horizontal one, 8 the corner;
// rows: the states 0 normal, 1 hover, 2 pushed, 3 disabled, 4 resting.
constexpr std::uint32_t Cell(int column, int row)
{
    return 0xFF000000u | static_cast<std::uint32_t>(20 * column + 10) << 16 |
           static_cast<std::uint32_t>(40 * row + 10) << 8 | 200u;
}

constexpr int kUpArrow = 0;
constexpr int kDownArrow = 1;
constexpr int kThumb = 2;
constexpr int kRail = 3;
constexpr int kHorizontal = 4;
constexpr int kCorner = 8;
constexpr int kResting = 4;

class PanelTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        pugi::xml_document skins;
        ASSERT_TRUE(skins.load_string(L"<skin><scrollbar name='bar' src='png:sbar_cells' hasInactive='1'/></skin>"));
        m_barSkins = SAKU::SAutoRef<SAKU::SSkinPool>::Adopt(new SAKU::SSkinPool);
        ASSERT_EQ(1, m_barSkins->LoadSkins(skins.first_child()));
        SAKU::SSkinPoolMgr::GetInstance()->PushPool(m_barSkins.Get());
    }
    void TearDown() override
    {
        SAKU::SSkinPoolMgr::GetInstance()->PopPool(m_barSkins.Get());
        m_barSkins = nullptr;
        ControlTest::TearDown();
    }

    // The mouse through the host's container, as a host hands it over.
    void MoveTo(int x, int y) { m_host->Mouse(WM_MOUSEMOVE, x, y); }
    void Press(int x, int y)
    {
        MoveTo(x, y);
        m_host->Mouse(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    }
    void Release(int x, int y) { m_host->Mouse(WM_LBUTTONUP, x, y); }
    void Wheel(int x, int y, short delta) { m_host->Mouse(WM_MOUSEWHEEL, x, y, MAKEWPARAM(0, delta)); }

    SAKU::SAutoRef<SAKU::SSkinPool> m_barSkins;
};

}  // namespace saku_test
