// The message pump that keeps the host's interface alive during long
// operations, and the flags that cancel them.
#pragma once
#include <windows.h>

extern "C" {
// Handles at most one pending message of this thread: sends the trap message
// (if set), then peeks one message with PM_REMOVE, translates and dispatches
// it and sets the peek flag. The cursor is set back afterwards. Returns 1 if a
// message was dispatched, else 0; a call made while the pump is dispatching
// returns 0 at once (and clears the re-entry guard). A quit request is left in
// the queue for the host's loop (0).
LONG WINAPI TrapMessage();
// TrapMessage once, then the stop flag's value (what SetStopExecutingFlag stored).
LONG WINAPI StopExecuting();
// Pumps while `window` exists (a modeless window's own loop); then, or at once
// for a zero window, clears the peek flag. Returns 0.
LONG WINAPI SetMessageLoop(HWND window);
// Sends the trap message to the trap window and returns 1 when both are set, else 0.
LONG WINAPI SendTrapMessageToWindows();
// The message that TrapMessage sends on every call (a progress dialog's
// refresh); a zero window or message means none. Returns 1 when one is set.
LONG WINAPI SetWindowDlgForTrapMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Sets the stop flag, the network-search stop flag and the peek flag to
// `value` (0 before an operation starts). Returns `value`.
LONG WINAPI ResetCancellingFlags(LONG value);
LONG WINAPI IsPeekMessageFlag();
LONG WINAPI SetPeekMessageFlag(LONG value);
LONG WINAPI IsStopExecutingFlag();
LONG WINAPI SetStopExecutingFlag(LONG value);
}
