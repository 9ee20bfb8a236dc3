// The message numbers of copy results, the copy-run state and the transforms
// of the copy-or-move and selected-type words.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "fileops/copy.h"
#include "frame/option_flags.h"
#include "support/guarded_buffer.h"

using ferro_test::GuardedBuffer;

namespace {
// ---- GetCopyingErrorMessageID
struct MessageRow {
    LONG result;
    UINT message;
    const char* name;  // "S" source, "T" target, "" none
};

TEST(CopyErrorMessage, EveryResultCode) {
    const MessageRow rows[] = {
        {0, 0, ""},        {2, 8172, "S"},     {9, 0, ""},         {28, 8170, "S"},   {-9, 8176, "S"},
        {-10, 8172, "S"},  {-11, 8175, "S"},   {-12, 8174, "S"},   {-13, 8173, "S"},  {-14, 8171, "T"},
        {-15, 8177, "T"},  {-16, 8178, "S"},   {-17, 0, ""},       {-19, 8187, "S"},  {-20, 8171, "T"},
        {-21, 8171, "T"},  {-18, 8171, "T"},   {1, 8171, "T"},     {-22, 8171, "T"},  {123456, 8171, "T"},
    };
    for (const MessageRow& row : rows) {
        GuardedBuffer out(520);
        EXPECT_EQ(GetCopyingErrorMessageID(row.result, "C:\\src", "D:\\tgt", out), row.message) << row.result;
        const std::string expected = *row.name == 'S' ? "C:\\src" : *row.name == 'T' ? "D:\\tgt" : "";
        EXPECT_EQ(out.str(), expected) << row.result;
    }
}

TEST(CopyErrorMessage, NamesAreBoundedAndOptional) {
    EXPECT_EQ(GetCopyingErrorMessageID(-9, "a", "b", nullptr), 8176u);
    GuardedBuffer out(520);
    EXPECT_EQ(GetCopyingErrorMessageID(-9, nullptr, "b", out), 8176u);
    EXPECT_EQ(out.str(), "");
    const std::string full(519, 'n'), over(520, 'n');
    EXPECT_EQ(GetCopyingErrorMessageID(-15, "a", full.c_str(), out), 8177u);
    EXPECT_EQ(out.str(), full);
    GuardedBuffer filled(520, 'x');
    EXPECT_EQ(GetCopyingErrorMessageID(-15, "a", over.c_str(), filled), 8177u);
    EXPECT_EQ(filled.str(), "");
}

// ---- Copy-run state
TEST(CopyState, TotalsAndSwitches) {
    EXPECT_EQ(ResetCopiedTotalSize(), 0);
    EXPECT_EQ(AddCopiedTotalSize(0xFFFFFFFF, 0), 0);
    EXPECT_EQ(AddCopiedTotalSize(1, 2), 3);
    EXPECT_EQ(GetCopiedTotalSize(), 0x300000000ull);
    EXPECT_EQ(ResetCopiedTotalSize(), 0);
    EXPECT_EQ(GetCopiedTotalSize(), 0u);

    EXPECT_EQ(SetSharedModeForCopyFile(0, 5), 3);
    EXPECT_EQ(IsSharedModeForCopyFile(0), 1);
    EXPECT_EQ(IsSharedModeForCopyFile(1), 0);
    EXPECT_EQ(SetSharedModeForCopyFile(0, 0), 0);
    EXPECT_EQ(IsSharedModeForCopyFile(0), 0);
    EXPECT_EQ(SetSharedModeForCopyFile(2, 1), 0);
    EXPECT_EQ(IsSharedModeForCopyFile(-1), 0);

    EXPECT_EQ(GetTgtAttributeInCopyFile(), -1);  // the source's attributes unless set
    EXPECT_EQ(HowGetTgtAttributeInCopyFile(), 2);
}

// ---- Copy-or-move word
TEST(CopyWords, CopyOrMoveTransforms) {
    EXPECT_EQ(SetCopyOrMove(0x102), 0x102);
    EXPECT_EQ(IsCopyOrMove(-1), 0x102);
    EXPECT_EQ(IsCopyOrMove(0x100), 0x100);
    EXPECT_EQ(IsCopyOrMove(0x1), 0);
    EXPECT_EQ(AddCopyOrMove(0x21), 0x123);
    SetCopyOrMove(0);
    struct Row { LONG(WINAPI* transform)(LONG); LONG in, out; } rows[] = {
        {AlterCopyOrMoveToCopy, 0x2, 0x1},       {AlterCopyOrMoveToCopy, 0x123, 0x121},
        {AlterCopyOrMoveToCopy, 0, 0x1},         {AlterCopyOrMoveToDirCopy, 0x1, 0x2},
        {AlterCopyOrMoveToDirCopy, 0x121, 0x122}, {RemoveDragOutSideFromCopyOrMove, 0x1FF, 0xFF},
        {RemoveDragOutSideFromCopyOrMove, -1, ~0x100},
    };
    for (const Row& row : rows) EXPECT_EQ(row.transform(row.in), row.out) << std::hex << row.in;
    EXPECT_EQ(IsCopyOrMove(-1), 0);  // pure
}

// ---- Selected-type word
class TypeSelected : public testing::Test {
protected:
    void SetUp() override {
        SetCopyOrMove(0);
        SettypeSELECTED(0);
        SetDirDisplayedInFileList(1);
    }
    void TearDown() override { SetUp(); }
};

TEST_F(TypeSelected, PureTransforms) {
    struct Row { LONG(WINAPI* transform)(LONG); LONG in, out; } rows[] = {
        {RemoveDragOutSideFromTypeSelected, 0x80003, 0x3},
        {RemoveDragOutSideFromTypeSelected, 0x3, 0x3},
        {AlterTypeSelectedToSrcFile, 0x6, 0x1},
        {AlterTypeSelectedToSrcFile, 0x80002, 0x80001},
        {AlterTypeSelectedToSrcDirectory, 0x5, 0x2},
        {AlterTypeSelectedToSrcDirectory, 0x200001, 0x200002},
        {AlterTypeSelectedToSrcDirectoryByRemovingExtraBits, 0x200001, 0x2},
        {AlterTypeSelectedToSrcDirectoryByRemovingExtraBits, 0x400005, 0x6},
        {AlterTypeSelectedToSrcDirectoryByRemovingExtraBits, 0x600001, 0x2},
        {AlterTypeSelectedToSrcDirectoryByRemovingExtraBits, 0x1, 0x1},
        {AlterTypeSelectedToSrcFileFromSrcDirectory, 0x2, 0x1},
        {AlterTypeSelectedToSrcFileFromSrcDirectory, 0x6, 0x5},
        {AlterTypeSelectedToSrcDirectoryFromSrcFile, 0x1, 0x1000002},
        {AlterTypeSelectedToSrcDirectoryFromSrcFile, 0x0, 0x2},
        {AlterTypeSelectedToSrcDirectoryFromSrcFile, 0x3, 0x1000002},
    };
    for (const Row& row : rows) EXPECT_EQ(row.transform(row.in), row.out) << std::hex << row.in;
    EXPECT_EQ(GettypeSELECTED(), 0);
}

TEST_F(TypeSelected, FileFolderTransformsHeldBack) {
    for (int held = 0; held < 2; ++held) {
        if (held == 0) SetCopyOrMove(0x20);
        else SetDirDisplayedInFileList(0);
        EXPECT_EQ(AlterTypeSelectedToSrcFileFromSrcDirectory(0x2), 0x2) << held;
        EXPECT_EQ(AlterTypeSelectedToSrcDirectoryFromSrcFile(0x1), 0x1) << held;
        SetUp();
    }
}

TEST_F(TypeSelected, StoringTransforms) {
    SettypeSELECTED(0x7);
    EXPECT_EQ(RemoveAndSettypeSELECTED(0x3, 0x4), 0x7);  // no shared bit: the stored type
    EXPECT_EQ(RemoveAndSettypeSELECTED(0x3, 0x2), 0x1);
    EXPECT_EQ(GettypeSELECTED(), 0x1);
    EXPECT_EQ(RemoveAndSetSavedtypeSELECTED(0x2), 0x1);
    EXPECT_EQ(RemoveAndSetSavedtypeSELECTED(0x3), 0x2);
    EXPECT_EQ(GettypeSELECTED(), 0x2);

    EXPECT_EQ(GettypeSELECTEDByCopyOrMoveFromDrop(), 0x2);
    SetCopyOrMove(0x101);
    EXPECT_EQ(GettypeSELECTEDByCopyOrMoveFromDrop(), 0x80002);
    SetCopyOrMove(0x1);
    SettypeSELECTED(0x1);
    EXPECT_EQ(GetCopyOrMoveBytypeSELECTEDFromDrop(), 0x1);
    SettypeSELECTED(0x80001);
    EXPECT_EQ(GetCopyOrMoveBytypeSELECTEDFromDrop(), 0x101);
    EXPECT_EQ(IsCopyOrMove(-1), 0x101);
}
}  // namespace
