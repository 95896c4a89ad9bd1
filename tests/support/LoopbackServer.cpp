#include "LoopbackServer.h"

#include "HostCommand.h"
#include "TestPaths.h"
#include "WinePath.h"

#include <windows.h>

#include <cstdlib>
#include <sstream>

namespace tivala::test {

namespace {

constexpr unsigned kStartTimeoutMs = 20000;
constexpr unsigned kStopTimeoutMs = 10000;

}  // namespace

LoopbackServer::LoopbackServer(const std::wstring& script, const std::vector<std::string>& args)
{
    const std::string control = m_control.UnixPath();
    std::string command = "exec python3 " + ShellQuote(UnixPath(std::wstring(kTestsDir) + L"\\servers\\" + script)) +
                          " --control " + ShellQuote(control);
    const std::string tag = HostCommand::RunTag();
    if (!tag.empty())
        command += " --run-tag " + ShellQuote(tag);
    for (const auto& arg : args)
        command += " " + ShellQuote(arg);
    command += " > " + ShellQuote(control + "/log") + " 2>&1";
    const std::string name = Utf8(script);
    if (!HostCommand::Start(command, m_control)) {
        m_failure = "Wine did not start the server " + name;
        return;
    }
    if (!WaitForFile(m_control.File(L"port"), kStartTimeoutMs)) {
        std::string log;
        ScratchDir::Read(m_control.File(L"log"), log);
        m_failure = "the server " + name + " did not listen within " + std::to_string(kStartTimeoutMs / 1000) +
                    " s; its output:\n" + log;
        return;
    }
    std::string port;
    if (ScratchDir::Read(m_control.File(L"port"), port))
        m_port = std::atoi(port.c_str());
    if (m_port == 0)
        m_failure = "the server " + name + " wrote no port: \"" + port + "\"";
}

LoopbackServer::~LoopbackServer()
{
    if (!m_port)
        return;
    m_control.Write(L"stop", "");
    WaitForFile(m_control.File(L"exited"), kStopTimeoutMs);
}

testing::AssertionResult LoopbackServer::Started() const
{
    if (m_port != 0)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << m_failure;
}

std::string LoopbackServer::Url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

bool LoopbackServer::WriteControlFile(const std::wstring& name, const std::string& bytes) const
{
    const std::wstring part = name + L".part";
    return m_control.Write(part, bytes) &&
           ::MoveFileExW(m_control.File(part).c_str(), m_control.File(name).c_str(), MOVEFILE_REPLACE_EXISTING);
}

std::vector<LoggedRequest> LoopbackServer::Requests() const
{
    std::vector<LoggedRequest> requests;
    std::string log;
    if (!ScratchDir::Read(m_control.File(L"requests.log"), log))
        return requests;
    std::istringstream lines(log);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        LoggedRequest request;
        std::getline(fields, request.method, '\t');
        std::getline(fields, request.path, '\t');
        std::getline(fields, request.range);
        requests.push_back(request);
    }
    return requests;
}

}  // namespace tivala::test
