// The bars, spins, split window, hot key, lists, header, list and tree views,
// menu bar, combo box and an ActiveX control in one real host window, arranged
// by rows, columns and a grid and painted by the host; the display server's
// mouse and keyboard move the slider, select an entry and rows, expand a tree
// item, click a header item, choose from a menu bar's menu and a combo box's
// list and set a hot key. The calendars and the date-time picker, which would
// take the wide gallery past the screen's edge, show in a second gallery window,
// where a real click opens the picker's calendar.

#include "../core/HostTest.h"
#include "../render/RenderTestSupport.h"
#include "ControlTest.h"   // CellColour
#include "HeaderTest.h"
#include "ListTestAdapter.h"
#include "MCListTestAdapter.h"
#include "MenuExTest.h"
#include "ProbeModule.h"
#include "TreeTestAdapter.h"

#include "Win32Handles.h"
#include "controls/SActiveX.h"
#include "controls/SCalendar.h"
#include "controls/SCalendarEx.h"
#include "controls/SComboBox.h"
#include "controls/SDateTimePicker.h"
#include "controls/SHeaderCtrl.h"
#include "controls/SHotKeyCtrl.h"
#include "controls/SListBox.h"
#include "controls/SListCtrl.h"
#include "controls/SMCListView.h"
#include "controls/SMenuBar.h"
#include "controls/SSliderBar.h"
#include "controls/STileView.h"
#include "controls/STileViewItemLocator.h"
#include "controls/STreeCtrl.h"
#include "controls/STreeView.h"
#include "core/ILayout.h"
#include "core/ISlotFunctor.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

using namespace SAKU;
using namespace saku_test;

