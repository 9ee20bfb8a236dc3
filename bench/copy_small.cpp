// Copying 10,000 files of 4 KiB: myOrgCopyFile against a CopyFileA loop in the
// same process, and native cp -r (timed outside Wine by copy-bench.sh). The
// files stand in 100 folders of 100: Wine looks for a name that is not there
// by reading the whole folder, so one folder of 10,000 would time that scan
// rather than the copy. Each round copies into fresh folders, the two methods
// taking turns at going first; best of four.
// The data lives in /tmp and is removed at the end.
#include "copy_bench_common.h"
#include "fileops/copy.h"
#include "frame/message_pump.h"

namespace {
constexpr int kFolders = 100;
constexpr int kPerFolder = 100;
constexpr int kFiles = kFolders * kPerFolder;
constexpr ULONGLONG kSize = 4096;
constexpr int kRounds = 4;

// File i inside the folders below `base`.
std::string file_name(int i) {
    char name[48];
    std::snprintf(name, sizeof name, "\\folder %03d\\file %05d.dat", i / kPerFolder, i);
    return name;
}

void make_folders(const std::string& base) {
    CreateDirectoryA(base.c_str(), nullptr);
    for (int f = 0; f < kFolders; ++f) {
        char name[32];
        std::snprintf(name, sizeof name, "\\folder %03d", f);
        CreateDirectoryA((base + name).c_str(), nullptr);
    }
}
}  // namespace

int main(int argc, char** argv) {
    const std::string folder = copy_bench::data_folder("copy-small");
    const std::string source = folder + "\\source";
    make_folders(source);
    std::printf("making %d files of %llu bytes in %s\n", kFiles, kSize, source.c_str());
    for (int i = 0; i < kFiles; ++i)
        if (!copy_bench::write_pattern_file(source + file_name(i), kSize)) {
            std::printf("cannot write the source files\n");
            copy_bench::remove_tree(folder);
            return 1;
        }
    ResetCancellingFlags(0);
    std::vector<double> engine, system;
    bool ok = true;
    for (int round = 0; round < kRounds && ok; ++round) {
        const std::string a = folder + "\\engine", b = folder + "\\system";
        make_folders(a);
        make_folders(b);
        // The two take turns at going first, so that neither gains from the other.
        auto run_engine = [&] {
            const double t0 = copy_bench::now_ms();
            for (int i = 0; i < kFiles && ok; ++i) {
                std::string s = source + file_name(i), t = a + file_name(i);
                ok = myOrgCopyFile(nullptr, s.data(), t.data(), 0, 0) == 0;
            }
            engine.push_back(copy_bench::now_ms() - t0);
        };
        auto run_system = [&] {
            const double t0 = copy_bench::now_ms();
            for (int i = 0; i < kFiles && ok; ++i)
                ok = CopyFileA((source + file_name(i)).c_str(), (b + file_name(i)).c_str(), FALSE) != FALSE;
            system.push_back(copy_bench::now_ms() - t0);
        };
        if (round % 2) {
            run_system();
            run_engine();
        } else {
            run_engine();
            run_system();
        }
        copy_bench::remove_tree(a);
        copy_bench::remove_tree(b);
    }
    copy_bench::remove_tree(folder);
    if (!ok) {
        std::printf("a copy failed\n");
        return 1;
    }
    const double e = copy_bench::best(engine), c = copy_bench::best(system);
    std::printf("%d files of 4 KiB, best of %d:\n", kFiles, kRounds);
    std::printf("  myOrgCopyFile      %8.1f ms  %6.1f us a file\n", e, e * 1000 / kFiles);
    std::printf("  CopyFileA          %8.1f ms  %6.1f us a file\n", c, c * 1000 / kFiles);
    const double native = copy_bench::native_ms(argc, argv);
    if (native > 0) std::printf("  native cp -r       %8.1f ms  %6.1f us a file\n", native, native * 1000 / kFiles);
    std::printf("time of myOrgCopyFile: %.2fx the CopyFileA loop (goal <= 1.20)", e / c);
    if (native > 0) std::printf(", %.2fx native cp -r", e / native);
    std::printf("\n");
    return 0;
}
