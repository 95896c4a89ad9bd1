#pragma once

#include <objbase.h>

namespace tivala::test {

// COM (single-threaded apartment) on the test's thread for the test's duration.
class ComForTest {
public:
    ComForTest() : m_result(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComForTest()
    {
        if (SUCCEEDED(m_result))
            ::CoUninitialize();
    }
    ComForTest(const ComForTest&) = delete;
    ComForTest& operator=(const ComForTest&) = delete;

private:
    HRESULT m_result;
};

}  // namespace tivala::test
