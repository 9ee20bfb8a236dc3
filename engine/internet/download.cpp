// DownLoadInterNetfile: one file from an HTTP or FTP site into a local
// folder. The bytes go to a temporary file beside the target, which takes
// the target's name only when the whole answer has arrived: a failed,
// refused, cut or cancelled download leaves no file behind and an existing
// file as it was.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include "ferromes.h"
#include "frame/mbcs.h"
#include "internet/download_internal.h"

namespace ferro::internet {
namespace {
constexpr UINT kReadingText = 8341;  // "読込中"
constexpr char kWaitingText[] = "\x91\xd2\x8b@\x92\x86\x81\x63";  // 待機中…
constexpr DWORD kChunkPauseMs = 50;
constexpr DWORD kNotTherePauseMs = 500;
constexpr ULONGLONG kTimeSlack = 2 * 10000000ull;  // two seconds in file-time units

ULONGLONG as_number(const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

bool is_folder(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

class ReadBuffer {
public:
    ReadBuffer() : p_(static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, kReadBufferSize))) {}
    ~ReadBuffer() {
        if (p_) HeapFree(GetProcessHeap(), 0, p_);
    }
    ReadBuffer(const ReadBuffer&) = delete;
    ReadBuffer& operator=(const ReadBuffer&) = delete;
    char* get() const { return p_; }

private:
    char* p_;
};
}  // namespace

Download::Download(InternetRequest& request, const ConnectMessageRecord& record)
    : r_(request),
      record_(record),
      session_(request.notify_window ? request.notify_window : record.window,
               request.notify_window ? request.notify_message : record.message, kTransferAgent, true) {}

void Download::progress_text(const char* text) const {
    const ProgressTextFunction show = r_.progress_text ? r_.progress_text : default_progress_text();
    if (show) show(text, static_cast<LONG>(r_.text_index), static_cast<LONG>(r_.text_count));
}

// Bad input is refused before anything is sent: a source that is no URL or
// does not fit, a target folder that is not there, a local name too long.
bool Download::prepare(LONG* result) {
    DWORD error = 0;
    if (!r_.source || strnlen(r_.source, kNameSize) >= kNameSize) {
        error = ERROR_INTERNET_INVALID_URL;
    } else if (!parse_address(r_.source, &address_, &error)) {
    } else if (!*address_.file_name() && !r_.target_name && r_.target_folder) {
        error = ERROR_INTERNET_INVALID_URL;  // a folder address names no file
    }
    if (error) {
        *result = fail(kRequestNotOpened, error, r_.source ? r_.source : "");
        return false;
    }
    if (!r_.target_folder) {
        if (r_.chunk_check) return true;  // the chunk check takes the data
        *result = fail(kFirstWriteFailed, ERROR_PATH_NOT_FOUND, "");
        return false;
    }
    if (!is_folder(r_.target_folder)) {
        *result = fail(kFirstWriteFailed, ERROR_PATH_NOT_FOUND, r_.target_folder);
        return false;
    }
    if (!local_name(address_.file_name(), remote_name_, sizeof remote_name_)) {
        *result = fail(kRequestNotOpened, ERROR_INTERNET_INVALID_URL, r_.source);
        return false;
    }
    const char* name = r_.target_name ? r_.target_name : remote_name_;
    const std::size_t folder_length = std::strlen(r_.target_folder);
    const bool has_yen = mbcs::ends_with(r_.target_folder, folder_length, '\\');
    const int n = std::snprintf(local_, sizeof local_, "%s%s%s", r_.target_folder, has_yen ? "" : "\\", name);
    if (n < 0 || static_cast<std::size_t>(n) >= sizeof local_) {
        local_[0] = '\0';
        *result = fail(kFirstWriteFailed, ERROR_FILENAME_EXCED_RANGE, r_.target_folder);
        return false;
    }
    // A read-only file is the user's to keep: it is never replaced.
    const DWORD attributes = GetFileAttributesA(local_);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        *result = fail(kFirstWriteFailed, ERROR_ACCESS_DENIED, local_);
        return false;
    }
    return true;
}

