// Pattern matching of names: extensions, base names, star patterns and the
// keywords of command macros. Every scan steps over double-byte characters.
#include "frame/wildcards.h"
#include <cstring>
#include "frame/paths.h"
#include "frame/text.h"
#include "frame/text_internal.h"

namespace mbcs = ferro::mbcs;
namespace text = ferro::text;

namespace {
// The first n bytes of a and b are equal without case (case of single-byte
// and full-width letters, as the library's case-insensitive search folds it).
bool equal_without_case(const char* a, const char* b, std::size_t n) {
    std::size_t i = 0;
    while (i < n) {
        int size = mbcs::char_size(a + i);
        if (mbcs::char_size(b + i) != size || i + std::size_t(size) > n) return false;
        if (text::fold_char(reinterpret_cast<const unsigned char*>(a + i), size) !=
            text::fold_char(reinterpret_cast<const unsigned char*>(b + i), size))
            return false;
        i += std::size_t(size);
    }
    return true;
}

using text::same_without_case;

char g_extension[text::kPathSize];

// The keywords of command macros, in the order they are removed.
constexpr const char* kKeywords[] = {
    "%I", "%L", "\"%I\"", "\"%L\"", "%l", "\"%l\"", "%*", "\"%*\"",
    "%9", "%8", "%7", "%6", "%5", "%4", "%3", "%2", "%1",
    "\"%9\"", "\"%8\"", "\"%7\"", "\"%6\"", "\"%5\"", "\"%4\"", "\"%3\"", "\"%2\"", "\"%1\"",
    "|",
};
static_assert(sizeof kKeywords / sizeof kKeywords[0] == 27);

void trim_both_ends(char* s) {
    DeleteSpaceAtEnd(s);
    DeleteSpaceAtBeginning(s);
}

// The first occurrence of `word` at a character boundary, case as it is.
char* find_word(char* s, const char* word) {
    const std::size_t n = std::strlen(word);
    for (char* p = s; *p; p = mbcs::next(p))
        if (std::strncmp(p, word, n) == 0) return p;
    return nullptr;
}
}  // namespace

extern "C" {
BOOL WINAPI IsExtMatched(LPCSTR name, LPCSTR extension) {
    if (text::is_empty(name) || !extension) return FALSE;
    const char* own = GetFileExtension(name);
    return own && same_without_case(own, extension);
}

BOOL WINAPI IsExtMatchedWithDefautExt(LPCSTR extension, LPCSTR wanted) {
    if (!extension || !wanted) return FALSE;
    if (!text::copy_bounded(g_extension, extension, sizeof g_extension)) return FALSE;
    std::size_t len = std::strlen(g_extension);
    if (mbcs::ends_with(g_extension, len, '"')) g_extension[len - 1] = '\0';
    const char* start = g_extension[0] == '"' ? g_extension + 1 : g_extension;
    return same_without_case(start, wanted);
}

LPSTR WINAPI IsNameMatched(LPCSTR name, LPCSTR base) {
    if (text::is_empty(name) || !base) return nullptr;
    char work[text::kPathSize];
    if (!text::copy_bounded(work, name)) return nullptr;
    text::strip_quotes(work);
    char* period = mbcs::find_last(work, '.');
    if (!period) return nullptr;
    *period = '\0';
    return same_without_case(work, base) ? const_cast<LPSTR>(name) : nullptr;
}

int WINAPI GetItemsInWildCards(LPSTR* items, LPSTR pattern) {
    if (!items || !pattern) return 0;
    int n = 0;
    char* p = pattern;
    if (*p == '*') {
        items[n++] = nullptr;
        while (*p == '*') ++p;
    }
    while (*p) {
        char* star = mbcs::find_first(pattern, '*', p);
        if (!star) break;  // the text after the last star is not an item
        items[n++] = p;
        *star = '\0';
        p = star + 1;
        while (*p == '*') ++p;
    }
    return n;
}

BOOL WINAPI HitItemsInWildCards(LPCSTR name, LPSTR* items) {
    if (text::is_empty(name) || !items) return TRUE;
    std::size_t i = 0;
    const bool free_start = items[0] == nullptr;
    if (free_start) i = 1;
    if (items[i] == nullptr) return TRUE;
    const char* at = name;
    if (!free_start) {
        const std::size_t n = std::strlen(items[0]);
        if (std::strlen(name) < n || !equal_without_case(name, items[0], n)) return FALSE;
        at = name + n;
        i = 1;
    }
    for (; items[i]; ++i) {
        if (items[i][0] == '\0') continue;
        const char* found = j_lstristr(at, items[i]);
        if (!found) return FALSE;
        at = found + std::strlen(items[i]);
    }
    return TRUE;
}

int WINAPI NameIsWildCardOnly(LPSTR name) {
    if (!name || !mbcs::find_first(name, '%')) return 0;
    bool removed = false;
    for (const char* keyword : kKeywords) {
        if (!mbcs::find_first(name, '%')) break;
        trim_both_ends(name);
        if (std::strcmp(name, keyword) == 0) {
            name[0] = '\0';
            return 1;
        }
        if (char* at = find_word(name, keyword)) {
            const std::size_t n = std::strlen(keyword);
            std::memmove(at, at + n, std::strlen(at + n) + 1);
            removed = true;
        }
    }
    if (!removed) return 0;
    DeleteSpaceAtEnd(name);
    return 1;
}
}
