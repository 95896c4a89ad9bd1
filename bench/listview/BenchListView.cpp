// Scrolls a list view of 340 x 300, the whole of its host, from the top to the
// bottom one row a step, each step painted into the host's surface: first 100,000
// rows, then 1,000, each row of 20 or 32 pixels by its parity (a flexible
// locator measures them as they show), a coloured background and a line of text.
// Prints the median and worst time of a step, the mean, the panels the list made,
// the most rows visible at once and the peak working set of the process.

#include "render/IRenderTarget.h"

#include "BenchApp.h"
#include "ListViewRun.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

using namespace SAKU;

namespace {

constexpr int kWidth = 340;
constexpr int kHeight = 300;

void Print(int rows, int limit, const bench::ListViewRun& run)
{
    if (limit <= 0 && run.lastRow != rows - 1)
        std::printf("bench_listview: the run ended at row %d of %d\n", run.lastRow, rows);
    std::printf("bench_listview: %6d rows: %6d steps, median %7.3f ms, worst %7.3f ms, mean %7.3f ms, "
                "%d panels made, %d rows visible at most\n",
                rows, run.figures.steps, run.figures.median, run.figures.worst, run.figures.mean, run.panels,
                run.mostVisible);
}

}  // namespace

int main(int argc, char** argv)
{
    const int limit = argc > 1 ? std::max(0, std::atoi(argv[1])) : 0;
    const bench::BenchApp bench("bench_listview", kWidth, kHeight);
    IRenderTarget* const surface = bench.Surface();
    if (!surface)
        return 1;

    const bench::ListViewRun large = bench::RunListView(surface, kWidth, kHeight, 100000, limit);
    Print(100000, limit, large);
    const bench::ListViewRun small = bench::RunListView(surface, kWidth, kHeight, 1000, limit);
    Print(1000, limit, small);

    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof(memory);
    if (::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof(memory)))
        std::printf("bench_listview: peak working set %.1f MB\n", memory.PeakWorkingSetSize / (1024.0 * 1024.0));

    const double ratio = large.figures.median > 0 ? small.figures.median / large.figures.median : 0;
    const int panelLimit = large.mostVisible + 2;   // one view type
    std::printf("bench_listview: goal: median under 5 ms: %s (%.3f ms)\n", large.figures.median < 5 ? "met" : "missed",
                large.figures.median);
    std::printf("bench_listview: goal: worst under 16 ms: %s (%.3f ms)\n", large.figures.worst < 16 ? "met" : "missed",
                large.figures.worst);
    std::printf("bench_listview: goal: panels at most %d: %s (%d)\n", panelLimit,
                large.panels <= panelLimit ? "met" : "missed", large.panels);
    std::printf("bench_listview: goal: 1,000 rows within 1.2x of 100,000 a step: %s (%.2f)\n",
                ratio >= 1 / 1.2 && ratio <= 1.2 ? "met" : "missed", ratio);
    return 0;
}
