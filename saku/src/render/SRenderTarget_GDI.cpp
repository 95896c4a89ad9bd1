#include "SRenderTarget_GDI.h"

#include "Dib32.h"
#include "SGdiAlphaBuffer.h"
#include "SRegion_GDI.h"
#include "core/Geometry.h"
#include "render/AlphaBackup.h"
#include "render/IRenderFactory.h"
#include "render/TileSpan.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cwchar>
#include <vector>

namespace SAKU {

namespace {

constexpr COLORREF kNoPixel = 0x00FFFFFF;

const wchar_t kDefaultFace[] = L"宋体";
constexpr LONG kDefaultFontHeight = 20;

// The point at `degrees` on the ellipse inscribed in the rect, y growing downwards,
// with the arithmetic of the module's arcs (single precision, truncation).
POINT ArcPoint(const RECT& rect, float degrees)
{
    const int cx = (rect.left + rect.right) / 2;
    const int cy = (rect.top + rect.bottom) / 2;
    const float radians = degrees * 3.1415925f / 180.0f;
    return {cx + int(std::cos(radians) * float(cx - rect.left)), cy + int(std::sin(radians) * float(cy - rect.top))};
}

// One direction of a nine-patch: destination and source ranges of the start margin,
// the middle and the end margin. A range that vanished is empty.
struct PatchSpan {
    int destFrom = 0, destTo = 0, srcFrom = 0, srcTo = 0;

    bool Empty() const { return destTo <= destFrom || srcTo <= srcFrom; }
};

// False when the margins do not fit the source. A destination narrower than both
// margins together shows only as much of the margins as fits.
bool SplitNinePatch(int d0, int d3, int s0, int s3, int first, int last, PatchSpan spans[3])
{
    const int s1 = s0 + first;
    const int s2 = s3 - last;
    if (s1 < s0 || s2 < s1 || s3 < s2)
        return false;
    const int size = d3 - d0;
    spans[0] = spans[1] = spans[2] = PatchSpan();
    if (size >= first + last) {
        spans[0] = {d0, d0 + first, s0, s1};
        spans[1] = {d0 + first, d3 - last, s1, s2};
        spans[2] = {d3 - last, d3, s2, s3};
    } else if (size <= first) {
        spans[0] = {d0, d3, s0, s0 + size};
    } else if (size <= last) {
        spans[2] = {d0, d3, s3 - size, s3};
    } else {
        spans[0] = {d0, d0 + first, s0, s1};
        spans[2] = {d0 + first, d3, s3 - (size - first), s3};
    }
    return true;
}

// Whether DrawIconEx blends the icon by its alpha: as Windows decides, a 32-bit
// colour bitmap with at least one alpha byte that is not 0. (Wine keeps every
// icon's colour in 32 bits, so the depth alone does not tell.)
bool IconHasAlpha(HBITMAP colour)
{
    BITMAP bitmap = {};
    if (!colour || !::GetObjectW(colour, sizeof(bitmap), &bitmap) || bitmap.bmBitsPixel != 32)
        return false;
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), bitmap.bmWidth, -bitmap.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<std::uint32_t> pixels(size_t(bitmap.bmWidth) * bitmap.bmHeight);
    const UniqueScreenDc screen(::GetDC(nullptr));
    if (!::GetDIBits(screen.Get(), colour, 0, UINT(bitmap.bmHeight), pixels.data(), &info, DIB_RGB_COLORS))
        return false;
    return std::any_of(pixels.begin(), pixels.end(), [](std::uint32_t pixel) { return pixel >> 24 != 0; });
}

// Brushes and pens the buffer's primitive uses instead of the current ones.
UniqueSelection SelectStock(HDC dc, int stockObject)
{
    return SelectInto(dc, ::GetStockObject(stockObject));
}

}  // namespace

