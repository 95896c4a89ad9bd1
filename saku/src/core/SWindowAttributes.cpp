// The window object's own attributes (a table of the handlers that need code,
// entries for its fields) and where the attributes it does not take go: the
// style, the layout, the layout parameter.
#include "core/SWindow.h"

#include "core/SApplication.h"
#include "core/SAttributeMap.h"
#include "core/SkinLookup.h"
#include "core/SStylePool.h"
#include "core/SXmlLookup.h"
#include "res.mgr/SResProviderMgr.h"

#include <pugixml.hpp>

#include <cwchar>

namespace SAKU {

namespace {

// The standard dialog ids that an "id" attribute may name.
const struct {
    const wchar_t* name;
    int id;
} kStandardIds[] = {
    {L"IDOK", IDOK},         {L"IDCANCEL", IDCANCEL}, {L"IDABORT", IDABORT},
    {L"IDRETRY", IDRETRY},   {L"IDIGNORE", IDIGNORE}, {L"IDYES", IDYES},
    {L"IDNO", IDNO},         {L"IDCLOSE", IDCLOSE},   {L"IDHELP", IDHELP},
};

// The id the program's table of named ids gives the name; 0 when it has none.
int NamedId(const SStringW& name)
{
    SApplication* const app = SApplication::GetInstance();
    return app ? app->Name2ID(name) : 0;
}

}  // namespace

// The handlers of the window's own attributes; each answers kRefresh when the
// window must be redrawn, kNoRefresh when not.
struct SWindow::AttributeHandlers {
    using Handler = HRESULT (*)(SWindow& window, const SStringW& value, BOOL loading);

    static HRESULT Layout(SWindow& w, const SStringW& value, BOOL)
    {
        SApplication* const app = SApplication::GetInstance();
        ILayout* const layout = app ? static_cast<ILayout*>(app->CreateObject(SObjectInfo(value, kObjTypeLayout))) : nullptr;
        if (!layout)
            return E_INVALIDARG;
        w.m_layout.Attach(layout);
        // A layout reads its own kind of parameter: children placed by the old
        // one get a parameter of the new kind.
        for (SWindow* child = w.m_firstChild; child; child = child->m_nextSibling) {
            if (!child->m_layoutParam || !layout->IsParamAcceptable(child->m_layoutParam.Get()))
                child->m_layoutParam.Attach(layout->CreateLayoutParam());
        }
        return kRefresh;
    }

    static HRESULT Class(SWindow& w, const SStringW& value, BOOL loading)
    {
        SStylePoolMgr* const styles = SStylePoolMgr::GetInstance();
        const pugi::xml_node style = styles ? styles->FindStyle(value) : pugi::xml_node();
        if (!style)
            return kNoRefresh;
        if (const pugi::xml_attribute layout = XmlAttribute(style, L"layout"))
            w.ApplyAttribute(layout.name(), layout.value(), loading);
        for (pugi::xml_attribute attribute = style.first_attribute(); attribute; attribute = attribute.next_attribute()) {
            if (attribute.get_userdata() != 0 || _wcsicmp(attribute.name(), L"class") == 0 ||
                _wcsicmp(attribute.name(), L"layout") == 0)
                continue;
            w.ApplyAttribute(attribute.name(), attribute.value(), loading);
        }
        return kNoRefresh;
    }

    static HRESULT Id(SWindow& w, const SStringW& value, BOOL)
    {
        if (value.IsEmpty())
            return kNoRefresh;
        if (_wcsnicmp(value.c_str(), L"ID", 2) == 0) {
            for (const auto& standard : kStandardIds) {
                if (_wcsicmp(value.c_str(), standard.name) == 0)
                    w.m_id = standard.id;
            }
            return kNoRefresh;
        }
        w.m_id = static_cast<int>(wcstol(value.c_str(), nullptr, 10));
        return kNoRefresh;
    }

    static HRESULT Name(SWindow& w, const SStringW& value, BOOL)
    {
        w.m_name = value;
        if (w.m_id == 0)
            w.m_id = NamedId(value);
        return kNoRefresh;
    }

    static HRESULT Skin(SWindow& w, const SStringW& value, BOOL loading)
    {
        w.m_skin = FindSkin(value, w.GetScale());
        if (!loading && w.WrapsContent())
            w.RequestRelayoutSelf();
        return loading ? kNoRefresh : kRefresh;
    }

    static HRESULT Enable(SWindow& w, const SStringW& value, BOOL loading)
    {
        const BOOL enable = value != L"0";
        if (!loading) {
            w.EnableWindow(enable, TRUE);
            return kNoRefresh;
        }
        // Also the window's own flag: a window the layout disables stays disabled
        // when its parent is enabled again.
        w.m_ownDisabled = !enable;
        if (enable)
            w.m_state &= ~WndState_Disable;
        else
            w.m_state = (w.m_state | WndState_Disable) & ~WndState_Hover;
        return kNoRefresh;
    }

    static HRESULT Visible(SWindow& w, const SStringW& value, BOOL loading)
    {
        const BOOL visible = value != L"0";
        if (loading)
            w.m_visible = visible;
        else
            w.SetVisible(visible, TRUE);
        return kNoRefresh;
    }

    static HRESULT Display(SWindow& w, const SStringW& value, BOOL loading)
    {
        w.m_display = value != L"0";
        if (loading)
            return kNoRefresh;
        w.RequestRelayoutSelf();
        return kRefresh;
    }

