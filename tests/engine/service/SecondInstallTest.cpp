// A second installation over the first, in the same installation directory and
// the same test: the first registers the product, the second finds it through a
// fresh initialisation of the install service, as a new run of the installer
// would, preselects and locks the earlier modules, stops the earlier service and
// installs again. The product's programs ("Starter.exe", "uninstall.exe" and the
// service "tivalaservice.exe") are copies of the service stand-in, so the
// shortcut and the autostart value name real programs. The tests hold the
// product-state lock for their whole duration.

#include "product/ProductState.h"
#include "service/EngineSite.h"
#include "TestData.h"

#include "Win32Handles.h"
#include "TComPtr.h"

#include "product/InstallEnv.h"
#include "service/InstallInitParam.h"
#include "service/InstallMessages.h"
#include "service/InstallService.h"
#include "sysutil/SysUtilFile.h"
#include "sysutil/SysUtilPath.h"
#include "sysutil/SysUtilRegistry.h"
#include "sysutil/SysUtilText.h"

#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace tivala;
using namespace tivala::test;

using tivala::test::SplitLines;

namespace {

constexpr wchar_t kProductKey[] = L"SOFTWARE\\tivala";
constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

// The target of the shortcut at `path`, or empty when it cannot be read.
std::wstring ShortcutTarget(const std::wstring& path)
{
    const ComApartment com;
    TComPtr<IShellLinkW> link;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.PutVoid())))
        return {};
    TComPtr<IPersistFile> file;
    if (FAILED(link.As(IID_IPersistFile, file)) || FAILED(file->Load(path.c_str(), STGM_READ)))
        return {};
    wchar_t target[MAX_PATH] = {};
    if (FAILED(link->GetPath(target, MAX_PATH, nullptr, 0)))
        return {};
    return target;
}

// Each module of the service's list as "appPath", followed by " selected" and
// " locked" when they are set.
std::vector<std::string> Selection()
{
    std::vector<std::string> selection;
    for (const ModuleRecord& module : InstallService::GetInstance().modules)
        selection.push_back(SysUtil::WideToUtf8(module.appPath) + (module.selected ? " selected" : "") +
                            (module.locked ? " locked" : ""));
    return selection;
}

