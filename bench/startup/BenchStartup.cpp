// Starts the installer (beside this program's build folder, in installer\) RUNS
// times, one at a time, and for each run takes:
// - the time from just before CreateProcess to the first frame of the wizard on
//   screen: the screen pixel at the centre of the wizard's window stops being
//   the empty display's black once the window has put its first frame there
//   (and, for where the time goes, to the window's becoming visible);
// - the installer's peak working set a second later, when every skin image has
//   been decoded (the UI definition decodes them all, the splash and completion
//   strips among them, before the window is made).
// Then it closes the wizard and waits for it to end. Prints the median and worst
// of each.

#include "Win32Handles.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kWizardTitle[] = L"Tivala安装";
constexpr DWORD kGiveUpMs = 120000;

double NowMs()
{
    static const double frequency = [] {
        LARGE_INTEGER value;
        ::QueryPerformanceFrequency(&value);
        return double(value.QuadPart) / 1000;
    }();
    LARGE_INTEGER value;
    ::QueryPerformanceCounter(&value);
    return double(value.QuadPart) / frequency;
}

std::wstring InstallerPath()
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring file(path);
    file = file.substr(0, file.rfind(L'\\'));            // bench\startup
    file = file.substr(0, file.rfind(L'\\'));            // bench
    return file.substr(0, file.rfind(L'\\') + 1) + L"installer\\installer.exe";
}

HWND VisibleWindowOf(DWORD processId)
{
    for (HWND window = ::FindWindowW(nullptr, kWizardTitle); window;
         window = ::FindWindowExW(nullptr, window, nullptr, kWizardTitle)) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner == processId && ::IsWindowVisible(window))
            return window;
    }
    return nullptr;
}

struct Run {
    double windowShownMs = -1;   // the wizard's window visible, its frame perhaps not yet drawn
    double firstFrameMs = -1;
    double peakWorkingSetMb = -1;
};

Run StartOnce(const std::wstring& installer)
{
    Run run;
    std::wstring commandLine = L"\"" + installer + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    const double started = NowMs();
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return run;
    const UniqueHandle process(info.hProcess);
    const UniqueHandle thread(info.hThread);

    const HDC screen = ::GetDC(nullptr);
    HWND window = nullptr;
    while (NowMs() - started < kGiveUpMs && ::WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT) {
        if (!window) {
            window = VisibleWindowOf(info.dwProcessId);
            if (window)
                run.windowShownMs = NowMs() - started;
        }
        if (window) {
            RECT rect = {};
            ::GetWindowRect(window, &rect);
            const COLORREF centre = ::GetPixel(screen, (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
            if (centre != CLR_INVALID && centre != RGB(0, 0, 0)) {
                run.firstFrameMs = NowMs() - started;
                break;
            }
        }
        ::Sleep(1);
    }
    ::ReleaseDC(nullptr, screen);

    if (window) {
        ::Sleep(1000);
        PROCESS_MEMORY_COUNTERS counters = {};
        counters.cb = sizeof(counters);
        if (::GetProcessMemoryInfo(process.Get(), &counters, sizeof(counters)))
            run.peakWorkingSetMb = double(counters.PeakWorkingSetSize) / (1024 * 1024);
        ::PostMessageW(window, WM_CLOSE, 0, 0);
    }
    if (::WaitForSingleObject(process.Get(), 30000) != WAIT_OBJECT_0) {
        ::TerminateProcess(process.Get(), 1);
        ::WaitForSingleObject(process.Get(), 10000);
    }
    return run;
}

void Print(const char* name, std::vector<double> values, const char* unit)
{
    std::sort(values.begin(), values.end());
    std::printf("bench_startup: %-34s median %9.1f %s  worst %9.1f %s  (%zu runs)\n", name, values[values.size() / 2],
                unit, values.back(), unit, values.size());
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const std::wstring installer = InstallerPath();
    std::vector<double> windows;
    std::vector<double> frames;
    std::vector<double> workingSets;
    for (int i = 0; i < runs; ++i) {
        const Run run = StartOnce(installer);
        if (run.firstFrameMs < 0) {
            std::printf("bench_startup: run %d showed no frame\n", i + 1);
            return 1;
        }
        windows.push_back(run.windowShownMs);
        frames.push_back(run.firstFrameMs);
        if (run.peakWorkingSetMb >= 0)
            workingSets.push_back(run.peakWorkingSetMb);
    }
    Print("start to window shown", windows, "ms");
    Print("start to first frame", frames, "ms");
    if (!workingSets.empty())
        Print("peak working set", workingSets, "MB");
    else
        std::printf("bench_startup: peak working set unknown (no process memory counters)\n");
    return 0;
}
