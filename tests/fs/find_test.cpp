#include <gtest/gtest.h>
#include <windows.h>
#include <cerrno>
#include <cstring>
#include <set>
#include <string>
#include "fs/dos_find.h"
#include "frame/error_state.h"
#include "support/sjis.h"
#include "support/temp_folder.h"

using ferro_test::sjis;
using ferro_test::TempFolder;

namespace {
// Every name a full listing returns, "." and ".." left out.
std::multiset<std::string> list_all(const std::string& pattern, HANDLE* last_handle = nullptr) {
    std::multiset<std::string> names;
    HANDLE h = reinterpret_cast<HANDLE>(0x1234);  // whatever the caller had
    WIN32_FIND_DATAA record;
    for (int r = my_Dos_findfirst(&h, pattern.c_str(), &record); r == 0; r = my_Dos_findnext(&h, &record)) {
        std::string name = record.cFileName;
        if (name != "." && name != "..") names.insert(name);
    }
    if (last_handle) *last_handle = h;
    return names;
}
}  // namespace

// ---- Searches that find nothing
TEST(DosFind, EmptyFolderAnswersTwoAndLeavesTheHandleZero) {
    TempFolder tmp;
    tmp.folder("empty");
    HANDLE h = reinterpret_cast<HANDLE>(0x1234);
    WIN32_FIND_DATAA record;
    EXPECT_EQ(my_Dos_findfirst(&h, (tmp / "empty\\*.txt").c_str(), &record), 2);
    EXPECT_EQ(h, nullptr);
    EXPECT_EQ(Get_errno(), 2);
    EXPECT_EQ(Is_my_Dos_findfirst_withnet_done(), 0);
}

TEST(DosFind, MissingFolderAnswersTwoAndLeavesTheHandleZero) {
    TempFolder tmp;
    HANDLE h = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAA record;
    EXPECT_EQ(my_Dos_findfirst(&h, (tmp / "missing\\*").c_str(), &record), 2);
    EXPECT_EQ(h, nullptr);
}

// ---- A full listing
TEST(DosFind, ThousandEntriesAreFoundOnceAndTheEndIsQuiet) {
    TempFolder tmp;
    for (int i = 0; i < 1000; ++i) tmp.file("many\\f" + std::to_string(i) + ".dat");
    HANDLE h = nullptr;
    auto names = list_all(tmp / "many\\*", &h);
    EXPECT_EQ(names.size(), 1000u);
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), 1000u) << "no name twice";
    EXPECT_EQ(h, nullptr) << "the search closed itself";
    EXPECT_EQ(Get_errno(), 0) << "the end is no error";
    EXPECT_EQ(Get_nERRNO(), DWORD(ERROR_NO_MORE_FILES));

    // A further call answers 1 and asks nothing of the system.
    Set_nERRNO(4321);
    Set_errno(77);
    WIN32_FIND_DATAA record;
    EXPECT_EQ(my_Dos_findnext(&h, &record), 1);
    EXPECT_EQ(h, nullptr);
    EXPECT_EQ(Get_nERRNO(), 4321u);
    EXPECT_EQ(Get_errno(), 77);
}

TEST(DosFind, InvalidHandleIsNeverLeftBehind) {
    HANDLE h = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAA record;
    EXPECT_EQ(my_Dos_findnext(&h, &record), 1);
    EXPECT_EQ(h, nullptr);
    EXPECT_EQ(my_Dos_findnext(nullptr, &record), 1);
}

TEST(DosFind, CloseZeroesTheHandle) {
    TempFolder tmp;
    tmp.file("a.txt");
    tmp.file("b.txt");
    HANDLE h = nullptr;
    WIN32_FIND_DATAA record;
    ASSERT_EQ(my_Dos_findfirst(&h, (tmp / "*.txt").c_str(), &record), 0);
    EXPECT_NE(h, nullptr);
    EXPECT_TRUE(Close_my_Dos_find(&h));
    EXPECT_EQ(h, nullptr);
    EXPECT_FALSE(Close_my_Dos_find(&h)) << "nothing left to close";
    h = INVALID_HANDLE_VALUE;
    EXPECT_FALSE(Close_my_Dos_find(&h));
    EXPECT_EQ(h, nullptr);
    EXPECT_FALSE(Close_my_Dos_find(nullptr));
}

