// Whole installations by the install thread: packages made by 7zz at test time
// and served by the package server, the manifest fetched by the manifest thread,
// and every step reported to a real wizard window of the test thread. The tests
// that register hold the product-state lock: they write the product's registry
// values and desktop shortcut and run a stand-in "tivalaservice.exe".

#include "product/ProductState.h"
#include "service/EngineSite.h"

#include "product/InstallEnv.h"
#include "service/InstallMessages.h"
#include "service/InstallService.h"
#include "service/InstallThread.h"
#include "service/WorkerRecords.h"
#include "sysutil/SysUtilFile.h"
#include "sysutil/SysUtilPath.h"
#include "sysutil/SysUtilRegistry.h"
#include "sysutil/SysUtilText.h"

#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

using namespace tivala;
using namespace tivala::test;

namespace {

// The temporary files of the special packages ("mainresource", "defaultpaper",
// "defaultrainmeterskin" give the prefixes "mai" and "def") that appear while it
// lives are removed when it dies. Only one test downloads them, and it holds the
// product-state lock, so no other test's files can be among them.
class SpecialPackageFilesScope {
public:
    SpecialPackageFilesScope() : m_before(SpecialFiles()) {}
    ~SpecialPackageFilesScope()
    {
        for (const std::wstring& file : SpecialFiles()) {
            if (!m_before.count(file))
                ::DeleteFileW(file.c_str());
        }
    }
    SpecialPackageFilesScope(const SpecialPackageFilesScope&) = delete;
    SpecialPackageFilesScope& operator=(const SpecialPackageFilesScope&) = delete;

private:
    static std::set<std::wstring> SpecialFiles()
    {
        wchar_t temp[MAX_PATH + 1] = {};
        ::GetTempPathW(MAX_PATH + 1, temp);
        std::vector<std::wstring> folders;
        std::vector<std::wstring> files;
        (void)SysUtil::ListFolder(SysUtil::RemoveTrailingBackslash(temp), folders, files);
        std::set<std::wstring> special;
        for (const std::wstring& file : files) {
            const std::wstring name = SysUtil::ToLowerAscii(file.substr(file.rfind(L'\\') + 1));
            if (name.rfind(L"mai", 0) == 0 || name.rfind(L"def", 0) == 0)
                special.insert(file);
        }
        return special;
    }

    std::set<std::wstring> m_before;
};

std::vector<int> Percents(const std::vector<WizardMessage>& received, UINT message, WPARAM wParam)
{
    std::vector<int> percents;
    for (const WizardMessage& m : received) {
        if (m.message == message && m.wParam == wParam)
            percents.push_back(m.percent);
    }
    return percents;
}

bool NeverFalls(const std::vector<int>& percents)
{
    for (size_t i = 1; i < percents.size(); ++i) {
        if (percents[i] < percents[i - 1])
            return false;
    }
    return true;
}

size_t Count(const std::vector<WizardMessage>& received, UINT message, WPARAM wParam)
{
    size_t count = 0;
    for (const WizardMessage& m : received)
        count += m.message == message && m.wParam == wParam;
    return count;
}

std::string Content(const std::wstring& path)
{
    return FileBytes(path);
}

// Fetches the manifest through the manifest thread; false when it failed.
bool FetchManifest(ServiceFixture& fixture)
{
    return InstallService::GetInstance().StartManifest() && fixture.PumpUntil(WM_UI_MANIFEST) &&
           fixture.Received().back().wParam == 1;
}

// Sets the two directories and runs an installation over the service's list;
// true when it ended, done or failed.
bool InstallInto(ServiceFixture& fixture, const std::wstring& installDir, const std::wstring& resourceDir)
{
    InstallService& engine = InstallService::GetInstance();
    engine.SetInstallDir(installDir);
    engine.SetResourceDir(resourceDir);
    return engine.StartInstall() && fixture.PumpUntilInstallEnds();
}

// The download reports of a run in which no download failed: there are some,
// their percentages never fall, and the last is 100.
void ExpectDownloadsComplete(const std::vector<WizardMessage>& received)
{
    EXPECT_EQ(0u, Count(received, WM_UI_DOWNLOAD_PROGRESS, 0));
    const std::vector<int> downloads = Percents(received, WM_UI_DOWNLOAD_PROGRESS, 1);
    ASSERT_FALSE(downloads.empty());
    EXPECT_TRUE(NeverFalls(downloads));
    EXPECT_EQ(100, downloads.back());
}

}  // namespace

