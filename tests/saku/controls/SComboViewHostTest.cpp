// The combo view in a real host window: its items are the adapter's rows, their
// texts the adapter's descriptions; its popup holds the list view, as high as the
// rows, and a selection made in the open list is the combo's.

#include "../core/HostTest.h"
#include "ListTestAdapter.h"

#include "controls/SComboView.h"
#include "controls/SListView.h"
#include "core/Events.h"
#include "core/ISlotFunctor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace SAKU;
using namespace saku_test;

namespace {

const wchar_t kLayout[] =
    L"<SAKU width='300' height='200' wndType='normal'><root colorBkgnd='#FFFFFFFF'>"
    L"<comboview name='view' pos='20,20,@150,@24' animateTime='0' dropHeight='120'>"
    L"<listStyle margin='0'><template defHeight='20'><item><window name='label' pos='4,0,-4,-0'/></item></template>"
    L"</listStyle></comboview>"
    L"</root></SAKU>";

// Rows that describe themselves as "row N".
class DescribedAdapter : public ListTestAdapter {
public:
    using ListTestAdapter::ListTestAdapter;
    SStringW GetItemDesc(int position) override { return SStringW((L"row " + std::to_wstring(position)).c_str()); }
};

struct Selections {
    std::vector<int> indexes;
    BOOL OnSelChange(EventCBSelChange* event)
    {
        indexes.push_back(event->index);
        return TRUE;
    }
};

class SComboViewHostTest : public HostTest {};

}  // namespace

TEST_F(SComboViewHostTest, ItemsAreTheAdaptersRowsAndThePopupHoldsTheListView)
{
    SHostWnd host;   // made after the application: the fixture's SetUp ran
    ASSERT_TRUE(LoadLayout(host, kLayout));
    auto* const combo = host.FindChildByName2<SComboView>(L"view");
    ASSERT_NE(nullptr, combo);
    SListView* const list = combo->GetListView();
    ASSERT_NE(nullptr, list);
    Selections seen;
    combo->GetEventSet()->SubscribeEvent(EventCBSelChange::EventID, Subscriber(&Selections::OnSelChange, &seen));

    // Without an adapter the combo is empty.
    EXPECT_EQ(0, combo->ItemCount());
    EXPECT_EQ(-1, combo->CurrentIndex());
    EXPECT_TRUE(combo->ItemText(0).IsEmpty());

    auto adapter = SAutoRef<DescribedAdapter>::Adopt(new DescribedAdapter(3));
    list->SetAdapter(adapter.Get());
    EXPECT_EQ(3, combo->ItemCount());
    EXPECT_TRUE(combo->SelectIndex(1));
    EXPECT_FALSE(combo->SelectIndex(1));   // no change
    EXPECT_EQ(1, combo->CurrentIndex());
    EXPECT_EQ(SStringW(L"row 1"), combo->GetWindowText());
    EXPECT_TRUE(combo->ItemText(-1).IsEmpty());
    EXPECT_EQ(2, combo->FindItem(L"row 2"));
    EXPECT_EQ(-1, combo->FindItem(L"row 0", 1));
    EXPECT_EQ(std::vector<int>{1}, seen.indexes);

    ::ShowWindow(host.GetHwnd(), SW_SHOWNOACTIVATE);
    combo->OpenDropDown();
    ASSERT_NE(nullptr, combo->GetDropDownWnd());
    const HWND popup = combo->GetDropDownWnd()->GetHwnd();
    RECT placed = {};
    ::GetWindowRect(popup, &placed);
    EXPECT_EQ(60, placed.bottom - placed.top);   // three rows of 20
    EXPECT_EQ(combo->GetDropDownWnd(), list->GetParent());

    // A choice in the open list is the combo's at once.
    list->SetSel(2, TRUE);
    EXPECT_EQ((std::vector<int>{1, 2}), seen.indexes);
    combo->CloseDropDown();
    Pump();
    EXPECT_FALSE(::IsWindow(popup));
    EXPECT_EQ(nullptr, list->GetParent());
    EXPECT_EQ(2, combo->CurrentIndex());
    EXPECT_EQ((std::vector<int>{1, 2}), seen.indexes);   // Escape-like: no second change

    // More rows than the drop height allows: the popup stops there.
    adapter->SetCount(30);
    adapter->NotifyDataSetChanged();
    combo->OpenDropDown();
    ASSERT_NE(nullptr, combo->GetDropDownWnd());
    ::GetWindowRect(combo->GetDropDownWnd()->GetHwnd(), &placed);
    EXPECT_EQ(120, placed.bottom - placed.top);
    combo->CloseDropDown();
    Pump();
    list->SetAdapter(nullptr);
    DestroyHost(host);
}
