// The host's own windows, the judgement of a drop target under the cursor,
// and the drop of the host's names onto another window.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <cstring>
#include "frame/message_box.h"
#include "frame/paths.h"
#include "frame/text_internal.h"
#include "ui/drop.h"

namespace {
constexpr int kOwnSlots = 100;  // filled from the front, always ended by a zero handle
constexpr UINT kNoDropMemory = 8019;  // "ﾌｧｲﾙのﾄﾞﾛｯﾌﾟ用のﾒﾓﾘ確保に失敗しました."
constexpr UINT kDropServer = 8020;    // "ﾌｧｲﾙﾄﾞﾛｯﾌﾟ用ｻｰﾊﾞ"

HWND g_own[kOwnSlots];
int g_own_count;
POINT g_cursor;        // screen point of the last IsDropAllowed
HWND g_target;
LONG g_allowed;

bool own(HWND window) {
    for (int i = 0; i < g_own_count; ++i)
        if (g_own[i] == window) return true;
    return false;
}

bool append_own(HWND window) {
    if (!window || g_own_count >= kOwnSlots - 1) return false;
    g_own[g_own_count++] = window;
    g_own[g_own_count] = nullptr;
    return true;
}

// The drop block: the shell's header (the list offset, the point, the
// non-client flag and the wide flag, which stays 0: the names are ANSI) and
// the list, each name with its NUL, ended by one more NUL.
HGLOBAL new_block(POINT point, bool non_client) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE, sizeof(DROPFILES) + 1);
    if (!block) return nullptr;
    auto* header = static_cast<DROPFILES*>(GlobalLock(block));
    if (!header) {
        GlobalFree(block);
        return nullptr;
    }
    header->pFiles = sizeof(DROPFILES);
    header->pt = point;
    header->fNC = non_client;
    header->fWide = FALSE;
    GlobalUnlock(block);
    return block;
}

// Writes the name over the list's closing NUL and closes it again.
bool append_name(HGLOBAL& block, const char* name) {
    const SIZE_T old_size = GlobalSize(block);
    const SIZE_T length = std::strlen(name);
    HGLOBAL grown = GlobalReAlloc(block, old_size + length + 1, GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE);
    if (!grown) return false;
    block = grown;
    auto* bytes = static_cast<char*>(GlobalLock(block));
    if (!bytes) return false;
    std::memcpy(bytes + old_size - 1, name, length + 1);
    bytes[old_size + length] = '\0';
    GlobalUnlock(block);
    return true;
}
// Windows carries a posted drop block into the receiving process itself.
// Wine passes the handle through as it is, so there a block for another
// process is written into that process's memory and its address posted
// (the shell reads a drop block through that address as fixed memory).
bool carried_across_processes() {
    static const bool carried = !GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version");
    return carried;
}

HGLOBAL deliverable(HWND target, HGLOBAL block) {
    DWORD process = 0;
    GetWindowThreadProcessId(target, &process);
    if (process == GetCurrentProcessId() || carried_across_processes()) return block;
    HANDLE other = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, process);
    if (!other) return block;
    const SIZE_T size = GlobalSize(block);
    void* remote = VirtualAllocEx(other, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    const void* local = GlobalLock(block);
    const bool copied = remote && local && WriteProcessMemory(other, remote, local, size, nullptr);
    GlobalUnlock(block);
    if (!copied && remote) VirtualFreeEx(other, remote, 0, MEM_RELEASE);
    CloseHandle(other);
    if (!copied) return block;
    GlobalFree(block);
    return static_cast<HGLOBAL>(remote);
}
}  // namespace

LONG WINAPI SetOurWindowHandles(const HWND* list) {
    LONG added = 0;
    for (; list && *list; ++list) {
        if (!append_own(*list)) break;
        ++added;
    }
    return added;
}

LONG WINAPI SetEachOurWindowHandles(HWND window) { return append_own(window) ? 1 : 0; }

LONG WINAPI IsDropAllowed() {
    g_allowed = 0;
    g_target = WindowFromPoint(g_cursor);
    GetCursorPos(&g_cursor);
    if (!g_target || !IsWindow(g_target)) return 0;
    for (;;) {
        if (own(g_target)) return g_allowed = 1;
        if (GetWindowLongA(g_target, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) return g_allowed = 2;
        HWND parent = GetParent(g_target);
        if (!IsWindow(parent)) return 0;
        g_target = parent;
    }
}

LONG WINAPI IsDropSetAllowed() { return g_allowed; }
HWND WINAPI GethWndDrop() { return g_target; }

LONG WINAPI DropFile(HWND owner, HGLOBAL* names, LPCSTR baseDir, LONG count) {
    const LRESULT hit = SendMessageA(g_target, WM_NCHITTEST, 0, MAKELPARAM(g_cursor.x, g_cursor.y));
    ScreenToClient(g_target, &g_cursor);
    HGLOBAL block = new_block(g_cursor, hit != HTCLIENT);
    if (!block) {
        myMessageBoxForLoadString(owner, kNoDropMemory, kDropServer, MB_ICONEXCLAMATION);
        return 0;
    }
    char full[ferro::text::kPathSize];
    char folder[ferro::text::kPathSize] = "";
    if (baseDir) lstrcpynA(folder, baseDir, sizeof folder);
    for (LONG i = 0; names && i < count; ++i) {
        if (!names[i]) continue;
        const char* name = static_cast<const char*>(GlobalLock(names[i]));
        if (!name) continue;
        const char* path = name;
        if (!FindYenMark(name) && _myGetFullPathName(full, folder, name) > 0) path = full;
        const bool appended = append_name(block, path);
        GlobalUnlock(names[i]);
        GlobalFree(names[i]);
        names[i] = nullptr;
        if (!appended) {
            myMessageBoxForLoadString(owner, kNoDropMemory, kDropServer, MB_ICONEXCLAMATION);
            GlobalFree(block);
            return 1;
        }
    }
    // The receiver owns the block once the message is posted.
    HGLOBAL posted = deliverable(g_target, block);
    if (!PostMessageA(g_target, WM_DROPFILES, reinterpret_cast<WPARAM>(posted), 0) && posted == block)
        GlobalFree(block);
    return 1;
}
