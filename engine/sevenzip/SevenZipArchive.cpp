#include "sevenzip/SevenZipArchive.h"

#include "sevenzip/ArchiveReader.h"
#include "sevenzip/InStreamWrapper.h"

#include <algorithm>
#include <new>

namespace SevenZip {

bool SevenZipArchive::SetArchivePath(const std::wstring& path)
{
    m_archivePath = path;
    return true;
}

bool SevenZipArchive::ReadMetadata()
{
    bool formatKnown = true;
    if (!m_formatExplicit)
        formatKnown = DetectFormat();
    const bool listed = ListItems();
    return formatKnown && listed;
}

void SevenZipArchive::SetFormat(int format)
{
    m_format = format;
    m_formatExplicit = true;
    m_metadataRead = false;
}

int SevenZipArchive::GetFormat()
{
    if (!m_metadataRead && !m_formatExplicit)
        m_metadataRead = ReadMetadata();
    return m_format;
}

void SevenZipArchive::SetCompressionLevel(int level)
{
    m_compressionLevel = level;
}

int SevenZipArchive::GetCompressionLevel() const
{
    return m_compressionLevel;
}

void SevenZipArchive::SetFlag(bool flag)
{
    m_flag = flag;
}

bool SevenZipArchive::GetFlag() const
{
    return m_flag;
}

bool SevenZipArchive::DetectFormat()
{
    m_formatExplicit = false;
    TComPtr<intl::InStreamWrapper> stream;
    if (intl::InStreamWrapper::OpenFile(m_archivePath, stream) != S_OK)
        return false;
    std::vector<int> candidates = {m_format, kFormat7z, kFormatLzma86, kFormatLzma, kFormatCab, kFormatZip};
    // The current format goes first and only once.
    const auto later = std::find(candidates.rbegin(), candidates.rend() - 1, m_format);
    if (later != candidates.rend() - 1)
        candidates.erase(std::next(later).base());
    const UInt64 archiveAtStart = 0;
    for (const int candidate : candidates) {
        m_format = candidate;
        TComPtr<IInArchive> reader;
        const HRESULT result = intl::OpenReader(candidate, *stream.Get(), &archiveAtStart, nullptr, reader);
        if (reader)
            reader->Close();
        if (result == S_OK)
            return true;
    }
    m_format = kFormatNone;
    return false;
}

uint32_t SevenZipArchive::GetItemCount()
{
    EnsureMetadata();
    return m_itemCount;
}

std::vector<std::wstring> SevenZipArchive::GetItemNames()
{
    EnsureMetadata();
    return m_itemNames;
}

std::vector<uint32_t> SevenZipArchive::GetItemSizes()
{
    EnsureMetadata();
    return m_itemSizes;
}

bool SevenZipArchive::ListItems()
{
    TComPtr<intl::InStreamWrapper> stream;
    if (intl::InStreamWrapper::OpenFile(m_archivePath, stream) != S_OK)
        return false;
    TComPtr<IInArchive> reader;
    if (intl::OpenReader(m_format, *stream.Get(), nullptr, nullptr, reader) != S_OK)
        return false;
    std::vector<std::wstring> paths;
    std::vector<uint64_t> sizes;
    try {
        if (intl::ListItems(*reader.Get(), paths, sizes) != S_OK)
            return false;
        m_itemNames = std::move(paths);
        m_itemSizes.assign(sizes.size(), 0);
        std::transform(sizes.begin(), sizes.end(), m_itemSizes.begin(),
                       [](uint64_t size) { return static_cast<uint32_t>(size); });
    } catch (const std::bad_alloc&) {
        return false;
    }
    m_itemCount = static_cast<uint32_t>(m_itemNames.size());
    reader->Close();
    return true;
}

void SevenZipArchive::EnsureMetadata()
{
    if (!m_metadataRead)
        m_metadataRead = ReadMetadata();
}

}  // namespace SevenZip
