#include <gtest/gtest.h>
#include <windows.h>
#include "frame/option_flags.h"
#include "support/message_box_recorder.h"
#include "support/sjis.h"

using ferro_test::MessageBoxRecorder;
using ferro_test::sjis;

// ---- Pane-indexed flags

TEST(PaneFlags, SettersPickTheSourcePaneForBit2Only) {
    struct Row {
        LONG selector;
        bool source;
    } rows[] = {{2, true}, {6, true}, {3, true}, {4, false}, {1, false}, {0, false}, {-1, true}};
    for (const Row& row : rows) {
        SetUpperDirExist(0, 2);
        SetUpperDirExist(0, 4);
        EXPECT_EQ(SetUpperDirExist(9, row.selector), 9);
        EXPECT_EQ(GetUpperDirExist(2), row.source ? 9 : 0) << row.selector;
        EXPECT_EQ(GetUpperDirExist(4), row.source ? 0 : 9) << row.selector;
    }
}

TEST(PaneFlags, GettersPickTheSourcePaneForBit1Or2) {
    SetThisRootDir(1, 2);
    SetThisRootDir(0, 4);
    SetSelfDirectory(11, 2);
    SetSelfDirectory(22, 4);
    struct Row {
        LONG selector;
        bool source;
    } rows[] = {{1, true}, {2, true}, {3, true}, {4, false}, {0, false}, {8, false}, {5, true}};
    for (const Row& row : rows) {
        EXPECT_EQ(IsThisRootDir(row.selector), row.source ? 1 : 0) << row.selector;
        EXPECT_EQ(GetSelfDirectory(row.selector), row.source ? 11 : 22) << row.selector;
    }
}

TEST(PaneFlags, CopiesGoFromSourceToTarget) {
    SetUpperDirExist(-1, 2);
    SetUpperDirExist(1, 4);
    SetThisRootDir(1, 2);
    SetThisRootDir(0, 4);
    EXPECT_EQ(CopySrcToTgtUpperDir(), -1);
    EXPECT_EQ(GetUpperDirExist(4), -1);
    EXPECT_EQ(CopySrcToTgRootDir(), 1);
    EXPECT_EQ(IsThisRootDir(4), 1);
    EXPECT_EQ(GetUpperDirExist(2), -1);  // the source is left as it was
}

// ---- Sort-type and list indexes

TEST(SortTypeFlags, SelectorMapsToIndex) {
    struct Row {
        LONG selector, index;
    } rows[] = {{1, 2}, {2, 0}, {4, 1}, {3, 2}, {6, 0}, {7, 2}, {0, -1}, {8, -1}, {16, -1}};
    for (const Row& row : rows) EXPECT_EQ(GetOrderedTypeSelected(row.selector), row.index) << row.selector;
}

TEST(SortTypeFlags, SelectorWithoutSlotStoresNothingAndReadsZero) {
    for (LONG selector : {1, 2, 4}) {
        EXPECT_EQ(KeepScrollPosition(selector * 10, selector), selector * 10);
        EXPECT_EQ(SetIncreased(selector * 100, selector), selector * 100);
    }
    EXPECT_EQ(KeepScrollPosition(99, 8), 0);
    EXPECT_EQ(SetIncreased(99, 0), 0);
    for (LONG selector : {1, 2, 4}) {
        EXPECT_EQ(IsKeepScrollPosition(selector), selector * 10);
        EXPECT_EQ(GetIncreased(selector), selector * 100);
    }
    EXPECT_EQ(IsKeepScrollPosition(8), 0);
    EXPECT_EQ(GetIncreased(0), 0);
}

TEST(ListArrays, IndexesZeroToTwo) {
    struct Row { LONG index; bool stored; } rows[] = {{0, true}, {1, true}, {2, true}, {3, false}, {-1, false}};
    for (const Row& row : rows) {
        EXPECT_EQ(SetFileDirWhich(40 + row.index, row.index), row.stored ? 40 + row.index : 0);
        EXPECT_EQ(SetSortWhich(50 + row.index, row.index), row.stored ? 50 + row.index : 0);
        EXPECT_EQ(GetFileDirWhich(row.index), row.stored ? 40 + row.index : 0);
        EXPECT_EQ(GetSortWhich(row.index), row.stored ? 50 + row.index : 0);
    }
    const LONG* files = GetFileDirWhichPTR();
    const LONG* sorts = GetSortWhichPTR();
    EXPECT_EQ(files[0], 40);
    EXPECT_EQ(files[2], 42);
    EXPECT_EQ(sorts[1], 51);
}

