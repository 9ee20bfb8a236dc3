// Copying one 1 GiB file: myOrgCopyFile against CopyFileA and a raw loop of
// 1 MiB ReadFile/WriteFile in the same process, and native cp (timed outside
// Wine by copy-bench.sh). Best of three rounds each; the data lives in /tmp
// and is removed at the end.
#include "copy_bench_common.h"
#include "fileops/copy.h"
#include "frame/message_pump.h"

namespace {
constexpr ULONGLONG kSize = 1ull << 30;
constexpr int kRounds = 3;

bool raw_copy(const std::string& from, const std::string& to) {
    HANDLE in = CreateFileA(from.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    HANDLE out = CreateFileA(to.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    std::vector<char> buffer(1 << 20);
    bool ok = in != INVALID_HANDLE_VALUE && out != INVALID_HANDLE_VALUE;
    for (DWORD got = 0; ok;) {
        ok = ReadFile(in, buffer.data(), DWORD(buffer.size()), &got, nullptr) != FALSE;
        if (!ok || got == 0) break;
        DWORD put = 0;
        ok = WriteFile(out, buffer.data(), got, &put, nullptr) && put == got;
    }
    CloseHandle(in);
    CloseHandle(out);
    return ok;
}
}  // namespace

int main(int argc, char** argv) {
    const std::string folder = copy_bench::data_folder("copy-large");
    const std::string source = folder + "\\source.bin", target = folder + "\\target.bin";
    std::printf("making a file of %llu bytes in %s\n", kSize, folder.c_str());
    if (!copy_bench::write_pattern_file(source, kSize)) {
        std::printf("cannot write the source file\n");
        copy_bench::remove_tree(folder);
        return 1;
    }
    ResetCancellingFlags(0);
    std::vector<double> engine, system, raw;
    bool ok = true;
    for (int round = 0; round < kRounds && ok; ++round) {
        std::string s = source, t = target;
        double t0 = copy_bench::now_ms();
        ok = myOrgCopyFile(nullptr, s.data(), t.data(), 0, 0) == 0;
        engine.push_back(copy_bench::now_ms() - t0);
        DeleteFileA(target.c_str());

        t0 = copy_bench::now_ms();
        ok = ok && CopyFileA(source.c_str(), target.c_str(), FALSE);
        system.push_back(copy_bench::now_ms() - t0);
        DeleteFileA(target.c_str());

        t0 = copy_bench::now_ms();
        ok = ok && raw_copy(source, target);
        raw.push_back(copy_bench::now_ms() - t0);
        DeleteFileA(target.c_str());
    }
    copy_bench::remove_tree(folder);
    if (!ok) {
        std::printf("a copy failed\n");
        return 1;
    }
    const double e = copy_bench::best(engine), c = copy_bench::best(system), r = copy_bench::best(raw);
    const double mib = double(kSize) / double(1 << 20);
    std::printf("1 GiB file, best of %d:\n", kRounds);
    std::printf("  myOrgCopyFile      %8.1f ms  %7.1f MiB/s\n", e, mib * 1000 / e);
    std::printf("  CopyFileA          %8.1f ms  %7.1f MiB/s\n", c, mib * 1000 / c);
    std::printf("  raw 1 MiB loop     %8.1f ms  %7.1f MiB/s\n", r, mib * 1000 / r);
    const double native = copy_bench::native_ms(argc, argv);
    if (native > 0) std::printf("  native cp          %8.1f ms  %7.1f MiB/s\n", native, mib * 1000 / native);
    std::printf("speed of myOrgCopyFile: %.2fx CopyFileA (goal >= 1.00), %.2fx the raw loop (goal >= 0.90)", c / e,
                r / e);
    if (native > 0) std::printf(", %.2fx native cp", native / e);
    std::printf("\n");
    return 0;
}
