// Message loading: the two buffers, the failure mask, "<Failed>", the
// resource instance and GetStringFromStringID.
#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>
#include <string>
#include "ferromes.h"
#include "support/sjis.h"

using ferro_test::sjis;

namespace {
HINSTANCE ferromes_module() { return GetModuleHandleA("ferromes.dll"); }
HINSTANCE test_program() { return GetModuleHandleA(nullptr); }

// Leaves text in both buffers, so that a test sees what a call empties.
void fill_buffers() {
    ASSERT_EQ(0u, _MyLoadString(ferromes_module(), 1096, 1008));
    ASSERT_STRNE("", GetLoadStrMessage());
    ASSERT_STRNE("", GetLoadStrTitle());
}

DWORD WINAPI idle_thread(LPVOID) { return 0; }

// Restores the library's own module as the resource instance after a test.
struct InstanceGuard {
    HINSTANCE saved = GetUserDlgInstance();
    ~InstanceGuard() { SetUserDlgInstance(saved); }
};
}  // namespace

// ---- The failure mask and the "<Failed>" text

struct MaskCase {
    UINT message, title;
    UINT mask;
    const char* message_text;  // UTF-8
    const char* title_text;
};

class LoadingMask : public testing::TestWithParam<MaskCase> {};

TEST_P(LoadingMask, FillsBothBuffersAndReportsMissingStrings) {
    const MaskCase& c = GetParam();
    fill_buffers();
    EXPECT_EQ(c.mask, MyLoadString(c.message, c.title));
    EXPECT_EQ(sjis(c.message_text), GetLoadStrMessage());
    EXPECT_EQ(sjis(c.title_text), GetLoadStrTitle());
}

INSTANTIATE_TEST_SUITE_P(
    Table, LoadingMask,
    testing::Values(
        // 0 means "none": the buffer stays empty and nothing is missing
        MaskCase{0, 0, 0, "", ""},
        MaskCase{1000, 0, 0, "Ferrolan", ""},
        MaskCase{0, 1000, 0, "", "Ferrolan"},
        MaskCase{1096, 1008, 0, "ﾒﾓﾘｰｴﾗｰ\n記憶領域の割り当て失敗!!", "Ferrolan:初期化ﾌｧｲﾙ"},
        // missing title: bit 0; missing message: bit 1
        MaskCase{1000, 1234567, 1, "Ferrolan", "<Failed>"},
        MaskCase{1234567, 1000, 2, "<Failed>", "Ferrolan"},
        MaskCase{5, 6, 3, "<Failed>", "<Failed>"},
        // the special-folder value names 11207 and 11218 are not in the table
        MaskCase{11207, 11218, 3, "<Failed>", "<Failed>"},
        // numbers above 16 bits name no string, even where their low word would
        MaskCase{0x10000 + 1000, 0x20000 + 1008, 3, "<Failed>", "<Failed>"},
        MaskCase{0xffffffffu, 0, 2, "<Failed>", ""}));

TEST(Loading, NumberZeroHoldsATextThatIsNeverDelivered) {
    const WCHAR* text = nullptr;
    EXPECT_GT(LoadStringW(ferromes_module(), 0, reinterpret_cast<LPWSTR>(&text), 0), 0);
    fill_buffers();
    EXPECT_EQ(0u, MyLoadString(0, 0));
    EXPECT_STREQ("", GetLoadStrMessage());
    EXPECT_STREQ("", GetLoadStrTitle());
}

TEST(Loading, BuffersAreFixedAndShared) {
    char* message = GetLoadStrMessage();
    char* title = GetLoadStrTitle();
    EXPECT_NE(message, title);
    MyLoadString(1000, 1008);
    EXPECT_EQ(message, GetLoadStrMessage());
    EXPECT_EQ(title, GetLoadStrTitle());
    // The title buffer does not overlap the 1040 message bytes, nor the other way round.
    EXPECT_TRUE(title >= message + 1040 || message >= title + 1040);
}

TEST(Loading, ExplicitInstanceWithoutTheStringsFails) {
    fill_buffers();
    // The test program holds strings 1 to 8 of its own, but not 1000 or 7009.
    EXPECT_EQ(3u, _MyLoadString(test_program(), 1000, 7009));
    EXPECT_STREQ("<Failed>", GetLoadStrMessage());
    EXPECT_STREQ("<Failed>", GetLoadStrTitle());
    EXPECT_EQ(0u, _MyLoadString(test_program(), 8, 0));
    EXPECT_EQ(std::string(1038, 'f'), GetLoadStrMessage());
}

