// The wizard's main dialog in a real window, driven by the engine's messages as
// the install service posts them, with its splash timer's ticks delivered by the
// test (the test owns the clock), its questions answered from a script, and
// real clicks of the display server on the module list.

#include "InstallerTest.h"
#include "ProbeMainDlg.h"
#include "WizardTestRecords.h"
#include "RenderTestSupport.h"

#include "controls/SAnimateImgWnd.h"
#include "controls/SButton.h"
#include "controls/SCheckBox.h"
#include "controls/ILvAdapter.h"
#include "controls/SItemPanel.h"
#include "controls/SImageWnd.h"
#include "controls/SListView.h"
#include "controls/SProgress.h"
#include "controls/SStatic.h"
#include "controls/STabCtrl.h"

#include "HelperProcess.h"
#include "LoopbackServer.h"
#include "ScratchDir.h"
#include "WinePath.h"

#include "render/IBitmap.h"
#include "report/DataDelivery.h"
#include "service/InstallMessages.h"
#include "service/InstallService.h"
#include "service/ProgressRecords.h"
#include "sysutil/SysUtilPath.h"
#include "sysutil/SysUtilProcess.h"
#include "sysutil/SysUtilText.h"

#include <memory>
#include <string>
#include <thread>
#include <vector>

using namespace SAKU;
using namespace installer_test;
using tivala::InstallService;
using tivala::ModuleRecord;

namespace {

ModuleRecord Module(const wchar_t* appPath, const wchar_t* name, bool selected, bool forced = false, bool locked = false)
{
    ModuleRecord module;
    module.appPath = appPath;
    module.name = name;
    module.desc = std::wstring(name) + L" 的说明";
    module.selected = selected;
    module.forced = forced;
    module.locked = locked;
    module.unpack = true;
    module.unzipSize = 4096;
    module.downloadSize = 1024;
    module.widgetver = L"2.0.5.2";
    return module;
}

// A PNG of the program's own resources, as a manifest's icon would bring it.
std::vector<uint8_t> ResourcePng(const wchar_t* name)
{
    const HMODULE self = ::GetModuleHandleW(nullptr);
    const HRSRC found = ::FindResourceW(self, name, L"PNG");
    const HGLOBAL loaded = found ? ::LoadResource(self, found) : nullptr;
    const auto* const bytes = static_cast<const uint8_t*>(loaded ? ::LockResource(loaded) : nullptr);
    return bytes ? std::vector<uint8_t>(bytes, bytes + ::SizeofResource(self, found)) : std::vector<uint8_t>();
}

// What the manifest brings: "Main" is always installed and not offered; the
// list shows the other three, "Rainmeter" kept by the earlier installation.
std::vector<ModuleRecord> Manifest()
{
    std::vector<ModuleRecord> modules = {Module(L"Main", L"主程序", true, true), Module(L"WallPaper", L"动态壁纸", true),
                                         Module(L"Rainmeter", L"桌面挂件", true, false, true),
                                         Module(L"Live", L"直播壁纸", false)};
    modules[1].iconBytes = ResourcePng(L"PNG_CAPTION_LOGO_PNG");
    modules[2].iconBytes = {1, 2, 3};   // not an image: the row shows no icon
    modules[1].id = L"12";
    modules[2].id = L"7";
    return modules;
}

class CMainDlgTest : public InstallerTest {
protected:
    void TearDown() override
    {
        InstallService& service = InstallService::GetInstance();
        service.modules.clear();
        service.installedInfo = {};
        InstallerTest::TearDown();
    }

    // Created and initialised as start-up does it, on an earlier installation
    // whose folders are the test's; the splash timer is the test's to tick.
    void Open(ProbeMainDlg& dialog)
    {
        ASSERT_TRUE(dialog.OpenAsStartUp(Manifest(), m_folders.File(L"Tivala"), m_folders.File(L"TivalaResource")));
        Pump();
    }
    // Open, with the manifest in and the splash over: the module page.
    void OpenModulePage(ProbeMainDlg& dialog)
    {
        Open(dialog);
        Tick(dialog, CMainDlg::kSplashTimer);
        Post(dialog, tivala::WM_UI_MANIFEST, 1, 0);
        ASSERT_EQ(1, Page(dialog));
    }
    // The module page in front, where the display server's clicks reach it.
    void OpenModulePageForClicks(ProbeMainDlg& dialog)
    {
        OpenModulePage(dialog);
        ::SetForegroundWindow(dialog.GetHwnd());
        Pump();
    }