namespace {

// The root is a row of columns: each column a "vbox" of controls stacked with
// 10 px between them, so a later control joins a column or a new column joins
// the row. The spins and their buddies sit in a grid of two columns. The list
// views get their adapters, and the list control its rows, from the test.
const wchar_t kGallery[] =
    L"<SAKU width='1180' height='280' wndType='normal' title='Extended gallery'>"
    L"<skin>"
    L"<scrollbar name='g_bar' src='png:sbar_cells'/>"
    L"<imglist name='g_cells' src='png:sbar_cells' states='9'/>"
    L"<colorrect name='g_btn' normal='#4080ff' hover='#60a0ff' pushdown='#2060c0' disable='#808080'/>"
    L"<colorrect name='g_sep' normal='#808080'/>"
    L"<shape name='g_thumb'><solid color='#0000ff'/><size width='20' height='20'/></shape>"
    L"<shape name='g_rail'><solid color='#d0d0d0'/><size width='8' height='8'/></shape>"
    L"<shape name='g_done'><solid color='#20a020'/><size width='8' height='8'/></shape>"
    L"<colorrect name='g_drop' normal='#808080' hover='#A0A0A0' pushdown='#404040'/>"
    L"<colorrect name='g_head' normal='#ffc080' hover='#ffe0c0' pushdown='#c08040' disable='#808080'/>"
    L"</skin>"
    L"<root layout='hbox' padding='10' colorBkgnd='#FFFFFFFF'>"
    L"<window name='values' layout='vbox' margin='0' width='200' height='matchParent' extend_right='10'>"
    L"<scrollbar name='bar' width='matchParent' height='20' vertical='0' skin='g_bar' arrowSize='16' "
    L"min='0' max='99' page='10' value='30' extend_bottom='10'/>"
    L"<sliderbar name='slider' width='matchParent' height='20' margin='0' bkgndSkin='g_rail' posSkin='g_done' "
    L"thumbSkin='g_thumb' value='30' extend_bottom='10'/>"
    L"<window name='spins' layout='gridLayout' columnCount='2' xInterval='10' yInterval='10' margin='0' extend_bottom='10'>"
    L"<text name='buddy1' size='60,20' colorBkgnd='#FFFFE0FF'>5</text>"
    L"<spin name='spin' size='20,40' margin='0' buddy='buddy1' spinSkin='g_cells' max='100'/>"
    L"<text name='buddy2' size='60,20' colorBkgnd='#FFFFE0FF'>7</text>"
    L"<spinButton name='spinButton' size='20,40' margin='0' buddy='buddy2' value='7' max='100'>"
    L"<button name='btn_up' skin='g_btn'/><button name='btn_down' skin='g_btn'/></spinButton>"
    L"</window>"
    L"<hotkey name='hotkey' width='matchParent' height='24' colorText='#000000' colorBkgnd='#F0F0F0FF' extend_bottom='10'/>"
    L"<splitwnd name='split' width='matchParent' height='60' margin='0' sepSize='5' sepSkin='g_sep'>"
    L"<pane name='pane1' idealSize='60' margin='0' colorBkgnd='#ff0000'/>"
    L"<pane name='pane2' idealSize='60' margin='0' colorBkgnd='#00c000'/>"
    L"<pane name='pane3' idealSize='60' margin='0' priority='1' colorBkgnd='#0000ff'/>"
    L"</splitwnd>"
    L"</window>"
    L"<window name='lists' layout='vbox' margin='0' width='230' height='matchParent' extend_right='10'>"
    L"<listbox name='list' width='matchParent' height='100' margin='0' sbSkin='g_bar' itemHeight='20' "
    L"colorItemBkgnd='#FFF0E0' colorItemSelBkgnd='#0000FF' colorSelText='#FFFFFF' extend_bottom='10'>"
    L"<items><item text='Zero'/><item text='One'/><item text='Two'/><item text='Three'/><item text='Four'/>"
    L"<item text='Five'/></items>"
    L"</listbox>"
    L"<treectrl name='tree' width='matchParent' height='150' margin='0' sbSkin='g_bar' itemHeight='24' indent='10' "
    L"toggleSkin='g_cells' colorBkgnd='#E0FFE0FF' colorItemSelBkgnd='#0000FF'>"
    L"<item text='Fruit'><item text='Apple'/><item text='Pear'/></item>"
    L"<item text='Nuts' expand='0'><item text='Almond'/><item text='Walnut'/></item>"
    L"<item text='Grain'/>"
    L"</treectrl>"
    L"</window>"
    L"<window name='tables' layout='vbox' margin='0' width='230' height='matchParent' extend_right='10'>"
    L"<header name='header' width='matchParent' height='24' margin='0' itemSkin='g_head' extend_bottom='10'><items>"
    L"<item width='120'>Name</item><item width='110'>Size</item></items></header>"
    L"<listctrl name='listctrl' width='matchParent' height='130' margin='0' colorText='#000000' "
    L"colorItemBkgnd='#FFFFF0' colorItemSelBkgnd='#0000FF' colorSelText='#FFFFFF' extend_bottom='10'>"
    L"<header margin='0' itemSkin='g_head'><items><item width='120'>Name</item><item width='80'>Size</item></items>"
    L"</header></listctrl>"
    L"<activex name='activex' width='matchParent' height='86' margin='0' clsID='Tivala.Probe'/>"
    L"</window>"
    L"<window name='views' layout='vbox' margin='0' width='230' height='matchParent' extend_right='10'>"
    L"<tileview name='tiles' width='matchParent' height='120' margin='0' sbSkin='g_bar' marginSize='10' "
    L"colorBkgnd='#404040' extend_bottom='10'>"
    L"<template itemWidth='60' itemHeight='40'>"
    L"<item colorNormal='#E0E0E0' colorSelected='#0000FF'>"
    L"<window name='label' pos='2,2,@10,@10' colorBkgnd='#FF0000'/>"
    L"</item></template></tileview>"
    L"<mclistview name='mclist' width='matchParent' height='130' margin='0' headerHeight='24'>"
    L"<header margin='0' itemSkin='g_head'><items><item width='100'>first</item><item width='110'>second</item>"
    L"</items></header>"
    L"<template itemHeight='30'><item colorNormal='#FFFFFF' colorSelected='#0000FF'>"
    L"<text name='col0' colorBkgnd='#FFC0C0'/><text name='col1' colorBkgnd='#C0FFC0'/>"
    L"</item></template></mclistview>"
    L"</window>"
    L"<window name='menus' layout='vbox' margin='0' width='230' height='matchParent'>"
    L"<menubar name='menubar' width='matchParent' height='20' margin='0' colorBkgnd='#E0E0FF' extend_bottom='10'>"
    L"<btnStyle colorText='#000000' skin='menu.item3'/><menus>"
    L"<menuItem menuName='menu_main'>File</menuItem><menuItem menuName='SMENUEX:menu_edit'>Edit</menuItem>"
    L"</menus></menubar>"
    L"<combobox name='combo' width='matchParent' height='24' margin='0' animateTime='0' curSel='1' btnSkin='g_drop' "
    L"colorText='#000000' extend_bottom='10'>"
    L"<listStyle margin='2' itemHeight='20' colorBkgnd='#FFFFFF' colorItemSelBkgnd='#0000FF' colorText='#000000'/>"
    L"<items><item text='zero'/><item text='one'/><item text='two'/><item text='three'/><item text='four'/></items>"
    L"</combobox>"
    L"<treeview name='treeview' width='matchParent' height='196' margin='0' sbSkin='g_bar' colorBkgnd='#404040'>"
    L"<template><item colorNormal='#E0E0E0' colorSelected='#0000FF'>"
    L"<window name='label' pos='2,2,@20,@20' colorBkgnd='#FF0000'/>"
    L"</item></template></treeview>"
    L"</window>"
    L"</root></SAKU>";

// The second gallery window: the two calendars and the date-time picker.
const wchar_t kDates[] =
    L"<SAKU width='460' height='280' wndType='normal' title='Extended gallery: dates'>"
    L"<root layout='hbox' padding='10' colorBkgnd='#FFFFFFFF'>"
    L"<window name='dates' layout='vbox' margin='0' width='210' height='matchParent' extend_right='10'>"
    L"<calendar name='calendar' width='matchParent' height='160' margin='0' colorText='#000000' extend_bottom='10'/>"
    L"<dateTimePicker name='picker' width='matchParent' height='24' colorText='#000000'/>"
    L"</window>"
    L"<calendarex name='calendarex' width='210' height='238' margin='0' colorText='#000000'/>"
    L"</root></SAKU>";

// The menu fixture gives the skins the menu bar's buttons and menus name.
class ExtendedGalleryHostTest : public MenuTest {
protected:
    void SetUp() override
    {
        MenuTest::SetUp();
        // The combo's popup filters the application loop's messages; the pumps go through it.
        DispatchLoop() = App().GetMsgLoop();
        ASSERT_TRUE(m_com.Usable());
        ASSERT_TRUE(m_probe.Ready());
    }
    void TearDown() override
    {
        if (m_host && m_host->GetHwnd())
            DestroyHost(*m_host);
        m_host.reset();
        MenuTest::TearDown();
    }

