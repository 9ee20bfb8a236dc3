#include "frame/message_pump.h"
#include "frame/pump.h"

namespace {
HWND g_trap_window;
UINT g_trap_message;
WPARAM g_trap_wparam;
LPARAM g_trap_lparam;
LONG g_peek_flag;
LONG g_stop_flag;
LONG g_net_search_stop_flag;
unsigned char g_in_pump;  // re-entry guard: set while TrapMessage dispatches

// How long a modeless window's loop waits for input, when the queue is empty,
// before it pumps (and sends the trap message) again.
constexpr DWORD kIdleWaitMs = 10;
}  // namespace

LONG WINAPI TrapMessage() {
    if (g_in_pump) {
        g_in_pump = 0;
        return 0;
    }
    g_in_pump = 1;
    // The cursor is read only when something is about to run that may change
    // it: each cursor call is a round trip to the window server.
    HCURSOR cursor = nullptr;
    bool remembered = false;
    auto remember_cursor = [&] {
        if (!remembered) cursor = GetCursor();
        remembered = true;
    };
    if (g_trap_window && g_trap_message) {
        remember_cursor();
        SendTrapMessageToWindows();
    }
    LONG result = 0;
    MSG msg;
    const bool peeked = PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
    if (peeked && msg.message == WM_QUIT) {
        // The host's own loop ends on it: leave it there, undispatched.
        PostQuitMessage(static_cast<int>(msg.wParam));
    } else if (peeked) {
        remember_cursor();
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        g_peek_flag = 1;
        result = 1;
    }
    if (remembered) SetCursor(cursor);
    g_in_pump = 0;
    return result;
}

LONG WINAPI StopExecuting() {
    TrapMessage();
    return g_stop_flag;
}

LONG WINAPI SetMessageLoop(HWND window) {
    if (window) {
        while (IsWindow(window)) {
            // An empty queue waits for input (briefly, so the trap message
            // still refreshes) instead of spinning.
            if (!TrapMessage()) MsgWaitForMultipleObjects(0, nullptr, FALSE, kIdleWaitMs, QS_ALLINPUT);
        }
    }
    g_peek_flag = 0;
    return 0;
}

LONG WINAPI SendTrapMessageToWindows() {
    if (!g_trap_window || !g_trap_message) return 0;
    SendMessageA(g_trap_window, g_trap_message, g_trap_wparam, g_trap_lparam);
    return 1;
}

LONG WINAPI SetWindowDlgForTrapMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    g_trap_window = window;
    g_trap_message = message;
    g_trap_wparam = wParam;
    g_trap_lparam = lParam;
    return window && message ? 1 : 0;
}

LONG WINAPI ResetCancellingFlags(LONG value) {
    g_stop_flag = g_net_search_stop_flag = g_peek_flag = value;
    return value;
}

LONG WINAPI IsPeekMessageFlag() { return g_peek_flag; }
LONG WINAPI SetPeekMessageFlag(LONG value) { return g_peek_flag = value; }
LONG WINAPI IsStopExecutingFlag() { return g_stop_flag; }
LONG WINAPI SetStopExecutingFlag(LONG value) { return g_stop_flag = value; }

namespace ferro {
LONG net_search_stop_flag() { return g_net_search_stop_flag; }
void set_net_search_stop_flag(LONG value) { g_net_search_stop_flag = value; }
}  // namespace ferro
