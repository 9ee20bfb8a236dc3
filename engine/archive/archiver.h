// Exports of the archiver binding: archiver libraries of the common archiver
// interface, loaded by file name from the executable search path, their
// functions handed to the host, their versions checked against the versions
// this library was built for, and the archiver menu items marked.
//
// Six kinds (0 lzh, 1 zip, 2 ish, 3 cab, 4 tar, 5 arj) in two rows (0 packing,
// 1 unpacking) give twelve slots (slot = row * 6 + kind). Per-kind queries use
// the current row (SetPackOrUnpack) and answer 0 while it is not 0 or 1.
#pragma once
#include <windows.h>

extern "C" {
// ---- The current row and the type words
LONG WINAPI SetPackOrUnpack(LONG row);
LONG WINAPI GetPackOrUnpack();
// Sets the current row and stores a type word beside it; returns the row.
LONG WINAPI SetArchiverDllType(LONG row, LONG type);
// Writes the row and the type word to the out-arguments that are not null;
// returns the row.
LONG WINAPI GetArchiverDllType(LONG* rowOut, LONG* typeOut);

// ---- Names
// "Lha", "Zip", "Ish", "Cab", "Tar", "Unarj", "Expand", "DOS" for 1 to 8; null otherwise.
LPCSTR WINAPI GetAllArchiverName(LONG index);
LPCSTR WINAPI GetArchiverName(LONG kind);    // the kind's prefix in the current row
LPCSTR WINAPI GetArchiveExtName(LONG kind);  // "tar;taz;tgz;gz;z;bz2" for kind 4

// ---- Slot state in the current row
LONG WINAPI IsArchiverActive(LONG kind);           // 1 missing, 2 loaded
LONG WINAPI IsCorrectArchiveVer(LONG kind);        // 1 equal, 2 older, 4 newer, 8 not checked
LONG WINAPI GetUsedArchiveVersion(LONG kind);      // what the library reported, in hundredths
LONG WINAPI GetCompiledArchiveVersion(LONG kind);  // what this library was built for (-1: none)

// ---- Loading, checking, releasing
// Loads every slot; 1 when every slot that names a library has it loaded with
// its command function. With a report text the missing files are reported
// by ShowBadDllMessage.
LONG WINAPI FindArchiverDllFunction(HWND window, LPCSTR report);
// The same walk, looking up only the version function.
LONG WINAPI CheckArchiverDllFunction(HWND window, LPCSTR report);
// Marks all twelve slots loaded and not checked. Returns 1.
LONG WINAPI SetOkForArchiverDllFunction();
// Checks the version of every loaded slot that can tell it, shows the report
// of older libraries (with `extraText` after it) and returns the check result
// of the last slot checked (8 when none was).
LONG WINAPI IsArchiverVersionCorrect(HWND window, LPCSTR extraText);
// The box of missing libraries: "LIST  を利用できません。REPORT" under "DLLのﾁｪｯｸ",
// yes/no; yes opens the archiver installer's download page. Returns the answer.
LONG WINAPI ShowBadDllMessage(HWND window, LPCSTR missingList, LPCSTR report);
LONG WINAPI IsQuitToInstallCaldix();
// Unloads every library; afterwards every lookup answers 0. Returns 1.
LONG WINAPI FreeArchiverDllFunction();
LONG WINAPI IsArchiverDllFunctionFree();
// 1 when the file is found on the executable search path; its full path is
// copied to `out` (520 bytes) when given.
LONG WINAPI IsRelatedFileExist(LPCSTR name, LPSTR out);

// ---- Function lookups for the host: an address in the library, or 0
#define ARCHIVER_FUNCTION(name, suffix, rule) FARPROC WINAPI func##name(LONG row, LONG kind);
#include "archive/archiver_functions.def"
#undef ARCHIVER_FUNCTION
// Whether the functions exist in the current row.
LONG WINAPI IsCheckArchive(LONG kind);
LONG WINAPI myLhaGetVersionExist();
LONG WINAPI myLhaSetCursorModeExist();
LONG WINAPI myLhaGetRunningExist();
LONG WINAPI myLhaGetBackGroundMode();

// ---- Extensions
// Writes "*.EXT" for the next extension of the kind's list and returns its
// length; the last one returns 0, and the call after it starts again.
LONG WINAPI GetWildCardsByArchiveExt(LPSTR out, LONG kind);
// 1 when the extension equals the list or one of its ";" items (case
// ignored), 0 when not, -1 when the list has an empty item.
LONG WINAPI IsExtMatchedByArchiveExt(LPCSTR extension, LPCSTR list);
// The text of an archiver error code (its message number).
LPSTR WINAPI GetUnlhaErrorString(LONG messageId);

// ---- Menus
// The menu holds the archiver items in slot order (six packing items, then six
// unpacking items). Items of missing libraries are disabled; the others are
// enabled and marked "?" older, "!" newer, "*" not checked, none when equal.
LONG WINAPI SetWinArchiverMenu(HMENU menu);
LONG WINAPI SetDosArchiverMenu(HMENU menu, LONG disable);
// Enables or disables one item: by command `id`, or by `position` when `id`
// is -1; `flags` may say MF_POPUP (16) for an item that opens a sub-menu.
// Returns the item's previous state, or -1 when there is no such item.
LONG WINAPI SetDisableMenu(HMENU menu, LONG position, LONG id, LONG flags, LONG disable);

// ---- Other state kept for the host
LONG WINAPI SetNumberOfDosArchiver(LONG value);
LONG WINAPI GetNumberOfDosArchiver();
LONG_PTR WINAPI SetSelectedArcfiles(LONG_PTR value);
LONG_PTR WINAPI GetSelectedArcfiles();
LONG WINAPI SetTotalSelectedArcfiles(LONG value);
LONG WINAPI GetTotalSelectedArcfiles();
LONG WINAPI SetTypeOfAllArchiver(LONG value);
LONG WINAPI GetTypeOfAllArchiver();
LONG WINAPI SetTypeOfDosArchiver(LONG value);
LONG WINAPI GetTypeOfDosArchiver();
// Archiver strings: block `index` (0 to 31) holds one text. Save returns the
// block, or 0 for a bad index or a memory failure.
HGLOBAL WINAPI SaveArchiverHandle(HWND window, LONG index, LPCSTR text);
LPSTR WINAPI LockArchiverHandle(LONG index);  // null when the block is not there
LONG WINAPI UnlockArchiverHandle(LONG index);
LONG WINAPI FreeArchiverHandle();
}
