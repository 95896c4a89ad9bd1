#include "report/DataDelivery.h"

#include "http/HttpPostJson.h"
#include "sysutil/HandOver.h"
#include "Win32Handles.h"

#include <atomic>
#include <limits>
#include <utility>

namespace tivala {

namespace {

constexpr wchar_t kWindowClass[] = L"DataDeliveryMsgWndClass";
constexpr wchar_t kInstallReportPath[] = L"/collect/install";
constexpr wchar_t kChannelReportPath[] = L"/channel/save";
// How long the reporter's end waits for its worker: a report in flight may hold it
// up to its own time limits, which the process does not wait for.
constexpr DWORD kWorkerEndMs = 2000;

// A time limit that several waits share.
class Deadline {
public:
    explicit Deadline(DWORD ms) : m_end(::GetTickCount64() + ms) {}
    DWORD Remaining() const
    {
        const ULONGLONG now = ::GetTickCount64();
        return now >= m_end ? 0 : static_cast<DWORD>(m_end - now);
    }

private:
    const ULONGLONG m_end;
};

void SendReport(std::unique_ptr<ReportRecord> record) noexcept
{
    if (!record)
        return;
    try {
        HttpPostJson post(std::move(record->url), std::move(record->body), 0, std::wstring());
        (void)post.Post();   // a report that did not arrive is dropped
    } catch (...) {
        // Out of memory for a copy: the report is dropped like a failed one.
    }
}

}  // namespace

struct DataDelivery::Shared {
    std::atomic<long> inFlight{0};   // handed to the worker and not yet sent (or dropped)
    UniqueHandle running;            // manual reset: the worker's message queue exists
    UniqueHandle sent;               // auto reset: the worker has finished one report

    void Finished()
    {
        inFlight.fetch_sub(1);
        ::SetEvent(sent.Get());
    }
};

struct DataDelivery::WorkerStart {
    HWND window = nullptr;
    std::shared_ptr<Shared> shared;
};

DataDelivery& DataDelivery::GetInstance()
{
    static DataDelivery instance;
    return instance;
}

DataDelivery::DataDelivery(std::wstring serverBase) : m_serverBase(std::move(serverBase)) {}

DataDelivery::~DataDelivery()
{
    if (m_window) {
        ::SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);   // its last messages must not reach this object
        ::DestroyWindow(m_window);
    }
    if (!m_worker)
        return;
    // The reporter usually dies as the process ends, and a thread still running
    // its own end then (freeing its records, leaving libcurl and the C runtime)
    // races the process's teardown: under Wine on the emulator that killed the
    // process with a segmentation fault after its work was done. So the worker
    // is told to stop once its queue exists, and its end is awaited.
    const Deadline deadline(kWorkerEndMs);
    if (::WaitForSingleObject(m_shared->running.Get(), deadline.Remaining()) == WAIT_OBJECT_0 &&
        ::PostThreadMessageW(m_workerThreadId, WM_REPORT_QUIT, 0, 0))
        (void)::WaitForSingleObject(m_worker.Get(), deadline.Remaining());   // one still sending then is left behind
}

