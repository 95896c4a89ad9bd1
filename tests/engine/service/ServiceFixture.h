#pragma once

#include "ScratchDir.h"
#include "TestWindow.h"

#include "service/ModuleRecord.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tivala::test {

// One wizard message as the test's wizard window received it, its record adopted
// and deleted there (every field that the message's record carries).
struct WizardMessage {
    UINT message = 0;
    WPARAM wParam = 0;
    bool hasRecord = false;
    int percent = 0;
    int64_t done = 0;
    int64_t total = 0;
    int index = 0;       // ThemeMigrationProgress
    int count = 0;       // ThemeMigrationProgress
    int unpacked = 0;    // UnpackProgress
    int selected = 0;    // UnpackProgress
    std::wstring name;   // a module, a file, or the moved theme folder
    std::wstring destination;
};

// The install service initialised for a test: its wizard is a window of the test
// thread that records each wizard message, and its data directory a scratch
// folder (written before Init when `devConfig` is given). The module list,
// earlier installation and editions start empty; the test thread pumps.
class ServiceFixture {
public:
    explicit ServiceFixture(const std::string& devConfig = {});
    ~ServiceFixture();
    ServiceFixture(const ServiceFixture&) = delete;
    ServiceFixture& operator=(const ServiceFixture&) = delete;

    HWND ServiceWindow() const;
    const ScratchDir& Scratch() const { return m_scratch; }
    std::wstring DataDir() const { return m_scratch.File(L"data"); }
    const std::vector<WizardMessage>& Received() const { return m_received; }
    // Pumps until a wizard message `message` arrives (true) or `timeoutMs` passes.
    bool PumpUntil(UINT message, unsigned timeoutMs = 60000);
    // Pumps until the installation ended: 0x507, or a failure (0x503 or 0x504 with
    // wParam 0), among the messages that arrive from now on.
    bool PumpUntilInstallEnds(unsigned timeoutMs = 240000);

private:
    void OnWizardMessage(UINT message, WPARAM wParam, LPARAM lParam);

    ScratchDir m_scratch;
    std::vector<WizardMessage> m_received;
    TestWindow m_wizard;
};

// A module record with the fields the service's lookups and sums read.
ModuleRecord Module(const std::wstring& appPath, bool selected, int64_t downloadSize = 0,
                    int64_t downloadedBytes = 0, bool unpacked = false);

}  // namespace tivala::test