    // The gallery, shown in front and painted. Made after the application, whose
    // window manager and factories a host's tree needs from its construction on.
    void Open()
    {
        m_host = std::make_unique<SHostWnd>();
        ASSERT_TRUE(LoadLayout(*m_host, kGallery));
        SListCtrl* const listCtrl = Find<SListCtrl>(L"listctrl");
        ASSERT_NE(nullptr, listCtrl);
        for (int i = 0; i < 5; ++i) {
            listCtrl->InsertItem(-1, (L"row " + std::to_wstring(i)).c_str());
            listCtrl->SetSubItemText(i, 1, (std::to_wstring(i + 1) + L" KB").c_str());
        }
        ASSERT_TRUE(Find<STileView>(L"tiles")->SetAdapter(m_tiles.Get()));
        ASSERT_TRUE(Find<SMCListView>(L"mclist")->SetAdapter(m_columns.Get()));
        // Rows of 50: A (collapsed; a1, a2), B, C.
        const HSTREEITEM a = m_branches->Insert(TREE_ITEM_ROOT, L"A", false, SIZE{200, 50});
        m_branches->Insert(a, L"a1", false, SIZE{200, 50});
        m_branches->Insert(a, L"a2", false, SIZE{200, 50});
        m_branchB = m_branches->Insert(TREE_ITEM_ROOT, L"B", false, SIZE{200, 50});
        m_branches->Insert(TREE_ITEM_ROOT, L"C", false, SIZE{200, 50});
        ASSERT_TRUE(Find<STreeView>(L"treeview")->SetAdapter(m_branches.Get()));
        // The whole host on the screen, where the display server's pointer can reach every control.
        ::SetWindowPos(m_host->GetHwnd(), nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        // The pictures are of controls at rest, not hovered by where an earlier test left the pointer.
        ::SetCursorPos(0, 0);
        ShowInFront(*m_host);
        ::UpdateWindow(m_host->GetHwnd());
        Pump();
    }
    // The second gallery window, shown in front and painted.
    void OpenDates()
    {
        m_host = std::make_unique<SHostWnd>();
        ASSERT_TRUE(LoadLayout(*m_host, kDates));
        ::SetWindowPos(m_host->GetHwnd(), nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ::SetCursorPos(0, 0);
        ShowInFront(*m_host);
        ::UpdateWindow(m_host->GetHwnd());
        Pump();
    }
    void Repaint()
    {
        ::RedrawWindow(m_host->GetHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Pump();
    }
    std::uint32_t Pixel(int x, int y) const
    {
        IRenderTarget* const surface = m_host->GetCacheTarget();
        return PixelAt(ReadPixels(surface), CurrentBitmap(surface)->Width(), x, y);
    }
    // A click at a point of the host's client area, then what it started.
    void Click(POINT client)
    {
        Drive("mousemove " + Xy(OnScreen(m_host->GetHwnd(), client)) + " sleep 0.3 click 1 sleep 0.3");
    }
    template <class T>
    T* Find(const wchar_t* name) const
    {
        return m_host->FindChildByName2<T>(name);
    }

    // The probe control stays registered while the host lives, and COM with it.
    const ComApartment m_com{ComApartment::Kind::Ole};
    ProbeModule m_probe;
    SAutoRef<ListTestAdapter> m_tiles = SAutoRef<ListTestAdapter>::Adopt(new ListTestAdapter(20));
    SAutoRef<MCListTestAdapter> m_columns = SAutoRef<MCListTestAdapter>::Adopt(new MCListTestAdapter(20));
    SAutoRef<TreeTestAdapter> m_branches = SAutoRef<TreeTestAdapter>::Adopt(new TreeTestAdapter);
    HSTREEITEM m_branchB = 0;
    std::unique_ptr<SHostWnd> m_host;
};

}  // namespace

TEST_F(ExtendedGalleryHostTest, EveryControlIsArrangedAndPaintedInTheHost)
{
    Open();
    // The row of columns (the root, which is the host itself), the columns and
    // the grid are the layouts their tags name.
    const struct {
        const wchar_t* name;   // null: the root
        const wchar_t* layout;
    } boxes[] = {{nullptr, L"hbox"},    {L"values", L"vbox"}, {L"lists", L"vbox"},
                 {L"tables", L"vbox"},  {L"views", L"vbox"},  {L"menus", L"vbox"},
                 {L"spins", L"gridLayout"}};
    for (const auto& b : boxes) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(b.name ? b.name : L"root")));
        SWindow* const box = b.name ? m_host->FindChildByName(b.name) : m_host.get();
        ASSERT_NE(nullptr, box);
        ASSERT_NE(nullptr, box->GetLayout());
        EXPECT_TRUE(box->GetLayout()->IsClass(b.layout));
    }

