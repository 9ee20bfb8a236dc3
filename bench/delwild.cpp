// Deleting a tree of files with DelWild against a plain FindFirstFileA +
// DeleteFileA walk in the same process. The trees are made beforehand (by
// bench/delwild.sh, natively, since creating files under Wine is slow):
//   bench_delwild.exe RAW_TREE DELWILD_TREE [--wild-first]
// prints the milliseconds of each and their ratio; the script adds the
// native `rm -rf` of a third tree.
#include <windows.h>
#include <cstdio>
#include <cstring>
#include <string>
#include "fileops/delete.h"
#include "frame/message_pump.h"

namespace {
double now_ms() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return 1000.0 * double(c.QuadPart) / double(f.QuadPart);
}

// Returns the number of files deleted.
int raw_delete(const std::string& folder) {
    int n = 0;
    WIN32_FIND_DATAA record;
    HANDLE h = FindFirstFileA((folder + "\\*.*").c_str(), &record);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::string path = folder + "\\" + record.cFileName;
            if (record.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                if (std::strcmp(record.cFileName, ".") && std::strcmp(record.cFileName, "..")) n += raw_delete(path);
            } else if (DeleteFileA(path.c_str())) {
                ++n;
            }
        } while (FindNextFileA(h, &record));
        FindClose(h);
    }
    RemoveDirectoryA(folder.c_str());
    return n;
}

bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && !(argc == 4 && std::strcmp(argv[3], "--wild-first") == 0)) {
        std::fprintf(stderr, "usage: bench_delwild RAW_TREE DELWILD_TREE [--wild-first] (Windows paths)\n");
        return 2;
    }
    const std::string raw = argv[1], wild = argv[2];
    if (!exists(raw) || !exists(wild)) {
        std::fprintf(stderr, "bench_delwild: make the trees first (bench/delwild.sh)\n");
        return 1;
    }
    int files = 0;
    LONG count = 0, result = 0;
    double raw_ms = 0, wild_ms = 0;
    auto run_raw = [&] {
        const double t0 = now_ms();
        files = raw_delete(raw);
        raw_ms = now_ms() - t0;
    };
    auto run_wild = [&] {
        ResetCancellingFlags(0);
        SetNoHourCursorInDelwild(1);
        const double t0 = now_ms();
        result = DelWild(nullptr, nullptr, kWildDelete | kWildDescend | kWildSelf, &count, nullptr,
                         (wild + "\\*.*").c_str(), nullptr);
        wild_ms = now_ms() - t0;
    };
    if (argc == 4) {
        run_wild();
        run_raw();
    } else {
        run_raw();
        run_wild();
    }
    if (exists(raw) || exists(wild)) {
        std::fprintf(stderr, "bench_delwild: a tree was not deleted completely (result %ld)\n", result);
        return 1;
    }
    std::printf("raw walk: %d files %.1f ms\n", files, raw_ms);
    std::printf("DelWild:  %ld entries %.1f ms\n", count, wild_ms);
    std::printf("DelWild / raw: %.2f\n", wild_ms / raw_ms);
    return 0;
}
