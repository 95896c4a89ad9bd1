#include "sevenzip/DecoderThreads.h"

#include "sevenzip/ComObject.h"
#include "sevenzip/ItemProperty.h"

#include "CPP/7zip/Archive/IArchive.h"
#include "CPP/Windows/PropVariant.h"

#include <algorithm>
#include <cwctype>
#include <map>

namespace SevenZip::intl {

namespace {

// The part size in which 7-Zip's LZMA2 compressor and threaded decoder both cut
// a block: four dictionaries, held to 1 MB..256 MB and rounded up to whole MB.
uint64_t Lzma2PartSize(uint64_t dictionary)
{
    constexpr uint64_t kMin = uint64_t{1} << 20;
    constexpr uint64_t kMax = uint64_t{1} << 28;
    uint64_t size = std::clamp(dictionary * 4, kMin, kMax);
    size = std::max(size, dictionary);
    return (size + kMin - 1) & ~(kMin - 1);
}

}  // namespace

uint64_t Lzma2DictionarySize(const std::wstring& method)
{
    constexpr wchar_t kName[] = L"LZMA2:";
    size_t at = 0;
    // The name starts the text or follows a blank ("BCJ LZMA2:25").
    while ((at = method.find(kName, at)) != std::wstring::npos && at > 0 && method[at - 1] != L' ')
        ++at;
    if (at == std::wstring::npos)
        return 0;
    size_t i = at + std::size(kName) - 1;
    uint64_t number = 0;
    const size_t digits = i;
    while (i < method.size() && std::iswdigit(method[i]) && number < (uint64_t{1} << 32))
        number = number * 10 + (method[i++] - L'0');
    if (i == digits)
        return 0;
    const wchar_t unit = i < method.size() ? method[i] : L' ';
    if (unit == L'k')
        return number << 10;
    if (unit == L'm')
        return number << 20;
    if (unit == L'b')
        return number;
    return number < 64 ? uint64_t{1} << number : 0;   // a power of two
}

bool SomeBlockDecodesInParallel(const std::vector<SolidBlock>& blocks)
{
    return std::any_of(blocks.begin(), blocks.end(), [](const SolidBlock& block) {
        const uint64_t dictionary = Lzma2DictionarySize(block.method);
        return dictionary == 0 || block.size > Lzma2PartSize(dictionary);
    });
}

HRESULT ReadSolidBlocks(IInArchive& reader, std::vector<SolidBlock>& blocks)
{
    blocks.clear();
    UInt32 count = 0;
    HRESULT result = reader.GetNumberOfItems(&count);
    if (result != S_OK)
        return FAILED(result) ? result : E_FAIL;
    std::map<uint32_t, SolidBlock> byIndex;
    for (UInt32 i = 0; i < count; ++i) {
        std::optional<uint32_t> index;
        result = ReadUInt32Property(reader, i, kpidBlock, index);
        if (result != S_OK)
            return result;
        if (!index)
            continue;   // an item without data (a folder, an empty file)
        std::optional<uint64_t> size;
        std::optional<std::wstring> method;
        result = ReadUIntProperty(reader, i, kpidSize, size);
        if (result == S_OK)
            result = ReadTextProperty(reader, i, kpidMethod, method);
        if (result != S_OK)
            return result;
        SolidBlock& block = byIndex[*index];
        block.size += size.value_or(0);
        if (method)
            block.method = *method;
    }
    for (auto& entry : byIndex)
        blocks.push_back(std::move(entry.second));
    return S_OK;
}

HRESULT FitDecoderThreads(IInArchive& reader)
{
    std::vector<SolidBlock> blocks;
    const HRESULT result = ReadSolidBlocks(reader, blocks);
    if (result != S_OK)
        return result;
    if (blocks.empty() || SomeBlockDecodesInParallel(blocks))
        return S_OK;
    TComPtr<ISetProperties> settings;
    if (reader.QueryInterface(IID_ISetProperties, settings.PutVoid()) != S_OK)
        return S_OK;
    const wchar_t* const names[] = {L"mt"};
    NWindows::NCOM::CPropVariant values[1];
    values[0] = static_cast<UInt32>(1);
    return settings->SetProperties(names, values, 1);
}

}  // namespace SevenZip::intl
