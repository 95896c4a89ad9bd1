// Fills a tree control of 340 x 300, the whole of its host, with 100,000 items
// (1,000 expanded parents of 99 children, each a line of text of one length
// wherever it is) and scrolls it
// from the top to the bottom one row a step, each step painted into the host's
// surface. Prints the time the insertion took, the median and worst time of a
// step, the median over the first and over the last 1,000 rows, the peak working
// set of the process and the working set the items took, per item. With a step
// count it times that many steps at the top and as many at the bottom.

#include "controls/STreeCtrl.h"
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
#include <vector>

using namespace SAKU;

namespace {

constexpr int kWidth = 340;
constexpr int kHeight = 300;
constexpr int kParents = 1000;
constexpr int kChildren = 99;
constexpr int kItems = kParents * (1 + kChildren);
constexpr int kRowHeight = 20;
constexpr int kCompared = 1000;   // rows at each end whose steps are compared

const wchar_t kTreeXml[] =
    L"<treectrl name='tree' sbWid='10' margin='0' itemHeight='20' colorItemText='#FFFFFF' colorBkgnd='#203050'/>";

SIZE_T WorkingSet()
{
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof(memory);
    return ::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof(memory)) ? memory.WorkingSetSize : 0;
}

double Median(std::vector<double> times)
{
    if (times.empty())
        return 0;
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    const int limit = argc > 1 ? std::max(0, std::atoi(argv[1])) : 0;
    bench::BenchApp bench;
    if (!bench.Start("bench_treectrl"))
        return 1;
    SAutoRef<IRenderTarget> surface;
    if (!bench.renderFactory->CreateRenderTarget(surface.Put(), kWidth, kHeight)) {
        std::fprintf(stderr, "bench_treectrl: no render target\n");
        return 1;
    }

    auto host = SAutoRef<bench::BenchHost>::Adopt(new bench::BenchHost(surface.Get()));
    SWindow* const root = host.Get();
    pugi::xml_document layout;
    layout.load_string(kTreeXml);
    root->OnRelayout({0, 0, kWidth, kHeight});
    root->BuildChildren(layout);
    auto* const tree = static_cast<STreeCtrl*>(root->GetWindow(GSW_FIRSTCHILD));
    const RECT all = {0, 0, kWidth, kHeight};
    tree->Move(&all);

    const SIZE_T before = WorkingSet();
    const double insertStart = bench::NowSeconds();
    wchar_t text[64];
    for (int parent = 0; parent < kParents; ++parent) {
        std::swprintf(text, 64, L"模块 %03d  壁纸引擎组件", parent);
        const HSTREEITEM item = tree->InsertItem(text);
        for (int child = 0; child < kChildren; ++child) {
            std::swprintf(text, 64, L"组件 %03d.%02d", parent, child);
            tree->InsertItem(text, item);
        }
    }
    const double insertSeconds = bench::NowSeconds() - insertStart;
    host->m_redraws.clear();
    const SIZE_T filled = WorkingSet();

    // The whole surface is painted, which answers every redraw the tree asked for.
    const auto paint = [&] {
        host->BuildWndTreeZorder();
        surface->ClearRect(&all, 0);
        root->PaintRegion(surface.Get(), nullptr);
        host->m_redraws.clear();
    };
    // Steps from `first` one row at a time, `count` of them (0: to the end).
    std::vector<double> times;
    const auto steps = [&](int first, int count) {
        tree->OnScroll(TRUE, SB_THUMBPOSITION, first * kRowHeight);
        paint();
        ::GdiFlush();
        for (int row = first + 1; count <= 0 || row <= first + count; ++row) {
            const double start = bench::NowSeconds();
            if (!tree->OnScroll(TRUE, SB_THUMBPOSITION, row * kRowHeight))
                break;
            paint();
            ::GdiFlush();
            times.push_back((bench::NowSeconds() - start) * 1000);
        }
    };
    const int pageRows = kHeight / kRowHeight;
    if (limit > 0) {
        steps(0, limit);
        steps(kItems - pageRows - limit - 1, 0);
    } else {
        steps(0, 0);
    }
    const int lastShown = tree->GetViewOrigin().y / kRowHeight + pageRows;
    if (lastShown < kItems - 1)
        std::printf("bench_treectrl: the run ended at row %d of %d\n", lastShown, kItems);
    root->SendSwndMessage(WM_DESTROY);

    const int compared = std::min<int>(kCompared, static_cast<int>(times.size()) / 2);
    const double firstRows = Median(std::vector<double>(times.begin(), times.begin() + compared));
    const double lastRows = Median(std::vector<double>(times.end() - compared, times.end()));
    const double median = Median(times);
    const double worst = times.empty() ? 0 : *std::max_element(times.begin(), times.end());
    const double perItem = filled > before ? double(filled - before) / kItems : 0;
    std::printf("bench_treectrl: %d items inserted in %.3f s\n", kItems, insertSeconds);
    std::printf("bench_treectrl: %zu steps, median %.3f ms, worst %.3f ms; first %d rows %.3f ms, last %d rows "
                "%.3f ms\n",
                times.size(), median, worst, compared, firstRows, compared, lastRows);
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof(memory);
    if (::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof(memory)))
        std::printf("bench_treectrl: peak working set %.1f MB\n", memory.PeakWorkingSetSize / (1024.0 * 1024.0));
    std::printf("bench_treectrl: working set per item %.0f bytes\n", perItem);

    const double ratio = firstRows > 0 ? lastRows / firstRows : 0;
    std::printf("bench_treectrl: goal: a step at the last rows within 1.5x of the first: %s (%.2f)\n",
                ratio > 0 && ratio <= 1.5 ? "met" : "missed", ratio);
    std::printf("bench_treectrl: goal: under 300 bytes of working set per item: %s (%.0f)\n",
                perItem > 0 && perItem < 300 ? "met" : "missed", perItem);
    return 0;
}
