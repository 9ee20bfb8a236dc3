// The excluded-name lists: division into the entry table, the match of a
// path, inversion, the 255-entry limit, re-joining, reset and release.
#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>
#include <string>
#include "fileops/copy.h"
#include "support/sjis.h"

using ferro_test::sjis;

namespace {
class Exclusions : public testing::Test {
protected:
    void SetUp() override {
        ResetSeparatedExcludedFileForMyCopyFile();
        SetExcludedActiveForMyCopyFile(1);
    }
    void TearDown() override {
        ResetSeparatedExcludedFileForMyCopyFile();
        FreeMemoryForCopyExcludedString();
    }
    static void lists(const std::string& folders, const std::string& files, LONG mark = 0) {
        std::strcpy(GetExcludedNamePointerInMyCopyFile(0), folders.c_str());
        std::strcpy(GetExcludedNamePointerInMyCopyFile(1), files.c_str());
        ASSERT_EQ(DivideExcludedForMyCopyFile(mark), 2);
    }
    static int entries() {
        int n = 0;
        while (GetSeparatedExcludedFileForMyCopyFile(n)) ++n;
        return n;
    }
};

// ---- Division
TEST_F(Exclusions, DivisionGivesTypesAndPointers) {
    lists("CVS;.git", "Thumbs.db;*.tmp;backup.*;a*b");
    struct Row {
        const char* text;
        LONG type;
    } rows[] = {{"CVS", 4}, {".git", 4}, {"Thumbs.db", 3}, {".tmp", 2}, {"backup", 2}, {"a*b", 2}};
    ASSERT_EQ(entries(), 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_STREQ(GetSeparatedExcludedFileForMyCopyFile(i), rows[i].text) << i;
        EXPECT_EQ(GetExcludedTypeForMyCopyFile(i), rows[i].type) << i;
    }
    EXPECT_EQ(GetSeparatedExcludedFileForMyCopyFile(-1), nullptr);
    EXPECT_EQ(GetSeparatedExcludedFileForMyCopyFile(256), nullptr);
}

TEST_F(Exclusions, MarkedPatternsAndEmptyItems) {
    lists("", "x.y;*.bak;;after", 1);
    ASSERT_EQ(entries(), 2);  // the empty item ends the list
    EXPECT_EQ(GetExcludedTypeForMyCopyFile(0), 3);
    EXPECT_EQ(GetExcludedTypeForMyCopyFile(1), 514);
}

TEST_F(Exclusions, InactiveListsDivideToNothing) {
    SetExcludedActiveForMyCopyFile(0);
    std::strcpy(GetExcludedNamePointerInMyCopyFile(1), "a;b");
    EXPECT_EQ(DivideExcludedForMyCopyFile(0), 0);
    EXPECT_EQ(entries(), 0);
    EXPECT_EQ(IsExcludedFileForMyCopyFile("C:\\a", 3), 0);
}

TEST_F(Exclusions, TableStopsAt255Entries) {
    std::string many;
    for (int i = 0; i < 300; ++i) {
        many += 'n';
        many += std::to_string(i);
        many += ';';
    }
    lists("f1;f2", many);
    EXPECT_EQ(entries(), 255);
    EXPECT_STREQ(GetSeparatedExcludedFileForMyCopyFile(254), "n252");
    EXPECT_EQ(IsExcludedFileForMyCopyFile("C:\\n252", 3), 3);
    EXPECT_EQ(IsExcludedFileForMyCopyFile("C:\\n253", 3), 0);
    MakeCopyExcludedForMyCopyFile();
    EXPECT_EQ(std::string(GetExcludedNamePointerInMyCopyFile(1)), many.substr(0, many.size() - 1));
}

TEST_F(Exclusions, FullListTextStaysInsideItsBlock) {
    std::string full(4094, 'z');
    full[100] = ';';
    lists("", full);
    EXPECT_EQ(entries(), 2);
    EXPECT_EQ(std::strlen(GetSeparatedExcludedFileForMyCopyFile(1)), 4094u - 101u);
}

// ---- Matching
struct MatchRow { const char* path; LONG kind; LONG code; };

TEST_F(Exclusions, FileNamesAndPatterns) {
    lists("CVS", "Thumbs.db;*.tmp;backup.*;a*b;*.*");
    const MatchRow rows[] = {
        {"C:\\w\\A.TMP", 3, 2},         {"C:\\w\\x.tmp", 2, 2},        {"C:\\w\\x.tmp", 1, 0},
        {"C:\\w\\x.tmpl", 3, 0},        {"C:\\w\\backup.zip", 3, 2},   {"C:\\w\\BACKUP.Zip", 3, 2},
        {"C:\\w\\backup", 3, 0},        {"C:\\w\\backup2.zip", 3, 0},  {"C:\\w\\ab", 3, 0},
        {"C:\\w\\a*b", 3, 0},           {"C:\\w\\axb", 3, 0},          {"C:\\w\\thumbs.DB", 3, 3},
        {"C:\\w\\thumbs.DB", 1, 3},     {"thumbs.db", 3, 3},           {"C:\\w\\other.txt", 3, 0},
        {"C:\\CVS\\", 3, 0},
    };
    for (const MatchRow& row : rows)
        EXPECT_EQ(IsExcludedFileForMyCopyFile(row.path, row.kind), row.code) << row.path << " kind " << row.kind;
}

TEST_F(Exclusions, FoldersAreNamedWithAFinalYen) {
    lists("CVS;" + sjis("表"), "CVS");
    const MatchRow rows[] = {
        {"C:\\src\\cvs\\", 4, 4},
        {"C:\\src\\CVS", 4, 0},  // the last component before the final yen mark is "src"
        {"C:\\CVS\\x", 4, 4},
        {"C:\\", 4, 0},
    };
    for (const MatchRow& row : rows) EXPECT_EQ(IsExcludedFileForMyCopyFile(row.path, row.kind), row.code) << row.path;
    EXPECT_EQ(IsExcludedFileForMyCopyFile((sjis("C:\\ソ\\表") + "\\").c_str(), 4), 4);
    EXPECT_EQ(IsExcludedFileForMyCopyFile((sjis("C:\\表\\ソ") + "\\").c_str(), 4), 0);
}

TEST_F(Exclusions, TrailByteYenNamesAreWhole) {
    lists("", sjis("能力.txt;*.表"));
    EXPECT_EQ(IsExcludedFileForMyCopyFile(sjis("C:\\ソ\\能力.TXT").c_str(), 3), 3);
    EXPECT_EQ(IsExcludedFileForMyCopyFile(sjis("C:\\ソ\\x.表").c_str(), 3), 2);
    EXPECT_EQ(IsExcludedFileForMyCopyFile(sjis("C:\\表\\能").c_str(), 3), 0);
}

TEST_F(Exclusions, InvertedWordCopiesOnlyMatches) {
    lists("keep", "*.txt");
    SetExcludedActiveForMyCopyFile(3);
    EXPECT_EQ(IsExcludedFileForMyCopyFile("C:\\a.txt", 3), 0);
    EXPECT_EQ(IsExcludedFileForMyCopyFile("C:\\a.doc", 3), 1);
    EXPECT_EQ(IsExcludedFileForMyCopyFile("C:\\keep\\", 4), 0);
    EXPECT_EQ(IsExcludedFileForMyCopyFile("C:\\drop\\", 4), 1);
    // No entry of the kind: nothing is excluded, inverted or not.
    EXPECT_EQ(IsExcludedFileForMyCopyFile("C:\\a.doc", 0x200), 0);
    EXPECT_EQ(IsExcludedTypeForMyCopyFile(), 3);
    EXPECT_EQ(AddExcludedActiveForMyCopyFile(0x10), 0x10);
    EXPECT_EQ(IsExcludedTypeForMyCopyFile(), 0x13);
}

TEST_F(Exclusions, SavedTypesSwitchTheTableOff) {
    lists("", "a.txt");
    EXPECT_EQ(IsExcludedFileForMyCopyFile("C:\\a.txt", 3), 3);
    SaveExcludedTypeForMyCopyFile();
    EXPECT_EQ(GetExcludedTypeForMyCopyFile(0), 0);
    EXPECT_EQ(IsExcludedFileForMyCopyFile("C:\\a.txt", 3), 0);
    RecoverExcludedTypeForMyCopyFile();
    EXPECT_EQ(IsExcludedFileForMyCopyFile("C:\\a.txt", 3), 3);
    EXPECT_EQ(SetExcludedTypeForMyCopyFile(0, 4), 4);
    EXPECT_EQ(IsExcludedFileForMyCopyFile("C:\\a.txt", 3), 0);
    EXPECT_EQ(SetExcludedTypeForMyCopyFile(256, 4), 0);
}

TEST_F(Exclusions, BadInput) {
    lists("", "a");
    EXPECT_EQ(IsExcludedFileForMyCopyFile(nullptr, 3), 0);
    EXPECT_EQ(IsExcludedFileForMyCopyFile(std::string(600, 'a').c_str(), 3), 0);
    EXPECT_EQ(GetExcludedNamePointerInMyCopyFile(2), nullptr);
    EXPECT_EQ(GetExcludedNamePointerInMyCopyFile(-1), nullptr);
}

// ---- Re-joining, reset, release
TEST_F(Exclusions, JoiningRestoresTheText) {
    lists("CVS;tmp;", "Thumbs.db;*.tmp;backup.*;a*b;");
    MakeCopyExcludedForMyCopyFile();
    EXPECT_STREQ(GetExcludedNamePointerInMyCopyFile(0), "CVS;tmp");
    EXPECT_STREQ(GetExcludedNamePointerInMyCopyFile(1), "Thumbs.db;*.tmp;backup.*;a*b");
    EXPECT_EQ(entries(), 0);
    ASSERT_EQ(DivideExcludedForMyCopyFile(0), 2);
    EXPECT_EQ(entries(), 6);
}

TEST_F(Exclusions, JoiningLeavesMarkedPatternsCut) {
    lists("", "keep.txt;*.one;*.two", 1);
    MakeCopyExcludedForMyCopyFile();
    EXPECT_STREQ(GetExcludedNamePointerInMyCopyFile(1), "keep.txt;*.one");
}

TEST_F(Exclusions, ResetAndFree) {
    lists("d", "f");
    EXPECT_EQ(ResetSeparatedExcludedFileForMyCopyFile(), 1);
    EXPECT_EQ(IsExcludedTypeForMyCopyFile(), 0);
    EXPECT_STREQ(GetExcludedNamePointerInMyCopyFile(1), "");
    EXPECT_EQ(entries(), 0);
    EXPECT_EQ(FreeMemoryForCopyExcludedString(), 1);
    EXPECT_EQ(FreeMemoryForCopyExcludedString(), 0);
    EXPECT_NE(GetExcludedNamePointerInMyCopyFile(0), nullptr);
}
}  // namespace
