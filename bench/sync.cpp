// One pass of folder synchronisation: `ferro sync --delete` (the host's
// command, in this process) into one target against the raw work into
// another, in the same process, the two taking turns at going first:
//   bench_sync.exe SOURCE FERRO_TARGET RAW_TARGET [--raw-first]
// The raw work is what a synchronisation cannot do without: a FindFirstFileA
// walk of each side, CopyFileA of every file missing or newer in the target,
// CreateDirectoryA of every missing folder. Before either is timed, one
// untimed walk of the three trees fills the caches, so that neither pays for
// being first. bench/sync-bench.sh makes the trees (natively), runs the
// passes and adds rsync's native time.
#include <windows.h>
#include <cstdio>
#include <cstring>
#include <string>
#include <unordered_map>
#include "commands.h"
#include "copy_bench_common.h"

namespace {
using copy_bench::now_ms;

ULONGLONG time_of(const WIN32_FIND_DATAA& r) {
    return (ULONGLONG(r.ftLastWriteTime.dwHighDateTime) << 32) | r.ftLastWriteTime.dwLowDateTime;
}

struct RawCounts {
    int copied = 0, walked = 0;
};

// The entries of a folder by name ("." and ".." left out).
std::unordered_map<std::string, WIN32_FIND_DATAA> walk(const std::string& folder, RawCounts& counts) {
    std::unordered_map<std::string, WIN32_FIND_DATAA> out;
    WIN32_FIND_DATAA r;
    HANDLE h = FindFirstFileA((folder + "\\*.*").c_str(), &r);
    if (h == INVALID_HANDLE_VALUE) return out;
    do {
        if (std::strcmp(r.cFileName, ".") && std::strcmp(r.cFileName, "..")) out.emplace(r.cFileName, r);
        ++counts.walked;
    } while (FindNextFileA(h, &r));
    FindClose(h);
    return out;
}

// Visits every entry below a folder, changing nothing.
void warm(const std::string& folder, RawCounts& counts) {
    for (const auto& [name, r] : walk(folder, counts))
        if (r.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) warm(folder + "\\" + name, counts);
}

void raw_sync(const std::string& source, const std::string& target, RawCounts& counts) {
    const auto in_source = walk(source, counts);
    const auto in_target = walk(target, counts);
    for (const auto& [name, r] : in_source) {
        const auto there = in_target.find(name);
        const std::string from = source + "\\" + name, to = target + "\\" + name;
        if (r.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (there == in_target.end()) CreateDirectoryA(to.c_str(), nullptr);
            raw_sync(from, to, counts);
        } else if (there == in_target.end() || time_of(r) > time_of(there->second)) {
            if (CopyFileA(from.c_str(), to.c_str(), FALSE)) ++counts.copied;
        }
    }
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 && !(argc == 5 && std::strcmp(argv[4], "--raw-first") == 0)) {
        std::fprintf(stderr, "usage: bench_sync SOURCE FERRO_TARGET RAW_TARGET [--raw-first] (Windows paths)\n");
        return 2;
    }
    const std::string source = argv[1], ferro = argv[2], raw = argv[3];
    RawCounts warmed;
    for (const std::string& tree : {source, ferro, raw}) warm(tree, warmed);
    RawCounts counts;
    double raw_ms = 0, ferro_ms = 0;
    int code = 0;
    auto run_raw = [&] {
        const double t0 = now_ms();
        CreateDirectoryA(raw.c_str(), nullptr);
        raw_sync(source, raw, counts);
        raw_ms = now_ms() - t0;
    };
    auto run_ferro = [&] {
        const double t0 = now_ms();
        code = host::cmd_sync({"--delete", source, ferro});
        ferro_ms = now_ms() - t0;
    };
    if (argc == 5) {
        run_raw();
        run_ferro();
    } else {
        run_ferro();
        run_raw();
    }
    std::fflush(stdout);
    std::printf("raw work: %d copied, %d entries walked, %.1f ms\n", counts.copied, counts.walked, raw_ms);
    std::printf("ferro sync: exit %d, %.1f ms\n", code, ferro_ms);
    std::printf("ferro sync / raw work: %.2f\n", ferro_ms / raw_ms);
    return code;
}
