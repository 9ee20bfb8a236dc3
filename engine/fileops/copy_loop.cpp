// myOrgCopyFile: the library's own copy loop. Reads the source block by block
// into one buffer and writes each block to the target, retrying after media
// errors the user answers; then gives the target the source's times and
// attributes. A failure is noted in the error report list and its partial
// target removed; a stop removes a target that was not completely written.
#include <cerrno>
#include <cstring>
#include "fileops/copy.h"
#include "fileops/copy_internal.h"
#include "frame/error_boxes.h"
#include "frame/message_box.h"
#include "frame/pump.h"
#include "frame/text_internal.h"
#include "fs/dos_files.h"
#include "fs/dos_folders.h"
#include "fs/dos_names.h"
#include "fs/dos_times.h"
#include "frame/error_state.h"
#include "programs/error_report.h"

namespace {
using namespace ferro::fileops;

constexpr UINT kPutDiskBack = 8108;     // "ﾌｧｲﾙ終了措置をします...\nﾃﾞｨｽｸを抜いている場合は戻して下さい。"
constexpr UINT kDiskAccessTitle = 8012;  // "ﾃﾞｨｽｸｱｸｾｽ・ｴﾗｰ"
constexpr UINT kPutDiskBackStyle = 0x30;
// A box that cannot be shown (another is open) answers at once: these bounds
// keep such an answer from turning a question into an endless loop.
constexpr int kMostMediaRetries = 64;
constexpr int kMostDiskPrompts = 16;

// What a media error left on one side of the copy.
enum class Mark { kNone, kWriteProtected, kNotReady };

// The buffer size for a file of `length` bytes: a tenth plus 10 (at least
// 1024) so that a file goes in about ten blocks, or the whole file with
// speedy copy or up to 1024 bytes; never above the limit. The full 64-bit
// length is used, so a file of 4 GiB or more gets the largest buffer.
DWORD buffer_size_for(ULONGLONG length, bool speedy) {
    ULONGLONG size = length;
    if (!speedy && length > kSmallestBlock) {
        size = length / 10 + 10;
        if (size < kSmallestBlock) size = kSmallestBlock;
    }
    return static_cast<DWORD>(size < kBufferLimit ? size : kBufferLimit);
}

bool stop_requested() { return ferro::pump_throttled() != 0; }

// Setting attributes is slow on some file systems: a new file often has the
// wanted ones already.
bool has_attributes(const char* path, DWORD wanted) {
    DWORD present = INVALID_FILE_ATTRIBUTES;
    return my_Dos_getfileattr(path, &present) == 0 && present == wanted;
}

class CopyRun {
public:
    CopyRun(HWND window, const char* source, const char* target, UINT progress)
        : window_(window), source_(source), target_(target), progress_(progress) {}

    LONG run(LONG drive);

private:
    void open_and_copy();
    void open_target(DWORD target_attributes);
    bool create_target();
    void copy_blocks();
    bool read_block(char* buffer, DWORD size, LONG* got);
    bool write_block(const char* buffer, LONG count);
    bool retry_after_media_error(Mark* mark, const char* name);
    void finish_source();
    void finish_target();
    void note_failure(LONG drive);
    void report_progress() const;

    HWND window_;
    const char* source_;
    const char* target_;
    UINT progress_;

