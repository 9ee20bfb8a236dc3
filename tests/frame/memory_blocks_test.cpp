#include <gtest/gtest.h>
#include <windows.h>
#include <cstddef>
#include <cstring>
#include <string>
#include <vector>
#include "frame/memory_blocks.h"
#include "frame/size_degradation.h"
#include "frame/handles.h"
#include "shutdown.h"
#include "support/message_box_recorder.h"
#include "support/sjis.h"
#include "test_window.h"

using ferro_test::MessageBoxRecorder;
using ferro_test::sjis;
using frame_test::TestWindow;

namespace {
std::string block_text(HGLOBAL h) {
    const char* p = static_cast<const char*>(GlobalLock(h));
    std::string text = p ? std::string(p, strnlen(p, GlobalSize(h))) : std::string();
    GlobalUnlock(h);
    return text;
}

UINT lock_count(HGLOBAL h) { return GlobalFlags(h) & GMEM_LOCKCOUNT; }

bool all_zero(const char* p, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i)
        if (p[i]) return false;
    return true;
}

// A movable block whose memory was discarded: it exists, but cannot be locked.
HGLOBAL discarded_block() {
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_DISCARDABLE, 16);
    GlobalDiscard(h);
    return h;
}

// A handle that was freed: the allocator refuses to resize or lock it.
HGLOBAL freed_block() {
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, 16);
    GlobalFree(h);
    return h;
}
}  // namespace

// ---- Size degradation

TEST(SizeDegradation, SequenceStepsBy255From256UpAndByOneBelow) {
    struct Row {
        DWORD from, to;
    } rows[] = {{300, 45}, {45, 44}, {256, 1}, {255, 254}, {511, 256}, {510, 255}, {2, 1}, {1, 0}};
    for (const Row& row : rows) EXPECT_EQ(ferro::next_smaller_size(row.from), row.to) << row.from;
}

TEST(SizeDegradation, TriesEverySizeDownToTheFirstThatSucceeds) {
    std::vector<DWORD> tried;
    DWORD got = ferro::degrade_until(300, [&](DWORD size) {
        tried.push_back(size);
        return size <= 40;
    });
    EXPECT_EQ(got, 40u);
    EXPECT_EQ(tried, (std::vector<DWORD>{300, 45, 44, 43, 42, 41, 40}));
}

TEST(SizeDegradation, GivesZeroWhenNothingSucceeds) {
    std::vector<DWORD> tried;
    EXPECT_EQ(ferro::degrade_until(300, [&](DWORD size) { tried.push_back(size); return false; }), 0u);
    ASSERT_EQ(tried.size(), 46u);  // 300, then 45 down to 1
    EXPECT_EQ(tried.back(), 1u);
    EXPECT_EQ(ferro::degrade_until(0, [](DWORD) { return true; }), 0u);
}

// ---- Blocks

TEST(GlobalHandle, AllocatesAndResizesZeroInitialisedMovableBlocks) {
    HGLOBAL h = GetGlobalHandle(nullptr, 100);
    ASSERT_TRUE(h);
    EXPECT_EQ(GlobalSize(h), 100u);
    EXPECT_EQ(GlobalFlags(h) & GMEM_DISCARDED, 0u);
    char* p = static_cast<char*>(GlobalLock(h));
    EXPECT_TRUE(all_zero(p, 100));
    std::memset(p, 'x', 100);
    GlobalUnlock(h);
    HGLOBAL bigger = GetGlobalHandle(h, 300);
    ASSERT_TRUE(bigger);
    p = static_cast<char*>(GlobalLock(bigger));
    EXPECT_EQ(p[99], 'x');
    EXPECT_TRUE(all_zero(p + 100, 200));
    GlobalUnlock(bigger);
    GlobalFree(bigger);
}

