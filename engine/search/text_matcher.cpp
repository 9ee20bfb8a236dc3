// The search's matcher. Candidates are found sixteen positions at a time by
// the first and the last byte of the search text (the bytes either case can
// give); each is compared whole and then checked to start at a character
// boundary. That check reads back only over lead-range bytes, and never past
// the last place known to be a boundary, so a walk stays linear.
#include "search/text_matcher.h"
#include <windows.h>
#include <emmintrin.h>
#include <algorithm>
#include <cstring>
#include <utility>
#include "frame/mbcs.h"
#include "frame/text_internal.h"

namespace ferro::search {
namespace {
using mbcs::is_lead;

unsigned char ascii_lower(unsigned char c) { return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c; }
unsigned char ascii_upper(unsigned char c) { return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 32) : c; }

// Every double-byte character that folds to another: (folded, character),
// sorted, so that the characters of one folded form can be listed.
const std::vector<std::pair<unsigned, unsigned>>& unfolded() {
    static const std::vector<std::pair<unsigned, unsigned>> table = [] {
        std::vector<std::pair<unsigned, unsigned>> t;
        for (unsigned lead = 0x81; lead <= 0xfc; ++lead) {
            if (!is_lead(static_cast<unsigned char>(lead))) continue;
            for (unsigned trail = 0x40; trail <= 0xfc; ++trail) {
                if (!mbcs::is_trail(static_cast<unsigned char>(trail))) continue;
                const unsigned char bytes[2] = {static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)};
                const unsigned code = (lead << 8) | trail;
                const unsigned folded = text::fold_char(bytes, 2);
                if (folded != code) t.emplace_back(folded, code);
            }
        }
        std::sort(t.begin(), t.end());
        return t;
    }();
    return table;
}

// Whether `at` starts a character, given that `sync` (<= at) does: the
// lead-range bytes just before `at` pair up from the last byte that ends a
// character.
bool at_boundary(const unsigned char* text, std::size_t sync, std::size_t at) {
    std::size_t q = at;
    while (q > sync && is_lead(text[q - 1])) --q;
    return ((at - q) & 1) == 0;
}

bool has_sse2() {
#ifdef _WIN64
    return true;
#else
    static const bool present = IsProcessorFeaturePresent(PF_XMMI64_INSTRUCTIONS_AVAILABLE) != FALSE;
    return present;
#endif
}
}  // namespace

void TextMatcher::ByteSet::add(unsigned char c) {
    if (has[c]) return;
    has[c] = true;
    if (count < 4) list[count] = c;
    ++count;
}

TextMatcher::TextMatcher(const char* pattern, bool match_case) : pattern_(pattern ? pattern : ""), match_case_(match_case) {
    const auto* p = reinterpret_cast<const unsigned char*>(pattern_.data());
    const std::size_t n = pattern_.size();
    for (std::size_t i = 0; i < n;) {
        const unsigned char size = is_lead(p[i]) && i + 1 < n ? 2 : 1;
        folded_.push_back(size == 2 ? text::fold_char(p + i, 2) : ascii_lower(p[i]));
        sizes_.push_back(size);
        i += size;
    }
    if (n == 0) return;
    lone_lead_end_ = sizes_.back() == 1 && is_lead(p[n - 1]);
    if (match_case_) {
        first_.add(p[0]);
        last_.add(p[n - 1]);
        return;
    }
    // Without case: the bytes of every character that folds like the first
    // (and the last) character of the search text.
    auto add_forms = [&](std::size_t index, ByteSet& set, bool first) {
        const unsigned folded = folded_[index];
        if (sizes_[index] == 1) {
            set.add(static_cast<unsigned char>(folded));
            set.add(ascii_upper(static_cast<unsigned char>(folded)));
            return;
        }
        auto take = [&](unsigned code) { set.add(static_cast<unsigned char>(first ? code >> 8 : code & 0xff)); };
        take(folded);
        const auto& table = unfolded();
        for (auto it = std::lower_bound(table.begin(), table.end(), std::make_pair(folded, 0u));
             it != table.end() && it->first == folded; ++it)
            take(it->second);
    };
    add_forms(0, first_, true);
    add_forms(folded_.size() - 1, last_, false);
}

bool TextMatcher::verify(const unsigned char* text, std::size_t len, std::size_t at) const {
    const std::size_t n = pattern_.size();
    if (match_case_) {
        if (std::memcmp(text + at, pattern_.data(), n) != 0) return false;
    } else {
        std::size_t o = at;
        for (std::size_t k = 0; k < folded_.size(); ++k) {
            const unsigned char size = is_lead(text[o]) && o + 1 < len ? 2 : 1;
            if (size != sizes_[k]) return false;
            const unsigned folded = size == 2 ? text::fold_char(text + o, 2) : ascii_lower(text[o]);
            if (folded != folded_[k]) return false;
            o += size;
        }
    }
    // A lead byte that ends the search text stands alone only at the text's end.
    return !lone_lead_end_ || at + n == len || text[at + n] == '\0';
}

std::size_t TextMatcher::find_scalar(const unsigned char* text, std::size_t len, std::size_t from,
                                     std::size_t last, std::size_t sync) const {
    const std::size_t n = pattern_.size();
    for (std::size_t at = from; at <= last; ++at) {
        if (!first_.has[text[at]] || !last_.has[text[at + n - 1]] || !verify(text, len, at)) continue;
        if (at_boundary(text, sync, at)) return at;
        sync = at + 1;
    }
    return npos;
}