    FileHandle source_file_;
    FileHandle target_file_;
    bool target_opened_ = false;  // this call created the target
    bool reached_end_ = false;     // the source was read to its end
    ULONGLONG length_ = 0;
    ULONGLONG done_ = 0;
    DWORD target_attributes_ = FILE_ATTRIBUTE_NORMAL;
    Mark source_mark_ = Mark::kNone;
    Mark target_mark_ = Mark::kNone;
    int media_retries_ = 0;
    LONG result_ = kCopied;
};

LONG CopyRun::run(LONG drive) {
    if (stop_requested()) return kStopped;
    open_and_copy();
    finish_source();
    finish_target();
    if (result_ == kCopied) {
        if (target_mark_ == Mark::kNone && !has_attributes(target_, target_attributes_) &&
            my_Dos_setfileattr(target_, target_attributes_) != 0)
            result_ = kTargetFailed;
        else
            mark_file_copied();
    }
    // The error of the copy is what the host reports, whatever the clean-up does.
    const DWORD error_at_finish = Get_nERRNO();
    if (result_ != kCopied && result_ != kStopped) note_failure(drive);
    if (result_ == kStopped || IsStopExecutingFlag()) {
        result_ = kStopped;
        if (target_opened_ && !reached_end_ && target_mark_ == Mark::kNone) remove_target(target_);
    }
    Set_nERRNO(error_at_finish);
    GetErrnoFromWin32();
    return result_;
}

void CopyRun::open_and_copy() {
    DWORD source_attributes = FILE_ATTRIBUTE_NORMAL;
    if (my_Dos_getfileattr(source_, &source_attributes) != 0 || source_attributes == INVALID_FILE_ATTRIBUTES)
        source_attributes = FILE_ATTRIBUTE_NORMAL;
    source_file_.reset(myOpen(source_, GENERIC_READ, share_mode(0), OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL));
    if (!source_file_.open()) {
        result_ = errno == ENOENT ? kSourceNotFound : kSourceNotOpened;
        return;
    }
    const LONGLONG length = GetFileLengthFromHandle(source_file_.get());
    if (length < 0) {
        result_ = kTargetFailed;
        return;
    }
    length_ = static_cast<ULONGLONG>(length);
    const LONG chosen = target_attribute();
    open_target(settable_attributes(chosen == -1 ? source_attributes : static_cast<DWORD>(chosen)));
    if (result_ != kCopied) return;
    if (length_ == 0) {
        reached_end_ = true;
        return;
    }
    copy_blocks();
}

// The target is opened at once; only when that is refused is it looked at:
// a folder stays, a read-only, hidden or system file is made normal so that
// it can be written over (and keeps its attributes when that fails too).
// The target is never the source itself: a truncation of the source is only
// possible when both share modes allow it, and then the two are compared.
void CopyRun::open_target(DWORD target_attributes) {
    target_attributes_ = target_attributes;
    const bool shares_writing = (share_mode(0) & FILE_SHARE_WRITE) && (share_mode(1) & FILE_SHARE_READ);
    if (shares_writing && same_file(source_file_.get(), target_)) {
        ferro::dos::record_error(ERROR_SHARING_VIOLATION);
        result_ = kTargetNotOpened;
        return;
    }
    if (create_target()) return;
    result_ = kTargetNotOpened;
    if (Get_nERRNO() != ERROR_ACCESS_DENIED) return;
    const DWORD error = Get_nERRNO();
    DWORD existing = INVALID_FILE_ATTRIBUTES;
    constexpr DWORD kInTheWay = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    if (my_Dos_getfileattr(target_, &existing) != 0 || (existing & FILE_ATTRIBUTE_DIRECTORY) ||
        !(existing & kInTheWay) || my_Dos_setfileattr(target_, FILE_ATTRIBUTE_NORMAL) != 0) {
        ferro::dos::record_error(error);
        return;
    }
    if (create_target()) {
        result_ = kCopied;
        return;
    }
    const DWORD second_error = Get_nERRNO();
    my_Dos_setfileattr(target_, existing);
    ferro::dos::record_error(second_error);
}

bool CopyRun::create_target() {
    target_file_.reset(myOpen(target_, GENERIC_WRITE, share_mode(1), CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL));
    target_opened_ = target_file_.open();
    return target_opened_;
}

void CopyRun::copy_blocks() {
    CopyBuffer buffer(buffer_size_for(length_, speedy_copy()));
    if (!buffer.data()) {
        ferro::dos::record_error(ERROR_NOT_ENOUGH_MEMORY);
        result_ = kNoMemory;
        return;
    }
    for (;;) {
        // Once every byte is written the end is read first: a stop then keeps
        // the complete target, with its times and attributes.
        if (done_ < length_ && stop_requested()) {
            result_ = kStopped;
            return;
        }
        LONG got = 0;
        if (!read_block(buffer.data(), buffer.size(), &got)) return;
        if (got == 0) {
            reached_end_ = true;
            // A source that ends before its length was copied is a failure.
            if (done_ < length_) {
                ferro::dos::record_error(ERROR_HANDLE_EOF);
                result_ = kReadFailed;
            }
            return;
        }
        if (stop_requested()) {
            result_ = kStopped;
            return;
        }
        if (!write_block(buffer.data(), got)) return;
        report_progress();
    }
}

// Reads the next block; false when the copy ends here (result set).
bool CopyRun::read_block(char* buffer, DWORD size, LONG* got) {
    for (;;) {
        *got = my_lRead(source_file_.get(), buffer, size);
        if (*got != -1) return true;
        if (stop_requested()) {
            result_ = kStopped;
            return false;
        }
        if (errno == 0) {
            result_ = done_ ? kReadFailedPartway : kReadFailedAtOnce;
            return false;
        }
        if (!retry_after_media_error(&source_mark_, source_)) {
            result_ = source_mark_ != Mark::kNone ? kMediaError : done_ ? kReadFailedPartway : kReadFailedAtOnce;
            return false;
        }
        my_llSeek(source_file_.get(), static_cast<LONG>(done_), static_cast<LONG>(done_ >> 32), FILE_BEGIN);
    }
}

// Writes one block; false when the copy ends here (result set).
bool CopyRun::write_block(const char* buffer, LONG count) {
    for (;;) {
        const LONG put = my_lWrite(target_file_.get(), buffer, static_cast<DWORD>(count));
        if (put != -1) {
            if (put < count) {
                ferro::dos::record_error(ERROR_DISK_FULL);
                result_ = kDiskFull;
                return false;
            }
            done_ += static_cast<ULONGLONG>(put);
            add_copied(static_cast<ULONGLONG>(put));
            return true;
        }
        if (stop_requested()) {
            result_ = kStopped;
            return false;
        }
        if (!retry_after_media_error(&target_mark_, target_)) {
            result_ = kMediaError;
            return false;
        }
        my_llSeek(target_file_.get(), static_cast<LONG>(done_), static_cast<LONG>(done_ >> 32), FILE_BEGIN);
    }
}

// A write-protected side gives up; a side that is not ready asks whether to
// stop (any answer but yes retries); any other error gives up.
bool CopyRun::retry_after_media_error(Mark* mark, const char* name) {
    const DWORD error = Get_nERRNO();
    if (error == ERROR_WRITE_PROTECT) {
        *mark = Mark::kWriteProtected;
        return false;
    }
    if (error != ERROR_NOT_READY) return false;
    *mark = Mark::kNotReady;
    if (++media_retries_ > kMostMediaRetries) return false;
    if (CheckDiskError(window_, name) == IDYES) return false;
    errno = 0;
    return true;
}

void CopyRun::report_progress() const {
    if (progress_ && window_)
        SendMessageA(window_, progress_, static_cast<WPARAM>(done_ >> 32), static_cast<LPARAM>(static_cast<DWORD>(done_)));
}

// A copied file takes the source's three times.
void CopyRun::finish_source() {
    if (result_ == kCopied && source_mark_ == Mark::kNone && target_mark_ == Mark::kNone) {
        FileTimes times;
        if (!read_times(source_file_.get(), &times) || !write_times(target_file_.get(), times)) {
            ferro::dos::record_last_error();
            result_ = kTargetFailed;
        }
    }
    source_file_.close();
}

void CopyRun::finish_target() {
    if (target_opened_) {
        if (result_ == kMediaError && target_mark_ == Mark::kNotReady) {
            const char root[] = {target_[0], ':', '\\', '\0'};
            for (int i = 0; i < kMostDiskPrompts && !ferro::text::folder_exists(root); ++i)
                myMessageBoxForLoadString(window_, kPutDiskBack, kDiskAccessTitle, kPutDiskBackStyle);
            my_lWrite(target_file_.get(), "", 1);
        } else if (result_ == kMediaError) {
            result_ = kTargetFailed;
        }
        if (!target_file_.close_checked() && result_ == kCopied) result_ = kTargetFailed;
    } else if (result_ == kSourceNotFound) {
        result_ = target_mark_ == Mark::kNotReady ? kDriveNotReady : kTargetFailed;
    }
}

// The result names the failure (a folder in the way, a sharing violation kept
// as it is); the partial target goes, the failure is noted and the drive of
// the start is made current again.
void CopyRun::note_failure(LONG drive) {
    const DWORD error = Get_nERRNO();
    if (IsDirectoryAttribute(const_cast<LPSTR>(target_ ? target_ : "")) == 4)
        result_ = kTargetIsFolder;
    else if (error != ERROR_SHARING_VIOLATION)
        result_ = kFailedAndNoted;
    if (target_opened_) remove_target(target_);
    Set_nERRNO(error);
    SaveOutputFileMemoryHandle(window_, nullptr, source_, target_, kCopyErrorHeading, static_cast<LONG>(error));
    if (ferro::text::is_drive_letter(static_cast<char>(drive))) ChgDr(drive);
    Set_nERRNO(error);
}
}  // namespace

LONG WINAPI myOrgCopyFile(HWND window, LPSTR source, LPSTR target, LONG drive, UINT progressMessage) {
    CopyRun run(window, source, target, progressMessage & 0xFFFF);
    const LONG result = run.run(drive);
    set_last_result(result);
    return result;
}
