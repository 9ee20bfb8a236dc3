// Listing key comparison. The lower-case form of each single byte comes from
// a 256-entry table filled once, on first use, with CharLowerA of that one
// byte (the character form of the call, not the string form): the same value
// CharLower gives for the byte at every comparison, read without a call into
// user32 per character.
#include "listing/key_compare.h"
#include <windows.h>
#include "frame/mbcs.h"

namespace ferro::listing {
namespace {
struct ByteTable {
    unsigned short lower[256];
    bool lead[256];
    ByteTable() {
        for (int c = 0; c < 256; ++c) {
            lead[c] = mbcs::is_lead(static_cast<unsigned char>(c));
            // CharLowerA with a pointer value below 0x10000 lowers that one character.
            ULONG_PTR lowered = reinterpret_cast<ULONG_PTR>(CharLowerA(reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(c))));
            lower[c] = static_cast<unsigned short>(lowered & 0xff);
            if (lower[c] == 0) lower[c] = static_cast<unsigned short>(c);  // never lowered to the terminator
        }
    }
};

const ByteTable& table() {
    static const ByteTable bytes;
    return bytes;
}
}  // namespace

int compare_keys(const char* a_text, const char* b_text) {
    const ByteTable& t = table();
    auto a = reinterpret_cast<const unsigned char*>(a_text);
    auto b = reinterpret_cast<const unsigned char*>(b_text);
    for (;;) {
        if (*b == 0) return *a;
        unsigned code_a, code_b;
        int size_a = 1, size_b = 1;
        if (t.lead[*a]) {
            code_a = (unsigned(*a) << 8) | a[1];
            size_a += a[1] != 0;
        } else {
            code_a = t.lower[*a];
        }
        if (t.lead[*b]) {
            code_b = (unsigned(*b) << 8) | b[1];
            size_b += b[1] != 0;
        } else {
            code_b = t.lower[*b];
        }
        if (code_a != code_b) return int(code_a) - int(code_b);
        a += size_a;
        b += size_b;
        if (*a == 0) return 0 - int(*b);
    }
}

KeyPrefix key_prefix(const char* text, const char** rest) {
    const ByteTable& t = table();
    auto p = reinterpret_cast<const unsigned char*>(text);
    KeyPrefix prefix;
    for (int i = 0; i < 8; ++i) {
        unsigned code = 0;
        if (*p != 0) {
            if (t.lead[*p]) {
                code = (unsigned(*p) << 8) | p[1];
                p += p[1] != 0 ? 2 : 1;
            } else {
                code = t.lower[*p++];
            }
        }
        std::uint64_t& half = i < 4 ? prefix.high : prefix.low;
        half = (half << 16) | code;
    }
    if (rest) *rest = reinterpret_cast<const char*>(p);
    return prefix;
}
}  // namespace ferro::listing