TEST(SaveToGlobalMemory, StoresACopyAndResizesTheBlock) {
    HGLOBAL h = SaveToGlobalMemory(nullptr, nullptr, "abcdef");
    ASSERT_TRUE(h);
    EXPECT_EQ(GlobalSize(h), 7u);
    EXPECT_EQ(block_text(h), "abcdef");
    h = SaveToGlobalMemory(nullptr, h, sjis("表ソ能").c_str());
    EXPECT_EQ(GlobalSize(h), 7u);
    EXPECT_EQ(block_text(h), sjis("表ソ能"));
    h = SaveToGlobalMemory(nullptr, h, "");
    EXPECT_EQ(GlobalSize(h), 1u);
    EXPECT_EQ(block_text(h), "");
    EXPECT_EQ(SaveToGlobalMemory(nullptr, h, nullptr), h);  // nothing to store
    GlobalFree(h);
}

TEST(AddToGlobalMemory, AppendsToTheStringOfTheBlock) {
    struct Row { const char* first; std::string added; std::string expected; } rows[] = {
        {"abc", "", "abc"},
        {"abc", "def", "abcdef"},
        {"", "def", "def"},
        {"C:\\", sjis("表\\能"), "C:\\" + sjis("表\\能")},
    };
    for (const Row& row : rows) {
        HGLOBAL h = SaveToGlobalMemory(nullptr, nullptr, row.first);
        h = AddToGlobalMemory(nullptr, h, row.added.c_str());
        ASSERT_TRUE(h);
        EXPECT_EQ(block_text(h), row.expected);
        EXPECT_EQ(GlobalSize(h), row.expected.size() + 1);
        EXPECT_EQ(lock_count(h), 0u);
        GlobalFree(h);
    }
}

TEST(AddToGlobalMemory, AppendsAfterAStringThatFillsASizedBlock) {
    // A block sized by hand may hold its string without a NUL: only its bytes count.
    HGLOBAL h = GetGlobalHandle(nullptr, 4);
    std::memcpy(GlobalLock(h), "wxyz", 4);
    GlobalUnlock(h);
    h = AddToGlobalMemory(nullptr, h, "!");
    EXPECT_EQ(block_text(h), "wxyz!");
    GlobalFree(h);
}

// ---- String pointers

TEST(StringPointer, NullTextReturnsTheCurrentPointerUnchanged) {
    HGLOBAL h = SaveToGlobalMemory(nullptr, nullptr, "keep");
    char* p = static_cast<char*>(GlobalLock(h));
    HGLOBAL handle = h;
    EXPECT_EQ(GetStringPointer(&handle, p, nullptr), p);
    EXPECT_EQ(AddStringPointer(&handle, p, nullptr), p);
    EXPECT_EQ(handle, h);
    EXPECT_EQ(lock_count(h), 1u);
    EXPECT_STREQ(p, "keep");
    GlobalUnlock(h);
    GlobalFree(h);
    HGLOBAL none = nullptr;
    EXPECT_EQ(GetStringPointer(&none, nullptr, nullptr), nullptr);
    EXPECT_EQ(none, nullptr);
}

TEST(StringPointer, StoresAppendsAndKeepsTheBlockLockedOnce) {
    HGLOBAL h = nullptr;
    char* p = GetStringPointer(&h, nullptr, "abc");
    ASSERT_TRUE(p);
    EXPECT_STREQ(p, "abc");
    EXPECT_EQ(lock_count(h), 1u);
    p = AddStringPointer(&h, p, "def");
    EXPECT_STREQ(p, "abcdef");
    EXPECT_EQ(lock_count(h), 1u);
    p = GetStringPointer(&h, p, "x");
    EXPECT_STREQ(p, "x");
    EXPECT_EQ(lock_count(h), 1u);
    EXPECT_EQ(FreeStringPointer(h, p), 1);
    EXPECT_EQ(FreeStringPointer(nullptr, nullptr), 0);
}

TEST(StringPointerBySize, GivesTheSizeAskedForWhenItCanBeHad) {
    HGLOBAL h = nullptr;
    DWORD got = 12345;
    char* p = GetStringPointerBySize(&h, nullptr, 520, &got);
    ASSERT_TRUE(p);
    EXPECT_EQ(got, 520u);
    EXPECT_EQ(GlobalSize(h), 520u);
    EXPECT_TRUE(all_zero(p, 520));
    p[519] = 'z';  // the whole size is usable
    p = GetStringPointerBySize(&h, p, 300, &got);
    EXPECT_EQ(got, 300u);
    EXPECT_EQ(GlobalSize(h), 300u);
    EXPECT_EQ(lock_count(h), 1u);
    p = GetStringPointerBySize(&h, p, 1, nullptr);
    ASSERT_TRUE(p);
    EXPECT_EQ(GlobalSize(h), 1u);
    EXPECT_EQ(lock_count(h), 1u);
    FreeStringPointer(h, p);
}

