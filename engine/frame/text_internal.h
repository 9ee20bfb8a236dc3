// Helpers shared by the text and path functions of this folder (not exported).
#pragma once
#include <cstddef>
#include <cstring>
#include "frame/mbcs.h"

namespace ferro::text {
inline constexpr std::size_t kPathSize = 520;            // every path buffer
inline constexpr std::size_t kPathMax = kPathSize - 1;   // longest path text
inline constexpr char kYen = '\\';
inline constexpr char kQuote = '"';

inline bool is_empty(const char* s) { return s == nullptr || *s == '\0'; }

// Copies src into a buffer of `cap` bytes; false (and nothing written) when
// it does not fit.
inline bool copy_bounded(char* dst, const char* src, std::size_t cap = kPathSize) {
    std::size_t n = std::strlen(src);
    if (n + 1 > cap) return false;
    std::memmove(dst, src, n + 1);
    return true;
}

// Network path: a yen mark followed by a colon (the browsing form) or by a
// second yen mark (the system form).
inline bool is_network_form(const char* p) { return p && p[0] == kYen && (p[1] == ':' || p[1] == kYen); }

// A drive letter followed by a colon.
inline bool is_drive_letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The yen mark at `yen` closes a root: it follows a colon (C:\ and the
// browsing form \:\) or is the second byte of the leading network pair (\\).
inline bool is_root_yen(const char* path, const char* yen) {
    std::size_t n = static_cast<std::size_t>(yen - path);
    return n > 0 && (path[n - 1] == ':' || (n == 1 && path[0] == kYen));
}

// Absolute: a colon followed by a yen mark anywhere (at single-byte positions).
bool has_root(const char* path);

// Replaces `from` by `to` at every single-byte position; the count replaced.
inline int replace_char(char* s, char from, char to) {
    if (!s) return 0;
    int count = 0;
    for (char* p = s; *p; p = mbcs::next(p))
        if (*p == from) {
            *p = to;
            ++count;
        }
    return count;
}

// The last separator of a path of `len` bytes: the last yen mark, except
// the first byte of a network path, which belongs to its leading pair.
inline const char* last_separator(const char* path, std::size_t len) {
    const char* yen = mbcs::find_last(path, len, kYen);
    return yen == path && is_network_form(path) ? nullptr : yen;
}
inline char* last_separator(char* path, std::size_t len) {
    return const_cast<char*>(last_separator(static_cast<const char*>(path), len));
}

// The first separator at or after `from`; a network path's leading pair is
// never a separator.
inline const char* first_separator(const char* path, const char* from = nullptr) {
    const char* start = is_network_form(path) ? path + 2 : path;
    return mbcs::find_first(path, kYen, from && from > start ? from : start);
}

// A single-byte space anywhere.
inline bool has_space(const char* s) { return mbcs::find_first(s, ' ') != nullptr; }

// Balances the quotation marks at the two ends of s (a buffer of `cap`
// bytes): a string that begins with a mark but does not end with one gets a
// closing mark, and the other way round; then, unless `keep`, the marks are
// removed when the string holds no space. When there is no room for the
// missing mark the lone mark is removed instead. True when s changed.
bool balance_quotes(char* s, std::size_t cap, bool keep);

// Removes a leading and a trailing quotation mark; true when any was removed.
bool strip_quotes(char* s);

// Case conversion of every character, keeping the length and never touching
// a double-byte character that has no case partner of the same size.
void upper_in_place(char* s);
void lower_in_place(char* s);
// The character at p (size 1 or 2) in lower case, packed as (lead << 8) | trail.
unsigned fold_char(const unsigned char* p, int size);
// Whether a and b are the same text without regard to case (folded
// character by character as above; a double-byte character never equals a
// single-byte one).
bool same_without_case(const char* a, const char* b);

// Whether the folder exists; the one place that asks the file system.
bool folder_exists(const char* path);

// The module's quotation-mark and case helpers also used by the path files.
int up_one(char* path);  // GetUpperDirectory without argument checks
}  // namespace ferro::text
