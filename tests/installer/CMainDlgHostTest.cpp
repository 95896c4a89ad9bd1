// The wizard's main dialog on screen, driven as a person drives it: the display
// server's mouse and keyboard scroll a module list longer than its page and
// answer the shell's own folder dialog. The manifest is the test's, the splash
// timer's tick is delivered by the test.

#include "InstallerTest.h"
#include "ProbeMainDlg.h"
#include "RenderTestSupport.h"

#include "controls/ILvAdapter.h"
#include "controls/SCheckBox.h"
#include "controls/SItemPanel.h"
#include "controls/SListView.h"
#include "controls/STabCtrl.h"

#include "FolderDialog.h"
#include "ScratchDir.h"
#include "Win32Handles.h"

#include "service/InstallMessages.h"
#include "service/InstallService.h"
#include "sysutil/SysUtilPath.h"
#include "sysutil/SysUtilText.h"

#include <commctrl.h>
#include <shlobj.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

using namespace SAKU;
using namespace installer_test;
using tivala::InstallService;
using tivala::ModuleRecord;

namespace {

constexpr int kRowPitch = 71;   // the module list's rows of 70 pixels and their divider of 1

// The manifest: "Main", always installed and not offered, then eight optional
// modules, more than the list's page of about three and a half rows shows.
// "Module1" and "Module6" come ticked.
std::vector<ModuleRecord> LongManifest()
{
    std::vector<ModuleRecord> modules(9);
    for (size_t i = 0; i < modules.size(); ++i) {
        ModuleRecord& module = modules[i];
        module.appPath = i == 0 ? L"Main" : L"Module" + std::to_wstring(i - 1);
        module.name = i == 0 ? L"主程序" : L"组件 " + std::to_wstring(i - 1);
        module.desc = module.name + L" 的说明";
        module.forced = i == 0;
        module.selected = i == 0 || i == 2 || i == 7;
        module.unpack = true;
        module.unzipSize = 4096;
        module.downloadSize = 1024;
        module.widgetver = L"2.0.5.2";
    }
    return modules;
}

// This process's shown shell folder dialog, or null.
HWND OwnFolderDialog()
{
    for (HWND w = ::FindWindowExW(nullptr, nullptr, L"#32770", nullptr); w;
         w = ::FindWindowExW(nullptr, w, L"#32770", nullptr)) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(w, &pid);
        if (pid == ::GetCurrentProcessId() && ::IsWindowVisible(w) && tivala::test::FolderTreeOf(w))
            return w;
    }
    return nullptr;
}

bool ChildNamed(HWND tree, HTREEITEM parent, const std::wstring& name)
{
    for (HTREEITEM child = TreeView_GetChild(tree, parent); child; child = TreeView_GetNextSibling(tree, child)) {
        if (tivala::test::TreeItemText(tree, child) == name)
            return true;
    }
    return false;
}

// Removes an empty folder when the test ends.
struct FolderRemover {
    std::wstring path;
    ~FolderRemover() { ::RemoveDirectoryW(path.c_str()); }
};

class CMainDlgHostTest : public InstallerTest {
protected:
    void TearDown() override
    {
        InstallService& service = InstallService::GetInstance();
        service.modules.clear();
        service.installedInfo = {};
        service.firstBoot = true;   // the autostart box's, unticked by a test
        InstallerTest::TearDown();
    }

    // Created and initialised as start-up does it, on an earlier installation
    // whose folders are the test's, then past the splash to the module page,
    // shown in front so that the display server's input reaches it.
    void OpenModulePage(ProbeMainDlg& dialog)
    {
        ASSERT_TRUE(dialog.OpenAsStartUp(LongManifest(), m_folders.File(L"Tivala"), m_folders.File(L"TivalaResource")));
        ::SendMessageW(dialog.GetHwnd(), WM_TIMER, CMainDlg::kSplashTimer, 0);
        ASSERT_TRUE(::PostMessageW(dialog.GetHwnd(), tivala::WM_UI_MANIFEST, 1, 0));
        auto* const tabs = dialog.FindChildByName2<STabCtrl>(L"tab_main");
        ASSERT_NE(nullptr, tabs);
        ASSERT_TRUE(PumpUntil([&] { return tabs->GetCurSel() == 1 && !tabs->IsSliding(); }));
    }

    // The dialog drawn afresh into its own surface.
    static saku_test::Pixels Drawn(ProbeMainDlg& dialog)
    {
        dialog.MarkFullRedraw();
        dialog.UpdateWindow();
        return saku_test::ReadPixels(dialog.GetCacheTarget());
    }
    static POINT Centre(const RECT& rect) { return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

    tivala::test::ScratchDir m_folders;
};

// The rows of the long module list, seen through the list, its panels and the
// install service.
class ModuleRows {
public:
    explicit ModuleRows(SListView& list) : m_list(list) {}

