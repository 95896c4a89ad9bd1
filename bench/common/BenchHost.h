#pragma once

// A host without a real window for the benchmarks that paint: the tree's half of
// the container is the library's, and the host's half hands out one memory target
// as the host's surface and notes the areas the tree asks to have repainted. It is
// the tree's root.

#include "core/SwndContainerImpl.h"
#include "render/IRenderTarget.h"

#include <vector>

namespace bench {

class BenchHost : public SAKU::SwndContainerImpl {
public:
    BenchHost(SAKU::IRenderTarget* surface, SIZE size) : m_surface(surface), m_size(size) {}

    std::vector<RECT>& Redraws() { return m_redraws; }

    // ISwndContainer overrides
    BOOL OnFireEvent(SAKU::EventArgs*) override { return FALSE; }
    HWND GetHostHwnd() override { return nullptr; }   // the bench redraws queued windows itself
    LPCWSTR GetTranslatorContext() const override { return L""; }
    BOOL IsTranslucent() const override { return TRUE; }
    BOOL IsSendWheel2Hover() const override { return FALSE; }
    RECT GetContainerRect() const override { return {0, 0, m_size.cx, m_size.cy}; }
    SAKU::IRenderTarget* OnGetRenderTarget(const RECT&, DWORD) override { return m_surface; }
    void OnReleaseRenderTarget(SAKU::IRenderTarget*, const RECT&, DWORD) override {}
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
    SAKU::IRenderTarget* m_surface;
    SIZE m_size;
    std::vector<RECT> m_redraws;
};

}  // namespace bench
