// NUL-separated lists, searches, number parsing and formatting, and moves
// inside a buffer.
#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>
#include "text_test_util.h"

using namespace text_test;

// ---- Lists of strings separated by NUL bytes

namespace {
// The list's bytes exactly, in a buffer that ends where they end.
struct GuardedList {
    GuardedBuffer buffer;
    explicit GuardedList(const std::string& bytes) : buffer(bytes.size()) { std::memcpy(buffer.data(), bytes.data(), bytes.size()); }
    operator char*() const { return buffer.data(); }
};
}  // namespace

TEST(Lists, CountLengthMove) {
    struct Row { std::string bytes; int items; int length; } rows[] = {
        {std::string("a\0bc\0\0", 6), 2, 5},
        {std::string(S("表\\") + '\0' + S("ソ") + '\0' + '\0'), 2, 7},
        {std::string("\0\0", 2), 0, 1},
        {std::string("\0", 1), 0, 1},       // an empty list of one NUL byte
        {std::string("x\0\0", 3), 1, 2},
    };
    for (const Row& r : rows) {
        GuardedList list(r.bytes);
        EXPECT_EQ(ItemTotalNumberSeparetedByZero(list), r.items);
        EXPECT_EQ(StrLenSeparetedByZero(list), r.length);
        GuardedBuffer to(r.length + 1, 'z');
        EXPECT_EQ(MoveMemorySeparetedByZero(to, list), r.length + 1);
        std::string moved(to.data(), r.length + 1);
        std::string expected = r.items ? r.bytes : std::string("\0\0", 2);
        EXPECT_EQ(moved, expected);
    }
    EXPECT_EQ(ItemTotalNumberSeparetedByZero(nullptr), 0);
    EXPECT_EQ(StrLenSeparetedByZero(nullptr), 0);
    EXPECT_EQ(MoveMemorySeparetedByZero(nullptr, "a"), 0);
}

// ---- Searches

TEST(Search, CaseInsensitive) {
    struct Row { std::string text, pattern; long at; } rows[] = {
        {"Hello World", "WORLD", 6}, {S("ＡＢＣ"), S("ａｂｃ"), 0}, {S("表示"), S("示"), 2},
        {S("表"), "\\", -1},           // the trail byte of 表 is not a yen mark
        {S("ソ"), "\x83", -1},          // nor is its lead byte a character by itself
        {"abc", "abcd", -1}, {"abc", "", -1}, {"aXbx", "x", 1}, {S("C:\\表\\DATA"), S("\\data"), 5},
    };
    for (const Row& r : rows) {
        TightBuffer t(r.text);
        EXPECT_EQ(offset(t, j_lstristr(t, r.pattern.c_str())), r.at) << show(r.text) << " / " << show(r.pattern);
    }
    EXPECT_EQ(j_lstristr(nullptr, "a"), nullptr);
    EXPECT_EQ(j_lstristr("a", nullptr), nullptr);
}

TEST(Search, Reverse) {
    struct Row { std::string text, pattern; long exact, ignoring_case; } rows[] = {
        {"abab", "ab", 2, 2}, {"abc", "abc", 0, 0}, {"abc", "d", -1, -1}, {S("表\\表"), "\\", 2, 2},
        {S("能能"), S("能"), 2, 2}, {"aAa", "a", 2, 2}, {"aAa", "A", 1, 2}, {"x", "xy", -1, -1},
        {"ABab", "ab", 2, 2}, {S("ＡａＡ"), S("ａ"), 2, 4}, {S("ソソ"), "\\", -1, -1}, {"", "a", -1, -1},
    };
    for (const Row& r : rows) {
        TightBuffer t(r.text);
        EXPECT_EQ(offset(t, j_lstrrstr(t, r.pattern.c_str())), r.exact) << show(r.text) << " / " << show(r.pattern);
        EXPECT_EQ(offset(t, j_lstrirstr(t, r.pattern.c_str())), r.ignoring_case) << show(r.text) << " / " << show(r.pattern);
        EXPECT_EQ(t.str(), r.text);  // left unchanged
    }
    EXPECT_EQ(j_lstrrstr(nullptr, "a"), nullptr);
}

// ---- Numbers

TEST(Numbers, Decimal) {
    struct Row { const char* text; int value; UINT unsigned_value; } rows[] = {
        {"123", 123, 123}, {"-45", -45, 0u - 45}, {"12ab", 12, 12}, {"", 0, 0}, {"-", 0, 0}, {"x1", 0, 0},
        {"2147483648", INT_MIN, 2147483648u}, {"4294967295", -1, 4294967295u}, {"007", 7, 7},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(__fatoi(r.text), r.value) << r.text;
        EXPECT_EQ(__fatol(r.text), LONG(r.value)) << r.text;
        EXPECT_EQ(__fatou(r.text), r.unsigned_value) << r.text;
        EXPECT_EQ(__fatolu(r.text), ULONG(r.unsigned_value)) << r.text;
    }
    EXPECT_EQ(__fatoi(nullptr), 0);
    EXPECT_EQ(__fatolu(nullptr), 0u);
}

