#include <string>
#include <vector>
#include "error_box_fixture.h"
#include "frame/cursors.h"
#include "support/guarded_buffer.h"
#include "test_window.h"

using error_test::ErrorBoxTest;
using error_test::message;
using ferro_test::GuardedBuffer;
using ferro_test::MessageBoxRecorder;
using ferro_test::sjis;

namespace {
// ---- Events seen around a box: hooks, the box itself and nested requests
std::vector<std::string> g_events;
int g_nested_answer;
UINT g_nested_style;
HHOOK g_cbt;

void CALLBACK hide_hook() { g_events.push_back(IsWaitForErrorMessge() ? "hide(active)" : "hide"); }
void CALLBACK show_hook() { g_events.push_back(IsWaitForErrorMessge() ? "show(active)" : "show"); }

// While a box of the library is open, asks for a second one.
LRESULT CALLBACK nest_on_activate(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_ACTIVATE) {
        char cls[16] = {};
        GetClassNameA(reinterpret_cast<HWND>(wparam), cls, sizeof cls);
        if (lstrcmpA(cls, "#32770") == 0 && g_nested_answer == 0) {
            g_events.push_back("box");
            g_nested_answer = -1;  // once
            g_nested_answer = myMessageBox(nullptr, "inner", "inner", g_nested_style);
        }
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

class MessageBoxTest : public ErrorBoxTest {
protected:
    void SetUp() override {
        ErrorBoxTest::SetUp();
        g_events.clear();
        g_nested_answer = 0;
    }
    void TearDown() override {
        if (g_cbt) UnhookWindowsHookEx(g_cbt);
        g_cbt = nullptr;
        ErrorBoxTest::TearDown();
    }
    void nest_inside_next_box(UINT style) {
        g_nested_style = style;
        g_cbt = SetWindowsHookExA(WH_CBT, nest_on_activate, nullptr, GetCurrentThreadId());
    }
};
}  // namespace

// ---- The primitive: box, answer, guard

TEST_F(MessageBoxTest, ShowsTextTitleAndStyleAndReturnsTheAnswer) {
    MessageBoxRecorder boxes({IDNO});
    EXPECT_EQ(myMessageBox(nullptr, sjis("表示ソ").c_str(), "T", MB_YESNO | MB_ICONQUESTION), IDNO);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].caption, "T");
    EXPECT_EQ(boxes.boxes()[0].text, sjis("表示ソ"));
    EXPECT_EQ(boxes.boxes()[0].style, UINT(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(IsWaitForErrorMessge(), 0);
}

TEST_F(MessageBoxTest, ABoxRequestedWhileOneIsOpenReturnsAtOnce) {
    struct Row { UINT style; int refused; } rows[] = {
        {MB_OK, IDCANCEL}, {MB_OKCANCEL, IDCANCEL}, {MB_YESNOCANCEL, IDCANCEL}, {MB_ABORTRETRYIGNORE, IDCANCEL},
        {MB_YESNO, IDNO},  {MB_RETRYCANCEL, IDNO},  {MB_YESNO | MB_ICONSTOP, IDNO},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.style);
        g_nested_answer = 0;
        nest_inside_next_box(row.style);
        MessageBoxRecorder boxes;  // the inner request shows nothing: only one box is answered
        boxes.answer(IDOK);
        EXPECT_EQ(myMessageBox(nullptr, "outer", "outer", MB_OK), IDOK);
        UnhookWindowsHookEx(g_cbt);
        g_cbt = nullptr;
        EXPECT_EQ(g_nested_answer, row.refused);
        ASSERT_EQ(boxes.boxes().size(), 1u);
        EXPECT_EQ(boxes.boxes()[0].text, "outer");
        EXPECT_EQ(IsWaitForErrorMessge(), 0);
    }
}

