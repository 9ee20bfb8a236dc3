#include "fs/dos_files.h"
#include "fs/fs_common.h"
#include "fs/kernel_lookup.h"

using namespace ferro::fs;

namespace {
bool refuse_bad_handle(HANDLE h) {
    if (!is_bad_handle(h)) return false;
    record_error(ERROR_INVALID_HANDLE);
    return true;
}
}  // namespace

HANDLE WINAPI myOpen(LPCSTR path, DWORD access, DWORD share, DWORD disposition, DWORD attributes) {
    begin_call();
    PathArg arg(path);
    if (arg.bad()) return INVALID_HANDLE_VALUE;
    if (arg.no_fs_name()) {
        record_error(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    if (attributes == static_cast<DWORD>(-1)) {
        attributes = GetFileAttributesA(arg.fs());
        if (attributes == INVALID_FILE_ATTRIBUTES) attributes = FILE_ATTRIBUTE_NORMAL;
        SetLastError(ERROR_SUCCESS);
    }
    HANDLE h = INVALID_HANDLE_VALUE;
    run_with_short_retry(arg.fs(), [&](const char* p) {
        h = CreateFileA(p, access, share, nullptr, disposition, attributes, nullptr);
        return h != INVALID_HANDLE_VALUE;
    });
    return h;
}

HANDLE WINAPI myOpenForWriteAlways(LPCSTR path, DWORD attributes) {
    return myOpen(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, CREATE_ALWAYS, attributes);
}

LONG WINAPI my_lRead(HANDLE handle, LPVOID buffer, DWORD count) {
    begin_call();
    if (refuse_bad_handle(handle)) return -1;
    if (!buffer && count) {
        record_error(ERROR_INVALID_PARAMETER);
        return -1;
    }
    DWORD done = 0;
    if (!ReadFile(handle, buffer, count, &done, nullptr)) {
        record_failure();
        return -1;
    }
    record_success();
    return static_cast<LONG>(done);
}

LONG WINAPI my_lWrite(HANDLE handle, LPCVOID buffer, DWORD count) {
    begin_call();
    if (refuse_bad_handle(handle)) return -1;
    if (!buffer && count) {
        record_error(ERROR_INVALID_PARAMETER);
        return -1;
    }
    DWORD done = 0;
    bool ok = WriteFile(handle, buffer, count, &done, nullptr) != FALSE;
    if (ok)
        record_success();
    else
        record_failure();
    report_change(ok);
    return ok ? static_cast<LONG>(done) : -1;
}

int WINAPI myClose(HANDLE handle) {
    begin_call();
    if (refuse_bad_handle(handle)) return -1;
    if (!CloseHandle(handle)) {
        record_failure();
        return -1;
    }
    record_success();
    return 0;
}

void WINAPI my_llSeek(HANDLE handle, LONG low, LONG high, int origin) {
    begin_call();
    if (refuse_bad_handle(handle)) return;
    if (seek_file(kernel64(), handle, low, high, static_cast<DWORD>(origin), nullptr))
        record_success();
    else
        record_failure();
}

LONGLONG WINAPI myTell(HANDLE handle) {
    begin_call();
    if (refuse_bad_handle(handle)) return -1;
    LONGLONG at = 0;
    if (!file_position(kernel64(), handle, &at)) {
        record_failure();
        return -1;
    }
    record_success();
    return at;
}

LONGLONG WINAPI GetFileLengthFromHandle(HANDLE handle) {
    begin_call();
    if (refuse_bad_handle(handle)) return -1;
    LONGLONG size = 0;
    if (!file_size(kernel64(), handle, &size)) {
        record_failure();
        return -1;
    }
    record_success();
    return size;
}
