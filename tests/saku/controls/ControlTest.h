#pragma once

// What the control tests share: a test host of 200 x 200 under a running
// application with the program's resources, a pool of skins whose colours name
// their state, controls built from layout text under the host and laid out, the
// host's canvas painted as a host paints it, and command counting.

#include "../core/ContainerTest.h"
#include "../core/WindowPaintTest.h"   // Near
#include "../render/RenderTestSupport.h"

#include "core/EventArgs.h"
#include "core/Events.h"
#include "core/ISlotFunctor.h"
#include "core/SSkinPool.h"

#include <pugixml.hpp>

#include <cstdint>

namespace saku_test {

// Stored pixels of the state skins below.
constexpr std::uint32_t kNormalRed = 0xFFFF0000;
constexpr std::uint32_t kHoverLime = 0xFF00FF00;
constexpr std::uint32_t kPushedBlue = 0xFF0000FF;
constexpr std::uint32_t kDisabledGrey = 0xFF808080;

// The stored top-left pixel of a state of the 'cells' skin below: nine states of
// 8 x 40 pixels, each of its own colour (scrollbar.png's cells).
constexpr std::uint32_t CellColour(int state)
{
    return 0xFF000000u | std::uint32_t(20 * state + 10) << 16 | 10u << 8 | 200u;
}

// Counts the commands a window raised.
struct CommandCounter {
    int commands = 0;
    BOOL OnCommand(SAKU::EventArgs*)
    {
        ++commands;
        return TRUE;
    }
};

class ControlTest : public ContainerTest {
protected:
    void SetUp() override
    {
        ContainerTest::SetUp();
        AddProgramResources(L"UIDEF:XML_INIT");
        pugi::xml_document skins;
        ASSERT_TRUE(skins.load_string(
            L"<skin>"
            L"<colorrect name='four' normal='#ff0000' hover='#00ff00' pushdown='#0000ff' disable='#808080'/>"
            L"<colorrect name='fade' normal='#ff0000' hover='#0000ff'/>"
            L"<colorrect name='halfFade' normal='#ff0000' hover='#0000ff' alpha='128'/>"
            L"<imglist name='sized' src='png:states_h' states='3'/>"
            L"<imglist name='cells' src='png:sbar_cells' states='9'/>"
            L"</skin>"));
        m_skins = SAKU::SAutoRef<SAKU::SSkinPool>::Adopt(new SAKU::SSkinPool);
        ASSERT_EQ(5, m_skins->LoadSkins(skins.first_child()));
        SAKU::SSkinPoolMgr::GetInstance()->PushPool(m_skins.Get());
    }
    void TearDown() override
    {
        SAKU::SSkinPoolMgr::GetInstance()->PopPool(m_skins.Get());
        m_skins = nullptr;
        ContainerTest::TearDown();
    }

    // More skins into the test's pool, from a "skin" element's text.
    void AddSkins(const wchar_t* xml)
    {
        pugi::xml_document skins;
        ASSERT_TRUE(skins.load_string(xml)) << xml;
        ASSERT_GT(m_skins->LoadSkins(skins.first_child()), 0);
    }

    // Builds the children of the layout's root element under the host and lays
    // them out.
    void Build(const wchar_t* xml)
    {
        pugi::xml_document document;
        ASSERT_TRUE(document.load_string(xml)) << xml;
        m_host->BuildChildren(document.first_child());
        m_host->UpdateLayout();
    }
    // A control of the layout by name; null (and a failure) when it is not a T.
    template <typename T>
    T* Find(const wchar_t* name)
    {
        T* const found = m_host->FindChildByName2<T>(name);
        EXPECT_NE(nullptr, found) << name;
        return found;
    }
    void CountCommands(SAKU::SWindow* window, CommandCounter& counter)
    {
        window->GetEventSet()->SubscribeEvent(SAKU::EventCmd::EventID,
                                              SAKU::Subscriber(&CommandCounter::OnCommand, &counter));
    }

    // The whole tree painted afresh onto the cleared canvas.
    void Paint()
    {
        m_host->BuildWndTreeZorder();
        const RECT all = {0, 0, kWidth, kHeight};
        m_host->Canvas()->ClearRect(&all, 0);
        m_host->PaintRegion(m_host->Canvas(), nullptr);
    }
    std::uint32_t Pixel(int x, int y) { return PixelAt(ReadPixels(m_host->Canvas()), kWidth, x, y); }
    // Keeps the canvas for the eye: a PNG when TIVALA_PAINT_PNG names a folder.
    void Keep(const wchar_t* name) { KeepPng(m_host->Canvas(), L"TIVALA_PAINT_PNG", name); }

    static constexpr int kWidth = 200;
    static constexpr int kHeight = 200;

    SAKU::SAutoRef<SAKU::SSkinPool> m_skins;
};

}  // namespace saku_test
