// Exports of removing, renaming, the existence test, the program search, the
// short-name retry and the redirect folder.
#pragma once
#include <windows.h>

extern "C" {
// 0 on success, 1 on failure.
int WINAPI WinRemove(LPCSTR path);
// 1 when the path does not exist, else WinRemove.
int WINAPI myRemove(LPCSTR path);
// 0 on success, else the error number.
int WINAPI WinRename(LPCSTR from, LPCSTR to);
// 0 when the path exists, -1 when not.
int WINAPI myAccess(LPCSTR path);
// Whether the path (an enclosing quotation removed) exists.
BOOL WINAPI IsFileDirExist(LPCSTR path);
// Finds a program: 0 when found (the full path in out); see the family notes.
int WINAPI my_Searchenv(LPCSTR name, LPSTR out, int size);

// The path's folder joined with the entry's short name (out: 520 bytes);
// 1 on success, 0 when the path cannot be found.
BOOL WINAPI myGetShortFileName(LPSTR out, LPCSTR path);
// The short-name form of the path for a retry (buffer: 520 bytes); 1 when a
// retry is to be made (and it was noted in the error report list), else 0.
BOOL WINAPI GetShortNameVersion(LPSTR buffer, LPCSTR path);

// The folder whose deletes are retried in the per-user redirect folder
// (null or empty: none). Returns the stored folder.
LPCSTR WINAPI SetFolderForRedirect(LPCSTR folder);
}
