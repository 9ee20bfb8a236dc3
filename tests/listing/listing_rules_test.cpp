// Limits, sizes in allocation units, the file-data record, the default file
// specifications and the rules that decide which of two file times is newer.
#include <gtest/gtest.h>
#include "support/guarded_buffer.h"
#include <functional>
#include <windows.h>
#include <cstring>
#include "fs/drives.h"
#include "listing/listing_store.h"
#include "support/message_box_recorder.h"

namespace {
// ---- Limits

TEST(ListingLimits, MaximumsNeverFallBelowTheirInitialValues) {
    struct Row { LONG set, files, dirs; };
    // The largest maximum returns at once, as the most files the store serves.
    const Row rows[] = {{100, 30000, 10000}, {0, 30000, 10000}, {-5, 30000, 10000}, {10001, 30000, 10001},
                        {30000, 30000, 30000}, {30001, 30001, 30001}, {2147483647, 4194303, 2147483647},
                        {40000, 40000, 40000}};
    for (const Row& r : rows) {
        EXPECT_EQ(r.files, SetMaxFileNumber(r.set)) << r.set;
        EXPECT_EQ(r.files, GetMaxFileNumber());
        EXPECT_EQ(r.dirs, SetMaxDirNumber(r.set)) << r.set;
        EXPECT_EQ(r.dirs, GetMaxDirNumber());
    }
    // A raised maximum gives every file column room for it.
    EXPECT_EQ(7u, SetFsize(7, 0, 39999));
    EXPECT_EQ(7u, GetFsize(39999));
    EXPECT_EQ(0u, GetFsize(40001));
    EXPECT_EQ(0u, SetFsize(7, 0, 40001));
    EXPECT_EQ(0u, SetFsize(7, 0, 2147483647));
    SetMaxFileNumber(0);
    SetMaxDirNumber(0);
}

// ---- Sizes in allocation units

TEST(ListingSizes, UnitSize) {
    struct Row { DWORD low, high, unit; ULONGLONG expected; };
    const Row rows[] = {
        {1, 0, 4096, 4096}, {4096, 0, 4096, 4096}, {4097, 0, 4096, 8192}, {0, 0, 4096, 0},
        {12345, 0, 0, 12345}, {0xffffffff, 0, 512, 0x100000000ull}, {1, 1, 4096, 0x100001000ull},
    };
    for (const Row& r : rows) EXPECT_EQ(r.expected, UNITFSIZE(r.low, r.high, r.unit)) << r.low << "/" << r.unit;
}

TEST(ListingSizes, DiskOfTheTemporaryFolder) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const DWORD cluster = FreeInDisk(temp);
    EXPECT_EQ(cluster, GetBytePerSector());
    EXPECT_GT(GetTotalDiskSize(), 0u);
    EXPECT_LE(GetAvailableDiskSize(), GetTotalDiskSize());
}

// ---- Display names

// ---- File specifications

TEST(ListingSpecs, DefaultsFillBothPanes) {
    const char* expected[] = {"*.com", "*.exe", "*.doc", "*.txt", "*.ini", "*.bmp", "*.h", "*.c", "*.*", ""};
    ASSERT_EQ(1, SetDefaultFileSpec());
    for (LONG pane : {0, 1}) {
        EXPECT_EQ(9, GetFileSpecNumber(pane));
        for (int i = 0; i < 10; ++i) {
            HGLOBAL block = GetFileSpecHandle(i, pane);
            ASSERT_NE(nullptr, block);
            EXPECT_STREQ(expected[i], static_cast<const char*>(GlobalLock(block)));
            GlobalUnlock(block);
        }
        EXPECT_EQ(nullptr, GetFileSpecHandle(10, pane));
        EXPECT_EQ(GetFileSpecHandle(3, pane), GetFileSpecHandleAddress(pane)[3]);
    }
    EXPECT_EQ(1, SaveAllFileSpec(nullptr, 2, "*.cpp"));
    EXPECT_EQ(0, SaveAllFileSpec(nullptr, 100, "*.cpp"));
    EXPECT_EQ(nullptr, GetFileSpecHandle(101, 0));
    FreeFileSpecMemory();
    EXPECT_EQ(nullptr, GetFileSpecHandle(0, 0));
}

// ---- The file-data record

