// The operation timer: a long operation starts it, and only when the
// operation is still running at the timer's first tick does the host's
// create callback open the wait window. Also the wait for a worker thread.
#include <windows.h>
#include "frame/cursors.h"
#include "frame/message_box.h"
#include "frame/message_pump.h"
#include "frame/option_flags.h"
#include "ui/wait.h"

namespace {
constexpr UINT kPeriod = 4000;  // ms before the wait window appears

UINT_PTR g_timer;        // the running timer's identifier, 0 when none
HWND g_timer_owner;      // the window it runs on
HWND g_opened;           // the wait window the last tick was given
}  // namespace

UINT_PTR WINAPI SetTimerForFileDirOperation(HWND owner, LPCSTR text, LPCSTR title, LONG, LONG notify) {
    const UINT_PTR id = static_cast<UINT_PTR>(GetSearchTimerSelected());
    if (id == 0) return 0;
    if (g_timer) return g_timer;
    if (text && notify) {
        myMessageBox(owner, text, title, MB_ICONEXCLAMATION);
        SetMessageSearchTimerOnce(1);
    }
    const UINT_PTR started = SetTimer(owner, id, kPeriod, nullptr);
    if (started) {
        g_timer = id;
        g_timer_owner = owner;
    }
    return started;
}

LONG WINAPI wmTimerForFileDirOperation(HWND owner, UINT, WPARAM, LPCSTR caption) {
    if (!g_timer) return 0;
    g_opened = ferro::ui::create_wait_through_host(owner);
    if (!g_opened) return 0;
    if (caption) SetWindowTextA(g_opened, caption);
    return 1;
}

LONG WINAPI FinishTimerForFileDirOperation(HWND owner) {
    if (!g_timer) return 0;
    if (g_opened) {
        SetDisableBoxBeforeMessageBox(nullptr, nullptr);
        ferro::ui::destroy_wait_through_host();
        g_opened = nullptr;
    }
    SetPeekMessageFlag(0);
    KillTimer(owner ? owner : g_timer_owner, g_timer);
    g_timer = 0;
    g_timer_owner = nullptr;
    PutHourGlassCursor();
    return 1;
}

// The thread's handle is signalled when it ends, whatever its exit code (a
// thread may well end with 259, the code that GetExitCodeThread also gives
// for one still running). Between looks, one pending message is dispatched;
// the cancel word may be set by another thread, so the wait wakes at least
// every 50 ms to read it.
LONG WINAPI WaitUntilThreadClosed(HANDLE thread, LONG* cancel) {
    LONG result = 1;
    for (;;) {
        const DWORD state = WaitForSingleObject(thread, 0);
        if (state != WAIT_TIMEOUT) break;  // ended, or the handle cannot be waited on
        if (cancel && *cancel == 1) {
            result = 0;
            break;
        }
        MSG message;
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {  // the host is closing: leave the quit to its loop
                PostQuitMessage(static_cast<int>(message.wParam));
                result = 0;
                break;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
            continue;
        }
        MsgWaitForMultipleObjectsEx(1, &thread, 50, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
    if (thread) CloseHandle(thread);
    return result;
}
