// Exports of the internet transfer: online probes, page reading (also on a
// worker thread), downloads of one file or of every file that matches a
// pattern over HTTP or FTP, copies between FTP locations, the progress codes
// and their texts, the maker's news page and site addresses. Texts are
// code-page-932 bytes; every function is __stdcall.
#pragma once
#include <windows.h>
#include <wininet.h>
#include "frame/memory_blocks.h"

struct InternetRequest;

extern "C" {
// Shows a progress text: (text, index, count); GetCopiedFile of the progress
// box has this shape.
typedef LONG(WINAPI* ProgressTextFunction)(LPCSTR text, LONG index, LONG count);
// Looks at each received chunk: 1 go on, -5 stop (the download succeeds),
// anything else rejects the data (result -24).
typedef LONG(WINAPI* ChunkCheckFunction)(LPCSTR chunk, DWORD length, InternetRequest* request);
// Decides on each entry of a pattern listing (its name without folder part):
// 1 this is the file (the listing ends and it is downloaded), 2 download it
// and go on, 0 skip it, -1 give up.
typedef LONG(WINAPI* FoundEntryFunction)(const WIN32_FIND_DATAA* entry, InternetRequest* request);
// Consumes a page that was read: (result word, page text, user value). The
// page reader maps its result: 1 or -2 success, 0 "the item is not on the
// page" (-25), anything else -26.
typedef LONG(WINAPI* PageConsumerFunction)(LONG* result, LPCSTR page, LONG_PTR user);
}

// The five words that tell a probe or a transfer where its progress codes go.
struct ConnectMessageRecord {
    HWND window;          // receives the progress codes (null: none are sent)
    UINT_PTR message;     // their message number (1034 for the progress box)
    LONG_PTR reserved;    // not read by the page reader
    LONG_PTR user;        // the page consumer's user value
    DWORD* error_out;     // receives the last Windows error (may be null)
};

// One download, zeroed by the caller before use.
struct InternetRequest {
    LPCSTR source;                    // 0  URL (http://, https:// or ftp://)
    LPCSTR target_folder;             // 1  local folder (null: nothing is written, a chunk check reads)
    ChunkCheckFunction chunk_check;   // 2  optional
    LPCSTR target_name;               // 3  local file name (null: the remote name)
    LPCSTR display_name;              // 4  shown with codes 6 and 7 (null: the source)
    DWORD* error_out;                 // 5  receives the last Windows error at the end
    DWORD_PTR options;                // 6  kRequest* bits below
    MemoryTag* log;                   // 7  download log lines are appended (may be null)
    LPCSTR report_file;               // 8  FTP counter or size report file on the site (may be null)
    FoundEntryFunction found_entry;   // 9  pattern downloads: per-entry decision (null: every match)
    LONG_PTR entry_user;              // 10 for found_entry
    DWORD_PTR expected_size;          // 11 the correct size quoted by a size report
    LONG* handle_state;               // 12 -1 there: *handle_out is an open internet handle to reuse
    HINTERNET* handle_out;            // 13 receives the internet handle
    ProgressTextFunction progress_text;  // 14 null: the default copied-file callback
    DWORD_PTR received_low;           // 15 bytes written (out), low and high half
    LONG* register_handle;            // 16 1 there: keep the handles in the open-handle list (set to -1)
    DWORD_PTR received_high;          // 17
    LPSTR local_out;                  // 18 receives the local path written (520 bytes)
    LONG_PTR text_index;              // 19 index and count passed to the progress text
    LONG_PTR text_count;              // 20
    LPSTR found_name;                 // 21 receives the remote file name (260 bytes)
    LONG_PTR files_done;              // 22 pattern downloads: files written (out)
    LONG_PTR reserved23;              // 23
    DWORD_PTR timeout;                // 24 GetInternetTimeoutInMilliSecond(); the module's time-out applies
    HWND notify_window;               // 25 receives the progress codes (null: the connect record's window)
    UINT_PTR notify_message;          // 26
    LONG_PTR reserved27;              // 27
    LONG_PTR reserved28;              // 28
};
static_assert(sizeof(InternetRequest) == 29 * sizeof(void*), "29 words");
static_assert(sizeof(ConnectMessageRecord) == 5 * sizeof(void*), "five words");

// InternetRequest::options
inline constexpr DWORD_PTR kRequestKeepPartial = 0x1;  // a cancelled download keeps what was written
inline constexpr DWORD_PTR kRequestAlways = 0x2;       // download even when the local file is the same
inline constexpr DWORD_PTR kRequestSizeReport = 0x4;   // the report file gets sizes, not a counter

