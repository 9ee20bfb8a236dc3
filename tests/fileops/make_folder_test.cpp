#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>
#include <string>
#include "delete_fixture.h"
#include "fileops/folders.h"
#include "frame/error_state.h"
#include "frame/name_validity.h"
#include "fs/drive_check.h"
#include "fs/network.h"
#include "listing/selection.h"
#include "shutdown.h"
#include "support/share_link.h"

using delete_test::message;
using ferro_test::exists;
using ferro_test::MessageBoxRecorder;
using ferro_test::sjis;
using ferro_test::TempFolder;

namespace {
bool is_folder(const std::string& path) {
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}
}  // namespace

// ---- makedir
TEST(MakeDir, EveryMissingLevelIsMadeAndAFileInTheWayIsAFailure) {
    TempFolder tmp;
    tmp.file("file.txt");
    tmp.file("mid\\file");
    struct Row { std::string path; LONG result; DWORD error; } rows[] = {  // error: stored afterwards
        {"a\\b\\c", 1, 0},
        {"a\\b\\c", 1, 0},  // there already
        {sjis("表\\ソ\\能"), 1, 0},  // names ending in 0x5C trail bytes
        {"d\\e\\", 1, 0},
        {"file.txt", -12, ERROR_ALREADY_EXISTS},     // the last level is a file
        {"mid\\file\\x", -12, ERROR_ALREADY_EXISTS},  // a level on the way is a file
        {"bad<name", -1, 0},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(makedir((tmp / row.path).c_str()), row.result) << row.path;
        if (row.result == 1) {
            EXPECT_TRUE(is_folder(tmp / row.path)) << row.path;
        }
        if (row.error) {
            EXPECT_EQ(Get_nERRNO(), row.error) << row.path;
        }
    }
    EXPECT_FALSE(exists(tmp / "mid\\file\\x"));
    EXPECT_EQ(makedir(nullptr), 0);
    EXPECT_EQ(makedir(""), 0);
    // A folder whose parent is read-only can still be made.
    const std::string locked = tmp.folder("locked");
    delete_test::make_read_only(locked);
    EXPECT_EQ(makedir((locked + "\\inner").c_str()), 1);
    SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(MakeDir, LongPathsStopAtTheLimitAndKeepTheLevelsMade) {
    TempFolder tmp;
    std::string path = tmp.path();
    while (path.size() + 41 <= 519) path.append(1, '\\').append(40, 'x');
    path.append(1, '\\');
    path.append(519 - path.size(), 'y');
    ASSERT_EQ(path.size(), 519u);
    const LONG result = makedir(path.c_str());
    if (result != 1) {  // the platform's own limit came first: a failed level, with its error
        EXPECT_EQ(result, -12);
        EXPECT_NE(Get_nERRNO(), 0u);
        EXPECT_TRUE(is_folder(tmp.path() + "\\" + std::string(40, 'x'))) << "the levels before stay";
    }
    EXPECT_EQ(makedir((path + "y").c_str()), -12) << "520 bytes do not fit";
    EXPECT_EQ(Get_nERRNO(), DWORD(ERROR_FILENAME_EXCED_RANGE));
}

TEST(MakeDir, OnAShareOnlyTheFoldersInsideItAreMade) {
    TempFolder tmp;
    auto share = ferro_test::WineLink::share("ferrosrv", "mk", tmp.path());
    ASSERT_TRUE(share.ok());
    EXPECT_EQ(makedir("\\\\FERROSRV\\MK\\a\\b"), 1);
    EXPECT_TRUE(is_folder(tmp / "a\\b"));
    EXPECT_EQ(makedir("\\:\\WG\\FERROSRV\\MK\\c"), 1) << "the browsing form";
    EXPECT_TRUE(is_folder(tmp / "c"));
    EXPECT_EQ(makedir("\\\\FERROSRV\\MK"), 1) << "the share itself is there";
    // A share or computer that is not there is never made (Wine would make
    // it as a folder of its prefix).
    EXPECT_EQ(makedir("\\\\FERROSRV\\NOSHARE\\x"), -17);
    EXPECT_FALSE(exists("\\\\FERROSRV\\NOSHARE"));
    EXPECT_EQ(makedir("\\\\FERROSRV"), -17);
    EXPECT_EQ(makedir("\\:\\WG\\FERROSRV"), -17);
}

TEST(MakeDir, TheFailureBoxNamesTheReason) {
    TempFolder tmp;
    tmp.file("file.txt");
    const std::string drive = ferro_test::unused_drive();
    ASSERT_FALSE(drive.empty());
    struct Row { std::string path; UINT text; } rows[] = {  // text 0: no box
        {tmp / "ok\\made", 0},
        {tmp / "file.txt", 8084},
        {tmp / "bad<name", 8071},  // a forbidden character is no success
        {"\\\\FERROSRV\\NOSHARE\\x", 8305},
        {drive + "\\x", 8084},
        {"", 8086},
    };
    for (const Row& row : rows) {
        MessageBoxRecorder boxes;
        if (row.text) boxes.answer(IDOK);
        EXPECT_EQ(IsAlertMakedir(nullptr, row.path.c_str()), row.text ? 1 : 0) << row.path;
        EXPECT_EQ(Get_errno(), 0);
        ASSERT_EQ(boxes.boxes().size(), row.text ? 1u : 0u) << row.path;
        if (!row.text) continue;
        EXPECT_EQ(boxes.boxes()[0].caption, message(8088));
        EXPECT_EQ(boxes.boxes()[0].style, UINT(MB_OK | MB_ICONEXCLAMATION));
        EXPECT_NE(boxes.boxes()[0].text.find(message(row.text)), std::string::npos) << row.path;
    }
    EXPECT_TRUE(is_folder(tmp / "ok\\made"));
}

TEST(MakeDir, WhetherANameIsADriveAlone) {
    for (auto [name, answer] : {std::pair<const char*, LONG>{"C:", 2}, {"C", 2}, {"ab", 1}, {"C:\\x", 1}, {"", 1}})
        EXPECT_EQ(WithOrWithoutCheckDirname(name), answer) << name;
}

// ---- The questions about a missing folder
TEST(MissingFolder, QuestionsByModeAndTheFileInTheWay) {
    TempFolder tmp;
    tmp.file("taken");
    struct Row { LONG mode; std::string name; std::string path; UINT text, title; bool file_line; } rows[] = {
        {1, "", tmp / "none", 9012, 9013, false},
        {2, "x ", tmp / "none", 9014, 9016, false},
        {3, "'new'", tmp / "taken", 9010, 9011, true},
    };
    for (const Row& row : rows) {
        MessageBoxRecorder boxes;
        boxes.answer(IDNO);
        EXPECT_EQ(AlertDirectory(nullptr, row.path.c_str(), row.mode, row.name.c_str(), MB_YESNO), IDNO);
        ASSERT_EQ(boxes.boxes().size(), 1u);
        const auto& box = boxes.boxes()[0];
        EXPECT_EQ(box.caption, message(row.title));
        EXPECT_EQ(box.style, UINT(MB_YESNO | MB_ICONEXCLAMATION));
        EXPECT_NE(box.text.find(row.name + message(row.text)), std::string::npos) << row.mode;
        EXPECT_EQ(box.text.find(message(9015)) != std::string::npos, row.file_line) << row.mode;
    }
    MessageBoxRecorder quiet;
    EXPECT_EQ(AlertDirectory(nullptr, tmp.path().c_str(), 4, nullptr, MB_OK), 0);
    SetWithoutNetworkErrorMessage(1);
    EXPECT_EQ(AlertDirectory(nullptr, "\\\\SRV\\SHARE", 1, nullptr, MB_OK), 0);
    SetWithoutNetworkErrorMessage(0);
}

TEST(MissingFolder, MadeOnYesAndLeftOnNo) {
    TempFolder tmp;
    tmp.file("taken");
    // answer 0: no question expected
    struct Row { std::string path; int answer; LONG result; size_t boxes; bool made; } rows[] = {
        {tmp / "yes\\deep", IDYES, 1, 1, true},
        {tmp / "no", IDNO, -1, 1, false},
        {tmp.path(), 0, 0, 0, true},                       // there already
        {tmp / "taken\\x", IDYES, -1, 2, false},            // yes, but it cannot be made: its box follows
    };
    for (const Row& row : rows) {
        MessageBoxRecorder boxes;
        if (row.answer) boxes.answer(row.answer);
        if (row.boxes == 2) boxes.answer(IDOK);
        EXPECT_EQ(IsMakeDirDoneWithMessage(nullptr, row.path.c_str(), "", 0), row.result) << row.path;
        EXPECT_EQ(boxes.boxes().size(), row.boxes) << row.path;
        EXPECT_EQ(is_folder(row.path), row.made) << row.path;
    }
}

TEST(MissingFolder, ABadDriveIsToldOnceAndTheNextQuestionIsQuiet) {
    const std::string drive = ferro_test::unused_drive();
    MessageBoxRecorder boxes;
    boxes.answer(IDOK);
    EXPECT_EQ(IsMakeDirDoneWithIsBadDriveAndWithMessage(nullptr, (drive + "\\x").c_str(), "", 0), -1);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].caption, message(8012));
    EXPECT_EQ(AlertDirectory(nullptr, (drive + "\\x").c_str(), 1, nullptr, MB_OK), 0) << "quiet once";
    EXPECT_EQ(IsMakeDirDoneWithMessage(nullptr, (drive + "\\x").c_str(), "", 0), 0) << "nothing to do";
    EXPECT_EQ(IsDirExistWithDriveChecking((drive + "\\x").c_str(), 1), 0);
    EXPECT_EQ(boxes.boxes().size(), 1u);
    TempFolder tmp;
    EXPECT_EQ(IsBadDrive(nullptr, tmp.path().c_str(), 0, 0), 0);
    EXPECT_EQ(IsDirExistWithDriveChecking(tmp.path().c_str(), 1), 1);
}

