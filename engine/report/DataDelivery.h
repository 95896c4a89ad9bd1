#pragma once

#include "product/ProductAddresses.h"
#include "report/ReportRecord.h"
#include "Win32Handles.h"

#include <windows.h>

#include <deque>
#include <memory>
#include <string>

namespace tivala {

// The reporter's messages (WM_USER is 0x400).
inline constexpr UINT WM_REPORT_READY = WM_USER + 1;   // worker to the message window: its queue exists
inline constexpr UINT WM_REPORT_POST = WM_USER + 2;    // to the worker thread; wParam a heap ReportRecord it deletes
inline constexpr UINT WM_REPORT_QUIT = WM_USER + 3;    // to the worker thread: leave the loop

// The statistics reporter. Reports are queued on the thread that called Start
// (the UI thread, whose message loop dispatches the hidden window of class
// "DataDeliveryMsgWndClass") and handed, oldest first, to a worker thread of the
// reporter's own, which posts each as JSON and drops it whatever the answer.
// Nobody waits for a report, except the bounded flush before the process ends.
// The process-wide reporter comes from GetInstance and lives until exit; every
// member function belongs to the thread that called Start.
class DataDelivery {
public:
    static DataDelivery& GetInstance();

    // `serverBase` ("http://host[:port]") goes in front of the report paths.
    explicit DataDelivery(std::wstring serverBase = ProductAddresses::kReportServerBase);
    // Destroys the window, tells the worker to stop after the report it is
    // sending and waits a short while for it to end; reports still queued are lost.
    virtual ~DataDelivery();
    DataDelivery(const DataDelivery&) = delete;
    DataDelivery& operator=(const DataDelivery&) = delete;

    // Creates the message window and starts the worker, which announces itself
    // with WM_REPORT_READY. False when already started or either cannot be made.
    [[nodiscard]] bool Start();

    // Queue the body for "/collect/install" or "/channel/save" and flush.
    // Always true: a report is never refused, only perhaps never sent.
    bool ReportInstall(const std::string& body);
    bool ReportChannel(const std::string& body);

    // Hands every queued report to the worker. False when the worker has not
    // announced itself yet (the reports wait), when nothing is queued, or when a
    // report could not be handed over (that report is dropped).
    [[nodiscard]] bool FlushReports();

    // For the end of the process: hands over what is queued, without waiting for
    // the message loop to dispatch the worker's announcement, and waits until
    // the worker has sent every report handed to it or `timeoutMs` has passed.
    // True when nothing is left unsent.
    [[nodiscard]] bool FlushReportsWithin(DWORD timeoutMs);

    DWORD WorkerThreadId() const { return m_workerThreadId; }

private:
    struct Shared;
    struct WorkerStart;

    bool Queue(const wchar_t* path, const std::string& body);
    bool HandOver(std::unique_ptr<ReportRecord> record);

    static LRESULT CALLBACK MsgWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    static unsigned __stdcall ReportWorker(void* argument) noexcept;

    HWND m_window = nullptr;
    UniqueHandle m_worker;   // the worker thread, waited for by the destructor
    DWORD m_workerThreadId = 0;
    bool m_ready = false;
    std::deque<ReportRecord> m_queue;
    const std::wstring m_serverBase;
    // What the worker shares with the reporter; the worker holds it too, so it
    // outlives a reporter destroyed while a report is in flight.
    std::shared_ptr<Shared> m_shared;
};

}  // namespace tivala
