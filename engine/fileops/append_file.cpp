// myAppendFile: joins two files into a target, which takes the times of one
// of them. Both sources are opened before the target is touched, and the join
// is written beside an existing target and put in its place only when it is
// complete: a failed join leaves an existing target as it was, and removes a
// target it created.
#include <cstdio>
#include <cstring>
#include <string>
#include "fileops/copy.h"
#include "fileops/copy_internal.h"
#include "frame/text_internal.h"
#include "fs/dos_files.h"
#include "fs/dos_names.h"
#include "fs/dos_times.h"
#include "frame/error_state.h"

namespace {
using namespace ferro::fileops;

constexpr DWORD kShareReadWrite = FILE_SHARE_READ | FILE_SHARE_WRITE;
constexpr int kTemporaryNameTries = 64;

class Join {
public:
    Join(LPCSTR target, LPSTR name_out, LONG time_index)
        : target_(target), name_out_(name_out), time_index_(time_index) {}
    ~Join() {
        if (!written_.empty()) remove_target(written_.c_str());
    }
    LONG run(LPCSTR first, LPCSTR second);

private:
    LONG open_target(DWORD attributes);
    bool open_beside_target(DWORD attributes);
    LONG append(HANDLE source, LPCSTR name, LONG index);
    LONG finish(LONG result);

    LPCSTR target_;
    LPSTR name_out_;
    LONG time_index_;
    FileHandle target_file_;
    std::string written_;  // the file being written: the target or a new one beside it
    FileTimes times_;
    bool times_kept_ = false;
};

HANDLE open_source(LPCSTR name) {
    return myOpen(name, GENERIC_READ, kShareReadWrite, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
}

LONG Join::run(LPCSTR first, LPCSTR second) {
    // The target is never one of the files it is made from.
    if (same_file(target_, first) || same_file(target_, second)) {
        ferro::dos::record_error(ERROR_SHARING_VIOLATION);
        copy_name_out(name_out_, target_);
        return kTargetNotOpened;
    }
    FileHandle sources[2];
    const LPCSTR names[2] = {first, second};
    for (int i = 0; i < 2; ++i) {
        sources[i].reset(open_source(names[i]));
        if (!sources[i].open()) {
            copy_name_out(name_out_, names[i]);
            return kSourceNotOpened;
        }
    }
    DWORD attributes = FILE_ATTRIBUTE_NORMAL;
    if (my_Dos_getfileattr(second, &attributes) != 0 || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        attributes = FILE_ATTRIBUTE_NORMAL;
    copy_name_out(name_out_, target_);
    LONG result = open_target(settable_attributes(attributes));
    for (int i = 0; i < 2 && result == kCopied; ++i) result = append(sources[i].get(), names[i], i);
    return finish(result);
}

// An existing target must be one this join may write; the join then goes to a
// new file in the same folder. A target that does not exist yet is written
// directly.
LONG Join::open_target(DWORD attributes) {
    DWORD existing = INVALID_FILE_ATTRIBUTES;
    if (my_Dos_getfileattr(target_, &existing) != 0) existing = INVALID_FILE_ATTRIBUTES;
    if (existing != INVALID_FILE_ATTRIBUTES) {
        // A folder or a read-only file is never overwritten (the platform may
        // let a privileged process open a read-only file for writing).
        if (existing & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) {
            ferro::dos::record_error(ERROR_ACCESS_DENIED);
            return kTargetNotOpened;
        }
        FileHandle probe(myOpen(target_, GENERIC_WRITE, 0, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL));
        if (!probe.open()) return kTargetNotOpened;
        probe.close();
        if (open_beside_target(attributes)) return kCopied;
        // Writing the existing target itself would lose it on a failure.
        return kTargetNotOpened;
    }
    target_file_.reset(myOpen(target_, GENERIC_WRITE, 0, CREATE_ALWAYS, attributes));
    if (!target_file_.open()) return kTargetNotOpened;
    written_ = target_;
    return kCopied;
}

// A new file "~fjNNNN.tmp" in the target's folder; false when none can be
// made (its path would not fit, or the folder refuses it): the join is then
// refused.
bool Join::open_beside_target(DWORD attributes) {
    const std::size_t length = std::strlen(target_);
    const char* yen = ferro::text::last_separator(target_, length);
    const std::size_t folder = yen ? static_cast<std::size_t>(yen - target_) + 1 : 0;
    const DWORD seed = GetTickCount() ^ GetCurrentProcessId();
    for (int i = 0; i < kTemporaryNameTries; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "~fj%04lX.tmp", static_cast<unsigned long>((seed + i) & 0xFFFF));
        if (folder + std::strlen(name) >= kPathSize) {
            ferro::dos::record_error(ERROR_FILENAME_EXCED_RANGE);
            return false;
        }
        std::string path(target_, folder);
        path += name;
        target_file_.reset(myOpen(path.c_str(), GENERIC_WRITE, 0, CREATE_NEW, attributes));
        if (target_file_.open()) {
            written_ = path;
            return true;
        }
        if (Get_nERRNO() != ERROR_FILE_EXISTS && Get_nERRNO() != ERROR_ALREADY_EXISTS) return false;
    }
    return false;
}

// Times, close, and the new file put in the target's place. On a failure the
// file written is removed (by the destructor) and the stored error kept.
LONG Join::finish(LONG result) {
    if (target_file_.open()) {
        if (result == kCopied && times_kept_ && !write_times(target_file_.get(), times_)) {
            ferro::dos::record_last_error();
            result = kTargetFailed;
        }
        if (!target_file_.close_checked() && result == kCopied) result = kTargetFailed;
    }
    if (result != kCopied || written_.empty()) return result;
    if (written_ != target_) {
        if (!MoveFileExA(written_.c_str(), target_, MOVEFILE_REPLACE_EXISTING)) {
            ferro::dos::record_last_error();
            copy_name_out(name_out_, target_);
            return kTargetNotOpened;
        }
    }
    written_.clear();
    return kCopied;
}

LONG Join::append(HANDLE source, LPCSTR name, LONG index) {
    copy_name_out(name_out_, name);
    const LONGLONG length = GetFileLengthFromHandle(source);
    if (length < 0) return kTargetFailed;
    if (index == time_index_) times_kept_ = read_times(source, &times_);
    if (length == 0) return kCopied;

    CopyBuffer buffer(static_cast<DWORD>(length < kBufferLimit ? length : kBufferLimit));
    if (!buffer.data()) {
        ferro::dos::record_error(ERROR_NOT_ENOUGH_MEMORY);
        return kNoMemory;
    }
    ULONGLONG done = 0;
    for (;;) {
        const LONG got = my_lRead(source, buffer.data(), buffer.size());
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
