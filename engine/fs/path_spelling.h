// Exports of the re-spelling of a path as the file system stores it.
#pragma once
#include <windows.h>

extern "C" {
// Mode bits: 8 long names, 4 short names (neither: components kept as
// given), 16 the part that does not exist is kept as given. With inPlace 1
// the module buffer (520 bytes) is returned, otherwise the result is copied
// over the path and the path returned. Null for an empty path.
LPSTR WINAPI GetReformed95PathNameFromOS(LPSTR path, int mode, int inPlace);
// The same, then with mode bit 4 the case conversion of the mode.
LPSTR WINAPI ConvertWin95CharacterSet(LPSTR path, int mode, int inPlace);
}
