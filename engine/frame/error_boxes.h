// Composed error boxes: the file error box and its loaders, the disk error
// question, the program-start boxes, the expand-copy box and the boxes of a
// failed folder read. Every box goes through myMessageBox, so none is shown
// while another box of the library is open (the result is then 2, or 7 for a
// yes/no style).
#pragma once
#include <windows.h>

extern "C" {
// ---- File error box
// The box for a failed file operation: "'name'" (its file-name part when
// nameOnly is 1), the explanation `text`, the read-only line when the
// attribute word says so, "Windows>>" and the system text of the stored
// error, and the help text. Style and help text from SetHelpDosErrorMessage.
// The stored Win32 error and errno are as they were on entry afterwards.
int WINAPI DosErrorMessage(HWND window, LPCSTR name, LPCSTR text, LPCSTR title, LONG nameOnly);
// Reads the attributes of `name` first (read-only adds a line).
int WINAPI DosErrorMessageWithAttribute(HWND window, LPCSTR name, LPCSTR text, LPCSTR title, LONG nameOnly);
// Text and title loaded by number.
int WINAPI MyLoadDosErrorMessage(HWND window, LPCSTR name, UINT messageId, UINT titleId, LONG nameOnly);
int WINAPI MyLoadDosErrorMessageWithAttribute(HWND window, LPCSTR name, UINT messageId, UINT titleId,
                                              LONG nameOnly);
int WINAPI _MyLoadDosErrorMessage(HINSTANCE instance, HWND window, LPCSTR name, UINT messageId, UINT titleId,
                                  LONG nameOnly);
int WINAPI _MyLoadDosErrorMessageWithAttribute(HINSTANCE instance, HWND window, LPCSTR name, UINT messageId,
                                               UINT titleId, LONG nameOnly);
// The style of the next file error box and the line appended to every one
// while it is not empty (at most 519 bytes kept). A null helpText empties it
// and returns 0; otherwise returns the style.
UINT WINAPI SetHelpDosErrorMessage(UINT style, LPCSTR helpText);

// ---- Disk error question: errno 0 gives 0, errno other than 9 gives 6
// without a box, errno 9 asks whether to stop (yes = 6).
int WINAPI CheckDiskError(HWND window, LPCSTR name);

// ---- Program start
// The box for a start code of ShellExecute/WinExec at or below 32 that has a
// text; any other code returns 0 without a box. With `expected` non-zero the
// result is the box result when it equals `expected`, else 0.
int WINAPI ShellExecuteError(HWND window, LPCSTR name, UINT titleId, LONG code, LPCSTR extra, UINT style,
                             LONG expected);
// 1 after ShellExecuteError showed its box, 0 after one that showed none.
LONG WINAPI ErrorMessageFromShellExecuteDone();
// The box for a failed WinExec, with the system text of the stored error.
int WINAPI WinExeErrors(HWND window, LPCSTR name, UINT titleId, LONG reserved);

// ---- Expand copy: the box for an LZ expand-copy error code.
int WINAPI LZCopyErrors(HWND window, LPCSTR name, LONG code);

// ---- Folder reading
// The box for a failed folder read (code of the listing read; flags: 0x1 the
// entry is a folder, 0x4 ask whether to continue). Returns 0 to continue, -1
// to stop, -22 after a network error, or -18/-20 unchanged without a box.
LONG WINAPI GetFileDirectryEntryErrorMes(HWND window, LPCSTR name, LONG code, LONG count, LONG flags);
// The question after a network error of a folder: 0 no network error, 7 the
// error was reported, 4 try again, 2 do not, 3 stop, or the box result.
LONG WINAPI GetNetDirectryEntryErrorMes(HWND window, LPCSTR name, UINT style);
}
