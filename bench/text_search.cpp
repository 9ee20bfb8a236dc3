// The search inside files against a raw FindFirstFileA + open/read/close loop
// that makes the same reads in the same run, over a tree of small files and
// over one large file, and the in-memory matcher alone on the large file.
// Usage: bench_text_search.exe TREE_FOLDER LARGE_FILE_FOLDER   (bench/text-search.sh makes both)
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>
#include "frame/handles.h"
#include "search/text_matcher.h"
#include "search/text_search.h"
#include "viewer/file_helpers.h"

namespace {
constexpr int kRounds = 3;
const char kSearched[] = "ABC";

double now_ms() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return 1000.0 * double(c.QuadPart) / double(f.QuadPart);
}

// Every file read whole into a fresh block, as the search reads it.
long long raw_walk(const std::string& folder) {
    long long bytes = 0;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "\\*.*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return 0;
    do {
        if (entry.cFileName[0] == '.') continue;
        const std::string path = folder + "\\" + entry.cFileName;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            bytes += raw_walk(path);
            continue;
        }
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) continue;
        const DWORD size = GetFileSize(file, nullptr);
        char* data = static_cast<char*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size + 1));
        DWORD got = 0;
        ReadFile(file, data, size, &got, nullptr);
        bytes += got;
        HeapFree(GetProcessHeap(), 0, data);
        CloseHandle(file);
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    return bytes;
}

long g_lines = 0;
LRESULT CALLBACK output(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == 3072) {
        if (wp == 1000) ++g_lines;
        return 0;
    }
    return DefWindowProcA(w, m, wp, lp);
}

template <class F>
double best_of(F&& run) {
    double best = 1e300;
    for (int r = 0; r < kRounds; ++r) {
        const double t0 = now_ms();
        run();
        best = std::min(best, now_ms() - t0);
    }
    return best;
}

// The raw loop and the two searches take turns, after one raw walk that
// brings the files into the system's cache; the best round of each counts.
void compare(const char* what, const std::string& folder) {
    long long bytes = raw_walk(folder);
    double raw = 1e300, best[2] = {1e300, 1e300};
    LONG hits[2] = {};
    const DWORD options[2] = {kFindMatchCase, 0};
    for (int r = 0; r < kRounds; ++r) {
        double t0 = now_ms();
        bytes = raw_walk(folder);
        raw = std::min(raw, now_ms() - t0);
        for (int k = 0; k < 2; ++k) {
            t0 = now_ms();
            hits[k] = OpenFindInsideFileDialog(nullptr, kSearched, "*.*", folder.c_str(),
                                               options[k] | kFindSubfolders | kFindWithoutWindow);
            best[k] = std::min(best[k], now_ms() - t0);
        }
    }
    for (int k = 0; k < 2; ++k)
        std::printf("%-24s %-8s raw loop %8.1f ms  engine %8.1f ms  ratio %.2fx  (%lld bytes, %ld hits)\n", what,
                    k == 0 ? "case" : "no case", raw, best[k], best[k] / raw, bytes, static_cast<long>(hits[k]));
    std::fflush(stdout);
}

void matcher_alone(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "\\*.txt").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return;
    FindClose(find);
    HANDLE file = CreateFileA((folder + "\\" + entry.cFileName).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    const DWORD size = GetFileSize(file, nullptr);
    std::vector<char> text(size_t(size) + 1);
    DWORD got = 0;
    ReadFile(file, text.data(), size, &got, nullptr);
    CloseHandle(file);
    const std::string path = folder + "\\" + entry.cFileName;
    const double whole = best_of([&] {
        ULONGLONG read = 0;
        CloseReadOnlyFile(OpenReadOnlyFile(path.c_str(), &read));
    });
    std::printf("OpenReadOnlyFile alone: %.1f ms\n", whole);
    for (bool match_case : {true, false}) {
        ferro::search::TextMatcher matcher(kSearched, match_case);
        size_t hits = 0;
        const double ms = best_of([&] {
            hits = 0;
            for (size_t at = 0; (at = matcher.find(text.data(), got, at)) != matcher.npos; at += matcher.length())
                ++hits;
        });
        std::printf("matcher alone, %-8s %.0f MB in %.1f ms: %.2f GB/s (%zu hits)\n", match_case ? "case" : "no case",
                    got / 1e6, ms, got / ms / 1e6, hits);
        // The same walk counting the line ends on the way, as the search in files does.
        size_t lines = 0;
        const double counting = best_of([&] {
            ferro::search::LineTally tally;
            for (size_t at = 0; (at = matcher.find(text.data(), got, at, matcher.npos, tally)) != matcher.npos;
                 at += matcher.length())
                ;
            lines = tally.ends;
        });
        std::printf("  with line ends counted   %.1f ms: %.2f GB/s (%zu line ends)\n", counting, got / counting / 1e6,
                    lines);
    }
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_text_search.exe TREE_FOLDER LARGE_FILE_FOLDER\n");
        return 2;
    }
    WNDCLASSA type = {};
    type.lpfnWndProc = output;
    type.lpszClassName = "BenchOutput";
    RegisterClassA(&type);
    SethWndMain(CreateWindowExA(0, "BenchOutput", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
    compare("30,000 files of 4 KiB", argv[1]);
    compare("one large file", argv[2]);
    matcher_alone(argv[2]);
    return 0;
}
