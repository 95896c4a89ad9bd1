// Paints a tree of windows of the wizard's kind into a memory render target of the
// wizard's size (340 x 420): a background image, a title and list rows of text in
// "微软雅黑", image skins by state (buttons, check marks, icons), one element at
// alpha 128 and one drawn through a cache, about 60 elements built from layout XML.
// Times a whole frame and the redraw of one element (through the host's redraw of
// its area, and alone for an element that does not blend with its background),
// and prints the median and worst time of each.

#include "core/ISkinObj.h"
#include "core/ISwndContainer.h"
#include "core/SApplication.h"
#include "core/SAutoRef.h"
#include "core/SObjectDefaultRegister.h"
#include "core/SSkinPool.h"
#include "core/SWindow.h"
#include "render/IBitmap.h"
#include "render/IRegion.h"
#include "render/IRenderFactory.h"
#include "render/IRenderTarget.h"
#include "render/ImgDecoderCreators.h"
#include "render/RenderFactoryCreators.h"

#include <pugixml.hpp>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace SAKU;

namespace {

constexpr int kWidth = 340;
constexpr int kHeight = 420;

double Now()
{
    static const double frequency = [] {
        LARGE_INTEGER value;
        ::QueryPerformanceFrequency(&value);
        return double(value.QuadPart);
    }();
    LARGE_INTEGER value;
    ::QueryPerformanceCounter(&value);
    return double(value.QuadPart) / frequency;
}

// Runs `work` `rounds` times after a few rounds of warming up; prints the median
// and the worst time in milliseconds and answers the median.
double Time(const char* name, int rounds, const std::function<void()>& work)
{
    for (int i = 0; i < 5; ++i)
        work();
    ::GdiFlush();
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        const double start = Now();
        work();
        ::GdiFlush();
        times.push_back((Now() - start) * 1000);
    }
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    std::printf("bench_paint: %-40s median %8.3f ms  worst %8.3f ms\n", name, median, times.back());
    return median;
}

// The host's side of a tree, reduced to what painting asks for: one memory
// target as the host's surface, and the areas the tree asks to have repainted.
class BenchContainer : public ISwndContainer {
public:
    explicit BenchContainer(IRenderTarget* surface) : m_surface(surface) {}

    void SetRoot(SWindow* root) { m_root = root; }
    std::vector<RECT>& Redraws() { return m_redraws; }

    // ISwndContainer overrides
    void OnNextFrame() override {}
    BOOL RegisterDragDrop(SWND, IDropTarget*) override { return FALSE; }
    BOOL RevokeDragDrop(SWND) override { return FALSE; }
    BOOL OnFireEvent(EventArgs*) override { return FALSE; }
    HWND GetHostHwnd() override { return nullptr; }   // the bench redraws queued windows itself
    LPCWSTR GetTranslatorContext() const override { return L""; }
    BOOL IsTranslucent() const override { return TRUE; }
    BOOL IsSendWheel2Hover() const override { return FALSE; }
    RECT GetContainerRect() const override { return {0, 0, kWidth, kHeight}; }
    IRenderTarget* OnGetRenderTarget(const RECT&, DWORD) override { return m_surface; }
    void OnReleaseRenderTarget(IRenderTarget*, const RECT&, DWORD) override {}
    void OnRedraw(const RECT& rect) override { m_redraws.push_back(rect); }
    SWND OnGetSwndCapture() override { return 0; }
    BOOL OnReleaseSwndCapture() override { return TRUE; }
    SWND OnSetSwndCapture(SWND) override { return 0; }
    void OnSetSwndFocus(SWND) override {}
    SWND GetHover() const override { return 0; }
    SWND GetFocus() const override { return 0; }
    BOOL OnCreateCaret(SWND, HBITMAP, int, int) override { return FALSE; }
    BOOL OnShowCaret(BOOL) override { return FALSE; }
    BOOL OnSetCaretPos(int, int) override { return FALSE; }
    BOOL UpdateWindow() override { return FALSE; }
    void UpdateTooltip() override {}
    void FrameToHost(RECT&) const override {}
    IAcceleratorMgr* GetAcceleratorMgr() override { return nullptr; }
    BOOL RegisterTimelineHandler(ITimelineHandler*) override { return FALSE; }
    BOOL UnregisterTimelineHandler(ITimelineHandler*) override { return FALSE; }
    void RegisterTrackMouseEvent(SWND) override {}
    void UnregisterTrackMouseEvent(SWND) override {}
    SMessageLoop* GetMsgLoop() override { return nullptr; }
    void SetWndTreeZorderDirty() override { m_zOrderDirty = true; }
    void BuildWndTreeZorder() override
    {
        if (!m_zOrderDirty || !m_root)
            return;
        UINT next = 0;
        Number(m_root, next);
        m_zOrderDirty = false;
    }
    IScriptModule* GetScriptModule() override { return nullptr; }
    int GetScale() const override { return 100; }
    LRESULT DoFrameEvent(UINT, WPARAM, LPARAM) override { return 0; }

private:
    static void Number(SWindow* window, UINT& next)
    {
        window->SetZOrder(next++);
        for (SWindow* child = window->GetWindow(GSW_FIRSTCHILD); child; child = child->GetWindow(GSW_NEXTSIBLING))
            Number(child, next);
    }

    IRenderTarget* m_surface;
    SWindow* m_root = nullptr;
    std::vector<RECT> m_redraws;
    bool m_zOrderDirty = true;
};