LONG Download::fail(LONG result, DWORD error, const char* subject) {
    session_.set_last_error(error);
    session_.report(error, subject);
    if (r_.error_out) *r_.error_out = error;
    if (record_.error_out) *record_.error_out = error;
    return result;
}

LONG Download::run() {
    LONG result = kOk;
    set_same_size_found(false);
    r_.received_low = r_.received_high = 0;
    if (!prepare(&result)) return result;
    if (session_.cancelled(&result)) return result;
    SendInternetDownloadActiveMessage();
    progress_text(kWaitingText);
    const bool reuse = r_.handle_state && *r_.handle_state == -1 && r_.handle_out && *r_.handle_out;
    result = session_.open_and_connect(address_, r_.display_name ? r_.display_name : r_.source,
                                       reuse ? *r_.handle_out : nullptr);
    if (result == kOk) result = address_.scheme == Scheme::kFtp ? open_ftp() : open_http();
    if (result == kOk) result = read_to_file();
    if (result == kOk && address_.scheme == Scheme::kFtp && r_.report_file)
        write_ftp_report(session_.connection(), r_, address_.file_name(), received_);
    return finish(result);
}

// The file is asked for through the site connection, so that the time-outs
// of the connection and of the request itself apply to every wait.
LONG Download::open_http() {
    const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                        (address_.scheme == Scheme::kHttps ? INTERNET_FLAG_SECURE : 0);
    char path[kUrlSize * 3];
    if (!escaped_url(address_.path, path, sizeof path)) return not_there(kRequestNotOpened, ERROR_INTERNET_INVALID_URL);
    remote_.reset(HttpOpenRequestA(session_.connection(), "GET", path, nullptr, nullptr, nullptr, flags, 0));
    if (!remote_) return not_there(kRequestNotOpened, GetLastError());
    apply_timeouts(remote_.get());
    const DWORD asked = GetTickCount();
    if (!HttpSendRequestA(remote_.get(), nullptr, 0, nullptr, 0))
        return not_there(kRequestNotSent, timeout_error(GetLastError(), asked));
    DWORD status = 0, size = sizeof status;
    if (HttpQueryInfoA(remote_.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr) &&
        (status < 200 || status > 299))
        return not_there(kRequestNotSent, status == HTTP_STATUS_NOT_FOUND || status == HTTP_STATUS_GONE
                                              ? ERROR_FILE_NOT_FOUND
                                          : status == HTTP_STATUS_DENIED || status == HTTP_STATUS_FORBIDDEN
                                              ? ERROR_ACCESS_DENIED
                                              : ERROR_HTTP_INVALID_SERVER_RESPONSE);
    char length[32] = {};
    size = sizeof length - 1;
    if (HttpQueryInfoA(remote_.get(), HTTP_QUERY_CONTENT_LENGTH, length, &size, nullptr)) {
        remote_size_ = _strtoui64(length, nullptr, 10);
        size_known_ = true;
    }
    SYSTEMTIME modified;
    size = sizeof modified;
    if (HttpQueryInfoA(remote_.get(), HTTP_QUERY_LAST_MODIFIED | HTTP_QUERY_FLAG_SYSTEMTIME, &modified, &size,
                       nullptr) &&
        SystemTimeToFileTime(&modified, &remote_time_))
        time_known_ = true;
    copy_found_name(remote_name_);
    return compare_with_local();
}

