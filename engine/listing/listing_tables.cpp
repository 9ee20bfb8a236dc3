// The column tables of the folder and file listings: what the host hands
// over, the columns the store keeps itself, counts, limits and the indexed
// accessors.
#include <windows.h>
#include <algorithm>
#include <cstring>
#include <exception>

#include "listing/listing_internal.h"
#include "listing/listing_store.h"

namespace ferro::listing {
namespace {
constexpr LONG kMinFiles = 30000;
constexpr LONG kMinDirs = 10000;
// The most files one listing keeps: its own columns then take 128 MiB.
constexpr LONG kMostFiles = (1 << 22) - 1;

FolderTable g_folders;
FileTable g_files;
LONG g_max_files = kMinFiles;
LONG g_max_dirs = kMinDirs;

constexpr size_t kFirstRows = 1024;

// Resizes every own file column to n rows; false (all columns as they were)
// when the memory cannot be had.
bool resize_file_columns(size_t n) {
    const size_t old = g_files.attributes.size();
    try {
        g_files.attributes.resize(n);
        g_files.times.resize(n);
        g_files.dates.resize(n);
        g_files.sizes.resize(n);
        g_files.ext_types.resize(n);
        return true;
    } catch (const std::exception&) {  // bad_alloc, length_error
        g_files.attributes.resize(old);
        g_files.times.resize(old);
        g_files.dates.resize(old);
        g_files.sizes.resize(old);
        g_files.ext_types.resize(old);
        return false;
    }
}

// A row of the columns exists only in its getters' range until it is written.
bool in_file_columns(LONG index) { return index >= 0 && static_cast<size_t>(index) < g_files.attributes.size(); }
bool within_maximum(LONG index) { return index >= 0 && index <= g_max_files; }

ULONGLONG join(DWORD low, DWORD high) { return (static_cast<ULONGLONG>(high) << 32) | low; }
}  // namespace

FolderTable& folders() { return g_folders; }
FileTable& files() { return g_files; }

// The store's own columns grow as entries arrive, by doubling, never past
// maximum + 1 rows: a large maximum costs nothing until a listing fills it.
bool reserve_file_rows(LONGLONG rows) {
    if (rows < 0 || rows > g_max_files + 1LL) return false;
    const size_t n = static_cast<size_t>(rows);
    const size_t have = g_files.attributes.size();
    if (have >= n) return true;
    const size_t limit = static_cast<size_t>(g_max_files) + 1;
    const size_t grown = std::min(limit, std::max(kFirstRows, have * 2));
    return resize_file_columns(std::max(n, grown)) || resize_file_columns(n);
}
LONG max_files() { return g_max_files; }
LONG max_dirs() { return g_max_dirs; }

bool store_name(const NameColumn& column, LONG index, const char* text) {
    HGLOBAL& handle = column.handles[index];
    LPSTR& pointer = column.pointers[index];
    const SIZE_T needed = std::strlen(text) + 1;
    if (handle && pointer && GlobalSize(handle) >= needed) {
        std::memcpy(pointer, text, needed);
        return true;
    }
    // Blocks grow in steps of 16 bytes, so a rename by a few bytes reuses them.
    const SIZE_T size = (needed + 15) & ~SIZE_T(15);
    if (handle && pointer) GlobalUnlock(handle);
    pointer = nullptr;
    HGLOBAL fresh = handle ? GlobalReAlloc(handle, size, GMEM_MOVEABLE | GMEM_ZEROINIT)
                           : GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (fresh) handle = fresh;
    if (handle) pointer = static_cast<LPSTR>(GlobalLock(handle));
    if (!fresh || !pointer) return false;
    std::memcpy(pointer, text, needed);
    return true;
}

void free_names(const NameColumn& column, LONG from, LONG to) {
    if (!column.ready()) return;
    for (LONG i = from < 0 ? 0 : from; i < to; ++i) {
        if (!column.handles[i]) continue;
        if (column.pointers[i]) GlobalUnlock(column.handles[i]);
        GlobalFree(column.handles[i]);
        column.handles[i] = nullptr;
        column.pointers[i] = nullptr;
    }
}
}  // namespace ferro::listing

using namespace ferro::listing;

namespace {
bool writable(LONG i) { return within_maximum(i) && reserve_file_rows(LONGLONG(i) + 1); }
}  // namespace

// ---- Folder table columns

LONG WINAPI SetDirHandle(HGLOBAL* longHandles, LPSTR* longNames, HGLOBAL* shortHandles, LPSTR* shortNames) {
    g_folders.long_names = {longHandles, longNames};
    g_folders.short_names = {shortHandles, shortNames};
    g_folders.count = 0;
    g_folders.used = 0;
    return 1;
}
LONG WINAPI SetDirAttribute(DWORD* attributes) { g_folders.attributes = attributes; return 1; }
LONG WINAPI SetDirTime(ULONGLONG* times) { g_folders.times = times; return 1; }
LONG WINAPI SetDirDate(ULONGLONG* dates) { g_folders.dates = dates; return 1; }
LONG WINAPI SetDirSize(ULONGLONG* sizes) { g_folders.sizes = sizes; return 1; }

DWORD WINAPI GetDirAttribute(LONG index) {
    if (index < 0 || index >= g_folders.count || !g_folders.attributes) return 0;
    return g_folders.attributes[index];
}

