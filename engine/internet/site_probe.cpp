// Site probes and page reading: whether an HTTP page or an FTP file can be
// reached, and the reading of a page whose text goes to a consumer. One
// worker does all of them; the exports differ in how they are called.
#include <cstring>
#include <new>
#include <string>
#include "frame/error_internal.h"
#include "frame/cursors.h"
#include "frame/handles.h"
#include "frame/message_box.h"
#include "frame/paths.h"
#include "frame/pump.h"
#include "internet/internet_internal.h"

namespace ferro::internet {
namespace {
constexpr DWORD kProbeRequestFlags = 0x84080000;  // reload, no cache write, no cookies
constexpr DWORD kPageReadSize = 1999;
constexpr std::size_t kLargestPage = 16u << 20;  // a page is text; more than this is not one
constexpr UINT kFirewallNotice = 8317;
constexpr UINT kUpdateCheckLine = 8324;
constexpr UINT kDownloadCheckLine = 8323;

// The Windows error that stands for an HTTP status that is not a success.
DWORD error_for_status(DWORD status) {
    if (status == HTTP_STATUS_NOT_FOUND || status == HTTP_STATUS_GONE) return ERROR_FILE_NOT_FOUND;
    if (status == HTTP_STATUS_DENIED || status == HTTP_STATUS_FORBIDDEN) return ERROR_ACCESS_DENIED;
    return ERROR_HTTP_INVALID_SERVER_RESPONSE;
}

class Probe {
public:
    explicit Probe(const ProbeRequest& request)
        : r_(request), session_(request.window, request.message, kProbeAgent, request.show_errors) {}

    LONG run() {
        Address address;
        DWORD error = 0;
        if (!parse_address(r_.url, &address, &error)) {
            session_.set_last_error(error);
            session_.report(error, r_.url);
            return finish(kRequestNotOpened);
        }
        LONG result = session_.open_and_connect(address, r_.url);
        if (result == kOk) result = r_.ftp ? find_ftp_file(address) : request_page(address);
        return finish(result);
    }

private:
    LONG finish(LONG result) {
        if (r_.window && IsWindow(r_.window)) session_.send(kProbeEnd);
        if (r_.error_out) *r_.error_out = session_.last_error();
        return result;
    }

    LONG find_ftp_file(const Address& address) {
        LONG result = kOk;
        session_.send(kFtpLookup);
        if (session_.cancelled(&result)) return result;
        WIN32_FIND_DATAA entry;
        Handle found(FtpFindFirstFileA(session_.connection(), address.path, &entry, INTERNET_FLAG_RELOAD, 0));
        if (!found) {
            session_.set_last_error(GetLastError());
            session_.send(kNotThere, static_cast<LPARAM>(session_.last_error()));
            return kRequestNotSent;
        }
        session_.send(kFtpFound);
        return kOk;
    }

    LONG request_page(const Address& address) {
        LONG result = kOk;
        session_.send(kSiteConnected);
        const DWORD flags = kProbeRequestFlags | (address.scheme == Scheme::kHttps ? INTERNET_FLAG_SECURE : 0);
        char path[kUrlSize * 3];
        if (!escaped_url(address.path, path, sizeof path)) std::strcpy(path, "/");
        Handle request(HttpOpenRequestA(session_.connection(), "GET", path, nullptr, nullptr, nullptr, flags, 0));
        if (!request) {
            session_.set_last_error(GetLastError());
            session_.send(kRequestFailed);
            session_.report(session_.last_error(), r_.url);
            return kRequestNotOpened;
        }
        apply_timeouts(request.get());
        if (session_.cancelled(&result)) return result;
        session_.send(kSending);
        const DWORD asked = GetTickCount();
        if (!HttpSendRequestA(request.get(), nullptr, 0, nullptr, 0)) {
            session_.set_last_error(timeout_error(GetLastError(), asked));
            session_.send(kSendFailed);
            session_.report(session_.last_error(), r_.url);
            return kRequestNotSent;
        }
        // A page the server does not have is not the page: its error page
        // never reaches the consumer.
        DWORD status = 0, size = sizeof status;
        if (HttpQueryInfoA(request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr) &&
            (status < 200 || status > 299)) {
            session_.set_last_error(error_for_status(status));
            session_.send(kNotThere, static_cast<LPARAM>(session_.last_error()));
            session_.report(session_.last_error(), r_.url);
            return kRequestNotSent;
        }
        session_.send(kSent);
        if (!r_.read_body) return kOk;
        return read_page(request.get(), address);
    }

    LONG read_page(HINTERNET request, const Address& address) {
        LONG result = kOk;
        std::string page;
        char chunk[kPageReadSize];
        try {
            for (;;) {
                DWORD got = 0;
                const DWORD asked = GetTickCount();
                if (!InternetReadFile(request, chunk, sizeof chunk, &got)) {
                    session_.set_last_error(timeout_error(GetLastError(), asked));
                    session_.send(kReadFailed, static_cast<LPARAM>(session_.last_error()));
                    return kNoData;
                }
                if (got == 0) break;
                if (page.size() + got > kLargestPage) {
                    session_.set_last_error(ERROR_NOT_ENOUGH_MEMORY);
                    session_.send(kReadFailed, static_cast<LPARAM>(session_.last_error()));
                    return kNoData;
                }
                page.append(chunk, got);
                if (session_.cancelled(&result)) return result;
            }
        } catch (const std::bad_alloc&) {
            session_.set_last_error(ERROR_NOT_ENOUGH_MEMORY);
            return kNoData;
        }
        LONG word = 0;
        const LONG consumed = !page.empty() && r_.consumer ? r_.consumer(&word, page.c_str(), r_.user) : 0;
        if (consumed == 0) {
            session_.send(kPageWithoutItem, reinterpret_cast<LPARAM>(address.file_name()));
            return kItemNotOnPage;
        }
        return consumed == 1 || consumed == -2 ? kOk : kUnexpectedConsumerResult;
    }

