// The folder of the running test program (build/<preset>/bin): the archiver
// stand-ins and the GNU tar archives lie beside it.
#pragma once
#include <windows.h>
#include <string>

inline std::string program_folder() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string s = path;
    return s.substr(0, s.find_last_of('\\'));
}
