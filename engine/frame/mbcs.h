// Code page 932 byte classes: the one definition of a double-byte character
// inside the engine. Every forward scan steps two bytes at a lead byte, so a
// trail byte 0x5C (the second byte of 表, ソ, 能) is never taken for a yen mark.
#pragma once
#include <cstddef>
#include <cstring>

namespace ferro::mbcs {
inline constexpr unsigned char kYen = 0x5c;

constexpr bool is_lead(unsigned char c) { return (c >= 0x81 && c <= 0x9f) || (c >= 0xe0 && c <= 0xfc); }
constexpr bool is_trail(unsigned char c) { return (c >= 0x40 && c <= 0x7e) || (c >= 0x80 && c <= 0xfc); }

// Bytes taken by the character that starts at p: 2 for a lead byte followed by
// any byte, 1 otherwise (a lead byte before the NUL counts alone).
inline int char_size(const char* p) {
    return is_lead(static_cast<unsigned char>(p[0])) && p[1] != '\0' ? 2 : 1;
}

// ---- Scanning helpers ------------------------------------------------------
// Shift-JIS cannot be read backwards byte by byte (lead and trail ranges
// overlap), but it can be classified backwards: the byte at n starts a
// double-byte character exactly when it is in the lead range and the run of
// lead-range bytes ending at n has odd length. This agrees with the forward
// walk of char_size at every position and only reads s[0..n].

inline const char* next(const char* p) { return p + char_size(p); }
inline char* next(char* p) { return p + char_size(p); }

inline bool lead_at(const char* s, std::size_t n) {
    if (!is_lead(static_cast<unsigned char>(s[n]))) return false;
    std::size_t run = 1;
    while (run <= n && is_lead(static_cast<unsigned char>(s[n - run]))) ++run;
    return (run & 1) != 0;
}

// 0 single-byte character, 1 lead byte, 2 trail byte, -1 a byte that follows a
// lead byte but is no valid trail byte.
inline int class_at(const char* s, std::size_t n) {
    if (n > 0 && lead_at(s, n - 1)) return is_trail(static_cast<unsigned char>(s[n])) ? 2 : -1;
    return is_lead(static_cast<unsigned char>(s[n])) ? 1 : 0;
}

// The byte at n is the single-byte character c (c is never a lead-range byte).
inline bool char_at(const char* s, std::size_t n, char c) {
    return s[n] == c && !is_lead(static_cast<unsigned char>(c)) && (n == 0 || !lead_at(s, n - 1));
}

// Start of the character that ends just before p (p > s).
inline const char* prev(const char* s, const char* p) {
    std::size_t n = static_cast<std::size_t>(p - s);
    return n >= 2 && lead_at(s, n - 2) ? p - 2 : p - 1;
}
inline char* prev(char* s, char* p) { return const_cast<char*>(prev(static_cast<const char*>(s), p)); }

// The first single-byte c at or after `from` (a character boundary of s), or null.
inline const char* find_first(const char* s, char c, const char* from = nullptr) {
    for (const char* p = from ? from : s; (p = std::strchr(p, c)) != nullptr; ++p)
        if (char_at(s, static_cast<std::size_t>(p - s), c)) return p;
    return nullptr;
}
inline char* find_first(char* s, char c, char* from = nullptr) {
    return const_cast<char*>(find_first(static_cast<const char*>(s), c, from));
}

// The last single-byte c among the first `len` bytes of s, or null.
inline const char* find_last(const char* s, std::size_t len, char c) {
    for (std::size_t n = len; n-- > 0;)
        if (s[n] == c && char_at(s, n, c)) return s + n;
    return nullptr;
}
inline const char* find_last(const char* s, char c) { return find_last(s, std::strlen(s), c); }
inline char* find_last(char* s, char c) { return const_cast<char*>(find_last(static_cast<const char*>(s), c)); }

// The last character of a non-empty string.
inline const char* last_char(const char* s, std::size_t len) { return prev(s, s + len); }

// Whether the string ends with the single-byte character c.
inline bool ends_with(const char* s, std::size_t len, char c) {
    return len > 0 && char_at(s, len - 1, c);
}

// Whether every lead byte of the string is followed by a trail byte: no
// character is cut off by the terminator or broken by a stray byte.
inline bool whole_characters(const char* s) {
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(s); *p; ++p)
        if (is_lead(*p) && !is_trail(*++p)) return false;
    return true;
}
}  // namespace ferro::mbcs
