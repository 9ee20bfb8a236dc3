// Exports of the file copy engine: the three copy primitives (the library's
// own copy loop, the shell's file operation, the join of two files), the
// message number of a copy result, the state of a copy run, the copy-or-move
// and selected-type words with their transforms, and the excluded-name lists.
// Paths are code-page-932 strings in 520-byte buffers.
#pragma once
#include <windows.h>

extern "C" {
// ---- Copy primitives
// Result codes of the primitives (0 copied); GetCopyingErrorMessageID maps them.
//   2 source not found, 9 media error (target not ready), 28 disk full,
//   -9 source not opened, -10 read failed or the source ended early,
//   -11 drive not ready, -12 read failed part-way, -13 read failed at once,
//   -14 length unreadable or the target failed, -15 target not opened,
//   -16 no buffer memory, -17 stopped by the user, -19 the target is a folder,
//   -20 the shell copy was cancelled, -21 failed (noted in the error report list).
//
// Copies `source` to `target` block by block. `drive` is the letter of the
// drive that is current when the copy starts (set back after a failure);
// `progressMessage` (0 none) is sent to `window` after each written block with
// the bytes of this file done so far (wParam high 32 bits, lParam low 32 bits).
// On success the target has the source's times and attributes (or the target
// attribute, when one is set). A failure is noted in the error report list and
// its partial target removed; a stop removes a target not completely written.
LONG WINAPI myOrgCopyFile(HWND window, LPSTR source, LPSTR target, LONG drive, UINT progressMessage);
// The same job through the shell's file operation. `source` and `target` are
// only read (a path of 520 bytes or more is refused: -9 or -15). The progress
// message carries the file's size once, after the copy.
LONG WINAPI mySHCopyFile(HWND window, LPSTR source, LPSTR target, LONG drive, UINT progressMessage);
// Writes `first` followed by `second` into `target` (created anew with the
// attributes of `second`); the target gets the times of `first` (timeIndex 0)
// or `second` (1). `currentNameOut` (520 bytes, may be null) receives the name
// being worked on. On failure the target is removed.
LONG WINAPI myAppendFile(HWND window, LPCSTR first, LPCSTR second, LPCSTR target, LPSTR currentNameOut,
                         LONG timeIndex);
// The message number for a copy result (0 none); `nameOut` (520 bytes, may be
// null) receives the name to show with it.
UINT WINAPI GetCopyingErrorMessageID(LONG result, LPCSTR sourceName, LPCSTR targetName, LPSTR nameOut);

// ---- State of a copy run
// Bytes written since the last reset. Reset returns 0, Add the new high word.
LONG WINAPI ResetCopiedTotalSize();
LONG WINAPI AddCopiedTotalSize(DWORD low, DWORD high);
ULONGLONG WINAPI GetCopiedTotalSize();
// Share modes: index 0 reading sources, 1 writing targets; `on` stores 3
// (share read and write), else 0. Set returns the stored word.
LONG WINAPI SetSharedModeForCopyFile(LONG index, LONG on);
LONG WINAPI IsSharedModeForCopyFile(LONG index);
// -1 (initial): targets get their source's attributes; else every target gets this.
LONG WINAPI SetTgtAttributeInCopyFile(LONG value);
LONG WINAPI GetTgtAttributeInCopyFile();
// Kept for the host (initial 2).
LONG WINAPI HowSetTgtAttributeInCopyFile(LONG value);
LONG WINAPI HowGetTgtAttributeInCopyFile();
// Non-zero: one buffer of the file's size (up to the limit) instead of tenths.
LONG WINAPI SetSpeedyCopyAtCopyingFunction(LONG value);
// Non-zero: the shell copy shows no error boxes of its own.
LONG WINAPI SetIgnoreErrorsForMyCopyFile(LONG value);
LONG WINAPI SetFolderNotCreatedForMyCopyFile(LONG value);
LONG WINAPI IsFolderNotCreatedForMyCopyFile();
// Bit 0x1 is set after every file copied successfully.
LONG WINAPI SetSomeFilesCopiedSuccessifully(LONG value);
LONG WINAPI IsSomeFilesCopiedSuccessifully();
// The size of the next file, stored by the host before mySHCopyFile.
LONG WINAPI SaveFileSizeForCopyFile(DWORD low, DWORD high);

// ---- Copy-or-move word: 0x1 files, 0x2 folders, 0x20 keep the selected type
// as it is, 0x100 items dropped from outside.
LONG WINAPI SetCopyOrMove(LONG value);
// The word when mask is -1, else the word ANDed with mask.
LONG WINAPI IsCopyOrMove(LONG mask);
LONG WINAPI AddCopyOrMove(LONG bits);
LONG WINAPI AlterCopyOrMoveToCopy(LONG word);
LONG WINAPI AlterCopyOrMoveToDirCopy(LONG word);
LONG WINAPI RemoveDragOutSideFromCopyOrMove(LONG word);

// ---- Selected-type word: 0x1 source files, 0x2 source folders, 0x4 the third
// list, 0x80000 dropped from outside, 0x200000 and 0x400000 further marks,
// 0x1000000 turned from files to folders. The transforms change no state
// unless their notes say so.
LONG WINAPI SettypeSELECTED(LONG value);
LONG WINAPI GettypeSELECTED();
LONG WINAPI RemoveDragOutSideFromTypeSelected(LONG word);
LONG WINAPI AlterTypeSelectedToSrcFile(LONG word);
LONG WINAPI AlterTypeSelectedToSrcDirectory(LONG word);
LONG WINAPI AlterTypeSelectedToSrcFileFromSrcDirectory(LONG word);
LONG WINAPI AlterTypeSelectedToSrcDirectoryFromSrcFile(LONG word);
LONG WINAPI AlterTypeSelectedToSrcDirectoryByRemovingExtraBits(LONG word);
// Stores word XOR bits when they share a bit; returns the stored type.
LONG WINAPI RemoveAndSettypeSELECTED(LONG word, LONG bits);
// Toggles `bits` in the stored type when it has any of them; returns it.
LONG WINAPI RemoveAndSetSavedtypeSELECTED(LONG bits);
LONG WINAPI GettypeSELECTEDByCopyOrMoveFromDrop();
LONG WINAPI GetCopyOrMoveBytypeSELECTEDFromDrop();

// ---- Excluded-name lists: index 0 folder names, 1 file names and patterns,
// items separated by ";". The table holds at most 255 entries.
// The list's text (4095 bytes with its NUL), allocated on first use; null for
// a bad index or when no memory can be had.
LPSTR WINAPI GetExcludedNamePointerInMyCopyFile(LONG index);
// 0 no exclusion; bit 0x2 inverts the test (only matching names are copied).
LONG WINAPI SetExcludedActiveForMyCopyFile(LONG value);
LONG WINAPI AddExcludedActiveForMyCopyFile(LONG bits);
LONG WINAPI IsExcludedTypeForMyCopyFile();
// Cuts the lists into the entry table: folder names type 4, file names type 3,
// patterns type 2 (514 when `mark` is non-zero). 0 when exclusion is off, else 2.
LONG WINAPI DivideExcludedForMyCopyFile(LONG mark);
LPSTR WINAPI GetSeparatedExcludedFileForMyCopyFile(LONG index);
LONG WINAPI GetExcludedTypeForMyCopyFile(LONG index);
LONG WINAPI SetExcludedTypeForMyCopyFile(LONG index, LONG type);
LONG WINAPI SaveExcludedTypeForMyCopyFile();
LONG WINAPI RecoverExcludedTypeForMyCopyFile();
// 0 not excluded, else the match code (4 folder, 3 file name, 2 pattern); with
// bit 0x2 of the active word, 1 when no entry of the kind matched. `kind` is 4
// for a folder (passed with a final yen mark), else a mask of type bits.
LONG WINAPI IsExcludedFileForMyCopyFile(LPCSTR path, LONG kind);
// Joins the list texts again (marked patterns stay cut off) and removes a final ";".
LONG WINAPI MakeCopyExcludedForMyCopyFile();
LONG WINAPI ResetSeparatedExcludedFileForMyCopyFile();
LONG WINAPI FreeMemoryForCopyExcludedString();
}
