// The search paths of the two tables, the excluded-file list and the
// wildcard filter.
#include <windows.h>
#include <cstring>
#include <string_view>

#include "frame/mbcs.h"
#include "frame/paths.h"
#include "listing/listing_internal.h"
#include "listing/listing_store.h"

namespace ferro::listing {
namespace {
HGLOBAL g_folder_search_path;
HGLOBAL g_file_search_path;
HGLOBAL g_excluded;  // NUL-separated names ended by an empty name
bool g_filter_on;

unsigned char fold(unsigned char c) { return (c >= 'a' && c <= 'z') ? c - 32 : c; }

// Equal without case for single-byte letters; double-byte characters as they are.
bool equal_no_case(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const unsigned char x = a[i], y = b[i];
        if (ferro::mbcs::is_lead(x) && i + 1 < a.size()) {
            if (x != y || a[i + 1] != b[i + 1]) return false;
            ++i;
            continue;
        }
        if (fold(x) != fold(y)) return false;
    }
    return true;
}

// Splits at every period (a period is never a trail byte).
struct Parts {
    std::string_view text;
    size_t count() const {
        size_t n = 1;
        for (char c : text) n += c == '.';
        return n;
    }
    template <class F>
    void each(F f) const {
        size_t start = 0;
        for (size_t i = 0; i <= text.size(); ++i)
            if (i == text.size() || text[i] == '.') {
                f(text.substr(start, i - start));
                start = i + 1;
            }
    }
};

bool matches_exclusion(std::string_view name, std::string_view exclusion) {
    Parts n{name}, e{exclusion};
    if (n.count() != e.count()) return false;
    std::string_view name_parts[64];
    size_t k = 0;
    if (n.count() > 64) return false;
    n.each([&](std::string_view p) { name_parts[k++] = p; });
    bool all = true;
    k = 0;
    e.each([&](std::string_view p) {
        if (p != "*" && !equal_no_case(p, name_parts[k])) all = false;
        ++k;
    });
    return all;
}

// Stores the folder joined with the pattern in the block.
LONG save_search_path(HGLOBAL& block, LPCSTR folder, LPCSTR pattern) {
    if (!folder || !pattern) return 0;
    char joined[520], copy[520];
    if (lstrlenA(folder) >= 520) return 0;
    lstrcpyA(copy, folder);
    joined[0] = '\0';
    _myGetFullPathName(joined, copy, pattern);
    if (!joined[0]) return 0;
    const SIZE_T size = std::strlen(joined) + 1;
    HGLOBAL fresh = block ? GlobalReAlloc(block, size, GMEM_MOVEABLE) : GlobalAlloc(GMEM_MOVEABLE, size);
    if (!fresh) return 0;
    block = fresh;
    char* p = static_cast<char*>(GlobalLock(block));
    if (!p) return 0;
    std::memcpy(p, joined, size);
    GlobalUnlock(block);
    return 1;
}
}  // namespace

HGLOBAL& folder_search_path() { return g_folder_search_path; }
HGLOBAL& file_search_path() { return g_file_search_path; }
bool filter_on() { return g_filter_on; }

bool is_excluded(const char* name) {
    if (!g_excluded) return false;
    const char* list = static_cast<const char*>(GlobalLock(g_excluded));
    if (!list) return false;
    bool found = false;
    for (const char* p = list; *p && !found; p += std::strlen(p) + 1) found = matches_exclusion(name, p);
    GlobalUnlock(g_excluded);
    return found;
}
}  // namespace ferro::listing

using namespace ferro::listing;

LONG WINAPI SaveFindSeachPath(HWND, LPCSTR folder, LPCSTR pattern) {
    return save_search_path(g_folder_search_path, folder, pattern);
}
LONG WINAPI SaveFindSeachFilePath(HWND, LPCSTR folder, LPCSTR pattern) {
    return save_search_path(g_file_search_path, folder, pattern);
}

LONG WINAPI SetFileMatchedByWildCard(LPCSTR spec) {
    g_filter_on = spec && lstrcmpA(spec, "*.*") != 0;
    return g_filter_on;
}

LONG WINAPI SetExcludedFile(LPCSTR list) {
    if (g_excluded) GlobalFree(g_excluded);
    g_excluded = nullptr;
    if (!list || !list[0]) return 0;
    const SIZE_T size = std::strlen(list) + 2;
    g_excluded = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (!g_excluded) return 0;
    char* out = static_cast<char*>(GlobalLock(g_excluded));
    if (!out) return 0;
    // ";" is never a trail byte: split on it, dropping empty names.
    char* w = out;
    for (const char* p = list;;) {
        const char* end = std::strchr(p, ';');
        const size_t n = end ? size_t(end - p) : std::strlen(p);
        if (n) {
            std::memcpy(w, p, n);
            w += n;
            *w++ = '\0';
        }
        if (!end) break;
        p = end + 1;
    }
    *w = '\0';
    const bool empty = out[0] == '\0';
    GlobalUnlock(g_excluded);
    if (empty) {
        GlobalFree(g_excluded);
        g_excluded = nullptr;
        return 0;
    }
    return 1;
}

LPCSTR WINAPI GetExcludedFile() {
    if (!g_excluded) return nullptr;
    // A movable block's address stays put while nothing resizes it.
    LPCSTR p = static_cast<LPCSTR>(GlobalLock(g_excluded));
    GlobalUnlock(g_excluded);
    return p;
}

BOOL WINAPI IsFileMatchedByWildCard(LPCSTR name, LPCSTR spec) {
    if (!spec) return TRUE;
    if (!name) return FALSE;
    Parts n{name}, s{spec};
    if (n.count() != s.count()) return FALSE;
    std::string_view name_parts[64];
    if (n.count() > 64) return FALSE;
    size_t k = 0;
    n.each([&](std::string_view p) { name_parts[k++] = p; });
    bool equal = false;
    k = 0;
    s.each([&](std::string_view p) {
        if (p != "*" && !equal && equal_no_case(p, name_parts[k])) equal = true;
        ++k;
    });
    return equal;
}

namespace ferro::listing {
void free_search_paths() {
    if (g_folder_search_path) GlobalFree(g_folder_search_path);
    if (g_file_search_path) GlobalFree(g_file_search_path);
    g_folder_search_path = g_file_search_path = nullptr;
}
}  // namespace ferro::listing
