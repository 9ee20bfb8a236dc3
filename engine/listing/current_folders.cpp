// The current folder of each pane in its long and short form, its drive
// letter and network flag, the pane swap and the folder kept for archive work.
#include <cstring>
#include <utility>
#include "frame/folder_signs.h"
#include "frame/mbcs.h"
#include "frame/memory_blocks.h"
#include "frame/memory_internal.h"
#include "frame/option_flags.h"
#include "frame/text.h"
#include "fs/dos_names.h"
#include "fs/path_spelling.h"
#include "listing/selection.h"

namespace {
constexpr std::size_t kPath = 520;

struct Pane {
    HGLOBAL long_handle;
    LPSTR long_pointer;
    HGLOBAL short_handle;
    LPSTR short_pointer;
    LONG drive;
    LONG network;
};

Pane g_pane[2];
HGLOBAL g_lah_dir;
LONG g_faked_cur_dir;
char g_empty[1];

int pane_of(LONG selector) {
    const LONG i = GetOrderedTypeSelected(selector);
    return i == 1 ? 1 : 0;
}

bool is_pane(LONG pane) { return pane == 0 || pane == 1; }

bool copy_bounded(char* out, const char* text) {
    const std::size_t n = std::strlen(text);
    if (n >= kPath) return false;
    std::memcpy(out, text, n + 1);
    return true;
}

// The re-spelling of `path` with the mode; the path as given when the file
// system cannot spell it.
void respelled(char* out, const char* path, int mode) {
    copy_bounded(out, path);
    char work[kPath];
    std::memcpy(work, out, kPath);
    if (GetReformed95PathNameFromOS(work, mode, 0)) copy_bounded(out, work);
}

bool is_network(const char* p) { return p[0] == '\\' || (p[0] && p[1] == '\\'); }

// The network flag of a folder: 0 for a local one.
LONG network_type_of(const char* p) {
    if (!is_network(p)) return 0;
    // A browsing-form network level ("\:\...") or a shared folder.
    return (p[0] == '\\' && p[1] == ':') ? 0x1 : 0x2;
}

// The first two folder levels of a network path ("\\server\share"), in `out`;
// false when the path has fewer.
bool share_of(const char* path, char* out) {
    const char* p = path;
    while (*p == '\\' || *p == ':') ++p;
    int levels = 0;
    const char* end = p;
    while (*end && levels < 2) {
        const char* yen = ferro::mbcs::find_first(end, '\\');
        ++levels;
        if (!yen) { end += std::strlen(end); break; }
        if (levels == 2) { end = yen; break; }
        end = yen + 1;
    }
    if (levels < 2 || end == p) return false;
    const std::size_t n = static_cast<std::size_t>(end - path);
    if (n >= kPath) return false;
    std::memcpy(out, path, n);
    out[n] = '\0';
    return !ferro::mbcs::ends_with(out, n, '\\');
}

LPSTR or_empty(LPSTR p) { return p ? p : g_empty; }
}  // namespace

LONG WINAPI AreWeInNetworkDrive(LONG pane) { return is_pane(pane) ? g_pane[pane].network : 0; }

LONG WINAPI SetAreWeInNetworkDrive(LONG pane, LONG value) {
    return is_pane(pane) ? g_pane[pane].network = value : 0;
}

LONG WINAPI SaveCurDirectoryWith95Format(HWND, LPCSTR path, LONG selector) {
    if (!path || !*path || std::strlen(path) >= kPath) return 0;
    Pane& pane = g_pane[pane_of(selector)];
    char form[kPath];
    respelled(form, path, 8);
    LPSTR p = GetStringPointer(&pane.long_handle, pane.long_pointer, form);
    if (!p) return 0;
    pane.long_pointer = p;
    SetFolderForRedirect(form);
    pane.network = network_type_of(path);
    respelled(form, path, 4);
    p = GetStringPointer(&pane.short_handle, pane.short_pointer, form);
    if (!p) return 0;
    pane.short_pointer = p;
    pane.drive = static_cast<unsigned char>(form[0]);
    return 1;
}

LPSTR WINAPI GetCurDirectory(LONG selector) {
    const Pane& pane = g_pane[pane_of(selector)];
    return or_empty((IsWhatCharacterSet() & 4) ? pane.short_pointer : pane.long_pointer);
}

LPSTR WINAPI GetCurDirectoryIntoBuffer(LPSTR out, LONG mode, LONG selector) {
    if (!out) return nullptr;
    *out = '\0';
    const Pane& pane = g_pane[pane_of(selector)];
    if (mode == 0) mode = IsWhatCharacterSet();
    if (mode & 4) {
        if (pane.short_pointer) copy_bounded(out, pane.short_pointer);
        ConvertDosCharacterSet(out, mode);
    } else if (pane.long_pointer) {
        copy_bounded(out, pane.long_pointer);
    }
    return out;
}

