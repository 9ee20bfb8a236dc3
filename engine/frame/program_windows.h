// The windows of programs that the library started: the launch record and a
// table of the top-level windows that belong to one started program.
#pragma once
#include <windows.h>

// Seven 32-bit words on the product's platform, returned by program starts.
struct LaunchRecord {
    HWND window;        // word 0: a window of the program (0 when not known)
    HANDLE instance;    // word 1: what the start returned (process handle or instance)
    HANDLE thread;      // word 2: thread handle (0 when not known)
    DWORD processId;    // word 3: process identifier, (DWORD)-1 when unknown
    DWORD threadId;     // word 4: thread identifier, (DWORD)-1 when unknown
    DWORD reserved[2];  // words 5 and 6: zero
};
#ifndef _WIN64
static_assert(sizeof(LaunchRecord) == 28, "seven 32-bit words");
#endif

inline constexpr int kWinExecWindowTableSize = 100;

extern "C" {
// Fills a record for a start that returned `value`: word 1 = value, the
// identifiers unknown (-1), the other words 0. Returns 1, or 0 for a null record.
LONG WINAPI GetWindowsInstanceForWinExec(LaunchRecord* record, HANDLE value);
// The first top-level window whose instance (GWLP_HINSTANCE) is `instance`, or 0.
HWND WINAPI InstOfWindowsToWindowsHandle(HINSTANCE instance);
// Refills the window table with the top-level windows whose process and thread
// identifiers are those of the record (at most 100); returns the first, or 0.
HWND WINAPI InstOfWinExecToWnd(LaunchRecord record);
// The window table (entries of which word 0 is a window and words 3 and 4 its
// identifiers, ended by an entry whose window is 0 or after 100 entries), or
// null when it holds no window.
LaunchRecord* WINAPI GetWinExecToWndArray();
}
