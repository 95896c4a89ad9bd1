// engine-run: one whole installation by the engine, as the wizard drives it, but
// without a window on screen. A hidden window of the main thread receives the
// wizard's messages; each one is printed as a line with its record decoded, and
// the record is deleted. Run under Wine:
//
//   engine-run --data DIR --install DIR --resource DIR [--modules all|default|ID,ID...]
//              [--package FILE] [--retries N] [--report http://HOST:PORT] [--timeout SECONDS]
//
// The manifest's base address comes from "devconfig.ini" in the data directory,
// as in the product. "--modules" selects every module, the manifest's own
// preselection ("default", the default) or the listed ids and the forced ones.
// "--timeout" defaults to 900 seconds. "--package" installs from that local package (a 7z archive)
// instead of the package server. After a failure the installation is started
// again, up to N times, on a fresh copy of the module list, as the wizard's retry
// button does, so that a dropped download resumes. With "--report", the
// completion reports go to that server before the program exits. The packages
// that the engine downloaded into the temporary folder are removed at the end.
//
// Standard output holds only the wizard's messages, one per line, the last one
// "0x507 done" on success; the driver's own notes and the archive wrapper's trace
// lines (which it writes to the C runtime's stdout) go to standard error.
// Exit codes: 0 installed, 1 the manifest or the installation failed (retries
// used up), 2 the time limit passed, 3 bad arguments or nothing could start.

#include "report/CompletionReports.h"
#include "report/DataDelivery.h"
#include "report/ReportBodies.h"
#include "service/InstallInitParam.h"
#include "service/InstallMessages.h"
#include "service/InstallService.h"
#include "service/ProgressRecords.h"
#include "sysutil/HandOver.h"
#include "sysutil/SysUtilFile.h"
#include "sysutil/SysUtilPath.h"
#include "sysutil/SysUtilText.h"

#include <io.h>
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

using namespace tivala;

namespace {

constexpr wchar_t kWindowClass[] = L"EngineRunWizardWindow";
constexpr DWORD kReportFlushMs = 4000;
constexpr DWORD kWorkerEndMs = 5000;

enum ExitCode : int { kInstalled = 0, kFailed = 1, kTimedOut = 2, kBadStart = 3 };

struct Options {
    std::wstring dataDir;
    std::wstring installDir;
    std::wstring resourceDir;
    std::wstring modules = L"default";   // "all", "default" (the manifest's preselection) or ids
    std::wstring packageFile;
    int retries = 0;
    std::wstring reportServer;
    unsigned timeoutSeconds = 900;
};

FILE* g_wizardOut = stdout;   // where the wizard's lines go

// Seconds since the first call, for the timings that the benchmark reads.
double Seconds()
{
    static const auto frequency = [] {
        LARGE_INTEGER value = {};
        ::QueryPerformanceFrequency(&value);
        return static_cast<double>(value.QuadPart);
    }();
    static const LONGLONG start = [] {
        LARGE_INTEGER value = {};
        ::QueryPerformanceCounter(&value);
        return value.QuadPart;
    }();
    LARGE_INTEGER now = {};
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart - start) / frequency;
}

void Note(const std::string& text)
{
    std::fprintf(stderr, "engine-run: %s\n", text.c_str());
    std::fflush(stderr);
}

std::string Narrow(const std::wstring& text)
{
    return SysUtil::WideToUtf8(text);
}

std::optional<Options> ParseOptions()
{
    int count = 0;
    const std::unique_ptr<LPWSTR, decltype(&::LocalFree)> argv(::CommandLineToArgvW(::GetCommandLineW(), &count),
                                                               &::LocalFree);
    if (!argv)
        return std::nullopt;
    Options options;
    for (int i = 1; i < count; ++i) {
        const std::wstring name = argv.get()[i];
        if (i + 1 >= count) {
            Note("option " + Narrow(name) + " needs a value");
            return std::nullopt;
        }
        const std::wstring value = argv.get()[++i];
        if (name == L"--data")
            options.dataDir = SysUtil::RemoveTrailingBackslash(value);
        else if (name == L"--install")
            options.installDir = value;
        else if (name == L"--resource")
            options.resourceDir = value;
        else if (name == L"--modules")
            options.modules = value;
        else if (name == L"--package")
            options.packageFile = value;
        else if (name == L"--retries")
            options.retries = std::max(0, static_cast<int>(std::wcstol(value.c_str(), nullptr, 10)));
        else if (name == L"--report")
            options.reportServer = SysUtil::RemoveTrailingSlash(value);
        else if (name == L"--timeout")
            options.timeoutSeconds = static_cast<unsigned>(std::wcstoul(value.c_str(), nullptr, 10));
        else {
            Note("unknown option " + Narrow(name));
            return std::nullopt;
        }
    }
    if (options.dataDir.empty() || options.installDir.empty() || options.resourceDir.empty()) {
        Note("--data, --install and --resource are required");
        return std::nullopt;
    }
    return options;
}

