// Quotation marks round long names, option separators and the splitting of
// command lines into program and arguments.
#include <gtest/gtest.h>
#include <windows.h>
#include "text_test_util.h"

using namespace text_test;

// ---- Marks at the two ends

TEST(Quotation, MarkThere) {
    TightBuffer b("\"a\x81\"");  // the last mark is the second byte of a pair
    EXPECT_TRUE(Is95QuotationMarkThere(b, 0));
    EXPECT_FALSE(Is95QuotationMarkThere(b, 1));
    EXPECT_FALSE(Is95QuotationMarkThere(b, 3));
    EXPECT_FALSE(Is95QuotationMarkThere(b, 10));
    EXPECT_FALSE(Is95QuotationMarkThere(nullptr, 0));
}

TEST(Quotation, AddTable) {
    struct Row { std::string text; BOOL added; std::string after; } rows[] = {
        {"a b", 1, "\"a b\""}, {"\"a b\"", 0, "\"a b\""}, {S("C:\\表 ソ"), 1, S("\"C:\\表 ソ\"")}, {"", 0, ""},
        {std::string(517, 'x'), 1, "\"" + std::string(517, 'x') + "\""}, {std::string(518, 'x'), 0, std::string(518, 'x')},
    };
    for (const Row& r : rows) {
        PathBuffer b(r.text);
        EXPECT_EQ(Add95Quotation(b), r.added) << r.text.size();
        EXPECT_EQ(b.str(), r.after);
    }
}

TEST(Quotation, AddForAnySpace) {
    struct Row { std::string text; long space; std::string after; } rows[] = {
        {"a b", 2, "\"a b\""}, {"ab", -1, "ab"}, {"\"a b\"", -1, "\"a b\""}, {"\"a b", -1, "\"a b"},  // begins with a mark: left alone
        {S("表 能"), 3, S("\"表 能\"")}, {"\x81 b", -1, "\x81 b"},
    };
    for (const Row& r : rows) {
        PathBuffer b(r.text);
        EXPECT_EQ(offset(b, Add95QuotationForAnySpaceIfNotThere(b)), r.space) << show(r.text);
        EXPECT_EQ(b.str(), r.after) << show(r.text);
    }
}

TEST(Quotation, Remove) {
    struct Row { std::string text; BOOL removed; std::string after; } rows[] = {
        {"\"a b\"", 1, "a b"}, {"ab", 0, "ab"}, {"\"ab", 1, "ab"}, {"x \"a b\" y", 1, "x a b"}, {"", 0, ""},
        {S("\"表 ソ\""), 1, S("表 ソ")},
    };
    for (const Row& r : rows) {
        PathBuffer b(r.text);
        EXPECT_EQ(Remove95Quotation(b), r.removed) << r.text;
        EXPECT_EQ(b.str(), r.after);
    }
}

TEST(Quotation, Adjust) {
    struct Row { std::string text; BOOL add; std::string after; } rows[] = {
        {"a b", 1, "\"a b\""}, {"\"a b", 1, "\"a b\""}, {"a b\"", 1, "\"a b\""}, {"\"a b\"", 1, "\"a b\""},
        {"\"a b\"", 0, "a b"}, {"\"ab", 0, "ab"}, {"ab\"", 0, "ab"}, {"ab", 0, "ab"}, {"\"", 0, ""},
        {std::string(518, 'x'), 1, std::string(518, 'x')},  // no room for two marks
        {std::string(518, 'x') + "\"", 1, std::string(518, 'x') + "\""},
        {std::string(517, 'x') + "\"", 1, "\"" + std::string(517, 'x') + "\""},
    };
    for (const Row& r : rows) {
        PathBuffer b(r.text);
        char* p = b;
        Adjust95Quotatin(&p, r.add);
        EXPECT_EQ(p, b.get());
        EXPECT_EQ(b.str(), r.after) << r.text.size();
    }
}

