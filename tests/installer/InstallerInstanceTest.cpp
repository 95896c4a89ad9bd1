#include "InstallerPath.h"

#include "HostCommand.h"
#include "ScratchDir.h"
#include "Win32Handles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cwctype>
#include <functional>
#include <string>

using tivala::test::HostCommand;
using tivala::test::ScratchDir;
using installer_test::InstallerPath;

namespace {

// A started installer; one still running when the test ends is ended then.
class Installer {
public:
    explicit Installer(const std::wstring& folder)
    {
        std::wstring commandLine = L"\"" + InstallerPath() + L"\"";
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION info = {};
        if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                              &info))
            return;
        m_process.Reset(info.hProcess);
        ::CloseHandle(info.hThread);
        m_id = info.dwProcessId;
    }
    ~Installer()
    {
        if (m_process && !HasEnded(0)) {
            ::TerminateProcess(m_process.Get(), 99);
            ::WaitForSingleObject(m_process.Get(), 10000);
        }
    }
    Installer(const Installer&) = delete;
    Installer& operator=(const Installer&) = delete;

    explicit operator bool() const { return static_cast<bool>(m_process); }
    bool HasEnded(DWORD waitMs) const { return ::WaitForSingleObject(m_process.Get(), waitMs) == WAIT_OBJECT_0; }
    DWORD ExitCode() const
    {
        DWORD code = STILL_ACTIVE;
        ::GetExitCodeProcess(m_process.Get(), &code);
        return code;
    }
    // The process's visible top-level window with the title; null after `timeoutMs`.
    HWND WaitForWindow(const wchar_t* title, DWORD timeoutMs) const
    {
        const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
        do {
            for (HWND window = ::FindWindowW(nullptr, title); window;
                 window = ::FindWindowExW(nullptr, window, nullptr, title)) {
                DWORD owner = 0;
                ::GetWindowThreadProcessId(window, &owner);
                if (owner == m_id && ::IsWindowVisible(window))
                    return window;
            }
            if (HasEnded(0))
                return nullptr;
            ::Sleep(100);
        } while (::GetTickCount64() < deadline);
        return nullptr;
    }

private:
    UniqueHandle m_process;
    DWORD m_id = 0;
};

bool EndsWithNoCase(const std::wstring& text, const std::wstring& tail)
{
    if (text.size() < tail.size())
        return false;
    for (size_t i = 0; i < tail.size(); ++i) {
        if (std::towlower(text[text.size() - tail.size() + i]) != std::towlower(tail[i]))
            return false;
    }
    return true;
}

std::wstring FileNameOf(HANDLE file)
{
    wchar_t name[MAX_PATH * 2] = {};
    const DWORD length = file ? ::GetFinalPathNameByHandleW(file, name, MAX_PATH * 2, 0) : 0;
    return length > 0 && length < MAX_PATH * 2 ? std::wstring(name, length) : std::wstring();
}

// What a started installer had done when it loaded the imaging library that
// decodes its images (GDI+ brings it in for the first image it decodes): whether
// the module was seen at all and whether the instance's mutex existed then. The
// installer runs as this test's debuggee, so it stands still at the load while
// the test looks; it is ended afterwards.
struct FirstDecode {
    bool seen = false;
    bool mutexExisted = false;
};

FirstDecode WatchFirstDecode(const std::wstring& folder)
{
    FirstDecode result;
    std::wstring commandLine = L"\"" + InstallerPath() + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, DEBUG_ONLY_THIS_PROCESS, nullptr,
                          folder.c_str(), &startup, &info))
        return result;
    const UniqueHandle process(info.hProcess);
    const UniqueHandle thread(info.hThread);
    const ULONGLONG deadline = ::GetTickCount64() + 120000;
    bool ending = false;
    for (;;) {
        DEBUG_EVENT event = {};
        if (!::WaitForDebugEvent(&event, 1000)) {
            if (!ending && ::GetTickCount64() > deadline) {
                ::TerminateProcess(process.Get(), 99);
                ending = true;
            }
            continue;
        }
        DWORD status = DBG_CONTINUE;
        switch (event.dwDebugEventCode) {
        case CREATE_PROCESS_DEBUG_EVENT:
            if (event.u.CreateProcessInfo.hFile)
                ::CloseHandle(event.u.CreateProcessInfo.hFile);
            break;
        case LOAD_DLL_DEBUG_EVENT:
            if (!ending && EndsWithNoCase(FileNameOf(event.u.LoadDll.hFile), L"windowscodecs.dll")) {
                const UniqueHandle mutex(::OpenMutexW(SYNCHRONIZE, FALSE, L"tivalainstaller2.0"));
                result.seen = true;
                result.mutexExisted = static_cast<bool>(mutex);
                ::TerminateProcess(process.Get(), 99);
                ending = true;
            }
            if (event.u.LoadDll.hFile)
                ::CloseHandle(event.u.LoadDll.hFile);
            break;
        case EXCEPTION_DEBUG_EVENT:
            // The loader's breakpoint is the debugger's; any other exception is the program's own.
            if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT)
                status = DBG_EXCEPTION_NOT_HANDLED;
            break;
        default:
            break;
        }
        const bool exited = event.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT;
        ::ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
        if (exited)
            return result;
    }
}

}  // namespace

// The instance is settled before the start-up's costly part: when the installer
// starts decoding its first image, its mutex is already there, so a second
// installer started at any moment from then on is refused without waiting for
// the first one's images.
TEST(InstallerInstanceTest, TheMutexIsTakenBeforeTheFirstImageIsDecoded)
{
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(InstallerPath().c_str()));
    const ScratchDir elsewhere;
    const FirstDecode first = WatchFirstDecode(elsewhere.Path());
    ASSERT_TRUE(first.seen);
    EXPECT_TRUE(first.mutexExisted);
}

// While one installer runs, a second one shows the installer's own box ("the
// installer has already started") and ends with 0 when it is closed, leaving the
// first one running.
TEST(InstallerInstanceTest, SecondInstanceShowsTheNoticeAndEndsWhileTheFirstRuns)
{
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(InstallerPath().c_str()));
    const ScratchDir elsewhere;   // started from another folder than its own

    Installer first(elsewhere.Path());
    ASSERT_TRUE(first);
    const HWND wizard = first.WaitForWindow(L"Tivala安装", 60000);
    ASSERT_TRUE(wizard);

    Installer second(elsewhere.Path());
    ASSERT_TRUE(second);
    const HWND notice = second.WaitForWindow(L"mesagebox", 60000);
    ASSERT_TRUE(notice);
    RECT client = {};
    ::GetClientRect(notice, &client);
    EXPECT_EQ(320, client.right);
    EXPECT_EQ(150, client.bottom);
    EXPECT_FALSE(second.HasEnded(500));   // it waits for the notice to be closed

    // "OK", the box's one button, with the display server's mouse.
    POINT ok = {105 + 55, 90 + 2 + 15};
    ::ClientToScreen(notice, &ok);
    const auto clicked = HostCommand::Run(
        "xdotool mousemove " + std::to_string(ok.x) + " " + std::to_string(ok.y) + " sleep 1 click 1", elsewhere.UnixPath());
    EXPECT_TRUE(clicked && *clicked == 0);
    ASSERT_TRUE(second.HasEnded(60000));
    EXPECT_EQ(0u, second.ExitCode());

    EXPECT_FALSE(first.HasEnded(0));
    EXPECT_TRUE(::IsWindowVisible(wizard));
    // Closing the wizard before the installation asks first; the test ends it.
}
