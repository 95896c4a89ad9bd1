#include "report/CompletionReports.h"

#include "product/InstallEnv.h"
#include "report/DataDelivery.h"
#include "report/ReportBodies.h"
#include "service/InstallService.h"
#include "sysutil/SysUtilPath.h"

namespace tivala {

namespace {

// The install types of the module reports.
constexpr int kOverNothingOrALaterVersion = 0;
constexpr int kOverVersionOne = 1;
constexpr int kInstallationModuleId = 0;

}  // namespace

void QueueCompletionReports(DataDelivery& reporter, const InstallService& service)
{
    const bool overVersionOne = SysUtil::GetMajorVersion(service.installedInfo.ProductVersion) == 1;
    reporter.ReportInstall(
        BuildModuleReport(overVersionOne ? kOverVersionOne : kOverNothingOrALaterVersion, kInstallationModuleId));
    for (const int id : service.GetSelectedOptionalModuleIds())
        reporter.ReportInstall(BuildModuleReport(kOverNothingOrALaterVersion, id));
    reporter.ReportChannel(BuildChannelReport(InstallEnv::ReadInstallPackageName(), service.GetMainVersion()));
}

}  // namespace tivala
