// Exports of file times, attributes and the system clock. Times cross the
// boundary as local file times.
#pragma once
#include <windows.h>

extern "C" {
// Local system date and time records of my_Dos_gettime / my_Dos_settime.
struct DosDate {
    WORD day, month, year, day_of_week;
};
struct DosTime {
    WORD hour, minute, second, milliseconds;
};

// The last-write time of the path as local file time, into `time` (or `copy`
// when `time` is null; into both when both are given). 0 on success.
int WINAPI my_Dos_getftime(LPCSTR path, FILETIME* time, FILETIME* copy);
// Sets the last-write time of an existing file from a local time. 0 on success.
int WINAPI my_Dos_setftime(LPCSTR path, DWORD low, DWORD high);
// Sets the times that are given (null leaves one); `local` non-zero: the
// times are local times. 0 on success.
int WINAPI my_Win_setftime(LPCSTR path, const FILETIME* creation, const FILETIME* access, const FILETIME* write,
                           BOOL local);
int WINAPI my_Dos_getftime0(HANDLE handle, FILETIME* time);
int WINAPI my_Dos_setftime0(HANDLE handle, DWORD low, DWORD high);

// The attributes into *attributes (-1 when they cannot be read); non-zero on failure.
int WINAPI my_Dos_getfileattr(LPCSTR path, LPDWORD attributes);
// Sets the attributes (0 is written as normal, 128); a missing path gives 0.
int WINAPI my_Dos_setfileattr(LPCSTR path, DWORD attributes);
// 4 an existing folder, 2 an existing file, 1 missing or unreadable.
int WINAPI IsDirectoryAttribute(LPSTR path);

int WINAPI my_Dos_gettime(DosDate* date, DosTime* time);
int WINAPI my_Dos_settime(const DosDate* date, const DosTime* time);
}