// ---- Names
TEST(DosFind, DoubleByteNamesWithYenTrailBytes) {
    TempFolder tmp;
    std::string folder = sjis("表ソ能");
    std::string file = sjis("能力表.txt");
    tmp.file(folder + "\\" + file, "x");
    auto names = list_all(tmp / (folder + "\\*"));
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(*names.begin(), file);
    WIN32_FIND_DATAA record;
    EXPECT_EQ(myFindFileAProperty((tmp / (folder + "\\" + file)).c_str(), &record), 0);
    EXPECT_EQ(std::string(record.cFileName), file);
    EXPECT_EQ(GetOurUlargeIntergerSize(&record), 1u);
}

TEST(DosFind, UnrepresentableCharactersBecomeUnderscores) {
    TempFolder tmp;
    int wide_len = MultiByteToWideChar(932, 0, tmp.path().c_str(), -1, nullptr, 0);
    std::wstring folder(wide_len - 1, L'\0');
    MultiByteToWideChar(932, 0, tmp.path().c_str(), -1, folder.data(), wide_len);
    for (const wchar_t* name : {L"caf\u00e9\u0101.txt", L"smile\U0001F600.txt"}) {
        HANDLE f = CreateFileW((folder + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(f, INVALID_HANDLE_VALUE);
        CloseHandle(f);
    }
    auto names = list_all(tmp / "*");
    ASSERT_EQ(names.size(), 2u);
    for (const std::string& name : names) {
        EXPECT_EQ(name.find('?'), std::string::npos) << name;
        EXPECT_EQ(name.substr(name.size() - 4), ".txt");
    }
    EXPECT_TRUE(names.count("smile__.txt") || names.count("smile_.txt")) << *names.rbegin();
}

TEST(DosFind, QuestionMarkAfterALeadByteIsNotReplaced) {
    // Only single-byte question marks stand for unrepresentable characters;
    // a name with none keeps every byte.
    TempFolder tmp;
    std::string name = sjis("ソース.txt");
    tmp.file(name);
    auto names = list_all(tmp / "*");
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(*names.begin(), name);
}

// ---- Records
TEST(DosFind, RecordHelpers) {
    WIN32_FIND_DATAA record{};
    record.nFileSizeHigh = 1;
    record.nFileSizeLow = 5;
    EXPECT_EQ(GetOurUlargeIntergerSize(&record), 0x100000005ull);
    EXPECT_EQ(GetOurUlargeIntergerSize(nullptr), 0u);
    SYSTEMTIME st{2020, 6, 0, 15, 12, 30, 0, 0};
    SystemTimeToFileTime(&st, &record.ftLastWriteTime);
    FILETIME local;
    FileTimeToLocalFileTime(&record.ftLastWriteTime, &local);
    EXPECT_EQ(GetOurFileTime(&record), (ULONGLONG(local.dwHighDateTime) << 32) | local.dwLowDateTime);
}

TEST(DosFind, PropertyOfAMissingPathIsZeroedAndFails) {
    TempFolder tmp;
    WIN32_FIND_DATAA record;
    std::memset(&record, 0x55, sizeof record);
    EXPECT_EQ(myFindFileAProperty((tmp / "nothing.txt").c_str(), &record), 2);
    EXPECT_EQ(record.cFileName[0], '\0');
    EXPECT_EQ(record.dwFileAttributes, 0u);
}

// ---- Network paths
TEST(DosFind, BrowsingNetworkPathWithoutFileSystemName) {
    HANDLE h = reinterpret_cast<HANDLE>(0x99);
    WIN32_FIND_DATAA record;
    EXPECT_NE(my_Dos_findfirst(&h, "\\:\\Workgroup\\*", &record), 0);
    EXPECT_EQ(h, nullptr);
    EXPECT_EQ(Is_my_Dos_findfirst_withnet_done(), -2);
    EXPECT_EQ(my_Dos_findnext(&h, &record), 1) << "no plain search after a failed network one";
    Set_my_Dos_findfirst_withnet_done(0);
}
