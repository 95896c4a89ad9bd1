#include "sevenzip/ItemProperty.h"

#include "CPP/Windows/PropVariant.h"

namespace SevenZip::intl {

namespace {

using NWindows::NCOM::CPropVariant;

// The unsigned value of `prop`; nothing when it is no unsigned integer.
std::optional<uint64_t> UnsignedValue(const CPropVariant& prop)
{
    switch (prop.vt) {
    case VT_UI1: return prop.bVal;
    case VT_UI2: return prop.uiVal;
    case VT_UI4: return prop.ulVal;
    case VT_UI8: return prop.uhVal.QuadPart;
    default: return std::nullopt;
    }
}

// Reads the property and hands a present value to `take`, which answers whether
// its type fits.
template <typename Take>
HRESULT ReadProperty(IInArchive& reader, UInt32 index, PROPID id, Take take)
{
    CPropVariant prop;
    const HRESULT result = reader.GetProperty(index, id, &prop);
    if (result != S_OK)
        return FAILED(result) ? result : E_FAIL;
    if (prop.vt == VT_EMPTY)
        return S_OK;
    return take(prop) ? S_OK : E_FAIL;
}

}  // namespace

HRESULT ReadTextProperty(IInArchive& reader, UInt32 index, PROPID id, std::optional<std::wstring>& value)
{
    value.reset();
    return ReadProperty(reader, index, id, [&](const CPropVariant& prop) {
        if (prop.vt != VT_BSTR)
            return false;
        value.emplace(prop.bstrVal ? prop.bstrVal : L"", prop.bstrVal ? ::SysStringLen(prop.bstrVal) : 0);
        return true;
    });
}

HRESULT ReadBoolProperty(IInArchive& reader, UInt32 index, PROPID id, std::optional<bool>& value)
{
    value.reset();
    return ReadProperty(reader, index, id, [&](const CPropVariant& prop) {
        if (prop.vt != VT_BOOL)
            return false;
        value = prop.boolVal != VARIANT_FALSE;
        return true;
    });
}

HRESULT ReadUInt32Property(IInArchive& reader, UInt32 index, PROPID id, std::optional<uint32_t>& value)
{
    value.reset();
    return ReadProperty(reader, index, id, [&](const CPropVariant& prop) {
        if (prop.vt != VT_UI4)
            return false;
        value = prop.ulVal;
        return true;
    });
}

HRESULT ReadUIntProperty(IInArchive& reader, UInt32 index, PROPID id, std::optional<uint64_t>& value)
{
    value.reset();
    return ReadProperty(reader, index, id, [&](const CPropVariant& prop) {
        value = UnsignedValue(prop);
        return value.has_value();
    });
}

HRESULT ReadFileTimeProperty(IInArchive& reader, UInt32 index, PROPID id, std::optional<FILETIME>& value)
{
    value.reset();
    return ReadProperty(reader, index, id, [&](const CPropVariant& prop) {
        if (prop.vt != VT_FILETIME)
            return false;
        value = prop.filetime;
        return true;
    });
}

HRESULT ReadListedPath(IInArchive& reader, UInt32 index, std::wstring& path)
{
    path.clear();
    return ReadProperty(reader, index, kpidPath, [&](const CPropVariant& prop) {
        if (prop.vt == VT_BSTR && prop.bstrVal)
            path.assign(prop.bstrVal, ::SysStringLen(prop.bstrVal));
        return true;
    });
}

HRESULT ReadListedSize(IInArchive& reader, UInt32 index, uint64_t& size)
{
    size = 0;
    return ReadProperty(reader, index, kpidSize, [&](const CPropVariant& prop) {
        size = UnsignedValue(prop).value_or(0);
        return true;
    });
}

}  // namespace SevenZip::intl
