// The list control on a windowless host: columns and rows by call, the deletion
// events, the selection procedure with its modifiers, the check boxes, the scroll
// range, sorting and the rows' pixels.

#include "HeaderTest.h"
#include "PanelTest.h"

#include "controls/SListCtrl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace SAKU;
using namespace saku_test;

namespace {

// What a list control raises; the changing event is vetoed while `veto` is set.
struct ListEvents {
    void Listen(SListCtrl* list)
    {
        SEventSet* const events = list->GetEventSet();
        events->SubscribeEvent(EventLCSelChanging::EventID, Subscriber(&ListEvents::OnChanging, this));
        events->SubscribeEvent(EventLCSelChanged::EventID, Subscriber(&ListEvents::OnChanged, this));
        events->SubscribeEvent(EventLCItemDeleted::EventID, Subscriber(&ListEvents::OnDeleted, this));
        events->SubscribeEvent(EventLCDbClick::EventID, Subscriber(&ListEvents::OnDbClick, this));
    }
    BOOL OnChanging(EventArgs* args)
    {
        auto* const changing = SObjCast<EventLCSelChanging>(args);
        log.push_back(L"changing " + std::to_wstring(changing->newSel) + L" " + std::to_wstring(changing->oldSel));
        changing->cancel = veto;
        return TRUE;
    }
    BOOL OnChanged(EventArgs* args)
    {
        auto* const changed = SObjCast<EventLCSelChanged>(args);
        log.push_back(L"changed " + std::to_wstring(changed->newSel) + L" " + std::to_wstring(changed->oldSel));
        return TRUE;
    }
    BOOL OnDeleted(EventArgs* args)
    {
        auto* const deleted = SObjCast<EventLCItemDeleted>(args);
        log.push_back(L"deleted " + std::to_wstring(deleted->item) + L" " + std::to_wstring(deleted->data));
        return TRUE;
    }
    BOOL OnDbClick(EventArgs* args)
    {
        log.push_back(L"dbclick " + std::to_wstring(SObjCast<EventLCDbClick>(args)->item));
        return TRUE;
    }
    std::vector<std::wstring> Take()
    {
        std::vector<std::wstring> taken;
        taken.swap(log);
        return taken;
    }

    BOOL veto = FALSE;
    std::vector<std::wstring> log;
};

// The rows marked, as "1 2 3".
std::wstring Checked(const SListCtrl* list)
{
    std::wstring rows;
    for (int i = 0; i < list->GetItemCount(); ++i) {
        if (list->GetCheckState(i))
            rows += (rows.empty() ? L"" : L" ") + std::to_wstring(i);
    }
    return rows;
}

// The texts of a column, as "a b c".
std::wstring Column(const SListCtrl* list, int column)
{
    std::wstring texts;
    for (int i = 0; i < list->GetItemCount(); ++i)
        texts += (i ? L" " : L"") + std::wstring(list->GetSubItemText(i, column).c_str());
    return texts;
}

// A list of 200 x `height` at the host's corner with the columns Name (100) and
// Size (60) in a header of 20, rows of 20.
std::wstring ListLayout(const std::wstring& attributes, int height = 140)
{
    return L"<root><listctrl name='list' margin='0' pos='0,0,@200,@" + std::to_wstring(height) + L"' sbSkin='bar' " +
           attributes +
           L"><header name='header' margin='0'><items><item width='100'>Name</item><item width='60'>Size</item></items>"
           L"</header></listctrl></root>";
}

class SListCtrlTest : public PanelTest {
protected:
    SListCtrl* BuildList(const std::wstring& xml, int rows)
    {
        Build(xml.c_str());
        SListCtrl* const list = Find<SListCtrl>(L"list");
        if (!list)
            return nullptr;
        m_events.Listen(list);
        for (int i = 0; i < rows; ++i) {
            list->InsertItem(-1, (L"row " + std::to_wstring(i)).c_str());
            list->SetSubItemText(i, 1, std::to_wstring(i * 10).c_str());
            list->SetItemData(i, static_cast<DWORD>(100 + i));
        }
        return list;
    }
    static int RowY(int row) { return 20 + 20 * row + 10; }
    void Click(int x, int y)
    {
        Press(x, y);
        Release(x, y);
    }

