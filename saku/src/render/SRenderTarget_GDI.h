#pragma once

#include "GdiHandles.h"
#include "SBitmap_GDI.h"
#include "SGdiAlphaBuffer.h"
#include "SBrush_GDI.h"
#include "SFont_GDI.h"
#include "SPen_GDI.h"
#include "core/SAutoRef.h"
#include "render/IRenderTarget.h"

namespace SAKU {

// The GDI render target: a memory DC holding the current bitmap (a 32-bit DIB of
// premultiplied pixels) with the current pen, brush and font always selected, one
// reference on each. Plain GDI clears the alpha of what it draws, so primitives draw
// through SGdiAlphaBuffer or keep the alpha bytes aside (BackupAlpha). Made by
// SRenderFactory_GDI; reference counted; UI thread.
class SRenderTarget_GDI : public TObjRefImpl<IRenderTarget> {
public:
    SRenderTarget_GDI(IRenderFactory* factory, int width, int height);

    // False when the DC or the bitmap of the size asked for could not be made; every
    // call on such a target is harmless and draws nothing.
    bool IsUsable() const { return m_usable; }

    // IRenderTarget overrides
    HRESULT CreateCompatibleRenderTarget(SIZE size, IRenderTarget** target) override;
    HRESULT CreatePen(int style, COLORREF colour, int width, IPen** pen) override;
    HRESULT CreateSolidColorBrush(COLORREF colour, IBrush** brush) override;
    HRESULT CreateBitmapBrush(IBitmap* bitmap, IBrush** brush) override;
    HRESULT CreateRegion(IRegion** region) override;
    HRESULT Resize(SIZE size) override;
    HRESULT OffsetViewportOrg(int dx, int dy, POINT* oldOrigin) override;
    HRESULT GetViewportOrg(POINT* origin) override;
    HRESULT SetViewportOrg(POINT origin) override;
    HRESULT PushClipRect(const RECT* rect, UINT mode) override;
    HRESULT PushClipRegion(IRegion* region, UINT mode) override;
    HRESULT PopClip() override;
    HRESULT ExcludeClipRect(const RECT* rect) override;
    HRESULT IntersectClipRect(const RECT* rect) override;
    HRESULT SaveClip(int* cookie) override;
    HRESULT RestoreClip(int cookie) override;
    HRESULT GetClipRegion(IRegion** region) override;
    HRESULT GetClipBox(RECT* box) override;
    HRESULT DrawText(LPCWSTR text, int length, RECT* rect, UINT format) override;
    HRESULT MeasureText(LPCWSTR text, int length, SIZE* size) override;
    HRESULT TextOut(int x, int y, LPCWSTR text, int length) override;
    HRESULT DrawRectangle(const RECT* rect) override;
    HRESULT FillRectangle(const RECT* rect) override;
    HRESULT FillSolidRect(const RECT* rect, COLORREF colour) override;
    HRESULT DrawRoundRect(const RECT* rect, POINT radius) override;
    HRESULT FillRoundRect(const RECT* rect, POINT corner) override;
    HRESULT FillSolidRoundRect(const RECT* rect, POINT corner, COLORREF colour) override;
    HRESULT ClearRect(const RECT* rect, COLORREF colour) override;
    HRESULT InvertRect(const RECT* rect) override;
    HRESULT DrawEllipse(const RECT* rect) override;
    HRESULT FillEllipse(const RECT* rect) override;
    HRESULT FillSolidEllipse(const RECT* rect, COLORREF colour) override;
    HRESULT DrawArc(const RECT* rect, float startAngle, float sweepAngle, BOOL useCenter) override;
    HRESULT FillArc(const RECT* rect, float startAngle, float sweepAngle) override;
    HRESULT DrawLines(const POINT* points, size_t count) override;
    HRESULT GradientFill(const RECT* rect, BOOL vertical, COLORREF from, COLORREF to, BYTE alpha) override;
    HRESULT ReservedOp1(LPARAM, LPARAM, LPARAM, LPARAM, LPARAM, LPARAM) override { return E_NOTIMPL; }
    HRESULT DrawGradientShape(const RECT*, int, COLORREF, COLORREF, COLORREF, float, float, float, int,
                              BYTE) override { return E_NOTIMPL; }
    HRESULT DrawIconEx(int x, int y, HICON icon, int cx, int cy, UINT flags) override;
    HRESULT DrawBitmap(const RECT* dest, IBitmap* bitmap, int srcX, int srcY, BYTE alpha) override;
    HRESULT DrawBitmapEx(const RECT* dest, IBitmap* bitmap, const RECT* src, UINT expandMode, BYTE alpha) override;
    HRESULT DrawBitmap9Patch(const RECT* dest, IBitmap* bitmap, const RECT* src, const RECT* margins,
                             UINT expandMode, BYTE alpha) override;
    HRESULT BitBlt(const RECT* dest, IRenderTarget* source, int srcX, int srcY, DWORD rop) override;
    HRESULT AlphaBlend(const RECT* dest, IRenderTarget* source, const RECT* src, BYTE alpha) override;
    IRenderObj* GetCurrentObject(int kind) override;
    HRESULT SelectDefaultObject(int kind, IRenderObj** old) override;
    HRESULT SelectObject(IRenderObj* object, IRenderObj** old) override;
    COLORREF GetTextColor() override { return m_textColour; }
    COLORREF SetTextColor(COLORREF colour) override;
    HDC GetDC(UINT) override { return m_dc.Get(); }
    void ReleaseDC(HDC) override {}
    HRESULT SetTransform(const XFORM* matrix, XFORM* old) override;
    HRESULT GetTransform(XFORM* matrix) const override;
    HRESULT QueryInterface(REFGUID, IObjRef**) override { return E_NOINTERFACE; }
    COLORREF GetPixel(int x, int y) override;
    COLORREF SetPixel(int x, int y, COLORREF value) override;
    HRESULT ReservedOp3(LPARAM, LPARAM, LPARAM) override { return E_NOTIMPL; }
    HRESULT ReservedOp4(LPARAM, LPARAM) override { return E_NOTIMPL; }

private:
    template <typename Draw>
    void ThroughBuffer(const RECT& rect, BYTE alpha, bool copyBackground, Draw draw);
    RECT OutlineBounds(const RECT& rect) const;
    BYTE PenAlpha() const { return static_cast<BYTE>(m_curPen->GetColor() >> 24); }
    BYTE TextAlpha() const { return static_cast<BYTE>(m_textColour >> 24); }
    // Bitmaps are drawn from the source DC, into which each call selects its bitmap
    // once for all the pieces it blends.
    UniqueSelection SelectSource(SBitmap_GDI* bitmap);
    HRESULT DrawSelected(const RECT& dest, SIZE bitmap, const RECT& src, UINT expandMode, BYTE alpha);
    HRESULT DrawNatural(const RECT& dest, SIZE bitmap, RECT src, BYTE alpha);
    HRESULT DrawTiled(const RECT& dest, const RECT& src, BYTE alpha);
    HRESULT Blend(const RECT& dest, const RECT& src, BYTE alpha);
    template <typename T>
    void Replace(SAutoRef<T>& current, T* object, IRenderObj** old);
    void SelectHandle(int kind, HGDIOBJ handle);
    void ReapplyState();
    DWORD* PixelAt(int x, int y);

    SAutoRef<IRenderFactory> m_factory;
    UniqueMemoryDc m_dc;
    UniqueMemoryDc m_sourceDc;              // holds a bitmap while it is drawn onto the target
    SGdiScratch m_scratch;                  // where primitives draw through an alpha buffer
    bool m_usable = false;
    COLORREF m_textColour = 0xFF000000;
    POINT m_origin = {};

    SAutoRef<SBitmap_GDI> m_defBitmap;
    SAutoRef<SPen_GDI> m_defPen;
    SAutoRef<SBrush_GDI> m_defBrush;
    SAutoRef<SFont_GDI> m_defFont;
    SAutoRef<SBitmap_GDI> m_curBitmap;
    SAutoRef<SPen_GDI> m_curPen;
    SAutoRef<SBrush_GDI> m_curBrush;
    SAutoRef<SFont_GDI> m_curFont;

    // The DC's own objects, selected back before ours are released.
    UniqueSelection m_ownBitmap;
    UniqueSelection m_ownPen;
    UniqueSelection m_ownBrush;
    UniqueSelection m_ownFont;
};

}  // namespace SAKU
