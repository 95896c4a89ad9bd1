// The install service's state as the wizard changes and reads it, on the test
// thread, over module lists that each test sets.

#include "service/ServiceFixture.h"

#include "product/ProductAddresses.h"
#include "service/InstallInitParam.h"
#include "service/InstallService.h"

#include <gtest/gtest.h>

#include <set>
#include <thread>
#include <vector>

using namespace tivala;
using namespace tivala::test;

TEST(InstallService, GetInstanceGivesOneObjectToEveryThread)
{
    std::vector<InstallService*> seen(8, nullptr);
    std::vector<std::thread> threads;
    for (size_t i = 0; i < seen.size(); ++i)
        threads.emplace_back([&seen, i] { seen[i] = &InstallService::GetInstance(); });
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(1u, std::set<InstallService*>(seen.begin(), seen.end()).size());
}

TEST(InstallService, SetInstallDirDropsOneTrailingBackslashAndAppliesIt)
{
    ServiceFixture fixture;
    InstallService& service = InstallService::GetInstance();
    const struct { const wchar_t* given; const wchar_t* stored; } cases[] = {
        {L"C:\\", L"C:"},
        {L"D:\\Tivala\\\\", L"D:\\Tivala\\"},   // only the last character is tested
        {L"E:\\Tivala", L"E:\\Tivala"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.given);
        service.modules = {Module(L"Main", true), Module(L"Plain", false)};
        service.SetInstallDir(c.given);
        EXPECT_EQ(c.stored, service.installDirectory);
        for (const ModuleRecord& module : service.modules)
            EXPECT_EQ(c.stored, module.targetDir);
        service.SetResourceDir(c.given);
        EXPECT_EQ(c.stored, service.resourceDirectory);
    }
    service.modules = {Module(L"Main", true)};
    service.SetInstallDir(L"");
    service.SetResourceDir(L"");
    EXPECT_EQ(L"E:\\Tivala", service.installDirectory);
    EXPECT_EQ(L"E:\\Tivala", service.resourceDirectory);
    EXPECT_EQ(L"", service.modules[0].targetDir);   // an empty directory applies nothing
}

TEST(InstallService, DevConfigNamesTheManifestElseTheDefaultsHold)
{
    {
        ServiceFixture fixture;
        const InstallService& service = InstallService::GetInstance();
        EXPECT_EQ(ProductAddresses::kDefaultRequestUrl, service.GetRequestUrl());
        EXPECT_EQ(L"widgets_config.dexo", service.manifestFileName);
        EXPECT_FALSE(service.settingsFileExists);
        EXPECT_FALSE(service.wideEdition);    // the test program's own name is no edition's
        EXPECT_FALSE(service.channelEdition);
    }
    {
        ServiceFixture fixture("[install]\r\nurlrequest=http://127.0.0.1:1/x/\r\nfilewidget=list.json\r\n");
        ASSERT_TRUE(fixture.Scratch().Write(L"data\\settings.ini", ""));
        InstallService& service = InstallService::GetInstance();
        InstallInitParam param;
        param.dialog = service.dialogWindow;
        param.dataDir = fixture.DataDir();
        service.Init(param);
        EXPECT_EQ(L"http://127.0.0.1:1/x/", service.GetRequestUrl());
        EXPECT_EQ(L"list.json", service.manifestFileName);
        EXPECT_TRUE(service.settingsFileExists);
    }
}

