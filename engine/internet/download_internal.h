// The download of one file, shared by the single and the pattern download,
// and the pieces around it: the download log and the FTP report file.
#pragma once
#include <windows.h>
#include "internet/internet_internal.h"

namespace ferro::internet {
// A local file opened for writing, closed when it goes out of scope.
class OwnedFile {
public:
    OwnedFile() = default;
    ~OwnedFile() { close(); }
    OwnedFile(const OwnedFile&) = delete;
    OwnedFile& operator=(const OwnedFile&) = delete;
    bool create(const char* path) {
        h_ = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        return h_ != INVALID_HANDLE_VALUE;
    }
    bool write(const char* data, DWORD n) {
        DWORD done = 0;
        return WriteFile(h_, data, n, &done, nullptr) && done == n;
    }
    void close() {
        if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
        h_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE h_ = INVALID_HANDLE_VALUE;
};

class Download {
public:
    Download(InternetRequest& request, const ConnectMessageRecord& record);
    LONG run();

private:
    bool prepare(LONG* result);
    LONG fail(LONG result, DWORD error, const char* subject);
    void progress_text(const char* text) const;
    LONG open_http();
    LONG open_ftp();
    bool ftp_folder_exists();
    LONG not_there(LONG result, DWORD error);
    void copy_found_name(const char* name);
    LONG compare_with_local();
    LONG read_to_file();
    bool open_temporary(OwnedFile* file);
    void keep_or_remove_temporary(LONG& result);
    LONG finish(LONG result);

    InternetRequest& r_;
    ConnectMessageRecord record_;
    Session session_;
    Address address_;
    Handle remote_;
    char remote_name_[kNameSize] = {};
    char local_[kUrlSize] = {};
    char temporary_[kUrlSize] = {};
    ULONGLONG remote_size_ = 0;
    ULONGLONG received_ = 0;
    FILETIME remote_time_ = {};
    bool size_known_ = false;
    bool time_known_ = false;
    bool not_there_sent_ = false;
};

// Appends a line of the download log to the caller's memory tag: the mark of
// the comparison outcome (0, -21 or -22), the remote and local names and the
// remote size, or "(not found)" without a remote entry.
void add_log_line(MemoryTag* log, LONG outcome, const char* remote, const char* local, bool found,
                  ULONGLONG size);
// After an FTP download that names a report file: the counter in it goes up
// by one, or the file records the expected and the received size.
void write_ftp_report(HINTERNET connection, const InternetRequest& request, const char* name, ULONGLONG received);
}  // namespace ferro::internet
