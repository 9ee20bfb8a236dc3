// The drive list store shared by the drive files of this folder (not exported).
#pragma once
#include <windows.h>
#include <cstddef>

namespace ferro::fs {
// Type numbers of the list.
enum DriveType : int {
    kDriveNone = 0,
    kDriveFixed = 2,
    kDriveNetwork = 3,
    kDriveCdRom = 4,
    kDriveRemovable = 5,
    kDriveRamDisk = 6,
    kDriveComputer = 7,
    kDriveNetworkRoot = 8,
};
inline constexpr int kTypeTableSize = 9;           // bitmap tables: types 0 to 8
inline constexpr int kMaxDriveEntries = 28;        // two pseudo-drives and 26 letters
inline constexpr std::size_t kRawDriveMax = 16;    // bytes a reader takes
inline constexpr std::size_t kVolumeMax = 11;      // bytes of a volume name
inline constexpr char kComputerLetter = '/';
inline constexpr char kNetworkLetter = '\\';
inline constexpr char kNoVolumeName[] = "???";

struct DriveEntry {
    HGLOBAL block;   // the raw drive string
    LPSTR text;      // its locked address
    HBITMAP small_bitmap;
    HBITMAP large_bitmap;
    int type;
};

// The list: entries 0 .. drive_count() - 1.
int drive_count();
// The entry at a list index, or null.
const DriveEntry* entry_at(int list_index);
// The list index for (index, withFirst), or -1 outside the list.
int list_index(int index, BOOL with_first);
// The list index of the entry with that letter (case ignored), or -1.
int find_letter(int letter);

// The type number for a system drive type (GetDriveType).
int type_number(UINT system_type);
// The type number of a letter's root as the system reports it now.
int letter_type_number(int letter);

// Copies at most `max` bytes of text into out (out holds max + 1 bytes),
// never ending inside a double-byte character. Returns the bytes copied.
std::size_t copy_whole_chars(char* out, const char* text, std::size_t max);

// Network access switched off by the application.
bool network_disabled();

// The file-system slot of a letter (A = 0), the network slot for a yen mark,
// -1 for anything else.
// The number of a file-system name: "FAT" 0, "FAT32" 1, "NTFS" 2, "CDFS" 3,
// "NETWORK" or a name containing "NETOS" 4 (without case), any other -1.
int file_system_number(const char* name);
int file_system_slot(int letter);
void free_file_system_names();
}  // namespace ferro::fs
