#pragma once

#include "render/IRenderObj.h"

namespace SAKU {

struct IBitmap;
struct IBrush;
struct IPen;
struct IRegion;

// Expand modes of bitmap drawing: the low word says how a source fills a larger
// destination; the high word carries a filter level for modules that smooth.
constexpr UINT kExpandNatural = 0;
constexpr UINT kExpandStretch = 1;
constexpr UINT kExpandTile = 2;                 // any other low word tiles as well

// A surface to paint on: a 32-bit bitmap of premultiplied BGRA pixels with a
// current pen, brush, font and bitmap, a text colour, a viewport origin and a stack
// of clips. Every primitive keeps the alpha of the pixels correct, so that a
// translucent window can show the bitmap as it is. Colours are words 0xAABBGGRR;
// coordinates are logical, moved by the viewport origin. Results are S_OK unless
// said. Made by IRenderFactory::CreateRenderTarget; reference counted, born with
// one reference for its caller (a host's or a window's cache keeps it) and holding
// one of its factory. UI thread.
struct IRenderTarget : IObjRef {
    virtual HRESULT CreateCompatibleRenderTarget(SIZE size, IRenderTarget** target) = 0;
    virtual HRESULT CreatePen(int style, COLORREF colour, int width, IPen** pen) = 0;
    virtual HRESULT CreateSolidColorBrush(COLORREF colour, IBrush** brush) = 0;
    virtual HRESULT CreateBitmapBrush(IBitmap* bitmap, IBrush** brush) = 0;
    virtual HRESULT CreateRegion(IRegion** region) = 0;
    // The current bitmap is made again at the size, zeroed.
    virtual HRESULT Resize(SIZE size) = 0;

    virtual HRESULT OffsetViewportOrg(int dx, int dy, POINT* oldOrigin = nullptr) = 0;
    virtual HRESULT GetViewportOrg(POINT* origin) = 0;
    virtual HRESULT SetViewportOrg(POINT origin) = 0;

    // Clips: each push saves the state and combines the shape (RGN_ mode) into the
    // clip; PopClip goes back one push. SaveClip/RestoreClip go back any depth.
    virtual HRESULT PushClipRect(const RECT* rect, UINT mode = RGN_AND) = 0;
    virtual HRESULT PushClipRegion(IRegion* region, UINT mode = RGN_AND) = 0;
    virtual HRESULT PopClip() = 0;
    virtual HRESULT ExcludeClipRect(const RECT* rect) = 0;
    virtual HRESULT IntersectClipRect(const RECT* rect) = 0;
    virtual HRESULT SaveClip(int* cookie) = 0;
    virtual HRESULT RestoreClip(int cookie = -1) = 0;
    virtual HRESULT GetClipRegion(IRegion** region) = 0;
    virtual HRESULT GetClipBox(RECT* box) = 0;

    // DrawTextW's formats; with DT_CALCRECT only measures into `rect`. A length of
    // -1 means up to the terminating zero.
    virtual HRESULT DrawText(LPCWSTR text, int length, RECT* rect, UINT format) = 0;
    virtual HRESULT MeasureText(LPCWSTR text, int length, SIZE* size) = 0;
    virtual HRESULT TextOut(int x, int y, LPCWSTR text, int length) = 0;

