// Exports of folders: make, remove and change folders, the current folder of
// the process and of a drive, and the current drive.
#pragma once
#include <windows.h>

extern "C" {
// 0 on success, else the error number.
int WINAPI myMkdir(LPCSTR path);
int WINAPI myRmdir(LPCSTR path);
// A network path is refused (0) unless allowNetwork is set.
int WINAPI myChdir(LPCSTR path, BOOL allowNetwork);
// The buffer, or null.
LPSTR WINAPI myGetcwd(LPSTR buffer, int size);
// The current folder of a drive (1 = A, 0 = the current drive); the buffer or null.
LPSTR WINAPI myGetdcwd(int drive, LPSTR buffer, int size);
// Replaces the path by the current folder of the drive of its first letter.
int WINAPI gettgtdir(LPSTR path, int size);
// A bare drive ("C:") becomes its current folder (or its root). 0 or the error number.
int WINAPI GetDirectoryNameFromDrive(LPSTR path);
// Makes the drive current: 1 on success or for a network path, -1 on failure.
int WINAPI ChgDr(int letter);
// Changes into the folder: the drive number (A = 1) on success; -1 on failure;
// -2 when the folder cannot be read; 92 for a refused network path.
int WINAPI ChgDir(LPCSTR path, BOOL allowNetwork);
}
