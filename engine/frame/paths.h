// Exports of path-name handling: roots and network forms, path parts,
// joining, upward and relative paths, and the reduction of long paths to a
// pixel width for display. Paths are code-page-932 strings in 520-byte
// buffers (519 bytes of text and the NUL); the separator is the yen mark
// (0x5C) at a single-byte position only.
#pragma once
#include <windows.h>

extern "C" {
// ---- Roots and network forms
BOOL WINAPI IsRootDir(LPCSTR path);
BOOL WINAPI IsRootDirIncluded(LPCSTR path);
BOOL WINAPI IsNetRootDir(LPCSTR path);
// A network path in either form; never while the network is switched off.
BOOL WINAPI IsDriveMyNetwork(LPCSTR path);
BOOL WINAPI IsDriveSystemNetwork(LPCSTR path);
// The application's network-off switch: network paths are not recognised and
// the drive list has no network entry while it is non-zero.
BOOL WINAPI SetNetworkDisabledByApplication(BOOL value);
BOOL WINAPI IsNetworkDisabledByApplication();

// ---- Path parts
LPSTR WINAPI GetFileFromPathWithYen(LPCSTR path);
LPSTR WINAPI FindYenMark(LPCSTR path);
LPSTR WINAPI GetSubDirectoryFromPath(LPCSTR path);
LPSTR WINAPI GetFileName(LPSTR out, LPSTR path);
LPSTR WINAPI GetDirectoryPathInFile(LPSTR path);
LPSTR WINAPI ExtractPath(LPSTR path, LPSTR saved);
BOOL WINAPI RecoverPath(LPSTR position, int saved);
LPSTR WINAPI ExtractPathWithoutRootYen(LPSTR path, LPSTR saved);
LPSTR WINAPI GetPathRestricted(LPSTR path);
LPSTR WINAPI GetFileExtension(LPCSTR name);
LPSTR WINAPI FindPeriod(LPCSTR name, LPBOOL inQuote);
LPSTR WINAPI FindPeriodFromEnd(LPCSTR name, LPBOOL inQuote);
LPSTR WINAPI FindSpace(LPCSTR text);
LPSTR WINAPI FindSpaceFromEnd(LPCSTR text);
LPSTR WINAPI AddFileExtensionWithPeriod(LPSTR name, LPCSTR extension);
LPSTR WINAPI RemoveFileExtension(LPSTR name);
LPSTR WINAPI ChangeExt(LPSTR name, LPCSTR other);
BOOL WINAPI RemoveLastYenmark(LPSTR path);
BOOL WINAPI IsRemoveLastYenmark();
BOOL WINAPI SetRemoveLastYenmark(BOOL value);
LPSTR WINAPI AddLastYenmark(LPSTR path);
BOOL WINAPI RemoveLastKugiri(LPSTR text, int character);
int WINAPI GetNumberOfYenmarkinDirectoryWithoutYenmakAtLastEnd(LPCSTR path);
int WINAPI IsMultiFolders(LPCSTR path);
LPSTR WINAPI GetUrlKugiriFileName(LPCSTR url, BOOL withSlash);
LPSTR WINAPI GetUrlKugiriDirectoryPathInFile(LPSTR url, LPSTR saved);
LPSTR WINAPI GetUrlKugiriDirectoryPathInFileWithLastUrlKugiri(LPSTR url, LPSTR saved);
int WINAPI ReplaceSlashByYenmark(LPSTR text);
int WINAPI ReplaceYenmarkBySlash(LPSTR text);
LPSTR WINAPI RemoveLastSlash(LPSTR text);
BOOL WINAPI RecoverBackSlash(LPSTR position);
int WINAPI GetTemporaryFolderByEnv(LPSTR buffer);
LPSTR WINAPI GetAttributeChar(LONG attributes, LPSTR out);
BOOL WINAPI IsAttributeActive(LONG attributes, LONG mask);
LPSTR WINAPI IsDirectoryContained(LPCSTR path, LPCSTR folder, BOOL fromEnd);

// ---- Joining, upward and relative paths
int WINAPI _myGetFullPathName(LPSTR out, LPSTR folder, LPCSTR name);
int WINAPI GetUpperDirectory(LPSTR path);
int WINAPI IsUpperDirectoryObtained(LPSTR path);
LPSTR WINAPI IsRelativePathSignHere(LPCSTR path);
LPSTR WINAPI IsRelativeUpperPathHere(LPCSTR path);
int WINAPI FindRelativePathFromNormalPath(LPSTR path, LPCSTR base);
int WINAPI FindNormalPathFromRelativePath(LPSTR path, LPSTR out, LPCSTR base);

// ---- Display reduction
// The window's device context with the window's font selected; the font that
// was selected before is stored in *previousFont. Give it back with
// SelectObject(dc, *previousFont) and ReleaseDC(window, dc).
HDC WINAPI _myGetDC(HWND window, HGDIOBJ* previousFont);
int WINAPI GetStrWidth(HWND window, HDC deviceContext, LPCSTR text);
LPSTR WINAPI GetReducedDir(HWND window, HDC deviceContext, LPSTR path, int width);
BOOL WINAPI GetReducedDirDone();
LPSTR WINAPI SetReducedDirWithLength(HWND window, HDC deviceContext, LPSTR path, int width);
LPSTR WINAPI SetReducedDirWithCtlID(HWND dialog, HDC deviceContext, LPSTR path, int controlId);
LPSTR WINAPI SetReducedFileWithCtlID(HWND dialog, HDC deviceContext, LPSTR name, int controlId);
LPSTR WINAPI GetReducedFile(HWND window, HDC deviceContext, LPSTR text, int width);
LPSTR WINAPI GetReducedFileWithExtensionNotReduced(HWND window, LPSTR text, int width);
}
