// The registration operations on the prefix's real registry, desktop and
// processes; every test removes what it made.

#include "product/InstallEnv.h"
#include "product/Registration.h"
#include "sysutil/SysUtilFile.h"
#include "sysutil/SysUtilPath.h"
#include "sysutil/SysUtilProcess.h"
#include "Win32Handles.h"

#include "HostCommand.h"
#include "product/ProductState.h"
#include "ScratchDir.h"
#include "WinePath.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <cwchar>
#include <optional>
#include <string>
#include <vector>

namespace Registration = tivala::Registration;
namespace SysUtil = tivala::SysUtil;
using tivala::test::ProductRegistryScope;
using tivala::test::ProductStateLock;
using tivala::test::ScratchDir;

namespace {

constexpr wchar_t kProductKey[] = L"SOFTWARE\\tivala";
constexpr wchar_t kUninstallKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\tivala";
constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kLayersKey[] = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Layers";
constexpr wchar_t kContextMenuKey[] = L"Directory\\Background\\shell\\tivala";

struct StoredValue {
    DWORD type = REG_NONE;
    std::wstring text;   // the stored characters, up to the first zero
};

// A value as stored: its type and its text, taking the stored byte count as the length.
std::optional<StoredValue> ReadBack(HKEY root, const std::wstring& key, const std::wstring& name)
{
    UniqueRegKey open;
    if (::RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, open.Put()) != ERROR_SUCCESS) {
        open.Release();
        return std::nullopt;
    }
    DWORD type = 0;
    DWORD bytes = 0;
    if (::RegQueryValueExW(open.Get(), name.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    std::vector<wchar_t> data(bytes / sizeof(wchar_t) + 1, L'\0');
    if (::RegQueryValueExW(open.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &bytes) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return StoredValue{type, std::wstring(data.data())};
}

bool KeyExists(HKEY root, const std::wstring& key)
{
    UniqueRegKey open;
    const bool exists = ::RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, open.Put()) == ERROR_SUCCESS;
    if (!exists)
        open.Release();
    return exists;
}

DWORD ValueCount(HKEY root, const std::wstring& key)
{
    UniqueRegKey open;
    if (::RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, open.Put()) != ERROR_SUCCESS) {
        open.Release();
        return 0;
    }
    DWORD values = 0;
    ::RegQueryInfoKeyW(open.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                       nullptr, nullptr);
    return values;
}

std::wstring Today()
{
    SYSTEMTIME now = {};
    ::GetLocalTime(&now);
    wchar_t text[16] = {};
    std::swprintf(text, 16, L"%04d%02d%02d", now.wYear, now.wMonth, now.wDay);
    return text;
}

std::wstring Unique(const std::wstring& stem)
{
    return stem + L"-" + std::to_wstring(::GetCurrentProcessId());
}

struct ExpectedText {
    const wchar_t* name;
    std::wstring text;
};

void ExpectTexts(HKEY root, const std::wstring& key, const std::vector<ExpectedText>& expected)
{
    for (const ExpectedText& value : expected) {
        SCOPED_TRACE(tivala::test::Utf8(value.name));
        const std::optional<StoredValue> stored = ReadBack(root, key, value.name);
        ASSERT_TRUE(stored);
        EXPECT_EQ(static_cast<DWORD>(REG_SZ), stored->type);
        EXPECT_EQ(value.text, stored->text);
    }
}

// A registry value or key that only this test uses, deleted when the test ends.
struct ValueRemover {
    HKEY root;
    std::wstring key;
    std::wstring name;
    ~ValueRemover() { ::RegDeleteKeyValueW(root, key.c_str(), name.c_str()); }
};

struct KeyRemover {
    HKEY root;
    std::wstring key;
    ~KeyRemover()
    {
        ::RegDeleteTreeW(root, key.c_str());
        ::RegDeleteKeyW(root, key.c_str());   // in case the tree call leaves the key itself
    }
};

struct FileRemover {
    std::wstring path;
    ~FileRemover() { ::DeleteFileW(path.c_str()); }
};

// The stand-in of tests/helpers/ServiceStandIn.cpp, copied into a scratch
// installation as Main\tivalaservice.exe.
class ServiceCopy {
public:
    explicit ServiceCopy(const std::wstring& installFolder) : m_path(m_dir.File(installFolder + L"\\Main\\tivalaservice.exe"))
    {
        m_copied = SysUtil::WriteBytesToFile(m_path, SysUtil::ReadFileBytes(tivala::test::ServiceStandInPath()));
    }