    const struct {
        const wchar_t* name;
        const wchar_t* tag;
        RECT rect;
    } controls[] = {
        {L"values",     L"window",     {10, 10, 210, 270}},
        {L"lists",      L"window",     {220, 10, 450, 270}},
        {L"tables",     L"window",     {460, 10, 690, 270}},
        {L"views",      L"window",     {700, 10, 930, 270}},
        {L"menus",      L"window",     {940, 10, 1170, 270}},
        {L"bar",        L"scrollbar",  {10, 10, 210, 30}},
        {L"slider",     L"sliderbar",  {10, 40, 210, 60}},
        {L"spins",      L"window",     {10, 70, 100, 160}},
        {L"buddy1",     L"text",       {10, 80, 70, 100}},    // centred in its cell of 60 x 40
        {L"spin",       L"spin",       {80, 70, 100, 110}},
        {L"buddy2",     L"text",       {10, 130, 70, 150}},
        {L"spinButton", L"spinButton", {80, 120, 100, 160}},
        {L"btn_up",     L"button",     {80, 120, 100, 140}},
        {L"btn_down",   L"button",     {80, 140, 100, 160}},
        {L"hotkey",     L"hotkey",     {10, 170, 210, 194}},
        {L"split",      L"splitwnd",   {10, 204, 210, 264}},
        {L"pane1",      L"pane",       {10, 204, 70, 264}},
        {L"pane2",      L"pane",       {75, 204, 145, 264}},
        {L"pane3",      L"pane",       {150, 204, 210, 264}},
        {L"list",       L"listbox",    {220, 10, 450, 110}},
        {L"tree",       L"treectrl",   {220, 120, 450, 270}},
        {L"header",     L"header",     {460, 10, 690, 34}},
        {L"listctrl",   L"listctrl",   {460, 44, 690, 174}},
        {L"activex",    L"activex",    {460, 184, 690, 270}},
        {L"tiles",      L"tileview",   {700, 10, 930, 130}},
        {L"mclist",     L"mclistview", {700, 140, 930, 270}},
        {L"menubar",    L"menubar",    {940, 10, 1170, 30}},
        {L"combo",      L"combobox",   {940, 40, 1170, 64}},
        {L"treeview",   L"treeview",   {940, 74, 1170, 270}},
    };
    for (const auto& c : controls) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.name)));
        SWindow* const window = m_host->FindChildByName(c.name);
        ASSERT_NE(nullptr, window);
        EXPECT_TRUE(window->IsClass(c.tag));
        const RECT rect = window->GetWindowRect();
        EXPECT_TRUE(::EqualRect(&c.rect, &rect)) << rect.left << "," << rect.top << "," << rect.right << "," << rect.bottom;
    }
    EXPECT_EQ(6, Find<SListBox>(L"list")->GetCount());
    EXPECT_EQ(5 * 24, Find<STreeCtrl>(L"tree")->GetViewSize().cy);   // the nuts collapsed
    EXPECT_EQ(L"\u65e0", std::wstring(Find<SHotKeyCtrl>(L"hotkey")->FormatAccelText().c_str()));   // no key yet
    EXPECT_EQ(2, Find<SHeaderCtrl>(L"header")->GetItemCount());
    EXPECT_EQ(5, Find<SListCtrl>(L"listctrl")->GetItemCount());
    SActiveX* const activeX = Find<SActiveX>(L"activex");
    EXPECT_TRUE(::IsEqualCLSID(probe::kProbeClsid, activeX->GetClsid()));
    EXPECT_NE(nullptr, activeX->GetControl());
    EXPECT_TRUE(m_probe.Logged(L"SetObjectRects(460,184,690,270)"));
    // Tiles of 60 x 40 with margins of 10 beside the bar: three columns, rows 50 apart.
    EXPECT_EQ(3, Find<STileView>(L"tiles")->GetItemLocator()->GetColumnCount());
    EXPECT_EQ(4, Find<SMCListView>(L"mclist")->GetVisibleCount());   // rows of 30 under a header of 24
    EXPECT_EQ(3, Find<STreeView>(L"treeview")->GetVisibleCount());
    SMenuBar* const menuBar = Find<SMenuBar>(L"menubar");
    ASSERT_EQ(2, menuBar->GetButtonCount());
    const RECT editButton = menuBar->GetButton(1)->GetWindowRect();
    const RECT editExpected = {991, 10, 1040, 30};   // beside the file button, each as wide as its text asks
    EXPECT_TRUE(::EqualRect(&editExpected, &editButton)) << editButton.left << "," << editButton.right;

    Repaint();
    KeepPng(m_host->GetCacheTarget(), L"TIVALA_PAINT_PNG", L"extended_gallery");
    const struct {
        const char* what;
        POINT at;
        std::uint32_t colour;
    } pixels[] = {
        {"the slider's thumb",         {10 + 10 + 60, 50},  0xFF0000FFu},
        {"the slider's part done",     {10 + 12, 50},       0xFF20A020u},
        {"the slider's rail",          {10 + 188, 50},      0xFFD0D0D0u},
        {"a buddy",                    {60, 82},            0xFFFFFFE0u},
        {"the spin button's arrow",    {90, 125},           0xFF4080FFu},
        {"the hot key",                {200, 172},          0xFFF0F0F0u},
        {"the first pane",             {40, 230},           0xFFFF0000u},
        {"a gap",                      {72, 230},           0xFF808080u},
        {"the second pane",            {110, 230},          0xFF00C000u},
        {"the third pane",             {180, 230},          0xFF0000FFu},
        {"an entry",                   {400, 15},           0xFFFFF0E0u},
        {"the tree",                   {400, 125},          0xFFE0FFE0u},
        {"the header's first item",    {462, 12},           0xFFFFC080u},
        {"the header's second item",   {460 + 122, 12},     0xFFFFC080u},
        {"the list control's header",  {462, 46},           0xFFFFC080u},
        {"the list control's row",     {462, 64 + 2},       0xFFFFFFF0u},
        {"the probe's fill",           {575, 227},          0xFF2080E0u},
        {"the tiles' margin",          {702, 12},           0xFF404040u},
        {"the first tile",             {740, 50},           0xFFE0E0E0u},
        {"the first tile's label",     {714, 23},           0xFFFF0000u},   // inside its margin, above its text
        {"the fifth tile",             {810, 90},           0xFFE0E0E0u},
        {"the columns' header",        {702, 142},          0xFFFFC080u},
        {"a first column",             {700 + 95, 164 + 3}, 0xFFFFC0C0u},
        {"a second column",            {800 + 105, 164 + 3}, 0xFFC0FFC0u},
        {"the file button",            {960, 12},           0xFFFFFFFFu},
        {"the menu bar past its buttons", {1100, 20},       0xFFE0E0FFu},
        {"the combo box's button",     {1160, 52},          0xFF808080u},
        {"the first branch",           {1100, 94},          0xFFE0E0E0u},
        {"the first branch's label",   {944, 77},           0xFFFF0000u},
        {"the third branch",           {1100, 219},         0xFFE0E0E0u},
        {"the tree view past its rows", {1100, 234},        0xFF404040u},
        {"the tree view beside a row", {1160, 94},          0xFF404040u},
    };
    for (const auto& p : pixels)
        EXPECT_EQ(p.colour, Pixel(p.at.x, p.at.y)) << p.what;
    // The bar, the spin and the toggles draw cells of the test image. A cell is
    // 8 x 40 in five bands of 8; centred on a row of 24, its second band is at the row's top.
    EXPECT_NE(0xFFFFFFFFu, Pixel(12, 20)) << "the bar's left arrow";
    EXPECT_NE(0xFFFFFFFFu, Pixel(100, 20)) << "the bar's thumb or rail";
    EXPECT_NE(0xFFFFFFFFu, Pixel(90, 75)) << "the spin's up arrow";
    constexpr std::uint32_t kSecondBand = 40u << 8;
    EXPECT_EQ(CellColour(3) + kSecondBand, Pixel(220 + 2, 120 + 1)) << "the fruits' toggle, expanded";
    EXPECT_EQ(CellColour(0) + kSecondBand, Pixel(220 + 2, 120 + 3 * 24 + 1)) << "the nuts' toggle, collapsed";
}

