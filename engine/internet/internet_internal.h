// What the files of the internet transfer share (not exported): the module
// state, the owner of internet handles, the address parts of a URL and the
// session that opens, connects, reports progress and polls for a stop.
#pragma once
#include <windows.h>
#include <wininet.h>
#include <cstddef>
#include "internet/internet.h"

namespace ferro::internet {
inline constexpr std::size_t kUrlSize = 520;     // every URL buffer
inline constexpr std::size_t kNameSize = 260;    // remote file names, the source copy of a download
inline constexpr DWORD kReadBufferSize = 1000000;
inline constexpr char kTransferAgent[] = "MyApp";
inline constexpr char kProbeAgent[] = "Internet HTTP Program";
inline constexpr UINT kActiveMessage = WM_USER + 100;
inline constexpr UINT kInactiveMessage = WM_USER + 101;
inline constexpr char kInternetErrorTitle[] = "\xb2\xdd\xc0\xb0\xc8\xaf\xc4\xb4\xd7\xb0";  // ｲﾝﾀｰﾈｯﾄｴﾗｰ
inline constexpr UINT kConnectFailedText = 8330;  // "接続失敗"
inline constexpr UINT kCheckFailedText = 8335;    // "確認失敗"
inline constexpr UINT kReadFailedText = 8343;     // "読込失敗"

// Results (InternetResult).
enum Result : LONG {
    kOk = 1,
    kNoInternetHandle = -1,
    kNoConnection = -2,
    kNoData = -5,
    kFirstWriteFailed = -6,
    kLaterWriteFailed = -7,
    kNotOnFtpSite = -8,
    kFolderNotAvailable = -9,
    kRequestNotOpened = -10,
    kRequestNotSent = -11,
    kOffline = -15,
    kCancelled = -17,
    kSameFile = -19,
    kRemoteNewer = -21,
    kNoLocalFile = -22,
    kCancelledWhileRetrying = -23,
    kChunkRejected = -24,
    kItemNotOnPage = -25,
    kUnexpectedConsumerResult = -26,
};

// Progress codes (InternetProgressCode); 0 and 2 are the progress box's
// start and "already there".
enum Code : WPARAM {
    kStartBox = 0,
    kChunk = 1,
    kAlreadyThere = 2,
    kNotThere = 3,
    kCheckFailed = 4,
    kPreparing = 6,
    kConnecting = 7,
    kSiteConnected = 8,
    kSending = 9,
    kSent = 10,
    kProbeEnd = 11,
    kEnd = 12,
    kFtpLookup = 13,
    kNextFile = 14,
    kFtpFound = 15,
    kComplete = 16,
    kCancelledCode = 17,
    kStart = 18,
    kReadFailed = 19,
    kReading = 20,
    kReadDone = 21,
    kRetrying = 22,
    kRetryEnded = 23,
    kPageWithoutItem = 24,
    kSendFailed = 26,
    kOpenFailed = 27,
    kConnectFailed = 28,
    kRequestFailed = 29,
};

// ---- Module state ----------------------------------------------------------
DWORD timeout();
bool stop_requested();
void set_same_size_found(bool found);
ProgressTextFunction default_progress_text();
void set_ftp_copy_error(DWORD error);
// Whether a site connection was made in the current operation.
bool connected_in_operation();
// The link to the network layer: whether the machine is online at all.
bool internet_available();
// The thread that runs a transfer pumps messages between steps, except a
// worker thread (the page reader, the update check), which never does.
void set_worker_thread(bool worker);
bool on_worker_thread();
// The open-handle list: keeps an internet handle and its connection until
// CloseInterNet is called with the internet handle.
bool register_handles(HINTERNET internet, HINTERNET connection);
// Closes every pair still in the list (at shutdown).
void close_listed_handles();

// ---- Internet handles ------------------------------------------------------
class Handle {
public:
    Handle() = default;
    explicit Handle(HINTERNET h) : h_(h) {}
    ~Handle() { reset(); }
    Handle(Handle&& other) noexcept : h_(other.release()) {}
    Handle& operator=(Handle&& other) noexcept {
        if (this != &other) {
            reset();
            h_ = other.release();
        }
        return *this;
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HINTERNET get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    HINTERNET release() {
        HINTERNET h = h_;
        h_ = nullptr;
        return h;
    }
    void reset(HINTERNET h = nullptr) {
        if (h_) InternetCloseHandle(h_);
        h_ = h;
    }

private:
    HINTERNET h_ = nullptr;
};

// ---- Addresses -------------------------------------------------------------
enum class Scheme { kHttp, kHttps, kFtp };

// The parts of a URL: scheme, optional user and password, host, port (the
// scheme's own unless one is written) and the path from its first "/".
struct Address {
    Scheme scheme = Scheme::kHttp;
    char host[kNameSize] = {};
    char user[kNameSize] = {};
    char password[kNameSize] = {};
    char path[kUrlSize] = {};
    INTERNET_PORT port = 0;
    DWORD service() const { return scheme == Scheme::kFtp ? INTERNET_SERVICE_FTP : INTERNET_SERVICE_HTTP; }
    // The last part of the path (the file name, or a pattern).
    const char* file_name() const;
};
// The URL as it goes on the wire: bytes outside ASCII (a name of this code
// page) and blanks become UTF-8 percent escapes, as browsers send them.
bool escaped_url(const char* url, char* out, std::size_t cap);
// A name taken from a URL as a local file name: percent escapes decoded and
// UTF-8 turned into this code page (a name that is not UTF-8 stays as sent).
bool local_name(const char* name, char* out, std::size_t cap);
// False, with the Windows error (ERROR_INTERNET_INVALID_URL or
// ERROR_INTERNET_UNRECOGNIZED_SCHEME) in *error, for a URL that is empty,
// does not fit in 520 bytes, has no known scheme or no host.
bool parse_address(const char* url, Address* out, DWORD* error);

// ---- A session -------------------------------------------------------------
// One probe or transfer: sends its progress codes, polls for a stop, opens
// the internet handle and connects to the site.
class Session {
public:
    Session(HWND window, UINT_PTR message, const char* agent, bool show_errors);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    void send(WPARAM code, LPARAM lParam = 0) const;
    HWND window() const { return window_; }
    // Pumps (not on a worker thread) and reads the stop request: true when
    // the operation is to end; the result is then `cancelled` and code 17
    // has been sent once.
    bool cancelled(LONG* result, LONG cancelled_result = kCancelled);
    // Steps 1 to 7 of every operation: codes 18, 6 and 7, the internet handle
    // (reused when `reuse` is given), the time-outs, the connection with its
    // retries. Returns kOk or the failure result.
    LONG open_and_connect(const Address& address, const char* display, HINTERNET reuse = nullptr);
    HINTERNET internet() const { return reused_ ? reused_ : internet_.get(); }
    HINTERNET connection() const { return connection_.get(); }
    // Keeps both handles open in the open-handle list instead of closing them.
    bool keep_in_list();
    // Shows the Windows error `error` about `subject` (when errors are shown);
    // an error the system has no text for is shown with message `fallback`.
    void report(DWORD error, const char* subject, UINT fallback = kConnectFailedText) const;
    // The Windows error of the last failure.
    DWORD last_error() const { return last_error_; }
    void set_last_error(DWORD error) { last_error_ = error; }

private:
    LONG connect_with_retry(const Address& address);

    HWND window_;
    UINT message_;
    const char* agent_;
    bool show_errors_;
    bool cancel_sent_ = false;
    HINTERNET reused_ = nullptr;
    Handle internet_;
    Handle connection_;
    DWORD last_error_ = 0;
};

// Applies the module's time-out to every time-out option of a handle.
void apply_timeouts(HINTERNET handle);
// A wait that ended because the time-out ran out, as ERROR_INTERNET_TIMEOUT
// (the platform may give the socket's own error, or call it an aborted
// connection): `error` of a call started at tick `since`.
DWORD timeout_error(DWORD error, DWORD since);

// ---- The probe and page reader worker ----------------------------------------
struct ProbeRequest {
    const char* url;
    HWND window;              // progress codes (null: none)
    UINT_PTR message;
    bool show_errors;
    bool read_body;
    PageConsumerFunction consumer;
    LONG_PTR user;
    DWORD* error_out;
    bool ftp;
};
LONG run_probe(const ProbeRequest& request);
}  // namespace ferro::internet
