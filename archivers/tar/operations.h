// What the command function does: list, extract, create and add.
#pragma once
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>

namespace tar {
struct Request {
    std::string archive;
    std::string folder;                 // extract: the target folder; create/add: the base of the names (may be empty)
    std::vector<std::string> names;     // extract and list: patterns; create and add: files and folders
    bool with_paths = true;             // extract keeps the entries' folders
    bool gzip = false;                  // create a gzip-compressed archive
};

// Each returns 0 or the first error code met; what happened is added to
// `log`, one line per entry or problem.
int list(const Request& r, std::string& log);
int extract(const Request& r, std::string& log);
int create(const Request& r, bool add, std::string& log);

// One problem of an operation: a line "error 8041: NAME: WHAT" in the log;
// the first code met is kept in `first`. Returns `first`.
int note_error(std::string& log, int& first, int code, const std::string& name, const char* what);

// Seconds since 1970 (UTC) and Windows file times.
FILETIME file_time(std::int64_t unix_seconds);
std::int64_t unix_time(const FILETIME& t);



}  // namespace tar
