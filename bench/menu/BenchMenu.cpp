// Shows a menu of 30 items, three of them with a sub-menu of 8 items, round after
// round: first drawn by the library (SMenuEx, each level a translucent host
// window), then the same items owner-drawn in a menu of the system (SPopupMenu).
// A round shows the menu and times it to its first frame, sends Down and Right,
// which open the first item's sub-menu, times that to the sub-menu's first frame,
// and ends the menu (ExitPopup, EndMenu). A frame is done when the menu's window
// is on the screen with its content painted: after the paint the show left
// pending, or at the show itself when nothing was pending (a layered window keeps
// its image while hidden). Prints the medians, the GDI and USER objects and the
// working set after the rounds, and the goals met or missed.

#include "controls/SMenuEx.h"
#include "controls/SMenuExItem.h"
#include "controls/SMenuExRoot.h"
#include "controls/SPopupMenu.h"
#include "core/CSimpleWnd.h"
#include "core/LayeredWindowApi.h"
#include "core/SApplication.h"
#include "core/SAutoRef.h"
#include "core/SObjectDefaultRegister.h"
#include "core/SSkinPool.h"
#include "render/IRenderFactory.h"
#include "render/ImgDecoderCreators.h"
#include "render/RenderFactoryCreators.h"

#include "BenchRounds.h"

#include <pugixml.hpp>
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace SAKU;

namespace {

constexpr int kItems = 30;
constexpr int kSubItems = 8;
constexpr int kMenuX = 100;
constexpr int kMenuY = 60;
constexpr int kRoundTicks = 200;   // 50 ms each: a round that has not ended in 10 s is given up

const wchar_t kSkins[] =
    L"<skin><colorrect name='bench.item' normal='#ffffff' hover='#3060c0' pushdown='#c0c0c0'/>"
    L"<colorrect name='bench.sep' normal='#808080'/></skin>";

// The items as either menu writes them: `item` and `sub` are the element names.
std::wstring MenuXml(const wchar_t* top, const wchar_t* item)
{
    std::wstring xml = std::wstring(L"<") + top +
                       L" itemSkin='bench.item' sepSkin='bench.sep' itemHeight='22' colorText='#000000'>";
    for (int i = 0; i < kItems; ++i) {
        const std::wstring text = L"菜单项 " + std::to_wstring(i + 1);
        xml += std::wstring(L"<") + item + L" id='" + std::to_wstring(100 + i) + L"'>" + text;
        if (i % 10 == 0) {
            for (int j = 0; j < kSubItems; ++j)
                xml += std::wstring(L"<") + item + L" id='" + std::to_wstring(1000 + 10 * i + j) + L"'>子项 " +
                       std::to_wstring(j + 1) + L"</" + item + L">";
        }
        xml += std::wstring(L"</") + item + L">";
    }
    return xml + L"</" + top + L">";
}

// One round's two times, milliseconds.
struct RoundTimes {
    double show = -1;
    double sub = -1;
};

// What the round waits for, and when it started each wait.
struct Probe {
    enum State { kWaitTop, kWaitSub, kDone } state = kWaitTop;
    bool library = true;
    HWND owner = nullptr;
    HWND top = nullptr;          // the library menu's windows; the system's as they are made
    HWND sub = nullptr;
    std::map<HWND, HWND> pendingPaint;   // a window whose paint completes a frame -> the menu window
    std::map<HWND, WNDPROC> subclassed;
    int systemMenusMade = 0;
    double start = 0;
    double keys = 0;
    RoundTimes times;
    int ticks = 0;
    bool gaveUp = false;
};
Probe g_probe;

void EndMenu()
{
    if (g_probe.library)
        SMenuEx::ExitPopup(0);
    else
        ::EndMenu();
}

void OnFrame(HWND menu)
{
    const double now = bench::NowSeconds();
    if (g_probe.state == Probe::kWaitTop && menu == g_probe.top) {
        g_probe.times.show = (now - g_probe.start) * 1000;
        g_probe.state = Probe::kWaitSub;
        g_probe.keys = bench::NowSeconds();
        ::PostMessageW(g_probe.owner, WM_KEYDOWN, VK_DOWN, 1);
        ::PostMessageW(g_probe.owner, WM_KEYDOWN, VK_RIGHT, 1);
    } else if (g_probe.state == Probe::kWaitSub && menu == g_probe.sub) {
        g_probe.times.sub = (now - g_probe.keys) * 1000;
        g_probe.state = Probe::kDone;
        EndMenu();
    }
}

struct DummySearch {
    HWND host;
    HWND found;
};

BOOL CALLBACK FindDummy(HWND window, LPARAM data)
{
    auto* const search = reinterpret_cast<DummySearch*>(data);
    if (::GetWindow(window, GW_OWNER) != search->host)
        return TRUE;
    search->found = window;
    return FALSE;
}

// The library's dummy window that paints a translucent host: owned by it.
HWND DummyOf(HWND host)
{
    DummySearch search = {host, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindDummy, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

LRESULT CALLBACK Watch(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const WNDPROC old = g_probe.subclassed[window];
    const LRESULT result = ::CallWindowProcW(old, window, message, wParam, lParam);
    if (message == WM_WINDOWPOSCHANGED && (reinterpret_cast<WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW) &&
        g_probe.library) {
        const HWND dummy = DummyOf(window);
        RECT pending = {};
        if (dummy && ::GetUpdateRect(dummy, &pending, FALSE))
            g_probe.pendingPaint[dummy] = window;
        else
            OnFrame(window);
    } else if (message == WM_PAINT) {
        const auto found = g_probe.pendingPaint.find(window);
        if (found != g_probe.pendingPaint.end()) {
            const HWND menu = found->second;
            g_probe.pendingPaint.erase(found);
            OnFrame(menu);
        } else if (!g_probe.library) {
            OnFrame(window);
        }
    } else if (message == WM_NCDESTROY) {
        g_probe.subclassed.erase(window);
    }
    return result;
}

void Subclass(HWND window)
{
    if (!window || g_probe.subclassed.count(window))
        return;
    g_probe.subclassed[window] = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Watch)));
}

