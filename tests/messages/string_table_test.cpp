// The string table: texts that the engine, the update module and the host
// quote by number, checked byte for byte in code page 932.
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
    {214, "検索ﾀﾞｲｱﾛｸﾞの作成に失敗しました。"},
    {215, "置換ﾀﾞｲｱﾛｸﾞの作成に失敗しました。"},
    {216, "文字列検索・置換"},
    {217, "ﾌｧｲﾙからの検索"},
    {220, "%d個を置換しました\r\n"},
    {1000, "Ferrolan"},
    {1008, "Ferrolan:初期化ﾌｧｲﾙ"},
    {1096, "ﾒﾓﾘｰｴﾗｰ\n記憶領域の割り当て失敗!!"},
    {1097, "Ferrolan:SaveToLocalFdata()"},
    {1143, "失敗ﾌｧｲﾙあり(ｴﾗｰ表)"},
    {2000, "\\VarFileInfo\\Translation"},
    {2001, "\\StringFileInfo\\"},
    {2002, "ProductName"},
    {2003, "ProductVersion"},
    {2004, "CompanyName"},
    {2005, "LegalCopyright"},
    {2006, "FileDescription"},
    {2007, "FileVersion"},
    {2008, "InternalName"},
    {2009, "OriginalFilename"},
    {2010, "LegalTrademarks"},
    {2011, "PrivateBuild"},
    {2012, "SpecialBuild"},
    {2013, "Comments"},
    {2026, "ﾌｧｲﾙ情報はありません"},
    {3600, "移動(&M)..."},
    {3602, "削除(&D)... Del"},
    {4100, "実行ﾌｧｲﾙ内部形式が不正かｴﾗｰがあります"},
    {4101, "OSがﾌｧｲﾙのｱｸｾｽを中止しました"},
    {4102, "ﾌｧｲﾙ名が不完全か不正です"},
    {4103, "DDEがすでに実行されています"},
    {4104, "DDEは失敗しました"},
    {4105, "DDEは時間内に通信をできませんでした"},
    {4106, "使用するDLLがみつかりません"},
    {4107, "ﾌｧｲﾙが見つかりません"},
    {4108, "関連付けられた実行ﾌｧｲﾙがありません"},
    {4109, "ﾒﾓﾘ容量不足です"},
    {4110, "ﾊﾟｽが見つかりません"},
    {4111, "共有違反が起きました"},
    {5334, "ﾌｫﾙﾀﾞﾘｽﾄ更新"},
    {7000, "Ferrolan32 2011-1.10 (Vista/7対応)"},
    {7002, "430"},
    {7003, "430"},
    {7009, "Ferrolan:設定項目数超過"},
    {7010, "項目数が設定数 %d を超過しました。"},
    {7013, "設定項目数 %d を超過したため項目を記憶領域に追加できません。"},
    {7014, "Ferrolan:項目追加"},
    {7021, "%s: 重複して設定されています"},
    {7044, "ﾒﾆｭｰ登録に失敗しました"},
    {7098, "次ﾌｧｲﾙ(&N)"},
    {7099, "折返文字数変更のための一時格納ﾒﾓﾘ獲得に失敗しました\n...作業を中止します."},
    {7100, " (途中まで)"},
    {7101, "ﾌｧｲﾙの読み込みができません"},
    {7102, "ﾌｧｲﾙの読み込み中にｴﾗｰが発生しました"},
    {7103, "ﾌｧｲﾙのｻｲｽﾞが０です。"},
    {7104, "ﾌｧｲﾙ内容記憶用領域確保に失敗しました。"},
    {7105, "折返文字数の変更を実行しますか？"},
    {7106, "Ferrolan:折返文字数"},
    {7107, "Ferrolan:ﾌｧｲﾙﾋﾞｭｰ"},
    {7108, "変更ありませんが、"},
    {7109, "残"},
    {7112, "Ferrolan:ﾏｸﾛｺﾏﾝﾄﾞ"},
    {8000, "DLLのﾁｪｯｸ"},
    {8001, "推奨ﾊﾞｰｼﾞｮﾝ %5.2f と違います。使用 %s は %5.2f"},
    {8002, "で古いﾊﾞｰｼﾞｮﾝです。"},
    {8005, " を利用できません。"},
    {8009, "ﾄﾞﾗｲﾌﾞｱｸｾｽに失敗しました。\nﾃﾞｨｽｸを抜いている場合は戻して下さい。\n操作は  [中止]  しますか？"},
    {8012, "ﾃﾞｨｽｸｱｸｾｽ・ｴﾗｰ"},
    {8014, "[読み込み専用]解除後操作を続行します。"},
    {8015, "ﾌｧｲﾙ実行ｴﾗｰ"},
    {8016, "MicrosoftExpand解凍複写"},
    {8019, "ﾌｧｲﾙのﾄﾞﾛｯﾌﾟ用のﾒﾓﾘ確保に失敗しました."},
    {8020, "ﾌｧｲﾙﾄﾞﾛｯﾌﾟ用ｻｰﾊﾞ"},
    {8030, "実行形式 ("},
    {8031, "*.exe;*.com"},
    {8032, ")"},
    {8033, "|"},
    {8034, "全ﾌｧｲﾙ (*.*)|*.*|"},
    {8035, "検索中にCtrl+Escキーが押されました。検索を中止します"},
    {8039, "ｱｸｾｽに失敗しました。"},
    {8040, "ﾌｫﾙﾀﾞ構造が異常の可能性があります。\n[ﾏｲｺﾝﾋﾟｭｰﾀ]-[ﾌﾟﾛﾊﾟﾃｨ]-[ﾂｰﾙ]-[ｴﾗｰﾁｪｯｸ]でﾌｫﾙﾀﾞｴﾝﾄﾘｰの検査をしてください。"},
    {8041, "記憶用領域獲得に失敗しました。"},
    {8042, "最大格納数"},
    {8043, "を超えましたが、続行可能です。"},
    {8045, "ﾃﾞｨｽｸ情報の読込に失敗しました。"},
    {8046, "ﾌｫﾙﾀﾞの情報の読込に失敗しました。ｽｷｯﾌﾟします。"},
    {8047, "ﾌｧｲﾙ名の情報の読込に失敗しました。ｽｷｯﾌﾟします。"},
    {8048, "ｱｸｾｸ時にｴﾗｰ発生"},
    {8049, "警告: ﾌｫﾙﾀﾞ・ﾌｧｲﾙｴﾗｰ"},
    {8050, "ﾌｫﾙﾀﾞ"},
    {8051, "ﾌｧｲﾙ"},
    {8053, "ﾌｫﾙﾀﾞ・ﾌｧｲﾙ読み込み時にｴﾗｰが発生しました。"},
    {8054, "そのまま続行しますか？"},
    {8055, "ｼｽﾃﾑﾆよりﾌｫﾙﾀﾞ情報が保護されています。\nﾌｫﾙﾀﾞ内の情報が取得できません。"},
    {8057, "AddToGlobalMemory() の警告"},
    {8058, "SaveToGlobalMemory() の警告"},
    {8059, "の取り込みに失敗しました。"},
    {8060, "予期せぬｴﾗｰにより記憶領域のｱｸｾｽに失敗しました。"},
    {8061, "大域ﾒﾓﾘ取得の警告"},
    {8062, "ﾒﾓﾘｰｴﾗｰ: 記憶領域の確保失敗!!\n強制終了します。"},
    {8071, "名前に不正な文字が使われています。"},
    {8072, "...指定した名前が長すぎます。８文字以内ですか？"},
    {8073, "...指定した名前が長すぎます。１１文字以内ですか？\n但し、 '.'を含む時は１２文字以内です。"},
    {8074, "...指定した拡張子名が長すぎます。３文字以内ですか？"},
    {8075, "ﾌｫﾙﾀﾞ名の指定ﾙｰﾙが間違っています。"},
    {8077, "ﾌｫﾙﾀﾞ名不正"},
    {8078, "ﾌｧｲﾙ名不正"},
    {8080, "ﾙｰﾄﾌｫﾙﾀﾞは指定できません。"},
    {8082, "ﾄﾞﾗｲﾌﾞのｱｸｾｽが拒否されました。"},
    {8083, "ﾌｫﾙﾀﾞを作成できません。"},
    {8084, "ﾌｫﾙﾀﾞ作成に失敗しました。"},
    {8086, "すでに同名のﾌｫﾙﾀﾞがあります。"},
    {8087, "ｻﾌﾞﾌｫﾙﾀﾞは途中まで作成...。"},
    {8088, "ﾌｫﾙﾀﾞ作成失敗"},
    {8090, "ﾌｫﾙﾀﾞ名が指定されていません。空です。"},
    {8105, "%s\n\n名前が長すぎるためｵｰﾌﾟﾝできません。"},
    {8106, "名前の長さﾞ"},
    {8108, "ﾌｧｲﾙ終了措置をします...\nﾃﾞｨｽｸを抜いている場合は戻して下さい。"},
    {8110, "======複写中にｴﾗｰの出たﾌｧｲﾙ(ﾌｫﾙﾀﾞ)======"},
    {8111, "======消去されなかったﾌｧｲﾙ(ﾌｫﾙﾀﾞ)======"},
    {8112, "(先にはありません)"},
    {8114, "(取外可能ﾃﾞｨｽｸ：要確認)"},
    {8115, "\n\n[はい]･･再消去  [いいえ]･･次へ  [ｷｬﾝｾﾙ]･･中止"},
    {8116, "強制消去用の属性設定ができませんでした。"},
    {8117, "消去"},
    {8118, " の消去はできませんでした。強制消去しますか？"},
    {8119, "ﾌｧｲﾙの消去はできませんでした。"},
    {8120, "強制消去"},
    {8121, "ﾌｫﾙﾀﾞの消去はできませんでした。次のﾌｫﾙﾀﾞの消去を続行しますか？"},
    {8122, "ﾌｫﾙﾀﾞの消去はできませんでした。"},
    {8123, " の消去はできません。読込専用に設定されています。強制消去しますか？"},
    {8124, "ﾌｧｲﾙの消去はできませんでした。消去を続行しますか？"},
    {8125, "作成できません"},
    {8126, "警告: Volume"},
    {8127, "[ﾏｲｺﾝﾋﾟｭｰﾀ]"},
    {8128, "[ﾏｲﾈｯﾄﾜｰｸ]"},
    {8135, "起動させるには、管理者権限が必要です。管理者権限で起動し直しますか？"},
    {8157, "ﾌｫﾙﾀﾞにｱｸｾｽできません。\n%c-ﾄﾞﾗｲﾌﾞでのﾌｫﾙﾀﾞ・ﾌｧｲﾙ変更自動追跡設定が使用できません。\n\nﾎﾞﾘｭｰﾑ名 %s と同じ名前(大文字・小文字同一)を含んでいませんか？\n同じであればﾎﾞﾘｭｰﾑ名を変更してください。"},
    {8170, "は複写･移動不可：先空容量不足。"},
    {8171, "ﾌｧｲﾙ書き込み失敗。"},
    {8172, "ﾌｧｲﾙ読み込み失敗。"},
    {8173, "ﾌｧｲﾙ読み込み不可能。\n...ﾌｧｲﾙが不正かも知れません。"},
    {8174, "ﾌｧｲﾙ読み込み中途失敗。\n...ﾌｧｲﾙが不正かも知れません。"},
    {8175, "\nﾃﾞｨｽｸｱｸｾｽに失敗しました。\nﾄﾞﾗｲﾌﾞにﾃﾞｨｽｸはありますか？"},
    {8176, "元ﾌｧｲﾙのｵｰﾌﾟﾝ失敗。"},
    {8177, "先ﾌｧｲﾙのｵｰﾌﾟﾝ失敗。"},
    {8178, "処理実行用ﾒﾓﾘ確保に失敗しました。"},
    {8187, "ﾌｧｲﾙの複写･移動に失敗しました。\n複写･移動ﾌｧｲﾙと同じﾌｫﾙﾀﾞ名があります。"},
    {8188, "名前の大小文字の変更に失敗しました。"},
    {8257, " OK "},
    {8294, "[ﾘﾝｸ先]"},
    {8295, "[ｵﾌﾟｼｮﾝ]"},
    {8296, "[ｱｲｺﾝ]"},
    {8297, "[作業ﾌｫﾙﾀﾞ]"},
    {8298, "[ｼﾐｭﾚｰｼｮﾝ]"},
    {8300, "ﾈｯﾄﾜｰｸ"},
    {8301, "指定したﾊﾟｽﾜｰﾄﾞが無効です。"},
    {8302, "ﾈｯﾄﾜｰｸに接続されていません。"},
    {8303, "ﾀﾞｲｱﾛｸﾞﾎﾞｯｸｽを起動するための十分なメモリがありません。"},
    {8304, "ﾈｯﾄﾜｰｸﾄﾞﾗｲﾌﾞｱｸｾｽ時にｴﾗｰが発生しました。"},
    {8305, "指定したﾈｯﾄﾜｰｸﾌｫﾙﾀﾞが見つかりません。"},
    {8307, "ﾈｯﾄﾜｰｸﾄﾞﾗｲﾌﾞｱｸｾｽは拒否されています。\nﾊﾟｽﾜｰﾄﾞが必要かもしれません。\nWindowsのﾊﾟｽﾜｰﾄﾞ入力用ﾎﾞｯｸｽを開きますか？"},
    {8310, "このﾈｯﾄﾜｰｸﾌｫﾙﾀﾞへの操作は禁止されています。"},
    {8311, "Windowsはﾌｫﾙﾀﾞを開きましたか？\nｴﾗｰの場合はｳｨﾝﾄﾞｳｽﾞからﾒｯｾｰｼﾞが表示されますのでお待ちください。\n\n"},
    {8314, "ﾈｯﾄﾜｰｸﾄﾞﾗｲﾌﾞｱｸｾｽは拒否されています。\nﾊﾟｽﾜｰﾄﾞが必要かもしれません。"},
    {8315, "（一時的かもしれませんが）ｲﾝﾀｰﾈｯﾄが使用できません。%sのﾀﾞｳﾝﾛｰﾄﾞはできません。"},
    {8316, "（一時的かもしれませんが）%sのﾀﾞｳﾝﾛｰﾄﾞｻｲﾄが利用できません。"},
    {8317, "%sﾌｧｲﾙのﾀﾞｳﾝﾛｰﾄﾞが可能かどうか、これからｲﾝﾀｰﾈｯﾄへのｱｸｾｽを試みます。\nﾌｧｲｱｰｳｵｰﾙからの警告ﾒｯｾｰｼﾞが表示される場合には、ｲﾝｽﾄｰﾗｰがｲﾝﾀｰﾈｯﾄｻｲﾄにｱｸｾｽできるように設定してください。"},
    {8323, "%sのﾀﾞｳﾝﾛｰﾄﾞが可能かどうか、これからｲﾝﾀｰﾈｯﾄへのｱｸｾｽを試みます。\n"},
    {8324, "ｲﾝﾀｰﾈｯﾄを通じて%sの更新ﾁｪｯｸをします。\n"},
    {8325, "ｲﾝﾀｰﾈｯﾄ接続準備中==>"},
    {8326, "接続開始==>"},
    {8327, "ｻｲﾄ接続準備中==>"},
    {8328, "ｻｲﾄ接続中==>"},
    {8329, "接続成功"},
    {8330, "接続失敗"},
    {8331, "確認開始==>"},
    {8332, "次ﾌｧｲﾙ==>"},
    {8333, "確認成功"},
    {8335, "確認失敗"},
    {8336, "==>終了"},
    {8337, "==>完了"},
    {8338, "==>取消"},
    {8339, "%sのﾀﾞｳﾝﾛｰﾄﾞｻｲﾄの該当ﾌｧｲﾙの取得に失敗しました。"},
    {8340, "%sのﾀﾞｳﾝﾛｰﾄﾞｻｲﾄの該当ﾌｫﾙﾀﾞが利用できません。"},
    {8341, "読込中"},
    {8342, "読込終了"},
    {8343, "読込失敗"},
    {8344, "再接続開始==>"},
    {8345, "再接続終了==>"},
    {8350, "==>該当ﾍﾟｰｼﾞ(%s)無"},
    {8372, "開始==>"},
    {8373, " 有inDISK"},
    {8374, "*新      "},
    {8375, "*無inDISK"},
    {8500, "ｼｮｰﾄｶｯﾄ:ｼｮｰﾄｶｯﾄ作成・変更"},
    {9010, "は存在しません。新しく作成しますか？"},
    {9011, "新規ﾌｫﾙﾀﾞ作成"},
    {9012, "指定ﾌｫﾙﾀﾞは存在しません"},
    {9013, "ﾌｫﾙﾀﾞ変更"},
    {9014, "ﾌｫﾙﾀﾞｱｸｾｽに失敗しました。"},
    {9015, "ﾌｫﾙﾀﾞと同じ名前のﾌｧｲﾙがあります。削除しないとﾌｫﾙﾀﾞは作成できません。"},
    {9016, "ﾌｫﾙﾀﾞ取得"},
    {9100, "解凍コピーに失敗しました。"},
    {9101, "コピー元ファイルを識別するハンドルが無効です。"},
    {9102, "コピー先ファイルを識別するハンドルが無効です。"},
    {9103, "必要なバッファのメモリが足りません。"},
    {9104, "内部データ構造体を識別するハンドルが無効です。"},
    {9105, "コピー元ファイルの形式が無効です。"},
    {9106, "コピー元のファイルは、関数が認識できない圧縮アルゴリズムにより圧縮さ \nれています。"},
    {9107, "コピー先ファイル用のディスク容量が足りません。"},
    {9272, "共通ダイアログの作成はDialogBox()関数呼び出しで失敗しました。"},
    {11200, "Desktop"},
    {11201, "Programs"},
    {11202, "Fonts"},
    {11203, "SendTo"},
    {11204, "Startup"},
    {11205, "Start Menu"},
    {11206, "Templates"},
    {11208, "Recent"},
    {11210, "Personal"},
    {11211, "My Pictures"},
    {11212, "My Music"},
    {11213, "My Video"},
    {11214, "NetHood"},
    {11215, "PrintHood"},
    {11216, "AppData"},
    {11219, "Cache"},
    {11220, "Cookies"},
    {11221, "History"},
    {11222, "Administrative Tools"},
    {11223, "Local AppData"},
    {11224, " "},
    {11226, "CommonDesktop"},
    {11227, "CommonStartup"},
    {11228, "CommonStart Menu"},
    {11229, "CommonTemplates"},
    {11231, "CommonDocuments"},
    {11232, "CommonPicture"},
    {11233, "CommonMusic"},
    {11234, "CommonVideo"},
    {11235, "CommonFavorites"},
    {11236, "CommonAppdata"},
    {11237, "CommonAdministrative Tools"},
    {11238, " "},
    {11239, " "},
    {11240, " "},
    {11241, " "},
    {12200, "ﾃﾞｽｸﾄｯﾌﾟ(&D)"},
    {12206, "ShellNew(&N)"},
    {12210, "ﾏｲ ﾄﾞｷｭﾒﾝﾄ(&D)"},
    {12214, "ﾄﾞｷｭﾒﾝﾄ(&D)"},
    {12245, "Program Files(&1)"},
    {12246, "Program Files (User)(&2)"},
    {12247, "Common Files(&3)"},
    {12248, "Common Files (User)(&4)"},
    {12249, "Content"},
    {32799, "既に UNLHA32.DLL が動作中です。"},
    {33051, "複写移動できなかったﾌｧｲﾙあり([ｴﾗｰ表])"},
    {33077, " Ferrolanﾚｼﾞｽﾄﾘ"},
    {33164, "ﾌｧｲﾙ"},
    {33201, "ｸﾞﾗﾌｨｯｸGDIが残り%d%%になりました\n"},
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

TEST(StringTable, TextsThatOnlyBeginAsQuoted) {
    const Text prefixes[] = {
        {1217, "Ferrolan32が実行中です。新たに起動しますか？"},
        {33179, "\n...にFERRO.INIがありません。"},
    };
    for (const Text& t : prefixes) {
        const std::string got = load_message(t.number);
        const std::string want = sjis(t.text);
        EXPECT_GT(got.size(), want.size()) << t.number;
        EXPECT_EQ(want, got.substr(0, want.size())) << t.number;
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
