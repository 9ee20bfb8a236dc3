// The host's commands: each takes the arguments after its name and returns
// the process exit code.
#pragma once
#include <string>
#include <vector>
#include "host_paths.h"

namespace host {
using Args = std::vector<std::string>;
int cmd_demo(const Args& args);
int cmd_msg(const Args& args);
int cmd_ls(const Args& args);
int cmd_rm(const Args& args);
int cmd_attrib(const Args& args);
int cmd_find(const Args& args);
int cmd_cp(const Args& args);
int cmd_mv(const Args& args);
int cmd_run(const Args& args);
int cmd_ps(const Args& args);
int cmd_kill(const Args& args);
int cmd_grep(const Args& args);
int cmd_view(const Args& args);
int cmd_get(const Args& args);
int cmd_update(const Args& args);
int cmd_colors(const Args& args);
int cmd_print(const Args& args);
int cmd_arc(const Args& args);
int cmd_config(const Args& args);
int cmd_assoc(const Args& args);
int cmd_lnk(const Args& args);
int cmd_fav(const Args& args);

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

// What a pattern argument of rm and attrib names: a folder (the pattern is
// its "*.*") or files matching a pattern in an existing folder.
struct Target {
    std::string pattern;  // Windows path with the name pattern
    bool folder = false;
};
// Checks an argument and resolves it; false with a message in `error`.
bool resolve_pattern(const std::string& argument, Target& target, std::string& error);
// The paths the engine's walk lists for a pattern (files only; with
// `descend` from every sub-folder too), after the search conditions set.
std::vector<std::string> list_matches(const std::string& pattern, bool descend);
}  // namespace host
