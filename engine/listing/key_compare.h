// The comparison of two listing keys: single-byte characters without case,
// double-byte characters by their code, all double-byte characters after all
// single-byte ones, a key that is a prefix of another first.
#pragma once

namespace ferro::listing {
// Negative when a sorts before b, 0 when they are equal, positive after.
// Walks both keys together: where b has ended the result is a's current byte;
// a character is a lead byte with its second byte (lead * 256 + second) or a
// single byte lowered by CharLower; the first pair of differing codes decides
// (code(a) - code(b)); where a ends after a common character the result is 0
// minus b's current byte. A lead byte just before the NUL is a character of
// its own (code lead * 256), so the walk never steps over the terminator.
int compare_keys(const char* a, const char* b);
}  // namespace ferro::listing
