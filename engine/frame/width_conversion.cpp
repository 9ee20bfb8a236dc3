// Full-width and half-width katakana, and full-width capitals for letters.
#include <array>
#include <cstdint>
#include <cstring>
#include "frame/mbcs.h"
#include "frame/text.h"
#include "frame/text_internal.h"

using namespace ferro;
using text::kPathMax;
using text::kPathSize;

namespace {
constexpr unsigned char kVoicedMark = 0xde;
constexpr unsigned char kSemiVoicedMark = 0xdf;
constexpr unsigned char kFirstHalf = 0xa6;
constexpr unsigned char kLastHalf = 0xdd;

// Half-width katakana 0xA6-0xDD and their full-width characters: the 55 of
// ｱ ... ﾜｦﾝ and ｧｨｩｪｫｯｬｭｮ (0xB0, the long-vowel mark, has no entry).
constexpr std::uint16_t kFullOfHalf[kLastHalf - kFirstHalf + 1] = {
    0x8392,                                  // ｦ ヲ
    0x8340, 0x8342, 0x8344, 0x8346, 0x8348,  // ｧｨｩｪｫ
    0x8383, 0x8385, 0x8387,                  // ｬｭｮ
    0x8362,                                  // ｯ
    0,                                       // ｰ
    0x8341, 0x8343, 0x8345, 0x8347, 0x8349,  // ｱｲｳｴｵ
    0x834a, 0x834c, 0x834e, 0x8350, 0x8352,  // ｶｷｸｹｺ
    0x8354, 0x8356, 0x8358, 0x835a, 0x835c,  // ｻｼｽｾｿ
    0x835e, 0x8360, 0x8363, 0x8365, 0x8367,  // ﾀﾁﾂﾃﾄ
    0x8369, 0x836a, 0x836b, 0x836c, 0x836d,  // ﾅﾆﾇﾈﾉ
    0x836e, 0x8371, 0x8374, 0x8377, 0x837a,  // ﾊﾋﾌﾍﾎ
    0x837d, 0x837e, 0x8380, 0x8381, 0x8382,  // ﾏﾐﾑﾒﾓ
    0x8384, 0x8386, 0x8388,                  // ﾔﾕﾖ
    0x8389, 0x838a, 0x838b, 0x838c, 0x838d,  // ﾗﾘﾙﾚﾛ
    0x838f, 0x8393,                          // ﾜﾝ
};

constexpr std::uint16_t full_of_half(unsigned char c) {
    return c >= kFirstHalf && c <= kLastHalf ? kFullOfHalf[c - kFirstHalf] : 0;
}
// ｶ ... ﾄ and ﾊ ... ﾎ take the voiced mark (full-width code + 1), ﾊ ... ﾎ
// also the semi-voiced mark (+ 2): 25 pairs.
constexpr bool takes_voiced(unsigned char c) { return (c >= 0xb6 && c <= 0xc4) || (c >= 0xca && c <= 0xce); }
constexpr bool takes_semi_voiced(unsigned char c) { return c >= 0xca && c <= 0xce; }

constexpr bool is_katakana(unsigned code) { return code >= 0x8340 && code <= 0x8396 && code != 0x837f; }

// Full-width katakana 0x8340-0x8396 to their half-width spelling: one byte,
// or a kana and its voiced or semi-voiced mark.
struct HalfOfFull {
    unsigned char kana = 0;
    unsigned char mark = 0;
};
struct HalfTable {
    std::array<HalfOfFull, 0x8396 - 0x8340 + 1> entries{};
    constexpr HalfTable() {
        for (unsigned c = kFirstHalf; c <= kLastHalf; ++c) {
            std::uint16_t full = kFullOfHalf[c - kFirstHalf];
            if (!full) continue;
            entries[full - 0x8340] = {static_cast<unsigned char>(c), 0};
            if (takes_voiced(static_cast<unsigned char>(c))) entries[full + 1 - 0x8340] = {static_cast<unsigned char>(c), kVoicedMark};
            if (takes_semi_voiced(static_cast<unsigned char>(c)))
                entries[full + 2 - 0x8340] = {static_cast<unsigned char>(c), kSemiVoicedMark};
        }
        entries[0x8394 - 0x8340] = {0xb3, kVoicedMark};  // ヴ is ｳﾞ
    }
};
constexpr HalfTable kHalfOfFull;

// A half-width kana and its mark as one full-width character, or 0.
std::uint16_t voiced_pair(unsigned char kana, unsigned char mark) {
    std::uint16_t full = full_of_half(kana);
    if (!full) return 0;
    if (mark == kVoicedMark && takes_voiced(kana)) return static_cast<std::uint16_t>(full + 1);
    if (mark == kSemiVoicedMark && takes_semi_voiced(kana)) return static_cast<std::uint16_t>(full + 2);
    return 0;
}

void put(unsigned char* p, std::uint16_t code) {
    p[0] = static_cast<unsigned char>(code >> 8);
    p[1] = static_cast<unsigned char>(code & 0xff);
}
}  // namespace

BOOL WINAPI _ReplaceFullPitchJpnByHalfPitchJpn(LPSTR s) {
    if (!s) return TRUE;
    for (unsigned char* p = reinterpret_cast<unsigned char*>(s); *p;) {
        if (!mbcs::is_lead(*p) || !p[1]) {
            ++p;
            continue;
        }
        unsigned code = static_cast<unsigned>((p[0] << 8) | p[1]);
        HalfOfFull half = is_katakana(code) ? kHalfOfFull.entries[code - 0x8340] : HalfOfFull{};
        if (!half.kana) {
            p += 2;
        } else if (half.mark) {
            p[0] = half.kana;
            p[1] = half.mark;
            p += 2;
        } else {
            p[0] = half.kana;
            std::memmove(p + 1, p + 2, std::strlen(reinterpret_cast<char*>(p + 2)) + 1);
            p += 1;
        }
    }
    return TRUE;
}

LPSTR WINAPI ChangeOneByteCodeToTwoByteCode(LPSTR out, LPSTR s, int mode) {
    if (!s) return nullptr;
    char* work = out ? out : s;
    if (work != s && !text::copy_bounded(work, s, kPathSize)) {
        *work = '\0';
        return nullptr;
    }
    std::size_t len = static_cast<std::size_t>(DelSpc(work));
    unsigned char* base = reinterpret_cast<unsigned char*>(work);
    for (unsigned char* p = base; *p;) {
        if (mbcs::is_lead(*p) && p[1]) {
            p += 2;
            continue;
        }
        std::uint16_t wide = 0;
        bool pair = false;
        unsigned char c = *p;
        if ((mode & 1) && ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) {
            wide = static_cast<std::uint16_t>(0x8260 + ((c & ~0x20) - 'A'));
        } else if ((mode & 4) && (wide = voiced_pair(c, p[1])) != 0) {
            pair = true;
        } else if (mode & 2) {
            wide = full_of_half(c);
        }
        if (!wide) {
            ++p;
            continue;
        }
        if (!pair) {
            if (len + 1 > kPathMax) break;  // no room to widen: the rest stays
            std::size_t at = static_cast<std::size_t>(p - base);
            std::memmove(p + 2, p + 1, len - at);  // the tail and its NUL
            ++len;
        }
        put(p, wide);
        p += 2;
    }
    return work;
}
