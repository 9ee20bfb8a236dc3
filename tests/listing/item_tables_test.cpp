// The item and dropped-item tables: capacity and its box, the high-water
// mark, the table ends, the walkers and the hand-over arrays.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "frame/memory_blocks.h"
#include "listing/selection.h"
#include "support/message_box_recorder.h"
#include "support/sjis.h"

using ferro_test::MessageBoxRecorder;
using ferro_test::sjis;

namespace {
class ItemTables : public ::testing::Test {
protected:
    void SetUp() override { reset(); }
    void TearDown() override { reset(); }
    static void reset() {
        SetSafetyTotalForItemFile(-1);
        FreeItemFileAfterCurNumber(0, 0);
    }
    static std::string item(LONG i) {
        const char* p = GlobalLockItemFile(i);
        std::string s = p ? p : "<null>";
        if (p) GlobalUnlockItemFile(i);
        return s;
    }
    static std::string dropped(LONG i) {
        const char* p = GlobalLockDroppedItemFile(i);
        std::string s = p ? p : "<null>";
        if (p) GlobalUnlockDroppedItemFile(i);
        return s;
    }
};

// ---- Capacity
TEST_F(ItemTables, LastIndexIsStoredAndTheNextShowsTheBox) {
    MessageBoxRecorder boxes;
    EXPECT_EQ(30001, GetMaxItemFileNumber());
    EXPECT_EQ(1, SaveItemFile(nullptr, 30000, "C:\\last", nullptr));
    EXPECT_EQ("C:\\last", item(30000));
    EXPECT_TRUE(boxes.boxes().empty());

    boxes.answer(IDOK);
    EXPECT_EQ(-1, SaveItemFile(nullptr, 30001, "C:\\over", nullptr));
    ASSERT_EQ(1u, boxes.boxes().size());
    EXPECT_EQ(sjis("設定項目数 30000 を超過したため項目を記憶領域に追加できません。"), boxes.boxes()[0].text);
    EXPECT_EQ(sjis("Ferrolan:項目追加"), boxes.boxes()[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), boxes.boxes()[0].style & MB_ICONMASK);
}

TEST_F(ItemTables, EveryAccessBeyondTheTableIsAnError) {
    MessageBoxRecorder boxes;
    boxes.answer_all(IDOK);
    EXPECT_EQ(-1, SaveItemFileType(30001, 4, 0));
    EXPECT_EQ(-1, GetItemFileType(30001));
    EXPECT_EQ(-1, GetDroppedItemFileType(40000));
    EXPECT_EQ(3u, boxes.boxes().size());
    EXPECT_EQ(nullptr, GlobalLockItemFile(30001));
}

TEST_F(ItemTables, NegativeIndexesAnswerQuietly) {
    MessageBoxRecorder boxes;
    EXPECT_EQ(0, GetItemFileType(-1));
    EXPECT_EQ(0, GetDroppedItemFileType(-5));
    EXPECT_EQ(0, SaveItemFile(nullptr, -1, "C:\\x", nullptr));
    EXPECT_EQ(0, SaveItemFileType(-1, 4, 0));
    EXPECT_EQ(nullptr, GlobalLockItemFile(-1));
    EXPECT_EQ(nullptr, GlobalLockDroppedItemFile(0));  // empty record
    EXPECT_TRUE(boxes.boxes().empty());
}

// ---- High-water mark
TEST_F(ItemTables, HighWaterMarkRecordsQuietly) {
    MessageBoxRecorder boxes;  // no box is scripted: one would fail the test
    EXPECT_EQ(0, GetSafetyTotalForItemFile());
    SetSafetyTotalForItemFile(0);
    EXPECT_EQ(1, GetSafetyTotalForItemFile());
    EXPECT_EQ(1, SaveItemFile(nullptr, 7, "C:\\a", nullptr));
    EXPECT_EQ(8, GetSafetyTotalForItemFile());
    EXPECT_EQ(0, GetItemFileType(3));
    EXPECT_EQ(8, GetSafetyTotalForItemFile());
    EXPECT_EQ(-1, SaveItemFile(nullptr, 30001, "C:\\b", nullptr));
    EXPECT_EQ(30002, GetSafetyTotalForItemFile());
    EXPECT_TRUE(boxes.boxes().empty());
    SetSafetyTotalForItemFile(-1);
    EXPECT_EQ(0, GetSafetyTotalForItemFile());
}

// ---- Storing and ending
TEST_F(ItemTables, PathsTypesAndTheDroppedCopy) {
    const std::string name = sjis("C:\\表\\ソ能");
    EXPECT_EQ(1, SaveItemFile(nullptr, 0, name.c_str(), name.c_str()));
    EXPECT_EQ(1, SaveItemFileType(0, 4, 0));
    EXPECT_EQ(1, SaveItemFile(nullptr, 1, "C:\\dir", nullptr));
    EXPECT_EQ(1, SaveItemFileType(1, 2, -1));
    EXPECT_EQ(name, item(0));
    EXPECT_EQ(name, dropped(0));
    EXPECT_EQ("<null>", dropped(1));
    EXPECT_EQ(4, GetItemFileType(0));
    EXPECT_EQ(4, GetDroppedItemFileType(0));
    EXPECT_EQ(2, GetItemFileType(1));
    EXPECT_EQ(0, GetDroppedItemFileType(1));
    EXPECT_EQ(1, SaveItemFile(nullptr, 2, nullptr, nullptr));  // null stores an empty string
    EXPECT_EQ("", item(2));
}

TEST_F(ItemTables, EmptyPathClearsBothTypesAndEndsTheWalk) {
    for (LONG i = 0; i < 3; ++i) {
        SaveItemFile(nullptr, i, "C:\\x", "C:\\x");
        SaveItemFileType(i, 4, 0);
    }
    EXPECT_EQ(3, FindTotalNumberOfAllSelectedFoldersAndFiles());
    EXPECT_EQ(1, SaveItemFile(nullptr, 1, "", nullptr));
    EXPECT_EQ(0, GetItemFileType(1));
    EXPECT_EQ(0, GetDroppedItemFileType(1));
    EXPECT_EQ(1, FindTotalNumberOfAllSelectedFoldersAndFiles());
}

TEST_F(ItemTables, FreeAfterIndexKeepsTheRecordsBefore) {
    for (LONG i = 0; i < 4; ++i) {
        SaveItemFile(nullptr, i, "C:\\x", "C:\\x");
        SaveItemFileType(i, 4, 0);
    }
    EXPECT_EQ(1, FreeItemFileAfterCurNumber(2, -1));
    EXPECT_EQ("C:\\x", item(1));
    EXPECT_EQ("<null>", item(2));
    EXPECT_EQ(0, GetItemFileType(3));
    EXPECT_EQ(4, GetDroppedItemFileType(3));  // dropped records kept
    EXPECT_EQ(1, FreeDroppedFile());
    EXPECT_EQ(0, GetDroppedItemFileType(0));
    EXPECT_EQ("<null>", dropped(0));
}

// ---- Walkers
struct MaskRow { LONG mask; LONG start; LONG expected; };

TEST_F(ItemTables, FindNextMatchesByMask) {
    const LONG types[] = {4, 2, 0x10, 4, 0x12};
    for (LONG i = 0; i < 5; ++i) {
        SaveItemFile(nullptr, i, "C:\\x", "C:\\x");
        SaveItemFileType(i, types[i], 0);
    }
    const MaskRow rows[] = {
        {4, -1, 0}, {4, 0, 3}, {2, 0, 1}, {2, 1, 2}, {2, 2, 4}, {4, 3, -1}, {0x10, 0, 2}, {8, -1, -1},
    };
    for (const auto& r : rows) {
        LONG mask = r.mask, first = -7;
        EXPECT_EQ(r.expected, FindNextSelectedFilesAndDirs(r.start, nullptr, 0, &mask, &first))
            << "mask " << r.mask << " start " << r.start;
        EXPECT_EQ(r.expected < 0 ? 1 : r.mask, mask);
        EXPECT_EQ(r.start >= 0 ? types[r.start] : 0, first);
    }
    LONG mask = 2, total = -1, first = 0;
    EXPECT_EQ(1, FindNextSelectedFilesAndDirs(0, &total, 0, &mask, &first));
    EXPECT_EQ(3, total);  // records 1, 2 and 4 are folders
}

TEST_F(ItemTables, FirstSelectedItemName) {
    char out[520];
    memset(out, 'x', sizeof out);
    EXPECT_EQ(-1, GetFirstSelectedItemName(out, 4));
    EXPECT_STREQ("", out);
    EXPECT_EQ(1, GetFirstSelectedItemAttrib());
    SaveItemFile(nullptr, 0, "C:\\dir", "C:\\dir");
    SaveItemFileType(0, 0x10, 0);
    const std::string name = sjis("C:\\表.txt");
    SaveItemFile(nullptr, 1, name.c_str(), name.c_str());
    SaveItemFileType(1, 4, 0);
    EXPECT_EQ(1, GetFirstSelectedItemName(out, 4));
    EXPECT_EQ(name, out);
    EXPECT_EQ(4, GetFirstSelectedItemAttrib());
    EXPECT_EQ(0, GetFirstSelectedItemName(out, 2));
    EXPECT_STREQ("C:\\dir", out);
    EXPECT_EQ(0x10, GetFirstSelectedItemAttrib());
}

TEST_F(ItemTables, DroppedAndItemTablesCopyBothWays) {
    for (LONG i = 0; i < 5; ++i) {
        SaveItemFile(nullptr, i, ("C:\\old" + std::to_string(i)).c_str(), "C:\\old");
        SaveItemFileType(i, 4, 0);
    }
    FreeItemFileAfterCurNumber(2, -1);
    EXPECT_EQ(1, SaveDroppedFileFromItemFile(nullptr));
    EXPECT_EQ("C:\\old1", dropped(1));
    EXPECT_EQ("", dropped(2));
    EXPECT_EQ(2, FindTotalNumberOfAllSelectedFoldersAndFiles());

    SaveItemFile(nullptr, 0, "C:\\new", nullptr);
    for (LONG i = 1; i < 6; ++i) SaveItemFile(nullptr, i, "C:\\more", nullptr);
    EXPECT_EQ(1, SaveItemFileFromDroppedFile(nullptr));
    EXPECT_EQ("C:\\old0", item(0));
    EXPECT_EQ("C:\\old1", item(1));
    EXPECT_EQ("<null>", item(2));  // the item table ends with the dropped one
}

TEST_F(ItemTables, SaveAllDroppedFileCountsFilesAndFolders) {
    const char* names[] = {"C:\\a.txt", "C:\\b", "C:\\c", "C:\\d.txt"};
    const LONG types[] = {4, 2, 0x10, 4, 0};
    HGLOBAL handles[5] = {};
    for (int i = 0; i < 4; ++i) handles[i] = SaveToGlobalMemory(nullptr, nullptr, names[i]);
    SaveItemFile(nullptr, 6, "C:\\stale", nullptr);
    EXPECT_EQ(4, SaveAllDroppedFile(nullptr, handles, types));
    EXPECT_EQ(2, GetTotalFileNumberOfSelectedFoldersAndFiles());
    EXPECT_EQ(2, GetTotalFolderNumberOfSelectedFoldersAndFiles());
    EXPECT_EQ("C:\\c", item(2));
    EXPECT_EQ(0x10, GetItemFileType(2));
    EXPECT_EQ("<null>", item(6));
    EXPECT_EQ(0, SaveAllDroppedFile(nullptr, nullptr, types));
    for (int i = 0; i < 4; ++i) GlobalFree(handles[i]);
}

// ---- Full tables and the host's arrays
TEST_F(ItemTables, FullTableIsHandedOverWithItsEnd) {
    for (LONG i = 0; i <= 30000; ++i) {
        ASSERT_EQ(1, SaveItemFile(nullptr, i, "C:\\f", nullptr));
        SaveItemFileType(i, (i & 1) ? 2 : 4, -1);
    }
    HGLOBAL* handles = nullptr;
    LPSTR* pointers = nullptr;
    ASSERT_EQ(1, GetItemFilePointers(&handles, &pointers));
    ASSERT_GE(GlobalSize(handles), 30002 * sizeof(HGLOBAL));
    LONG* types = static_cast<LONG*>(GlobalAlloc(GPTR, 30002 * sizeof(LONG)));
    EXPECT_EQ(30001, GetFindSelectedFilesAndDirsPointers(types, handles));
    EXPECT_EQ(4, types[30000]);
    EXPECT_EQ(2, types[29999]);
    EXPECT_EQ(0, types[30001]);
    EXPECT_EQ(nullptr, handles[30001]);
    GlobalFree(types);
    // The host's own copies: blocks it locked are unlocked and freed.
    for (int i = 0; i < 3; ++i) {
        handles[i] = SaveToGlobalMemory(nullptr, nullptr, "C:\\copy");
        pointers[i] = static_cast<LPSTR>(GlobalLock(handles[i]));
    }
    handles[3] = nullptr;
    EXPECT_EQ(1, ReleaseItemFilePointers(handles, pointers));
    EXPECT_EQ(0, GetFindSelectedFilesAndDirsPointers(nullptr, nullptr));
}

TEST_F(ItemTables, FirstNameFromTheTemporaryBlock) {
    char out[520];
    SaveToGlobal_ghTempMemory(nullptr, (sjis("表ソ.txt") + " second third").c_str());
    EXPECT_EQ(1, SetFirstSelectedFileFromList(out));
    EXPECT_EQ(sjis("表ソ.txt"), out);
    SaveToGlobal_ghTempMemory(nullptr, std::string(700, 'a').c_str());
    EXPECT_EQ(1, SetFirstSelectedFileFromList(out));
    EXPECT_EQ(519u, strlen(out));
    EXPECT_EQ(0, SetFirstSelectedFileFromList(nullptr));
}
}  // namespace
