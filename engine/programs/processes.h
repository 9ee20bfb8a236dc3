// Exports that deal with running programs from the outside: the signal of a
// single instance, the kind and the program file of a program, ending
// processes, finding and showing windows, the environment of the user and of
// the system, and opening an address with the user's browser. Texts are
// code-page-932 bytes.
#pragma once
#include <windows.h>
#include "frame/memory_blocks.h"
#include "frame/program_windows.h"

// One entry of a search for program windows: the program (its file name, or
// a full path when it holds a yen mark), a part of the title or null, and the
// window found (0 until one is). A list ends with an entry whose program is null.
struct ProgramWindowSearch {
    LPCSTR program;
    LPCSTR title;
    HWND found;
};
#ifndef _WIN64
static_assert(sizeof(ProgramWindowSearch) == 12, "three 32-bit words");
#endif

extern "C" {
// ---- Single instance
// Receives the text of the other instance.
typedef void(CALLBACK* InstanceTextCallback)(LPCSTR text);
// Sets the callback of DetectMyMutexString; returns it.
InstanceTextCallback WINAPI GetMyMutexStringAPI(InstanceTextCallback callback);
// Non-zero: DetectMyMutexString calls no callback. Returns the value.
LONG WINAPI MyMutexStringAPIIsNotUsed(LONG value);
// Opens (or creates) the shared memory `mappingName` and the mutex
// `mutexName`, and writes the formatted text into the memory under the mutex.
// The text is cut to 519 bytes at a whole character. The handles stay open
// until ReleaseMyMutexMemory. Returns 1 when written, 0 when not.
LONG __cdecl CreateMyMutexString(LPCSTR mutexName, LPCSTR mappingName, LPCSTR format, ...);
// Unmaps and closes what CreateMyMutexString opened; 1 when anything was open.
LONG WINAPI ReleaseMyMutexMemory();
// 1 when another instance holds the mutex: its text is then read under the
// mutex and handed to the callback (unless suppressed); 0 otherwise.
LONG WINAPI DetectMyMutexString(LPCSTR mutexName, LPCSTR mappingName);

// ---- The window kept for the host
HWND WINAPI SetTgtWindowsHandle(HWND window);
HWND WINAPI GetTgtWindowsHandle();

// ---- Kinds of programs
// "cmd.exe" on the Windows NT family, "command.com" otherwise.
LPCSTR WINAPI GetCommandCom();
// 0 a Windows program, 1 a console program, 2 a DOS program, -1 not known.
LONG WINAPI GetExeTypeFromWindows(LPCSTR file);
// -3 no such file (or a folder), -1 not known, 1 a console or DOS program, 0 otherwise.
LONG WINAPI IsDosApplication(LPCSTR file);
// -3 no such file (or a folder), -1 not known, 1 a Windows program, 0 otherwise.
LONG WINAPI IsWinApplication(LPCSTR file);

// ---- Processes
// Loads the process-status functions once; 1 when they are there.
LONG WINAPI LoadPSAPIandVDMDBGLibrary();
// Releases the libraries loaded for the process functions; 1 when any was.
LONG WINAPI FreePSAPILibrary();
// The program file of the window's process into `buffer` (`size` bytes): the
// full path when `fullPath` is non-zero, else its file name. 1 when found and
// different from what `tag` holds (the tag then holds it); 0 when not found,
// when it does not fit, or when the tag already held the same text.
LONG WINAPI GetExefileFromHwnd(HWND window, LPSTR buffer, int size, LONG fullPath, MemoryTag* tag);
// The first process whose program file name is the file-name part of
// `file` (without regard to case), or 0.
DWORD WINAPI GetProcessIdFromExefile(LPCSTR file);
// Ends the process with exit code 0 and waits up to a second for it.
// 1 once tried; 0 for identifier 0 or the calling process itself.
LONG WINAPI TerminateExefileByProcessId(DWORD id);
// Ends the process of the window; 0 for a window that is not valid.
LONG WINAPI TerminateExefileByWindowsHandle(HWND window);
// Ends the first other process of that program; 1 when one was found.
LONG WINAPI TerminateExefileByItsName(LPCSTR file);
// 1 when the process of word 3 has ended or cannot be opened, 0 while it runs.
LONG WINAPI IsTaskTerminated(LaunchRecord record);

// ---- Windows
// The first top-level window whose title contains (Stristr) or equals
// (Strieq) one of the names, without regard to case. `names` is a list of
// NUL-separated texts: the first `count` of them, or all up to an empty one
// when `count` is 0 or less. A contained name counts where it begins the
// title or follows a character that is not a single-byte letter, digit or
// underscore. 0 when none.
HWND WINAPI FindWindowsByEnumWindowsByStristr(LPCSTR names, int count);
HWND WINAPI FindWindowsByEnumWindowsByStrieq(LPCSTR names, int count);
// The same, walking the desktop's child windows.
HWND WINAPI FindWindowsStartingFromDesktopByStristr(LPCSTR names, int count);
HWND WINAPI FindWindowsStartingFromDesktopByStrieq(LPCSTR names, int count);
// The first top-level window that carries the window property, or 0.
HWND WINAPI FindWindowsStartingFromDesktopWithGetPropFunction(LPCSTR property);
// The searches above for the window of a program to be ended: the window
// found also becomes the target window (GetTgtWindowsHandle).
HWND WINAPI FindHwndOfTerminateScreenByStristr(LPCSTR names, int count);
HWND WINAPI FindHwndOfTerminateScreenByStrieq(LPCSTR names, int count);
// For each top-level window, its program file is compared with the entries
// not found yet; a matching entry whose title part (when given) is in the
// window's title (titleMode 0: contained, 1: equal, without regard to case)
// records the window, which also goes into the found-window table (100
// entries at most). Then action 1 ends the window's process, action 2 asks
// the window to close, anything else only records. Returns the number of
// windows recorded; the table is emptied first.
LONG WINAPI FindMultipleHwndOfTerminateExeStartingFromDesktop(ProgramWindowSearch* list, LONG titleMode,
                                                              LONG action);
LONG WINAPI FindMultipleHwndOfTerminateExeByEnumWindows(ProgramWindowSearch* list, LONG titleMode, LONG action);
// The found-window table (word 0 the window, words 3 and 4 its process and
// thread; ended by an entry whose window is 0) and its count when asked.
LaunchRecord* WINAPI GetWinExeArrayWithSpecifiedTitle(LONG* count);
// The first child window (at any depth) of that class, without regard to case.
HWND WINAPI GetHwndForSpecifiedChildWindow(HWND parent, LONG reserved, LPCSTR className);
// The owner of boxes about `window`: its top-level window when it is a
// window, else the host's main window, else the desktop.
HWND WINAPI GetAppropriateOwnerWindows(HWND window);
// Restores a minimised window (a maximised one stays so), shows it, brings
// it to the front and gives it the focus. With `plain` 0 on Windows Vista or
// later the result is 0; otherwise the platform's answer to the foreground request.
LONG WINAPI mySetForegroundWindowAlways(HWND window, LONG plain);
LONG WINAPI mySetForegroundWindow(HWND window);
// Disables the window (the dialog's control when `control` is not 0) and
// hides it at the bottom of the order / enables it and shows it at the
// rectangle. 1 when the window exists.
LONG WINAPI HideWin(HWND dialog, int control);
LONG WINAPI ShowWin(HWND dialog, int control, int left, int top, int right, int bottom);
// Show, redraw, update or invalidate every child window (at any depth);
// each returns the number of child windows. UpdateSpecifiedWindows updates
// the window itself and then its children.
LONG WINAPI ShowAllChildWindows(HWND window, int show);
LONG WINAPI RedrawAllChildWindows(HWND window);
LONG WINAPI UpdateSpecifiedWindows(HWND window);
LONG WINAPI InvalidateAllChildWindows(HWND window, BOOL erase);
LONG WINAPI UpdateAllChildWindows(HWND window);

// ---- Environment
// The variable of the process environment into `buffer` (`size` bytes).
// Both return the length with the terminator, or 0 (buffer emptied) when the
// variable is not set or does not fit.
DWORD WINAPI GetEnvironmentVariableFromUserPath(LPCSTR name, LPSTR buffer, DWORD size);
// The variable of the system's environment in the registry, with the names
// between percent signs replaced by their values.
DWORD WINAPI GetEnvironmentVariableFromSystemPath(LPCSTR name, LPSTR buffer, DWORD size);
// Entry 0 the process environment, 1 the system's: its result goes to
// *result. Returns 1 when the entry exists.
LONG WINAPI myGetEnvironmentVariable(int index, LPCSTR name, LPSTR buffer, DWORD size, DWORD* result);

// ---- Addresses
// Opens the address (read from the dialog's control `addressControl` when
// it is not 0) with the user's browser; the control `statusControl` (when
// not 0) says "Calling...." meanwhile. 1 when opened; a failure shows the
// program-start box and gives 0.
LONG WINAPI ReachURLFromString(int statusControl, HWND dialog, LPCSTR address, int addressControl);
}
