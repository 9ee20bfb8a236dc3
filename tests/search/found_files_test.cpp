// The found-files list: building, finding, the yen-mark rule and the
// full paths the host reads afterwards.
#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>
#include <string>
#include "search/search_conditions.h"
#include "support/sjis.h"

using ferro_test::sjis;

namespace {
class FoundFiles : public testing::Test {
protected:
    void SetUp() override { FreeAllocateFoundFiles(); }
    void TearDown() override { FreeAllocateFoundFiles(); }
};

WIN32_FIND_DATAA named(const char* name) {
    WIN32_FIND_DATAA r = {};
    std::strcpy(r.cFileName, name);
    return r;
}

TEST_F(FoundFiles, EmptyList) {
    EXPECT_EQ(SetSearchedFileFound(nullptr, 0), 0);
    EXPECT_EQ(GetHeadOfSearchedFileFoundPointer(), nullptr);
    EXPECT_EQ(SetSearchedFullPathFileFound("C:\\a.txt"), -2);
    EXPECT_EQ(IsAllSearchedFullPathFileFound(), 1);
    EXPECT_EQ(IsSomeOfSearchedFullPathFileFound(), 0);
    EXPECT_STREQ(GetSearchedFileFound(), "");
    EXPECT_EQ(GetNextOfSearchedFileFoundPointer(nullptr), nullptr);
    EXPECT_EQ(GetSearchedFileFoundFromPointer(nullptr), nullptr);
    EXPECT_EQ(GetBoolSearchedFileFoundFromPointer(nullptr), 0);
}

TEST_F(FoundFiles, TwoNamesFoundInTurn) {
    EXPECT_EQ(SetSearchedFileFound("a.txt\0B.TXT\0", 0), 2);
    FoundFileNode* first = GetHeadOfSearchedFileFoundPointer();
    ASSERT_NE(first, nullptr);
    FoundFileNode* second = GetNextOfSearchedFileFoundPointer(first);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(GetNextOfSearchedFileFoundPointer(second), nullptr);
    EXPECT_STREQ(GetSearchedFileFound(), "a.txt");
    EXPECT_EQ(first->own != nullptr && first->name_block != nullptr, true);

    EXPECT_EQ(MatchedSearchConditions(named("c.txt")), 0);  // recorded only, never matched
    EXPECT_EQ(SetSearchedFullPathFileFound("C:\\x\\A.TXT"), 1);
    EXPECT_STREQ(GetSearchedFileFoundFromPointer(first), "C:\\x\\A.TXT");
    EXPECT_EQ(GetBoolSearchedFileFoundFromPointer(first), 1);
    EXPECT_EQ(IsSomeOfSearchedFullPathFileFound(), 1);
    EXPECT_EQ(IsAllSearchedFullPathFileFound(), 0);
    EXPECT_EQ(SetSearchedFullPathFileFound("C:\\y\\a.txt"), 0);  // already found
    EXPECT_EQ(SetSearchedFullPathFileFound("C:\\y\\b.txt"), -1);
    EXPECT_EQ(IsAllSearchedFullPathFileFound(), 1);
    EXPECT_STREQ(GetSearchedFileFoundFromPointer(second), "C:\\y\\b.txt");
}

TEST_F(FoundFiles, OnlyFirstAndYenNames) {
    EXPECT_EQ(SetSearchedFileFound("one\0two\0", 1), 1);
    EXPECT_EQ(SetSearchedFileFound("\\skip\0x.txt\0", 0), 2);  // rebuilt
    EXPECT_EQ(IsAllSearchedFullPathFileFound(), 0);
    EXPECT_EQ(IsSomeOfSearchedFullPathFileFound(), 0);  // the yen-mark name does not count as found here
    EXPECT_EQ(SetSearchedFullPathFileFound("C:\\x.txt"), -1);  // the yen-mark name counts as found
    EXPECT_EQ(SetSearchedFullPathFileFound("C:\\skip"), 0);
}

TEST_F(FoundFiles, DoubleByteNames) {
    SetSearchedFileFound((sjis("表ソ.txt") + '\0').c_str(), 0);
    EXPECT_EQ(SetSearchedFullPathFileFound(sjis("C:\\能\\表ソ.TXT").c_str()), -1);
    EXPECT_EQ(std::string(GetSearchedFileFound()), sjis("C:\\能\\表ソ.TXT"));
}

TEST_F(FoundFiles, FreeClearsTheCurrentPath) {
    EXPECT_EQ(MatchedSearchConditions(named("z.txt")), 1);
    EXPECT_EQ(std::string(GetSearchedFileFound()), "z.txt");  // no walk folder: the name alone
    EXPECT_EQ(FreeAllocateFoundFiles(), 1);
    EXPECT_STREQ(GetSearchedFileFound(), "");
}
}  // namespace
