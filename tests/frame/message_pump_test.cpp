#include <gtest/gtest.h>
#include <windows.h>
#include "frame/cursors.h"
#include "frame/message_pump.h"
#include "frame/pump.h"
#include "test_window.h"

using frame_test::drain_messages;
using frame_test::TestWindow;

namespace {
class MessagePump : public testing::Test {
protected:
    void SetUp() override {
        drain_messages();
        TestWindow::seen().clear();
        ResetCancellingFlags(0);
        SetWindowDlgForTrapMessage(nullptr, 0, 0, 0);
    }
    void TearDown() override {
        SetWindowDlgForTrapMessage(nullptr, 0, 0, 0);
        ResetCancellingFlags(0);
        drain_messages();
    }
    static int count_seen(UINT message) {
        int n = 0;
        for (const auto& s : TestWindow::seen()) n += s.message == message;
        return n;
    }
};

double elapsed_ms(LARGE_INTEGER since) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return double(now.QuadPart - since.QuadPart) * 1000.0 / double(frequency.QuadPart);
}
}  // namespace

// ---- TrapMessage

TEST_F(MessagePump, EmptyQueueReturnsZeroAndKeepsPeekFlagAndCursor) {
    HCURSOR cross = LoadCursor(nullptr, IDC_CROSS);
    for (LONG flag : {0, 1, 7}) {
        SetPeekMessageFlag(flag);
        SetCursor(cross);
        EXPECT_EQ(TrapMessage(), 0);
        EXPECT_EQ(IsPeekMessageFlag(), flag);
        EXPECT_EQ(GetCursor(), cross);
    }
}

TEST_F(MessagePump, DispatchesOneMessageSetsPeekFlagAndRestoresCursor) {
    HCURSOR cross = LoadCursor(nullptr, IDC_CROSS);
    TestWindow window([](UINT message, WPARAM, LPARAM) {
        if (message == WM_APP) SetCursor(LoadCursor(nullptr, IDC_IBEAM));
    });
    PostMessageA(window.hwnd(), WM_APP, 0, 0);
    PostMessageA(window.hwnd(), WM_APP, 0, 0);
    SetCursor(cross);
    EXPECT_EQ(TrapMessage(), 1);
    EXPECT_EQ(count_seen(WM_APP), 1);  // one message per call
    EXPECT_EQ(IsPeekMessageFlag(), 1);
    EXPECT_EQ(GetCursor(), cross);
    EXPECT_EQ(TrapMessage(), 1);
    EXPECT_EQ(count_seen(WM_APP), 2);
}

TEST_F(MessagePump, CallFromADispatchedMessageReturnsAtOnceAndClearsTheGuard) {
    LONG nested_first = -1, nested_second = -1;
    TestWindow window([&](UINT message, WPARAM, LPARAM) {
        if (message != WM_APP) return;
        nested_first = TrapMessage();   // the guard is set: no pumping
        nested_second = TrapMessage();  // the first nested call cleared it: pumps WM_APP + 1
    });
    PostMessageA(window.hwnd(), WM_APP, 0, 0);
    PostMessageA(window.hwnd(), WM_APP + 1, 0, 0);
    EXPECT_EQ(TrapMessage(), 1);
    EXPECT_EQ(nested_first, 0);
    EXPECT_EQ(nested_second, 1);
    EXPECT_EQ(count_seen(WM_APP + 1), 1);
    // The guard is clear afterwards: a new call pumps again.
    PostMessageA(window.hwnd(), WM_APP + 2, 0, 0);
    EXPECT_EQ(TrapMessage(), 1);
    EXPECT_EQ(count_seen(WM_APP + 2), 1);
}

TEST_F(MessagePump, LeavesTheQuitRequestToTheHostsLoop) {
    PostQuitMessage(5);
    EXPECT_EQ(TrapMessage(), 0);
    EXPECT_EQ(StopExecuting(), 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, UINT(WM_QUIT));
    EXPECT_EQ(msg.wParam, WPARAM(5));
}

TEST_F(MessagePump, SendsTheTrapMessageOncePerCallWithItsParameters) {
    TestWindow dialog;
    SetWindowDlgForTrapMessage(dialog.hwnd(), WM_APP + 5, 11, 22);
    EXPECT_EQ(TrapMessage(), 0);  // sent, not posted: the queue stays empty
    ASSERT_EQ(count_seen(WM_APP + 5), 1);
    EXPECT_EQ(TestWindow::seen()[0].wparam, WPARAM(11));
    EXPECT_EQ(TestWindow::seen()[0].lparam, LPARAM(22));
    PostMessageA(dialog.hwnd(), WM_APP, 0, 0);
    EXPECT_EQ(TrapMessage(), 1);
    EXPECT_EQ(count_seen(WM_APP + 5), 2);
    StopExecuting();
    EXPECT_EQ(count_seen(WM_APP + 5), 3);
}

