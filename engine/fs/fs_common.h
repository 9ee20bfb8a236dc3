// Conventions shared by the functions of the file-system layer (not exported):
// every call starts with SetLastError(0); a caller's path is copied into a
// 520-byte buffer, network paths are handed to the network layer; after the
// platform call the Win32 error is stored and errno set from it; a failure
// with a long name is retried once with the short-name form.
#pragma once
#include <windows.h>
#include <cstddef>
#include "frame/error_state.h"

namespace ferro::fs {
using dos::errno_for_win32;
using dos::record_error;
using dos::record_last_error;

inline constexpr std::size_t kPathSize = 520;

inline void begin_call() { SetLastError(0); }

// Stores the error of a failed platform call (never 0 for a failure) and
// returns errno.
inline int record_failure() {
    DWORD error = GetLastError();
    return record_error(error ? error : ERROR_GEN_FAILURE);
}
// A success: stored error and errno become 0.
inline void record_success() { record_error(ERROR_SUCCESS); }

// A handle that cannot stand for an open file (0 or -1).
inline bool is_bad_handle(HANDLE h) { return h == nullptr || h == INVALID_HANDLE_VALUE; }

// Reports a change that this library made to the file system.
void report_change(bool success);

// A caller's path ready for a platform call.
class PathArg {
public:
    enum class Form { kQuoted, kPlain };  // kQuoted: remove 95 quotation marks
    // Null gives error 87, an empty path error 3, 520 bytes or more error 206;
    // those errors are stored at once.
    explicit PathArg(const char* path, Form form = Form::kQuoted);
    ~PathArg();
    PathArg(const PathArg&) = delete;
    PathArg& operator=(const PathArg&) = delete;

    bool bad() const { return bad_; }                   // unusable input (error stored)
    bool network() const { return network_; }           // a network path
    bool no_fs_name() const { return no_fs_name_; }     // network path without a file-system name
    bool converted() const { return saved_ > 0; }       // rewritten by the network layer
    bool usable() const { return !bad_ && !no_fs_name_; }
    char* fs() { return fs_; }                          // the file-system spelling
    char* copy() { return buffer_; }                    // the caller's text (quotes removed)

private:
    char buffer_[kPathSize];
    char* fs_ = buffer_;
    int saved_ = 0;
    bool bad_ = false;
    bool network_ = false;
    bool no_fs_name_ = false;
};

// The short-name form of `path` in `out` (520 bytes) when the stored error
// allows a retry and the form differs from the path; the retry is noted in
// the error report list. Leaves the stored error alone.
bool short_name_for_retry(char* out, const char* path);

// Runs `op(path)` (true on success, GetLastError set on failure); a failure is
// retried once with the short-name form. Stores the outcome: 0 on success,
// otherwise the first failure's error. Returns whether one of them succeeded.
template <class Op>
bool run_with_short_retry(const char* path, Op op) {
    if (op(path)) {
        record_success();
        return true;
    }
    record_failure();
    char short_form[kPathSize];
    if (!short_name_for_retry(short_form, path)) return false;
    DWORD first = Get_nERRNO();
    if (op(static_cast<const char*>(short_form))) {
        record_success();
        return true;
    }
    record_error(first);
    return false;
}

// The path of the per-user copy that the system keeps for a protected
// location (empty when the system keeps none). `out` holds 520 bytes.
bool redirect_path_of(char* out, const char* path);
// Whether a delete is to be retried in the redirect folder (one was set).
bool redirect_folder_set();
}  // namespace ferro::fs