bool DataDelivery::Start()
{
    if (m_window)
        return false;
    try {
        auto shared = std::make_shared<Shared>();
        shared->running.Reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
        shared->sent.Reset(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
        if (!shared->running || !shared->sent)
            return false;

        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = &MsgWndProc;
        windowClass.lpszClassName = kWindowClass;
        ::RegisterClassW(&windowClass);   // fails harmlessly when an earlier reporter registered it
        const HWND window = ::CreateWindowExW(0, kWindowClass, nullptr, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                              CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, nullptr, this);
        if (!window)
            return false;

        auto start = std::make_unique<WorkerStart>();
        start->window = window;
        start->shared = shared;
        unsigned threadId = 0;
        UniqueHandle worker = StartWaitableThreadWithRecord(&ReportWorker, std::move(start), &threadId);
        if (!worker) {
            ::DestroyWindow(window);
            return false;
        }
        m_window = window;
        m_worker = std::move(worker);
        m_workerThreadId = threadId;
        m_shared = std::move(shared);
        return true;
    } catch (...) {
        return false;
    }
}

bool DataDelivery::ReportInstall(const std::string& body)
{
    return Queue(kInstallReportPath, body);
}

bool DataDelivery::ReportChannel(const std::string& body)
{
    return Queue(kChannelReportPath, body);
}

bool DataDelivery::Queue(const wchar_t* path, const std::string& body)
{
    m_queue.push_back(ReportRecord{m_serverBase + path, body});
    (void)FlushReports();   // before the worker is ready the report simply waits
    return true;
}

bool DataDelivery::FlushReports()
{
    if (!m_ready || m_queue.empty())
        return false;
    bool allHandedOver = true;
    while (!m_queue.empty()) {
        auto record = std::make_unique<ReportRecord>(std::move(m_queue.front()));
        m_queue.pop_front();
        if (!HandOver(std::move(record)))
            allHandedOver = false;
    }
    return allHandedOver;
}

bool DataDelivery::HandOver(std::unique_ptr<ReportRecord> record)
{
    m_shared->inFlight.fetch_add(1);
    if (!PostThreadRecord(m_workerThreadId, WM_REPORT_POST, std::move(record))) {
        // The worker is gone or its queue is full: the report is dropped.
        m_shared->inFlight.fetch_sub(1);
        return false;
    }
    return true;
}

bool DataDelivery::FlushReportsWithin(DWORD timeoutMs)
{
    if (!m_shared)
        return m_queue.empty();   // never started: nothing can be sent
    const Deadline deadline(timeoutMs);
    if (!m_ready) {
        // The ready message may sit undispatched behind a message loop that has
        // already ended; the worker's own signal says the same.
        if (::WaitForSingleObject(m_shared->running.Get(), deadline.Remaining()) != WAIT_OBJECT_0)
            return false;
        m_ready = true;
    }
    const bool handedOver = m_queue.empty() || FlushReports();
    while (m_shared->inFlight.load() > 0) {
        const DWORD wait = deadline.Remaining();
        if (wait == 0)
            return false;
        ::WaitForSingleObject(m_shared->sent.Get(), wait);   // a stale signal only makes the count be read again
    }
    return handedOver;
}

LRESULT CALLBACK DataDelivery::MsgWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    } else if (message == WM_REPORT_READY) {
        if (auto* self = reinterpret_cast<DataDelivery*>(::GetWindowLongPtrW(window, GWLP_USERDATA))) {
            self->m_ready = true;
            try {
                (void)self->FlushReports();
            } catch (...) {
                // Out of memory for a record: the rest waits for the next report's flush.
            }
        }
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

unsigned __stdcall DataDelivery::ReportWorker(void* argument) noexcept
{
    const auto start = TakeRecord<WorkerStart>(argument);
    if (!start)
        return 0;
    Shared& shared = *start->shared;   // `start` holds a reference until the thread returns

    MSG message = {};
    ::PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);   // makes the thread's message queue
    ::SetEvent(shared.running.Get());
    ::PostMessageW(start->window, WM_REPORT_READY, 0, 0);

    for (;;) {
        const BOOL got = ::GetMessageW(&message, nullptr, WM_USER, std::numeric_limits<UINT>::max());
        if (got == 0 || got == -1)   // WM_QUIT, or a queue that cannot be read
            break;
        if (message.message == WM_REPORT_QUIT)
            break;
        if (message.message == WM_REPORT_POST) {
            SendReport(TakeRecord<ReportRecord>(message.wParam));
            shared.Finished();
        }
    }
    // Reports that reached the queue after the decision to stop are freed, not
    // left behind in a queue that nobody reads.
    while (::PeekMessageW(&message, nullptr, WM_REPORT_POST, WM_REPORT_POST, PM_REMOVE)) {
        TakeRecord<ReportRecord>(message.wParam).reset();
        shared.Finished();
    }
    return 0;
}

}  // namespace tivala
