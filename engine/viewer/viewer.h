// Exports of the text viewer: one file (or a text of the caller) shown
// read-only in a modal dialog, as one step of a sequence of files. The text
// is loaded with a size cap, cleaned for a multi-line edit control and
// optionally re-wrapped to a number of characters per line, tabs expanded and
// double-byte characters never split.
#pragma once
#include <windows.h>

extern "C" {
// ---- Showing
// Shows `text` (when not null) or the file, titled with the file's name, as
// file `currentNumber` of `total` with `remaining` files left (this one
// included). Returns the dialog's result: 1 next file (or OK), 2 close, 2581
// back to the previous file; afterwards the current and remaining numbers
// have moved to the file the result asks for. A file that cannot be loaded
// shows the error box instead and returns its answer (1, or 2 for Cancel).
// Returns 0 at once for a null fileName.
LONG WINAPI Viewer(HWND owner, LPCSTR fileName, LONG currentNumber, LONG remaining, LONG total, LPCSTR text);
LONG WINAPI GetCurrentFileNumber();
LONG WINAPI GetRemainingViewerFileNumber();

// ---- Loading and re-wrapping
// Loads the file into the text buffer: 0 loaded, -2 empty file (the buffer
// holds message 7103), -3 no memory, -5 cannot open, -1 nothing read, -4 the
// user stopped after a disk error. The text keeps within the maximum size
// when it is later wrapped to lineWidth.
LONG WINAPI GetFileContentForView(LPCSTR fileName, ULONGLONG lineWidth);
// Stores a copy of `text` as the text buffer. Returns 1, 0 for null or no memory.
LONG WINAPI SetViewerBuffer(LPCSTR text);
// Re-wraps the text buffer from oldWidth to newWidth characters per line (0:
// no breaks): the breaks an earlier re-wrap inserted are taken out, tabs
// become 4 blanks, and a break goes before a character that would pass the
// width. Returns 1 (also for equal widths), 0 when the memory for the new
// text could not be had (the old text stays; a box says so).
LONG WINAPI ResetLines(HWND owner, ULONGLONG newWidth, ULONGLONG oldWidth);
ULONGLONG WINAPI SetViewerTotalLen(ULONGLONG length);
// The cap of the text buffer; 0 means the default 63488 bytes.
ULONGLONG WINAPI SetViewerMaxSize(ULONGLONG size);
ULONGLONG WINAPI SetViewerUnit(ULONGLONG width);
ULONGLONG WINAPI GetViewerUnit();
// The next load skips the cleaning (the caller says the file has no binary bytes).
LONG WINAPI SetNotIncludBinary();

// ---- Buffers
// The text and spare buffers are the module's own; returns 1.
LONG WINAPI InitFileViewerHandle();
// Replaces the text buffer by an empty text (a memory failure is reported to
// `owner`). Returns the new buffer or 0.
HGLOBAL WINAPI Init_ghCurFileViewer(HWND owner);
LPSTR WINAPI GlobalLock_ghCurFileViewer();   // null when there is no text
LONG WINAPI GlobalUnlock_ghCurFileViewer();
// Frees the text buffer, the spare buffer and the file name. Returns 1.
LONG WINAPI FreeViewerHandle();

// ---- Placement and options kept for the host
LONG WINAPI SetViewerRect(const RECT* rect);
LONG WINAPI GetViewerRect(RECT* out);
LONG WINAPI SetStartingViewerRect(const RECT* rect);
LONG WINAPI GetStartingViewerRect(RECT* out);
LONG WINAPI SetViewerOptionChanged(LONG value);
LONG WINAPI IsViewerOptionChanged();

// ---- Cursors "viewer0" (loading), "viewer1" (wrapping), "viewer2" (dialog)
LONG WINAPI SetViewerCursors();
HCURSOR WINAPI GetViewerCursor(LONG index);
LONG WINAPI DeleteViewerCursors();
}
