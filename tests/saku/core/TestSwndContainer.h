#pragma once

// The windowless host (tests/support's) for the painting tests, drawing in place
// on the test's surface and noting what else the tree asks of it: the render
// targets, and the windows queued for an update of their own, which the tree
// sends to a hidden window of the test thread standing for the host window. The
// test owns it; UI thread.

#include "core/SwndContainerImpl.h"
#include "render/IRenderTarget.h"

#include "TestWindow.h"
#include "WindowlessHost.h"

#include <vector>

namespace saku_test {

class TestSwndContainer : public tivala::test::WindowlessHost {
public:
    struct TargetUse {
        RECT rect;
        DWORD gdcFlags;
    };

    explicit TestSwndContainer(SAKU::IRenderTarget* host)
        : WindowlessHost(host, Targets::kCanvas), m_hostWindow([this](UINT message, WPARAM wParam, LPARAM) {
              if (message == SAKU::UM_UPDATESWND)
                  m_updates.push_back(SAKU::SWND(wParam));
          })
    {
    }

    // What the tree asked for, in order, besides the redraws.
    std::vector<SAKU::SWND> m_updates;           // UM_UPDATESWND sent to the host window
    std::vector<TargetUse> m_gets;               // OnGetRenderTarget
    std::vector<TargetUse> m_releases;           // OnReleaseRenderTarget
    void ForgetRequests()
    {
        m_redraws.clear();
        m_updates.clear();
        m_gets.clear();
        m_releases.clear();
    }

    // ISwndContainer overrides
    HWND GetHostHwnd() override { return m_hostWindow.Handle(); }
    SAKU::IRenderTarget* OnGetRenderTarget(const RECT& rect, DWORD gdcFlags) override
    {
        m_gets.push_back({rect, gdcFlags});
        return WindowlessHost::OnGetRenderTarget(rect, gdcFlags);
    }
    void OnReleaseRenderTarget(SAKU::IRenderTarget* target, const RECT& rect, DWORD gdcFlags) override
    {
        m_releases.push_back({rect, gdcFlags});
        WindowlessHost::OnReleaseRenderTarget(target, rect, gdcFlags);
    }

private:
    tivala::test::TestWindow m_hostWindow;
};

}  // namespace saku_test