SRenderTarget_GDI::SRenderTarget_GDI(IRenderFactory* factory, int width, int height) : m_factory(factory)
{
    m_dc.Reset(::CreateCompatibleDC(nullptr));
    m_sourceDc.Reset(::CreateCompatibleDC(nullptr));
    m_defPen = SAutoRef<SPen_GDI>::Adopt(new SPen_GDI(factory, PS_SOLID, 0xFF000000, 1));
    m_defBrush = SAutoRef<SBrush_GDI>::Adopt(new SBrush_GDI(factory, 0xFF000000));
    LOGFONTW logFont = {};
    logFont.lfHeight = kDefaultFontHeight;
    std::wcscpy(logFont.lfFaceName, kDefaultFace);
    m_defFont = SAutoRef<SFont_GDI>::Adopt(new SFont_GDI(factory, logFont));
    m_defBitmap = SAutoRef<SBitmap_GDI>::Adopt(new SBitmap_GDI(factory));
    const bool bitmapMade = SUCCEEDED(m_defBitmap->Init(width, height, nullptr));
    m_curBitmap = m_defBitmap;
    m_curPen = m_defPen;
    m_curBrush = m_defBrush;
    m_curFont = m_defFont;
    if (!m_dc || !m_sourceDc)
        return;
    const HDC dc = m_dc.Get();
    m_ownBitmap = UniqueSelection(GdiSelection{dc, ::GetCurrentObject(dc, OBJ_BITMAP)});
    m_ownPen = UniqueSelection(GdiSelection{dc, ::GetCurrentObject(dc, OBJ_PEN)});
    m_ownBrush = UniqueSelection(GdiSelection{dc, ::GetCurrentObject(dc, OBJ_BRUSH)});
    m_ownFont = UniqueSelection(GdiSelection{dc, ::GetCurrentObject(dc, OBJ_FONT)});
    ::SetBkMode(dc, TRANSPARENT);
    ::SetGraphicsMode(dc, GM_ADVANCED);
    ReapplyState();
    m_usable = bitmapMade;
}

// ---- Resources -------------------------------------------------------------------

HRESULT SRenderTarget_GDI::CreateCompatibleRenderTarget(SIZE size, IRenderTarget** target)
{
    if (!target)
        return E_POINTER;
    return m_factory && m_factory->CreateRenderTarget(target, size.cx, size.cy) && *target ? S_OK : E_OUTOFMEMORY;
}

HRESULT SRenderTarget_GDI::CreatePen(int style, COLORREF colour, int width, IPen** pen)
{
    if (!pen)
        return E_POINTER;
    *pen = new SPen_GDI(m_factory.Get(), style, colour, width);
    return S_OK;
}

HRESULT SRenderTarget_GDI::CreateSolidColorBrush(COLORREF colour, IBrush** brush)
{
    if (!brush)
        return E_POINTER;
    *brush = new SBrush_GDI(m_factory.Get(), colour);
    return S_OK;
}

HRESULT SRenderTarget_GDI::CreateBitmapBrush(IBitmap* bitmap, IBrush** brush)
{
    if (!brush || !bitmap)
        return E_INVALIDARG;
    *brush = new SBrush_GDI(m_factory.Get(), *bitmap);
    return S_OK;
}

HRESULT SRenderTarget_GDI::CreateRegion(IRegion** region)
{
    if (!region)
        return E_POINTER;
    auto made = SAutoRef<SRegion_GDI>::Adopt(new SRegion_GDI(m_factory.Get()));
    if (!made->GetRegion()) {
        *region = nullptr;
        return E_OUTOFMEMORY;
    }
    *region = made.Detach();
    return S_OK;
}

HRESULT SRenderTarget_GDI::Resize(SIZE size)
{
    if (!m_dc)
        return E_UNEXPECTED;
    // GDI cannot delete a bitmap that is still selected.
    SelectHandle(kRenderObjBitmap, nullptr);
    const HRESULT result = m_curBitmap->Init(size.cx, size.cy, nullptr);
    SelectHandle(kRenderObjBitmap, m_curBitmap->GetBitmap());
    m_usable = SUCCEEDED(result);
    return result;
}

// ---- Origin and clip ---------------------------------------------------------------

HRESULT SRenderTarget_GDI::OffsetViewportOrg(int dx, int dy, POINT* oldOrigin)
{
    if (oldOrigin)
        *oldOrigin = m_origin;
    return SetViewportOrg({m_origin.x + dx, m_origin.y + dy});
}

HRESULT SRenderTarget_GDI::GetViewportOrg(POINT* origin)
{
    if (!origin)
        return E_POINTER;
    *origin = m_origin;
    return S_OK;
}

HRESULT SRenderTarget_GDI::SetViewportOrg(POINT origin)
{
    m_origin = origin;
    ::SetViewportOrgEx(m_dc.Get(), origin.x, origin.y, nullptr);
    return S_OK;
}

HRESULT SRenderTarget_GDI::PushClipRect(const RECT* rect, UINT mode)
{
    if (!rect)
        return E_INVALIDARG;
    ::SaveDC(m_dc.Get());
    RECT device = *rect;
    ::OffsetRect(&device, m_origin.x, m_origin.y);
    const UniqueRegion region(::CreateRectRgnIndirect(&device));
    ::ExtSelectClipRgn(m_dc.Get(), region.Get(), int(mode));
    return S_OK;
}

