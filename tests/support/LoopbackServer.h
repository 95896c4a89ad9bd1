#pragma once

#include "ScratchDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tivala::test {

// One line of a server's request log, "requests.log" in its control folder.
struct LoggedRequest {
    std::string method;
    std::string path;
    std::string range;   // the Range header's value, empty when there was none
};

// One of the Python servers of tests/servers/, listening on 127.0.0.1 at a port
// it chose itself, for the lifetime of the object. The destructor stops it and
// waits for it to go.
class LoopbackServer {
public:
    // `script` is a file name in tests/servers/; `args` are host-side arguments.
    LoopbackServer(const std::wstring& script, const std::vector<std::string>& args);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    // Success once the server listens; otherwise a failure that says why, with
    // the server's own output, for ASSERT_TRUE.
    testing::AssertionResult Started() const;
    int Port() const { return m_port; }
    // "http://127.0.0.1:PORT" followed by `path`.
    std::string Url(const std::string& path) const;

    // The file `name` in the control folder, where the server reads its
    // instructions and writes its records.
    std::wstring ControlFile(const std::wstring& name) const { return m_control.File(name); }
    // Replaces the control file `name` in one step, so that the server never
    // reads half of it.
    [[nodiscard]] bool WriteControlFile(const std::wstring& name, const std::string& bytes) const;
    // The requests that the server logged so far, oldest first.
    std::vector<LoggedRequest> Requests() const;

private:
    ScratchDir m_control;   // port, stop and exit files
    int m_port = 0;
    std::string m_failure;   // why it did not start
};

}  // namespace tivala::test
