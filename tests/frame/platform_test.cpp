#include <gtest/gtest.h>
#include <windows.h>
#include "support/guarded_buffer.h"
#include "support/message_box_recorder.h"
#include "support/sjis.h"
#include "support/temp_folder.h"

using namespace ferro_test;

TEST(Platform, AnsiCodePageIsShiftJis) { EXPECT_EQ(GetACP(), 932u); }

TEST(Support, RecorderCapturesAndAnswersBoxes) {
    MessageBoxRecorder recorder({IDNO});
    int result = MessageBoxA(nullptr, sjis("本文").c_str(), "Title", MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2);
    EXPECT_EQ(result, IDNO);
    ASSERT_EQ(recorder.boxes().size(), 1u);
    EXPECT_EQ(recorder.boxes()[0].caption, "Title");
    EXPECT_EQ(recorder.boxes()[0].text, sjis("本文"));
    EXPECT_EQ(recorder.boxes()[0].style, UINT(MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2));
}

TEST(Support, GuardedBufferEndsAtAnInaccessiblePage) {
    GuardedBuffer buf(520);
    buf.assign(std::string(519, 'a'));
    EXPECT_EQ(buf.str().size(), 519u);
    EXPECT_TRUE(IsBadWritePtr(buf.data() + 520, 1));
}
