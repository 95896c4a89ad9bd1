// Opens a combo box's popup (1,000 entries, the 900th chosen, shown at once) by a
// press on its host window and closes it with Escape, round after round, timing
// the press up to the popup's first frame on screen. Beside it, a plain top-level
// host window of the popup's size and styles takes the same list box, is shown
// and painted, and is destroyed, round after round. Prints both medians and
// worsts, the GDI and USER objects and the working set before and after, and the
// goals.

#include "controls/SComboBox.h"
#include "controls/SListBox.h"
#include "core/SHostWnd.h"

#include "BenchApp.h"
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

constexpr int kEntries = 1000;
constexpr int kChosen = 900;

const wchar_t kLayout[] =
    L"<SAKU width='300' height='300' wndType='normal'><root colorBkgnd='#FFFFFF'>"
    L"<combobox name='combo' pos='20,20,@200,@24' animateTime='0'>"
    L"<listStyle itemHeight='20' colorBkgnd='#FFFFFF' colorText='#000000'/></combobox>"
    L"</root></SAKU>";

struct Usage {
    DWORD gdi;
    DWORD user;
    double workingSetMb;
};

Usage Measure()
{
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof(memory);
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof(memory));
    return Usage{::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS),
                 ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS), memory.WorkingSetSize / (1024.0 * 1024.0)};
}

void PumpPending()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;   // the bench's windows end no loop
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

struct Figures {
    double median = 0;
    double worst = 0;
};

Figures Summarise(std::vector<double> times)
{
    Figures figures;
    if (times.empty())
        return figures;
    std::sort(times.begin(), times.end());
    figures.median = times[times.size() / 2];
    figures.worst = times.back();
    return figures;
}

// One round of the combo: the press, the popup painted, Escape, the popup gone.
double ComboRound(SHostWnd& host, SComboBox* combo)
{
    const RECT rect = combo->GetWindowRect();
    const LPARAM point = MAKELPARAM(rect.left + 10, rect.top + 10);
    const double start = bench::NowSeconds();
    ::SendMessageW(host.GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, point);
    SDropDownWnd* const popup = combo->GetDropDownWnd();
    const HWND window = popup ? popup->GetHwnd() : nullptr;
    if (window)
        ::UpdateWindow(window);
    ::GdiFlush();
    const double elapsed = (bench::NowSeconds() - start) * 1000;
    ::SendMessageW(host.GetHwnd(), WM_LBUTTONUP, 0, point);
    if (window)
        ::SendMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
    PumpPending();
    return window ? elapsed : -1;
}

// One round of the plain host: made where the popup goes, the list box moved in,
// shown and painted, then taken back and the window destroyed.
double PlainRound(SComboBox* combo, const RECT& place)
{
    SListBox* const list = combo->GetListBox();
    const double start = bench::NowSeconds();
    auto host = SAutoRef<SHostWnd>::Adopt(new SHostWnd);
    if (!host->CreateEx(combo->GetContainer()->GetHostHwnd(), WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, place.left,
                        place.top, place.right - place.left, place.bottom - place.top))
        return -1;
    host->InsertChild(list);
    host->UpdateChildrenPosition();
    list->SetVisible(TRUE);
    list->EnsureVisible(list->GetCurSel());
    ::SetWindowPos(host->GetHwnd(), nullptr, 0, 0, 0, 0,
                   SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
    ::UpdateWindow(host->GetHwnd());
    ::GdiFlush();
    const double elapsed = (bench::NowSeconds() - start) * 1000;
    host->RemoveChild(list);
    list->SetVisible(FALSE);
    list->SetContainer(combo->GetContainer());
    host->DestroyHostWindow();
    PumpPending();
    return elapsed;
}

}  // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
    bench::BenchApp bench;
    if (!bench.Start("bench_combo"))
        return 1;
    pugi::xml_document layout;
    layout.load_string(kLayout);
    auto host = SAutoRef<SHostWnd>::Adopt(new SHostWnd);
    if (!host->Create(nullptr, 100, 100, 300, 300) || !host->LoadFromXml(layout.child(L"SAKU"), 300, 300)) {
        std::fprintf(stderr, "bench_combo: no host window\n");
        return 1;
    }
    auto* const combo = host->FindChildByName2<SComboBox>(L"combo");
    if (!combo || !combo->GetListBox()) {
        std::fprintf(stderr, "bench_combo: no combo box\n");
        return 1;
    }
    for (int i = 0; i < kEntries; ++i) {
        wchar_t text[32];
        std::swprintf(text, 32, L"entry %d", i);
        combo->GetListBox()->AddString(text);
    }
    combo->SelectIndex(kChosen);
    ::ShowWindow(host->GetHwnd(), SW_SHOWNORMAL);
    ::UpdateWindow(host->GetHwnd());
    PumpPending();

    // A first round of each warms the caches and makes what stays (fonts, classes).
    (void)ComboRound(*host.Get(), combo);
    RECT place = {};
    (void)combo->PlaceDropDown(combo->GetListBox()->GetItemHeight() * 10, &place);
    ::SetRect(&place, place.left, place.top, place.right, place.top + 200);
    (void)PlainRound(combo, place);

    const Usage before = Measure();
    std::vector<double> comboTimes;
    std::vector<double> plainTimes;
    for (int i = 0; i < rounds; ++i) {
        comboTimes.push_back(ComboRound(*host.Get(), combo));
        plainTimes.push_back(PlainRound(combo, place));
    }
    const Usage after = Measure();
    if (std::count(comboTimes.begin(), comboTimes.end(), -1.0) > 0 || std::count(plainTimes.begin(), plainTimes.end(), -1.0) > 0) {
        std::fprintf(stderr, "bench_combo: a window could not be made\n");
        return 1;
    }
    const Figures popup = Summarise(comboTimes);
    const Figures plain = Summarise(plainTimes);
    std::printf("bench_combo: %d rounds of %d entries, current %d\n", rounds, kEntries, kChosen);
    std::printf("bench_combo: popup, press to first frame: median %7.3f ms, worst %7.3f ms\n", popup.median, popup.worst);
    std::printf("bench_combo: plain host, made to first frame: median %7.3f ms, worst %7.3f ms\n", plain.median, plain.worst);
    std::printf("bench_combo: GDI objects %lu -> %lu, USER objects %lu -> %lu, working set %.2f -> %.2f MB\n",
                before.gdi, after.gdi, before.user, after.user, before.workingSetMb, after.workingSetMb);
    const double ratio = plain.median > 0 ? popup.median / plain.median : 0;
    std::printf("bench_combo: goal: median within 1.3x of the plain host: %s (%.2f)\n", ratio <= 1.3 ? "met" : "missed", ratio);
    std::printf("bench_combo: goal: no growth of objects: %s\n",
                after.gdi <= before.gdi && after.user <= before.user ? "met" : "missed");
    std::printf("bench_combo: goal: working set within 1 MB of the start: %s (%+.2f MB)\n",
                after.workingSetMb - before.workingSetMb <= 1.0 ? "met" : "missed", after.workingSetMb - before.workingSetMb);
    combo->GetListBox()->DeleteAll();
    host->DestroyHostWindow();
    PumpPending();
    return 0;
}
