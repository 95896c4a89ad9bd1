#pragma once

#include <cstddef>
#include <string>

namespace tivala::test {

// `size` bytes of a pattern that repeats only after a long stretch, so that a
// piece written at the wrong offset cannot pass for the right one.
inline std::string PatternBytes(size_t size)
{
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(i * 7 + i / 251);
    return bytes;
}

}  // namespace tivala::test
