#include <gtest/gtest.h>
#include <windows.h>
#include "frame/cursors.h"

namespace {
class Cursors : public testing::Test {
protected:
    void SetUp() override {
        EndSwapCursors();
        SetArrowCursor(nullptr);
        SetHourGlassCursor(nullptr);
    }
    void TearDown() override { SetUp(); }
    HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    HCURSOR wait = LoadCursor(nullptr, IDC_WAIT);
    HCURSOR cross = LoadCursor(nullptr, IDC_CROSS);
    HCURSOR ibeam = LoadCursor(nullptr, IDC_IBEAM);
    HCURSOR hand = LoadCursor(nullptr, IDC_HAND);
};
}  // namespace

TEST_F(Cursors, ZeroLoadsTheSystemCursors) {
    EXPECT_EQ(SetArrowCursor(nullptr), arrow);
    EXPECT_EQ(GetArrowCursor(), arrow);
    EXPECT_EQ(SetHourGlassCursor(nullptr), wait);
    EXPECT_EQ(GetHourGlassCursor(), wait);
    EXPECT_EQ(SetArrowCursor(cross), cross);
    EXPECT_EQ(GetArrowCursor(), cross);
}

TEST_F(Cursors, PutShowsOwnCursorUnlessSwapped) {
    SetArrowCursor(cross);
    SetHourGlassCursor(ibeam);
    PutArrowCursor();
    EXPECT_EQ(GetCursor(), cross);
    PutHourGlassCursor();
    EXPECT_EQ(GetCursor(), ibeam);
    SwapCursors(hand);
    EXPECT_EQ(GetCursor(), hand);
    PutArrowCursor();
    EXPECT_EQ(GetCursor(), hand);
    PutHourGlassCursor();
    EXPECT_EQ(GetCursor(), hand);
}

TEST_F(Cursors, TwoSwapsAndOneEndRestoreTheCursorOfBeforeTheFirstSwap) {
    SetCursor(wait);  // an operation runs with the hourglass
    EXPECT_FALSE(IsCursorSwapped());
    EXPECT_EQ(SwapCursors(cross), wait);
    EXPECT_TRUE(IsCursorSwapped());
    EXPECT_EQ(GetCursor(), cross);
    EXPECT_EQ(SwapCursors(ibeam), wait);  // the saved cursor is kept
    EXPECT_EQ(GetCursor(), ibeam);
    EndSwapCursors();
    EXPECT_FALSE(IsCursorSwapped());
    EXPECT_EQ(GetCursor(), wait);
    // The swap is over: the arrow is the arrow again.
    PutArrowCursor();
    EXPECT_EQ(GetCursor(), arrow);
}