    bool Copied() const { return m_copied; }
    const std::wstring& Path() const { return m_path; }
    std::wstring Folder() const { return m_path.substr(0, m_path.rfind(L'\\')); }
    // Makes every later run wait two minutes, as a hung service program would.
    bool Hang() const { return SysUtil::WriteBytesToFile(Folder() + L"\\hang", {'1'}); }
    // The command lines it was run with, one per line.
    std::string Runs() const
    {
        std::string runs;
        return ScratchDir::Read(m_path + L".runs", runs) ? runs : std::string();
    }

private:
    ScratchDir m_dir;
    std::wstring m_path;
    bool m_copied = false;
};

// A process the test started, ended when the object dies if it still runs.
class Process {
public:
    explicit Process(const std::wstring& path)
    {
        std::wstring commandLine = L"\"" + path + L"\"";
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION info = {};
        if (::CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &info)) {
            m_process.Reset(info.hProcess);
            ::CloseHandle(info.hThread);
        }
    }
    ~Process()
    {
        if (m_process && Running()) {
            ::TerminateProcess(m_process.Get(), 99);
            ::WaitForSingleObject(m_process.Get(), 10000);
        }
    }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool Started() const { return static_cast<bool>(m_process); }
    bool Running() const { return ::WaitForSingleObject(m_process.Get(), 0) == WAIT_TIMEOUT; }

private:
    UniqueHandle m_process;
};

// Ends whatever still runs under the name when the test ends, before its files go.
struct EndByName {
    std::wstring name;
    ~EndByName() { (void)SysUtil::KillProcess(name); }
};

bool WaitUntilListed(const std::wstring& name)
{
    for (int i = 0; i < 1000; ++i) {
        if (SysUtil::IsProcessRunning(name))
            return true;
        ::Sleep(10);
    }
    return false;
}

}  // namespace

TEST(Registration, UninstallEntryIsWrittenAsTextAndDeletedWhole)
{
    const ProductRegistryScope registry;
    ASSERT_TRUE(registry.Held());
    const std::wstring before = Today();
    Registration::WriteUninstallEntry(L"D:\\动态 壁纸", L"E:\\TivalaResource", L"2.3.1");
    const std::wstring after = Today();

    ExpectTexts(HKEY_LOCAL_MACHINE, kUninstallKey,
                {
                    {L"Publisher",       L"Tivala团队"},
                    {L"DisplayName",     L"Tivala"},
                    {L"DisplayIcon",     L"D:\\动态 壁纸\\Starter.exe"},
                    {L"DisplayVersion",  L"2.3.1"},
                    {L"InstallLocation", L"D:\\动态 壁纸"},
                    {L"ResLocation",     L"E:\\TivalaResource"},
                    {L"UninstallString", L"D:\\动态 壁纸\\uninstall.exe"},
                    {L"UrlInfoAbout",    L"www.tivala.com"},
                });
    const std::optional<StoredValue> date = ReadBack(HKEY_LOCAL_MACHINE, kUninstallKey, L"InstallDate");
    ASSERT_TRUE(date);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), date->type);
    EXPECT_TRUE(date->text == before || date->text == after) << tivala::test::Utf8(date->text);
    EXPECT_EQ(9u, ValueCount(HKEY_LOCAL_MACHINE, kUninstallKey));

    // A second installation replaces the values.
    Registration::WriteUninstallEntry(L"C:\\Tivala", L"C:\\Res", L"2.4.0");
    ExpectTexts(HKEY_LOCAL_MACHINE, kUninstallKey, {{L"DisplayVersion", L"2.4.0"}, {L"InstallLocation", L"C:\\Tivala"}});

    const std::wstring below = std::wstring(kUninstallKey) + L"\\below";
    ASSERT_EQ(ERROR_SUCCESS, ::RegSetKeyValueW(HKEY_LOCAL_MACHINE, below.c_str(), L"v", REG_SZ, L"1", 4));
    Registration::DeleteUninstallEntry();
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall"));
    Registration::DeleteUninstallEntry();   // nothing left to delete
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
}

