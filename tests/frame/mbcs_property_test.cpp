// Random code-page-932 strings checked against the platform's own
// double-byte rules (IsDBCSLeadByteEx, CharNextExA, CharPrevExA). Every
// string sits in a buffer that ends right after its NUL, so a scan that
// steps past the end crashes.
#include <gtest/gtest.h>
#include <windows.h>
#include <random>
#include <vector>
#include "text_test_util.h"

using namespace text_test;

namespace {
constexpr UINT kCp = 932;

// Mixes ASCII, yen marks, double-byte characters (with 0x5C and other trail
// bytes), lone lead bytes, half-width kana and separators.
std::string random_text(std::mt19937& rng) {
    std::uniform_int_distribution<int> pick(0, 99);
    std::uniform_int_distribution<int> length_pick(0, 99);
    int roll = length_pick(rng);
    size_t length = roll < 80 ? size_t(roll) : roll < 97 ? 100 + size_t(roll) * 2 : 519;
    auto byte_in = [&](int lo, int hi) { return char(std::uniform_int_distribution<int>(lo, hi)(rng)); };
    auto lead = [&]() { return pick(rng) < 50 ? byte_in(0x81, 0x9f) : byte_in(0xe0, 0xfc); };
    std::string s;
    while (s.size() < length) {
        int k = pick(rng);
        if (k < 25) s += byte_in('a', 'z');
        else if (k < 40) s += '\\';
        else if (k < 50) {  // a character whose trail byte is 0x5C (表 ソ 能 and others)
            s += lead();
            s += '\\';
        } else if (k < 65) {
            s += lead();
            s += pick(rng) < 50 ? byte_in(0x40, 0x7e) : byte_in(0x80, 0xfc);
        } else if (k < 72) s += lead();                 // a lead byte followed by anything
        else if (k < 82) s += byte_in(0xa1, 0xdf);     // half-width kana
        else if (k < 88) s += pick(rng) < 50 ? '.' : ' ';
        else if (k < 93) s += byte_in(0x01, 0x7f);
        else s += byte_in(0x80, 0xff);
    }
    s.resize(length);
    if (pick(rng) < 15 && !s.empty()) s.back() = lead();  // a lone lead byte at the end
    for (char& c : s)
        if (c == '\0') c = 'x';
    return s;
}

// The class of every byte by the platform's walk: 0 single, 1 lead, 2 trail, -1 bad trail.
std::vector<int> platform_classes(const char* s, size_t length) {
    std::vector<int> classes(length + 1, 0);
    for (const char* p = s; *p;) {
        const char* next = CharNextExA(kCp, p, 0);
        size_t i = size_t(p - s);
        if (next - p == 2) {
            classes[i] = 1;
            BYTE t = BYTE(p[1]);
            classes[i + 1] = (t >= 0x40 && t <= 0x7e) || (t >= 0x80 && t <= 0xfc) ? 2 : -1;
        } else {
            classes[i] = IsDBCSLeadByteEx(kCp, BYTE(*p)) ? 1 : 0;  // a lead byte before the NUL
        }
        p = next;
    }
    return classes;
}

// The last single-byte yen mark, found walking back with CharPrevExA.
const char* platform_last_yen(const char* s, size_t length) {
    for (const char* p = s + length; p > s;) {
        p = CharPrevExA(kCp, s, p, 0);
        if (*p == '\\' && CharNextExA(kCp, p, 0) == p + 1) return p;
    }
    return nullptr;
}

const char* platform_first_yen(const char* s) {
    const char* p = s;
    if (s[0] == '\\' && (s[1] == ':' || s[1] == '\\')) p = s + 2;  // a network path's leading pair
    for (; *p; p = CharNextExA(kCp, p, 0))
        if (*p == '\\') return p;
    return nullptr;
}

// Whether the pattern matches at p character by character, in the platform's steps.
bool platform_matches(const char* p, const std::string& pattern) {
    const char* q = pattern.c_str();
    while (*q) {
        if (!*p) return false;
        const char* pn = CharNextExA(kCp, p, 0);
        const char* qn = CharNextExA(kCp, q, 0);
        if (pn - p != qn - q || memcmp(p, q, size_t(qn - q)) != 0) return false;
        p = pn;
        q = qn;
    }
    return true;
}

const char* platform_last_match(const char* s, size_t length, const std::string& pattern) {
    if (pattern.empty() || pattern.size() > length) return nullptr;
    for (const char* p = s + length; p > s;) {
        p = CharPrevExA(kCp, s, p, 0);
        if (size_t(p - s) + pattern.size() <= length && platform_matches(p, pattern)) return p;
    }
    return nullptr;
}

// A pattern of one to three whole characters taken from the text, or a
// short made-up one.
std::string random_pattern(std::mt19937& rng, const std::string& text) {
    std::uniform_int_distribution<int> pick(0, 99);
    static const std::string made_up[] = {"\\", "a\\", "\x95\x5c", "\x83\x5c", "\x95", "..", " ", "\xb1"};
    if (text.empty() || pick(rng) < 25) return made_up[pick(rng) % 8];
    std::vector<size_t> starts;
    for (const char* p = text.c_str(); *p; p = CharNextExA(kCp, p, 0)) starts.push_back(size_t(p - text.c_str()));
    size_t first = starts[size_t(pick(rng)) % starts.size()];
    const char* p = text.c_str() + first;
    for (int n = 1 + pick(rng) % 3; n > 0 && *p; --n) p = CharNextExA(kCp, p, 0);
    return text.substr(first, size_t(p - text.c_str()) - first);
}
}  // namespace

