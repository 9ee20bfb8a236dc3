// ferro ps: the top-level windows that have a title, with their process and
// program (found by the engine), optionally only those whose title or
// program holds a text.
#include <windows.h>
#include <algorithm>
#include <string>
#include <vector>
#include "commands.h"
#include "console.h"
#include "frame/text.h"
#include "programs/processes.h"

namespace host {
namespace {
struct Row {
    DWORD process;
    HWND window;
    std::string program, title;
};

BOOL CALLBACK collect(HWND window, LPARAM list) {
    char title[1040] = "";
    if (!IsWindowVisible(window) || !GetWindowTextA(window, title, sizeof title)) return TRUE;
    Row row{0, window, "", title};
    GetWindowThreadProcessId(window, &row.process);
    char program[1040] = "";
    GetExefileFromHwnd(window, program, sizeof program, 1, nullptr);
    row.program = program;
    reinterpret_cast<std::vector<Row>*>(list)->push_back(row);
    return TRUE;
}
}  // namespace

int cmd_ps(const Args& args) {
    if (args.size() > 1) {
        err("usage: ferro ps [PATTERN]");
        return 2;
    }
    std::vector<Row> rows;
    EnumWindows(collect, reinterpret_cast<LPARAM>(&rows));
    std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.process < b.process; });
    int shown = 0;
    for (const Row& r : rows) {
        if (!args.empty() && !j_lstristr(r.title.c_str(), args[0].c_str()) &&
            !j_lstristr(r.program.c_str(), args[0].c_str()))
            continue;
        outf("%6lu  %08lx  %s  %s\n", static_cast<unsigned long>(r.process),
             static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(r.window)), r.program.c_str(), r.title.c_str());
        ++shown;
    }
    return shown || args.empty() ? 0 : 1;
}

int cmd_kill(const Args& args) {
    bool close = !args.empty() && args[0] == "--close";
    if (args.size() != (close ? 2u : 1u)) {
        err("usage: ferro kill [--close] NAME|PID");
        return 2;
    }
    const std::string& target = args.back();
    if (close) {
        ProgramWindowSearch list[] = {{target.c_str(), nullptr, nullptr}, {nullptr, nullptr, nullptr}};
        LONG asked = FindMultipleHwndOfTerminateExeByEnumWindows(list, 0, 2);
        outf("asked %ld window(s) of %s to close\n", static_cast<long>(asked), target.c_str());
        return asked ? 0 : 1;
    }
    if (target.find_first_not_of("0123456789") == std::string::npos) {
        DWORD id = std::stoul(target);
        if (!TerminateExefileByProcessId(id)) {
            err("ferro kill: cannot end process " + target);
            return 1;
        }
        outf("ended process %lu\n", static_cast<unsigned long>(id));
        return 0;
    }
    int ended = 0;
    while (ended < 64 && TerminateExefileByItsName(target.c_str())) ++ended;
    if (!ended) {
        err("ferro kill: no other process of " + target);
        return 1;
    }
    outf("ended %d process(es) of %s\n", ended, target.c_str());
    return 0;
}
}  // namespace host
