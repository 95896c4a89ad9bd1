// Scrolls a list view of 340 x 300, the whole of its host, from the top to the
// bottom one row a step, each step painted into the host's surface: first 100,000
// rows, then 1,000, each row of 20 or 32 pixels by its parity (a flexible
// locator measures them as they show), a coloured background and a line of text.
// Then a tile view of the same size the same way: 100,000 tiles of 80 x 80 with
// the same content; and a multi-column view of 100,000 rows of the same heights
// with four columns of 80, each with a line of text. Prints the median and worst time of a step, the mean, the
// panels each view made, the most rows (tiles) visible at once and the peak
// working set of the process.

#include "controls/IMCListViewAdapter.h"
#include "controls/SAdapterBase.h"
#include "controls/SListView.h"
#include "controls/IListViewItemLocator.h"
#include "controls/SMCListView.h"
#include "controls/STileView.h"
#include "controls/STileViewItemLocator.h"
#include "core/SAutoRef.h"
#include "render/IRenderTarget.h"

#include "BenchApp.h"
#include "BenchHost.h"
#include "BenchRounds.h"

#include <pugixml.hpp>
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <string>
#include <vector>

using namespace SAKU;

namespace {

constexpr int kWidth = 340;
constexpr int kHeight = 300;

// Rows of 20 and 32 pixels by parity, filled with their number; a panel's first
// fill builds it from the template and counts as one panel made. Base is the
// adapter base of the view's adapter interface.
template <typename Base>
class RowsAdapter : public Base {
public:
    explicit RowsAdapter(int count) : m_count(count) {}

    int PanelsMade() const { return m_panelsMade; }

    int GetCount() override { return m_count; }
    void GetView(int position, SWindow* itemWnd, pugi::xml_node xmlTemplate) override
    {
        if (itemWnd->GetChildrenCount() == 0) {
            ++m_panelsMade;
            itemWnd->BuildFromXml(xmlTemplate.first_child());
        }
        Fill(position, itemWnd);
    }
    void GetViewDesiredSize(SIZE* size, int position, SWindow*, const RECT*) override
    {
        *size = SIZE{0, position % 2 ? 32 : 20};
    }

protected:
    virtual void Fill(int position, SWindow* itemWnd)
    {
        if (SWindow* const label = itemWnd->FindChildByName(L"label")) {
            wchar_t text[64];
            std::swprintf(text, 64, L"模块 %d  壁纸引擎组件", position);
            label->SetWindowText(text);
        }
    }

private:
    int m_count;
    int m_panelsMade = 0;
};

using BenchAdapter = RowsAdapter<SAdapterBase>;

constexpr int kColumns = 4;

// The same rows with a line of text in each of four columns, windows "c0" to "c3".
class ColumnsAdapter : public RowsAdapter<TObjRefImpl<LvAdatperImpl<IMCListViewAdapter>>> {
public:
    using RowsAdapter::RowsAdapter;

