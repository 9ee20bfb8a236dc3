// The host's commands: each takes the arguments after its name and returns
// the process exit code.
#pragma once
#include <string>
#include <vector>

namespace host {
using Args = std::vector<std::string>;
int cmd_demo(const Args& args);
int cmd_msg(const Args& args);
int cmd_ls(const Args& args);
int cmd_cp(const Args& args);
int cmd_mv(const Args& args);

// What ferro ls lists and how.
struct ListOptions {
    std::string folder;
    std::string sort = "name";  // name, ext, size or date
    bool reverse = false;
    std::string spec;     // wildcard filter of the file table
    std::string exclude;  // names separated by ";"
};
// Prints the folder and file tables (at most `limit` lines each); 0, or 1
// after one line on stderr.
int list_folder(const ListOptions& options, size_t limit);
// A Unix path ("/...") as the Windows path of drive Z:.
std::string windows_path(const std::string& path);
}  // namespace host
