#include "controls/SSliderBar.h"

#include "core/Events.h"
#include "core/ISkinObj.h"
#include "core/SkinLookup.h"

#include <algorithm>

namespace SAKU {

namespace {

constexpr int kStateNormal = 0;
constexpr int kStateHover = 1;
constexpr int kStatePushed = 2;

// The length a measured bar takes along its axis.
constexpr int kDesiredLength = 100;

SIZE SkinSize(ISkinObj* skin)
{
    return skin ? skin->QuerySkinSize() : SIZE{0, 0};
}

}  // namespace

SSliderBar::SSliderBar()
{
    m_thumbSkin = FindBuiltinSkin(L"_skin.sys.slider.thumb");
    GetEventSet()->AddEvent(EventSliderPos::EventID, EventSliderPos::EventName());
}

void SSliderBar::NotifyPos(int value)
{
    EventSliderPos moved(this, value);
    RaiseEvent(&moved);
}

// ---- Geometry ---------------------------------------------------------------------

int SSliderBar::ThumbLength() const
{
    const SIZE thumb = SkinSize(m_thumbSkin);
    return IsVertical() ? thumb.cy : thumb.cx;
}

int SSliderBar::BarLength() const
{
    RECT client;
    CopyClientRect(&client);
    return IsVertical() ? client.bottom - client.top : client.right - client.left;
}

int SSliderBar::Along(POINT point) const
{
    RECT client;
    CopyClientRect(&client);
    return IsVertical() ? point.y - client.top : point.x - client.left;
}

RECT SSliderBar::PartRect(int part) const
{
    const bool vertical = IsVertical() != FALSE;
    const int length = BarLength();
    const int thumb = ThumbLength();
    // An empty range, or a bar no longer than its thumb, keeps the thumb at the start.
    const long long span = static_cast<long long>(GetMax()) - GetMin();
    const long long done = std::min(std::max(static_cast<long long>(GetValue()) - GetMin(), 0LL), std::max(span, 0LL));
    const int offset = span > 0 && length > thumb ? static_cast<int>((length - thumb) * done / span) : 0;

    int begin = 0;
    int end = 0;
    switch (part) {
    case kPartRail:       begin = thumb / 2;                       end = length - thumb / 2; break;
    case kPartFilled:     begin = m_thumbInRail ? 0 : thumb / 2;   end = thumb / 2 + offset; break;
    case kPartThumb:      begin = offset;                          end = offset + thumb; break;
    case kPartBackground: begin = m_thumbInRail ? 0 : thumb / 2;   end = m_thumbInRail ? length : length - thumb / 2; break;
    default:              return RECT{};
    }

    // Across the bar: a band as thick as the thicker skin, centred; the thumb
    // fills it and the other parts take the background's thickness in its middle.
    RECT client;
    CopyClientRect(&client);
    const SIZE thumbSize = SkinSize(m_thumbSkin);
    const SIZE bkgndSize = SkinSize(GetBkgndSkin());
    const int thumbAcross = vertical ? thumbSize.cx : thumbSize.cy;
    const int bkgndAcross = vertical ? bkgndSize.cx : bkgndSize.cy;
    const int band = std::max(thumbAcross, bkgndAcross);
    const int clientAcross = vertical ? client.right - client.left : client.bottom - client.top;
    int acrossBegin = (clientAcross - band) / 2;
    int acrossEnd = acrossBegin + band;
    if (part != kPartThumb) {
        acrossBegin += (band - bkgndAcross) / 2;
        acrossEnd = acrossBegin + bkgndAcross;
    }
    if (vertical)
        return RECT{client.left + acrossBegin, client.top + begin, client.left + acrossEnd, client.top + end};
    return RECT{client.left + begin, client.top + acrossBegin, client.left + end, client.top + acrossEnd};
}

int SSliderBar::PartFromPoint(POINT point) const
{
    for (const int part : {kPartThumb, kPartFilled, kPartRail}) {
        const RECT rect = PartRect(part);
        if (::PtInRect(&rect, point))
            return part;
    }
    return -1;
}

int SSliderBar::ValueAfter(int from, int distance) const
{
    const long long positions = static_cast<long long>(GetMax()) - GetMin() + 1;
    long long value = from + positions * distance / RailLength();
    value = std::max(value, static_cast<long long>(GetMin()));
    return static_cast<int>(std::min(value, static_cast<long long>(GetMax())));
}

// ---- Measuring and colours --------------------------------------------------------------

SIZE SSliderBar::MeasureDesiredSize(const RECT*)
{
    const SIZE thumb = SkinSize(m_thumbSkin);
    const SIZE bkgnd = SkinSize(GetBkgndSkin());
    if (IsVertical())
        return SIZE{std::max(bkgnd.cx, thumb.cx), kDesiredLength};
    return SIZE{kDesiredLength, std::max(bkgnd.cy, thumb.cy)};
}

void SSliderBar::ApplyColorize(COLORREF color)
{
    SProgress::ApplyColorize(color);
    if (m_thumbSkin)
        m_thumbSkin->ApplyColorize(color);
}

// ---- Painting ---------------------------------------------------------------------------

void SSliderBar::OnPaint(IRenderTarget* target)
{
    SPaintState saved;
    PreparePaint(target, saved);
    const struct {
        ISkinObj* skin;
        int part;
        int state;
        bool shown;
    } layers[] = {
        {GetBkgndSkin(), kPartBackground, kStateNormal, true},
        {GetPosSkin(),   kPartFilled,     kStateNormal, GetValue() != GetMin()},
        {m_thumbSkin,    kPartThumb,
         m_dragging ? kStatePushed : m_hoverPart == kPartThumb ? kStateHover : kStateNormal, true},
    };
    for (const auto& layer : layers) {
        const RECT rect = PartRect(layer.part);
        if (layer.skin && layer.shown && !::IsRectEmpty(&rect))
            layer.skin->DrawByIndex(target, &rect, layer.state);
    }
    AfterPaint(target, saved);
}

void SSliderBar::InvalidateThumb()
{
    InvalidateRect(PartRect(kPartThumb));
}

// ---- Mouse ------------------------------------------------------------------------------

void SSliderBar::OnLButtonDown(UINT, POINT point)
{
    // Without a rail longer than nothing, no point stands for a value.
    if (RailLength() <= 0)
        return;
    SetCapture();
    m_dragging = TRUE;
    m_dragStart = point;
    if (PartFromPoint(point) == kPartThumb) {
        m_dragStartValue = GetValue();
        Invalidate();
        return;
    }
    SetValue(ValueAfter(GetMin(), Along(point) - ThumbLength() / 2));
    m_dragStartValue = GetValue();
    NotifyPos(GetValue());
}

void SSliderBar::OnMouseMove(UINT, POINT point)
{
    if (m_dragging) {
        if (RailLength() <= 0)
            return;
        const int value = ValueAfter(m_dragStartValue, Along(point) - Along(m_dragStart));
        if (value == GetValue())
            return;
        SetValue(value);
        NotifyPos(value);
        return;
    }
    const int part = PartFromPoint(point);
    if (part != m_hoverPart && (part == kPartThumb || m_hoverPart == kPartThumb)) {
        m_hoverPart = part;
        InvalidateThumb();
    }
}

void SSliderBar::OnLButtonUp(UINT flags, POINT point)
{
    ReleaseCapture();
    if (m_dragging) {
        m_dragging = FALSE;
        InvalidateThumb();
    }
    OnMouseMove(flags, point);
}

void SSliderBar::OnMouseLeave()
{
    if (!m_dragging && m_hoverPart == kPartThumb) {
        InvalidateThumb();
        m_hoverPart = -1;
    }
    SetMsgHandled(FALSE);   // the window's own hover state goes too
}

}  // namespace SAKU
