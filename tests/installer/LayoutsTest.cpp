#include "InstallerTest.h"

#include "TestLogSink.h"

#include "core/SLog.h"
#include "core/SSkinPool.h"
#include "core/SStylePool.h"
#include "res.mgr/SUiDef.h"

#include <pugixml.hpp>

#include <cstring>
#include <map>
#include <set>
#include <string>

using namespace SAKU;
using namespace installer_test;
using saku_test::ScopedLogSink;

namespace {

const wchar_t* const kWizardLayouts[] = {
    L"LAYOUT:xml_mainwnd",   L"LAYOUT:page_request_menifest", L"LAYOUT:page_select_module", L"LAYOUT:page_select_res",
    L"LAYOUT:page_install",  L"LAYOUT:page_complete",         L"LAYOUT:xml_messagebox",
};

// The tags of the elements under `element` that make windows. A layout's
// "include" elements only hold windows, and a list's "template" holds the look
// of its rows, whose own elements are the windows of each row.
void CollectWindowTags(pugi::xml_node element, std::set<std::wstring>& tags)
{
    for (pugi::xml_node child : element.children()) {
        if (child.type() != pugi::node_element)
            continue;
        const std::wstring tag = child.name();
        if (tag != L"include" && tag != L"template" && wcscmp(element.name(), L"template") != 0)
            tags.insert(tag);
        CollectWindowTags(child, tags);
    }
}

std::string Text(const RECT& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

// How often each name and each id occurs among the elements of the documents.
struct Occurrences {
    std::map<std::wstring, int> names;
    std::map<std::wstring, int> ids;

    void Count(pugi::xml_node element)
    {
        for (pugi::xml_node child : element.children()) {
            if (child.type() != pugi::node_element)
                continue;
            if (const pugi::xml_attribute name = child.attribute(L"name"))
                ++names[name.value()];
            if (const pugi::xml_attribute id = child.attribute(L"id"))
                ++ids[id.value()];
            Count(child);
        }
    }
};

}  // namespace

class LayoutsTest : public InstallerTest {
protected:
    pugi::xml_document Load(const wchar_t* reference)
    {
        pugi::xml_document document;
        EXPECT_TRUE(App().LoadXml(document, reference)) << std::wstring(reference).c_str();
        return document;
    }
};

TEST_F(LayoutsTest, UiDefinitionLoadsTheFontStylesAndValueTablesWithoutAWarning)
{
    ScopedLogSink sink(kLogLevelWarn);
    AddProgramResources(L"UIDEF:XML_INIT");
    EXPECT_TRUE(sink.Lines().empty()) << (sink.Lines().empty() ? "" : sink.Lines()[0].text);

    IUiDefInfo* const uiDef = SUiDef::GetInstance()->GetUiDef();
    ASSERT_TRUE(uiDef);
    EXPECT_EQ(SStringW(L"宋体"), uiDef->GetDefFontInfo().face);
    EXPECT_EQ(15u, uiDef->GetDefFontInfo().style & 0xFFFF);
    EXPECT_EQ(SStringW(L"Tivala安装"), SResProviderMgr::GetString(L"@string/title"));
    EXPECT_EQ(SStringW(L"1.0"), SResProviderMgr::GetString(L"@string/ver"));
    EXPECT_EQ(RGB(0x80, 0x80, 0x80) | 0xFF000000u, SResProviderMgr::GetColor(L"@color/gray"));
    EXPECT_EQ(RGB(0, 0, 255) | 0xFF000000u, SResProviderMgr::GetColor(L"@color/blue"));
    const pugi::xml_node normal = SStylePoolMgr::GetInstance()->FindStyle(L"normalbtn");
    EXPECT_STREQ(L"0x25", normal.attribute(L"textMode").value());
    EXPECT_STREQ(L"#385e8b", normal.attribute(L"colorText").value());
    EXPECT_STREQ(L"underline:1,italic:1",
                 SStylePoolMgr::GetInstance()->FindStyle(L"cls_btn_weblink").attribute(L"fontHover").value());
}

TEST_F(LayoutsTest, EverySkinTheLayoutsNameIsInTheSkinTable)
{
    const wchar_t* const kSkinAttributes[] = {L"skin", L"ncskin", L"bkgndSkin", L"posSkin", L"sbSkin"};
    int named = 0;
    for (const wchar_t* layout : kWizardLayouts) {
        const pugi::xml_document document = Load(layout);
        for (const pugi::xpath_node& found : document.select_nodes(L"//*")) {
            for (const wchar_t* attribute : kSkinAttributes) {
                const pugi::xml_attribute skin = found.node().attribute(attribute);
                if (!skin || wcsncmp(skin.value(), L"_skin.sys.", 10) == 0)
                    continue;   // the library's own skins come from its system resources
                ++named;
                EXPECT_TRUE(SSkinPoolMgr::GetInstance()->GetSkin(skin.value(), 100))
                    << std::wstring(layout).c_str() << ": " << std::wstring(skin.value()).c_str();
            }
        }
    }
    EXPECT_GT(named, 30);
}

// Every name the wizard looks up is in its layout once; the two folder buttons
// share one id and are found by name.
TEST_F(LayoutsTest, NamesTheWizardLooksUpOccurOnce)
{
    Occurrences wizard;
    for (const wchar_t* layout : kWizardLayouts) {
        if (wcscmp(layout, L"LAYOUT:xml_messagebox") != 0)
            wizard.Count(Load(layout));
    }
    const wchar_t* const kWizardNames[] = {
        L"root", L"tab_main", L"tab_config", L"tab0", L"tab1", L"tab2", L"tab3", L"tab4", L"tab11", L"tab22",
        L"btn_min", L"btn_close", L"animate_request_install_menifest", L"animate_install1", L"animate_install2",
        L"animate_install3", L"animate_install4", L"animate_install_finished", L"download_listview", L"checkbox",
        L"net_img", L"text_module_name", L"text_description_name", L"btn_next_to_choose_res_directory",
        L"check_read_info", L"check_first_boot", L"customize", L"reback_tab11", L"select_dir_button",
        L"icon_choose_install_directory_warning", L"text_choose_install_directory_warning", L"btn_back",
        L"select_bizhidir_button", L"icon_choose_res_directory_warning", L"text_choose_res_directory_warning",
        L"next1", L"title", L"textline1", L"textline2", L"progress", L"text_percent", L"text_installing",
        L"text_main_version", L"btn_finished",
    };
    for (const wchar_t* name : kWizardNames)
        EXPECT_EQ(1, wizard.names[name]) << std::wstring(name).c_str();
    EXPECT_EQ(1, wizard.ids[L"1000"]);
    EXPECT_EQ(1, wizard.ids[L"1011"]);
    EXPECT_EQ(2, wizard.ids[L"1002"]);

    Occurrences box;
    box.Count(Load(L"LAYOUT:xml_messagebox"));
    const wchar_t* const kBoxNames[] = {
        L"showSwitch", L"btnSwitch", L"page_ok_msgtext", L"msgicon", L"page_okcancle_msgtext",
        L"page_ok_btn_ok", L"page_okcancle_btn_ok", L"page_okcancle_btn_cancle",
    };
    for (const wchar_t* name : kBoxNames)
        EXPECT_EQ(1, box.names[name]) << std::wstring(name).c_str();
}

// A layout loads and lays out with no warning: every tag it names is a class the
// library registers, so no element is skipped.
TEST_F(LayoutsTest, WindowsLoadAndLayOutWithoutAWarning)
{
    const struct { const wchar_t* layout; const wchar_t* name; RECT rect; } cases[] = {
        {L"LAYOUT:xml_mainwnd",    L"tab_main",                 {0, 30, 340, 420}},
        {L"LAYOUT:xml_mainwnd",    L"btn_close",                {310, 0, 340, 30}},
        {L"LAYOUT:xml_mainwnd",    L"btn_min",                  {280, 0, 310, 30}},
        {L"LAYOUT:xml_messagebox", L"page_okcancle_btn_ok",     {180, 92, 290, 122}},
        {L"LAYOUT:xml_messagebox", L"page_okcancle_btn_cancle", {30, 92, 140, 122}},
        {L"LAYOUT:xml_messagebox", L"page_ok_msgtext",          {65, 18, 265, 68}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::wstring(c.layout).c_str() << " " << std::wstring(c.name).c_str());
        ScopedLogSink sink(kLogLevelWarn);
        SHostWnd host(c.layout);
        ASSERT_TRUE(host.Create(nullptr, 0, 0, 0, 0));
        host.UpdateLayout();
        EXPECT_TRUE(sink.Lines().empty()) << (sink.Lines().empty() ? "" : sink.Lines()[0].text);
        SWindow* const window = host.FindChildByName(c.name);
        ASSERT_TRUE(window);
        const RECT rect = window->GetWindowRect();
        EXPECT_TRUE(::EqualRect(&rect, &c.rect)) << Text(rect);
        DestroyHost(host);
    }
}

// Every tag that makes a window in the layouts, the rows of the module list's
// template among them (built only when rows show), is a registered class.
TEST_F(LayoutsTest, EveryTagTheLayoutsUseIsARegisteredWindowClass)
{
    std::set<std::wstring> tags;
    for (const wchar_t* layout : kWizardLayouts) {
        const pugi::xml_document document = Load(layout);
        const pugi::xml_node top = document.document_element();
        CollectWindowTags(wcscmp(top.name(), L"SAKU") == 0 ? top.child(L"root") : top, tags);
    }
    for (const wchar_t* expected : {L"listview", L"check", L"img", L"edit", L"progress", L"animateimg", L"icon"})
        EXPECT_EQ(1u, tags.count(expected)) << std::wstring(expected).c_str();
    for (const std::wstring& tag : tags) {
        SCOPED_TRACE(testing::Message() << tag.c_str());
        ScopedLogSink sink(kLogLevelWarn);
        auto* const made = SObjCast<SWindow>(App().CreateObject(SObjectInfo(tag.c_str(), kObjTypeWindow)));
        EXPECT_NE(nullptr, made);
        EXPECT_TRUE(sink.Lines().empty()) << (sink.Lines().empty() ? "" : sink.Lines()[0].text);
        if (made)
            made->Release();
    }
}

TEST_F(LayoutsTest, WindowsTakeTheirIdsFromTheLayoutOrTheNamedIds)
{
    SHostWnd host(L"LAYOUT:xml_mainwnd");
    ASSERT_TRUE(host.Create(nullptr, 0, 0, 0, 0));
    const struct { const wchar_t* name; int id; } cases[] = {
        {L"tab_main", 10086}, {L"tab_config", 10088}, {L"btn_next_to_choose_res_directory", 2001},
        {L"customize", 2002}, {L"btn_close", 65544}, {L"btn_min", 65543}, {L"tab4", 4},
        {L"btn_back", 65560}, {L"text_main_version", 65558},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::wstring(c.name).c_str());
        SWindow* const window = host.FindChildByName(c.name);
        ASSERT_TRUE(window);
        EXPECT_EQ(c.id, window->GetID());
    }
    EXPECT_EQ(SStringW(L"Tivala安装"), host.GetHostAttr().GetTitle().GetText());
    DestroyHost(host);
}
