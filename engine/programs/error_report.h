// Exports of the error report list: one growing text in which the file
// operations note every file or folder that failed, with source, target,
// attributes and the system's error text; written to a file for the user's
// editor at the end of an operation. Line breaks are "\r\n".
#pragma once
#include <windows.h>

extern "C" {
// Appends one entry: the heading `headingId` (a message number, 0 none; only
// the first heading after a release is written), `text`, `source` with the
// system's spelling in square brackets when it differs and its attribute
// letters (system, hidden, read-only, archive) when it exists, the target
// line, the target note, and the system text of `errorCode` (0 none, -1 the
// stored error). Any of the texts may be null or empty. A call made while an
// entry is being added returns at once. Returns the stored system error
// number, which the call leaves as it was (with the last error and errno).
DWORD WINAPI SaveOutputFileMemoryHandle(HWND owner, LPCSTR text, LPCSTR source, LPCSTR target, UINT headingId,
                                        LONG errorCode);
// The list's text, locked until it is released or an entry is added; null
// when the list is empty.
LPSTR WINAPI GetOutputFileList();
// Unlocks and frees the list; the next entry writes its heading again.
// Returns 1, or 0 when there was no list.
LONG WINAPI ReleaseOutputFileMemoryHandle();
// The folder of the report file (copied whole when it fits in 520 bytes).
// Returns its length with the terminator, 0 when it does not fit (the old
// folder stays) or for null (the folder is emptied).
int WINAPI SetWorkDirForFailFile(LPCSTR folder);
// Non-zero: no target notes (removable disk, missing target). Returns the value.
BOOL WINAPI SetDisableIsFileDirExistForFailFile(BOOL value);
// Writes `text` (the list when null) to fileName made a full path in `folder`
// (the work folder when null), with the archive attribute, and opens it in
// the user's editor. Returns 1 when written and opened, -1 when written but
// the editor did not start, 0 when nothing was written (no name, no text, a
// path over 519 bytes, or a failed write: the stored error tells).
int WINAPI ViewOutputFiles(HWND window, LPCSTR fileName, LPCSTR folder, LPCSTR text);
// Removes the report file (fileName made a full path in the work folder)
// when it exists: 0 removed or no such file, 1 when the removal failed.
int WINAPI DeleteOutputFiles(HWND window, LPCSTR fileName);
}
