#pragma once

// What the painting tests share: the application, a memory render target as the
// host's surface, a test host whose container is the root filling the surface, windows
// added by code (attributes as loaded from XML, then placed), frames painted as the
// host paints them, and the surface's pixels (0xAARRGGBB as stored, premultiplied).

#include "../render/RenderTestSupport.h"
#include "SakuAppTest.h"
#include "TestSwndContainer.h"

#include "core/SWindow.h"
#include "core/SWindowMgr.h"
#include "render/IRegion.h"

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

namespace saku_test {

using Attributes = std::initializer_list<std::pair<const wchar_t*, const wchar_t*>>;

// A window that notes, each time it is asked to paint its client area, its handle
// and the text colour and font the target carries then: what it inherited.
class PaintRecordingWindow : public SAKU::SWindow {
public:
    struct Paint {
        SAKU::SWND swnd;
        COLORREF textColor;
        SAKU::IRenderObj* font;
    };

    explicit PaintRecordingWindow(std::vector<Paint>& paints) : m_paints(paints) {}

    // SWindow overrides
    BOOL ProcessSwndMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (message == WM_PAINT) {
            auto* const target = reinterpret_cast<SAKU::IRenderTarget*>(wParam);
            m_paints.push_back({GetSwnd(), target->GetTextColor(), target->GetCurrentObject(SAKU::kRenderObjFont)});
        }
        return SWindow::ProcessSwndMessage(message, wParam, lParam, result);
    }

private:
    std::vector<Paint>& m_paints;
};

class WindowPaintTest : public SakuAppTest {
protected:
    static constexpr int kSize = 120;

    void SetUp() override
    {
        SakuAppTest::SetUp();
        if (!SAKU::SWindowMgr::GetInstance())
            m_windowMgr = std::make_unique<SAKU::SWindowMgr>();   // window handles for the tree
        ASSERT_TRUE(m_renderFactory->CreateRenderTarget(m_host.Put(), kSize, kSize));
        m_container = SAKU::SAutoRef<TestSwndContainer>::Adopt(new TestSwndContainer(m_host.Get()));
        m_root = m_container.Get();
        m_root->SendSwndMessage(WM_CREATE);
        m_root->OnRelayout(RECT{0, 0, kSize, kSize});
    }
    void TearDown() override
    {
        m_root->SendSwndMessage(WM_DESTROY);   // the children go with it
        m_root = nullptr;
        m_container = nullptr;
        m_host = nullptr;
        m_windowMgr.reset();
        SakuAppTest::TearDown();
    }

    // A window under `parent` with the attributes (as loaded from XML), placed at `rect`.
    SAKU::SWindow* Add(SAKU::SWindow* parent, const RECT& rect, Attributes attributes = {})
    {
        SAKU::SWindow* const window = new PaintRecordingWindow(m_paints);   // the parent holds this first reference
        parent->InsertChild(window);
        for (const auto& attribute : attributes)
            window->ApplyAttribute(attribute.first, attribute.second, TRUE);
        window->SendSwndMessage(WM_CREATE);
        window->OnRelayout(rect);
        return window;
    }

    // The whole tree painted afresh onto a cleared surface, as the host paints; the
    // windows queued to redraw alone are redrawn first, so that nothing stays queued.
    void PaintFrame()
    {
        for (const SAKU::SWND swnd : m_container->m_updates) {
            if (SAKU::SWindow* const window = SAKU::SWindowMgr::GetWindow(swnd))
                window->RedrawInvalidRegion();
        }
        m_container->m_updates.clear();
        m_container->BuildWndTreeZorder();
        const RECT all = {0, 0, kSize, kSize};
        m_host->ClearRect(&all, 0);
        m_root->PaintRegion(m_host.Get(), nullptr);
    }

    SAKU::SAutoRef<SAKU::IRegion> Region(const RECT& rect)
    {
        SAKU::SAutoRef<SAKU::IRegion> region;
        m_renderFactory->CreateRegion(region.Put());
        region->CombineRect(&rect, RGN_COPY);
        return region;
    }

    std::uint32_t Pixel(int x, int y) { return PixelAt(ReadPixels(m_host.Get()), kSize, x, y); }
    void Keep(const wchar_t* name) { KeepPng(m_host.Get(), L"TIVALA_PAINT_PNG", name); }

    std::unique_ptr<SAKU::SWindowMgr> m_windowMgr;
    std::vector<PaintRecordingWindow::Paint> m_paints;
    SAKU::SAutoRef<SAKU::IRenderTarget> m_host;
    SAKU::SAutoRef<TestSwndContainer> m_container;   // the tree's root
    SAKU::SWindow* m_root = nullptr;
};

// Whether two stored pixels differ by at most 2 in every byte (blending rounds).
inline bool Near(std::uint32_t actual, std::uint32_t expected)
{
    constexpr int tolerance = 2;
    for (int shift = 0; shift < 32; shift += 8) {
        const int a = int(actual >> shift & 0xFF);
        const int e = int(expected >> shift & 0xFF);
        if (a - e > tolerance || e - a > tolerance)
            return false;
    }
    return true;
}

}  // namespace saku_test
