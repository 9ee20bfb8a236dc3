// Helpers shared by the files of the program functions (not exported).
#pragma once
#include <windows.h>
#include <string>
#include "frame/platform_decision.h"
#include "frame/platform_version.h"

namespace ferro::programs {
// Calls visit(window) for the top-level windows (parent null) or for every
// child window of `parent` at any depth, until it returns true.
template <class Visit>
void for_each_window(HWND parent, Visit visit) {
    struct Walk {
        static BOOL CALLBACK step(HWND window, LPARAM data) { return !(*reinterpret_cast<Visit*>(data))(window); }
    };
    if (parent) EnumChildWindows(parent, Walk::step, reinterpret_cast<LPARAM>(&visit));
    else EnumWindows(Walk::step, reinterpret_cast<LPARAM>(&visit));
}

// The first window for which test(window) holds, or null.
template <class Test>
HWND first_window(HWND parent, Test test) {
    HWND found = nullptr;
    for_each_window(parent, [&](HWND window) { return test(window) && (found = window) != nullptr; });
    return found;
}

inline bool is_nt_family() {
    return (GetWindowsVersion() & (platform::kWin9xFamily | platform::kWin32sPlatform)) == 0;
}
inline bool is_vista_or_later() { return (GetWindowsVersion() & platform::kNT6Family) != 0; }

// The file-name part of a path (after its last yen mark, double-byte aware).
const char* file_name_part(const char* path);

// The program file of a process: its full path when `full_path`, else its
// file name; empty when it cannot be had.
std::string program_of_process(DWORD process_id, bool full_path);

// Ends a process with exit code 0 and waits up to a second for it; false
// for identifier 0 and for the calling process itself.
bool end_process(DWORD process_id);

// Between the code page's bytes and the platform's wide text.
std::wstring to_wide(const std::string& text);
std::string to_code_page(const std::wstring& wide);

// The variable of the process environment in the code page's bytes (the
// wide form is read: the narrow one may count characters for bytes);
// false when it is not set.
bool environment_value(const char* name, std::string& value);

// Title comparisons: contained at a word start, or equal; both without
// regard to case.
bool title_contains(const char* title, const char* part);
bool title_equals(const char* title, const char* text);
}  // namespace ferro::programs
