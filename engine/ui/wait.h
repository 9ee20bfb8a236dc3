// Exports of the wait window of long file and folder operations: a small
// modeless window with the item being processed, a running count and a
// Cancel button; the three callbacks the host registers for it; the timer
// that opens it only when an operation outlasts its delay; and the wait for
// a worker thread that keeps the interface alive.
#pragma once
#include <windows.h>

extern "C" {
// The host's callbacks. The create callback gets the owner window and
// returns the wait window it made (or the one it already has).
typedef HWND(CALLBACK* CreateWaitCallback)(HWND owner);
typedef void(CALLBACK* DestroyWaitCallback)();
// The counting callback: the name of the item (may be null), the number
// done (negative: none) and the total (0 or less: none).
typedef void(CALLBACK* CountingCallback)(LPCSTR name, LONG done, LONG total);

// ---- The wait window "OpenWait"
// Copies the caption of the next wait window (at most 519 bytes; a longer
// or null title leaves it as it was). Returns 1 when copied.
LONG WINAPI SetWaitingTitle(LPCSTR title);
// Creates and shows the wait window owned by `owner`, hooks ShowTitleDll and
// HideTitleDll round every message box of the library, and clears the stop
// flag. Returns the window, or null (the operation then runs without one).
HWND WINAPI CreateWaitDialog(HWND owner);
// Destroys the wait window with its brush and font. Returns 1 when there was one.
LONG WINAPI DestroyWaitDialog();
// While the window is shown: the first line into control 2580 and the
// second into 2587 (a null line is left as it is).
LONG WINAPI DisplayMessageInWaitDialog(LPCSTR line1, LPCSTR line2);
// While the window exists: the file-name part of `name` into control 2580,
// and "done/total" into 2587 (done left out when negative, "/total" only
// for a positive total; nothing when both are left out).
LONG WINAPI SendCountingNumbers(LPCSTR name, LONG done, LONG total);
// Hide and show the wait window around a message box.
void WINAPI HideTitleDll();
void WINAPI ShowTitleDll();

// ---- The host's callbacks: the first registration wins; each returns the
// callback in force.
CreateWaitCallback WINAPI CreateWaitDialogAPI(CreateWaitCallback callback);
DestroyWaitCallback WINAPI DestroyWaitDialogAPI(DestroyWaitCallback callback);
CountingCallback WINAPI SendCountingNumbersAPI(CountingCallback callback);

// ---- The operation timer
// Starts the timer (identifier GetSearchTimerSelected(); 0 disables it) on
// `owner` with a period of 4 seconds. With both `text` and `notify`, shows
// the text once as a notice first. Returns the running timer's identifier,
// the result of SetTimer, or 0.
UINT_PTR WINAPI SetTimerForFileDirOperation(HWND owner, LPCSTR text, LPCSTR title, LONG reserved, LONG notify);
// On the timer's message: asks the create callback for the wait window and
// captions it. 1 when a window was returned.
LONG WINAPI wmTimerForFileDirOperation(HWND owner, UINT message, WPARAM wParam, LPCSTR caption);
// Ends the timer and the wait window it opened. Returns 1 when a timer ran.
LONG WINAPI FinishTimerForFileDirOperation(HWND owner);

// Waits for `thread` to end while dispatching this thread's messages; 0 as
// soon as *cancel (when given) is 1, else 1 once the thread ended. The
// handle is closed in both cases.
LONG WINAPI WaitUntilThreadClosed(HANDLE thread, LONG* cancel);
}

namespace ferro::ui {
// Hands one item to the host's counting callback (nothing when none is registered).
void send_counting(const char* name, LONG done, LONG total);
// The host's create and destroy callbacks (null / nothing when none is registered).
HWND create_wait_through_host(HWND owner);
void destroy_wait_through_host();
}  // namespace ferro::ui
