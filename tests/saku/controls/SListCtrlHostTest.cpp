// List controls in a real host window under the display server's mouse and
// keyboard: clicks with Ctrl and Shift held mark rows as the selection procedure
// says, a vetoed change keeps every row, and a check box toggles its row alone.

#include "../core/HostTest.h"
#include "../render/RenderTestSupport.h"

#include "controls/SListCtrl.h"
#include "core/Events.h"
#include "core/ISlotFunctor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace SAKU;
using namespace saku_test;

namespace {

// Five rows with multiple selection at the top; three with check boxes below,
// each list under a header of 20 with rows of 20.
const wchar_t kLayout[] =
    L"<SAKU width='260' height='270' wndType='normal'>"
    L"<skin><imglist name='check' src='png:sbar_cells' states='5' vertical='1'/></skin>"
    L"<root colorBkgnd='#FFFFFFFF'>"
    L"<listctrl name='multi' margin='0' pos='0,0,@250,@140' multiSelection='1' colorText='#000000'>"
    L"<header margin='0'><items><item width='120'>Name</item><item width='80'>Size</item></items></header></listctrl>"
    L"<listctrl name='boxes' margin='0' pos='0,150,@250,@100' checkBox='1' checkSkin='check'>"
    L"<header margin='0'><items><item width='120'>Name</item></items></header></listctrl>"
    L"</root></SAKU>";

constexpr int kBoxesTop = 150;

// The selection events of a list, "changed 4 2"; the changing event is vetoed
// while `veto` is set.
struct SelectionEvents {
    explicit SelectionEvents(SListCtrl* list)
    {
        list->GetEventSet()->SubscribeEvent(EventLCSelChanging::EventID, Subscriber(&SelectionEvents::OnChanging, this));
        list->GetEventSet()->SubscribeEvent(EventLCSelChanged::EventID, Subscriber(&SelectionEvents::OnChanged, this));
    }
    BOOL OnChanging(EventArgs* args)
    {
        ++changings;
        SObjCast<EventLCSelChanging>(args)->cancel = veto;
        return TRUE;
    }
    BOOL OnChanged(EventArgs* args)
    {
        auto* const changed = SObjCast<EventLCSelChanged>(args);
        log.push_back(L"changed " + std::to_wstring(changed->newSel) + L" " + std::to_wstring(changed->oldSel));
        return TRUE;
    }

    BOOL veto = FALSE;
    int changings = 0;
    std::vector<std::wstring> log;
};

std::wstring Checked(const SListCtrl* list)
{
    std::wstring rows;
    for (int i = 0; i < list->GetItemCount(); ++i) {
        if (list->GetCheckState(i))
            rows += (rows.empty() ? L"" : L" ") + std::to_wstring(i);
    }
    return rows;
}

void Fill(SListCtrl* list, int rows)
{
    for (int i = 0; i < rows; ++i) {
        list->InsertItem(-1, (L"row " + std::to_wstring(i)).c_str());
        if (list->GetColumnCount() > 1)
            list->SetSubItemText(i, 1, (std::to_wstring(i + 1) + L" KB").c_str());
    }
}

class SListCtrlHostTest : public HostTest {
protected:
    // A click at a row's middle of a list at `top`, with the keys xdotool holds
    // ("ctrl", "shift") around it.
    void ClickRow(HWND window, int x, int top, int row, const std::string& key = std::string())
    {
        const std::string at = Xy(OnScreen(window, POINT{x, top + 20 + 20 * row + 10}));
        if (key.empty())
            Drive("mousemove " + at + " sleep 0.3 click 1 sleep 0.3");
        else
            Drive("mousemove " + at + " sleep 0.3 keydown " + key + " click 1 keyup " + key + " sleep 0.3");
    }
};

}  // namespace

