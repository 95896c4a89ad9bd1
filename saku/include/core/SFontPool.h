#pragma once

#include "core/FontInfo.h"
#include "core/SAutoRef.h"
#include "core/SSingleton.h"

namespace SAKU {

struct IFont;
struct IRenderFactory;

// The fonts of the UI, made once per distinct description and shared by every
// window that uses it. A description is "key:value" items joined by ',' in any
// case: "face", "size" and "adding" (layout sizes), "bold", "italic",
// "underline", "strike" ("0" or not), "charset", and any other key as an extra
// property of the font. Missing items come from the current UI definition's
// default font. A singleton of the application, which hands it the render
// factory; the fonts live as long as the pool. UI thread.
class SFontPool : public SSingletonMap<SFontPool, IFont*, FontInfo> {
public:
    explicit SFontPool(IRenderFactory* renderFactory);
    ~SFontPool() override;

    // The pooled font of the description at `scale` percent; the pool keeps the
    // reference (a caller that stores the font adds its own). Null when the render
    // factory cannot make it.
    IFont* GetFont(const SStringW& description, int scale);

private:
    SAutoRef<IRenderFactory> m_renderFactory;
};

// The pool's font of the description at `scale`, as GetFont; null without a pool.
IFont* FindFont(const SStringW& description, int scale);

}  // namespace SAKU
