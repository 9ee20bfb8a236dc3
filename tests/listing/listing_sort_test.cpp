// The listing sort against the plain reference: same order of every key and
// companion in both directions, on many random key sets full of keys that are
// equal but for case; the small counts; null companions; the peek flag.
#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include <random>
#include <string>
#include <vector>
#include "frame/message_pump.h"
#include "listing/listing_sort.h"
#include "reference_sort.h"
#include "support/sjis.h"

using ferro_test::sjis;

namespace {
// Keys built from a few fragments, so that many keys are equal and many are
// equal only without case: their order shows where the sort puts equal keys.
std::vector<std::string> random_keys(std::mt19937& rng, size_t count) {
    static const std::vector<std::string> fragments = [] {
        std::vector<std::string> f = {"a", "A", "b", "B", "x", "X", "1", "_", ".", "\\", " "};
        for (const char* w : {"表", "ソ", "能", "Ａ", "ａ", "ｱ", "ｿ", "ﾃﾞ", "写真"}) f.push_back(sjis(w));
        return f;
    }();
    std::uniform_int_distribution<size_t> length(0, 3), pick(0, fragments.size() - 1);
    std::vector<std::string> keys(count);
    for (auto& key : keys) {
        size_t n = length(rng);
        for (size_t i = 0; i < n; ++i) key += fragments[pick(rng)];
    }
    return keys;
}

struct Sorted { std::vector<char*> keys; std::vector<LONG> companions; };

Sorted by_export(std::vector<std::string>& strings, bool descending, LONG expected = 1) {
    Sorted s;
    for (auto& k : strings) s.keys.push_back(k.data());
    for (size_t i = 0; i < strings.size(); ++i) s.companions.push_back(LONG(i) * 3 + 7);
    LONG count = LONG(strings.size());
    LONG r = descending ? lqsortxrev(s.keys.data(), s.companions.data(), count)
                        : lqsortx(s.keys.data(), s.companions.data(), count);
    EXPECT_EQ(expected, r);
    return s;
}

Sorted by_reference(std::vector<std::string>& strings, bool descending) {
    Sorted s;
    for (auto& k : strings) s.keys.push_back(k.data());
    for (size_t i = 0; i < strings.size(); ++i) s.companions.push_back(LONG(i) * 3 + 7);
    listing_test::reference_sort(s.keys, &s.companions, descending);
    return s;
}

class ListingSort : public testing::Test {
protected:
    void SetUp() override { ResetCancellingFlags(0); }
    void TearDown() override { ResetCancellingFlags(0); }
};

// ---- Same order as the plain algorithm
TEST_F(ListingSort, RandomSetsMatchTheReferenceInBothDirections) {
    std::mt19937 rng(3203);
    std::uniform_int_distribution<size_t> small(0, 120), large(1000, 6000);
    for (int round = 0; round < 3000; ++round) {
        size_t count = round % 100 == 99 ? large(rng) : small(rng);
        auto strings = random_keys(rng, count);
        for (bool descending : {false, true}) {
            Sorted got = by_export(strings, descending, count ? 1 : 0);
            Sorted want = by_reference(strings, descending);
            ASSERT_EQ(want.keys, got.keys) << "round " << round << " count " << count << " descending " << descending;
            ASSERT_EQ(want.companions, got.companions) << "round " << round;
            // And the result is in order.
            for (size_t i = 1; i < got.keys.size(); ++i) {
                int r = listing_test::reference_compare(got.keys[i - 1], got.keys[i]);
                ASSERT_TRUE(descending ? r >= 0 : r <= 0) << "round " << round << " at " << i;
            }
        }
    }
}

// Keys that agree (but for case) over their first seven to ten characters,
// so that the order is decided past the part the sort keeps beside each key.
TEST_F(ListingSort, LongSharedBeginningsMatchTheReference) {
    std::mt19937 rng(777);
    const std::vector<std::string> heads = {sjis("報告書ﾃﾞｰﾀ表"), sjis("報告書ﾃﾞｰﾀ表a"), sjis("報告書ＤＡＴＡ"),
                                            "Report-2024", "REPORT-2024", "report-20", sjis("表ソ能表ソ能表")};
    std::uniform_int_distribution<size_t> head(0, heads.size() - 1);
    for (int round = 0; round < 200; ++round) {
        auto strings = random_keys(rng, 50 + size_t(round) * 7);
        for (auto& key : strings) key = heads[head(rng)] + key;
        for (bool descending : {false, true}) {
            Sorted got = by_export(strings, descending);
            Sorted want = by_reference(strings, descending);
            ASSERT_EQ(want.keys, got.keys) << "round " << round << " descending " << descending;
            ASSERT_EQ(want.companions, got.companions) << "round " << round;
        }
    }
}

// Already sorted, reversed and all-equal arrays: the shapes where a pivot
// that moves during the partition matters most.
TEST_F(ListingSort, OrderedReversedAndEqualInputs) {
    for (size_t count : {2u, 3u, 5u, 6u, 7u, 11u, 64u, 1000u, 4097u}) {
        std::vector<std::string> ordered, equal;
        for (size_t i = 0; i < count; ++i) {
            char buf[16];
            wsprintfA(buf, "k%05u", unsigned(i));
            ordered.push_back(buf);
            equal.push_back(i % 2 ? "Same" : "sAME");
        }
        std::vector<std::string> reversed(ordered.rbegin(), ordered.rend());
        for (auto* set : {&ordered, &reversed, &equal})
            for (bool descending : {false, true}) {
                Sorted got = by_export(*set, descending);
                Sorted want = by_reference(*set, descending);
                ASSERT_EQ(want.keys, got.keys) << count;
                ASSERT_EQ(want.companions, got.companions) << count;
            }
    }
}

// ---- Counts 0, 1, 2 and the companions
TEST_F(ListingSort, CountZeroTouchesNothing) {
    char a[] = "b", b[] = "a";
    LPSTR keys[2] = {a, b};
    LONG companions[2] = {1, 2};
    EXPECT_EQ(0, lqsortx(keys, companions, 0));
    EXPECT_EQ(0, lqsortxrev(keys, companions, 0));
    EXPECT_EQ(0, lqsortx(keys, companions, -5));
    EXPECT_EQ(a, keys[0]);
    EXPECT_EQ(2, companions[1]);
    EXPECT_EQ(0, lqsortx(nullptr, nullptr, 0));
    EXPECT_EQ(0, lqsortx(nullptr, companions, 3));
}

TEST_F(ListingSort, CountOneAndTwo) {
    char a[] = "b", b[] = "a";
    LPSTR keys[2] = {a, b};
    LONG companions[2] = {1, 2};
    EXPECT_EQ(1, lqsortx(keys, companions, 1));
    EXPECT_EQ(a, keys[0]);
    EXPECT_EQ(1, companions[0]);
    EXPECT_EQ(1, lqsortx(keys, companions, 2));
    EXPECT_EQ(b, keys[0]);
    EXPECT_EQ(2, companions[0]);
    EXPECT_EQ(1, lqsortxrev(keys, companions, 2));
    EXPECT_EQ(a, keys[0]);
    EXPECT_EQ(1, companions[0]);
    EXPECT_EQ(2, companions[1]);
}

TEST_F(ListingSort, NullCompanionsMoveOnlyTheKeys) {
    std::mt19937 rng(77);
    auto strings = random_keys(rng, 3000);
    for (bool descending : {false, true}) {
        std::vector<char*> keys;
        for (auto& k : strings) keys.push_back(k.data());
        std::vector<char*> want = keys;
        listing_test::reference_sort(want, nullptr, descending);
        LONG r = descending ? lqsortxrev(keys.data(), nullptr, LONG(keys.size()))
                            : lqsortx(keys.data(), nullptr, LONG(keys.size()));
        EXPECT_EQ(1, r);
        EXPECT_EQ(want, keys);
    }
}

// ---- Pump and flags
TEST_F(ListingSort, CompletedSortClearsThePeekFlag) {
    std::vector<std::string> strings = {"c", "b", "a"};
    SetPeekMessageFlag(1);
    by_export(strings, false);
    EXPECT_EQ(0, IsPeekMessageFlag());
}

TEST_F(ListingSort, StopFlagSetBeforehandReturnsZeroAndKeepsEveryKey) {
    std::vector<std::string> strings = {"c", "b", "a", "d"};
    SetStopExecutingFlag(1);
    Sorted s = by_export(strings, false, 0);
    std::vector<char*> original;
    for (auto& k : strings) original.push_back(k.data());
    EXPECT_EQ(original, s.keys);
}
}  // namespace