LPSTR WINAPI GetFullDirectoryName(LPSTR path) {
    if (!path || !*path) return path;
    const char* current = or_empty(g_pane[0].long_pointer);
    if (path[0] == '.') IsDirnameFromDirSign(nullptr, path, current);
    const bool absolute = (path[0] && path[1] == ':') || (path[0] == '\\' && path[1] == '\\');
    if (absolute || !*current) return path;
    char joined[kPath];
    int n;
    if (path[0] == '\\') {
        n = wsprintfA(joined, "%c:", current[0]);
        if (std::strlen(path) + n >= kPath) return path;
        std::strcpy(joined + n, path);
    } else {
        const std::size_t len = std::strlen(current);
        const bool root = ferro::mbcs::ends_with(current, len, '\\');
        if (len + std::strlen(path) + (root ? 0 : 1) >= kPath) return path;
        std::strcpy(joined, current);
        if (!root) std::strcat(joined, "\\");
        std::strcat(joined, path);
    }
    std::strcpy(path, joined);
    return path;
}

LONG WINAPI SaveSpecifiedLahDir(HWND window, LPCSTR path) {
    if (!path) return 0;
    HGLOBAL h = SaveToGlobalMemory(window, g_lah_dir, path);
    if (!h) return 0;
    g_lah_dir = h;
    return 1;
}

LONG WINAPI IsSpecifiedLahDir() {
    if (!g_lah_dir) return 0;
    const char* p = static_cast<const char*>(GlobalLock(g_lah_dir));
    const bool set = p && *p;
    if (p) GlobalUnlock(g_lah_dir);
    return set ? 1 : 0;
}

LPSTR WINAPI GetSpecifiedLahDir(LPSTR out) {
    if (!out) return nullptr;
    *out = '\0';
    if (!g_lah_dir) return out;
    const char* p = static_cast<const char*>(GlobalLock(g_lah_dir));
    if (p) {
        copy_bounded(out, p);
        GlobalUnlock(g_lah_dir);
    }
    return out;
}

LONG WINAPI SwapSrcAndTgtCurDirHandle() {
    std::swap(g_pane[0].long_handle, g_pane[1].long_handle);
    std::swap(g_pane[0].short_handle, g_pane[1].short_handle);
    return 1;
}

LONG WINAPI SwapSrcAndTgtCurDirPointer() {
    std::swap(g_pane[0].long_pointer, g_pane[1].long_pointer);
    std::swap(g_pane[0].short_pointer, g_pane[1].short_pointer);
    SetFolderForRedirect(g_pane[0].long_pointer);
    return 1;
}

LONG WINAPI SwapSrcAndTgtDrives() {
    std::swap(g_pane[0].drive, g_pane[1].drive);
    return 1;
}

LONG WINAPI SwapWeInNetworkDrive() {
    std::swap(g_pane[0].network, g_pane[1].network);
    return 1;
}

LONG WINAPI SetCopyDrives(LONG letter, LONG selector) { return g_pane[pane_of(selector)].drive = letter; }
LONG WINAPI GetCopyDrives(LONG selector) { return g_pane[pane_of(selector)].drive; }

LONG WINAPI AreSrcAndTgtDrivesIdentical() {
    const char* a = or_empty(g_pane[0].long_pointer);
    const char* b = or_empty(g_pane[1].long_pointer);
    if (is_network(a) && is_network(b)) {
        char share_a[kPath], share_b[kPath];
        if (!share_of(a, share_a) || !share_of(b, share_b)) return 0;
        return lstrcmpiA(share_a, share_b) == 0 ? 1 : 0;
    }
    const LONG x = g_pane[0].drive, y = g_pane[1].drive;
    if (!x || !y) return 0;
    const auto upper = [](LONG c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c; };
    return upper(x) == upper(y) ? 1 : 0;
}

LONG WINAPI DisableNetdrvRelatedOperation(LONG pane, LONG kind) {
    if (!is_pane(pane) || !g_pane[pane].network) return 0;
    const LONG bit = kind == 0 ? 0x400 : 0x40;
    return (g_pane[pane].network & bit) ? 0 : 1;
}

LONG WINAPI SetFakedCurDir(LONG value) { return g_faked_cur_dir = value; }
LONG WINAPI IsFakedCurDir() { return g_faked_cur_dir; }

void ferro::listing::free_current_folders() {
    for (Pane& pane : g_pane) {
        if (pane.long_handle) FreeStringPointer(pane.long_handle, pane.long_pointer);
        if (pane.short_handle) FreeStringPointer(pane.short_handle, pane.short_pointer);
        pane = Pane{};
    }
    if (g_lah_dir) ferro::free_block(g_lah_dir);
    g_lah_dir = nullptr;
}