// The wizard's side of one run: receives the service window's messages, prints
// them, and starts the next step.
class Driver {
public:
    explicit Driver(const Options& options) : m_options(options) {}

    // Whether the run has ended, and how.
    std::optional<int> Result() const { return m_result; }
    // From now on the records are adopted and deleted without a line.
    void Silence() { m_silent = true; }
    // How long each step of the installation took since `start` (Seconds()), as
    // the wizard's messages mark them: the manifest with the package sizes, the
    // downloads, the service's uninstall run, the unpacking and the rest
    // (registration, shortcut, the service's install run).
    std::string Phases(double start) const;

    void OnWizardMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    void PrintLine(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void OnManifest(bool applied);
    void OnFailure();
    void ApplySelection();

    const Options& m_options;
    int m_retriesLeft = m_options.retries;
    bool m_silent = false;
    std::optional<int> m_result;
    double m_manifestAt = 0;
    double m_lastDownloadAt = 0;
    double m_firstFileAt = 0;
    double m_lastUnpackedAt = 0;
    double m_endAt = 0;
};

Driver* g_driver = nullptr;   // the one driver of the main thread, for the window procedure

void Driver::PrintLine(const char* format, ...)
{
    if (m_silent)
        return;
    va_list arguments;
    va_start(arguments, format);
    std::vfprintf(g_wizardOut, format, arguments);
    va_end(arguments);
    std::fputc('\n', g_wizardOut);
}

std::string Driver::Phases(double start) const
{
    char text[200] = {};
    std::snprintf(text, sizeof(text),
                  "manifest %.3f s, downloads %.3f s, service uninstall %.3f s, unpacking %.3f s, registration %.3f s",
                  m_manifestAt - start, m_lastDownloadAt - m_manifestAt, m_firstFileAt - m_lastDownloadAt,
                  m_lastUnpackedAt - m_firstFileAt, m_endAt - m_lastUnpackedAt);
    return text;
}

void Driver::OnWizardMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const double now = Seconds();
    if (message == WM_UI_MANIFEST)
        m_manifestAt = now;
    else if (message == WM_UI_DOWNLOAD_PROGRESS)
        m_lastDownloadAt = now;
    else if (message == WM_UI_UNPACK_FILE && m_firstFileAt == 0)
        m_firstFileAt = now;
    else if (message == WM_UI_MODULE_UNPACKED)
        m_lastUnpackedAt = now;
    switch (message) {
    case WM_UI_MANIFEST:
        PrintLine("0x501 manifest %s", wParam ? "ok" : "failed");
        if (!m_silent)
            OnManifest(wParam == 1);
        break;
    case WM_UI_THEME_MIGRATE: {
        const auto record = TakeRecord<ThemeMigrationProgress>(lParam);
        if (record)
            PrintLine("0x502 theme percent=%d folder=%d/%d from=%s to=%s", record->percent, record->index,
                      record->count, Narrow(record->folder).c_str(), Narrow(record->destination).c_str());
        break;
    }
    case WM_UI_DOWNLOAD_PROGRESS: {
        const auto record = TakeRecord<ProgressInfo>(lParam);
        if (record)
            PrintLine("0x503 download %s percent=%d done=%lld total=%lld name=%s", wParam ? "ok" : "failed",
                      record->percent, static_cast<long long>(record->done), static_cast<long long>(record->total),
                      Narrow(record->name).c_str());
        if (wParam == 0 && !m_silent)
            OnFailure();
        break;
    }
    case WM_UI_MODULE_UNPACKED: {
        const auto record = TakeRecord<UnpackProgress>(lParam);
        if (record)
            PrintLine("0x504 unpacked %s percent=%d modules=%d/%d name=%s", wParam ? "ok" : "failed",
                      record->percent, record->unpacked, record->selected, Narrow(record->name).c_str());
        if (wParam == 0 && !m_silent)
            OnFailure();
        break;
    }
    case WM_UI_UNPACK_FILE: {
        const auto record = TakeRecord<std::wstring>(wParam);
        PrintLine("0x505 file %s", record ? Narrow(*record).c_str() : "");
        break;
    }
    case WM_UI_INSTALL_PROGRESS:
        PrintLine("0x506 install percent=%d", static_cast<int>(wParam));
        break;
    case WM_UI_INSTALL_DONE:
        PrintLine("0x507 done");
        if (!m_silent) {
            m_endAt = Seconds();
            m_result = kInstalled;
        }
        break;
    default:
        break;
    }
}