TEST(Loading, ExplicitInstanceOfTheLibraryMatchesTheDefault) {
    EXPECT_EQ(0u, _MyLoadString(GetSysDlgInstance(), 7010, 7009));
    const std::string message = GetLoadStrMessage(), title = GetLoadStrTitle();
    EXPECT_EQ(0u, MyLoadString(7010, 7009));
    EXPECT_EQ(message, GetLoadStrMessage());
    EXPECT_EQ(title, GetLoadStrTitle());
    EXPECT_EQ(sjis("項目数が設定数 %d を超過しました。"), message);
}

// ---- GetStringFromStringID

TEST(StringFromStringId, ResultIsTitleThenMessageThenMask) {
    LPSTR message = reinterpret_cast<LPSTR>(1), title = reinterpret_cast<LPSTR>(1);
    // both out-pointers: the title pointer
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(GetLoadStrTitle()),
              GetStringFromStringID(GetSysDlgInstance(), 196, 216, &message, &title));
    EXPECT_EQ(GetLoadStrMessage(), message);
    EXPECT_EQ(GetLoadStrTitle(), title);
    EXPECT_EQ(sjis("文字列 '%s' が見つかりません。"), message);
    EXPECT_EQ(sjis("文字列検索・置換"), title);

    // only the message: the message pointer (the replace count of the search)
    message = nullptr;
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(GetLoadStrMessage()),
              GetStringFromStringID(GetSysDlgInstance(), 220, 0, &message, nullptr));
    EXPECT_EQ(GetLoadStrMessage(), message);
    EXPECT_EQ(sjis("%d個を置換しました\r\n"), message);
    EXPECT_STREQ("", GetLoadStrTitle());

    // only the title: the title pointer
    title = nullptr;
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(GetLoadStrTitle()),
              GetStringFromStringID(GetSysDlgInstance(), 0, 1000, nullptr, &title));
    EXPECT_STREQ("Ferrolan", title);

    // neither: the failure mask
    EXPECT_EQ(0u, GetStringFromStringID(GetSysDlgInstance(), 196, 216, nullptr, nullptr));
    EXPECT_EQ(3u, GetStringFromStringID(GetSysDlgInstance(), 5, 6, nullptr, nullptr));
    EXPECT_EQ(1u, GetStringFromStringID(GetSysDlgInstance(), 196, 6, nullptr, nullptr));
    EXPECT_STREQ("<Failed>", GetLoadStrTitle());
}

// ---- The resource instance

TEST(ResourceInstance, StartsAsTheLibraryItself) {
    EXPECT_EQ(ferromes_module(), GetUserDlgInstance());
    EXPECT_EQ(ferromes_module(), GetSysDlgInstance());
}

TEST(ResourceInstance, OneHandleUnderTwoNames) {
    InstanceGuard guard;
    HINSTANCE program = test_program();
    EXPECT_EQ(program, SetSysDlgInstance(program));
    EXPECT_EQ(program, GetUserDlgInstance());
    EXPECT_EQ(program, GetSysDlgInstance());
    EXPECT_EQ(ferromes_module(), SetUserDlgInstance(ferromes_module()));
    EXPECT_EQ(ferromes_module(), GetSysDlgInstance());
}

TEST(ResourceInstance, MyLoadStringReadsFromTheReplacedInstance) {
    InstanceGuard guard;
    SetUserDlgInstance(test_program());
    EXPECT_EQ(2u, MyLoadString(1000, 8));
    EXPECT_STREQ("<Failed>", GetLoadStrMessage());
    EXPECT_EQ(std::string(1038, 'f'), GetLoadStrTitle());
    SetUserDlgInstance(ferromes_module());
    EXPECT_EQ(0u, MyLoadString(1000, 0));
    EXPECT_STREQ("Ferrolan", GetLoadStrMessage());
}

TEST(ResourceInstance, ThreadsStartingAndEndingKeepTheReplacedInstance) {
    InstanceGuard guard;
    SetUserDlgInstance(test_program());
    HANDLE thread = CreateThread(nullptr, 0, idle_thread, nullptr, 0, nullptr);
    ASSERT_NE(nullptr, thread);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    EXPECT_EQ(test_program(), GetUserDlgInstance());
}

TEST(ResourceInstance, NullInstanceMeansTheProgram) {
    // A null module is the program itself for the platform's resource loading.
    EXPECT_EQ(0u, _MyLoadString(nullptr, 8, 1));
    EXPECT_EQ(std::string(1038, 'f'), GetLoadStrMessage());
    EXPECT_EQ(std::string(1039, 'a'), GetLoadStrTitle());
}
