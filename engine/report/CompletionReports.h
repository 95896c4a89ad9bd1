#pragma once

namespace tivala {

class DataDelivery;
class InstallService;

// Queues with `reporter` the statistics reports that a finished installation
// sends, in this order: the installation's own (module id 0, install type 1
// over an earlier installation of major version 1, else 0); one per selected
// optional module, in list order (install type 0); last the channel report with
// the installer package's name as the registry holds it and the version of
// "Main". The reporter sends them when its worker is ready. UI thread, once the
// installation is done; the wizard and engine-run both end an installation so.
void QueueCompletionReports(DataDelivery& reporter, const InstallService& service);

}  // namespace tivala
