#pragma once

#include "LoopbackServer.h"

#include <string>
#include <vector>

namespace tivala::test {

// One POST as the report server of tests/servers/ recorded it, byte for byte.
struct ReceivedPost {
    std::string requestLine;   // "POST /collect/install HTTP/1.1", without its CRLF
    std::string head;          // the request line and the header lines, each with its CRLF
    std::string body;
};

// The posts that the report server has recorded, in the order they arrived.
std::vector<ReceivedPost> ReceivedPosts(const LoopbackServer& server);

// One report that a test expects the server to have received.
struct ExpectedPost {
    const char* path;   // "/collect/install" or "/channel/save"
    std::string body;
};

// Expects the server to have received exactly these reports, in this order, each
// a POST to its path with the JSON content type and its body, byte for byte.
void ExpectPosts(const LoopbackServer& server, const std::vector<ExpectedPost>& expected);

// The report bodies as the reporter must send them: the members in key order,
// one per tab-indented line, and a final newline.
std::string ModuleReportBody(int installType, int moduleId);
std::string ChannelReportBody(const std::string& packName, const std::string& uid, const std::string& version);

}  // namespace tivala::test
