// Module state of the internet transfer: the time-out, the stop request, the
// flags one operation leaves for its caller, the count of active downloads,
// the default progress-text callback, the manifest name, the open-handle
// list and the classes of results.
#include <cstdio>
#include <cstring>
#include "frame/handles.h"
#include "frame/pump.h"
#include "frame/text_internal.h"
#include "internet/internet_internal.h"

namespace {
using namespace ferro::internet;

DWORD g_timeout = 180000;
LONG g_same_size_found;
LONG g_active_downloads;
ProgressTextFunction g_default_progress_text;
char g_manifest_name[kUrlSize];
DWORD g_ftp_copy_error;
InternetHandleNode* g_open_handles;
thread_local bool t_worker;
}  // namespace

namespace ferro::internet {
DWORD timeout() { return g_timeout; }
bool stop_requested() { return ferro::net_search_stop_flag() != 0; }
void set_same_size_found(bool found) { g_same_size_found = found ? 1 : 0; }
ProgressTextFunction default_progress_text() { return g_default_progress_text; }
void set_ftp_copy_error(DWORD error) { g_ftp_copy_error = error; }
void set_worker_thread(bool worker) { t_worker = worker; }
// A thread other than the one of the host's main window is a worker too (the
// update module's check runs on one).
bool on_worker_thread() {
    if (t_worker) return true;
    const HWND main = GethWndMain();
    return main && GetWindowThreadProcessId(main, nullptr) != GetCurrentThreadId();
}

bool register_handles(HINTERNET internet, HINTERNET connection) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(InternetHandleNode));
    auto* node = block ? static_cast<InternetHandleNode*>(GlobalLock(block)) : nullptr;
    if (!node) {
        if (block) GlobalFree(block);
        return false;
    }
    node->self = block;
    node->connection = internet;
    node->request = connection;
    node->next = g_open_handles;
    g_open_handles = node;
    return true;
}
void close_listed_handles() {
    while (g_open_handles) CloseInterNet(g_open_handles->connection);
}
}  // namespace ferro::internet

DWORD WINAPI SetInternetTimeoutInMilliSecond(DWORD milliseconds) { return g_timeout = milliseconds; }
DWORD WINAPI GetInternetTimeoutInMilliSecond() { return g_timeout; }

LONG WINAPI StopSearchingNetFile(LONG flag) {
    ferro::set_net_search_stop_flag(flag);
    return flag;
}

LONG WINAPI IsFoundFileWithSameSize() { return g_same_size_found; }

LONG WINAPI SendInternetDownloadActiveMessage() {
    const HWND main = GethWndMain();
    if (!main) return 0;
    SendMessageA(main, kActiveMessage, 0, ++g_active_downloads);
    return g_active_downloads;
}

LONG WINAPI SendInternetDownloadInactiveMessage() {
    const HWND main = GethWndMain();
    if (!main) return 0;
    SendMessageA(main, kInactiveMessage, 0, --g_active_downloads);
    return g_active_downloads;
}

ProgressTextFunction WINAPI SetGetCopiedFile(ProgressTextFunction function) {
    const ProgressTextFunction previous = g_default_progress_text;
    g_default_progress_text = function;
    return previous;
}

// name + ".manifest"; a name that would not fit in 520 bytes is refused (null)
// and the previous one kept.
LPCSTR WINAPI SetManifestFileName(LPCSTR name) {
    if (!name) name = "";
    char joined[kUrlSize];
    const int n = std::snprintf(joined, sizeof joined, "%s%s", name, ".manifest");
    if (n < 0 || static_cast<std::size_t>(n) >= sizeof joined) return nullptr;
    std::memcpy(g_manifest_name, joined, static_cast<std::size_t>(n) + 1);
    return g_manifest_name;
}
LPCSTR WINAPI GetManifestFileName() { return g_manifest_name; }

DWORD WINAPI GetErrorCodeForFtpCopyFile() { return g_ftp_copy_error; }

// Closes every listed pair whose internet handle is `connection`; the list
// keeps the others in their order. Returns the number of nodes closed.
LONG WINAPI CloseInterNet(HINTERNET connection) {
    LONG closed = 0;
    InternetHandleNode** link = &g_open_handles;
    while (InternetHandleNode* node = *link) {
        if (connection && node->connection == connection) {
            *link = node->next;
            if (node->request) InternetCloseHandle(node->request);
            InternetCloseHandle(node->connection);
            const HGLOBAL self = node->self;
            GlobalUnlock(self);
            GlobalFree(self);
            ++closed;
        } else {
            link = &node->next;
        }
    }
    return closed;
}

BOOL WINAPI IsInternetErrorFound(LONG code) { return code >= -15 && code <= -1; }
BOOL WINAPI IsInternetErrorOnlineFound(LONG code) { return code >= -12 && code <= -1; }
BOOL WINAPI IsInternetAccessFatalError(LONG code) { return code == -1 || code == -2; }
LONG WINAPI GetFileToBeDownloadedFromInternet(LONG code) {
    return code == kRemoteNewer ? 1 : code == kNoLocalFile ? 2 : 0;
}

ConnectMessageRecord* WINAPI SetIntenetConnectMessage(ConnectMessageRecord* record, HWND window, UINT_PTR message,
                                                      LONG_PTR reserved, LONG_PTR user, DWORD* errorOut) {
    if (record) *record = {window, message, reserved, user, errorOut};
    return record;
}
