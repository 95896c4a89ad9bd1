// The layered-window shim on a real layered popup: the stand-in over
// UpdateLayeredWindow puts a per-pixel-alpha image on the window as the system's
// UpdateLayeredWindowIndirect does, answers as it does for a window that is not
// layered, and the stored function is the system's own where user32 has one.

#include "core/LayeredWindowApi.h"

#include "GdiHandles.h"
#include "Win32Handles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

using namespace SAKU;

namespace {

constexpr int kWidth = 40;
constexpr int kHeight = 30;
constexpr std::uint32_t kPixel = 0xFF2080C0;   // opaque, B, G, R = C0, 80, 20

const wchar_t kClassName[] = L"TivalaLayeredWindowApiTest";
// Away from where other tests' windows open on the shared display, and topmost, so
// that the screen shows this window's pixels there.
constexpr POINT kPlace = {613, 517};

// A popup window of the test's own class; `layered` gives it WS_EX_LAYERED.
UniqueWindow MakePopup(bool layered)
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClassName;
    ::RegisterClassW(&windowClass);   // fails harmlessly when an earlier test registered it
    const DWORD exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | (layered ? WS_EX_LAYERED : 0);
    return UniqueWindow(::CreateWindowExW(exStyle, kClassName, L"layered", WS_POPUP, kPlace.x, kPlace.y, kWidth,
                                          kHeight, nullptr, nullptr, windowClass.hInstance, nullptr));
}

// A 32-bit top-down DIB of one premultiplied colour, selected into a memory DC.
struct SourceImage {
    UniqueMemoryDc dc{::CreateCompatibleDC(nullptr)};
    UniqueBitmap bitmap;
    UniqueSelection selection;

    explicit SourceImage(std::uint32_t pixel)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = kWidth;
        info.bmiHeader.biHeight = -kHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap = UniqueBitmap(::CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!bitmap)
            return;
        std::fill_n(static_cast<std::uint32_t*>(bits), kWidth * kHeight, pixel);
        selection = SelectInto(dc.Get(), bitmap.Get());
    }
};

// What a translucent host hands the function: the whole image at the window's place.
struct UpdateInfo {
    POINT destination = kPlace;
    SIZE size = {kWidth, kHeight};
    POINT source = {0, 0};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 0xFF, AC_SRC_ALPHA};
    UPDATELAYEREDWINDOWINFO info = {};

    explicit UpdateInfo(HDC sourceDc)
    {
        info.cbSize = sizeof(info);
        info.pptDst = &destination;
        info.psize = &size;
        info.hdcSrc = sourceDc;
        info.pptSrc = &source;
        info.pblend = &blend;
        info.dwFlags = ULW_ALPHA;
    }
};

using UpdateFunction = BOOL(WINAPI*)(HWND, const UPDATELAYEREDWINDOWINFO*);

UpdateFunction SystemIndirect()
{
    return reinterpret_cast<UpdateFunction>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"user32"), "UpdateLayeredWindowIndirect")));
}

class LayeredWindowApiTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(InitLayeredWindowApi()); }
};

}  // namespace

TEST_F(LayeredWindowApiTest, FallbackShowsTheImageOnALayeredWindow)
{
    UniqueWindow window = MakePopup(true);
    ASSERT_TRUE(window);
    SourceImage image(kPixel);
    ASSERT_TRUE(image.selection);
    UpdateInfo update(image.dc.Get());

    ASSERT_TRUE(UpdateLayeredWindowIndirectFallback(window.Get(), &update.info)) << ::GetLastError();
    ::ShowWindow(window.Get(), SW_SHOWNOACTIVATE);
    ::UpdateWindow(window.Get());

    // A layered window shows what it was given, not what WM_PAINT draws; Xvfb has
    // no compositor, so the screen holds the image's own pixels.
    const UniqueScreenDc screen(::GetDC(nullptr));
    RECT placed = {};
    ::GetWindowRect(window.Get(), &placed);
    EXPECT_EQ(kPlace.x, placed.left);
    EXPECT_EQ(kWidth, placed.right - placed.left);
    const COLORREF centre = ::GetPixel(screen.Get(), placed.left + kWidth / 2, placed.top + kHeight / 2);
    EXPECT_EQ(RGB(0x20, 0x80, 0xC0), centre);
}

TEST_F(LayeredWindowApiTest, FallbackAnswersAsTheSystemFunctionDoes)
{
    const UpdateFunction system = SystemIndirect();
    if (!system)
        GTEST_SKIP() << "this user32 has no UpdateLayeredWindowIndirect to compare with";
    const struct {
        const char* what;
        bool layered;
    } cases[] = {
        {"a layered window", true},
        {"a window that is not layered", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        UniqueWindow window = MakePopup(c.layered);
        ASSERT_TRUE(window);
        SourceImage image(kPixel);
        UpdateInfo update(image.dc.Get());
        const bool expected = system(window.Get(), &update.info) != FALSE;
        EXPECT_EQ(expected, UpdateLayeredWindowIndirectFallback(window.Get(), &update.info) != FALSE);
        EXPECT_EQ(expected, CallUpdateLayeredWindowIndirect(window.Get(), &update.info) != FALSE);
    }
    EXPECT_FALSE(UpdateLayeredWindowIndirectFallback(nullptr, nullptr));   // no info: refused, nothing read
}