HRESULT SRenderTarget_GDI::PushClipRegion(IRegion* region, UINT mode)
{
    auto* const shape = SObjCast<SRegion_GDI>(region);
    if (!shape)
        return E_INVALIDARG;
    ::SaveDC(m_dc.Get());
    const UniqueRegion device(::CreateRectRgn(0, 0, 0, 0));
    ::CombineRgn(device.Get(), shape->GetRegion(), nullptr, RGN_COPY);
    ::OffsetRgn(device.Get(), m_origin.x, m_origin.y);
    ::ExtSelectClipRgn(m_dc.Get(), device.Get(), int(mode));
    return S_OK;
}

HRESULT SRenderTarget_GDI::PopClip()
{
    ::RestoreDC(m_dc.Get(), -1);
    ReapplyState();
    return S_OK;
}

HRESULT SRenderTarget_GDI::ExcludeClipRect(const RECT* rect)
{
    if (!rect)
        return E_INVALIDARG;
    ::ExcludeClipRect(m_dc.Get(), rect->left, rect->top, rect->right, rect->bottom);
    return S_OK;
}

HRESULT SRenderTarget_GDI::IntersectClipRect(const RECT* rect)
{
    if (!rect)
        return E_INVALIDARG;
    ::IntersectClipRect(m_dc.Get(), rect->left, rect->top, rect->right, rect->bottom);
    return S_OK;
}

HRESULT SRenderTarget_GDI::SaveClip(int* cookie)
{
    const int level = ::SaveDC(m_dc.Get());
    if (cookie)
        *cookie = level;
    return S_OK;
}

HRESULT SRenderTarget_GDI::RestoreClip(int cookie)
{
    ::RestoreDC(m_dc.Get(), cookie);
    ReapplyState();
    return S_OK;
}

HRESULT SRenderTarget_GDI::GetClipRegion(IRegion** region)
{
    if (!region)
        return E_POINTER;
    auto made = SAutoRef<SRegion_GDI>::Adopt(new SRegion_GDI(m_factory.Get()));
    ::GetClipRgn(m_dc.Get(), made->GetRegion());
    made->Offset(-m_origin.x, -m_origin.y);
    *region = made.Detach();
    return S_OK;
}

HRESULT SRenderTarget_GDI::GetClipBox(RECT* box)
{
    if (!box)
        return E_POINTER;
    ::GetClipBox(m_dc.Get(), box);
    return S_OK;
}

// ---- Text ------------------------------------------------------------------------

HRESULT SRenderTarget_GDI::DrawText(LPCWSTR text, int length, RECT* rect, UINT format)
{
    if (!rect)
        return E_INVALIDARG;
    if (format & DT_CALCRECT) {
        // Measuring writes no pixel, so it runs on the target itself.
        if (!text || !::DrawTextW(m_dc.Get(), text, length, rect, format)) {
            rect->right = rect->left;
            rect->bottom = rect->top;
        }
        return S_OK;
    }
    if (!text || length == 0)
        return S_OK;
    ThroughBuffer(*rect, TextAlpha(), true, [&](HDC dc) {
        RECT box = *rect;
        ::DrawTextW(dc, text, length, &box, format);
    });
    return S_OK;
}

HRESULT SRenderTarget_GDI::MeasureText(LPCWSTR text, int length, SIZE* size)
{
    if (!text || !size)
        return E_INVALIDARG;
    if (length < 0)
        length = int(std::wcslen(text));
    if (!::GetTextExtentPoint32W(m_dc.Get(), text, length, size))
        *size = {};
    return S_OK;
}

HRESULT SRenderTarget_GDI::TextOut(int x, int y, LPCWSTR text, int length)
{
    SIZE size = {};
    const HRESULT result = MeasureText(text, length, &size);
    if (FAILED(result))
        return result;
    RECT rect = {x, y, x + size.cx, y + size.cy};
    return DrawText(text, length, &rect, DT_SINGLELINE);
}

// ---- Shapes ----------------------------------------------------------------------

// The primitive draws in a buffer over `rect`, which then goes onto the target
// with the alpha; nothing at alpha 0.
template <typename Draw>
void SRenderTarget_GDI::ThroughBuffer(const RECT& rect, BYTE alpha, bool copyBackground, Draw draw)
{
    if (alpha == 0 || !m_usable)
        return;
    SGdiAlphaBuffer buffer(m_dc.Get(), m_scratch, rect, alpha, copyBackground);
    if (!buffer)
        return;
    draw(buffer.Dc());
    buffer.Compose();
}

// GDI centres wide pens on a shape's edge, so half the width falls outside it.
RECT SRenderTarget_GDI::OutlineBounds(const RECT& rect) const
{
    RECT bounds = rect;
    const int width = m_curPen->GetWidth();
    if (width > 1)
        ::InflateRect(&bounds, width / 2 + 1, width / 2 + 1);
    return bounds;
}