TEST(Quotation, AddUnbalanced) {
    struct Row { std::string text; BOOL keep; std::string after; } rows[] = {
        {"\"a b", 0, "\"a b\""}, {"a b\"", 0, "\"a b\""},
        {"\"ab\"", 0, "ab"}, {"\"ab\"", 1, "\"ab\""},  // no space: the marks go unless kept
        {"\"ab", 0, "ab"}, {"\"ab", 1, "\"ab\""}, {"ab", 0, "ab"}, {"\"", 0, ""},
        {S("\"C:\\表 能"), 0, S("\"C:\\表 能\"")},
        {"\"a b" + std::string(515, 'x'), 0, "a b" + std::string(515, 'x')},  // 519 bytes: no room, the lone mark goes
        {std::string(516, 'x') + " b\"", 0, std::string(516, 'x') + " b"},
        {std::string(515, 'x') + " b\"", 0, "\"" + std::string(515, 'x') + " b\""},
    };
    for (const Row& r : rows) {
        PathBuffer b(r.text);
        char* p = b;
        AddUnbalanced95Quotatin(&p, r.keep);
        EXPECT_EQ(b.str(), r.after) << r.text.size();
    }
    EXPECT_FALSE(AddUnbalanced95Quotatin(nullptr, 0));
}

// ---- Separators outside quoted parts

TEST(Quotation, SkipAndSpaces) {
    struct Row { std::string text; long skip, outside, separator; } rows[] = {
        {"\"a b\" c d", 5, 5, 5},
        {"a b", 0, 1, 1},
        {S("\"C:\\表 能\\x\" -y"), 12, 12, 12},  // a quoted name with Japanese text is one unit
        {"x \"a b\" c", 7, 7, 1},
        {"\"a b", 0, 2, -1},                       // unclosed: the start
        {"\"a\" \"b c\" d", 3, 3, 3},
        {"\"a\"\"b c\" d", 3, 5, 8},
    };
    for (const Row& r : rows) {
        TightBuffer b(r.text);
        EXPECT_EQ(offset(b, Skip95Quotation(b)), r.skip) << show(r.text);
        EXPECT_EQ(offset(b, FindSpaceOutside95Quotation(b)), r.outside) << show(r.text);
        EXPECT_EQ(offset(b, FindSpaceAs95OptionSeparator(b)), r.separator) << show(r.text);
    }
}

TEST(Quotation, OptionSeparators) {
    TightBuffer b("a\x81\"b\"c\"");  // 0x81 0x22 is a pair: its mark is no mark
    EXPECT_EQ(offset(b, Find95OptionSeparator(-1, b)), 4);
    EXPECT_EQ(offset(b, Find95OptionSeparator(4, b)), -1);
    EXPECT_EQ(offset(b, Find95OptionSeparator(5, b)), 4);
    EXPECT_EQ(offset(b, Find95OptionSeparatorFromEnd(b)), 6);
    TightBuffer none("abc");
    EXPECT_EQ(Find95OptionSeparatorFromEnd(none), nullptr);

    PathBuffer out("junk");
    EXPECT_EQ(RemoveAll95OptionSeparator(out, S("\"a\" \"表\"").c_str()), out.get());
    EXPECT_EQ(out.str(), S("a 表"));
    PathBuffer same("\"x\"y\"");
    RemoveAll95OptionSeparator(nullptr, same);
    EXPECT_EQ(same.str(), "xy");
    std::string big(600, 'q');  // longer than a path: the copy stops at 519 bytes
    PathBuffer bounded;
    RemoveAll95OptionSeparator(bounded, big.c_str());
    EXPECT_EQ(bounded.str(), std::string(519, 'q'));
}

// ---- Command lines

TEST(CommandLine, ProgramEnd) {
    struct Row { std::string line; int mode; long space; } rows[] = {
        {"\"C:\\Program Files\\a.exe\" -x", 0, 24},
        {"  \"C:\\a b\\c.exe\" x", 0, 16},
        {"\"C:\\a b\\c.exe\"", 0, -1},
        {"C:\\Program Files\\app\\app.exe -x", 0, 28},   // the first space after the period
        {"notepad a.txt", 0, 7},                          // no space after the period: by spaces
        {"C:\\Program Files\\x\\prog C:\\a.txt", 0, 23},
        {"C:\\Program Files\\App\\app -x", 0, 24},
        {"C:\\a\\prog \\\\srv\\x", 0, 9},
        {"C:\\Program Files\\app", 0, -1},
        {"prog a b", 1, 4},
        {"a\"b c\"d e", 1, 7},
        {S("C:\\表 能\\x.exe y"), 0, 14},
        {"", 0, -1},
    };
    for (const Row& r : rows) {
        TightBuffer b(r.line);
        EXPECT_EQ(offset(b, FindSpaceAsOptionSeparator(b, r.mode)), r.space) << show(r.line);
    }
}