    static void Tick(ProbeMainDlg& dialog, UINT_PTR id)
    {
        ::SendMessageW(dialog.GetHwnd(), WM_TIMER, id, 0);
        Pump();
    }
    static void Post(ProbeMainDlg& dialog, UINT message, WPARAM wParam, LPARAM lParam)
    {
        ASSERT_TRUE(::PostMessageW(dialog.GetHwnd(), message, wParam, lParam));
        Pump();
    }
    static void Click(ProbeMainDlg& dialog, const wchar_t* name)
    {
        SWindow* const control = dialog.FindChildByName(name);
        ASSERT_NE(nullptr, control) << name;
        control->FireCommand();
        Pump();
    }
    static int Page(const ProbeMainDlg& dialog, const wchar_t* tabs = L"tab_main")
    {
        const auto* const tab = dialog.FindChildByName2<STabCtrl>(tabs);
        return tab ? tab->GetCurSel() : -1;
    }
    static std::wstring Text(const ProbeMainDlg& dialog, const wchar_t* name)
    {
        const SWindow* const window = dialog.FindChildByName(name);
        return window ? window->GetWindowText().c_str() : L"(none)";
    }
    static std::wstring EditText(const ProbeMainDlg& dialog, int id)
    {
        const SWindow* const edit = dialog.FindChildByID(id);
        return edit ? edit->GetWindowText().c_str() : L"(none)";
    }
    static bool Enabled(const ProbeMainDlg& dialog, const wchar_t* name)
    {
        const SWindow* const window = dialog.FindChildByName(name);
        return window && !window->IsDisabled(TRUE);
    }
    static bool Shown(const ProbeMainDlg& dialog, const wchar_t* name)
    {
        const SWindow* const window = dialog.FindChildByName(name);
        return window && window->IsVisible(FALSE);
    }
    // A real click of the display server on the middle of the module list's row.
    void ClickRow(ProbeMainDlg& dialog, int index)
    {
        auto* const list = dialog.FindChildByName2<SListView>(L"download_listview");
        SItemPanel* const row = list ? list->GetItemPanel(index) : nullptr;
        ASSERT_NE(nullptr, row);
        const RECT rect = row->GetItemRect();
        const POINT centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        StartXdotool("mousemove " + Xy(OnScreen(dialog.GetHwnd(), centre)) + " sleep 0.3 click 1 sleep 0.3");
        ASSERT_TRUE(PumpUntil([this] { return XdotoolDone(); }, 20000));
        Pump();
    }
    static bool Ticked(ProbeMainDlg& dialog, int index)
    {
        auto* const list = dialog.FindChildByName2<SListView>(L"download_listview");
        SItemPanel* const row = list ? list->GetItemPanel(index) : nullptr;
        auto* const box = row ? row->FindChildByName2<SCheckBox>(L"checkbox") : nullptr;
        return box && box->IsChecked();
    }
    void Keep(ProbeMainDlg& dialog, const wchar_t* name)
    {
        PumpUntil([] { return false; }, 600);   // the tab controls' slides end
        dialog.MarkFullRedraw();
        dialog.UpdateWindow();
        saku_test::KeepPng(dialog.GetCacheTarget(), L"TIVALA_PAINT_PNG", name);
    }

    tivala::test::ScratchDir m_folders;
};

}  // namespace

TEST_F(CMainDlgTest, TheModulePageComesWhenTheSplashIsOverAndTheManifestIsIn)
{
    const struct {
        const char* order;
        bool manifestFirst;
    } cases[] = {
        {"the manifest at 1 s waits for the splash's 4 s", true},
        {"the manifest at 6 s shows the page at once", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.order);
        ProbeMainDlg dialog;
        Open(dialog);
        EXPECT_EQ(1, dialog.manifestStarts);
        EXPECT_EQ(0, Page(dialog));
        EXPECT_TRUE(Shown(dialog, L"animate_request_install_menifest"));
        if (c.manifestFirst) {
            Post(dialog, tivala::WM_UI_MANIFEST, 1, 0);
            EXPECT_EQ(0, Page(dialog));
            Tick(dialog, CMainDlg::kSplashTimer);
        } else {
            Tick(dialog, CMainDlg::kSplashTimer);
            EXPECT_EQ(0, Page(dialog));
            Post(dialog, tivala::WM_UI_MANIFEST, 1, 0);
        }
        EXPECT_EQ(1, Page(dialog));
        EXPECT_FALSE(Shown(dialog, L"animate_request_install_menifest"));
        DestroyHost(dialog);
    }
}

