#pragma once

#include "sevenzip/ArchiveFormat.h"

#include <cstdint>
#include <string>
#include <vector>

namespace SevenZip {

// What an archive file is: its format, detected or set, and on request its items'
// names and sizes, read lazily. Every operation opens the file afresh and
// releases all it opened before returning. Made on the stack for one archive; one
// thread at a time.
class SevenZipArchive {
public:
    SevenZipArchive() = default;
    virtual ~SevenZipArchive() = default;
    SevenZipArchive(const SevenZipArchive&) = delete;
    SevenZipArchive& operator=(const SevenZipArchive&) = delete;

    // Stores the path only (always true); metadata already read stays.
    virtual bool SetArchivePath(const std::wstring& path);
    // Detects the format unless it was set, then lists the items; true when both worked.
    [[nodiscard]] virtual bool ReadMetadata();
    // Fixes the format: it is no longer detected when the metadata is read.
    virtual void SetFormat(int format);
    // The format code (ArchiveFormat.h), detected first unless set or read already.
    virtual int GetFormat();
    virtual void SetCompressionLevel(int level);
    virtual int GetCompressionLevel() const;
    virtual void SetFlag(bool flag);
    virtual bool GetFlag() const;
    // Tries the current format, then 7z, lzma86, lzma, cab and zip, each only at the
    // start of the file; keeps the first that opens. False when none does (format
    // 0) or the file cannot be opened (format unchanged).
    [[nodiscard]] virtual bool DetectFormat();
    virtual uint32_t GetItemCount();
    virtual std::vector<std::wstring> GetItemNames();   // "" for an item without a path
    virtual std::vector<uint32_t> GetItemSizes();       // the low 32 bits of each size

protected:
    const std::wstring& ArchivePath() const { return m_archivePath; }
    int CurrentFormat() const { return m_format; }   // without detecting

private:
    bool ListItems();
    void EnsureMetadata();

    bool m_flag = false;
    bool m_metadataRead = false;
    bool m_formatExplicit = false;
    std::wstring m_archivePath;
    int m_format = kFormat7z;
    int m_compressionLevel = 0;
    uint32_t m_itemCount = 0;
    std::vector<std::wstring> m_itemNames;
    std::vector<uint32_t> m_itemSizes;
};

}  // namespace SevenZip
