#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "fs/dos_files.h"
#include "fs/dos_names.h"
#include "frame/error_state.h"
#include "support/guarded_buffer.h"
#include "support/sjis.h"
#include "support/temp_folder.h"

using ferro_test::exists;
using ferro_test::GuardedBuffer;
using ferro_test::sjis;
using ferro_test::TempFolder;

// ---- Remove
TEST(DosRemove, RemovesFilesWithDoubleByteNames) {
    TempFolder tmp;
    std::string path = tmp.file(sjis("表\\ソ能.txt"), "x");
    EXPECT_EQ(WinRemove(("\"" + path + "\"").c_str()), 0);
    EXPECT_FALSE(exists(path));
    EXPECT_EQ(Get_errno(), 0);
}

TEST(DosRemove, ReadOnlyFileIsRefused) {
    TempFolder tmp;
    std::string path = tmp.file("ro.txt", "x");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    SetFolderForRedirect(tmp.path().c_str());
    EXPECT_EQ(WinRemove(path.c_str()), 1);
    SetFolderForRedirect(nullptr);
    EXPECT_TRUE(exists(path));
    EXPECT_EQ(Get_nERRNO(), DWORD(ERROR_ACCESS_DENIED)) << "the first failure is reported";
    EXPECT_EQ(Get_errno(), 13);
}

TEST(DosRemove, FileHeldOpenIsASharingViolation) {
    TempFolder tmp;
    std::string path = tmp.file("held open with a long name.txt", "x");
    HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_EQ(WinRemove(path.c_str()), 1);
    EXPECT_EQ(Get_nERRNO(), DWORD(ERROR_SHARING_VIOLATION));
    CloseHandle(holder);
    EXPECT_TRUE(exists(path));
}

TEST(DosRemove, MyRemoveOfAMissingFile) {
    TempFolder tmp;
    std::string path = tmp / "missing.txt";
    EXPECT_EQ(myRemove(path.c_str()), 1);
    DWORD after_test = Get_nERRNO();
    EXPECT_EQ(after_test, DWORD(ERROR_FILE_NOT_FOUND)) << "as the existence test left it";
    EXPECT_EQ(myRemove(nullptr), 1);
    EXPECT_EQ(WinRemove(nullptr), 1);
    EXPECT_EQ(WinRemove(""), 1);
    EXPECT_EQ(WinRemove("\\:\\Workgroup\\pc\\f.txt"), 0) << "reported as done";
    EXPECT_EQ(Get_nERRNO(), 0u);
}

TEST(DosRemove, GuardedPaths) {
    GuardedBuffer full(520);
    full.assign("C:\\" + std::string(516, 'd'));
    EXPECT_EQ(WinRemove(full), 1);
    EXPECT_EQ(myAccess(full), -1);
    GuardedBuffer over(521);
    over.assign("C:\\" + std::string(517, 'd'));
    EXPECT_EQ(WinRemove(over), 1);
    EXPECT_EQ(Get_nERRNO(), DWORD(ERROR_FILENAME_EXCED_RANGE));
    EXPECT_FALSE(IsFileDirExist(over));
}

