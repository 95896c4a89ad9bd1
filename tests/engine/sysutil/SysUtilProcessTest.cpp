// Finding and ending processes by name with real child processes, the version
// test, and the desktop shell functions as far as Wine has a desktop shell.

#include "sysutil/SysUtilPath.h"
#include "sysutil/SysUtilProcess.h"
#include "sysutil/SysUtilText.h"
#include "Win32Handles.h"

#include "HelperProcess.h"
#include "HostCommand.h"
#include "ScratchDir.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace SysUtil = tivala::SysUtil;
using tivala::test::Child;
using tivala::test::HelperCopy;
using tivala::test::kEndedByKill;
using tivala::test::ScratchDir;

namespace {

bool WaitUntilListed(const std::wstring& name)
{
    for (int i = 0; i < 1000; ++i) {
        if (SysUtil::IsProcessRunning(name))
            return true;
        ::Sleep(10);
    }
    return false;
}

// Ends whatever still runs under the name when the test ends.
struct EndByName {
    std::wstring name;
    ~EndByName() { (void)SysUtil::KillProcess(name); }
};

constexpr DWORD kHelperSurvivedKillOne = 43;
constexpr DWORD kHelperSurvivedKillList = 44;

}  // namespace

TEST(SysUtilProcess, KillProcessEndsAChildFoundByNameInAnyCase)
{
    const HelperCopy helper(L"kill");
    ASSERT_TRUE(helper.Copied());
    const Child child(helper, L"sleep");
    ASSERT_TRUE(child.Started());
    ASSERT_TRUE(WaitUntilListed(helper.Name()));
    const std::wstring upperName = L"TVHELPER-KILL-" + std::to_wstring(::GetCurrentProcessId()) + L".EXE";
    EXPECT_TRUE(SysUtil::IsProcessRunning(upperName));

    EXPECT_TRUE(SysUtil::KillProcess(upperName));
    EXPECT_EQ(kEndedByKill, child.WaitForExit(10000).value_or(1234));
    EXPECT_FALSE(SysUtil::IsProcessRunning(helper.Name()));
}

TEST(SysUtilProcess, KillProcessesEndsEveryProcessOfEveryListedName)
{
    const HelperCopy first(L"first");
    const HelperCopy second(L"second");
    ASSERT_TRUE(first.Copied() && second.Copied());
    const Child a(first, L"sleep");
    const Child b(first, L"sleep");
    const Child c(second, L"sleep");
    ASSERT_TRUE(a.Started() && b.Started() && c.Started());
    ASSERT_TRUE(WaitUntilListed(first.Name()));
    ASSERT_TRUE(WaitUntilListed(second.Name()));

    EXPECT_TRUE(SysUtil::KillProcesses({L"no-such-program.exe", first.Name(), SysUtil::ToLowerAscii(second.Name())}));
    EXPECT_EQ(kEndedByKill, a.WaitForExit(10000).value_or(1234));
    EXPECT_EQ(kEndedByKill, b.WaitForExit(10000).value_or(1234));
    EXPECT_EQ(kEndedByKill, c.WaitForExit(10000).value_or(1234));
}

TEST(SysUtilProcess, CallerOfItsOwnNameIsSparedWhileTheOthersEnd)
{
    const struct { const wchar_t* mode; DWORD survived; } cases[] = {
        {L"kill-one", kHelperSurvivedKillOne},
        {L"kill-list", kHelperSurvivedKillList},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(SysUtil::WideToUtf8(c.mode));
        const HelperCopy helper(c.mode);
        ASSERT_TRUE(helper.Copied());
        const Child sleeper(helper, L"sleep");
        ASSERT_TRUE(sleeper.Started());
        ASSERT_TRUE(WaitUntilListed(helper.Name()));
        // The killer runs under the same name as the sleeper and asks to end that name.
        const Child killer(helper, c.mode);
        ASSERT_TRUE(killer.Started());
        EXPECT_EQ(c.survived, killer.WaitForExit(30000).value_or(1234));
        EXPECT_EQ(kEndedByKill, sleeper.WaitForExit(10000).value_or(1234));
    }
}

