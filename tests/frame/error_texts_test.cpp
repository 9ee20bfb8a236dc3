#include <string>
#include "error_box_fixture.h"
#include "shutdown.h"
#include "support/temp_folder.h"

using error_test::ErrorBoxTest;
using error_test::message;
using error_test::platform_text;
using ferro_test::MessageBoxRecorder;
using ferro_test::sjis;

namespace {
const std::string kLabelJa = sjis("ｳｨﾝﾄﾞｳｽﾞｼｽﾃﾑからのｴﾗｰﾒｯｾｰｼﾞ");
const std::string kLabelEn = "error message is provided by the Windows system";
}  // namespace

// ---- Run-time error texts

TEST_F(ErrorBoxTest, DosErrorsInBothLanguages) {
    struct Row { int number; const char* english; const char* japanese; } rows[] = {
        {2, "The directory or file cannot be found.", "ﾌｧｲﾙ又はﾃﾞｨﾚｸﾄﾘが見つかりません。"},
        {13, "Access is denied and is fobidden.", "ｱｸｾｽ不許可に設定されています。"},
        {18, "An attempt was made to move the file to the different device.",
         "ﾌｧｲﾙを異なるﾃﾞﾊﾞｲｽへ移動しようとしました。"},
        {36, "The system failed to lock the file handle.", "ﾌｧｲﾙ･ﾛｯｸが失敗しました。"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.number);
        SetLanguage(0);
        ASSERT_TRUE(DosErrors(row.number));
        EXPECT_STREQ(DosErrors(row.number), row.english);
        SetLanguage(1);
        ASSERT_TRUE(DosErrors(row.number));
        EXPECT_EQ(std::string(DosErrors(row.number)), sjis(row.japanese));
        // -1 reads errno.
        Set_errno(row.number);
        EXPECT_EQ(DosErrors(-1), DosErrors(row.number));
    }
}

TEST_F(ErrorBoxTest, XDosErrorsGivesTheSystemTextWithoutLineBreaks) {
    for (DWORD error : {ERROR_FILE_NOT_FOUND, ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION, ERROR_DISK_FULL}) {
        SCOPED_TRACE(error);
        const std::string expected = platform_text(error);
        ASSERT_FALSE(expected.empty());
        ASSERT_TRUE(xDosErrors(nullptr, error));
        EXPECT_EQ(std::string(xDosErrors(nullptr, error)), expected);
        Set_nERRNO(error);
        EXPECT_EQ(std::string(xDosErrors("", static_cast<DWORD>(-1))), expected);
        // The text stays until it is released.
        EXPECT_EQ(FreeDosErrorMesHandle(), 1);
        EXPECT_EQ(FreeDosErrorMesHandle(), 0);
    }
}

TEST_F(ErrorBoxTest, XDosErrorsPutsTheFileNamePartIntoTheText) {
    // ERROR_BAD_EXE_FORMAT names the program with %1 on the platforms that have the text.
    const std::string expected = platform_text(ERROR_BAD_EXE_FORMAT, "prog.exe");
    const char* got = xDosErrors("C:\\dir\\prog.exe", ERROR_BAD_EXE_FORMAT);
    ASSERT_EQ(got != nullptr, !expected.empty());
    if (got) {
        EXPECT_EQ(std::string(got), expected);
    }
}

TEST_F(ErrorBoxTest, InternetErrorTextsComeFromTheInternetLibrary) {
    HMODULE wininet = LoadLibraryA("WININET.DLL");
    ASSERT_TRUE(wininet);
    char* text = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_FROM_HMODULE |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   wininet, 12007, 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
    std::string expected = text ? text : "";
    if (text) LocalFree(text);
    FreeLibrary(wininet);
    while (!expected.empty() && (expected.back() == '\n' || expected.back() == '\r')) expected.pop_back();
    const char* got = xDosErrors(nullptr, 12007);  // ERROR_INTERNET_NAME_NOT_RESOLVED
    ASSERT_EQ(got != nullptr, !expected.empty());
    if (got) {
        EXPECT_EQ(std::string(got), expected);
    }
}

