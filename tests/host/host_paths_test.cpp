// The host's path helpers: separators are whole characters, so the second
// byte of 表 (95 5C), ソ (83 5C) and 能 (94 5C) is never taken for a yen mark.
#include <gtest/gtest.h>
#include <string>
#include "host_paths.h"
#include "support/sjis.h"

using ferro_test::sjis;

namespace {
struct YenRow {
    const char* what;
    std::string path;
    bool ends_with_yen;
    std::string without_final_yen;
    std::string name;
};

TEST(HostPaths, FinalYenMarksAndNames) {
    const YenRow rows[] = {
        {"empty", "", false, "", ""},
        {"root keeps its yen", "C:\\", true, "C:\\", ""},
        {"one final yen", "C:\\a\\", true, "C:\\a", ""},
        {"two final yens", "C:\\a\\\\", true, "C:\\a", ""},
        {"plain", "C:\\a\\b.txt", false, "C:\\a\\b.txt", "b.txt"},
        {"ends in 表", sjis("C:\\x\\表"), false, sjis("C:\\x\\表"), sjis("表")},
        {"ends in ソ then yen", sjis("C:\\ソ\\"), true, sjis("C:\\ソ"), ""},
        {"能 inside the name", sjis("Z:\\能力\\能"), false, sjis("Z:\\能力\\能"), sjis("能")},
        {"no yen at all", sjis("表"), false, sjis("表"), sjis("表")},
    };
    for (const YenRow& row : rows) {
        EXPECT_EQ(row.ends_with_yen, host::ends_with_yen(row.path)) << row.what;
        EXPECT_EQ(row.without_final_yen, host::without_final_yen(row.path)) << row.what;
        EXPECT_EQ(row.name, host::name_of(row.path)) << row.what;
    }
}

TEST(HostPaths, JoinAndUnixPaths) {
    EXPECT_EQ("C:\\a\\b", host::joined("C:\\a", "b"));
    EXPECT_EQ("C:\\b", host::joined("C:\\", "b"));
    EXPECT_EQ(sjis("C:\\表\\b"), host::joined(sjis("C:\\表"), "b"));  // 表 ends in 0x5C, still needs a yen
    EXPECT_EQ(sjis("C:\\ソ\\b"), host::joined(sjis("C:\\ソ\\"), "b"));
    EXPECT_EQ("Z:\\tmp\\x", host::windows_path("/tmp/x"));
    EXPECT_EQ(sjis("Z:\\tmp\\表\\"), host::windows_path(sjis("/tmp/表/")));
    EXPECT_EQ("C:\\a", host::windows_path("C:\\a"));
}
}  // namespace