TEST(Property, ScannersAgreeWithThePlatform) {
    std::mt19937 rng(0x5c5c932);
    const int kStrings = 4000;
    int checked_bytes = 0, yen_found = 0, matches_found = 0;
    for (int n = 0; n < kStrings; ++n) {
        std::string text = random_text(rng);
        TightBuffer b(text);
        const size_t length = text.size();
        std::vector<int> expected = platform_classes(b, length);
        for (size_t i = 0; i < length; ++i) {
            ASSERT_EQ(_myNthctype(b, int(i)), expected[i]) << "string " << n << " byte " << i;
            ASSERT_EQ(_myIskanjin(b, int(i)) != 0, expected[i] == 1) << "string " << n << " byte " << i;
        }
        checked_bytes += int(length);
        // The last separator and the first one.
        const char* last = platform_last_yen(b, length);
        ASSERT_EQ(GetFileFromPathWithYen(b), last) << "string " << n;
        yen_found += last != nullptr;
        ASSERT_EQ(FindYenMark(b), length ? platform_first_yen(b) : nullptr) << "string " << n;
        // The reverse search.
        for (int k = 0; k < 3; ++k) {
            std::string pattern = random_pattern(rng, text);
            const char* want = platform_last_match(b, length, pattern);
            ASSERT_EQ(j_lstrrstr(b, pattern.c_str()), want) << "string " << n << " pattern " << k;
            matches_found += want != nullptr;
        }
    }
    // The generator reached the interesting cases.
    EXPECT_GT(checked_bytes, 100000);
    EXPECT_GT(yen_found, kStrings / 2);
    EXPECT_GT(matches_found, kStrings);
}

TEST(Property, ValidPairsAreTrailClass) {
    // Every pair the code page converts has a valid trail byte by our class.
    for (int lead = 0x81; lead <= 0xfc; ++lead) {
        if (!IsDBCSLeadByteEx(kCp, BYTE(lead))) continue;
        for (int trail = 0x01; trail <= 0xff; ++trail) {
            char pair[3] = {char(lead), char(trail), 0};
            WCHAR w;
            bool converts = MultiByteToWideChar(kCp, MB_ERR_INVALID_CHARS, pair, 2, &w, 1) == 1;
            if (converts) {
                ASSERT_EQ(_myNthctype(pair, 1), 2) << std::hex << lead << " " << trail;
            }
        }
    }
}
