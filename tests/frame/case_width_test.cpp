// Upper and lower case, and full-width / half-width katakana.
#include <gtest/gtest.h>
#include <windows.h>
#include "text_test_util.h"

using namespace text_test;

// ---- Case

TEST(Case, ConvertTable) {
    struct Row { std::string text; int mode; std::string after; } rows[] = {
        {S("abcXYZ表ａ"), 1, S("ABCXYZ表Ａ")},
        {S("abcXYZ表Ａ"), 2, S("abcxyz表ａ")},
        {"abcXYZ", 0, "abcXYZ"},
        {"abc", 3, "ABC"},
        {S("αβ"), 1, S("ΑΒ")},
        {S("ДЖ"), 2, S("дж")},
        {S("ｱｲｳ表ソ能"), 1, S("ｱｲｳ表ソ能")},
        {"a\x81", 1, "A\x81"},                 // a lead byte at the end stays
        {"\xed\x40" "a\xfa\x5c", 1, "\xed\x40" "A\xfa\x5c"},  // a character of two spellings keeps its bytes
        {"\x81" "a", 1, "\x81" "a"},           // the second byte of a pair is no letter
    };
    for (const Row& r : rows) {
        PathBuffer b(r.text);
        EXPECT_EQ(ConvertDosCharacterSet(b, r.mode), b.get());
        EXPECT_EQ(b.str(), r.after) << show(r.text) << " mode " << r.mode;
    }
    PathBuffer b(S("Aa表"));
    EXPECT_EQ(AnsiUpperMacro(b), b.get());
    EXPECT_EQ(b.str(), S("AA表"));
    EXPECT_EQ(AnsiLowerMacro(b), b.get());
    EXPECT_EQ(b.str(), S("aa表"));
    EXPECT_EQ(AnsiLowerMacro(nullptr), nullptr);
}

TEST(Case, OneCharacter) {
    struct Row { int c, upper, lower; } rows[] = {
        {'a', 'A', 'a'}, {'A', 'A', 'a'}, {'z', 'Z', 'z'}, {'1', '1', '1'}, {0, 0, 0}, {-5, -5, -5},
        {0xb1, 0xb1, 0xb1}, {0x161, 0x161, 0x161},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(SetCharacterUpper(r.c), r.upper) << r.c;
        EXPECT_EQ(SetCharacterLower(r.c), r.lower) << r.c;
    }
}

TEST(Case, ReformedNameForEmptyShortName) {
    struct Row { std::string path; const char* short_name; int mode; BOOL done; std::string after; } rows[] = {
        {"C:\\PROGRAM FILES\\MY APP", "", 2, 1, "C:\\Program files\\My app"},
        {"C:\\PROGRAM FILES", "", 1, 0, "C:\\PROGRAM FILES"},
        {"C:\\PROGRAM FILES", "PROGRA~1", 2, 0, "C:\\PROGRAM FILES"},
        {"C:\\PROGRAM FILES", nullptr, 0, 1, "C:\\Program files"},
        {S("表\\ABC"), "", 2, 0, S("表\\ABC")},           // begins with a double-byte character
        {S("C:\\表\\ABC"), "", 2, 1, S("C:\\表\\Abc")},
        {S("C:\\表ABC"), "", 2, 1, S("C:\\表abc")},        // 表's trail byte is no yen mark
        {S("C:\\ソ\\能X"), "", 2, 1, S("C:\\ソ\\能x")},
        {"", "", 2, 0, ""},
    };
    for (const Row& r : rows) {
        PathBuffer b(r.path);
        EXPECT_EQ(GetReformed95PathNameForEmptyShortName(b, r.short_name, r.mode), r.done) << show(r.path);
        EXPECT_EQ(b.str(), r.after) << show(r.path);
    }
    EXPECT_EQ(SetLongNameReformedIfShortNameIsEmpty(FALSE), FALSE);
    PathBuffer b("C:\\ABC");
    EXPECT_FALSE(GetReformed95PathNameForEmptyShortName(b, "", 0));
    EXPECT_TRUE(GetReformed95PathNameForEmptyShortName(b, "", 2));
    SetLongNameReformedIfShortNameIsEmpty(TRUE);
}