// A user has no "devconfig.ini": the packages come from the product's own
// domain, as the reports go there, never from a developer's machine.
TEST(InstallService, DefaultPackageAddressIsOnTheProductsDomain)
{
    const std::wstring url = ProductAddresses::kDefaultRequestUrl;
    const std::wstring scheme = L"http://";
    ASSERT_EQ(0u, url.find(scheme));
    const size_t pathStart = url.find(L'/', scheme.size());
    ASSERT_NE(std::wstring::npos, pathStart);
    const std::wstring host = url.substr(scheme.size(), pathStart - scheme.size());
    EXPECT_EQ(L"/install/", url.substr(pathStart));
    const std::wstring domain = L".tivala.com";
    ASSERT_GT(host.size(), domain.size());
    EXPECT_EQ(domain, host.substr(host.size() - domain.size()));
    EXPECT_EQ(std::wstring::npos, host.find(L':'));   // the plain HTTP port, as the report server's

    const std::wstring report = ProductAddresses::kReportServerBase;
    EXPECT_EQ(domain, report.substr(report.size() - domain.size()));
}

TEST(InstallService, LookupsMatchAppPathExactlyAndTheFirstOfTwins)
{
    ServiceFixture fixture;
    InstallService& service = InstallService::GetInstance();
    service.modules = {Module(L"Main", true), Module(L"Lateglow", true), Module(L"Twin", false),
                       Module(L"Twin", false), Module(L"Lateglow", true)};
    service.modules[0].widgetver = L"3.2.1";
    service.SetModuleSelected(L"Twin", true);
    service.SetModuleSelected(L"main", false);   // another case is another module
    service.MarkModuleUnpacked(L"Twin");
    service.SetModuleProgress(L"Twin", 77);
    EXPECT_TRUE(service.modules[2].selected && service.modules[2].unpacked);
    EXPECT_EQ(77, service.modules[2].downloadedBytes);
    EXPECT_FALSE(service.modules[3].selected || service.modules[3].unpacked);
    EXPECT_TRUE(service.modules[0].selected);
    EXPECT_EQ(L"3.2.1", service.GetMainVersion());
    EXPECT_EQ(L"", service.GetModule(L"Nothing").appPath);
    EXPECT_FALSE(service.GetModule(L"Nothing").unpack);

    service.DropExcludedModule();
    ASSERT_EQ(4u, service.modules.size());
    EXPECT_EQ(L"Twin", service.modules[1].appPath);
    EXPECT_EQ(L"Lateglow", service.modules[3].appPath);

    service.SetInstallDir(L"C:\\Program Files\\Tivala\\");
    EXPECT_EQ(L"C:\\Program Files\\Tivala\\Starter.exe", service.GetStarterPath());
}

TEST(InstallService, SumsAndCountsGoOverTheSelectedModules)
{
    ServiceFixture fixture;
    InstallService& service = InstallService::GetInstance();
    service.modules = {Module(L"A", true, 1000, 100, true), Module(L"B", true, 2000, 200),
                       Module(L"A", true, 4000, 400), Module(L"C", false, 8000, 800, true)};
    int64_t others = -1;
    int64_t total = -1;
    EXPECT_TRUE(service.GetDownloadTotals(L"A", others, total));
    EXPECT_EQ(200, others);    // both modules named A are left out
    EXPECT_EQ(7000, total);    // and both counted
    EXPECT_TRUE(service.GetDownloadTotals(L"Unknown", others, total));
    EXPECT_EQ(700, others);
    int unpacked = -1;
    int selected = -1;
    EXPECT_TRUE(service.CountUnpacked(unpacked, selected));
    EXPECT_EQ(1, unpacked);
    EXPECT_EQ(3, selected);
}

TEST(InstallService, OptionalModuleIdsAreTheSelectedUnforcedOnes)
{
    ServiceFixture fixture;
    InstallService& service = InstallService::GetInstance();
    service.modules = {Module(L"Main", true), Module(L"A", true), Module(L"B", false), Module(L"C", true),
                       Module(L"D", true)};
    service.modules[0].forced = true;
    service.modules[0].id = L"1";
    service.modules[1].id = L"12";
    service.modules[2].id = L"13";
    service.modules[3].id = L"abc";   // not a number: 0
    service.modules[4].id = L"7x";    // leading digits
    EXPECT_EQ((std::vector<int>{12, 0, 7}), service.GetSelectedOptionalModuleIds());
}
