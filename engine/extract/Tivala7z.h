#pragma once

#include "sevenzip/ProgressCallback.h"

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>

namespace tivala {

// The installer's extraction sink: posts to a window (the install service's) each
// finished item's path, then an empty path when the archive is done, and the
// running percentage with the module's label; the window takes over the posted
// strings. The caller names the two messages, which the window's owner defines:
// the file message carries the path in wParam, the percent message the
// percentage in wParam and the label in lParam; a message of 0 is never posted.
// Lives on the stack of the thread that extracts; its callbacks only allocate
// and post, so the UI thread never waits for them. OnProgress may also come from
// a decoder thread.
class Tivala7z final : public SevenZip::ProgressCallback {
public:
    // A sink that posts nothing.
    Tivala7z();
    Tivala7z(HWND window, UINT fileMessage, UINT percentMessage, const std::wstring& label);
    ~Tivala7z();
    Tivala7z(const Tivala7z&) = delete;
    Tivala7z& operator=(const Tivala7z&) = delete;

    // The extraction helpers hand the sink to the extractor only when it has a window.
    HWND TargetWindow() const { return m_window; }

    // SevenZip::ProgressCallback
    void OnStart(const std::wstring& path, uint64_t totalBytes) override;
    // Posts in size / total as a percentage when it differs from the last one
    // posted. The in size counts packed bytes and the total unpacked ones, so
    // well-compressed archives end below 100.
    void OnProgress(uint64_t inSize, uint64_t outSize) override;
    void OnFileDone(const std::wstring& path, uint64_t size) override;
    void OnDone(const std::wstring& path) override;

    // Kept for callers of the sink's full interface; nothing calls them.
    virtual void OnReserved1() {}
    virtual void OnReserved2() {}

private:
    void PostFileName(const std::wstring& path) const;

    UINT m_fileMessage = 0;
    UINT m_percentMessage = 0;
    HWND m_window = nullptr;
    std::wstring m_label;
    std::atomic<uint64_t> m_total{0};
    static constexpr uint64_t kNothingPosted = UINT64_MAX;   // above every 32-bit percentage
    std::atomic<uint64_t> m_postedPercent{kNothingPosted};
};

}  // namespace tivala
