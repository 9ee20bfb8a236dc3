// The comparison rule of the listing sort, read through the exports: two keys
// sorted ascending and descending show whether the first is below, equal to
// or above the second (equal keys stay where they are in both directions).
#include <gtest/gtest.h>
#include <string>
#include "listing/listing_sort.h"
#include "reference_sort.h"
#include "support/sjis.h"

using ferro_test::sjis;
using ferro_test::utf8;

namespace {
// -1 a before b, 0 equal, 1 a after b, as the exports order them.
int order_by_exports(const std::string& a, const std::string& b) {
    std::string ka = a, kb = b;
    LPSTR up[2] = {ka.data(), kb.data()};
    LONG up_companions[2] = {10, 20};
    EXPECT_EQ(1, lqsortx(up, up_companions, 2));
    LPSTR down[2] = {ka.data(), kb.data()};
    EXPECT_EQ(1, lqsortxrev(down, nullptr, 2));
    bool swapped_up = up[0] != ka.data();
    bool swapped_down = down[0] != ka.data();
    EXPECT_FALSE(swapped_up && swapped_down);
    EXPECT_EQ(swapped_up ? 20 : 10, up_companions[0]);
    return swapped_up ? 1 : swapped_down ? -1 : 0;
}

int sign(int v) { return (v > 0) - (v < 0); }

struct Row {
    const char* a;  // UTF-8, converted to code page 932
    const char* b;
    int expected;
};

// ---- Comparison rule
const Row kRows[] = {
    // Single-byte letters without case.
    {"abc", "ABC", 0},
    {"Readme.TXT", "readme.txt", 0},
    {"a", "B", -1},
    {"Z", "a", 1},
    // Lowered before comparing: '_' (0x5F) is below 'a' and so below 'A' (0x41) too.
    {"_", "A", -1},
    {"[", "a", -1},
    // Full-width letters compare by code: Ａ (82 60) and ａ (82 81) differ.
    {"Ａ", "ａ", -1},
    {"ａ", "Ａ", 1},
    // Every double-byte character after every single-byte one.
    {"~", "Ａ", -1},
    {"ｱ", "表", -1},
    {"表", "z", 1},
    // Half-width katakana (single bytes from 0xA1) after ASCII.
    {"ｱ", "z", 1},
    {"ｱ", "~", 1},
    {"ｱ", "ｲ", -1},
    // Prefixes first; the empty key before everything.
    {"ab", "abc", -1},
    {"abc", "ab", 1},
    {"", "a", -1},
    {"", "表", -1},
    {"", "", 0},
    {"表", "表示", -1},
    // Trail byte 0x5C: 表 95 5C, ソ 83 5C, 能 94 5C; a yen mark alone is single-byte.
    {"表", "ソ", 1},
    {"能", "表", -1},
    {"ソ", "\\", 1},
    {"ソa", "ソA", 0},
    {"表a", "表b", -1},
    {"能\\x", "能\\X", 0},
    {"ソ\\", "ソ", 1},
    // Case ignored after double-byte characters and digits too.
    {"写真001.JPG", "写真001.jpg", 0},
    {"写真002.jpg", "写真001.jpg", 1},
};

TEST(ListingKeyOrder, RuleTable) {
    for (const Row& row : kRows) {
        std::string a = sjis(row.a), b = sjis(row.b);
        EXPECT_EQ(row.expected, order_by_exports(a, b)) << row.a << " vs " << row.b;
        EXPECT_EQ(row.expected, sign(listing_test::reference_compare(a.c_str(), b.c_str())))
            << "reference: " << row.a << " vs " << row.b;
    }
}

// A lead byte just before the terminator is a character of its own: the
// comparison stops at the NUL and never reads past it.
TEST(ListingKeyOrder, LeadByteAtTheEnd) {
    EXPECT_EQ(0, order_by_exports("\x81", "\x81"));
    EXPECT_EQ(-1, order_by_exports("\x81", "\x81\x40"));
    EXPECT_EQ(1, order_by_exports("a\x95", "a\x94\x5c"));
    EXPECT_EQ(1, order_by_exports("\x81", "z"));
}

// Every single byte against every other: the exports agree with CharLowerA
// called for each byte.
TEST(ListingKeyOrder, AllSingleBytesAgreeWithCharLower) {
    for (int x = 1; x < 256; ++x) {
        if (listing_test::lead(static_cast<unsigned char>(x))) continue;
        for (int y = 1; y < 256; y += 7) {
            if (listing_test::lead(static_cast<unsigned char>(y))) continue;
            std::string a(1, char(x)), b(1, char(y));
            ASSERT_EQ(sign(listing_test::reference_compare(a.c_str(), b.c_str())), order_by_exports(a, b))
                << std::hex << x << " vs " << y;
        }
    }
}
}  // namespace
