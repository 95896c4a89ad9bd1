#include "TestHost.h"

#include "core/SApplication.h"
#include "core/SWindowMgr.h"

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

TestHost::TestHost(int width, int height)
{
    SAKU::IRenderFactory* const factory = SAKU::SApplication::GetInstance()->GetRenderFactory();
    EXPECT_TRUE(factory->CreateRenderTarget(m_canvas.Put(), width, height));
    RECT rect = {0, 0, width, height};
    OnRelayout(rect);
}

BOOL TestHost::OnFireEvent(SAKU::EventArgs*)
{
    ++m_events;
    return FALSE;
}

RECT TestHost::GetContainerRect() const
{
    RECT rect = {};
    CopyWindowRect(&rect);
    return rect;
}

// A target of the rectangle's size whose origin is the rectangle's corner, as a
// host gives one for drawing outside painting.
SAKU::IRenderTarget* TestHost::OnGetRenderTarget(const RECT& rect, DWORD)
{
    SAKU::IRenderTarget* target = nullptr;
    const SIZE size = {rect.right - rect.left, rect.bottom - rect.top};
    if (FAILED(m_canvas->CreateCompatibleRenderTarget(size, &target)))
        return nullptr;
    target->OffsetViewportOrg(-rect.left, -rect.top);
    return target;
}

void TestHost::OnReleaseRenderTarget(SAKU::IRenderTarget* target, const RECT& rect, DWORD)
{
    m_canvas->BitBlt(&rect, target, rect.left, rect.top, SRCCOPY);
    target->Release();
}

void TestHost::OnRedraw(const RECT& rect)
{
    ++m_redraws;
    m_lastRedraw = rect;
}

BOOL TestHost::OnCreateCaret(SAKU::SWND, HBITMAP, int, int)
{
    return TRUE;
}

BOOL TestHost::OnShowCaret(BOOL)
{
    return TRUE;
}

BOOL TestHost::OnSetCaretPos(int, int)
{
    return TRUE;
}

LRESULT TestHost::Mouse(UINT message, int x, int y, WPARAM keys)
{
    return DoFrameEvent(message, keys, MAKELPARAM(x, y));
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
