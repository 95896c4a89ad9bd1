// Unpacks one archive as the install thread does: ExtractArchiveFile on a worker
// thread with a Tivala7z sink posting to a window that the main thread pumps and
// that deletes every record. Prints the time from the call to its return.
//
//   bench_unpack ARCHIVE DESTINATION

#include "extract/ExtractArchive.h"
#include "extract/Tivala7z.h"
#include "service/InstallMessages.h"
#include "sysutil/HandOver.h"

#include <windows.h>
#include <shellapi.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

namespace {

constexpr UINT WM_BENCH_FINISHED = WM_APP + 1;
constexpr wchar_t kClassName[] = L"TivalaBenchUnpack";

struct Counts {
    unsigned files = 0;
    unsigned percents = 0;
    unsigned lastPercent = 0;
};
Counts g_counts;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case tivala::WM_SVC_UNPACK_FILE: {
        const auto name = tivala::TakeRecord<std::wstring>(wParam);
        ++g_counts.files;
        return 0;
    }
    case tivala::WM_SVC_UNPACK_PERCENT: {
        const auto label = tivala::TakeRecord<std::wstring>(lParam);
        ++g_counts.percents;
        g_counts.lastPercent = static_cast<unsigned>(wParam);
        return 0;
    }
    default:
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int main()
{
    int argc = 0;
    wchar_t** const argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (!argv || argc != 3) {
        std::fprintf(stderr, "usage: bench_unpack ARCHIVE DESTINATION\n");
        return 2;
    }
    const std::wstring archive = argv[1];
    const std::wstring destination = argv[2];
    ::LocalFree(argv);

    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClassName;
    ::RegisterClassW(&windowClass);
    const HWND window = ::CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                          windowClass.hInstance, nullptr);
    if (!window) {
        std::fprintf(stderr, "bench_unpack: no window\n");
        return 2;
    }

    bool unpacked = false;
    double seconds = 0;
    std::thread worker([&] {
        tivala::Tivala7z sink(window, tivala::WM_SVC_UNPACK_FILE, tivala::WM_SVC_UNPACK_PERCENT, L"Bench");
        const auto start = std::chrono::steady_clock::now();
        unpacked = tivala::ExtractArchiveFile(sink, archive, destination);
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        ::PostMessageW(window, WM_BENCH_FINISHED, 0, 0);
    });
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0 && message.message != WM_BENCH_FINISHED)
        ::DispatchMessageW(&message);
    worker.join();
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageW(&message);
    ::DestroyWindow(window);

    // On a line of its own after the extraction's trace lines.
    std::fflush(stdout);
    std::printf("\nbench_unpack: %s in %.3f s; %u file messages, %u percent messages, last %u%%\n",
                 unpacked ? "unpacked" : "FAILED", seconds, g_counts.files, g_counts.percents, g_counts.lastPercent);
    return unpacked ? 0 : 1;
}
