// The drive check before a folder is used: the drive must exist, and a
// removable or CD drive must hold a medium.
#include "fs/drive_check.h"
#include "frame/error_boxes.h"
#include "frame/error_state.h"
#include "frame/paths.h"
#include "frame/text_internal.h"
#include "fs/dos_times.h"

namespace {
constexpr UINT kNoMedium = 8175;       // "\nﾃﾞｨｽｸｱｸｾｽに失敗しました。\nﾄﾞﾗｲﾌﾞにﾃﾞｨｽｸはありますか？"
constexpr UINT kDiskErrorTitle = 8012;  // "ﾃﾞｨｽｸｱｸｾｽ・ｴﾗｰ"
constexpr LONG kNoMediumTest = 0x1;

DWORD g_error;
bool g_box_shown;

// The Win32 error of the drive of `path`, 0 when it is usable.
DWORD check(const char* path, LONG flags) {
    if (ferro::text::is_empty(path)) return ERROR_INVALID_PARAMETER;
    if (IsDriveMyNetwork(path)) return 0;
    if (!ferro::text::is_drive_letter(path[0]) || path[1] != ':') return 0;  // a relative path: the current drive
    const char root[4] = {path[0], ':', '\\', '\0'};
    const UINT type = GetDriveTypeA(root);
    if (type == DRIVE_NO_ROOT_DIR || type == DRIVE_UNKNOWN) return ERROR_INVALID_DRIVE;
    if ((type == DRIVE_REMOVABLE || type == DRIVE_CDROM) && !(flags & kNoMediumTest)) {
        const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS);
        const BOOL ready = GetVolumeInformationA(root, nullptr, 0, nullptr, nullptr, nullptr, nullptr, 0);
        const DWORD error = GetLastError();
        SetErrorMode(previous);
        if (!ready) return error ? error : ERROR_NOT_READY;
    }
    return 0;
}
}  // namespace

namespace ferro::fs {
DWORD drive_check_error() { return g_error; }
DWORD take_drive_check_error() {
    const DWORD error = g_error;
    g_error = 0;
    return error;
}
bool take_drive_box_shown() {
    const bool shown = g_box_shown;
    g_box_shown = false;
    return shown;
}
}  // namespace ferro::fs

LONG WINAPI IsBadDrive(HWND window, LPCSTR path, LONG quiet, LONG flags) {
    g_error = check(path, flags);
    g_box_shown = false;
    if (!g_error) return 0;
    ferro::dos::record_error(g_error);
    if (!quiet) {
        const char root[4] = {path && path[0] ? path[0] : '?', ':', '\\', '\0'};
        SetHelpDosErrorMessage(MB_OK | MB_ICONEXCLAMATION, nullptr);
        MyLoadDosErrorMessage(window, root, kNoMedium, kDiskErrorTitle, 0);
        g_box_shown = true;
    }
    return static_cast<LONG>(g_error);
}

LONG WINAPI IsDirExistWithDriveChecking(LPCSTR path, LONG mode) {
    if (IsBadDrive(nullptr, path, mode == 1, 0)) return 0;
    char copy[ferro::text::kPathSize];
    return ferro::text::copy_bounded(copy, path) && IsDirectoryAttribute(copy) == 4 ? 1 : 0;
}