TEST(Numbers, Hexadecimal) {
    struct Row { const char* text; int value; } rows[] = {
        {"1aF", 0x1af}, {"-10", -16}, {"0x1F", 0}, {"ffffffff", -1}, {"7FFFFFFF", 0x7fffffff}, {"g", 0}, {"", 0},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(__fatox(r.text), r.value) << r.text;
        EXPECT_EQ(__fatolx(r.text), LONG(r.value)) << r.text;
        EXPECT_EQ(__fatoux(r.text), UINT(r.value)) << r.text;
        EXPECT_EQ(__fatolux(r.text), ULONG(r.value)) << r.text;
    }
    EXPECT_EQ(__fatox(nullptr), 0);
}

TEST(Numbers, Double) {
    struct Row { const char* text; BOOL read; double value; } rows[] = {
        {"1.5", 1, 1.5}, {"-2.25", 1, -2.25}, {"3", 1, 3.0}, {"abc", 0, 0.0}, {"1.", 1, 1.0}, {".5", 1, 0.5},
        {"12.5x", 1, 12.5}, {"-", 0, 0.0}, {"", 0, 0.0}, {"0.1", 1, 0.1},
    };
    for (const Row& r : rows) {
        double value = 99;
        EXPECT_EQ(__fatof(r.text, &value), r.read) << r.text;
        EXPECT_EQ(value, r.value) << r.text;
    }
    EXPECT_FALSE(__fatof("1", nullptr));
}

TEST(Numbers, Grouping) {
    struct Row { const char* digits; const char* grouped; } rows[] = {
        {"123", "123"}, {"1234", "1,234"}, {"1234567", "1,234,567"}, {"", ""}, {"-1234", "-1,234"},
        {"1234.5678", "1,234.5678"}, {"12", "12"}, {"100000", "100,000"}, {"0", "0"},
    };
    for (const Row& r : rows) {
        char out[64] = "junk";
        EXPECT_EQ(ArrangeNumberFromString(r.digits, out), out);
        EXPECT_STREQ(out, r.grouped);
    }
    struct Big { DWORD low, high; const char* grouped; } bigs[] = {
        {0, 0, "0"}, {1234567, 0, "1,234,567"}, {0, 1, "4,294,967,296"}, {0xffffffff, 0xffffffff, "18,446,744,073,709,551,615"},
    };
    for (const Big& b : bigs) {
        char out[64];
        EXPECT_EQ(ArrangedNumber(b.low, b.high, out), out);
        EXPECT_STREQ(out, b.grouped);
    }
    PathBuffer out;  // 519 digits need 172 commas: more than a path holds
    EXPECT_EQ(ArrangeNumberFromString(std::string(519, '9').c_str(), out), nullptr);
    EXPECT_EQ(out.str(), "");
}

TEST(Numbers, FixedDecimals) {
    struct Row { double value; int decimals; const char* text; } rows[] = {
        {1.05, 1, "1.1"}, {2, 3, "2.000"}, {1.96, 1, "2.0"}, {-0.5, 1, "-0.5"}, {3.7, 0, "3"}, {0.125, 2, "0.13"},
        {5e9, 0, "5000000000"}, {-2.5, 0, "-2"}, {0.04, 3, "0.040"}, {123.456, 2, "123.46"}, {-1.25, 1, "-1.3"},
    };
    for (const Row& r : rows) {
        char out[64] = "junk";
        EXPECT_EQ(_GetStringFromDouble(out, r.value, r.decimals), int(strlen(r.text))) << r.value;
        EXPECT_STREQ(out, r.text) << r.value;
    }
    EXPECT_EQ(_GetStringFromDouble(nullptr, 1, 1), 0);
}

// ---- Moves inside a buffer

TEST(Moves, ForwardAndBackward) {
    PathBuffer b("abcdef");
    EXPECT_EQ(CopyForward(b, 2), 4);
    EXPECT_EQ(b.str(), "cdef");
    EXPECT_EQ(CopyForward(b, 0), 4);
    EXPECT_EQ(CopyBackward(b, 2), 6);
    EXPECT_EQ(b.str(), "cdcdef");  // room made at the front; its bytes are the old ones
    EXPECT_EQ(CopyForward(b, 10), 0);
    EXPECT_EQ(b.str(), "");
    struct Row { size_t len; int count; int result; } rows[] = {{517, 2, 519}, {518, 2, 0}, {519, 1, 0}, {0, 519, 519}, {0, 520, 0}};
    for (const Row& r : rows) {
        std::string text(r.len, 'x');
        PathBuffer p(text);
        EXPECT_EQ(CopyBackward(p, r.count), r.result) << r.len << "+" << r.count;
        if (!r.result) {
            EXPECT_EQ(p.str(), text);
        }
    }
    EXPECT_EQ(CopyBackward(nullptr, 1), 0);
}
