#pragma once

#include "core/SSingleton.h"

#include "Win32Handles.h"

#include <windows.h>

struct ITextHost;

namespace SAKU {

// The interface ids of the text services and their host, which the platform's
// import libraries do not carry.
extern const IID kIID_ITextServices;   // {8D33F740-CF58-11CE-A89D-00AA006CADC5}
extern const IID kIID_ITextHost;       // {C5BDD8D0-D26E-11CE-A89E-00AA006CADC5}

// The process-wide loader of the Windows rich-edit text services (riched20.dll)
// that every edit box draws on. The library stays loaded while the helper lives.
// Made once by the application and destroyed with it. UI thread.
class STextServiceHelper : public SSingleton<STextServiceHelper> {
public:
    // Makes the helper unless one exists; true when it was made now.
    static bool Init();
    // Deletes the helper; nothing when there is none.
    static void Destroy();

    // Whether the library and its factory function were found.
    bool IsLoaded() const { return m_create != nullptr; }
    // Text services for `host` (not aggregated), their IUnknown into `services`;
    // E_FAIL with `services` null when the library or the function is missing.
    [[nodiscard]] HRESULT CreateTextServices(ITextHost* host, IUnknown** services) const;

private:
    using CreateFunction = HRESULT(WINAPI*)(IUnknown* outer, ITextHost* host, IUnknown** services);

    STextServiceHelper();

    UniqueModule m_module;
    CreateFunction m_create = nullptr;
};

}  // namespace SAKU
