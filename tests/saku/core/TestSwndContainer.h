#pragma once

// A container for window trees in tests, standing where a host window stands: it
// hands out one memory render target as the host's surface, records what the tree
// asks of it (render targets, redraws, the host messages) and numbers the tree in
// pre-order. The test owns it and the tree's root; UI thread.

#include "core/ISwndContainer.h"
#include "core/SWindow.h"
#include "render/IRenderTarget.h"

#include "TestWindow.h"

#include <vector>

namespace saku_test {

class TestSwndContainer : public SAKU::ISwndContainer {
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

    void SetRoot(SAKU::SWindow* root) { m_root = root; }
    void SetFocusedWindow(SAKU::SWND swnd) { m_focus = swnd; }

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

    // ISwndContainer overrides
    void OnNextFrame() override {}
    BOOL RegisterDragDrop(SAKU::SWND, IDropTarget*) override { return FALSE; }
    BOOL RevokeDragDrop(SAKU::SWND) override { return FALSE; }
    BOOL OnFireEvent(SAKU::EventArgs*) override { return FALSE; }
    HWND GetHostHwnd() override { return m_hostWindow.Handle(); }
    LPCWSTR GetTranslatorContext() const override { return L""; }
    BOOL IsTranslucent() const override { return TRUE; }
    BOOL IsSendWheel2Hover() const override { return FALSE; }
    RECT GetContainerRect() const override { return m_root ? m_root->GetWindowRect() : RECT{}; }
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
    SAKU::SWND OnGetSwndCapture() override { return 0; }
    BOOL OnReleaseSwndCapture() override { return TRUE; }
    SAKU::SWND OnSetSwndCapture(SAKU::SWND) override { return 0; }
    void OnSetSwndFocus(SAKU::SWND swnd) override { m_focus = swnd; }
    SAKU::SWND GetHover() const override { return 0; }
    SAKU::SWND GetFocus() const override { return m_focus; }
    BOOL OnCreateCaret(SAKU::SWND, HBITMAP, int, int) override { return FALSE; }
    BOOL OnShowCaret(BOOL) override { return FALSE; }
    BOOL OnSetCaretPos(int, int) override { return FALSE; }
    BOOL UpdateWindow() override { return FALSE; }
    void UpdateTooltip() override {}
    void FrameToHost(RECT&) const override {}
    SAKU::IAcceleratorMgr* GetAcceleratorMgr() override { return nullptr; }
    BOOL RegisterTimelineHandler(SAKU::ITimelineHandler*) override { return FALSE; }
    BOOL UnregisterTimelineHandler(SAKU::ITimelineHandler*) override { return FALSE; }
    void RegisterTrackMouseEvent(SAKU::SWND) override {}
    void UnregisterTrackMouseEvent(SAKU::SWND) override {}
    SAKU::SMessageLoop* GetMsgLoop() override { return nullptr; }
    void SetWndTreeZorderDirty() override { m_zOrderDirty = true; }
    void BuildWndTreeZorder() override
    {
        if (!m_zOrderDirty || !m_root)
            return;
        UINT next = 0;
        Number(m_root, next);
        m_zOrderDirty = false;
    }
    SAKU::IScriptModule* GetScriptModule() override { return nullptr; }
    int GetScale() const override { return 100; }
    LRESULT DoFrameEvent(UINT, WPARAM, LPARAM) override { return 0; }

private:
    static void Number(SAKU::SWindow* window, UINT& next)
    {
        window->SetZOrder(next++);
        for (SAKU::SWindow* child = window->GetWindow(SAKU::GSW_FIRSTCHILD); child;
             child = child->GetWindow(SAKU::GSW_NEXTSIBLING))
            Number(child, next);
    }

    SAKU::IRenderTarget* m_host;
    tivala::test::TestWindow m_hostWindow;
    SAKU::SWindow* m_root = nullptr;
    SAKU::SWND m_focus = 0;
    bool m_zOrderDirty = true;
};

}  // namespace saku_test
