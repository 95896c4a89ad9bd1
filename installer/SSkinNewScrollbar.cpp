#include "SSkinNewScrollbar.h"

#include "core/SApplication.h"
#include "render/IBitmap.h"
#include "render/IRenderTarget.h"

using namespace SAKU;

namespace {

// The scroll bars' resting state: a skin with fewer states draws it as the
// normal state, so that a bar nobody points at stays visible.
constexpr int kRestingState = kSbStateInactive;

bool IsRail(int part)
{
    return part == kSbPartPageUp || part == kSbPartPageDown;
}

// The cell (column, row) of an image cut into `columns` x `rows` equal cells,
// cut to the image, so that a state beyond the image's cells draws nothing
// rather than pixels outside it.
RECT Cell(const IBitmap* image, int columns, int rows, int column, int row)
{
    const int width = image->Width() / columns;
    const int height = image->Height() / rows;
    const RECT cell = {column * width, row * height, column * width + width, row * height + height};
    const RECT bounds = {0, 0, image->Width(), image->Height()};
    RECT clipped;
    if (!::IntersectRect(&clipped, &cell, &bounds))
        return RECT{0, 0, 0, 0};
    return clipped;
}

HRESULT LoadInto(SAutoRef<IBitmap>& image, const SStringW& reference)
{
    SApplication* const app = SApplication::GetInstance();
    IBitmap* const loaded = app ? app->LoadImageRef(reference) : nullptr;
    if (!loaded)
        return E_FAIL;
    image = SAutoRef<IBitmap>::Adopt(loaded);
    return kRefresh;
}

}  // namespace

SSkinNewScrollbar::SSkinNewScrollbar()
{
    SetStates(4);
}

SSkinNewScrollbar::~SSkinNewScrollbar() = default;

int SSkinNewScrollbar::GetBarThickness() const
{
    return m_vertImage ? m_vertImage->Width() / GetStates() : 0;
}

RECT SSkinNewScrollbar::GetPartSourceRect(int part, int state, bool vertical) const
{
    if (part == kSbPartLineUp || part == kSbPartLineDown || part == kSbPartCorner || part == kSbPartGripper)
        return RECT{0, 0, 0, 0};
    if (state == kRestingState && GetStates() <= kRestingState)
        state = 0;
    const int states = GetStates();
    if (vertical) {
        if (!m_vertImage)
            return RECT{0, 0, 0, 0};
        return Cell(m_vertImage.Get(), states, 2, state, IsRail(part) ? 1 : 0);
    }
    if (!m_horzImage)
        return RECT{0, 0, 0, 0};
    return Cell(m_horzImage.Get(), 2, states, IsRail(part) ? 1 : 0, state);
}

void SSkinNewScrollbar::DrawImpl(IRenderTarget* target, const RECT* rect, int state, BYTE alpha)
{
    if (!m_vertImage || !m_horzImage)
        return;
    const int part = LOWORD(state);
    const int partState = (state >> 16) & 0xFF;
    const bool vertical = ((state >> 24) & 0xFF) != 0;
    const RECT source = GetPartSourceRect(part, partState, vertical);
    if (::IsRectEmpty(&source))
        return;
    const int margin = GetMargin();
    const RECT margins = vertical ? RECT{0, margin, 0, margin} : RECT{margin, 0, margin, 0};
    IBitmap* const image = vertical ? m_vertImage.Get() : m_horzImage.Get();
    target->DrawBitmap9Patch(rect, image, &source, &margins, IsTile() ? kExpandTile : kExpandStretch, alpha);
}

void SSkinNewScrollbar::ScaleInto(SSkinObjBase* target, int scale)
{
    SSkinScrollbar::ScaleInto(target, scale);
    auto* const copy = static_cast<SSkinNewScrollbar*>(target);
    const auto scaled = [&](const SAutoRef<IBitmap>& image) {
        return image ? ScaledCopy(image.Get(), ScaleSize(image->Width(), scale), ScaleSize(image->Height(), scale))
                     : SAutoRef<IBitmap>();
    };
    copy->m_vertImage = scaled(m_vertImage);
    copy->m_horzImage = scaled(m_horzImage);
}

HRESULT SSkinNewScrollbar::OnAttrSrcVert(const SStringW& value, BOOL)
{
    return LoadInto(m_vertImage, value);
}

HRESULT SSkinNewScrollbar::OnAttrSrcHorz(const SStringW& value, BOOL)
{
    return LoadInto(m_horzImage, value);
}
