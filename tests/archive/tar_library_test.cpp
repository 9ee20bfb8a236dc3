#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>
#include "archive/archiver.h"
#include "common_archiver.h"
#include "archive/program_folder.h"
#include "support/guarded_buffer.h"
#include "support/sjis.h"
#include "support/temp_folder.h"

using ferro_test::exists;
using ferro_test::read_file;
using ferro_test::sjis;
using ferro_test::TempFolder;

namespace {

// Where the GNU tar steps around this program keep their archives.
std::string cross_check_folder() { return program_folder() + "\\..\\archive-xcheck"; }

std::string pattern_bytes(size_t n, unsigned seed) {
    std::string s(n, '\0');
    for (size_t i = 0; i < n; ++i) s[i] = char((i * 2654435761u + seed) >> 11);
    return s;
}

// The tar library as the host reaches it: through the binding's lookups.
class TarLibrary : public testing::Test {
protected:
    void SetUp() override {
        FindArchiverDllFunction(nullptr, nullptr);
        command_ = reinterpret_cast<ArchiverCommand>(funcArchiver(1, 4));
        open_ = reinterpret_cast<ArchiverOpen>(funcOpenArchive(1, 4));
        close_ = reinterpret_cast<ArchiverClose>(funcCloseArchive(1, 4));
        first_ = reinterpret_cast<ArchiverFindFirst>(funcFindFirst(1, 4));
        next_ = reinterpret_cast<ArchiverFindNext>(funcFindNext(1, 4));
        ASSERT_TRUE(command_ && open_ && close_ && first_ && next_);
    }
    void TearDown() override { FreeArchiverDllFunction(); }

    int run(const std::string& line, std::string* output = nullptr) {
        std::vector<char> out(1 << 16);
        const int r = command_(nullptr, line.c_str(), out.data(), DWORD(out.size()));
        if (output) *output = out.data();
        return r;
    }
    // Every entry FindFirst and FindNext report.
    std::vector<INDIVIDUALINFO> entries(const std::string& archive) {
        std::vector<INDIVIDUALINFO> all;
        HARC h = open_(nullptr, archive.c_str(), M_ERROR_MESSAGE_OFF);
        EXPECT_NE(nullptr, h) << archive;
        if (!h) return all;
        INDIVIDUALINFO info;
        for (int r = first_(h, "*", &info); r == 0; r = next_(h, &info)) all.push_back(info);
        close_(h);
        return all;
    }
    std::vector<std::string> names(const std::string& archive) {
        std::vector<std::string> n;
        for (const INDIVIDUALINFO& i : entries(archive)) n.push_back(i.szFileName);
        std::sort(n.begin(), n.end());
        return n;
    }