TEST(InstallThread, InstallsEveryModuleEndToEnd)
{
    EngineSite site;
    const std::string service = FileBytes(ServiceStandInPath());
    ASSERT_FALSE(service.empty());
    site.ServeArchive(L"main.7z", {{L"Main\\tivalaservice.exe", service}, {L"Main\\main.dll", "main"},
                                   {L"uninstall.exe", "the uninstaller"}});
    site.ServeArchive(L"starter.7z", {{L"Starter.exe", "the starter"}});
    site.ServeArchive(L"browser.7z", {{L"TivalaBrowser\\TivalaBrowser.exe", "browser"}});
    site.ServeArchive(L"wall.7z", {{L"WallPaper\\wall.dll", "wall"}});
    site.ServeArchive(L"rain.7z", {{L"Rainmeter\\rain.dll", "rain"}});
    site.ServeArchive(L"plain.7z", {{L"Plain\\big.bin", RandomBytes(3000000, 7)}});
    site.ServeArchive(L"res.7z", {{L"res.txt", "main resource"}});
    site.ServeArchive(L"paper.7z", {{L"paper1\\theme.dexo", "paper"}});
    site.ServeArchive(L"skin.7z", {{L"Skins\\skin.ini", "skin"}});
    site.ServeFile(L"main.ini", "[main]");
    site.ServeFile(L"plain.ini", "[plain]");
    const std::string manifest = site.ServeManifest(R"([
        {"id":"1","appPath":"Main","widgetver":"5.1.0","downLoadUrl":"BASE/main.7z","configUrl":"BASE/main.ini",
         "resourceUrl":"BASE/res.7z","browserVer":"2","browserUrl":"BASE/browser.7z",
         "launchVer":"3","launchUrl":"BASE/starter.7z"},
        {"id":"2","appPath":"WallPaper","downLoadUrl":"BASE/wall.7z","defaultPaperUrl":"BASE/paper.7z"},
        {"id":"3","appPath":"Rainmeter","isForceDownLoad":"1","downLoadUrl":"BASE/rain.7z",
         "defaultPaperUrl":"BASE/skin.7z"},
        {"id":"4","appPath":"Plain","downLoadUrl":"BASE/plain.7z","configUrl":"BASE/plain.ini"}
    ])");
    ASSERT_TRUE(site.Ready());

    SiteInstall fixture(site, L"Program\\Tivala");
    SpecialPackageFilesScope specialPackages;
    const std::wstring& installDir = fixture.installDir;
    const std::wstring resourceDir = fixture.Scratch().File(L"Resource");
    const std::wstring dataDir = fixture.DataDir();
    InstallService& engine = InstallService::GetInstance();
    ASSERT_TRUE(FetchManifest(fixture));
    engine.SetModuleSelected(L"Plain", true);
    ASSERT_TRUE(InstallInto(fixture, installDir + L"\\", resourceDir));

    const std::vector<WizardMessage>& received = fixture.Received();
    ASSERT_EQ(WM_UI_INSTALL_DONE, received.back().message);
    ExpectDownloadsComplete(received);
    const std::vector<int> unpacked = Percents(received, WM_UI_MODULE_UNPACKED, 1);
    EXPECT_EQ((std::vector<int>{16, 33, 50, 66, 83, 100}), unpacked);   // six modules: Browser, Starter and four
    for (int percent : Percents(received, WM_UI_INSTALL_PROGRESS, 0))
        EXPECT_LE(percent, 100);
    std::set<std::wstring> unpackedFiles;
    for (const WizardMessage& m : received) {
        if (m.message == WM_UI_UNPACK_FILE && m.hasRecord)
            unpackedFiles.insert(m.name);
    }
    EXPECT_EQ(1u, unpackedFiles.count(installDir + L"\\Main\\main.dll"));
    EXPECT_EQ(1u, unpackedFiles.count(installDir + L"\\Plain\\big.bin"));
    EXPECT_EQ(0u, unpackedFiles.count(dataDir + L"\\res.txt"));   // default content reaches no window

    EXPECT_EQ("main", Content(installDir + L"\\Main\\main.dll"));
    EXPECT_EQ("the starter", Content(installDir + L"\\Starter.exe"));
    EXPECT_EQ("browser", Content(installDir + L"\\TivalaBrowser\\TivalaBrowser.exe"));
    EXPECT_EQ("wall", Content(installDir + L"\\WallPaper\\wall.dll"));
    EXPECT_EQ("rain", Content(installDir + L"\\Rainmeter\\rain.dll"));
    EXPECT_EQ(3000000, SysUtil::GetFileSize64(installDir + L"\\Plain\\big.bin"));
    EXPECT_EQ("the uninstaller", Content(installDir + L"\\unist.exe"));
    EXPECT_EQ(manifest, Content(dataDir + L"\\widgets_config.dexo"));
    EXPECT_TRUE(SysUtil::PathExists(dataDir + L"\\Data"));
    EXPECT_EQ("[main]", Content(dataDir + L"\\main.ini"));
    EXPECT_EQ("[plain]", Content(dataDir + L"\\plain.ini"));
    EXPECT_EQ("main resource", Content(dataDir + L"\\res.txt"));
    EXPECT_EQ("skin", Content(dataDir + L"\\Skins\\skin.ini"));
    EXPECT_EQ("paper", Content(resourceDir + L"\\paper1\\theme.dexo"));

    const InstallInfoRecord info = InstallEnv::ReadInstalledInfo();
    EXPECT_EQ(installDir, info.installDir);
    EXPECT_EQ(resourceDir, info.installBiZhiDir);
    EXPECT_EQ(installDir + L"\\Starter.exe",
              SysUtil::ReadRegStringAt(HKEY_CURRENT_USER, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", L"tivala"));
    EXPECT_TRUE(SysUtil::PathExists(DesktopShortcut()));
    // Not there yet to stop before unpacking; installed after registration.
    const std::string runs = Content(installDir + L"\\Main\\tivalaservice.exe.runs");
    EXPECT_NE(std::string::npos, runs.find("install"));
    EXPECT_EQ(std::string::npos, runs.find("uninstall"));
}

TEST(InstallThread, ADroppedDownloadFailsAndTheRetryResumesIt)
{
    EngineSite site;
    site.ServeArchive(L"plain.7z", {{L"Plain\\big.bin", RandomBytes(1000000, 3)}});
    site.ServeArchive(L"small.7z", {{L"Small\\small.txt", "small"}});
    site.ServeManifest(R"([
        {"id":"1","appPath":"Small","isForceDownLoad":"1","downLoadUrl":"BASE/small.7z"},
        {"id":"2","appPath":"Plain","isForceDownLoad":"1","downLoadUrl":"BASE/plain.7z"}])");
    ASSERT_TRUE(site.Ready());
    SiteInstall fixture(site);
    const std::wstring& installDir = fixture.installDir;
    InstallService& engine = InstallService::GetInstance();
    ASSERT_TRUE(FetchManifest(fixture));
    engine.SetInstallDir(installDir);
    engine.SetResourceDir(fixture.Scratch().File(L"Resource"));
    ASSERT_TRUE(site.Server().WriteControlFile(L"rules.json", R"({"/plain.7z":{"drop_after":400000,"times":1}})"));

    ASSERT_TRUE(engine.StartInstall());
    ASSERT_TRUE(fixture.PumpUntilInstallEnds());
    const WizardMessage failure = fixture.Received().back();
    EXPECT_EQ(WM_UI_DOWNLOAD_PROGRESS, failure.message);
    EXPECT_EQ(0u, failure.wParam);
    EXPECT_EQ(L"Plain", failure.name);
    const std::wstring partial = engine.GetModule(L"Plain").packagePath + L".temp";
    EXPECT_EQ(400000, SysUtil::GetFileSize64(partial));
    const size_t firstAttempt = fixture.Received().size();

    ASSERT_TRUE(engine.StartInstall());
    ASSERT_TRUE(fixture.PumpUntilInstallEnds());
    const std::vector<WizardMessage>& received = fixture.Received();
    EXPECT_EQ(WM_UI_INSTALL_DONE, received.back().message);
    EXPECT_EQ(1u, Count(received, WM_UI_DOWNLOAD_PROGRESS, 0));
    EXPECT_TRUE(NeverFalls(Percents(received, WM_UI_DOWNLOAD_PROGRESS, 1)));   // across both attempts
    EXPECT_EQ(100, Percents(received, WM_UI_DOWNLOAD_PROGRESS, 1).back());
    EXPECT_EQ(1000000, SysUtil::GetFileSize64(installDir + L"\\Plain\\big.bin"));
    EXPECT_EQ("small", Content(installDir + L"\\Small\\small.txt"));
    EXPECT_FALSE(SysUtil::PathExists(partial));

    size_t smallGets = 0;
    std::vector<std::string> plainRanges;
    for (const LoggedRequest& request : site.Server().Requests()) {
        if (request.method == "GET" && request.path == "/small.7z")
            ++smallGets;
        if (request.method == "GET" && request.path == "/plain.7z")
            plainRanges.push_back(request.range);
    }
    EXPECT_EQ(1u, smallGets);   // complete after the first attempt: not fetched again
    EXPECT_EQ((std::vector<std::string>{"", "bytes=400000-"}), plainRanges);
    EXPECT_LT(firstAttempt, received.size());
}

