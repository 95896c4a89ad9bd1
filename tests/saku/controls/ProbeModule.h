#pragma once

// The tests' probe control, loaded from beside the test program and registered
// for the life of a ProbeModule; what the probe's host called, read back from it.

#include "ProbeControl.h"
#include "TestProgram.h"

#include "Win32Handles.h"

#include <windows.h>

#include <sstream>
#include <string>
#include <vector>

namespace saku_test {

using Lines = std::vector<std::wstring>;

// The probe's module, loaded from beside the test program and registered for
// the life of the object.
class ProbeModule {
public:
    ProbeModule() : m_module(::LoadLibraryW(tivala::test::BesideTestProgram(probe::kModuleName).c_str()))
    {
        if (!m_module)
            return;
        m_registered = SUCCEEDED(Call<HRESULT (*)()>("DllRegisterServer")());
        Call<probe::ResetFunction>("ProbeReset")();
    }
    ~ProbeModule()
    {
        if (m_registered)
            (void)Call<HRESULT (*)()>("DllUnregisterServer")();   // a failure leaves keys the next run writes again
    }
    ProbeModule(const ProbeModule&) = delete;
    ProbeModule& operator=(const ProbeModule&) = delete;

    bool Ready() const { return m_registered; }

    // The calls recorded since the module was loaded, one a line; those named in
    // `skipped` (by their first word) left out.
    Lines Log(const std::vector<std::wstring>& skipped = {}) const
    {
        Lines lines;
        std::wstringstream text(Call<probe::LogFunction>("ProbeLog")());
        for (std::wstring line; std::getline(text, line);) {
            bool skip = false;
            for (const std::wstring& word : skipped)
                skip |= line.compare(0, word.size(), word) == 0;
            if (!skip)
                lines.push_back(line);
        }
        return lines;
    }
    bool Logged(const std::wstring& line) const
    {
        for (const std::wstring& logged : Log()) {
            if (logged == line)
                return true;
        }
        return false;
    }
    LONG Objects() const { return Call<probe::CountFunction>("ProbeObjects")(); }
    LONG References() const { return Call<probe::CountFunction>("ProbeReferences")(); }
    LONG Locks() const { return Call<probe::CountFunction>("ProbeLocks")(); }
    void KeepSite() const { Call<probe::KeepSiteFunction>("ProbeKeepSite")(TRUE); }
    IOleClientSite* KeptSite() const { return Call<probe::KeptSiteFunction>("ProbeKeptSite")(); }
    void DropSite() const { Call<probe::DropSiteFunction>("ProbeDropSite")(); }

private:
    template <typename Function>
    Function Call(const char* name) const
    {
        return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(m_module.Get(), name)));
    }

    UniqueModule m_module;
    bool m_registered = false;
};

}  // namespace saku_test
