// Code page 932 byte classes: the one definition of a double-byte character
// inside the engine. Every forward scan steps two bytes at a lead byte, so a
// trail byte 0x5C (the second byte of 表, ソ, 能) is never taken for a yen mark.
#pragma once

namespace ferro::mbcs {
inline constexpr unsigned char kYen = 0x5c;

constexpr bool is_lead(unsigned char c) { return (c >= 0x81 && c <= 0x9f) || (c >= 0xe0 && c <= 0xfc); }
constexpr bool is_trail(unsigned char c) { return (c >= 0x40 && c <= 0x7e) || (c >= 0x80 && c <= 0xfc); }

// Bytes taken by the character that starts at p: 2 for a lead byte followed by
// any byte, 1 otherwise (a lead byte before the NUL counts alone).
inline int char_size(const char* p) {
    return is_lead(static_cast<unsigned char>(p[0])) && p[1] != '\0' ? 2 : 1;
}
}  // namespace ferro::mbcs
