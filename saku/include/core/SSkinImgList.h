#pragma once

#include "core/SAutoRef.h"
#include "core/SSkinObjBase.h"

#include <memory>

namespace SAKU {

struct IBitmap;
class SPngRowDecoder;

// An image that holds its states side by side (or stacked when "vertical"), each
// state drawn by cutting its part out of the image. Attributes: "src" (an image
// reference), "states" (1 or more), "tile", "autoFit", "vertical",
// "filterLevel" ("none", "low", "medium" or "high"), "delayDecode" and
// "decodeByState". Built from XML, the skin decodes its image once all its
// attributes are read, or, with "delayDecode", when it is first measured or drawn:
// a long animation strip then costs nothing until its window shows. With
// "decodeByState", a vertical strip in a still, non-interlaced PNG is decoded from
// the top only as far as the states drawn so far, so that an animation shows its
// first state at once and decodes the next ones as it plays; other images decode
// whole at their first use, and so does anything that needs every pixel (the
// image handed out, colorizing, a scaled copy). Colorizing recolours the image and keeps
// the original pixels to go back to. Reference counted; its skin
// pool keeps it, the windows that draw it borrow it, and it holds its images. UI
// thread only.
class SSkinImgList : public SSkinObjBase {
public:
    SOBJECT_CLASS(SSkinObjBase, L"imglist", kObjTypeSkin)
    SOBJECT_BASE_CLASS(L"skinObjBase")

    BEGIN_ATTRIBUTES(SSkinImgList)
        ATTRIBUTE_HANDLER(L"src",           OnAttrSrc)
        ATTRIBUTE_HANDLER(L"states",        OnAttrStates)
        ATTRIBUTE_FIELD  (L"tile",          m_tile,          ParseInt,                 kRefresh)
        ATTRIBUTE_FIELD  (L"autoFit",       m_autoFit,       ParseInt,                 kRefresh)
        ATTRIBUTE_FIELD  (L"vertical",      m_vertical,      ParseInt,                 kRefresh)
        ATTRIBUTE_WORD   (L"filterLevel",   m_filterLevel,   kFilterWords, kExactCase, kRefresh)
        ATTRIBUTE_FIELD  (L"delayDecode",   m_delayDecode,   ParseInt,                 kNoRefresh)
        ATTRIBUTE_FIELD  (L"decodeByState", m_decodeByState, ParseInt,                 kNoRefresh)
    END_ATTRIBUTES_CHAIN(SSkinObjBase)

    // Out of line, where IBitmap is complete.
    SSkinImgList();
    ~SSkinImgList() override;

    // FALSE, the count unchanged, for a count below 1.
    BOOL SetStates(int states);
    // The skin takes a reference of its own; a colorized skin goes back to plain.
    void SetImage(IBitmap* image);
    // No reference added; decodes an image still waiting for its first use.
    IBitmap* GetImage() const;
    void SetTile(BOOL tile) { m_tile = tile; }
    BOOL IsTile() const { return m_tile; }
    void SetVertical(BOOL vertical) { m_vertical = vertical; }
    BOOL IsVertical() const { return m_vertical; }
    // The bitmap drawing's expand mode: the filter level in the high word, tile (2)
    // or stretch (1) in the low word when autoFit, else natural size (0).
    virtual UINT GetExpandMode() const;

    // ISkinObj overrides
    SIZE QuerySkinSize() const override;
    BOOL IgnoreState() const override { return m_states == 1; }
    int GetStates() const override { return m_states; }
    void ApplyColorize(COLORREF color) override;

    // IObject overrides
    void OnInitFinished(pugi::xml_node element) override;

protected:
    // A copy of `image` at width x height, as skins scale their images: once,
    // with the sharpest filter; empty without an image or when it cannot be made.
    static SAutoRef<IBitmap> ScaledCopy(IBitmap* image, int width, int height);
    // The rectangle of `state` in the image.
    RECT StateRect(int state) const;
    int GetFilterLevel() const { return m_filterLevel; }
    virtual HRESULT OnAttrSrc(const SStringW& value, BOOL loading);

    // SSkinObjBase overrides
    void ScaleInto(SSkinObjBase* target, int scale) override;
    void DrawImpl(IRenderTarget* target, const RECT* rect, int state, BYTE alpha) override;

private:
    HRESULT OnAttrStates(const SStringW& value, BOOL loading);
    // The image with at least its rows above `endRow` decoded, making it first if
    // it still waits; null without an image.
    IBitmap* ImageDecodedTo(int endRow) const;
    // Starts decoding `reference` state by state: false when it is not an image
    // that decodes so, or no bitmap of its size can be made.
    bool StartDecodingByState(const SStringW& reference) const;

    // The words of "filterLevel", compared exactly: the level is their index.
    static constexpr AttributeWord kFilterWords[] = {{L"none", 0}, {L"low", 1}, {L"medium", 2}, {L"high", 3}};

    // The image is decoded on the first call that needs it, which may be a const
    // one (a size query), hence mutable.
    mutable SAutoRef<IBitmap> m_image;
    mutable SStringW m_pendingSource;   // the reference of an image not decoded yet
    SAutoRef<IBitmap> m_uncolorized;   // the image's own pixels while colorized
    int m_states = 1;
    BOOL m_tile = FALSE;
    BOOL m_autoFit = TRUE;
    BOOL m_vertical = FALSE;
    int m_filterLevel = 0;
    int m_delayDecode = 0;
    int m_decodeByState = 0;
    // The rest of a strip decoded state by state; gone once every row is in.
    mutable std::unique_ptr<SPngRowDecoder> m_rows;
};

}  // namespace SAKU
