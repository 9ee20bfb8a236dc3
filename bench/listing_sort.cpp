// Times the listing sort (lqsortx) on realistic file names against std::sort
// with the same key comparison, in the same run, and measures how quickly a
// stop request ends a long sort: set from a window's message handler (the
// way a Cancel button sets it), from a timer, and from another thread.
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <thread>
#include <vector>
#include "frame/message_pump.h"
#include "listing/listing_sort.h"
// The very comparison the library sorts with, compiled into this program for
// std::sort (the library does not export it).
#include "listing/key_compare.cpp"

namespace {
std::string cp932(const wchar_t* text) {
    char out[256];
    int n = WideCharToMultiByte(932, 0, text, -1, out, sizeof out, nullptr, nullptr);
    return n > 0 ? std::string(out, size_t(n - 1)) : std::string();
}

std::vector<std::string> build_names(size_t count) {
    const wchar_t* japanese[] = {L"報告書", L"表", L"ソースコード", L"能力評価", L"写真", L"予定表", L"会議資料",
                                 L"見積書", L"ﾃﾞｰﾀ", L"ｿﾌﾄ", L"ｱﾙﾊﾞﾑ", L"十月分", L"申請書", L"ドキュメント",
                                 L"表計算", L"ＡＢＣ", L"ａｂｃ", L"新しいフォルダー"};
    const char* ascii[] = {"readme", "Setup", "IMG_", "DSC", "report", "Report", "backup", "a", "Makefile",
                           "main", "index", "data", "Thumbs", "desktop", "LICENSE", "notes"};
    const char* exts[] = {".txt", ".TXT", ".jpg", ".JPG", ".doc", ".xls", ".cpp", ".h", ".exe", ".lzh", "", ".html"};
    std::vector<std::string> jp;
    for (const wchar_t* w : japanese) jp.push_back(cp932(w));
    std::mt19937 rng(30000);
    std::uniform_int_distribution<int> pick(0, 999);
    std::vector<std::string> names;
    names.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        std::string n;
        int parts = 1 + pick(rng) % 3;
        for (int p = 0; p < parts; ++p) {
            int k = pick(rng) % 10;
            if (k < 4) n += jp[size_t(pick(rng)) % jp.size()];
            else if (k < 8) n += ascii[pick(rng) % 16];
            else n += ' ';
            if (pick(rng) % 3 == 0) n += std::to_string(pick(rng) % (p ? 100 : 10000));
        }
        n += exts[pick(rng) % 12];
        names.push_back(n);
    }
    return names;
}

double now_ms() {
    static LARGE_INTEGER frequency = [] { LARGE_INTEGER f; QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return double(t.QuadPart) * 1e3 / double(frequency.QuadPart);
}

void drain() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// ---- Stop latency: the time from setting the flag to the sort's return.
constexpr UINT kStopMessage = WM_APP + 1;
double g_flag_set_at;

LRESULT CALLBACK stop_window_proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == kStopMessage || (m == WM_TIMER && wp == 1)) {
        if (m == WM_TIMER) KillTimer(w, 1);
        g_flag_set_at = now_ms();
        SetStopExecutingFlag(1);
        return 0;
    }
    return DefWindowProcA(w, m, wp, lp);
}

enum class StopBy { posted_message, timer, other_thread };

// Sorts `names` (copied) and stops after `delay_ms`; returns the latency in
// ms, or -1 when the sort finished before the stop came.
double stop_latency(const std::vector<std::string>& names, HWND window, StopBy how, int delay_ms) {
    std::vector<std::string> copy = names;
    std::vector<char*> keys;
    for (auto& n : copy) keys.push_back(n.data());
    std::vector<LONG> companions(keys.size());
    for (size_t i = 0; i < keys.size(); ++i) companions[i] = LONG(i);
    drain();
    ResetCancellingFlags(0);
    g_flag_set_at = 0;
    std::thread helper;
    if (how == StopBy::timer) SetTimer(window, 1, UINT(delay_ms), nullptr);
    else
        helper = std::thread([=] {
            Sleep(DWORD(delay_ms));
            if (how == StopBy::posted_message) {
                PostMessageA(window, kStopMessage, 0, 0);
            } else {
                g_flag_set_at = now_ms();
                SetStopExecutingFlag(1);
            }
        });
    LONG result = lqsortx(keys.data(), companions.data(), LONG(keys.size()));
    double returned_at = now_ms();
    if (helper.joinable()) helper.join();
    KillTimer(window, 1);
    drain();
    ResetCancellingFlags(0);
    return result == 0 && g_flag_set_at > 0 ? returned_at - g_flag_set_at : -1;
}
}  // namespace