TEST(InstallThread, APackageWhoseServerRefusesHeadStillInstalls)
{
    EngineSite site;
    site.ServeArchive(L"small.7z", {{L"Small\\small.txt", "small"}});
    site.ServeArchive(L"plain.7z", {{L"Plain\\big.bin", RandomBytes(500000, 5)}});
    site.ServeManifest(R"([
        {"id":"1","appPath":"Small","isForceDownLoad":"1","downLoadUrl":"BASE/small.7z"},
        {"id":"2","appPath":"Plain","isForceDownLoad":"1","downLoadUrl":"BASE/plain.7z"}])");
    ASSERT_TRUE(site.Ready());
    ASSERT_TRUE(site.Server().WriteControlFile(L"rules.json", R"({"/plain.7z":{"head_status":405}})"));
    SiteInstall fixture(site);
    const std::wstring& installDir = fixture.installDir;
    InstallService& engine = InstallService::GetInstance();
    ASSERT_TRUE(FetchManifest(fixture));
    EXPECT_EQ(-1, engine.GetModule(L"Plain").downloadSize);
    ASSERT_TRUE(InstallInto(fixture, installDir, fixture.Scratch().File(L"Resource")));

    EXPECT_EQ(WM_UI_INSTALL_DONE, fixture.Received().back().message);
    ExpectDownloadsComplete(fixture.Received());   // over the one package whose size was known
    EXPECT_EQ(500000, SysUtil::GetFileSize64(installDir + L"\\Plain\\big.bin"));
    EXPECT_EQ("small", Content(installDir + L"\\Small\\small.txt"));
}

