#pragma once

#include <string>

namespace tivala::test {

// A fresh folder under the Windows temporary folder, removed with everything in
// it when the object dies. When no folder can be made, the constructor throws,
// which fails the test that asked for it.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::wstring& Path() const { return m_path; }
    std::wstring File(const std::wstring& name) const { return m_path + L"\\" + name; }
    std::string UnixPath() const;

    // Writes `bytes` to the file `name` in the folder, creating subfolders.
    bool Write(const std::wstring& name, const std::string& bytes) const;
    // The whole file, or nothing when it cannot be read.
    static bool Read(const std::wstring& path, std::string& bytes);

private:
    std::wstring m_path;
};

}  // namespace tivala::test
