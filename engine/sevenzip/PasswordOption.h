#pragma once

#include <string>

namespace SevenZip {

// The password that an extraction hands to the library when it asks for one.
// Without a defined password every request is refused and the extraction aborts.
struct PasswordOption {
    bool passwordDefined = false;
    std::wstring password;
};

}  // namespace SevenZip
