// The comparison of two listing keys: single-byte characters without case,
// double-byte characters by their code, all double-byte characters after all
// single-byte ones, a key that is a prefix of another first.
#pragma once
#include <cstdint>

namespace ferro::listing {
// Eight character codes, 16 bits each: the first four in `high`.
struct KeyPrefix {
    std::uint64_t high = 0, low = 0;
    // Negative, 0 or positive by the codes, the first deciding.
    int compare(const KeyPrefix& other) const {
        if (high != other.high) return high < other.high ? -1 : 1;
        if (low != other.low) return low < other.low ? -1 : 1;
        return 0;
    }
};

// Negative when a sorts before b, 0 when they are equal, positive after.
// Walks both keys together: where b has ended the result is a's current byte;
// a character is a lead byte with its second byte (lead * 256 + second) or a
// single byte lowered by CharLower; the first pair of differing codes decides
// (code(a) - code(b)); where a ends after a common character the result is 0
// minus b's current byte. A lead byte just before the NUL is a character of
// its own (code lead * 256), so the walk never steps over the terminator.
int compare_keys(const char* a, const char* b);

// The first eight character codes of a key (as compare_keys reads them)
// packed 16 bits each, the first in the top bits, 0 after the key's end. For
// two keys whose prefixes differ, the prefixes order them exactly as
// compare_keys does; equal prefixes that include the end mean equal keys;
// otherwise compare_keys decides, and since equal codes are characters of the
// same size, it may start at the ninth character of both keys (`rest`).
KeyPrefix key_prefix(const char* key, const char** rest = nullptr);
constexpr bool prefix_is_whole_key(const KeyPrefix& prefix) { return (prefix.low & 0xffff) == 0; }
}  // namespace ferro::listing