    void GetColumnName(SStringW& name, int dataColumn) override
    {
        wchar_t text[8];
        std::swprintf(text, 8, L"c%d", dataColumn);
        name = text;
    }
    BOOL IsColumnVisible(int) override { return TRUE; }
    BOOL OnSort(int, int*, int) override { return FALSE; }

protected:
    void Fill(int position, SWindow* itemWnd) override
    {
        for (int column = 0; column < kColumns; ++column) {
            SStringW name;
            GetColumnName(name, column);
            if (SWindow* const cell = itemWnd->FindChildByName(name)) {
                wchar_t text[64];
                std::swprintf(text, 64, L"模块 %d 列 %d", position, column);
                cell->SetWindowText(text);
            }
        }
    }
};

const wchar_t kListXml[] =
    L"<listview name='list' sbWid='10' margin='0'>"
    L"<template defHeight='20'><item colorNormal='#203050' colorHover='#304060' colorSelected='#4060a0'>"
    L"<window name='label' pos='8,0,-8,-0' colorText='#ffffff' align='left'/>"
    L"</item></template></listview>";

// Tiles of 80 x 80, 4 apart, in as many columns as fit (three beside the bar).
const wchar_t kTileXml[] =
    L"<tileview name='list' sbWid='10' margin='0' marginSize='4'>"
    L"<template itemWidth='80' itemHeight='80'><item colorNormal='#203050' colorHover='#304060' colorSelected='#4060a0'>"
    L"<window name='label' pos='8,0,-8,-0' colorText='#ffffff' align='left'/>"
    L"</item></template></tileview>";

// Four columns of 80 under a header of 25, rows measured as the list's.
const wchar_t kColumnsXml[] =
    L"<mclistview name='list' sbWid='10' margin='0' headerHeight='25'>"
    L"<header margin='0'><items><item width='80'>A</item><item width='80'>B</item><item width='80'>C</item>"
    L"<item width='80'>D</item></items></header>"
    L"<template defHeight='20'><item colorNormal='#203050' colorHover='#304060' colorSelected='#4060a0'>"
    L"<window name='c0' size='80,20' colorText='#ffffff' align='left'/><window name='c1' size='80,20' colorText='#ffffff' align='left'/>"
    L"<window name='c2' size='80,20' colorText='#ffffff' align='left'/><window name='c3' size='80,20' colorText='#ffffff' align='left'/>"
    L"</item></template></mclistview>";

// Where a view's step of one row (of tiles) puts the bar.
int StepPosition(SListView* list, int row)
{
    return list->GetItemLocator()->Item2Position(row);
}

int StepPosition(SMCListView* list, int row)
{
    return list->GetItemLocator()->Item2Position(row);
}

int StepPosition(STileView* tiles, int row)
{
    return tiles->GetItemLocator()->GetScrollLineSize() * row;
}

struct RunResult {
    double median;
    double worst;
    double mean;
    int steps;
    int panels;
    int mostVisible;
};

// One run of a view of the layout over `rows` rows (tiles); at most `limit`
// steps when it is above 0.
template <typename View, typename Adapter = BenchAdapter>
RunResult Run(IRenderTarget* surface, const wchar_t* xml, int rows, int limit)
{
    auto host = SAutoRef<bench::BenchHost>::Adopt(new bench::BenchHost(surface));
    SWindow* const root = host.Get();
    pugi::xml_document layout;
    layout.load_string(xml);
    root->OnRelayout({0, 0, kWidth, kHeight});
    root->BuildChildren(layout);
    auto* const list = static_cast<View*>(root->GetWindow(GSW_FIRSTCHILD));
    const RECT all = {0, 0, kWidth, kHeight};
    list->Move(&all);
    auto adapter = SAutoRef<Adapter>::Adopt(new Adapter(rows));
    list->SetAdapter(adapter.Get());

    // The whole surface is painted, which answers every redraw the tree asked for:
    // the host forgets them, or their notes would grow by the million over a run.
    const auto paint = [&] {
        host->BuildWndTreeZorder();
        surface->ClearRect(&all, 0);
        root->PaintRegion(surface, nullptr);
        host->m_redraws.clear();
    };
    paint();
    ::GdiFlush();
    std::vector<double> times;
    int mostVisible = list->GetVisibleCount();
    for (int row = 1; limit <= 0 || row <= limit; ++row) {
        const double start = bench::NowSeconds();
        const BOOL moved = list->OnScroll(TRUE, SB_THUMBPOSITION, StepPosition(list, row));
        if (!moved)
            break;
        paint();
        ::GdiFlush();
        times.push_back((bench::NowSeconds() - start) * 1000);
        mostVisible = std::max(mostVisible, list->GetVisibleCount());
    }
    const int last = list->GetFirstVisibleIndex() + list->GetVisibleCount() - 1;
    if (limit <= 0 && last != rows - 1)
        std::printf("bench_listview: the run ended at row %d of %d\n", last, rows);
    const int panels = adapter->PanelsMade();
    root->SendSwndMessage(WM_DESTROY);   // the list and its panels go; the host with its reference

    RunResult result = {};
    result.steps = static_cast<int>(times.size());
    result.panels = panels;
    result.mostVisible = mostVisible;
    if (!times.empty()) {
        result.mean = std::accumulate(times.begin(), times.end(), 0.0) / times.size();
        std::sort(times.begin(), times.end());
        result.median = times[times.size() / 2];
        result.worst = times.back();
    }
    return result;
}

void Print(const char* view, int rows, const RunResult& run)
{
    std::printf("bench_listview: %s %6d rows: %6d steps, median %7.3f ms, worst %7.3f ms, mean %7.3f ms, "
                "%d panels made, %d rows visible at most\n",
                view, rows, run.steps, run.median, run.worst, run.mean, run.panels, run.mostVisible);
}

}  // namespace

