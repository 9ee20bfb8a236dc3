// What the copy primitives share inside the library (not exported).
#pragma once
#include <windows.h>
#include <cerrno>
#include <cstddef>
#include "frame/error_state.h"

namespace ferro::fileops {
// Result codes of the copy primitives.
enum CopyResult : LONG {
    kCopied = 0,
    kSourceNotFound = 2,
    kMediaError = 9,
    kDiskFull = 28,
    kSourceNotOpened = -9,
    kReadFailed = -10,
    kDriveNotReady = -11,
    kReadFailedPartway = -12,
    kReadFailedAtOnce = -13,
    kTargetFailed = -14,
    kTargetNotOpened = -15,
    kNoMemory = -16,
    kStopped = -17,
    kTargetIsFolder = -19,
    kShellCancelled = -20,
    kFailedAndNoted = -21,
};

inline constexpr UINT kCopyErrorHeading = 8110;  // "======複写中にｴﾗｰの出たﾌｧｲﾙ(ﾌｫﾙﾀﾞ)======"
inline constexpr DWORD kBufferLimit = 0x8FFFFF;  // largest copy buffer
inline constexpr DWORD kSmallestBlock = 1024;
inline constexpr std::size_t kPathSize = 520;

// ---- Copy-run state read by the primitives
DWORD share_mode(int index);  // 0 reading sources, 1 writing targets
LONG target_attribute();      // -1: the source's
bool speedy_copy();
bool ignore_errors();
ULONGLONG saved_file_size();
void add_copied(ULONGLONG bytes);
void mark_file_copied();      // sets bit 0x1 of the copied flags
void set_last_result(LONG result);
LONG last_result();

// ---- Helpers of the primitives
// Keeps the stored error and errno of the file layer over a scope, so that
// clean-up does not hide the error of the failure.
class KeepErrors {
public:
    KeepErrors() : error_(Get_nERRNO()), errno_(errno) {}
    ~KeepErrors() {
        Set_nERRNO(error_);
        errno = errno_;
    }
    KeepErrors(const KeepErrors&) = delete;
    KeepErrors& operator=(const KeepErrors&) = delete;

private:
    DWORD error_;
    int errno_;
};

// A movable zero-filled block of `size` bytes, locked; when the system has no
// such block, once more with the largest block it can provide after
// compacting (at most `size`). Empty on failure.
class CopyBuffer {
public:
    explicit CopyBuffer(DWORD size);
    ~CopyBuffer();
    CopyBuffer(const CopyBuffer&) = delete;
    CopyBuffer& operator=(const CopyBuffer&) = delete;
    char* data() const { return data_; }
    DWORD size() const { return size_; }

private:
    HGLOBAL handle_ = nullptr;
    char* data_ = nullptr;
    DWORD size_ = 0;
};

// An open file handle of the file layer, closed by myClose.
class FileHandle {
public:
    FileHandle() = default;
    explicit FileHandle(HANDLE h) : h_(h) {}
    ~FileHandle() { close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE get() const { return h_; }
    bool open() const { return h_ != nullptr && h_ != INVALID_HANDLE_VALUE; }
    void reset(HANDLE h) {
        close();
        h_ = h;
    }
    // Closes, keeping the stored error (clean-up after a failure).
    void close();
    // Closes; false when the close failed (its error is then stored).
    bool close_checked();

private:
    HANDLE h_ = INVALID_HANDLE_VALUE;
};

// The three times of a file.
struct FileTimes {
    FILETIME creation{}, access{}, write{};
};
bool read_times(HANDLE h, FileTimes* times);
bool write_times(HANDLE h, const FileTimes& times);

// Whether the open file and the path are one existing file (same volume and
// file index). The stored error and errno are left as they were.
bool same_file(HANDLE open_file, const char* path);
bool same_file(const char* a, const char* b);

// Removes a file that this library wrote: archive attribute first so that a
// read-only one goes too; when it still exists its old attributes are put
// back. The stored error and errno are left as they were. True when it is gone.
bool remove_target(const char* path);

// The attributes SetFileAttributes can give (others are the file system's).
inline DWORD settable_attributes(DWORD attributes) {
    constexpr DWORD kSettable = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_TEMPORARY |
                                FILE_ATTRIBUTE_OFFLINE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    attributes &= kSettable;
    return attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
}

// Copies a name into a caller's 520-byte buffer (null: nothing); a name that
// does not fit leaves the buffer empty.
void copy_name_out(char* out, const char* name);
}  // namespace ferro::fileops
