#pragma once

// What the layout tests in a real host window share: a host built from layout
// text, shown and painted, its windows' rectangles (host coordinates) as text,
// its surface's pixels and a picture of it.

#include "../core/HostTest.h"
#include "../render/RenderTestSupport.h"
#include "LayoutBoxes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

namespace saku_test {

class LayoutHostTest : public HostTest {
protected:
    void TearDown() override
    {
        if (m_host && m_host->GetHwnd())
            m_host->CSimpleWnd::DestroyWindow();
        m_host.reset();
        DropQuitMessage();   // the host's end
        HostTest::TearDown();
    }

    // The host of the layout, shown and painted. Made after the application, whose
    // window manager and factories its windows need when they are made.
    void Open(const wchar_t* layout)
    {
        m_host = std::make_unique<SAKU::SHostWnd>();
        ASSERT_TRUE(LoadLayout(*m_host, layout));
        ::ShowWindow(m_host->GetHwnd(), SW_SHOWNOACTIVATE);
        ::UpdateWindow(m_host->GetHwnd());
        Pump();
    }

    SAKU::SWindow* Window(const wchar_t* name) const { return m_host->FindChildByName(name); }

    // The window's rectangle as "{left,top,right,bottom}", "missing" when there is none.
    std::wstring RectOf(const wchar_t* name) const
    {
        SAKU::SWindow* const window = Window(name);
        return window ? DescribeRect(window->GetWindowRect()) : L"missing";
    }

    // Each named window's rectangle is the one given.
    void ExpectRects(std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> rects) const
    {
        for (const auto& [name, rect] : rects)
            EXPECT_EQ(rect, RectOf(name)) << testing::PrintToString(std::wstring(name));
    }

    std::uint32_t Pixel(int x, int y) const
    {
        SAKU::IRenderTarget* const surface = m_host->GetCacheTarget();
        return PixelAt(ReadPixels(surface), CurrentBitmap(surface)->Width(), x, y);
    }
    void Keep(const wchar_t* name) const { KeepPng(m_host->GetCacheTarget(), L"TIVALA_PAINT_PNG", name); }

    std::unique_ptr<SAKU::SHostWnd> m_host;
};

}  // namespace saku_test