LONG Download::open_ftp() {
    LONG result = kOk;
    session_.send(kFtpLookup);
    if (session_.cancelled(&result)) return result;
    WIN32_FIND_DATAA entry;
    {
        Handle found(FtpFindFirstFileA(session_.connection(), address_.path, &entry, INTERNET_FLAG_RELOAD, 0));
        if (!found) {
            // A listing that simply comes back empty sets no error of its own.
            DWORD error = GetLastError();
            if (error == 0 || error == ERROR_NO_MORE_FILES) error = ERROR_FILE_NOT_FOUND;
            return not_there(ftp_folder_exists() ? kNotOnFtpSite : kFolderNotAvailable, error);
        }
    }
    session_.send(kFtpFound);
    remote_size_ = (static_cast<ULONGLONG>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
    size_known_ = true;
    remote_time_ = entry.ftLastWriteTime;
    time_known_ = as_number(remote_time_) != 0;
    copy_found_name(entry.cFileName);
    result = compare_with_local();
    if (result != kOk) return result;
    remote_.reset(FtpOpenFileA(session_.connection(), address_.path, GENERIC_READ, FTP_TRANSFER_TYPE_BINARY, 0));
    if (!remote_) return not_there(kRequestNotSent, GetLastError());
    return kOk;
}

bool Download::ftp_folder_exists() {
    char folder[kUrlSize];
    std::strcpy(folder, address_.path);
    char* slash = std::strrchr(folder, '/');
    if (!slash) return false;
    slash[slash == folder ? 1 : 0] = '\0';
    const DWORD error = GetLastError();
    const bool exists = FtpSetCurrentDirectoryA(session_.connection(), folder) != FALSE;
    SetLastError(error);
    return exists;
}

LONG Download::not_there(LONG result, DWORD error) {
    session_.set_last_error(error);
    not_there_sent_ = true;
    session_.send(kNotThere, static_cast<LPARAM>(error));
    return result;
}

void Download::copy_found_name(const char* name) {
    if (r_.found_name) lstrcpynA(r_.found_name, name, static_cast<int>(kNameSize));
}

// The same-size rule: a local file of the remote size and time is kept and
// nothing is downloaded (-19). Otherwise the download goes on; the outcome
// of the comparison is written to the download log.
LONG Download::compare_with_local() {
    if (!local_[0]) return kOk;
    WIN32_FILE_ATTRIBUTE_DATA local;
    LONG outcome = 0;
    if (!GetFileAttributesExA(local_, GetFileExInfoStandard, &local)) {
        outcome = kNoLocalFile;
    } else {
        const ULONGLONG local_size = (static_cast<ULONGLONG>(local.nFileSizeHigh) << 32) | local.nFileSizeLow;
        const ULONGLONG there = as_number(remote_time_), here = as_number(local.ftLastWriteTime);
        const bool same_time = time_known_ && (there > here ? there - here : here - there) <= kTimeSlack;
        if (size_known_ && local_size == remote_size_ && same_time && !(r_.options & kRequestAlways))
            outcome = kSameFile;
        else if (time_known_ && there > here + kTimeSlack)
            outcome = kRemoteNewer;
    }
    add_log_line(r_.log, outcome, r_.source, local_, size_known_, remote_size_);
    if (outcome != kSameFile) return kOk;
    set_same_size_found(true);
    session_.send(kAlreadyThere, static_cast<LPARAM>(remote_size_));
    return kSameFile;
}

LONG Download::read_to_file() {
    LONG result = kOk;
    ReadBuffer buffer;
    if (!buffer.get()) {
        session_.set_last_error(ERROR_NOT_ENOUGH_MEMORY);
        return kNoData;
    }
    char text[kUrlSize];
    MyLoadString(kReadingText, 0);
    std::snprintf(text, sizeof text, "%s %s", r_.found_name ? r_.found_name : remote_name_,
                  GetLoadStrMessage());
    progress_text(text);
    OwnedFile file;
    if (local_[0] && !open_temporary(&file)) return kFirstWriteFailed;
    if (size_known_ && remote_size_ > 0) session_.send(kStartBox, static_cast<LPARAM>(remote_size_ & 0xffffffff));
    session_.send(kReading);
    const bool paced = session_.window() != nullptr;
    if (paced) Sleep(kChunkPauseMs);
    bool stopped_by_check = false;
    for (;;) {
        DWORD got = 0;
        const DWORD asked = GetTickCount();
        if (!InternetReadFile(remote_.get(), buffer.get(), kReadBufferSize - 1, &got)) {
            session_.set_last_error(timeout_error(GetLastError(), asked));
            result = kNoData;
            break;
        }
        if (session_.cancelled(&result)) break;
        if (got == 0) break;
        if (r_.chunk_check) {
            const LONG verdict = r_.chunk_check(buffer.get(), got, &r_);
            if (verdict == -5) stopped_by_check = true;
            else if (verdict != 1) {
                session_.set_last_error(ERROR_INVALID_DATA);
                result = kChunkRejected;
                break;
            }
        }
        if (local_[0] && !file.write(buffer.get(), got)) {
            session_.set_last_error(GetLastError());
            result = received_ == 0 ? kFirstWriteFailed : kLaterWriteFailed;
            break;
        }
        received_ += got;
        r_.received_low = static_cast<DWORD_PTR>(received_ & 0xffffffff);
        r_.received_high = static_cast<DWORD_PTR>(received_ >> 32);
        if (paced) {
            session_.send(kChunk, static_cast<LPARAM>(received_ & 0xffffffff));
            Sleep(kChunkPauseMs);
        }
        if (stopped_by_check) break;
    }
    session_.send(kReadDone);
    file.close();
    remote_.reset();
    // An answer that ends before the size it announced is a cut answer, not a file.
    if (result == kOk && !stopped_by_check && size_known_ && received_ != remote_size_) {
        session_.set_last_error(ERROR_INTERNET_CONNECTION_RESET);
        result = kNoData;
    }
    if (local_[0]) keep_or_remove_temporary(result);
    return result;
}

bool Download::open_temporary(OwnedFile* file) {
    char folder[kUrlSize];
    lstrcpynA(folder, local_, sizeof folder);
    if (char* yen = mbcs::find_last(folder, '\\')) yen[1] = '\0';
    if (!GetTempFileNameA(folder, "fdl", 0, temporary_) || !file->create(temporary_)) {
        session_.set_last_error(GetLastError());
        if (temporary_[0]) DeleteFileA(temporary_);
        temporary_[0] = '\0';
        return false;
    }
    return true;
}

void Download::keep_or_remove_temporary(LONG& result) {
    const bool keep = result == kOk || (result == kCancelled && (r_.options & kRequestKeepPartial));
    if (!keep) {
        DeleteFileA(temporary_);
        return;
    }
    if (!MoveFileExA(temporary_, local_, MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)) {
        session_.set_last_error(GetLastError());
        result = kFirstWriteFailed;
        DeleteFileA(temporary_);
        return;
    }
    if (time_known_) {
        const HANDLE h = CreateFileA(local_, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                     OPEN_EXISTING, 0, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            SetFileTime(h, nullptr, nullptr, &remote_time_);
            CloseHandle(h);
        }
    }
    if (r_.local_out) lstrcpynA(r_.local_out, local_, static_cast<int>(kUrlSize));
}

LONG Download::finish(LONG result) {
    const HWND window = session_.window();
    const DWORD error = session_.last_error();
    if (IsInternetErrorFound(result) && !IsInternetAccessFatalError(result)) {
        if (window && IsWindow(window)) {
            if (not_there_sent_) Sleep(kNotTherePauseMs);
            const bool reading = result == kNoData || result == kFirstWriteFailed || result == kLaterWriteFailed;
            session_.send(reading ? kReadFailed : kCheckFailed, static_cast<LPARAM>(error));
        }
        const bool local_side = result == kFirstWriteFailed || result == kLaterWriteFailed;
        const bool reading = result == kNoData || local_side;
        session_.report(error, local_side && local_[0] ? local_ : r_.source, reading ? kReadFailedText : kCheckFailedText);
    }
    if (window && IsWindow(window)) session_.send(result == kOk ? kComplete : kEnd);
    if (r_.error_out) *r_.error_out = error;
    if (record_.error_out) *record_.error_out = error;
    SendInternetDownloadInactiveMessage();
    const bool keep = r_.register_handle && *r_.register_handle == 1 && session_.keep_in_list();
    if (keep) *r_.register_handle = -1;
    if (r_.handle_out) *r_.handle_out = keep || (r_.handle_state && *r_.handle_state == -1) ? session_.internet() : nullptr;
    return result;
}
}  // namespace ferro::internet

LONG WINAPI DownLoadInterNetfile(InternetRequest* request, HWND c1, UINT_PTR c2, LONG_PTR c3, LONG_PTR c4,
                                 DWORD* c5) {
    if (!request) return ferro::internet::kRequestNotOpened;
    return ferro::internet::Download(*request, {c1, c2, c3, c4, c5}).run();
}
