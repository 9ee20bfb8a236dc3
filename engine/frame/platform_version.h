// Platform version: the running Windows release, determined once and kept as one
// word of platform bits with the version numbers and the service-pack text.
#pragma once
#include <windows.h>

extern "C" {
// Determines the platform on the first call; returns the platform value.
DWORD WINAPI GetWindowsVersion();
// Returns the platform value; with a buffer (at least 22 bytes) also writes the
// platform's name, e.g. "Windows 7 64bit".
DWORD WINAPI GetWindowsPlatform(LPSTR buffer);
// Non-zero on the NT 5 and NT 6 families.
DWORD WINAPI IsWindowsAfterXP();
LONG WINAPI GetWindowsMajorVersion();
LONG WINAPI GetWindowsMinorVersion();
DWORD WINAPI GetBuiltVersion();
// Copies the service-pack text into the buffer (520 bytes) when one is given;
// returns the text, or null when the system reports none.
LPCSTR WINAPI GetExtraInfoForWindowsVersion(LPSTR buffer);
}
