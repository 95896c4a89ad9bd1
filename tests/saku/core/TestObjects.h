#pragma once

// Objects of the tests' own, shaped like the library's classes.

#include "core/IObjRef.h"
#include "core/SObjectImpl.h"

#include <string>
#include <vector>

namespace saku_test {

// An IObject first, counted through TObjRefImpl2, as windows are.
template <typename Self>
class STestObject : public SAKU::SObjectImpl<SAKU::IObject>, public SAKU::TObjRefImpl2<SAKU::IObjRef, Self> {
};

// A window that records the attributes it is given, in order, as "name=value".
template <typename Self>
class STestRecordingWindow : public STestObject<Self> {
public:
    HRESULT ApplyAttribute(const SAKU::SStringW& name, const SAKU::SStringW& value, BOOL) override
    {
        m_applied.push_back(std::wstring(name.c_str()) + L"=" + value.c_str());
        return S_OK;
    }

    std::vector<std::wstring> m_applied;
};

}  // namespace saku_test
