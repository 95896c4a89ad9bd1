// GDI text in a real window under Wine: the Chinese faces the installer names draw
// real glyphs with the installed CJK font, and Latin faces keep their own font.

#include "GdiHandles.h"
#include "Win32Handles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr int kCell = 48;

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
    const UniqueBitmap bitmap(::CreateDIBSection(target, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const UniqueMemoryDc dc(::CreateCompatibleDC(target));
    LOGFONTW logFont = {};
    logFont.lfHeight = -32;
    logFont.lfWeight = FW_NORMAL;
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfQuality = NONANTIALIASED_QUALITY;
    wcsncpy(logFont.lfFaceName, face, LF_FACESIZE - 1);
    const UniqueFont font(::CreateFontIndirectW(&logFont));
    Glyph glyph;
    if (!bitmap || !dc || !font)
        return glyph;
    {
        const UniqueSelection selectBitmap = SelectInto(dc.Get(), bitmap.Get());
        const UniqueSelection selectFont = SelectInto(dc.Get(), font.Get());
        RECT cell = {0, 0, kCell, kCell};
        ::FillRect(dc.Get(), &cell, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        ::SetTextColor(dc.Get(), RGB(0, 0, 0));
        ::SetBkMode(dc.Get(), TRANSPARENT);
        ::DrawTextW(dc.Get(), text, -1, &cell, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        ::GdiFlush();
        wchar_t faceName[LF_FACESIZE] = {};
        ::GetTextFaceW(dc.Get(), LF_FACESIZE, faceName);
        glyph.face = faceName;
        // The window shows what was drawn, as the library's host windows do.
        ::BitBlt(target, 0, 0, kCell, kCell, dc.Get(), 0, 0, SRCCOPY);
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
        m_window.Reset(::CreateWindowExW(0, windowClass.lpszClassName, L"安装", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                         0, 0, 200, 120, nullptr, nullptr, windowClass.hInstance, nullptr));
        ASSERT_TRUE(m_window) << ::GetLastError();
        ::UpdateWindow(m_window.Get());
        m_dc = ::GetDC(m_window.Get());
        ASSERT_TRUE(m_dc);
    }

    void TearDown() override
    {
        if (m_dc)
            ::ReleaseDC(m_window.Get(), m_dc);
    }

    UniqueWindow m_window;
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