TEST_F(SListCtrlHostTest, RealClicksWithRealModifiersMarkTheRows)
{
    SHostWnd host;
    ASSERT_TRUE(LoadLayout(host, kLayout));
    auto* const list = host.FindChildByName2<SListCtrl>(L"multi");
    ASSERT_NE(nullptr, list);
    Fill(list, 5);
    SelectionEvents events(list);
    ShowInFront(host);
    const HWND window = host.GetHwnd();

    const struct {
        const char* key;
        int row;
        const wchar_t* checked;
        int selected;
        const wchar_t* changed;
    } steps[] = {
        {"", 2, L"2", 2, L"changed 2 -1"},
        {"ctrl", 4, L"2 4", 4, L"changed 4 2"},
        {"ctrl", 4, L"2", 4, L"changed 4 4"},
        {"shift", 1, L"1 2 3 4", 4, L"changed 1 4"},
        {"", 5, L"", -1, L"changed -1 4"},          // below the rows
        {"shift", 3, L"0 1 2 3", -1, L"changed 3 0"},   // from no selection: row 0 is the old one
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(std::string(step.key) + " " + std::to_string(step.row));
        ClickRow(window, 180, 0, step.row, step.key);
        EXPECT_EQ(step.checked, Checked(list));
        EXPECT_EQ(step.selected, list->GetSelectedItem());
        ASSERT_EQ(1u, events.log.size());
        EXPECT_EQ(step.changed, events.log.back());
        events.log.clear();
    }
    EXPECT_TRUE(list->IsFocused());
    EXPECT_GE(::GetKeyState(VK_CONTROL), 0);   // xdotool let the keys go

    events.veto = TRUE;
    const int changings = events.changings;
    ClickRow(window, 180, 0, 4);
    EXPECT_EQ(changings + 1, events.changings);
    EXPECT_EQ(L"0 1 2 3", Checked(list));
    EXPECT_TRUE(events.log.empty());

    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    KeepPng(host.GetCacheTarget(), L"TIVALA_PAINT_PNG", L"listctrl_host");
    const Pixels pixels = ReadPixels(host.GetCacheTarget());
    EXPECT_EQ(0xFF3991D1u, PixelAt(pixels, 260, 2, 20 + 10));        // row 0, marked
    EXPECT_EQ(0xFF3991D1u, PixelAt(pixels, 260, 2, 20 + 20 + 10));     // row 1, marked though odd
    EXPECT_EQ(0xFFFFFFFFu, PixelAt(pixels, 260, 2, 20 + 4 * 20 + 10));  // row 4, not marked
    DestroyHost(host);
}

TEST_F(SListCtrlHostTest, ARealClickOnACheckBoxTogglesItsRowAlone)
{
    SHostWnd host;
    ASSERT_TRUE(LoadLayout(host, kLayout));
    auto* const list = host.FindChildByName2<SListCtrl>(L"boxes");
    ASSERT_NE(nullptr, list);
    Fill(list, 3);
    SelectionEvents events(list);
    ShowInFront(host);
    const HWND window = host.GetHwnd();

    ClickRow(window, 180, kBoxesTop, 0);   // beside the boxes: a plain selection
    EXPECT_EQ(L"0", Checked(list));
    ClickRow(window, 10, kBoxesTop, 2);
    EXPECT_EQ(L"0 2", Checked(list));
    EXPECT_EQ(2, list->GetSelectedItem());
    ClickRow(window, 10, kBoxesTop, 0);
    EXPECT_EQ(L"2", Checked(list));
    events.log.clear();
    ClickRow(window, 10, kBoxesTop, 3);   // a box's place below the rows
    EXPECT_EQ(L"2", Checked(list));
    EXPECT_TRUE(events.log.empty());

    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    KeepPng(host.GetCacheTarget(), L"TIVALA_PAINT_PNG", L"listctrl_host_boxes");
    const Pixels pixels = ReadPixels(host.GetCacheTarget());
    const auto cell = [](int state) { return 0xFF000000u | 10u << 16 | std::uint32_t(40 * state + 10) << 8 | 200u; };
    EXPECT_EQ(cell(4), PixelAt(pixels, 260, 8, kBoxesTop + 20 + 2 * 20 + 10));   // row 2's box, checked
    EXPECT_EQ(cell(0), PixelAt(pixels, 260, 8, kBoxesTop + 20 + 10));            // row 0's, clear
    DestroyHost(host);
}
