// A list control of 340 x 300, the whole of its host, with three columns: the
// time to append 10,000 and 100,000 rows (a text in each cell), the working set
// the larger one's rows take, then the larger scrolled from the top to the bottom
// one row a step, each step painted into the host's surface, and bench_listview's
// list view of 100,000 rows the same way in the same run. Prints the figures and
// whether the goals were met.

#include "controls/SListCtrl.h"
#include "render/IRenderTarget.h"

#include "BenchApp.h"
#include "ListViewRun.h"

#include <pugixml.hpp>
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

using namespace SAKU;

namespace {

constexpr int kWidth = 340;
constexpr int kHeight = 300;
constexpr int kLargeRows = 100000;
constexpr int kSmallRows = 10000;

const wchar_t kListXml[] =
    L"<listctrl name='list' margin='0' sbWid='10' colorText='#000000'>"
    L"<header margin='0'><items><item width='150'>Module</item><item width='90'>Size</item>"
    L"<item width='80'>State</item></items></header></listctrl>";

size_t WorkingSet()
{
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof(memory);
    return ::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof(memory)) ? memory.WorkingSetSize : 0;
}

size_t PeakWorkingSet()
{
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof(memory);
    return ::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof(memory)) ? memory.PeakWorkingSetSize : 0;
}

// A list control filling the host, made from the layout.
SListCtrl* MakeList(bench::BenchHost* host)
{
    pugi::xml_document layout;
    layout.load_string(kListXml);
    SWindow* const root = host;
    root->OnRelayout({0, 0, kWidth, kHeight});
    root->BuildChildren(layout);
    auto* const list = static_cast<SListCtrl*>(root->GetWindow(GSW_FIRSTCHILD));
    const RECT all = {0, 0, kWidth, kHeight};
    list->Move(&all);
    return list;
}

// Appends `rows` rows, a text in each of the three cells; the milliseconds it took.
double Fill(bench::BenchHost* host, SListCtrl* list, int rows)
{
    wchar_t text[64];
    const double start = bench::NowSeconds();
    for (int row = 0; row < rows; ++row) {
        std::swprintf(text, 64, L"模块 %d", row);
        const int at = list->InsertItem(-1, text);
        std::swprintf(text, 64, L"%d KB", row * 7 % 9000);
        list->SetSubItemText(at, 1, text);
        list->SetSubItemText(at, 2, row % 3 ? L"installed" : L"new");
        // Nothing paints while rows come: the host forgets the redraws asked for.
        if (row % 1024 == 0)
            host->m_redraws.clear();
    }
    host->m_redraws.clear();
    return (bench::NowSeconds() - start) * 1000;
}

}  // namespace

int main(int argc, char** argv)
{
    const int limit = argc > 1 ? std::max(0, std::atoi(argv[1])) : 0;
    bench::BenchApp bench;
    if (!bench.Start("bench_listctrl"))
        return 1;
    const SAutoRef<IRenderTarget> surfaceRef = bench.MakeSurface("bench_listctrl", kWidth, kHeight);
    IRenderTarget* const surface = surfaceRef.Get();
    if (!surface)
        return 1;

    double smallFill = 0;
    {
        auto host = SAutoRef<bench::BenchHost>::Adopt(new bench::BenchHost(surface));
        smallFill = Fill(host.Get(), MakeList(host.Get()), kSmallRows);
        static_cast<SWindow*>(host.Get())->SendSwndMessage(WM_DESTROY);
    }

    auto host = SAutoRef<bench::BenchHost>::Adopt(new bench::BenchHost(surface));
    SListCtrl* const list = MakeList(host.Get());
    const size_t before = WorkingSet();
    const double largeFill = Fill(host.Get(), list, kLargeRows);
    const size_t after = WorkingSet();
    const double bytesPerRow = after > before ? static_cast<double>(after - before) / kLargeRows : 0;
    std::printf("bench_listctrl: appended %d rows in %.1f ms, %d rows in %.1f ms; %.0f bytes of working set a row\n",
                kSmallRows, smallFill, kLargeRows, largeFill, bytesPerRow);

    const RECT all = {0, 0, kWidth, kHeight};
    const int rowHeight = list->GetItemHeight();
    const bench::StepFigures control = bench::FiguresOf(bench::TimeScrollSteps(host.Get(), surface, all, limit,
        [&](int row) { return list->OnScroll(TRUE, SB_THUMBPOSITION, row * rowHeight) != FALSE; }));
    const int lastShown = list->GetTopIndex() + list->GetCountPerPage(FALSE) - 1;
    if (limit <= 0 && lastShown != kLargeRows - 1)
        std::printf("bench_listctrl: the list control's run ended at row %d of %d\n", lastShown, kLargeRows);
    static_cast<SWindow*>(host.Get())->SendSwndMessage(WM_DESTROY);
    std::printf("bench_listctrl: list control, %d rows: %6d steps, median %7.3f ms, worst %7.3f ms, mean %7.3f ms\n",
                kLargeRows, control.steps, control.median, control.worst, control.mean);

    const bench::ListViewRun view = bench::RunListView(surface, kWidth, kHeight, kLargeRows, limit);
    std::printf("bench_listctrl: list view,    %d rows: %6d steps, median %7.3f ms, worst %7.3f ms, mean %7.3f ms\n",
                kLargeRows, view.figures.steps, view.figures.median, view.figures.worst, view.figures.mean);
    std::printf("bench_listctrl: peak working set %.1f MB\n", PeakWorkingSet() / (1024.0 * 1024.0));

    const double speed = view.figures.median > 0 ? control.median / view.figures.median : 0;
    const double growth = smallFill > 0 ? largeFill / smallFill : 0;
    std::printf("bench_listctrl: goal: median within 1.5x of the list view's: %s (%.2f)\n",
                speed <= 1.5 ? "met" : "missed", speed);
    std::printf("bench_listctrl: goal: 100,000 rows appended within 12x of 10,000: %s (%.2f)\n",
                growth <= 12 ? "met" : "missed", growth);
    std::printf("bench_listctrl: goal: under 300 bytes a row: %s (%.0f)\n", bytesPerRow < 300 ? "met" : "missed",
                bytesPerRow);
    return 0;
}