    ListEvents m_events;
};

}  // namespace

TEST_F(SListCtrlTest, WithoutAHeaderTheListStaysHarmless)
{
    Build(L"<root><listctrl name='list' margin='0' pos='0,0,@200,@100'/></root>");
    SListCtrl* const list = Find<SListCtrl>(L"list");
    ASSERT_NE(nullptr, list);
    EXPECT_EQ(nullptr, list->GetHeaderCtrl());
    EXPECT_EQ(-1, list->InsertColumn(0, L"a", 50));
    EXPECT_EQ(-1, list->InsertItem(0, L"a"));
    EXPECT_EQ(0, list->GetItemCount());
    EXPECT_EQ(0, list->GetColumnCount());
    EXPECT_FALSE(list->DeleteColumn(0));
    Click(50, 50);
    Paint();
    EXPECT_EQ(-1, list->GetSelectedItem());
}

TEST_F(SListCtrlTest, RowsAndCellsByCall)
{
    SListCtrl* const list = BuildList(ListLayout(L""), 3);
    ASSERT_NE(nullptr, list);
    EXPECT_EQ(2, list->GetColumnCount());
    EXPECT_EQ(1, list->InsertItem(1, L"inserted", 5));
    EXPECT_EQ(4, list->InsertItem(99, L"appended"));
    EXPECT_EQ(5, list->InsertItem(-3, L"also appended"));
    EXPECT_EQ(L"row 0 inserted row 1 row 2 appended also appended", Column(list, 0));

    wchar_t buffer[5] = {L'x', L'x', L'x', L'x', L'x'};
    SListCtrlSubItem cell;
    cell.mask = kListCtrlMaskText | kListCtrlMaskImage;
    cell.text = buffer;
    cell.textLength = 5;
    cell.image = -7;
    ASSERT_TRUE(list->GetSubItem(1, 0, &cell));
    EXPECT_STREQ(L"inse", buffer);   // cut to the buffer
    EXPECT_EQ(5, cell.image);
    ASSERT_TRUE(list->GetSubItem(1, 1, &cell));   // no text
    EXPECT_STREQ(L"", buffer);
    EXPECT_EQ(0, cell.image);   // new cells start at image 0

    SListCtrlSubItem change;
    change.mask = kListCtrlMaskText | kListCtrlMaskIndent;
    change.text = const_cast<LPWSTR>(L"new");
    change.indent = 3;
    ASSERT_TRUE(list->SetSubItem(1, 1, &change));
    EXPECT_STREQ(L"new", list->GetSubItemText(1, 1).c_str());
    cell.mask = kListCtrlMaskIndent;
    ASSERT_TRUE(list->GetSubItem(1, 1, &cell));
    EXPECT_EQ(3, cell.indent);

    const struct {
        int row;
        int column;
    } bad[] = {{-1, 0}, {6, 0}, {0, -1}, {0, 2}};
    for (const auto& c : bad) {
        SCOPED_TRACE(std::to_wstring(c.row) + L"," + std::to_wstring(c.column));
        EXPECT_FALSE(list->GetSubItem(c.row, c.column, &cell));
        EXPECT_FALSE(list->SetSubItem(c.row, c.column, &change));
        EXPECT_FALSE(list->SetSubItemText(c.row, c.column, L"x"));
        EXPECT_TRUE(list->GetSubItemText(c.row, c.column).IsEmpty());
        const RECT rect = list->GetItemRect(c.row, c.column);
        EXPECT_TRUE(::IsRectEmpty(&rect));
    }
    EXPECT_EQ(0u, list->GetItemData(6));
    EXPECT_FALSE(list->SetItemData(-1, 1));

    EXPECT_FALSE(list->SetItemCount(3));
    ASSERT_TRUE(list->SetItemCount(8));
    EXPECT_EQ(8, list->GetItemCount());
    EXPECT_TRUE(list->GetSubItemText(7, 1).IsEmpty());
    EXPECT_TRUE(list->SetSubItemText(7, 1, L"late"));
    EXPECT_STREQ(L"late", list->GetSubItemText(7, 1).c_str());
}

