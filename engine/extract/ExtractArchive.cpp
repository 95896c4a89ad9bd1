#include "extract/ExtractArchive.h"

#include "extract/Tivala7z.h"
#include "sevenzip/SevenZipExtractor.h"
#include "sysutil/SysUtilPath.h"
#include "Win32Handles.h"

#include <windows.h>

#include <cstdio>

namespace tivala {

namespace {

// A temporary file that is deleted when the object dies.
class TemporaryFile {
public:
    explicit TemporaryFile(std::wstring path) : m_path(std::move(path)) {}
    ~TemporaryFile()
    {
        if (!m_path.empty())
            ::DeleteFileW(m_path.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::wstring& Path() const { return m_path; }

private:
    std::wstring m_path;
};

// Replaces the file's content with the bytes; false unless every byte reached it.
bool WriteWholeFile(const std::wstring& path, const void* bytes, size_t count)
{
    UniqueStdioFile file(::_wfopen(path.c_str(), L"wb"));
    if (!file)
        return false;
    const bool written = std::fwrite(bytes, 1, count, file.Get()) == count;
    // Closing flushes; a failure there loses bytes as surely as a short write.
    return std::fclose(file.Release()) == 0 && written;
}

}  // namespace

bool ExtractArchiveFile(Tivala7z& sink, const std::wstring& archivePath, const std::wstring& destination)
{
    SevenZip::SevenZipExtractor extractor;
    extractor.SetArchivePath(archivePath);
    SevenZip::ProgressCallback* const progress = sink.TargetWindow() ? &sink : nullptr;
    return extractor.ExtractArchive(destination, progress, nullptr) == SevenZip::kExtractOk;
}

bool ExtractArchiveBuffer(Tivala7z& sink, const void* bytes, size_t count, const std::wstring& destination)
{
    if (!bytes || count == 0)
        return false;
    const TemporaryFile archive(SysUtil::MakeTempFileName(L""));
    if (archive.Path().empty() || !WriteWholeFile(archive.Path(), bytes, count))
        return false;
    return ExtractArchiveFile(sink, archive.Path(), destination);
}

}  // namespace tivala
