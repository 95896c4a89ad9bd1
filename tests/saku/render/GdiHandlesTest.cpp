// The GDI holders of the one handle template: objects die with their holder, a
// selection puts back what the DC held so that the object can die, a saved DC
// state comes back whatever was pushed after it, and a window's DC goes back to
// its window.

#include "GdiHandles.h"
#include "Win32Handles.h"

#include <gtest/gtest.h>

namespace {

// GetObjectType answers 0 for a handle that GDI no longer knows.
bool Alive(HGDIOBJ object)
{
    return ::GetObjectType(object) != 0;
}

UniqueBitmap SmallBitmap()
{
    const UniqueScreenDc screen(::GetDC(nullptr));
    return UniqueBitmap(::CreateCompatibleBitmap(screen.Get(), 4, 4));
}

}  // namespace

TEST(GdiHandles, ObjectsDieWithTheirHolder)
{
    HGDIOBJ pen = nullptr;
    HGDIOBJ brush = nullptr;
    HGDIOBJ region = nullptr;
    {
        const UniquePen heldPen(::CreatePen(PS_SOLID, 1, RGB(1, 2, 3)));
        const UniqueBrush heldBrush(::CreateSolidBrush(RGB(1, 2, 3)));
        const UniqueRegion heldRegion(::CreateRectRgn(0, 0, 5, 5));
        pen = heldPen.Get();
        brush = heldBrush.Get();
        region = heldRegion.Get();
        ASSERT_TRUE(Alive(pen) && Alive(brush) && Alive(region));
    }
    EXPECT_FALSE(Alive(pen));
    EXPECT_FALSE(Alive(brush));
    EXPECT_FALSE(Alive(region));
}

TEST(GdiHandles, SelectionPutsBackThePreviousObjectSoTheBitmapCanDie)
{
    const UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    ASSERT_TRUE(dc);
    const HGDIOBJ original = ::GetCurrentObject(dc.Get(), OBJ_BITMAP);
    HGDIOBJ drawn = nullptr;
    {
        const UniqueBitmap bitmap = SmallBitmap();
        ASSERT_TRUE(bitmap);
        drawn = bitmap.Get();
        const UniqueSelection selection = SelectInto(dc.Get(), bitmap.Get());
        ASSERT_TRUE(selection);
        EXPECT_EQ(drawn, ::GetCurrentObject(dc.Get(), OBJ_BITMAP));
    }
    EXPECT_EQ(original, ::GetCurrentObject(dc.Get(), OBJ_BITMAP));
    EXPECT_FALSE(Alive(drawn));
}

TEST(GdiHandles, RefusedSelectionLeavesNothingToUndo)
{
    const UniqueMemoryDc first(::CreateCompatibleDC(nullptr));
    const UniqueMemoryDc second(::CreateCompatibleDC(nullptr));
    const UniqueBitmap bitmap = SmallBitmap();
    const UniqueSelection held = SelectInto(first.Get(), bitmap.Get());
    ASSERT_TRUE(held);
    // A bitmap lives in one DC at a time.
    EXPECT_FALSE(SelectInto(second.Get(), bitmap.Get()));
    EXPECT_FALSE(SelectInto(nullptr, bitmap.Get()));
}

TEST(GdiHandles, SavedStateComesBackOverLaterSaves)
{
    const UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    const UniqueBitmap bitmap = SmallBitmap();
    const UniqueSelection selection = SelectInto(dc.Get(), bitmap.Get());
    RECT box = {};
    {
        const UniqueSavedDc saved = SaveDcState(dc.Get());
        ASSERT_TRUE(saved);
        ::IntersectClipRect(dc.Get(), 1, 1, 2, 2);
        ASSERT_NE(0, ::SaveDC(dc.Get()));   // left unbalanced on purpose
        ::IntersectClipRect(dc.Get(), 1, 1, 2, 2);
        ASSERT_EQ(SIMPLEREGION, ::GetClipBox(dc.Get(), &box));
        EXPECT_EQ(1, box.right - box.left);
    }
    ASSERT_NE(ERROR, ::GetClipBox(dc.Get(), &box));
    EXPECT_EQ(4, box.right - box.left);
    EXPECT_EQ(1, ::SaveDC(dc.Get()));        // the stack is back at the bottom
}

TEST(GdiHandles, AWindowDcGoesBackToItsWindow)
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"TivalaWindowDcTest";
    ::RegisterClassW(&windowClass);   // a class without CS_OWNDC, so that its DCs come from the shared cache
    const UniqueWindow window(::CreateWindowExW(0, windowClass.lpszClassName, L"", WS_POPUP, 0, 0, 40, 40, nullptr,
                                                nullptr, windowClass.hInstance, nullptr));
    ASSERT_TRUE(window);
    const struct {
        const char* name;
        HWND window;
        bool kept;          // the holder gave up ownership
        int lateRelease;    // what ReleaseDC answers after the holder died: 0 for a DC given back already
    } cases[] = {
        {"a window",           window.Get(), false, 0},
        {"the screen",         nullptr,      false, 0},
        {"a window, released", window.Get(), true,  1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HDC dc = nullptr;
        {
            UniqueWindowDc held = GetDcOf(c.window);
            ASSERT_TRUE(held);
            dc = held.Get().dc;
            EXPECT_EQ(static_cast<DWORD>(OBJ_DC), ::GetObjectType(dc));
            if (c.kept)
                (void)held.Release();   // the case's own ReleaseDC below gives it back
        }
        EXPECT_EQ(c.lateRelease, ::ReleaseDC(c.window, dc));
    }
}
