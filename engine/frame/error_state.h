// The error convention of the file-system layer: after every operation the
// Win32 error is stored and the run-time error number `errno` is set from it
// by one table. Callers report failures from these two values.
#pragma once
#include <windows.h>

extern "C" {
// The stored Win32 error of the last operation.
DWORD WINAPI Get_nERRNO();
DWORD WINAPI Set_nERRNO(DWORD error);
// Reads GetLastError afresh, stores it and returns it.
DWORD WINAPI my_Dos_exterror();
// Sets errno from the stored Win32 error by the table and returns it.
int WINAPI GetErrnoFromWin32();
int WINAPI Get_errno();
int WINAPI Set_errno(int value);
}

namespace ferro::dos {
// The error number that the table gives for a Win32 error (no state touched).
int errno_for_win32(DWORD error);
// After a platform call: stores GetLastError and sets errno from it. Returns errno.
int record_last_error();
// Stores the given Win32 error and sets errno from it. Returns errno.
int record_error(DWORD error);
}  // namespace ferro::dos