    bool Shown(int row) const { return m_list.GetItemPanel(row) != nullptr; }
    // The row's check box ticked on screen; false for a row scrolled away.
    bool Ticked(int row) const
    {
        const SCheckBox* const box = Box(row);
        return box && box->IsChecked();
    }
    // The module ticked in the service, which installs what is ticked there.
    static bool Selected(int row)
    {
        return InstallService::GetInstance().GetModule(L"Module" + std::to_wstring(row)).selected;
    }
    // The row's check box in host coordinates; empty for a row scrolled away.
    RECT BoxRect(int row) const
    {
        const SCheckBox* const box = Box(row);
        if (!box)
            return {};
        const RECT item = m_list.GetItemPanel(row)->GetItemRect();
        RECT rect = box->GetWindowRect();
        ::OffsetRect(&rect, item.left, item.top);
        return rect;
    }
    // The pixels of the row's check box, row by row.
    std::vector<std::uint32_t> BoxPixels(const saku_test::Pixels& drawn, int width, int row) const
    {
        const RECT rect = BoxRect(row);
        std::vector<std::uint32_t> pixels;
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x)
                pixels.push_back(saku_test::PixelAt(drawn, width, x, y));
        }
        return pixels;
    }
    // Where to click a row: its middle, in host coordinates.
    POINT Middle(int row) const
    {
        const RECT item = m_list.GetItemPanel(row)->GetItemRect();
        return {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    }
    // The thumb of the list's bar, in host coordinates.
    RECT Thumb() const
    {
        return SbPartRect(m_list.GetScrollBarRect(TRUE), true, m_list.GetSbArrowSize(), m_list.GetScrollInfo(TRUE),
                          kSbPartThumb, m_list.GetScrollPos(TRUE));
    }

private:
    SCheckBox* Box(int row) const
    {
        SItemPanel* const panel = m_list.GetItemPanel(row);
        return panel ? panel->FindChildByName2<SCheckBox>(L"checkbox") : nullptr;
    }

    SListView& m_list;
};

}  // namespace