TEST(StringPointerBySize, SizeZeroFailsAndLeavesTheBlockUnlocked) {
    HGLOBAL h = nullptr;
    char* p = GetStringPointerBySize(&h, nullptr, 16, nullptr);
    ASSERT_TRUE(p);
    DWORD got = 777;
    EXPECT_EQ(GetStringPointerBySize(&h, p, 0, &got), nullptr);
    EXPECT_EQ(got, 0u);
    ASSERT_TRUE(h);
    EXPECT_EQ(lock_count(h), 0u);
    GlobalFree(h);
    HGLOBAL none = nullptr;
    EXPECT_EQ(GetStringPointerBySize(&none, nullptr, 0, &got), nullptr);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(GetStringPointerBySize(nullptr, nullptr, 10, &got), nullptr);
}

// ---- Memory tags

// The 32-bit layout callers rely on; the x64 build widens the handle and pointer.
#ifndef _WIN64
static_assert(sizeof(MemoryTag) == 12);
static_assert(offsetof(MemoryTag, pointer) == 4);
static_assert(offsetof(MemoryTag, length) == 8);
#endif

TEST(MemoryTag, LengthFollowsTheStringOrTheSizeObtained) {
    MemoryTag tag = {};
    EXPECT_STREQ(GetMemoryTag(&tag, "abc"), "abc");
    EXPECT_EQ(tag.length, 3u);
    EXPECT_EQ(tag.pointer, static_cast<char*>(GlobalLock(tag.handle)));
    GlobalUnlock(tag.handle);
    EXPECT_STREQ(AddMemoryTag(&tag, sjis("表").c_str()), ("abc" + sjis("表")).c_str());
    EXPECT_EQ(tag.length, 5u);
    EXPECT_STREQ(GetMemoryTag(&tag, ""), "");
    EXPECT_EQ(tag.length, 0u);
    LPSTR before = tag.pointer;
    EXPECT_EQ(GetMemoryTag(&tag, nullptr), before);
    EXPECT_EQ(tag.length, 0u);

    DWORD got = 0;
    ASSERT_TRUE(GetMemoryTagBySize(&tag, 300, &got));
    EXPECT_EQ(got, 300u);
    EXPECT_EQ(tag.length, 300u);
    ASSERT_TRUE(GetMemoryTagBySize(&tag, 40, nullptr));
    EXPECT_EQ(tag.length, 40u);
    EXPECT_EQ(GetMemoryTagBySize(&tag, 0, &got), nullptr);
    EXPECT_EQ(tag.length, 0u);
    EXPECT_TRUE(tag.handle);

    EXPECT_EQ(FreeMemoryTag(&tag), 1);
    EXPECT_EQ(tag.handle, nullptr);
    EXPECT_EQ(tag.pointer, nullptr);
    EXPECT_EQ(tag.length, 0u);
    EXPECT_EQ(FreeMemoryTag(&tag), 0);
    EXPECT_EQ(FreeMemoryTag(nullptr), 0);
}

// ---- Temporary block

TEST(TempBlock, StoresAppendsLocksAndIsFreedWithTheStateBlocks) {
    HGLOBAL old = Set_ghTempMemory(nullptr);
    EXPECT_EQ(old, Get_ghTempMemory());
    EXPECT_EQ(GlobalLock_ghTemp(), nullptr);
    EXPECT_EQ(GlobalUnlock_ghTemp(), 0);
    HGLOBAL h = SaveToGlobal_ghTempMemory(nullptr, "one");
    ASSERT_TRUE(h);
    EXPECT_EQ(Get_ghTempMemory(), h);
    h = AddToGlobal_ghTempMemory(nullptr, "two");
    EXPECT_EQ(Get_ghTempMemory(), h);
    EXPECT_STREQ(GlobalLock_ghTemp(), "onetwo");
    GlobalUnlock_ghTemp();
    EXPECT_EQ(lock_count(h), 0u);
    GlobalLock_ghTemp();  // still locked when the state blocks are freed
    EXPECT_EQ(FreeGlobalHandleInDll(), 1);
    EXPECT_EQ(Get_ghTempMemory(), nullptr);
}

