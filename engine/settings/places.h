// Exports of the places the settings know: the two run-time shell bindings,
// the table of the user's special folders (folder numbers 0 to 49, listed
// 0 to 40), the per-user copies of protected folders and the expansion of
// environment names in paths. Paths are code-page-932 texts in 520-byte
// buffers.
#pragma once
#include <windows.h>
#include <shellapi.h>

extern "C" {
// ---- Shell bindings
// Looks up SHGetSpecialFolderLocation and SHFileOperation in SHELL32.DLL;
// each flag becomes 1 when found, -1 when not. Returns 1 when the library loaded.
LONG WINAPI CheckSHFunctions();
LONG WINAPI IsSHGetSpecialFolderLocation();  // 1, -1, or 0 before the check
LONG WINAPI IsSHFileOperationSupported();
// The bound SHFileOperation's result, or 0 when it is not bound.
LONG WINAPI mySHFileOperation(LPSHFILEOPSTRUCTA operation);

// ---- Special folders
// Finds folder `number` (through the shell, else the registry's shell
// folders) and fills the caller's path and label (520 bytes each, may be
// null) and the tables. 1 when the folder exists, else 0 (buffers empty).
LONG WINAPI SetDesktopDirectoryFromRegistry(LPSTR path, LPSTR label, LONG number);
// Sets each folder's active flag; returns the number found.
LONG WINAPI RegisteDesktopDirectory();
// Empties the tables, finds every folder, then folder 0 again; 1 when it exists.
LONG WINAPI SetFirstDesktopMenuWithFolder();
// The stored path / label (520 bytes); 1 when one is stored.
LONG WINAPI GetDesktopDirectory(LPSTR path, LONG number);
LONG WINAPI GetDesktopMenu(LPSTR label, LONG number);
LONG WINAPI GetDesktopDirectoryFromRegistry(LPSTR path, LPSTR label, LONG number);
LONG WINAPI IsActiveDesktopDirectory(LONG number);
LONG WINAPI FreeDesktopMenuHandle();
// The table: registry value name string, menu command identifier, label
// string (of the running platform); -1 for numbers outside it.
LONG WINAPI GetDesktopFolderKeywordID(LONG number);
LONG WINAPI GetDesktopFolderMenuID(LONG number);
LONG WINAPI GetDesktopFolderStringID(LONG number);
// The folder number of a menu command identifier (low 16 bits), else -1.
LONG WINAPI GetDeskTopOrderedNumber(LONG menuId);
// Adds the path of every found folder 0 to 40 to the combo box / list box
// `control` of `dialog` (with addCurrentFirst, `current` first) and selects
// the entry equal to `current` without regard to case. The number added.
LONG WINAPI FillNamesInComboBoxByDesktopFolders(HWND dialog, LPCSTR current, int control, LONG addCurrentFirst);
LONG WINAPI FillNamesInListBoxByDesktopFolders(HWND dialog, LPCSTR current, int control, LONG addCurrentFirst);

// ---- Environment names in paths
// Replaces in place each %NAME% whose environment variable is set by its
// value (the text is taken to be a 520-byte buffer). Returns the number of
// names replaced; 0 when the result would not fit (the text is unchanged).
LONG WINAPI ReplaceSystemRoot(LPSTR text);

// ---- Internet cache folders (numbers 19 to 21) and per-user copies
// The folder of number 19 (cache), 20 (cookies) or 21 (history) from the
// Internet settings of HKEY_LOCAL_MACHINE into `buffer` (`size` bytes; 0 is
// 520). 1 when found, 0 for other numbers or when it is not there.
LONG WINAPI GetInternetSettingDirectoryFromRegistry(LPSTR buffer, LONG number, LONG size);
LPCSTR WINAPI GetRedirectSubfolderNameInVista();  // "VirtualStore"
// "VirtualStore" below the local application data folder (number 23) into
// `buffer` (520 bytes); empty when that folder was not found. Returns buffer.
LPSTR WINAPI GetRedirectFolderNameInVista(LPSTR buffer);
// That folder joined with `path` without its drive root: where Windows keeps
// the per-user copy of a file a program wrote below a protected folder.
// Returns buffer, or null (buffer empty) when it would not fit.
LPSTR WINAPI MakeRedirectFolderInVista(LPSTR buffer, LPCSTR path);
}