// A node of the open-handle list (one movable block, locked while listed).
struct InternetHandleNode {
    InternetHandleNode* next;
    LONG reserved;
    HGLOBAL self;
    HINTERNET connection;  // the handle CloseInterNet is called with
    HINTERNET request;     // closed with it (may be null)
};
#ifndef _WIN64
static_assert(sizeof(InternetHandleNode) == 20, "five 32-bit words");
#endif

// The page reader's thread record, owned by the caller.
struct HttpTextThread {
    HANDLE thread;
    DWORD_PTR id;
    LONG_PTR state;            // 0 not started, 1 running, -1 finished
    HWND window;               // for the timer
    UINT_PTR timer_id;
    UINT_PTR interval;         // ms; 100 when 0 is given
    LONG_PTR last;             // passed through as the read's last argument
    LPCSTR url;
    LONG_PTR user;             // the consumer's user value
    PageConsumerFunction consumer;
    LONG_PTR result;           // a negative result of the read, or 100 once finished and handled
    LONG_PTR started;
    LONG_PTR finished;
};
static_assert(sizeof(HttpTextThread) == 13 * sizeof(void*), "thirteen words");

// The news record that GetUpdateNews and GetUpdateBaseUrl fill.
struct NewsRecord {
    LONG number;           // the number in brackets after "baseurl:" (0 without)
    char reserved[40];
    char text[520];        // the rest of the "baseurl:" line, from the 45th byte
};
static_assert(offsetof(NewsRecord, text) == 44, "text from the 45th byte");

