#include "res.mgr/SUiDef.h"

#include "GdiHandles.h"
#include "core/SApplication.h"
#include "core/SAttributeMap.h"
#include "core/SLog.h"
#include "core/SSkinPool.h"
#include "core/SStylePool.h"
#include "core/SXmlLookup.h"
#include "res.mgr/IResProvider.h"
#include "res.mgr/ResXml.h"
#include "res.mgr/SResProviderMgr.h"

#include <memory>
#include <vector>

namespace SAKU {

const wchar_t kDefaultFontFace[] = L"宋体";

namespace {

constexpr const char* kLogFile = "src\\res.mgr\\SUiDef";
constexpr const char* kLogFunction = "SAKU::SUiDefInfo::SUiDefInfo";
constexpr SLogSite kBadReferenceSite{kLogLevelWarn, kLogFile, 92, kLogFunction};
constexpr SLogSite kNotFoundSite{kLogLevelWarn, kLogFile, 98, kLogFunction};
constexpr SLogSite kNotXmlSite{kLogLevelWarn, kLogFile, 107, kLogFunction};
constexpr SLogSite kNoRootSite{kLogLevelWarn, kLogFile, 114, kLogFunction};

int CALLBACK OnFontFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;   // one is enough
}

// Whether the screen's fonts include the face.
bool IsFontInstalled(const SStringW& face)
{
    LOGFONTW wanted = {};
    if (face.IsEmpty() || face.GetLength() >= LF_FACESIZE)
        return false;
    wcscpy_s(wanted.lfFaceName, face.c_str());
    wanted.lfCharSet = DEFAULT_CHARSET;
    const UniqueScreenDc screen(::GetDC(nullptr));
    if (!screen)
        return false;
    bool found = false;
    ::EnumFontFamiliesExW(screen.Get(), &wanted, OnFontFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

// An unreadable number keeps the default, as attributes do.
int IntAttribute(pugi::xml_node element, const wchar_t* name, int fallback)
{
    return ParseInt(XmlAttribute(element, name).value()).value_or(fallback);
}

FontInfo ReadDefaultFont(pugi::xml_node font)
{
    FontInfo info;
    info.style = kDefaultFontStyle;
    info.face = kDefaultFontFace;
    if (!font)
        return info;
    const struct {
        const wchar_t* name;
        DWORD flag;
    } kFlags[] = {
        {L"italic",    kFontItalic},
        {L"underline", kFontUnderline},
        {L"bold",      kFontBold},
        {L"strike",    kFontStrikeOut},
    };
    info.style = static_cast<DWORD>(IntAttribute(font, L"size", 12)) & kFontSizeMask;
    info.style |= (static_cast<DWORD>(IntAttribute(font, L"charset", 1)) & 0xFF) << kFontCharsetShift;
    for (const auto& flag : kFlags) {
        if (XmlAttribute(font, flag.name).as_bool(false))
            info.style |= flag.flag;
    }
    const SStringW face = XmlAttribute(font, L"face").value();
    if (IsFontInstalled(face))
        info.face = face;
    return info;
}

}  // namespace

SUiDefInfo::SUiDefInfo(IResProvider* provider, LPCWSTR reference)
{
    m_defFont.style = kDefaultFontStyle;
    m_defFont.face = kDefaultFontFace;

    SStringW type;
    SStringW name;
    if (SplitResRef(reference, type, name) != 2) {
        WriteLog(kBadReferenceSite, L"warning!!!! Add ResProvider Error.");
        name.Empty();
    }
    if (!provider || name.IsEmpty() || provider->GetRawDataSize(type, name) == 0) {
        WriteLog(kNotFoundSite, L"warning!!!! uidef was not found in the specified resprovider");
        return;
    }
    pugi::xml_document document;
    if (!LoadResXml(provider, type, name, document)) {
        WriteLog(kNotXmlSite, L"warning!!! load uidef as xml document failed");
        return;
    }
    const pugi::xml_node uiDef = XmlChild(document, L"uidef");
    if (!uiDef) {
        WriteLog(kNoRootSite, L"warning!!! \"uidef\" element is not the root element of uidef xml");
        return;
    }
    Load(provider, uiDef);
}

SUiDefInfo::~SUiDefInfo() = default;

void SUiDefInfo::Load(IResProvider* provider, pugi::xml_node uiDef)
{
    m_defFont = ReadDefaultFont(XmlChild(uiDef, L"font"));

    // Each section inline, or the same section of the document its "src" names;
    // the documents live until every section is loaded.
    const wchar_t* const kSections[] = {L"string", L"color", L"skin", L"style", L"objattr"};
    pugi::xml_node sections[5];
    std::vector<std::unique_ptr<pugi::xml_document>> referenced;
    for (int i = 0; i < 5; ++i) {
        sections[i] = XmlChild(uiDef, kSections[i]);
        SStringW type;
        SStringW name;
        if (SplitResRef(XmlAttribute(sections[i], L"src").value(), type, name) != 2)
            continue;
        auto document = std::make_unique<pugi::xml_document>();
        if (!LoadResXml(provider, type, name, *document))
            continue;
        // A document without the section leaves the inline one in its place too.
        if (const pugi::xml_node section = XmlChild(*document, kSections[i])) {
            sections[i] = section;
            referenced.push_back(std::move(document));
        }
    }
    const pugi::xml_node& strings = sections[0];
    const pugi::xml_node& colors = sections[1];
    const pugi::xml_node& skins = sections[2];
    const pugi::xml_node& styles = sections[3];
    const pugi::xml_node& objAttr = sections[4];

    m_strings.LoadFromXml(strings);
    m_colors.LoadFromXml(colors);
    if (skins) {
        m_skinPool = SAutoRef<SSkinPool>::Adopt(new SSkinPool);
        m_skinPool->LoadSkins(skins);
        if (SSkinPoolMgr* const skinPools = SSkinPoolMgr::GetInstance())
            skinPools->PushPool(m_skinPool.Get());
    }
    if (styles) {
        m_stylePool = SAutoRef<SStylePool>::Adopt(new SStylePool);
        m_stylePool->LoadStyles(styles);
        if (SStylePoolMgr* const stylePools = SStylePoolMgr::GetInstance())
            stylePools->PushPool(m_stylePool.Get());
    }
    m_objDefAttr.LoadFromXml(objAttr, SApplication::GetInstance());
}

IUiDefInfo* SUiDef::SelectDefinition(IUiDefInfo* definition)
{
    if (definition != m_current.Get())
        m_current = definition;
    return m_current.Get();
}

}  // namespace SAKU
