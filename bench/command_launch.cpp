// Times the command macros and the launcher against plain baselines measured
// in the same run:
//   1. a template expanded for each of 1,000 selected files (ExpandKeywords)
//      against a std::string builder doing the same substitutions;
//   2. one start of the child program with a wait until it ends (myWinExec,
//      the wait that keeps messages moving) against CreateProcess and
//      WaitForSingleObject.
// Usage: bench_command_launch [FILES] [STARTS]   (run from the build's bin folder)
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include "frame/memory_blocks.h"
#include "listing/selection.h"
#include "programs/launch.h"

namespace {
double now_ms() {
    static LARGE_INTEGER frequency = [] { LARGE_INTEGER f; QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return double(t.QuadPart) * 1e3 / double(frequency.QuadPart);
}

template <typename F>
double best_of_three(F run) {
    double best = 1e300;
    for (int i = 0; i < 3; ++i) {
        double start = now_ms();
        run();
        double spent = now_ms() - start;
        if (spent < best) best = spent;
    }
    return best;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::string quoted(const std::string& value) {
    return value.find(' ') != std::string::npos ? '"' + value + '"' : value;
}

// The baseline: the substitutions of "edit $C $X.bak $P $D" by plain string work.
std::string build_plain(const std::string& name, const std::string& folder) {
    std::string plain;
    for (char c : name)
        if (c != '"') plain += c;
    std::size_t dot = plain.rfind('.'), yen = plain.rfind('\\');
    std::string base = dot != std::string::npos && (yen == std::string::npos || dot > yen) ? plain.substr(0, dot)
                                                                                          : plain;
    std::string root = folder.size() == 3 ? folder.substr(0, 2) : folder;
    return "edit " + quoted(plain) + " " + quoted(base) + ".bak " + quoted(root) + " " + folder.substr(0, 2);
}

std::string child_path() {
    char self[MAX_PATH * 2];
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string path = self;
    return path.substr(0, path.rfind('\\') + 1) + "ferro_child_gui.exe";
}
}  // namespace

int main(int argc, char** argv) {
    const int files = argc > 1 ? std::atoi(argv[1]) : 1000;
    const int starts = argc > 2 ? std::atoi(argv[2]) : 20;

    // ---- Expansion: names with spaces, extensions and double-byte characters.
    std::vector<std::string> names;
    std::string selection;
    for (int i = 0; i < files; ++i) {
        names.push_back("C:\\Users\\ferro\\My Documents\\\x95\x5c" + std::to_string(i) + (i % 3 ? ".txt" : ""));
        selection += (i ? " \"" : "\"") + names.back() + "\"";
    }
    SaveToGlobal_ghTempMemory(nullptr, selection.c_str());
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    SaveCurDirectoryWith95Format(nullptr, temp, 2);
    const std::string folder = GetCurDirectory(2);
    const char* command = "edit $C $X.bak $P $D";
    std::size_t check = 0;
    double engine = best_of_three([&] {
        char out[520];
        for (const std::string& name : names) {
            ExpandKeywords(nullptr, command, name.c_str(), out, '$');
            check += std::strlen(out);
        }
    });
    double plain = best_of_three([&] {
        for (const std::string& name : names) check += build_plain(name, folder).size();
    });
    char sample[520];
    ExpandKeywords(nullptr, command, names[1].c_str(), sample, '$');
    if (build_plain(names[1], folder) != sample) std::printf("warning: the baseline differs: %s\n", sample);
    SaveToGlobal_ghTempMemory(nullptr, "");
    std::printf("expansion of \"%s\" for %d files: ExpandKeywords %.3f ms, std::string builder %.3f ms, ratio %.2f (goal <= 1.5)\n",
                command, files, engine, plain, engine / plain);

    // ---- Start and wait: the child ends at once. The two take turns, so that
    // the load of the machine weighs on both alike; the medians are compared.
    const std::string line = '"' + child_path() + "\" --exit=0";
    std::vector<double> launcher, raw;
    for (int i = 0; i < starts; ++i) {
        WaitForSingleObjectForWinExec(-1);
        double start = now_ms();
        LaunchRecord record;
        myWinExec(&record, nullptr, line.c_str(), SW_SHOWNORMAL);
        launcher.push_back(now_ms() - start);
        if (IsWinExecOnError(record)) std::printf("warning: the start failed\n");
        WaitForSingleObjectForWinExec(0);
        start = now_ms();
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        std::string work = line;
        if (CreateProcessA(nullptr, work.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info)) {
            WaitForSingleObject(info.hProcess, INFINITE);
            CloseHandle(info.hThread);
            CloseHandle(info.hProcess);
        }
        raw.push_back(now_ms() - start);
    }
    double ours = median(launcher), theirs = median(raw), bound = 1.1 * theirs + 100.0;
    std::printf("start and wait, %d starts each (median): myWinExec %.2f ms, CreateProcess + WaitForSingleObject %.2f ms, "
                "ratio %.2f; goal: at most 1.1 x plus the pump interval of 100 ms = %.1f ms: %s\n",
                starts, ours, theirs, ours / theirs, bound, ours <= bound ? "met" : "NOT met");
    return check == 0;
}
