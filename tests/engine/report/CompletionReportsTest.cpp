// The reports that a finished installation sends, queued from the install
// service's state and received by the test report server. The tests hold the
// product-state lock: the package name comes from the product's registry key.

#include "report/ReportPosts.h"
#include "service/EngineSite.h"

#include "product/ProductRegistry.h"
#include "report/CompletionReports.h"
#include "report/DataDelivery.h"
#include "report/ReportBodies.h"
#include "service/InstallService.h"
#include "sysutil/SysUtilRegistry.h"

#include "LoopbackServer.h"
#include "WinePath.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tivala;
using namespace tivala::test;

TEST(CompletionReports, TheInstallationThenEachOptionalModuleThenTheChannel)
{
    ASSERT_TRUE(ReadMachineId());
    const std::string uid = GetMachineId();
    const struct { const char* name; const wchar_t* earlierVersion; int installType; } cases[] = {
        {"no earlier installation", L"", 0},
        {"over major version 1", L"1.9.2", 1},
        {"over a later major version", L"2.0.1", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EngineSite site(EngineSite::kProductState | EngineSite::kReportServer);
        ASSERT_TRUE(site.Ready());
        const LoopbackServer& server = site.Reports();
        ServiceFixture fixture;
        InstallService& service = InstallService::GetInstance();
        service.installedInfo.ProductVersion = c.earlierVersion;
        service.modules = {Module(L"Main", true), Module(L"A", true), Module(L"B", false), Module(L"C", true),
                           Module(L"D", true)};
        service.modules[0].forced = true;
        service.modules[0].id = L"1";
        service.modules[0].widgetver = L"5.1.0";
        service.modules[1].id = L"12";
        service.modules[2].id = L"13";   // not selected: no report
        service.modules[3].id = L"x";    // no number: module id 0
        service.modules[4].id = L"7";
        ASSERT_TRUE(SysUtil::WriteUserRegString(ProductRegistry::kProductKey, L"installPackageName", L"installerchan"));

        DataDelivery reporter(Wide(server.Url("")));
        ASSERT_TRUE(reporter.Start());
        QueueCompletionReports(reporter, service);
        ASSERT_TRUE(reporter.FlushReportsWithin(20000));

        ExpectPosts(server, {{"/collect/install", ModuleReportBody(c.installType, 0)},
                             {"/collect/install", ModuleReportBody(0, 12)},
                             {"/collect/install", ModuleReportBody(0, 0)},   // "x" is no number
                             {"/collect/install", ModuleReportBody(0, 7)},
                             {"/channel/save", ChannelReportBody("installerchan", uid, "5.1.0")}});
    }
}