TEST_F(SListCtrlTest, ColumnsKeepTheirCellsAsOthersComeAndGo)
{
    SListCtrl* const list = BuildList(ListLayout(L""), 2);
    ASSERT_NE(nullptr, list);
    // A column before the others: every column still shows its own cells.
    EXPECT_EQ(0, list->InsertColumn(0, L"First", 40));
    SHeaderCtrl* const header = list->GetHeaderCtrl();
    EXPECT_EQ(L"0 1 2", Orders(header));
    EXPECT_EQ(L"row 0 row 1", Column(list, 1));
    EXPECT_EQ(L"0 10", Column(list, 2));
    EXPECT_EQ(L" ", Column(list, 0));
    const RECT name = list->GetItemRect(1, 1);
    EXPECT_EQ(40, name.left);   // after First
    EXPECT_EQ(140, name.right);
    EXPECT_EQ(20 + 20, name.top);

    // The middle one goes: the others keep theirs.
    ASSERT_TRUE(list->DeleteColumn(1));
    EXPECT_EQ(L"0 1", Orders(header));
    EXPECT_EQ(L"0 10", Column(list, 1));
    EXPECT_FALSE(list->DeleteColumn(2));
    EXPECT_TRUE(m_events.Take().empty());
}

TEST_F(SListCtrlTest, EveryRowIsReportedDeletedExactlyOnce)
{
    SListCtrl* const list = BuildList(ListLayout(L""), 3);
    ASSERT_NE(nullptr, list);
    ASSERT_TRUE(list->DeleteColumn(1));
    EXPECT_TRUE(m_events.Take().empty());
    // The last column takes the rows with it.
    ASSERT_TRUE(list->DeleteColumn(0));
    EXPECT_EQ(std::vector<std::wstring>({L"deleted 0 100", L"deleted 1 101", L"deleted 2 102"}), m_events.Take());
    EXPECT_EQ(0, list->GetItemCount());
    EXPECT_EQ(0, list->InsertColumn(-1, L"again", 50));
    EXPECT_EQ(0, list->GetItemCount());   // the rows do not come back
    list->DeleteAllItems();
    EXPECT_TRUE(m_events.Take().empty());

    for (int i = 0; i < 2; ++i)
        list->SetItemData(list->InsertItem(-1, L"x"), 200 + i);
    list->DeleteAllItems();
    EXPECT_EQ(std::vector<std::wstring>({L"deleted 0 200", L"deleted 1 201"}), m_events.Take());
    list->InsertItem(-1, L"last");
    list->DeleteItem(5);   // no such row
    EXPECT_TRUE(m_events.Take().empty());
    m_host->DestroyChild(list);
    EXPECT_EQ(std::vector<std::wstring>({L"deleted 0 0"}), m_events.Take());
}

TEST_F(SListCtrlTest, DeletingARowMovesTheSelectionAndHoverAsTheListBoxDoes)
{
    const struct {
        int selected;
        int deleted;
        int after;
    } cases[] = {{3, 3, -1}, {3, 1, 2}, {3, 4, 3}, {-1, 0, -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_wstring(c.selected) + L" less " + std::to_wstring(c.deleted));
        SListCtrl* const list = BuildList(ListLayout(L"hotTrack='1'"), 5);
        ASSERT_NE(nullptr, list);
        ASSERT_TRUE(list->SetSelectedItem(c.selected));
        m_host->Mouse(WM_MOUSEMOVE, 50, RowY(c.selected < 0 ? 6 : c.selected));
        EXPECT_EQ(c.selected, list->GetHoverItem());
        list->DeleteItem(c.deleted);
        EXPECT_EQ(c.after, list->GetSelectedItem());
        EXPECT_EQ(c.after, list->GetHoverItem());
        m_host->DestroyChild(list);
    }

    // Row 4 of 5 selected and deleted: a Shift-click marks rows that exist only.
    SListCtrl* const list = BuildList(ListLayout(L"multiSelection='1'"), 5);
    ASSERT_NE(nullptr, list);
    list->SetSelectedItem(4);
    list->DeleteItem(4);
    m_events.Take();
    {
        const HeldKeys shift({VK_SHIFT});
        Click(50, RowY(1));
    }
    EXPECT_EQ(L"0 1", Checked(list));
    EXPECT_EQ(4, list->GetItemCount());
    EXPECT_EQ(std::vector<std::wstring>({L"changing 1 -1", L"changed 1 0"}), m_events.Take());
}