LONG WINAPI SetFileHandle(HGLOBAL* longHandles, LPSTR* longNames, HGLOBAL* shortHandles, LPSTR* shortNames) {
    g_files.long_names = {longHandles, longNames};
    g_files.short_names = {shortHandles, shortNames};
    g_files.count = 0;
    g_files.used = 0;
    return 1;
}

// ---- File table columns

// Getters of a row never written answer 0; setters grow the columns (0 when
// the row is past the maximum or its memory cannot be had).
DWORD WINAPI GetFileAttribute(LONG i) { return in_file_columns(i) ? g_files.attributes[i] : 0; }
DWORD WINAPI SetFileAttribute(DWORD value, LONG i) { return writable(i) ? g_files.attributes[i] = value : 0; }
ULONGLONG WINAPI GetFtime(LONG i) { return in_file_columns(i) ? g_files.times[i] : 0; }
ULONGLONG WINAPI SetFtime(DWORD low, DWORD high, LONG i) { return writable(i) ? g_files.times[i] = join(low, high) : 0; }
ULONGLONG WINAPI GetFdate(LONG i) { return in_file_columns(i) ? g_files.dates[i] : 0; }
ULONGLONG WINAPI SetFdate(DWORD low, DWORD high, LONG i) { return writable(i) ? g_files.dates[i] = join(low, high) : 0; }
ULONGLONG WINAPI GetFsize(LONG i) { return in_file_columns(i) ? g_files.sizes[i] : 0; }
ULONGLONG WINAPI SetFsize(DWORD low, DWORD high, LONG i) { return writable(i) ? g_files.sizes[i] = join(low, high) : 0; }
LONG WINAPI GetExtType(LONG i) { return in_file_columns(i) ? g_files.ext_types[i] : 0; }
LONG WINAPI SetExtType(LONG value, LONG i) { return writable(i) ? g_files.ext_types[i] = value : 0; }
LONG WINAPI ClearExtType() {
    std::memset(g_files.ext_types.data(), 0, g_files.ext_types.size() * sizeof(LONG));
    return 1;
}

// ---- Counts and limits

LONG WINAPI GetTotalNumberOfFile() { return g_files.count; }
LONG WINAPI GetTotalNumberOfDirectory() { return g_folders.count; }

// Only the limit is stored (the columns grow with the listing), at most the
// number of files the store can serve; the caller reads the value it got.
LONG WINAPI SetMaxFileNumber(LONG value) { return g_max_files = std::clamp(value, kMinFiles, kMostFiles); }
LONG WINAPI GetMaxFileNumber() { return g_max_files; }
LONG WINAPI SetMaxDirNumber(LONG value) { return g_max_dirs = value <= kMinDirs ? kMinDirs : value; }
LONG WINAPI GetMaxDirNumber() { return g_max_dirs; }

ULONGLONG WINAPI UNITFSIZE(DWORD low, DWORD high, DWORD unit) {
    const ULONGLONG size = join(low, high);
    if (unit == 0) return size;
    const ULONGLONG rest = size % unit;
    return rest ? size + (unit - rest) : size;
}

// ---- Display names

LPCSTR WINAPI GetUPPERDIR() { return "[..]"; }
LPCSTR WINAPI GetROOTDIR() { return "[\xd9\xb0\xc4]"; }
LPCSTR WINAPI GetALERTDIR() { return "[\x95\x73\x90\xb3]"; }
LPSTR WINAPI MakeSelfDirectory(LPSTR buffer) {
    if (buffer) lstrcpyA(buffer, ".");
    return buffer;
}
LPSTR WINAPI MakeUpperDirectory(LPSTR buffer) {
    if (buffer) lstrcpyA(buffer, "..");
    return buffer;
}

// ---- Entries by index

LPSTR WINAPI GetRawDirectory(LPSTR out, LONG index, LONG which) {
    if (!out) return nullptr;
    out[0] = '\0';
    if (index < 0 || index >= g_folders.count || !g_folders.long_names.ready()) return nullptr;
    LPCSTR name = g_folders.long_names.pointers[index];
    if ((which & 4) && g_folders.short_names.ready()) {
        LPCSTR short_name = g_folders.short_names.pointers[index];
        if (short_name && short_name[0]) name = short_name;
    }
    if (!name) return nullptr;
    lstrcpynA(out, name, MAX_PATH + 260);
    return out;
}

LONG WINAPI MoveFileData(LONG shift) {
    FileTable& t = files();
    if (shift <= 0 || t.count <= 0) return 0;
    if (t.count + shift > g_max_files + 1LL || !reserve_file_rows(t.count + shift)) return 0;
    for (LONG from = t.count - 1; from >= 0; --from) {
        const LONG to = from + shift;
        if (t.long_names.ready() && t.long_names.pointers[from])
            if (!store_name(t.long_names, to, t.long_names.pointers[from])) return 0;
        if (t.short_names.ready() && t.short_names.pointers[from])
            if (!store_name(t.short_names, to, t.short_names.pointers[from])) return 0;
        t.attributes[to] = t.attributes[from];
        t.times[to] = t.times[from];
        t.dates[to] = t.dates[from];
        t.sizes[to] = t.sizes[from];
        t.ext_types[to] = t.ext_types[from];
    }
    if (t.used < t.count + shift) t.used = t.count + shift;
    return 1;
}
