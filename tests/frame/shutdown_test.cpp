#include <gtest/gtest.h>
#include <windows.h>
#include "frame/memory_blocks.h"
#include "frame/places.h"
#include "shutdown.h"

TEST(Shutdown, FreesTheFrameBlocks) {
    ASSERT_TRUE(SaveFerroHelp("C:\\Ferro\\ferro.chm"));
    ASSERT_TRUE(SaveToGlobal_ghTempMemory(nullptr, "list"));
    GlobalLock_ghTemp();
    EXPECT_EQ(FreeAllAllocateMemoryInDll(), 1);
    EXPECT_STREQ(GetFerroHelp(), "");
    EXPECT_EQ(Get_ghTempMemory(), nullptr);
    // Nothing left to free: a second call is harmless.
    EXPECT_EQ(FreeAllAllocateMemoryInDll(), 1);
    EXPECT_EQ(FreeGlobalHandleInDll(), 1);
    // The help file can be set again afterwards.
    EXPECT_STREQ(SaveFerroHelp("x.chm"), "x.chm");
    FreeAllAllocateMemoryInDll();
}