std::vector<std::wstring> Sorted(std::vector<std::wstring> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

// Fetches the manifest through the manifest thread and pumps until its wizard
// message arrives (the fixture's own wait would count the first run's message);
// false when it failed or did not come within a minute.
bool FetchManifest(ServiceFixture& fixture)
{
    const size_t before = fixture.Received().size();
    if (!InstallService::GetInstance().StartManifest())
        return false;
    const ULONGLONG deadline = ::GetTickCount64() + 60000;
    int result = -1;
    TestWindow::PumpUntil([&] {
        for (size_t i = before; i < fixture.Received().size() && result < 0; ++i) {
            if (fixture.Received()[i].message == WM_UI_MANIFEST)
                result = fixture.Received()[i].wParam == 1 ? 1 : 0;
        }
        return result >= 0 || ::GetTickCount64() > deadline;
    });
    return result == 1;
}

// The install service initialised again, as a new run of the installer finds it:
// the earlier installation read from the registry and the installation directory,
// the per-process steps not yet done, no module list yet.
void InitAgain(const ServiceFixture& fixture)
{
    InstallService& engine = InstallService::GetInstance();
    RemovePackageFiles(engine.modules);
    InstallInitParam param;
    param.dialog = engine.dialogWindow;
    param.dataDir = fixture.DataDir();
    engine.Init(param);
    engine.modules.clear();
    engine.manifestBytes.clear();
    engine.installDirectory.clear();
    engine.resourceDirectory.clear();
    engine.firstBoot = true;
    engine.directoriesPrepared = false;
    engine.themesMoved = false;
}

// The package site of both runs: "Main" (with the service program and the
// uninstaller) describes "Browser" and "Starter"; then "WallPaper", "Dock",
// "Plain", "Lateglow" and "Other", none forced.
class SecondInstallSite {
public:
    SecondInstallSite() : m_program(FileBytes(ServiceStandInPath()))
    {
        if (m_program.size() <= 2 || m_program.compare(0, 2, "MZ") != 0)
            m_site.Fail("the service stand-in is no program");
        m_site.ServeArchive(L"main.7z", {{L"Main\\tivalaservice.exe", m_program}, {L"Main\\main.dll", "main"},
                                         {L"uninstall.exe", m_program}});
        m_site.ServeArchive(L"starter.7z", {{L"Starter.exe", m_program}});
        m_site.ServeArchive(L"browser.7z", {{L"TivalaBrowser\\TivalaBrowser.exe", "browser"}});
        m_site.ServeArchive(L"wall.7z", {{L"WallPaper\\wall.dll", "wall"}});
        m_site.ServeArchive(L"dock.7z", {{L"Dock\\dock.dll", "dock"}});
        m_site.ServeArchive(L"plain.7z", {{L"Plain\\plain.dll", "plain"}});
        m_site.ServeArchive(L"late.7z", {{L"Lateglow\\late.dll", "late"}});
        m_site.ServeArchive(L"other.7z", {{L"Other\\other.dll", "other"}});
        m_site.ServeManifest(R"([
            {"id":"1","appPath":"Main","widgetver":"5.1.0","downLoadUrl":"BASE/main.7z",
             "browserVer":"2","browserUrl":"BASE/browser.7z","launchVer":"3","launchUrl":"BASE/starter.7z"},
            {"id":"2","appPath":"WallPaper","downLoadUrl":"BASE/wall.7z"},
            {"id":"3","appPath":"Dock","downLoadUrl":"BASE/dock.7z"},
            {"id":"4","appPath":"Plain","downLoadUrl":"BASE/plain.7z"},
            {"id":"5","appPath":"Lateglow","downLoadUrl":"BASE/late.7z"},
            {"id":"6","appPath":"Other","downLoadUrl":"BASE/other.7z"}])");
    }

    testing::AssertionResult Ready() const { return m_site.Ready(); }
    const EngineSite& Site() const { return m_site; }
    const std::string& Program() const { return m_program; }
    // The requests the package server logged, one a line, for a failure's message.
    std::string Requests() const
    {
        std::string text;
        for (const LoggedRequest& request : m_site.Server().Requests())
            text += request.method + " " + request.path + "\n";
        return text;
    }

private:
    EngineSite m_site;
    std::string m_program;
};

// Runs one installation into the given directories after the manifest was
// applied; true when it reported its end.
bool Install(ServiceFixture& fixture, const std::wstring& installDir, const std::wstring& resourceDir)
{
    InstallService& engine = InstallService::GetInstance();
    engine.SetInstallDir(installDir);
    engine.SetResourceDir(resourceDir);
    return engine.StartInstall() && fixture.PumpUntilInstallEnds() &&
           fixture.Received().back().message == WM_UI_INSTALL_DONE;
}

std::string ServiceLine(const std::wstring& installDir, const char* command)
{
    return "\"" + SysUtil::WideToUtf8(installDir) + "\\Main\\tivalaservice.exe\" " + command;
}

