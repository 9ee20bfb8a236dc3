// The kind of a drive as the system reports it now: CD-ROM, floppy or other
// removable disk, network drive.
#include "fs/drive_list_internal.h"
#include "fs/drives.h"

using namespace ferro::fs;

namespace {
bool is_letter(int c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
}  // namespace

UINT WINAPI GetDriveTypeFromCharacter(int letter) {
    if (letter == kNetworkLetter) return DRIVE_REMOTE;
    if (!is_letter(letter)) return DRIVE_NO_ROOT_DIR;
    char root[4] = {static_cast<char>(letter), ':', '\\', '\0'};
    return GetDriveTypeA(root);
}

BOOL WINAPI IsCDROMDrive(int letter) { return letter_type_number(letter) == kDriveCdRom; }
BOOL WINAPI IsFDDDrive(int letter) { return letter_type_number(letter) == kDriveRemovable; }
BOOL WINAPI IsNETWORKDrive(int letter) { return letter_type_number(letter) == kDriveNetwork; }
// The system does not tell a floppy from another disk whose medium can be
// taken out: both are removable disks.
BOOL WINAPI IsREMOVALDrive(int letter) { return letter_type_number(letter) == kDriveRemovable; }

BOOL WINAPI IsRemovalDrives(LPCSTR path) {
    if (!path) return FALSE;
    if (path[0] == '"') ++path;
    if (!is_letter(static_cast<unsigned char>(path[0])) || path[1] != ':' || path[2] != '\\') return FALSE;
    int letter = static_cast<unsigned char>(path[0]);
    return IsCDROMDrive(letter) || IsFDDDrive(letter) || IsREMOVALDrive(letter);
}
