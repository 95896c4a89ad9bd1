// The two cracker tables: a real window and an element unpack a shared payload
// the same way, and differ only where an element's own payload does.
#include "core/HostMsgCrackers.h"
#include "core/SwndMsgCracker.h"

#include <gtest/gtest.h>

namespace {

using SAKU::SwndMsgCracker;
using SAKU::WndMsgCracker;

// Sizes are unsigned words in both families: a width past 32767 stays positive.
TEST(MsgCracker, BothFamiliesReadASizeAsUnsignedWords)
{
    const LPARAM size = MAKELPARAM(40000, 7);
    SIZE window = {};
    SIZE element = {};
    WndMsgCracker<WM_SIZE>::Call([&](UINT, SIZE s) { window = s; }, SIZE_RESTORED, size);
    SwndMsgCracker<WM_SIZE>::Call([&](UINT, SIZE s) { element = s; }, SIZE_RESTORED, size);
    EXPECT_EQ(40000, window.cx);
    EXPECT_EQ(7, window.cy);
    EXPECT_EQ(window.cx, element.cx);
    EXPECT_EQ(window.cy, element.cy);
}

// A handler's answer is the message's result; one that answers nothing gives 0.
TEST(MsgCracker, TheHandlersAnswerIsTheResult)
{
    const LPARAM point = MAKELPARAM(-3, 12);   // points are signed words
    POINT seen = {};
    EXPECT_EQ(0, WndMsgCracker<WM_MOUSEMOVE>::Call([&](UINT, POINT p) { seen = p; }, 0, point));
    EXPECT_EQ(-3, seen.x);
    EXPECT_EQ(12, seen.y);
    EXPECT_EQ(TRUE, SwndMsgCracker<WM_RBUTTONDOWN>::Call([](UINT, POINT) { return TRUE; }, 0, point));
    EXPECT_EQ(HTCAPTION, WndMsgCracker<WM_NCHITTEST>::Call([](POINT) { return HTCAPTION; }, 0, point));
}

// An element's timer carries its own char id, a real window's the whole id; an
// element's focus message carries the other element and the reason.
TEST(MsgCracker, AnElementsOwnPayloadsDiffer)
{
    const WPARAM id = 0x12345601;
    UINT_PTR windowTimer = 0;
    char elementTimer = 0;
    WndMsgCracker<WM_TIMER>::Call([&](UINT_PTR t) { windowTimer = t; }, id, 0);
    SwndMsgCracker<WM_TIMER>::Call([&](char t) { elementTimer = t; }, id, 0);
    EXPECT_EQ(id, windowTimer);
    EXPECT_EQ(1, elementTimer);

    SAKU::SWND other = 0;
    int reason = 0;
    SwndMsgCracker<WM_SETFOCUS>::Call(
        [&](SAKU::SWND swnd, int why) {
            other = swnd;
            reason = why;
        },
        42, 3);
    EXPECT_EQ(42u, other);
    EXPECT_EQ(3, reason);
}

}  // namespace