// The first installation, with "Dock" and "Plain" chosen besides what comes
// selected; checks what it registered and that the product's programs are real.
void InstallFirst(ServiceFixture& fixture, const SecondInstallSite& site, const std::wstring& installDir,
                  const std::wstring& resourceDir)
{
    InstallService& engine = InstallService::GetInstance();
    ASSERT_EQ(0, SysUtil::GetMajorVersion(engine.installedInfo.ProductVersion));
    ASSERT_TRUE(FetchManifest(fixture));
    EXPECT_EQ((std::vector<std::string>{"Browser selected", "Starter selected", "Main selected",
                                        "WallPaper selected", "Dock", "Plain", "Lateglow", "Other"}),
              Selection());
    engine.SetModuleSelected(L"Dock", true);
    engine.SetModuleSelected(L"Plain", true);
    ASSERT_TRUE(Install(fixture, installDir, resourceDir));

    // The product's programs are the stand-in, and what names them names them.
    const std::wstring starter = installDir + L"\\Starter.exe";
    EXPECT_EQ(site.Program(), FileBytes(starter));
    EXPECT_EQ(site.Program(), FileBytes(installDir + L"\\uninstall.exe"));
    EXPECT_EQ(site.Program(), FileBytes(installDir + L"\\unist.exe"));
    const std::wstring autostart = SysUtil::ReadRegStringAt(HKEY_CURRENT_USER, kRunKey, L"tivala");
    EXPECT_EQ(starter, autostart);
    EXPECT_TRUE(SysUtil::PathExists(autostart)) << SysUtil::WideToUtf8(autostart);
    const std::wstring target = ShortcutTarget(DesktopShortcut());
    EXPECT_TRUE(SysUtil::ToLowerAscii(target) == SysUtil::ToLowerAscii(starter)) << SysUtil::WideToUtf8(target);
    EXPECT_TRUE(SysUtil::PathExists(target)) << SysUtil::WideToUtf8(target);
    DWORD binaryType = 99;
    EXPECT_TRUE(::GetBinaryTypeW(target.c_str(), &binaryType));
    EXPECT_EQ(static_cast<DWORD>(SCS_32BIT_BINARY), binaryType);

    // What the second run will find.
    const InstallInfoRecord info = InstallEnv::ReadInstalledInfo();
    EXPECT_EQ(L"5.1.0", info.ProductVersion);
    EXPECT_EQ(installDir, info.installDir);
    EXPECT_EQ(resourceDir, info.installBiZhiDir);
    EXPECT_EQ(L"engine_tests", info.installPackageName);
    EXPECT_EQ(starter, info.DisplayIcon);
    EXPECT_EQ(installDir + L"\\uninstall.exe", info.UninstallString);
    EXPECT_TRUE(SysUtil::PathExists(info.DisplayIcon));
    EXPECT_TRUE(SysUtil::PathExists(info.UninstallString));

    // Not there to stop before unpacking; installed after registration.
    EXPECT_EQ((std::vector<std::string>{ServiceLine(installDir, "install")}),
              SplitLines(FileBytes(installDir + L"\\Main\\tivalaservice.exe.runs")));
}

// The second run's initialisation: it finds what the first registered.
void ExpectTheEarlierInstallation(const std::wstring& productVersion, const std::wstring& installDir,
                                  const std::wstring& resourceDir)
{
    const InstallService& engine = InstallService::GetInstance();
    EXPECT_EQ(productVersion, engine.installedInfo.ProductVersion);
    EXPECT_EQ(installDir, engine.installedInfo.installDir);
    EXPECT_EQ(resourceDir, engine.installedInfo.installBiZhiDir);
    EXPECT_EQ(L"engine_tests", engine.installedInfo.installPackageName);
    EXPECT_EQ(L"Tivala", engine.installedInfo.DisplayName);
    EXPECT_EQ(installDir + L"\\Starter.exe", engine.installedInfo.DisplayIcon);
    EXPECT_EQ((std::vector<std::wstring>{L"Dock", L"Plain", L"TivalaBrowser", L"WallPaper"}),
              Sorted(engine.GetPreviousInstallFolders()));
}

