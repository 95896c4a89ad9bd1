#include "res.mgr/ResXml.h"

#include "res.mgr/IResProvider.h"

#include <memory>
#include <new>

namespace SAKU {

bool LoadResXml(IResProvider* provider, LPCWSTR type, LPCWSTR name, pugi::xml_document& document)
{
    const size_t size = provider->GetRawDataSize(type, name);
    if (size == 0)
        return false;
    std::unique_ptr<char[]> bytes(new (std::nothrow) char[size]);
    if (!bytes || !provider->GetRawData(type, name, bytes.get(), size))
        return false;
    return static_cast<bool>(document.load_buffer(bytes.get(), size, pugi::parse_default, pugi::encoding_utf8));
}

}  // namespace SAKU
