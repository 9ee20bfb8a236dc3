// myAppendFile: joins two files into a target, which takes the times of one
// of them. A failure removes the target.
#include <cstring>
#include "fileops/copy.h"
#include "fileops/copy_internal.h"
#include "frame/text_internal.h"
#include "fs/dos_files.h"
#include "fs/dos_times.h"
#include "frame/error_state.h"

namespace {
using namespace ferro::fileops;

constexpr DWORD kShareReadWrite = FILE_SHARE_READ | FILE_SHARE_WRITE;

class Join {
public:
    Join(LPCSTR target, LPSTR name_out, LONG time_index)
        : target_(target), name_out_(name_out), time_index_(time_index) {}
    LONG run(LPCSTR first, LPCSTR second);

private:
    LONG append(LPCSTR source, LONG index);

    LPCSTR target_;
    LPSTR name_out_;
    LONG time_index_;
    FileHandle target_file_;
    FileTimes times_;
    bool times_kept_ = false;
};

LONG Join::run(LPCSTR first, LPCSTR second) {
    // The target is never one of the files it is made from.
    if (same_file(target_, first) || same_file(target_, second)) {
        ferro::dos::record_error(ERROR_SHARING_VIOLATION);
        return kTargetNotOpened;
    }
    DWORD attributes = FILE_ATTRIBUTE_NORMAL;
    if (my_Dos_getfileattr(second, &attributes) != 0 || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        attributes = FILE_ATTRIBUTE_NORMAL;
    target_file_.reset(myOpen(target_, GENERIC_WRITE, 0, CREATE_ALWAYS, settable_attributes(attributes)));
    if (!target_file_.open()) return kTargetNotOpened;
    copy_name_out(name_out_, target_);

    LONG result = append(first, 0);
    if (result == kCopied) result = append(second, 1);
    if (times_kept_ && !write_times(target_file_.get(), times_) && result == kCopied) {
        ferro::dos::record_last_error();
        result = kTargetFailed;
    }
    if (!target_file_.close_checked() && result == kCopied) result = kTargetFailed;
    if (result != kCopied) remove_target(target_);
    return result;
}

LONG Join::append(LPCSTR source, LONG index) {
    FileHandle file(myOpen(source, GENERIC_READ, kShareReadWrite, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL));
    if (!file.open()) return kSourceNotOpened;
    copy_name_out(name_out_, source);
    const LONGLONG length = GetFileLengthFromHandle(file.get());
    if (length < 0) return kTargetFailed;
    if (index == time_index_) times_kept_ = read_times(file.get(), &times_);
    if (length == 0) return kCopied;

    CopyBuffer buffer(static_cast<DWORD>(length < kBufferLimit ? length : kBufferLimit));
    if (!buffer.data()) {
        ferro::dos::record_error(ERROR_NOT_ENOUGH_MEMORY);
        return kNoMemory;
    }
    ULONGLONG done = 0;
    for (;;) {
        const LONG got = my_lRead(file.get(), buffer.data(), buffer.size());
        if (got == -1) return kReadFailed;
        if (got == 0) {
            if (done >= static_cast<ULONGLONG>(length)) return kCopied;
            ferro::dos::record_error(ERROR_HANDLE_EOF);
            return kReadFailed;
        }
        const LONG put = my_lWrite(target_file_.get(), buffer.data(), static_cast<DWORD>(got));
        if (put == -1) return kTargetFailed;
        if (put < got) {
            ferro::dos::record_error(ERROR_DISK_FULL);
            return kDiskFull;
        }
        done += static_cast<ULONGLONG>(put);
    }
}
}  // namespace

LONG WINAPI myAppendFile(HWND window, LPCSTR first, LPCSTR second, LPCSTR target, LPSTR currentNameOut,
                         LONG timeIndex) {
    (void)window;
    // Nothing to join: nothing is touched.
    if (!first) return kCopied;
    if (ferro::text::is_empty(target)) return kTargetNotOpened;
    if (ferro::text::is_empty(second)) return kSourceNotOpened;
    Join join(target, currentNameOut, timeIndex);
    return join.run(first, second);
}
