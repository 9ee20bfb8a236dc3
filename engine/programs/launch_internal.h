// What the launch files share (not exported).
#pragma once
#include <windows.h>
#include "frame/program_windows.h"
#include <string>
#include <vector>

namespace ferro::programs {
// The flags of ExpandKeywords.
struct MacroFlag {
    static constexpr LONG kList = 0x01;           // M: the selected files, all on one line
    static constexpr LONG kTenPerLine = 0x02;     // T (and TA with ten files or fewer)
    static constexpr LONG kAllInOneLine = 0x04;   // TA with more than ten files
    static constexpr LONG kDrive = 0x08;          // D
    static constexpr LONG kFolder = 0x10;         // P
    static constexpr LONG kFileWithExtension = 0x20;  // C, for a name with an extension
    static constexpr LONG kFileWithoutExtension = 0x80;  // X
    static constexpr LONG kNothing = 0x100;       // K
    static constexpr LONG kUnknown = 0x200;       // a letter that is no macro
    static constexpr LONG kNoMacro = 1024;        // what callers use for a template without "$"
};

// The selected files: the items of the temporary block's space-separated
// list (a quoted item is one item).
std::vector<std::string> selected_files();
// Which list macros the last expansion met between quotation marks (the
// flags kList, kTenPerLine, kAllInOneLine).
LONG quoted_list_macros();

// Runs a command template for the selected files: expands it for the first
// file, appends the files the list macros ask for (ten per command line for
// T) and `extra`, and starts each command line. False when nothing could
// start (a box has said why).
bool run_command_macro(HWND window, const char* command, const char* extra);

// Rewrites the network folders of the browsing form in a command line to
// their connected form; false when one cannot be connected.
bool connect_network_names(std::string& line);
// Whether the last start failed for want of elevation and the user agreed
// to start it so; the request is taken with the answer.
bool take_elevation_request();
// What every start does once the program runs: the record with its window,
// the last process, the after-launch hook, and the wait that is set.
void finish_start(LaunchRecord* record, PROCESS_INFORMATION info);

// Closes the process and thread handles a record holds (not the 1 of a
// start whose handles were given up) and zeroes those words.
void close_record_handles(LaunchRecord& record);

// Releases of blocks that no export names.
void free_effective_characters();
void free_launch_environment();
}  // namespace ferro::programs
