#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "fs/dos_files.h"
#include "fs/dos_names.h"
#include "frame/error_state.h"
#include "fs/kernel_lookup.h"
#include "support/guarded_buffer.h"
#include "support/sjis.h"
#include "support/temp_folder.h"

using ferro_test::GuardedBuffer;
using ferro_test::sjis;
using ferro_test::TempFolder;

// ---- Open, write, read, close
TEST(DosFiles, WriteThenReadBackWithDoubleByteNames) {
    TempFolder tmp;
    tmp.folder(sjis("表"));
    std::string path = tmp / (sjis("表\\ソ能 long name.txt"));
    HANDLE h = myOpenForWriteAlways(("\"" + path + "\"").c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(my_lWrite(h, "hello", 5), 5);
    EXPECT_EQ(Get_errno(), 0);
    EXPECT_EQ(myTell(h), 5);
    EXPECT_EQ(GetFileLengthFromHandle(h), 5);
    EXPECT_EQ(myClose(h), 0);

    h = myOpen(path.c_str(), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    char buffer[16] = {};
    EXPECT_EQ(my_lRead(h, buffer, sizeof buffer), 5);
    EXPECT_STREQ(buffer, "hello");
    EXPECT_EQ(my_lRead(h, buffer, sizeof buffer), 0) << "end of file";
    my_llSeek(h, 1, 0, 0);
    EXPECT_EQ(Get_errno(), 0);
    EXPECT_EQ(my_lRead(h, buffer, 2), 2);
    EXPECT_EQ(std::string(buffer, 2), "el");
    my_llSeek(h, -1, -1, 2);
    EXPECT_EQ(myTell(h), 4);
    EXPECT_EQ(myClose(h), 0);
}

TEST(DosFiles, MissingFileGivesInvalidHandleAndErrno2) {
    TempFolder tmp;
    HANDLE h = myOpen((tmp / "missing.txt").c_str(), GENERIC_READ, 0, OPEN_EXISTING, 0);
    EXPECT_EQ(h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Get_nERRNO(), DWORD(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(Get_errno(), 2);
}

TEST(DosFiles, AttributesMinusOneKeepTheFilesOwn) {
    TempFolder tmp;
    std::string path = tmp.file("hidden.txt", "x");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
    HANDLE h = myOpen(path.c_str(), GENERIC_WRITE, 0, CREATE_ALWAYS, DWORD(-1));
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    myClose(h);
    EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    // A new file: the attributes cannot be read, normal is used.
    h = myOpen((tmp / "new.txt").c_str(), GENERIC_WRITE, 0, CREATE_NEW, DWORD(-1));
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    myClose(h);
    EXPECT_EQ(Get_errno(), 0);
}

// ---- Sharing
TEST(DosFiles, SharingViolationIsNotRetriedWithTheShortName) {
    TempFolder tmp;
    std::string path = tmp.file("a file with a long name.txt", "x");
    HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    HANDLE h = myOpen(path.c_str(), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, 0);
    EXPECT_EQ(h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Get_nERRNO(), DWORD(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(Get_errno(), 22);
    // The retry rule itself: a sharing or lock violation never gives a short form.
    GuardedBuffer buffer(520, 'z');
    for (DWORD error : {DWORD(ERROR_SHARING_VIOLATION), DWORD(ERROR_LOCK_VIOLATION)}) {
        Set_nERRNO(error);
        SetLastError(error);
        EXPECT_FALSE(GetShortNameVersion(buffer, path.c_str()));
        EXPECT_EQ(buffer.data()[0], 'z') << "buffer untouched";
    }
    CloseHandle(holder);
}

// ---- Bad handles
TEST(DosFiles, BadHandlesGiveStatedResults) {
    for (HANDLE bad : {HANDLE(nullptr), INVALID_HANDLE_VALUE}) {
        char buffer[4];
        EXPECT_EQ(my_lRead(bad, buffer, 4), -1);
        EXPECT_EQ(Get_errno(), 9);
        EXPECT_EQ(my_lWrite(bad, "ab", 2), -1);
        EXPECT_EQ(myClose(bad), -1);
        EXPECT_EQ(Get_nERRNO(), DWORD(ERROR_INVALID_HANDLE));
        EXPECT_EQ(myTell(bad), -1);
        EXPECT_EQ(GetFileLengthFromHandle(bad), -1);
        Set_errno(0);
        my_llSeek(bad, 0, 0, 0);
        EXPECT_EQ(Get_errno(), 9);
    }
}

TEST(DosFiles, NullBufferIsRefused) {
    TempFolder tmp;
    HANDLE h = myOpenForWriteAlways((tmp / "n.txt").c_str(), 0);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(my_lWrite(h, nullptr, 3), -1);
    EXPECT_EQ(my_lRead(h, nullptr, 3), -1);
    EXPECT_EQ(Get_errno(), 22);
    EXPECT_EQ(my_lWrite(h, nullptr, 0), 0);
    myClose(h);
}

// ---- Bad paths
TEST(DosFiles, BadPathsGiveInvalidHandle) {
    EXPECT_EQ(myOpen(nullptr, GENERIC_READ, 0, OPEN_EXISTING, 0), INVALID_HANDLE_VALUE);
    EXPECT_EQ(Get_errno(), 22);
    EXPECT_EQ(myOpen("", GENERIC_READ, 0, OPEN_EXISTING, 0), INVALID_HANDLE_VALUE);
    EXPECT_EQ(Get_errno(), 2);
    EXPECT_EQ(myOpen("\"\"", GENERIC_READ, 0, OPEN_EXISTING, 0), INVALID_HANDLE_VALUE);

    GuardedBuffer full(520);
    full.assign("C:\\" + std::string(516, 'a'));  // 519 bytes of text
    EXPECT_EQ(myOpen(full, GENERIC_READ, 0, OPEN_EXISTING, 0), INVALID_HANDLE_VALUE);
    EXPECT_NE(Get_errno(), 0);
    GuardedBuffer over(521);
    over.assign("C:\\" + std::string(517, 'a'));  // 520 bytes of text
    EXPECT_EQ(myOpen(over, GENERIC_READ, 0, OPEN_EXISTING, 0), INVALID_HANDLE_VALUE);
    EXPECT_EQ(Get_nERRNO(), DWORD(ERROR_FILENAME_EXCED_RANGE));
}

// ---- 64-bit sizes and positions
TEST(DosFiles, PositionsAndSizesBeyondFourGigabytes) {
    TempFolder tmp;
    HANDLE h = myOpenForWriteAlways((tmp / "big.bin").c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    my_llSeek(h, 0x10, 1, 0);  // 4 GiB + 16
    ASSERT_EQ(Get_errno(), 0);
    EXPECT_EQ(myTell(h), 0x100000010LL);
    ASSERT_EQ(my_lWrite(h, "z", 1), 1);
    EXPECT_EQ(GetFileLengthFromHandle(h), 0x100000011LL);
    my_llSeek(h, 0x7FFFFFFF, 0, 0);
    EXPECT_EQ(myTell(h), 0x7FFFFFFFLL);
    my_llSeek(h, -2, -1, 1);  // backwards from the current position
    EXPECT_EQ(myTell(h), 0x7FFFFFFDLL);
    myClose(h);
}

struct FallbackRow { LONG low, high; DWORD origin; LONGLONG expected; };

class SeekFallback : public testing::TestWithParam<FallbackRow> {};

TEST_P(SeekFallback, MovesAsTheThirtyTwoBitCallCan) {
    TempFolder tmp;
    std::string path = tmp.file("f.bin", std::string(100, 'x'));
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    ferro::fs::Kernel64 none;
    LONGLONG to = -5;
    ASSERT_TRUE(ferro::fs::seek_file(none, h, GetParam().low, GetParam().high, GetParam().origin, &to));
    EXPECT_EQ(to, GetParam().expected);
    LONGLONG at = -5;
    ASSERT_TRUE(ferro::fs::file_position(none, h, &at));
    EXPECT_EQ(at, GetParam().expected);
    LONGLONG size = 0;
    ASSERT_TRUE(ferro::fs::file_size(none, h, &size));
    EXPECT_EQ(size, 100);
    CloseHandle(h);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SeekFallback,
    testing::Values(FallbackRow{0, 1, FILE_BEGIN, 0x7FFFFFFE},           // high part 1
                    FallbackRow{0x7FFFFFFF, 0, FILE_BEGIN, 0x7FFFFFFE},  // exact limit
                    FallbackRow{0x7FFFFFFE, 0, FILE_BEGIN, 0x7FFFFFFE},  // limit - 1
                    FallbackRow{LONG(0x80000000), 0, FILE_BEGIN, 0x7FFFFFFE},
                    FallbackRow{40, 0, FILE_BEGIN, 40},
                    FallbackRow{-10, -1, FILE_END, 90},  // a negative distance stays negative
                    FallbackRow{0, 0, FILE_END, 100}));

TEST(KernelLookup, FallbackSizeOfALargeFileKeepsTheHighPart) {
    TempFolder tmp;
    HANDLE h = CreateFileA((tmp / "big.bin").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                           nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    LONG high = 1;
    SetFilePointer(h, 4, &high, FILE_BEGIN);
    DWORD written;
    ASSERT_TRUE(WriteFile(h, "q", 1, &written, nullptr));
    ferro::fs::Kernel64 none;
    LONGLONG size = 0, at = 0;
    ASSERT_TRUE(ferro::fs::file_size(none, h, &size));
    EXPECT_EQ(size, 0x100000005LL);
    ASSERT_TRUE(ferro::fs::file_position(none, h, &at));
    EXPECT_EQ(at, 0x100000005LL);
    ULONGLONG sizes[3] = {1, 2, 3};
    EXPECT_FALSE(ferro::fs::disk_free_space_ex(none, "C:\\", sizes));
    CloseHandle(h);
}