// The system's menu windows as they are made: the first of a round is the menu,
// the second its sub-menu.
LRESULT CALLBACK WatchCreation(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && !g_probe.library) {
        const HWND window = reinterpret_cast<HWND>(wParam);
        wchar_t name[16] = {};
        if (::GetClassNameW(window, name, 16) && wcscmp(name, L"#32768") == 0) {
            (g_probe.systemMenusMade++ == 0 ? g_probe.top : g_probe.sub) = window;
            Subclass(window);
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_probe.state != Probe::kDone && ++g_probe.ticks > kRoundTicks) {
        g_probe.gaveUp = true;
        g_probe.state = Probe::kDone;
        EndMenu();
    }
}

class BenchOwner : public CSimpleWnd {
public:
    BEGIN_MSG_MAP(BenchOwner)
    END_MSG_MAP()
};

struct Usage {
    DWORD gdi = 0;
    DWORD user = 0;
    SIZE_T workingSet = 0;
};

Usage UsageNow()
{
    Usage usage;
    usage.gdi = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    usage.user = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof(memory);
    if (::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof(memory)))
        usage.workingSet = memory.WorkingSetSize;
    return usage;
}

struct RunResult {
    std::vector<RoundTimes> rounds;
    std::vector<Usage> usage;   // after each round
    int failed = 0;
};

