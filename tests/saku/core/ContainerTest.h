#pragma once

// A test host of 200 x 200 under a running application, with a shared message log.

#include "SakuAppTest.h"
#include "TestHost.h"

#include "core/SWindowMgr.h"

#include <memory>

namespace saku_test {

class ContainerTest : public SakuAppTest {
protected:
    void SetUp() override
    {
        SakuAppTest::SetUp();
        if (!SAKU::SWindowMgr::GetInstance())
            m_windowMgr = std::make_unique<SAKU::SWindowMgr>();
        m_host = SAKU::SAutoRef<TestHost>::Adopt(new TestHost(200, 200));
    }
    void TearDown() override
    {
        if (m_host)
            m_host->DestroyWindow();
        (void)m_host.Detach();   // DestroyWindow released the host's own reference
        m_windowMgr.reset();
        SakuAppTest::TearDown();
    }

    STestWnd* Add(const wchar_t* name, RECT rect, bool focusable = false, SAKU::SWindow* parent = nullptr)
    {
        return AddTestWnd(parent ? parent : m_host.Get(), name, rect, &m_log, focusable);
    }
    // The log since the last call, emptied.
    MessageLog Take()
    {
        MessageLog log;
        log.swap(m_log);
        return log;
    }

    std::unique_ptr<SAKU::SWindowMgr> m_windowMgr;   // when the application makes none
    SAKU::SAutoRef<TestHost> m_host;
    MessageLog m_log;
};

}  // namespace saku_test
