#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "frame/memory_blocks.h"
#include "listing/selection.h"
#include "programs/launch.h"
#include "support/sjis.h"
#include "support/temp_folder.h"

using ferro_test::sjis;
using ferro_test::utf8;

namespace {
// Selected files in the temporary block, `count` of them.
void select_files(int count) {
    std::string list;
    for (int i = 0; i < count; ++i) (list += i ? " f" : "f") += std::to_string(i) += ".txt";
    SaveToGlobal_ghTempMemory(nullptr, list.c_str());
}

struct Expansion {
    std::string commandTemplate, file, output;
    LONG flags;
};

void expect_expansions(const Expansion* first, const Expansion* last) {
    for (; first != last; ++first) {
        char out[520] = "junk";
        EXPECT_EQ(ExpandKeywords(nullptr, first->commandTemplate.c_str(), first->file.c_str(), out, '$'),
                  first->flags)
            << utf8(first->commandTemplate);
        EXPECT_EQ(std::string(out), first->output) << utf8(first->commandTemplate);
    }
}
}  // namespace

TEST(CommandMacros, ExpandsEveryMacroLetter) {
    ferro_test::TempFolder temp;
    const std::string folder = temp.folder(sjis("表 ソ"));
    ASSERT_NE(SaveCurDirectoryWith95Format(nullptr, folder.c_str(), 2), 0);
    const std::string current = GetCurDirectory(2);
    const std::string hyou = sjis("表"), so = sjis("ソ"), nou = sjis("能");
    select_files(3);
    const Expansion rows[] = {
        {"edit $C", "C:\\dir\\a b.txt", "edit \"C:\\dir\\a b.txt\"", 0x20},
        {"edit \"$C\"", "C:\\dir\\a b.txt", "edit \"C:\\dir\\a b.txt\"", 0x20},  // quoted once
        {"edit \"$C\"", "C:\\dir\\ab.txt", "edit C:\\dir\\ab.txt", 0x20},       // marks only for spaces
        {"edit $c", "\"C:\\dir\\ab.txt\"", "edit C:\\dir\\ab.txt", 0x20},        // the name's marks go
        {"$C", "C:\\dir\\" + nou, "C:\\dir\\" + nou, 0},                          // last byte 0x5C, no extension
        {"$C", "C:\\my dir\\" + nou, "\"C:\\my dir\\" + nou + "\"", 0},
        {"ren $C $X.bak", "C:\\d\\" + hyou + ".txt", "ren C:\\d\\" + hyou + ".txt C:\\d\\" + hyou + ".bak", 0xa0},
        {"\"$X\".bak", "C:\\my d\\" + so + ".txt", "\"C:\\my d\\" + so + "\".bak", 0x80},
        {"$X", "C:\\d.d\\" + so, "C:\\d.d\\" + so, 0x80},  // a period of a folder is no extension
        {"cd $P", "", "cd \"" + current + "\"", 0x10},
        {"$D\\x", "", current.substr(0, 2) + "\\x", 0x08},
        {"a$Kb", "", "ab", 0x100},
        {"list $M -x", "", "list ", 0x01},
        {"list \"$T\" -x", "", "list ", 0x02},
        {"list $TA", "", "list ", 0x02},  // ten files or fewer
        {"$$C and $$$X", "a.txt", "$C and $$X", 0},
        {"cost $5 $Q end$", "", "cost $5 $Q end$", 0x200},
        {"   lead $C", "a.txt", "lead a.txt", 0x20},
        {"no macro", "a.txt", "no macro", 0},
    };
    expect_expansions(std::begin(rows), std::end(rows));

    select_files(11);
    const Expansion many[] = {{"$TA", "", "", 0x04}, {"$T", "", "", 0x02}};
    expect_expansions(std::begin(many), std::end(many));

    ASSERT_NE(SaveCurDirectoryWith95Format(nullptr, "C:\\", 2), 0);
    const Expansion root[] = {{"cd $P", "", "cd C:", 0x10}, {"$D", "", "C:", 0x08}};
    expect_expansions(std::begin(root), std::end(root));

    EXPECT_EQ(SetNoAuto95QuotationForMacroExpansion(1), 1);
    const Expansion plain[] = {
        {"edit $C", "a b.txt", "edit a b.txt", 0x20},
        {"edit \"$C\"", "a b.txt", "edit \"a b.txt\"", 0x20},
    };
    expect_expansions(std::begin(plain), std::end(plain));
    SetNoAuto95QuotationForMacroExpansion(0);
    EXPECT_EQ(IsNoAuto95QuotationForMacroExpansion(), 0);
    SaveToGlobal_ghTempMemory(nullptr, "");
}

TEST(CommandMacros, ResultsThatDoNotFitAreRefused) {
    char out[520] = "junk";
    std::string fits(510, 'a');
    EXPECT_EQ(ExpandKeywords(nullptr, (fits + " $C").c_str(), "1234567", out, '$'), 0);
    EXPECT_EQ(std::string(out).size(), 518u);
    EXPECT_EQ(ExpandKeywords(nullptr, (fits + " $C").c_str(), "12345678", out, '$'), 0) << "519 bytes fit";
    EXPECT_EQ(ExpandKeywords(nullptr, (fits + " $C").c_str(), "123456789", out, '$'), -1) << "520 do not";
    EXPECT_STREQ(out, "");
    EXPECT_EQ(ExpandKeywords(nullptr, std::string(520, 'a').c_str(), "", out, '$'), -1);
    EXPECT_EQ(ExpandKeywords(nullptr, nullptr, nullptr, out, '$'), 0) << "no template: an empty line";
    EXPECT_EQ(ExpandKeywords(nullptr, "$C", "x", nullptr, '$'), -1);
}

TEST(CommandMacros, CommandCharacterStarts) {
    struct Row {
        const char* text;
        LONG result;
        int advance;  // -1: the pointer becomes null
    };
    const Row rows[] = {{"$C\"x", 2048, 2}, {"$TA x", 1, 3}, {"$t", 1, 2}, {"$K", 0, -1}, {"$Z", 0, -1}};
    for (const Row& r : rows) {
        std::string text = r.text;
        LPSTR p = text.data();
        EXPECT_EQ(IsCommandCharacterStartingFromCmdChar(&p), r.result) << r.text;
        EXPECT_EQ(p, r.advance < 0 ? nullptr : text.data() + r.advance) << r.text;
    }
}

TEST(CommandMacros, EffectiveCharacters) {
    EXPECT_STREQ(InitEffectiveCharctersForCommandMacro(), "+-/*%#@~()<>[]{}*?.;:");
    EXPECT_STREQ(SaveEffectiveCharctersForCommandMacro(nullptr, "+-"), "+-");
    EXPECT_STREQ(SaveEffectiveCharctersForCommandMacro(nullptr, nullptr), "+-") << "null keeps it";
}