TEST(Registration, ProductValuesAreWhatTheNextRunReads)
{
    const ProductRegistryScope registry;
    ASSERT_TRUE(registry.Held());
    Registration::WriteUninstallEntry(L"D:\\Tivala", L"E:\\壁纸", L"2.3.1");
    Registration::WriteProductValues(L"D:\\Tivala", L"E:\\壁纸", L"2.3.1", L"C:\\users\\me\\Documents\\Tivala");
    Registration::WriteInstallPackageName(L"installerchan");

    ExpectTexts(HKEY_CURRENT_USER, kProductKey,
                {
                    {L"installBiZhiDir",    L"E:\\壁纸"},
                    {L"installDir",         L"D:\\Tivala"},
                    {L"ProductVersion",     L"2.3.1"},
                    {L"UpdateVersion",      L"2.3.1"},
                    {L"TivalaAppData",      L"C:\\users\\me\\Documents\\Tivala"},
                    {L"installPackageName", L"installerchan"},
                });
    EXPECT_EQ(6u, ValueCount(HKEY_CURRENT_USER, kProductKey));

    const tivala::InstallInfoRecord info = tivala::InstallEnv::ReadInstalledInfo();
    EXPECT_EQ(L"Tivala团队", info.Publisher);
    EXPECT_EQ(L"Tivala", info.DisplayName);
    EXPECT_EQ(L"D:\\Tivala\\Starter.exe", info.DisplayIcon);
    EXPECT_EQ(L"2.3.1", info.ProductVersion);
    EXPECT_EQ(8u, info.InstallDate.size());
    EXPECT_EQ(L"D:\\Tivala", info.installDir);
    EXPECT_EQ(L"E:\\壁纸", info.installBiZhiDir);
    EXPECT_EQ(L"D:\\Tivala\\uninstall.exe", info.UninstallString);
    EXPECT_EQ(L"www.tivala.com", info.UrlInfoAbout);
    EXPECT_EQ(L"installerchan", info.installPackageName);
    EXPECT_EQ(L"installerchan", tivala::InstallEnv::ReadInstallPackageName());
}

TEST(Registration, AutoStartValueIsWrittenAndRemovedAlone)
{
    const ProductRegistryScope registry;
    ASSERT_TRUE(registry.Held());
    const ValueRemover other{HKEY_CURRENT_USER, kRunKey, Unique(L"tivala-test-other")};
    ASSERT_EQ(ERROR_SUCCESS,
              ::RegSetKeyValueW(HKEY_CURRENT_USER, kRunKey, other.name.c_str(), REG_SZ, L"x.exe", sizeof(L"x.exe")));

    const std::wstring starter = L"C:\\Program Files\\动态壁纸\\Starter.exe";
    Registration::WriteAutoStart(starter);
    ExpectTexts(HKEY_CURRENT_USER, kRunKey, {{L"tivala", starter}});   // unquoted, blanks and all

    Registration::RemoveAutoStart();
    EXPECT_FALSE(ReadBack(HKEY_CURRENT_USER, kRunKey, L"tivala"));
    EXPECT_TRUE(ReadBack(HKEY_CURRENT_USER, kRunKey, other.name));
    Registration::RemoveAutoStart();   // nothing left to remove
    EXPECT_TRUE(ReadBack(HKEY_CURRENT_USER, kRunKey, other.name));
}