// ---- Rename
TEST(DosRename, RenamesAndRefusesAnExistingTarget) {
    TempFolder tmp;
    std::string from = tmp.file(sjis("表.txt"), "1");
    std::string to = tmp / sjis("能 long.txt");
    EXPECT_EQ(WinRename(from.c_str(), ("\"" + to + "\"").c_str()), 0);
    EXPECT_TRUE(exists(to));
    EXPECT_FALSE(exists(from));
    std::string other = tmp.file("other.txt", "2");
    EXPECT_EQ(WinRename(other.c_str(), to.c_str()), 17);
    EXPECT_EQ(Get_nERRNO(), DWORD(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(ferro_test::read_file(to), "1");
    EXPECT_EQ(WinRename((tmp / "none").c_str(), (tmp / "x").c_str()), 2);
    EXPECT_EQ(WinRename(nullptr, to.c_str()), 22);
    EXPECT_EQ(WinRename(to.c_str(), nullptr), 22);
}

// ---- Existence
TEST(DosAccess, ExistenceOfFilesAndFolders) {
    TempFolder tmp;
    std::string file = tmp.file(sjis("ソ.txt"));
    EXPECT_EQ(myAccess(file.c_str()), 0);
    EXPECT_EQ(myAccess(tmp.path().c_str()), 0);
    EXPECT_EQ(myAccess((tmp / "none").c_str()), -1);
    EXPECT_EQ(Get_errno(), 2);
    EXPECT_TRUE(IsFileDirExist(("\"" + file + "\"").c_str()));
    EXPECT_FALSE(IsFileDirExist(nullptr));
    EXPECT_FALSE(IsFileDirExist(""));
    EXPECT_EQ(myAccess("\\:\\Workgroup\\pc"), 0);
    EXPECT_EQ(Get_nERRNO(), 0u);
}

// ---- Short names
TEST(ShortNames, LongNameHasADifferentShortForm) {
    TempFolder tmp;
    std::string path = tmp.file("a rather long file name.text", "abc");
    char out[520];
    ASSERT_TRUE(myGetShortFileName(out, path.c_str()));
    std::string shortened = out;
    EXPECT_EQ(shortened.substr(0, tmp.path().size() + 1), tmp.path() + "\\");
    Set_nERRNO(ERROR_ACCESS_DENIED);
    SetLastError(0);
    GuardedBuffer buffer(520);
    if (lstrcmpiA(out, path.c_str()) != 0) {
        EXPECT_TRUE(GetShortNameVersion(buffer, path.c_str()));
        EXPECT_EQ(buffer.str(), shortened);
        EXPECT_EQ(ferro_test::read_file(shortened), "abc") << "the short form names the same file";
    }
    std::string plain = tmp.file("SHORT.TXT");
    EXPECT_FALSE(GetShortNameVersion(buffer, plain.c_str())) << "a name that is its own short form";
    EXPECT_FALSE(GetShortNameVersion(buffer, (tmp / "none.txt").c_str()));
    EXPECT_FALSE(myGetShortFileName(out, "\\:\\Workgroup\\pc"));
    EXPECT_FALSE(myGetShortFileName(out, nullptr));
    EXPECT_FALSE(GetShortNameVersion(nullptr, path.c_str()));
}

// ---- Program search
TEST(SearchEnv, FindsAndReportsPrograms) {
    char out[520] = "untouched";
    EXPECT_EQ(my_Searchenv("notepad.exe", out, sizeof out), 0);
    std::string found = out;
    ASSERT_GE(found.size(), 12u);
    EXPECT_EQ(lstrcmpiA(found.substr(found.size() - 12).c_str(), "\\notepad.exe"), 0) << found;

    lstrcpyA(out, "untouched");
    EXPECT_EQ(my_Searchenv("no-such-program.exe", out, sizeof out), 1);
    EXPECT_STREQ(out, "untouched") << "a program kind the system runs";
    EXPECT_EQ(my_Searchenv("no-such-list.CMD", out, sizeof out), 1);
    EXPECT_EQ(my_Searchenv("no-such-file.txt", out, sizeof out), 1);
    EXPECT_STREQ(out, "no-such-file.txt");
    EXPECT_EQ(my_Searchenv("Q:\\tools\\x.exe", out, sizeof out), -3) << "no such drive";
    EXPECT_EQ(my_Searchenv("", out, sizeof out), 1);
    EXPECT_EQ(my_Searchenv(nullptr, out, sizeof out), 1);
    EXPECT_EQ(my_Searchenv("\\:\\Workgroup\\pc\\x.exe", out, sizeof out), 0);

    TempFolder tmp;
    std::string data = tmp.file(sjis("表.dat"));
    EXPECT_EQ(my_Searchenv(data.c_str(), out, sizeof out), 0);
    EXPECT_EQ(lstrcmpiA(out, data.c_str()), 0);
    char tiny[4] = "abc";
    EXPECT_EQ(my_Searchenv(data.c_str(), tiny, sizeof tiny), 1) << "no room for the answer";
    EXPECT_EQ(tiny[0], '\0') << "never written past its size";
}