TEST(InstallThread, WorksFromTheSnapshotTakenAtStartAndReportsTheStepsDoneOnce)
{
    EngineSite site;
    site.ServeArchive(L"small.7z", {{L"Small\\small.txt", "small"}});
    const std::string manifest = site.ServeManifest(R"([
        {"id":"1","appPath":"Small","isForceDownLoad":"1","downLoadUrl":"BASE/small.7z"}])");
    ASSERT_TRUE(site.Ready());
    SiteInstall fixture(site);
    const std::wstring& installDir = fixture.installDir;
    const std::wstring laterDir = fixture.Scratch().File(L"Later");
    InstallService& engine = InstallService::GetInstance();
    ASSERT_TRUE(FetchManifest(fixture));
    engine.SetInstallDir(installDir);
    engine.SetResourceDir(fixture.Scratch().File(L"Resource"));
    ASSERT_TRUE(engine.StartInstall());
    // The UI thread changes everything at once; the running installation must not see it.
    const std::vector<ModuleRecord> modules = engine.modules;
    engine.SetInstallDir(laterDir);
    engine.SetResourceDir(laterDir);
    engine.manifestBytes = {'x'};
    engine.firstBoot = false;
    engine.modules.clear();
    ASSERT_TRUE(fixture.PumpUntilInstallEnds());
    engine.modules = modules;   // for the package files' removal

    EXPECT_EQ(WM_UI_INSTALL_DONE, fixture.Received().back().message);
    EXPECT_EQ("small", Content(installDir + L"\\Small\\small.txt"));
    EXPECT_FALSE(SysUtil::PathExists(laterDir));
    EXPECT_EQ(manifest, Content(fixture.DataDir() + L"\\widgets_config.dexo"));
    EXPECT_EQ(installDir + L"\\Starter.exe",   // first boot was still set when it started
              SysUtil::ReadRegStringAt(HKEY_CURRENT_USER, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", L"tivala"));
    // What it did once for the process came back by message.
    EXPECT_TRUE(engine.directoriesPrepared);
    EXPECT_TRUE(engine.themesMoved);
}

TEST(InstallThread, ASnapshotWithTheOnceStepsDoneSkipsThem)
{
    ProductRegistryScope product;
    ASSERT_TRUE(product.Held());
    ServiceFixture fixture;
    const ScratchDir& scratch = fixture.Scratch();
    ASSERT_TRUE(scratch.Write(L"Old\\t1\\theme.dexo", "x"));
    auto snapshot = std::make_unique<InstallSnapshot>();
    snapshot->installDirectory = scratch.File(L"Tivala");
    snapshot->resourceDirectory = scratch.File(L"New");
    snapshot->dataDirectory = fixture.DataDir();
    snapshot->serviceWindow = fixture.ServiceWindow();
    snapshot->manifestBytes = {'[', ']'};
    snapshot->installedInfo.ProductVersion = L"2.3";
    snapshot->installedInfo.installBiZhiDir = scratch.File(L"Old");
    snapshot->firstBoot = false;
    snapshot->directoriesPrepared = true;
    snapshot->themesMoved = true;
    ProductLeftovers leftovers{snapshot->installDirectory};
    std::thread worker(&InstallThread, snapshot.release());
    const bool ended = fixture.PumpUntilInstallEnds();
    worker.join();

    ASSERT_TRUE(ended);
    EXPECT_EQ(WM_UI_INSTALL_DONE, fixture.Received().back().message);
    for (const WizardMessage& m : fixture.Received())
        EXPECT_NE(WM_UI_THEME_MIGRATE, m.message);
    EXPECT_TRUE(SysUtil::PathExists(scratch.File(L"Old\\t1\\theme.dexo")));
    EXPECT_FALSE(SysUtil::PathExists(fixture.DataDir() + L"\\widgets_config.dexo"));
    const InstallService& engine = InstallService::GetInstance();
    EXPECT_FALSE(engine.directoriesPrepared);   // nothing done, nothing reported
    EXPECT_FALSE(engine.themesMoved);
}

TEST(InstallThread, ThemesOfTheEarlierResourceDirectoryMoveWithProgress)
{
    ProductRegistryScope product;
    ASSERT_TRUE(product.Held());
    ServiceFixture fixture;
    PackageFilesScope packages;
    const ScratchDir& scratch = fixture.Scratch();
    for (const wchar_t* file : {L"Old\\t1\\theme.dexo", L"Old\\t2\\theme.dexo", L"Old\\t3\\theme.dexo",
                                L"Old\\notheme\\other.txt"})
        ASSERT_TRUE(scratch.Write(file, "x"));
    const std::wstring installDir = scratch.File(L"Tivala");
    ProductLeftovers leftovers{installDir};
    InstallService& engine = InstallService::GetInstance();
    engine.installedInfo.ProductVersion = L"2.3";
    engine.installedInfo.installBiZhiDir = scratch.File(L"Old");
    engine.manifestBytes = {'[', ']'};
    ASSERT_TRUE(InstallInto(fixture, installDir, scratch.File(L"New")));

    std::vector<WizardMessage> themes;
    for (const WizardMessage& m : fixture.Received()) {
        if (m.message == WM_UI_THEME_MIGRATE)
            themes.push_back(m);
    }
    ASSERT_EQ(3u, themes.size());
    const int percents[] = {33, 66, 100};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(percents[i], themes[i].percent);
        EXPECT_EQ(i + 1, themes[i].index);
        EXPECT_EQ(3, themes[i].count);
        EXPECT_EQ(scratch.File(L"New"), themes[i].destination);
    }
    EXPECT_EQ(WM_UI_INSTALL_DONE, fixture.Received().back().message);
    for (const wchar_t* theme : {L"t1", L"t2", L"t3"}) {
        EXPECT_TRUE(SysUtil::PathExists(scratch.File(L"New\\") + theme + L"\\theme.dexo"));
        EXPECT_FALSE(SysUtil::PathExists(scratch.File(L"Old\\") + theme));
    }
    EXPECT_TRUE(SysUtil::PathExists(scratch.File(L"Old\\notheme\\other.txt")));
    EXPECT_EQ("[]", Content(fixture.DataDir() + L"\\widgets_config.dexo"));
}