TEST_F(CMainDlgTest, AnElementsTimerNeverEndsTheSplashNorTurnsTheSlides)
{
    ProbeMainDlg dialog;
    Open(dialog);
    Post(dialog, tivala::WM_UI_MANIFEST, 1, 0);
    const std::wstring title = Text(dialog, L"title");
    // Element timers carry the element's own id in bits 24-30 and its handle in
    // the low bits, which may read 100 or 101 in their lowest byte.
    for (const UINT_PTR id : {UINT_PTR(0x80000065), UINT_PTR(0x81000065), UINT_PTR(0x80000064), UINT_PTR(0xFF000064),
                              UINT_PTR(0x165), UINT_PTR(0x164)}) {
        SCOPED_TRACE(id);
        Tick(dialog, id);
        EXPECT_FALSE(dialog.Engine().SplashDone());
        EXPECT_EQ(0, Page(dialog));
        EXPECT_EQ(title, Text(dialog, L"title"));
    }
    Tick(dialog, CMainDlg::kSplashTimer);
    EXPECT_EQ(1, Page(dialog));
    DestroyHost(dialog);
}

TEST_F(CMainDlgTest, TheModulePageOffersTheManifestsModulesAndTheEarlierFolders)
{
    ProbeMainDlg dialog;
    OpenModulePage(dialog);
    auto* const list = dialog.FindChildByName2<SListView>(L"download_listview");
    ASSERT_NE(nullptr, list);
    ASSERT_NE(nullptr, list->GetAdapter());
    EXPECT_EQ(3, list->GetAdapter()->GetCount());   // "Main" is never offered
    EXPECT_TRUE(PumpUntil([&] { return list->IsFocused() != FALSE; }, 3000));   // once its page has slid in

    const struct {
        const wchar_t* name;
        bool ticked;
    } rows[] = {{L"动态壁纸", true}, {L"桌面挂件", true}, {L"直播壁纸", false}};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        SItemPanel* const row = list->GetItemPanel(i);
        ASSERT_NE(nullptr, row);
        auto* const name = row->FindChildByName2<SStatic>(L"text_module_name");
        ASSERT_NE(nullptr, name);
        EXPECT_STREQ(rows[i].name, name->GetWindowText().c_str());
        auto* const box = row->FindChildByName2<SCheckBox>(L"checkbox");
        ASSERT_NE(nullptr, box);
        EXPECT_EQ(rows[i].ticked, box->IsChecked() != FALSE);
        EXPECT_STREQ(rows[i].ticked ? L"png_module_bk_selected_png" : L"png_module_bk_png",
                     row->GetNcSkin() ? row->GetNcSkin()->GetName() : L"(none)");
        RECT rect = row->GetItemRect();
        EXPECT_EQ(70, rect.bottom - rect.top);   // every row is evenSelHeight high
        auto* const icon = row->FindChildByName2<SImageWnd>(L"net_img");
        ASSERT_NE(nullptr, icon);
        EXPECT_EQ(i == 0, icon->GetImage() && icon->GetImage()->Width() > 0);
    }
    EXPECT_EQ(m_folders.File(L"Tivala"), EditText(dialog, 1000));
    EXPECT_EQ(m_folders.File(L"TivalaResource"), EditText(dialog, 1011));
    EXPECT_TRUE(Enabled(dialog, L"btn_next_to_choose_res_directory"));
    EXPECT_FALSE(Shown(dialog, L"icon_choose_install_directory_warning"));
    EXPECT_FALSE(Shown(dialog, L"text_choose_install_directory_warning"));
    EXPECT_EQ(L"v2.0.5.2", Text(dialog, L"text_main_version"));
    EXPECT_EQ(0, Page(dialog, L"tab_config"));
    Keep(dialog, L"wizard_modules");
    DestroyHost(dialog);
}

