// Running a command template for the selected files: the macros expanded for
// the first file, the files appended where a list macro cut the template,
// each command line started as a program, or opened by its association when
// its program is no program.
#include <cstring>
#include <string>
#include <vector>
#include "frame/paths.h"
#include "frame/text.h"
#include "programs/launch.h"
#include "programs/launch_internal.h"
#include "programs/types_link.h"

namespace {
using ferro::programs::MacroFlag;

constexpr char kCommandChar = '$';
constexpr std::size_t kTenFiles = 10;
constexpr std::size_t kPathSize = 520;

std::string quoted_if_spaced(const std::string& file) {
    return file.find(' ') != std::string::npos && file.front() != '"' ? '"' + file + '"' : file;
}

// The command lines of one run: the expanded line followed by the files.
std::vector<std::string> command_lines(const std::string& expanded, LONG flags,
                                       const std::vector<std::string>& files, bool quote) {
    const LONG lists = MacroFlag::kList | MacroFlag::kTenPerLine | MacroFlag::kAllInOneLine;
    if (!(flags & lists) || files.empty()) return {expanded};
    const std::size_t per_line = (flags & (MacroFlag::kList | MacroFlag::kAllInOneLine)) ? files.size() : kTenFiles;
    std::vector<std::string> lines;
    for (std::size_t first = 0; first < files.size(); first += per_line) {
        std::string line = expanded;
        for (std::size_t i = first; i < files.size() && i < first + per_line; ++i) {
            if (!line.empty() && line.back() != ' ') line += ' ';
            line += quote ? quoted_if_spaced(files[i]) : files[i];
        }
        lines.push_back(line);
    }
    return lines;
}

// Starts one command line: a program by CreateProcess, any other file with
// the program its type is associated with.
bool start_line(HWND window, const std::string& line) {
    std::string work = line;
    LPSTR options = nullptr;
    LPSTR program = ExtractExefile(work.data(), &options, 0);
    if (!program || !*program) return false;
    std::string exe = program, rest = options ? options : "";
    const char* extension = GetFileExtension(exe.c_str());
    if (extension && !ferro::programs::types::is_program_extension(extension))
        return ShellExecuteWithError(window, "open", exe.c_str(), rest.empty() ? nullptr : rest.c_str(), nullptr,
                                     SW_SHOWNORMAL) != nullptr;
    HGLOBAL program_block = nullptr, options_block = nullptr;
    if (!SetExcuteExeFileAndOptionsWith95Quotation(window, exe.c_str(), rest.c_str(), &program_block, &options_block))
        return false;
    LaunchRecord record;
    myExecuteExeFile(&record, window, SW_SHOWNORMAL, 0, program_block, options_block);
    GlobalFree(program_block);
    GlobalFree(options_block);
    return !IsWinExecOnError(record);
}
}  // namespace

namespace ferro::programs {
bool run_command_macro(HWND window, const char* command, const char* extra) {
    if (!command || !*command) return false;
    const std::vector<std::string> files = selected_files();
    const std::string first = files.empty() ? std::string() : files.front();
    char expanded[kPathSize];
    LONG flags = MacroFlag::kNoMacro;
    if (std::strchr(command, kCommandChar)) {
        flags = ExpandKeywords(window, command, first.c_str(), expanded, kCommandChar);
        if (flags == -1) return false;
    } else if (std::strlen(command) < sizeof expanded) {
        std::strcpy(expanded, command);
    } else {
        return false;
    }
    const bool quote = IsNoAuto95QuotationForMacroExpansion() <= 0 || quoted_list_macros() != 0;
    bool all = true;
    for (std::string line : command_lines(expanded, flags, files, quote)) {
        if (extra && *extra) line += std::string(" ") + extra;
        all = start_line(window, line) && all;
    }
    return all;
}
}  // namespace ferro::programs
