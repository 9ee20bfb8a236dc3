#include "frame/error_state.h"
#include <cerrno>

namespace {
DWORD g_win32_error;

struct ErrorRow {
    DWORD win32;
    int number;
};

// Win32 errors and the run-time error number each stands for; any other
// error is an invalid argument.
constexpr ErrorRow kErrorTable[] = {
    {ERROR_SUCCESS, 0},
    {ERROR_FILE_NOT_FOUND, ENOENT},
    {ERROR_PATH_NOT_FOUND, ENOENT},
    {ERROR_NO_MORE_FILES, ENOENT},
    {ERROR_INVALID_NAME, ENOENT},
    {ERROR_BAD_PATHNAME, ENOENT},
    {ERROR_TOO_MANY_OPEN_FILES, EMFILE},
    {ERROR_ACCESS_DENIED, EACCES},
    {ERROR_INVALID_ACCESS, EACCES},
    {ERROR_INVALID_HANDLE, EBADF},
    {ERROR_NOT_ENOUGH_MEMORY, ENOMEM},
    {ERROR_OUTOFMEMORY, ENOMEM},
    {ERROR_NOT_ENOUGH_SERVER_MEMORY, ENOMEM},
    {0x80030008u, ENOMEM},  // STG_E_INSUFFICIENTMEMORY
    {0x8007000Eu, ENOMEM},  // E_OUTOFMEMORY
    {ERROR_BAD_FORMAT, ENOEXEC},
    {ERROR_HANDLE_DISK_FULL, ENOSPC},
    {ERROR_DISK_FULL, ENOSPC},
    {ERROR_FILE_EXISTS, EEXIST},
    {ERROR_ALREADY_EXISTS, EEXIST},
};
static_assert(ENOENT == 2 && EMFILE == 24 && EACCES == 13 && EBADF == 9 && ENOMEM == 12 && ENOEXEC == 8 &&
                  ENOSPC == 28 && EEXIST == 17 && EINVAL == 22,
              "the run-time error numbers the callers compare with");
}  // namespace

namespace ferro::dos {
int errno_for_win32(DWORD error) {
    for (const ErrorRow& row : kErrorTable)
        if (row.win32 == error) return row.number;
    return EINVAL;
}

int record_error(DWORD error) {
    g_win32_error = error;
    return GetErrnoFromWin32();
}

int record_last_error() { return record_error(GetLastError()); }
}  // namespace ferro::dos

DWORD WINAPI Get_nERRNO() { return g_win32_error; }
DWORD WINAPI Set_nERRNO(DWORD error) { return g_win32_error = error; }
DWORD WINAPI my_Dos_exterror() { return g_win32_error = GetLastError(); }

int WINAPI GetErrnoFromWin32() { return errno = ferro::dos::errno_for_win32(g_win32_error); }
int WINAPI Get_errno() { return errno; }
int WINAPI Set_errno(int value) { return errno = value; }
