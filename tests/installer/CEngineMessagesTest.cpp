#include "CEngineMessages.h"
#include "IWizardView.h"
#include "WizardTestRecords.h"

#include "service/InstallMessages.h"
#include "service/ProgressRecords.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

using namespace tivala;
using installer_test::Carry;
using installer_test::CarryText;
using installer_test::TakeNext;

namespace {

// Writes down what the engine's messages asked of the wizard, one line a call,
// and answers the questions and restarts from scripts.
class RecordingView final : public IWizardView {
public:
    std::vector<std::wstring> calls;
    std::deque<bool> answers;    // AskToContinue's, in turn; false when none are left
    std::deque<bool> restarts;   // RestartManifest's and RestartInstall's; true when none are left

    void ShowModulePage() override { calls.push_back(L"modules"); }
    void ShowProgress(int value) override { calls.push_back(L"progress " + std::to_wstring(value)); }
    void ShowActivity(const std::wstring& text) override { calls.push_back(L"activity " + text); }
    bool AskToContinue(const std::wstring& question) override
    {
        calls.push_back(L"ask " + question);
        return TakeNext(answers, false);
    }
    void Quit() override { calls.push_back(L"quit"); }
    bool RestartManifest() override
    {
        calls.push_back(L"restart manifest");
        return TakeNext(restarts, true);
    }
    bool RestartInstall() override
    {
        calls.push_back(L"restart install");
        return TakeNext(restarts, true);
    }
    void ShowCompletion() override { calls.push_back(L"completion"); }
    void FocusModuleList() override { calls.push_back(L"focus list"); }
};

using Calls = std::vector<std::wstring>;

class CEngineMessagesTest : public testing::Test {
protected:
    RecordingView view;
    CEngineMessages messages{view};
};

}  // namespace

TEST_F(CEngineMessagesTest, ManifestBeforeTheSplashEndsWaitsForIt)
{
    EXPECT_TRUE(messages.Handle(WM_UI_MANIFEST, 1, 0));
    EXPECT_TRUE(messages.ManifestReady());
    EXPECT_EQ(Calls{}, view.calls);
    messages.OnSplashElapsed();
    EXPECT_EQ(Calls{L"modules"}, view.calls);
    messages.OnSplashElapsed();   // a stray second tick shows nothing again
    EXPECT_EQ(Calls{L"modules"}, view.calls);
}

TEST_F(CEngineMessagesTest, ManifestAfterTheSplashShowsTheModulesAtOnce)
{
    messages.OnSplashElapsed();
    EXPECT_TRUE(messages.SplashDone());
    EXPECT_EQ(Calls{}, view.calls);
    messages.Handle(WM_UI_MANIFEST, 1, 0);
    EXPECT_EQ(Calls{L"modules"}, view.calls);
}

