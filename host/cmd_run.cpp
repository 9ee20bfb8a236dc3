// ferro run: expands a command template for the files given (the engine's
// command macros) and starts each command line with the engine's launcher;
// with --wait it waits for each program, keeping the console host's
// messages moving, and ends with the first non-zero exit code.
#include <windows.h>
#include <string>
#include <vector>
#include "commands.h"
#include "console.h"
#include "frame/memory_blocks.h"
#include "frame/text.h"
#include "programs/launch.h"

namespace host {
namespace {
constexpr LONG kNoMacro = 1024;
constexpr LONG kTenPerLine = 0x02, kAllFiles = 0x01 | 0x04;
constexpr std::size_t kTen = 10;

std::vector<HANDLE> g_started;
void CALLBACK keep_process(const PROCESS_INFORMATION* info) {
    HANDLE copy = nullptr;
    if (DuplicateHandle(GetCurrentProcess(), info->hProcess, GetCurrentProcess(), &copy, 0, FALSE,
                        DUPLICATE_SAME_ACCESS))
        g_started.push_back(copy);
}

std::string quoted_if_spaced(const std::string& path) {
    return path.find(' ') != std::string::npos ? "\"" + path + "\"" : path;
}

// Starts one command line: program and options through the engine's blocks.
bool start(const std::string& line) {
    std::string work = line;
    LPSTR options = nullptr;
    LPSTR program = ExtractExefile(work.data(), &options, 0);
    HGLOBAL p = nullptr, o = nullptr;
    if (!program || !SetExcuteExeFileAndOptionsWith95Quotation(nullptr, program, options ? options : "", &p, &o))
        return false;
    LaunchRecord record;
    myExecuteExeFile(&record, nullptr, SW_SHOWNORMAL, 0, p, o);
    GlobalFree(p);
    GlobalFree(o);
    if (IsWinExecOnError(record)) return false;
    for (HANDLE h : {record.instance, record.thread})
        if (h && h != HANDLE(1)) CloseHandle(h);
    return true;
}
}  // namespace

int cmd_run(const Args& args) {
    bool wait = !args.empty() && args[0] == "--wait";
    Args rest(args.begin() + (wait ? 1 : 0), args.end());
    if (rest.empty()) {
        err("usage: ferro run [--wait] TEMPLATE FILE...");
        return 2;
    }
    std::vector<std::string> files;
    std::string selection;
    for (std::size_t i = 1; i < rest.size(); ++i) {
        files.push_back(quoted_if_spaced(windows_path(rest[i])));
        selection += (selection.empty() ? "" : " ") + files.back();
    }
    SaveToGlobal_ghTempMemory(nullptr, selection.c_str());
    char expanded[520];
    LONG flags = kNoMacro;
    if (rest[0].find('$') != std::string::npos) {
        std::string first = files.empty() ? "" : files[0];
        flags = ExpandKeywords(nullptr, rest[0].c_str(), first.c_str(), expanded, '$');
    } else if (rest[0].size() < sizeof expanded) {
        lstrcpyA(expanded, rest[0].c_str());
    } else {
        flags = -1;
    }
    SaveToGlobal_ghTempMemory(nullptr, "");
    if (flags == -1) {
        err("ferro run: the command line does not fit in 519 bytes: " + rest[0]);
        return 2;
    }
    // The files go where a list macro cut the template: ten to a line for $T.
    std::vector<std::string> lines;
    std::size_t per_line = (flags & kAllFiles) ? files.size() : (flags & kTenPerLine) ? kTen : 0;
    for (std::size_t first = 0; per_line && first < files.size(); first += per_line) {
        std::string line = expanded;
        for (std::size_t i = first; i < files.size() && i < first + per_line; ++i) line += " " + files[i];
        lines.push_back(line);
    }
    if (lines.empty()) lines.push_back(expanded);

    WaitForSingleObjectForWinExec(wait ? -1 : 0);
    SetWinExecAfterCreateProcessAPI(wait ? keep_process : nullptr);
    int status = 0;
    for (const std::string& line : lines) {
        if (!start(line)) {
            status = 1;
            continue;
        }
        outf("started: %s\n", line.c_str());
    }
    for (HANDLE process : g_started) {
        DWORD code = 0;
        if (GetExitCodeProcess(process, &code) && code != 0 && status == 0) status = int(code);
        CloseHandle(process);
    }
    g_started.clear();
    SetWinExecAfterCreateProcessAPI(nullptr);
    WaitForSingleObjectForWinExec(0);
    return status;
}
}  // namespace host
