// The statistics reporter with its real hidden window and worker thread,
// posting to the test report server.

#include <winsock2.h>   // before anything includes windows.h, which would bring the old winsock

#include "report/DataDelivery.h"
#include "report/ReportBodies.h"
#include "report/ReportPosts.h"
#include "Win32Handles.h"

#include "HostCommand.h"
#include "LoopbackServer.h"
#include "WinePath.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>

using tivala::BuildChannelReport;
using tivala::BuildModuleReport;
using tivala::DataDelivery;
using tivala::test::ChannelReportBody;
using tivala::test::ExpectPosts;
using tivala::test::LoopbackServer;
using tivala::test::ModuleReportBody;
using tivala::test::ReceivedPost;
using tivala::test::ReceivedPosts;

namespace {

size_t PostCount(const LoopbackServer& server)
{
    return ReceivedPosts(server).size();
}

// Runs this thread's message loop, which the reporter's window needs, until
// `done` or the time is up.
template <typename Done>
bool PumpUntil(Done done, DWORD timeoutMs)
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        if (done())
            return true;
        if (::GetTickCount64() >= deadline)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

void PumpFor(DWORD ms)
{
    PumpUntil([] { return false; }, ms);
}

// A port on 127.0.0.1 that takes connections into its backlog and never
// answers: a report server that hangs.
class SilentPort {
public:
    SilentPort()
    {
        WSADATA data;
        m_started = ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
        if (!m_started)
            return;
        m_socket = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address = {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int length = sizeof(address);
        if (m_socket == INVALID_SOCKET || ::bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
            ::listen(m_socket, 4) != 0 || ::getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            return;
        m_port = ntohs(address.sin_port);
    }
    ~SilentPort()
    {
        Close();
        if (m_started)
            ::WSACleanup();
    }
    SilentPort(const SilentPort&) = delete;
    SilentPort& operator=(const SilentPort&) = delete;

    int Port() const { return m_port; }
    // Resets the waiting connection, so the worker's transfer ends.
    void Close()
    {
        if (m_socket != INVALID_SOCKET)
            ::closesocket(m_socket);
        m_socket = INVALID_SOCKET;
    }

private:
    bool m_started = false;
    SOCKET m_socket = INVALID_SOCKET;
    int m_port = 0;
};

}  // namespace

TEST(DataDelivery, ReportsQueuedBeforeTheWorkerIsReadyArriveInOrderAsSent)
{
    LoopbackServer server(L"report_server.py", {});
    ASSERT_TRUE(server.Started());
    ASSERT_TRUE(tivala::ReadMachineId());
    const std::string uid = tivala::GetMachineId();
    ASSERT_FALSE(uid.empty());

    DataDelivery reporter(tivala::test::Wide(server.Url("")));
    ASSERT_TRUE(reporter.Start());
    EXPECT_FALSE(reporter.Start());
    // The worker's ready message has not been dispatched yet: these wait in the queue.
    EXPECT_TRUE(reporter.ReportInstall(BuildModuleReport(1, 0)));
    EXPECT_TRUE(reporter.ReportInstall(BuildModuleReport(0, 12)));
    EXPECT_TRUE(reporter.ReportChannel(BuildChannelReport(L"installerchan", L"2.3.1")));
    ASSERT_TRUE(PumpUntil([&] { return PostCount(server) == 3; }, 20000));

    ExpectPosts(server, {{"/collect/install", ModuleReportBody(1, 0)},
                         {"/collect/install", ModuleReportBody(0, 12)},
                         {"/channel/save", ChannelReportBody("installerchan", uid, "2.3.1")}});
    PumpFor(300);
    EXPECT_EQ(3u, PostCount(server));
}

TEST(DataDelivery, AReportTheServerRefusesIsDroppedNotRepeated)
{
    LoopbackServer server(L"report_server.py", {"--status", "500"});
    ASSERT_TRUE(server.Started());
    DataDelivery reporter(tivala::test::Wide(server.Url("")));
    ASSERT_TRUE(reporter.Start());
    reporter.ReportInstall(BuildModuleReport(0, 3));
    reporter.ReportInstall(BuildModuleReport(0, 4));
    ASSERT_TRUE(PumpUntil([&] { return PostCount(server) == 2; }, 20000));
    ExpectPosts(server, {{"/collect/install", ModuleReportBody(0, 3)}, {"/collect/install", ModuleReportBody(0, 4)}});
    PumpFor(500);
    EXPECT_EQ(2u, PostCount(server));
}

TEST(DataDelivery, AReportThatCannotReachTheWorkerIsDropped)
{
    LoopbackServer server(L"report_server.py", {});
    ASSERT_TRUE(server.Started());
    DataDelivery reporter(tivala::test::Wide(server.Url("")));
    ASSERT_TRUE(reporter.Start());
    ASSERT_TRUE(reporter.FlushReportsWithin(10000));   // the worker runs and the reporter knows it
    const UniqueHandle worker(::OpenThread(SYNCHRONIZE, FALSE, reporter.WorkerThreadId()));
    ASSERT_TRUE(worker);
    ASSERT_TRUE(::PostThreadMessageW(reporter.WorkerThreadId(), tivala::WM_REPORT_QUIT, 0, 0));
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(worker.Get(), 10000));

