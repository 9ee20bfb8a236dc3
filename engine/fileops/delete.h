// Exports of deleting, renaming and attribute changes: the one-entry delete
// with its questions (RemoveByForce), the wildcard walk over a folder tree
// (DelWild) that deletes, renames for case, changes attributes or only lists
// what matches, the settings of a run, its path buffers and the name edits.
//
// Delete result word: a negative number whose magnitude is a set of bits;
// two results merge by OR-ing their magnitudes.
#pragma once
#include <windows.h>

// Bits of the magnitude of a delete result word.
enum : LONG {
    kDeleteDone = 0x2,            // something was deleted
    kDeleteFile = 0x4,            // a file was deleted
    kDeleteFolder = 0x8,          // a folder was deleted
    kDeleteFolderKept = 0x10,     // a folder could not be deleted (synchronisation)
    kDeleteRetry = 0x40,          // the user asked to try the same entry again
    kDeleteSkipped = 0x80,        // the entry was skipped (listing status "E")
    kDeleteReplaced = 0x100,      // a name was replaced by the listing mode
    kDeleteCaseFailed = 0x200,    // a case renaming failed
    kDeleteNotDone = 0x400,       // the entry was not acted on
    kDeleteFailed = 0x800,        // the entry could not be deleted (listing status "?")
    kDeleteStopped = 0x1000,      // the run was stopped by the user
};

// Options of DelWild.
enum : LONG {
    kWildDelete = 0x2,          // delete (without it: rename for case)
    kWildFolders = 0x4,         // sub-folders are entries too
    kWildShortcuts = 0x8,       // shortcut string replacement
    kWildSelf = 0x20,           // treat the folder itself at the end
    kWildSimulate = 0x80,       // shortcut replacement: report only, write nothing
    kWildDescend = 0x40,        // walk into sub-folders
    kWildKeepBase = 0x100,      // never treat the base folder itself
    kWildReturn = 0x400,        // make returnFolder current at the end
    kWildCaseSensitive = 0x1000,  // the searched name text is compared with case
    kWildAttributes = 0x2000,   // give entries the attributes of SetChangeAttrInFileName
};

extern "C" {
// ---- Result word
LONG WINAPI SetReturnedValueForDeleteOperation(LONG value);
// value 0: the run's merged result. Otherwise whether the magnitude of
// `value` (the run's result when `value` is 1) holds every bit of the
// magnitude of `code`.
LONG WINAPI IsReturnedValueHitForDeleteOperation(LONG value, LONG code);

// ---- Run settings (each returns its first argument)
// Deletions go to the recycle bin with the shell's flags (0: 0x2054).
LONG WINAPI SetTrashActivated(LONG on, LONG flags);
// Every entry gets the archive attribute before it is deleted.
LONG WINAPI SetAllDelByForce(LONG on);
// Failures are counted (0x800) without a box.
LONG WINAPI SetNoerrorMessageOnDelete(LONG on);
LONG WINAPI SetNoHourCursorInDelwild(LONG on);
// Every acted-on entry is appended to the block *handleRef, preceded by the
// separator byte (0 gives a list of NUL-terminated names ended by an empty
// one). A null handleRef switches the listing off.
HGLOBAL* WINAPI SetHandleForListedFilenameForDelWild(HGLOBAL* handleRef, LONG separator);
// The progress dialog and its controls (any may be 0), the measuring font,
// the name of the search's found-file list and the selection word (0x100
// files, 0x200 folders, 0 both; also the case rule of the renaming mode).
HWND WINAPI SetDlgBoxItemsForDeleting(HWND dialog, int folderControl, int listControl, int fileControl,
                                      int counterControl, LPCSTR searchName, HFONT font, LONG selection);
// Null-terminated arrays of names: the only file names the walk treats
// (selectList) and the patterns it processes in turn (patternList). The
// caller keeps them alive until DelWild returns; DelWild clears both.
LPSTR* WINAPI SetMultipleFilesForDeleting(LPSTR* selectList, LPSTR* patternList);
// The word DelWild sets to 1 and gives 0x2 when a read-only folder was
// refused: the word ANDed with `mask` (the word itself for 0).
LONG WINAPI IsErrorMessageShownAtDeleting(LONG mask);
// The system error kept by the last RemoveByForce.
LONG WINAPI GetErroCodeByRemoveByForce();
// Entries acted on in the listing mode of the last run.
LONG WINAPI NumberOfFileFolderSuccessifullyDoneByDelWild();

// ---- Path buffers of a run (520 bytes each)
// 1 when the three buffers are there (allocated now or before), else 0.
LONG WINAPI GlobalFilePaths(HWND window);
LONG WINAPI FreeFilePaths();
// Each Save_ copies a path of at most 519 bytes into its buffer and returns
// the buffer; a longer path, a null path or no buffer gives null and leaves
// the buffer as it was.
LPSTR WINAPI Get_lpFULLPATH();
LPSTR WINAPI Save_lpFULLPATH(LPCSTR path);
LPSTR WINAPI Get_lpDELPATH();
LPSTR WINAPI Save_lpDELPATH(LPCSTR path);
LPSTR WINAPI Get_lpSAVEPATH();
LPSTR WINAPI Save_lpSAVEPATH(LPCSTR path);
// A saved path in its own block: stored (the block allocated or resized),
// its handle, locked, unlocked and freed.
HGLOBAL WINAPI Save_ghSAVEPATH(LPCSTR path);
HGLOBAL WINAPI Get_ghSAVEPATH();
LPSTR WINAPI GlobalLock_ghSAVEPATH();
LONG WINAPI GlobalUnlock_ghSAVEPATH();
LONG WINAPI GlobalFree_ghSAVEPATH();

// ---- Operations
// Deletes (kind 0x4 a file, 0x8 a folder, with 0x1 the name is checked
// first) or renames for case (0x2 without 0x1) one entry, asking the user
// what to do when it fails. `ask` non-zero offers to go on with the next.
// Returns a delete result word.
LONG WINAPI RemoveByForce(HWND window, LPCSTR path, LONG ask, LONG kind, LONG caseRule);
// The wildcard walk. Returns the merged result word, or -1 when the path
// buffers could not be allocated.
LONG WINAPI DelWild(HWND window, LONG* stopOut, LONG options, LONG* countRef, LPCSTR baseFolder, LPCSTR pattern,
                    LPCSTR returnFolder);

// ---- Name edits (ChangeExt is among the path functions)
// The file name of `path` becomes the base name of `model` followed by the
// extension of `path`; `model` loses its extension. Returns `path`, or null
// (nothing changed) for bad arguments or a result over 519 bytes.
LPSTR WINAPI ChangeName(LPSTR path, LPSTR model);
}
