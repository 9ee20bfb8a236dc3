// The listing sort written out plainly for the tests: the comparison rule
// with CharLowerA called for every single-byte character, and the sort with
// every round and step as the library's sort does them, without pumping.
// The library's exports must put every key (and so every equal key) exactly
// where this puts it.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>
#include <vector>

namespace listing_test {
inline bool lead(unsigned char c) { return (c >= 0x81 && c <= 0x9f) || (c >= 0xe0 && c <= 0xfc); }

inline int reference_compare(const char* a_text, const char* b_text) {
    auto a = reinterpret_cast<const unsigned char*>(a_text);
    auto b = reinterpret_cast<const unsigned char*>(b_text);
    auto take = [](const unsigned char*& p) {
        if (lead(*p) && p[1] != 0) {
            int code = p[0] * 256 + p[1];
            p += 2;
            return code;
        }
        if (lead(*p)) return int(*p++) * 256;  // a lead byte before the NUL counts alone
        int code = int(reinterpret_cast<ULONG_PTR>(CharLowerA(reinterpret_cast<LPSTR>(ULONG_PTR(*p)))) & 0xff);
        ++p;
        return code;
    };
    for (;;) {
        if (*b == 0) return *a;
        int code_a = take(a);
        int code_b = take(b);
        if (code_a != code_b) return code_a - code_b;
        if (*a == 0) return 0 - *b;
    }
}

// Sorts like lqsortx (descending = lqsortxrev). Fails the test if an index of
// the partition would leave the array.
inline void reference_sort(std::vector<char*>& keys, std::vector<LONG>* companions, bool descending) {
    const long count = long(keys.size());
    if (count == 0) return;
    auto cmp = [&](long i, long j) {
        int r = reference_compare(keys[size_t(i)], keys[size_t(j)]);
        return descending ? -r : r;
    };
    auto swap = [&](long i, long j) {
        std::swap(keys[size_t(i)], keys[size_t(j)]);
        if (companions) std::swap((*companions)[size_t(i)], (*companions)[size_t(j)]);
    };
    const long last = count - 1;
    std::vector<std::pair<long, long>> stack;
    long low = 0, high = last;
    for (;;) {
        if (high - low < 5) {
            if (stack.empty()) break;
            low = stack.back().first;
            high = stack.back().second;
            stack.pop_back();
        }
        const long middle = (low + high) / 2;
        long left = low, right = high;
        for (;;) {
            while (cmp(left, middle) < 0) {
                ++left;
                if (left > last) {
                    ADD_FAILURE() << "left index left the array";
                    return;
                }
            }
            while (cmp(right, middle) > 0) {
                --right;
                if (right < 0) {
                    ADD_FAILURE() << "right index left the array";
                    return;
                }
            }
            if (left >= right) break;
            swap(left, right);
            ++left;
            --right;
        }
        long left_size = left - low, right_size = high - right;
        if (left_size <= right_size) {
            if (right_size > 4) stack.push_back({right + 1, high});
            high = left - 1;
        } else {
            if (left_size > 4) stack.push_back({low, left - 1});
            low = right + 1;
        }
    }
    long gap = last / 2;
    if (gap == 0) gap = 1;
    for (; gap > 0; gap /= 2)
        for (long i = gap; i <= last; ++i)
            for (long j = i - gap; j >= 0 && cmp(j, j + gap) > 0; j -= gap) swap(j, j + gap);
}
}  // namespace listing_test
