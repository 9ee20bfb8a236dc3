// Settings of the drive list: the OS/2 and CD-ROM bytes, the short drive name
// switch and the current volume name.
#include <cstring>
#include "frame/mbcs.h"
#include "frame/paths.h"
#include "fs/drive_list_internal.h"
#include "fs/drives.h"

namespace {
unsigned char g_os2;
unsigned char g_cdrom_checking;
BOOL g_short_drive_name;
char g_volume_name[ferro::fs::kVolumeMax + 1];
char g_no_volume_name[] = "???";
}  // namespace

namespace ferro::fs {
std::size_t copy_whole_chars(char* out, const char* text, std::size_t max) {
    std::size_t n = 0;
    if (text)
        while (text[n] != '\0') {
            std::size_t size = static_cast<std::size_t>(mbcs::char_size(text + n));
            if (n + size > max) break;
            n += size;
        }
    if (n) std::memcpy(out, text, n);
    out[n] = '\0';
    return n;
}

bool network_disabled() { return IsNetworkDisabledByApplication() != FALSE; }
}  // namespace ferro::fs

// The text is handed out in a buffer of the library; a caller that writes into
// it gets it back on the next call.
LPSTR WINAPI GetNoVolName() {
    std::memcpy(g_no_volume_name, ferro::fs::kNoVolumeName, sizeof g_no_volume_name);
    return g_no_volume_name;
}

int WINAPI SetOS2(int value) { return g_os2 = static_cast<unsigned char>(value); }
int WINAPI GetOS2() { return g_os2; }
int WINAPI EnableCDROMChecking(int value) { return g_cdrom_checking = static_cast<unsigned char>(value); }
int WINAPI IsCDROMChecking() { return g_cdrom_checking; }
BOOL WINAPI SetShortDriveName(BOOL value) { return g_short_drive_name = value; }
BOOL WINAPI IsShortDriveName() { return g_short_drive_name; }

LPSTR WINAPI SetVolumeName(LPCSTR name) {
    ferro::fs::copy_whole_chars(g_volume_name, name, ferro::fs::kVolumeMax);
    return g_volume_name;
}

BOOL WINAPI IsVolumeNameEmpty(LPCSTR name) {
    return std::strcmp(name ? name : g_volume_name, ferro::fs::kNoVolumeName) == 0;
}

