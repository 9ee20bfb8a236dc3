// The steps every probe and transfer shares: progress codes, the stop poll,
// the internet handle with its time-outs, and the connection to the site
// with its retries.
#include <cstdio>
#include "ferromes.h"
#include "frame/error_internal.h"
#include "frame/error_texts.h"
#include "frame/message_box.h"
#include "frame/message_pump.h"
#include "frame/pump.h"
#include "internet/internet_internal.h"

namespace ferro::internet {
namespace {
// Retry codes are sent once five seconds have gone by, and only while more
// than ten seconds of the window remain.
constexpr DWORD kRetryQuietMs = 5000;
constexpr DWORD kRetryTailMs = 10000;

bool g_connected;  // a site connection was made in the current operation
}  // namespace

bool connected_in_operation() { return g_connected; }

void apply_timeouts(HINTERNET handle) {
    DWORD value = timeout();
    // connect, receive (twice), send (twice), data send, data receive
    constexpr DWORD kOptions[] = {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT,
                                  INTERNET_OPTION_RECEIVE_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                                  INTERNET_OPTION_SEND_TIMEOUT,    INTERNET_OPTION_DATA_SEND_TIMEOUT,
                                  INTERNET_OPTION_DATA_RECEIVE_TIMEOUT};
    for (DWORD option : kOptions) InternetSetOptionA(handle, option, &value, sizeof value);
}

DWORD timeout_error(DWORD error, DWORD since) {
    constexpr DWORD kSocketTimedOut = 10060;  // WSAETIMEDOUT
    const bool ran_out = timeout() > 0 && GetTickCount() - since + 50 >= timeout();
    if (error == kSocketTimedOut || (ran_out && (error == ERROR_INTERNET_CONNECTION_ABORTED ||
                                                 error == ERROR_INTERNET_CONNECTION_RESET)))
        return ERROR_INTERNET_TIMEOUT;
    return error;
}

Session::Session(HWND window, UINT_PTR message, const char* agent, bool show_errors)
    : window_(window), message_(static_cast<UINT>(message)), agent_(agent), show_errors_(show_errors) {
    SetPeekMessageFlag(0);
    g_connected = false;
}

Session::~Session() = default;

void Session::send(WPARAM code, LPARAM lParam) const {
    if (window_) SendMessageA(window_, message_, code, lParam);
}

bool Session::cancelled(LONG* result, LONG cancelled_result) {
    if (!on_worker_thread()) ferro::pump_throttled();
    if (!stop_requested()) return false;
    *result = cancelled_result;
    SetStopExecutingFlag(1);
    if (!cancel_sent_) {
        cancel_sent_ = true;
        send(kCancelledCode);
    }
    return true;
}

void Session::report(DWORD error, const char* subject, UINT fallback) const {
    if (!show_errors_ || error == 0) return;
    SetLastError(error);
    if (ShowInetSystemError(1, subject)) return;
    char text[errors::kMessageSize];
    MyLoadString(fallback, 0);
    std::snprintf(text, sizeof text, "'%.*s'\n\n%s (Windows>>%lu)", 400, subject ? subject : "", GetLoadStrMessage(),
                  static_cast<unsigned long>(error));
    myMessageBox(nullptr, text, kInternetErrorTitle, MB_ICONEXCLAMATION);
}

LONG Session::open_and_connect(const Address& address, const char* display, HINTERNET reuse) {
    LONG result = kOk;
    send(kStart);
    send(kPreparing, reinterpret_cast<LPARAM>(display));
    if (cancelled(&result)) return result;
    if (reuse) {
        reused_ = reuse;
    } else {
        internet_.reset(InternetOpenA(agent_, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
        if (!internet_) {
            last_error_ = GetLastError();
            send(kOpenFailed);
            report(last_error_, display);
            return kNoInternetHandle;
        }
        apply_timeouts(internet_.get());
    }
    send(kConnecting, reinterpret_cast<LPARAM>(display));
    if (cancelled(&result)) return result;
    result = connect_with_retry(address);
    if (result != kOk) return result;
    if (!connection_) {
        send(kConnectFailed, static_cast<LPARAM>(last_error_));
        report(last_error_, address.host);
        return kNoConnection;
    }
    apply_timeouts(connection_.get());
    g_connected = true;
    return kOk;
}

// InternetConnectA is tried again while it gives no handle and sets no error,
// until the time-out (in whole seconds) has passed; a time-out of 0 tries
// nothing.
LONG Session::connect_with_retry(const Address& address) {
    const DWORD window_ms = timeout() / 1000 * 1000;
    const DWORD base = GetTickCount();
    const DWORD flags = address.scheme == Scheme::kFtp ? INTERNET_FLAG_PASSIVE : 0;
    bool retry_sent = false;
    LONG result = kOk;
    last_error_ = 0;
    for (DWORD elapsed = 0; elapsed < window_ms; elapsed = GetTickCount() - base) {
        if (cancelled(&result, kCancelledWhileRetrying)) return result;
        if (elapsed >= kRetryQuietMs && window_ms - elapsed > kRetryTailMs) {
            send(kRetrying, static_cast<LPARAM>(elapsed / 1000));
            retry_sent = true;
        }
        SetLastError(0);
        connection_.reset(InternetConnectA(internet(), address.host, address.port,
                                           address.user[0] ? address.user : nullptr,
                                           address.user[0] ? address.password : nullptr, address.service(), flags,
                                           0));
        last_error_ = GetLastError();
        if (connection_ || last_error_ != 0) break;
        Sleep(100);
    }
    if (retry_sent) send(kRetryEnded, static_cast<LPARAM>((GetTickCount() - base) / 1000));
    if (!connection_ && last_error_ == 0) last_error_ = ERROR_INTERNET_TIMEOUT;
    return kOk;
}

bool Session::keep_in_list() {
    if (reused_ || !internet_) return false;
    if (!register_handles(internet_.get(), connection_.get())) return false;
    internet_.release();
    connection_.release();
    return true;
}
}  // namespace ferro::internet