TEST_F(ErrorBoxTest, ServerResponseWithoutAnyTransferIsEmptyAndShowsNoBox) {
    MessageBoxRecorder boxes;
    EXPECT_EQ(PutErrorMessage(1, nullptr, 12003, 0, 0, 1, 0, nullptr), 1);
    EXPECT_TRUE(boxes.boxes().empty());
    FreeDosErrorMesHandle();
}

// ---- System text boxes

TEST_F(ErrorBoxTest, SystemErrorBoxInBothLanguages) {
    MessageBoxRecorder boxes({IDOK, IDOK});
    EXPECT_EQ(PutErrorMessage(1, nullptr, ERROR_ACCESS_DENIED, 0, 0, 1, 1, nullptr), 1);
    EXPECT_EQ(PutErrorMessage(1, nullptr, ERROR_ACCESS_DENIED, 0, 0, 0, 1, nullptr), 1);
    ASSERT_EQ(boxes.boxes().size(), 2u);
    const std::string system = platform_text(ERROR_ACCESS_DENIED, nullptr, false);
    EXPECT_EQ(boxes.boxes()[0].caption, sjis("エラー"));
    EXPECT_EQ(boxes.boxes()[0].text, kLabelJa + ":\n" + system);
    EXPECT_EQ(boxes.boxes()[0].style, UINT(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(boxes.boxes()[1].caption, "Error");
    EXPECT_EQ(boxes.boxes()[1].text, kLabelEn + ":\n" + system);
    // Released: nothing is left to free.
    EXPECT_EQ(FreeDosErrorMesHandle(), 0);
}

TEST_F(ErrorBoxTest, SystemErrorBoxWithInsertTitleNumberTitleNameAndExtraMessage) {
    const std::string extra = sjis("\n追加ソ");
    SetExtraErrorMessage(extra.c_str());
    MessageBoxRecorder boxes({IDOK});
    EXPECT_EQ(PutErrorMessage(1, "a.exe", ERROR_FILE_NOT_FOUND, 0, 8015, 1, 0, "C:\\a.exe"), 1);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].caption, sjis("エラー:ﾌｧｲﾙ実行ｴﾗｰ...C:\\a.exe"));
    EXPECT_EQ(boxes.boxes()[0].text,
              "a.exe ...\n\n" + kLabelJa + ":\n" + platform_text(ERROR_FILE_NOT_FOUND, "a.exe", false) + extra);
    // Kept (release 0) until released.
    EXPECT_EQ(FreeDosErrorMesHandle(), 1);
}

TEST_F(ErrorBoxTest, SystemErrorTitleIsCutToItsHundredBytesAtAWholeCharacter) {
    for (int odd : {0, 1}) {
        SCOPED_TRACE(odd);
        std::string name(odd, 'x');
        while (name.size() < 300) name += sjis("表");
        MessageBoxRecorder boxes({IDOK});
        SetLastError(ERROR_FILE_NOT_FOUND);
        EXPECT_EQ(ShowInetSystemError(1, name.c_str()), 1);
        ASSERT_EQ(boxes.boxes().size(), 1u);
        const std::string head = sjis("エラー...");  // 9 bytes
        std::size_t room = 99 - head.size();
        if ((room - odd) % 2 == 1) --room;
        EXPECT_EQ(boxes.boxes()[0].caption, head + name.substr(0, room));
        EXPECT_EQ(FreeDosErrorMesHandle(), 0);  // released
    }
}

// ---- Real failures of the platform

// ---- Shutdown

TEST_F(ErrorBoxTest, ShutdownReleasesTheSystemText) {
    ASSERT_TRUE(xDosErrors(nullptr, ERROR_FILE_NOT_FOUND));
    FreeAllAllocateMemoryInDll();
    EXPECT_EQ(FreeDosErrorMesHandle(), 0);
}
