// The wait window and the operation timer run for real: the host's
// callbacks, the counts shown, the 4-second delay (no window for a shorter
// operation, one for a longer), Cancel pressed during a real delete of a
// tree, and the wait for a worker thread.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "fileops/delete.h"
#include "frame/message_box.h"
#include "frame/message_pump.h"
#include "frame/option_flags.h"
#include "support/artefacts.h"
#include "support/message_box_recorder.h"
#include "support/pump.h"
#include "support/sjis.h"
#include "support/temp_folder.h"
#include "ui/wait.h"

using ferro_test::sjis;

namespace {
constexpr UINT_PTR kTimer = 77;
constexpr LONG kDelete = 0x2, kSelf = 0x20, kDescend = 0x40;

int g_created, g_destroyed;
HWND CALLBACK host_create(HWND owner) {
    ++g_created;
    return CreateWaitDialog(owner);
}
void CALLBACK host_destroy() {
    ++g_destroyed;
    DestroyWaitDialog();
}
HWND CALLBACK other_create(HWND) { return nullptr; }

// The host's counting callback: shows the item, and presses Cancel once
// the walk reached `g_press_at`.
LONG g_counted, g_press_at = -1;
LARGE_INTEGER g_pressed;
HWND g_dialog;
std::string g_shown_name, g_shown_count;
void CALLBACK host_count(LPCSTR name, LONG done, LONG total) {
    SendCountingNumbers(name, done, total);
    ++g_counted;
    if (g_counted != g_press_at) return;
    char text[520];
    HWND dialog = g_dialog;
    GetDlgItemTextA(dialog, 2580, text, sizeof text);
    g_shown_name = text;
    GetDlgItemTextA(dialog, 2587, text, sizeof text);
    g_shown_count = text;
    QueryPerformanceCounter(&g_pressed);
    PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
}

LRESULT CALLBACK owner_proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_TIMER && wp == kTimer) {
        wmTimerForFileDirOperation(w, m, wp, sjis("削除中").c_str());
        return 0;
    }
    return DefWindowProcA(w, m, wp, lp);
}

