// Going up from a folder, relative signs, and rewriting paths relative to a
// base folder and back.
#include <gtest/gtest.h>
#include <windows.h>
#include "frame/folder_signs.h"
#include "support/temp_folder.h"
#include "text_test_util.h"

using namespace text_test;
using ferro_test::TempFolder;

// ---- One folder up

TEST(UpperDirectory, Table) {
    struct Row { std::string path; int code; std::string after; } rows[] = {
        {"C:\\", -10, "C:\\"},
        {"C:\\a", -30, "C:\\"},
        {"C:\\a\\b", -20, "C:\\a"},
        {S("C:\\表"), -30, "C:\\"},          // 表's trail byte is not the last yen mark
        {S("C:\\表\\能"), -20, S("C:\\表")},
        {S("C:\\a\\ソ"), -20, "C:\\a"},
        {S("表\\ソ"), -20, S("表")},
        {S("C:\\ソ\\"), -30, "C:\\"},         // a folder written with a final yen mark
        {"", 0, ""},
        {"abc", 0, "abc"},
        {"\"C:\\a b\\c d\"", -20, "\"C:\\a b\""},
        {"\"C:\\ab\\c d\"", -20, "C:\\ab"},
        {"\"C:\\a b\"", -30, "C:\\"},
        {"\\\\server\\share", -20, "\\\\server"},
        {"\\\\server", -30, "\\\\"},
        {"\\\\", -10, "\\\\"},
        {"\\:\\Net", -30, "\\:\\"},
        {"\\", -10, "\\"},
    };
    for (const Row& r : rows) {
        PathBuffer b(r.path);
        EXPECT_EQ(GetUpperDirectory(b), r.code) << show(r.path);
        EXPECT_EQ(b.str(), r.after) << show(r.path);
    }
    EXPECT_EQ(GetUpperDirectory(nullptr), 0);
}

TEST(UpperDirectory, ObtainedGoesUpToAnExistingFolder) {
    TempFolder tmp;
    std::string existing = tmp.folder(S("表\\ソ"));
    PathBuffer deep(existing + S("\\能\\無い"));
    EXPECT_EQ(IsUpperDirectoryObtained(deep), -20);
    EXPECT_EQ(deep.str(), existing);
    PathBuffer there(existing);
    EXPECT_EQ(IsUpperDirectoryObtained(there), 0);
    EXPECT_EQ(there.str(), existing);
    PathBuffer drive_only("C:\\no-such-folder-here");
    EXPECT_EQ(IsUpperDirectoryObtained(drive_only), -30);
    EXPECT_EQ(drive_only.str(), "C:\\");
    PathBuffer missing_drive("Q:\\no\\such");
    EXPECT_EQ(IsUpperDirectoryObtained(missing_drive), -10);
    PathBuffer no_yen("abc");
    EXPECT_EQ(IsUpperDirectoryObtained(no_yen), -1);
}

// ---- Relative signs

TEST(RelativeSigns, Positions) {
    struct Row { std::string path; long any, upper; } rows[] = {
        {".\\a", 0, -1}, {"..\\a", 0, 0}, {"a\\..\\b", 2, 2}, {"a\\.\\b", 2, -1}, {".bashrc", -1, -1},
        {"a\\..", 2, 2}, {"a.\\b", -1, -1}, {S("表\\..\\x"), 3, 3}, {S("ソ.\\x"), -1, -1}, {"", -1, -1},
        {"\\..\\x", 1, 1}, {"...\\x", -1, -1},
    };
    for (const Row& r : rows) {
        TightBuffer b(r.path);
        EXPECT_EQ(offset(b, IsRelativePathSignHere(b)), r.any) << show(r.path);
        EXPECT_EQ(offset(b, IsRelativeUpperPathHere(b)), r.upper) << show(r.path);
    }
}

TEST(RelativeSigns, WholeNames) {
    EXPECT_TRUE(IsSelfDirSign("."));
    EXPECT_FALSE(IsSelfDirSign(".."));
    EXPECT_FALSE(IsSelfDirSign(".\\"));
    EXPECT_TRUE(IsUpperDirSign(".."));
    EXPECT_FALSE(IsUpperDirSign("..."));
    EXPECT_TRUE(IsSelfDirSignCharcterAtHead(".x"));
    EXPECT_TRUE(IsUpperDirSignCharcterAtHead("..x"));
    EXPECT_FALSE(IsUpperDirSignCharcterAtHead(".x"));
    EXPECT_FALSE(IsSelfDirSign(nullptr));
}

// ---- Resolving signs against a base folder