// ---- Full-width to half-width

TEST(Width, FullToHalfTable) {
    struct Row { const char* full; const char* half; } rows[] = {
        {"アイウ", "ｱｲｳ"}, {"ガギ", "ｶﾞｷﾞ"}, {"パピ", "ﾊﾟﾋﾟ"}, {"ヴ", "ｳﾞ"},
        {"ヮヰヱヵヶ", "ヮヰヱヵヶ"},       // no single-byte equivalent
        {"表ソ能", "表ｿ能"},               // ソ (83 5C) loses its 0x5C trail byte
        {"ー", "ー"}, {"ABC", "ABC"}, {"ａ", "ａ"}, {"あ", "あ"},
        {"ヲンァッョ", "ｦﾝｧｯｮ"},
        {"ガギグゲゴザジズゼゾダヂヅデドバビブベボパピプペポ", "ｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞｼﾞｽﾞｾﾞｿﾞﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ"},
    };
    for (const Row& r : rows) {
        PathBuffer b(S(r.full));
        EXPECT_TRUE(_ReplaceFullPitchJpnByHalfPitchJpn(b));
        EXPECT_EQ(b.str(), S(r.half)) << r.full;
    }
    EXPECT_TRUE(_ReplaceFullPitchJpnByHalfPitchJpn(nullptr));
    PathBuffer lone("\x83");
    EXPECT_TRUE(_ReplaceFullPitchJpnByHalfPitchJpn(lone));
    EXPECT_EQ(lone.str(), "\x83");
}

TEST(Width, FullToHalfAgreesWithThePlatform) {
    // Every katakana of the code page, converted alone, against LCMapString's half-width mapping.
    for (unsigned code = 0x8340; code <= 0x8396; ++code) {
        if (code == 0x837f) continue;
        char full[3] = {char(code >> 8), char(code & 0xff), 0};
        char platform[8] = {};
        int n = LCMapStringA(MAKELCID(0x411, SORT_DEFAULT), LCMAP_HALFWIDTH, full, 2, platform, sizeof platform);
        ASSERT_GT(n, 0);
        PathBuffer b(full);
        _ReplaceFullPitchJpnByHalfPitchJpn(b);
        EXPECT_EQ(b.str(), std::string(platform, n)) << std::hex << code;
    }
}

// ---- Half-width to full-width

TEST(Width, HalfToFullTables) {
    struct Row { const char* half; int mode; const char* full; } rows[] = {
        {"ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜｦﾝｧｨｩｪｫｯｬｭｮ", 2,
         "アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワヲンァィゥェォッャュョ"},
        {"ｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞｼﾞｽﾞｾﾞｿﾞﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ", 6,
         "ガギグゲゴザジズゼゾダヂヅデドバビブベボパピプペポ"},
        {"ｶﾞ", 6, "ガ"}, {"ｶﾞ", 2, "カﾞ"}, {"ｶﾞ", 4, "ガ"}, {"ｱﾞ", 6, "アﾞ"}, {"ﾊﾟ", 4, "パ"},
        {"ab Z", 1, "ＡＢＺ"},
        {"ｱｲｳ abc ﾊﾟ", 7, "アイウＡＢＣパ"},
        {"ｰ｡", 7, "ｰ｡"},                   // the long-vowel mark and punctuation have no entry
        {"表ｿ能", 2, "表ソ能"},
        {"ab", 2, "ab"},
    };
    for (const Row& r : rows) {
        PathBuffer b(S(r.half));
        EXPECT_EQ(ChangeOneByteCodeToTwoByteCode(nullptr, b, r.mode), b.get());
        EXPECT_EQ(b.str(), S(r.full)) << r.half << " mode " << r.mode;
    }
    PathBuffer in(S("ｱ b")), out("junk");
    EXPECT_EQ(ChangeOneByteCodeToTwoByteCode(out, in, 3), out.get());
    EXPECT_EQ(out.str(), S("アＢ"));
    EXPECT_EQ(in.str(), S("ｱ b"));  // the input stays
}