    EXPECT_TRUE(reporter.ReportInstall(BuildModuleReport(0, 5)));
    EXPECT_FALSE(reporter.FlushReports());   // nothing stays queued for a later try
    // Nothing is counted as on its way, so the bounded flush does not wait for it.
    const ULONGLONG before = ::GetTickCount64();
    EXPECT_TRUE(reporter.FlushReportsWithin(3000));
    EXPECT_LT(::GetTickCount64() - before, 1000u);
    PumpFor(300);
    EXPECT_EQ(0u, PostCount(server));
}

TEST(DataDelivery, TheReportersEndWaitsForItsWorkersEnd)
{
    // A worker still ending when the process ends races its teardown. Here it is
    // held in a report to a server that never answers, until the port closes
    // shortly after the reporter's end has begun.
    SilentPort silent;
    ASSERT_NE(0, silent.Port());
    UniqueHandle worker;
    std::thread closer;
    {
        DataDelivery reporter(L"http://127.0.0.1:" + std::to_wstring(silent.Port()));
        ASSERT_TRUE(reporter.Start());
        worker.Reset(::OpenThread(SYNCHRONIZE, FALSE, reporter.WorkerThreadId()));
        ASSERT_TRUE(worker);
        reporter.ReportInstall(BuildModuleReport(0, 1));
        ASSERT_FALSE(reporter.FlushReportsWithin(300));   // on its way, and held
        closer = std::thread([&silent] {
            ::Sleep(200);
            silent.Close();
        });
    }
    EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), ::WaitForSingleObject(worker.Get(), 0));
    closer.join();
}

TEST(DataDelivery, BoundedFlushSendsTheQueueWithoutTheMessageLoop)
{
    LoopbackServer server(L"report_server.py", {});
    ASSERT_TRUE(server.Started());
    DataDelivery reporter(tivala::test::Wide(server.Url("")));
    ASSERT_TRUE(reporter.Start());
    reporter.ReportInstall(BuildModuleReport(0, 1));
    reporter.ReportInstall(BuildModuleReport(0, 2));
    reporter.ReportChannel(BuildChannelReport(L"", L""));
    // As when the user closes the wizard at once: its loop has ended, and the
    // worker's ready message is never dispatched before the flush.
    ASSERT_TRUE(reporter.FlushReportsWithin(10000));
    const std::vector<ReceivedPost> posts = ReceivedPosts(server);
    ASSERT_EQ(3u, posts.size());
    EXPECT_EQ(ModuleReportBody(0, 2), posts[1].body);
    PumpFor(300);   // the late ready message finds nothing left to send
    EXPECT_EQ(3u, PostCount(server));
}

TEST(DataDelivery, BoundedFlushGivesUpAtItsTimeLimit)
{
    const SilentPort silent;
    ASSERT_NE(0, silent.Port());
    DataDelivery reporter(L"http://127.0.0.1:" + std::to_wstring(silent.Port()));
    ASSERT_TRUE(reporter.Start());
    reporter.ReportInstall(BuildModuleReport(0, 1));
    const ULONGLONG before = ::GetTickCount64();
    EXPECT_FALSE(reporter.FlushReportsWithin(1500));
    const ULONGLONG elapsed = ::GetTickCount64() - before;
    EXPECT_GE(elapsed, 1400u);
    EXPECT_LT(elapsed, 5000u);
}

TEST(DataDelivery, BoundedFlushOfAReporterNeverStartedSendsNothing)
{
    DataDelivery idle(L"http://127.0.0.1:9");
    EXPECT_TRUE(idle.FlushReportsWithin(100));
    idle.ReportInstall(BuildModuleReport(0, 1));
    EXPECT_FALSE(idle.FlushReportsWithin(100));   // queued, and nobody to send it
}