TEST(InstallThread, AConfigurationFileNamedOutOfTheDataDirectoryIsSkipped)
{
    EngineSite site;
    site.ServeArchive(L"small.7z", {{L"small.txt", "small"}});
    site.ServeArchive(L"dots.7z", {{L"dots.txt", "dots"}});
    site.ServeFile(L"a..ini", "[dots]");
    site.ServeManifest(R"([
        {"id":"1","appPath":"Small","isForceDownLoad":"1","downLoadUrl":"BASE/small.7z",
         "configUrl":"BASE/x\\..\\..\\evil.ini"},
        {"id":"2","appPath":"Dots","isForceDownLoad":"1","downLoadUrl":"BASE/dots.7z","configUrl":"BASE/a..ini"}])");
    ASSERT_TRUE(site.Ready());
    SiteInstall fixture(site);
    const std::wstring& installDir = fixture.installDir;
    ASSERT_TRUE(FetchManifest(fixture));
    ASSERT_TRUE(InstallInto(fixture, installDir, fixture.Scratch().File(L"Resource")));

    EXPECT_EQ(WM_UI_INSTALL_DONE, fixture.Received().back().message);
    EXPECT_EQ("small", Content(installDir + L"\\small.txt"));
    EXPECT_EQ("[dots]", Content(fixture.DataDir() + L"\\a..ini"));   // two dots inside a name are the name's
    EXPECT_FALSE(SysUtil::PathExists(fixture.Scratch().File(L"evil.ini")));
    EXPECT_FALSE(SysUtil::PathExists(fixture.Scratch().Path() + L"\\..\\evil.ini"));
    for (const LoggedRequest& request : site.Server().Requests())
        EXPECT_EQ(std::string::npos, request.path.find("evil"));   // skipped, not even fetched
}