void Driver::OnManifest(bool applied)
{
    if (!applied) {
        m_result = kFailed;
        return;
    }
    ApplySelection();
    InstallService& service = InstallService::GetInstance();
    service.SetInstallDir(m_options.installDir);
    service.SetResourceDir(m_options.resourceDir);
    if (!service.StartInstall()) {
        Note("the install thread could not be started");
        m_result = kBadStart;
    }
}

void Driver::OnFailure()
{
    if (m_retriesLeft <= 0) {
        m_endAt = Seconds();
        m_result = kFailed;
        return;
    }
    --m_retriesLeft;
    Note("retrying the installation, " + std::to_string(m_retriesLeft) + " retries left after this one");
    if (!InstallService::GetInstance().StartInstall()) {
        Note("the install thread could not be started");
        m_result = kBadStart;
    }
}

// "all" selects every module, a list of ids those modules and the forced ones;
// "default" keeps what the service chose when it applied the manifest.
void Driver::ApplySelection()
{
    InstallService& service = InstallService::GetInstance();
    if (m_options.modules == L"default")
        return;
    const bool all = m_options.modules == L"all";
    std::set<std::wstring> ids;
    for (const std::wstring& id : SysUtil::SplitString(m_options.modules, L","))
        ids.insert(id);
    std::vector<std::pair<std::wstring, bool>> choices;
    for (const ModuleRecord& module : service.modules)
        choices.emplace_back(module.appPath, all || module.forced || module.locked || ids.count(module.id) != 0);
    for (const auto& [appPath, selected] : choices)
        service.SetModuleSelected(appPath, selected);
}

