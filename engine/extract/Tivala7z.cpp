#include "extract/Tivala7z.h"

#include "sysutil/HandOver.h"

#include <algorithm>
#include <limits>
#include <memory>

namespace tivala {

Tivala7z::Tivala7z() = default;

Tivala7z::Tivala7z(HWND window, UINT fileMessage, UINT percentMessage, const std::wstring& label)
    : m_fileMessage(fileMessage), m_percentMessage(percentMessage), m_window(window), m_label(label)
{
}

Tivala7z::~Tivala7z() = default;

void Tivala7z::OnStart(const std::wstring& /*path*/, uint64_t totalBytes)
{
    m_total = totalBytes;
    m_postedPercent = kNothingPosted;
}

void Tivala7z::OnProgress(uint64_t inSize, uint64_t /*outSize*/)
{
    if (!m_window || !m_percentMessage)
        return;
    const uint64_t total = m_total;
    double percent = total == 0 ? 0.0 : static_cast<double>(inSize) / static_cast<double>(total) * 100.0;
    // A total far below the packed size must not overflow the conversion.
    percent = std::min(percent, static_cast<double>(std::numeric_limits<uint32_t>::max()));
    const uint32_t whole = static_cast<uint32_t>(percent);
    // The library reports every few blocks, hundreds of times per archive; each
    // post wakes the UI thread, which has nothing new to show until the
    // percentage moves.
    if (m_postedPercent.exchange(whole) == whole)
        return;
    // A lost percentage only leaves the display behind until the next one.
    (void)PostRecord(m_window, m_percentMessage, static_cast<WPARAM>(whole), std::make_unique<std::wstring>(m_label));
}

void Tivala7z::OnFileDone(const std::wstring& path, uint64_t /*size*/)
{
    PostFileName(path);
}

void Tivala7z::OnDone(const std::wstring& /*path*/)
{
    PostFileName(std::wstring());
}

void Tivala7z::PostFileName(const std::wstring& path) const
{
    if (!m_window || !m_fileMessage)
        return;
    // A lost name only leaves the display behind; the record dies with the failed post.
    (void)PostRecordInWParam(m_window, m_fileMessage, std::make_unique<std::wstring>(path), 0);
}

}  // namespace tivala
