// Watching the folders of the two panes: five change notifications per pane
// (names, folders, attributes, size, last write), polled by the host with a
// short wait; the counter of changes the library made itself; and the timer
// that spaces out a pane's re-reads.
#include <windows.h>
#include <cstring>
#include <utility>
#include "frame/error_boxes.h"
#include "frame/error_internal.h"
#include "frame/error_state.h"
#include "frame/handles.h"
#include "frame/paths.h"
#include "frame/text_internal.h"
#include "fs/drives.h"
#include "fs/network.h"

using namespace ferro;

namespace {
constexpr int kPanes = 2;
constexpr int kFilters = 5;
constexpr DWORD kFilterBits[kFilters] = {FILE_NOTIFY_CHANGE_FILE_NAME, FILE_NOTIFY_CHANGE_DIR_NAME,
                                         FILE_NOTIFY_CHANGE_ATTRIBUTES, FILE_NOTIFY_CHANGE_SIZE,
                                         FILE_NOTIFY_CHANGE_LAST_WRITE};
constexpr LONG kWatch = 0x8;      // SetWatchDirectory: open the notifications
constexpr LONG kBothPanes = 0x10;  // EndWatchDirectory: both panes
constexpr DWORD kPollMilliseconds = 10;
constexpr UINT kCannotWatch = 8157;   // "ﾌｫﾙﾀﾞにｱｸｾｽできません。\n%c-ﾄﾞﾗｲﾌﾞでの..."
constexpr UINT kFolderErrorTitle = 8049;  // "警告: ﾌｫﾙﾀﾞ・ﾌｧｲﾙｴﾗｰ"

HANDLE g_watch[kPanes][kFilters];
char g_watched[kPanes][text::kPathSize];  // the folder of each pane's watch
LONG g_active;
LONG g_change_counter;
LONG g_force_disabled;
LONG g_item_notify_disabled;
char g_drives_told[27];  // letters already told that they cannot be watched
ULONGLONG g_timer_start[kPanes];

bool is_open(HANDLE h) { return h && h != INVALID_HANDLE_VALUE; }

// The pane index of a selector: 0 for bit 0x1, 1 for bit 0x2, -1 for none.
int pane_index(LONG pane) { return (pane & 0x1) ? 0 : (pane & 0x2) ? 1 : -1; }

void end_pane(int index) {
    for (HANDLE& h : g_watch[index]) {
        if (is_open(h)) FindCloseChangeNotification(h);
        h = nullptr;
    }
    g_watched[index][0] = '\0';
}

bool pane_open(int index) {
    for (HANDLE h : g_watch[index])
        if (is_open(h)) return true;
    return false;
}

// A watched folder that was deleted, or whose drive went away, sends nothing
// more: its watch ends, and the pane hears of it as a change of folders.
bool folder_gone(int index) {
    const DWORD attributes = GetFileAttributesA(g_watched[index]);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    end_pane(index);
    return true;
}

bool any_open() { return pane_open(0) || pane_open(1); }

// Tells once per drive letter that its folders cannot be watched.
void tell_cannot_watch(const char* path) {
    if (!text::is_drive_letter(path[0]) || path[1] != ':') return;
    const char letter = static_cast<char>(path[0] & ~0x20);
    if (std::strchr(g_drives_told, letter)) return;
    char root[4] = {letter, ':', '\\', '\0'};
    if (GetDriveTypeA(root) == DRIVE_CDROM || GetDriveTypeA(root) == DRIVE_REMOTE) return;
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
    g_drives_told[std::strlen(g_drives_told)] = letter;
    char volume[MAX_PATH + 1] = "";
    GetVolumeInformationA(root, volume, sizeof volume, nullptr, nullptr, nullptr, nullptr, 0);
    ferro::errors::LoadedTexts texts(kCannotWatch, kFolderErrorTitle);
    char text[ferro::errors::kMessageSize + MAX_PATH + 8];
    wsprintfA(text, texts.message, letter, volume);
    SetHelpDosErrorMessage(MB_ICONQUESTION, nullptr);
    DosErrorMessage(GethWndMain(), path, text, texts.title, 0);
}
}  // namespace