TEST(CommandLine, ExtractAndRecover) {
    struct Row { std::string line; int mode; std::string program, arguments, split; } rows[] = {
        {"\"C:\\a b\\c.exe\" -x", 0, "C:\\a b\\c.exe", " -x", "\"C:\\a b\\c.exe"},
        {"\"C:\\a b\\c.exe\" -x", 1, "C:\\a b\\c.exe  -x", " -x", "\"C:\\a b\\c.exe  -x"},
        {"C:\\win\\notepad.exe C:\\a.txt", 0, "C:\\win\\notepad.exe", "C:\\a.txt", "C:\\win\\notepad.exe"},
        {"C:\\win\\notepad.exe", 0, "C:\\win\\notepad.exe", "", "C:\\win\\notepad.exe"},
        {"prog a b", 1, "prog a b", "a b", "prog a b"},
        {S("\"C:\\表\\ソ 能.exe\" /s"), 0, S("C:\\表\\ソ 能.exe"), " /s", S("\"C:\\表\\ソ 能.exe")},
    };
    for (const Row& r : rows) {
        PathBuffer b(r.line);
        char* arguments = nullptr;
        char* program = ExtractExefile(b, &arguments, r.mode);
        ASSERT_NE(program, nullptr);
        EXPECT_EQ(std::string(program), r.program) << show(r.line);
        ASSERT_NE(arguments, nullptr);
        EXPECT_EQ(std::string(arguments), r.arguments) << show(r.line);
        EXPECT_EQ(b.str(), r.split) << show(r.line);
        RecoverExefile(b);
        EXPECT_EQ(b.str(), r.line);
    }
    PathBuffer other("x y");
    PathBuffer line("a.exe b");
    ExtractExefile(line, nullptr, 0);
    EXPECT_FALSE(RecoverExefile(other));  // not the line that was split
    EXPECT_TRUE(RecoverExefile(line));
    EXPECT_FALSE(RecoverExefile(line));   // only once
    EXPECT_EQ(ExtractExefile(nullptr, nullptr, 0), nullptr);
}

TEST(CommandLine, ByteSubstitutions) {
    PathBuffer b(S("a b|\"表 c\""));
    EXPECT_EQ(ReplaceSpaceByAlertBell(b), 2);
    EXPECT_EQ(b.str(), S("a\x07" "b|\"表\x07" "c\""));
    EXPECT_EQ(Replace95QuotationMarkByBkspace(b), 2);
    EXPECT_EQ(b.str(), S("a\x07" "b|\x08表\x07" "c\x08"));
    EXPECT_EQ(ReplaceBkspaceAndCommandSparator(b), 5);
    EXPECT_EQ(b.str(), S("a b \"表 c\""));
    EXPECT_TRUE(ReplaceSpaceByAlertBell(b));
    EXPECT_TRUE(ReplaceAlertBellBySpace(b));
    EXPECT_FALSE(ReplaceAlertBellBySpace(b));
    Replace95QuotationMarkByBkspace(b);
    EXPECT_TRUE(ReplaceTabBy95QuotationMark(b));
    EXPECT_FALSE(ReplaceTabBy95QuotationMark(b));
    EXPECT_EQ(b.str(), S("a b \"表 c\""));

    PathBuffer name("C:\\a b\\c");
    EXPECT_EQ(offset(name, AddBkspaceForAnySpaceIfNotThere(name)), 5);
    EXPECT_EQ(name.str(), "\x08" "C:\\a b\\c\x08");
    EXPECT_EQ(ReplaceSpaceByAlertBell(nullptr), 0);
}
