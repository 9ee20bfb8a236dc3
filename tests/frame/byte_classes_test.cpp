// Byte classes of code page 932, classification inside strings, readability
// and the name-length and language settings.
#include <gtest/gtest.h>
#include <windows.h>
#include "support/message_box_recorder.h"
#include "text_test_util.h"

using namespace text_test;
using ferro_test::MessageBoxRecorder;

// ---- Byte class tables

TEST(ByteClasses, RangeEdges) {
    struct Row { int c; BOOL lead, trail, kana; } rows[] = {
        {0x3f, 0, 0, 0}, {0x40, 0, 1, 0}, {0x5c, 0, 1, 0}, {0x7e, 0, 1, 0}, {0x7f, 0, 0, 0},
        {0x80, 0, 1, 0}, {0x81, 1, 1, 0}, {0x9f, 1, 1, 0}, {0xa0, 0, 1, 0}, {0xa1, 0, 1, 1},
        {0xdf, 0, 1, 1}, {0xe0, 1, 1, 0}, {0xfc, 1, 1, 0}, {0xfd, 0, 0, 0}, {0xff, 0, 0, 0},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(_myIskanji(r.c), r.lead) << std::hex << r.c;
        EXPECT_EQ(_myIskanji2(r.c), r.trail) << std::hex << r.c;
        EXPECT_EQ(myIskmoji(r.c), r.kana) << std::hex << r.c;
    }
    EXPECT_TRUE(_myIskanji(char(0x95)));  // a sign-extended char still classifies as its byte
    EXPECT_TRUE(IsJapaneseWindowsSystem());
}

// ---- Classification inside a string

TEST(Nthctype, Table) {
    struct Row { std::string text; int index; int type; } rows[] = {
        {"\x81\x81\x81", 0, 1}, {"\x81\x81\x81", 1, 2}, {"\x81\x81\x81", 2, 1},  // three lead-range bytes
        {S("a表b"), 0, 0}, {S("a表b"), 1, 1}, {S("a表b"), 2, 2}, {S("a表b"), 3, 0},
        {S("ソ\\"), 1, 2}, {S("ソ\\"), 2, 0},
        {S("能能"), 3, 2}, {S("能能"), 2, 1},
        {"\x81 ", 1, -1},                      // a lead byte before a byte that is no trail byte
        {"a\x81", 1, 1},                       // a lead byte at the end
        {"a\x81", 2, -1},                      // its NUL follows a lead byte
        {"abc", 3, 0},                         // the NUL itself
        {"abc", 4, 0}, {"abc", 400, 0},        // past the end: nothing is read there
        {"abc", -1, 0},
        {"\xe0\x40\xe0", 2, 1}, {"\xe0\x40\xe0", 1, 2},
    };
    for (const Row& r : rows) {
        TightBuffer b(r.text);
        EXPECT_EQ(_myNthctype(b, r.index), r.type) << show(r.text) << " @" << r.index;
        EXPECT_EQ(_myIskanjin(b, r.index), r.type == 1) << show(r.text) << " @" << r.index;
    }
}

TEST(Nthctype, NullStringShowsTheBox) {
    MessageBoxRecorder boxes({IDOK, IDOK});
    EXPECT_EQ(_myNthctype(nullptr, 3), 0);
    EXPECT_EQ(_myIskanjin(nullptr, 0), 0);
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_EQ(boxes.boxes()[0].text, "s=NUUL at _myNthctype()");
    EXPECT_EQ(boxes.boxes()[0].caption, "myjctype");
    EXPECT_EQ(boxes.boxes()[0].style, UINT(MB_OK));
    EXPECT_EQ(boxes.boxes()[1].text, "s=NUUL at _myIskanjin()");
    EXPECT_EQ(boxes.boxes()[1].caption, "myjctype");
}

