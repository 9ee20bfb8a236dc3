// A library of the common archiver interface that only tells its version:
// built under the names of other kinds, it stands in for archivers the
// binding's tests need older, newer or without a command function.
#include <windows.h>

#define JOIN2(a, b) a##b
#define JOIN(a, b) JOIN2(a, b)

extern "C" {
#ifdef STAND_IN_COMMAND
int WINAPI STAND_IN_PREFIX(HWND, LPCSTR, LPSTR output, DWORD size) {
    if (output && size) output[0] = '\0';
    return 0;
}
#endif
WORD WINAPI JOIN(STAND_IN_PREFIX, GetVersion)() { return STAND_IN_VERSION; }
BOOL WINAPI JOIN(STAND_IN_PREFIX, GetRunning)() { return FALSE; }
}
