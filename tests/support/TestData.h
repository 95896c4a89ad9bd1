#pragma once

#include <cstddef>
#include <string>
#include <vector>

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

// The lines of a program's output, without their "\n" or "\r\n"; a last line
// without an end counts too.
inline std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

}  // namespace tivala::test
