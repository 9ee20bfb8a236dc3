// The case rule: the spelling it asks for and the renames that give it.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "fileops/case_rule.h"
#include "programs/error_report.h"
#include "support/sjis.h"
#include "support/temp_folder.h"

using ferro_test::sjis;
using ferro_test::TempFolder;

namespace {
// The name the file system stores for a path.
std::string stored_name(const std::string& path) {
    WIN32_FIND_DATAA record;
    HANDLE h = FindFirstFileA(path.c_str(), &record);
    if (h == INVALID_HANDLE_VALUE) return {};
    FindClose(h);
    return record.cFileName;
}

// ---- Rule arithmetic
TEST(CaseRule, ResultWord) {
    TempFolder t;
    const std::string mixed = t.file("Mixed.Txt");
    const std::string lower = t.file("lower.txt");
    struct Row { const std::string* path; LONG rule; LONG expected; } rows[] = {
        {&mixed, 0x4, 0x4 | 0x1 | 0x2},        // lower case differs: rename
        {&lower, 0x4, 0x4 | 0x1},              // already lower
        {&lower, 0x8, 0x8 | 0x1 | 0x2},        // upper case differs
        {&lower, 0x10, 0x10 | 0x4 | 0x1 | 0x2},  // capital first letter implies lower case
        {&mixed, 0x404, 0x404 | 0x1},          // no change of spelling
        {&mixed, 0x2 | 0x4, 0x2 | 0x4},        // report bit without request: no rename asked
        {&mixed, 0x3 | 0x4, 0x3 | 0x4},        // request and report
        {&lower, 0x200 | 0x4 | 0x40, 0x200 | 0x40 | 0x8 | 0x1 | 0x2},  // alternative: upper case
        {&lower, 0x200 | 0x80, 0x200 | 0x80 | 0x10 | 0x4 | 0x1 | 0x2},
        {&lower, 0, 0x1},
    };
    for (const Row& row : rows)
        EXPECT_EQ(GetRenamedCaseSensitive(row.path->c_str(), nullptr, row.rule), row.expected) << std::hex << row.rule;
    EXPECT_EQ(GetRenamedCaseSensitive(nullptr, nullptr, 0x4), 0x5);
}

TEST(CaseRule, RenamesToTheSpelling) {
    TempFolder t;
    struct Row { const char* name; LONG rule; const char* expected; LONG result; } rows[] = {
        {"ONE.TXT", 0x4, "one.txt", 1},
        {"two.txt", 0x8, "TWO.TXT", 1},
        {"tHREE.tXT", 0x10, "Three.txt", 1},
        {"four.txt", 0x4, "four.txt", 0},     // already so
        {"FIVE.TXT", 0x404, "FIVE.TXT", 0},   // no change of spelling
        {"SIX.TXT", 0, "SIX.TXT", 0},
    };
    for (const Row& row : rows) {
        const std::string path = t.file(row.name);
        EXPECT_EQ(RenameTgtfileIfCaseSensitive(path.c_str(), path.c_str(), row.rule), row.result) << row.name;
        EXPECT_EQ(stored_name(path), row.expected) << row.name;
    }
    EXPECT_EQ(RenameTgtfileIfCaseSensitive((t / "missing").c_str(), (t / "missing").c_str(), 0x4), 0);
    EXPECT_EQ(RenameTgtfileIfCaseSensitive(nullptr, "x", 0x4), 0);
}

TEST(CaseRule, DoubleByteNamesKeepTheirBytes) {
    TempFolder t;
    const std::string name = sjis("表ソ能ABC.TXT");
    const std::string path = t.file(name);
    EXPECT_EQ(RenameTgtfileIfCaseSensitive(path.c_str(), path.c_str(), 0x4), 1);
    EXPECT_EQ(stored_name(path), sjis("表ソ能abc.txt"));
}

TEST(CaseRule, SubFoldersUpToTheTop) {
    TempFolder t;
    t.folder("TOP\\MID\\LOW");
    const std::string top = t / "TOP";
    const std::string path = t / "TOP\\MID\\LOW";
    char work[520];
    EXPECT_EQ(RenameSubdirForCaseSensitive(path.c_str(), work, top.c_str(), 0x4), 1);
    EXPECT_EQ(stored_name(t / "TOP\\MID\\LOW"), "low");
    EXPECT_EQ(stored_name(t / "TOP\\MID"), "mid");
    EXPECT_EQ(stored_name(t / "TOP"), "TOP");  // without 0x800 the top stays
    EXPECT_EQ(std::string(work), t.path() + "\\TOP\\mid\\low");
    EXPECT_EQ(RenameSubdirForCaseSensitive(path.c_str(), work, top.c_str(), 0x804), 1);
    EXPECT_EQ(stored_name(t / "TOP"), "top");
    // A path outside the top is left alone.
    EXPECT_EQ(RenameSubdirForCaseSensitive(t.path().c_str(), work, top.c_str(), 0x4), 0);
}
}  // namespace
