#pragma once

#include <optional>
#include <string>

namespace tivala::test {

class ScratchDir;

// Runs a command of the Linux host (archive tools, image tools, the Python test
// servers) from a test program under Wine. Wine starts host programs detached,
// without a process handle to wait on, so a small shell script reports the exit
// status through a file that it writes last.
class HostCommand {
public:
    // Runs `command` with sh in the host folder `unixDir` and waits at most
    // `timeoutMs`. Returns its exit status, or nothing when it could not be
    // started or did not end in time. `output` receives its stdout and stderr.
    static std::optional<int> Run(const std::string& command, const std::string& unixDir,
                                  unsigned timeoutMs = 60000, std::string* output = nullptr);

    // Starts `command` with sh from a script written into `dir`, which must
    // outlive the command, and returns at once; false when Wine refused.
    static bool Start(const std::string& command, const ScratchDir& dir);

    // The tag that tools/wine-run gives this run; host processes that carry it on
    // their command line are ended when the test program ends, whatever happens.
    static std::string RunTag();
};

// Waits until the file exists; false after `timeoutMs`.
bool WaitForFile(const std::wstring& path, unsigned timeoutMs);

}  // namespace tivala::test