// The second installation over the first, with the selection as it came, and
// what it leaves: the earlier service stopped before unpacking and installed
// again, the registration written again.
void InstallSecond(ServiceFixture& fixture, const std::wstring& installDir, const std::wstring& resourceDir)
{
    ASSERT_TRUE(Install(fixture, installDir, resourceDir));
    EXPECT_EQ((std::vector<std::string>{ServiceLine(installDir, "install"), ServiceLine(installDir, "uninstall"),
                                        ServiceLine(installDir, "install")}),
              SplitLines(FileBytes(installDir + L"\\Main\\tivalaservice.exe.runs")));
    const InstallInfoRecord info = InstallEnv::ReadInstalledInfo();
    EXPECT_EQ(L"5.1.0", info.ProductVersion);
    EXPECT_EQ(installDir, info.installDir);
    EXPECT_EQ(resourceDir, info.installBiZhiDir);
    const std::wstring autostart = SysUtil::ReadRegStringAt(HKEY_CURRENT_USER, kRunKey, L"tivala");
    EXPECT_EQ(installDir + L"\\Starter.exe", autostart);
    EXPECT_TRUE(SysUtil::PathExists(autostart));
    const std::wstring target = ShortcutTarget(DesktopShortcut());
    EXPECT_TRUE(SysUtil::PathExists(target)) << SysUtil::WideToUtf8(target);
}

}  // namespace

TEST(SecondInstall, OverALaterMajorVersionTheEarlierModulesComeSelectedAndLocked)
{
    SecondInstallSite site;
    ASSERT_TRUE(site.Ready());
    SiteInstall fixture(site.Site(), L"Program\\Tivala");
    const std::wstring& installDir = fixture.installDir;
    const std::wstring resourceDir = fixture.Scratch().File(L"Resource");

    InstallFirst(fixture, site, installDir, resourceDir);
    if (HasFatalFailure())
        return;

    InitAgain(fixture);
    ExpectTheEarlierInstallation(L"5.1.0", installDir, resourceDir);
    ASSERT_TRUE(FetchManifest(fixture)) << site.Requests();
    // The folders of the earlier installation decide; "Lateglow" and "Other" were
    // not installed, "Main" and the browser's folder never lock.
    EXPECT_EQ((std::vector<std::string>{"Browser selected", "Starter selected", "Main selected",
                                        "WallPaper selected locked", "Dock selected locked",
                                        "Plain selected locked", "Lateglow", "Other"}),
              Selection());

    InstallSecond(fixture, installDir, resourceDir);
    EXPECT_EQ("dock", FileBytes(installDir + L"\\Dock\\dock.dll"));
    EXPECT_EQ("plain", FileBytes(installDir + L"\\Plain\\plain.dll"));
    EXPECT_FALSE(SysUtil::PathExists(installDir + L"\\Lateglow"));
}

TEST(SecondInstall, OverMajorVersionOneTheVersionOneModulesComeSelectedAndLocked)
{
    SecondInstallSite site;
    ASSERT_TRUE(site.Ready());
    SiteInstall fixture(site.Site(), L"Program\\Tivala");
    const std::wstring& installDir = fixture.installDir;
    const std::wstring resourceDir = fixture.Scratch().File(L"Resource");

    InstallFirst(fixture, site, installDir, resourceDir);
    if (HasFatalFailure())
        return;

    const std::wstring version = L"1.8.2";
    ASSERT_EQ(ERROR_SUCCESS, ::RegSetKeyValueW(HKEY_CURRENT_USER, kProductKey, L"ProductVersion", REG_SZ,
                                               version.c_str(),
                                               static_cast<DWORD>((version.size() + 1) * sizeof(wchar_t))));
    InitAgain(fixture);
    ExpectTheEarlierInstallation(version, installDir, resourceDir);
    ASSERT_TRUE(FetchManifest(fixture)) << site.Requests();
    // The fixed version-1 folders decide, not the earlier installation's folders:
    // "Lateglow" was never installed, "Plain" was.
    EXPECT_EQ((std::vector<std::string>{"Browser selected", "Starter selected", "Main selected",
                                        "WallPaper selected locked", "Dock selected locked", "Plain",
                                        "Lateglow selected locked", "Other"}),
              Selection());

    InstallSecond(fixture, installDir, resourceDir);
    EXPECT_EQ("late", FileBytes(installDir + L"\\Lateglow\\late.dll"));
    EXPECT_EQ("dock", FileBytes(installDir + L"\\Dock\\dock.dll"));
}
