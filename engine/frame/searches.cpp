// Case-insensitive and reverse substring searches, and the search for a
// folder inside a path. Matches start at character boundaries and cover
// whole characters: the first byte of 表 never matches a lone lead byte.
#include <cstring>
#include "frame/mbcs.h"
#include "frame/paths.h"
#include "frame/text.h"
#include "frame/text_internal.h"

using namespace ferro;
using text::kPathSize;
using text::kYen;

namespace {
// Whether `pattern` (n bytes) matches the text at `at`, character by character.
// The caller guarantees n bytes of text from `at`.
bool matches_at(const char* at, const char* pattern, std::size_t n, bool ignore_case) {
    for (std::size_t i = 0; i < n;) {
        int size = mbcs::char_size(pattern + i);
        if (i + static_cast<std::size_t>(size) > n || mbcs::char_size(at + i) != size) return false;
        if (ignore_case) {
            if (text::fold_char(reinterpret_cast<const unsigned char*>(at + i), size) !=
                text::fold_char(reinterpret_cast<const unsigned char*>(pattern + i), size))
                return false;
        } else if (std::memcmp(at + i, pattern + i, static_cast<std::size_t>(size)) != 0) {
            return false;
        }
        i += static_cast<std::size_t>(size);
    }
    return true;
}

const char* search(const char* s, const char* pattern, bool ignore_case, bool last) {
    if (text::is_empty(s) || text::is_empty(pattern)) return nullptr;
    std::size_t len = std::strlen(s), n = std::strlen(pattern);
    if (n > len) return nullptr;
    const char* found = nullptr;
    for (const char* p = s; static_cast<std::size_t>(p - s) <= len - n; p = mbcs::next(p)) {
        if (matches_at(p, pattern, n, ignore_case)) {
            if (!last) return p;
            found = p;
        }
    }
    return found;
}
}  // namespace

LPSTR WINAPI j_lstristr(LPCSTR s, LPCSTR pattern) { return const_cast<LPSTR>(search(s, pattern, true, false)); }
LPSTR WINAPI j_lstrrstr(LPCSTR s, LPCSTR pattern) { return const_cast<LPSTR>(search(s, pattern, false, true)); }
LPSTR WINAPI j_lstrirstr(LPCSTR s, LPCSTR pattern) { return const_cast<LPSTR>(search(s, pattern, true, true)); }

// The folder matches at the start of a component and is followed by a yen
// mark or the end; case is ignored. A drive root is compared as its drive
// part (C:), another folder without its final yen mark.
LPSTR WINAPI IsDirectoryContained(LPCSTR path, LPCSTR folder, BOOL fromEnd) {
    if (text::is_empty(path) || text::is_empty(folder)) return nullptr;
    std::size_t n = std::strlen(folder);
    if (IsRootDir(folder)) n = 2;
    else if (n > 1 && mbcs::ends_with(folder, n, kYen)) --n;
    std::size_t len = std::strlen(path);
    const char* found = nullptr;
    for (const char* p = path;;) {
        std::size_t at = static_cast<std::size_t>(p - path);
        if (len - at >= n && matches_at(p, folder, n, true) && (p[n] == kYen || p[n] == '\0')) {
            if (!fromEnd) return const_cast<LPSTR>(p);
            found = p;
        }
        const char* yen = mbcs::find_first(path, kYen, p);
        if (!yen) break;
        p = yen + 1;
    }
    return const_cast<LPSTR>(found);
}

// Carriage return and line feed are never the second byte of a double-byte
// character, so a plain byte scan finds them.
LPSTR WINAPI FindLineEnd(LPCSTR text) {
    if (!text) return nullptr;
    const char* end = text + std::strcspn(text, "\r\n");
    return *end ? const_cast<LPSTR>(end) : nullptr;
}