// ---- What the progress display reads
TEST(CopyingRecords, PathsAreKeptWholeOrNotAtAll) {
    const std::string longest(519, 'p');
    EXPECT_EQ(std::string(SaveSrcCopyingDirectory(longest.c_str())), longest);
    EXPECT_EQ(SaveSrcCopyingDirectory((longest + "q").c_str()), nullptr) << "520 bytes do not fit";
    EXPECT_EQ(std::string(GetSrcCopyingDirectory()), longest) << "the record stays";
    EXPECT_STREQ(SaveTgtCopyingDirectory("C:\\t"), "C:\\t");
    EXPECT_STREQ(GetTgtCopyingDirectory(), "C:\\t");
    char* base = GetTgtBaseCopyingDirectory();
    std::memset(base, 'b', 519);  // the host's buffer holds 519 bytes and the NUL
    base[519] = '\0';
    EXPECT_STREQ(GetTgtCopyingDirectory(), "C:\\t") << "a buffer of its own";
    EXPECT_EQ(SetNumberOfRemainingDirectoryForCopying(7), 7);
    EXPECT_EQ(GetNumberOfRemainingDirectoryForCopying(), 7);
    FreeGlobalHandleInDll();
    EXPECT_STREQ(GetTgtBaseCopyingDirectory(), "");
}