LONG WINAPI SetWatchDirectory(LPCSTR path, LONG pane) {
    const int index = pane_index(pane);
    if (index < 0) return 0;
    end_pane(index);
    g_active = any_open();
    if (text::is_empty(path) || IsDriveMyNetwork(path)) return 0;
    if (!(pane & kWatch)) return 1;
    if (!text::copy_bounded(g_watched[index], path, sizeof g_watched[index])) return 0;
    bool all = true;
    for (int f = 0; f < kFilters; ++f) {
        SetLastError(0);
        HANDLE h = FindFirstChangeNotificationA(path, FALSE, kFilterBits[f]);
        ferro::dos::record_last_error();
        if (is_open(h)) {
            g_watch[index][f] = h;
            g_active = 1;
        } else {
            all = false;
        }
    }
    if (all) return 1;
    tell_cannot_watch(path);
    return 0;
}

LONG WINAPI EndWatchDirectory(LONG pane) {
    if (pane & kBothPanes) {
        end_pane(0);
        end_pane(1);
    } else if (pane_index(pane) >= 0) {
        end_pane(pane_index(pane));
    }
    g_active = any_open();
    return 1;
}

LONG WINAPI CatchTheChangeNotification(LONG pane, LPLONG paneOut) {
    LONG result = -1;
    bool looked_at[kPanes] = {};
    for (int index = 0; index < kPanes && result < 0; ++index) {
        if ((pane == 0x1 && index != 0) || (pane == 0x2 && index != 1)) continue;
        looked_at[index] = true;
        HANDLE open[kFilters];
        int filter_of[kFilters];
        DWORD count = 0;
        for (int f = 0; f < kFilters; ++f)
            if (is_open(g_watch[index][f])) {
                filter_of[count] = f;
                open[count++] = g_watch[index][f];
            }
        if (!count) continue;
        const DWORD signalled = WaitForMultipleObjects(count, open, FALSE, kPollMilliseconds);
        if (signalled < WAIT_OBJECT_0 + count) {
            result = filter_of[signalled - WAIT_OBJECT_0];
            if (paneOut) *paneOut = index + 1;
        } else if (folder_gone(index)) {
            result = 1;
            if (paneOut) *paneOut = index + 1;
        }
    }
    // The watches of the panes looked at are armed again (a change of a pane
    // not looked at waits for the next call); one that cannot be armed (its
    // folder went away) is closed and forgotten.
    for (int index = 0; index < kPanes; ++index)
        for (HANDLE& h : g_watch[index])
            if (looked_at[index] && is_open(h) && WaitForSingleObject(h, 0) == WAIT_OBJECT_0 &&
                !FindNextChangeNotification(h)) {
                FindCloseChangeNotification(h);
                h = nullptr;
            }
    g_active = any_open();
    return result;
}

LONG WINAPI SwapSrcAndTgtDirectoryChangeNotification() {
    std::swap(g_watch[0], g_watch[1]);
    std::swap(g_watched[0], g_watched[1]);
    return 1;
}

LONG WINAPI DisableChangeNotify(LONG on) {
    if (g_change_counter < 0) --g_change_counter;
    else if (!on) g_change_counter = 0;
    else ++g_change_counter;
    return g_change_counter;
}

LONG WINAPI IsDisableChangeNotify() {
    if (g_change_counter > 0) return g_change_counter--;
    if (g_change_counter < -1) ++g_change_counter;
    return 0;
}

LONG WINAPI SetForceToDisableChangeNotify(LONG value) { return g_force_disabled = value; }
LONG WINAPI IsForceToDisableChangeNotify() { return g_force_disabled; }
LONG WINAPI IsNotificationActive() { return g_active; }
LONG WINAPI SetDisableItemNotify(LONG value) { return g_item_notify_disabled = value; }
LONG WINAPI IsDisableItemNotify() { return g_item_notify_disabled; }

LONG WINAPI CheckTimePassed(LONG counter, double seconds, LONG pane) {
    if (pane != 0 && pane != 1) return 0;
    if (counter <= 0) {
        g_timer_start[pane] = 0;
        return 0;
    }
    const ULONGLONG now = GetTickCount64();
    if (!g_timer_start[pane]) {
        g_timer_start[pane] = now ? now : 1;
        return 1;
    }
    return static_cast<double>(now - g_timer_start[pane]) >= seconds * 1000.0 ? 2 : 0;
}

namespace ferro::fs::net {
void end_all_watches() { EndWatchDirectory(kBothPanes); }
}  // namespace ferro::fs::net
