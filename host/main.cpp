// ferro.exe: a console host that drives the Ferrolan engine the way a
// two-pane file manager does.
#include <windows.h>
#include <cstring>
#include "box_report.h"
#include "commands.h"
#include "console.h"

namespace {
struct Command {
    const char* name;
    int (*run)(const host::Args&);
    const char* usage;
};

const Command kCommands[] = {
    {"cp", host::cmd_cp, "cp SRC... DST        copy files and folder trees with the engine's copy loop"},
    {"demo", host::cmd_demo, "demo                 show what the engine does, step by step"},
    {"ls", host::cmd_ls, "ls [--sort name|ext|size|date] [--reverse] [--spec PATTERN] [--exclude LIST] DIR"},
    {"rm", host::cmd_rm, "rm [--force] [--trash] PATTERN...   delete files by pattern, or whole folders"},
    {"attrib", host::cmd_attrib, "attrib [+R|-R|+H|-H|+S|-S|+A|-A] PATTERN...   show or change attributes"},
    {"find", host::cmd_find,
     "find DIR [--name TEXT] [--newer DATE] [--older DATE] [--min-size N] [--max-size N] [--attr RHSA] [--names LIST]"},
    {"mv", host::cmd_mv, "mv SRC... DST        move files and folder trees (copy, then remove the source)"},
    {"msg", host::cmd_msg, "msg N [N...]         show message texts of the message library by number"},
};

int usage() {
    host::err("usage: ferro COMMAND [ARGS...]");
    for (const Command& c : kCommands) host::err(std::string("  ferro ") + c.usage);
    return 2;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    for (const Command& c : kCommands)
        if (std::strcmp(argv[1], c.name) == 0) {
            // An error box of the engine is an error of the command.
            host::BoxReport boxes(c.name);
            const int code = c.run(host::Args(argv + 2, argv + argc));
            return code == 0 && boxes.count() > 0 ? 1 : code;
        }
    host::err(std::string("ferro: unknown command '") + argv[1] + "'");
    return usage();
}
