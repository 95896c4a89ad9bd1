#include "core/SSkinImgList.h"

#include "core/SApplication.h"
#include "render/DibHelper.h"
#include "render/IBitmap.h"
#include "render/IRenderFactory.h"
#include "render/IRenderTarget.h"
#include "render/SPngRowDecoder.h"

#include <climits>
#include <cstring>
#include <vector>

namespace SAKU {

namespace {

// The sharpest filter: scaled copies of images are made once, so they may be slow.
constexpr UINT kScaleFilter = 3;

// The image that an image reference names, decoded; empty when it does not load.
SAutoRef<IBitmap> DecodeReference(const SStringW& reference)
{
    SApplication* const app = SApplication::GetInstance();
    return SAutoRef<IBitmap>::Adopt(app ? app->LoadImageRef(reference) : nullptr);
}

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

IBitmap* SSkinImgList::GetImage() const
{
    return ImageDecodedTo(INT_MAX);
}

IBitmap* SSkinImgList::ImageDecodedTo(int endRow) const
{
    if (!m_pendingSource.IsEmpty()) {
        const SStringW reference = m_pendingSource;
        m_pendingSource = SStringW();
        // As an eager load does, a reference that does not load keeps the old image.
        if (!(m_decodeByState && m_vertical && StartDecodingByState(reference))) {
            if (SAutoRef<IBitmap> image = DecodeReference(reference))
                m_image = image.Get();
        }
    }
    if (m_rows) {
        void* const pixels = m_image->LockPixelBits();
        // A strip found corrupt part-way keeps the states it decoded; the rest stay empty.
        const bool decoded = m_rows->DecodeUntil(static_cast<BYTE*>(pixels), endRow);
        m_image->UnlockPixelBits(pixels);
        if (!decoded || m_rows->RowsDecoded() == m_rows->Height())
            m_rows.reset();
    }
    return m_image.Get();
}

bool SSkinImgList::StartDecodingByState(const SStringW& reference) const
{
    SApplication* const app = SApplication::GetInstance();
    SStringW type;
    SStringW name;
    if (!app || SplitResRef(reference, type, name) != 2)
        return false;
    const size_t size = app->GetRawDataSize(type.c_str(), name.c_str());
    if (size == 0)
        return false;
    std::vector<BYTE> data(size);
    if (!app->GetRawData(type.c_str(), name.c_str(), data.data(), size))
        return false;
    std::unique_ptr<SPngRowDecoder> rows = SPngRowDecoder::Open(std::move(data));
    SAutoRef<IBitmap> image;
    if (!rows || !app->GetRenderFactory()->CreateBitmap(image.Put()) || !image
        || FAILED(image->Init(rows->Width(), rows->Height(), nullptr)))
        return false;
    m_image = image.Get();
    m_rows = std::move(rows);
    return true;
}

void SSkinImgList::SetImage(IBitmap* image)
{
    m_pendingSource = SStringW();
    m_rows.reset();
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
    IBitmap* const image = ImageDecodedTo(0);
    if (!image)
        return SIZE{0, 0};
    SIZE size = image->Size();
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
    const RECT source = StateRect(state);
    IBitmap* const image = ImageDecodedTo(source.bottom);
    if (!image)
        return;
    target->DrawBitmapEx(rect, image, &source, GetExpandMode(), alpha);
}

void SSkinImgList::ApplyColorize(COLORREF color)
{
    if (!CanColorize() || color == GetColorize() || !GetImage())
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
    copy->m_delayDecode = m_delayDecode;
    copy->m_decodeByState = m_decodeByState;
    if (!GetImage())
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

void SSkinImgList::OnInitFinished(pugi::xml_node element)
{
    SSkinObjBase::OnInitFinished(element);
    if (!m_delayDecode && !m_decodeByState)
        (void)GetImage();   // decoded now, as the skin is built; a failure leaves it without image
}

// While the skin is built from XML, "delayDecode" may come after "src": the
// reference waits for OnInitFinished, which knows.
HRESULT SSkinImgList::OnAttrSrc(const SStringW& value, BOOL loading)
{
    if (loading) {
        m_pendingSource = value;
        return kRefresh;
    }
    const SAutoRef<IBitmap> image = DecodeReference(value);
    if (!image)
        return E_FAIL;
    SetImage(image.Get());
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
