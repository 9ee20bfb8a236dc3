// Starting with no settings and listing a prepared tree in both panes.
#include "window_host_fixture.h"
#include "support/sjis.h"

using namespace ferro_test;

namespace {
class Listing : public WindowHost {};

TEST_F(Listing, BothPanesListTheTreeWithJapaneseNames) {
    temp.file(sjis("左\\表計算.xls"), "12345");
    temp.file(sjis("左\\ソフト.txt"), "1");
    temp.file(sjis("左\\能力.doc"), "");
    temp.folder(sjis("左\\予定表"));
    temp.file(sjis("右\\readme.txt"), "abc");
    start(temp / sjis("左"), temp / sjis("右"));
    const std::vector<std::string> left = items(0);
    ASSERT_EQ(6u, left.size());
    EXPECT_EQ(".", left[0]);
    EXPECT_EQ("[..]", left[1]);
    EXPECT_EQ(sjis("予定表"), left[2]);
    EXPECT_EQ(sjis("ソフト.txt"), left[3]);
    EXPECT_EQ(std::vector<std::string>({".", "[..]", "readme.txt"}), items(1));
    shot("ferrolan-listing-japanese");
}
}  // namespace
