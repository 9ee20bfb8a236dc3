// Exports of the drive list: the computer and network pseudo-drives and every
// drive letter the system reports, with their types, volume names, bitmaps and
// file-system types.
//
// Raw drive string: byte 0 the type number as one digit, byte 1 the drive
// letter ("/" the computer, a yen mark the network), byte 2 a colon, then the
// volume name (at most 11 bytes, "???" for a volume without a name, empty for
// a CD-ROM or removable drive whose name was not read). Readers take at most
// 16 bytes of it.
//
// Index convention: the accessors take (index, withFirst); with withFirst zero
// the index is shifted by one, so that index 0 is the first entry after the
// computer entry. An index outside the list gives -11 (numbers), 0 (handles)
// or an empty string (texts).
#pragma once
#include <windows.h>
#include "frame/paths.h"  // the network-off switch

extern "C" {
// ---- Type numbers (kDrive* in drive_list_internal.h): 2 fixed, 3 network,
// 4 CD-ROM, 5 removable, 6 RAM disk, 7 the computer, 8 the network.

// ---- Settings
LONG WINAPI GetNumberOfDrive(BOOL withFirst);
LPSTR WINAPI GetNoVolName();                 // "???"
int WINAPI GetNetworkDriveNumber();          // list index of the network entry, -1 when none
int WINAPI SetOS2(int value);
int WINAPI GetOS2();
int WINAPI EnableCDROMChecking(int value);
int WINAPI IsCDROMChecking();
BOOL WINAPI SetShortDriveName(BOOL value);
BOOL WINAPI IsShortDriveName();
// The current volume name (12 bytes): stores at most 11 bytes of the name
// (never half a double-byte character); returns the buffer.
LPSTR WINAPI SetVolumeName(LPCSTR name);
// Whether the name (the current volume name when null) is "???".
BOOL WINAPI IsVolumeNameEmpty(LPCSTR name);
// The longest raw drive string of the list by bytes and by pixel width (the
// window's font); whether the entry added last set a new maximum.
LPSTR WINAPI GetMaxDriveString();
LPSTR WINAPI GetMaxDriveStringInPixel();
BOOL WINAPI IsThisVolumeMaxVolumeString();
BOOL WINAPI IsThisVolumeMaxVolumeStringInPixel();

// ---- Building the list. The bitmap tables are indexed by type number (0 to
// 8); null tables give 0 handles. flags 6 (bits 4 and 2) lists the letters in
// small letters. Result: the number of entries minus one.
LONG WINAPI SaveDriveMemoryAndGetDriveStringAndBtmp(HWND window, const HBITMAP* smallBitmaps,
                                                    const HBITMAP* largeBitmaps, int flags);
// One drive that appeared or vanished: the list in the same form, or -1 when
// nothing changed (no such drive, already listed / not listed).
LONG WINAPI AddDriveMemoryAndGetDriveStringAndBtmp(HWND window, const HBITMAP* smallBitmaps,
                                                   const HBITMAP* largeBitmaps, int flags, int letter);
LONG WINAPI RemoveDriveMemoryAndGetDriveStringAndBtmp(HWND window, const HBITMAP* smallBitmaps,
                                                      const HBITMAP* largeBitmaps, int flags, int letter);
// Reads the volume name of a root ("C:\"), records its file-system type and
// stores the name as the current volume name ("???" when it has none or the
// read fails). Returns the current volume name.
LPSTR WINAPI ReadAndSaveVolumeName(LPCSTR root);
// Re-reads the volume name of the listed drive; its list index, -1 when the
// letter is not listed.
int WINAPI SetVolumeNameInDriveString(HWND window, int letter);
// Frees every entry and every file-system name. Returns 1.
LONG WINAPI FreeDriveMemoryHandle();

// ---- Entries
int WINAPI myGetDriveType(int index, BOOL withFirst);
int WINAPI GetDriveCharacter(int index, BOOL withFirst);
int WINAPI GetDrOfUpperCharcter(int index, BOOL withFirst);
int WINAPI GetDrNumberFromCharacter(int letter, BOOL withFirst);
LPSTR WINAPI GetRawDriveName(int index, BOOL withFirst);
LPSTR WINAPI GetDriveName(int index, BOOL withFirst);
LPSTR WINAPI GetVolumeName(int index, BOOL withFirst);
// The drive name with the letter in capitals and the volume name re-cased
// (capital first letter); with mode bit 4 the whole name converted by
// ConvertDosCharacterSet(name, mode).
LPSTR WINAPI GetDriveNameForCharaterSet(int index, int mode, BOOL withFirst);
// Copies the volume name into out (a buffer of `length` bytes; at most 11
// bytes of text); *isNone = 1 for "???" or an unread name. Returns the bytes
// copied, -11 beyond the list (out emptied).
int WINAPI GetVolumeNameFromDrNumber(LPSTR out, int index, LPBOOL isNone, int length, BOOL withFirst);
LPSTR WINAPI GetVolumeNameFromDriveString(LPCSTR s);     // s + 2
LPSTR WINAPI GetVolumeNameFromRawDriveString(LPCSTR s);  // s + 3
LPSTR WINAPI GetDriveNameFromRawDriveString(LPCSTR s);   // s + 1
BOOL WINAPI IsVolumeNameSame(LPCSTR name, int index, BOOL withFirst);
// SetVolumeLabel of the letter's root (the name cut at 11 bytes); a failure
// is shown in a stop box (8125, title 8126). Returns the system result.
BOOL WINAPI WriteVolumeName(HWND window, int letter, LPCSTR name);

// ---- Drive kinds
UINT WINAPI GetDriveTypeFromCharacter(int letter);
BOOL WINAPI IsCDROMDrive(int letter);
BOOL WINAPI IsFDDDrive(int letter);
BOOL WINAPI IsNETWORKDrive(int letter);
BOOL WINAPI IsREMOVALDrive(int letter);
BOOL WINAPI IsRemovalDrives(LPCSTR path);
// Writes the letters of the entries whose type bit (1 << type) is in the
// mask into out (30 bytes); returns their number.
int WINAPI ListDriveTypeAsString(LPSTR out, UINT mask);
BOOL WINAPI IsAssignedNetdrve(int letter);
BOOL WINAPI IsDriveMyComputer(LPCSTR s);
BOOL WINAPI IsDriveIncludeMyNetworkString(LPCSTR s);
BOOL WINAPI IsMyComputerIncludedInList();

// ---- File-system types: "FAT" 0, "FAT32" 1, "NTFS" 2, "CDFS" 3, "NETWORK" or
// a name containing "NETOS" 4, anything else -1 (without case). The letter
// (or a yen mark for the network) picks the slot.
int WINAPI SetTypeOfFileSystem(int letter, LPCSTR name);
// out[0] names the slot; the stored name is copied into out (size bytes).
// Returns the number.
int WINAPI GetTypeOfFileSystem(LPSTR out, int size);
int WINAPI GetTypeOfFileSystemNumber(LPCSTR path);

// ---- Bitmaps and boxes. GetDriveBmp takes the index as with withFirst zero,
// GetOrDriveBmp the list index itself.
HBITMAP WINAPI GetDriveBmp(int index, BOOL isSmall);
HBITMAP WINAPI GetOrDriveBmp(int index, BOOL isSmall);
// Takes the bitmaps of every entry afresh from the tables; returns the count.
LONG WINAPI SetDriveBitmap(const HBITMAP* smallBitmaps, const HBITMAP* largeBitmaps);
// Fill a list box or combo box with the drive names (item data: the list
// index). Return the number of items, -1 on failure.
int WINAPI SetDriveStringInListbox(HWND listBox, BOOL withFirst);
int WINAPI SetDriveStringInCombobox(HWND comboBox, BOOL withFirst);
// Fill the dialog's control and select the entry of `letter`; return the
// selected item, -1 when none.
int WINAPI DisplayDriveListBox(HWND dialog, int controlId, BOOL withFirst, int letter);
int WINAPI DisplayDriveComboBox(HWND dialog, int controlId, BOOL withFirst, int letter);
}