LRESULT CALLBACK WizardWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    if (message >= WM_UI_MANIFEST && message <= WM_UI_INSTALL_DONE && g_driver) {
        try {
            g_driver->OnWizardMessage(message, wParam, lParam);
        } catch (...) {
            Note("out of memory while handling a message");
        }
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

// The hidden window that stands in for the wizard's main window.
class WizardWindow {
public:
    WizardWindow()
    {
        WNDCLASSEXW windowClass = {};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = WizardWndProc;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kWindowClass;
        if (!::RegisterClassExW(&windowClass))
            return;
        m_window = ::CreateWindowExW(0, kWindowClass, L"engine-run", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr,
                                     ::GetModuleHandleW(nullptr), nullptr);
    }
    ~WizardWindow()
    {
        if (m_window)
            ::DestroyWindow(m_window);
    }
    WizardWindow(const WizardWindow&) = delete;
    WizardWindow& operator=(const WizardWindow&) = delete;

    HWND Handle() const { return m_window; }

private:
    HWND m_window = nullptr;
};

void DispatchWaiting()
{
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

// Runs the main thread's messages until the driver has a result or the time is up.
int PumpUntilEnd(const Driver& driver, unsigned timeoutSeconds)
{
    const ULONGLONG deadline = ::GetTickCount64() + static_cast<ULONGLONG>(timeoutSeconds) * 1000;
    for (;;) {
        DispatchWaiting();
        if (driver.Result())
            return *driver.Result();
        const ULONGLONG now = ::GetTickCount64();
        if (now >= deadline)
            return kTimedOut;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
    }
}

// The completion reports of the wizard's last page, sent before the program ends.
void SendCompletionReports(DataDelivery& reporter)
{
    QueueCompletionReports(reporter, InstallService::GetInstance());
    if (!reporter.FlushReportsWithin(kReportFlushMs))
        Note("some reports were not sent in time");
}

// The packages that the engine downloaded into the temporary folder, with any
// partial file beside them. Another run names new files, so nothing would resume
// from them.
void RemovePackageFiles()
{
    for (const ModuleRecord& module : InstallService::GetInstance().modules) {
        if (module.packagePath.empty())
            continue;
        ::DeleteFileW(module.packagePath.c_str());
        ::DeleteFileW((module.packagePath + L".temp").c_str());
    }
}

int Run(const Options& options)
{
    std::vector<uint8_t> package;
    if (!options.packageFile.empty()) {
        package = SysUtil::ReadFileBytes(options.packageFile);
        if (package.empty()) {
            Note("cannot read the package " + Narrow(options.packageFile));
            return kBadStart;
        }
    }
    (void)ReadMachineId();
    std::optional<DataDelivery> reporter;
    if (!options.reportServer.empty()) {
        reporter.emplace(options.reportServer);
        if (!reporter->Start())
            Note("the reporter could not be started; no reports");
    }

    WizardWindow wizard;
    if (!wizard.Handle()) {
        Note("the receiving window could not be created");
        return kBadStart;
    }
    Driver driver(options);
    g_driver = &driver;
    InstallService& service = InstallService::GetInstance();
    InstallInitParam param;
    param.dialog = wizard.Handle();
    param.installType = package.empty() ? 0 : 1;
    param.dataDir = options.dataDir;
    param.package = package.empty() ? nullptr : package.data();
    param.packageSize = static_cast<uint32_t>(package.size());
    service.Init(param);

    int result = kBadStart;
    const double start = Seconds();
    if (!service.StartManifest())
        Note("the manifest thread could not be started");
    else
        result = PumpUntilEnd(driver, options.timeoutSeconds);
    std::fflush(g_wizardOut);
    // The benchmark reads these: the installation's own time, without Wine's start-up.
    char seconds[64] = {};
    std::snprintf(seconds, sizeof(seconds), "%.3f", Seconds() - start);
    Note(std::string(result == kInstalled ? "installed" : "ended") + " in " + seconds + " s");
    if (result == kInstalled)
        Note("phases: " + driver.Phases(start));

    if (result == kInstalled && reporter) {
        const double reportsStart = Seconds();
        SendCompletionReports(*reporter);
        std::snprintf(seconds, sizeof(seconds), "%.3f", Seconds() - reportsStart);
        Note(std::string("reports sent in ") + seconds + " s");
    }
    if (package.empty())
        RemovePackageFiles();
    if (result == kTimedOut)
        Note("the time limit passed");

    // What is still queued for the wizard is adopted and deleted; whatever an
    // unfinished worker posts later finds no window and is deleted by its sender.
    driver.Silence();
    DispatchWaiting();
    service.dialogWindow = nullptr;
    DispatchWaiting();
    g_driver = nullptr;
    // The engine's threads have posted their last message but may still be
    // returning; one still ending when the process ends races its teardown,
    // which the emulator answered with a segmentation fault. The reporter's
    // worker is awaited by the reporter's end.
    if (!service.WaitForWorkers(kWorkerEndMs))
        Note("a worker of the engine was still running at the end");
    std::fflush(g_wizardOut);
    return result;
}

}  // namespace

// The wizard's lines keep the real standard output; the C runtime's stdout, which
// the archive wrapper traces to, becomes a second standard error.
void SeparateWizardOutput()
{
    const int wizard = ::_dup(1);
    FILE* stream = wizard >= 0 ? ::_fdopen(wizard, "w") : nullptr;
    if (!stream || ::_dup2(2, 1) != 0)
        return;
    g_wizardOut = stream;
    // Progress lines come by the thousand; they reach the pipe in blocks.
    static char buffer[1 << 16];
    std::setvbuf(g_wizardOut, buffer, _IOFBF, sizeof(buffer));
}

int main()
{
    (void)Seconds();   // the clock starts with the program
    SeparateWizardOutput();
    const std::optional<Options> options = ParseOptions();
    if (!options)
        return kBadStart;
    const int result = Run(*options);
    // Worker threads still running (after the time limit) are not waited for.
    std::fflush(g_wizardOut);
    std::fflush(stderr);
    ::ExitProcess(static_cast<UINT>(result));
}
