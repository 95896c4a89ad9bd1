#include "TestHost.h"

#include "core/SApplication.h"
#include "core/SWindowMgr.h"
#include "render/IRenderFactory.h"

#include <gtest/gtest.h>

namespace saku_test {

const wchar_t* MessageName(UINT message)
{
    static const struct {
        UINT message;
        const wchar_t* name;
    } kNames[] = {
        {WM_SETFOCUS, L"setfocus"},         {WM_KILLFOCUS, L"killfocus"},
        {WM_KEYDOWN, L"keydown"},           {WM_CHAR, L"char"},
        {WM_SYSCHAR, L"syschar"},           {WM_MOUSEMOVE, L"move"},
        {WM_LBUTTONDOWN, L"lbuttondown"},   {WM_LBUTTONUP, L"lbuttonup"},
        {WM_MOUSEWHEEL, L"wheel"},          {WM_NCMOUSEMOVE, L"ncmove"},
        {WM_NCLBUTTONDOWN, L"nclbuttondown"}, {WM_MOUSEHOVER, L"hover"},
        {WM_MOUSELEAVE, L"leave"},          {WM_NCMOUSEHOVER, L"nchover"},
        {WM_NCMOUSELEAVE, L"ncleave"},      {WM_ACTIVATEAPP, L"activateapp"},
    };
    for (const auto& entry : kNames) {
        if (entry.message == message)
            return entry.name;
    }
    return nullptr;
}

namespace {

SAKU::SAutoRef<SAKU::IRenderTarget> NewCanvas(int width, int height)
{
    SAKU::SAutoRef<SAKU::IRenderTarget> canvas;
    SAKU::IRenderFactory* const factory = SAKU::SApplication::GetInstance()->GetRenderFactory();
    EXPECT_TRUE(factory->CreateRenderTarget(canvas.Put(), width, height));
    return canvas;
}

}  // namespace

TestHost::TestHost(int width, int height) : WindowlessHost(NewCanvas(width, height).Get(), Targets::kCopies)
{
    RECT rect = {0, 0, width, height};
    OnRelayout(rect);
}

LPARAM STestWnd::LastLParam(UINT message) const
{
    for (auto it = m_received.rbegin(); it != m_received.rend(); ++it) {
        if (it->first == message)
            return it->second;
    }
    return -1;
}

SAKU::SWindow* STestWnd::GetSelectedSiblingInGroup()
{
    if (!m_grouped)
        return nullptr;
    SAKU::SWindow* const parent = GetParent();
    for (SAKU::SWindow* sibling = parent->GetWindow(SAKU::GSW_FIRSTCHILD); sibling;
         sibling = sibling->GetWindow(SAKU::GSW_NEXTSIBLING)) {
        if (sibling->IsSiblingsAutoGrouped() && sibling->IsChecked())
            return sibling;
    }
    return nullptr;
}

BOOL STestWnd::ProcessSwndMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (const wchar_t* const name = MessageName(message)) {
        m_received.emplace_back(message, lParam);
        if (m_log)
            m_log->push_back(m_label + L":" + name);
    }
    return SWindow::ProcessSwndMessage(message, wParam, lParam, result);
}

STestWnd* AddTestWnd(SAKU::SWindow* parent, const wchar_t* name, RECT rect, MessageLog* log, bool focusable)
{
    auto* const window = new STestWnd(name, log);   // the parent adopts the first reference
    parent->InsertChild(window);
    if (focusable)
        window->ApplyAttribute(L"focusable", L"1", FALSE);
    window->Move(&rect);
    return window;
}

HeldKeys::HeldKeys(std::initializer_list<int> keys)
{
    ::GetKeyboardState(m_saved);
    BYTE state[256] = {};
    for (const int key : keys)
        state[key] = 0x80;
    ::SetKeyboardState(state);
}

HeldKeys::~HeldKeys()
{
    ::SetKeyboardState(m_saved);
}

}  // namespace saku_test
