// Times the GDI render target on a target of the wizard's size (340 x 420): a full
// fill, a text run, an AlphaBlend of a full-size image, and a whole frame of the
// wizard's kind (a background image, four nine-patch skins and ten text runs), and
// prints the mean and best time of each per frame.

#include "core/SAutoRef.h"
#include "render/IBitmap.h"
#include "render/IFont.h"
#include "render/IRenderFactory.h"
#include "render/IRenderTarget.h"
#include "render/RenderFactoryCreators.h"

#include "BenchImages.h"
#include "BenchRounds.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

using namespace SAKU;

namespace {

constexpr int kWidth = bench::kWizardWidth;
constexpr int kHeight = bench::kWizardHeight;

// Runs `work` `rounds` times after a few rounds of warming up; prints the mean and
// the best time in milliseconds.
void Time(const char* name, int rounds, const std::function<void()>& work)
{
    const std::vector<double> times = bench::TimeRounds(rounds, work);
    double total = 0;
    for (const double t : times)
        total += t;
    std::printf("bench_render: %-32s mean %8.3f ms  best %8.3f ms\n", name, total / rounds,
                *std::min_element(times.begin(), times.end()));
}

}  // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 300;
    SAutoRef<IRenderFactory> factory;
    SAutoRef<IRenderTarget> target;
    if (!CreateRenderFactory_GDI(factory.Put()) || !factory->CreateRenderTarget(target.Put(), kWidth, kHeight)) {
        std::fprintf(stderr, "bench_render: no render target\n");
        return 1;
    }
    SAutoRef<IBitmap> background = bench::WizardBackground(factory.Get());
    SAutoRef<IBitmap> skin = bench::ButtonStates(factory.Get());
    if (!background || !skin) {
        std::fprintf(stderr, "bench_render: no bitmaps\n");
        return 1;
    }
    LOGFONTW logFont = {};
    logFont.lfHeight = -14;
    logFont.lfQuality = CLEARTYPE_QUALITY;
    wcscpy(logFont.lfFaceName, L"微软雅黑");
    SAutoRef<IFont> font;
    factory->CreateFont(font.Put(), logFont);
    target->SelectObject(font.Get(), nullptr);
    target->SetTextColor(0xFFFFFFFF);

    const RECT all = {0, 0, kWidth, kHeight};
    const wchar_t* const texts[10] = {
        L"欢迎安装 Tivala 动态壁纸", L"请选择要安装的组件",   L"安装目录：C:\\Program Files\\tivala",
        L"壁纸资源目录",             L"所需空间：356 MB",     L"可用空间：12.4 GB",
        L"正在下载 壁纸引擎 45%",     L"正在解压 theme.dexo",  L"安装完成，立即体验",
        L"用户协议与隐私政策",
    };
    const auto text = [&](int index) {
        RECT rect = {20, 40 + index * 32, kWidth - 20, 40 + index * 32 + 24};
        target->DrawText(texts[index], -1, &rect, DT_SINGLELINE | DT_VCENTER);
    };
    const auto frame = [&] {
        target->ClearRect(&all, 0);
        target->DrawBitmap(&all, background.Get(), 0, 0, 255);
        const RECT margins = {8, 8, 8, 8};
        for (int i = 0; i < 4; ++i) {
            const RECT dest = {20 + i * 78, 360, 20 + i * 78 + 70, 396};
            const RECT state = {i * 60, 0, i * 60 + 60, 30};
            target->DrawBitmap9Patch(&dest, skin.Get(), &state, &margins, kExpandStretch, 255);
        }
        for (int i = 0; i < 10; ++i)
            text(i);
    };

    std::printf("bench_render: target %d x %d, %d rounds each\n", kWidth, kHeight, rounds);
    Time("FillSolidRect opaque, full", rounds, [&] { target->FillSolidRect(&all, 0xFF804020); });
    Time("FillSolidRect alpha 0x80, full", rounds, [&] { target->FillSolidRect(&all, 0x80804020); });
    Time("ClearRect, full", rounds, [&] { target->ClearRect(&all, 0x80804020); });
    Time("DrawText, one run", rounds, [&] { text(2); });
    Time("DrawBitmap (AlphaBlend), full", rounds, [&] { target->DrawBitmap(&all, background.Get(), 0, 0, 255); });
    Time("DrawBitmap9Patch, one skin", rounds, [&] {
        const RECT dest = {20, 360, 90, 396};
        const RECT state = {0, 0, 60, 30};
        const RECT margins = {8, 8, 8, 8};
        target->DrawBitmap9Patch(&dest, skin.Get(), &state, &margins, kExpandStretch, 255);
    });
    Time("frame: image, 4 skins, 10 texts", rounds, frame);

    // What plain GDI costs for the same work on this machine, for scale.
    SAutoRef<IRenderTarget> copy;
    factory->CreateRenderTarget(copy.Put(), kWidth, kHeight);
    const HDC dc = target->GetDC(0);
    Time("plain GDI: BitBlt, full", rounds,
         [&] { ::BitBlt(dc, 0, 0, kWidth, kHeight, copy->GetDC(0), 0, 0, SRCCOPY); });
    Time("plain GDI: DrawTextW, one run", rounds, [&] {
        RECT rect = {20, 104, kWidth - 20, 128};
        ::DrawTextW(dc, texts[2], -1, &rect, DT_SINGLELINE | DT_VCENTER);
    });
    target->ReleaseDC(dc);
    return 0;
}
