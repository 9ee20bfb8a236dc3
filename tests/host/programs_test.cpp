// The host's program commands on the test child: run with the exit code
// passed through, ps, and kill politely, by number and by name.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "commands.h"
#include "support/child_program.h"
#include "support/sjis.h"
#include "support/temp_folder.h"

using namespace ferro_test;

TEST(HostPrograms, RunPsAndKill) {
    TempFolder temp;
    ChildRecord record(temp / "runs.txt");
    const std::string child = quoted(child_path());
    const std::string a = temp.file(sjis("表 ソ.txt"), "x"), b = temp.file("b.txt", "y");
    EXPECT_EQ(host::cmd_run({"--wait", child + " --exit=5 $C", a, b}), 5) << "the exit code comes through";
    EXPECT_EQ(host::cmd_run({"--wait", child + " $M", a, b}), 0);
    EXPECT_EQ(host::cmd_run({std::string(600, 'x') + " $C", a}), 2) << "does not fit";
    auto runs = record.runs();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].args, (std::vector<std::string>{"--exit=5", a}));
    EXPECT_EQ(runs[1].args, (std::vector<std::string>{a, b}));

    Child polite("\"--title=Ferro Host Ps\" --stay");
    EXPECT_EQ(host::cmd_ps({"ferro host ps"}), 0);
    EXPECT_EQ(host::cmd_ps({"ferro-no-such-window"}), 1);
    EXPECT_EQ(host::cmd_kill({"--close", "ferro_child_gui.exe"}), 0);
    EXPECT_TRUE(polite.wait_end());
    Child by_number("\"--title=Ferro Host Kill\" --stay --ignore-close");
    EXPECT_EQ(host::cmd_kill({std::to_string(by_number.id())}), 0);
    EXPECT_TRUE(by_number.wait_end());
    Child by_name("\"--title=Ferro Host Kill\" --stay --ignore-close");
    EXPECT_EQ(host::cmd_kill({"ferro_child_gui.exe"}), 0);
    EXPECT_TRUE(by_name.wait_end());
    EXPECT_EQ(host::cmd_kill({"ferro_child_gui.exe"}), 1) << "none left";
}