// `show` shows the menu and returns when it ended.
RunResult Run(bool library, int rounds, const std::function<void()>& show)
{
    RunResult run;
    for (int round = 0; round < rounds; ++round) {
        g_probe.state = Probe::kWaitTop;
        g_probe.library = library;
        g_probe.times = RoundTimes{};
        g_probe.systemMenusMade = 0;
        g_probe.ticks = 0;
        g_probe.gaveUp = false;
        g_probe.pendingPaint.clear();
        if (!library)
            g_probe.top = g_probe.sub = nullptr;
        ::SetForegroundWindow(g_probe.owner);
        g_probe.start = bench::NowSeconds();
        show();
        // What the menu left queued (the owner's mouse move) goes before the next round.
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (g_probe.gaveUp || g_probe.times.sub < 0)
            ++run.failed;
        else
            run.rounds.push_back(g_probe.times);
        run.usage.push_back(UsageNow());
    }
    return run;
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Print(const char* name, const RunResult& run, double& showMedian, double& subMedian)
{
    std::vector<double> shows;
    std::vector<double> subs;
    for (const RoundTimes& t : run.rounds) {
        shows.push_back(t.show);
        subs.push_back(t.sub);
    }
    showMedian = Median(shows);
    subMedian = Median(subs);
    std::printf("bench_menu: %-10s %2d rounds (%d failed): show to first frame median %7.2f ms, worst %7.2f ms; "
                "Right to sub-menu frame median %7.2f ms, worst %7.2f ms\n",
                name, static_cast<int>(run.rounds.size()), run.failed, showMedian,
                shows.empty() ? 0 : *std::max_element(shows.begin(), shows.end()), subMedian,
                subs.empty() ? 0 : *std::max_element(subs.begin(), subs.end()));
    if (run.usage.empty())
        return;
    const Usage& first = run.usage.front();
    const Usage& last = run.usage.back();
    std::printf("bench_menu: %-10s after round 1: %lu GDI, %lu USER objects, working set %.1f MB; after round %d: "
                "%lu GDI, %lu USER, %.1f MB\n",
                name, first.gdi, first.user, first.workingSet / 1048576.0, static_cast<int>(run.usage.size()),
                last.gdi, last.user, last.workingSet / 1048576.0);
}

// Flat: the objects after the last round are those after the second (the first
// round makes what every later one reuses), and the working set grew by under 2%.
bool Flat(const RunResult& run)
{
    if (run.usage.size() < 3)
        return false;
    const Usage& second = run.usage[1];
    const Usage& last = run.usage.back();
    return last.gdi <= second.gdi && last.user <= second.user &&
           last.workingSet <= second.workingSet + second.workingSet / 50;
}

}  // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(3, std::atoi(argv[1])) : 20;
    SAutoRef<IRenderFactory> renderFactory;
    SAutoRef<IImgDecoderFactory> decoders;
    if (!CreateRenderFactory_GDI(renderFactory.Put()) || !CreateImgDecoderFactory_PNG(decoders.Put()) ||
        !InitLayeredWindowApi()) {
        std::fprintf(stderr, "bench_menu: no render module\n");
        return 1;
    }
    renderFactory->SetImgDecoderFactory(decoders.Get());
    auto app = std::make_unique<SApplication>(renderFactory.Get(), ::GetModuleHandleW(nullptr), L"SAKUHOST",
                                              new SObjectDefaultRegister);   // the application takes this reference
    pugi::xml_document skins;
    skins.load_string(kSkins);
    auto pool = SAutoRef<SSkinPool>::Adopt(new SSkinPool);
    pool->LoadSkins(skins.first_child());
    SSkinPoolMgr::GetInstance()->PushPool(pool.Get());

    BenchOwner owner;
    if (!owner.CreateWindow(L"bench menu owner", WS_POPUP | WS_VISIBLE, 0, 0, 0, 60, 40, nullptr, nullptr)) {
        std::fprintf(stderr, "bench_menu: no owner window\n");
        return 1;
    }
    g_probe.owner = owner.GetHwnd();
    const HHOOK hook = ::SetWindowsHookExW(WH_CBT, &WatchCreation, nullptr, ::GetCurrentThreadId());
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &OnTick);

    RunResult library;
    RunResult system;
    {
        pugi::xml_document xml;
        xml.load_string(MenuXml(L"menuRoot", L"menuItem").c_str());
        SMenuEx menu;
        if (!menu.BuildMenu(xml.document_element())) {
            std::fprintf(stderr, "bench_menu: the library's menu did not build\n");
            return 1;
        }
        auto* const first = static_cast<SMenuExItem*>(menu.GetMenuRoot()->GetWindow(GSW_FIRSTCHILD));
        g_probe.top = menu.GetHwnd();
        g_probe.sub = first->GetSubMenu()->GetHwnd();
        for (const HWND window : {g_probe.top, g_probe.sub, DummyOf(g_probe.top), DummyOf(g_probe.sub)})
            Subclass(window);
        library = Run(true, rounds, [&] { menu.ShowPopup(kMenuExReturnCmd, kMenuX, kMenuY, owner.GetHwnd()); });
    }
    {
        pugi::xml_document xml;
        xml.load_string(MenuXml(L"menu", L"item").c_str());
        SPopupMenu menu;
        if (!menu.LoadMenu(xml.document_element())) {
            std::fprintf(stderr, "bench_menu: the owner-drawn menu did not build\n");
            return 1;
        }
        system = Run(false, rounds, [&] { menu.TrackPopupMenu(TPM_RETURNCMD, kMenuX, kMenuY, owner.GetHwnd()); });
    }
    ::KillTimer(nullptr, timer);
    ::UnhookWindowsHookEx(hook);

    double libraryShow = 0;
    double librarySub = 0;
    double systemShow = 0;
    double systemSub = 0;
    Print("SMenuEx", library, libraryShow, librarySub);
    Print("SPopupMenu", system, systemShow, systemSub);
    const auto within = [](double ours, double theirs) { return theirs > 0 && ours > 0 && ours <= 1.5 * theirs; };
    std::printf("bench_menu: goal: show median within 1.5x of the owner-drawn menu's: %s (%.2f)\n",
                within(libraryShow, systemShow) ? "met" : "missed", systemShow > 0 ? libraryShow / systemShow : 0);
    std::printf("bench_menu: goal: sub-menu median within 1.5x of the owner-drawn menu's: %s (%.2f)\n",
                within(librarySub, systemSub) ? "met" : "missed", systemSub > 0 ? librarySub / systemSub : 0);
    // Wine's GetGuiResources counts nothing: then only the working set speaks.
    const bool counted = library.usage.back().gdi + library.usage.back().user > 0;
    std::printf("bench_menu: goal: objects and working set flat over the library's rounds: %s%s\n",
                Flat(library) ? "met" : "missed", counted ? "" : " (no objects counted by this system)");
    std::printf("bench_menu: goal: every round ended on its frames: %s\n",
                library.failed + system.failed == 0 ? "met" : "missed");
    owner.DestroyWindow();
    SSkinPoolMgr::GetInstance()->PopPool(pool.Get());
    return 0;
}