TEST(ListingFileData, RecordIsStoredInA588ByteBlock) {
    FileDataRecord r = {};
    r.words[0] = 7;
    lstrcpyA(r.field1, "abc");
    lstrcpyA(r.field2, "def");
    lstrcpyA(r.field6, "last");
    HGLOBAL block = SaveToGlobalFdata(nullptr, nullptr, r);
    ASSERT_NE(nullptr, block);
    EXPECT_EQ(588u, GlobalSize(block));
    const char* p = static_cast<const char*>(GlobalLock(block));
    EXPECT_EQ(7u, *reinterpret_cast<const DWORD*>(p));
    EXPECT_STREQ("abc", p + 16);
    EXPECT_STREQ("def", p + 22);
    EXPECT_STREQ("last", p + 328);
    GlobalUnlock(block);
    // An empty first field empties the first four.
    r.field1[0] = '\0';
    lstrcpyA(r.field4, "gone");
    EXPECT_EQ(block, SaveToGlobalFdata(nullptr, block, r));
    p = static_cast<const char*>(GlobalLock(block));
    EXPECT_STREQ("", p + 22);
    EXPECT_STREQ("", p + 42);
    EXPECT_STREQ("last", p + 328);
    GlobalUnlock(block);
    GlobalFree(block);
}

// ---- Newer of two times: the two-second rule between FAT and NTFS

ULONGLONG utc_of_local(WORD minute, WORD second) {
    SYSTEMTIME st = {2020, 5, 2, 5, 10, minute, second, 0};
    FILETIME local, utc;
    SystemTimeToFileTime(&st, &local);
    LocalFileTimeToFileTime(&local, &utc);
    return (ULONGLONG(utc.dwHighDateTime) << 32) | utc.dwLowDateTime;
}

TEST(ListingNewer, TwoSecondRuleTable) {
    SetTypeOfFileSystem('M', "FAT");
    SetTypeOfFileSystem('N', "NTFS");
    struct Row { const char *first, *second; WORD m1, s1, m2, s2; LONG result, identical; };
    const Row rows[] = {
        {"M:\\a", "N:\\a", 20, 30, 20, 30, 0, 1},    // equal
        {"M:\\a", "N:\\a", 20, 31, 20, 30, 0, -1},   // one second later on FAT
        {"M:\\a", "N:\\a", 20, 32, 20, 30, 0, -1},   // two seconds later
        {"M:\\a", "N:\\a", 20, 33, 20, 30, 1, 0},    // three seconds later: newer
        {"M:\\a", "N:\\a", 20, 0, 20, 59, 0, -1},    // earlier within the minute
        {"M:\\a", "N:\\a", 21, 0, 20, 59, 1, 0},     // another minute
        {"M:\\a", "N:\\a", 19, 59, 20, 0, 0, 0},
        {"N:\\a", "M:\\a", 20, 31, 20, 30, 1, 0},    // NTFS first: no rule
        {"N:\\a", "N:\\b", 20, 31, 20, 30, 1, 0},
        {"M:\\a", "M:\\b", 20, 31, 20, 30, 1, 0},    // both FAT
        {"a", "N:\\a", 20, 31, 20, 30, 1, 0},        // no yen mark
    };
    for (const Row& r : rows) {
        const ULONGLONG t1 = utc_of_local(r.m1, r.s1), t2 = utc_of_local(r.m2, r.s2);
        EXPECT_EQ(r.result, IsFirstTimeNewerThanSecondTime(r.first, r.second, DWORD(t1), DWORD(t1 >> 32),
                                                           DWORD(t2), DWORD(t2 >> 32)))
            << r.first << " " << r.m1 << ":" << r.s1 << " vs " << r.second << " " << r.m2 << ":" << r.s2;
        EXPECT_EQ(r.identical, IsCmpDateIdentical()) << r.m1 << ":" << r.s1;
    }
    SetTypeOfFileSystem('M', "");
    SetTypeOfFileSystem('N', "");
}