extern "C" {
// ---- Settings and module state
DWORD WINAPI SetInternetTimeoutInMilliSecond(DWORD milliseconds);
DWORD WINAPI GetInternetTimeoutInMilliSecond();
LONG WINAPI StopSearchingNetFile(LONG flag);
LONG WINAPI IsFoundFileWithSameSize();
LONG WINAPI SendInternetDownloadActiveMessage();
LONG WINAPI SendInternetDownloadInactiveMessage();
ProgressTextFunction WINAPI SetGetCopiedFile(ProgressTextFunction function);
LPCSTR WINAPI SetBaseUrlForMySite(LPCSTR url);
LPCSTR WINAPI GetBaseUrlForMySite();
LONG WINAPI SetOnceNewsMessage(LONG serial);
LONG WINAPI GetOnceNewsMessage();
LPCSTR WINAPI SetManifestFileName(LPCSTR name);
LPCSTR WINAPI GetManifestFileName();
DWORD WINAPI GetErrorCodeForFtpCopyFile();
LONG WINAPI CloseInterNet(HINTERNET connection);
BOOL WINAPI IsInternetErrorFound(LONG code);
BOOL WINAPI IsInternetErrorOnlineFound(LONG code);
BOOL WINAPI IsInternetAccessFatalError(LONG code);
LONG WINAPI GetFileToBeDownloadedFromInternet(LONG code);
ConnectMessageRecord* WINAPI SetIntenetConnectMessage(ConnectMessageRecord* record, HWND window, UINT_PTR message,
                                                      LONG_PTR reserved, LONG_PTR user, DWORD* errorOut);

// ---- Probes
LONG WINAPI CheckInternetConnect(LONG probeSite);
LONG WINAPI SoketInitAndGetData();
LONG WINAPI GetUserData(LPSTR buffer, LONG size);
LONG WINAPI GetPCName(LPSTR buffer, LONG size);
LONG WINAPI GetIPAddress(LPSTR buffer, LONG size);

// ---- Site probes and page reading
LONG WINAPI IsInternetHttpActive(LPCSTR url, HWND window, UINT_PTR message, HWND c1, UINT_PTR c2, LONG_PTR c3,
                                 LONG_PTR c4, DWORD* c5);
LONG WINAPI IsInternetFtpActive(LPCSTR url, HWND window, UINT_PTR message, HWND c1, UINT_PTR c2, LONG_PTR c3,
                                LONG_PTR c4, DWORD* c5);
LONG WINAPI IsHttpSiteInternetActive(LPCSTR url, PageConsumerFunction consumer, LONG readBody, HWND c1, UINT_PTR c2,
                                     LONG_PTR c3, LONG_PTR c4, DWORD* c5, LONG_PTR last);
LONG WINAPI IsFtpSiteInternetActive(LPCSTR url, HWND c1, UINT_PTR c2, LONG_PTR c3, LONG_PTR c4, DWORD* c5,
                                    LONG_PTR last);
LONG WINAPI ReadFileByHttp(LPCSTR url, PageConsumerFunction consumer, HWND c1, UINT_PTR c2, LONG_PTR c3, LONG_PTR c4,
                           DWORD* c5, LONG_PTR last);
LONG WINAPI CheckInternetHttpConnection(LONG flags, UINT titleId, LPCSTR titleArgument, LPCSTR url, LPCSTR name,
                                        LONG messageFlags, HWND c1, UINT_PTR c2, LONG_PTR c3, LONG_PTR c4,
                                        DWORD* c5, LONG_PTR last);
LONG WINAPI CheckInternetFtpConnection(LONG flags, UINT titleId, LPCSTR titleArgument, LPCSTR url, LPCSTR name,
                                       LONG messageFlags, HWND c1, UINT_PTR c2, LONG_PTR c3, LONG_PTR c4,
                                       DWORD* c5, LONG_PTR last);
LONG WINAPI ShowMessageForInternetConnection(UINT messageId, UINT titleId, LPCSTR titleArgument, LPCSTR name,
                                             LONG flags);

// ---- Transfers
LONG WINAPI DownLoadInterNetfile(InternetRequest* request, HWND c1, UINT_PTR c2, LONG_PTR c3, LONG_PTR c4,
                                 DWORD* c5);
LONG WINAPI DownLoadAllInterNetfileByGetWin32FindData(InternetRequest* request, HWND c1, UINT_PTR c2, LONG_PTR c3,
                                                      LONG_PTR c4, DWORD* c5);
// Copies `source` (an ftp:// URL) to `target` (an ftp:// URL of the same
// site kind); progress codes go to window/message.
LONG WINAPI FtpCopyFile(LPCSTR source, LPCSTR target, HWND window, UINT_PTR message);

// ---- Elapsed-time display and progress texts
LONG WINAPI CreateConnectingInternetElapsedTimer(HWND window);
LONG WINAPI KillConnectingInternetElapsedTimer(HWND window);
LONG WINAPI ShowConnectingInternetElapsedTimeOnTimer(HWND window, UINT_PTR timerId, int itemId);
LONG WINAPI SetConnectingInternetElapsedTime(LONG seconds);
LONG WINAPI SetCancelledConnectingInternetElapsedTimer(LONG flag);
LONG WINAPI RespondToWM_RECEIVE_INTERNET_CONNECT_MESSAGE(HWND dialog, UINT message, WPARAM code, LPARAM lParam,
                                                         int statusItem, int cancelItem);
LPSTR WINAPI OnReceiveInternetConnectMessage(HWND dialog, UINT message, WPARAM code, LPARAM lParam);
LPSTR WINAPI OnReceiveIDownLoadInterNetfileMessage(HWND dialog, UINT message, WPARAM code, LPARAM lParam);

// ---- Page reader thread
HANDLE WINAPI GetTextInHttpSiteInThread(HWND window, UINT_PTR timerId, UINT_PTR interval, LONG_PTR last,
                                        HttpTextThread* thread);
LONG WINAPI CloseThreadGetTextInHttpSiteInThreadOnTimer(HttpTextThread* thread, UINT_PTR timerId);
LONG WINAPI TerminateThreadGetTextInHttpSiteInThreadOnClose(HttpTextThread* thread);

// ---- News and site addresses
LONG WINAPI GetUpdateNews(NewsRecord* news, LPCSTR text, LPCSTR currentVersion);
LONG WINAPI GetUpdateBaseUrl(NewsRecord* news, LPCSTR text, LPCSTR currentVersion);
LPCSTR WINAPI GetTitleForNews();
LONG WINAPI ReplaceWildCardByBaseUrlForMyFerroSite();
#define FERRO_SITE_ADDRESS_GETTERS(X)                                                                     \
    X(GetUrlForFerroFtpSite) X(GetUrlForFerroWildCardInFtpSite) X(GetUrlForFerroHttpSite)                 \
    X(GetUrlForFerroFileInHttpSite) X(GetUrlForFerroHttpFileSizeChecked) X(GetUrlForFerroCheckUpdateNews) \
    X(GetUrlForW32TeX) X(GetUrlForpLaTeX) X(GetUrlForTeXErrorList) X(GetUrlForCheckW32TeXServer)          \
    X(GetUrlForCheckW32TeXFileAndCaptionW32TeXSite) X(GetUrlForCheckW32TeXFileAndCaptionMyFile)           \
    X(GetUrlForGhostScript) X(GetUrlForDviout) X(GetUrlForSumatraPDF)
#define FERRO_DECLARE_SITE_GETTER(name) LPCSTR WINAPI name(int skip);
FERRO_SITE_ADDRESS_GETTERS(FERRO_DECLARE_SITE_GETTER)
#undef FERRO_DECLARE_SITE_GETTER
}
