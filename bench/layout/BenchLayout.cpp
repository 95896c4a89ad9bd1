// Lays out a window of text children 40 x 20 again after each resize, alternately
// to one of two sizes, and times each relayout (the median of 20, after five to
// warm up): a row of them ("hbox", centred across, so that each resize moves them
// all) and a grid of 100 columns ("gridLayout", each child with column and row
// weight 1, so that the free space moves them), each against the same children
// placed by "pos" with the default layout in the same run (down the middle for
// the row; at percentages of the window for the grid), for 5,000 and 500
// children; and the layout's own pass over the children alone (MeasureChildren),
// and the grid's arithmetic alone, without windows (GridCells), which show the
// layouts' own work apart from the windows' own relayout. Prints the
// medians, the ratios and whether the goals are met.

#include "core/SApplication.h"
#include "core/SAutoRef.h"
#include "core/SObjectDefaultRegister.h"
#include "core/SWindow.h"
#include "layout/GridCells.h"
#include "layout/LayoutGravity.h"
#include "render/IRenderFactory.h"
#include "render/IRenderTarget.h"
#include "render/ImgDecoderCreators.h"
#include "render/RenderFactoryCreators.h"

#include "BenchHost.h"
#include "BenchRounds.h"

#include <pugixml.hpp>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

using namespace SAKU;

namespace {

constexpr int kColumns = 100;
constexpr int kRounds = 20;
// The two sizes the window takes in turn: wider than 100 columns of 40, higher
// than 50 rows of 20, so that the grid's weights have space to share.
constexpr RECT kSizes[] = {{0, 0, 4200, 1100}, {0, 0, 4400, 1300}};

enum class Arrangement { kRow, kRowByPos, kGrid, kGridByPos };

const char* NameOf(Arrangement arrangement)
{
    switch (arrangement) {
    case Arrangement::kRow: return "hbox";
    case Arrangement::kRowByPos: return "row by pos";
    case Arrangement::kGrid: return "gridLayout";
    case Arrangement::kGridByPos: return "grid by pos";
    }
    return "?";
}

// One child's element: its size, and where the default layout puts it.
std::wstring Child(Arrangement arrangement, int index, int children)
{
    const int rows = (children + kColumns - 1) / kColumns;
    const int column = index % kColumns;
    const int row = index / kColumns;
    std::wstring place;
    switch (arrangement) {
    case Arrangement::kRow: break;
    case Arrangement::kRowByPos: place = L" pos='" + std::to_wstring(index * 40) + L",|-10'"; break;
    case Arrangement::kGrid: place = L" columnWeight='1' rowWeight='1'"; break;
    case Arrangement::kGridByPos:
        place = L" pos='%" + std::to_wstring(column * 100 / kColumns) + L",%" + std::to_wstring(row * 100 / rows) + L"'";
        break;
    }
    return L"<text size='40,20'" + place + L">" + std::to_wstring(index) + L"</text>";
}

std::wstring Layout(Arrangement arrangement, int children)
{
    std::wstring xml = L"<window pos='0,0,-0,-0'";
    if (arrangement == Arrangement::kRow)
        xml += L" layout='hbox' gravity='center'";
    if (arrangement == Arrangement::kGrid)
        xml += L" layout='gridLayout' columnCount='" + std::to_wstring(kColumns) + L"'";
    xml += L">";
    for (int i = 0; i < children; ++i)
        xml += Child(arrangement, i, children);
    return xml + L"</window>";
}

// The medians of a relayout after a resize and of the layout's own pass over the
// children (MeasureChildren: the same sizing, and for the grid the same cell
// flow, without the children's OnRelayout), in milliseconds.
struct Times {
    double relayout;
    double ownPass;
};

double Median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

Times TimeRelayout(IRenderTarget* surface, Arrangement arrangement, int children)
{
    auto host = SAutoRef<bench::BenchHost>::Adopt(new bench::BenchHost(surface));
    SWindow* const root = host.Get();
    pugi::xml_document layout;
    layout.load_string(Layout(arrangement, children).c_str());
    root->OnRelayout(kSizes[0]);
    root->BuildChildren(layout);
    root->UpdateLayout();
    SWindow* const window = root->GetWindow(GSW_FIRSTCHILD);

    int turn = 0;
    Times times = {};
    times.relayout = Median(bench::TimeRounds(kRounds, [&] {
        turn = 1 - turn;
        root->OnRelayout(kSizes[turn]);
        host->m_redraws.clear();   // nothing paints here: the notes would only pile up
    }));
    times.ownPass = Median(bench::TimeRounds(kRounds, [&] {
        (void)window->GetLayout()->MeasureChildren(window, kSizes[0].right, kSizes[0].bottom);   // only its time counts
    }));
    // A last check that the layout did move the children: the last child's place
    // differs between the two sizes.
    const RECT before = window->GetWindow(GSW_LASTCHILD)->GetWindowRect();
    root->OnRelayout(kSizes[1 - turn]);
    const RECT after = window->GetWindow(GSW_LASTCHILD)->GetWindowRect();
    if (::EqualRect(&before, &after))
        std::printf("bench_layout: %s of %d children: a resize did not move the last child\n", NameOf(arrangement),
                    children);
    root->SendSwndMessage(WM_DESTROY);
    return times;
}

// The median milliseconds of the grid's arithmetic alone for `children` children
// of one cell each in 100 columns: the cell flow, the tracks, the shares of free
// space and every child's rectangle, without windows.
double TimeGridArithmetic(int children)
{
    const int rows = (children + kColumns - 1) / kColumns;
    const std::vector<SIZE> spans(children, SIZE{1, 1});
    LONG checksum = 0;
    const double median = Median(bench::TimeRounds(kRounds, [&] {
        std::vector<GridChild> placed;
        for (const GridCell& cell : FlowGridCells(kColumns, rows, spans))
            placed.push_back(GridChild{cell, SIZE{40, 20}, 1.0f, 1.0f});
        GridTracks tracks = MeasureGridTracks(kColumns, rows, placed);
        ShareGridSpace(tracks.widths, tracks.columnWeights, kSizes[0].right, 0);
        ShareGridSpace(tracks.heights, tracks.rowWeights, kSizes[0].bottom, 0);
        PositionGridTracks(tracks, SIZE{0, 0});
        for (const GridChild& child : placed)
            checksum += PlaceGridChild(tracks, child, POINT{0, 0}, kGravityCenter, kGravityCenter).left;
    }));
    if (checksum == 0)
        std::printf("bench_layout: the grid's arithmetic placed nothing\n");
    return median;
}

struct Pair {
    Arrangement layout;
    Arrangement byPos;
};

void Goal(const char* what, double ratio, double limit)
{
    std::printf("bench_layout: goal: %s within %.1fx: %s (%.2f)\n", what, limit, ratio <= limit ? "met" : "missed", ratio);
}

}  // namespace

