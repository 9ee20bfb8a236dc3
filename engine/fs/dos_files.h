// Exports of file access: open, read, write, seek, tell, close and the size of
// an open file, with 64-bit sizes and positions.
#pragma once
#include <windows.h>

extern "C" {
// CreateFile on the path (quotation marks removed, network paths converted);
// attributes -1 keeps the file's own. Returns the handle or INVALID_HANDLE_VALUE.
HANDLE WINAPI myOpen(LPCSTR path, DWORD access, DWORD share, DWORD disposition, DWORD attributes);
// myOpen for writing, shared for reading and writing, always created anew.
HANDLE WINAPI myOpenForWriteAlways(LPCSTR path, DWORD attributes);
// Bytes transferred, or -1.
LONG WINAPI my_lRead(HANDLE handle, LPVOID buffer, DWORD count);
LONG WINAPI my_lWrite(HANDLE handle, LPCVOID buffer, DWORD count);
// 0 on success.
int WINAPI myClose(HANDLE handle);
// Moves the file pointer by high:low from the origin (0 start, 1 current,
// 2 end); the result is in errno (0 on success).
void WINAPI my_llSeek(HANDLE handle, LONG low, LONG high, int origin);
// The current position, or -1.
LONGLONG WINAPI myTell(HANDLE handle);
// The size of the open file, or -1.
LONGLONG WINAPI GetFileLengthFromHandle(HANDLE handle);
}
