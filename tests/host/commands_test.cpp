// The host's commands on real files whose names end in a 0x5C trail byte:
// copy, move, find and delete reach exactly the entries named.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "box_report.h"
#include "commands.h"
#include "support/sjis.h"
#include "support/temp_folder.h"

using namespace ferro_test;

namespace {
class HostCommands : public ::testing::Test {
protected:
    void SetUp() override {
        // 表\ソ.txt, 表\能\a.txt and a sibling 表のコピー that must be left alone.
        temp.file(sjis("表\\ソ.txt"), "one");
        temp.file(sjis("表\\能\\a.txt"), "two");
        temp.file(sjis("表のコピー\\keep.txt"), "keep");
    }
    TempFolder temp;
};

TEST_F(HostCommands, CopyTreeWhoseNameEndsInTrailByte) {
    EXPECT_EQ(0, host::cmd_cp({temp / sjis("表"), temp / "copy"}));
    EXPECT_EQ("one", read_file(temp / sjis("copy\\ソ.txt")));
    EXPECT_EQ("two", read_file(temp / sjis("copy\\能\\a.txt")));
    EXPECT_EQ("one", read_file(temp / sjis("表\\ソ.txt")));  // the source stays
}

TEST_F(HostCommands, CopyWithFinalYenMarkIntoAFolder) {
    CreateDirectoryA((temp / "into").c_str(), nullptr);
    EXPECT_EQ(0, host::cmd_cp({temp / sjis("表\\"), temp / "into\\"}));
    EXPECT_EQ("two", read_file(temp / sjis("into\\表\\能\\a.txt")));
}

TEST_F(HostCommands, CopyIntoItselfIsRefusedAndCopiesNothing) {
    EXPECT_EQ(1, host::cmd_cp({temp / sjis("表"), temp / sjis("表\\inner")}));
    EXPECT_FALSE(exists(temp / sjis("表\\inner")));
}

TEST_F(HostCommands, MoveKeepsEveryByte) {
    EXPECT_EQ(0, host::cmd_mv({temp / sjis("表"), temp / "moved"}));
    EXPECT_FALSE(exists(temp / sjis("表")));
    EXPECT_EQ("two", read_file(temp / sjis("moved\\能\\a.txt")));
    EXPECT_EQ("keep", read_file(temp / sjis("表のコピー\\keep.txt")));
}

TEST_F(HostCommands, DeleteTreeLeavesTheSiblingWithTheSamePrefix) {
    EXPECT_EQ(0, host::cmd_rm({temp / sjis("表")}));
    EXPECT_FALSE(exists(temp / sjis("表")));
    EXPECT_EQ("keep", read_file(temp / sjis("表のコピー\\keep.txt")));
}

TEST_F(HostCommands, MissingSourceFailsWithoutTouchingTheTarget) {
    temp.file("target.txt", "old");
    EXPECT_EQ(1, host::cmd_cp({temp / "nothing.txt", temp / "target.txt"}));
    EXPECT_EQ("old", read_file(temp / "target.txt"));
    EXPECT_EQ(1, host::cmd_rm({temp / "nothing.txt"}));
}

TEST_F(HostCommands, GrepExitCodesAndViewWithoutDisplay) {
    EXPECT_EQ(0, host::cmd_grep({"-r", "two", temp.path()}));
    EXPECT_EQ(1, host::cmd_grep({"-r", "--pattern", "*.dat", "two", temp.path()}));
    EXPECT_EQ(1, host::cmd_grep({"two", temp / sjis("表")}));  // not in the subfolder without -r
    EXPECT_EQ(2, host::cmd_grep({"two"}));
    EXPECT_EQ(2, host::cmd_grep({"-x", "two", temp.path()}));
    if (!host::BoxReport::headless()) GTEST_SKIP() << "a display is set: ferro view would show its dialog";
    EXPECT_EQ(0, host::cmd_view({temp / sjis("表\\ソ.txt"), "--width", "2"}));
    EXPECT_EQ(1, host::cmd_view({temp / "nothing.txt"}));
    EXPECT_EQ(2, host::cmd_view({"--width", "x", temp / "nothing.txt"}));
}

TEST_F(HostCommands, ArchiveCreateListExtractThroughTheBinding) {
    EXPECT_EQ(0, host::cmd_arc({"create", temp / "a.tgz", temp / sjis("表")}));
    EXPECT_EQ(0, host::cmd_arc({"list", temp / "a.tgz"}));
    EXPECT_EQ(0, host::cmd_arc({"extract", temp / "a.tgz", temp / "out"}));
    EXPECT_EQ("two", read_file(temp / sjis("out\\表\\能\\a.txt")));
    EXPECT_EQ(1, host::cmd_arc({"list", temp / "a.lzh"}));  // no library of that kind
    EXPECT_EQ(2, host::cmd_arc({"extract", temp / "a.tgz"}));
}
}  // namespace
