#pragma once

// A host without a real window for a tree of the UI library's windows, shared by
// the library's tests and the benchmarks that paint. The tree's half of the
// container is the library's (SwndContainerImpl) and the host is the tree's root;
// the host's half, made here, draws on a memory canvas instead of a window and
// notes what the tree asks of it. Messages go in through DoFrameEvent as a host
// window would hand them over. Born with one reference, its creator's; made once
// the application is, and used and released on the application's thread.

#include "core/SAutoRef.h"
#include "core/SMessageLoop.h"
#include "core/SwndContainerImpl.h"
#include "render/IRenderTarget.h"

#include <vector>

namespace tivala::test {

class WindowlessHost : public SAKU::SwndContainerImpl {
public:
    // What a window that draws outside painting is given to draw on.
    enum class Targets {
        kCanvas,   // the canvas itself, so that all a benchmark times is the drawing
        kCopies,   // a target of its own, copied onto the canvas at release, as a host window's
    };

    // A host over `canvas` (it keeps a reference); the creator lays the root out.
    WindowlessHost(SAKU::IRenderTarget* canvas, Targets targets);

    SAKU::IRenderTarget* Canvas() const { return m_canvas.Get(); }
    void SetWheelToHover(bool wheelToHover) { m_wheelToHover = wheelToHover; }
    int EventCount() const { return m_events; }
    int RedrawCount() const { return static_cast<int>(m_redraws.size()); }
    RECT LastRedraw() const { return m_redraws.empty() ? RECT{} : m_redraws.back(); }

    // DoFrameEvent of a mouse message at (x, y), with no key held.
    LRESULT Mouse(UINT message, int x, int y, WPARAM keys = 0);

    // ISwndContainer overrides: the host's half
    BOOL OnFireEvent(SAKU::EventArgs* event) override;
    HWND GetHostHwnd() override { return nullptr; }
    LPCWSTR GetTranslatorContext() const override { return L""; }
    BOOL IsTranslucent() const override { return FALSE; }
    BOOL IsSendWheel2Hover() const override { return m_wheelToHover; }
    RECT GetContainerRect() const override { return GetWindowRect(); }
    SAKU::IRenderTarget* OnGetRenderTarget(const RECT& rect, DWORD gdcFlags) override;
    void OnReleaseRenderTarget(SAKU::IRenderTarget* target, const RECT& rect, DWORD gdcFlags) override;
    void OnRedraw(const RECT& rect) override { m_redraws.push_back(rect); }
    BOOL OnCreateCaret(SAKU::SWND, HBITMAP, int, int) override { return TRUE; }
    BOOL OnShowCaret(BOOL) override { return TRUE; }
    BOOL OnSetCaretPos(int, int) override { return TRUE; }
    BOOL UpdateWindow() override { return TRUE; }
    void UpdateTooltip() override {}
    SAKU::SMessageLoop* GetMsgLoop() override { return &m_loop; }
    SAKU::IScriptModule* GetScriptModule() override { return nullptr; }
    int GetScale() const override { return 100; }

    // The areas the tree asked to have repainted, oldest first; whoever reads
    // them may clear them.
    std::vector<RECT> m_redraws;

private:
    SAKU::SAutoRef<SAKU::IRenderTarget> m_canvas;
    Targets m_targets;
    SAKU::SMessageLoop m_loop;
    bool m_wheelToHover = false;
    int m_events = 0;
};

}  // namespace tivala::test