TEST_F(MessagePump, SendTrapMessageNeedsWindowAndMessage) {
    TestWindow dialog;
    struct Row { HWND window; UINT message; LONG set_result; LONG sent; } rows[] = {
        {nullptr, 0, 0, 0},
        {dialog.hwnd(), 0, 0, 0},
        {nullptr, WM_APP + 6, 0, 0},
        {dialog.hwnd(), WM_APP + 6, 1, 1},
    };
    for (const Row& row : rows) {
        TestWindow::seen().clear();
        EXPECT_EQ(SetWindowDlgForTrapMessage(row.window, row.message, 3, 4), row.set_result);
        EXPECT_EQ(SendTrapMessageToWindows(), row.sent);
        EXPECT_EQ(count_seen(WM_APP + 6), row.sent);
    }
}

// ---- Stop flag

TEST_F(MessagePump, StopExecutingSeesTheFlagSetByTheMessageItPumps) {
    TestWindow dialog([](UINT message, WPARAM, LPARAM) {
        if (message == WM_APP) SetStopExecutingFlag(-1);
    });
    PostMessageA(dialog.hwnd(), WM_APP, 0, 0);
    EXPECT_EQ(StopExecuting(), -1);
}

TEST_F(MessagePump, ResetCancellingFlagsSetsStopAndPeekFlags) {
    SetStopExecutingFlag(3);
    SetPeekMessageFlag(4);
    EXPECT_EQ(ResetCancellingFlags(0), 0);
    EXPECT_EQ(IsStopExecutingFlag(), 0);
    EXPECT_EQ(IsPeekMessageFlag(), 0);
    EXPECT_EQ(ResetCancellingFlags(2), 2);
    EXPECT_EQ(IsStopExecutingFlag(), 2);
    EXPECT_EQ(IsPeekMessageFlag(), 2);
}

// ---- Modeless loop

TEST_F(MessagePump, MessageLoopWithoutWindowOnlyClearsThePeekFlag) {
    SetPeekMessageFlag(1);
    EXPECT_EQ(SetMessageLoop(nullptr), 0);
    EXPECT_EQ(IsPeekMessageFlag(), 0);
}

TEST_F(MessagePump, MessageLoopRunsUntilItsWindowIsGone) {
    TestWindow dialog;
    PostMessageA(dialog.hwnd(), WM_APP, 0, 0);
    PostMessageA(dialog.hwnd(), frame_test::kDestroyMe, 0, 0);
    EXPECT_EQ(SetMessageLoop(dialog.hwnd()), 0);
    EXPECT_FALSE(IsWindow(dialog.hwnd()));
    EXPECT_EQ(count_seen(WM_APP), 1);
    EXPECT_EQ(IsPeekMessageFlag(), 0);
}

// ---- Pumping from hot loops

TEST_F(MessagePump, ThrottledPumpPumpsAtMostOncePer10ms) {
    TestWindow window;
    for (int i = 0; i < 200; ++i) PostMessageA(window.hwnd(), WM_APP, 0, 0);
    ferro::pump_throttled();  // start a fresh interval
    const int before = count_seen(WM_APP);
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    long calls = 0;
    while (elapsed_ms(start) < 100) {
        EXPECT_EQ(ferro::pump_throttled(), 0);
        ++calls;
    }
    const double ms = elapsed_ms(start);
    const int pumped = count_seen(WM_APP) - before;
    EXPECT_GE(pumped, 2);
    EXPECT_LE(pumped, int(ms / 10) + 1);
    EXPECT_GT(calls, 10 * pumped);  // most calls only read the flag
}

TEST_F(MessagePump, ThrottledPumpReturnsTheFlagSetByAPumpedMessage) {
    TestWindow dialog([](UINT message, WPARAM, LPARAM) {
        if (message == WM_APP) SetStopExecutingFlag(7);
    });
    PostMessageA(dialog.hwnd(), WM_APP, 0, 0);
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    LONG stop = 0;
    while (stop == 0 && elapsed_ms(start) < 1000) stop = ferro::pump_throttled();
    EXPECT_EQ(stop, 7);
}