TEST_F(ExtendedGalleryHostTest, RealInputMovesTheSliderSelectsRowsExpandsClicksAHeaderAndSetsAHotKey)
{
    Open();
    HeaderEvents headerEvents;
    headerEvents.Listen(Find<SHeaderCtrl>(L"header"));
    SListCtrl* const listCtrl = Find<SListCtrl>(L"listctrl");
    STileView* const tiles = Find<STileView>(L"tiles");
    SMCListView* const columns = Find<SMCListView>(L"mclist");
    STreeView* const branches = Find<STreeView>(L"treeview");
    SSliderBar* const slider = Find<SSliderBar>(L"slider");
    SListBox* const list = Find<SListBox>(L"list");
    STreeCtrl* const tree = Find<STreeCtrl>(L"tree");
    SHotKeyCtrl* const hotkey = Find<SHotKeyCtrl>(L"hotkey");
    ASSERT_TRUE(slider && list && tree && hotkey);

    // The slider's end: its rail runs between the thumb's halves, 20 to 200.
    Click(POINT{200, 50});
    EXPECT_EQ(100, slider->GetValue());
    // An entry takes the selection at the press.
    Click(POINT{300, 10 + 2 * 20 + 10});
    EXPECT_EQ(2, list->GetCurSel());
    // The nuts' toggle, on the fourth row, shows their two children.
    Click(POINT{220 + 4, 120 + 3 * 24 + 12});
    EXPECT_EQ(7 * 24, tree->GetViewSize().cy);
    // A click gives the hot key the focus; Ctrl held around B makes the combination.
    Click(POINT{100, 182});
    ASSERT_TRUE(hotkey->IsFocused());
    Drive("keydown ctrl sleep 0.2 key b sleep 0.2 keyup ctrl sleep 0.3");
    EXPECT_EQ(L"Ctrl+B", std::wstring(hotkey->FormatAccelText().c_str()));
    // A header item answers a click with its index.
    Click(POINT{460 + 120 + 55, 22});
    EXPECT_EQ(std::vector<std::wstring>{L"click 1"}, headerEvents.log);
    // Rows of 20 under the list control's header of 20; tiles and rows of the views.
    Click(POINT{575, 64 + 2 * 20 + 10});
    EXPECT_EQ(2, listCtrl->GetSelectedItem());
    Click(POINT{810, 90});
    EXPECT_EQ(4, tiles->GetSel());
    Click(POINT{750, 164 + 30 + 15});
    EXPECT_EQ(1, columns->GetSel());
    Click(POINT{1060, 74 + 50 + 25});
    EXPECT_EQ(m_branchB, branches->GetSel());

    ::SetCursorPos(0, 0);
    Repaint();
    KeepPng(m_host->GetCacheTarget(), L"TIVALA_PAINT_PNG", L"extended_gallery_after_input");
    EXPECT_EQ(0xFF0000FFu, Pixel(400, 10 + 2 * 20 + 3)) << "the selected entry";
    EXPECT_EQ(0xFF0000FFu, Pixel(205, 50)) << "the thumb at the slider's end";
    EXPECT_EQ(0xFF0000FFu, Pixel(462, 64 + 2 * 20 + 2)) << "the selected row";
    EXPECT_EQ(0xFF0000FFu, Pixel(810, 90)) << "the selected tile";
    EXPECT_EQ(0xFF0000FFu, Pixel(700 + 100, 164 + 30 + 15)) << "the selected row of columns, between its cells";
    EXPECT_EQ(0xFF0000FFu, Pixel(1100, 74 + 50 + 25)) << "the selected branch";
    EXPECT_EQ(0xFFE0E0E0u, Pixel(1100, 74 + 25)) << "the branch above it";
}

