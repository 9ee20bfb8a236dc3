// The host's commands: each takes the arguments after its name and returns
// the process exit code.
#pragma once
#include <string>
#include <vector>

namespace host {
using Args = std::vector<std::string>;
int cmd_demo(const Args& args);
int cmd_msg(const Args& args);
}  // namespace host
