// Listing sort: a quicksort with an explicit stack of ranges that leaves
// ranges of five entries or fewer alone, followed by one Shell pass over the
// whole array that puts everything in its final place.
//
// Where equal keys land depends on every detail here, and hosts rely on it:
// the pivot is the key standing at the middle index at the moment of each
// comparison (it may move during the partition), the smaller part goes on
// (the left one on a tie), the larger one is pushed only with more than four
// entries, and the Shell pass uses the gaps last/2, last/4, ... 1.
//
// Keeping the interface alive: each quicksort round and each Shell step reads
// the stop flag; every 256th of them asks ferro::pump_throttled() instead,
// which pumps one message and asks for a stop when 10 ms have passed since
// its last pump. Reading the clock costs about 100 ns under Wine, as much as
// a comparison, and a Shell step is little more than one comparison; the
// sort order does not depend on any of this.
#include "listing/listing_sort.h"
#include <cstdint>
#include <new>
#include <optional>
#include <utility>
#include <vector>
#include "frame/pump.h"
#include "listing/key_compare.h"

namespace {
struct Range {
    LONG low, high;
};

// The arrays of the sort in progress. Beside the keys it keeps each key's
// prefix (key_prefix), moved with its key, so that most comparisons are one
// integer comparison in a compact array instead of a walk through two strings
// elsewhere in memory; the result of every comparison is exactly that of
// compare_keys.
class Entries {
public:
    Entries(LPSTR* keys, LONG* companions, LONG count)
        : keys_(keys), companions_(companions), prefixes_(size_t(count)) {
        for (size_t i = 0; i < prefixes_.size(); ++i)
            prefixes_[i].prefix = ferro::listing::key_prefix(keys[i], &prefixes_[i].rest);
    }

    // Negative, 0 or positive as compare_keys(keys[i], keys[j]).
    int compare(LONG i, LONG j) const {
        const Prefix& a = prefixes_[size_t(i)];
        const Prefix& b = prefixes_[size_t(j)];
        if (int r = a.prefix.compare(b.prefix)) return r;
        if (ferro::listing::prefix_is_whole_key(a.prefix)) return 0;
        return ferro::listing::compare_keys(a.rest, b.rest);
    }

    void swap(LONG i, LONG j) {
        std::swap(keys_[i], keys_[j]);
        std::swap(prefixes_[size_t(i)], prefixes_[size_t(j)]);
        if (companions_ != nullptr) std::swap(companions_[i], companions_[j]);
    }

private:
    struct Prefix {
        ferro::listing::KeyPrefix prefix;
        const char* rest;  // the key from its ninth character on
    };
    LPSTR* keys_;
    LONG* companions_;
    std::vector<Prefix> prefixes_;
};

// One sort at a time: a sort started from inside another one's pump returns 0.
bool g_sort_running = false;

// The stop check of one sort; the first call always goes to the pump.
class StopCheck {
public:
    bool operator()() { return ((steps_++ & 255) == 0 ? ferro::pump_throttled() : IsStopExecutingFlag()) != 0; }

private:
    unsigned steps_ = 0;
};

template <bool Descending>
LONG sort_entries(LPSTR* keys, LONG* companions, LONG count) {
    if (count <= 0 || keys == nullptr || g_sort_running) return 0;
    g_sort_running = true;
    struct Finish {
        ~Finish() { g_sort_running = false; }
    } finish;
    std::optional<Entries> made;
    std::vector<Range> pending;
    try {
        made.emplace(keys, companions, count);
        pending.reserve(64);
    } catch (const std::bad_alloc&) {
        return 0;  // no room for the prefixes: the arrays stay as they were
    }
    Entries& entries = *made;
    // The comparison in the sort's sense: ascending as it is, descending
    // negated (so "below" and "above" trade places, equal stays equal).
    auto compare = [&entries](LONG i, LONG j) { return Descending ? -entries.compare(i, j) : entries.compare(i, j); };

    StopCheck stop_requested;
    const LONG last = count - 1;
    LONG low = 0, high = last;
    for (;;) {
        if (stop_requested()) return 0;
        if (high - low < 5) {
            if (pending.empty()) break;
            low = pending.back().low;
            high = pending.back().high;
            pending.pop_back();
        }
        // Partition around the entry at the middle index, whichever key stands
        // there now. The scans stop at the ends of the array whatever the keys
        // say, so a pivot that moved can never carry an index outside it.
        const LONG middle = low + (high - low) / 2;
        LONG left = low, right = high;
        for (;;) {
            while (left < last && compare(left, middle) < 0) ++left;
            while (right > 0 && compare(right, middle) > 0) --right;
            if (left >= right) break;
            entries.swap(left, right);
            ++left;
            --right;
        }
        // Go on with the smaller part (the left one on a tie); push the larger
        // one when it has more than four entries, else leave it to the Shell pass.
        const LONG left_size = left - low, right_size = high - right;
        if (left_size <= right_size) {
            if (right_size > 4) pending.push_back({right + 1, high});
            high = left - 1;
        } else {
            if (left_size > 4) pending.push_back({low, left - 1});
            low = right + 1;
        }
    }

    // Every entry is near its place now. Gaps last/2, last/4, ... 1; with two
    // entries (last/2 == 0) the gap is 1, one compare-and-swap.
    for (LONG gap = last / 2 > 0 ? last / 2 : 1; gap > 0; gap /= 2) {
        for (LONG i = gap; i <= last; ++i) {
            if (stop_requested()) return 0;
            for (LONG j = i - gap; j >= 0 && compare(j, j + gap) > 0; j -= gap) entries.swap(j, j + gap);
        }
    }
    SetPeekMessageFlag(0);
    return 1;
}
}  // namespace

extern "C" {
LONG WINAPI lqsortx(LPSTR* keys, LONG* companions, LONG count) { return sort_entries<false>(keys, companions, count); }
LONG WINAPI lqsortxrev(LPSTR* keys, LONG* companions, LONG count) { return sort_entries<true>(keys, companions, count); }
}
