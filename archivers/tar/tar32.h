// Exports of the tar library of the common archiver interface.
#pragma once
#include "common_archiver.h"

extern "C" {
// The command function: "COMMAND ARCHIVE [ARGUMENTS...]" (see command.cpp).
// Returns 0 or an error code; the listing or the messages go to `output`.
int WINAPI Tar(const HWND window, LPCSTR commandLine, LPSTR output, const DWORD size);
WORD WINAPI TarGetVersion();
BOOL WINAPI TarGetRunning();
BOOL WINAPI TarGetBackGroundMode();
BOOL WINAPI TarSetBackGroundMode(const BOOL mode);
BOOL WINAPI TarGetCursorMode();
BOOL WINAPI TarSetCursorMode(const BOOL mode);
BOOL WINAPI TarCheckArchive(LPCSTR archive, const int mode);
int WINAPI TarGetFileCount(LPCSTR archive);
BOOL WINAPI TarConfigDialog(const HWND window, LPSTR options, const int mode);

HARC WINAPI TarOpenArchive(const HWND window, LPCSTR archive, const DWORD mode);
int WINAPI TarCloseArchive(HARC archive);
int WINAPI TarFindFirst(HARC archive, LPCSTR pattern, INDIVIDUALINFO* info);
int WINAPI TarFindNext(HARC archive, INDIVIDUALINFO* info);
int WINAPI TarGetArcFileName(HARC archive, LPSTR buffer, const int size);
DWORD WINAPI TarGetArcFileSize(HARC archive);
DWORD WINAPI TarGetArcOriginalSize(HARC archive);
DWORD WINAPI TarGetArcCompressedSize(HARC archive);
WORD WINAPI TarGetArcRatio(HARC archive);
WORD WINAPI TarGetArcDate(HARC archive);
WORD WINAPI TarGetArcTime(HARC archive);
UINT WINAPI TarGetArcOSType(HARC archive);
int WINAPI TarGetFileName(HARC archive, LPSTR buffer, const int size);
int WINAPI TarGetMethod(HARC archive, LPSTR buffer, const int size);
DWORD WINAPI TarGetOriginalSize(HARC archive);
DWORD WINAPI TarGetCompressedSize(HARC archive);
WORD WINAPI TarGetRatio(HARC archive);
WORD WINAPI TarGetDate(HARC archive);
WORD WINAPI TarGetTime(HARC archive);
DWORD WINAPI TarGetCRC(HARC archive);
int WINAPI TarGetAttribute(HARC archive);
UINT WINAPI TarGetOSType(HARC archive);
}

namespace tar {
// The version this library reports: 2.26.
constexpr WORD kVersion = 226;
// True while a call of the library is at work (set and cleared by Running).
bool running();
// Marks the library busy for the lifetime of the guard; `busy()` is false
// when it already was (a second call while one works is refused).
class Running {
public:
    Running();
    ~Running();
    bool busy() const { return !owner_; }

private:
    bool owner_;
};
}  // namespace tar
