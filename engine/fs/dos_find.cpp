#include "fs/dos_find.h"
#include <cerrno>
#include <cstring>
#include "frame/mbcs.h"
#include "fs/fs_common.h"
#include "fs/network.h"

using namespace ferro::fs;

namespace {
int g_net_state;
DWORD g_find_attribute;

// A name that the code page could not represent comes back with "?" in it;
// it is given "_" instead, so that the name can still be used as a path.
void replace_unrepresentable(char* name) {
    if (!std::strchr(name, '?')) return;
    for (char* p = name; *p; p = ferro::mbcs::next(p))
        if (*p == '?') *p = '_';
}

bool open_handle(HANDLE h) { return !is_bad_handle(h); }

// The plain search on a file-system spelling.
int plain_findfirst(HANDLE* handle, const char* pattern, WIN32_FIND_DATAA* record) {
    HANDLE h = FindFirstFileA(pattern, record);
    if (h == INVALID_HANDLE_VALUE) {
        *handle = nullptr;
        return record_failure();
    }
    *handle = h;
    record_success();
    replace_unrepresentable(record->cFileName);
    return 0;
}

int bad_arguments(HANDLE* handle) {
    if (handle) *handle = nullptr;
    return record_error(ERROR_INVALID_PARAMETER);
}

int find_first(HANDLE* handle, LPCSTR pattern, WIN32_FIND_DATAA* record, bool with_net) {
    begin_call();
    if (with_net) g_net_state = 0;
    if (!handle || !record) return bad_arguments(handle);
    *handle = nullptr;
    PathArg path(pattern);
    if (path.bad()) return Get_errno();
    if (with_net && path.no_fs_name()) {
        int result = my_Dos_findfirst_withnet(handle, path.copy(), record);
        if (result == 0) {
            g_net_state = 1;
            return 0;
        }
        if (handle && !open_handle(*handle)) *handle = nullptr;
        g_net_state = (result & 16) ? -1 : -2;
        // The listing stored the error it met; a level it could not name is not found.
        if (g_net_state == -2 && Get_nERRNO() == 0) record_error(ERROR_PATH_NOT_FOUND);
        return result;
    }
    int result = plain_findfirst(handle, path.fs(), record);
    if (result == EINVAL && path.network() && path.converted()) return ENOENT;
    return result;
}
}  // namespace

int WINAPI my_Dos_findfirst(HANDLE* handle, LPCSTR pattern, WIN32_FIND_DATAA* record) {
    return find_first(handle, pattern, record, true);
}

int WINAPI my_Dos_findfirst_withoutnet(HANDLE* handle, LPCSTR pattern, WIN32_FIND_DATAA* record) {
    return find_first(handle, pattern, record, false);
}

int WINAPI my_Dos_findnext(HANDLE* handle, WIN32_FIND_DATAA* record) {
    if (!handle || !record) return 1;
    if (g_net_state == 1) {
        int result = my_Dos_findnext_withnet(handle, record);
        if (result != 0) {
            g_net_state = 0;
            if (!open_handle(*handle)) *handle = nullptr;
        }
        return result;
    }
    if (g_net_state != 0) return 1;
    if (!open_handle(*handle)) {  // the end was reached before: nothing to ask
        *handle = nullptr;
        return 1;
    }
    begin_call();
    if (FindNextFileA(*handle, record)) {
        record_success();
        replace_unrepresentable(record->cFileName);
        return 0;
    }
    DWORD error = GetLastError();
    FindClose(*handle);
    *handle = nullptr;
    if (error == ERROR_NO_MORE_FILES) {
        record_error(error);
        errno = 0;
        return 1;
    }
    return record_error(error ? error : ERROR_GEN_FAILURE);
}

BOOL WINAPI Close_my_Dos_find(HANDLE* handle) {
    if (!handle) return FALSE;
    if (g_net_state == 1) {
        g_net_state = 0;
        return net::findclose_withnet(handle) ? TRUE : FALSE;
    }
    HANDLE h = *handle;
    *handle = nullptr;
    if (!open_handle(h)) return FALSE;
    return FindClose(h) ? TRUE : FALSE;
}

int WINAPI Is_my_Dos_findfirst_withnet_done() { return g_net_state; }
int WINAPI Set_my_Dos_findfirst_withnet_done(int state) { return g_net_state = state; }

DWORD WINAPI SetFindfirstAttribute(DWORD attributes) { return g_find_attribute = attributes; }
DWORD WINAPI GetFindfirstAttribute() { return g_find_attribute; }

int WINAPI myFindFileAProperty(LPCSTR path, WIN32_FIND_DATAA* record) {
    begin_call();
    if (!record) return record_error(ERROR_INVALID_PARAMETER);
    std::memset(record, 0, sizeof *record);
    PathArg arg(path);
    if (arg.bad()) return Get_errno();
    if (arg.no_fs_name()) return record_error(ERROR_PATH_NOT_FOUND);
    bool found = run_with_short_retry(arg.fs(), [&](const char* p) {
        HANDLE h = FindFirstFileA(p, record);
        if (h == INVALID_HANDLE_VALUE) return false;
        FindClose(h);
        return true;
    });
    if (!found) {
        std::memset(record, 0, sizeof *record);
        return Get_errno() ? Get_errno() : EINVAL;
    }
    FILETIME local;
    if (FileTimeToLocalFileTime(&record->ftCreationTime, &local)) record->ftCreationTime = local;
    if (FileTimeToLocalFileTime(&record->ftLastWriteTime, &local)) record->ftLastWriteTime = local;
    return 0;
}

ULONGLONG WINAPI GetOurFileTime(const WIN32_FIND_DATAA* record) {
    if (!record) return 0;
    FILETIME local;
    if (!FileTimeToLocalFileTime(&record->ftLastWriteTime, &local)) return 0;
    return (static_cast<ULONGLONG>(local.dwHighDateTime) << 32) | local.dwLowDateTime;
}

ULONGLONG WINAPI GetOurUlargeIntergerSize(const WIN32_FIND_DATAA* record) {
    if (!record) return 0;
    return (static_cast<ULONGLONG>(record->nFileSizeHigh) << 32) | record->nFileSizeLow;
}
