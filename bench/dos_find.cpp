// Listing a folder of 30,000 files with my_Dos_findfirst/my_Dos_findnext
// against a plain FindFirstFileA loop in the same process.
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <string>
#include "fs/dos_find.h"

namespace {
constexpr int kFiles = 30000;
constexpr int kRounds = 5;

double now_ms() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return 1000.0 * double(c.QuadPart) / double(f.QuadPart);
}

int raw_listing(const std::string& pattern) {
    WIN32_FIND_DATAA record;
    HANDLE h = FindFirstFileA(pattern.c_str(), &record);
    if (h == INVALID_HANDLE_VALUE) return 0;
    int n = 0;
    do ++n;
    while (FindNextFileA(h, &record));
    FindClose(h);
    return n;
}

int layer_listing(const std::string& pattern) {
    WIN32_FIND_DATAA record;
    HANDLE h = nullptr;
    int n = 0;
    for (int r = my_Dos_findfirst(&h, pattern.c_str(), &record); r == 0; r = my_Dos_findnext(&h, &record)) ++n;
    return n;
}

void remove_folder(const std::string& folder) {
    WIN32_FIND_DATAA record;
    HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &record);
    if (h != INVALID_HANDLE_VALUE) {
        do
            if (!(record.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileA((folder + "\\" + record.cFileName).c_str());
        while (FindNextFileA(h, &record));
        FindClose(h);
    }
    RemoveDirectoryA(folder.c_str());
}
}  // namespace

int main() {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string folder = std::string(temp) + "ferro-bench-find-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    double t0 = now_ms();
    for (int i = 0; i < kFiles; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "\\file number %05d.dat", i);
        HANDLE h = CreateFileA((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
    std::printf("created %d files in %.0f ms\n", kFiles, now_ms() - t0);

    std::string pattern = folder + "\\*";
    raw_listing(pattern);  // warm the caches once
    double raw_best = 1e30, layer_best = 1e30, raw_total = 0, layer_total = 0;
    int raw_n = 0, layer_n = 0;
    for (int round = 0; round < kRounds; ++round) {
        double a = now_ms();
        raw_n = raw_listing(pattern);
        double b = now_ms();
        layer_n = layer_listing(pattern);
        double c = now_ms();
        raw_best = std::min(raw_best, b - a);
        layer_best = std::min(layer_best, c - b);
        raw_total += b - a;
        layer_total += c - b;
        std::printf("round %d: raw %.1f ms, layer %.1f ms\n", round + 1, b - a, c - b);
    }
    std::printf("entries: raw %d, layer %d\n", raw_n, layer_n);
    std::printf("best: raw %.1f ms, layer %.1f ms, ratio %.3f\n", raw_best, layer_best, layer_best / raw_best);
    std::printf("mean: raw %.1f ms, layer %.1f ms, ratio %.3f\n", raw_total / kRounds, layer_total / kRounds,
                layer_total / raw_total);
    remove_folder(folder);
    return raw_n == layer_n ? 0 : 1;
}
