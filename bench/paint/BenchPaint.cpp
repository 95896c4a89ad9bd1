// Paints a tree of windows of the wizard's kind into a memory render target of the
// wizard's size (340 x 420): a background image, a title and list rows of text in
// "微软雅黑", image skins by state (buttons, check marks, icons), one element at
// alpha 128 and one drawn through a cache, about 60 elements built from layout XML.
// Times a whole frame and the redraw of one element (through the host's redraw of
// its area, and alone for an element that does not blend with its background),
// and prints the median and worst time of each.

#include "core/ISkinObj.h"
#include "core/SApplication.h"
#include "core/SAutoRef.h"
#include "core/SObjectFactory.h"
#include "core/SObjectDefaultRegister.h"
#include "core/SSkinPool.h"
#include "core/SWindow.h"
#include "core/SwndContainerImpl.h"
#include "render/IBitmap.h"
#include "render/IRegion.h"
#include "render/IRenderFactory.h"
#include "render/IRenderTarget.h"
#include "render/ImgDecoderCreators.h"
#include "render/RenderFactoryCreators.h"

#include "BenchApp.h"
#include "BenchHost.h"
#include "BenchImages.h"
#include "BenchRounds.h"

#include <pugixml.hpp>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <vector>

using namespace SAKU;

namespace {

constexpr int kWidth = bench::kWizardWidth;
constexpr int kHeight = bench::kWizardHeight;

// Runs `work` `rounds` times after a few rounds of warming up; prints the median
// and the worst time in milliseconds and answers the median.
double Time(const char* name, int rounds, const std::function<void()>& work)
{
    std::vector<double> times = bench::TimeRounds(rounds, work);
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    std::printf("bench_paint: %-40s median %8.3f ms  worst %8.3f ms\n", name, median, times.back());
    return median;
}

// The plain "window" element, for a library that does not register it itself.
class WindowFactory : public SObjectFactory {
public:
    IObject* CreateInstance() const override { return new (std::nothrow) SWindow; }
    LPCWSTR BaseClassName() const override { return L""; }
    SObjectInfo GetObjectInfo() const override { return SObjectInfo(SWindow::ClassName(), SWindow::ClassType()); }
    std::unique_ptr<SObjectFactory> Clone() const override
    {
        return std::unique_ptr<SObjectFactory>(new (std::nothrow) WindowFactory);
    }
};

// Writes a bitmap as a PNG and answers its path.
std::wstring WriteImage(const std::wstring& folder, const wchar_t* name, IBitmap* bitmap)
{
    const std::wstring path = folder + name;
    if (!bitmap || FAILED(bitmap->Save(path.c_str(), GUID_NULL))) {
        std::fprintf(stderr, "bench_paint: cannot write %ls\n", path.c_str());
        std::exit(1);
    }
    return path;
}

// The skins: the background, a four-state button frame, a three-state check mark and
// a module icon, as the wizard's UI definition declares its own.
std::wstring SkinXml(IRenderFactory* factory, const std::wstring& folder)
{
    using bench::Premultiplied;
    const std::wstring background = WriteImage(folder, L"bg.png", bench::WizardBackground(factory).Get());
    const std::wstring button = WriteImage(folder, L"button.png", bench::ButtonStates(factory).Get());
    const auto check = bench::MakeBitmap(factory, 48, 16, [](int x, int y) {
        const bool mark = x >= 32 && std::abs((x - 32) - y) < 3;   // the third state is checked
        return mark ? Premultiplied(0xFF, 255, 255, 255) : Premultiplied(0x90, 20, 20, 40 + x / 16 * 60);
    });
    const auto icon = bench::MakeBitmap(factory, 24, 24, [](int x, int y) {
        const int dx = x - 12, dy = y - 12;
        return dx * dx + dy * dy < 120 ? Premultiplied(0xFF, 250, 180, 40) : 0u;
    });
    const std::wstring checkPath = WriteImage(folder, L"check.png", check.Get());
    const std::wstring iconPath = WriteImage(folder, L"icon.png", icon.Get());
    return L"<skin>"
           L"<imglist name='bench.bg' src='file:" + background + L"'/>"
           L"<imgframe name='bench.button' src='file:" + button + L"' states='4' margin='8,8,8,8'/>"
           L"<imglist name='bench.check' src='file:" + checkPath + L"' states='3'/>"
           L"<imglist name='bench.icon' src='file:" + iconPath + L"'/>"
           L"</skin>";
}

// The tree: a title bar, eleven module rows (icon, name, size, check mark), a
// translucent notice, a cached progress bar and a row of four buttons; 66 windows
// under the root. Positions are relative to the parent.
std::wstring LayoutXml()
{
    std::wstring xml = L"<window skin='bench.bg' font='face:微软雅黑,size:14' colorText='#ffffff'>"
                       L"<window pos='0,0,340,40' colorBkgnd='#203050' bkgndBlend='0'>"
                       L"<window pos='16,8,220,32' text='Tivala 动态壁纸 安装' font='face:微软雅黑,size:16' align='left'/>"
                       L"<window pos='300,8,324,32' skin='bench.icon'/>"
                       L"</window>";
    const wchar_t* const names[] = {L"壁纸引擎", L"桌面组件", L"主题商店", L"音乐可视化", L"天气插件", L"日历插件",
                                    L"系统监视", L"快捷启动", L"动态图标", L"屏幕保护", L"自动更新"};
    for (int row = 0; row < 11; ++row) {
        const int top = 48 + row * 24;
        xml += L"<window pos='12," + std::to_wstring(top) + L",328," + std::to_wstring(top + 22) + L"'>"
               L"<window pos='2,0,24,22' skin='bench.icon'/>"
               L"<window pos='32,0,188,22' align='left' text='" + names[row] + L"'/>"
               L"<window pos='198,0,278,22' align='right' colorText='#c0c8ff' text='"
               + std::to_wstring(12 + row * 7) + L".5 MB'/>"
               L"<window pos='288,3,304,19' skin='bench.check'/>"
               L"</window>";
    }
    xml += L"<window pos='12,318,328,340' alpha='128' colorBkgnd='#000000' text='安装目录：C:\\Program Files\\tivala'/>"
           L"<window pos='12,346,328,356' cache='1' colorBkgnd='#405070'>"
           L"<window pos='0,0,188,10' colorBkgnd='#60c0ff'/>"
           L"</window>"
           L"<window pos='20,370,320,410'>";
    const wchar_t* const buttons[] = {L"上一步", L"浏览", L"自定义", L"立即安装"};
    for (int i = 0; i < 4; ++i) {
        const int left = i * 75;
        xml += L"<window pos='" + std::to_wstring(left) + L",4," + std::to_wstring(left + 70)
               + L",34' skin='bench.button' text='" + buttons[i] + L"'/>";
    }
    xml += L"</window></window>";
    return xml;
}

// Puts some windows in the states their skins draw: checked rows, a hovered and a
// pushed button.
void SetStates(SWindow* root)
{
    SWindow* window = root->GetWindow(GSW_FIRSTCHILD)->GetWindow(GSW_NEXTSIBLING);
    for (int row = 0; row < 11; ++row, window = window->GetWindow(GSW_NEXTSIBLING)) {
        if (row % 2 == 0)
            window->GetWindow(GSW_LASTCHILD)->ModifyState(WndState_Check, 0);
    }
    SWindow* const buttons = root->GetWindow(GSW_LASTCHILD);
    buttons->GetWindow(GSW_FIRSTCHILD)->GetWindow(GSW_NEXTSIBLING)->ModifyState(WndState_Hover, 0);
    buttons->GetWindow(GSW_LASTCHILD)->ModifyState(WndState_PushDown, 0);
}

// Places, by its "pos" (four numbers relative to its parent), every window that
// the library's default layout left without a size, so that the bench also runs
// in a library that registers no default layout; answers how many it placed.
int PlaceUnplaced(SWindow* window, pugi::xml_node element)
{
    int placed = 0;
    const RECT origin = window->GetChildrenLayoutRect();
    pugi::xml_node node = element.first_child();
    for (SWindow* child = window->GetWindow(GSW_FIRSTCHILD); child && node;
         child = child->GetWindow(GSW_NEXTSIBLING), node = node.next_sibling()) {
        RECT rect = child->GetWindowRect();
        if (::IsRectEmpty(&rect)
            && std::swscanf(node.attribute(L"pos").value(), L"%ld,%ld,%ld,%ld", &rect.left, &rect.top, &rect.right,
                            &rect.bottom) == 4) {
            ::OffsetRect(&rect, origin.left, origin.top);
            child->Move(&rect);
            ++placed;
        }
        placed += PlaceUnplaced(child, node);
    }
    return placed;
}

int CountWindows(SWindow* window)
{
    int count = 1;
    for (SWindow* child = window->GetWindow(GSW_FIRSTCHILD); child; child = child->GetWindow(GSW_NEXTSIBLING))
        count += CountWindows(child);
    return count;
}

}  // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 300;
    bench::BenchApp bench;
    if (!bench.Start("bench_paint"))
        return 1;
    const SAutoRef<IRenderFactory>& renderFactory = bench.renderFactory;
    (void)bench.app->RegisterFactory(WindowFactory());   // kept out when the library registers "window" itself

    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"tivala_bench_paint\\";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    pugi::xml_document skins;
    pugi::xml_document layout;
    if (!skins.load_string(SkinXml(renderFactory.Get(), folder).c_str()) || !layout.load_string(LayoutXml().c_str())) {
        std::fprintf(stderr, "bench_paint: the XML does not parse\n");
        return 1;
    }
    auto pool = SAutoRef<SSkinPool>::Adopt(new SSkinPool);
    pool->LoadSkins(skins.first_child());
    SSkinPoolMgr::GetInstance()->PushPool(pool.Get());

    SAutoRef<IRenderTarget> surface;
    if (!renderFactory->CreateRenderTarget(surface.Put(), kWidth, kHeight)) {
        std::fprintf(stderr, "bench_paint: no render target\n");
        return 1;
    }
    {
        auto host = SAutoRef<bench::BenchHost>::Adopt(new bench::BenchHost(surface.Get()));
        bench::BenchHost& container = *host.Get();
        SWindow* const root = host.Get();
        root->BuildFromXml(layout.first_child());
        root->OnRelayout({0, 0, kWidth, kHeight});
        root->UpdateLayout();
        const int windows = CountWindows(root);
        const int placed = PlaceUnplaced(root, layout.first_child());
        std::printf("bench_paint: target %d x %d, %d windows (%d placed by the bench, the rest by the layout), "
                    "%d rounds each\n", kWidth, kHeight, windows, placed, rounds);
        if (windows < 50) {
            std::fprintf(stderr, "bench_paint: the layout made only %d windows\n", windows);
            return 1;
        }

        SetStates(root);

        const RECT all = {0, 0, kWidth, kHeight};
        const auto paint = [&](IRegion* region) {
            container.BuildWndTreeZorder();
            RECT area = all;
            if (region)
                region->GetRgnBox(&area);
            surface->PushClipRect(&area, RGN_AND);
            surface->ClearRect(&area, 0);
            root->PaintRegion(surface.Get(), region);
            surface->PopClip();
        };
        const double frame = Time("full frame", rounds, [&] { paint(nullptr); });
        // The same walk with every pixel clipped away: what the tree costs beside the drawing.
        const RECT nowhere = {0, 0, 0, 0};
        surface->PushClipRect(&nowhere, RGN_AND);
        Time("full frame, clipped away", rounds, [&] { root->PaintRegion(surface.Get(), nullptr); });
        surface->PopClip();

        // A module name changes its text: the host repaints that area from the root.
        SWindow* const row = root->GetWindow(GSW_FIRSTCHILD)->GetWindow(GSW_NEXTSIBLING);
        SWindow* const name = row->GetWindow(GSW_FIRSTCHILD)->GetWindow(GSW_NEXTSIBLING);
        SAutoRef<IRegion> region;
        renderFactory->CreateRegion(region.Put());
        const double element = Time("one element, its area from the root", rounds, [&] {
            container.m_redraws.clear();
            name->Invalidate();
            region->Clear();
            for (const RECT& rect : container.m_redraws)
                region->CombineRect(&rect, RGN_OR);
            paint(region.Get());
        });
        // The title bar does not blend with what lies below: it redraws alone.
        SWindow* const title = root->GetWindow(GSW_FIRSTCHILD);
        const double alone = Time("one opaque element, alone", rounds, [&] {
            title->Invalidate();
            title->RedrawInvalidRegion();
        });

        // What plain GDI costs on this machine, for scale where Wine runs emulated or the
        // machine is busy.
        SAutoRef<IRenderTarget> copy;
        renderFactory->CreateRenderTarget(copy.Put(), kWidth, kHeight);
        const HDC dc = surface->GetDC(0);
        const double blit = Time("plain GDI: BitBlt, full", rounds,
                                 [&] { ::BitBlt(dc, 0, 0, kWidth, kHeight, copy->GetDC(0), 0, 0, SRCCOPY); });
        surface->ReleaseDC(dc);
        std::printf("bench_paint: a full frame costs %.1f full-target BitBlts, one element %.1f\n", frame / blit,
                    element / blit);
        std::printf("bench_paint: goal: full frame under 5 ms: %s (%.3f ms)\n", frame < 5 ? "met" : "missed", frame);
        std::printf("bench_paint: goal: one element under 1 ms: %s (%.3f ms from the root, %.3f ms alone)\n",
                    element < 1 ? "met" : "missed", element, alone);
        if (const char* keep = std::getenv("TIVALA_PAINT_PNG")) {
            paint(nullptr);
            ::GdiFlush();
            const std::string path = std::string(keep) + "\\bench_paint.png";
            static_cast<IBitmap*>(surface->GetCurrentObject(kRenderObjBitmap))
                ->Save(std::wstring(path.begin(), path.end()).c_str(), GUID_NULL);
        }
        root->SendSwndMessage(WM_DESTROY);
    }
    SSkinPoolMgr::GetInstance()->PopPool(pool.Get());
    pool = nullptr;
    bench.app.reset();
    return 0;
}