// Eight modules in a page of three and a half rows: the wheel over the list and
// the bar's thumb dragged to its end scroll it, and rows ticked and unticked by
// clicks keep their ticks, in the service and on screen, when they come back.
TEST_F(CMainDlgHostTest, ALongModuleListScrollsByWheelAndThumbAndKeepsItsTicks)
{
    ProbeMainDlg dialog;
    OpenModulePage(dialog);
    const HWND window = dialog.GetHwnd();
    auto* const list = dialog.FindChildByName2<SListView>(L"download_listview");
    ASSERT_NE(nullptr, list);
    ASSERT_NE(nullptr, list->GetAdapter());
    ASSERT_EQ(8, list->GetAdapter()->GetCount());
    const ModuleRows rows(*list);
    ASSERT_TRUE(list->HasScrollBar(TRUE));
    const SCROLLINFO& scroll = list->GetScrollInfo(TRUE);
    const int lastPosition = scroll.nMax - static_cast<int>(scroll.nPage) + 1;
    ASSERT_GT(lastPosition, 0);

    // Row 0 ticked, row 1 unticked by clicks: their boxes change on screen.
    const auto boxes = [&rows](const saku_test::Pixels& drawn) {
        std::vector<std::vector<std::uint32_t>> pixels;
        for (int row = 0; row < 3; ++row)
            pixels.push_back(rows.BoxPixels(drawn, 340, row));
        return pixels;
    };
    const std::vector<std::vector<std::uint32_t>> shown = boxes(Drawn(dialog));
    Drive("mousemove " + Xy(OnScreen(window, rows.Middle(0))) + " sleep 0.3 click 1 sleep 0.3 mousemove " +
          Xy(OnScreen(window, rows.Middle(1))) + " sleep 0.3 click 1 sleep 0.3");
    EXPECT_TRUE(rows.Ticked(0) && rows.Selected(0));
    EXPECT_FALSE(rows.Ticked(1) || rows.Selected(1));
    const std::vector<std::vector<std::uint32_t>> clicked = boxes(Drawn(dialog));
    ASSERT_FALSE(clicked[0].empty());
    EXPECT_NE(shown[0], clicked[0]);
    EXPECT_NE(shown[1], clicked[1]);
    EXPECT_EQ(shown[2], clicked[2]);

    // The autostart box unticked takes the focus from the list; still, three
    // notches of the wheel over the list scroll it three line steps down, row 0 gone.
    SWindow* const autostart = dialog.FindChildByName(L"check_first_boot");
    ASSERT_NE(nullptr, autostart);
    Drive("mousemove " + Xy(OnScreen(window, Centre(autostart->GetWindowRect()))) + " sleep 0.3 click 1 sleep 0.3");
    EXPECT_FALSE(list->IsFocused());
    EXPECT_FALSE(InstallService::GetInstance().firstBoot);
    const int line = list->GetScrollLineSize(TRUE);
    ASSERT_GT(line, 0);
    Drive("mousemove " + Xy(OnScreen(window, rows.Middle(1))) + " sleep 0.3 click 5 sleep 0.1 click 5 sleep 0.1 "
          "click 5 sleep 0.3");
    const int wheeled = std::min(3 * line, lastPosition);
    EXPECT_EQ(wheeled, list->GetScrollPos(TRUE));
    EXPECT_EQ(wheeled / kRowPitch, list->GetFirstVisibleIndex());

    // The thumb dragged past the end of the bar: the last rows; row 7 ticked there.
    const RECT thumb = rows.Thumb();
    ASSERT_FALSE(::IsRectEmpty(&thumb));
    const RECT bar = list->GetScrollBarRect(TRUE);
    const POINT grip = Centre(thumb);
    Drive("mousemove " + Xy(OnScreen(window, grip)) + " sleep 0.3 mousedown 1 sleep 0.3 mousemove " +
          Xy(OnScreen(window, POINT{grip.x, grip.y + 20})) + " sleep 0.3 mousemove " +
          Xy(OnScreen(window, POINT{grip.x, bar.bottom + 40})) + " sleep 0.3 mouseup 1 sleep 0.3");
    EXPECT_EQ(lastPosition, list->GetScrollPos(TRUE));
    EXPECT_EQ(lastPosition / kRowPitch, list->GetFirstVisibleIndex());
    EXPECT_FALSE(rows.Shown(0));
    ASSERT_TRUE(rows.Shown(7));
    EXPECT_TRUE(rows.Ticked(6));   // ticked by the manifest
    Drive("mousemove " + Xy(OnScreen(window, rows.Middle(7))) + " sleep 0.3 click 1 sleep 0.3");
    EXPECT_TRUE(rows.Ticked(7) && rows.Selected(7));
    Drawn(dialog);
    saku_test::KeepPng(dialog.GetCacheTarget(), L"TIVALA_PAINT_PNG", L"wizard_long_module_list_end");

    // Back to the top by the wheel: the rows' panels were the last rows', yet
    // each row shows its own tick.
    Drive("mousemove " + Xy(OnScreen(window, rows.Middle(7))) + " sleep 0.3 click 4 click 4 click 4 click 4 click 4 "
          "click 4 click 4 click 4 click 4 click 4 sleep 0.3");
    EXPECT_EQ(0, list->GetScrollPos(TRUE));
    EXPECT_EQ(0, list->GetFirstVisibleIndex());
    ASSERT_TRUE(rows.Shown(0) && rows.Shown(1));
    const bool ticks[] = {true, false, false, false};
    for (int row = 0; row < 4; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(ticks[row], rows.Ticked(row));
        EXPECT_EQ(ticks[row], rows.Selected(row));
    }
    EXPECT_TRUE(rows.Selected(6) && rows.Selected(7));   // rows scrolled away keep theirs too
    EXPECT_EQ(clicked, boxes(Drawn(dialog)));
    saku_test::KeepPng(dialog.GetCacheTarget(), L"TIVALA_PAINT_PNG", L"wizard_long_module_list_top");
    DestroyHost(dialog);
}