std::uint32_t Premultiplied(std::uint32_t alpha, std::uint32_t r, std::uint32_t g, std::uint32_t b)
{
    return alpha << 24 | r * alpha / 255 << 16 | g * alpha / 255 << 8 | b * alpha / 255;
}

// Writes a PNG of premultiplied pixels made by `pixel` (x, y) and answers its path.
std::wstring WriteImage(IRenderFactory* factory, const std::wstring& folder, const wchar_t* name, int width,
                        int height, const std::function<std::uint32_t(int, int)>& pixel)
{
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(pixel(x, y));
    SAutoRef<IBitmap> bitmap;
    factory->CreateBitmap(bitmap.Put());
    const std::wstring path = folder + name;
    if (!bitmap || FAILED(bitmap->Init(width, height, pixels.data())) || FAILED(bitmap->Save(path.c_str(), GUID_NULL))) {
        std::fprintf(stderr, "bench_paint: cannot write %ls\n", path.c_str());
        std::exit(1);
    }
    return path;
}

// The skins: the background, a four-state button frame, a three-state check mark and
// a module icon, as the wizard's UI definition declares its own.
std::wstring SkinXml(IRenderFactory* factory, const std::wstring& folder)
{
    const std::wstring background = WriteImage(factory, folder, L"bg.png", kWidth, kHeight, [](int x, int y) {
        const bool edge = x < 6 || y < 6 || x >= kWidth - 6 || y >= kHeight - 6;
        return Premultiplied(edge ? 0x60 : 0xFF, 40 + x * 200 / kWidth, 90, 160 + y * 90 / kHeight);
    });
    const std::wstring button = WriteImage(factory, folder, L"button.png", 240, 30, [](int x, int y) {
        const int cx = x % 60;
        const bool corner = (cx < 4 || cx >= 56) && (y < 4 || y >= 26);
        return Premultiplied(corner ? 0x40 : 0xE0, 30 + x / 60 * 40, 120, 220);
    });
    const std::wstring check = WriteImage(factory, folder, L"check.png", 48, 16, [](int x, int y) {
        const bool mark = x >= 32 && std::abs((x - 32) - y) < 3;   // the third state is checked
        return mark ? Premultiplied(0xFF, 255, 255, 255) : Premultiplied(0x90, 20, 20, 40 + x / 16 * 60);
    });
    const std::wstring icon = WriteImage(factory, folder, L"icon.png", 24, 24, [](int x, int y) {
        const int dx = x - 12, dy = y - 12;
        return dx * dx + dy * dy < 120 ? Premultiplied(0xFF, 250, 180, 40) : 0u;
    });
    return L"<skin>"
           L"<imglist name='bench.bg' src='file:" + background + L"'/>"
           L"<imgframe name='bench.button' src='file:" + button + L"' states='4' margin='8,8,8,8'/>"
           L"<imglist name='bench.check' src='file:" + check + L"' states='3'/>"
           L"<imglist name='bench.icon' src='file:" + icon + L"'/>"
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
    SAutoRef<IRenderFactory> renderFactory;
    SAutoRef<IImgDecoderFactory> decoders;
    if (!CreateRenderFactory_GDI(renderFactory.Put()) || !CreateImgDecoderFactory_PNG(decoders.Put())) {
        std::fprintf(stderr, "bench_paint: no render module\n");
        return 1;
    }
    renderFactory->SetImgDecoderFactory(decoders.Get());
    auto app = std::make_unique<SApplication>(renderFactory.Get(), ::GetModuleHandleW(nullptr), L"SAKUHOST",
                                              new SObjectDefaultRegister);   // the application takes this reference

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
        BenchContainer container(surface.Get());
        auto root = SAutoRef<SWindow>::Adopt(new SWindow);
        root->SetContainer(&container);
        container.SetRoot(root.Get());
        root->BuildFromXml(layout.first_child());
        root->OnRelayout({0, 0, kWidth, kHeight});
        root->UpdateLayout();
        const int windows = CountWindows(root.Get());
        std::printf("bench_paint: target %d x %d, %d windows, %d rounds each\n", kWidth, kHeight, windows, rounds);
        if (windows < 50) {
            std::fprintf(stderr, "bench_paint: the layout made only %d windows\n", windows);
            return 1;
        }

        SetStates(root.Get());

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

        // A module name changes its text: the host repaints that area from the root.
        SWindow* const row = root->GetWindow(GSW_FIRSTCHILD)->GetWindow(GSW_NEXTSIBLING);
        SWindow* const name = row->GetWindow(GSW_FIRSTCHILD)->GetWindow(GSW_NEXTSIBLING);
        SAutoRef<IRegion> region;
        renderFactory->CreateRegion(region.Put());
        const double element = Time("one element, its area from the root", rounds, [&] {
            container.Redraws().clear();
            name->Invalidate();
            region->Clear();
            for (const RECT& rect : container.Redraws())
                region->CombineRect(&rect, RGN_OR);
            paint(region.Get());
        });
        // The title bar does not blend with what lies below: it redraws alone.
        SWindow* const title = root->GetWindow(GSW_FIRSTCHILD);
        const double alone = Time("one opaque element, alone", rounds, [&] {
            title->Invalidate();
            title->RedrawInvalidRegion();
        });

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
    app.reset();
    return 0;
}