    const ProbeRequest& r_;
    Session session_;
};

// The URL copied into a 520-byte buffer with every backslash made a slash;
// false for a URL that does not fit.
bool slashed_copy(const char* url, char* out) {
    if (!url || strnlen(url, kUrlSize) >= kUrlSize) return false;
    std::strcpy(out, url);
    ReplaceYenmarkBySlash(out);
    return true;
}

LONG probe_site(const char* url, bool ftp, bool read_body, PageConsumerFunction consumer, HWND window,
                UINT_PTR message, LONG_PTR user, DWORD* error_out, bool show_errors) {
    if (!internet_available()) return kOffline;
    char copy[kUrlSize];
    if (!slashed_copy(url, copy)) {
        if (error_out) *error_out = ERROR_INTERNET_INVALID_URL;
        return kRequestNotOpened;
    }
    return run_probe({copy, window, message, show_errors, read_body, consumer, user, error_out, ftp});
}

LONG check_connection(bool ftp, LONG flags, UINT titleId, LPCSTR titleArgument, LPCSTR url, LPCSTR name,
                      LONG messageFlags, HWND window, UINT_PTR message, LONG_PTR user, DWORD* error_out) {
    if (flags & 1) ShowMessageForInternetConnection(kFirewallNotice, titleId, titleArgument, name, messageFlags);
    if (stop_requested()) return kCancelled;
    return probe_site(url, ftp, false, nullptr, window, message, user, error_out, true);
}
}  // namespace

LONG run_probe(const ProbeRequest& request) { return Probe(request).run(); }
}  // namespace ferro::internet

using namespace ferro::internet;

LONG WINAPI IsInternetHttpActive(LPCSTR url, HWND window, UINT_PTR message, HWND c1, UINT_PTR c2, LONG_PTR,
                                 LONG_PTR c4, DWORD* c5) {
    return probe_site(url, false, false, nullptr, window ? window : c1, window ? message : c2, c4, c5, true);
}

LONG WINAPI IsInternetFtpActive(LPCSTR url, HWND window, UINT_PTR message, HWND c1, UINT_PTR c2, LONG_PTR,
                                LONG_PTR c4, DWORD* c5) {
    return probe_site(url, true, false, nullptr, window ? window : c1, window ? message : c2, c4, c5, true);
}

LONG WINAPI IsHttpSiteInternetActive(LPCSTR url, PageConsumerFunction consumer, LONG readBody, HWND c1, UINT_PTR c2,
                                     LONG_PTR, LONG_PTR c4, DWORD* c5, LONG_PTR) {
    return probe_site(url, false, readBody != 0, consumer, c1, c2, c4, c5, false);
}

LONG WINAPI IsFtpSiteInternetActive(LPCSTR url, HWND c1, UINT_PTR c2, LONG_PTR, LONG_PTR c4, DWORD* c5, LONG_PTR) {
    return probe_site(url, true, false, nullptr, c1, c2, c4, c5, false);
}

LONG WINAPI ReadFileByHttp(LPCSTR url, PageConsumerFunction consumer, HWND c1, UINT_PTR c2, LONG_PTR c3, LONG_PTR c4,
                           DWORD* c5, LONG_PTR last) {
    return IsHttpSiteInternetActive(url, consumer, 1, c1, c2, c3, c4, c5, last);
}

LONG WINAPI CheckInternetHttpConnection(LONG flags, UINT titleId, LPCSTR titleArgument, LPCSTR url, LPCSTR name,
                                        LONG messageFlags, HWND c1, UINT_PTR c2, LONG_PTR, LONG_PTR c4, DWORD* c5,
                                        LONG_PTR) {
    return check_connection(false, flags, titleId, titleArgument, url, name, messageFlags, c1, c2, c4, c5);
}

LONG WINAPI CheckInternetFtpConnection(LONG flags, UINT titleId, LPCSTR titleArgument, LPCSTR url, LPCSTR name,
                                       LONG messageFlags, HWND c1, UINT_PTR c2, LONG_PTR, LONG_PTR c4, DWORD* c5,
                                       LONG_PTR) {
    return check_connection(true, flags, titleId, titleArgument, url, name, messageFlags, c1, c2, c4, c5);
}

LONG WINAPI ShowMessageForInternetConnection(UINT messageId, UINT titleId, LPCSTR titleArgument, LPCSTR name,
                                             LONG flags) {
    using ferro::errors::Composer;
    char text[ferro::errors::kMessageSize * 2];
    char title[ferro::errors::kMessageSize];
    Composer out(text, sizeof text);
    if (flags != 0) {
        MyLoadString((flags & 2) ? kDownloadCheckLine : kUpdateCheckLine, 0);
        ferro::errors::add_formatted(out, GetLoadStrMessage(), name);
    }
    MyLoadString(messageId, titleId);
    ferro::errors::add_formatted(out, GetLoadStrMessage(), name);
    Composer heading(title, sizeof title);
    if (titleId)
        ferro::errors::add_formatted(heading, GetLoadStrTitle(), titleArgument);
    else
        heading.add(kInternetErrorTitle);
    const HCURSOR previous = GetCursor();
    PutArrowCursor();
    const int answer = myMessageBox(GethWndMain(), text, title, MB_ICONEXCLAMATION);
    SetCursor(previous);
    return answer;
}