TEST(Registration, CompatibilityLayerIsNamedByTheProgramPath)
{
    const std::wstring program = L"C:\\" + Unique(L"Tivala") + L"\\TivalaBrowser\\TivalaBrowser.exe";
    const ValueRemover layer{HKEY_CURRENT_USER, kLayersKey, program};
    Registration::SetCompatibilityLayer(program);
    ExpectTexts(HKEY_CURRENT_USER, kLayersKey, {{program.c_str(), L"WIN7RTM"}});
}

TEST(Registration, ContextMenuEntryIsDeletedWithWhatLiesBelowIt)
{
    const ProductRegistryScope registry;
    ASSERT_TRUE(registry.Held());
    const KeyRemover sibling{HKEY_CLASSES_ROOT, L"Directory\\Background\\shell\\" + Unique(L"tivala-test")};
    ASSERT_EQ(ERROR_SUCCESS, ::RegSetKeyValueW(HKEY_CLASSES_ROOT, sibling.key.c_str(), nullptr, REG_SZ, L"x", 4));
    const std::wstring command = std::wstring(kContextMenuKey) + L"\\command";
    ASSERT_EQ(ERROR_SUCCESS, ::RegSetKeyValueW(HKEY_CLASSES_ROOT, command.c_str(), nullptr, REG_SZ, L"x", 4));

    Registration::DeleteContextMenuEntry();
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kContextMenuKey));
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, sibling.key));
    Registration::DeleteContextMenuEntry();   // nothing left to delete
}

TEST(Registration, ProductShortcutsAreChosenByTheirFileNameAlone)
{
    // The folder's own path holds both words, as a desktop under a user named
    // "tivala" would: only the names decide.
    const ScratchDir scratch;
    const std::wstring folder = scratch.File(L"tivala.lnk desktop");
    const struct { const wchar_t* name; bool deleted; } cases[] = {
        {L"tivala.lnk", true},
        {L"tivala 壁纸.lnk", true},
        {L"old tivala.lnk.bak", true},     // both words anywhere in the name
        {L"Tivala Notes.lnk", false},      // the word in another case
        {L"notes.lnk", false},
        {L"tivala.txt", false},
        {L"report.doc", false},
    };
    for (const auto& c : cases)
        ASSERT_TRUE(SysUtil::WriteBytesToFile(folder + L"\\" + c.name, {'x'}));
    ASSERT_TRUE(::CreateDirectoryW((folder + L"\\tivala.lnk.d").c_str(), nullptr));

    Registration::DeleteProductShortcutsIn(folder);
    for (const auto& c : cases) {
        SCOPED_TRACE(tivala::test::Utf8(c.name));
        EXPECT_EQ(!c.deleted, SysUtil::PathExists(folder + L"\\" + c.name));
    }
    EXPECT_TRUE(SysUtil::PathExists(folder + L"\\tivala.lnk.d"));   // folders are not shortcuts
}