TEST_F(CMainDlgTest, AnInvalidFolderShowsTheWarningAndBlocksItsButton)
{
    ProbeMainDlg dialog;
    OpenModulePage(dialog);
    const std::wstring bad = L"1:\\nowhere";   // no drive letter: refused before any disk is touched
    const std::wstring badWarning = tivala::SysUtil::GetPathErrorText(tivala::SysUtil::kPathBadDrive, 3 * 4096);
    ASSERT_FALSE(badWarning.empty());

    dialog.folders = {bad};
    Click(dialog, L"select_dir_button");
    EXPECT_EQ(bad + L"\\Tivala", EditText(dialog, 1000));
    EXPECT_TRUE(Shown(dialog, L"icon_choose_install_directory_warning"));
    EXPECT_EQ(badWarning, Text(dialog, L"text_choose_install_directory_warning"));
    EXPECT_EQ(1, Page(dialog, L"tab_config"));   // the folder page, where the warning shows
    EXPECT_FALSE(Enabled(dialog, L"btn_next_to_choose_res_directory"));
    Keep(dialog, L"wizard_bad_folder");

    // The licence box alone does not open the way while the folder is bad.
    auto* const licence = dialog.FindChildByName2<SCheckBox>(L"check_read_info");
    ASSERT_NE(nullptr, licence);
    licence->SetCheck(FALSE);
    Click(dialog, L"check_read_info");
    licence->SetCheck(TRUE);
    Click(dialog, L"check_read_info");
    EXPECT_FALSE(Enabled(dialog, L"btn_next_to_choose_res_directory"));

    // A good folder: the drive's own folder gets "Tivala" under it, a folder
    // already named so is kept as it is.
    const struct {
        std::wstring chosen;
        std::wstring shown;
    } good[] = {
        {m_folders.Path(), m_folders.File(L"Tivala")},
        {m_folders.File(L"elsewhere\\Tivala"), m_folders.File(L"elsewhere\\Tivala")},
    };
    ASSERT_TRUE(::CreateDirectoryW(m_folders.File(L"elsewhere").c_str(), nullptr));
    ASSERT_TRUE(::CreateDirectoryW(m_folders.File(L"elsewhere\\Tivala").c_str(), nullptr));
    for (const auto& c : good) {
        SCOPED_TRACE(c.chosen);
        dialog.folders = {c.chosen};
        Click(dialog, L"select_dir_button");
        EXPECT_EQ(c.shown, EditText(dialog, 1000));
        EXPECT_TRUE(tivala::SysUtil::PathExists(c.shown));
        EXPECT_FALSE(Shown(dialog, L"icon_choose_install_directory_warning"));
        EXPECT_EQ(L"", Text(dialog, L"text_choose_install_directory_warning"));
        EXPECT_TRUE(Enabled(dialog, L"btn_next_to_choose_res_directory"));
    }
    EXPECT_FALSE(tivala::SysUtil::PathExists(m_folders.File(L"elsewhere\\Tivala\\Tivala")));

    // Unticking the licence blocks the button; ticking it again frees it.
    licence->SetCheck(FALSE);
    Click(dialog, L"check_read_info");
    EXPECT_FALSE(Enabled(dialog, L"btn_next_to_choose_res_directory"));
    licence->SetCheck(TRUE);
    Click(dialog, L"check_read_info");
    EXPECT_TRUE(Enabled(dialog, L"btn_next_to_choose_res_directory"));

    // A cancelled dialog changes nothing.
    Click(dialog, L"select_dir_button");
    EXPECT_EQ(m_folders.File(L"elsewhere\\Tivala"), EditText(dialog, 1000));

    // The resource folder blocks "next1" the same way.
    Click(dialog, L"btn_next_to_choose_res_directory");
    EXPECT_EQ(2, Page(dialog));
    EXPECT_TRUE(Enabled(dialog, L"next1"));
    dialog.folders = {bad};
    Click(dialog, L"select_bizhidir_button");
    EXPECT_EQ(bad + L"\\TivalaResource", EditText(dialog, 1011));
    EXPECT_TRUE(Shown(dialog, L"icon_choose_res_directory_warning"));
    EXPECT_FALSE(Text(dialog, L"text_choose_res_directory_warning").empty());
    EXPECT_FALSE(Enabled(dialog, L"next1"));
    Keep(dialog, L"wizard_bad_resource_folder");
    dialog.folders = {m_folders.Path()};
    Click(dialog, L"select_bizhidir_button");
    EXPECT_EQ(m_folders.File(L"TivalaResource"), EditText(dialog, 1011));
    EXPECT_FALSE(Shown(dialog, L"icon_choose_res_directory_warning"));
    EXPECT_TRUE(Enabled(dialog, L"next1"));
    DestroyHost(dialog);
}