HRESULT SRenderTarget_GDI::DrawRectangle(const RECT* rect)
{
    if (!rect)
        return E_INVALIDARG;
    // The outline keeps the alpha of the pixels beneath it.
    AlphaBackup backup;
    BackupAlpha(m_dc.Get(), OutlineBounds(*rect), backup);
    {
        const UniqueSelection noBrush = SelectStock(m_dc.Get(), NULL_BRUSH);
        ::Rectangle(m_dc.Get(), rect->left, rect->top, rect->right, rect->bottom);
    }
    RestoreAlpha(backup);
    return S_OK;
}

HRESULT SRenderTarget_GDI::FillRectangle(const RECT* rect)
{
    if (!rect)
        return E_INVALIDARG;
    ThroughBuffer(*rect, m_curBrush->GetAlpha(), false, [&](HDC dc) {
        const UniqueSelection noPen = SelectStock(dc, NULL_PEN);
        // Without a pen GDI leaves out the last column and row; the fill covers the rect.
        ::Rectangle(dc, rect->left, rect->top, rect->right + 1, rect->bottom + 1);
    });
    return S_OK;
}

HRESULT SRenderTarget_GDI::FillSolidRect(const RECT* rect, COLORREF colour)
{
    if (!rect)
        return E_INVALIDARG;
    ThroughBuffer(*rect, BYTE(colour >> 24), false, [&](HDC dc) {
        const UniqueBrush brush(::CreateSolidBrush(colour & 0x00FFFFFF));
        ::FillRect(dc, rect, brush.Get());
    });
    return S_OK;
}

HRESULT SRenderTarget_GDI::DrawRoundRect(const RECT* rect, POINT radius)
{
    if (!rect)
        return E_INVALIDARG;
    ThroughBuffer(OutlineBounds(*rect), PenAlpha(), true, [&](HDC dc) {
        const UniqueSelection noBrush = SelectStock(dc, NULL_BRUSH);
        ::RoundRect(dc, rect->left, rect->top, rect->right, rect->bottom, radius.x * 2, radius.y * 2);
    });
    return S_OK;
}

HRESULT SRenderTarget_GDI::FillRoundRect(const RECT* rect, POINT corner)
{
    if (!rect)
        return E_INVALIDARG;
    ThroughBuffer(*rect, m_curBrush->GetAlpha(), true, [&](HDC dc) {
        const UniqueSelection noPen = SelectStock(dc, NULL_PEN);
        ::RoundRect(dc, rect->left, rect->top, rect->right, rect->bottom, corner.x, corner.y);
    });
    return S_OK;
}

HRESULT SRenderTarget_GDI::FillSolidRoundRect(const RECT* rect, POINT corner, COLORREF colour)
{
    if (!rect)
        return E_INVALIDARG;
    ThroughBuffer(OutlineBounds(*rect), BYTE(colour >> 24), false, [&](HDC dc) {
        const UniqueBrush brush(::CreateSolidBrush(colour & 0x00FFFFFF));
        const UniqueSelection selectBrush = SelectInto(dc, brush.Get());
        ::RoundRect(dc, rect->left, rect->top, rect->right, rect->bottom, corner.x, corner.y);
    });
    return S_OK;
}

HRESULT SRenderTarget_GDI::ClearRect(const RECT* rect, COLORREF colour)
{
    if (!rect)
        return E_INVALIDARG;
    RECT clip;
    RECT area;
    if (!m_usable || ::GetClipBox(m_dc.Get(), &clip) == ERROR || !::IntersectRect(&area, rect, &clip))
        return S_OK;
    const int width = Width(area);
    const int height = Height(area);
    if (!m_scratch.Reserve(width, height))
        return E_OUTOFMEMORY;
    // Stored pixels are premultiplied, whatever the colour word says.
    const std::uint32_t pixel = PremultipliedPixel(colour);
    ::GdiFlush();
    for (int y = 0; y < height; ++y)
        std::fill_n(m_scratch.Row(y), width, pixel);
    ::SetViewportOrgEx(m_scratch.Dc(), 0, 0, nullptr);
    ::BitBlt(m_dc.Get(), area.left, area.top, width, height, m_scratch.Dc(), 0, 0, SRCCOPY);
    return S_OK;
}

HRESULT SRenderTarget_GDI::InvertRect(const RECT* rect)
{
    return rect && ::InvertRect(m_dc.Get(), rect) ? S_OK : E_UNEXPECTED;
}

HRESULT SRenderTarget_GDI::DrawEllipse(const RECT* rect)
{
    if (!rect)
        return E_INVALIDARG;
    ThroughBuffer(OutlineBounds(*rect), PenAlpha(), true,
                  [&](HDC dc) { ::Ellipse(dc, rect->left, rect->top, rect->right, rect->bottom); });
    return S_OK;
}

