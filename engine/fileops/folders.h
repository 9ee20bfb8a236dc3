// Exports of folder creation and synchronisation: making a folder with all
// its missing levels, asking the user before a missing folder is made, the
// count of folders still to copy, and the synchronisation step that deletes
// from a second folder what the first does not have.
#pragma once
#include <windows.h>

// Bits of the synchronisation word.
enum : LONG {
    kSyncFiles = 0x1,    // delete files of the second folder that the first does not have
    kSyncFolders = 0x2,  // delete folders of the second folder that the first does not have
};

extern "C" {
// ---- Making folders
// 1 when the folder exists at the end (made or already there); 0 for a null
// or empty path; the code of the folder-name check for a bad name; -2 access
// denied after a level below the root (or share) was made or found; -5 access
// denied at the first such level; -12 a level could not be made, or exists
// as a file, or the path is over 519 bytes; -17 a network path whose share
// is not there (the computer and share levels are never made).
LONG WINAPI makedir(LPCSTR path);
// makedir with its failure explained in a box: 0 made (or there), 1 after the box.
LONG WINAPI IsAlertMakedir(HWND window, LPCSTR path);
// The question about a missing folder: mode 1 "does not exist", 2 "cannot be
// read", 3 "make it?"; `name` (may be null) goes before the message, `buttons`
// is the box's button set. The box result, 0 when no box was shown.
LONG WINAPI AlertDirectory(HWND window, LPCSTR path, LONG mode, LPCSTR name, UINT buttons);
// Asks whether to make a missing folder and makes it: 1 made, 0 nothing to
// do (it exists, or the drive check failed before), -1 refused or failed.
LONG WINAPI IsMakeDirDoneWithMessage(HWND window, LPCSTR path, LPCSTR name, LONG reserved);
// -1 when the drive check fails (after its box), else IsMakeDirDoneWithMessage.
LONG WINAPI IsMakeDirDoneWithIsBadDriveAndWithMessage(HWND window, LPCSTR path, LPCSTR name, LONG flags);
// 2 for a drive letter alone or with its colon; 1 otherwise.
LONG WINAPI WithOrWithoutCheckDirname(LPCSTR name);

// ---- Folder copy state
LONG WINAPI SetNumberOfRemainingDirectoryForCopying(LONG count);
LONG WINAPI GetNumberOfRemainingDirectoryForCopying();

// ---- Synchronisation
LONG WINAPI SetSynchronizeFolders(LONG value);
LONG WINAPI IsSynchronizeFolders();
// Deletes from `second` the files (word bit 0x1) and folders (0x2) that
// `first` does not have, with the delete engine's selection word, name list,
// recycle bin and force settings; the outcome is merged into the delete
// result word. Nothing is deleted when `first` is missing, unreadable, lies
// inside or holds `second`, and the walk stops when `first` goes away or the
// user stops it. Returns the result of closing the search of `second`.
LONG WINAPI DeleteExtraFilesInSecondFolderNotInTheFirstFolder(LPCSTR first, LPCSTR second);
}
