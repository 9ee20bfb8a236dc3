#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "fs/dos_folders.h"
#include "frame/error_state.h"
#include "support/guarded_buffer.h"
#include "support/message_box_recorder.h"
#include "support/sjis.h"
#include "support/temp_folder.h"

using ferro_test::GuardedBuffer;
using ferro_test::sjis;
using ferro_test::TempFolder;

namespace {
// Puts the process's current folder back after a test.
struct CurrentFolderKeeper {
    char saved[MAX_PATH];
    CurrentFolderKeeper() { GetCurrentDirectoryA(sizeof saved, saved); }
    ~CurrentFolderKeeper() { SetCurrentDirectoryA(saved); }
};
}  // namespace

// ---- Make and remove
TEST(DosFolders, MakeAndRemoveDoubleByteFolders) {
    TempFolder tmp;
    std::string folder = tmp / sjis("表ソ能");
    EXPECT_EQ(myMkdir(folder.c_str()), 0);
    EXPECT_TRUE(ferro_test::exists(folder));
    EXPECT_EQ(myMkdir(folder.c_str()), 17) << "already there";
    EXPECT_EQ(Get_nERRNO(), DWORD(ERROR_ALREADY_EXISTS));
    std::string inner = folder + "\\" + sjis("能");
    EXPECT_EQ(myMkdir(("\"" + inner + "\"").c_str()), 0);
    EXPECT_NE(myRmdir(folder.c_str()), 0) << "not empty";
    EXPECT_TRUE(ferro_test::exists(folder));
    EXPECT_EQ(myRmdir(inner.c_str()), 0);
    EXPECT_EQ(myRmdir(folder.c_str()), 0);
    EXPECT_FALSE(ferro_test::exists(folder));
    EXPECT_EQ(myRmdir(folder.c_str()), 2);
}

TEST(DosFolders, BadInput) {
    EXPECT_EQ(myMkdir(nullptr), 22);
    EXPECT_EQ(myMkdir(""), 2);
    EXPECT_EQ(myRmdir(nullptr), 22);
    EXPECT_EQ(myMkdir("\\:\\Workgroup\\pc\\share\\x"), 0) << "no file-system name";
    GuardedBuffer over(521);
    over.assign("C:\\" + std::string(517, 'c'));
    EXPECT_EQ(myMkdir(over), 22);
    EXPECT_EQ(Get_nERRNO(), DWORD(ERROR_FILENAME_EXCED_RANGE));
}

// ---- Current folders
TEST(DosFolders, ChangeAndReadTheCurrentFolder) {
    CurrentFolderKeeper keep;
    TempFolder tmp;
    std::string folder = tmp.folder(sjis("表"));
    EXPECT_EQ(myChdir(folder.c_str(), FALSE), 0);
    char buffer[520];
    ASSERT_EQ(myGetcwd(buffer, sizeof buffer), buffer);
    EXPECT_EQ(lstrcmpiA(buffer, folder.c_str()), 0) << buffer;
    EXPECT_EQ(myGetcwd(buffer, 3), nullptr) << "too small";
    EXPECT_EQ(myGetcwd(nullptr, 10), nullptr);
    int drive = (folder[0] | 0x20) - 'a' + 1;
    ASSERT_EQ(myGetdcwd(drive, buffer, sizeof buffer), buffer);
    EXPECT_EQ(lstrcmpiA(buffer, folder.c_str()), 0) << buffer;
    EXPECT_EQ(myGetdcwd(27, buffer, sizeof buffer), nullptr);
    EXPECT_EQ(myGetdcwd(-1, buffer, sizeof buffer), nullptr);

    char path[520] = "C:";
    path[0] = folder[0];
    EXPECT_EQ(GetDirectoryNameFromDrive(path), 0);
    EXPECT_EQ(lstrcmpiA(path, folder.c_str()), 0) << path;
    EXPECT_EQ(GetDirectoryNameFromDrive(path), 0) << "a path with a yen mark stays";
    char target[520] = "x:\\anything";
    target[0] = folder[0];
    EXPECT_EQ(gettgtdir(target, sizeof target), 0);
    EXPECT_EQ(lstrcmpiA(target, folder.c_str()), 0) << target;
    char bad[8] = "1:\\";
    EXPECT_NE(gettgtdir(bad, sizeof bad), 0);

    EXPECT_EQ(myChdir((tmp / "none").c_str(), FALSE), 2);
    EXPECT_EQ(myChdir("\\\\server\\share", FALSE), 0) << "network paths are refused";
}

TEST(DosFolders, ChgDirAndChgDr) {
    CurrentFolderKeeper keep;
    TempFolder tmp;
    std::string folder = tmp.folder("change here");
    int drive = (folder[0] | 0x20) - 'a' + 1;
    EXPECT_EQ(ChgDir(folder.c_str(), FALSE), drive);
    EXPECT_EQ(ChgDir(("\"" + folder + "\"").c_str(), FALSE), drive);
    EXPECT_EQ(ChgDir("\\\\server\\share", FALSE), 92);
    EXPECT_EQ(ChgDir("\\:\\Workgroup\\pc", TRUE), 92);
    EXPECT_EQ(ChgDir("abc", FALSE), -1) << "no colon in the second place";
    EXPECT_EQ(ChgDir(nullptr, FALSE), -1);
    std::string file = tmp.file("plain.txt");
    EXPECT_EQ(ChgDir(file.c_str(), FALSE), -1) << "a file: its attributes are readable";
    ferro_test::MessageBoxRecorder boxes({IDOK});
    EXPECT_EQ(ChgDir((tmp / "none").c_str(), FALSE), -2) << "unreadable attributes";
    ASSERT_EQ(boxes.boxes().size(), 1u) << "the folder-reading box";
    EXPECT_EQ(boxes.boxes()[0].caption, sjis("警告: ﾌｫﾙﾀﾞ・ﾌｧｲﾙｴﾗｰ"));

    EXPECT_EQ(ChgDr(folder[0]), 1);
    EXPECT_EQ(ChgDr('\\'), 1);
    EXPECT_EQ(ChgDr('1'), -1);
}
