// GDI text in a real window under Wine: the Chinese faces the installer names draw
// real glyphs with the installed CJK font, and Latin faces keep their own font.

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace {

constexpr int kCell = 48;

template <auto Fn>
struct Deleter {
    template <typename T>
    void operator()(T handle) const { Fn(handle); }
};
template <typename H, auto Fn>
using Owned = std::unique_ptr<std::remove_pointer_t<H>, Deleter<Fn>>;

using OwnedDc = Owned<HDC, ::DeleteDC>;
using OwnedObject = Owned<HGDIOBJ, ::DeleteObject>;
using OwnedWindow = Owned<HWND, ::DestroyWindow>;

// Undoes a SelectObject before the objects die: GDI won't delete a selected object.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : m_dc(dc), m_old(::SelectObject(dc, object)) {}
    ~ScopedSelect() { ::SelectObject(m_dc, m_old); }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

// One glyph drawn black on white into a 32-bit top-down DIB section of its own.
struct Glyph {
    std::vector<DWORD> pixels;
    std::wstring face;   // the face GDI reports for the selected font

    int Ink() const
    {
        int count = 0;
        for (DWORD pixel : pixels)
            count += (pixel & 0xFFFFFF) != 0xFFFFFF;
        return count;
    }
};

Glyph DrawGlyph(HDC target, const wchar_t* face, const wchar_t* text)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = kCell;
    info.bmiHeader.biHeight = -kCell;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const OwnedObject bitmap(::CreateDIBSection(target, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const OwnedDc dc(::CreateCompatibleDC(target));
    LOGFONTW logFont = {};
    logFont.lfHeight = -32;
    logFont.lfWeight = FW_NORMAL;
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfQuality = NONANTIALIASED_QUALITY;
    wcsncpy(logFont.lfFaceName, face, LF_FACESIZE - 1);
    const OwnedObject font(::CreateFontIndirectW(&logFont));
    Glyph glyph;
    if (!bitmap || !dc || !font)
        return glyph;
    {
        const ScopedSelect selectBitmap(dc.get(), bitmap.get());
        const ScopedSelect selectFont(dc.get(), font.get());
        RECT cell = {0, 0, kCell, kCell};
        ::FillRect(dc.get(), &cell, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        ::SetTextColor(dc.get(), RGB(0, 0, 0));
        ::SetBkMode(dc.get(), TRANSPARENT);
        ::DrawTextW(dc.get(), text, -1, &cell, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        ::GdiFlush();
        wchar_t faceName[LF_FACESIZE] = {};
        ::GetTextFaceW(dc.get(), LF_FACESIZE, faceName);
        glyph.face = faceName;
        // The window shows what was drawn, as the library's host windows do.
        ::BitBlt(target, 0, 0, kCell, kCell, dc.get(), 0, 0, SRCCOPY);
    }
    const auto* first = static_cast<const DWORD*>(bits);
    glyph.pixels.assign(first, first + kCell * kCell);
    return glyph;
}

class GdiTextWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = ::DefWindowProcW;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"TivalaGdiTextTest";
        ::RegisterClassW(&windowClass);
        m_window.reset(::CreateWindowExW(0, windowClass.lpszClassName, L"安装", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                         0, 0, 200, 120, nullptr, nullptr, windowClass.hInstance, nullptr));
        ASSERT_TRUE(m_window) << ::GetLastError();
        ::UpdateWindow(m_window.get());
        m_dc = ::GetDC(m_window.get());
        ASSERT_TRUE(m_dc);
    }

    void TearDown() override
    {
        if (m_dc)
            ::ReleaseDC(m_window.get(), m_dc);
    }

    OwnedWindow m_window;
    HDC m_dc = nullptr;
};

}  // namespace

TEST_F(GdiTextWindow, ChineseFacesDrawDistinctGlyphs)
{
    for (const wchar_t* face : {L"宋体", L"SimSun", L"微软雅黑", L"Microsoft YaHei"}) {
        SCOPED_TRACE(testing::Message() << "face #" << std::wstring(face).size());
        const Glyph an = DrawGlyph(m_dc, face, L"安");
        const Glyph zhuang = DrawGlyph(m_dc, face, L"装");
        ASSERT_EQ(size_t(kCell * kCell), an.pixels.size());
        EXPECT_GT(an.Ink(), 30);
        EXPECT_GT(zhuang.Ink(), 30);
        // A missing glyph draws the same box for both characters.
        EXPECT_NE(an.pixels, zhuang.pixels);
    }
}

TEST_F(GdiTextWindow, LatinFaceKeepsItsOwnFont)
{
    const Glyph tahoma = DrawGlyph(m_dc, L"Tahoma", L"Ag");
    const Glyph cjk = DrawGlyph(m_dc, L"宋体", L"Ag");
    EXPECT_EQ(L"Tahoma", tahoma.face);
    EXPECT_GT(tahoma.Ink(), 30);
    EXPECT_NE(tahoma.pixels, cjk.pixels);
}