    TempFolder temp_;
    ArchiverCommand command_ = nullptr;
    ArchiverOpen open_ = nullptr;
    ArchiverClose close_ = nullptr;
    ArchiverFindFirst first_ = nullptr;
    ArchiverFindNext next_ = nullptr;
};

// The tree of the round trips: 0x5C trail bytes (表 ソ 能) in names and folders.
const std::vector<std::pair<std::string, std::string>> kTree = {
    {"plain.txt", "plain\n"},
    {"empty.dat", ""},
    {"folder\\inner.bin", pattern_bytes(70000, 1)},
    {sjis("表ソ能.txt"), "sjis\n"},
    {sjis("表\\ソ.txt"), pattern_bytes(513, 2)},
};

TEST_F(TarLibrary, CreateListExtractAndAdd) {
    for (const char* kind : {"tar", "tgz"}) {
        SCOPED_TRACE(kind);
        TempFolder t;
        for (const auto& [name, data] : kTree) t.file("source\\" + name, data);
        const std::string archive = t / (std::string("a.") + kind);
        ASSERT_EQ(0, run("c -C \"" + t / "source" + "\" \"" + archive + "\" plain.txt empty.dat folder " +
                         sjis("表ソ能.txt 表")));
        const std::vector<std::string> want = {"empty.dat", "folder", "folder\\inner.bin", "plain.txt",
                                               sjis("表"), sjis("表\\ソ.txt"), sjis("表ソ能.txt")};
        EXPECT_EQ(want, names(archive));
        const INDIVIDUALINFO inner = entries(archive)[3];
        EXPECT_STREQ("folder\\inner.bin", inner.szFileName);
        EXPECT_EQ(70000u, inner.dwOriginalSize);
        EXPECT_NE(0, inner.wDate);
        ASSERT_EQ(0, run("x \"" + archive + "\" \"" + t / "out" + "\""));
        for (const auto& [name, data] : kTree) EXPECT_EQ(data, read_file(t / ("out\\" + name))) << name;
        ASSERT_EQ(0, run("e \"" + archive + "\" \"" + t / "flat" + "\" *.bin " + sjis("表\\ソ.txt")));
        EXPECT_EQ(kTree[2].second, read_file(t / "flat\\inner.bin"));
        EXPECT_EQ(kTree[4].second, read_file(t / sjis("flat\\ソ.txt")));
        EXPECT_FALSE(exists(t / "flat\\plain.txt"));
        const int added = run("a \"" + archive + "\" \"" + t.file("more.txt", "more") + "\"");
        if (std::string(kind) == "tar") {
            ASSERT_EQ(0, added);
            EXPECT_EQ(8u, names(archive).size());
            ASSERT_EQ(0, run("x \"" + archive + "\" \"" + t / "out2" + "\" more.txt"));
            EXPECT_EQ("more", read_file(t / "out2\\more.txt"));
        } else {
            EXPECT_EQ(ERROR_ADD_TO_LARC, added);  // a compressed archive does not grow
        }
    }
}

TEST_F(TarLibrary, ListingTextAndLibraryState) {
    const std::string archive = temp_ / "a.tar";
    ASSERT_EQ(0, run("c \"" + archive + "\" \"" + temp_.file("x.txt", "12345") + "\""));
    std::string listing;
    ASSERT_EQ(0, run("l \"" + archive + "\"", &listing));
    EXPECT_NE(std::string::npos, listing.find("-rw-r--r--            5 ")) << listing;
    EXPECT_NE(std::string::npos, listing.find(" x.txt\r\n")) << listing;
    ferro_test::GuardedBuffer small(8);
    EXPECT_EQ(0, command_(nullptr, ("l \"" + archive + "\"").c_str(), small, 8));
    EXPECT_EQ(7u, small.str().size());  // cut to fit, never past the buffer
    EXPECT_EQ(226, reinterpret_cast<ArchiverVersion>(funcGetVersion(1, 4))());
    EXPECT_EQ(FALSE, reinterpret_cast<BOOL(WINAPI*)()>(funcGetRunning(1, 4))());
    EXPECT_EQ(ERROR_COMMAND_NAME, run("q \"" + archive + "\""));
    EXPECT_EQ(ERROR_NOT_FIND_ARC_FILE, run("x \"" + temp_ / "none.tar" + "\" \"" + temp_ / "o" + "\""));
    EXPECT_EQ(nullptr, open_(nullptr, temp_.file("not.tar", std::string(1024, 'x')).c_str(), 0));
}

// What GNU tar made (before this program ran) lists and extracts byte for byte.
TEST_F(TarLibrary, ReadsWhatGnuTarMakes) {
    const std::string dir = cross_check_folder();
    if (!exists(dir + "\\gnu.tar")) GTEST_SKIP() << "run through ctest: GNU tar makes the archives first";
    const std::string long_folder = [] { std::string s; for (int i = 0; i < 14; ++i) s += "folder-"; return s; }();
    const std::string long_name = std::string(150, 'n') + ".txt";
    for (const char* archive : {"gnu.tar", "pax.tar.gz"}) {
        SCOPED_TRACE(archive);
        const std::vector<std::string> all = names(dir + "\\" + archive);
        for (const std::string& n : {long_folder + "\\deep file.txt", long_name, sjis("表ソ.txt"), std::string("folder\\inner.bin")})
            EXPECT_NE(all.end(), std::find(all.begin(), all.end(), n)) << n;
        TempFolder out;
        ASSERT_EQ(0, run("x \"" + dir + "\\" + archive + "\" \"" + out.path() + "\""));
        for (const std::string& n : {std::string("plain.txt"), std::string("empty.dat"), std::string("folder\\inner.bin"),
                                     long_folder + "\\deep file.txt", long_name})
            EXPECT_EQ(read_file(dir + "\\source\\" + n), read_file(out / n)) << n;
        EXPECT_EQ("sjis\n", read_file(out / sjis("表ソ.txt")));
    }
}

// What this library makes, GNU tar lists and extracts (checked after this program ran).
TEST_F(TarLibrary, MakesWhatGnuTarReads) {
    const std::string dir = cross_check_folder();
    if (!exists(dir + "\\gnu.tar")) GTEST_SKIP() << "run through ctest: GNU tar checks the archives afterwards";
    const std::string source = dir + "\\ours-source";
    const std::string long_folder(120, 'd');
    std::vector<std::pair<std::string, std::string>> files = {
        {"plain.txt", "plain\n"}, {"empty.dat", ""}, {"folder\\inner.bin", pattern_bytes(100000, 3)},
        {long_folder + "\\" + std::string(90, 'f'), "long path\n"}, {std::string(130, 'n'), "long name\n"},
        {sjis("表ソ.txt"), "sjis\n"}};
    CreateDirectoryA(source.c_str(), nullptr);
    for (const auto& [name, data] : files) {
        const std::string path = source + "\\" + name;
        CreateDirectoryA(path.substr(0, path.find_last_of('\\')).c_str(), nullptr);
        HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD put;
        WriteFile(h, data.data(), DWORD(data.size()), &put, nullptr);
        CloseHandle(h);
    }
    const std::string members = "plain.txt empty.dat folder " + long_folder + " " + std::string(130, 'n') + " " + sjis("表ソ.txt");
    EXPECT_EQ(0, run("c -C \"" + source + "\" \"" + dir + "\\ours.tar\" " + members));
    EXPECT_EQ(0, run("c -C \"" + source + "\" \"" + dir + "\\ours.tgz\" " + members));
}

// A hand-made ustar header; `checksum_delta` spoils the checksum.
std::string header(const std::string& name, char type, size_t size, const std::string& link = "", int checksum_delta = 0) {
    std::string h(512, '\0');
    std::memcpy(&h[0], name.data(), std::min<size_t>(name.size(), 100));
    std::snprintf(&h[100], 8, "%07o", 0644);
    std::snprintf(&h[108], 8, "%07o", 0);
    std::snprintf(&h[116], 8, "%07o", 0);
    std::snprintf(&h[124], 12, "%011zo", size);
    std::snprintf(&h[136], 12, "%011o", 1700000000);
    h[156] = type;
    std::memcpy(&h[157], link.data(), std::min<size_t>(link.size(), 100));
    std::memcpy(&h[257], "ustar\0" "00", 8);
    std::memset(&h[148], ' ', 8);
    unsigned sum = 0;
    for (unsigned char c : h) sum += c;
    std::snprintf(&h[148], 8, "%06o", sum + checksum_delta);
    return h;
}
std::string entry(const std::string& name, const std::string& data) {
    return header(name, '0', data.size()) + data + std::string((512 - data.size() % 512) % 512, '\0');
}
const std::string kEnd(1024, '\0');

TEST_F(TarLibrary, HostileArchivesStayInsideTheTarget) {
    const std::string long_name(600, 'a');
    const struct Case {
        const char* what;
        std::string archive;
        int code;
    } cases[] = {
        {"absolute", entry("/escape.txt", "x") + kEnd, ERROR_NOT_CONFIRM_NAME},
        {"drive", entry("C:\\escape.txt", "x") + kEnd, ERROR_NOT_CONFIRM_NAME},
        {"network", entry("\\\\server\\share\\escape.txt", "x") + kEnd, ERROR_NOT_CONFIRM_NAME},
        {"dot-dot slash", entry("../escape.txt", "x") + kEnd, ERROR_NOT_CONFIRM_NAME},
        {"dot-dot yen", entry("..\\escape.txt", "x") + kEnd, ERROR_NOT_CONFIRM_NAME},
        {"dot-dot inside", entry("a/../../escape.txt", "x") + kEnd, ERROR_NOT_CONFIRM_NAME},
        {"device", entry("CON.txt", "x") + kEnd, ERROR_NOT_CONFIRM_NAME},
        {"stream", entry("a.txt:stream", "x") + kEnd, ERROR_NOT_CONFIRM_NAME},
        {"520 bytes and more", header("././@LongLink", 'L', long_name.size() + 1) + long_name + std::string(513 - 601 % 512, '\0') +
                                   header("short", '0', 1) + "x" + std::string(511, '\0') + kEnd,
         ERROR_LONG_FILE_NAME},
        {"truncated", entry("first.txt", "ok") + header("second.txt", '0', 5).substr(0, 200), ERROR_UNEXPECTED_EOF},
        {"bad checksum", entry("first.txt", "ok") + header("second.txt", '0', 1, "", 1) + "x" + std::string(511, '\0') + kEnd,
         ERROR_HEADER_CRC},
        {"size past the end", entry("first.txt", "ok") + header("big.txt", '0', 1 << 20) + "xyz", ERROR_HDR_INVALID_SIZE},
        {"symbolic link outside", entry("first.txt", "ok") + header("link", '2', 0, "../../escape.txt") + kEnd, ERROR_NOT_CONFIRM_NAME},
        {"hard link outside", entry("first.txt", "ok") + header("link", '1', 0, "/etc/passwd") + kEnd, ERROR_NOT_CONFIRM_NAME},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder t;
        const std::string archive = t.file("hostile.tar", c.archive);
        std::string log;
        EXPECT_EQ(c.code, run("x \"" + archive + "\" \"" + t / "target\\inner" + "\"", &log)) << log;
        // Nothing beside the archive and the target folder; inside, at most the good first file.
        std::vector<std::string> found;
        WIN32_FIND_DATAA f;
        HANDLE h = FindFirstFileA((t / "*").c_str(), &f);
        do found.push_back(f.cFileName); while (FindNextFileA(h, &f));
        FindClose(h);
        std::sort(found.begin(), found.end());
        EXPECT_EQ((std::vector<std::string>{".", "..", "hostile.tar", "target"}), found);
        EXPECT_FALSE(exists(t / "target\\escape.txt"));
        EXPECT_FALSE(exists(t / "target\\inner\\big.txt"));   // never half written
        EXPECT_FALSE(exists(t / "target\\inner\\second.txt"));
        if (c.archive.compare(0, 9, "first.txt") == 0) {
            EXPECT_EQ("ok", read_file(t / "target\\inner\\first.txt"));
        }
    }
}

TEST_F(TarLibrary, LinksInsideBecomeCopies) {
    const std::string archive = temp_.file("links.tar", entry("dir/file.txt", "data") + header("dir/sym", '2', 0, "file.txt") +
                                                            header("hard", '1', 0, "dir/file.txt") + kEnd);
    ASSERT_EQ(0, run("x \"" + archive + "\" \"" + temp_ / "out" + "\""));
    EXPECT_EQ("data", read_file(temp_ / "out\\dir\\sym"));
    EXPECT_EQ("data", read_file(temp_ / "out\\hard"));
}
}  // namespace