TEST(InstallThread, ConfigFileNamesStayInTheDataDirectory)
{
    const struct { const wchar_t* url; bool local; const wchar_t* name; } cases[] = {
        {L"http://host/a/plain.ini", false, L"plain.ini"},
        {L"C:\\Temp\\pkg\\plain.ini", true, L"plain.ini"},
        {L"http://host/a/a..ini", false, L"a..ini"},          // dots inside a name
        {L"http://host/a/..ini", false, L"..ini"},
        {L"C:\\Temp\\pkg\\plain..", true, L"plain.."},
        {L"http://host/a/x\\..\\evil.ini", false, L""},     // a separator
        {L"http://host/a/C:evil.ini", false, L""},           // a drive colon
        {L"http://host/a/..", false, L""},
        {L"http://host/a/.", false, L""},
        {L"http://host/a/", false, L""},                     // an empty name
        {L"C:\\Temp\\pkg\\a/../evil.ini", true, L""},
        {L"C:\\Temp\\pkg\\..", true, L""},
        {L"C:\\Temp\\pkg\\", true, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(SysUtil::WideToUtf8(c.url));
        EXPECT_EQ(c.name, ConfigFileName(c.url, c.local));
    }
}

TEST(InstallThread, APackageThatDoesNotUnpackFailsTheInstallationWithoutDefaultContentItSkips)
{
    EngineSite site(EngineSite::kPackageServer);
    site.ServeArchive(L"browser.7z", {{L"TivalaBrowser\\b.exe", "b"}});
    site.ServeArchive(L"starter.7z", {{L"Starter.exe", "s"}});
    site.ServeArchive(L"wall.7z", {{L"WallPaper\\w.dll", "w"}});
    site.ServeFile(L"main.7z", "no archive at all");
    site.ServeManifest(R"([
        {"id":"1","appPath":"Main","downLoadUrl":"BASE/main.7z","resourceUrl":"BASE/res.7z",
         "browserUrl":"BASE/browser.7z","launchUrl":"BASE/starter.7z"},
        {"id":"2","appPath":"WallPaper","downLoadUrl":"BASE/wall.7z","defaultPaperUrl":"BASE/paper.7z"}])");
    ASSERT_TRUE(site.Ready());
    ServiceFixture fixture(site.DevConfig());
    ASSERT_TRUE(fixture.Scratch().Write(L"Resource\\mine\\theme.dexo", ""));
    PackageFilesScope packages;
    InstallService& engine = InstallService::GetInstance();
    engine.settingsFileExists = true;   // as Init finds it when "settings.ini" is there
    ASSERT_TRUE(FetchManifest(fixture));
    ASSERT_TRUE(InstallInto(fixture, fixture.Scratch().File(L"Tivala"), fixture.Scratch().File(L"Resource")));

    const WizardMessage& failure = fixture.Received().back();
    EXPECT_EQ(WM_UI_MODULE_UNPACKED, failure.message);
    EXPECT_EQ(0u, failure.wParam);
    EXPECT_EQ(L"Main", failure.name);
    EXPECT_EQ(2u, Count(fixture.Received(), WM_UI_MODULE_UNPACKED, 1));   // Browser and Starter came first
    for (const LoggedRequest& request : site.Server().Requests()) {
        EXPECT_NE("/res.7z", request.path);     // settings.ini says the product has its resources
        EXPECT_NE("/paper.7z", request.path);   // the resource directory holds a theme
    }
}

