// Whether the network and the internet are there, and the notice shown the
// first time the user browses the network.
#include <windows.h>
#include <wininet.h>
#include "frame/handles.h"
#include "frame/owner_window.h"
#include "frame/paths.h"
#include "fs/network.h"
#include "fs/network_internal.h"

namespace {
using ferro::fs::net::settings;

constexpr LONG kNoticeOnce = 2;  // the notice is still to be shown
constexpr LONG kNoticeShown = -1;

INT_PTR CALLBACK notice_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_COMMAND && (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wparam));
        return TRUE;
    }
    return FALSE;
}
}  // namespace

LONG WINAPI IsNetworkThereInSystemMetric() { return GetSystemMetrics(SM_NETWORK) & 0x1; }

LONG WINAPI IsInternetAvailable() {
    if (!IsNetworkThereInSystemMetric()) return 0;
    DWORD flags = 0;
    if (!InternetGetConnectedState(&flags, 0)) return 0;
    return (flags & (INTERNET_CONNECTION_MODEM | INTERNET_CONNECTION_LAN | INTERNET_CONNECTION_PROXY)) ? 1 : 0;
}

LONG WINAPI IsNetworkThereInNetdrv() {
    if (settings().not_real_time) return settings().last_internet;
    return settings().last_internet = IsInternetAvailable();
}

LONG WINAPI ShowNoticeForNetworkWhenBrowsed(HWND window, LPCSTR path) {
    if (IsDriveMyNetwork(path) && settings().show_notice == kNoticeOnce) {
        settings().show_notice = kNoticeShown;
        DialogBoxParamA(GetDllInstance(), "OpenNetFolderMessage", GetValidWindowsHandle(window), notice_proc, 0);
    }
    return 1;
}