namespace {
// The line ends among the sixteen bytes at `p` (one byte more is read): a
// 0xff lane for each.
__attribute__((target("sse2"))) inline __m128i line_ends(const unsigned char* p) {
    const __m128i lf = _mm_set1_epi8('\n'), cr = _mm_set1_epi8('\r');
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 1));
    return _mm_or_si128(_mm_cmpeq_epi8(a, lf), _mm_andnot_si128(_mm_cmpeq_epi8(next, lf), _mm_cmpeq_epi8(a, cr)));
}

// The sum of the byte lanes (each lane counts at most 255 blocks).
__attribute__((target("sse2"))) inline std::size_t lane_sum(__m128i lanes) {
    const __m128i sums = _mm_sad_epu8(lanes, _mm_setzero_si128());
    return static_cast<std::size_t>(_mm_cvtsi128_si32(sums)) +
           static_cast<std::size_t>(_mm_cvtsi128_si32(_mm_srli_si128(sums, 8)));
}

__attribute__((target("sse2"))) void count_wide(const unsigned char* text, LineTally& tally, std::size_t to) {
    while (tally.counted + 16 <= to) {
        __m128i lanes = _mm_setzero_si128();
        for (int blocks = 0; blocks < 255 && tally.counted + 16 <= to; ++blocks, tally.counted += 16)
            lanes = _mm_sub_epi8(lanes, line_ends(text + tally.counted));
        tally.ends += lane_sum(lanes);
    }
}
}  // namespace

void LineTally::count_to(const char* text, std::size_t to) {
    if (has_sse2()) count_wide(reinterpret_cast<const unsigned char*>(text), *this, to);
    for (; counted < to; ++counted)
        if (ends_line(text, counted)) ++ends;
}

template <bool Count>
__attribute__((target("sse2"))) std::size_t TextMatcher::find_wide(const unsigned char* text, std::size_t len,
                                                                   std::size_t from, std::size_t last,
                                                                   LineTally* tally) const {
    const std::size_t n = pattern_.size();
    __m128i firsts[4], lasts[4];
    for (int k = 0; k < 4; ++k) {
        firsts[k] = _mm_set1_epi8(static_cast<char>(first_.list[k < first_.count ? k : 0]));
        lasts[k] = _mm_set1_epi8(static_cast<char>(last_.list[k < last_.count ? k : 0]));
    }
    std::size_t sync = from;
    std::size_t at = from;
    // Line ends of the blocks passed, by byte lane, summed every 255 blocks
    // and when the walk leaves: the tally then stands at `at`.
    __m128i lanes = _mm_setzero_si128();
    int blocks = 0;
    auto settle = [&] {
        if (!Count) return;
        tally->ends += lane_sum(lanes);
        tally->counted = at;
    };
    // Sixteen starts at a time while the sixteenth is a start to try.
    for (; at + 15 <= last; at += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + at));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + at + n - 1));
        __m128i ma = _mm_cmpeq_epi8(a, firsts[0]), mb = _mm_cmpeq_epi8(b, lasts[0]);
        for (int k = 1; k < first_.count; ++k) ma = _mm_or_si128(ma, _mm_cmpeq_epi8(a, firsts[k]));
        for (int k = 1; k < last_.count; ++k) mb = _mm_or_si128(mb, _mm_cmpeq_epi8(b, lasts[k]));
        unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(ma, mb)));
        while (mask) {
            const std::size_t candidate = at + static_cast<std::size_t>(__builtin_ctz(mask));
            mask &= mask - 1;
            if (!verify(text, len, candidate)) continue;
            if (at_boundary(text, sync, candidate)) {
                settle();  // this block is not counted: the hit is inside it
                return candidate;
            }
            sync = candidate + 1;
        }
        if (Count) {
            lanes = _mm_sub_epi8(lanes, line_ends(text + at));
            if (++blocks == 255) {
                tally->ends += lane_sum(lanes);
                lanes = _mm_setzero_si128();
                blocks = 0;
            }
        }
    }
    settle();
    return find_scalar(text, len, at, last, sync);  // the last starts one by one
}

std::size_t TextMatcher::find(const char* text, std::size_t len, std::size_t from, std::size_t stop) const {
    const std::size_t n = pattern_.size();
    if (n == 0 || !text || from > len || len - from < n || from >= stop) return npos;
    const std::size_t last = std::min(len - n, stop - 1);  // the last start to try
    const auto* t = reinterpret_cast<const unsigned char*>(text);
    if (first_.count <= 4 && last_.count <= 4 && has_sse2()) return find_wide<false>(t, len, from, last, nullptr);
    return find_scalar(t, len, from, last, from);
}

std::size_t TextMatcher::find(const char* text, std::size_t len, std::size_t from, std::size_t stop,
                              LineTally& tally) const {
    if (!text) return npos;
    tally.count_to(text, std::min(from, len));
    std::size_t hit = npos;
    const std::size_t n = pattern_.size();
    if (n != 0 && from <= len && len - from >= n && from < stop) {
        const std::size_t last = std::min(len - n, stop - 1);
        const auto* t = reinterpret_cast<const unsigned char*>(text);
        hit = first_.count <= 4 && last_.count <= 4 && has_sse2() ? find_wide<true>(t, len, from, last, &tally)
                                                                  : find_scalar(t, len, from, last, from);
    }
    tally.count_to(text, hit != npos ? hit : std::max(tally.counted, std::min(stop, len)));
    return hit;
}

std::size_t TextMatcher::boundary_from(const char* text, std::size_t known, std::size_t at) {
    return at_boundary(reinterpret_cast<const unsigned char*>(text), known, at) ? at : at + 1;
}
}  // namespace ferro::search