TEST_F(SListCtrlTest, ClicksWithCtrlAndShiftSelectAsTheProcedureSays)
{
    SListCtrl* const list = BuildList(ListLayout(L"multiSelection='1'"), 5);
    ASSERT_NE(nullptr, list);
    const struct {
        int key;   // 0: none
        int row;
        const wchar_t* checked;
        int selected;
        const wchar_t* changed;
    } steps[] = {
        {0, 2, L"2", 2, L"changed 2 -1"},
        {VK_CONTROL, 4, L"2 4", 4, L"changed 4 2"},
        {VK_CONTROL, 4, L"2", 4, L"changed 4 4"},
        {VK_SHIFT, 1, L"1 2 3 4", 4, L"changed 1 4"},
        {0, 5, L"", -1, L"changed -1 4"},   // below the rows
        {VK_SHIFT, 3, L"0 1 2 3", -1, L"changed 3 0"},   // from no selection: from row 0
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(std::to_wstring(step.key) + L" " + std::to_wstring(step.row));
        if (step.key) {
            const HeldKeys held({step.key});
            Click(150, RowY(step.row));
        } else {
            Click(150, RowY(step.row));
        }
        EXPECT_EQ(step.checked, Checked(list));
        EXPECT_EQ(step.selected, list->GetSelectedItem());
        const std::vector<std::wstring> log = m_events.Take();
        ASSERT_EQ(2u, log.size());
        EXPECT_EQ(step.changed, log[1]);
    }
    EXPECT_TRUE(list->IsFocused());

    // A vetoed change changes nothing and is not followed by a changed event.
    m_events.veto = TRUE;
    Click(150, RowY(0));
    EXPECT_EQ(L"0 1 2 3", Checked(list));
    EXPECT_EQ(std::vector<std::wstring>({L"changing 0 -1"}), m_events.Take());
    m_events.veto = FALSE;

    // By call: a row that does not exist is refused.
    EXPECT_FALSE(list->SetSelectedItem(5));
    EXPECT_FALSE(list->SetSelectedItem(-2));
    EXPECT_TRUE(m_events.Take().empty());
    EXPECT_TRUE(list->SetSelectedItem(1));
    EXPECT_EQ(L"1", Checked(list));
    EXPECT_EQ(1, list->GetSelectedItem());
    EXPECT_EQ(1, list->GetFirstCheckedItem());
    EXPECT_EQ(1, list->GetLastCheckedItem());
    EXPECT_EQ(1, list->GetCheckedItemCount());

    // A double click on another row selects it, then reports the row.
    m_events.Take();
    MoveTo(150, RowY(3));
    m_host->Mouse(WM_LBUTTONDBLCLK, 150, RowY(3), MK_LBUTTON);
    Release(150, RowY(3));
    EXPECT_EQ(std::vector<std::wstring>({L"changing 3 1", L"changed 3 1", L"dbclick 3"}), m_events.Take());
}

