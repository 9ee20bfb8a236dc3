// Message boxes of the library: the primitive every error box goes through,
// its load-by-number variants, the hooks that hide and show the host's
// progress dialog around a box, and the functions that put a loaded message
// into a window or an edit control. Texts are code-page-932 bytes.
#pragma once
#include <windows.h>

extern "C" {
// A hook of the host: no arguments, result not used.
typedef void(CALLBACK* BoxHook)();

// Shows a box unless one of the library's boxes is already open. The hide
// hook is called first; while a box is open (or the box-active flag was set by
// SetWaitForErrorMessge(1)) nothing is shown and the result is IDNO (7) for a
// style with bit 0x4 (MB_YESNO, MB_RETRYCANCEL) and IDCANCEL (2) for any
// other. Otherwise: arrow cursor, box, show hook (unless suppressed), repaint
// of the owner, previous cursor. Returns the box result.
int WINAPI myMessageBox(HWND window, LPCSTR text, LPCSTR title, UINT style);
// The plain system box, none of the rules above.
int WINAPI _MessageBox(HWND window, LPCSTR text, LPCSTR title, UINT style);
// Loads message and title by number and shows them with the arrow cursor and
// the box-active flag set around the box; no guard, no hooks.
int WINAPI MyLoadMessageBox(HWND window, UINT messageId, UINT titleId, UINT style);
int WINAPI _MyLoadMessageBox(HINSTANCE instance, HWND window, UINT messageId, UINT titleId, UINT style);
// Hide hook, the box above, repaint of the owner, show hook.
int WINAPI myMessageBoxForLoadString(HWND window, UINT messageId, UINT titleId, UINT style);
int WINAPI _myMessageBoxForLoadString(HINSTANCE instance, HWND window, UINT messageId, UINT titleId, UINT style);
// A box whose message is a format with one %s for `insert`, after an optional
// prefix and a blank. Insert and prefix are shortened (ending in "...") so
// that the text fits in 520 bytes.
int WINAPI _MessageBoxPrintf(HINSTANCE instance, UINT messageId, UINT titleId, LPCSTR insert, HWND window,
                             UINT style, LPCSTR prefix);

// The sound of the style's icon.
BOOL WINAPI BEEP(UINT style);

// The box-active flag: 1 while a box of the library is open.
LONG WINAPI SetWaitForErrorMessge(LONG value);
LONG WINAPI IsWaitForErrorMessge();
// Sets both hooks (first the show hook, then the hide hook); returns the show hook.
BoxHook WINAPI SetDisableBoxBeforeMessageBox(BoxHook showHook, BoxHook hideHook);
// While non-zero the show hook is not called. Returns the value.
LONG WINAPI DonotShowTitleDlg(LONG value);
// Call the hide hook / the show hook (the latter unless suppressed). Return 1
// when a hook was called.
LONG WINAPI HideDll();
LONG WINAPI ShowDll();

// ---- Messages into windows
// Invalidates and updates a window (not the desktop). Returns 1 when done.
BOOL WINAPI RepaintWindows(HWND window);
// Puts text into the edit control `control` of `window` (control 0: into
// `window` itself), line feeds given as carriage return and line feed.
BOOL WINAPI myPutTextInEdit(HWND window, int control, LPCSTR text);
BOOL WINAPI SetWindowTextForLoadString(HWND window, UINT messageId);
BOOL WINAPI myPutTextInEditLoadString(HWND window, int control, UINT messageId);
BOOL WINAPI _myPutTextInEditLoadString(HINSTANCE instance, HWND window, int control, UINT messageId);
// Opens a folder in a window of the shell (which asks for a network password
// when the folder needs one). No box of its own; returns 1 when opened.
BOOL WINAPI OpenDirInDesktop(HWND window, LPCSTR folder);
}