TEST_F(ExtendedGalleryHostTest, RealInputChoosesFromAMenuOfTheMenuBar)
{
    Open();
    SMenuBar* const menuBar = Find<SMenuBar>(L"menubar");
    ASSERT_NE(nullptr, menuBar);
    std::vector<UINT> chosen;
    struct Chosen {
        std::vector<UINT>* ids;
        BOOL OnSelect(EventSelectMenu* selected)
        {
            ids->push_back(selected->id);
            return TRUE;
        }
    } listener{&chosen};
    menuBar->GetEventSet()->SubscribeEvent(EventSelectMenu::EventID, Subscriber(&Chosen::OnSelect, &listener));

    // The edit menu, a window of its own, is pictured on the screen once it has
    // shown for a few ticks of its loop, long enough to be painted.
    SMenuEx* const menu = menuBar->GetButton(1)->GetMenu();
    RECT shown = {};
    int ticksShown = 0;
    MenuExWatch watch([&] {
        if (!IsShown(menu))
            return;
        shown = ScreenRectOf(menu);
        if (++ticksShown == 4)
            KeepScreen(L"TIVALA_PAINT_PNG", L"extended_gallery_menu");
    });
    // The edit button's middle, and its menu's first item, Undo (ID 5), 12 pixels into the menu.
    const POINT onEdit = OnScreen(m_host->GetHwnd(), POINT{1015, 20});
    const POINT onUndo = {onEdit.x, onEdit.y + 10 + 2 + 12};
    StartXdotool("mousemove " + Xy(onEdit) + " sleep 0.3 click 1 sleep 1.5 mousemove " + Xy(onUndo) +
                 " sleep 0.5 click 1 sleep 0.5");
    EXPECT_TRUE(PumpUntil([this] { return XdotoolDone() && !SMenuEx::IsRunning(); }, 30000));
    Pump();
    EXPECT_FALSE(watch.timedOut);
    EXPECT_GE(ticksShown, 4);
    // Below the button, 2 pixels apart.
    const POINT editCorner = OnScreen(m_host->GetHwnd(), POINT{991, 30});
    EXPECT_EQ(editCorner.x, shown.left);
    EXPECT_EQ(editCorner.y + 2, shown.top);
    EXPECT_EQ(std::vector<UINT>{5}, chosen);
    EXPECT_FALSE(IsShown(menu));
}