class Wait : public testing::Test {
protected:
    static void SetUpTestSuite() {
        CreateWaitDialogAPI(host_create);
        DestroyWaitDialogAPI(host_destroy);
        SendCountingNumbersAPI(host_count);
        WNDCLASSA kind = {};
        kind.lpfnWndProc = owner_proc;
        kind.hInstance = GetModuleHandleA(nullptr);
        kind.lpszClassName = "FerroWaitOwner";
        RegisterClassA(&kind);
    }
    void SetUp() override {
        owner_ = CreateWindowA("FerroWaitOwner", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 500, 300,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        g_created = g_destroyed = 0;
        g_counted = 0;
        g_press_at = -1;
        SetSearchTimerSelected(kTimer);
    }
    void TearDown() override {
        FinishTimerForFileDirOperation(owner_);
        DestroyWaitDialog();
        DestroyWindow(owner_);
    }
    HWND owner_ = nullptr;
};

struct Waiter {
    HANDLE worker;
    LONG* cancel;
    LONG result = -1;
};
DWORD WINAPI run_wait(LPVOID p) {
    auto* w = static_cast<Waiter*>(p);
    w->result = WaitUntilThreadClosed(w->worker, w->cancel);
    return 0;
}
DWORD WINAPI exit_still_active(LPVOID) { return STILL_ACTIVE; }
DWORD WINAPI wait_for_event(LPVOID event) { return WaitForSingleObject(event, INFINITE); }

BOOL CALLBACK find_dialog(HWND window, LPARAM found) {
    char kind[16];
    if (!GetClassNameA(window, kind, sizeof kind) || std::string(kind) != "#32770") return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

std::string control_text(HWND dialog, int id) {
    char text[520];
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}
}  // namespace

TEST_F(Wait, CallbacksAreRegisteredOnce) {
    EXPECT_EQ(host_create, CreateWaitDialogAPI(other_create));
    EXPECT_EQ(host_destroy, DestroyWaitDialogAPI(nullptr));
    EXPECT_EQ(host_count, SendCountingNumbersAPI(nullptr));
}

TEST_F(Wait, WindowShowsTitleNamesAndCounts) {
    EXPECT_EQ(0, SendCountingNumbers("x", 1, 2));  // no window: nothing
    HWND dialog = CreateWaitDialog(owner_);
    ASSERT_NE(nullptr, dialog);
    char caption[520];
    GetWindowTextA(dialog, caption, sizeof caption);
    EXPECT_EQ(sjis("SetWaitingTitle でﾀｲﾄﾙを設定してください。"), caption);
    const struct {
        const char* name;
        LONG done, total;
        const char* shown_name;
        const char* shown_count;
    } rows[] = {{"C:\\dir\\表.txt", 3, 7, "表.txt", "3/7"},
                {nullptr, 5, 0, "表.txt", "5"},
                {nullptr, -1, 9, "表.txt", "/9"},
                {nullptr, -1, 0, "表.txt", "/9"},  // nothing to show: left as it was
                {"plain", -1, -4, "plain", "/9"}};
    for (const auto& r : rows) {
        SendCountingNumbers(r.name ? sjis(r.name).c_str() : nullptr, r.done, r.total);
        EXPECT_EQ(sjis(r.shown_name), control_text(dialog, 2580));
        EXPECT_EQ(r.shown_count, control_text(dialog, 2587));
    }
    DisplayMessageInWaitDialog(nullptr, sjis("二行目").c_str());
    EXPECT_EQ(sjis("二行目"), control_text(dialog, 2587));
    ferro_test::save_screenshot(dialog, ferro_test::artefact("wait_window.bmp"));

    // A box of the library hides the window and shows it again after.
    ferro_test::MessageBoxRecorder boxes;
    boxes.answer(IDOK);
    myMessageBox(owner_, "text", "title", MB_OK);
    EXPECT_TRUE(IsWindowVisible(dialog));
    HideTitleDll();
    EXPECT_FALSE(IsWindowVisible(dialog));
    ShowTitleDll();
    EXPECT_TRUE(IsWindowVisible(dialog));

    EXPECT_EQ(0, SetWaitingTitle(std::string(520, 't').c_str()));
    EXPECT_EQ(1, SetWaitingTitle(sjis("ﾌｧｲﾙの削除").c_str()));
    EXPECT_EQ(1, DestroyWaitDialog());
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(0, DisplayMessageInWaitDialog("a", "b"));
    dialog = CreateWaitDialog(owner_);
    GetWindowTextA(dialog, caption, sizeof caption);
    EXPECT_EQ(sjis("ﾌｧｲﾙの削除"), caption);
    DestroyWaitDialog();
    // The window's brush and font go with it: twenty more windows leave the
    // GDI object count as it was after the first.
    const auto gdi_before = ferro_test::gdi_object_count();
    for (int i = 0; i < 20; ++i) {
        CreateWaitDialog(owner_);
        DestroyWaitDialog();
    }
    if (gdi_before) EXPECT_EQ(*gdi_before, *ferro_test::gdi_object_count());
}

TEST_F(Wait, NoTimerWhenTheOptionIsZero) {
    SetSearchTimerSelected(0);
    EXPECT_EQ(0u, SetTimerForFileDirOperation(owner_, nullptr, nullptr, 0, 0));
    EXPECT_EQ(0, FinishTimerForFileDirOperation(owner_));
}

// An operation shorter than the delay never shows the window, even when
// the delay has passed since; a longer one shows it, captioned.
TEST_F(Wait, TimerOpensTheWindowOnlyForALongerOperation) {
    ferro_test::MessageBoxRecorder boxes;
    boxes.answer(IDOK);
    SetMessageSearchTimerOnce(0);
    ASSERT_EQ(kTimer, SetTimerForFileDirOperation(owner_, "notice", "title", 0, 1));
    EXPECT_EQ(1u, boxes.boxes().size());
    EXPECT_EQ(1, IsMessageSearchTimerOnce());
    ferro_test::TempFolder dir;
    for (int i = 0; i < 5; ++i) dir.file("short\\" + std::to_string(i) + ".txt", "x");
    DelWild(owner_, nullptr, kDelete | kDescend | kSelf, nullptr, nullptr, (dir / "short\\*.*").c_str(), nullptr);
    EXPECT_EQ(1, FinishTimerForFileDirOperation(owner_));
    EXPECT_FALSE(ferro_test::pump_until(4500, [] { return g_created > 0; }));
    EXPECT_EQ(0, g_destroyed);

    const DWORD start = GetTickCount();
    ASSERT_EQ(kTimer, SetTimerForFileDirOperation(owner_, nullptr, nullptr, 0, 0));
    EXPECT_EQ(kTimer, SetTimerForFileDirOperation(owner_, nullptr, nullptr, 0, 0));  // already running
    ASSERT_TRUE(ferro_test::pump_until(10000, [] { return g_created > 0; }));
    EXPECT_GE(GetTickCount() - start, 3900u);
    // This thread's dialog: other test programs share the desktop.
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), find_dialog, reinterpret_cast<LPARAM>(&dialog));
    ASSERT_NE(nullptr, dialog);
    char caption[64];
    GetWindowTextA(dialog, caption, sizeof caption);
    EXPECT_EQ(sjis("削除中"), caption);
    EXPECT_EQ(1, FinishTimerForFileDirOperation(owner_));
    EXPECT_EQ(1, g_destroyed);
    EXPECT_FALSE(IsWindow(dialog));
}