TEST_F(CMainDlgTest, ARowOfAnEarlierInstallationsModuleDoesNotToggleUnderRealClicks)
{
    ProbeMainDlg dialog;
    OpenModulePageForClicks(dialog);
    auto* const list = dialog.FindChildByName2<SListView>(L"download_listview");
    ASSERT_NE(nullptr, list);
    const InstallService& service = InstallService::GetInstance();

    ClickRow(dialog, 1);   // "Rainmeter", locked
    EXPECT_TRUE(Ticked(dialog, 1));
    EXPECT_TRUE(service.GetModule(L"Rainmeter").selected);

    ClickRow(dialog, 2);   // "Live": ticked, in the service too, on the ticked background
    EXPECT_TRUE(Ticked(dialog, 2));
    EXPECT_TRUE(service.GetModule(L"Live").selected);
    ASSERT_NE(nullptr, list->GetItemPanel(2)->GetNcSkin());
    EXPECT_STREQ(L"png_module_bk_selected_png", list->GetItemPanel(2)->GetNcSkin()->GetName());
    Keep(dialog, L"wizard_modules_clicked");

    ClickRow(dialog, 2);   // and off again
    EXPECT_FALSE(Ticked(dialog, 2));
    EXPECT_FALSE(service.GetModule(L"Live").selected);
    EXPECT_STREQ(L"png_module_bk_png", list->GetItemPanel(2)->GetNcSkin()->GetName());

    ClickRow(dialog, 0);   // "WallPaper" is not locked: it unticks
    EXPECT_FALSE(Ticked(dialog, 0));
    EXPECT_FALSE(service.GetModule(L"WallPaper").selected);
    EXPECT_TRUE(service.GetModule(L"Rainmeter").selected);
    DestroyHost(dialog);
}

// A row draws its card as the frame of its 2-pixel margin: ticking a row with a
// real click turns that frame from the faint edge of "png_module_bk_png" to the
// cyan to violet glow of "png_module_bk_selected_png", and unticking turns it
// back; the inside of the row stays as it was.
TEST_F(CMainDlgTest, TickingARowMakesItsCardsEdgeGlow)
{
    ProbeMainDlg dialog;
    OpenModulePageForClicks(dialog);
    auto* const list = dialog.FindChildByName2<SListView>(L"download_listview");
    ASSERT_NE(nullptr, list);
    // "直播壁纸", unticked; its panel is looked up again after each click, since
    // the list may give the row another one as the hover changes its view type.
    const auto skin = [&] {
        SItemPanel* const row = list->GetItemPanel(2);
        return row && row->GetNcSkin() ? row->GetNcSkin()->GetName() : L"(none)";
    };
    ASSERT_NE(nullptr, list->GetItemPanel(2));
    const RECT rect = list->GetItemPanel(2)->GetItemRect();
    const int width = saku_test::CurrentBitmap(dialog.GetCacheTarget())->Width();
    const auto paint = [&](const wchar_t* png) {
        Keep(dialog, png);
        return saku_test::ReadPixels(dialog.GetCacheTarget());
    };
    // The middle of the frame's top and left sides, and a point inside the row
    // that no control covers.
    const POINT frame[] = {{(rect.left + rect.right) / 2, rect.top}, {(rect.left + rect.right) / 2, rect.top + 1},
                           {rect.left, (rect.top + rect.bottom) / 2}, {rect.left + 1, (rect.top + rect.bottom) / 2}};
    const POINT inside = {rect.left + 99, rect.top + 8};
    const auto at = [&](const saku_test::Pixels& pixels, POINT point) {
        return saku_test::PixelAt(pixels, width, point.x, point.y);
    };

    const saku_test::Pixels unticked = paint(L"wizard_row_unticked");
    ClickRow(dialog, 2);
    ASSERT_STREQ(L"png_module_bk_selected_png", skin());
    const saku_test::Pixels ticked = paint(L"wizard_row_ticked");
    for (const POINT& point : frame) {
        SCOPED_TRACE(testing::Message() << point.x << "," << point.y);
        const std::uint32_t faint = at(unticked, point);
        const std::uint32_t glow = at(ticked, point);
        EXPECT_NE(faint, glow);
        // Between cyan and violet: far more blue than red, and far bluer than the faint edge.
        EXPECT_GT(glow & 0xFF, ((glow >> 16) & 0xFF) + 0x40);
        EXPECT_GT(glow & 0xFF, (faint & 0xFF) + 0x60);
    }
    EXPECT_EQ(at(unticked, inside), at(ticked, inside));

    ClickRow(dialog, 2);
    ASSERT_STREQ(L"png_module_bk_png", skin());
    const saku_test::Pixels again = paint(L"wizard_row_unticked_again");
    for (const POINT& point : frame)
        EXPECT_EQ(at(unticked, point), at(again, point)) << point.x << "," << point.y;
    DestroyHost(dialog);
}