HRESULT SRenderTarget_GDI::FillEllipse(const RECT* rect)
{
    if (!rect)
        return E_INVALIDARG;
    ThroughBuffer(OutlineBounds(*rect), m_curBrush->GetAlpha(), true,
                  [&](HDC dc) { ::Ellipse(dc, rect->left, rect->top, rect->right, rect->bottom); });
    return S_OK;
}

HRESULT SRenderTarget_GDI::FillSolidEllipse(const RECT* rect, COLORREF colour)
{
    if (!rect)
        return E_INVALIDARG;
    ThroughBuffer(OutlineBounds(*rect), BYTE(colour >> 24), false, [&](HDC dc) {
        const UniqueBrush brush(::CreateSolidBrush(colour & 0x00FFFFFF));
        const UniqueSelection selectBrush = SelectInto(dc, brush.Get());
        ::Ellipse(dc, rect->left, rect->top, rect->right, rect->bottom);
    });
    return S_OK;
}

// GDI goes counter-clockwise (on screen) from its first point to its second, so the
// end of the sweep comes first.
HRESULT SRenderTarget_GDI::DrawArc(const RECT* rect, float startAngle, float sweepAngle, BOOL useCenter)
{
    if (!rect)
        return E_INVALIDARG;
    const POINT from = ArcPoint(*rect, startAngle + sweepAngle);
    const POINT to = ArcPoint(*rect, startAngle);
    ThroughBuffer(OutlineBounds(*rect), PenAlpha(), true, [&](HDC dc) {
        const UniqueSelection noBrush = SelectStock(dc, NULL_BRUSH);
        if (useCenter)
            ::Pie(dc, rect->left, rect->top, rect->right, rect->bottom, from.x, from.y, to.x, to.y);
        else
            ::Arc(dc, rect->left, rect->top, rect->right, rect->bottom, from.x, from.y, to.x, to.y);
    });
    return S_OK;
}

HRESULT SRenderTarget_GDI::FillArc(const RECT* rect, float startAngle, float sweepAngle)
{
    if (!rect)
        return E_INVALIDARG;
    const POINT from = ArcPoint(*rect, startAngle + sweepAngle);
    const POINT to = ArcPoint(*rect, startAngle);
    ThroughBuffer(*rect, m_curBrush->GetAlpha(), true, [&](HDC dc) {
        const UniqueSelection noPen = SelectStock(dc, NULL_PEN);
        ::Pie(dc, rect->left, rect->top, rect->right, rect->bottom, from.x, from.y, to.x, to.y);
    });
    return S_OK;
}

HRESULT SRenderTarget_GDI::DrawLines(const POINT* points, size_t count)
{
    if (!points || count < 2)
        return points ? S_OK : E_INVALIDARG;
    RECT bounds = {points[0].x, points[0].y, points[0].x, points[0].y};
    for (size_t i = 1; i < count; ++i) {
        bounds.left = std::min(bounds.left, points[i].x);
        bounds.top = std::min(bounds.top, points[i].y);
        bounds.right = std::max(bounds.right, points[i].x);
        bounds.bottom = std::max(bounds.bottom, points[i].y);
    }
    // The points' box holds no pixel of a straight line along it; the line's last
    // column and row lie on its right and bottom edges.
    ++bounds.right;
    ++bounds.bottom;
    ThroughBuffer(OutlineBounds(bounds), PenAlpha(), true,
                  [&](HDC dc) { ::Polyline(dc, points, int(std::min<size_t>(count, INT_MAX))); });
    return S_OK;
}

HRESULT SRenderTarget_GDI::GradientFill(const RECT* rect, BOOL vertical, COLORREF from, COLORREF to, BYTE alpha)
{
    if (!rect)
        return E_INVALIDARG;
    // GDI writes the vertices' alpha into the pixels. Drawn straight, that is opaque;
    // in a buffer it must be 0, the mark of a drawn pixel.
    const COLOR16 vertexAlpha = alpha == 0xFF ? 0xFF00 : 0;
    TRIVERTEX vertices[2] = {
        {rect->left, rect->top, COLOR16(GetRValue(from) << 8), COLOR16(GetGValue(from) << 8),
         COLOR16(GetBValue(from) << 8), vertexAlpha},
        {rect->right, rect->bottom, COLOR16(GetRValue(to) << 8), COLOR16(GetGValue(to) << 8),
         COLOR16(GetBValue(to) << 8), vertexAlpha},
    };
    GRADIENT_RECT corners = {0, 1};
    const ULONG mode = vertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H;
    if (alpha == 0xFF) {
        if (m_usable)
            ::GdiGradientFill(m_dc.Get(), vertices, 2, &corners, 1, mode);
        return S_OK;
    }
    ThroughBuffer(*rect, alpha, false, [&](HDC dc) { ::GdiGradientFill(dc, vertices, 2, &corners, 1, mode); });
    return S_OK;
}

