// Each pane's current folder in its long and short form, the swap of the
// panes, the completion of typed folder names, the counters and the copy
// records.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "shutdown.h"
#include "frame/text.h"
#include "listing/selection.h"
#include "support/guarded_buffer.h"
#include "support/sjis.h"
#include "support/temp_folder.h"

using ferro_test::GuardedBuffer;
using ferro_test::sjis;
using ferro_test::TempFolder;

namespace {
std::string short_of(const std::string& path) {
    char out[520] = {};
    GetShortPathNameA(path.c_str(), out, sizeof out);
    return out;
}

class CurrentFolders : public ::testing::Test {
protected:
    TempFolder temp;
};

// ---- Long and short forms
TEST_F(CurrentFolders, LongAndShortFormsOfNamesEndingInTrailYen) {
    const std::string src = temp.folder(sjis("表ソ能"));
    const std::string tgt = temp.folder(sjis("長い名前のフォルダ ソ"));
    ASSERT_EQ(1, SaveCurDirectoryWith95Format(nullptr, src.c_str(), 2));
    ASSERT_EQ(1, SaveCurDirectoryWith95Format(nullptr, tgt.c_str(), 4));
    char out[520];
    EXPECT_STREQ(src.c_str(), GetCurDirectoryIntoBuffer(out, 8, 2));
    EXPECT_STREQ(tgt.c_str(), GetCurDirectoryIntoBuffer(out, 8, 4));
    GetCurDirectoryIntoBuffer(out, 4 | 8, 4);
    EXPECT_EQ(lstrlenA(short_of(tgt).c_str()), lstrlenA(out));
    EXPECT_EQ(0, lstrcmpiA(short_of(tgt).c_str(), out));
    EXPECT_EQ(static_cast<unsigned char>(out[0]), static_cast<unsigned char>(GetCopyDrives(4)));
    EXPECT_EQ(0, AreWeInNetworkDrive(0));
    EXPECT_EQ(0, DisableNetdrvRelatedOperation(0, 0));

    const int saved = IsWhatCharacterSet();
    SetCharacterSet(8);
    EXPECT_STREQ(src.c_str(), GetCurDirectory(2));
    SetCharacterSet(saved);
    // A selector without a pane is the source pane.
    EXPECT_STREQ(GetCurDirectoryIntoBuffer(out, 8, 2), GetCurDirectoryIntoBuffer(out + 0, 8, 0)) ;
}

TEST_F(CurrentFolders, BadInputStoresNothing) {
    const std::string src = temp.folder("keep");
    ASSERT_EQ(1, SaveCurDirectoryWith95Format(nullptr, src.c_str(), 2));
    EXPECT_EQ(0, SaveCurDirectoryWith95Format(nullptr, nullptr, 2));
    EXPECT_EQ(0, SaveCurDirectoryWith95Format(nullptr, "", 2));
    const std::string too_long = "C:\\" + std::string(517, 'a');  // 520 bytes
    EXPECT_EQ(0, SaveCurDirectoryWith95Format(nullptr, too_long.c_str(), 2));
    GuardedBuffer out(520);
    GetCurDirectoryIntoBuffer(out, 8, 2);
    EXPECT_EQ(src, out.str());
    EXPECT_EQ(nullptr, GetCurDirectoryIntoBuffer(nullptr, 8, 2));
}

// ---- Swap
TEST_F(CurrentFolders, FourSwapsExchangeThePanes) {
    const std::string a = temp.folder("a");
    const std::string b = temp.folder(sjis("表"));
    SaveCurDirectoryWith95Format(nullptr, a.c_str(), 2);
    SaveCurDirectoryWith95Format(nullptr, b.c_str(), 4);
    SetCopyDrives('X', 4);
    SetAreWeInNetworkDrive(1, 0x40);
    SwapSrcAndTgtCurDirHandle();
    SwapSrcAndTgtCurDirPointer();
    SwapSrcAndTgtDrives();
    SwapWeInNetworkDrive();
    char out[520];
    EXPECT_EQ(b, GetCurDirectoryIntoBuffer(out, 8, 2));
    EXPECT_EQ(a, GetCurDirectoryIntoBuffer(out, 8, 4));
    EXPECT_EQ('X', GetCopyDrives(2));
    EXPECT_EQ(0x40, AreWeInNetworkDrive(0));
    EXPECT_EQ(0, AreWeInNetworkDrive(1));
    EXPECT_EQ(1, DisableNetdrvRelatedOperation(0, 0));
    EXPECT_EQ(0, DisableNetdrvRelatedOperation(0, 1));
    // The blocks still belong to their panes: storing again reuses them.
    EXPECT_EQ(1, SaveCurDirectoryWith95Format(nullptr, a.c_str(), 2));
    EXPECT_EQ(a, GetCurDirectoryIntoBuffer(out, 8, 2));
    EXPECT_EQ(a, GetCurDirectoryIntoBuffer(out, 8, 4));
}

TEST_F(CurrentFolders, DrivesComparedWithoutCase) {
    SaveCurDirectoryWith95Format(nullptr, temp.path().c_str(), 2);
    SaveCurDirectoryWith95Format(nullptr, temp.path().c_str(), 4);
    SetCopyDrives('c', 2);
    SetCopyDrives('C', 4);
    EXPECT_EQ(1, AreSrcAndTgtDrivesIdentical());
    SetCopyDrives('D', 4);
    EXPECT_EQ(0, AreSrcAndTgtDrivesIdentical());
}

// ---- Typed folder names
TEST_F(CurrentFolders, FullDirectoryName) {
    const std::string cur = temp.folder(sjis("表"));
    ASSERT_EQ(1, SaveCurDirectoryWith95Format(nullptr, cur.c_str(), 2));
    const std::string drive = cur.substr(0, 2);
    struct Row { std::string typed, expected; } rows[] = {
        {"sub", cur + "\\sub"},
        {sjis("ソ"), cur + "\\" + sjis("ソ")},
        {"a\\b", cur + "\\a\\b"},
        {"\\top", drive + "\\top"},
        {"D:\\abs", "D:\\abs"},
        {"\\\\server\\share", "\\\\server\\share"},
        {"", ""},
    };
    for (const auto& r : rows) {
        char path[520];
        lstrcpyA(path, r.typed.c_str());
        EXPECT_EQ(r.expected, GetFullDirectoryName(path)) << r.typed;
    }
    EXPECT_EQ(nullptr, GetFullDirectoryName(nullptr));
    // A join that does not fit leaves the name as typed.
    GuardedBuffer full(520);
    full.assign(std::string(519 - cur.size(), 'n'));
    const std::string before(full.str());
    GetFullDirectoryName(full);
    EXPECT_EQ(before, full.str());
}

// ---- Counters
TEST(SelectionCounters, SelectedNumbersClampAtZero) {
    SetTotalSelectedNumber(3, 2);
    EXPECT_EQ(0, AddTotalSelectedNumber(-5, 2));
    EXPECT_EQ(0, GetTotalSelectedNumber(2));
    EXPECT_EQ(0, SetTotalSelectedNumber(-4, 4));
    EXPECT_EQ(7, AddTotalSelectedNumber(7, 4));
    EXPECT_EQ(0, SetTotalSelectedNumber(9, 8));  // no list
    EXPECT_EQ(0, GetTotalSelectedNumber(8));
    EXPECT_EQ(7, GetTotalSelectedNumber(4));
    EXPECT_EQ(5, SetTotalNumberOfMarkedItems(2, 5));
    EXPECT_EQ(6, SetTotalNumberOfMarkedItems(3, 6));
    EXPECT_EQ(5, GetTotalNumberOfMarkedItems(2));
    EXPECT_EQ(6, GetTotalNumberOfMarkedItems(4));
    EXPECT_EQ(2, Set_nSelectedForLha(1, 2));
    EXPECT_EQ(2, Get_nSelectedForLhaPointer()[1]);
    EXPECT_EQ(0, Set_nSelectedNumber(3, 1));
    EXPECT_EQ(0, Get_nSelectedNumber(-1));
}

// ---- Copy records and archive history
TEST(CopyRecords, SavedAndReplaced) {
    const std::string name = sjis("C:\\表\\ソ.txt");
    EXPECT_EQ(name, SaveSrcCopyingFile(name.c_str()));
    EXPECT_STREQ("C:\\t", SaveTgtCopyingDirectory("C:\\t"));
    EXPECT_STREQ("C:\\t2", SaveTgtCopyingDirectory("C:\\t2"));
    EXPECT_STREQ("C:\\t2", GetTgtBaseCopyingDirectory());
    EXPECT_STREQ("C:\\t2", SaveTgtCopyingDirectory(nullptr));
    EXPECT_EQ(name, GetSrcCopyingFile());
    FreeGlobalHandleInDll();
    EXPECT_STREQ("", GetSrcCopyingFile());
    EXPECT_EQ(100, GetMAXLHADIRHISTORY());
    HGLOBAL h = Empty_ghLHADIRHISTORY(nullptr, 99);
    ASSERT_NE(nullptr, h);
    EXPECT_EQ(h, Get_ghLHADIRHISTORY_Address()[99]);
    EXPECT_EQ(nullptr, Empty_ghLHADIRHISTORY(nullptr, 100));
    EXPECT_EQ(nullptr, Get_ghLHADIRHISTORY(-1));
    EXPECT_EQ(0, IsSpecifiedLahDir());
    SaveSpecifiedLahDir(nullptr, "");
    EXPECT_EQ(0, IsSpecifiedLahDir());
    SaveSpecifiedLahDir(nullptr, name.c_str());
    EXPECT_EQ(1, IsSpecifiedLahDir());
    GuardedBuffer out(520);
    EXPECT_EQ(name, GetSpecifiedLahDir(out));
    FreeGlobalHandleInDll();
}
}  // namespace