TEST_F(CMainDlgTest, FreeSpaceFollowsTheTicksOfRealClicks)
{
    ProbeMainDlg dialog;
    OpenModulePageForClicks(dialog);
    // "Live", not ticked yet, declares more than the install folder's drive has free.
    int64_t freeBytes = 0;
    int64_t totalBytes = 0;
    ASSERT_TRUE(tivala::SysUtil::GetDiskSpace(m_folders.Path(), freeBytes, totalBytes));
    constexpr int64_t kPebibyte = int64_t{1} << 50;
    ASSERT_LT(freeBytes, kPebibyte);
    InstallService& service = InstallService::GetInstance();
    for (ModuleRecord& module : service.modules) {
        if (module.appPath == L"Live")
            module.unzipSize = kPebibyte;
    }
    const std::wstring noSpace = tivala::SysUtil::GetPathErrorText(tivala::SysUtil::kPathNoSpace, 3 * 4096 + kPebibyte);
    ASSERT_FALSE(noSpace.empty());
    const auto expectRoom = [&](bool room) {
        EXPECT_EQ(!room, Shown(dialog, L"icon_choose_install_directory_warning"));
        EXPECT_EQ(!room, Shown(dialog, L"text_choose_install_directory_warning"));
        EXPECT_EQ(room ? L"" : noSpace, Text(dialog, L"text_choose_install_directory_warning"));
        EXPECT_EQ(room, Enabled(dialog, L"btn_next_to_choose_res_directory"));
        EXPECT_EQ(room, Enabled(dialog, L"next1"));
    };
    expectRoom(true);

    ClickRow(dialog, 2);   // "Live" ticked: the warning, on the folder page, and no way on
    EXPECT_TRUE(Ticked(dialog, 2));
    EXPECT_TRUE(service.GetModule(L"Live").selected);
    expectRoom(false);
    EXPECT_EQ(1, Page(dialog, L"tab_config"));
    Keep(dialog, L"wizard_no_space");

    ClickRow(dialog, 2);   // and unticked: the warning goes, the buttons work again
    EXPECT_FALSE(Ticked(dialog, 2));
    expectRoom(true);

    // Ticked again after the install button was pressed: back on the module
    // page, "next1" on the resource page follows the choice too.
    Click(dialog, L"btn_next_to_choose_res_directory");
    ASSERT_EQ(2, Page(dialog));
    Click(dialog, L"btn_back");
    ASSERT_EQ(1, Page(dialog));
    PumpUntil([] { return false; }, 600);   // the module page slides back in
    ClickRow(dialog, 2);
    EXPECT_TRUE(service.GetModule(L"Live").selected);
    expectRoom(false);
    DestroyHost(dialog);
}