HRESULT SRenderTarget_GDI::DrawIconEx(int x, int y, HICON icon, int cx, int cy, UINT flags)
{
    ICONINFO info = {};
    if (!icon || !::GetIconInfo(icon, &info))
        return S_FALSE;
    const UniqueBitmap colour(info.hbmColor);
    const UniqueBitmap mask(info.hbmMask);
    // An icon with an alpha channel blends as AlphaBlend does; one without clears
    // the alpha of its whole cell, so that alpha is kept aside.
    AlphaBackup backup;
    if (!IconHasAlpha(colour.Get())) {
        BITMAP bitmap = {};
        ::GetObjectW(colour ? colour.Get() : mask.Get(), sizeof(bitmap), &bitmap);
        const int width = cx ? cx : bitmap.bmWidth;
        const int height = cy ? cy : (colour ? bitmap.bmHeight : bitmap.bmHeight / 2);   // a mono mask holds two
        BackupAlpha(m_dc.Get(), {x, y, x + width, y + height}, backup);
    }
    const BOOL drawn = ::DrawIconEx(m_dc.Get(), x, y, icon, cx, cy, 0, nullptr, flags);
    RestoreAlpha(backup);
    return drawn ? S_OK : S_FALSE;
}

// ---- Bitmaps ---------------------------------------------------------------------

UniqueSelection SRenderTarget_GDI::SelectSource(SBitmap_GDI* bitmap)
{
    return bitmap->GetBitmap() ? SelectInto(m_sourceDc.Get(), bitmap->GetBitmap()) : UniqueSelection();
}

HRESULT SRenderTarget_GDI::Blend(const RECT& dest, const RECT& src, BYTE alpha)
{
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
    return ::GdiAlphaBlend(m_dc.Get(), dest.left, dest.top, Width(dest), Height(dest), m_sourceDc.Get(),
                           src.left, src.top, Width(src), Height(src), blend)
               ? S_OK
               : E_FAIL;
}

// Natural size from the source's top-left, no more than both the destination and
// the source rectangle hold, so that a skin's neighbouring states never show.
HRESULT SRenderTarget_GDI::DrawNatural(const RECT& dest, SIZE bitmap, RECT src, BYTE alpha)
{
    RECT to = dest;
    if (src.left < 0) {
        to.left -= src.left;
        src.left = 0;
    }
    if (src.top < 0) {
        to.top -= src.top;
        src.top = 0;
    }
    src.right = std::min(src.right, bitmap.cx);
    src.bottom = std::min(src.bottom, bitmap.cy);
    const int width = std::min(Width(src), Width(to));
    const int height = std::min(Height(src), Height(to));
    if (width <= 0 || height <= 0)
        return S_FALSE;
    return Blend({to.left, to.top, to.left + width, to.top + height},
                 {src.left, src.top, src.left + width, src.top + height}, alpha);
}

HRESULT SRenderTarget_GDI::DrawTiled(const RECT& dest, const RECT& src, BYTE alpha)
{
    const int width = Width(src);
    const int height = Height(src);
    if (width <= 0 || height <= 0)
        return E_INVALIDARG;                           // would never reach the far edge
    const UniqueSavedDc saved = SaveDcState(m_dc.Get());
    ::IntersectClipRect(m_dc.Get(), dest.left, dest.top, dest.right, dest.bottom);
    // Only the tiles that meet the clip box are blitted: the destination may be far
    // larger than anything that can show (a layout's marker size).
    RECT visible = dest;
    if (::GetClipBox(m_dc.Get(), &visible) == NULLREGION)
        return S_OK;
    const TileSpan columns = VisibleTiles(dest.left, dest.right, width, visible.left, visible.right);
    const TileSpan rows = VisibleTiles(dest.top, dest.bottom, height, visible.top, visible.bottom);
    for (LONG row = 0; row < rows.count; ++row) {
        const LONG y = rows.first + row * height;
        for (LONG column = 0; column < columns.count; ++column) {
            const LONG x = columns.first + column * width;
            Blend({x, y, x + width, y + height}, src, alpha);
        }
    }
    return S_OK;
}

HRESULT SRenderTarget_GDI::DrawSelected(const RECT& dest, SIZE bitmap, const RECT& src, UINT expandMode, BYTE alpha)
{
    switch (LOWORD(expandMode)) {
    case kExpandNatural:
        return DrawNatural(dest, bitmap, src, alpha);
    case kExpandStretch:
        Blend(dest, src, alpha);
        return S_OK;
    default:
        return DrawTiled(dest, src, alpha);
    }
}