int main()
{
    SAutoRef<IRenderFactory> renderFactory;
    SAutoRef<IImgDecoderFactory> decoders;
    if (!CreateRenderFactory_GDI(renderFactory.Put()) || !CreateImgDecoderFactory_PNG(decoders.Put())) {
        std::fprintf(stderr, "bench_layout: no render module\n");
        return 1;
    }
    renderFactory->SetImgDecoderFactory(decoders.Get());
    auto app = std::make_unique<SApplication>(renderFactory.Get(), ::GetModuleHandleW(nullptr), L"SAKUHOST",
                                              new SObjectDefaultRegister);   // the application takes this reference
    SAutoRef<IRenderTarget> surface;
    if (!renderFactory->CreateRenderTarget(surface.Put(), 64, 64)) {
        std::fprintf(stderr, "bench_layout: no render target\n");
        return 1;
    }

    const Pair pairs[] = {{Arrangement::kRow, Arrangement::kRowByPos}, {Arrangement::kGrid, Arrangement::kGridByPos}};
    for (const Pair& pair : pairs) {
        const std::string name = NameOf(pair.layout);
        Times large = {};
        Times largeByPos = {};
        Times small = {};
        for (const int children : {5000, 500}) {
            const Times layout = TimeRelayout(surface.Get(), pair.layout, children);
            const Times byPos = TimeRelayout(surface.Get(), pair.byPos, children);
            std::printf("bench_layout: %5d children: relayout: %-10s median %8.3f ms, %-11s median %8.3f ms, ratio %.2f\n",
                        children, NameOf(pair.layout), layout.relayout, NameOf(pair.byPos), byPos.relayout,
                        layout.relayout / byPos.relayout);
            std::printf("bench_layout: %5d children: own pass: %-10s median %8.3f ms, %-11s median %8.3f ms\n", children,
                        NameOf(pair.layout), layout.ownPass, NameOf(pair.byPos), byPos.ownPass);
            (children == 5000 ? large : small) = layout;
            if (children == 5000)
                largeByPos = byPos;
        }
        Goal((name + " relayout of 5,000 against the default layout's").c_str(), large.relayout / largeByPos.relayout, 1.5);
        Goal((name + " relayout of 5,000 against 500").c_str(), large.relayout / small.relayout, 12);
        Goal((name + " own pass of 5,000 against 500").c_str(), large.ownPass / small.ownPass, 12);
    }
    const double flowLarge = TimeGridArithmetic(5000);
    const double flowSmall = TimeGridArithmetic(500);
    std::printf("bench_layout: grid arithmetic alone: 5000 children median %8.3f ms, 500 children median %8.3f ms\n",
                flowLarge, flowSmall);
    Goal("grid arithmetic alone of 5,000 against 500", flowLarge / flowSmall, 12);
    return 0;
}