TEST_F(CMainDlgTest, TheEnginesProgressMovesTheBarAndSaysWhatIsDone)
{
    ProbeMainDlg dialog;
    OpenModulePage(dialog);
    Click(dialog, L"btn_next_to_choose_res_directory");
    Click(dialog, L"next1");
    EXPECT_EQ(3, Page(dialog));
    EXPECT_EQ(1, dialog.installStarts);
    EXPECT_EQ(m_folders.File(L"Tivala"), InstallService::GetInstance().installDirectory);
    EXPECT_EQ(m_folders.File(L"TivalaResource"), InstallService::GetInstance().resourceDirectory);
    EXPECT_FALSE(Shown(dialog, L"btn_close"));
    EXPECT_TRUE(Shown(dialog, L"animate_install1"));
    auto* const bar = dialog.FindChildByName2<SProgress>(L"progress");
    ASSERT_NE(nullptr, bar);

    const struct {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        int value;
        const wchar_t* activity;
    } steps[] = {
        {tivala::WM_UI_THEME_MIGRATE, 0, Carry<tivala::ThemeMigrationProgress>(50), 5, L"正在迁移资源文件..."},
        {tivala::WM_UI_DOWNLOAD_PROGRESS, 1, Carry<tivala::ProgressInfo>(50), 40, L"正在下载文件..."},
        {tivala::WM_UI_UNPACK_FILE, CarryText(L"C:\\x\\Main\\Starter.exe"), 0, 40,
         L"正在解压文件:Starter.exe"},
        {tivala::WM_UI_UNPACK_FILE, CarryText(L""), 0, 40, L"正在解压文件:Starter.exe"},
        {tivala::WM_UI_INSTALL_PROGRESS, 50, 0, 85, L"正在解压文件:Starter.exe"},
        {tivala::WM_UI_MODULE_UNPACKED, 1, Carry<tivala::UnpackProgress>(100), 100, L"正在解压文件:Starter.exe"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(testing::Message() << std::hex << step.message);
        Post(dialog, step.message, step.wParam, step.lParam);
        EXPECT_EQ(step.value, bar->GetValue());
        EXPECT_EQ(std::to_wstring(step.value) + L"%", Text(dialog, L"text_percent"));
        EXPECT_EQ(step.activity, Text(dialog, L"text_installing"));
    }
    Keep(dialog, L"wizard_installing");

    // The slides turn every tick; the second shares the first one's texts.
    const std::wstring firstTitle = Text(dialog, L"title");
    Tick(dialog, CMainDlg::kSlideTimer);
    EXPECT_EQ(firstTitle, Text(dialog, L"title"));
    EXPECT_FALSE(Shown(dialog, L"animate_install1"));
    EXPECT_TRUE(Shown(dialog, L"animate_install2"));
    Tick(dialog, CMainDlg::kSlideTimer);
    EXPECT_EQ(L"动态交互壁纸", Text(dialog, L"title"));
    EXPECT_EQ(L"采用自主研发的高性能内核", Text(dialog, L"textline1"));
    EXPECT_TRUE(Shown(dialog, L"animate_install3"));
    DestroyHost(dialog);
}

TEST_F(CMainDlgTest, FailuresAskAndTheRightButtonRetries)
{
    ProbeMainDlg dialog;
    Open(dialog);
    dialog.answers = {true};
    Post(dialog, tivala::WM_UI_MANIFEST, 0, 0);
    EXPECT_EQ(std::vector<std::wstring>{L"无法连接到服务器，确定要退出安装吗？"}, dialog.questions);
    EXPECT_EQ(2, dialog.manifestStarts);
    EXPECT_TRUE(::IsWindow(dialog.GetHwnd()));

    dialog.answers = {false};
    Post(dialog, tivala::WM_UI_DOWNLOAD_PROGRESS, 0, Carry<tivala::ProgressInfo>(0));
    EXPECT_EQ(L"下载文件出错，需要重试吗？", dialog.questions.back());
    EXPECT_FALSE(::IsWindow(dialog.GetHwnd()));   // the left button ends the installer
    DropQuitMessage();
}

TEST_F(CMainDlgTest, ClosingAsksOnEveryPageButTheLast)
{
    const struct {
        int page;
        std::deque<bool> answers;
        size_t questions;
        bool open;
    } cases[] = {
        {0, {true}, 1, true},    // the right button keeps the installer
        {0, {false}, 1, false},
        {1, {true}, 1, true},
        {3, {false}, 1, false},
        {4, {}, 0, false},       // done: no question
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.page);
        ProbeMainDlg dialog;
        Open(dialog);
        dialog.FindChildByName2<STabCtrl>(L"tab_main")->SetCurSel(c.page);
        dialog.answers = c.answers;
        ::SendMessageW(dialog.GetHwnd(), WM_CLOSE, 0, 0);
        Pump();
        EXPECT_EQ(c.questions, dialog.questions.size());
        if (c.questions) {
            EXPECT_EQ(L"正在安装中，确定要退出吗？", dialog.questions[0]);
        }
        EXPECT_EQ(c.open, ::IsWindow(dialog.GetHwnd()) != FALSE);
        if (::IsWindow(dialog.GetHwnd()))
            DestroyHost(dialog);
        DropQuitMessage();
    }
}

TEST_F(CMainDlgTest, CompletionShowsTheLastPageAndTheReportsLeaveBeforeTheWindowGoes)
{
    tivala::test::LoopbackServer server(L"report_server.py", {});
    ASSERT_TRUE(server.Started());
    tivala::DataDelivery reporter(tivala::test::Wide(server.Url("")));
    ASSERT_TRUE(reporter.Start());

    ProbeMainDlg dialog(&reporter);
    OpenModulePage(dialog);
    Click(dialog, L"btn_next_to_choose_res_directory");
    Click(dialog, L"next1");
    Post(dialog, tivala::WM_UI_INSTALL_DONE, 0, 0);
    EXPECT_EQ(4, Page(dialog));
    EXPECT_TRUE(Shown(dialog, L"btn_close"));
    EXPECT_TRUE(Shown(dialog, L"animate_install_finished"));
    for (const wchar_t* slide : {L"animate_install1", L"animate_install2", L"animate_install3", L"animate_install4"})
        EXPECT_FALSE(Shown(dialog, slide)) << slide;
    Keep(dialog, L"wizard_complete");

    // The finish button starts the product and closes; the reports are sent
    // before the window is gone, without the message loop's help.
    Click(dialog, L"btn_finished");
    EXPECT_EQ(std::vector<std::wstring>{InstallService::GetInstance().GetStarterPath()}, dialog.productStarts);
    EXPECT_FALSE(::IsWindow(dialog.GetHwnd()));
    DropQuitMessage();
    const std::vector<tivala::test::LoggedRequest> requests = server.Requests();
    // The installation's own report, one per selected optional module
    // ("WallPaper" and "Rainmeter"), then the channel.
    ASSERT_EQ(4u, requests.size());
    EXPECT_EQ("/collect/install", requests[0].path);
    EXPECT_EQ("/channel/save", requests[3].path);
}