HRESULT SRenderTarget_GDI::DrawBitmap(const RECT* dest, IBitmap* bitmap, int srcX, int srcY, BYTE alpha)
{
    auto* const source = SObjCast<SBitmap_GDI>(bitmap);
    if (!dest || !source)
        return E_INVALIDARG;
    const UniqueSelection selected = SelectSource(source);
    if (!selected)
        return E_FAIL;
    return DrawNatural(*dest, source->Size(), {srcX, srcY, source->Width(), source->Height()}, alpha);
}

HRESULT SRenderTarget_GDI::DrawBitmapEx(const RECT* dest, IBitmap* bitmap, const RECT* src, UINT expandMode,
                                        BYTE alpha)
{
    auto* const source = SObjCast<SBitmap_GDI>(bitmap);
    if (!dest || !source)
        return E_INVALIDARG;
    const RECT whole = {0, 0, source->Width(), source->Height()};
    const UniqueSelection selected = SelectSource(source);
    if (!selected)
        return E_FAIL;
    return DrawSelected(*dest, source->Size(), src ? *src : whole, expandMode, alpha);
}

HRESULT SRenderTarget_GDI::DrawBitmap9Patch(const RECT* dest, IBitmap* bitmap, const RECT* src, const RECT* margins,
                                            UINT expandMode, BYTE alpha)
{
    auto* const source = SObjCast<SBitmap_GDI>(bitmap);
    if (!dest || !source || !src || !margins)
        return E_INVALIDARG;
    if (::IsRectEmpty(src))
        return S_FALSE;
    PatchSpan columns[3];
    PatchSpan rows[3];
    if (!SplitNinePatch(dest->left, dest->right, src->left, src->right, margins->left, margins->right, columns) ||
        !SplitNinePatch(dest->top, dest->bottom, src->top, src->bottom, margins->top, margins->bottom, rows))
        return S_FALSE;
    const UniqueSelection selected = SelectSource(source);
    if (!selected)
        return E_FAIL;
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const PatchSpan& across = columns[column];
            const PatchSpan& down = rows[row];
            if (across.Empty() || down.Empty())
                continue;
            const RECT to = {across.destFrom, down.destFrom, across.destTo, down.destTo};
            const RECT from = {across.srcFrom, down.srcFrom, across.srcTo, down.srcTo};
            const bool corner = row != 1 && column != 1;
            DrawSelected(to, source->Size(), from, corner ? kExpandNatural : expandMode, alpha);
        }
    }
    return S_OK;
}

HRESULT SRenderTarget_GDI::BitBlt(const RECT* dest, IRenderTarget* source, int srcX, int srcY, DWORD rop)
{
    if (!dest || !source)
        return E_INVALIDARG;
    // Only a plain copy brings the source's alpha along; other operations would
    // clear it, so the destination's is kept.
    AlphaBackup backup;
    if (rop != SRCCOPY)
        BackupAlpha(m_dc.Get(), *dest, backup);
    ::BitBlt(m_dc.Get(), dest->left, dest->top, Width(*dest), Height(*dest), source->GetDC(0), srcX, srcY,
             rop);
    RestoreAlpha(backup);
    return S_OK;
}

HRESULT SRenderTarget_GDI::AlphaBlend(const RECT* dest, IRenderTarget* source, const RECT* src, BYTE alpha)
{
    if (!dest || !source || !src)
        return E_INVALIDARG;
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
    return ::GdiAlphaBlend(m_dc.Get(), dest->left, dest->top, Width(*dest), Height(*dest), source->GetDC(0),
                           src->left, src->top, Width(*src), Height(*src), blend)
               ? S_OK
               : E_FAIL;
}

// ---- Current objects -------------------------------------------------------------

IRenderObj* SRenderTarget_GDI::GetCurrentObject(int kind)
{
    switch (kind) {
    case kRenderObjPen:
        return m_curPen.Get();
    case kRenderObjBrush:
        return m_curBrush.Get();
    case kRenderObjBitmap:
        return m_curBitmap.Get();
    case kRenderObjFont:
        return m_curFont.Get();
    default:
        return nullptr;
    }
}

HRESULT SRenderTarget_GDI::SelectDefaultObject(int kind, IRenderObj** old)
{
    IRenderObj* const current = GetCurrentObject(kind);
    IRenderObj* defaults = nullptr;
    switch (kind) {
    case kRenderObjPen:
        defaults = m_defPen.Get();
        break;
    case kRenderObjBrush:
        defaults = m_defBrush.Get();
        break;
    case kRenderObjBitmap:
        defaults = m_defBitmap.Get();
        break;
    case kRenderObjFont:
        defaults = m_defFont.Get();
        break;
    default:
        return E_INVALIDARG;
    }
    if (current == defaults) {
        if (old)
            *old = nullptr;
        return S_FALSE;
    }
    return SelectObject(defaults, old);
}

