#include <cerrno>
#include <cstring>
#include "frame/text_internal.h"
#include "fs/dos_times.h"
#include "fs/fs_common.h"
#include "fs/network.h"

using namespace ferro;
using namespace ferro::fs;

int WINAPI my_Dos_getfileattr(LPCSTR path, LPDWORD attributes) {
    begin_call();
    if (!attributes) return record_error(ERROR_INVALID_PARAMETER);
    *attributes = INVALID_FILE_ATTRIBUTES;
    PathArg arg(path);
    if (arg.bad()) return Get_errno();
    if (arg.no_fs_name()) {
        *attributes = FILE_ATTRIBUTE_DIRECTORY;
        record_success();
        return 0;
    }
    DWORD found = INVALID_FILE_ATTRIBUTES;
    bool ok = run_with_short_retry(arg.fs(), [&](const char* p) {
        found = GetFileAttributesA(p);
        return found != INVALID_FILE_ATTRIBUTES;
    });
    if (!ok) return Get_errno() ? Get_errno() : EINVAL;
    *attributes = found;
    return 0;
}

int WINAPI my_Dos_setfileattr(LPCSTR path, DWORD attributes) {
    begin_call();
    PathArg arg(path);
    if (arg.bad()) return Get_errno();
    if (arg.no_fs_name()) return 0;
    // A path that is not there is left alone: nothing to change.
    DWORD saved = Get_nERRNO();
    int saved_errno = errno;
    bool there = run_with_short_retry(arg.fs(), [](const char* p) {
        return GetFileAttributesA(p) != INVALID_FILE_ATTRIBUTES;
    });
    if (!there) {
        record_error(saved);
        errno = saved_errno;
        return 0;
    }
    if (attributes == 0) attributes = FILE_ATTRIBUTE_NORMAL;
    bool ok = run_with_short_retry(arg.fs(), [&](const char* p) { return SetFileAttributesA(p, attributes) != FALSE; });
    report_change(ok);
    return ok ? 0 : (Get_errno() ? Get_errno() : EINVAL);
}

int WINAPI IsDirectoryAttribute(LPSTR path) {
    DWORD saved = Get_nERRNO();
    int saved_errno = errno;
    int answer = 1;
    char plain[kPathSize];
    if (path && text::copy_bounded(plain, path)) {
        text::strip_quotes(plain);
        AddServerFolderTypeForMakeNetworkFolderName(1024);
        DWORD attributes = INVALID_FILE_ATTRIBUTES;
        if (my_Dos_getfileattr(plain, &attributes) == 0 && attributes != INVALID_FILE_ATTRIBUTES)
            answer = (attributes & FILE_ATTRIBUTE_DIRECTORY) ? 4 : 2;
        AddServerFolderTypeForMakeNetworkFolderName(0);
    }
    record_error(saved);
    errno = saved_errno;
    return answer;
}
