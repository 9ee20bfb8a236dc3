// Program places: the program folder, the help file, the product's fixed names,
// the Windows and system folder overrides and the option sign of command lines.
#pragma once
#include <windows.h>

extern "C" {
// Copies the program folder (at most 519 bytes) into the module buffer and returns
// the buffer; a longer path is refused (0) and the previous folder kept. A null
// path empties the buffer.
LPSTR WINAPI SaveFerroDir(LPCSTR path);
LPSTR WINAPI GetFerroDir();
// Joins the program folder and `name` into `out` (520 bytes). Returns `out`, or
// null with `out` emptied when the joined path would not fit.
LPSTR WINAPI GetFileNameInFerroDir(LPSTR out, LPCSTR name);
// Keeps the help file's path in a memory block that stays locked; returns the
// locked text (the previous one for a null path).
LPSTR WINAPI SaveFerroHelp(LPCSTR path);
// The help file's path, "" when none was saved.
LPSTR WINAPI GetFerroHelp();
LPCSTR WINAPI GetFerroTitle();               // "Ferrolan"
LPCSTR WINAPI GetFerroUpdateSubDirectory();  // "Update"
// A 520-byte module buffer for the name of a newer program file.
LPSTR WINAPI GetFerroNewerExeFile();
// Stores an override for the Windows folder (which 0) or the system folder
// (which 1); a null or empty path removes it. Returns 1, or 0 for another
// `which` or a path of 520 bytes or more (nothing stored).
LONG WINAPI SaveHomeDirectory(HWND window, LPCSTR path, LONG which);
// Copies the override of `which` when one is set, else the system's folder,
// spelled as the file system stores it. Returns 1 when the override was used.
// A result that does not fit in `size` bytes (or a bad `which`) leaves an empty
// string and returns 0.
LONG WINAPI GetHomeDirectory(LPSTR out, UINT size, LONG which);
LPCSTR WINAPI GetOptSgn();            // " < ", between a command and its options
LONG WINAPI GetOptSgnInCharcter();    // '<'
// Cuts `text` at its first " < " and returns the options after it, or 0 when
// the text has none (the text is then unchanged).
LPSTR WINAPI ExtractOptions(LPSTR text);
}
