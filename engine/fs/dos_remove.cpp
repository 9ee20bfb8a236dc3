#include <cerrno>
#include <cstring>
#include "frame/paths.h"
#include "frame/text_internal.h"
#include "fs/dos_names.h"
#include "fs/fs_common.h"

using namespace ferro;
using namespace ferro::fs;

namespace {
// Deletes the per-user copy of a protected file; true when that worked.
bool remove_redirected_copy(const char* path) {
    char copy[kPathSize];
    return redirect_path_of(copy, path) && DeleteFileA(copy);
}
}  // namespace

int WINAPI WinRemove(LPCSTR path) {
    begin_call();
    PathArg arg(path);
    if (arg.bad()) return 1;
    if (arg.no_fs_name()) {
        record_success();
        return 0;
    }
    bool removed = DeleteFileA(arg.fs()) != FALSE;
    if (!removed) {
        record_failure();
        DWORD first = Get_nERRNO();
        if (first != ERROR_SHARING_VIOLATION) {
            if (redirect_folder_set() && remove_redirected_copy(arg.fs())) {
                removed = true;
            } else {
                char short_form[kPathSize];
                removed = short_name_for_retry(short_form, arg.fs()) && DeleteFileA(short_form);
            }
        }
        if (!removed) record_error(first);
    }
    if (removed) record_success();
    report_change(removed);
    return removed ? 0 : 1;
}

int WINAPI myRemove(LPCSTR path) {
    if (!IsFileDirExist(path)) return 1;
    return WinRemove(path);
}

int WINAPI WinRename(LPCSTR from, LPCSTR to) {
    begin_call();
    PathArg source(from);
    if (source.bad()) return Get_errno();
    PathArg target(to);
    if (target.bad()) return Get_errno();
    if (source.no_fs_name() || target.no_fs_name()) return record_error(ERROR_PATH_NOT_FOUND);
    bool moved = MoveFileA(source.fs(), target.fs()) != FALSE;
    if (!moved) {
        record_failure();
        DWORD first = Get_nERRNO();
        if (first != ERROR_ALREADY_EXISTS && first != ERROR_SHARING_VIOLATION) {
            char short_source[kPathSize], short_target[kPathSize];
            bool s = short_name_for_retry(short_source, source.fs());
            bool t = short_name_for_retry(short_target, target.fs());
            if (s || t) moved = MoveFileA(s ? short_source : source.fs(), t ? short_target : target.fs()) != FALSE;
        }
        if (!moved) record_error(first);
    }
    if (moved) record_success();
    report_change(moved);
    return moved ? 0 : Get_errno();
}

int WINAPI myAccess(LPCSTR path) {
    begin_call();
    PathArg arg(path, PathArg::Form::kPlain);
    if (arg.bad()) return -1;
    if (arg.no_fs_name()) {
        record_success();
        return 0;
    }
    bool found = run_with_short_retry(arg.fs(), [](const char* p) {
        return GetFileAttributesA(p) != INVALID_FILE_ATTRIBUTES;
    });
    return found ? 0 : -1;
}

BOOL WINAPI IsFileDirExist(LPCSTR path) {
    if (!path) return FALSE;
    char plain[kPathSize];
    if (!text::copy_bounded(plain, path)) {
        begin_call();
        record_error(ERROR_FILENAME_EXCED_RANGE);
        return FALSE;
    }
    text::strip_quotes(plain);
    return myAccess(plain) == 0;
}