TEST_F(MessageBoxTest, TheBoxActiveFlagSetByTheCallerSuppressesEveryBox) {
    SetWaitForErrorMessge(1);
    MessageBoxRecorder boxes;  // any box fails the test
    EXPECT_EQ(myMessageBox(nullptr, "x", "y", MB_OK), IDCANCEL);
    EXPECT_EQ(myMessageBox(nullptr, "x", "y", MB_YESNO), IDNO);
    Set_nERRNO(ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(DosErrorMessage(nullptr, "a.txt", nullptr, "t", 0), IDCANCEL);
    SetHelpDosErrorMessage(MB_YESNO | MB_ICONEXCLAMATION, nullptr);
    EXPECT_EQ(DosErrorMessage(nullptr, "a.txt", nullptr, "t", 0), IDNO);
    EXPECT_EQ(ShellExecuteError(nullptr, "a.exe", 0, 2, nullptr, MB_YESNO, 0), IDNO);
    EXPECT_EQ(IsWaitForErrorMessge(), 1);
    EXPECT_TRUE(boxes.boxes().empty());
}

// ---- Hooks around the box

TEST_F(MessageBoxTest, HidesBeforeAndShowsAfterTheBox) {
    SetDisableBoxBeforeMessageBox(show_hook, hide_hook);
    nest_inside_next_box(MB_OK);
    MessageBoxRecorder boxes({IDOK});
    myMessageBox(nullptr, "x", "y", MB_OK);
    // The inner request inside the box also hides first and is then refused.
    EXPECT_EQ(g_events, (std::vector<std::string>{"hide", "box", "hide(active)", "show"}));
}

TEST_F(MessageBoxTest, SuppressionKeepsTheProgressDialogHidden) {
    EXPECT_EQ(SetDisableBoxBeforeMessageBox(show_hook, hide_hook), show_hook);
    EXPECT_EQ(DonotShowTitleDlg(1), 1);
    MessageBoxRecorder boxes({IDOK});
    myMessageBox(nullptr, "x", "y", MB_OK);
    EXPECT_EQ(g_events, (std::vector<std::string>{"hide"}));
    EXPECT_EQ(ShowDll(), 0);
    DonotShowTitleDlg(0);
    EXPECT_EQ(ShowDll(), 1);
    EXPECT_EQ(HideDll(), 1);
    EXPECT_EQ(g_events, (std::vector<std::string>{"hide", "show", "hide"}));
}

TEST_F(MessageBoxTest, LoadedBoxesCallTheHooksOnlyInTheForLoadStringForm) {
    SetDisableBoxBeforeMessageBox(show_hook, hide_hook);
    MessageBoxRecorder boxes({IDOK, IDYES, IDOK});
    EXPECT_EQ(MyLoadMessageBox(nullptr, 8015, 8016, MB_OK), IDOK);
    EXPECT_TRUE(g_events.empty());
    EXPECT_EQ(myMessageBoxForLoadString(nullptr, 8009, 8012, MB_YESNO | MB_ICONEXCLAMATION), IDYES);
    EXPECT_EQ(g_events, (std::vector<std::string>{"hide", "show"}));
    EXPECT_EQ(_myMessageBoxForLoadString(GetSysDlgInstance(), nullptr, 99999, 0, MB_OK), IDOK);
    ASSERT_EQ(boxes.boxes().size(), 3u);
    EXPECT_EQ(boxes.boxes()[1].text, message(8009));
    EXPECT_EQ(boxes.boxes()[1].caption, sjis("ﾃﾞｨｽｸｱｸｾｽ・ｴﾗｰ"));
    EXPECT_EQ(boxes.boxes()[1].style, UINT(MB_YESNO | MB_ICONEXCLAMATION));
    EXPECT_EQ(boxes.boxes()[2].text, "<Failed>");
}

// ---- Cursor

TEST_F(MessageBoxTest, PutsTheCursorBackAfterTheBox) {
    HCURSOR cross = LoadCursor(nullptr, IDC_CROSS);
    SetArrowCursor(nullptr);
    SetCursor(cross);
    MessageBoxRecorder boxes({IDOK, IDOK});
    myMessageBox(nullptr, "x", "y", MB_OK);
    EXPECT_EQ(GetCursor(), cross);
    MyLoadMessageBox(nullptr, 8015, 8016, MB_OK);
    EXPECT_EQ(GetCursor(), cross);
}

// ---- Printf box

TEST_F(MessageBoxTest, PrintfBoxPutsInsertAndPrefix) {
    MessageBoxRecorder boxes({IDOK, IDOK, IDOK});
    _MessageBoxPrintf(GetSysDlgInstance(), 8105, 8106, "a.txt", nullptr, MB_ICONHAND, nullptr);
    _MessageBoxPrintf(GetSysDlgInstance(), 8105, 8106, "a.txt", nullptr, MB_ICONHAND, "pre");
    _MessageBoxPrintf(GetSysDlgInstance(), 8105, 8106, nullptr, nullptr, MB_ICONHAND, "pre");
    ASSERT_EQ(boxes.boxes().size(), 3u);
    const std::string tail = sjis("\n\n名前が長すぎるためｵｰﾌﾟﾝできません。");
    EXPECT_EQ(message(8105), "%s" + tail);
    EXPECT_EQ(boxes.boxes()[0].text, "a.txt" + tail);
    EXPECT_EQ(boxes.boxes()[0].caption, message(8106));
    EXPECT_EQ(boxes.boxes()[0].style, UINT(MB_ICONHAND));
    EXPECT_EQ(boxes.boxes()[1].text, "pre a.txt" + tail);
    EXPECT_EQ(boxes.boxes()[2].text, "pre %s" + tail);  // no insert: the message as it stands
}

TEST_F(MessageBoxTest, PrintfBoxCutsALongInsertAtAWholeCharacter) {
    const std::string tail = message(8105).substr(2);
    const long limit = 520 - long(tail.size() + 2) - 1 - 4;
    for (int odd : {0, 1}) {
        SCOPED_TRACE(odd);
        // 表 is 95 5C: a cut through it would leave a lead byte before a yen mark.
        std::string insert = std::string(odd, 'a');
        while (insert.size() < 600) insert += sjis("表");
        GuardedBuffer guarded(insert.size() + 1);  // the caller's text is never written
        guarded.assign(insert);
        MessageBoxRecorder boxes({IDOK});
        _MessageBoxPrintf(GetSysDlgInstance(), 8105, 8106, guarded, nullptr, MB_OK, nullptr);
        EXPECT_EQ(guarded.str(), insert);
        ASSERT_EQ(boxes.boxes().size(), 1u);
        const std::string& text = boxes.boxes()[0].text;
        std::size_t keep = std::size_t(limit - 1);  // I - (I + 1 - L)
        if ((keep - odd) % 2 == 1) --keep;           // would split a character
        EXPECT_EQ(text, insert.substr(0, keep) + "..." + tail);
        EXPECT_LE(text.size(), 519u);
    }
}

// ---- Sounds

// ---- Messages into windows

TEST_F(MessageBoxTest, PutsLoadedTextsIntoWindowsAndEditControls) {
    HWND parent = CreateWindowA("STATIC", "", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    HWND edit = CreateWindowA("EDIT", "", WS_CHILD | ES_MULTILINE, 0, 0, 50, 50, parent, HMENU(101), nullptr,
                              nullptr);
    ASSERT_TRUE(edit);
    char buf[2048];
    EXPECT_TRUE(SetWindowTextForLoadString(parent, 8015));
    GetWindowTextA(parent, buf, sizeof buf);
    EXPECT_EQ(std::string(buf), sjis("ﾌｧｲﾙ実行ｴﾗｰ"));
    EXPECT_TRUE(myPutTextInEditLoadString(parent, 101, 8009));
    GetWindowTextA(edit, buf, sizeof buf);
    EXPECT_EQ(std::string(buf), sjis("ﾄﾞﾗｲﾌﾞｱｸｾｽに失敗しました。\r\nﾃﾞｨｽｸを抜いている場合は戻して下さい。\r\n操作は  [中止]  しますか？"));
    EXPECT_TRUE(_myPutTextInEditLoadString(GetSysDlgInstance(), parent, 101, 8014));
    GetWindowTextA(edit, buf, sizeof buf);
    EXPECT_EQ(std::string(buf), sjis("[読み込み専用]解除後操作を続行します。"));
    EXPECT_TRUE(myPutTextInEdit(edit, 0, "a\r\nb\nc"));
    GetWindowTextA(edit, buf, sizeof buf);
    EXPECT_STREQ(buf, "a\r\nb\r\nc");
    EXPECT_FALSE(myPutTextInEdit(parent, 999, "x"));  // no such control
    EXPECT_TRUE(RepaintWindows(parent));
    EXPECT_FALSE(RepaintWindows(GetDesktopWindow()));
    EXPECT_FALSE(RepaintWindows(nullptr));
    DestroyWindow(parent);
}
