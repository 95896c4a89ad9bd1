// PostRecord hands a heap record to a window of another thread: the receiver owns
// it when the post succeeds, the sender frees it when the post fails, and each
// record dies exactly once.

#include "TestWindow.h"

#include "PostRecord.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

using namespace tivala;
using namespace tivala::test;

namespace {

constexpr UINT kInLParam = WM_APP + 1;
constexpr UINT kInWParam = WM_APP + 2;

// Counts its living instances.
struct CountedRecord {
    static int alive;
    int value;
    explicit CountedRecord(int v) : value(v) { ++alive; }
    ~CountedRecord() { --alive; }
    CountedRecord(const CountedRecord&) = delete;
    CountedRecord& operator=(const CountedRecord&) = delete;
};
int CountedRecord::alive = 0;

}  // namespace

TEST(PostRecord, ReceiverOwnsEveryRecordPostedFromAnotherThread)
{
    std::vector<int> received;
    TestWindow window([&](UINT message, WPARAM wParam, LPARAM lParam) {
        std::unique_ptr<CountedRecord> record;
        if (message == kInLParam)
            record = TakeRecord<CountedRecord>(lParam);
        else if (message == kInWParam)
            record = TakeRecord<CountedRecord>(wParam);
        received.push_back(record ? record->value : -1);
    });
    ASSERT_NE(nullptr, window.Handle());
    bool allPosted = true;
    std::thread worker([&] {
        for (int i = 0; i < 100; ++i) {
            auto record = std::make_unique<CountedRecord>(i);
            const bool posted = i % 2 ? PostRecord(window.Handle(), kInLParam, 7, std::move(record))
                                      : PostRecordInWParam(window.Handle(), kInWParam, std::move(record), 7);
            allPosted = allPosted && posted;
        }
    });
    worker.join();
    EXPECT_TRUE(allPosted);
    EXPECT_EQ(100, CountedRecord::alive);   // in the queue, owned by no one but the messages
    TestWindow::Pump();

    EXPECT_EQ(0, CountedRecord::alive);
    ASSERT_EQ(100u, received.size());
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(i, received[i]);
}

TEST(PostRecord, FailedPostFreesTheRecordAtOnce)
{
    HWND gone = nullptr;
    {
        TestWindow window([](UINT, WPARAM, LPARAM) {});
        gone = window.Handle();
    }
    const struct {
        const char* name;
        HWND window;
    } cases[] = {
        {"no window", nullptr},   // would otherwise become a message to this thread
        {"destroyed window", gone},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(PostRecord(c.window, kInLParam, 0, std::make_unique<CountedRecord>(1)));
        EXPECT_FALSE(PostRecordInWParam(c.window, kInWParam, std::make_unique<CountedRecord>(2), 0));
        EXPECT_EQ(0, CountedRecord::alive);
        MSG message;
        EXPECT_FALSE(::PeekMessageW(&message, nullptr, kInLParam, kInWParam, PM_REMOVE));
    }
}