TEST(SysUtilProcess, RunningTestsFindTheirOwnNameAndNoUnknownOne)
{
    EXPECT_TRUE(SysUtil::IsProcessRunning(SysUtil::GetExeFileName()));
    EXPECT_TRUE(SysUtil::IsProcessRunning(L"ENGINE_TESTS.EXE"));
    EXPECT_FALSE(SysUtil::IsProcessRunning(L"no-such-program.exe"));
    EXPECT_TRUE(SysUtil::IsAnyProcessRunning({L"no-such-program.exe", L"Engine_Tests.exe"}));
    EXPECT_FALSE(SysUtil::IsAnyProcessRunning({L"no-such-program.exe", L"engine_tests"}));   // the whole name matches
    EXPECT_FALSE(SysUtil::IsAnyProcessRunning({}));
    EXPECT_TRUE(SysUtil::KillProcesses({}));   // nothing to end, but the walk ran
}

TEST(SysUtilProcess, OsVersionTestAcceptsTheRunningVersionAndNothingNewer)
{
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    const auto rtlGetVersion = reinterpret_cast<RtlGetVersionFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
    ASSERT_NE(nullptr, rtlGetVersion);
    OSVERSIONINFOW running = {};
    running.dwOSVersionInfoSize = sizeof(running);
    ASSERT_EQ(0, rtlGetVersion(&running));
    SCOPED_TRACE(std::to_string(running.dwMajorVersion) + "." + std::to_string(running.dwMinorVersion));

    EXPECT_TRUE(SysUtil::IsOsVersionAtLeast(running.dwMajorVersion, running.dwMinorVersion));
    EXPECT_TRUE(SysUtil::IsOsVersionAtLeast(5, 1));
    EXPECT_TRUE(SysUtil::IsOsVersionAtLeast(running.dwMajorVersion - 1, 99));
    EXPECT_FALSE(SysUtil::IsOsVersionAtLeast(running.dwMajorVersion, running.dwMinorVersion + 1));
    EXPECT_FALSE(SysUtil::IsOsVersionAtLeast(running.dwMajorVersion + 1, 0));
}

TEST(SysUtilProcess, ShellFunctionsFailCleanlyWithoutComOnTheThread)
{
    bool dispatchFound = true;
    bool opened = true;
    std::thread worker([&] {
        dispatchFound = static_cast<bool>(SysUtil::GetDesktopShellDispatch());
        opened = SysUtil::ShellOpenAsDesktopUser(L"C:\\no-such-folder\\Starter.exe");
    });
    worker.join();
    EXPECT_FALSE(dispatchFound);
    EXPECT_FALSE(opened);
}

TEST(SysUtilProcess, DesktopShellStartsAProgramInItsOwnProcess)
{
    // Wine's explorer.exe plays the desktop shell and answers the shell's automation.
    const ComApartment com;
    ASSERT_TRUE(SysUtil::GetDesktopShellDispatch());
    const HelperCopy helper(L"shell");
    ASSERT_TRUE(helper.Copied());
    const EndByName ender{helper.Name()};   // the shell, not the test, holds its process

    ASSERT_TRUE(SysUtil::ShellOpenAsDesktopUser(helper.Path()));
    // Without arguments the helper writes its parent's name beside itself and ends.
    ASSERT_TRUE(tivala::test::WaitForFile(helper.Path() + L".ran", 30000));
    std::string parent;
    for (int i = 0; i < 100 && parent.empty(); ++i) {   // the file may exist a moment before its text
        ::Sleep(10);
        ScratchDir::Read(helper.Path() + L".ran", parent);
    }
    EXPECT_EQ("explorer.exe", SysUtil::WideToUtf8(SysUtil::ToLowerAscii(SysUtil::Utf8ToWide(parent))));
    for (int i = 0; i < 1000 && SysUtil::IsProcessRunning(helper.Name()); ++i)
        ::Sleep(10);
    EXPECT_FALSE(SysUtil::IsProcessRunning(helper.Name()));
}

TEST(SysUtilProcess, DesktopShellRefusesAFileThatDoesNotExist)
{
    const ComApartment com;
    EXPECT_FALSE(SysUtil::ShellOpenAsDesktopUser(L"C:\\no-such-folder\\Starter.exe"));
}
