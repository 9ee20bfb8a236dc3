// Exports of the text search: the modeless find and replace dialogs that tell
// their owner what to do through message 5119 with a FINDREPLACE record, the
// search inside the files of a folder that sends every hit as a line (message
// 3072) to the host's main window, and the keyword tables.
#pragma once
#include <windows.h>
#include <commdlg.h>
#include "frame/memory_blocks.h"

#ifndef _WIN64
static_assert(sizeof(FINDREPLACEA) == 40, "the ten words of the record");
#endif

extern "C" {
// ---- Find and replace dialogs (one at a time)
// Keep a copy of the record / the module's record (copied to `out` when given).
LONG WINAPI SetFindReplaceStruct(const FINDREPLACEA* record);
LPFINDREPLACEA WINAPI GetFindReplaceStruct(LPFINDREPLACEA out);
// The placement the next dialog takes (an empty rectangle: its own). Returns 1.
LONG WINAPI SetClientRectOfFindReplaceDlg(const RECT* rect);
// The action of the last button (8 find next, 16 replace, 32 replace all) and
// the one before it.
LONG WINAPI PreviousActionForReplace();
LONG WINAPI SetPreviousActionForReplace(LONG action);
LONG WINAPI CurrentActionForReplace();
// Copy the record and show the dialog "OpenFindText" / "OpenReplaceText" owned
// by the record's owner. Return 5119, or 0 after a box when the dialog could
// not be made (or for a null record). `reserved` is not read.
LONG WINAPI myFindText(const FINDREPLACEA* record, LONG reserved);
LONG WINAPI myReplaceText(const FINDREPLACEA* record, LONG reserved);
// 5119: the message the owner receives (wParam 1 from the dialog, 0 from a
// repeat without it; lParam the record).
UINT WINAPI GetMessageIdFromFindReplace();
LONG WINAPI IsFindTextDlgActive();
// Activates the dialog; 0 when there is none.
LONG WINAPI SetActiveFindTextDlg();
// IsDialogMessage for the dialog (the host's message loop calls it).
LONG WINAPI IsFindTextDlgMessage(MSG* msg);
HWND WINAPI GetWndHandleForCreateFindReplaceDlg();
// Destroys the dialog. Returns 1, or 0 when there was none.
LONG WINAPI DestroyWndCreateFindReplaceDlg();
// The module the dialogs are made from.
HINSTANCE WINAPI GetInstanceOfFindReplaceDlg();
// The histories: the tags that hold them (a list of NUL-separated texts ended
// by an empty one, newest first), and the lists themselves ("" when empty).
MemoryTag* WINAPI GetInitialFindStrings();
LPCSTR WINAPI GetmyFindStrings();
MemoryTag* WINAPI GetInitialReplaceStrings();
LPCSTR WINAPI GetmyReplaceStrings();
// Sends 5119 (wParam 0) for a find next without the dialog, downward or
// upward. 0 without an owner, an instance or a find text.
LONG WINAPI RepeatFindTextWithoutDlg(LONG downward);
// The record's flags made anew from the dialog's controls for a button
// (5009, 5010, 5011; 0 keeps the flags and applies only the check boxes);
// mode bit 0x08 means find next. Stored in the record and returned.
DWORD WINAPI GetCheckedMarksFromDialog(HWND dialog, LONG button, LONG mode);
// The state of the "from the beginning" check box (5014).
LONG WINAPI IsResetStartingPositionByFindReplaceDlg();
// Fills a combo box with a history (0 find, 1 replace); returns the entries.
LONG WINAPI SetNewFindReplaceStringInCombobox(HWND combo, LONG which);
// Puts the combo box's text at the top of a history (0 find, 1 replace) and
// fills the box anew. Returns 1, 0 for an empty text.
LONG WINAPI SetNewFindReplaceStringFromComboBox(HWND combo, LONG which);
// Fills both combo boxes of a replace dialog from the histories and the record.
LONG WINAPI SetFindReplaceStringInReplaceTextDlg(HWND dialog);
// A box titled 216 with the exclamation icon: message `messageId` (0 none)
// formatted with `insert`, then, for a count of 0 or more, message 220
// formatted with it (its CR LF made one line feed). Returns the box result.
LONG WINAPI ShowMessageForFindReplace(HWND owner, UINT messageId, LPCSTR insert, LONG count);

// ---- Search inside files
// Options of OpenFindInsideFileDialog.
enum : DWORD {
    kFindWholeWord = 0x02,
    kFindMatchCase = 0x04,
    kFindSubfolders = 0x100,
    kFindAtOnce = 0x1000,       // start the search when the dialog opens, close it after
    kFindWithoutWindow = 0x2000 // search at once with the kept texts, no dialog; the stop flag ends it
};
// Runs the dialog "OpenFindInsideFile" with the texts given (null keeps the
// kept ones) and the options. Returns the hits of the last search, or -1 when
// none ran (no search text, no pattern or no folder).
LONG WINAPI OpenFindInsideFileDialog(HWND owner, LPCSTR searchFor, LPCSTR pattern, LPCSTR folder, DWORD options);
// The kept pattern and folder texts (520-byte buffers of the module).
LPSTR WINAPI GetInitialFileInFindFile();
LPSTR WINAPI GetInitialFolderInFindFile();
// The newest folder of the folder history, "" when it is empty.
LPCSTR WINAPI GetFirstListedFolderInFindFile();
// The tag of the search-text history, and the kept search text (520 bytes).
MemoryTag* WINAPI GetgszKeyWordSearch();
LPSTR WINAPI GetgszSearchFor();
// Puts a folder at the top of the folder history. Returns 1, 0 for an empty one.
LONG WINAPI SetFolderInFindFileForMemoryTag(LPCSTR folder);

// ---- Keywords
// 1 when `word` is exactly (with case) a keyword of the C, C++ or Windows table.
LONG WINAPI IsKeywordsMatched(LPCSTR word);
// The tables, each ended by a null pointer.
const char* const* WINAPI GetCKeywordArray();
const char* const* WINAPI GetCppKeywordArray();
const char* const* WINAPI GetWinKeywordArray();

// Frees the histories and texts of the search and closes its dialog. Returns 1.
LONG WINAPI FreeFindStringMemory();
}