template <typename T>
void SRenderTarget_GDI::Replace(SAutoRef<T>& current, T* object, IRenderObj** old)
{
    if (old) {
        *old = current.Get();
        (*old)->AddRef();
    }
    current = object;
}

HRESULT SRenderTarget_GDI::SelectObject(IRenderObj* object, IRenderObj** old)
{
    if (old)
        *old = nullptr;
    if (!object)
        return E_INVALIDARG;
    // The new handle goes into the DC before the old object may die with its reference.
    if (auto* pen = SObjCast<SPen_GDI>(object)) {
        SelectHandle(kRenderObjPen, pen->GetPen());
        Replace(m_curPen, pen, old);
    } else if (auto* brush = SObjCast<SBrush_GDI>(object)) {
        SelectHandle(kRenderObjBrush, brush->GetBrush());
        Replace(m_curBrush, brush, old);
    } else if (auto* font = SObjCast<SFont_GDI>(object)) {
        SelectHandle(kRenderObjFont, font->GetFont());
        Replace(m_curFont, font, old);
    } else if (auto* bitmap = SObjCast<SBitmap_GDI>(object)) {
        SelectHandle(kRenderObjBitmap, bitmap->GetBitmap());
        Replace(m_curBitmap, bitmap, old);
    } else {
        return E_INVALIDARG;
    }
    return S_OK;
}

// An object without a handle, or one GDI refuses (a bitmap selected elsewhere),
// leaves the DC's own object of the kind selected, never one the target may free.
void SRenderTarget_GDI::SelectHandle(int kind, HGDIOBJ handle)
{
    const HDC dc = m_dc.Get();
    if (!dc)
        return;
    const UniqueSelection* own = kind == kRenderObjPen     ? &m_ownPen
                                 : kind == kRenderObjBrush ? &m_ownBrush
                                 : kind == kRenderObjFont  ? &m_ownFont
                                                           : &m_ownBitmap;
    const HGDIOBJ previous = handle ? ::SelectObject(dc, handle) : nullptr;
    if (!previous || previous == HGDI_ERROR)
        ::SelectObject(dc, own->Get().previous);
}

// RestoreDC brings back the selections, origin and text colour of its SaveDC; the
// target's own state is what counts, so it goes into the DC again.
void SRenderTarget_GDI::ReapplyState()
{
    SelectHandle(kRenderObjBitmap, m_curBitmap->GetBitmap());
    SelectHandle(kRenderObjPen, m_curPen->GetPen());
    SelectHandle(kRenderObjBrush, m_curBrush->GetBrush());
    SelectHandle(kRenderObjFont, m_curFont->GetFont());
    ::SetViewportOrgEx(m_dc.Get(), m_origin.x, m_origin.y, nullptr);
    ::SetTextColor(m_dc.Get(), m_textColour & 0x00FFFFFF);
}

COLORREF SRenderTarget_GDI::SetTextColor(COLORREF colour)
{
    const COLORREF old = m_textColour;
    m_textColour = colour;
    ::SetTextColor(m_dc.Get(), colour & 0x00FFFFFF);
    return old;
}

HRESULT SRenderTarget_GDI::SetTransform(const XFORM* matrix, XFORM* old)
{
    if (!matrix)
        return E_INVALIDARG;
    if (old && !::GetWorldTransform(m_dc.Get(), old))
        return E_FAIL;
    return ::SetWorldTransform(m_dc.Get(), matrix) ? S_OK : E_FAIL;
}

HRESULT SRenderTarget_GDI::GetTransform(XFORM* matrix) const
{
    return matrix && ::GetWorldTransform(m_dc.Get(), matrix) ? S_OK : E_FAIL;
}

// ---- Pixels ----------------------------------------------------------------------

DWORD* SRenderTarget_GDI::PixelAt(int x, int y)
{
    auto* const bits = static_cast<DWORD*>(m_curBitmap->LockPixelBits());
    x += m_origin.x;
    y += m_origin.y;
    if (!bits || x < 0 || y < 0 || x >= m_curBitmap->Width() || y >= m_curBitmap->Height())
        return nullptr;
    ::GdiFlush();
    return bits + size_t(y) * m_curBitmap->Width() + x;
}

COLORREF SRenderTarget_GDI::GetPixel(int x, int y)
{
    const DWORD* const pixel = PixelAt(x, y);
    return pixel ? *pixel : kNoPixel;
}

COLORREF SRenderTarget_GDI::SetPixel(int x, int y, COLORREF value)
{
    DWORD* const pixel = PixelAt(x, y);
    if (!pixel)
        return kNoPixel;
    const COLORREF old = *pixel;
    *pixel = value;
    return old;
}

}  // namespace SAKU