TEST(IsCharacterFound, YenMarkOnlyAtSingleBytePositions) {
    TightBuffer b(S("C:\\表\\ソ"));  // 43 3A 5C 95 5C 5C 83 5C
    EXPECT_TRUE(IsCharacterFound(b, b, '\\', 2));
    EXPECT_FALSE(IsCharacterFound(b, b, '\\', 4));  // trail byte of 表
    EXPECT_TRUE(IsCharacterFound(b, b, '\\', 5));
    EXPECT_FALSE(IsCharacterFound(b, b, '\\', 7));  // trail byte of ソ
    EXPECT_TRUE(IsCharacterFound(b, b.get() + 3, '\\', 2));
    EXPECT_TRUE(IsCharacterFound(nullptr, b.get() + 4, '\\', 0));  // classified from the pointer itself
    EXPECT_FALSE(IsCharacterFound(b, nullptr, '\\', 0));
    EXPECT_FALSE(IsCharacterFound(b, b, '\\', 9));   // past the NUL
    EXPECT_FALSE(IsCharacterFound(b, b, '\\', -1));  // before the base
    EXPECT_FALSE(IsCharacterFound(b, b, ':', 2));
}

// ---- Readability

TEST(Readable, MultiByteTable) {
    struct Row { int a, b; BOOL ok; } rows[] = {
        {0x95, 0x5c, 1}, {0x81, 0x00, 1}, {0x81, 0x20, 0}, {0x81, 0x7f, 0}, {0x81, 0xfd, 0},
        {'a', 0, 1}, {' ', 0, 1}, {'\t', 0, 1}, {'\r', 0, 1}, {0x01, 0, 0}, {0x7f, 0, 0},
        {0xb1, 0, 1}, {0x80, 0, 1}, {0xfd, 0, 1},
    };
    for (const Row& r : rows) EXPECT_EQ(IsMultiByteReadable(r.a, r.b), r.ok) << std::hex << r.a << " " << r.b;
}

TEST(Readable, StringTable) {
    CharcterListIgnoredByIsStringReadable("\r\n");
    struct Row { std::string text; int replacement; BOOL ok; std::string after; } rows[] = {
        {S("表ソ能 abc"), 0, 1, S("表ソ能 abc")},
        {"line\r\n", 0, 1, "line\r\n"},                  // ignored characters
        {"a\tb\x01", '?', 0, "a?b?"},                     // every bad byte replaced
        {"a\tb\x01", 0, 0, "a\tb\x01"},                   // stops without touching
        {"x\x81 y", '_', 0, "x__y"},                      // both bytes of a bad pair
        {"x\x81", '_', 0, "x_"},                          // a lead byte at the end
        {"", 0, 1, ""},
    };
    for (const Row& r : rows) {
        PathBuffer b(r.text);
        EXPECT_EQ(_IsStringReadable(b, r.replacement), r.ok) << show(r.text);
        EXPECT_EQ(b.str(), r.after) << show(r.text);
    }
    EXPECT_FALSE(_IsStringReadable(nullptr, 0));
    CharcterListIgnoredByIsStringReadable("\t");
    PathBuffer tab("a\tb\r");
    EXPECT_FALSE(_IsStringReadable(tab, '#'));
    EXPECT_EQ(tab.str(), "a\tb#");
    EXPECT_EQ(CharcterListIgnoredByIsStringReadable(nullptr), 0);
}

TEST(Readable, DetectIsPrint) {
    struct Row { std::string text; long at; } rows[] = {
        {"\x01\x02" "abc", 2}, {S("\x01表"), 1}, {"\x01\x02", -1}, {S("\x01ｱ"), 1}, {"", -1}, {"x", 0},
    };
    for (const Row& r : rows) {
        TightBuffer b(r.text);
        EXPECT_EQ(offset(b, DetectIsPrint(b)), r.at) << show(r.text);
    }
}

// ---- Name-length, character-set and language settings

TEST(TextSettings, NameLengthsFollowTheSettings) {
    EXPECT_EQ(GetDosFilelen(), -1);  // long names by force at load
    EXPECT_EQ(GetDosDirlen(), 255);
    SetLengthForLongNameByForce(FALSE);
    EXPECT_EQ(SetCharacterSet(4), 4);  // bit 3 clear: short names
    EXPECT_EQ(GetDosFilelen(), 8);
    EXPECT_EQ(GetDosDirlen(), 12);
    SetCharacterSet(12);  // bit 3 set: long names
    EXPECT_EQ(GetDosFilelen(), -1);
    SetCharacterSet(4);
    SetCharacterSet(2);  // below 4: the choice stays
    EXPECT_EQ(GetDosDirlen(), 12);
    EXPECT_EQ(IsWhatCharacterSet(), 2);
    EXPECT_EQ(SetLengthForLongNameByForce(TRUE), TRUE);
    EXPECT_EQ(GetDosDirlen(), 255);
    SetCharacterSet(0);
}