// ---- Memory failures

namespace {
class MemoryFailure : public testing::Test {
protected:
    void SetUp() override {
        SetGlobalMemError(0);
        TestWindow::seen().clear();
        SethWndMain(main_window.hwnd());
    }
    void TearDown() override {
        SethWndMain(nullptr);
        SetGlobalMemError(0);
    }
    std::vector<HWND> closed() const {
        std::vector<HWND> windows;
        for (const auto& s : TestWindow::seen())
            if (s.message == WM_CLOSE) windows.push_back(s.window);
        return windows;
    }
    TestWindow main_window;
    TestWindow caller;
    const std::string exhausted = sjis("ﾒﾓﾘｰｴﾗｰ: 記憶領域の確保失敗!!\n強制終了します。");
    const std::string access = sjis("予期せぬｴﾗｰにより記憶領域のｱｸｾｽに失敗しました。");
};
}  // namespace

TEST_F(MemoryFailure, ReportsOnceThenClosesCallerAndMainWindow) {
    MessageBoxRecorder boxes({IDOK});
    HGLOBAL discarded = discarded_block();
    EXPECT_EQ(AddToGlobalMemory(caller.hwnd(), discarded, "x"), nullptr);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].caption, sjis("AddToGlobalMemory() の警告"));
    EXPECT_EQ(boxes.boxes()[0].text, exhausted + "\n" + access);
    EXPECT_EQ(boxes.boxes()[0].style, UINT(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(closed(), (std::vector<HWND>{caller.hwnd(), main_window.hwnd()}));
    EXPECT_EQ(IsGlobalMemError(), 1);

    // A second failure closes again, without a box.
    TestWindow::seen().clear();
    EXPECT_EQ(SaveToGlobalMemory(caller.hwnd(), freed_block(), "abc"), nullptr);
    EXPECT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(closed(), (std::vector<HWND>{caller.hwnd(), main_window.hwnd()}));
    GlobalFree(discarded);
}

TEST_F(MemoryFailure, SaveReportsUnderItsOwnTitleAndClosesOnlyTheMainWindowForNoCaller) {
    MessageBoxRecorder boxes({IDOK});
    EXPECT_EQ(SaveToGlobalMemory(nullptr, freed_block(), "abc"), nullptr);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].caption, sjis("SaveToGlobalMemory() の警告"));
    EXPECT_EQ(boxes.boxes()[0].text, exhausted + "\n" + access);
    EXPECT_EQ(closed(), (std::vector<HWND>{main_window.hwnd()}));
}

TEST_F(MemoryFailure, CallerThatIsTheMainWindowIsClosedOnce) {
    SetGlobalMemError(1);
    HGLOBAL discarded = discarded_block();
    EXPECT_EQ(AddToGlobalMemory(main_window.hwnd(), discarded, "x"), nullptr);
    EXPECT_EQ(closed(), (std::vector<HWND>{main_window.hwnd()}));
    GlobalFree(discarded);
}

TEST_F(MemoryFailure, WithoutMainWindowNothingIsClosed) {
    SethWndMain(nullptr);
    SetGlobalMemError(1);
    HGLOBAL discarded = discarded_block();
    EXPECT_EQ(AddToGlobalMemory(caller.hwnd(), discarded, "x"), nullptr);
    EXPECT_TRUE(closed().empty());
    EXPECT_EQ(IsGlobalMemError(), 1);
    GlobalFree(discarded);
}

TEST_F(MemoryFailure, StringPointerKeepsTheBlockItCouldNotAppendTo) {
    SetGlobalMemError(1);
    HGLOBAL discarded = discarded_block();
    HGLOBAL h = discarded;
    EXPECT_EQ(AddStringPointer(&h, nullptr, "x"), nullptr);
    EXPECT_EQ(h, discarded);
    GlobalFree(discarded);
}
