#include <string>

#include "error_box_fixture.h"
#include "support/guarded_buffer.h"
#include "support/temp_folder.h"

using error_test::ErrorBoxTest;
using error_test::fallback_ja;
using error_test::message;
using error_test::platform_text;
using ferro_test::GuardedBuffer;
using ferro_test::MessageBoxRecorder;
using ferro_test::sjis;

namespace {
// A box's first (only) record; fails the test when there was none.
const ferro_test::RecordedBox& only_box(const MessageBoxRecorder& boxes) {
    static ferro_test::RecordedBox none;
    EXPECT_EQ(boxes.boxes().size(), 1u);
    return boxes.boxes().empty() ? none : boxes.boxes()[0];
}

}  // namespace

// ---- File error box

TEST_F(ErrorBoxTest, FileErrorBoxWithoutNameAndTextShowsTheFallback) {
    MessageBoxRecorder boxes({IDOK, IDOK});
    EXPECT_EQ(DosErrorMessage(nullptr, nullptr, nullptr, "T", 0), IDOK);
    SetLanguage(0);
    EXPECT_EQ(DosErrorMessage(nullptr, "", nullptr, nullptr, 0), IDOK);
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_EQ(boxes.boxes()[0].text, "\n\nWindows>>" + fallback_ja());
    EXPECT_EQ(boxes.boxes()[0].caption, "T");
    EXPECT_EQ(boxes.boxes()[0].style, UINT(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(boxes.boxes()[1].text, "\n\nWindows>>Error occurred.");
}

TEST_F(ErrorBoxTest, FileErrorBoxLines) {
    const std::string sys = platform_text(ERROR_ACCESS_DENIED, "b.txt");
    struct Row { const char* name; const char* text; LONG nameOnly; DWORD error; std::string expected; } rows[] = {
        {"C:\\a\\b.txt", nullptr, 0, 0, "'C:\\a\\b.txt'\n"},
        {"C:\\a\\b.txt", nullptr, 1, 0, "'b.txt'\n"},
        {"C:\\a\\b.txt", "why", 0, 0, "'C:\\a\\b.txt'\nwhy"},
        {"C:\\a\\b.txt", nullptr, 0, ERROR_ACCESS_DENIED, "'C:\\a\\b.txt'\n\nWindows>>" + sys},
        {"C:\\a\\b.txt", "why", 1, ERROR_ACCESS_DENIED, "'b.txt'\nwhy\n\nWindows>>" + sys},
        {nullptr, "why", 0, 0, "why"},
        {nullptr, "why", 0, ERROR_ACCESS_DENIED, "why\n\nWindows>>" + platform_text(ERROR_ACCESS_DENIED)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.expected);
        Set_nERRNO(row.error);
        MessageBoxRecorder boxes({IDOK});
        DosErrorMessage(nullptr, row.name, row.text, "T", row.nameOnly);
        EXPECT_EQ(only_box(boxes).text, row.expected);
    }
}

TEST_F(ErrorBoxTest, FileErrorBoxKeepsTheErrorStateAndClearsTheYenMarkRequest) {
    Set_nERRNO(ERROR_ACCESS_DENIED);
    Set_errno(13);
    SetRemoveLastYenmark(1);
    MessageBoxRecorder boxes({IDOK});
    DosErrorMessage(nullptr, "C:\\dir", nullptr, "T", 0);
    EXPECT_EQ(only_box(boxes).text, "'C:\\dir\\'\n\nWindows>>" + platform_text(ERROR_ACCESS_DENIED, "dir"));
    EXPECT_EQ(Get_nERRNO(), DWORD(ERROR_ACCESS_DENIED));
    EXPECT_EQ(Get_errno(), 13);
    EXPECT_FALSE(IsRemoveLastYenmark());
    EXPECT_EQ(FreeDosErrorMesHandle(), 0);
}

TEST_F(ErrorBoxTest, FileErrorBoxStyleAndHelpText) {
    EXPECT_EQ(SetHelpDosErrorMessage(MB_YESNO | MB_ICONQUESTION, "help me"), UINT(MB_YESNO | MB_ICONQUESTION));
    MessageBoxRecorder boxes({IDYES, IDNO, IDNO});
    EXPECT_EQ(DosErrorMessage(nullptr, "a.txt", nullptr, "T", 0), IDYES);
    EXPECT_EQ(DosErrorMessage(nullptr, "a.txt", "why", "T", 0), IDNO);
    EXPECT_EQ(SetHelpDosErrorMessage(MB_YESNO | MB_ICONSTOP, nullptr), 0u);  // empties the help text
    EXPECT_EQ(DosErrorMessage(nullptr, "a.txt", "why", "T", 0), IDNO);
    ASSERT_EQ(boxes.boxes().size(), 3u);
    EXPECT_EQ(boxes.boxes()[0].text, "'a.txt'\nhelp me");
    EXPECT_EQ(boxes.boxes()[0].style, UINT(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(boxes.boxes()[1].text, "'a.txt'\nwhy\nhelp me");
    EXPECT_EQ(boxes.boxes()[2].text, "'a.txt'\nwhy");
    EXPECT_EQ(boxes.boxes()[2].style, UINT(MB_YESNO | MB_ICONSTOP));
}

TEST_F(ErrorBoxTest, HelpTextKeepsAtMost519BytesOfWholeCharacters) {
    std::string help = "x";
    while (help.size() < 700) help += sjis("ソ");
    SetHelpDosErrorMessage(MB_OK, help.c_str());
    MessageBoxRecorder boxes({IDOK});
    DosErrorMessage(nullptr, nullptr, "t", "T", 0);
    EXPECT_EQ(only_box(boxes).text, "t\n" + help.substr(0, 519));  // 1 + 259 characters of 2 bytes
}

TEST_F(ErrorBoxTest, ReadOnlyFileAddsItsLineOnce) {
    ferro_test::TempFolder folder;
    const std::string file = folder.file("ro.txt", "x");
    ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY));
    const std::string readonly = sjis("[読み込み専用]解除後操作を続行します。");
    EXPECT_EQ(message(8014), readonly);
    Set_nERRNO(ERROR_ACCESS_DENIED);
    Set_errno(13);
    MessageBoxRecorder boxes({IDOK, IDOK, IDOK});
    DosErrorMessageWithAttribute(nullptr, file.c_str(), "why", "T", 0);
    DosErrorMessage(nullptr, file.c_str(), "why", "T", 0);  // the attribute word was reset
    MyLoadDosErrorMessageWithAttribute(nullptr, file.c_str(), 8039, 8049, 1);
    ASSERT_EQ(boxes.boxes().size(), 3u);
    const std::string sys = "\n\nWindows>>" + platform_text(ERROR_ACCESS_DENIED, "ro.txt");
    EXPECT_EQ(boxes.boxes()[0].text, "'" + file + "'\nwhy\n" + readonly + sys);
    EXPECT_EQ(boxes.boxes()[1].text, "'" + file + "'\nwhy" + sys);
    EXPECT_EQ(boxes.boxes()[2].text, "'ro.txt'\n" + message(8039) + "\n" + readonly + sys);
    EXPECT_EQ(boxes.boxes()[2].caption, sjis("警告: ﾌｫﾙﾀﾞ・ﾌｧｲﾙｴﾗｰ"));
    EXPECT_EQ(Get_nERRNO(), DWORD(ERROR_ACCESS_DENIED));
    EXPECT_EQ(Get_errno(), 13);
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(ErrorBoxTest, LoadedFileErrorBoxes) {
    MessageBoxRecorder boxes({IDOK, IDOK});
    MyLoadDosErrorMessage(nullptr, "C:\\x\\y.txt", 8039, 8049, 1);
    _MyLoadDosErrorMessage(GetSysDlgInstance(), nullptr, "C:\\x\\y.txt", 8045, 8012, 0);
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_EQ(boxes.boxes()[0].text, "'y.txt'\n" + sjis("ｱｸｾｽに失敗しました。"));
    EXPECT_EQ(boxes.boxes()[0].caption, message(8049));
    EXPECT_EQ(boxes.boxes()[1].text, "'C:\\x\\y.txt'\n" + sjis("ﾃﾞｨｽｸ情報の読込に失敗しました。"));
    EXPECT_EQ(boxes.boxes()[1].caption, sjis("ﾃﾞｨｽｸｱｸｾｽ・ｴﾗｰ"));
}

// ---- Disk error question

TEST_F(ErrorBoxTest, DiskErrorQuestion) {
    MessageBoxRecorder boxes;  // no box for these
    Set_errno(0);
    EXPECT_EQ(CheckDiskError(nullptr, "A:\\x"), 0);
    for (int number : {2, 13, 28, 22}) {
        Set_errno(number);
        EXPECT_EQ(CheckDiskError(nullptr, "A:\\x"), IDYES);
    }
    EXPECT_TRUE(boxes.boxes().empty());

    Set_errno(9);
    Set_nERRNO(ERROR_INVALID_HANDLE);
    boxes.answer(IDNO);
    boxes.answer(IDYES);
    EXPECT_EQ(CheckDiskError(nullptr, "A:\\x"), IDNO);
    Set_nERRNO(0);
    EXPECT_EQ(CheckDiskError(nullptr, nullptr), IDYES);
    ASSERT_EQ(boxes.boxes().size(), 2u);
    const std::string question =
        sjis("ﾄﾞﾗｲﾌﾞｱｸｾｽに失敗しました。\nﾃﾞｨｽｸを抜いている場合は戻して下さい。\n操作は  [中止]  しますか？");
    EXPECT_EQ(boxes.boxes()[0].text, "'A:\\x':" + question + "\nWindows>>" + platform_text(ERROR_INVALID_HANDLE));
    EXPECT_EQ(boxes.boxes()[0].caption, sjis("ﾃﾞｨｽｸｱｸｾｽ・ｴﾗｰ"));
    EXPECT_EQ(boxes.boxes()[0].style, UINT(MB_YESNO | MB_ICONEXCLAMATION));
    EXPECT_EQ(boxes.boxes()[1].text, "'':" + question + "\n");
    EXPECT_EQ(FreeDosErrorMesHandle(), 0);
}

// ---- Program start

TEST_F(ErrorBoxTest, ShellExecuteErrorForEveryCode) {
    const UINT texts[33] = {0, 0, 4107, 4110, 0, 4101, 0, 0, 4109, 0,    0,    4100, 0,    0,    0,    0,   0,
                            0, 0, 0,    0,    0, 0,    0, 0, 0,    4111, 4102, 4105, 4104, 4103, 4108, 4106};
    for (LONG code = -1; code <= 42; ++code) {
        SCOPED_TRACE(code);
        const UINT id = code >= 0 && code <= 32 ? texts[code] : 0;
        MessageBoxRecorder boxes;
        if (id) boxes.answer(IDOK);
        const int result = ShellExecuteError(nullptr, "C:\\p.exe", 0, code, nullptr, MB_OK, 0);
        if (!id) {
            EXPECT_EQ(result, 0);
            EXPECT_TRUE(boxes.boxes().empty());
            EXPECT_EQ(ErrorMessageFromShellExecuteDone(), 0);
            continue;
        }
        EXPECT_EQ(result, IDOK);
        EXPECT_EQ(ErrorMessageFromShellExecuteDone(), 1);
        const auto& box = only_box(boxes);
        EXPECT_EQ(box.text, "'C:\\p.exe': " + message(id));
        EXPECT_EQ(box.caption, sjis("ﾌｧｲﾙ実行ｴﾗｰ"));
        EXPECT_EQ(box.style, UINT(MB_OK | MB_ICONEXCLAMATION));
    }
}

TEST_F(ErrorBoxTest, ShellExecuteErrorExtraTitleAndExpectedAnswer) {
    MessageBoxRecorder boxes({IDYES, IDNO, IDYES});
    EXPECT_EQ(ShellExecuteError(nullptr, nullptr, 8016, 2, sjis("\n続けますか").c_str(), MB_YESNO, IDYES), IDYES);
    EXPECT_EQ(ShellExecuteError(nullptr, "", 0, 31, "", MB_YESNO | MB_ICONSTOP, IDYES), 0);
    EXPECT_EQ(ShellExecuteError(nullptr, "p", 0, 31, nullptr, MB_YESNO, 0), IDYES);
    ASSERT_EQ(boxes.boxes().size(), 3u);
    EXPECT_EQ(boxes.boxes()[0].text, message(4107) + sjis("\n続けますか"));
    EXPECT_EQ(boxes.boxes()[0].caption, sjis("MicrosoftExpand解凍複写"));
    EXPECT_EQ(boxes.boxes()[0].style, UINT(MB_YESNO | MB_ICONEXCLAMATION));
    EXPECT_EQ(boxes.boxes()[1].text, message(4108));
    EXPECT_EQ(boxes.boxes()[1].style, UINT(MB_YESNO | MB_ICONEXCLAMATION));  // 0x10 | 0x30
}

TEST_F(ErrorBoxTest, ProgramStartBoxesCutLongNamesToTheCompositionBuffer) {
    std::string name;
    while (name.size() < 1500) name += sjis("ソ");
    const std::string extra(200, 'e');
    MessageBoxRecorder boxes({IDOK, IDOK, IDOK});
    ShellExecuteError(nullptr, name.c_str(), 0, 2, extra.c_str(), MB_OK, 0);
    Set_nERRNO(ERROR_FILE_NOT_FOUND);
    WinExeErrors(nullptr, name.c_str(), 0, 0);
    LZCopyErrors(nullptr, name.c_str(), -3);
    ASSERT_EQ(boxes.boxes().size(), 3u);
    const std::string tails[] = {"...': " + message(4107) + extra,
                                 "...': " + sjis("ファイルの実行ができません。") + "\n\nWindows>>",
                                 "...'\n" + message(9105)};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const std::string& text = boxes.boxes()[i].text;
        EXPECT_LE(text.size(), 1087u);
        EXPECT_GE(text.size(), 1000u);
        const std::size_t cut = text.find("...'");
        ASSERT_NE(cut, std::string::npos);
        ASSERT_GT(cut, 0u);
        EXPECT_EQ(text.substr(1, cut - 1), name.substr(0, cut - 1));
        EXPECT_EQ((cut - 1) % 2, 0u);  // whole characters of the name
        EXPECT_EQ(text.substr(cut, tails[i].size()), tails[i]);
    }
}

TEST_F(ErrorBoxTest, WinExecErrorInBothLanguages) {
    MessageBoxRecorder boxes({IDOK, IDOK, IDOK});
    Set_nERRNO(ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(WinExeErrors(nullptr, "C:\\p.exe", 0, 12345), IDOK);
    SetLanguage(0);
    WinExeErrors(nullptr, "C:\\p.exe", 8012, 0);
    Set_nERRNO(0);
    WinExeErrors(nullptr, "C:\\p.exe", 0, 0);
    ASSERT_EQ(boxes.boxes().size(), 3u);
    const std::string sys = platform_text(ERROR_FILE_NOT_FOUND, "p.exe");
    EXPECT_EQ(boxes.boxes()[0].text, "'C:\\p.exe': " + sjis("ファイルの実行ができません。") + "\n\nWindows>>" + sys);
    EXPECT_EQ(boxes.boxes()[0].caption, sjis("ﾌｧｲﾙ実行ｴﾗｰ"));
    EXPECT_EQ(boxes.boxes()[0].style, UINT(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(boxes.boxes()[1].text, "'C:\\p.exe': Cannot execute the file.\n\nWindows>>" + sys);
    EXPECT_EQ(boxes.boxes()[1].caption, message(8012));
    EXPECT_EQ(boxes.boxes()[2].text, "'C:\\p.exe': Cannot execute the file.");
    EXPECT_EQ(FreeDosErrorMesHandle(), 0);
}

// ---- Expand copy

TEST_F(ErrorBoxTest, ExpandCopyErrorForEveryCode) {
    struct Row {
        LONG code;
        UINT id;
    } rows[] = {{0, 9100},  {-1, 9101}, {-2, 9102},      {-3, 9105},   {-4, 9107},   {-5, 9103},
                {-6, 9104}, {-8, 9106}, {0x1fffe, 9102}, {8015, 8015}, {-7, 0xfff9}, {-9, 0xfff7}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.code);
        MessageBoxRecorder boxes({IDOK});
        EXPECT_EQ(LZCopyErrors(nullptr, "a.ex_", row.code), IDOK);
        const auto& box = only_box(boxes);
        EXPECT_EQ(box.text, "'a.ex_'\n" + message(row.id));
        EXPECT_EQ(box.caption, sjis("MicrosoftExpand解凍複写"));
        EXPECT_EQ(box.style, UINT(MB_OK | MB_ICONSTOP));
    }
    EXPECT_EQ(message(0xfff9), "<Failed>");
}

// ---- Folder reading

TEST_F(ErrorBoxTest, FolderReadCodesWithoutABox) {
    MessageBoxRecorder boxes;
    Set_errno(13);
    EXPECT_EQ(GetFileDirectryEntryErrorMes(nullptr, "C:\\d", 0, 0, 4), 0);
    EXPECT_EQ(Get_errno(), 0);
    EXPECT_EQ(GetFileDirectryEntryErrorMes(nullptr, "C:\\d", -18, 0, 4), -18);
    EXPECT_EQ(GetFileDirectryEntryErrorMes(nullptr, "C:\\d", -20, 0, 4), -20);
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(ErrorBoxTest, FolderReadBoxes) {
    const std::string folder = "[" + sjis("ﾌｫﾙﾀﾞ") + "] ";
    const std::string failed = "\n" + sjis("ﾌｫﾙﾀﾞ・ﾌｧｲﾙ読み込み時にｴﾗｰが発生しました。");
    const std::string question = sjis("そのまま続行しますか？");
    struct Row { LONG code; LONG flags; int answer; std::string lines; UINT style; LONG result; } rows[] = {
        {-13, 4, IDYES, message(8045) + failed + question, MB_YESNO | MB_ICONSTOP, 0},
        {-13, 4, IDNO, message(8045) + failed + question, MB_YESNO | MB_ICONSTOP, -1},
        {-16, 5, IDYES, folder + message(8040) + failed + question, MB_YESNO | MB_ICONSTOP, 0},
        {-15, 0, IDOK, message(8047) + failed, MB_OK | MB_ICONSTOP, -1},
        {-14, 1, IDOK, folder + message(8046) + failed, MB_OK | MB_ICONSTOP, -1},
        {-10, 0, IDOK, message(8041) + failed, MB_OK | MB_ICONSTOP, -1},
        {-21, 4, IDNO, message(8055) + "\n" + question, MB_YESNO | MB_ICONSTOP, -1},
        {-19, 5, IDOK, message(8035), MB_OK | MB_ICONSTOP, -1},
        {2, 5, IDOK, folder + message(8039) + failed, MB_OK | MB_ICONSTOP, -1},
        {2, 4, IDYES, message(8039) + failed + question, MB_YESNO | MB_ICONSTOP, 0},
        {-11, 5, IDOK, folder + message(8042) + " [1000] " + message(8043), MB_OK | MB_ICONSTOP, 0},
        {-99, 0, IDOK, message(8048) + failed, MB_OK | MB_ICONSTOP, -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.code);
        MessageBoxRecorder boxes;
        boxes.answer(row.answer);
        Set_nERRNO(0);
        Set_errno(13);
        EXPECT_EQ(GetFileDirectryEntryErrorMes(nullptr, "C:\\d", row.code, 1000, row.flags), row.result);
        const auto& box = only_box(boxes);
        EXPECT_EQ(box.text, "'C:\\d'\n\n" + row.lines);
        EXPECT_EQ(box.caption, sjis("警告: ﾌｫﾙﾀﾞ・ﾌｧｲﾙｴﾗｰ"));
        EXPECT_EQ(box.style, row.style);
        EXPECT_EQ(Get_errno(), 0);
        EXPECT_EQ(Get_nERRNO(), 0u);
    }
}

TEST_F(ErrorBoxTest, FolderReadBoxShowsTheStoredErrorAndMarksANetworkError) {
    MessageBoxRecorder boxes({IDOK, IDOK});
    Set_nERRNO(ERROR_ACCESS_DENIED);
    GetFileDirectryEntryErrorMes(nullptr, "C:\\d", 2, 0, 0);
    Set_nERRNO(ERROR_BAD_NETPATH);  // a network error on a drive that is no network drive
    GetFileDirectryEntryErrorMes(nullptr, "C:\\d", -13, 0, 0);
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_EQ(boxes.boxes()[0].text, "'C:\\d'\n\n" + message(8039) + "\n" + message(8053) + "\n\nWindows>>" +
                                         platform_text(ERROR_ACCESS_DENIED, "d"));
    EXPECT_EQ(boxes.boxes()[1].text,
              "'C:\\d'\n\n" + message(8048) + "\n\nWindows>>" + platform_text(ERROR_BAD_NETPATH, "d"));
    EXPECT_EQ(Get_nERRNO(), 0u);
}

TEST_F(ErrorBoxTest, NetworkFolderPasswordQuestion) {
    MessageBoxRecorder boxes;
    Set_nERRNO(0);
    EXPECT_EQ(GetNetDirectryEntryErrorMes(nullptr, "\\\\s\\x", 0x34), 0);
    Set_nERRNO(ERROR_BAD_NETPATH);  // reported by the network side, no question
    EXPECT_EQ(GetNetDirectryEntryErrorMes(nullptr, "\\\\s\\x", 0x34), IDNO);
    EXPECT_TRUE(boxes.boxes().empty());

    ferro_test::TempFolder temp;
    const std::string name = temp / "absent";  // the shell has nothing to open
    const std::string sys = "\n\nWindows>>" + platform_text(ERROR_INVALID_PASSWORD, "absent");
    const std::string opened =
        sjis("Windowsはﾌｫﾙﾀﾞを開きましたか？\nｴﾗｰの場合はｳｨﾝﾄﾞｳｽﾞからﾒｯｾｰｼﾞが表示されますのでお待ちください。\n\n");
    struct Row { UINT style; int first; int second; LONG result; UINT buttons; UINT shown_style; } rows[] = {
        {0x34, IDNO, 0, IDNO, 8308, MB_YESNO | MB_ICONEXCLAMATION},
        {0x33, IDCANCEL, 0, 3, 8309, MB_YESNOCANCEL | MB_ICONEXCLAMATION},
        {0x33, IDNO, 0, IDNO, 8309, MB_YESNOCANCEL | MB_ICONEXCLAMATION},
        {0x34, IDYES, IDYES, 4, 8308, MB_YESNO | MB_ICONEXCLAMATION},
        {0x33, IDYES, IDNO, IDCANCEL, 8309, MB_YESNOCANCEL | MB_ICONEXCLAMATION},
        {0x30, IDNO, 0, IDNO, 8308, MB_YESNO | MB_ICONEXCLAMATION},  // asked as yes and no
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.style);
        MessageBoxRecorder boxes;
        boxes.answer(row.first);
        if (row.second) boxes.answer(row.second);
        Set_nERRNO(ERROR_INVALID_PASSWORD);
        EXPECT_EQ(GetNetDirectryEntryErrorMes(nullptr, name.c_str(), row.style), row.result);
        ASSERT_EQ(boxes.boxes().size(), row.second ? 2u : 1u);
        EXPECT_EQ(boxes.boxes()[0].text, "'" + name + "'\n" + message(8307) + message(row.buttons) + sys);
        EXPECT_EQ(boxes.boxes()[0].caption, message(8049));
        EXPECT_EQ(boxes.boxes()[0].style, row.shown_style);
        if (row.second) {
            EXPECT_EQ(boxes.boxes()[1].text, opened);
            EXPECT_EQ(boxes.boxes()[1].caption, sjis("ﾈｯﾄﾜｰｸ"));
            EXPECT_EQ(boxes.boxes()[1].style, UINT(MB_YESNO | MB_ICONEXCLAMATION));
        }
    }
}
