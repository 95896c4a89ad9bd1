#include "core/SSkinImgList.h"

#include "core/SApplication.h"
#include "render/DibHelper.h"
#include "render/IBitmap.h"
#include "render/IRenderTarget.h"

#include <cstring>

namespace SAKU {

namespace {

// The sharpest filter: scaled copies of images are made once, so they may be slow.
constexpr UINT kScaleFilter = 3;

}  // namespace

SSkinImgList::SSkinImgList() = default;
SSkinImgList::~SSkinImgList() = default;

BOOL SSkinImgList::SetStates(int states)
{
    if (states < 1)
        return FALSE;
    m_states = states;
    return TRUE;
}

void SSkinImgList::SetImage(IBitmap* image)
{
    m_image = image;
    // The saved pixels belong to the old image; the new one starts uncolorized.
    m_uncolorized = nullptr;
    SetColorize(0);
}

SAutoRef<IBitmap> SSkinImgList::ScaledCopy(IBitmap* image, int width, int height)
{
    IBitmap* scaled = nullptr;
    if (!image || FAILED(image->Scale(&scaled, width, height, kScaleFilter)))
        return SAutoRef<IBitmap>();
    return SAutoRef<IBitmap>::Adopt(scaled);
}

UINT SSkinImgList::GetExpandMode() const
{
    const UINT mode = m_autoFit ? (m_tile ? kExpandTile : kExpandStretch) : kExpandNatural;
    return static_cast<UINT>(m_filterLevel) << 16 | mode;
}

SIZE SSkinImgList::QuerySkinSize() const
{
    if (!m_image)
        return SIZE{0, 0};
    SIZE size = m_image->Size();
    if (m_vertical)
        size.cy /= m_states;
    else
        size.cx /= m_states;
    return size;
}

RECT SSkinImgList::StateRect(int state) const
{
    const SIZE size = QuerySkinSize();
    RECT rect = {0, 0, size.cx, size.cy};
    if (m_vertical)
        ::OffsetRect(&rect, 0, state * size.cy);
    else
        ::OffsetRect(&rect, state * size.cx, 0);
    return rect;
}

void SSkinImgList::DrawImpl(IRenderTarget* target, const RECT* rect, int state, BYTE alpha)
{
    if (!m_image)
        return;
    const RECT source = StateRect(state);
    target->DrawBitmapEx(rect, m_image.Get(), &source, GetExpandMode(), alpha);
}

void SSkinImgList::ApplyColorize(COLORREF color)
{
    if (!CanColorize() || color == GetColorize() || !m_image)
        return;
    if (m_uncolorized) {
        const SIZE size = m_image->Size();
        void* const pixels = m_image->LockPixelBits();
        if (pixels && m_uncolorized->GetPixelBits())
            memcpy(pixels, m_uncolorized->GetPixelBits(), static_cast<size_t>(size.cx) * size.cy * 4);
        m_image->UnlockPixelBits(pixels);
    } else {
        IBitmap* saved = nullptr;
        if (FAILED(m_image->Clone(&saved)) || !saved)
            return;   // no way back to the plain pixels: the skin stays as it was
        m_uncolorized = SAutoRef<IBitmap>::Adopt(saved);
    }
    SetColorize(color);
    if (color != 0)
        DibHelper::ColorizeBitmap(m_image.Get(), color);
    else
        m_uncolorized = nullptr;
}

void SSkinImgList::ScaleInto(SSkinObjBase* target, int scale)
{
    SSkinObjBase::ScaleInto(target, scale);
    auto* const copy = static_cast<SSkinImgList*>(target);
    copy->m_states = m_states;
    copy->m_tile = m_tile;
    copy->m_autoFit = m_autoFit;
    copy->m_vertical = m_vertical;
    copy->m_filterLevel = m_filterLevel;
    if (!m_image)
        return;
    const SIZE size = QuerySkinSize();
    int width = ScaleSize(size.cx, scale);
    int height = ScaleSize(size.cy, scale);
    if (m_vertical)
        height *= m_states;
    else
        width *= m_states;
    copy->m_image = ScaledCopy(m_image.Get(), width, height);
    if (m_uncolorized)
        copy->m_uncolorized = ScaledCopy(m_uncolorized.Get(), width, height);
}

HRESULT SSkinImgList::OnAttrSrc(const SStringW& value, BOOL)
{
    SApplication* const app = SApplication::GetInstance();
    IBitmap* const image = app ? app->LoadImageRef(value) : nullptr;
    if (!image)
        return E_FAIL;
    SetImage(SAutoRef<IBitmap>::Adopt(image).Get());
    return kRefresh;
}

HRESULT SSkinImgList::OnAttrStates(const SStringW& value, BOOL)
{
    const std::optional<int> states = ParseInt(value);
    if (!states || !SetStates(*states))
        return E_INVALIDARG;
    return kRefresh;
}

}  // namespace SAKU
