#pragma once

// The tests of windows and controls host their trees on tests/support's windowless
// host with a canvas of its own; a window that draws outside painting gets a
// target of its own, copied onto the canvas at release, as from a host window.
// Beside it, a test window that logs the messages it is sent and can answer the
// questions controls answer (groups, dialog codes).

#include "core/IAcceleratorMgr.h"
#include "core/SWindow.h"

#include "WindowlessHost.h"

#include <string>
#include <vector>

namespace saku_test {

// What a test window was sent, in order: "name:message" for the messages a test
// names (see MessageName), over all windows that share the log.
using MessageLog = std::vector<std::wstring>;

const wchar_t* MessageName(UINT message);

class TestHost : public tivala::test::WindowlessHost {
public:
    // A host of the size under the running application, its root laid out to
    // (0, 0, width, height).
    TestHost(int width, int height);
};

// A window that logs the messages named by MessageName, then handles them as
// SWindow does. It can be made an auto-grouped sibling (as a radio box is: the
// selected one of its group is the checked one) and can ask for keys itself.
class STestWnd : public SAKU::SWindow {
public:
    STestWnd(const wchar_t* name, MessageLog* log) : m_label(name), m_log(log) {}

    void SetGrouped(bool grouped) { m_grouped = grouped; }
    void SetDlgCode(UINT code) { m_dlgCode = code; }
    const std::wstring& Label() const { return m_label; }
    // The lParam of the last message of that kind, -1 when none came.
    LPARAM LastLParam(UINT message) const;

    // SWindow overrides
    BOOL IsSiblingsAutoGrouped() const override { return m_grouped; }
    SAKU::SWindow* GetSelectedSiblingInGroup() override;
    UINT OnGetDlgCode() const override { return m_dlgCode; }
    BOOL ProcessSwndMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    std::wstring m_label;
    MessageLog* m_log;
    bool m_grouped = false;
    UINT m_dlgCode = 0;
    std::vector<std::pair<UINT, LPARAM>> m_received;
};

// Makes a test window, inserts it as the last child of `parent` and places it at
// `rect` (host coordinates); the parent holds it.
STestWnd* AddTestWnd(SAKU::SWindow* parent, const wchar_t* name, RECT rect, MessageLog* log, bool focusable = false);

// An accelerator target that records what it was offered (and its name in a
// shared log) and takes the key when told to.
class RecordingTarget : public SAKU::IAcceleratorTarget {
public:
    RecordingTarget(const char* name, std::vector<std::string>* log, bool takes)
        : m_name(name), m_log(log), m_takes(takes) {}

    bool OnAcceleratorPressed(const SAKU::CAccelerator& accelerator) override
    {
        m_offered.push_back(accelerator.GetPacked());
        if (m_log)
            m_log->push_back(m_name);
        return m_takes;
    }

    std::vector<DWORD> m_offered;

private:
    const char* m_name;
    std::vector<std::string>* m_log;
    bool m_takes;
};

// Sets the keys as held in the thread's keyboard state, as GetKeyState reads them,
// for its lifetime.
class HeldKeys {
public:
    explicit HeldKeys(std::initializer_list<int> keys);
    ~HeldKeys();
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

private:
    BYTE m_saved[256] = {};
};

}  // namespace saku_test
