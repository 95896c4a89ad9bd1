// The manifest thread against the package server (and, in local mode, a 7z
// package in memory), its list arriving at the service window and the wizard
// told through a real window of the test thread.

#include "service/PackageSite.h"
#include "service/ServiceFixture.h"

#include "service/InstallMessages.h"
#include "service/InstallService.h"
#include "service/ManifestThread.h"
#include "sysutil/SysUtilFile.h"
#include "sysutil/SysUtilPath.h"
#include "sysutil/SysUtilText.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace tivala;
using namespace tivala::test;

namespace {

// Runs the manifest thread of a service set up for `site`; the wizard's answer,
// or -1 when none came.
int FetchManifest(ServiceFixture& fixture)
{
    if (!InstallService::GetInstance().StartManifest() || !fixture.PumpUntil(WM_UI_MANIFEST))
        return -1;
    return static_cast<int>(fixture.Received().back().wParam);
}

}  // namespace

TEST(ManifestThread, ManifestsOfEveryShapeGiveTheirResult)
{
    const struct {
        const char* name;
        std::string manifest;
        std::string rules;           // rules.json of the package server
        int result;                  // wParam of the wizard's message
        std::vector<std::wstring> appPaths;
    } cases[] = {
        {"an empty array", "[]", "", 1, {}},
        {"null", "null", "", 1, {}},
        {"a single number", "5", "", 1, {}},
        {"an object with members", R"({"appPath":"A"})", "", 0, {}},
        {"text that is no JSON", R"([{"appPath":)", "", 0, {}},
        {"an element that is no object", R"(["x"])", "", 0, {}},
        {"a member of the wrong type", R"([{"id":"1","appPath":5,"downLoadUrl":"BASE/a.7z","unzipSize":true,"secondAppName":["x"]}])", "", 1, {L"5"}},
        {"a package announced with length 0", R"([{"id":"1","appPath":"A","downLoadUrl":"BASE/a.7z"}])", R"({"/a.7z":{"head_length":0}})", 0, {}},
        {"a package announced without length", R"([{"id":"1","appPath":"A","downLoadUrl":"BASE/a.7z"}])", R"({"/a.7z":{"head_length":"none"}})", 1, {L"A"}},
        {"a package whose server refuses HEAD", R"([{"id":"1","appPath":"A","downLoadUrl":"BASE/a.7z"}])", R"({"/a.7z":{"head_status":405}})", 1, {L"A"}},
        {"a package the server lacks", R"([{"id":"1","appPath":"A","downLoadUrl":"BASE/missing.7z"}])", "", 1, {L"A"}},   // its download fails
        {"a non-numeric id sorts as 0", R"([{"id":"2","appPath":"B","downLoadUrl":"BASE/a.7z"},{"id":"x","appPath":"X","downLoadUrl":"BASE/a.7z"},{"id":1,"appPath":"A","downLoadUrl":"BASE/a.7z"}])", "", 1, {L"X", L"A", L"B"}},
        {"sizes above 2^31", R"([{"id":"1","appPath":"S","unzipSize":"3000000000","downLoadUrl":"BASE/a.7z"},{"id":"2","appPath":"N","unzipSize":3000000000,"downLoadUrl":"BASE/a.7z"}])", "", 1, {L"S", L"N"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PackageSite site;
        ASSERT_TRUE(site.Started());
        ASSERT_TRUE(site.AddFile(L"a.7z", "twelve bytes"));
        ASSERT_TRUE(site.AddFile(L"manifest.json", site.WithBase(c.manifest)));
        if (!c.rules.empty()) {
            ASSERT_TRUE(site.Server().WriteControlFile(L"rules.json", c.rules));
        }
        ServiceFixture fixture(site.DevConfig());
        const InstallService& service = InstallService::GetInstance();

        EXPECT_EQ(c.result, FetchManifest(fixture));
        std::vector<std::wstring> appPaths;
        for (const ModuleRecord& module : service.modules)
            appPaths.push_back(module.appPath);
        EXPECT_EQ(c.appPaths, appPaths);
        RemovePackageFiles(service.modules);

        const std::string name = c.name;
        if (name == "a member of the wrong type" && service.modules.size() == 1) {
            EXPECT_EQ(0, service.modules[0].unzipSize);
            EXPECT_TRUE(service.modules[0].secondAppName.empty());
            EXPECT_EQ(12, service.modules[0].downloadSize);
        } else if ((name == "a package announced without length" || name == "a package whose server refuses HEAD" ||
                    name == "a package the server lacks") &&
                   service.modules.size() == 1) {
            EXPECT_EQ(-1, service.modules[0].downloadSize);
        } else if (name == "sizes above 2^31" && service.modules.size() == 2) {
            EXPECT_EQ(3000000000LL, service.modules[0].unzipSize);   // written as a string
            EXPECT_EQ(0, service.modules[1].unzipSize);              // a number beyond 32 bits
        } else if (name == "a non-numeric id sorts as 0" && service.modules.size() == 3) {
            EXPECT_EQ(L"1", service.modules[1].id);   // the number 1 read as text
        }
    }
}

TEST(ManifestThread, ReadsEveryKeyAndMakesBrowserAndStarterOfMain)
{
    PackageSite site;
    ASSERT_TRUE(site.Started());
    for (const wchar_t* name : {L"main.7z", L"browser.7z", L"starter.7z", L"wall.7z", L"plain.7z"})
        ASSERT_TRUE(site.AddFile(name, std::string(100, 'p')));
    ASSERT_TRUE(site.AddFile(L"icon.png", "icon bytes"));
    const std::string manifest = site.WithBase(R"([
        {"id":"30","appPath":"Plain","widgetver":"1.0","name":"Plain","desc":"d","md5":"m","isForceDownLoad":1,
         "unzipSize":"500","secondAppName":"a.exe,,b.exe,","thirdAppName":"","downLoadUrl":"BASE/plain.7z",
         "smallEnableImgUrl":"BASE/icon.png","introduceVideoUrl":"BASE/v.mp4","configUrl":"BASE/plain.ini"},
        {"id":"20","appPath":"WallPaper","widgetver":"2.0","isForceDownLoad":"0","downLoadUrl":"BASE/wall.7z",
         "smallEnableImgUrl":"BASE/no-icon.png","defaultPaperUrl":"BASE/paper.7z","defaultPaperUnzipSize":"77"},
        {"id":"10","appPath":"Main","widgetver":"3.1","isForceDownLoad":"0","downLoadUrl":"BASE/main.7z",
         "resourceUrl":"BASE/res.7z","browserVer":"9","browserUnzipSize":9,"browserUrl":"BASE/browser.7z",
         "launchVer":"8","launchUnzipSize":"8","launchUrl":"BASE/starter.7z"}
    ])");
    ASSERT_TRUE(site.AddFile(L"manifest.json", manifest));
    ServiceFixture fixture(site.DevConfig());
    InstallService& service = InstallService::GetInstance();
    service.SetInstallDir(L"C:\\Tivala");

    ASSERT_EQ(1, FetchManifest(fixture));
    const std::vector<ModuleRecord> modules = service.modules;
    RemovePackageFiles(modules);
    EXPECT_EQ(manifest, std::string(service.manifestBytes.begin(), service.manifestBytes.end()));
    ASSERT_EQ(5u, modules.size());
    // Browser and Starter have no id: they sort ahead of everything, in no set order.
    std::vector<std::wstring> companions = {modules[0].appPath, modules[1].appPath};
    std::sort(companions.begin(), companions.end());
    EXPECT_EQ((std::vector<std::wstring>{L"Browser", L"Starter"}), companions);
    for (size_t i = 0; i < 2; ++i) {
        const ModuleRecord& companion = modules[i];
        EXPECT_TRUE(companion.unpack && companion.selected && companion.forced);
        EXPECT_EQ(L"", companion.id);
        EXPECT_EQ(100, companion.downloadSize);
        EXPECT_EQ(companion.appPath == L"Browser" ? L"9" : L"8", companion.widgetver);
        EXPECT_EQ(companion.appPath == L"Browser" ? 9 : 8, companion.unzipSize);
        EXPECT_EQ(SysUtil::Utf8ToWide(site.Url(companion.appPath == L"Browser" ? "browser.7z" : "starter.7z")),
                  companion.downLoadUrl);
    }
    const ModuleRecord& main = modules[2];
    EXPECT_EQ(L"Main", main.appPath);
    EXPECT_TRUE(main.selected && main.forced && main.unpack);   // whatever isForceDownLoad says
    EXPECT_EQ(SysUtil::Utf8ToWide(site.Url("res.7z")), main.mainResourceUrl);
    EXPECT_EQ(L"C:\\Tivala", main.targetDir);

    const ModuleRecord& wall = modules[3];
    EXPECT_EQ(L"WallPaper", wall.appPath);
    EXPECT_TRUE(wall.selected);       // the service window selects it
    EXPECT_FALSE(wall.forced);
    EXPECT_TRUE(wall.iconBytes.empty());   // a missing icon is no failure
    EXPECT_EQ(SysUtil::Utf8ToWide(site.Url("paper.7z")), wall.wallpaperDefaultPaperUrl);
    EXPECT_EQ(77, wall.wallpaperDefaultPaperUnzipSize);

    const ModuleRecord& plain = modules[4];
    EXPECT_EQ(L"30", plain.id);
    EXPECT_TRUE(plain.selected && plain.forced);   // the number 1 counts as "1"
    EXPECT_EQ(L"1.0", plain.widgetver);
    EXPECT_EQ(L"d", plain.desc);
    EXPECT_EQ(L"m", plain.md5);
    EXPECT_EQ(500, plain.unzipSize);
    EXPECT_EQ((std::vector<std::wstring>{L"a.exe", L"", L"b.exe"}), plain.secondAppName);
    EXPECT_TRUE(plain.thirdAppName.empty());
    EXPECT_EQ("icon bytes", std::string(plain.iconBytes.begin(), plain.iconBytes.end()));
    EXPECT_EQ(SysUtil::Utf8ToWide(site.Url("plain.ini")), plain.configUrl);
    EXPECT_EQ(100, plain.downloadSize);
    EXPECT_NE(L"", plain.packagePath);
}

TEST(ManifestThread, LocalModeReadsThePackageInMemoryAndAsksNoServer)
{
    LocalPackageFolderLock lock;
    ASSERT_TRUE(lock.Held());
    PackageSite site;   // the addresses name it; it must hear nothing
    ASSERT_TRUE(site.Started());
    const std::string manifest = site.WithBase(R"([
        {"id":"2","appPath":"Plain","downLoadUrl":"BASE/dir/plain.7z","smallEnableImgUrl":"BASE/icon.png",
         "configUrl":"BASE/plain.ini"},
        {"id":"3","appPath":"Lost","downLoadUrl":"BASE/lost.7z"}
    ])");
    ScratchDir work;
    std::string log;
    const std::vector<FixtureFile> files = {{L"widgets_config.dexo", manifest},
                                            {L"plain.7z", std::string(321, 'z')},
                                            {L"icon.png", "local icon"},
                                            {L"plain.ini", "[a]"}};
    ASSERT_TRUE(PackWithHostTool(work, files, {}, "7zz a -bd -t7z ../local.7z -- *", log)) << log;
    const std::vector<uint8_t> package = SysUtil::ReadFileBytes(work.File(L"local.7z"));
    ASSERT_FALSE(package.empty());

    ServiceFixture fixture;
    InstallService& service = InstallService::GetInstance();
    service.installType = 1;
    service.packageData = package.data();
    service.packageSize = static_cast<uint32_t>(package.size());
    const int result = FetchManifest(fixture);
    const std::vector<ModuleRecord> modules = service.modules;
    RemovePackageFiles(modules);
    service.installType = 0;
    service.packageData = nullptr;
    service.packageSize = 0;

    EXPECT_EQ(1, result);
    ASSERT_EQ(2u, modules.size());
    const std::wstring folder = SysUtil::MakeTempFolder(L"TivalaLocalInstallUnzipPackage") + L"\\";
    EXPECT_EQ(folder + L"plain.7z", modules[0].downLoadUrl);
    EXPECT_EQ(321, modules[0].downloadSize);
    EXPECT_EQ(folder + L"plain.ini", modules[0].configUrl);
    EXPECT_EQ("local icon", std::string(modules[0].iconBytes.begin(), modules[0].iconBytes.end()));
    EXPECT_EQ(0, modules[1].downloadSize);   // missing from the package: no failure
    EXPECT_EQ(manifest, std::string(service.manifestBytes.begin(), service.manifestBytes.end()));
    EXPECT_TRUE(site.Server().Requests().empty());
}

TEST(ManifestThread, AManifestTheServerLacksFails)
{
    PackageSite site;
    ASSERT_TRUE(site.Started());
    ServiceFixture fixture(site.DevConfig());
    EXPECT_EQ(0, FetchManifest(fixture));
    EXPECT_TRUE(InstallService::GetInstance().modules.empty());
}

TEST(CompareModuleById, OrdersByTheLeadingNumber)
{
    ModuleRecord a;
    ModuleRecord b;
    const struct { const wchar_t* a; const wchar_t* b; bool less; } cases[] = {
        {L"9", L"10", true}, {L"10", L"9", false}, {L"", L"1", true}, {L"x", L"", false}, {L"7a", L"8", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << SysUtil::WideToUtf8(c.a) << " < " << SysUtil::WideToUtf8(c.b));
        a.id = c.a;
        b.id = c.b;
        EXPECT_EQ(c.less, CompareModuleById(a, b));
    }
}
