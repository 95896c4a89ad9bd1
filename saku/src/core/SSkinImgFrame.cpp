#include "core/SSkinImgFrame.h"

#include "core/SApplication.h"
#include "render/IBitmap.h"
#include "render/IRenderFactory.h"
#include "render/IRenderTarget.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace SAKU {

namespace {

BYTE AlphaAt(const BYTE* pixels, int width, int x, int y)
{
    return pixels[(static_cast<size_t>(y) * width + x) * 4 + 3];
}

// The guide of one border line: from 1, the first opaque pixel `start` and the
// first clear one after it `end`, each stopping at the line's last pixel.
template <typename AlphaOf>
void FindGuide(int length, AlphaOf alphaOf, int& start, int& end)
{
    start = 1;
    while (start < length - 1 && alphaOf(start) == 0)
        ++start;
    end = start;
    while (end < length - 1 && alphaOf(end) != 0)
        ++end;
}

}  // namespace

UINT SSkinImgFrame::GetExpandMode() const
{
    return static_cast<UINT>(GetFilterLevel()) << 16 | (IsTile() ? kExpandTile : kExpandStretch);
}

void SSkinImgFrame::DrawImpl(IRenderTarget* target, const RECT* rect, int state, BYTE alpha)
{
    if (!GetImage())
        return;
    const RECT source = StateRect(state);
    target->DrawBitmap9Patch(rect, GetImage(), &source, &m_margins, GetExpandMode(), alpha);
}

void SSkinImgFrame::ScaleInto(SSkinObjBase* target, int scale)
{
    SSkinImgList::ScaleInto(target, scale);
    auto* const copy = static_cast<SSkinImgFrame*>(target);
    copy->m_margins = {ScaleSize(m_margins.left, scale), ScaleSize(m_margins.top, scale),
                       ScaleSize(m_margins.right, scale), ScaleSize(m_margins.bottom, scale)};
}

bool SSkinImgFrame::ReadMargins(RECT& margins, const SStringW& value)
{
    LONG* const fields[] = {&margins.left, &margins.top, &margins.right, &margins.bottom};
    int read[4] = {};
    const int count = swscanf(value.c_str(), L"%d,%d,%d,%d", &read[0], &read[1], &read[2], &read[3]);
    if (count < 1)
        return false;
    for (int i = 0; i < count; ++i)
        *fields[i] = read[i];
    return true;
}

HRESULT SSkinImgFrame2::OnAttrSrc(const SStringW& value, BOOL)
{
    SApplication* const app = SApplication::GetInstance();
    auto image = SAutoRef<IBitmap>::Adopt(app ? app->LoadImageRef(value) : nullptr);
    if (!image)
        return E_FAIL;
    const int width = image->Width();
    const int height = image->Height();
    const auto* const pixels = static_cast<const BYTE*>(image->GetPixelBits());
    if (width < 2 || height < 2 || !pixels)
        return E_INVALIDARG;

    int left = 0;
    int right = 0;
    FindGuide(width, [&](int x) { return AlphaAt(pixels, width, x, 0); }, left, right);
    int top = 0;
    int bottom = 0;
    FindGuide(height, [&](int y) { return AlphaAt(pixels, width, 0, y); }, top, bottom);

    // The inner pixels, the one-pixel border cut off.
    const int innerWidth = width - 2;
    const int innerHeight = height - 2;
    std::vector<BYTE> inner(static_cast<size_t>(innerWidth) * innerHeight * 4);
    for (int y = 0; y < innerHeight; ++y)
        memcpy(&inner[static_cast<size_t>(y) * innerWidth * 4],
               pixels + (static_cast<size_t>(y + 1) * width + 1) * 4, static_cast<size_t>(innerWidth) * 4);
    IRenderFactory* const factory = image->GetRenderFactory();
    IBitmap* made = nullptr;
    if (!factory || !factory->CreateBitmap(&made) || !made)
        return E_OUTOFMEMORY;
    auto innerImage = SAutoRef<IBitmap>::Adopt(made);
    if (innerImage->Init(innerWidth, innerHeight, inner.empty() ? nullptr : inner.data()) != S_OK)
        return E_OUTOFMEMORY;

    SetImage(innerImage.Get());
    SetMargins({left - 1, top - 1, width - right - 1, height - bottom - 1});
    return kRefresh;
}

}  // namespace SAKU