    // Outlines use the current pen, fills the current brush or the colour given.
    virtual HRESULT DrawRectangle(const RECT* rect) = 0;
    virtual HRESULT FillRectangle(const RECT* rect) = 0;
    virtual HRESULT FillSolidRect(const RECT* rect, COLORREF colour) = 0;
    // The outline takes the corner radius, the fills the corner ellipse's size.
    virtual HRESULT DrawRoundRect(const RECT* rect, POINT radius) = 0;
    virtual HRESULT FillRoundRect(const RECT* rect, POINT corner) = 0;
    virtual HRESULT FillSolidRoundRect(const RECT* rect, POINT corner, COLORREF colour) = 0;
    // Every pixel of the rect becomes the colour, alpha included (premultiplied).
    virtual HRESULT ClearRect(const RECT* rect, COLORREF colour) = 0;
    virtual HRESULT InvertRect(const RECT* rect) = 0;
    virtual HRESULT DrawEllipse(const RECT* rect) = 0;
    virtual HRESULT FillEllipse(const RECT* rect) = 0;
    virtual HRESULT FillSolidEllipse(const RECT* rect, COLORREF colour) = 0;
    // Angles in degrees, clockwise on screen from three o'clock.
    virtual HRESULT DrawArc(const RECT* rect, float startAngle, float sweepAngle, BOOL useCenter) = 0;
    virtual HRESULT FillArc(const RECT* rect, float startAngle, float sweepAngle) = 0;
    virtual HRESULT DrawLines(const POINT* points, size_t count) = 0;
    // The colours' own alpha bytes are not used; `alpha` applies to the whole fill.
    virtual HRESULT GradientFill(const RECT* rect, BOOL vertical, COLORREF from, COLORREF to, BYTE alpha) = 0;
    virtual HRESULT ReservedOp1(LPARAM, LPARAM, LPARAM, LPARAM, LPARAM, LPARAM) = 0;   // keeps later slots in place
    virtual HRESULT DrawGradientShape(const RECT* rect, int type, COLORREF start, COLORREF centre, COLORREF end,
                                      float angle, float centreX, float centreY, int radius, BYTE alpha) = 0;
    // 0 when drawn, 1 when not.
    virtual HRESULT DrawIconEx(int x, int y, HICON icon, int cx, int cy, UINT flags) = 0;

    // Bitmaps and other targets, composed with their per-pixel alpha times `alpha`.
    virtual HRESULT DrawBitmap(const RECT* dest, IBitmap* bitmap, int srcX, int srcY, BYTE alpha = 0xFF) = 0;
    virtual HRESULT DrawBitmapEx(const RECT* dest, IBitmap* bitmap, const RECT* src, UINT expandMode,
                                 BYTE alpha = 0xFF) = 0;
    // Corners keep their size, edges and centre follow the expand mode. `margins`
    // holds the left, top, right and bottom widths.
    virtual HRESULT DrawBitmap9Patch(const RECT* dest, IBitmap* bitmap, const RECT* src, const RECT* margins,
                                     UINT expandMode, BYTE alpha = 0xFF) = 0;
    virtual HRESULT BitBlt(const RECT* dest, IRenderTarget* source, int srcX, int srcY, DWORD rop = SRCCOPY) = 0;
    virtual HRESULT AlphaBlend(const RECT* dest, IRenderTarget* source, const RECT* src, BYTE alpha) = 0;

    // The current object of a kind (kRenderObjPen...), no reference added; null for
    // other kinds. Selecting returns the old object with a reference when asked.
    virtual IRenderObj* GetCurrentObject(int kind) = 0;
    virtual HRESULT SelectDefaultObject(int kind, IRenderObj** old = nullptr) = 0;
    virtual HRESULT SelectObject(IRenderObj* object, IRenderObj** old = nullptr) = 0;
    virtual COLORREF GetTextColor() = 0;
    virtual COLORREF SetTextColor(COLORREF colour) = 0;   // the old colour

    // The DC for drawing with GDI directly, given back with ReleaseDC.
    virtual HDC GetDC(UINT flags = 0) = 0;
    virtual void ReleaseDC(HDC dc) = 0;
    virtual HRESULT SetTransform(const XFORM* matrix, XFORM* old = nullptr) = 0;
    virtual HRESULT GetTransform(XFORM* matrix) const = 0;
    virtual HRESULT QueryInterface(REFGUID iid, IObjRef** object) = 0;

    // One stored pixel (premultiplied, 0xAARRGGBB as in memory); 0x00FFFFFF and
    // nothing written outside the bitmap. SetPixel returns the old value.
    virtual COLORREF GetPixel(int x, int y) = 0;
    virtual COLORREF SetPixel(int x, int y, COLORREF value) = 0;
    virtual HRESULT ReservedOp3(LPARAM, LPARAM, LPARAM) = 0;
    virtual HRESULT ReservedOp4(LPARAM, LPARAM) = 0;
};

}  // namespace SAKU
