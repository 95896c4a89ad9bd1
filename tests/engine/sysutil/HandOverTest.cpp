// Heap records handed to a window of another thread, to a thread's queue or to a
// new thread: the receiver owns a record when the hand-over succeeds, the sender
// frees it when it fails, and each record dies exactly once.

#include "TestWindow.h"

#include "sysutil/HandOver.h"
#include "Win32Handles.h"

#include <gtest/gtest.h>

#include <atomic>
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

// A thread entry that adopts its record, keeps its value and waits for one
// thread message, whose record it adopts too.
std::atomic<int> g_startValue{0};
std::atomic<int> g_messageValue{0};

unsigned __stdcall AdoptingThread(void* argument) noexcept
{
    const auto record = TakeRecord<CountedRecord>(argument);
    g_startValue = record ? record->value : -1;
    MSG message;
    if (::GetMessageW(&message, nullptr, 0, 0) > 0 && message.message == kInWParam) {
        const auto posted = TakeRecord<CountedRecord>(message.wParam);
        g_messageValue = posted ? posted->value : -1;
    }
    return 0;
}

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

TEST(HandOver, ANewThreadAndItsQueueOwnWhatTheyAreGiven)
{
    unsigned threadId = 0;
    ASSERT_TRUE(StartThreadWithRecord(&AdoptingThread, std::make_unique<CountedRecord>(5), &threadId));
    ASSERT_NE(0u, threadId);
    const UniqueHandle thread(::OpenThread(SYNCHRONIZE, FALSE, threadId));
    ASSERT_TRUE(thread);
    // The thread's queue exists once it waits for its message; until then the post is refused and retried.
    bool posted = false;
    for (int i = 0; i < 500 && !posted; ++i) {
        posted = PostThreadRecord(threadId, kInWParam, std::make_unique<CountedRecord>(6));
        if (!posted)
            ::Sleep(10);
    }
    ASSERT_TRUE(posted);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(thread.Get(), 10000));
    EXPECT_EQ(5, g_startValue.load());
    EXPECT_EQ(6, g_messageValue.load());
    EXPECT_EQ(0, CountedRecord::alive);   // the refused posts' records too
}
