// The progress line: rewritten in place on a terminal; in a log at most one
// plain line per second per item, and nothing to clear.
#include <gtest/gtest.h>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>
#include "console.h"

namespace {
unsigned long long g_now;
unsigned long long clock_now() { return g_now; }

std::string run(bool terminal, const std::vector<std::pair<unsigned long long, bool>>& steps) {
    std::FILE* f = std::tmpfile();
    {
        g_now = 0;
        host::ProgressLine line(terminal, f, clock_now);
        for (const auto& [at, new_item] : steps) {
            g_now = at;
            if (new_item)
                line.begin();
            else
                line.show(std::to_string(at));
        }
    }
    std::string text(4096, '\0');
    std::rewind(f);
    text.resize(std::fread(text.data(), 1, text.size(), f));
    std::fclose(f);
    return text;
}

TEST(ProgressLine, TerminalRewritesLogWritesOneLineASecond) {
    struct Case {
        bool terminal;
        std::vector<std::pair<unsigned long long, bool>> steps;  // time, true = a new item begins
        std::string expected;
    } cases[] = {
        {true, {{0, true}, {10, false}, {20, false}}, "\r10\x1b[K\r20\x1b[K\r\x1b[K"},
        // Thousands of messages within a second write nothing to a log.
        {false, {{0, true}, {10, false}, {500, false}, {999, false}}, ""},
        {false, {{0, true}, {1000, false}, {1500, false}, {2000, false}, {2100, true}, {2200, false}},
         "1000\n2000\n"},
        {false, {{0, true}, {900, false}, {3000, true}, {3950, false}, {4000, false}}, "4000\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(run(c.terminal, c.steps), c.expected);
}
}  // namespace
