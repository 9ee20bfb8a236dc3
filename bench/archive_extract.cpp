// Extracting a tar archive through the archiver binding and the tar library
// (the command function the engine hands the host), against a raw loop in
// the same process that writes the same files with CreateFileA / WriteFile
// (goal: at most 1.3 times the raw loop), and native tar -xf of the same
// archive outside Wine (timed by archive-bench.sh, --native-small-ms and
// --native-large-ms) as information. Two archives: 10,000 files of 4 KiB in
// 100 folders of 100, and one file of 500 MB. Best of three, the two methods
// taking turns at going first. The data lives in /tmp and is removed at the end.
#include "archive/archiver.h"
#include "common_archiver.h"
#include "copy_bench_common.h"

namespace {
constexpr int kFolders = 100, kPerFolder = 100, kFiles = kFolders * kPerFolder;
constexpr DWORD kSmall = 4096;
constexpr ULONGLONG kLarge = 500ull << 20;
constexpr int kRounds = 3;

std::string file_name(int i) {
    char name[48];
    std::snprintf(name, sizeof name, "small\\folder %03d\\file %05d.dat", i / kPerFolder, i);
    return name;
}

double native_ms(int argc, char** argv, const char* option) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], option) == 0) return std::atof(argv[i + 1]);
    return 0;
}

// The raw loop: the same folders and files, written from memory.
bool raw_small(const std::string& out, const std::vector<char>& data) {
    CreateDirectoryA(out.c_str(), nullptr);
    CreateDirectoryA((out + "\\small").c_str(), nullptr);
    for (int i = 0; i < kFiles; ++i) {
        if (i % kPerFolder == 0) {
            char folder[32];
            std::snprintf(folder, sizeof folder, "\\small\\folder %03d", i / kPerFolder);
            CreateDirectoryA((out + folder).c_str(), nullptr);
        }
        HANDLE h = CreateFileA((out + "\\" + file_name(i)).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) return false;
        DWORD put = 0;
        const bool ok = WriteFile(h, data.data(), kSmall, &put, nullptr) && put == kSmall;
        CloseHandle(h);
        if (!ok) return false;
    }
    return true;
}

bool raw_large(const std::string& out, const std::vector<char>& block) {
    CreateDirectoryA(out.c_str(), nullptr);
    HANDLE h = CreateFileA((out + "\\large.dat").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    for (ULONGLONG done = 0; ok && done < kLarge; done += block.size()) {
        DWORD put = 0;
        ok = WriteFile(h, block.data(), DWORD(block.size()), &put, nullptr) && put == block.size();
    }
    CloseHandle(h);
    return ok;
}

void report(const char* what, const std::vector<double>& binding, const std::vector<double>& raw, double native) {
    const double b = copy_bench::best(binding), r = copy_bench::best(raw);
    std::printf("%s: binding + tar library %.1f ms, raw CreateFileA/WriteFile loop %.1f ms, ratio %.2f (goal <= 1.30)\n",
                what, b, r, b / r);
    if (native > 0) std::printf("%s: native tar -xf %.1f ms (outside Wine), library / native %.2f\n", what, native, b / native);
}
}  // namespace

int main(int argc, char** argv) {
    FindArchiverDllFunction(nullptr, nullptr);
    auto tar = reinterpret_cast<ArchiverCommand>(funcArchiver(1, 4));
    if (!tar) {
        std::printf("TAR32.DLL is not on the program path\n");
        return 1;
    }
    const std::string folder = copy_bench::data_folder("archive");
    std::vector<char> small(kSmall), out(1 << 12);
    for (DWORD i = 0; i < kSmall; ++i) small[i] = char((i * 2654435761u) >> 13);
    std::printf("making %d files of %lu bytes and one of %llu bytes in %s\n", kFiles, kSmall, kLarge, folder.c_str());
    bool ok = raw_small(folder + "\\source", small) && copy_bench::write_pattern_file(folder + "\\source\\large.dat", kLarge);
    ok = ok && tar(nullptr, ("c -C \"" + folder + "\\source\" \"" + folder + "\\small.tar\" small").c_str(), out.data(), 0) == 0;
    ok = ok && tar(nullptr, ("c -C \"" + folder + "\\source\" \"" + folder + "\\large.tar\" large.dat").c_str(), out.data(), 0) == 0;
    copy_bench::remove_tree(folder + "\\source");
    std::vector<char> block(1 << 20);
    std::vector<double> bs, rs, bl, rl;
    for (int round = 0; round < kRounds && ok; ++round) {
        const std::string b = folder + "\\binding", r = folder + "\\raw";
        auto run_binding = [&](const char* archive, std::vector<double>& times) {
            const double t0 = copy_bench::now_ms();
            ok = ok && tar(nullptr, ("x \"" + folder + "\\" + archive + "\" \"" + b + "\"").c_str(), out.data(), 0) == 0;
            times.push_back(copy_bench::now_ms() - t0);
            copy_bench::remove_tree(b);
        };
        auto run_raw = [&](bool large, std::vector<double>& times) {
            const double t0 = copy_bench::now_ms();
            ok = ok && (large ? raw_large(r, block) : raw_small(r, small));
            times.push_back(copy_bench::now_ms() - t0);
            copy_bench::remove_tree(r);
        };
        if (round % 2) {
            run_raw(false, rs), run_binding("small.tar", bs), run_raw(true, rl), run_binding("large.tar", bl);
        } else {
            run_binding("small.tar", bs), run_raw(false, rs), run_binding("large.tar", bl), run_raw(true, rl);
        }
    }
    copy_bench::remove_tree(folder);
    FreeArchiverDllFunction();
    if (!ok) {
        std::printf("the benchmark failed\n");
        return 1;
    }
    report("10,000 files of 4 KiB", bs, rs, native_ms(argc, argv, "--native-small-ms"));
    report("one file of 500 MB", bl, rl, native_ms(argc, argv, "--native-large-ms"));
    return 0;
}
