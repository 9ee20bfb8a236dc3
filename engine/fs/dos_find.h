// Exports of the find functions: DOS-style first/next searches on the Win32
// find functions. The caller owns the find handle; it is 0 whenever no search
// is open (the functions close it themselves at the end and on every error).
#pragma once
#include <windows.h>

#ifndef _WIN64
static_assert(sizeof(WIN32_FIND_DATAA) == 320, "the find record of the callers");
#endif

extern "C" {
// 0 when an entry was found, else the error number (2 when nothing matches).
int WINAPI my_Dos_findfirst(HANDLE* handle, LPCSTR pattern, WIN32_FIND_DATAA* record);
int WINAPI my_Dos_findfirst_withoutnet(HANDLE* handle, LPCSTR pattern, WIN32_FIND_DATAA* record);
// 0 when an entry was found; 1 at the end (errno 0, handle 0); else the error number.
int WINAPI my_Dos_findnext(HANDLE* handle, WIN32_FIND_DATAA* record);
// 1 when a search was closed, 0 when there was none; the handle becomes 0.
BOOL WINAPI Close_my_Dos_find(HANDLE* handle);

// Network find state: 0 plain search, 1 network listing in progress, -1 the
// network side answered with a folder-type result, -2 no file-system name.
int WINAPI Is_my_Dos_findfirst_withnet_done();
int WINAPI Set_my_Dos_findfirst_withnet_done(int state);

DWORD WINAPI SetFindfirstAttribute(DWORD attributes);
DWORD WINAPI GetFindfirstAttribute();

// Fills the record for one path; 0 on success, else the error number.
int WINAPI myFindFileAProperty(LPCSTR path, WIN32_FIND_DATAA* record);
// The record's last-write time as local file time.
ULONGLONG WINAPI GetOurFileTime(const WIN32_FIND_DATAA* record);
// The record's size as one 64-bit number.
ULONGLONG WINAPI GetOurUlargeIntergerSize(const WIN32_FIND_DATAA* record);
}