TEST(DirSign, Table) {
    struct Row { std::string path, base, after; } rows[] = {
        {".", "C:\\a\\b", "C:\\a\\b"},
        {"..", "C:\\a\\b", "C:\\a"},
        {"..\\x", "C:\\a\\b", "C:\\a\\x"},
        {".\\x", "C:\\a", "C:\\a\\x"},
        {"\\x", "C:\\a\\b", "C:\\x"},
        {"x", "C:\\a", "C:\\a\\x"},
        {"..\\..\\..", "C:\\a\\b", "C:\\"},
        {"..\\..\\..\\..\\x", "C:\\a", "C:\\x"},  // stops at the root
        {"..\\x", "\"C:\\a b\\c\"", "C:\\a b\\x"},
        {"\"..\\x y\"", "C:\\a\\b", "\"C:\\a\\x y\""},
        {S("..\\表"), S("C:\\ソ\\能"), S("C:\\ソ\\表")},
        {S("..\\..\\x"), S("C:\\表\\能"), "C:\\x"},
        {"..\\x", "C:\\a\\b\\", "C:\\a\\x"},
        {".\\..\\x", "C:\\a\\b", "C:\\a\\x"},
        {"\\\\srv\\x", "C:\\a", "\\\\srv\\x"},     // network paths stay
        {"a\\..\\b", "C:\\x", "C:\\x\\a\\..\\b"},  // signs inside the path are left to the system
    };
    for (const Row& r : rows) {
        PathBuffer b(r.path);
        EXPECT_EQ(IsDirnameFromDirSign(nullptr, b, r.base.c_str()), 1) << show(r.path);
        EXPECT_EQ(b.str(), r.after) << show(r.path) << " in " << show(r.base);
    }
    std::string long_name(515, 'x');
    PathBuffer b("..\\" + long_name);
    EXPECT_EQ(IsDirnameFromDirSign(nullptr, b, "C:\\a\\b"), 0);  // C:\a\ + 515 bytes: 520
    EXPECT_EQ(b.str(), "..\\" + long_name);
    PathBuffer fits("..\\" + std::string(514, 'x'));
    EXPECT_EQ(IsDirnameFromDirSign(nullptr, fits, "C:\\a\\b"), 1);
    EXPECT_EQ(fits.str().size(), 519u);
}

// ---- Relative path from an absolute one and back

TEST(RelativePath, FromNormalPath) {
    struct Row { std::string path, base; int result; std::string after; } rows[] = {
        {"C:\\a\\b\\c.txt", "C:\\a", 1, "b\\c.txt"},
        {"C:\\a\\b\\c.txt", "c:\\A\\B", 1, "c.txt"},
        {"C:\\a\\x\\c.txt", "C:\\a\\b", 1, "..\\x\\c.txt"},
        {"C:\\x\\y", "C:\\a\\b", 1, "..\\..\\x\\y"},
        {"C:\\a", "C:\\a", 1, "."},
        {"C:\\a", "C:\\a\\b", 1, ".."},
        {"D:\\x", "C:\\a", 1, "D:\\x"},
        {S("C:\\表\\能\\x"), S("C:\\表\\ソ"), 1, S("..\\能\\x")},
        {S("C:\\表ソ\\x"), S("C:\\表"), 1, S("..\\表ソ\\x")},
        {"C:\\ab\\x", "C:\\a", 1, "..\\ab\\x"},
        {"\"C:\\a b\\c d\"", "C:\\a b", 1, "\"c d\""},
        {"C:\\a\\b", "C:\\a\\", 1, "b"},
        {"C:\\a\\b", "C:\\", 1, "a\\b"},
        {"x\\y", "C:\\a", 1, "x\\y"},
        {"C:\\a", "", 0, "C:\\a"},
    };
    for (const Row& r : rows) {
        PathBuffer b(r.path);
        EXPECT_EQ(FindRelativePathFromNormalPath(b, r.base.c_str()), r.result) << show(r.path);
        EXPECT_EQ(b.str(), r.after) << show(r.path) << " from " << show(r.base);
    }
    EXPECT_EQ(FindRelativePathFromNormalPath(nullptr, "C:\\"), 0);
    // 200 levels up and 300 bytes of name do not fit: the path stays absolute.
    std::string base = "C:";
    for (int i = 0; i < 200; ++i) base += "\\a";
    std::string path = "C:\\" + std::string(300, 'z');
    PathBuffer b(path);
    EXPECT_EQ(FindRelativePathFromNormalPath(b, base.c_str()), 1);
    EXPECT_EQ(b.str(), path);
}

TEST(RelativePath, NormalFromRelativePath) {
    struct Row { std::string path, base; int result; std::string after; } rows[] = {
        {"C:\\x", "C:\\a", 1, "C:\\x"},
        {"b\\c", "C:\\a", -2, "C:\\a\\b\\c"},
        {"b/c", "C:\\a", -2, "C:\\a\\b\\c"},
        {S("表\\能"), S("C:\\ソ"), -2, S("C:\\ソ\\表\\能")},
        {"..\\b", "C:\\a\\x", -1, "C:\\a\\b"},
        {"../b", "C:\\a\\x", -1, "C:\\a\\b"},
        {".\\b", "C:\\a", -1, "C:\\a\\b"},
        {"..\\..\\b", "C:\\a\\x", -1, "C:\\b"},
        {"\\b", "C:\\a\\x", -1, "C:\\b"},
        {"..", "C:\\a\\x", -1, "C:\\a"},
        {S("..\\表\\ソ"), S("C:\\能"), -1, S("C:\\表\\ソ")},
        {"\\\\srv\\s", "C:\\a", 1, "\\\\srv\\s"},
        {"", "C:\\a", -2, "C:\\a"},
    };
    for (const Row& r : rows) {
        PathBuffer in(r.path), out("junk");
        EXPECT_EQ(FindNormalPathFromRelativePath(in, out, r.base.c_str()), r.result) << show(r.path);
        EXPECT_EQ(out.str(), r.after) << show(r.path);
        EXPECT_EQ(in.str(), r.path);  // the input stays when there is an out buffer
        PathBuffer same(r.path);
        EXPECT_EQ(FindNormalPathFromRelativePath(same, nullptr, r.base.c_str()), r.result);
        EXPECT_EQ(same.str(), r.after);
    }
    PathBuffer x("x");
    EXPECT_EQ(FindNormalPathFromRelativePath(x, nullptr, ""), 0);
    EXPECT_EQ(x.str(), "x");
    std::string long_name(500, 'z');
    PathBuffer too_long(long_name);
    EXPECT_EQ(FindNormalPathFromRelativePath(too_long, nullptr, ("C:\\" + std::string(30, 'a')).c_str()), 0);
    EXPECT_EQ(too_long.str(), long_name);
}
