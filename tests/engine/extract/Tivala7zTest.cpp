// Tivala7z posting to a real window of the test thread while a worker thread
// unpacks, as the install thread posts to the install service's window.

#include "ArchiveFixtures.h"
#include "ScratchDir.h"
#include "TestWindow.h"

#include "extract/ExtractArchive.h"
#include "extract/Tivala7z.h"
#include "service/InstallMessages.h"
#include "sevenzip/SevenZipArchive.h"
#include "sysutil/HandOver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <limits>
#include <string>
#include <thread>
#include <vector>

using namespace tivala;
using namespace tivala::test;

namespace {

struct Posted {
    UINT message = 0;
    WPARAM percent = 0;
    std::wstring text;   // the file name or the label
};

// Takes over each record as the service window does, and keeps what it said.
TestWindow::Handler Recorder(std::vector<Posted>& posted)
{
    return [&posted](UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_SVC_UNPACK_FILE) {
            const auto name = TakeRecord<std::wstring>(wParam);
            posted.push_back({message, 0, name ? *name : L"(no record)"});
        } else if (message == WM_SVC_UNPACK_PERCENT) {
            const auto label = TakeRecord<std::wstring>(lParam);
            posted.push_back({message, wParam, label ? *label : L"(no record)"});
        }
    };
}

}  // namespace

TEST(Tivala7z, PostsEachFileThenAnEmptyNameWithPercentagesBetween)
{
    ScratchDir scratch;
    std::string log;
    const std::vector<FixtureFile> files = {{L"a.txt", SampleText(400000, 1) + RandomBytes(300000, 2)},
                                            {L"b.txt", RandomBytes(500000, 3)},
                                            {L"c.txt", SampleText(600000, 4)}};
    ASSERT_TRUE(PackWithHostTool(scratch, files, {}, "7zz a -bd -m0=LZMA ../pack.7z -- *", log)) << log;
    SevenZip::SevenZipArchive archive;
    archive.SetArchivePath(scratch.File(L"pack.7z"));
    const std::vector<std::wstring> order = archive.GetItemNames();
    ASSERT_EQ(3u, order.size());

    std::vector<Posted> posted;
    TestWindow window(Recorder(posted));
    ASSERT_NE(nullptr, window.Handle());
    Tivala7z sink(window.Handle(), WM_SVC_UNPACK_FILE, WM_SVC_UNPACK_PERCENT, L"Main");
    std::atomic<bool> finished{false};
    bool unpacked = false;
    std::thread worker([&] {
        unpacked = ExtractArchiveFile(sink, scratch.File(L"pack.7z"), scratch.File(L"out"));
        finished = true;
    });
    TestWindow::PumpUntil([&] { return finished.load(); });
    worker.join();

    EXPECT_TRUE(unpacked);
    std::vector<std::wstring> names;
    unsigned percentMessages = 0;
    WPARAM lastPercent = 0;
    for (const auto& message : posted) {
        if (message.message == WM_SVC_UNPACK_FILE) {
            names.push_back(message.text);
            continue;
        }
        ++percentMessages;
        EXPECT_EQ(L"Main", message.text);
        EXPECT_GE(message.percent, lastPercent);
        lastPercent = message.percent;
    }
    const std::vector<std::wstring> expected = {scratch.File(L"out\\" + order[0]), scratch.File(L"out\\" + order[1]),
                                                scratch.File(L"out\\" + order[2]), L""};
    EXPECT_EQ(expected, names);
    EXPECT_GT(percentMessages, 0u);
    ASSERT_FALSE(posted.empty());
    EXPECT_EQ(WM_SVC_UNPACK_FILE, posted.back().message);
    // Percentages come while the files are written, not after them.
    const auto firstPercent = std::find_if(posted.begin(), posted.end(),
                                           [](const Posted& p) { return p.message == WM_SVC_UNPACK_PERCENT; });
    const auto lastFile = std::find_if(posted.rbegin() + 1, posted.rend(),
                                       [](const Posted& p) { return p.message == WM_SVC_UNPACK_FILE; });
    ASSERT_NE(posted.rend(), lastFile);
    EXPECT_LT(firstPercent - posted.begin(), posted.rend() - lastFile - 1);
}

TEST(Tivala7z, DefaultSinkPostsNothing)
{
    ScratchDir scratch;
    std::string log;
    ASSERT_TRUE(PackWithHostTool(scratch, {{L"a.txt", "a"}}, {}, "7zz a -bd ../pack.7z -- *", log)) << log;
    TestWindow::Pump();
    Tivala7z sink;

    EXPECT_TRUE(ExtractArchiveFile(sink, scratch.File(L"pack.7z"), scratch.File(L"out")));
    EXPECT_EQ("a", FileBytes(scratch.File(L"out\\a.txt")));
    MSG message;
    EXPECT_FALSE(::PeekMessageW(&message, nullptr, WM_SVC_UNPACK_FILE, WM_SVC_UNPACK_PERCENT, PM_REMOVE));
}

TEST(Tivala7z, PercentIsPackedBytesOverTheTotalTruncated)
{
    const struct {
        uint64_t total;
        uint64_t in;
        WPARAM percent;
    } cases[] = {
        {200, 50, 25},
        {3, 1, 33},
        {1000, 999, 99},
        {0, 50, 0},                                                      // no total announced
        {100, 250, 250},                                                 // sent as it is
        {1, std::numeric_limits<uint64_t>::max(), 0xFFFFFFFFu},          // held to 32 bits
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.in) + " of " + std::to_string(c.total));
        std::vector<Posted> posted;
        TestWindow window(Recorder(posted));
        Tivala7z sink(window.Handle(), WM_SVC_UNPACK_FILE, WM_SVC_UNPACK_PERCENT, L"WallPaper");
        sink.OnStart(L"", c.total);
        sink.OnProgress(c.in, 0);
        TestWindow::Pump();
        ASSERT_EQ(1u, posted.size());
        EXPECT_EQ(WM_SVC_UNPACK_PERCENT, posted[0].message);
        EXPECT_EQ(c.percent, posted[0].percent);
        EXPECT_EQ(L"WallPaper", posted[0].text);
    }
}

TEST(Tivala7z, PostsAPercentageOnlyWhenItMoves)
{
    std::vector<Posted> posted;
    TestWindow window(Recorder(posted));
    Tivala7z sink(window.Handle(), WM_SVC_UNPACK_FILE, WM_SVC_UNPACK_PERCENT, L"Main");
    sink.OnStart(L"", 1000);
    for (const uint64_t in : {0, 5, 9, 10, 19, 20, 20, 999, 1000, 1000})
        sink.OnProgress(in, 0);
    sink.OnStart(L"", 1000);   // the next archive starts its own count
    sink.OnProgress(1000, 0);
    TestWindow::Pump();

    std::vector<WPARAM> percents;
    for (const auto& message : posted)
        percents.push_back(message.percent);
    EXPECT_EQ((std::vector<WPARAM>{0, 1, 2, 99, 100, 100}), percents);
}
