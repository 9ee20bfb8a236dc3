// Extension and base-name matching, star patterns and the keywords of
// command macros.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "frame/wildcards.h"
#include "support/sjis.h"

using ferro_test::sjis;

namespace {
// ---- Extensions and base names
TEST(Wildcards, ExtensionMatching) {
    struct Row { const char* name; const char* ext; BOOL want; } rows[] = {
        {"readme.txt", "txt", TRUE},
        {"README.TXT", "txt", TRUE},
        {"archive.tar.gz", "gz", TRUE},
        {"archive.tar.gz", "tar.gz", FALSE},
        {"noext", "", FALSE},
        {"name.", "", FALSE},
        {"dir.d\\file", "d\\file", FALSE},
        {"表.ソ", "ソ", TRUE},
        {"a.ｿﾌﾄ", "ｿﾌﾄ", TRUE},
        {"a.Ａ", "ａ", TRUE},   // full-width letters fold as the case-insensitive search folds them
    };
    for (const auto& r : rows)
        EXPECT_EQ(r.want, IsExtMatched(sjis(r.name).c_str(), sjis(r.ext).c_str())) << r.name;
    EXPECT_FALSE(IsExtMatched(nullptr, "txt"));
    EXPECT_FALSE(IsExtMatched("a.txt", nullptr));
}

TEST(Wildcards, ExtensionWithQuotationMarks) {
    EXPECT_TRUE(IsExtMatchedWithDefautExt("\"txt\"", "TXT"));
    EXPECT_TRUE(IsExtMatchedWithDefautExt("txt\"", "txt"));
    EXPECT_TRUE(IsExtMatchedWithDefautExt("\"txt", "txt"));
    EXPECT_FALSE(IsExtMatchedWithDefautExt("txt", "tx"));
    EXPECT_FALSE(IsExtMatchedWithDefautExt(nullptr, "txt"));
    EXPECT_FALSE(IsExtMatchedWithDefautExt(std::string(600, 'a').c_str(), "a"));
}

TEST(Wildcards, BaseNameMatching) {
    const char* name = "\"Read Me.txt\"";
    EXPECT_EQ(name, IsNameMatched(name, "read me"));
    EXPECT_EQ(nullptr, IsNameMatched(name, "read me.txt"));
    const char* two = "a.b.c";
    EXPECT_EQ(two, IsNameMatched(two, "A.B"));
    EXPECT_EQ(nullptr, IsNameMatched("noperiod", "noperiod"));
    std::string kanji = sjis("表ソ.txt");
    EXPECT_EQ(kanji.c_str(), IsNameMatched(kanji.c_str(), sjis("表ソ").c_str()));
    EXPECT_EQ(nullptr, IsNameMatched(kanji.c_str(), sjis("表").c_str()));
    EXPECT_EQ(nullptr, IsNameMatched(nullptr, "x"));
}

// ---- Star patterns
std::vector<std::string> items_of(const std::string& pattern, std::vector<char>& storage, std::vector<LPSTR>& items,
                                  int* count = nullptr) {
    storage.assign(pattern.begin(), pattern.end());
    storage.push_back('\0');
    items.assign(pattern.size() / 2 + 2, nullptr);
    int n = GetItemsInWildCards(items.data(), storage.data());
    if (count) *count = n;
    std::vector<std::string> out;
    for (int i = 0; i < n; ++i) out.push_back(items[size_t(i)] ? items[size_t(i)] : "<null>");
    return out;
}

TEST(Wildcards, PatternSplitting) {
    struct Row { const char* pattern; std::vector<std::string> want; } rows[] = {
        {"*ab*cd*", {"<null>", "ab", "cd"}},
        {"**ab***cd**", {"<null>", "ab", "cd"}},
        {"ab*", {"ab"}},
        {"ab*cd", {"ab"}},  // text after the last star is not an item
        {"ab", {}},
        {"*", {"<null>"}},
        {"", {}},
        {"*表*ソ*", {"<null>", "表", "ソ"}},
    };
    for (const auto& r : rows) {
        std::vector<char> storage;
        std::vector<LPSTR> items;
        std::vector<std::string> want;
        for (const auto& w : r.want) want.push_back(w == "<null>" ? w : sjis(w.c_str()));
        EXPECT_EQ(want, items_of(sjis(r.pattern), storage, items)) << r.pattern;
    }
    // 表 (95 5C) and a yen mark before a star: one item, split at the star only.
    std::vector<char> storage;
    std::vector<LPSTR> items;
    const std::string pattern = std::string("*").append(sjis("表\\")).append("*");
    EXPECT_EQ((std::vector<std::string>{"<null>", sjis("表\\")}), items_of(pattern, storage, items));
}

TEST(Wildcards, PatternHits) {
    struct Row { const char* pattern; const char* name; BOOL want; } rows[] = {
        {"*ab*cd*", "xxABxxCDxx", TRUE},
        {"*ab*cd*", "abcd", TRUE},
        {"*ab*cd*", "xxCDxxABxx", FALSE},
        {"*ab*cd*", "abc", FALSE},
        {"ab*", "abc", TRUE},
        {"ab*", "ABC", TRUE},
        {"ab*", "xabc", FALSE},
        {"ab*cd*", "ab--cd", TRUE},
        {"ab*cd*", "cdab", FALSE},
        {"*", "anything", TRUE},
        {"ab", "zz", TRUE},  // no items: everything matches
        {"*ab*", "", TRUE},  // an empty name matches
        {"*aba*", "ab_aba", TRUE},
        {"*ab*ab*", "xab", FALSE},  // the second item must come after the first
        {"*ソ*", "表ソ", TRUE},
        {"*\\*", "表", FALSE},  // the trail byte of 表 is no yen mark
        {"*\\*", "a\\b", TRUE},
        {"*ａ*", "Ａ", TRUE},
    };
    for (const auto& r : rows) {
        std::vector<char> storage;
        std::vector<LPSTR> items;
        items_of(sjis(r.pattern), storage, items);
        EXPECT_EQ(r.want, HitItemsInWildCards(sjis(r.name).c_str(), items.data())) << r.pattern << " " << r.name;
    }
    EXPECT_TRUE(HitItemsInWildCards(nullptr, nullptr));
}

// ---- Command-line keywords
TEST(Wildcards, NameIsWildCardOnly) {
    struct Row { const char* name; int want; const char* after; } rows[] = {
        {"%1", 1, ""},
        {"  %1  ", 1, ""},
        {"name %1", 1, "name"},
        {"name \"%1\"", 1, "name \"\""},  // the bare %1 comes first in the table
        {"%I", 1, ""},
        {"\"%L\"", 1, "\"\""},
        {"prog %l %*", 1, "prog"},
        {"a|b %2", 1, "a|b"},  // "|" is tried only while a "%" is left
        {"a|b%2 %1", 1, "a|b"},
        {"no keyword", 0, "no keyword"},
        {" 100% ", 0, "100%"},  // trimmed on the way, nothing removed
        {"%x", 0, "%x"},
        {"%9%8%7", 1, ""},
        {"表 %1", 1, "表"},
        {"", 0, ""},
    };
    for (const auto& r : rows) {
        std::string text = sjis(r.name);
        std::vector<char> buf(text.begin(), text.end());
        buf.push_back('\0');
        EXPECT_EQ(r.want, NameIsWildCardOnly(buf.data())) << r.name;
        EXPECT_EQ(sjis(r.after), std::string(buf.data())) << r.name;
    }
    EXPECT_EQ(0, NameIsWildCardOnly(nullptr));
}
}  // namespace
