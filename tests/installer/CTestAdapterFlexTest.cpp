// The module list's adapter over a list view of the wizard's row template in a
// host window of its own, with the install service's module list as the data.

#include "InstallerTest.h"

#include "CTestAdapterFlex.h"

#include "controls/SCheckBox.h"
#include "controls/SItemPanel.h"
#include "controls/SListView.h"
#include "controls/SStatic.h"

#include "service/InstallService.h"

#include <pugixml.hpp>

using namespace SAKU;
using namespace installer_test;
using tivala::InstallService;
using tivala::ModuleRecord;

namespace {

// The module page's list and row template, alone.
const wchar_t kLayout[] =
    L"<SAKU width='300' height='300' wndType='normal'><root>"
    L"<listview name='list' pos='0,0,-0,-0' dividerSize='1'>"
    L"<template defHeight='70' oddHeight='70' evenHeight='70' evenSelHeight='70'>"
    L"<itemOdd width='300' height='70' ncskin='png_module_bk_png'>"
    L"<check name='checkbox' pos='5,23' size='24,24' skin='png_check_24_png' focusable='0'/>"
    L"<img name='net_img' pos='34,3' size='60,60'/>"
    L"<text name='text_module_name' pos='104,15' width='181' height='16'/>"
    L"<text name='text_description_name' pos='104,36' width='181' height='16'/>"
    L"</itemOdd></template></listview></root></SAKU>";

ModuleRecord Module(const wchar_t* appPath, bool selected, bool locked = false)
{
    ModuleRecord module;
    module.appPath = appPath;
    module.name = std::wstring(appPath) + L" name";
    module.desc = std::wstring(appPath) + L" desc";
    module.selected = selected;
    module.locked = locked;
    return module;
}

class CTestAdapterFlexTest : public InstallerTest {
protected:
    void SetUp() override
    {
        InstallerTest::SetUp();
        InstallService::GetInstance().modules = {Module(L"A", true), Module(L"B", false), Module(L"C", true, true)};
    }
    void TearDown() override
    {
        InstallService::GetInstance().modules.clear();
        InstallerTest::TearDown();
    }

    static bool Selected(const wchar_t* appPath) { return InstallService::GetInstance().GetModule(appPath).selected; }
    static SCheckBox* Box(SWindow* row) { return row->FindChildByName2<SCheckBox>(L"checkbox"); }
};

}  // namespace

TEST_F(CTestAdapterFlexTest, RowsAreOfThreeTypesAndAllEvenSelHeightHigh)
{
    auto adapter = SAutoRef<CTestAdapterFlex>::Adopt(new CTestAdapterFlex({L"A", L"B", L"C"}));
    EXPECT_EQ(3, adapter->GetCount());
    EXPECT_EQ(3, adapter->GetViewTypeCount());
    const struct {
        int position;
        DWORD state;
        int type;
    } types[] = {{0, 0, 0}, {1, 0, 2}, {2, 0, 0}, {0, kLvItemHover, 2}, {2, kLvItemSelected, 0}};
    for (const auto& t : types)
        EXPECT_EQ(t.type, adapter->GetItemViewType(t.position, t.state)) << t.position << " " << t.state;

    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(L"<template oddHeight='50' evenSelHeight='70'><itemOdd/></template>"));
    SIZE size = {};
    adapter->GetViewDesiredSize(&size, 1, nullptr, nullptr);
    EXPECT_EQ(CTestAdapterFlex::kDefaultRowHeight, size.cy);   // before the template: 40
    adapter->InitByTemplate(document.first_child());
    adapter->GetViewDesiredSize(&size, 1, nullptr, nullptr);
    EXPECT_EQ(0, size.cx);
    EXPECT_EQ(70, size.cy);
}

TEST_F(CTestAdapterFlexTest, ARecycledRowShowsItsNewModuleAndSelectsNothing)
{
    SHostWnd host;
    ASSERT_TRUE(LoadLayout(host, kLayout));
    auto* const list = host.FindChildByName2<SListView>(L"list");
    ASSERT_NE(nullptr, list);
    auto adapter = SAutoRef<CTestAdapterFlex>::Adopt(new CTestAdapterFlex({L"A", L"B", L"C"}));
    ASSERT_TRUE(list->SetAdapter(adapter.Get()));
    ShowInFront(host);
    SItemPanel* const row = list->GetItemPanel(0);
    ASSERT_NE(nullptr, row);
    ASSERT_NE(nullptr, Box(row));
    EXPECT_TRUE(Box(row)->IsChecked());
    EXPECT_TRUE(Box(row)->IsDisabled());   // the row takes the clicks

    // The row window refilled for another module, as the list recycles it, and back.
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(kLayout));
    const pugi::xml_node rowTemplate = document.child(L"SAKU").child(L"root").child(L"listview").child(L"template");
    for (const int position : {1, 2, 1, 0}) {
        SCOPED_TRACE(position);
        adapter->GetView(position, row, rowTemplate);
        const wchar_t* const key = adapter->GetKey(position).c_str();
        EXPECT_EQ(Selected(key), Box(row)->IsChecked() != FALSE);
        EXPECT_EQ(std::wstring(key) + L" name",
                  row->FindChildByName2<SStatic>(L"text_module_name")->GetWindowText().c_str());
        EXPECT_EQ(DWORD(position), Box(row)->GetUserData());
    }
    EXPECT_TRUE(Selected(L"A"));
    EXPECT_FALSE(Selected(L"B"));
    EXPECT_TRUE(Selected(L"C"));

    // Filled five times, subscribed once: one click toggles once.
    row->FireCommand();
    EXPECT_FALSE(Box(row)->IsChecked());
    EXPECT_FALSE(Selected(L"A"));
    row->FireCommand();
    EXPECT_TRUE(Selected(L"A"));

    // A locked module's row stays as it is.
    adapter->GetView(2, row, rowTemplate);
    row->FireCommand();
    EXPECT_TRUE(Box(row)->IsChecked());
    EXPECT_TRUE(Selected(L"C"));
    DestroyHost(host);
}