TEST(Registration, DesktopShortcutIsMadeAndDeletedOnThePrefixDesktop)
{
    const ProductStateLock lock;
    ASSERT_TRUE(lock.Held());
    wchar_t desktop[MAX_PATH] = {};
    ASSERT_TRUE(::SHGetSpecialFolderPathW(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, FALSE));
    // The prefix's desktop may be a link to the host user's desktop: refuse to write there.
    std::string why;
    ASSERT_TRUE(tivala::test::LiesInsidePrefixDriveC(desktop, why)) << why;

    const FileRemover link{std::wstring(desktop) + L"\\tivala.lnk"};
    const FileRemover users{std::wstring(desktop) + L"\\" + Unique(L"Tivala Notes") + L".lnk"};
    const ScratchDir scratch;
    ASSERT_TRUE(scratch.Write(L"Tivala\\Starter.exe", "MZ"));
    ASSERT_TRUE(SysUtil::CreateDesktopShortcut(scratch.File(L"Tivala\\Starter.exe"), L""));
    ASSERT_TRUE(SysUtil::PathExists(link.path));
    ASSERT_TRUE(SysUtil::WriteBytesToFile(users.path, {'x'}));

    Registration::DeleteDesktopShortcuts();
    EXPECT_FALSE(SysUtil::PathExists(link.path));
    EXPECT_TRUE(SysUtil::PathExists(users.path));
}

TEST(Registration, ServiceProgramRunsWithEachCommandInQuotes)
{
    const ProductStateLock lock;
    ASSERT_TRUE(lock.Held());
    const ServiceCopy service(L"动态 壁纸");
    ASSERT_TRUE(service.Copied());

    for (const wchar_t* command : {L"uninstall", L"install"}) {
        SCOPED_TRACE(tivala::test::Utf8(command));
        const ULONGLONG before = ::GetTickCount64();
        EXPECT_TRUE(Registration::RunServiceCommand(service.Path(), command));
        const ULONGLONG elapsed = ::GetTickCount64() - before;
        EXPECT_GE(elapsed, 190u);     // the pause after each run
        EXPECT_LT(elapsed, 15000u);   // a program that ends is not waited for longer
    }
    const std::string quoted = "\"" + tivala::test::Utf8(service.Path()) + "\"";
    EXPECT_EQ(quoted + " uninstall\n" + quoted + " install\n", service.Runs());
}

TEST(Registration, MissingServiceProgramRunsNothingAndEndsNothing)
{
    const ProductStateLock lock;
    ASSERT_TRUE(lock.Held());
    const ServiceCopy running(L"Tivala");
    ASSERT_TRUE(running.Copied());
    ASSERT_TRUE(running.Hang());
    const Process service(running.Path());   // a service program of the name, busy
    ASSERT_TRUE(service.Started());
    ASSERT_TRUE(WaitUntilListed(L"tivalaservice.exe"));

    const ScratchDir empty;
    const std::wstring missing = empty.File(L"Tivala\\Main\\tivalaservice.exe");
    for (const wchar_t* command : {L"uninstall", L"install"}) {
        SCOPED_TRACE(tivala::test::Utf8(command));
        EXPECT_TRUE(Registration::RunServiceCommand(missing, command));
    }
    EXPECT_FALSE(SysUtil::PathExists(missing + L".runs"));
    EXPECT_TRUE(service.Running());

    // A file that is no program is not started either, and says so.
    ASSERT_TRUE(empty.Write(L"Tivala\\Main\\tivalaservice.exe", "not a program"));
    EXPECT_FALSE(Registration::RunServiceCommand(missing, L"install"));
    EXPECT_TRUE(service.Running());
}

TEST(Registration, HungServiceProgramIsEndedAfterTheWait)
{
    const ProductStateLock lock;
    ASSERT_TRUE(lock.Held());
    const ServiceCopy service(L"Tivala");
    ASSERT_TRUE(service.Copied());
    ASSERT_TRUE(service.Hang());
    const EndByName leftover{L"tivalaservice.exe"};

    const ULONGLONG before = ::GetTickCount64();
    EXPECT_TRUE(Registration::RunServiceCommand(service.Path(), L"install"));
    const ULONGLONG elapsed = ::GetTickCount64() - before;
    EXPECT_GE(elapsed, 15000u);
    EXPECT_LT(elapsed, 25000u);
    EXPECT_FALSE(SysUtil::IsProcessRunning(L"tivalaservice.exe"));
    EXPECT_EQ("\"" + tivala::test::Utf8(service.Path()) + "\" install\n", service.Runs());
}
