// Exports of the drive check made before a folder is used or created: is the
// drive of a path there and ready? A failure shows the drive error box once
// and leaves a one-shot flag that keeps the next folder question quiet.
#pragma once
#include <windows.h>

extern "C" {
// 0 when the drive of `path` can be used (a network path always can: the
// network side reports its own errors); otherwise the Win32 error met, after
// the box "ﾃﾞｨｽｸｱｸｾｽ・ｴﾗｰ" unless `quiet` is non-zero. `flags` bit 0x1 skips
// the medium test of removable and CD drives.
LONG WINAPI IsBadDrive(HWND window, LPCSTR path, LONG quiet, LONG flags);
// 1 when `path` is an existing folder on a usable drive, else 0. `mode` 1
// checks the drive without a box; 0 with it.
LONG WINAPI IsDirExistWithDriveChecking(LPCSTR path, LONG mode);
}

namespace ferro::fs {
// The error the last drive check left (0 after a check that passed); the
// take_ form clears it.
DWORD drive_check_error();
DWORD take_drive_check_error();
// Whether the last drive check showed its box; the flag is cleared by the
// reading (it quiets one following question).
bool take_drive_box_shown();
}  // namespace ferro::fs
