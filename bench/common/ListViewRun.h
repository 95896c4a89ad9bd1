#pragma once

// The list view that the list benchmarks scroll: an adapter of rows of 20 and 32
// pixels by parity (a flexible locator measures them as they show), a coloured
// background and a line of text, in a list of the surface's size scrolled from the
// top to the bottom one row a step, each step painted into the surface; and the
// figures of a run of steps.

#include "controls/IListViewItemLocator.h"
#include "controls/SAdapterBase.h"
#include "controls/SListView.h"
#include "core/SAutoRef.h"
#include "render/IRenderTarget.h"

#include "BenchHost.h"
#include "BenchRounds.h"

#include <pugixml.hpp>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <numeric>
#include <vector>

namespace bench {

// The median, worst and mean milliseconds of a run's steps.
struct StepFigures {
    double median = 0;
    double worst = 0;
    double mean = 0;
    int steps = 0;
};

inline StepFigures FiguresOf(std::vector<double> times)
{
    StepFigures figures;
    figures.steps = static_cast<int>(times.size());
    if (times.empty())
        return figures;
    figures.mean = std::accumulate(times.begin(), times.end(), 0.0) / times.size();
    std::sort(times.begin(), times.end());
    figures.median = times[times.size() / 2];
    figures.worst = times.back();
    return figures;
}

// Times `step(row)` for rows 1, 2, ... until it answers false or `limit` steps
// (above 0) ran, painting the whole surface (`all`) after each: the host forgets the
// redraws the tree asked for, which the paint answers, or their notes would grow
// by the million over a run.
inline std::vector<double> TimeScrollSteps(BenchHost* host, SAKU::IRenderTarget* surface, const RECT& all, int limit,
                                           const std::function<bool(int)>& step)
{
    SAKU::SWindow* const root = host;
    const auto paint = [&] {
        host->BuildWndTreeZorder();
        surface->ClearRect(&all, 0);
        root->PaintRegion(surface, nullptr);
        host->m_redraws.clear();
    };
    paint();
    ::GdiFlush();
    std::vector<double> times;
    for (int row = 1; limit <= 0 || row <= limit; ++row) {
        const double start = NowSeconds();
        if (!step(row))
            break;
        paint();
        ::GdiFlush();
        times.push_back((NowSeconds() - start) * 1000);
    }
    return times;
}

// Rows of 20 and 32 pixels by parity, filled with their number; a panel's first
// fill builds it from the template and counts as one panel made.
class BenchAdapter : public SAKU::SAdapterBase {
public:
    explicit BenchAdapter(int count) : m_count(count) {}

    int PanelsMade() const { return m_panelsMade; }

    int GetCount() override { return m_count; }
    void GetView(int position, SAKU::SWindow* itemWnd, pugi::xml_node xmlTemplate) override
    {
        if (itemWnd->GetChildrenCount() == 0) {
            ++m_panelsMade;
            itemWnd->BuildFromXml(xmlTemplate.first_child());
        }
        if (SAKU::SWindow* const label = itemWnd->FindChildByName(L"label")) {
            wchar_t text[64];
            std::swprintf(text, 64, L"模块 %d  壁纸引擎组件", position);
            label->SetWindowText(text);
        }
    }
    void GetViewDesiredSize(SIZE* size, int position, SAKU::SWindow*, const RECT*) override
    {
        *size = SIZE{0, position % 2 ? 32 : 20};
    }

private:
    int m_count;
    int m_panelsMade = 0;
};

struct ListViewRun {
    StepFigures figures;
    int panels = 0;
    int mostVisible = 0;
    int lastRow = -1;   // the last row shown at the end
};

// One run of a list view filling `surface` (width x height) over `rows` rows; at
// most `limit` steps when it is above 0.
inline ListViewRun RunListView(SAKU::IRenderTarget* surface, int width, int height, int rows, int limit)
{
    static const wchar_t kListXml[] =
        L"<listview name='list' sbWid='10' margin='0'>"
        L"<template defHeight='20'><item colorNormal='#203050' colorHover='#304060' colorSelected='#4060a0'>"
        L"<window name='label' pos='8,0,-8,-0' colorText='#ffffff' align='left'/>"
        L"</item></template></listview>";
    auto host = SAKU::SAutoRef<BenchHost>::Adopt(new BenchHost(surface));
    SAKU::SWindow* const root = host.Get();
    pugi::xml_document layout;
    layout.load_string(kListXml);
    root->OnRelayout({0, 0, width, height});
    root->BuildChildren(layout);
    auto* const list = static_cast<SAKU::SListView*>(root->GetWindow(SAKU::GSW_FIRSTCHILD));
    const RECT all = {0, 0, width, height};
    list->Move(&all);
    auto adapter = SAKU::SAutoRef<BenchAdapter>::Adopt(new BenchAdapter(rows));
    list->SetAdapter(adapter.Get());

    ListViewRun run;
    run.mostVisible = list->GetVisibleCount();
    run.figures = FiguresOf(TimeScrollSteps(host.Get(), surface, all, limit, [&](int row) {
        const BOOL moved = list->OnScroll(TRUE, SB_THUMBPOSITION, list->GetItemLocator()->Item2Position(row));
        run.mostVisible = std::max(run.mostVisible, list->GetVisibleCount());
        return moved != FALSE;
    }));
    run.lastRow = list->GetFirstVisibleIndex() + list->GetVisibleCount() - 1;
    run.panels = adapter->PanelsMade();
    root->SendSwndMessage(WM_DESTROY);   // the list and its panels go; the host with its reference
    return run;
}

}  // namespace bench
