// Times the path scanners of the engine against a naive byte loop (which is
// wrong for trail bytes 0x5C) and against the platform's own multibyte walk
// (PathFindFileNameA, CharNextExA/CharPrevExA), on a few hundred thousand
// realistic code-page-932 paths built here. Prints nanoseconds per path and
// the ratios measured in the same run.
#include <windows.h>
#include <shlwapi.h>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>
#include "frame/paths.h"
#include "frame/text.h"

namespace {
std::string cp932(const wchar_t* text) {
    char out[256];
    int n = WideCharToMultiByte(932, 0, text, -1, out, sizeof out, nullptr, nullptr);
    return n > 0 ? std::string(out, size_t(n - 1)) : std::string();
}

std::vector<std::string> build_paths(size_t count) {
    // Folder names a Japanese user has: many hold a trail byte 0x5C (表 ソ 能 予 十 申 ...).
    const wchar_t* japanese[] = {L"表示", L"ソフト", L"能力", L"予定表", L"データ", L"ドキュメント", L"写真",
                                 L"音楽", L"申請書", L"十月", L"ソース", L"機能一覧", L"デスクトップ", L"会議資料",
                                 L"ﾃﾞｰﾀ", L"ｿﾌﾄ", L"表計算ソフト", L"プログラム", L"能率表", L"見積書"};
    const char* ascii[] = {"Program Files", "Windows", "System32", "Users", "src", "build", "tmp", "My Documents",
                           "backup_2023", "node_modules", "Application Data", "a"};
    const wchar_t* files[] = {L"報告書.doc", L"表.xls", L"ソースコード.cpp", L"readme.txt", L"能.txt", L"写真001.jpg",
                              L"setup.exe", L"予算表 最終版.xlsx"};
    std::vector<std::string> jp, fn;
    for (const wchar_t* w : japanese) jp.push_back(cp932(w));
    for (const wchar_t* w : files) fn.push_back(cp932(w));
    std::mt19937 rng(932);
    std::uniform_int_distribution<int> pick(0, 99);
    std::vector<std::string> paths;
    paths.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        std::string p = pick(rng) < 90 ? "C:" : "\\\\server\\share";
        int depth = 2 + pick(rng) % 7;
        for (int d = 0; d < depth; ++d) {
            p += '\\';
            int k = pick(rng);
            if (k < 55) p += jp[size_t(pick(rng)) % jp.size()];
            else if (k < 90) p += ascii[size_t(pick(rng)) % 12];
            else p += jp[size_t(pick(rng)) % jp.size()] + std::string(size_t(20 + pick(rng)), 'x');  // a long name
        }
        p += '\\';
        p += fn[size_t(pick(rng)) % fn.size()];
        if (p.size() > 519) p.resize(519);
        paths.push_back(p);
    }
    return paths;
}

double now_ns() {
    static LARGE_INTEGER frequency = [] { LARGE_INTEGER f; QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return double(t.QuadPart) * 1e9 / double(frequency.QuadPart);
}

volatile size_t g_sink;

// Best of three runs, in nanoseconds per path.
template <typename F>
double time_per_path(const std::vector<std::string>& paths, F scan) {
    double best = 1e300;
    for (int run = 0; run < 3; ++run) {
        size_t sum = 0;
        double start = now_ns();
        for (const std::string& p : paths) sum += scan(p.c_str());
        double elapsed = now_ns() - start;
        g_sink = sum;
        if (elapsed < best) best = elapsed;
    }
    return best / double(paths.size());
}

size_t offset(const char* base, const char* p) { return p ? size_t(p - base) : 0; }

// ---- The contenders

size_t engine_last_yen(const char* s) { return offset(s, GetFileFromPathWithYen(s)); }
size_t engine_file_name(const char* s) { return offset(s, GetFileName(nullptr, const_cast<char*>(s))); }
size_t engine_components(const char* s) {
    size_t n = 0;
    for (const char* p = FindYenMark(s); p; p = FindYenMark(p + 1)) ++n;
    return n;
}
size_t engine_last_byte_class(const char* s) { return size_t(_myNthctype(s, int(strlen(s)) - 1) + 1); }

size_t naive_last_yen(const char* s) { return offset(s, strrchr(s, '\\')); }
size_t naive_components(const char* s) {
    size_t n = 0;
    for (const char* p = s; *p; ++p) n += *p == '\\';
    return n;
}

size_t platform_file_name(const char* s) { return offset(s, PathFindFileNameA(s)); }
size_t platform_last_yen(const char* s) {
    const char* last = nullptr;
    for (const char* p = s; *p; p = CharNextExA(932, p, 0))
        if (*p == '\\') last = p;
    return offset(s, last);
}
size_t platform_components(const char* s) {
    size_t n = 0;
    for (const char* p = s; *p; p = CharNextExA(932, p, 0)) n += *p == '\\';
    return n;
}
size_t platform_last_byte_class(const char* s) {
    size_t len = strlen(s);
    const char* last = CharPrevExA(932, s, s + len, 0);
    return size_t(last == s + len - 1 ? 1 : 2);
}
}  // namespace

int main(int argc, char** argv) {
    size_t count = argc > 1 ? size_t(atol(argv[1])) : 300000;
    std::vector<std::string> paths = build_paths(count);
    size_t bytes = 0, naive_wrong = 0, trail_5c = 0;
    for (const std::string& p : paths) {
        bytes += p.size();
        if (naive_last_yen(p.c_str()) != engine_last_yen(p.c_str())) ++naive_wrong;
        for (size_t i = 1; i < p.size(); ++i) trail_5c += p[i] == '\\' && _myNthctype(p.c_str(), int(i)) == 2;
    }
    printf("%zu paths, %.1f bytes on average, %zu trail bytes 0x5C; the naive last-yen search is wrong on %zu paths (%.1f%%)\n",
           paths.size(), double(bytes) / double(paths.size()), trail_5c, naive_wrong,
           100.0 * double(naive_wrong) / double(paths.size()));

    struct Row { const char* what; double engine, naive, platform; } rows[] = {
        {"last separator (GetFileFromPathWithYen | strrchr | CharNextExA walk)",
         time_per_path(paths, engine_last_yen), time_per_path(paths, naive_last_yen), time_per_path(paths, platform_last_yen)},
        {"file name (GetFileName | strrchr | PathFindFileNameA)",
         time_per_path(paths, engine_file_name), time_per_path(paths, naive_last_yen), time_per_path(paths, platform_file_name)},
        {"all separators (FindYenMark loop | byte loop | CharNextExA walk)",
         time_per_path(paths, engine_components), time_per_path(paths, naive_components), time_per_path(paths, platform_components)},
        {"class of the last byte (_myNthctype | - | CharPrevExA)",
         time_per_path(paths, engine_last_byte_class), 0.0, time_per_path(paths, platform_last_byte_class)},
    };
    printf("%-72s %10s %10s %10s %12s %12s\n", "ns per path", "engine", "naive", "platform", "eng/naive", "eng/platform");
    for (const Row& r : rows) {
        printf("%-72s %10.1f %10.1f %10.1f %12.2f %12.3f\n", r.what, r.engine, r.naive, r.platform,
               r.naive > 0 ? r.engine / r.naive : 0.0, r.engine / r.platform);
    }
    return 0;
}
