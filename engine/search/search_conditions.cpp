// The search conditions of the wildcard walk: name text, last-write time,
// size and attributes, and the test of one entry against them.
#include <cstring>
#include <string>
#include "fileops/delete.h"
#include "fileops/delete_internal.h"
#include "frame/memory_blocks.h"
#include "frame/text.h"
#include "fs/dos_find.h"
#include "search/search_conditions.h"
#include "search/search_internal.h"

namespace {
constexpr LONG kOff = -1;
constexpr DWORD kNormal = FILE_ATTRIBUTE_NORMAL;
constexpr std::size_t kPathSize = 520;

HGLOBAL g_name_block;
LPSTR g_name;  // locked while the block lives
LONG g_time_kind = kOff;
ULONGLONG g_from_time;
ULONGLONG g_to_time;
LONG g_size_kind = kOff;
ULONGLONG g_size_limit;
DWORD g_attribute_mask;
DWORD g_change_attributes;

ULONGLONG join(DWORD low, DWORD high) { return (static_cast<ULONGLONG>(high) << 32) | low; }
void split(ULONGLONG value, DWORD* out) {
    out[0] = static_cast<DWORD>(value);
    out[1] = static_cast<DWORD>(value >> 32);
}

void free_name() {
    FreeStringPointer(g_name_block, g_name);
    g_name_block = nullptr;
    g_name = nullptr;
}

bool time_matches(ULONGLONG time) {
    switch (g_time_kind) {
    case 0: return g_from_time <= time && time <= g_to_time;
    case 1: return time <= g_from_time;
    case 2: return time >= g_from_time;
    default: return true;
    }
}

bool size_matches(ULONGLONG size) {
    switch (g_size_kind) {
    case 0: return size >= g_size_limit;
    case 1: return size <= g_size_limit;
    default: return true;
    }
}

bool attributes_match(DWORD attributes) {
    if (!g_attribute_mask) return true;
    if ((attributes & ~kNormal) == 0) attributes |= kNormal;
    return (attributes & g_attribute_mask) == g_attribute_mask;
}

bool name_matches(const char* name) {
    if (!g_name || !*g_name) return true;
    const bool with_case = (ferro::fileops::walk_options() & kWildCaseSensitive) != 0;
    return (with_case ? j_lstrrstr(name, g_name) : j_lstristr(name, g_name)) != nullptr;
}
}  // namespace

namespace ferro::search {
DWORD change_attributes() { return g_change_attributes; }
}  // namespace ferro::search

LPCSTR WINAPI SetSearchedNameInFileName(LPCSTR text) {
    free_name();
    if (text && *text) {
        g_name = GetStringPointer(&g_name_block, nullptr, text);
        if (!g_name) g_name_block = nullptr;
    }
    return text;
}

LONG WINAPI SetTypeSearchedTimeInFileName(LONG kind) { return g_time_kind = kind; }
DWORD WINAPI SetFromSearchedTimeInFileName(DWORD low, DWORD high) {
    g_from_time = join(low, high);
    return low;
}
DWORD WINAPI SetToSearchedTimeInFileName(DWORD low, DWORD high) {
    g_to_time = join(low, high);
    return low;
}
LONG WINAPI SetTypeSearchedSizeInFileName(LONG kind) { return g_size_kind = kind; }
DWORD WINAPI SetSearchedSizeInFileName(DWORD low, DWORD high) {
    g_size_limit = join(low, high);
    return low;
}
DWORD WINAPI SetTypeSearchedAttrInFileName(DWORD mask) { return g_attribute_mask = mask; }
DWORD WINAPI SetChangeAttrInFileName(DWORD attributes) { return g_change_attributes = attributes; }

LONG WINAPI IsMatchedSearchConditions() {
    return g_attribute_mask || (g_name && *g_name) || g_time_kind != kOff || g_size_kind != kOff ? 1 : 0;
}

LONG WINAPI GetAllItemsForSearchedFile(DWORD* fromOut, DWORD* toOut, DWORD* sizeOut, DWORD* maskOut) {
    if (fromOut) split(g_from_time, fromOut);
    if (toOut) split(g_to_time, toOut);
    if (sizeOut) split(g_size_limit, sizeOut);
    if (maskOut) *maskOut = g_attribute_mask;
    return 1;
}

LONG WINAPI ReleaseSearchedNameInFileName() {
    free_name();
    g_attribute_mask = 0;
    g_from_time = g_to_time = 0;
    g_size_limit = 0;
    g_time_kind = g_size_kind = kOff;
    return -1;
}

LONG WINAPI MatchedSearchConditions(WIN32_FIND_DATAA record) {
    const ULONGLONG size = GetOurUlargeIntergerSize(&record);
    const ULONGLONG time = GetOurFileTime(&record);
    record.cFileName[MAX_PATH - 1] = '\0';
    std::string full = ferro::fileops::join_path(ferro::fileops::walk_folder(), record.cFileName);
    ferro::search::set_current_full_path(full.c_str());
    Save_lpDELPATH(full.c_str());

    const LONG found = SetSearchedFullPathFileFound(full.c_str());
    if (found != -2) return found == -1 ? -1 : 0;

    return name_matches(record.cFileName) && time_matches(time) && size_matches(size) &&
                   attributes_match(record.dwFileAttributes)
               ? 1
               : 0;
}
