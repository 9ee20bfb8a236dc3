#include "fs/dos_folders.h"
#include <direct.h>
#include <cerrno>
#include <cstring>
#include "frame/error_boxes.h"
#include "frame/handles.h"
#include "frame/name_validity.h"
#include "frame/paths.h"
#include "frame/text_internal.h"
#include "fs/fs_common.h"
#include "fs/network.h"

using namespace ferro;
using namespace ferro::fs;

namespace {
constexpr int kNetworkRefused = '\\';      // ChgDir's answer for a network path it may not enter
constexpr DWORD kUnreadableFolder = 6584;  // attribute values from here on are no attributes

int upper_letter(int c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c; }

constexpr LONG kFolderProtected = -21;     // the folder-reading code of an unreadable folder
constexpr LONG kMaxFolders = 30000;        // the capacity of a folder listing

// The folder-reading box for a folder whose information cannot be read.
void show_folder_entry_limit(const char* path) {
    GetFileDirectryEntryErrorMes(GethWndMain(), path, kFolderProtected, kMaxFolders, 0);
}

bool remove_redirected_folder(const char* path) {
    char copy[kPathSize];
    return redirect_path_of(copy, path) && RemoveDirectoryA(copy);
}
}  // namespace

int WINAPI myMkdir(LPCSTR path) {
    begin_call();
    PathArg arg(path);
    if (arg.bad()) return Get_errno();
    if (arg.no_fs_name()) return 0;
    SECURITY_ATTRIBUTES security{sizeof(SECURITY_ATTRIBUTES), nullptr, FALSE};
    bool ok = CreateDirectoryA(arg.fs(), &security) != FALSE;
    if (ok)
        record_success();
    else
        record_failure();
    report_change(ok);
    return ok ? 0 : Get_errno();
}

int WINAPI myRmdir(LPCSTR path) {
    begin_call();
    PathArg arg(path);
    if (arg.bad()) return Get_errno();
    if (arg.no_fs_name()) return 0;
    bool ok = RemoveDirectoryA(arg.fs()) != FALSE;
    if (!ok) {
        record_failure();
        DWORD first = Get_nERRNO();
        ok = remove_redirected_folder(arg.fs());
        if (!ok) record_error(first);
    }
    if (ok) record_success();
    report_change(ok);
    return ok ? 0 : Get_errno();
}

int WINAPI myChdir(LPCSTR path, BOOL allowNetwork) {
    begin_call();
    PathArg arg(path);
    if (arg.bad()) return Get_errno();
    if (arg.network() && !allowNetwork) return 0;
    if (arg.no_fs_name()) return 0;
    if (!SetCurrentDirectoryA(arg.fs())) return record_failure();
    record_success();
    return 0;
}

LPSTR WINAPI myGetcwd(LPSTR buffer, int size) {
    begin_call();
    if (!buffer || size <= 0) {
        record_error(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    DWORD n = GetCurrentDirectoryA(static_cast<DWORD>(size), buffer);
    if (n == 0 || n >= static_cast<DWORD>(size)) {
        if (n) SetLastError(ERROR_INSUFFICIENT_BUFFER);
        buffer[0] = '\0';
        record_failure();
        return nullptr;
    }
    record_success();
    return buffer;
}

LPSTR WINAPI myGetdcwd(int drive, LPSTR buffer, int size) {
    begin_call();
    if (!buffer || size <= 0 || drive < 0 || drive > 26) {
        if (buffer && size > 0) buffer[0] = '\0';
        record_error(drive < 0 || drive > 26 ? ERROR_INVALID_DRIVE : ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (drive == 0) return myGetcwd(buffer, size);
    char spec[4] = {static_cast<char>('A' + drive - 1), ':', '.', '\0'};
    char full[kPathSize];
    DWORD n = GetFullPathNameA(spec, sizeof full, full, nullptr);
    if (n == 0 || n >= sizeof full) {
        if (n) SetLastError(ERROR_FILENAME_EXCED_RANGE);
        buffer[0] = '\0';
        record_failure();
        return nullptr;
    }
    if (IsDriveMyNetwork(full)) {
        if (GetGetExtraNetDriveInformation(buffer, size) == 0) {
            full[2] = '\\';
            full[3] = '\0';
            lstrcpynA(buffer, full, size);
        }
        record_success();
        return buffer;
    }
    if (std::strlen(full) + 1 > static_cast<std::size_t>(size)) {
        buffer[0] = '\0';
        record_error(ERROR_INSUFFICIENT_BUFFER);
        return nullptr;
    }
    std::memcpy(buffer, full, std::strlen(full) + 1);
    record_success();
    return buffer;
}

int WINAPI gettgtdir(LPSTR path, int size) {
    begin_call();
    if (!path || size <= 0) return record_error(ERROR_INVALID_PARAMETER);
    int letter = upper_letter(static_cast<unsigned char>(path[0]));
    if (letter < 'A' || letter > 'Z') return record_error(ERROR_INVALID_DRIVE);
    char current[kPathSize];
    if (!myGetdcwd(letter - 'A' + 1, current, sizeof current)) return Get_errno() ? Get_errno() : EINVAL;
    if (std::strlen(current) + 1 > static_cast<std::size_t>(size)) return record_error(ERROR_INSUFFICIENT_BUFFER);
    std::memcpy(path, current, std::strlen(current) + 1);
    return 0;
}

int WINAPI GetDirectoryNameFromDrive(LPSTR path) {
    begin_call();
    if (!path) return record_error(ERROR_INVALID_PARAMETER);
    if (mbcs::find_first(path, text::kYen)) return 0;
    int letter = upper_letter(static_cast<unsigned char>(path[0]));
    if (letter < 'A' || letter > 'Z' || path[1] != ':' || path[2] != '\0') {
        record_error(ERROR_INVALID_DRIVE);
        return EACCES;
    }
    char current[kPathSize];
    if (myGetdcwd(letter - 'A' + 1, current, sizeof current)) {
        std::memcpy(path, current, std::strlen(current) + 1);
        return 0;
    }
    // No current folder on that drive: its root.
    path[2] = '\\';
    path[3] = '\0';
    int number = Get_errno();
    return number ? number : EACCES;
}

int WINAPI ChgDr(int letter) {
    begin_call();
    if (letter == '\\') return 1;
    int upper = upper_letter(letter & 0xff);
    if (upper < 'A' || upper > 'Z') {
        record_error(ERROR_INVALID_DRIVE);
        return -1;
    }
    if (_chdrive(upper - 'A' + 1) != 0) {
        record_failure();
        return -1;
    }
    record_success();
    return 1;
}

int WINAPI ChgDir(LPCSTR path, BOOL allowNetwork) {
    begin_call();
    PathArg arg(path);
    if (arg.bad()) return -1;
    if (arg.network() && (!allowNetwork || arg.no_fs_name())) return kNetworkRefused;
    if (!IsSecondCharacterValid(arg.fs())) {
        record_error(ERROR_INVALID_NAME);
        return -1;
    }
    if (SetCurrentDirectoryA(arg.fs())) {
        record_success();
        int letter = upper_letter(static_cast<unsigned char>(arg.fs()[0]));
        return (letter >= 'A' && letter <= 'Z') ? letter - 'A' + 1 : 0;
    }
    record_failure();
    if (GetFileAttributesA(arg.fs()) >= kUnreadableFolder) {
        show_folder_entry_limit(arg.fs());
        return -2;
    }
    return -1;
}
