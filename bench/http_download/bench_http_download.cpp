// Times HttpDownloadToFile::Run; http_download.sh beside it drives it:
//   bench_http_download URL TARGET [RUNS]
// Downloads URL into the Windows path TARGET from nothing RUNS times (default 1)
// and prints "seconds S" for each Run alone, without the program's start-up.

#include "http/HttpDownloadToFile.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::wstring Wide(const char* ascii)
{
    const std::string text(ascii);
    return std::wstring(text.begin(), text.end());
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_http_download URL TARGET [RUNS]\n");
        return 2;
    }
    const std::wstring url = Wide(argv[1]);
    const std::wstring target = Wide(argv[2]);
    const int runs = argc > 3 ? std::atoi(argv[3]) : 1;
    for (int run = 0; run < runs; ++run) {
        tivala::HttpDownloadToFile download(nullptr, url, target, 0, L"bench");
        ::DeleteFileW(target.c_str());
        ::DeleteFileW(download.GetTempPath().c_str());
        const auto start = std::chrono::steady_clock::now();
        const int result = download.Run();
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        if (result != tivala::HttpDownloadToFile::kDone) {
            std::printf("failed: %s\n", download.GetErrorText().c_str());
            return 1;
        }
        std::printf("seconds %.3f\n", elapsed.count());
        std::fflush(stdout);
    }
    return 0;
}