TEST(ListArrays, CopyOptionWordPerOperation) {
    EXPECT_EQ(SetCopyOptType(0, 7), 7);
    EXPECT_EQ(SetCopyOptType(15, 8), 8);
    EXPECT_EQ(SetCopyOptType(16, 9), -1);
    EXPECT_EQ(SetCopyOptType(-1, 9), -1);
    EXPECT_EQ(GetCopyOptType(0), 7);
    EXPECT_EQ(GetCopyOptType(15), 8);
    EXPECT_EQ(GetCopyOptType(16), 0);
    EXPECT_EQ(GetCopyOptType(-1), 0);
}

// ---- Per-level arrays

namespace {
struct LevelArray {
    const char* name;
    LONG(WINAPI* set)(LONG, LONG);
    LONG(WINAPI* get)(LONG);
    LONG(WINAPI* set_limit)(LONG);
};
const LevelArray kLevelArrays[] = {
    {"NumberSORTED", SetNumberSORTED, GetNumberSORTED, SetMaxNumberSORTED},
    {"NumberDEEPLevel", SetNumberDEEPLevel, GetNumberDEEPLevel, SetMaxNumberDEEPLevel},
};
}  // namespace

TEST(LevelArrays, StoreUpToTheLimitAndReportAboveIt) {
    const std::string title = sjis("Ferrolan:設定項目数超過");
    for (const LevelArray& array : kLevelArrays) {
        SCOPED_TRACE(array.name);
        for (LONG index : {0, 1, 29999, 30000}) {
            EXPECT_EQ(array.set(index, index + 5), index + 5);
            EXPECT_EQ(array.get(index), index + 5);
        }
        MessageBoxRecorder boxes({IDOK});
        EXPECT_EQ(array.set(30001, 77), -1);
        ASSERT_EQ(boxes.boxes().size(), 1u);
        EXPECT_EQ(boxes.boxes()[0].caption, title);
        EXPECT_EQ(boxes.boxes()[0].text, sjis("項目数が設定数 30000 を超過しました。"));
        EXPECT_EQ(boxes.boxes()[0].style, UINT(MB_OK | MB_ICONEXCLAMATION));
        EXPECT_EQ(array.get(30001), 0);
        EXPECT_EQ(array.get(30000), 30005);  // nothing was written
        // A negative index is no level: nothing stored, no box.
        EXPECT_EQ(array.set(-1, 77), -1);
        EXPECT_EQ(array.get(-1), 0);
        EXPECT_EQ(boxes.boxes().size(), 1u);
    }
}

TEST(LevelArrays, TheLimitIsASettingWithinTheArray) {
    for (const LevelArray& array : kLevelArrays) {
        SCOPED_TRACE(array.name);
        MessageBoxRecorder boxes;
        EXPECT_EQ(array.set_limit(10), 10);
        EXPECT_EQ(array.set(10, 1), 1);
        boxes.answer(IDOK);
        EXPECT_EQ(array.set(11, 1), -1);
        ASSERT_EQ(boxes.boxes().size(), 1u);
        EXPECT_EQ(boxes.boxes()[0].text, sjis("項目数が設定数 10 を超過しました。"));
        EXPECT_EQ(array.set_limit(40000), 30000);  // the array ends at 30000
        EXPECT_EQ(array.set_limit(-5), 0);
        EXPECT_EQ(array.set_limit(30000), 30000);
    }
    EXPECT_EQ(GetMaxNumberSORTED(), 30000);
    EXPECT_EQ(GetMaxNumberDEEPLevel(), 30000);
}

TEST(LevelArrays, ClearZeroesEveryLevel) {
    SetNumberDEEPLevel(0, 3);
    SetNumberDEEPLevel(30000, 4);
    SetNumberSORTED(5, 6);
    ClearnDEEPLevel();
    EXPECT_EQ(GetNumberDEEPLevel(0), 0);
    EXPECT_EQ(GetNumberDEEPLevel(30000), 0);
    EXPECT_EQ(GetNumberSORTED(5), 6);  // only the level array
}

// ---- Multiple-execute answer