// The folder button opens the shell's folder dialog; a person picks a new
// folder on the desktop in its tree by typing the folder's name, and clicks OK.
// The install folder's box shows that folder with "Tivala" under it, made on
// disk.
TEST_F(CMainDlgHostTest, TheFolderButtonsShellDialogChoosesTheInstallFolder)
{
    const ComApartment ole(ComApartment::Kind::Ole);   // as the installer's start-up enters it
    ASSERT_TRUE(ole.Usable());
    // Wine's folder tree shows the desktop's folders under its root but does not
    // reach into the profile's Temp folder, so the new folder is the desktop's.
    wchar_t desktop[MAX_PATH] = {};
    ASSERT_EQ(S_OK, ::SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, desktop));
    const std::wstring name = L"tivala-new-" + std::to_wstring(::GetCurrentProcessId());
    const std::wstring chosen = tivala::SysUtil::AddTrailingBackslash(desktop) + name;
    ASSERT_TRUE(::CreateDirectoryW(chosen.c_str(), nullptr));
    const FolderRemover removeChosen{chosen};
    const FolderRemover removeMade{chosen + L"\\Tivala"};   // the wizard's, removed first
    ProbeMainDlg dialog;
    OpenModulePage(dialog);
    dialog.realFolders = true;
    const HWND window = dialog.GetHwnd();

    auto* const config = dialog.FindChildByName2<STabCtrl>(L"tab_config");
    ASSERT_NE(nullptr, config);
    SWindow* const customize = dialog.FindChildByName(L"customize");
    ASSERT_NE(nullptr, customize);
    Drive("mousemove " + Xy(OnScreen(window, Centre(customize->GetWindowRect()))) + " sleep 0.3 click 1 sleep 0.3");
    ASSERT_TRUE(PumpUntil([&] { return config->GetCurSel() == 1 && !config->IsSliding(); }));
    SWindow* const button = dialog.FindChildByName(L"select_dir_button");
    ASSERT_NE(nullptr, button);

    // The dialog's thread runs the folder dialog's modal loop: another thread
    // plays the person. The dialog shows before Wine has filled its tree, so the
    // person waits for the new folder to be in it, clicks into the tree, types the
    // name (the tree selects by the letters typed), waits to see it selected and
    // clicks OK. A dialog still open at the deadline is cancelled.
    std::atomic<bool> answered{false};
    std::atomic<bool> gone{false};
    std::thread person([&] {
        const struct Leave {
            std::atomic<bool>& gone;
            ~Leave() { gone = true; }
        } leave{gone};
        const ULONGLONG deadline = ::GetTickCount64() + 60000;
        HWND folders = nullptr;
        HWND tree = nullptr;
        HTREEITEM root = nullptr;
        while (::GetTickCount64() < deadline) {
            folders = OwnFolderDialog();
            tree = folders ? tivala::test::FolderTreeOf(folders) : nullptr;
            root = tree ? TreeView_GetRoot(tree) : nullptr;
            if (root && ChildNamed(tree, root, name))
                break;
            ::Sleep(50);
        }
        if (!root) {
            if (folders)
                ::PostMessageW(folders, WM_COMMAND, IDCANCEL, 0);   // never filled: the test fails, but ends
            return;
        }
        // A click on the tree's empty end gives it the keys; one on its selected
        // root would start editing that item's name.
        RECT empty = {};
        ::GetClientRect(tree, &empty);
        ::MapWindowPoints(tree, nullptr, reinterpret_cast<POINT*>(&empty), 2);
        StartXdotool("mousemove " + Xy(POINT{empty.left + 10, empty.bottom - 10}) + " sleep 0.3 click 1 sleep 0.3 "
                     "type --delay 50 '" + tivala::SysUtil::WideToUtf8(name) + "'");
        while ((tivala::test::TreeItemText(tree, TreeView_GetSelection(tree)) != name || !XdotoolDone()) &&
               ::GetTickCount64() < deadline)
            ::Sleep(50);
        RECT ok = {};
        ::GetWindowRect(::GetDlgItem(folders, IDOK), &ok);
        StartXdotool("mousemove " + Xy(Centre(ok)) + " sleep 0.3 click 1");
        while (::IsWindow(folders) && ::GetTickCount64() < deadline)
            ::Sleep(50);
        answered = !::IsWindow(folders);
        if (::IsWindow(folders))
            ::PostMessageW(folders, WM_COMMAND, IDCANCEL, 0);   // the input missed: the test fails, but ends
    });
    // The click's command runs the folder dialog within this pump.
    StartXdotool("mousemove " + Xy(OnScreen(window, Centre(button->GetWindowRect()))) + " sleep 0.3 click 1");
    EXPECT_TRUE(PumpUntil([&] { return gone.load(); }, 90000));
    person.join();
    EXPECT_TRUE(answered);
    EXPECT_TRUE(PumpUntil([&] { return XdotoolDone(); }, 20000));
    Pump();

    EXPECT_EQ(chosen + L"\\Tivala", dialog.FindChildByID(1000)->GetWindowText().c_str());
    EXPECT_TRUE(tivala::SysUtil::PathExists(chosen + L"\\Tivala"));
    EXPECT_FALSE(dialog.FindChildByName(L"icon_choose_install_directory_warning")->IsVisible(FALSE));
    Drawn(dialog);
    saku_test::KeepPng(dialog.GetCacheTarget(), L"TIVALA_PAINT_PNG", L"wizard_folder_chosen");
    DestroyHost(dialog);
}
