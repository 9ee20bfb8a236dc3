#include "tar/operations.h"
#include <cstdio>

namespace tar {
namespace {
constexpr std::int64_t kEpochSeconds = 11644473600LL;  // 1601-01-01 to 1970-01-01
constexpr ULONGLONG kTicksPerSecond = 10000000ULL;
}  // namespace

int note_error(std::string& log, int& first, int code, const std::string& name, const char* what) {
    char line[32];
    std::snprintf(line, sizeof line, "error %04X: ", code);
    log += line + name + ": " + what + "\r\n";
    if (!first) first = code;
    return first;
}

FILETIME file_time(std::int64_t unix_seconds) {
    const ULONGLONG t = static_cast<ULONGLONG>(unix_seconds + kEpochSeconds) * kTicksPerSecond;
    return FILETIME{static_cast<DWORD>(t), static_cast<DWORD>(t >> 32)};
}

std::int64_t unix_time(const FILETIME& t) {
    const ULONGLONG v = (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    return static_cast<std::int64_t>(v / kTicksPerSecond) - kEpochSeconds;
}
}  // namespace tar
