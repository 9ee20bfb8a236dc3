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
// the stop flag; every 16th of them asks ferro::pump_throttled() instead,
// which pumps one message and asks for a stop when 10 ms have passed since
// its last pump. Reading the clock costs about 100 ns under Wine, as much as
// a comparison, and a Shell step is little more than one comparison; the
// sort order does not depend on any of this.
#include "listing/listing_sort.h"
#include <vector>
#include "frame/pump.h"
#include "listing/key_compare.h"

namespace {
struct Range {
    LONG low, high;
};

// One sort at a time: the arrays, the pending ranges and the last comparison.
struct SortState {
    LPSTR* keys = nullptr;
    LONG* companions = nullptr;
    std::vector<Range> pending;
    int last_result = 0;
    bool running = false;
};
SortState g_sort;

// The stop check of one sort; the first call always goes to the pump.
class StopCheck {
public:
    bool operator()() { return ((steps_++ & 15) == 0 ? ferro::pump_throttled() : IsStopExecutingFlag()) != 0; }

private:
    unsigned steps_ = 0;
};

void swap_entries(LONG i, LONG j) {
    LPSTR key = g_sort.keys[i];
    g_sort.keys[i] = g_sort.keys[j];
    g_sort.keys[j] = key;
    if (LONG* c = g_sort.companions) {
        LONG value = c[i];
        c[i] = c[j];
        c[j] = value;
    }
}

// The comparison in the sort's sense: ascending as it is, descending negated
// (so "below" and "above" trade places, equal stays equal).
template <bool Descending>
int compare(LONG i, LONG j) {
    int r = ferro::listing::compare_keys(g_sort.keys[i], g_sort.keys[j]);
    g_sort.last_result = r;
    return Descending ? -r : r;
}

template <bool Descending>
LONG sort_entries(LPSTR* keys, LONG* companions, LONG count) {
    if (count <= 0 || keys == nullptr || g_sort.running) return 0;
    g_sort.running = true;
    g_sort.keys = keys;
    g_sort.companions = companions;
    g_sort.pending.clear();
    struct Finish {
        ~Finish() {
            g_sort.running = false;
            g_sort.keys = nullptr;
            g_sort.companions = nullptr;
        }
    } finish;

    StopCheck stop_requested;
    const LONG last = count - 1;
    LONG low = 0, high = last;
    for (;;) {
        if (stop_requested()) return 0;
        if (high - low < 5) {
            if (g_sort.pending.empty()) break;
            low = g_sort.pending.back().low;
            high = g_sort.pending.back().high;
            g_sort.pending.pop_back();
        }
        // Partition around the entry at the middle index, whichever key stands
        // there now. The scans stop at the ends of the array whatever the keys
        // say, so a pivot that moved can never carry an index outside it.
        const LONG middle = low + (high - low) / 2;
        LONG left = low, right = high;
        for (;;) {
            while (left < last && compare<Descending>(left, middle) < 0) ++left;
            while (right > 0 && compare<Descending>(right, middle) > 0) --right;
            if (left >= right) break;
            swap_entries(left, right);
            ++left;
            --right;
        }
        // Go on with the smaller part (the left one on a tie); push the larger
        // one when it has more than four entries, else leave it to the Shell pass.
        const LONG left_size = left - low, right_size = high - right;
        if (left_size <= right_size) {
            if (right_size > 4) g_sort.pending.push_back({right + 1, high});
            high = left - 1;
        } else {
            if (left_size > 4) g_sort.pending.push_back({low, left - 1});
            low = right + 1;
        }
    }

    // Every entry is near its place now. Gaps last/2, last/4, ... 1; with two
    // entries (last/2 == 0) the gap is 1, one compare-and-swap.
    for (LONG gap = last / 2 > 0 ? last / 2 : 1; gap > 0; gap /= 2) {
        for (LONG i = gap; i <= last; ++i) {
            if (stop_requested()) return 0;
            for (LONG j = i - gap; j >= 0 && compare<Descending>(j, j + gap) > 0; j -= gap) swap_entries(j, j + gap);
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