TEST(ListingNewer, FindRecords) {
    WIN32_FIND_DATAA a = {}, b = {};
    EXPECT_EQ(-1, IsFirstFileNewerThanSecondFile(&a, &b));
    lstrcpyA(b.cFileName, "b");
    EXPECT_EQ(0, IsFirstFileNewerThanSecondFile(&a, &b));
    EXPECT_EQ(1, IsFirstFileNewerThanSecondFile(&b, &a));
    lstrcpyA(a.cFileName, "a");
    a.ftLastWriteTime.dwLowDateTime = 10;
    EXPECT_EQ(1, IsFirstFileNewerThanSecondFile(&a, &b));
    EXPECT_EQ(0, IsFirstFileNewerThanSecondFile(&b, &a));
    EXPECT_EQ(-1, pFirstFileIsNewerThanSecondFile("C:\\no\\such\\file", "C:\\no\\other"));
}

// ---- Packed DOS dates and times

TEST(ListingDosWords, PackingAndComparison) {
    EXPECT_EQ((45 << 9) | (5 << 5) | 7, GetBitDate(2025, 5, 7));
    EXPECT_EQ((13 << 11) | (14 << 5) | 15, GetBitTime(13, 14, 15));
    const WORD d = GetBitDate(2025, 5, 7), d2 = GetBitDate(2025, 5, 8);
    const WORD t = GetBitTime(10, 0, 0), t2 = GetBitTime(10, 0, 1);  // 2 seconds later
    struct Row { WORD d1, t1, d2, t2; LONG tolerance, result, identical; };
    const Row rows[] = {
        {d, t, d2, t, 0, -1, 0}, {d2, t, d, t2, 0, 1, 0}, {d, t2, d, t, 0, 1, 0}, {d, t2, d, t, 2, -1, 0},
        {d, t2, d, t, 1, 1, 0},  {d, t, d, t, 0, 0, 1},   {d, t, d, t2, 0, -1, 0},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(r.result, pWordValueIsNewer(r.d1, r.t1, r.d2, r.t2, r.tolerance));
        EXPECT_EQ(r.identical, IsCmpDateIdentical());
    }
    EXPECT_EQ(-2, pSrcFileIsNewer("C:\\no\\such\\file", d, t, 0));
}

TEST(ListingDosWords, DateTimeTexts) {
    FILETIME ft;
    ASSERT_EQ(1, GetUnsignedDateTime("2021/03/04", "05:06:07", &ft));
    SYSTEMTIME st;
    FileTimeToSystemTime(&ft, &st);
    EXPECT_EQ(2021, st.wYear);
    EXPECT_EQ(3, st.wMonth);
    EXPECT_EQ(4, st.wDay);
    EXPECT_EQ(5, st.wHour);
    EXPECT_EQ(6, st.wMinute);
    EXPECT_EQ(7, st.wSecond);
    EXPECT_EQ(0, GetUnsignedDateTime("2021/13/04", "05:06:07", &ft));
    EXPECT_EQ(0u, ft.dwLowDateTime | ft.dwHighDateTime);
    EXPECT_EQ(0, GetUnsignedDateTime(nullptr, nullptr, &ft));
    EXPECT_EQ(0, GetUnsignedDateTime("2021/1/1", "0:0:0", nullptr));
}
}  // namespace

