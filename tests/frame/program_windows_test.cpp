#include <gtest/gtest.h>
#include <windows.h>
#include <cstddef>
#include <cstring>
#include <memory>
#include <vector>
#include "frame/handles.h"
#include "frame/owner_window.h"
#include "frame/program_windows.h"
#include "test_window.h"

using frame_test::TestWindow;

// The 32-bit layout callers rely on; the x64 build widens the handles.
#ifndef _WIN64
static_assert(sizeof(LaunchRecord) == 28);
static_assert(offsetof(LaunchRecord, instance) == 4);
static_assert(offsetof(LaunchRecord, processId) == 12);
static_assert(offsetof(LaunchRecord, threadId) == 16);
static_assert(offsetof(LaunchRecord, reserved) == 20);
#endif

TEST(LaunchRecord, FilledForAStartWithUnknownIdentifiers) {
    LaunchRecord record;
    std::memset(&record, 0x55, sizeof record);
    HANDLE value = reinterpret_cast<HANDLE>(0x4321);
    EXPECT_EQ(GetWindowsInstanceForWinExec(&record, value), 1);
    EXPECT_EQ(record.window, nullptr);
    EXPECT_EQ(record.instance, value);
    EXPECT_EQ(record.thread, nullptr);
    EXPECT_EQ(record.processId, DWORD(-1));
    EXPECT_EQ(record.threadId, DWORD(-1));
    EXPECT_EQ(record.reserved[0], 0u);
    EXPECT_EQ(record.reserved[1], 0u);
    EXPECT_EQ(GetWindowsInstanceForWinExec(nullptr, value), 0);
}

TEST(WinExecWindows, FindsTheWindowsOfThisThread) {
    TestWindow first, second;
    LaunchRecord record = {};
    record.processId = GetCurrentProcessId();
    record.threadId = GetCurrentThreadId();
    HWND found = InstOfWinExecToWnd(record);
    ASSERT_NE(found, nullptr);
    LaunchRecord* table = GetWinExecToWndArray();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table[0].window, found);
    bool saw_first = false, saw_second = false;
    int n = 0;
    for (; n < kWinExecWindowTableSize && table[n].window; ++n) {
        EXPECT_EQ(table[n].processId, GetCurrentProcessId());
        EXPECT_EQ(table[n].threadId, GetCurrentThreadId());
        EXPECT_EQ(table[n].instance, nullptr);
        saw_first |= table[n].window == first.hwnd();
        saw_second |= table[n].window == second.hwnd();
    }
    EXPECT_TRUE(saw_first);
    EXPECT_TRUE(saw_second);
    EXPECT_EQ(table[n].window, nullptr);
}

TEST(WinExecWindows, TableHoldsAtMost100Windows) {
    std::vector<std::unique_ptr<TestWindow>> windows;
    for (int i = 0; i < 120; ++i) windows.push_back(std::make_unique<TestWindow>());
    LaunchRecord record = {};
    record.processId = GetCurrentProcessId();
    record.threadId = GetCurrentThreadId();
    ASSERT_NE(InstOfWinExecToWnd(record), nullptr);
    LaunchRecord* table = GetWinExecToWndArray();
    int n = 0;
    while (n < kWinExecWindowTableSize + 1 && table[n].window) ++n;
    EXPECT_EQ(n, kWinExecWindowTableSize);
}

TEST(WinExecWindows, UnknownProgramClearsTheTable) {
    TestWindow window;
    LaunchRecord record = {};
    GetWindowsInstanceForWinExec(&record, nullptr);
    EXPECT_EQ(InstOfWinExecToWnd(record), nullptr);
    EXPECT_EQ(GetWinExecToWndArray(), nullptr);
}

TEST(WindowsOfInstance, CreatedWithTheHostInstanceAndFoundByIt) {
    HINSTANCE host = GetModuleHandleA(nullptr);
    SethInstMain(host);
    RECT rect = {10, 20, 110, 70};
    HWND window = myCreateWindow(0, TestWindow::class_name(), nullptr, WS_POPUP, nullptr, "made", &rect);
    ASSERT_NE(window, nullptr);
    RECT got;
    GetWindowRect(window, &got);
    EXPECT_EQ(got.left, 10);
    EXPECT_EQ(got.top, 20);
    EXPECT_EQ(got.right - got.left, 100);
    EXPECT_EQ(got.bottom - got.top, 50);
    EXPECT_EQ(reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE)), host);
    HWND found = InstOfWindowsToWindowsHandle(host);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(found, GWLP_HINSTANCE)), host);
    EXPECT_EQ(InstOfWindowsToWindowsHandle(reinterpret_cast<HINSTANCE>(0x7ff10000)), nullptr);
    EXPECT_EQ(myCreateWindow(0, TestWindow::class_name(), nullptr, WS_POPUP, nullptr, "none", nullptr), nullptr);
    DestroyWindow(window);
    SethInstMain(nullptr);
}