TEST(InstallThread, LocalModeInstallsFromThePackageInMemoryWithoutTheNetwork)
{
    EngineSite site;   // the addresses name it; it must hear nothing
    LocalPackageFolderLock localFolder;
    ASSERT_TRUE(localFolder.Held());
    ScratchDir work;
    const std::string manifest = site.WithBase(R"([
        {"id":"1","appPath":"Main","widgetver":"6.0","downLoadUrl":"BASE/main.7z","configUrl":"BASE/main.ini",
         "resourceUrl":"BASE/res.7z","browserUrl":"BASE/browser.7z","launchUrl":"BASE/starter.7z"},
        {"id":"2","appPath":"Rainmeter","isForceDownLoad":"1","downLoadUrl":"BASE/rain.7z","defaultPaperUrl":"BASE/skin.7z"}])");
    struct Inner { const wchar_t* name; std::vector<FixtureFile> files; } inner[] = {
        {L"main.7z", {{L"Main\\main.dll", "main"}, {L"uninstall.exe", "u"}}},
        {L"browser.7z", {{L"TivalaBrowser\\b.exe", "b"}}},
        {L"starter.7z", {{L"Starter.exe", "s"}}},
        {L"rain.7z", {{L"Rainmeter\\r.dll", "r"}}},
        {L"res.7z", {{L"res.txt", "res"}}},
        {L"skin.7z", {{L"Skins\\skin.ini", "skin"}}},
    };
    for (const Inner& package : inner)
        site.ServeArchive(package.name, package.files);
    ASSERT_TRUE(site.Ready());
    std::vector<FixtureFile> outer = {{L"widgets_config.dexo", manifest}, {L"main.ini", "[main]"}};
    for (const Inner& package : inner)
        outer.push_back({package.name, FileBytes(site.File(package.name))});
    std::string log;
    ASSERT_TRUE(PackWithHostTool(work, outer, {}, "7zz a -bd -t7z ../local.7z -- *", log)) << log;
    const std::vector<uint8_t> package = SysUtil::ReadFileBytes(work.File(L"local.7z"));
    ASSERT_FALSE(package.empty());

    ServiceFixture fixture;
    const std::wstring installDir = fixture.Scratch().File(L"Tivala");
    const std::wstring dataDir = fixture.DataDir();
    ProductLeftovers leftovers{installDir};
    InstallService& engine = InstallService::GetInstance();
    engine.installType = 1;
    engine.packageData = package.data();
    engine.packageSize = static_cast<uint32_t>(package.size());
    ASSERT_TRUE(FetchManifest(fixture));
    PackageFilesScope packages;
    engine.SetInstallDir(installDir);
    engine.SetResourceDir(fixture.Scratch().File(L"Resource"));
    const bool started = engine.StartInstall();
    const bool ended = started && fixture.PumpUntilInstallEnds();
    engine.installType = 0;
    engine.packageData = nullptr;
    engine.packageSize = 0;

    ASSERT_TRUE(ended);
    EXPECT_EQ(WM_UI_INSTALL_DONE, fixture.Received().back().message);
    EXPECT_EQ("main", Content(installDir + L"\\Main\\main.dll"));
    EXPECT_EQ("s", Content(installDir + L"\\Starter.exe"));
    EXPECT_EQ("r", Content(installDir + L"\\Rainmeter\\r.dll"));
    EXPECT_EQ("u", Content(installDir + L"\\unist.exe"));
    EXPECT_EQ("[main]", Content(dataDir + L"\\main.ini"));
    EXPECT_EQ("res", Content(dataDir + L"\\res.txt"));
    EXPECT_EQ("skin", Content(dataDir + L"\\Skins\\skin.ini"));
    EXPECT_EQ(manifest, Content(dataDir + L"\\widgets_config.dexo"));
    EXPECT_TRUE(site.Server().Requests().empty());
}
