// The service window turning worker messages into the wizard's, with records
// posted as the workers post them and a real wizard window on the test thread
// that adopts each record it receives.

#include "service/ServiceFixture.h"

#include "service/InstallMessages.h"
#include "service/InstallService.h"
#include "service/PostMustArrive.h"
#include "service/ProgressRecords.h"
#include "service/ServiceWndProc.h"
#include "service/WorkerRecords.h"
#include "sysutil/HandOver.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <thread>
#include <vector>

using namespace tivala;
using namespace tivala::test;

namespace {

std::unique_ptr<ModuleProgress> Progress(const std::wstring& name, int64_t done, int64_t total)
{
    auto progress = std::make_unique<ModuleProgress>();
    progress->done = done;
    progress->total = total;
    progress->name = name;
    return progress;
}

std::unique_ptr<ProgressInfo> Unpacked(const std::wstring& name)
{
    auto info = std::make_unique<ProgressInfo>();
    info->percent = 100;
    info->name = name;
    return info;
}

std::unique_ptr<ManifestResult> List(std::vector<ModuleRecord> modules)
{
    auto result = std::make_unique<ManifestResult>();
    result->modules = std::move(modules);
    result->manifestBytes = {'[', ']'};
    return result;
}

}  // namespace

TEST(ServiceWndProc, ManifestReplacesTheListAndSelectsByTheEarlierInstallation)
{
    const struct {
        const char* name;
        const wchar_t* version;
        bool wide;
        std::vector<bool> selected;   // Main, WallPaper, A, B, C
        std::vector<bool> locked;
    } cases[] = {
        {"no earlier installation", L"", false, {false, true, false, false, false}, {false, false, false, false, false}},
        {"version 1 takes its folders only", L"1.9", false, {false, true, true, false, false}, {false, false, true, false, false}},
        {"version 2 takes the folders found", L"2.0.1", false, {false, true, false, true, false}, {false, false, false, true, false}},
        {"the wide edition selects all", L"", true, {true, true, true, true, true}, {false, false, false, false, false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ServiceFixture fixture;
        InstallService& service = InstallService::GetInstance();
        service.installedInfo.ProductVersion = c.version;
        service.v1ModuleFolders = {L"A"};
        service.previousModuleFolders = {L"B"};
        service.wideEdition = c.wide;
        service.SetInstallDir(L"C:\\Tivala");
        ASSERT_TRUE(PostRecord(fixture.ServiceWindow(), WM_SVC_MANIFEST, 1,
                               List({Module(L"Main", false), Module(L"WallPaper", false), Module(L"A", false),
                                     Module(L"B", false), Module(L"C", false)})));
        ASSERT_TRUE(fixture.PumpUntil(WM_UI_MANIFEST));
        ASSERT_EQ(1u, fixture.Received().size());
        EXPECT_EQ(1u, fixture.Received()[0].wParam);
        ASSERT_EQ(5u, service.modules.size());
        EXPECT_EQ((std::vector<uint8_t>{'[', ']'}), service.manifestBytes);
        for (size_t i = 0; i < 5; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(c.selected[i], service.modules[i].selected);
            EXPECT_EQ(c.locked[i], service.modules[i].locked);
            EXPECT_EQ(L"C:\\Tivala", service.modules[i].targetDir);
        }
    }
}

TEST(ServiceWndProc, ChannelEditionDropsLateglowAndAFailureChangesNothing)
{
    ServiceFixture fixture;
    InstallService& service = InstallService::GetInstance();
    service.channelEdition = true;
    ASSERT_TRUE(PostRecord(fixture.ServiceWindow(), WM_SVC_MANIFEST, 1,
                           List({Module(L"Main", true), Module(L"Lateglow", false)})));
    ASSERT_TRUE(::PostMessageW(fixture.ServiceWindow(), WM_SVC_MANIFEST, 0, 0));
    TestWindow::PumpUntil([&] { return fixture.Received().size() == 2; });
    ASSERT_EQ(1u, service.modules.size());
    EXPECT_EQ(L"Main", service.modules[0].appPath);
    EXPECT_EQ(1u, fixture.Received()[0].wParam);
    EXPECT_EQ(WM_UI_MANIFEST, fixture.Received()[1].message);
    EXPECT_EQ(0u, fixture.Received()[1].wParam);
}

TEST(ServiceWndProc, DownloadPercentRunsOverAllSelectedPackages)
{
    ServiceFixture fixture;
    InstallService& service = InstallService::GetInstance();
    service.modules = {Module(L"A", true, 1000), Module(L"B", true, 3000, 1500), Module(L"C", false, 9000, 9000)};
    const struct { const wchar_t* name; int64_t done; int percent; int64_t overallDone; } cases[] = {
        {L"A", 0, 37, 1500},
        {L"A", 999, 62, 2499},      // 62.475 truncated
        {L"Elsewhere", 500, 74, 2999},   // not recorded; all selected modules' bytes are "others"
        {L"A", 5000, 100, 6500},    // more than announced never passes 100
    };
    for (const auto& c : cases)
        ASSERT_TRUE(PostRecord(fixture.ServiceWindow(), WM_SVC_DOWNLOAD_PROGRESS, 1, Progress(c.name, c.done, 1000)));
    TestWindow::PumpUntil([&] { return fixture.Received().size() == std::size(cases); });
    ASSERT_EQ(std::size(cases), fixture.Received().size());
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        const WizardMessage& m = fixture.Received()[i];
        EXPECT_EQ(WM_UI_DOWNLOAD_PROGRESS, m.message);
        EXPECT_EQ(1u, m.wParam);
        EXPECT_TRUE(m.hasRecord);
        EXPECT_EQ(cases[i].percent, m.percent);
        EXPECT_EQ(cases[i].overallDone, m.done);
        EXPECT_EQ(4000, m.total);
        EXPECT_EQ(cases[i].name, m.name);
    }
    EXPECT_EQ(5000, service.modules[0].downloadedBytes);
}

TEST(ServiceWndProc, DownloadPercentRunsOverTheKnownSizesWhenOneIsUnknown)
{
    const struct {
        const char* name;
        std::vector<ModuleRecord> modules;
        const wchar_t* reported;   // the module whose progress arrives, with 600 bytes done
        int percent;
        int64_t done;
        int64_t total;
    } cases[] = {
        {"the known package downloading", {Module(L"A", true, 1000), Module(L"B", true, -1)}, L"A", 60, 600, 1000},
        {"the unknown one downloading after the known one",
         {Module(L"A", true, 1000, 1000), Module(L"B", true, -1)}, L"B", 100, 1000, 1000},
        {"the unknown one between two known ones",
         {Module(L"A", true, 1000, 1000), Module(L"B", true, -1), Module(L"C", true, 3000)}, L"B", 25, 1000, 4000},
        {"a known one after the unknown one",
         {Module(L"A", true, 1000, 1000), Module(L"B", true, -1, 5000), Module(L"C", true, 3000)}, L"C", 40, 1600,
         4000},
        {"every size unknown", {Module(L"A", true, -1), Module(L"B", true, -1)}, L"A", 0, 0, 0},
        {"total 0", {Module(L"A", true, 0)}, L"A", 0, 600, 0},
        {"nothing selected", {Module(L"A", false, 1000)}, L"A", 0, 600, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ServiceFixture fixture;
        InstallService::GetInstance().modules = c.modules;
        ASSERT_TRUE(PostRecord(fixture.ServiceWindow(), WM_SVC_DOWNLOAD_PROGRESS, 1, Progress(c.reported, 600, -1)));
        ASSERT_TRUE(fixture.PumpUntil(WM_UI_DOWNLOAD_PROGRESS));
        const WizardMessage& m = fixture.Received()[0];
        EXPECT_EQ(1u, m.wParam);
        EXPECT_EQ(c.percent, m.percent);
        EXPECT_EQ(c.done, m.done);
        EXPECT_EQ(c.total, m.total);
    }
}

TEST(ServiceWndProc, FailuresPassOnWithTheNameOnly)
{
    ServiceFixture fixture;
    InstallService& service = InstallService::GetInstance();
    service.modules = {Module(L"A", true, 1000, 10)};
    ASSERT_TRUE(PostRecord(fixture.ServiceWindow(), WM_SVC_DOWNLOAD_PROGRESS, 0, Progress(L"A", 999, 1000)));
    auto failed = Unpacked(L"A");
    failed->percent = 0;
    ASSERT_TRUE(PostRecord(fixture.ServiceWindow(), WM_SVC_MODULE_UNPACKED, 0, std::move(failed)));
    TestWindow::PumpUntil([&] { return fixture.Received().size() == 2; });
    const WizardMessage& download = fixture.Received()[0];
    EXPECT_EQ(WM_UI_DOWNLOAD_PROGRESS, download.message);
    EXPECT_EQ(0u, download.wParam);
    EXPECT_EQ(L"A", download.name);
    EXPECT_EQ(0, download.done);
    const WizardMessage& unpack = fixture.Received()[1];
    EXPECT_EQ(WM_UI_MODULE_UNPACKED, unpack.message);
    EXPECT_EQ(0u, unpack.wParam);
    EXPECT_EQ(L"A", unpack.name);
    EXPECT_EQ(0, unpack.selected);
    EXPECT_EQ(10, service.modules[0].downloadedBytes);
    EXPECT_FALSE(service.modules[0].unpacked);
}

TEST(ServiceWndProc, UnpackedModulesAndArchivePercentMakeOneInstallPercent)
{
    ServiceFixture fixture;
    InstallService& service = InstallService::GetInstance();
    service.modules = {Module(L"A", true), Module(L"B", true), Module(L"C", true), Module(L"D", false)};
    const HWND window = fixture.ServiceWindow();
    ASSERT_TRUE(PostRecord(window, WM_SVC_MODULE_UNPACKED, 1, Unpacked(L"A")));
    ASSERT_TRUE(PostRecord(window, WM_SVC_UNPACK_PERCENT, 50, std::make_unique<std::wstring>(L"B")));
    ASSERT_TRUE(PostRecord(window, WM_SVC_MODULE_UNPACKED, 1, Unpacked(L"B")));
    ASSERT_TRUE(PostRecord(window, WM_SVC_UNPACK_PERCENT, 250, std::make_unique<std::wstring>(L"C")));
    TestWindow::PumpUntil([&] { return fixture.Received().size() == 4; });
    ASSERT_EQ(4u, fixture.Received().size());
    EXPECT_EQ(WM_UI_MODULE_UNPACKED, fixture.Received()[0].message);
    EXPECT_EQ(33, fixture.Received()[0].percent);
    EXPECT_EQ(1, fixture.Received()[0].unpacked);
    EXPECT_EQ(3, fixture.Received()[0].selected);
    EXPECT_EQ(WM_UI_INSTALL_PROGRESS, fixture.Received()[1].message);
    EXPECT_EQ(49, fixture.Received()[1].percent);   // 16 + 33
    EXPECT_EQ(66, fixture.Received()[2].percent);
    EXPECT_EQ(100, fixture.Received()[3].percent);  // 83 + 66 held at 100
}

TEST(ServiceWndProc, WithoutSelectionTheArchivePercentPassesUnchanged)
{
    ServiceFixture fixture;
    ASSERT_TRUE(PostRecord(fixture.ServiceWindow(), WM_SVC_UNPACK_PERCENT, 42, std::make_unique<std::wstring>(L"X")));
    ASSERT_TRUE(fixture.PumpUntil(WM_UI_INSTALL_PROGRESS));
    EXPECT_EQ(42, fixture.Received()[0].percent);
}

TEST(ServiceWndProc, FileNamesThemesAndTheEndPassToTheWizard)
{
    ServiceFixture fixture;
    const HWND window = fixture.ServiceWindow();
    auto name = std::make_unique<std::wstring>(L"C:\\Tivala\\Main\\a.dll");
    const WPARAM pointer = reinterpret_cast<WPARAM>(name.get());
    ASSERT_TRUE(PostRecordInWParam(window, WM_SVC_UNPACK_FILE, std::move(name), 0));
    auto theme = std::make_unique<ThemeMigrationProgress>();
    *theme = {66, 2, 3, L"D:\\Old\\t2", L"D:\\New"};
    ASSERT_TRUE(PostRecord(window, WM_SVC_THEME_MIGRATE, 0, std::move(theme)));
    ASSERT_TRUE(::PostMessageW(window, WM_SVC_INSTALL_DONE, 0, 0));
    ASSERT_TRUE(fixture.PumpUntil(WM_UI_INSTALL_DONE));
    ASSERT_EQ(3u, fixture.Received().size());
    EXPECT_EQ(WM_UI_UNPACK_FILE, fixture.Received()[0].message);
    EXPECT_EQ(pointer, fixture.Received()[0].wParam);   // the same string, handed on
    EXPECT_EQ(L"C:\\Tivala\\Main\\a.dll", fixture.Received()[0].name);
    const WizardMessage& moved = fixture.Received()[1];
    EXPECT_EQ(WM_UI_THEME_MIGRATE, moved.message);
    EXPECT_EQ(66, moved.percent);
    EXPECT_EQ(2, moved.index);
    EXPECT_EQ(3, moved.count);
    EXPECT_EQ(L"D:\\Old\\t2", moved.name);
    EXPECT_EQ(L"D:\\New", moved.destination);
    EXPECT_EQ(WM_UI_INSTALL_DONE, fixture.Received()[2].message);
}

TEST(ServiceWndProc, StepsDoneOnceAreRecordedWithoutAWordToTheWizard)
{
    ServiceFixture fixture;
    const InstallService& service = InstallService::GetInstance();
    ASSERT_TRUE(::PostMessageW(fixture.ServiceWindow(), WM_SVC_STEP_DONE, kStepDirectoriesPrepared, 0));
    TestWindow::PumpUntil([&] { return service.directoriesPrepared; });
    EXPECT_TRUE(service.directoriesPrepared);
    EXPECT_FALSE(service.themesMoved);
    ASSERT_TRUE(::PostMessageW(fixture.ServiceWindow(), WM_SVC_STEP_DONE, kStepThemesMoved, 0));
    ASSERT_TRUE(::PostMessageW(fixture.ServiceWindow(), WM_SVC_INSTALL_DONE, 0, 0));
    ASSERT_TRUE(fixture.PumpUntil(WM_UI_INSTALL_DONE));
    EXPECT_TRUE(service.themesMoved);
    ASSERT_EQ(1u, fixture.Received().size());   // only the end
}

TEST(ServiceWndProc, ProgressFromADownloadThreadArrivesInOrderOneRecordEach)
{
    ServiceFixture fixture;
    InstallService& service = InstallService::GetInstance();
    service.modules = {Module(L"A", true, 100000)};
    std::thread download([&service] {
        for (int done = 0; done <= 100000; done += 1000)
            service.OnProgress(done / 1000, done, 100000, 0, L"A");
    });
    download.join();
    TestWindow::PumpUntil([&] { return fixture.Received().size() == 101; });
    ASSERT_EQ(101u, fixture.Received().size());
    for (size_t i = 0; i < 101; ++i) {
        EXPECT_TRUE(fixture.Received()[i].hasRecord);
        EXPECT_EQ(static_cast<int64_t>(i) * 1000, fixture.Received()[i].done);   // in the order posted
    }
    EXPECT_EQ(100, fixture.Received().back().percent);
}

TEST(PostMustArrive, ArrivesFromAWorkerAndGivesUpAtOnceOnAWindowThatIsGone)
{
    ServiceFixture fixture;
    bool posted = false;
    std::thread worker([&] { posted = PostMustArrive(fixture.ServiceWindow(), WM_SVC_INSTALL_DONE, 0, 0); });
    worker.join();
    EXPECT_TRUE(posted);
    EXPECT_TRUE(fixture.PumpUntil(WM_UI_INSTALL_DONE));

    HWND gone = nullptr;
    {
        TestWindow window([](UINT, WPARAM, LPARAM) {});
        gone = window.Handle();
    }
    const ULONGLONG start = ::GetTickCount64();
    EXPECT_FALSE(PostRecordMustArrive(gone, WM_SVC_DOWNLOAD_PROGRESS, 0, std::make_unique<ModuleProgress>()));
    EXPECT_FALSE(PostMustArrive(nullptr, WM_SVC_INSTALL_DONE, 0, 0));
    EXPECT_LT(::GetTickCount64() - start, 5000u);
}