int main(int argc, char** argv) {
    size_t count = argc > 1 ? size_t(atol(argv[1])) : 30000;
    std::vector<std::string> names = build_names(count);
    size_t double_byte = 0;
    for (auto& n : names)
        for (unsigned char c : n) double_byte += (c >= 0x81 && c <= 0x9f) || c >= 0xe0;
    printf("%zu file names, %zu lead bytes\n", names.size(), double_byte);

    // ---- Speed against std::sort with the same comparison
    double best_lq = 1e300, best_std = 1e300, sum_lq = 0, sum_std = 0;
    const int rounds = 15;
    std::vector<double> ratios;
    for (int round = 0; round < rounds; ++round) {
        std::vector<std::string> shuffled = names;
        std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(unsigned(round)));
        std::vector<char*> a, b;
        for (auto& n : shuffled) a.push_back(n.data());
        b = a;
        std::vector<LONG> companions(a.size());
        for (size_t i = 0; i < a.size(); ++i) companions[i] = LONG(i);

        // Alternate which sort runs first, so neither always finds the
        // strings in the cache.
        LONG ok = 0;
        double lq_ms = 0, std_ms = 0;
        auto run_lq = [&] {
            double t0 = now_ms();
            ok = lqsortx(a.data(), companions.data(), LONG(a.size()));
            lq_ms = now_ms() - t0;
        };
        auto run_std = [&] {
            double t0 = now_ms();
            std::sort(b.begin(), b.end(), [](const char* x, const char* y) { return ferro::listing::compare_keys(x, y) < 0; });
            std_ms = now_ms() - t0;
        };
        if (round % 2) {
            run_std();
            run_lq();
        } else {
            run_lq();
            run_std();
        }
        ratios.push_back(lq_ms / std_ms);
        if (ok != 1) printf("round %d: lqsortx returned %ld\n", round, long(ok));
        for (size_t i = 0; i < a.size(); ++i)
            if (ferro::listing::compare_keys(a[i], b[i]) != 0) {
                printf("round %d: orders differ at %zu\n", round, i);
                break;
            }
        best_lq = std::min(best_lq, lq_ms);
        best_std = std::min(best_std, std_ms);
        sum_lq += lq_ms;
        sum_std += std_ms;
    }
    printf("sort of %zu names, %d rounds: lqsortx best %.2f ms (mean %.2f), std::sort best %.2f ms (mean %.2f), ratio %.2f (mean %.2f)\n",
           names.size(), rounds, best_lq, sum_lq / rounds, best_std, sum_std / rounds, best_lq / best_std,
           sum_lq / sum_std);
    std::sort(ratios.begin(), ratios.end());
    printf("ratio per round: median %.2f, lowest %.2f, highest %.2f\n", ratios[ratios.size() / 2], ratios.front(),
           ratios.back());

    // ---- Stop latency on a big sort
    WNDCLASSA wc = {};
    wc.lpfnWndProc = stop_window_proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "FerroBenchStop";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, wc.hInstance, nullptr);
    std::vector<std::string> big = build_names(300000);
    struct Way { StopBy how; const char* name; } ways[] = {
        {StopBy::posted_message, "posted message"}, {StopBy::timer, "timer"}, {StopBy::other_thread, "other thread"}};
    for (const Way& way : ways) {
        double worst = 0, sum = 0;
        int measured = 0;
        for (int delay : {5, 20, 50, 100, 150, 200, 300, 400}) {
            double ms = stop_latency(big, window, way.how, delay);
            if (ms < 0) continue;
            worst = std::max(worst, ms);
            sum += ms;
            ++measured;
        }
        printf("stop latency (%s), 300000 names, %d stops: worst %.3f ms, mean %.3f ms\n", way.name, measured, worst,
               measured ? sum / measured : 0.0);
    }
    DestroyWindow(window);
    return 0;
}
