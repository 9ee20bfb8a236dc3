// The matcher of the text search: finds a search text in a buffer of
// code-page-932 text (NUL bytes allowed) at the speed of memory. A hit starts
// and ends at character boundaries: the trail byte of 表 never matches the
// first byte of the search text. Without case, letters match in either case,
// the double-byte ones (full-width Latin, Greek, Cyrillic) too.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace ferro::search {
// The line ends before a place of a text: a line ends at a LF, or at a CR
// that no LF follows. `ends` counts those before `counted`.
struct LineTally {
    std::size_t counted = 0;
    std::size_t ends = 0;

    static bool ends_line(const char* text, std::size_t at) {
        return text[at] == '\n' || (text[at] == '\r' && text[at + 1] != '\n');
    }
    // Counts on to `to` (>= counted); the text holds a readable byte at `to`.
    void count_to(const char* text, std::size_t to);
};

class TextMatcher {
public:
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    TextMatcher(const char* pattern, bool match_case);
    std::size_t length() const { return pattern_.size(); }

    // The offset of the first hit in text[from, len) that starts before
    // `stop`, or npos. `from` must be a character boundary of the text (0,
    // or the end of an earlier hit).
    std::size_t find(const char* text, std::size_t len, std::size_t from, std::size_t stop = npos) const;
    // The same search, counting the line ends on the way in the same pass:
    // the tally (at or before `from`) moves on to the hit, or without a hit
    // to `stop` (at most `len`, at least `from`). The text holds a readable
    // byte at `len` (a terminator).
    std::size_t find(const char* text, std::size_t len, std::size_t from, std::size_t stop, LineTally& tally) const;
    // The first character boundary at or after `at`, given the boundary `known` <= at.
    static std::size_t boundary_from(const char* text, std::size_t known, std::size_t at);

private:
    // The bytes that can stand at one place of a hit.
    struct ByteSet {
        bool has[256] = {};
        unsigned char list[4] = {};
        int count = 0;  // bytes in `list`; more than 4: only `has` is used
        void add(unsigned char c);
    };

    bool verify(const unsigned char* text, std::size_t len, std::size_t at) const;
    // Starts from `from` to `last`; `sync` (<= from) is known to be a character boundary.
    std::size_t find_scalar(const unsigned char* text, std::size_t len, std::size_t from, std::size_t last,
                            std::size_t sync) const;
    // With Count, `tally` stands at `from` and moves on over the blocks passed.
    template <bool Count>
    std::size_t find_wide(const unsigned char* text, std::size_t len, std::size_t from, std::size_t last,
                          LineTally* tally) const;

    std::string pattern_;
    bool match_case_;
    bool lone_lead_end_ = false;        // the text ends in a lead byte without its trail byte
    std::vector<unsigned> folded_;      // the pattern's characters, folded, without case
    std::vector<unsigned char> sizes_;  // their sizes
    ByteSet first_, last_;
};
}  // namespace ferro::search