    static HRESULT Cache(SWindow& w, const SStringW& value, BOOL loading)
    {
        w.m_cache = value != L"0";
        if (!loading) {
            w.UpdateCacheRenderTarget();
            w.InvalidateArea();
        }
        return kNoRefresh;
    }

    static HRESULT Alpha(SWindow& w, const SStringW& value, BOOL loading)
    {
        w.m_style.m_byAlpha = static_cast<BYTE>(_wtoi(value.c_str()));
        if (loading)
            return kNoRefresh;
        if (!w.IsLayeredWindow())
            w.UpdateCacheRenderTarget();
        w.InvalidateArea();
        return kRefresh;
    }

    static HRESULT LayeredWindow(SWindow& w, const SStringW& value, BOOL loading)
    {
        w.m_layeredWindow = value != L"0";
        if (loading)
            return kNoRefresh;
        w.UpdateLayerRenderTarget();
        return kRefresh;
    }

    static HRESULT TrackMouseEvent(SWindow& w, const SStringW& value, BOOL loading)
    {
        const HRESULT result = StoreAttribute(w.m_style.m_bTrackMouseEvent, ParseFlag(value), kNoRefresh);
        if (!loading && w.m_container) {
            if (w.m_style.m_bTrackMouseEvent)
                w.m_container->RegisterTrackMouseEvent(w.m_swnd);
            else
                w.m_container->UnregisterTrackMouseEvent(w.m_swnd);
        }
        return result;
    }

    static HRESULT Tip(SWindow& w, const SStringW& value, BOOL)
    {
        w.SetTipText(SResProviderMgr::GetString(value));
        return kNoRefresh;
    }

    // The handler of one of the window's own attributes (any letter case); null
    // for the window's fields, which ApplyAttribute's entries fill, and for the
    // attributes that go to the style, the layout and the layout parameter.
    static Handler Find(const SStringW& name)
    {
        static const struct {
            const wchar_t* name;
            Handler handler;
        } kTable[] = {
            {L"layout",          &Layout},
            {L"class",           &Class},
            {L"id",              &Id},
            {L"name",            &Name},
            {L"skin",            &Skin},
            {L"enable",          &Enable},
            {L"visible",         &Visible},
            {L"show",            &Visible},
            {L"display",         &Display},
            {L"cache",           &Cache},
            {L"alpha",           &Alpha},
            {L"layeredWindow",   &LayeredWindow},
            {L"trackMouseEvent", &TrackMouseEvent},
            {L"tip",             &Tip},
        };
        for (const auto& entry : kTable) {
            if (_wcsicmp(name.c_str(), entry.name) == 0)
                return entry.handler;
        }
        return nullptr;
    }
};

HRESULT SWindow::ApplyAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    HRESULT result = E_FAIL;
    // The entries below are else-if arms of this if: a handler, then a field, then
    // the style, the layout and the layout parameter, then the scripts.
    if (const AttributeHandlers::Handler handler = AttributeHandlers::Find(name)) {
        result = handler(*this, value, loading);
    }
    ATTRIBUTE_SKIN   (L"ncskin",         m_ncSkin,                     kRefresh)
    ATTRIBUTE_FIELD  (L"data",           m_userData,       ParseInt,   kNoRefresh)
    ATTRIBUTE_TEXT   (L"text",           m_text,                       kRefresh)
    ATTRIBUTE_FIELD  (L"msgTransparent", m_msgTransparent, ParseFlag,  kNoRefresh)
    ATTRIBUTE_FIELD  (L"maxWidth",       m_maxWidth,       SLayoutDim, kNoRefresh)
    ATTRIBUTE_FIELD  (L"clipClient",     m_clipClient,     ParseFlag,  kNoRefresh)
    ATTRIBUTE_FIELD  (L"focusable",      m_focusable,      ParseFlag,  kNoRefresh)
    ATTRIBUTE_FIELD  (L"drawFocusRect",  m_drawFocusRect,  ParseFlag,  kRefresh)
    ATTRIBUTE_FIELD  (L"float",          m_floating,       ParseInt,   kNoRefresh)
    else if (SUCCEEDED(result = m_style.ApplyAttribute(name, value, loading))) {
        result |= kAttrTakenByStyle;
    } else if (m_layout && SUCCEEDED(result = m_layout->ApplyAttribute(name, value, loading))) {
        result |= kAttrTakenByLayout;
    } else if (m_layoutParam && SUCCEEDED(result = m_layoutParam->ApplyAttribute(name, value, loading))) {
        result |= kAttrTakenByLayoutParam;
    } else {
        result = DefAttributeProc(name, value, loading);
    }
    return AfterAttribute(name, value, loading, result);
}

HRESULT SWindow::AfterAttribute(const SStringW&, const SStringW&, BOOL loading, HRESULT result)
{
    if (loading || (result & 0xFFFF) != 0)
        return result;
    if ((result & (kAttrTakenByLayout | kAttrTakenByLayoutParam)) && m_parent)
        m_parent->RequestRelayout(m_parent->m_swnd, TRUE);
    else
        InvalidateArea();
    return result;
}

HRESULT SWindow::DefAttributeProc(const SStringW& name, const SStringW& value, BOOL)
{
    if (!GetScriptModule())
        return E_FAIL;
    return m_eventSet.SetEventScript(name.c_str(), CvtW2A(value, CP_UTF8)) ? kNoRefresh : E_FAIL;
}

}  // namespace SAKU
