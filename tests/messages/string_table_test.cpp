// The string table: a sample of the texts that the engine, the update module
// and the host quote by number (every kind of character and escape), checked
// byte for byte in code page 932.
#include <gtest/gtest.h>
#include <windows.h>
#include <iterator>
#include <string>
#include "ferromes.h"
#include "support/sjis.h"

using ferro_test::sjis;
using ferro_test::utf8;

namespace {
struct Text {
    UINT number;
    const char* text;  // UTF-8; \n, \r\n and \t are the control characters themselves
};

const Text kTexts[] = {
    {196, "文字列 '%s' が見つかりません。"},
    {220, "%d個を置換しました\r\n"},
    {1000, "Ferrolan"},
    {1096, "ﾒﾓﾘｰｴﾗｰ\n記憶領域の割り当て失敗!!"},
    {2000, "\\VarFileInfo\\Translation"},
    {3600, "移動(&M)..."},
    {4100, "実行ﾌｧｲﾙ内部形式が不正かｴﾗｰがあります"},
    {4111, "共有違反が起きました"},
    {7000, "Ferrolan32 2011-1.10 (Vista/7対応)"},
    {7010, "項目数が設定数 %d を超過しました。"},
    {7099, "折返文字数変更のための一時格納ﾒﾓﾘ獲得に失敗しました\n...作業を中止します."},
    {8012, "ﾃﾞｨｽｸｱｸｾｽ・ｴﾗｰ"},
    {8033, "|"},
    {8105, "%s\n\n名前が長すぎるためｵｰﾌﾟﾝできません。"},
    {8110, "======複写中にｴﾗｰの出たﾌｧｲﾙ(ﾌｫﾙﾀﾞ)======"},
    {8123, " の消去はできません。読込専用に設定されています。強制消去しますか？"},
    {8311, "Windowsはﾌｫﾙﾀﾞを開きましたか？\nｴﾗｰの場合はｳｨﾝﾄﾞｳｽﾞからﾒｯｾｰｼﾞが表示されますのでお待ちください。\n\n"},
    {8374, "*新      "},
    {9102, "コピー先ファイルを識別するハンドルが無効です。"},
    {11202, "Fonts"},
    {11216, "AppData"},
};

std::string load_message(UINT number) {
    EXPECT_EQ(0u, MyLoadString(number, 0)) << "string " << number << " is missing";
    return GetLoadStrMessage();
}
}  // namespace

TEST(StringTable, QuotedTextsByteForByte) {
    for (const Text& t : kTexts) {
        const std::string got = load_message(t.number);
        EXPECT_EQ(sjis(t.text), got) << "string " << t.number << ": " << utf8(got);
    }
}

// The bytes themselves, for the texts whose escapes the resource compiler
// could get wrong: backslashes, control characters, half-width katakana.
TEST(StringTable, RawBytes) {
    EXPECT_EQ(std::string("\x5cVarFileInfo\x5cTranslation"), load_message(2000));
    EXPECT_EQ(std::string("\x5cStringFileInfo\x5c"), load_message(2001));
    const std::string replaced = load_message(220);
    ASSERT_GE(replaced.size(), 2u);
    EXPECT_EQ("%d", replaced.substr(0, 2));
    EXPECT_EQ("\r\n", replaced.substr(replaced.size() - 2));
    // ﾒﾓﾘｰｴﾗｰ: half-width katakana, one byte each
    EXPECT_EQ(std::string("\xd2\xd3\xd8\xb0\xb4\xd7\xb0:"), load_message(8062).substr(0, 8));
    EXPECT_NE(std::string::npos, load_message(8062).find("!!\n"));
    // 表 ends in 0x5C: the pair is delivered whole, right before the parenthesis
    const std::string failed_files = load_message(1143);
    ASSERT_GE(failed_files.size(), 3u);
    EXPECT_EQ(std::string("\x95\x5c)"), failed_files.substr(failed_files.size() - 3));
    EXPECT_EQ(std::string(" "), load_message(11224));  // a slot that is not used
}

// The resource script's escapes, on a text of the test program itself.
TEST(StringTable, ScriptEscapes) {
    EXPECT_EQ(0u, _MyLoadString(GetModuleHandleA(nullptr), 9, 0));
    EXPECT_EQ("say \"" + sjis("表") + "\" \\ \\\\ end\r\n\t" + sjis("ﾀﾌﾞ"), GetLoadStrMessage());
}

TEST(StringTable, VersionFieldNamesInOrder) {
    const char* const names[] = {"ProductName",  "ProductVersion", "CompanyName",  "LegalCopyright",
                                 "FileDescription", "FileVersion", "InternalName", "OriginalFilename",
                                 "LegalTrademarks", "PrivateBuild", "SpecialBuild", "Comments"};
    for (UINT i = 0; i < std::size(names); ++i) EXPECT_EQ(names[i], load_message(2002 + i));
    for (UINT number = 2014; number <= 2026; ++number) EXPECT_FALSE(load_message(number).empty());
}

TEST(StringTable, ArchiverErrorTextsForEveryCode) {
    // the number equals the archiver's error code 0x8005 to 0x8048
    for (UINT code = 0x8005; code <= 0x8048; ++code) EXPECT_FALSE(load_message(code).empty()) << std::hex << code;
    EXPECT_EQ(sjis("既に UNLHA32.DLL が動作中です。"), load_message(0x801f));
}

TEST(StringTable, SpecialFolderMenuTexts) {
    // every label that the special-folder table names exists
    const UINT labels[] = {12200, 12201, 12202, 12203, 12204, 12205, 12206, 12207, 12208, 12210, 12211, 12212,
                           12213, 12214, 12215, 12216, 12217, 12218, 12219, 12220, 12222, 12223, 12224, 12225,
                           12226, 12227, 12228, 12230, 12231, 12232, 12233, 12235, 12236, 12237, 12238, 12239,
                           12240, 12241, 12242, 12243, 12244, 12245, 12246, 12247, 12248};
    for (UINT number : labels) EXPECT_NE(std::string::npos, load_message(number).find("(&")) << number;
}

TEST(StringTable, LanguageIsJapanese) {
    HMODULE module = GetModuleHandleA("ferromes.dll");
    for (UINT number : {0u, 196u, 1000u, 3400u, 8062u, 33201u}) {
        EXPECT_NE(nullptr, FindResourceExA(module, RT_STRING, MAKEINTRESOURCEA(number / 16 + 1),
                                           MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT)))
            << number;
    }
}
