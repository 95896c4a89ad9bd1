// Starts the installer (beside this program's build folder, in installer\) RUNS
// times, one at a time, and after each the trivial window program beside this
// one (bench_trivial_window.exe), the yardstick of the same run; for each start
// it takes:
// - the time from just before CreateProcess to the first frame of its window on
//   screen: the screen pixel at the centre of the window stops being the empty
//   display's black once the window has put its first frame there (and, for
//   where the time goes, to the window's becoming visible);
// - the program's peak working set six seconds later, when the splash has played
//   every frame of its strip once (115 frames of 30 ms), so that a strip decoded
//   as it plays is counted whole.
// Then it ends the program through its process: the wizard's own close asks the
// quit question, which nobody here would answer. Prints the median and worst of
// each, and the installer's first frame as a multiple of the yardstick's.

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
constexpr wchar_t kTrivialTitle[] = L"bench trivial window";
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

std::wstring OwnFolder()
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring file(path);
    return file.substr(0, file.rfind(L'\\') + 1);   // with its backslash
}

std::wstring InstallerPath()
{
    std::wstring folder = OwnFolder();
    folder = folder.substr(0, folder.rfind(L'\\', folder.size() - 2));   // the bench folder
    return folder.substr(0, folder.rfind(L'\\') + 1) + L"installer\\installer.exe";
}

HWND VisibleWindowOf(DWORD processId, const wchar_t* title)
{
    for (HWND window = ::FindWindowW(nullptr, title); window; window = ::FindWindowExW(nullptr, window, nullptr, title)) {
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
    double workingSetMb = -1;    // at the same moment: what stays once the start-up's transients are gone
};

Run StartOnce(const std::wstring& program, const wchar_t* title)
{
    Run run;
    std::wstring commandLine = L"\"" + program + L"\"";
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
            window = VisibleWindowOf(info.dwProcessId, title);
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
        ::Sleep(6000);
        PROCESS_MEMORY_COUNTERS counters = {};
        counters.cb = sizeof(counters);
        if (::GetProcessMemoryInfo(process.Get(), &counters, sizeof(counters))) {
            run.peakWorkingSetMb = double(counters.PeakWorkingSetSize) / (1024 * 1024);
            run.workingSetMb = double(counters.WorkingSetSize) / (1024 * 1024);
        }
    }
    ::TerminateProcess(process.Get(), 1);
    ::WaitForSingleObject(process.Get(), 10000);
    return run;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Print(const char* name, std::vector<double> values, const char* unit)
{
    std::sort(values.begin(), values.end());
    std::printf("bench_startup: %-40s median %9.1f %s  worst %9.1f %s  (%zu runs)\n", name, values[values.size() / 2],
                unit, values.back(), unit, values.size());
}

// The figures of one program over the runs.
struct Series {
    std::vector<double> windows;
    std::vector<double> frames;
    std::vector<double> peakWorkingSets;
    std::vector<double> workingSets;

    void Add(const Run& run)
    {
        windows.push_back(run.windowShownMs);
        frames.push_back(run.firstFrameMs);
        if (run.peakWorkingSetMb >= 0) {
            peakWorkingSets.push_back(run.peakWorkingSetMb);
            workingSets.push_back(run.workingSetMb);
        }
    }
    void PrintAs(const char* who) const
    {
        const std::string prefix(who);
        Print((prefix + " start to window shown").c_str(), windows, "ms");
        Print((prefix + " start to first frame").c_str(), frames, "ms");
        if (!peakWorkingSets.empty()) {
            Print((prefix + " peak working set").c_str(), peakWorkingSets, "MB");
            Print((prefix + " working set then").c_str(), workingSets, "MB");
        } else
            std::printf("bench_startup: %s peak working set unknown (no process memory counters)\n", who);
    }
};

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const std::wstring installer = InstallerPath();
    const std::wstring trivial = OwnFolder() + L"bench_trivial_window.exe";
    Series installerSeries;
    Series trivialSeries;
    for (int i = 0; i < runs; ++i) {
        const Run run = StartOnce(installer, kWizardTitle);
        const Run yardstick = StartOnce(trivial, kTrivialTitle);
        if (run.firstFrameMs < 0 || yardstick.firstFrameMs < 0) {
            std::printf("bench_startup: run %d showed no frame (%s)\n", i + 1,
                        run.firstFrameMs < 0 ? "installer" : "trivial window");
            return 1;
        }
        installerSeries.Add(run);
        trivialSeries.Add(yardstick);
    }
    installerSeries.PrintAs("installer");
    trivialSeries.PrintAs("trivial window");
    std::printf("bench_startup: first frame ratio %.2f x the trivial window's (medians)\n",
                Median(installerSeries.frames) / Median(trivialSeries.frames));
    return 0;
}
