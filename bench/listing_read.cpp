// Reading a folder of 30,000 files into the listing tables (FindDirectory +
// FindFile) against a plain FindFirstFileA loop that stores the same fields.
// The folder is made once under %TEMP% and reused by later runs.
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>
#include "listing/listing_store.h"

namespace {
constexpr int kFiles = 30000;
constexpr int kRounds = 5;

double now_ms() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return 1000.0 * double(c.QuadPart) / double(f.QuadPart);
}

struct RawTables {
    std::vector<std::string> long_names, short_names;
    std::vector<DWORD> attributes;
    std::vector<ULONGLONG> times, dates, sizes;
    RawTables() : long_names(kFiles + 1), short_names(kFiles + 1), attributes(kFiles + 1), times(kFiles + 1),
                  dates(kFiles + 1), sizes(kFiles + 1) {}
};

int raw_listing(const std::string& pattern, RawTables& t) {
    WIN32_FIND_DATAA r;
    HANDLE h = FindFirstFileA(pattern.c_str(), &r);
    if (h == INVALID_HANDLE_VALUE) return 0;
    int dirs = 0, n = 0;
    do {
        if (r.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            ++dirs;
            continue;
        }
        t.long_names[n] = r.cFileName;
        t.short_names[n] = r.cAlternateFileName[0] ? r.cAlternateFileName : r.cFileName;
        t.attributes[n] = r.dwFileAttributes;
        FILETIME local;
        FileTimeToLocalFileTime(&r.ftLastWriteTime, &local);
        t.times[n] = t.dates[n] = (ULONGLONG(local.dwHighDateTime) << 32) | local.dwLowDateTime;
        t.sizes[n] = (ULONGLONG(r.nFileSizeHigh) << 32) | r.nFileSizeLow;
        ++n;
    } while (FindNextFileA(h, &r));
    FindClose(h);
    // The folder read goes over the same entries once more.
    h = FindFirstFileA(pattern.c_str(), &r);
    if (h != INVALID_HANDLE_VALUE) {
        do dirs += (r.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        while (FindNextFileA(h, &r));
        FindClose(h);
    }
    return n;
}

int count_files(const std::string& folder) {
    WIN32_FIND_DATAA r;
    HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &r);
    if (h == INVALID_HANDLE_VALUE) return 0;
    int n = 0;
    do n += !(r.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    while (FindNextFileA(h, &r));
    FindClose(h);
    return n;
}
}  // namespace

int main() {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string folder = std::string(temp) + "ferro-bench-listing-30000";
    CreateDirectoryA(folder.c_str(), nullptr);
    if (count_files(folder) < kFiles) {
        const double t0 = now_ms();
        for (int i = 0; i < kFiles; ++i) {
            char name[64];
            std::snprintf(name, sizeof name, "\\file number %05d.dat", i);
            HANDLE h = CreateFileA((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
            if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
        }
        std::printf("created %d files in %.0f ms\n", kFiles, now_ms() - t0);
    }

    std::vector<HGLOBAL> dlh(GetMaxDirNumber() + 1), dsh(GetMaxDirNumber() + 1);
    std::vector<LPSTR> dl(GetMaxDirNumber() + 1), ds(GetMaxDirNumber() + 1);
    std::vector<DWORD> dattr(GetMaxDirNumber() + 1);
    std::vector<ULONGLONG> dtime(GetMaxDirNumber() + 1), ddate(GetMaxDirNumber() + 1), dsize(GetMaxDirNumber() + 1);
    std::vector<HGLOBAL> flh(GetMaxFileNumber() + 1), fsh(GetMaxFileNumber() + 1);
    std::vector<LPSTR> fl(GetMaxFileNumber() + 1), fs(GetMaxFileNumber() + 1);
    SetDirHandle(dlh.data(), dl.data(), dsh.data(), ds.data());
    SetDirAttribute(dattr.data());
    SetDirTime(dtime.data());
    SetDirDate(ddate.data());
    SetDirSize(dsize.data());
    SetFileHandle(flh.data(), fl.data(), fsh.data(), fs.data());
    SaveFindSeachPath(nullptr, folder.c_str(), "*.*");
    SaveFindSeachFilePath(nullptr, folder.c_str(), "*.*");

    RawTables raw;
    const std::string pattern = folder + "\\*.*";
    raw_listing(pattern, raw);  // warm the caches once
    FindDirectory(nullptr, 1);
    FindFile(nullptr, 0);
    double raw_best = 1e30, store_best = 1e30, raw_total = 0, store_total = 0;
    int raw_n = 0, store_n = 0;
    for (int round = 0; round < kRounds; ++round) {
        const double a = now_ms();
        raw_n = raw_listing(pattern, raw);
        const double b = now_ms();
        FindDirectory(nullptr, 1);
        store_n = FindFile(nullptr, 0);
        const double c = now_ms();
        raw_best = std::min(raw_best, b - a);
        store_best = std::min(store_best, c - b);
        raw_total += b - a;
        store_total += c - b;
        std::printf("round %d: raw %.1f ms, store %.1f ms\n", round + 1, b - a, c - b);
    }
    std::printf("entries: raw %d, store %d\n", raw_n, store_n);
    std::printf("best: raw %.1f ms, store %.1f ms, ratio %.3f\n", raw_best, store_best, store_best / raw_best);
    std::printf("mean: raw %.1f ms, store %.1f ms, ratio %.3f\n", raw_total / kRounds, store_total / kRounds,
                store_total / raw_total);
    return raw_n == store_n ? 0 : 1;
}