TEST_F(SListCtrlTest, ACheckBoxPressTogglesItsRowAlone)
{
    AddSkins(L"<skin><imglist name='check' src='png:sbar_cells' states='5' vertical='1'/></skin>");
    SListCtrl* const list = BuildList(ListLayout(L"checkBox='1' checkSkin='check'"), 3);
    ASSERT_NE(nullptr, list);
    Click(150, RowY(0));   // outside the box: a plain selection
    EXPECT_EQ(L"0", Checked(list));
    Click(10, RowY(2));    // the box: row 2 toggles, row 0 stays
    EXPECT_EQ(L"0 2", Checked(list));
    EXPECT_EQ(2, list->GetSelectedItem());
    Paint();
    Keep(L"listctrl_checkbox");
    EXPECT_EQ(Cell(0, 4), Pixel(8, RowY(2)));   // the checked state, 3 right of the row's margin
    EXPECT_EQ(Cell(0, 0), Pixel(8, RowY(1)));
    Click(10, RowY(2));
    EXPECT_EQ(L"0", Checked(list));
    m_events.Take();
    Click(10, RowY(4));    // the box's column below the rows: nothing at all
    EXPECT_EQ(L"0", Checked(list));
    EXPECT_TRUE(m_events.Take().empty());

    EXPECT_TRUE(list->SetCheckState(1, TRUE));
    EXPECT_FALSE(list->SetCheckState(3, TRUE));
    EXPECT_EQ(L"0 1", Checked(list));
    list->ApplyAttribute(L"checkBox", L"0", FALSE);
    EXPECT_FALSE(list->SetCheckState(1, FALSE));
}

TEST_F(SListCtrlTest, AnItemHeightOfZeroOrLessIsRefused)
{
    SListCtrl* const list = BuildList(ListLayout(L"itemHeight='0'"), 3);
    ASSERT_NE(nullptr, list);
    EXPECT_EQ(20, list->GetItemHeight());
    for (const wchar_t* value : {L"0", L"-5", L"abc"}) {
        SCOPED_TRACE(value);
        EXPECT_TRUE(FAILED(list->ApplyAttribute(L"itemHeight", value, FALSE)));
        EXPECT_EQ(20, list->GetItemHeight());
    }
    EXPECT_EQ(E_FAIL, list->ApplyAttribute(L"colorText", L"", FALSE));   // an empty colour is no colour
    EXPECT_EQ(S_FALSE, list->ApplyAttribute(L"itemHeight", L"25", FALSE));
    EXPECT_EQ(25, list->GetItemHeight());
    EXPECT_EQ(1, list->HitTest(POINT{50, 20 + 30}));
    Paint();
}

TEST_F(SListCtrlTest, ThirtyRowsScrollOverTheirHeight)
{
    SListCtrl* const list = BuildList(ListLayout(L"", 220), 30);
    ASSERT_NE(nullptr, list);
    ASSERT_TRUE(list->HasScrollBar(TRUE));
    EXPECT_FALSE(list->HasScrollBar(FALSE));
    const SCROLLINFO& info = list->GetScrollInfo(TRUE);
    EXPECT_EQ(0, info.nMin);
    EXPECT_EQ(599, info.nMax);
    EXPECT_EQ(200u, info.nPage);
    EXPECT_EQ(10, list->GetCountPerPage(FALSE));
    list->OnScroll(TRUE, SB_BOTTOM, 0);
    EXPECT_EQ(400, list->GetScrollPos(TRUE));
    EXPECT_EQ(20, list->GetTopIndex());
    EXPECT_EQ(20, list->HitTest(POINT{50, 25}));
    EXPECT_EQ(29, list->HitTest(POINT{50, 219}));
    EXPECT_EQ(-1, list->HitTest(POINT{50, 15}));   // the header
    Paint();
    Keep(L"listctrl_bottom");

    // Columns wider than the list bring the horizontal bar.
    list->InsertColumn(-1, L"wide", 400);
    EXPECT_TRUE(list->HasScrollBar(FALSE));
    EXPECT_EQ(559, list->GetScrollInfo(FALSE).nMax);
}

