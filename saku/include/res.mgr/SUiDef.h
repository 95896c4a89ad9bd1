#pragma once

#include "core/FontInfo.h"
#include "core/IObjRef.h"
#include "core/SAutoRef.h"
#include "core/SSingleton.h"
#include "res.mgr/SNamedValue.h"
#include "res.mgr/SObjDefAttr.h"

namespace SAKU {

struct IResProvider;
class SSkinPool;
class SStylePool;

// One UI definition: the default font, named strings and colours, the skin and
// style pools and the class defaults that a "uidef" document gives. Built once and
// never changed; reference counted. UI thread.
struct IUiDefInfo : IObjRef {
    // No reference is added; null when the definition has no such section.
    virtual SSkinPool* GetSkinPool() = 0;
    virtual SStylePool* GetStylePool() = 0;
    virtual const SNamedColor& GetNamedColor() = 0;
    virtual const SNamedString& GetNamedString() = 0;
    virtual const SObjDefAttr& GetObjDefAttr() = 0;
    virtual const FontInfo& GetDefFontInfo() = 0;

protected:
    virtual ~IUiDefInfo() = default;
};

// Loads the definition `reference` ("uidef:xml_init") from `provider`: the
// sections "string", "color", "skin", "style" and "objattr" of the root "uidef",
// each inline or from the document its "src" names. The skin and style pools are
// pushed onto their managers, which keep them after the definition is gone. What
// cannot be read is logged and left out; the result is always usable.
class SUiDefInfo : public TObjRefImpl<IUiDefInfo> {
public:
    SUiDefInfo(IResProvider* provider, LPCWSTR reference);
    ~SUiDefInfo() override;

    // IUiDefInfo overrides
    SSkinPool* GetSkinPool() override { return m_skinPool.Get(); }
    SStylePool* GetStylePool() override { return m_stylePool.Get(); }
    const SNamedColor& GetNamedColor() override { return m_colors; }
    const SNamedString& GetNamedString() override { return m_strings; }
    const SObjDefAttr& GetObjDefAttr() override { return m_objDefAttr; }
    const FontInfo& GetDefFontInfo() override { return m_defFont; }

private:
    void Load(IResProvider* provider, pugi::xml_node uiDef);

    SAutoRef<SSkinPool> m_skinPool;
    SAutoRef<SStylePool> m_stylePool;
    SNamedColor m_colors;
    SNamedString m_strings;
    SObjDefAttr m_objDefAttr;
    FontInfo m_defFont;
};

// Holds the current UI definition, whose named values and class defaults the
// whole UI uses. A singleton of the application, made first of them. UI thread.
class SUiDef : public SSingleton<SUiDef> {
public:
    // The current definition, no reference added; null while none is selected.
    IUiDefInfo* GetUiDef() const { return m_current.Get(); }
    // Makes `definition` current (a reference of its own) and returns it.
    IUiDefInfo* SelectDefinition(IUiDefInfo* definition);

private:
    SAutoRef<IUiDefInfo> m_current;
};

}  // namespace SAKU
