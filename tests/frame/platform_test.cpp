#include <gtest/gtest.h>
#include <windows.h>
#include "support/guarded_buffer.h"
#include "support/message_box_recorder.h"
#include "support/sjis.h"
#include "support/temp_folder.h"

using namespace ferro_test;

TEST(Platform, AnsiCodePageIsShiftJis) { EXPECT_EQ(GetACP(), 932u); }

TEST(Support, SjisConvertsToCodePage932) {
    EXPECT_EQ(sjis("表"), "\x95\x5c");
    EXPECT_EQ(sjis("ｶﾞ"), "\xb6\xde");
    EXPECT_EQ(utf8(sjis("ソ能")), "ソ能");
}

TEST(Support, RecorderCapturesAndAnswersBoxes) {
    MessageBoxRecorder recorder;
    recorder.answer(IDNO);
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

TEST(Support, TempFolderRemovesReadOnlyFiles) {
    std::string root;
    {
        TempFolder tmp;
        root = tmp.path();
        std::string f = tmp.file(sjis("表\\能.txt"), "x");
        SetFileAttributesA(f.c_str(), FILE_ATTRIBUTE_READONLY);
        EXPECT_EQ(read_file(f), "x");
    }
    EXPECT_FALSE(exists(root));
}

TEST(Support, RecorderAnswersUnscriptedBoxesWithDefault) {
    MessageBoxRecorder recorder;
    recorder.answer_all(IDCANCEL);
    EXPECT_EQ(MessageBoxA(nullptr, "a", "b", MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(MessageBoxA(nullptr, "a", "b", MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON3), IDCANCEL);
    ASSERT_EQ(recorder.boxes().size(), 2u);
    EXPECT_EQ(recorder.boxes()[1].style, UINT(MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON3));
}