TEST_F(ExtendedGalleryHostTest, RealClicksChooseAnEntryFromTheComboBoxsPopup)
{
    Open();
    SComboBox* const combo = Find<SComboBox>(L"combo");
    ASSERT_NE(nullptr, combo);
    EXPECT_EQ(SStringW(L"one"), combo->GetWindowText());

    Click(POINT{1000, 52});
    ASSERT_NE(nullptr, combo->GetDropDownWnd());
    const HWND popup = combo->GetDropDownWnd()->GetHwnd();
    ASSERT_TRUE(::IsWindowVisible(popup));
    RECT placed = {};
    ::GetWindowRect(popup, &placed);
    const POINT below = OnScreen(m_host->GetHwnd(), POINT{940, 64});
    EXPECT_EQ(below.x, placed.left);
    EXPECT_EQ(below.y, placed.top);
    EXPECT_EQ(5 * 20 + 4, placed.bottom - placed.top);   // every entry, within margins of 2
    // The popup is a window of its own: the screen shows it over its host.
    ::RedrawWindow(popup, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    KeepScreen(L"TIVALA_PAINT_PNG", L"extended_gallery_combo");
    const Pixels pixels = ReadPixels(combo->GetDropDownWnd()->GetCacheTarget());
    EXPECT_EQ(0xFF0000FFu, PixelAt(pixels, 230, 200, 2 + 1 * 20 + 3)) << "the current entry";

    // The fourth entry, 10 pixels into it: chosen, and the popup gone.
    Click(POINT{1000, 64 + 2 + 3 * 20 + 10});
    EXPECT_EQ(3, combo->CurrentIndex());
    EXPECT_EQ(SStringW(L"three"), combo->GetWindowText());
    EXPECT_FALSE(::IsWindow(popup));
    EXPECT_EQ(nullptr, combo->GetDropDownWnd());
}

TEST_F(ExtendedGalleryHostTest, TheDateControlsShowAndThePickerOpensItsCalendar)
{
    OpenDates();
    const struct {
        const wchar_t* name;
        const wchar_t* tag;
        RECT rect;
    } controls[] = {
        {L"dates",      L"window",         {10, 10, 220, 270}},
        {L"calendar",   L"calendar",       {10, 10, 220, 170}},
        {L"picker",     L"dateTimePicker", {10, 180, 220, 204}},
        {L"calendarex", L"calendarex",     {230, 10, 440, 248}},
    };
    for (const auto& c : controls) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.name)));
        SWindow* const window = m_host->FindChildByName(c.name);
        ASSERT_NE(nullptr, window);
        EXPECT_TRUE(window->IsClass(c.tag));
        const RECT rect = window->GetWindowRect();
        EXPECT_TRUE(::EqualRect(&c.rect, &rect)) << rect.left << "," << rect.top << "," << rect.right << "," << rect.bottom;
    }
    SCalendar* const calendar = Find<SCalendar>(L"calendar");
    SCalendarEx* const calendarEx = Find<SCalendarEx>(L"calendarex");
    SDateTimePicker* const picker = Find<SDateTimePicker>(L"picker");
    ASSERT_TRUE(calendar && calendarEx && picker);
    calendar->SetDate(2024, 6, 15);
    calendarEx->SetDate(2024, 6, 15);
    SYSTEMTIME value = {};
    value.wYear = 2024;
    value.wMonth = 6;
    value.wDay = 15;
    value.wHour = 9;
    value.wMinute = 30;
    picker->SetValue(value);
    Repaint();
    KeepPng(m_host->GetCacheTarget(), L"TIVALA_PAINT_PNG", L"extended_gallery_dates");
    EXPECT_EQ(0xFF00FF00u, Pixel(12, 12)) << "the calendar's title";
    EXPECT_EQ(0xFF0000FFu, Pixel(10 + 6 * 30 + 2, 30 + 2 * 20 + 2)) << "the calendar's 15th";
    const RECT selected = calendarEx->CellRect(20);
    EXPECT_EQ(0xFF007ACCu, Pixel(selected.left + 3, selected.top + 3)) << "the extended calendar's 15th";

    // A real click on the picker's button opens the calendar in a window of its own.
    const RECT button = picker->ButtonRect();
    Click(POINT{(button.left + button.right) / 2, (button.top + button.bottom) / 2});
    ASSERT_TRUE(PumpUntil([&] { return picker->GetDropDown() != nullptr; }));
    const HWND popup = picker->GetDropDown()->GetHwnd();
    EXPECT_TRUE(::IsWindowVisible(popup));
    EXPECT_EQ(15, picker->GetCalendar()->GetDay());
    ::RedrawWindow(popup, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Repaint();
    KeepScreen(L"TIVALA_PAINT_PNG", L"extended_gallery_picker_open");
    Drive("key Escape sleep 0.3");
    ASSERT_TRUE(PumpUntil([&] { return picker->GetDropDown() == nullptr; }));
    EXPECT_FALSE(::IsWindow(popup));
}