namespace {
// ---- Dates as display text

TEST(ListingDateText, ColumnFormFromEveryKindOfTime) {
    SYSTEMTIME t = {2009, 3, 0, 7, 14, 5, 59, 0};
    FILETIME ft;
    ASSERT_TRUE(SystemTimeToFileTime(&t, &ft));
    struct Row { const char* what; std::function<LPSTR(LPSTR)> format; const char* expected; } rows[] = {
        {"file time", [&](LPSTR o) { return myFileDate(o, ft.dwLowDateTime, ft.dwHighDateTime); }, "09-03-07 14:05"},
        {"DOS words", [](LPSTR o) { return myFileDateFromDosDateTime(o, GetBitDate(2009, 3, 7), GetBitTime(14, 5, 29)); },
         "09-03-07 14:05"},
        {"both words", [](LPSTR o) { return myFileDateFromMyDateTime(o, MAKELONG(GetBitTime(23, 59, 0), GetBitDate(2107, 12, 31))); },
         "07-12-31 23:59"},
        {"month 0", [](LPSTR o) { return myFileDateFromDosDateTime(o, GetBitDate(2009, 0, 7), 0); }, ""},
        {"day 0", [](LPSTR o) { return myFileDateFromDosDateTime(o, GetBitDate(2009, 1, 0), 0); }, ""},
        {"hour 24", [](LPSTR o) { return myFileDateFromDosDateTime(o, GetBitDate(2009, 1, 1), GetBitTime(24, 0, 0)); }, ""},
        {"not a time", [](LPSTR o) { return myFileDate(o, 0xffffffff, 0xffffffff); }, ""},
    };
    for (const Row& row : rows) {
        ferro_test::GuardedBuffer out(15);  // the column form fills all 15 bytes
        std::memset(out.data(), '#', 15);
        EXPECT_EQ(out.data(), row.format(out.data())) << row.what;
        EXPECT_STREQ(row.expected, out.data()) << row.what;
    }
    EXPECT_EQ(nullptr, myFileDate(nullptr, 0, 0));
    EXPECT_EQ(nullptr, myFileDateFromMyDateTime(nullptr, 0));
}

TEST(ListingDateText, LongFormIsLocalTime) {
    SYSTEMTIME local = {2026, 12, 0, 6, 23, 4, 5, 0};
    FILETIME local_ft, utc;
    ASSERT_TRUE(SystemTimeToFileTime(&local, &local_ft));
    ASSERT_TRUE(LocalFileTimeToFileTime(&local_ft, &utc));
    ferro_test::GuardedBuffer out(20);
    EXPECT_STREQ("2026-12-06 23:04:05", GetDateTimeString(out.data(), utc.dwLowDateTime, utc.dwHighDateTime));
    EXPECT_STREQ("", GetDateTimeString(out.data(), 0xffffffff, 0xffffffff));
}

// ---- The pane's combo box of specifications

TEST(ListingSpecs, ComboBoxAddAndDelete) {
    ASSERT_EQ(1, SetDefaultFileSpec());
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HWND combo = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | CBS_DROPDOWNLIST, 0, 0, 10, 100, parent,
                                 HMENU(77), nullptr, nullptr);
    ASSERT_NE(nullptr, combo);
    for (const char* s : {"*.com", "*.exe", "*.doc", "*.txt", "*.ini", "*.bmp", "*.h", "*.c", "*.*"})
        SendMessageA(combo, CB_ADDSTRING, 0, LPARAM(s));
    EXPECT_EQ(0, AddToCurrentSpec(parent, "*.txt", 77, 4));  // already there
    EXPECT_EQ(1, AddToCurrentSpec(parent, "*.cpp", 77, 4));
    const LONG at = LONG(SendMessageA(combo, CB_GETCURSEL, 0, 0));
    EXPECT_EQ(at, GetFileSpecNumber(1));
    EXPECT_STREQ("*.cpp", static_cast<const char*>(GlobalLock(GetFileSpecHandle(at, 1))));
    GlobalUnlock(GetFileSpecHandle(at, 1));
    EXPECT_STREQ("", static_cast<const char*>(GlobalLock(GetFileSpecHandle(10, 1))));
    GlobalUnlock(GetFileSpecHandle(10, 1));
    EXPECT_NE(0, IsFileSpecChanged() & 2);
    EXPECT_EQ(1, DeleteFromCurrentSpec(parent, 77, 4));
    EXPECT_EQ(9, SendMessageA(combo, CB_GETCOUNT, 0, 0));
    EXPECT_EQ(CB_ERR, SendMessageA(combo, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM("*.cpp")));
    EXPECT_EQ(0, AddToCurrentSpec(parent, "*.x", 99, 0));  // no such control
    EXPECT_EQ(0, AddToCurrentSpec(nullptr, "*.x", 77, 0));
    DestroyWindow(parent);
    FreeFileSpecMemory();
}

// ---- Volume names

TEST(ListingVolume, NoNameGivesTheNoVolumeText) {
    char buffer[32] = "prefilled";
    EXPECT_EQ(4, FindEachVolumeName("", buffer, sizeof buffer));
    EXPECT_STREQ("???", buffer);
    EXPECT_EQ(4, FindEachVolumeName(nullptr, buffer, sizeof buffer));
    EXPECT_EQ(4, FindEachVolumeName("Q:\\no-such-drive", buffer, sizeof buffer));
    EXPECT_STREQ("???", buffer);
    EXPECT_EQ(0, FindEachVolumeName("C:", nullptr, 0));
}
}  // namespace
