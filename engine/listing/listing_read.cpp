// Reading a folder into the folder table and the file table. Every field of
// an entry comes from its find record; nothing is opened per entry. The loop
// pumps at most every 10 ms, so a stop request is seen while it reads.
#include <windows.h>
#include <cstring>
#include <memory>

#include "frame/error_boxes.h"
#include "frame/folder_signs.h"
#include "frame/mbcs.h"
#include "frame/message_pump.h"
#include "frame/paths.h"
#include "frame/pump.h"
#include "frame/text.h"
#include "fs/dos_find.h"
#include "fs/drives.h"
#include "frame/error_state.h"
#include "fs/network_bridge.h"
#include "fs/path_spelling.h"
#include "listing/listing_internal.h"
#include "listing/listing_store.h"

namespace ferro::listing {
void free_search_paths();
}

using namespace ferro::listing;

namespace {
constexpr int kFindEnd = 1;
constexpr int kFindNothing = 2;
constexpr int kFindContinue = -111111;
constexpr LONG kFolderMessage = 5;
constexpr LONG kFileMessage = 4;
constexpr size_t kPathSize = 520;

LONG g_self = 0;           // the self-entry value
LONG g_upper = 0;          // the upper-folder state
LONG g_root = 0;           // the folder read is a root
bool g_own_self = false;   // the table holds the self entry the store made
LONG g_self_entries = 0;   // "." entries in the table
LONG g_self_from_system = -1;
LONG g_upper_from_system = -1;
LONG g_discarded = 0;
LONG g_dir_busy = 0;
LONG g_file_busy = 0;
LONG g_file_in_dir_done = 0;
LONG g_net_pseudo_root = 0;
LONG g_volume_walk = 0;
ULONGLONG g_total_file_size = 0;
char g_reading[256];            // the folder being read (for messages)
char g_long_path[kPathSize];    // the folder's long path
char g_short_path[kPathSize];   // and its short form

// Sets a busy flag for the life of a read.
struct Busy {
    LONG& flag;
    explicit Busy(LONG& f) : flag(f) { flag = 1; }
    ~Busy() { flag = 0; }
};

// The hourglass for the life of a read.
struct Hourglass {
    HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    ~Hourglass() { SetCursor(previous); }
};

// A copy of a search-path block, or empty.
bool copy_block(HGLOBAL block, char* out, size_t size) {
    out[0] = '\0';
    if (!block) return false;
    const char* p = static_cast<const char*>(GlobalLock(block));
    if (!p) return false;
    lstrcpynA(out, p, static_cast<int>(size));
    GlobalUnlock(block);
    return true;
}

// The folder part of a search path ("C:\a\*.*" -> "C:\a", "C:\*.*" -> "C:\").
void folder_of(const char* search, char* out) {
    lstrcpynA(out, search, kPathSize);
    char* yen = ferro::mbcs::find_last(out, '\\');
    if (!yen) return;
    if (yen == out + 2 && out[1] == ':') yen[1] = '\0';
    else if (yen == out) out[1] = '\0';
    else *yen = '\0';
}

// The path with its last component removed (a drive keeps its root yen mark).
void parent_of(const char* path, char* out) {
    lstrcpynA(out, path, kPathSize);
    char* yen = ferro::mbcs::find_last(out, '\\');
    if (!yen) return;
    if (yen <= out + 2 && out[1] == ':') yen[1] = '\0';
    else *yen = '\0';
}

bool is_network(const char* p) { return p[0] == '\\' && (p[1] == '\\' || p[1] == ':'); }
bool is_network_root(const char* p) { return p[0] == '\\' && p[1] == ':' && p[2] == '\\' && p[3] == '\0'; }

// The short name of a record: its own, or the long name re-formed.
const char* short_name_of(const WIN32_FIND_DATAA& r, char* buffer) {
    if (r.cAlternateFileName[0]) return r.cAlternateFileName;
    lstrcpynA(buffer, r.cFileName, MAX_PATH);
    GetReformed95PathNameForEmptyShortName(buffer, "", 0);
    return buffer;
}

ULONGLONG local_time(const WIN32_FIND_DATAA& r) { return GetOurFileTime(&r); }

// ---- The folder table

bool store_folder(const WIN32_FIND_DATAA& r, const char* long_name, const char* short_name, LONG& code) {
    FolderTable& t = folders();
    if (t.count >= max_dirs()) {
        code = kListingTableFull;
        return false;
    }
    const LONG i = t.count;
    if (!store_name(t.long_names, i, long_name) || !store_name(t.short_names, i, short_name)) {
        code = kListingStorageFailed;
        return false;
    }
    if (t.attributes) t.attributes[i] = r.dwFileAttributes;
    const ULONGLONG time = r.ftLastWriteTime.dwLowDateTime || r.ftLastWriteTime.dwHighDateTime ? local_time(r) : 0;
    if (t.times) t.times[i] = time;
    if (t.dates) t.dates[i] = time;
    if (t.sizes) t.sizes[i] = GetOurUlargeIntergerSize(&r);
    ++t.count;
    if (t.used < t.count) t.used = t.count;
    return true;
}

bool store_upper(const WIN32_FIND_DATAA& r, LONG& code) {
    char long_parent[kPathSize], short_parent[kPathSize];
    parent_of(g_long_path, long_parent);
    parent_of(g_short_path, short_parent);
    return store_folder(r, long_parent, short_parent, code);
}

// The checks made before every sub-folder and once after the last entry.
bool before_folder(LONG& code) {
    if (g_self == -1) g_self = 1001;
    if (!g_root && g_upper == -1) {
        WIN32_FIND_DATAA made = {};
        made.dwFileAttributes = FILE_ATTRIBUTE_DIRECTORY;
        g_upper = 1000;
        return store_upper(made, code);
    }
    return true;
}

LONG read_folders(HWND window, LONG flags, const char* search) {
    LONG code = 0;
    HANDLE find = nullptr;
    WIN32_FIND_DATAA r;
    LONG delivered = 0;
    int result = my_Dos_findfirst(&find, search, &r);
    if (result == kFindNothing) result = kFindEnd;
    for (; result == 0; result = my_Dos_findnext(&find, &r), ++delivered) {
        if (ferro::pump_throttled()) {
            code = kListingCancelled;
            break;
        }
        if (!(r.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        if (IsSelfDirSign(r.cFileName)) {
            if (g_self_from_system < 0) g_self_from_system = delivered;
            // Stored only when the table has no self entry of its own.
            if (g_self == -1 || g_self == 1001 || g_own_self) {
                g_self = 1;
                continue;
            }
            if (!store_folder(r, ".", ".", code)) break;
            ++g_self_entries;
            continue;
        }
        if (IsUpperDirSign(r.cFileName)) {
            if (g_upper_from_system < 0) g_upper_from_system = delivered;
            if (g_root || g_upper == 1000 || g_upper == 1) {
                g_upper = g_root ? g_upper : 1;
                continue;
            }
            g_upper = 1;
            if (!store_upper(r, code)) break;
            continue;
        }
        if (!before_folder(code)) break;
        char short_buffer[MAX_PATH];
        if (!store_folder(r, r.cFileName, short_name_of(r, short_buffer), code)) break;
    }
    if (code == 0 && result != kFindEnd && result != kFindContinue) code = result;
    Close_my_Dos_find(&find);
    if (code == 0) before_folder(code);
    (void)flags;
    (void)window;
    return code;
}

// ---- The file table

LONG read_files(const char* search, LONG offset, ULONGLONG& total) {
    FileTable& t = files();
    LONG code = 0;
    HANDLE find = nullptr;
    WIN32_FIND_DATAA r;
    const DWORD cluster = cluster_size();
    const char* pattern = GetFileFromPathWithYen(search);
    pattern = pattern ? pattern + 1 : search;
    int result = my_Dos_findfirst(&find, search, &r);
    if (result == kFindNothing) result = kFindEnd;
    for (; result == 0; result = my_Dos_findnext(&find, &r)) {
        if (ferro::pump_throttled()) {
            code = kListingCancelled;
            break;
        }
        if (r.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        if (is_excluded(r.cFileName)) continue;
        if (filter_on() && !IsFileMatchedByWildCard(r.cFileName, pattern)) continue;
        const LONG i = offset + t.count;
        if (i >= max_files()) {
            code = kListingTableFull;
            break;
        }
        char short_buffer[MAX_PATH];
        if (!reserve_file_rows(i + 1) || !store_name(t.long_names, i, r.cFileName) ||
            !store_name(t.short_names, i, short_name_of(r, short_buffer))) {
            code = kListingStorageFailed;
            break;
        }
        t.attributes[i] = r.dwFileAttributes;
        const ULONGLONG time = local_time(r);
        t.times[i] = time;
        t.dates[i] = time;
        const ULONGLONG size = GetOurUlargeIntergerSize(&r);
        t.sizes[i] = size;
        // Without a table of extension types, a name without an extension is type 5.
        const char* period = ferro::mbcs::find_last(r.cFileName, '.');
        t.ext_types[i] = (period && period != r.cFileName && period[1]) ? 0 : 5;
        total += UNITFSIZE(static_cast<DWORD>(size), static_cast<DWORD>(size >> 32), cluster);
        ++t.count;
    }
    if (code == 0 && result != kFindEnd && result != kFindContinue) code = result;
    Close_my_Dos_find(&find);
    return code;
}
}  // namespace

LONG WINAPI FindDirectory(HWND window, LONG flags) {
    if (g_dir_busy) return kListingNested;
    Busy busy(g_dir_busy);
    Hourglass hourglass;
    FolderTable& t = folders();
    const LONG previous_used = t.used;
    t.count = 0;
    g_self_entries = 0;
    g_upper = 0;
    g_root = 0;
    g_self = flags ? -1 : 0;
    g_self_from_system = g_upper_from_system = -1;

    char search[522 + 2];
    LONG code = 0;
    if (!t.long_names.ready() || !t.short_names.ready() || !copy_block(folder_search_path(), search, 522)) {
        code = kListingStorageFailed;
        g_reading[0] = '\0';
    }
    char folder[kPathSize] = "";
    if (code == 0) {
        folder_of(search, folder);
        g_net_pseudo_root = is_network_root(folder);
        lstrcpynA(g_reading, folder, sizeof g_reading);
        lstrcpyA(g_long_path, folder);
        lstrcpyA(g_short_path, folder);
        if (IsRootDir(folder) || IsNetRootDir(folder) || g_net_pseudo_root) {
            g_root = 1;
        } else {
            GetReformed95PathNameFromOS(g_short_path, 4, 0);
            g_upper = -1;
        }
        // The self entry.
        WIN32_FIND_DATAA self = {};
        if (!g_root && (is_network(folder) || myFindFileAProperty(folder, &self) != 0)) {
            std::memset(&self, 0, sizeof self);
            self.dwFileAttributes = FILE_ATTRIBUTE_DIRECTORY;
        } else if (g_root) {
            self.dwFileAttributes = FILE_ATTRIBUTE_DIRECTORY;
        } else {
            // The property read gives local times already; store them as they are.
            FILETIME utc;
            LocalFileTimeToFileTime(&self.ftLastWriteTime, &utc);
            self.ftLastWriteTime = utc;
        }
        g_own_self = false;
        if (!g_discarded || g_root) g_own_self = store_folder(self, ".", ".", code);
        g_self_entries = g_own_self ? 1 : 0;
    }
    if (code == 0) {
        FreeInDisk(folder);
        if (Get_errno()) code = is_network(folder) ? kListingNetDiskUnreadable : kListingDiskUnreadable;
    }
    if (code == 0) code = read_folders(window, flags, search);

    if (g_self == -1 || g_self == 0 || g_self == 1001) g_self = 1;
    if (g_upper == 1000) g_upper = 1;
    if (g_discarded && !g_root) g_self = 2;
    if (code == 0 && t.count == 0) code = kListingNoEntries;
    if (t.count < previous_used) {
        free_names(t.long_names, t.count, previous_used);
        free_names(t.short_names, t.count, previous_used);
    }
    t.used = t.count;
    if (code == 0) return t.count;
    const LONG answer = GetFileDirectryEntryErrorMes(window, g_reading, code, max_dirs(), kFolderMessage);
    return (code == kListingCancelled || answer >= 0) ? t.count : code;
}

LONG WINAPI FindFile(HWND window, LONG offset) {
    if (g_file_busy) return kListingNested;
    Busy busy(g_file_busy);
    Hourglass hourglass;
    FileTable& t = files();
    if (offset < 0) offset = 0;
    const LONG previous_used = t.used;
    t.count = 0;
    g_total_file_size = 0;

    std::unique_ptr<char[]> search(new (std::nothrow) char[65535]);
    char folder[kPathSize] = "";
    LONG code = 0;
    if (!search || !t.long_names.ready() || !t.short_names.ready() ||
        !copy_block(file_search_path(), search.get(), 65535)) {
        code = kListingStorageFailed;
    } else {
        folder_of(search.get(), folder);
        FreeInDisk(folder);
        if (Get_errno()) code = kListingDiskUnreadableBeforeFiles;
    }
    ULONGLONG total = 0;
    if (code == 0) code = read_files(search.get(), offset, total);
    g_total_file_size = total;
    const LONG count = offset + t.count;
    t.count = count;
    if (count < previous_used) {
        free_names(t.long_names, count, previous_used);
        free_names(t.short_names, count, previous_used);
    }
    t.used = count;
    if (code == 0) return count;
    const LONG answer = GetFileDirectryEntryErrorMes(window, folder, code, max_files(), kFileMessage);
    return (code == kListingCancelled || answer >= 0) ? count : code;
}

LONG WINAPI FindFileInVolume(LONG) {
    g_volume_walk = 0;
    return 0;
}

BOOL WINAPI DirHasSubdir(LPCSTR path) {
    if (!path || !path[0] || lstrlenA(path) > static_cast<int>(kPathSize) - 5) return FALSE;
    char pattern[kPathSize + 4], copy[kPathSize];
    lstrcpyA(copy, path);
    pattern[0] = '\0';
    _myGetFullPathName(pattern, copy, "*.*");
    if (!pattern[0]) return FALSE;
    HANDLE find = nullptr;
    WIN32_FIND_DATAA r;
    BOOL found = FALSE;
    for (int result = my_Dos_findfirst(&find, pattern, &r); result == 0; result = my_Dos_findnext(&find, &r)) {
        if (ferro::pump_throttled()) break;
        if ((r.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !IsSelfDirSign(r.cFileName) &&
            !IsUpperDirSign(r.cFileName)) {
            found = TRUE;
            break;
        }
    }
    Close_my_Dos_find(&find);
    return found;
}

BOOL WINAPI GetVolumeInformationWithNetwork(LPCSTR root, LPSTR name, DWORD nameSize, LPDWORD serial,
                                            LPDWORD maxLength, LPDWORD flags, LPSTR fileSystem,
                                            DWORD fileSystemSize) {
    if (!root || !root[0]) return FALSE;
    if (!is_network(root))
        return GetVolumeInformationA(root, name, nameSize, serial, maxLength, flags, fileSystem, fileSystemSize);
    char net_name[14] = "", net_system[51] = "";
    if (!ferro::fs::net::net_volume_information(root, net_name, net_system)) return FALSE;
    if (name && nameSize) lstrcpynA(name, net_name, static_cast<int>(nameSize));
    if (fileSystem && fileSystemSize) lstrcpynA(fileSystem, net_system, static_cast<int>(fileSystemSize));
    if (serial) *serial = 0;
    if (maxLength) *maxLength = 255;
    if (flags) *flags = 0;
    return TRUE;
}

LONG WINAPI FindEachVolumeName(LPCSTR root, LPSTR buffer, LONG size) {
    Set_errno(0);
    if (!buffer || size <= 0) return 0;
    buffer[0] = '\0';
    if (root && root[0] && lstrlenA(root) < static_cast<int>(kPathSize) - 1) {
        char path[kPathSize];
        lstrcpyA(path, root);
        AddLastYenmark(path);
        char name[MAX_PATH + 1] = "", file_system[MAX_PATH + 1] = "";
        if (GetVolumeInformationWithNetwork(path, name, sizeof name, nullptr, nullptr, nullptr, file_system,
                                            sizeof file_system)) {
            const int type = SetTypeOfFileSystem(path[0], file_system);
            if (name[0]) {
                lstrcpynA(buffer, name, size);
                return type;
            }
        }
    }
    lstrcpynA(buffer, GetNoVolName(), size);
    return 4;
}

// ---- State and flags

LONG WINAPI GetTotalNumberOfSubDirectory() {
    // The entries the table really holds: with the current folder discarded
    // the self-entry value is 2 while no self entry is stored.
    LONG n = folders().count - g_self_entries - (g_upper == 1 || g_upper == 1000 ? 1 : 0);
    return n < 0 ? 0 : n;
}
LONG WINAPI GetSelfDir() { return g_self; }
LONG WINAPI SetSelfDir(LONG value) { return g_self = value; }
LONG WINAPI DoesUpperDirExist() { return g_upper; }
LONG WINAPI DoesRootDirExist() { return g_root; }
LONG WINAPI GetSelfDirNumberFromSystem() { return g_self_from_system; }
LONG WINAPI GetUpperDirNumberFromSystem() { return g_upper_from_system; }
ULONGLONG WINAPI GetTotalFileSize() { return g_total_file_size; }
ULONGLONG WINAPI SetTotalFileSize(DWORD low, DWORD high) {
    return g_total_file_size = (static_cast<ULONGLONG>(high) << 32) | low;
}
LONG WINAPI SetCurrentDirDiscarded(LONG value) { return g_discarded = value; }
LONG WINAPI IsCurrentDirDiscarded() { return g_discarded; }
LONG WINAPI FindDirBeingPeformed() { return g_dir_busy; }
LONG WINAPI FindFileBeingPeformed() { return g_file_busy; }
LONG WINAPI SetFindFileBeingPeformed(LONG value) { return g_file_busy = value; }
LONG WINAPI IsFindFileInFindDIRDone() { return g_file_in_dir_done; }
LONG WINAPI SetFindFileInFindDIRDone(LONG value) { return g_file_in_dir_done = value; }

LONG WINAPI ClearDir() {
    HGLOBAL& block = folder_search_path();
    if (block) GlobalFree(block);
    block = nullptr;
    g_reading[0] = g_long_path[0] = g_short_path[0] = '\0';
    return 1;
}

LONG WINAPI ClearFile() {
    HGLOBAL& block = file_search_path();
    if (block) GlobalFree(block);
    block = nullptr;
    return 1;
}

namespace ferro::listing {
// The name blocks of both tables (the host frees them between operations).
void free_column_blocks() {
    FolderTable& d = folders();
    free_names(d.long_names, 0, d.used);
    free_names(d.short_names, 0, d.used);
    d.count = d.used = 0;
    FileTable& f = files();
    free_names(f.long_names, 0, f.used);
    free_names(f.short_names, 0, f.used);
    f.count = f.used = 0;
}
}  // namespace ferro::listing