TEST(MultipleExecute, AlwaysYesTakesTheSavedCopyOnce) {
    SetMultipleExecuteAlwaysYes(0);
    SetMultipleExecuteAlwaysNo(0);
    SetMultipleExecuteInitialized();
    SetMultipleExecute(1);
    EXPECT_EQ(IsMultipleExecuteAlwaysYes(), 0);  // copies 1
    SetMultipleExecute(2);
    EXPECT_EQ(IsMultipleExecuteAlwaysYes(), 1);  // copy stays 1
    EXPECT_EQ(IsMultipleExecuteAlwaysNo(), 0);
    EXPECT_EQ(RecoverMultipleExecute(), 1);
    EXPECT_EQ(IsMultipleExecute(), 1);
    SetMultipleExecute(3);
    EXPECT_EQ(IsMultipleExecuteAlwaysNo(), 1);
    EXPECT_EQ(SetMultipleExecuteInitialized(), -100);
    EXPECT_EQ(IsMultipleExecuteAlwaysYes(), 0);  // copies 3
    EXPECT_EQ(RecoverMultipleExecute(), 3);
}

TEST(MultipleExecute, FromAlwaysFollowsStandingChoiceThenSavedCopy) {
    struct Row { LONG always_yes, always_no, saved, expected; } rows[] = {
        {1, 1, 0, 2},     {1, 0, 3, 2},     {0, 1, 1, 3},  {0, 0, 1, 1},  {0, 0, 2, -1},
        {0, 0, 3, -1},    {0, 0, 0, 0},     {0, 0, -1, 0}, {0, 0, -100, 0},
    };
    for (const Row& row : rows) {
        SetMultipleExecuteAlwaysYes(row.always_yes);
        SetMultipleExecuteAlwaysNo(row.always_no);
        SetMultipleExecuteInitialized();
        SetMultipleExecute(row.saved);
        if (row.saved != -100) IsMultipleExecuteAlwaysYes();  // saves the answer
        SetMultipleExecute(99);
        EXPECT_EQ(SetMultipleExecuteFromAlways(), row.expected) << row.always_yes << row.always_no << row.saved;
        EXPECT_EQ(IsMultipleExecute(), row.expected);
    }
    SetMultipleExecuteAlwaysYes(0);
    SetMultipleExecuteAlwaysNo(0);
    SetMultipleExecuteInitialized();
    SetMultipleExecute(-1);
}

// ---- Other rules

TEST(OptionRules, CharSelectedTakesTheLowestKnownBit) {
    struct Row {
        LONG bits, expected;
    } rows[] = {{1, 1}, {7, 1}, {2, 2}, {6, 2}, {4, 4}, {12, 4}, {8, 4}, {0, 4}, {3, 1}, {16, 1}};
    for (const Row& row : rows) EXPECT_EQ(SetCharSELECTED(row.bits), row.expected) << row.bits;
    EXPECT_EQ(GetCharSELECTED(), 1);
}

TEST(OptionRules, StartUpFlagsAlteredWhenTheLowBytesDiffer) {
    struct Row {
        LONG now, at_start;
        bool altered;
    } rows[] = {{0, 0, false}, {1, 0, true}, {0x101, 1, false}, {0x100, 0, false}, {0xff, 0x1ff, false}, {2, 1, true}};
    for (const Row& row : rows) {
        SetDirSortingDisabledAtStarting(row.now);
        SetDirSortingDisabledAtStarting0(row.at_start);
        SetFileSortingDisabledAtStarting(row.at_start);
        SetFileSortingDisabledAtStarting0(row.now);
        EXPECT_EQ(IsDirSortingDisabledAtStartingAltered() != 0, row.altered) << row.now << " " << row.at_start;
        EXPECT_EQ(IsFileSortingDisabledAtStartingAltered() != 0, row.altered) << row.now << " " << row.at_start;
    }
}

TEST(OptionRules, NonArchivedFileUsedSavesAndRestoresSelectArc) {
    SetSELECT_ARC(0x5);
    EXPECT_EQ(SetNonArchivedFileUsed(), 0x5);
    EXPECT_EQ(GetSELECT_ARC(), 0);
    AddSELECT_ARC(0x8);
    EXPECT_EQ(RecovernArchivedFileUsed(), 0x5);
    EXPECT_EQ(GetSELECT_ARC(), 0x5);
    SetSELECT_ARC(0);
}

TEST(OptionRules, ResetMouseTrackingClearsTheFlagAndTheCapture) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "FerroCaptureTest";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, "FerroCaptureTest", "", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr, nullptr, nullptr);
    SetCapture(window);
    SetMOUSETRACK(1);
    EXPECT_EQ(ResetMouseTracking(), 0);
    EXPECT_EQ(IsMOUSETRACK(), 0);
    EXPECT_EQ(GetCapture(), nullptr);
    DestroyWindow(window);
}
