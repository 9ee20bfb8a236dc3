// Exports of ferromes.dll: message loading, the resource instance and the
// configuration key-name getters. Texts are code-page-932 bytes in buffers
// that the library owns and refills on every call: use or copy a text before
// the next call into the library.
#pragma once
#include <windows.h>
#include "key_name_table.h"

extern "C" {
// ---- Message loading
// Empties the message and title buffers, then loads messageId into the message
// buffer and titleId into the title buffer (0 = none: that buffer stays empty).
// A missing string gives "<Failed>". Result: 0 all loaded, +2 message missing,
// +1 title missing.
UINT WINAPI _MyLoadString(HINSTANCE instance, UINT messageId, UINT titleId);
UINT WINAPI MyLoadString(UINT messageId, UINT titleId);  // from the resource instance
LPSTR WINAPI GetLoadStrMessage();
LPSTR WINAPI GetLoadStrTitle();
// _MyLoadString, then the buffer pointers through the out-pointers that are not
// null. Result: the title pointer when titleOut is given, else the message
// pointer when messageOut is given, else the failure mask.
UINT_PTR WINAPI GetStringFromStringID(HINSTANCE instance, UINT messageId, UINT titleId, LPSTR* messageOut,
                                      LPSTR* titleOut);

// ---- Resource instance: one handle, under two names ("user": pictures and the
// product title; "sys": texts of dialogs and messages). The setters return it.
HINSTANCE WINAPI SetUserDlgInstance(HINSTANCE instance);
HINSTANCE WINAPI SetSysDlgInstance(HINSTANCE instance);
HINSTANCE WINAPI GetUserDlgInstance();
HINSTANCE WINAPI GetSysDlgInstance();

// ---- Configuration key names. Every getter loads its name as a title
// (MyLoadString(0, number): the message buffer is emptied, the title buffer
// overwritten) and returns the one key-name buffer.
#define FERROMES_DECLARE_KEY_NAME_GETTER(name, number) LPSTR WINAPI name();
FERROMES_PLAIN_KEY_NAME_GETTERS(FERROMES_DECLARE_KEY_NAME_GETTER)
#undef FERROMES_DECLARE_KEY_NAME_GETTER

// Getters that pick the name by an index. An index outside the listed ones
// gives the empty name (the key-name buffer emptied).
LPSTR WINAPI GetStartDirectoryString(int flag);        // 0, non-zero
LPSTR WINAPI GetFilecolorString(int index);            // 0 to 2
LPSTR WINAPI GetStartingSortString(int index);         // 0, 1
LPSTR WINAPI GetToolIconSizeString(int index);         // 0, 1
LPSTR WINAPI GetResoucesString(int index);             // 0 to 3
LPSTR WINAPI GetWinUtilityString(int index);           // 0, 1
LPSTR WINAPI GetIconFileModeString(int index);         // 0 to 4
LPSTR WINAPI GetDirBoundaryString(int index);          // 0, 1
LPSTR WINAPI GetFileBoundaryString(int mode, int column);  // mode odd, 0, 2 or 4; column 0 to 5
LPSTR WINAPI GetFileManString(int index);              // 0 to 12
LPSTR WINAPI GetSortingDisabledAtStartingString(int index);  // 0, 1
LPSTR WINAPI GetNotAskDeleteFolderString(int value);   // 1, anything else
}
