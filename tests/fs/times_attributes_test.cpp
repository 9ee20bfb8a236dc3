#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "fs/dos_files.h"
#include "fs/dos_times.h"
#include "frame/error_state.h"
#include "support/guarded_buffer.h"
#include "support/sjis.h"
#include "support/temp_folder.h"

using ferro_test::GuardedBuffer;
using ferro_test::sjis;
using ferro_test::TempFolder;

namespace {
ULONGLONG as_number(const FILETIME& t) { return (ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

FILETIME local_time_of(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
    SYSTEMTIME st{year, month, 0, day, hour, minute, second, 0};
    FILETIME t;
    SystemTimeToFileTime(&st, &t);  // read as a local time
    return t;
}
}  // namespace

// ---- File times
TEST(DosTimes, LocalTimeRoundTripsOnPathAndHandle) {
    TempFolder tmp;
    std::string path = tmp.file(sjis("表時刻.txt"), "x");
    FILETIME when = local_time_of(2009, 7, 14, 23, 45, 10);
    ASSERT_EQ(my_Dos_setftime(path.c_str(), when.dwLowDateTime, when.dwHighDateTime), 0);
    FILETIME got{}, copy{};
    ASSERT_EQ(my_Dos_getftime(path.c_str(), &got, &copy), 0);
    EXPECT_EQ(as_number(got), as_number(when));
    EXPECT_EQ(as_number(copy), as_number(when));
    FILETIME only{};
    ASSERT_EQ(my_Dos_getftime(path.c_str(), nullptr, &only), 0);
    EXPECT_EQ(as_number(only), as_number(when));

    // The same time seen by the system is the UTC form of it.
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data));
    FILETIME utc;
    LocalFileTimeToFileTime(&when, &utc);
    EXPECT_EQ(as_number(data.ftLastWriteTime), as_number(utc));

    HANDLE h = myOpen(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, OPEN_EXISTING, 0);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    FILETIME other = local_time_of(2001, 1, 2, 3, 4, 6);
    ASSERT_EQ(my_Dos_setftime0(h, other.dwLowDateTime, other.dwHighDateTime), 0);
    FILETIME back{};
    ASSERT_EQ(my_Dos_getftime0(h, &back), 0);
    EXPECT_EQ(as_number(back), as_number(other));
    myClose(h);
}

TEST(DosTimes, WinSetftimeSetsOnlyTheGivenTimes) {
    TempFolder tmp;
    std::string path = tmp.file("t.txt", "x");
    FILETIME write = local_time_of(2010, 5, 6, 7, 8, 10);
    ASSERT_EQ(my_Win_setftime(path.c_str(), nullptr, nullptr, &write, TRUE), 0);
    FILETIME got{};
    ASSERT_EQ(my_Dos_getftime(path.c_str(), &got, nullptr), 0);
    EXPECT_EQ(as_number(got), as_number(write));
    FILETIME utc = local_time_of(2011, 1, 1, 0, 0, 0);
    ASSERT_EQ(my_Win_setftime(path.c_str(), nullptr, nullptr, &utc, FALSE), 0);
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(as_number(data.ftLastWriteTime), as_number(utc));
}

TEST(DosTimes, FailuresGiveErrorNumbers) {
    TempFolder tmp;
    FILETIME t{};
    EXPECT_EQ(my_Dos_getftime((tmp / "none").c_str(), &t, nullptr), 2);
    EXPECT_EQ(my_Dos_getftime((tmp / "none").c_str(), nullptr, nullptr), 22);
    EXPECT_EQ(my_Dos_setftime((tmp / "none").c_str(), 0, 0), 2);
    EXPECT_EQ(my_Dos_getftime(nullptr, &t, nullptr), 22);
    EXPECT_EQ(my_Dos_getftime("", &t, nullptr), 2);
    EXPECT_EQ(my_Dos_getftime0(INVALID_HANDLE_VALUE, &t), 9);
    EXPECT_EQ(my_Dos_setftime0(nullptr, 0, 0), 9);
    EXPECT_EQ(my_Dos_setftime("\\:\\Workgroup\\pc\\share\\f.txt", 0, 0), 0) << "no file-system name";
}

