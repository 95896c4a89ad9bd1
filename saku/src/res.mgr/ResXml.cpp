#include "res.mgr/ResXml.h"

#include "res.mgr/IResProvider.h"
#include "res.mgr/SResProviderMgr.h"

#include <memory>
#include <new>

namespace SAKU {

namespace {

// `source` is a provider or the manager: both read raw data by (type, name).
template <typename Source>
bool LoadXmlFrom(Source& source, LPCWSTR type, LPCWSTR name, pugi::xml_document& document)
{
    const size_t size = source.GetRawDataSize(type, name);
    if (size == 0)
        return false;
    std::unique_ptr<char[]> bytes(new (std::nothrow) char[size]);
    if (!bytes || !source.GetRawData(type, name, bytes.get(), size))
        return false;
    return static_cast<bool>(document.load_buffer(bytes.get(), size, pugi::parse_default, pugi::encoding_utf8));
}

}  // namespace

bool LoadResXml(IResProvider* provider, LPCWSTR type, LPCWSTR name, pugi::xml_document& document)
{
    return LoadXmlFrom(*provider, type, name, document);
}

bool LoadResXml(SResProviderMgr& manager, LPCWSTR type, LPCWSTR name, pugi::xml_document& document)
{
    return LoadXmlFrom(manager, type, name, document);
}

}  // namespace SAKU
