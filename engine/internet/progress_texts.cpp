// The texts of the progress codes for connection and download dialogs, and
// the one-second timer that shows how long a connection attempt has taken.
#include <cstdio>
#include <cstring>
#include "ferromes.h"
#include "frame/error_internal.h"
#include "frame/error_texts.h"
#include "internet/internet_internal.h"

namespace {
using namespace ferro::internet;

constexpr UINT_PTR kElapsedTimer = 6133;
constexpr UINT kElapsedPeriodMs = 1000;
constexpr char kElapsedFormat[] = "%d\x95\x62\x8co\x89\xdf";  // %d秒経過
constexpr char kTitleMark[] = " (";

// The message of each code for the connect handler and the download handler
// (0: no text).
struct CodeTexts {
    WPARAM code;
    UINT connect;
    UINT download;
};
constexpr CodeTexts kCodeTexts[] = {
    {kCheckFailed, 0, 8335},    {kPreparing, 8325, 8325},     {kConnecting, 8326, 8326},
    {kSiteConnected, 8327, 0},  {kSending, 8328, 0},          {kSent, 8329, 0},
    {kProbeEnd, 8336, 0},       {kEnd, 0, 8336},              {kFtpLookup, 8328, 8331},
    {kNextFile, 0, 8332},       {kFtpFound, 8329, 8333},      {kComplete, 0, 8337},
    {kCancelledCode, 8338, 8338}, {kStart, 8372, 8372},       {kReadFailed, 0, 8343},
    {kReading, 0, 8341},        {kReadDone, 0, 8342},         {kRetrying, 8344, 8344},
    {kRetryEnded, 8345, 8345},  {kPageWithoutItem, 8350, 0},  {kSendFailed, 8330, 0},
    {kOpenFailed, 8330, 8330},  {kConnectFailed, 8330, 8330}, {kRequestFailed, 8330, 0},
};

UINT_PTR g_elapsed_timer;
LONG g_elapsed_seconds = 1;
LONG g_elapsed_cancelled;
char g_text[ferro::errors::kMessageSize];

UINT text_for(WPARAM code, bool download) {
    for (const CodeTexts& row : kCodeTexts)
        if (row.code == code) return download ? row.download : row.connect;
    return 0;
}

// The window's title without what the timer appended (from the first " (").
void restore_title(HWND window) {
    char title[ferro::errors::kPathSize];
    if (!window || !GetWindowTextA(window, title, sizeof title)) return;
    if (char* mark = std::strstr(title, kTitleMark)) {
        *mark = '\0';
        SetWindowTextA(window, title);
    }
}

void show_in_item(HWND dialog, int item, const char* text) {
    if (dialog && item) SetDlgItemTextA(dialog, item, text);
}
}  // namespace

LONG WINAPI CreateConnectingInternetElapsedTimer(HWND window) {
    KillConnectingInternetElapsedTimer(window);
    if (!window || !SetTimer(window, kElapsedTimer, kElapsedPeriodMs, nullptr)) return 0;
    g_elapsed_timer = kElapsedTimer;
    return 1;
}

LONG WINAPI KillConnectingInternetElapsedTimer(HWND window) {
    const BOOL killed = g_elapsed_timer && window ? KillTimer(window, kElapsedTimer) : FALSE;
    g_elapsed_timer = 0;
    g_elapsed_seconds = 1;
    return killed ? 1 : 0;
}

LONG WINAPI ShowConnectingInternetElapsedTimeOnTimer(HWND window, UINT_PTR timerId, int itemId) {
    if (timerId != kElapsedTimer || itemId == 0 || !window) return 0;
    char text[64];
    std::snprintf(text, sizeof text, kElapsedFormat, static_cast<int>(g_elapsed_seconds++));
    if (itemId != -1) {
        SetDlgItemTextA(window, itemId, text);
        return 1;
    }
    char title[ferro::errors::kPathSize];
    if (!GetWindowTextA(window, title, sizeof title)) title[0] = '\0';
    if (char* mark = std::strstr(title, kTitleMark)) *mark = '\0';
    ferro::errors::Composer out = ferro::errors::Composer::continuing(title, sizeof title);
    out.add(kTitleMark).add(text).add(")");
    SetWindowTextA(window, title);
    return 1;
}

LONG WINAPI SetConnectingInternetElapsedTime(LONG seconds) { return g_elapsed_seconds = seconds; }
LONG WINAPI SetCancelledConnectingInternetElapsedTimer(LONG flag) { return g_elapsed_cancelled = flag; }

LPSTR WINAPI OnReceiveInternetConnectMessage(HWND dialog, UINT, WPARAM code, LPARAM lParam) {
    if (code == kConnecting) CreateConnectingInternetElapsedTimer(dialog);
    if (code == kProbeEnd) KillConnectingInternetElapsedTimer(dialog);
    const UINT id = text_for(code, false);
    if (!id) return nullptr;
    MyLoadString(id, 0);
    if (code != kPageWithoutItem) return GetLoadStrMessage();
    ferro::errors::Composer out(g_text, sizeof g_text);
    ferro::errors::add_formatted(out, GetLoadStrMessage(), reinterpret_cast<const char*>(lParam));
    return g_text;
}

LPSTR WINAPI OnReceiveIDownLoadInterNetfileMessage(HWND, UINT, WPARAM code, LPARAM lParam) {
    const UINT id = text_for(code, true);
    if (!id) return nullptr;
    MyLoadString(id, 0);
    if (lParam == 0 || code == kPreparing || code == kConnecting || code == kFtpFound) return GetLoadStrMessage();
    ferro::errors::Composer out(g_text, sizeof g_text);
    out.add(GetLoadStrMessage());
    const char* system = xDosErrors(nullptr, static_cast<DWORD>(lParam));
    out.add("(").add(system ? system : "").add(")");
    return g_text;
}

LONG WINAPI RespondToWM_RECEIVE_INTERNET_CONNECT_MESSAGE(HWND dialog, UINT message, WPARAM code, LPARAM lParam,
                                                         int statusItem, int cancelItem) {
    const char* text = OnReceiveInternetConnectMessage(dialog, message, code, lParam);
    if (!text) return 0;
    switch (code) {
    case kRetryEnded:
        if (g_elapsed_cancelled) {
            g_elapsed_cancelled = 0;
            show_in_item(dialog, statusItem, text);
            return 1;
        }
        restore_title(dialog);
        KillConnectingInternetElapsedTimer(dialog);
        show_in_item(dialog, statusItem, text);
        return 0;
    case kCancelledCode:
        KillConnectingInternetElapsedTimer(dialog);
        g_elapsed_cancelled = 1;
        show_in_item(dialog, cancelItem, text);
        restore_title(dialog);
        return 1;
    default:
        // code 7 restarted the timer inside the text handler
        show_in_item(dialog, statusItem, text);
        return 0;
    }
}
