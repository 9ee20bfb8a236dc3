#include "fs/dos_times.h"
#include "fs/fs_common.h"

using namespace ferro::fs;

namespace {
FILETIME make_time(DWORD low, DWORD high) {
    FILETIME t;
    t.dwLowDateTime = low;
    t.dwHighDateTime = high;
    return t;
}

// Opens an existing file for writing its times.
HANDLE open_for_times(const char* path) {
    HANDLE h = INVALID_HANDLE_VALUE;
    run_with_short_retry(path, [&](const char* p) {
        h = CreateFileA(p, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
        return h != INVALID_HANDLE_VALUE;
    });
    return h;
}

// Sets the times on an open handle, converting local ones first.
int set_times(HANDLE h, const FILETIME* creation, const FILETIME* access, const FILETIME* write, bool local) {
    FILETIME converted[3];
    const FILETIME* given[3] = {creation, access, write};
    for (int i = 0; i < 3; ++i) {
        if (!given[i] || !local) continue;
        if (!LocalFileTimeToFileTime(given[i], &converted[i])) return record_failure();
        given[i] = &converted[i];
    }
    bool ok = SetFileTime(h, given[0], given[1], given[2]) != FALSE;
    if (!ok) return record_failure();
    record_success();
    return 0;
}

int set_path_times(LPCSTR path, const FILETIME* creation, const FILETIME* access, const FILETIME* write,
                   bool local) {
    begin_call();
    PathArg arg(path);
    if (arg.bad()) return Get_errno();
    if (arg.no_fs_name()) return 0;
    HANDLE h = open_for_times(arg.fs());
    if (h == INVALID_HANDLE_VALUE) {
        report_change(false);
        return Get_errno() ? Get_errno() : 22;
    }
    int result = set_times(h, creation, access, write, local);
    CloseHandle(h);
    report_change(result == 0);
    return result;
}
}  // namespace

int WINAPI my_Dos_getftime(LPCSTR path, FILETIME* time, FILETIME* copy) {
    begin_call();
    if (!time && !copy) return record_error(ERROR_INVALID_PARAMETER);
    PathArg arg(path);
    if (arg.bad()) return Get_errno();
    if (arg.no_fs_name()) return record_error(ERROR_PATH_NOT_FOUND);
    WIN32_FIND_DATAA found;
    bool ok = run_with_short_retry(arg.fs(), [&](const char* p) {
        HANDLE h = FindFirstFileA(p, &found);
        if (h == INVALID_HANDLE_VALUE) return false;
        FindClose(h);
        return true;
    });
    if (!ok) return Get_errno() ? Get_errno() : 22;
    FILETIME local;
    if (!FileTimeToLocalFileTime(&found.ftLastWriteTime, &local)) return record_failure();
    if (time) *time = local;
    if (copy) *copy = local;
    return 0;
}

int WINAPI my_Dos_setftime(LPCSTR path, DWORD low, DWORD high) {
    FILETIME t = make_time(low, high);
    return set_path_times(path, nullptr, nullptr, &t, true);
}

int WINAPI my_Win_setftime(LPCSTR path, const FILETIME* creation, const FILETIME* access, const FILETIME* write,
                           BOOL local) {
    return set_path_times(path, creation, access, write, local != FALSE);
}

int WINAPI my_Dos_getftime0(HANDLE handle, FILETIME* time) {
    begin_call();
    if (is_bad_handle(handle)) return record_error(ERROR_INVALID_HANDLE);
    if (!time) return record_error(ERROR_INVALID_PARAMETER);
    FILETIME write, local;
    if (!GetFileTime(handle, nullptr, nullptr, &write) || !FileTimeToLocalFileTime(&write, &local))
        return record_failure();
    *time = local;
    record_success();
    return 0;
}

int WINAPI my_Dos_setftime0(HANDLE handle, DWORD low, DWORD high) {
    begin_call();
    if (is_bad_handle(handle)) return record_error(ERROR_INVALID_HANDLE);
    FILETIME t = make_time(low, high);
    int result = set_times(handle, nullptr, nullptr, &t, true);
    report_change(result == 0);
    return result;
}

int WINAPI my_Dos_gettime(DosDate* date, DosTime* time) {
    if (!date && !time) return 22;
    SYSTEMTIME now;
    GetLocalTime(&now);
    if (date) *date = DosDate{now.wDay, now.wMonth, now.wYear, now.wDayOfWeek};
    if (time) *time = DosTime{now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
    return 0;
}

int WINAPI my_Dos_settime(const DosDate* date, const DosTime* time) {
    begin_call();
    if (!date || !time) return record_error(ERROR_INVALID_PARAMETER);
    SYSTEMTIME t{};
    t.wYear = date->year;
    t.wMonth = date->month;
    t.wDay = date->day;
    t.wDayOfWeek = date->day_of_week;
    t.wHour = time->hour;
    t.wMinute = time->minute;
    t.wSecond = time->second;
    t.wMilliseconds = time->milliseconds;
    if (!SetLocalTime(&t)) return record_failure();
    record_success();
    return 0;
}
