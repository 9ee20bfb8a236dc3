// What the copy benchmarks share: the clock, the data folder under /tmp
// (Wine's drive Z:), a file of a repeating pattern and the removal of a tree.
#pragma once
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace copy_bench {
inline double now_ms() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return 1000.0 * double(c.QuadPart) / double(f.QuadPart);
}

// A fresh folder below /tmp, never inside the source tree.
inline std::string data_folder(const char* kind) {
    char name[MAX_PATH];
    std::snprintf(name, sizeof name, "Z:\\tmp\\ferro-bench-%s-%lu", kind, GetCurrentProcessId());
    CreateDirectoryA(name, nullptr);
    return name;
}

inline bool write_pattern_file(const std::string& path, ULONGLONG size) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    std::vector<char> block(1 << 20);
    for (size_t i = 0; i < block.size(); ++i) block[i] = char((i * 2654435761u) >> 13);
    bool ok = true;
    for (ULONGLONG done = 0; ok && done < size;) {
        DWORD n = DWORD(size - done < block.size() ? size - done : block.size()), put = 0;
        block[0] = char(done >> 20);
        ok = WriteFile(h, block.data(), n, &put, nullptr) && put == n;
        done += put;
    }
    CloseHandle(h);
    return ok;
}

inline void remove_tree(const std::string& path) {
    WIN32_FIND_DATAA record;
    HANDLE h = FindFirstFileA((path + "\\*").c_str(), &record);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = record.cFileName;
            if (name == "." || name == "..") continue;
            const std::string full = path + "\\" + name;
            SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (record.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                remove_tree(full);
            else
                DeleteFileA(full.c_str());
        } while (FindNextFileA(h, &record));
        FindClose(h);
    }
    RemoveDirectoryA(path.c_str());
}

// The time of native cp measured outside Wine, passed as --native-ms N.
inline double native_ms(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--native-ms") == 0) return std::atof(argv[i + 1]);
    return 0;
}

inline double best(const std::vector<double>& times) {
    double b = times.empty() ? 0 : times[0];
    for (double t : times) b = t < b ? t : b;
    return b;
}
}  // namespace copy_bench
