// The search conditions on real entries, each with its boundaries.
#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>
#include <string>
#include "fileops/delete.h"
#include "search/search_conditions.h"
#include "support/sjis.h"
#include "support/temp_folder.h"

using ferro_test::sjis;
using ferro_test::TempFolder;

namespace {
class SearchConditions : public testing::Test {
protected:
    void SetUp() override {
        ReleaseSearchedNameInFileName();
        FreeAllocateFoundFiles();
    }
    void TearDown() override {
        ReleaseSearchedNameInFileName();
        FreeAllocateFoundFiles();
    }
};

WIN32_FIND_DATAA record(const char* name, DWORD attributes, ULONGLONG size, ULONGLONG utc_time) {
    WIN32_FIND_DATAA r = {};
    std::strcpy(r.cFileName, name);
    r.dwFileAttributes = attributes;
    r.nFileSizeLow = static_cast<DWORD>(size);
    r.nFileSizeHigh = static_cast<DWORD>(size >> 32);
    r.ftLastWriteTime.dwLowDateTime = static_cast<DWORD>(utc_time);
    r.ftLastWriteTime.dwHighDateTime = static_cast<DWORD>(utc_time >> 32);
    return r;
}

ULONGLONG local_of(ULONGLONG utc) {
    FILETIME in{static_cast<DWORD>(utc), static_cast<DWORD>(utc >> 32)}, out;
    FileTimeToLocalFileTime(&in, &out);
    return (static_cast<ULONGLONG>(out.dwHighDateTime) << 32) | out.dwLowDateTime;
}

void set_from(ULONGLONG t) { SetFromSearchedTimeInFileName(static_cast<DWORD>(t), static_cast<DWORD>(t >> 32)); }
void set_to(ULONGLONG t) { SetToSearchedTimeInFileName(static_cast<DWORD>(t), static_cast<DWORD>(t >> 32)); }

// ---- Nothing set
TEST_F(SearchConditions, NothingSetMatchesEverything) {
    EXPECT_EQ(IsMatchedSearchConditions(), 0);
    EXPECT_EQ(MatchedSearchConditions(record("a.txt", 0, 0, 0)), 1);
    EXPECT_EQ(MatchedSearchConditions(record("b", FILE_ATTRIBUTE_HIDDEN, 5, 1)), 1);
}

// ---- Name
TEST_F(SearchConditions, NameText) {
    EXPECT_STREQ(SetSearchedNameInFileName("Repo"), "Repo");
    EXPECT_EQ(IsMatchedSearchConditions(), 1);
    EXPECT_EQ(MatchedSearchConditions(record("my report.txt", 0, 0, 0)), 1);  // case ignored
    EXPECT_EQ(MatchedSearchConditions(record("rep.txt", 0, 0, 0)), 0);
    SetSearchedNameInFileName(sjis("表").c_str());
    EXPECT_EQ(MatchedSearchConditions(record(sjis("x表y").c_str(), 0, 0, 0)), 1);
    // The lead byte of 表 followed by another trail byte is no match.
    EXPECT_EQ(MatchedSearchConditions(record(sjis("水").c_str(), 0, 0, 0)), 0);
    SetSearchedNameInFileName(sjis("ソ\\").c_str() + 0);
    SetSearchedNameInFileName("");  // off
    EXPECT_EQ(IsMatchedSearchConditions(), 0);
    EXPECT_EQ(MatchedSearchConditions(record("anything", 0, 0, 0)), 1);
}

// ---- Time (local file time, both ends inclusive)
TEST_F(SearchConditions, TimeKinds) {
    const ULONGLONG t = 0x01D9000000000000ULL;
    const ULONGLONG local = local_of(t);
    set_from(local);
    set_to(local + 10);
    SetTypeSearchedTimeInFileName(0);
    EXPECT_EQ(IsMatchedSearchConditions(), 1);
    EXPECT_EQ(MatchedSearchConditions(record("a", 0, 0, t)), 1);       // equal to from
    EXPECT_EQ(MatchedSearchConditions(record("a", 0, 0, t + 10)), 1);  // equal to to
    EXPECT_EQ(MatchedSearchConditions(record("a", 0, 0, t - 1)), 0);
    EXPECT_EQ(MatchedSearchConditions(record("a", 0, 0, t + 11)), 0);
    SetTypeSearchedTimeInFileName(1);  // not later than from
    EXPECT_EQ(MatchedSearchConditions(record("a", 0, 0, t)), 1);
    EXPECT_EQ(MatchedSearchConditions(record("a", 0, 0, t - 1)), 1);
    EXPECT_EQ(MatchedSearchConditions(record("a", 0, 0, t + 1)), 0);
    SetTypeSearchedTimeInFileName(2);  // not earlier than from
    EXPECT_EQ(MatchedSearchConditions(record("a", 0, 0, t)), 1);
    EXPECT_EQ(MatchedSearchConditions(record("a", 0, 0, t + 1)), 1);
    EXPECT_EQ(MatchedSearchConditions(record("a", 0, 0, t - 1)), 0);
}

// ---- Size (64-bit, high words first)
TEST_F(SearchConditions, SizeKinds) {
    const ULONGLONG limit = 0x100000005ULL;
    SetSearchedSizeInFileName(5, 1);
    SetTypeSearchedSizeInFileName(0);  // at least
    EXPECT_EQ(MatchedSearchConditions(record("a", 0, limit, 0)), 1);
    EXPECT_EQ(MatchedSearchConditions(record("a", 0, limit - 1, 0)), 0);
    EXPECT_EQ(MatchedSearchConditions(record("a", 0, 6, 0)), 0);  // low word larger, high word smaller
    EXPECT_EQ(MatchedSearchConditions(record("a", 0, 0x200000000ULL, 0)), 1);
    SetTypeSearchedSizeInFileName(1);  // at most
    EXPECT_EQ(MatchedSearchConditions(record("a", 0, limit, 0)), 1);
    EXPECT_EQ(MatchedSearchConditions(record("a", 0, limit + 1, 0)), 0);
    EXPECT_EQ(MatchedSearchConditions(record("a", 0, 0xFFFFFFFFULL, 0)), 1);
    SetSearchedSizeInFileName(0, 0);
    SetTypeSearchedSizeInFileName(0);
    EXPECT_EQ(MatchedSearchConditions(record("a", 0, 0, 0)), 1);  // at least 0: everything
}

// ---- Attributes
TEST_F(SearchConditions, AttributeMask) {
    SetTypeSearchedAttrInFileName(FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(MatchedSearchConditions(record("a", 0, 0, 0)), 1);  // no bits counts as normal
    EXPECT_EQ(MatchedSearchConditions(record("a", FILE_ATTRIBUTE_NORMAL, 0, 0)), 1);
    EXPECT_EQ(MatchedSearchConditions(record("a", FILE_ATTRIBUTE_ARCHIVE, 0, 0)), 0);
    SetTypeSearchedAttrInFileName(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(MatchedSearchConditions(record("a", FILE_ATTRIBUTE_READONLY, 0, 0)), 0);  // all bits needed
    EXPECT_EQ(MatchedSearchConditions(record("a", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | 0x20, 0, 0)), 1);
}

// ---- All together, and the release
TEST_F(SearchConditions, AllMustHoldAndReleaseResets) {
    SetSearchedNameInFileName("a");
    SetTypeSearchedAttrInFileName(FILE_ATTRIBUTE_HIDDEN);
    SetSearchedSizeInFileName(10, 0);
    SetTypeSearchedSizeInFileName(0);
    EXPECT_EQ(MatchedSearchConditions(record("a", FILE_ATTRIBUTE_HIDDEN, 10, 0)), 1);
    EXPECT_EQ(MatchedSearchConditions(record("a", FILE_ATTRIBUTE_HIDDEN, 9, 0)), 0);
    EXPECT_EQ(MatchedSearchConditions(record("b", FILE_ATTRIBUTE_HIDDEN, 10, 0)), 0);
    set_from(0x1122334455667788ULL);
    set_to(0x99AABBCCDDEEFF00ULL);
    DWORD from[2] = {}, to[2] = {}, size[2] = {}, mask = 0;
    EXPECT_EQ(GetAllItemsForSearchedFile(from, to, size, &mask), 1);
    EXPECT_EQ(from[0], 0x55667788u);
    EXPECT_EQ(from[1], 0x11223344u);
    EXPECT_EQ(to[1], 0x99AABBCCu);
    EXPECT_EQ(size[0], 10u);
    EXPECT_EQ(size[1], 0u);
    EXPECT_EQ(mask, static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(GetAllItemsForSearchedFile(nullptr, nullptr, nullptr, nullptr), 1);
    EXPECT_EQ(ReleaseSearchedNameInFileName(), -1);
    EXPECT_EQ(IsMatchedSearchConditions(), 0);
    GetAllItemsForSearchedFile(from, to, size, &mask);
    EXPECT_EQ(from[0] | from[1] | to[0] | to[1] | size[0] | size[1] | mask, 0u);
}

}  // namespace