TEST_F(SListCtrlTest, SortingKeepsTheChecksWithTheirRows)
{
    SListCtrl* const list = BuildList(ListLayout(L"multiSelection='1'"), 4);
    ASSERT_NE(nullptr, list);
    Click(150, RowY(1));
    {
        const HeldKeys ctrl({VK_CONTROL});
        Click(150, RowY(3));
    }
    ASSERT_EQ(L"1 3", Checked(list));
    const auto descending = [](void* context, const void* a, const void* b) -> int {
        ++*static_cast<int*>(context);
        const DWORD left = static_cast<const SListCtrlItem*>(a)->data;
        const DWORD right = static_cast<const SListCtrlItem*>(b)->data;
        return left < right ? 1 : left > right ? -1 : 0;
    };
    int calls = 0;
    ASSERT_TRUE(list->SortItems(descending, &calls));
    EXPECT_GT(calls, 0);
    EXPECT_EQ(L"row 3 row 2 row 1 row 0", Column(list, 0));
    EXPECT_EQ(L"0 2", Checked(list));
    EXPECT_EQ(-1, list->GetSelectedItem());
}

TEST_F(SListCtrlTest, RowsDrawTheirColoursAndTexts)
{
    SListCtrl* const list = BuildList(ListLayout(L"colorText='#000000'"), 4);
    ASSERT_NE(nullptr, list);
    Click(150, RowY(2));
    Paint();
    Keep(L"listctrl");
    EXPECT_EQ(0xFFFFFFFFu, Pixel(2, RowY(0)));
    EXPECT_EQ(0xFFE2E2E2u, Pixel(2, RowY(1)));   // odd rows
    EXPECT_EQ(0xFF3991D1u, Pixel(2, RowY(2)));   // the selected row
    EXPECT_EQ(0xFFE2E2E2u, Pixel(2, RowY(3)));
    // The text of row 0 lies in its band, left in the Name column.
    int dark = 0;
    for (int x = 4; x < 100; ++x) {
        for (int y = 20; y < 40; ++y)
            dark += (Pixel(x, y) & 0xFF) < 0x80 ? 1 : 0;
    }
    EXPECT_GT(dark, 10);
}

TEST_F(SListCtrlTest, AHeaderChangedBehindTheListsBackReadsNoCellPastTheRows)
{
    SListCtrl* const list = BuildList(ListLayout(L""), 3);
    ASSERT_NE(nullptr, list);
    SHeaderCtrl* const header = list->GetHeaderCtrl();
    ASSERT_EQ(0, header->InsertItem(0, L"behind", 30));   // data columns 0 to 2 now, the rows have 2 cells
    Paint();
    EXPECT_TRUE(list->GetSubItemText(0, 2).IsEmpty());
    EXPECT_FALSE(list->SetSubItemText(0, 2, L"x"));
    EXPECT_EQ(3, list->InsertColumn(-1, L"more", 30));
    EXPECT_TRUE(list->SetSubItemText(0, 2, L"x"));
    Paint();
    header->DeleteAllItems();
    Paint();
    EXPECT_EQ(0, list->GetItemCount());
}

TEST_F(SListCtrlTest, CellsShowTheirIconUnlessTheirImageIsMinusOne)
{
    AddSkins(L"<skin><imglist name='icons' src='png:states16' states='3'/></skin>");
    SListCtrl* const list = BuildList(ListLayout(L"iconSkin='icons' colorItemBkgnd2='#FFFFFF'"), 3);
    ASSERT_NE(nullptr, list);
    SListCtrlSubItem cell;
    cell.mask = kListCtrlMaskImage;
    cell.image = -1;
    ASSERT_TRUE(list->SetSubItem(1, 0, &cell));
    cell.image = 2;
    ASSERT_TRUE(list->SetSubItem(2, 0, &cell));
    Paint();
    Keep(L"listctrl_icons");
    // The icon sits a sixth of the row in from the column, centred in the row.
    // Read at the icon's top row, above the text.
    const int x = 4 + 20 / 6 + 8;
    EXPECT_EQ(0xFFFF0000u, Pixel(x, RowY(0) - 7));   // image 0 of a new cell
    EXPECT_EQ(0xFFFFFFFFu, Pixel(x, RowY(1) - 7));   // none
    EXPECT_EQ(0xFF0000FFu, Pixel(x, RowY(2) - 7));
}
