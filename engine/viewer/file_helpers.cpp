// Whole-file reads and text writes on the file-system layer: the helpers the
// viewer, the text search, the error report and the internet transfer use.
#include "viewer/file_helpers.h"
#include <cstring>
#include "frame/error_state.h"
#include "fs/dos_files.h"
#include "fs/dos_times.h"

namespace {
constexpr DWORD kLargestRead = 0xFFFFFFFE;  // what one block can hold with its terminator
constexpr DWORD kWriteStep = 1u << 24;      // bytes per WriteFile call
constexpr LONG kOpenFailed = 0x1;
constexpr LONG kWriteFailed = 0x2;

bool is_open(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }

// Writes every byte in steps; false (the error stored) when a step fails.
bool write_all(HANDLE file, const char* data, DWORD length) {
    while (length > 0) {
        const DWORD step = length < kWriteStep ? length : kWriteStep;
        const LONG written = my_lWrite(file, data, step);
        if (written < 0 || static_cast<DWORD>(written) != step) {
            if (written >= 0) ferro::dos::record_error(ERROR_HANDLE_DISK_FULL);
            return false;
        }
        data += step;
        length -= step;
    }
    return true;
}

// Keeps the stored error and errno of the operation over the clean-up after it.
class KeepError {
public:
    KeepError() : error_(Get_nERRNO()), number_(Get_errno()) {}
    ~KeepError() {
        Set_nERRNO(error_);
        Set_errno(number_);
    }
    KeepError(const KeepError&) = delete;
    KeepError& operator=(const KeepError&) = delete;

private:
    DWORD error_;
    int number_;
};
}  // namespace

LONG WINAPI SaveFile(LPCSTR path, LPCSTR text, DWORD attributes, DWORD length, LPDWORD flagsOut,
                     HANDLE* handleOut) {
    if (flagsOut) *flagsOut = 0;
    if (handleOut) *handleOut = INVALID_HANDLE_VALUE;
    if (!path || !*path) {
        ferro::dos::record_error(ERROR_INVALID_NAME);
        if (flagsOut) *flagsOut = kOpenFailed;
        return 0;
    }
    DWORD before = INVALID_FILE_ATTRIBUTES;
    const bool existed = my_Dos_getfileattr(path, &before) == 0 && before != INVALID_FILE_ATTRIBUTES;
    // A read-only file cannot be opened for writing, nor a hidden or system
    // file be created anew over: such a file is made normal first.
    constexpr DWORD kInTheWay = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    const bool cleared = existed && (before & kInTheWay) && my_Dos_setfileattr(path, FILE_ATTRIBUTE_NORMAL) == 0;

    HANDLE file = myOpenForWriteAlways(path, FILE_ATTRIBUTE_NORMAL);
    if (!is_open(file)) {
        KeepError keep;
        if (cleared) my_Dos_setfileattr(path, before);
        if (flagsOut) *flagsOut = kOpenFailed;
        return 0;
    }
    const bool written = !text || write_all(file, text, length ? length : static_cast<DWORD>(std::strlen(text)));
    if (!written && flagsOut) *flagsOut = kWriteFailed;
    {
        KeepError keep;
        if (handleOut) *handleOut = file;
        else myClose(file);
        const bool keep_old = attributes == static_cast<DWORD>(-1);
        if (!keep_old || existed) my_Dos_setfileattr(path, keep_old ? before : attributes);
    }
    return written ? 1 : 0;
}

LONG WINAPI AppendFile(LPCSTR path, LPCSTR text, DWORD length, HANDLE handle) {
    if (!path || !*path || !text) return 0;
    if (!is_open(handle)) {
        ferro::dos::record_error(ERROR_INVALID_HANDLE);
        return 0;
    }
    return write_all(handle, text, length ? length : static_cast<DWORD>(std::strlen(text))) ? 1 : 0;
}

LONG WINAPI DisableAppendFileAndCloseHandle(HANDLE* handle) {
    if (!handle || !is_open(*handle)) return 0;
    myClose(*handle);
    *handle = INVALID_HANDLE_VALUE;
    return 1;
}

HGLOBAL WINAPI OpenReadOnlyFile(LPCSTR path, ULONGLONG* sizeOut) {
    if (sizeOut) *sizeOut = 0;
    HANDLE file = myOpen(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
    if (!is_open(file)) return nullptr;
    const LONGLONG length = GetFileLengthFromHandle(file);
    if (length < 0) {
        KeepError keep;
        myClose(file);
        return nullptr;
    }
    const DWORD wanted = static_cast<ULONGLONG>(length) > kLargestRead ? kLargestRead : static_cast<DWORD>(length);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(wanted) + 1);
    char* data = block ? static_cast<char*>(GlobalLock(block)) : nullptr;
    if (!data) {
        ferro::dos::record_error(ERROR_NOT_ENOUGH_MEMORY);
        KeepError keep;
        if (block) GlobalFree(block);
        myClose(file);
        return nullptr;
    }
    DWORD done = 0;
    while (done < wanted) {
        const DWORD step = wanted - done < kWriteStep ? wanted - done : kWriteStep;
        const LONG got = my_lRead(file, data + done, step);
        if (got < 0) {
            KeepError keep;
            GlobalUnlock(block);
            GlobalFree(block);
            myClose(file);
            return nullptr;
        }
        if (got == 0) break;  // the file shrank meanwhile
        done += static_cast<DWORD>(got);
    }
    GlobalUnlock(block);
    myClose(file);
    if (done < wanted) {
        // Keep the block one byte longer than what it holds.
        if (HGLOBAL smaller = GlobalReAlloc(block, static_cast<SIZE_T>(done) + 1, GMEM_MOVEABLE)) block = smaller;
    }
    if (sizeOut) *sizeOut = done;
    ferro::dos::record_error(0);
    return block;
}

LPSTR WINAPI GlobalLockForOpenReadOnlyFile(HGLOBAL block) {
    return block ? static_cast<LPSTR>(GlobalLock(block)) : nullptr;
}

LONG WINAPI CloseReadOnlyFile(HGLOBAL block) {
    if (!block) return 0;
    while (GlobalFlags(block) & GMEM_LOCKCOUNT) GlobalUnlock(block);
    GlobalFree(block);
    return 1;
}

LONG WINAPI SaveOneFileToAnotherFile(LPCSTR source, LPCSTR target, DWORD attributes, HGLOBAL* blockOut) {
    if (blockOut) *blockOut = nullptr;
    ULONGLONG size = 0;
    HGLOBAL block = OpenReadOnlyFile(source, &size);
    if (!block) return 0;
    const char* data = GlobalLockForOpenReadOnlyFile(block);
    LONG result = 0;
    if (size == 0) {
        result = SaveFile(target, "", attributes, 0, nullptr, nullptr);
    } else if (data) {
        result = SaveFile(target, data, attributes, static_cast<DWORD>(size), nullptr, nullptr);
    }
    GlobalUnlock(block);
    if (blockOut) *blockOut = block;
    else CloseReadOnlyFile(block);
    return result;
}
