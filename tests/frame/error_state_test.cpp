#include <gtest/gtest.h>
#include <windows.h>
#include "frame/error_state.h"

// ---- Win32 error to error number
struct ErrnoRow { DWORD win32; int number; };

class ErrnoTable : public testing::TestWithParam<ErrnoRow> {};

TEST_P(ErrnoTable, SetsAndReturnsTheNumber) {
    Set_errno(-5);
    Set_nERRNO(GetParam().win32);
    EXPECT_EQ(GetErrnoFromWin32(), GetParam().number);
    EXPECT_EQ(Get_errno(), GetParam().number);
    EXPECT_EQ(Get_nERRNO(), GetParam().win32) << "the stored error stays";
}

INSTANTIATE_TEST_SUITE_P(
    AllRows, ErrnoTable,
    testing::Values(ErrnoRow{0, 0}, ErrnoRow{2, 2}, ErrnoRow{3, 2}, ErrnoRow{18, 2}, ErrnoRow{123, 2},
                    ErrnoRow{161, 2}, ErrnoRow{4, 24}, ErrnoRow{5, 13}, ErrnoRow{12, 13}, ErrnoRow{6, 9},
                    ErrnoRow{8, 12}, ErrnoRow{14, 12}, ErrnoRow{1130, 12}, ErrnoRow{0x80030008u, 12},
                    ErrnoRow{0x8007000Eu, 12}, ErrnoRow{11, 8}, ErrnoRow{39, 28}, ErrnoRow{112, 28},
                    ErrnoRow{80, 17}, ErrnoRow{183, 17},
                    // Outside the table: invalid argument.
                    ErrnoRow{87, 22}, ErrnoRow{32, 22}, ErrnoRow{1, 22}, ErrnoRow{0xffffffffu, 22}));

// ---- Stored error
TEST(ErrorState, ExterrorReadsTheLastErrorAfresh) {
    Set_nERRNO(0);
    SetLastError(ERROR_SHARING_VIOLATION);
    EXPECT_EQ(my_Dos_exterror(), DWORD(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(Get_nERRNO(), DWORD(ERROR_SHARING_VIOLATION));
}