// A product program still running when install is clicked brings the kill
// question, whichever list names it: "yes" ends it and installs, "no" ends the
// installer and leaves the program alone.
TEST_F(CMainDlgTest, ARunningProductProgramBringsTheKillQuestion)
{
    const struct {
        const wchar_t* tag;
        bool manifestList;
        bool yes;
    } cases[] = {{L"end-yes", false, true}, {L"manifest-yes", true, true}, {L"end-no", false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(tivala::SysUtil::WideToUtf8(c.tag));
        const tivala::test::HelperCopy product(c.tag);
        ASSERT_TRUE(product.Copied());
        const tivala::test::Child running(product, L"sleep");
        ASSERT_TRUE(running.Started());
        ASSERT_TRUE(PumpUntil([&] { return tivala::SysUtil::IsProcessRunning(product.Name()); }, 10000));

        ProbeMainDlg dialog;
        OpenModulePage(dialog);
        InstallService& service = InstallService::GetInstance();
        (c.manifestList ? service.manifestProcessNames : service.endProcessNames) = {L"no-such-program.exe",
                                                                                   product.Name()};
        dialog.answers = {c.yes};
        Click(dialog, L"btn_next_to_choose_res_directory");
        Click(dialog, L"next1");
        EXPECT_EQ(std::vector<std::wstring>{L"检测到Tivala正在运行，确定要强制关闭并继续安装吗？"}, dialog.questions);
        if (c.yes) {
            EXPECT_EQ(tivala::test::kEndedByKill, running.WaitForExit(10000).value_or(1234));
            EXPECT_EQ(1, dialog.installStarts);
            EXPECT_EQ(3, Page(dialog));
            DestroyHost(dialog);
        } else {
            EXPECT_FALSE(running.WaitForExit(0).has_value());
            EXPECT_EQ(0, dialog.installStarts);
            EXPECT_FALSE(::IsWindow(dialog.GetHwnd()));
        }
        DropQuitMessage();
        service.endProcessNames.clear();
        service.manifestProcessNames.clear();
    }
}

// The question is the installer's own message box, answered by the display
// server's mouse: its right button keeps the installer, its left one ends it.
TEST_F(CMainDlgTest, TheCloseQuestionIsAMessageBoxAnsweredWithTheMouse)
{
    ProbeMainDlg dialog;
    Open(dialog);
    dialog.realQuestions = true;
    const struct {
        const wchar_t* button;
        bool open;
    } answers[] = {{L"page_okcancle_btn_ok", true}, {L"page_okcancle_btn_cancle", false}};
    for (const auto& answer : answers) {
        SCOPED_TRACE(answer.button);
        // The box's buttons, as its layout places them in its 320 x 150 client area.
        const POINT centre = answer.open ? POINT{235, 107} : POINT{85, 107};
        bool clicked = false;
        // The dialog's thread runs the box's modal loop: another thread finds
        // the box on screen and has the display server click it.
        std::thread clicker([&] {
            const ULONGLONG deadline = ::GetTickCount64() + 20000;
            HWND box = nullptr;
            while (!box && ::GetTickCount64() < deadline) {
                box = ::FindWindowW(nullptr, L"mesagebox");
                ::Sleep(50);
            }
            if (!box)
                return;
            ::Sleep(300);   // shown and drawn
            StartXdotool("mousemove " + Xy(OnScreen(box, centre)) + " sleep 0.5 click 1");
            clicked = true;
            while (::IsWindow(box) && ::GetTickCount64() < deadline)
                ::Sleep(50);
            if (::IsWindow(box))
                ::PostMessageW(box, WM_CLOSE, 0, 0);   // a click that missed: the test fails, but ends
            // The box goes on the click itself, before xdotool has ended; the
            // dialog's end then posts WM_QUIT, which would cut the pumping below short.
            while (!XdotoolDone() && ::GetTickCount64() < deadline)
                ::Sleep(50);
        });
        ::SendMessageW(dialog.GetHwnd(), WM_CLOSE, 0, 0);   // returns when the box has been answered
        clicker.join();
        EXPECT_TRUE(clicked);
        EXPECT_TRUE(PumpUntil([&] { return XdotoolDone(); }, 20000));
        EXPECT_EQ(answer.open, ::IsWindow(dialog.GetHwnd()) != FALSE);
    }
    EXPECT_EQ(2u, dialog.questions.size());
    if (::IsWindow(dialog.GetHwnd()))
        DestroyHost(dialog);
    DropQuitMessage();
}
