#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>
#include <string>
#include "fs/cluster_table.h"
#include "fs/disk_free.h"
#include "frame/error_state.h"
#include "fs/path_spelling.h"
#include "frame/text.h"
#include "support/guarded_buffer.h"
#include "support/sjis.h"
#include "support/temp_folder.h"

using ferro::fs::cluster_geometry;
using ferro_test::sjis;
using ferro_test::TempFolder;

// ---- Cluster size by file system and total size
struct ClusterRow { int file_system; ULONGLONG total; DWORD sectors, bytes; };

class ClusterTable : public testing::TestWithParam<ClusterRow> {};

TEST_P(ClusterTable, GeometryFromTotalSize) {
    auto g = cluster_geometry(GetParam().file_system, GetParam().total);
    EXPECT_EQ(g.sectors_per_cluster, GetParam().sectors);
    EXPECT_EQ(g.bytes_per_sector, GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Fat, ClusterTable,
    testing::Values(ClusterRow{0, 0, 1, 512}, ClusterRow{0, 0x1FFFFFE, 1, 512}, ClusterRow{0, 0x1FFFFFF, 2, 512},
                    ClusterRow{0, 0x3FFFFFE, 2, 512}, ClusterRow{0, 0x3FFFFFF, 4, 512},
                    ClusterRow{0, 0x7FFFFFE, 4, 512}, ClusterRow{0, 0x7FFFFFF, 8, 512},
                    ClusterRow{0, 0xFFFFFFE, 8, 512}, ClusterRow{0, 0xFFFFFFF, 16, 512},
                    ClusterRow{0, 0x1FFFFFFE, 16, 512}, ClusterRow{0, 0x1FFFFFFF, 32, 512},
                    ClusterRow{0, 0x3FFFFFFE, 32, 512}, ClusterRow{0, 0x3FFFFFFF, 64, 512},
                    ClusterRow{0, ~0ull, 64, 512}));
INSTANTIATE_TEST_SUITE_P(
    Fat32, ClusterTable,
    testing::Values(ClusterRow{1, 0, 1, 512}, ClusterRow{1, 0x1FFFFFFE, 1, 512}, ClusterRow{1, 0x1FFFFFFF, 8, 512},
                    ClusterRow{1, 0x1FFFFFFFE, 8, 512}, ClusterRow{1, 0x1FFFFFFFF, 16, 512},
                    ClusterRow{1, 0x3FFFFFFFE, 16, 512}, ClusterRow{1, 0x3FFFFFFFF, 32, 512},
                    ClusterRow{1, 0x7FFFFFFFE, 32, 512}, ClusterRow{1, 0x7FFFFFFFF, 64, 512}));
INSTANTIATE_TEST_SUITE_P(
    Ntfs, ClusterTable,
    testing::Values(ClusterRow{2, 0, 1, 512}, ClusterRow{2, 0x200FFFFE, 1, 512}, ClusterRow{2, 0x200FFFFF, 2, 512},
                    ClusterRow{2, 0x400FFFFE, 2, 512}, ClusterRow{2, 0x400FFFFF, 4, 512},
                    ClusterRow{2, 0x7FFFFFFE, 4, 512}, ClusterRow{2, 0x7FFFFFFF, 8, 512},
                    ClusterRow{2, ~0ull, 8, 512}));
INSTANTIATE_TEST_SUITE_P(Others, ClusterTable,
                         testing::Values(ClusterRow{3, 0, 1, 2048}, ClusterRow{3, ~0ull, 1, 2048},
                                         ClusterRow{4, 1000, 0, 0}, ClusterRow{-1, 1000, 0, 0}));

// ---- Free space
TEST(DiskFree, DriveOfTheTemporaryFolder) {
    TempFolder tmp;
    DosDiskFree clusters;
    ULONGLONG sizes[3];
    std::memset(&clusters, 0x55, sizeof clusters);
    ASSERT_EQ(my_Dos_getdiskfree(tmp.path().c_str(), &clusters, sizes), 0);
    EXPECT_GT(sizes[1], 0u);
    EXPECT_LE(sizes[2], sizes[1]);
    EXPECT_GT(clusters.sectors_per_cluster, 0u) << "never a zero cluster size";
    EXPECT_GT(clusters.bytes_per_sector, 0u);
    EXPECT_EQ(Get_errno(), 0);
}

TEST(DiskFree, FailuresZeroTheRecords) {
    DosDiskFree clusters;
    ULONGLONG sizes[3] = {1, 2, 3};
    std::memset(&clusters, 0x55, sizeof clusters);
    EXPECT_EQ(my_Dos_getdiskfree("Q:\\", &clusters, sizes), 1);
    EXPECT_EQ(clusters.total_clusters, 0u);
    EXPECT_EQ(clusters.bytes_per_sector, 0u);
    EXPECT_EQ(sizes[0] + sizes[1] + sizes[2], 0u);
    EXPECT_EQ(my_Dos_getdiskfree(nullptr, &clusters, sizes), 1);
    EXPECT_EQ(my_Dos_getdiskfree("C:\\", nullptr, sizes), 1);
    EXPECT_EQ(my_Dos_getdiskfree("\\:\\Workgroup\\pc\\share", &clusters, sizes), 1);
    EXPECT_FALSE(myGetNetVolumeInformation("\\:\\Workgroup\\pc\\share"));
    EXPECT_FALSE(myGetNetVolumeInformation(nullptr));
}

// ---- Path spelling
TEST(PathSpelling, LongNamesAsStored) {
    TempFolder tmp;
    tmp.file(sjis("MixedCase 表\\File.Txt"));
    std::string given = tmp.path() + "\\" + sjis("mixedcase 表\\FILE.TXT");
    char path[520];
    lstrcpyA(path, ("\"" + given + "\"").c_str());
    path[1] = static_cast<char>(path[1] | 0x20);  // drive letter in small letters
    ASSERT_EQ(GetReformed95PathNameFromOS(path, 8, 0), path);
    std::string expected = tmp.path() + "\\" + sjis("MixedCase 表\\File.Txt");
    expected[0] = static_cast<char>(expected[0] & ~0x20);
    EXPECT_EQ(std::string(path), expected);
}

TEST(PathSpelling, CapitalsOnlyAndMissingParts) {
    TempFolder tmp;
    tmp.file("README.TXT");
    char path[520];
    lstrcpyA(path, (tmp / "readme.txt").c_str());
    LPSTR module = GetReformed95PathNameFromOS(path, 8, 1);
    ASSERT_NE(module, nullptr);
    EXPECT_NE(module, path) << "the module buffer";
    EXPECT_EQ(std::string(module).substr(tmp.path().size()), "\\Readme.txt");
    EXPECT_EQ(std::string(path), tmp / "readme.txt") << "the caller's path stays";

    lstrcpyA(path, (tmp / "NEW FOLDER\\NEW.TXT").c_str());
    GetReformed95PathNameFromOS(path, 8, 0);
    EXPECT_EQ(std::string(path).substr(tmp.path().size()), "\\New folder\\New.txt");
    lstrcpyA(path, (tmp / "NEW FOLDER\\NEW.TXT").c_str());
    GetReformed95PathNameFromOS(path, 8 | 16, 0);
    EXPECT_EQ(std::string(path).substr(tmp.path().size()), "\\NEW FOLDER\\NEW.TXT");

    lstrcpyA(path, (tmp / "*.TXT").c_str());
    GetReformed95PathNameFromOS(path, 8 | 16, 0);
    EXPECT_EQ(std::string(path).substr(tmp.path().size()), "\\*.TXT") << "a pattern names no entry";
}

TEST(PathSpelling, RootsEmptyAndBounds) {
    char root[520] = "c:\\";
    EXPECT_EQ(std::string(GetReformed95PathNameFromOS(root, 8, 0)), "C:\\");
    char empty[520] = "";
    EXPECT_EQ(GetReformed95PathNameFromOS(empty, 8, 0), nullptr);
    EXPECT_EQ(GetReformed95PathNameFromOS(nullptr, 8, 0), nullptr);
    ferro_test::GuardedBuffer full(520);
    full.assign("C:\\" + std::string(516, 'e'));
    EXPECT_EQ(GetReformed95PathNameFromOS(full, 8 | 16, 0), full.data());
    EXPECT_EQ(full.str().size(), 519u);
    char net[520] = "\\:\\Workgroup\\pc";
    EXPECT_EQ(std::string(GetReformed95PathNameFromOS(net, 8, 0)), "\\:\\Workgroup\\pc");
}

TEST(PathSpelling, ShortNamesAndCaseConversion) {
    TempFolder tmp;
    tmp.file("lower.txt");
    char path[520];
    lstrcpyA(path, (tmp / "LOWER.TXT").c_str());
    LPSTR spelled = ConvertWin95CharacterSet(path, 4 | 2, 1);
    ASSERT_NE(spelled, nullptr);
    const char* tail = std::strrchr(spelled, '\\');
    ASSERT_NE(tail, nullptr);
    EXPECT_STREQ(tail, "\\lower.txt") << "short name made upper-case, then lowered by the mode";
}