TEST_F(CEngineMessagesTest, FailuresAskAndRetryOrQuit)
{
    const std::wstring noServer = L"ask 无法连接到服务器，确定要退出安装吗？";
    const std::wstring download = L"ask 下载文件出错，需要重试吗？";
    const std::wstring unpack = L"ask 解压文件出错，需要重试吗？";
    const struct {
        UINT message;
        LPARAM record;
        bool answer;
        Calls calls;
    } cases[] = {
        {WM_UI_MANIFEST, 0, true, {noServer, L"restart manifest"}},
        {WM_UI_MANIFEST, 0, false, {noServer, L"quit"}},
        {WM_UI_DOWNLOAD_PROGRESS, Carry<ProgressInfo>(40), true, {download, L"restart install"}},
        {WM_UI_DOWNLOAD_PROGRESS, 0, false, {download, L"quit"}},
        {WM_UI_MODULE_UNPACKED, Carry<UnpackProgress>(40), true, {unpack, L"restart install"}},
        {WM_UI_MODULE_UNPACKED, 0, false, {unpack, L"quit"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.message << " answered " << c.answer);
        RecordingView view;
        view.answers = {c.answer};
        CEngineMessages messages(view);
        EXPECT_TRUE(messages.Handle(c.message, 0, c.record));
        EXPECT_EQ(c.calls, view.calls);
        EXPECT_FALSE(messages.ManifestReady());
    }
}

TEST_F(CEngineMessagesTest, ARetryThatCannotStartAsksAgain)
{
    view.answers = {true, true, false};
    view.restarts = {false, false};
    messages.Handle(WM_UI_DOWNLOAD_PROGRESS, 0, 0);
    const std::wstring question = L"ask 下载文件出错，需要重试吗？";
    EXPECT_EQ((Calls{question, L"restart install", question, L"restart install", question, L"quit"}), view.calls);
}

TEST_F(CEngineMessagesTest, AFreshInstallRunsDownloadsThenUnpacking)
{
    messages.Handle(WM_UI_DOWNLOAD_PROGRESS, 1, Carry<ProgressInfo>(50));
    messages.Handle(WM_UI_DOWNLOAD_PROGRESS, 1, Carry<ProgressInfo>(100));
    messages.Handle(WM_UI_UNPACK_FILE, CarryText(L"C:\\Tivala\\Main\\Starter.exe"), 0);
    messages.Handle(WM_UI_INSTALL_PROGRESS, 50, 0);
    messages.Handle(WM_UI_MODULE_UNPACKED, 1, Carry<UnpackProgress>(100));
    messages.Handle(WM_UI_INSTALL_DONE, 0, 0);
    EXPECT_EQ((Calls{L"progress 35", L"activity 正在下载文件...", L"progress 70", L"activity 正在下载文件...",
                     L"activity 正在解压文件:Starter.exe", L"progress 85", L"progress 100", L"completion"}),
              view.calls);
}

TEST_F(CEngineMessagesTest, ThemesThenUnpackingWithoutDownloadsEndsAt99)
{
    messages.Handle(WM_UI_THEME_MIGRATE, 0, Carry<ThemeMigrationProgress>(100));
    messages.Handle(WM_UI_MODULE_UNPACKED, 1, Carry<UnpackProgress>(50));
    messages.Handle(WM_UI_INSTALL_PROGRESS, 100, 0);
    EXPECT_EQ((Calls{L"progress 10", L"activity 正在迁移资源文件...", L"progress 54", L"progress 99"}), view.calls);
}

TEST_F(CEngineMessagesTest, AFailedDownloadStillMovesUnpackingIntoItsRange)
{
    view.answers = {true};
    messages.Handle(WM_UI_DOWNLOAD_PROGRESS, 0, Carry<ProgressInfo>(0));
    view.calls.clear();
    messages.Handle(WM_UI_INSTALL_PROGRESS, 0, 0);
    EXPECT_EQ(Calls{L"progress 70"}, view.calls);
}

TEST_F(CEngineMessagesTest, UnpackedFileNames)
{
    const struct {
        const wchar_t* path;   // null: no string at all
        Calls calls;
    } cases[] = {
        {L"D:\\Tivala\\WallPaper\\a b.dll", {L"activity 正在解压文件:a b.dll"}},
        {L"readme.txt", {L"activity 正在解压文件:readme.txt"}},
        {L"", {}},   // an archive's end leaves the line as it is
        {nullptr, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path ? c.path : L"(none)");
        RecordingView view;
        CEngineMessages messages(view);
        EXPECT_TRUE(messages.Handle(WM_UI_UNPACK_FILE, c.path ? CarryText(c.path) : 0, 0));
        EXPECT_EQ(c.calls, view.calls);
    }
}

TEST_F(CEngineMessagesTest, OnlyTheWizardsMessagesAreTaken)
{
    EXPECT_TRUE(messages.Handle(CEngineMessages::kFocusModuleList, 0, 0));
    EXPECT_EQ(Calls{L"focus list"}, view.calls);
    for (const UINT message : {0x500u, 0x508u, 0x601u, unsigned(WM_TIMER)}) {
        EXPECT_FALSE(CEngineMessages::IsEngineMessage(message)) << std::hex << message;
        EXPECT_FALSE(messages.Handle(message, 0, 0)) << std::hex << message;
    }
    for (UINT message = 0x501; message <= 0x507; ++message)
        EXPECT_TRUE(CEngineMessages::IsEngineMessage(message)) << std::hex << message;
    EXPECT_TRUE(CEngineMessages::IsEngineMessage(0x600));
}