int main(int argc, char** argv)
{
    const int limit = argc > 1 ? std::max(0, std::atoi(argv[1])) : 0;
    bench::BenchApp bench;
    if (!bench.Start("bench_listview"))
        return 1;
    const SAutoRef<IRenderTarget> surface = bench.MakeSurface("bench_listview", kWidth, kHeight);
    if (!surface)
        return 1;

    const RunResult large = Run<SListView>(surface.Get(), kListXml, 100000, limit);
    Print("list", 100000, large);
    const RunResult small = Run<SListView>(surface.Get(), kListXml, 1000, limit);
    Print("list", 1000, small);
    const RunResult tiles = Run<STileView>(surface.Get(), kTileXml, 100000, limit);
    Print("tile", 100000, tiles);
    const RunResult columns = Run<SMCListView, ColumnsAdapter>(surface.Get(), kColumnsXml, 100000, limit);
    Print("mc  ", 100000, columns);

    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof(memory);
    if (::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof(memory)))
        std::printf("bench_listview: peak working set %.1f MB\n", memory.PeakWorkingSetSize / (1024.0 * 1024.0));

    const double ratio = large.median > 0 ? small.median / large.median : 0;
    const int panelLimit = large.mostVisible + 2;   // one view type
    std::printf("bench_listview: goal: median under 5 ms: %s (%.3f ms)\n", large.median < 5 ? "met" : "missed",
                large.median);
    std::printf("bench_listview: goal: worst under 16 ms: %s (%.3f ms)\n", large.worst < 16 ? "met" : "missed",
                large.worst);
    std::printf("bench_listview: goal: panels at most %d: %s (%d)\n", panelLimit,
                large.panels <= panelLimit ? "met" : "missed", large.panels);
    std::printf("bench_listview: goal: 1,000 rows within 1.2x of 100,000 a step: %s (%.2f)\n",
                ratio >= 1 / 1.2 && ratio <= 1.2 ? "met" : "missed", ratio);
    const double tileMedian = large.median > 0 ? tiles.median / large.median : 0;
    const double tileWorst = large.worst > 0 ? tiles.worst / large.worst : 0;
    std::printf("bench_listview: goal: tile view median within 1.3x of the list's: %s (%.2f)\n",
                tileMedian <= 1.3 ? "met" : "missed", tileMedian);
    std::printf("bench_listview: goal: tile view worst within 2x of the list's: %s (%.2f)\n",
                tileWorst <= 2 ? "met" : "missed", tileWorst);
    std::printf("bench_listview: goal: tile view panels at most %d: %s (%d)\n", tiles.mostVisible + 2,
                tiles.panels <= tiles.mostVisible + 2 ? "met" : "missed", tiles.panels);
    const double columnsMedian = large.median > 0 ? columns.median / large.median : 0;
    const double columnsWorst = large.worst > 0 ? columns.worst / large.worst : 0;
    std::printf("bench_listview: goal: multi-column median within 1.5x of the list's: %s (%.2f)\n",
                columnsMedian <= 1.5 ? "met" : "missed", columnsMedian);
    std::printf("bench_listview: goal: multi-column worst within 2x of the list's: %s (%.2f)\n",
                columnsWorst <= 2 ? "met" : "missed", columnsWorst);
    std::printf("bench_listview: goal: multi-column panels at most %d: %s (%d)\n", columns.mostVisible + 2,
                columns.panels <= columns.mostVisible + 2 ? "met" : "missed", columns.panels);
    return 0;
}
