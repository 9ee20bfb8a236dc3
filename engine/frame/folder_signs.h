// Exports of the relative-folder signs: "." and ".." as whole names, and the
// resolution of a path that begins with ".\", "..\" or "\" against a base folder.
#pragma once
#include <windows.h>

extern "C" {
BOOL WINAPI IsSelfDirSign(LPCSTR name);
BOOL WINAPI IsUpperDirSign(LPCSTR name);
BOOL WINAPI IsSelfDirSignCharcterAtHead(LPCSTR name);
BOOL WINAPI IsUpperDirSignCharcterAtHead(LPCSTR name);
int WINAPI IsDirnameFromDirSign(HWND window, LPSTR path, LPCSTR base);
}

namespace ferro::signs {
// The relative-folder sign at the start of p, tried in this order:
// ".\" 0, "..\" 1, "\.\" 2, "\..\" 3, "\" 4; -1 when none matches.
int match(const char* p);
// Length in bytes of the sign with the given code.
int length(int code);
}  // namespace ferro::signs