// ---- Attributes
TEST(DosAttributes, ZeroIsWrittenAsNormal) {
    TempFolder tmp;
    std::string path = tmp.file(sjis("ソ.txt"), "x");
    ASSERT_EQ(my_Dos_setfileattr(path.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN), 0);
    DWORD attributes = 0;
    ASSERT_EQ(my_Dos_getfileattr(path.c_str(), &attributes), 0);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_HIDDEN);
    ASSERT_EQ(my_Dos_setfileattr(path.c_str(), 0), 0);
    ASSERT_EQ(my_Dos_getfileattr(path.c_str(), &attributes), 0);
    EXPECT_FALSE(attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN)) << std::hex << attributes;
}

TEST(DosAttributes, MissingPathIsLeftAloneWithZero) {
    TempFolder tmp;
    Set_nERRNO(1234);
    EXPECT_EQ(my_Dos_setfileattr((tmp / "none.txt").c_str(), FILE_ATTRIBUTE_READONLY), 0);
    EXPECT_FALSE(ferro_test::exists(tmp / "none.txt"));
    DWORD attributes = 0;
    EXPECT_EQ(my_Dos_getfileattr((tmp / "none.txt").c_str(), &attributes), 2);
    EXPECT_EQ(attributes, DWORD(-1));
    EXPECT_EQ(my_Dos_getfileattr(tmp.path().c_str(), nullptr), 22);
}

TEST(DosAttributes, NetworkPathWithoutFileSystemNameIsAFolder) {
    DWORD attributes = 0;
    EXPECT_EQ(my_Dos_getfileattr("\\:\\Workgroup\\pc", &attributes), 0);
    EXPECT_EQ(attributes, DWORD(FILE_ATTRIBUTE_DIRECTORY));
}

TEST(DosAttributes, IsDirectoryAttributeKeepsQuotesAndError) {
    TempFolder tmp;
    tmp.folder("a folder");
    std::string file = tmp.file(sjis("表.txt"));
    char quoted[520];
    std::string with_marks = tmp / "a folder";
    with_marks.insert(0, 1, '"').push_back('"');
    lstrcpyA(quoted, with_marks.c_str());
    std::string before = quoted;
    Set_nERRNO(777);
    EXPECT_EQ(IsDirectoryAttribute(quoted), 4);
    EXPECT_EQ(std::string(quoted), before);
    EXPECT_EQ(Get_nERRNO(), 777u);
    char plain[520];
    lstrcpyA(plain, file.c_str());
    EXPECT_EQ(IsDirectoryAttribute(plain), 2);
    lstrcpyA(plain, (tmp / "none").c_str());
    EXPECT_EQ(IsDirectoryAttribute(plain), 1);
    EXPECT_EQ(Get_nERRNO(), 777u);
    EXPECT_EQ(IsDirectoryAttribute(nullptr), 1);
    GuardedBuffer over(521);
    over.assign("C:\\" + std::string(517, 'b'));
    EXPECT_EQ(IsDirectoryAttribute(over), 1);
}

// ---- System clock
TEST(DosClock, ReadsTheLocalTime) {
    DosDate date{};
    DosTime time{};
    ASSERT_EQ(my_Dos_gettime(&date, &time), 0);
    SYSTEMTIME now;
    GetLocalTime(&now);
    EXPECT_EQ(date.year, now.wYear);
    EXPECT_GE(date.month, 1);
    EXPECT_LE(date.month, 12);
    EXPECT_LT(time.hour, 24);
    EXPECT_EQ(my_Dos_gettime(nullptr, &time), 0);
    EXPECT_EQ(my_Dos_gettime(nullptr, nullptr), 22);
}
