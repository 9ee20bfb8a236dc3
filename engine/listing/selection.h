// Exports of the selection: the item and dropped-item tables, the selection
// counters, each pane's current folder (long and short form), the pane swap,
// the records of the folder and file being copied and the archive-folder
// history. Paths are code-page-932 strings in 520-byte buffers.
#pragma once
#include <windows.h>

// One record of the item table and of the dropped-item table.
struct ItemRecord {
    DWORD reserved;
    DWORD type;      // 4 a file, 2 a folder (or a type with 0x10), 0 empty
    HGLOBAL handle;  // block holding the full path, 0 if none
};
#ifndef _WIN64
static_assert(sizeof(ItemRecord) == 12, "three 32-bit words");
#endif

extern "C" {
// ---- Item tables
// Records 0 to 30000.
LONG WINAPI GetMaxItemFileNumber();
// The high-water mark: -1 (off) or the highest index used so far. Get returns
// value + 1.
LONG WINAPI SetSafetyTotalForItemFile(LONG value);
LONG WINAPI GetSafetyTotalForItemFile();
// The answer to an access beyond the table: with the high-water mark on the
// index is recorded silently, else box 7013/7014. Returns -1.
LONG WINAPI ErrorItemFile(HWND window, LONG index);

LONG WINAPI SaveItemFile(HWND window, LONG index, LPCSTR path, LPCSTR droppedPath);
LONG WINAPI SaveItemFileType(LONG index, LONG type, LONG alsoDropped);
LONG WINAPI GetItemFileType(LONG index);
LONG WINAPI GetDroppedItemFileType(LONG index);
LPSTR WINAPI GlobalLockItemFile(LONG index);
LONG WINAPI GlobalUnlockItemFile(LONG index);
LPSTR WINAPI GlobalLockDroppedItemFile(LONG index);
LONG WINAPI GlobalUnlockDroppedItemFile(LONG index);
LONG WINAPI FreeItemFileAfterCurNumber(LONG index, LONG alsoDropped);
LONG WINAPI FreeDroppedFile();
// Copies a list of path blocks ended by a 0 handle into the item table and
// counts its files and folders. Returns the number of records copied, or -1.
LONG WINAPI SaveAllDroppedFile(HWND window, const HGLOBAL* handles, const LONG* types);
LONG WINAPI SaveDroppedFileFromItemFile(HWND window);
LONG WINAPI SaveItemFileFromDroppedFile(HWND window);
// Type and handle of each item record, in order, then a 0 entry. Returns the
// number of records.
LONG WINAPI GetFindSelectedFilesAndDirsPointers(LONG* types, HGLOBAL* handles);
LONG WINAPI FindTotalNumberOfAllSelectedFoldersAndFiles();
LONG WINAPI FindNextSelectedFilesAndDirs(LONG start, LONG* total, LONG second, LONG* mask, LONG* firstType);
LONG WINAPI GetFirstSelectedItemName(LPSTR out, LONG mask);
LONG WINAPI GetFirstSelectedItemAttrib();
LONG WINAPI SetFirstSelectedFileFromList(LPSTR out);
// Two arrays of GetMaxItemFileNumber() + 1 words for the host (fixed memory).
LONG WINAPI GetItemFilePointers(HGLOBAL** handles, LPSTR** pointers);
LONG WINAPI ReleaseItemFilePointers(HGLOBAL* handles, LPSTR* pointers);

// ---- Selection counters
LONG WINAPI GetTotalNumberOfMarkedItems(LONG selector);
LONG WINAPI SetTotalNumberOfMarkedItems(LONG selector, LONG count);
LONG WINAPI SetTotalSelectedNumber(LONG count, LONG selector);
LONG WINAPI AddTotalSelectedNumber(LONG delta, LONG selector);
LONG WINAPI GetTotalSelectedNumber(LONG selector);
LONG WINAPI GetCurOrderOfMarkedItems();
LONG WINAPI SetCurOrderOfMarkedItems(LONG value);
LONG WINAPI Get_nSelectedNumber(LONG index);
LONG WINAPI Set_nSelectedNumber(LONG index, LONG value);
LONG WINAPI Get_nSelectedForLha(LONG index);
LONG WINAPI Set_nSelectedForLha(LONG index, LONG value);
LONG* WINAPI Get_nSelectedForLhaPointer();
LONG WINAPI GetTotalFolderNumberOfSelectedFoldersAndFiles();
LONG WINAPI SetTotalFolderNumberOfSelectedFoldersAndFiles(LONG value);
LONG WINAPI GetTotalFileNumberOfSelectedFoldersAndFiles();
LONG WINAPI SetTotalFileNumberOfSelectedFoldersAndFiles(LONG value);
LONG WINAPI GetTotalInvalidFileNumberOfSelectedFoldersAndFiles();
LONG WINAPI SetTotalInvalidFileNumberOfSelectedFoldersAndFiles(LONG value);

// ---- Current folders (pane 0 source, 1 target)
LONG WINAPI AreWeInNetworkDrive(LONG pane);
LONG WINAPI SetAreWeInNetworkDrive(LONG pane, LONG value);
LONG WINAPI SaveCurDirectoryWith95Format(HWND window, LPCSTR path, LONG selector);
LPSTR WINAPI GetCurDirectory(LONG selector);
LPSTR WINAPI GetCurDirectoryIntoBuffer(LPSTR out, LONG mode, LONG selector);
LPSTR WINAPI GetFullDirectoryName(LPSTR path);
LONG WINAPI SaveSpecifiedLahDir(HWND window, LPCSTR path);
LONG WINAPI IsSpecifiedLahDir();
LPSTR WINAPI GetSpecifiedLahDir(LPSTR out);
LONG WINAPI SwapSrcAndTgtCurDirHandle();
LONG WINAPI SwapSrcAndTgtCurDirPointer();
LONG WINAPI SwapSrcAndTgtDrives();
LONG WINAPI SwapWeInNetworkDrive();
LONG WINAPI SetCopyDrives(LONG letter, LONG selector);
LONG WINAPI GetCopyDrives(LONG selector);
LONG WINAPI AreSrcAndTgtDrivesIdentical();
LONG WINAPI DisableNetdrvRelatedOperation(LONG pane, LONG kind);
LONG WINAPI SetFakedCurDir(LONG value);
LONG WINAPI IsFakedCurDir();

// ---- Copy records: 520-byte buffers. Each Save copies the path (at most 519
// bytes; a longer one gives null and the record stays) and returns the
// buffer, which a null path also gives.
LPSTR WINAPI SaveSrcCopyingDirectory(LPCSTR path);
LPSTR WINAPI GetSrcCopyingDirectory();
LPSTR WINAPI SaveTgtCopyingDirectory(LPCSTR path);
LPSTR WINAPI GetTgtCopyingDirectory();
// The base target folder of a copy: a 520-byte buffer the host writes into.
LPSTR WINAPI GetTgtBaseCopyingDirectory();
LPSTR WINAPI SaveSrcCopyingFile(LPCSTR path);
LPSTR WINAPI GetSrcCopyingFile();
LPSTR WINAPI SaveTgtCopyingFile(LPCSTR path);
LPSTR WINAPI GetTgtCopyingFile();
HANDLE WINAPI SaveCopiedSrcFileHandle(HANDLE handle);
HANDLE WINAPI GetCopiedSrcFileHandle();
HANDLE WINAPI SaveToCopySrcDirectoryHandle(HANDLE handle);
HANDLE WINAPI GetFromCopySrcDirectoryHandle();
HWND WINAPI Save_ghDialog(HWND dialog);
HWND WINAPI GetDialogHandle();
HGLOBAL WINAPI Save_ghDirForOutputForLha(HWND window, LPCSTR path);
HGLOBAL WINAPI Get_ghDirForOutputForLha();

// ---- Archive output history (100 entries)
LONG WINAPI GetMAXLHADIRHISTORY();
HGLOBAL WINAPI Get_ghLHADIRHISTORY(LONG index);
HGLOBAL* WINAPI Get_ghLHADIRHISTORY_Address();
HGLOBAL WINAPI Empty_ghLHADIRHISTORY(HWND window, LONG index);
}

namespace ferro::listing {
// Frees every block of the selection state and zeroes its handles.
void free_selection_state();
void free_item_tables();
void free_current_folders();
void free_copy_records();
}  // namespace ferro::listing
