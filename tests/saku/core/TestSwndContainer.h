#pragma once

// A host for window trees in painting tests: the tree's half of the container is
// the library's (SwndContainerImpl, the tree's root); the host's half hands out one
// memory render target as the host's surface and records what the tree asks of it
// (render targets, redraws, the host messages). The test owns it; UI thread.

#include "core/SwndContainerImpl.h"
#include "render/IRenderTarget.h"

#include "TestWindow.h"

#include <vector>

namespace saku_test {

class TestSwndContainer : public SAKU::SwndContainerImpl {
public:
    struct TargetUse {
        RECT rect;
        DWORD gdcFlags;
    };

    explicit TestSwndContainer(SAKU::IRenderTarget* host)
        : m_host(host), m_hostWindow([this](UINT message, WPARAM wParam, LPARAM) {
              if (message == SAKU::UM_UPDATESWND)
                  m_updates.push_back(SAKU::SWND(wParam));
          })
    {
    }

    // What the tree asked for, in order.
    std::vector<RECT> m_redraws;                 // OnRedraw
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

    // ISwndContainer overrides: the host's half
    BOOL OnFireEvent(SAKU::EventArgs*) override { return FALSE; }
    HWND GetHostHwnd() override { return m_hostWindow.Handle(); }
    LPCWSTR GetTranslatorContext() const override { return L""; }
    BOOL IsTranslucent() const override { return TRUE; }
    BOOL IsSendWheel2Hover() const override { return FALSE; }
    RECT GetContainerRect() const override { return GetWindowRect(); }
    SAKU::IRenderTarget* OnGetRenderTarget(const RECT& rect, DWORD gdcFlags) override
    {
        m_gets.push_back({rect, gdcFlags});
        return m_host;
    }
    void OnReleaseRenderTarget(SAKU::IRenderTarget*, const RECT& rect, DWORD gdcFlags) override
    {
        m_releases.push_back({rect, gdcFlags});
    }
    void OnRedraw(const RECT& rect) override { m_redraws.push_back(rect); }
    BOOL OnCreateCaret(SAKU::SWND, HBITMAP, int, int) override { return FALSE; }
    BOOL OnShowCaret(BOOL) override { return FALSE; }
    BOOL OnSetCaretPos(int, int) override { return FALSE; }
    BOOL UpdateWindow() override { return FALSE; }
    void UpdateTooltip() override {}
    SAKU::SMessageLoop* GetMsgLoop() override { return nullptr; }
    SAKU::IScriptModule* GetScriptModule() override { return nullptr; }
    int GetScale() const override { return 100; }

private:
    SAKU::IRenderTarget* m_host;
    tivala::test::TestWindow m_hostWindow;
};

}  // namespace saku_test
