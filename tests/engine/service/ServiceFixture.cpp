#include "service/ServiceFixture.h"

#include "service/InstallInitParam.h"
#include "service/InstallMessages.h"
#include "service/InstallService.h"
#include "service/ProgressRecords.h"
#include "sysutil/HandOver.h"

#include <functional>
#include <memory>

namespace tivala::test {

ServiceFixture::ServiceFixture(const std::string& devConfig)
    : m_wizard([this](UINT message, WPARAM wParam, LPARAM lParam) { OnWizardMessage(message, wParam, lParam); })
{
    if (!devConfig.empty())
        m_scratch.Write(L"data\\devconfig.ini", devConfig);
    InstallService& service = InstallService::GetInstance();
    InstallInitParam param;
    param.dialog = m_wizard.Handle();
    param.dataDir = DataDir();
    service.Init(param);
    service.modules.clear();
    service.manifestBytes.clear();
    service.installedInfo = {};
    service.v1ModuleFolders.clear();
    service.previousModuleFolders.clear();
    service.installDirectory.clear();
    service.resourceDirectory.clear();
    service.wideEdition = false;
    service.channelEdition = false;
    service.firstBoot = true;
    service.directoriesPrepared = false;
    service.themesMoved = false;
}

ServiceFixture::~ServiceFixture()
{
    InstallService& service = InstallService::GetInstance();
    service.dialogWindow = nullptr;
    TestWindow::Pump();   // what is still queued for the wizard is adopted and freed
}

HWND ServiceFixture::ServiceWindow() const
{
    return InstallService::GetInstance().serviceWindow;
}

bool ServiceFixture::PumpUntil(UINT message, unsigned timeoutMs)
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    bool arrived = false;
    TestWindow::PumpUntil([&] {
        for (const WizardMessage& received : m_received)
            arrived = arrived || received.message == message;
        return arrived || ::GetTickCount64() > deadline;
    });
    return arrived;
}

bool ServiceFixture::PumpUntilInstallEnds(unsigned timeoutMs)
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    const size_t start = m_received.size();
    bool ended = false;
    TestWindow::PumpUntil([&] {
        for (size_t i = start; i < m_received.size(); ++i) {
            const WizardMessage& m = m_received[i];
            ended = ended || m.message == WM_UI_INSTALL_DONE ||
                    ((m.message == WM_UI_DOWNLOAD_PROGRESS || m.message == WM_UI_MODULE_UNPACKED) && m.wParam == 0);
        }
        return ended || ::GetTickCount64() > deadline;
    });
    return ended;
}

void ServiceFixture::OnWizardMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    WizardMessage m;
    m.message = message;
    m.wParam = wParam;
    if (message == WM_UI_THEME_MIGRATE) {
        if (const auto record = TakeRecord<ThemeMigrationProgress>(lParam)) {
            m.hasRecord = true;
            m.percent = record->percent;
            m.index = record->index;
            m.count = record->count;
            m.name = record->folder;
            m.destination = record->destination;
        }
    } else if (message == WM_UI_DOWNLOAD_PROGRESS) {
        if (const auto record = TakeRecord<ProgressInfo>(lParam)) {
            m.hasRecord = true;
            m.percent = record->percent;
            m.done = record->done;
            m.total = record->total;
            m.name = record->name;
        }
    } else if (message == WM_UI_MODULE_UNPACKED) {
        if (const auto record = TakeRecord<UnpackProgress>(lParam)) {
            m.hasRecord = true;
            m.percent = record->percent;
            m.unpacked = record->unpacked;
            m.selected = record->selected;
            m.name = record->name;
        }
    } else if (message == WM_UI_UNPACK_FILE) {
        if (const auto record = TakeRecord<std::wstring>(wParam)) {
            m.hasRecord = true;
            m.name = *record;
        }
    } else if (message == WM_UI_INSTALL_PROGRESS) {
        m.percent = static_cast<int>(wParam);
    }
    m_received.push_back(m);
}

ModuleRecord Module(const std::wstring& appPath, bool selected, int64_t downloadSize, int64_t downloadedBytes,
                    bool unpacked)
{
    ModuleRecord module;
    module.appPath = appPath;
    module.selected = selected;
    module.downloadSize = downloadSize;
    module.downloadedBytes = downloadedBytes;
    module.unpacked = unpacked;
    return module;
}

}  // namespace tivala::test