// Cancel pressed in the wait window while a real delete walks a tree: the
// item and count were shown, and the walk ends within 100 ms of the press.
TEST_F(Wait, CancelStopsARealDeleteWithin100Milliseconds) {
    ferro_test::TempFolder dir;
    for (int i = 0; i < 400; ++i) dir.file("tree\\" + std::to_string(i % 7) + "\\" + std::to_string(i) + ".txt", "x");
    ResetCancellingFlags(0);
    g_dialog = CreateWaitDialog(owner_);
    ASSERT_NE(nullptr, g_dialog);
    g_press_at = 50;
    LONG stop = 0;
    const LONG result =
        DelWild(owner_, &stop, kDelete | kDescend | kSelf, nullptr, nullptr, (dir / "tree\\*.*").c_str(), nullptr);
    LARGE_INTEGER end, frequency;
    QueryPerformanceCounter(&end);
    QueryPerformanceFrequency(&frequency);
    const double ms = double(end.QuadPart - g_pressed.QuadPart) * 1000.0 / double(frequency.QuadPart);
    EXPECT_LT(ms, 100.0);
    EXPECT_LT(g_counted, 400);
    EXPECT_EQ(-1, stop);
    EXPECT_TRUE(IsReturnedValueHitForDeleteOperation(result, -0x1000));
    EXPECT_EQ("50", g_shown_count);
    EXPECT_NE(std::string::npos, g_shown_name.find(".txt"));
    DestroyWaitDialog();
}

// A thread that ends with exit code 259 (the "still active" code) ends the
// wait; a cancel word of 1 stops it; the handle is closed either way.
TEST_F(Wait, WaitForAThreadEndsOnItsEndOrOnCancel) {
    auto wait_bounded = [](Waiter& w) {
        HANDLE helper = CreateThread(nullptr, 0, run_wait, &w, 0, nullptr);
        const bool ended = WaitForSingleObject(helper, 10000) == WAIT_OBJECT_0;
        if (!ended) TerminateThread(helper, 0);
        CloseHandle(helper);
        return ended;
    };
    HANDLE still_active_code = CreateThread(nullptr, 0, exit_still_active, nullptr, 0, nullptr);
    Waiter ended{still_active_code, nullptr};
    ASSERT_TRUE(wait_bounded(ended)) << "the wait did not end for a thread that exited with 259";
    EXPECT_EQ(1, ended.result);
    DWORD flags;
    EXPECT_FALSE(GetHandleInformation(still_active_code, &flags));

    HANDLE forever = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE blocked = CreateThread(nullptr, 0, wait_for_event, forever, 0, nullptr);
    LONG cancel = 1;
    Waiter cancelled{blocked, &cancel};
    ASSERT_TRUE(wait_bounded(cancelled));
    EXPECT_EQ(0, cancelled.result);
    SetEvent(forever);
    CloseHandle(forever);
}
