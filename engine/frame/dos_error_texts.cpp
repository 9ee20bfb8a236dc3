// The library's built-in texts in English and Japanese: the texts of the
// run-time error numbers and the words of the error boxes. Japanese texts are
// code-page-932 bytes.
#include "frame/error_internal.h"
#include "frame/error_texts.h"
#include "frame/text.h"
#include "frame/error_state.h"

namespace {
struct Texts {
    const char* english;
    const char* japanese;
};

const char* pick(const Texts& texts, int language) {
    return ferro::errors::language_index(language) == 0 ? texts.english : texts.japanese;
}

constexpr Texts kErrorWord = {"Error", "\x83G\x83\x89\x81["};  // エラー
// ｳｨﾝﾄﾞｳｽﾞｼｽﾃﾑからのｴﾗｰﾒｯｾｰｼﾞ
constexpr Texts kSystemTextLabel = {
    "error message is provided by the Windows system",
    "\xb3\xa8\xdd\xc4\xde\xb3\xbd\xde\xbc\xbd\xc3\xd1\x82\xa9\x82\xe7\x82\xcc\xb4\xd7\xb0\xd2\xaf\xbe\xb0\xbc\xde"};
// ｴﾗｰが発生しました。
constexpr Texts kFallback = {"Error occurred.",
                             "\xb4\xd7\xb0\x82\xaa\x94\xad\x90\xb6\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81" "B"};
// ファイルの実行ができません。
constexpr Texts kStartFailure = {
    "Cannot execute the file.",
    "\x83t\x83@\x83" "C\x83\x8b\x82\xcc\x8e\xc0\x8ds\x82\xaa\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1\x81" "B"};

struct ErrnoText {
    int number;
    Texts texts;
};

// The spelling of the English texts is the product's own.
constexpr ErrnoText kErrnoTexts[] = {
    {2,
     {"The directory or file cannot be found.",
      // ﾌｧｲﾙ又はﾃﾞｨﾚｸﾄﾘが見つかりません。
      "\xcc\xa7\xb2\xd9\x96\x94\x82\xcd\xc3\xde\xa8\xda\xb8\xc4\xd8\x82\xaa\x8c\xa9\x82\xc2\x82\xa9\x82\xe8\x82\xdc"
      "\x82\xb9\x82\xf1\x81" "B"}},
    {7,
     {"The argument string passed to DosExecPgm is too long.",
      // 引数リストが長すぎます。
      "\x88\xf8\x90\x94\x83\x8a\x83X\x83g\x82\xaa\x92\xb7\x82\xb7\x82\xac\x82\xdc\x82\xb7\x81" "B"}},
    {8,
     {"An attempt was made to execute non-executable file.",
      // 実行不可能なﾌｧｲﾙを実行しようとしました。
      "\x8e\xc0\x8ds\x95s\x89\xc2\x94\\\x82\xc8\xcc\xa7\xb2\xd9\x82\xf0\x8e\xc0\x8ds\x82\xb5\x82\xe6\x82\xa4\x82\xc6"
      "\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81" "B"}},
    {9,
     {"Invalid file handle.",
      // ﾌｧｲﾙ番号が不正です。
      "\xcc\xa7\xb2\xd9\x94\xd4\x8d\x86\x82\xaa\x95s\x90\xb3\x82\xc5\x82\xb7\x81" "B"}},
    {12,
     {"Insufficient memories.",
      // 十分なﾒﾓﾘがありません。
      "\x8f\\\x95\xaa\x82\xc8\xd2\xd3\xd8\x82\xaa\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x81" "B"}},
    {13,
     {"Access is denied and is fobidden.",
      // ｱｸｾｽ不許可に設定されています。
      "\xb1\xb8\xbe\xbd\x95s\x8b\x96\x89\xc2\x82\xc9\x90\xdd\x92\xe8\x82\xb3\x82\xea\x82\xc4\x82\xa2\x82\xdc\x82\xb7"
      "\x81" "B"}},
    {17,
     {"The file with the same name already exists",
      // 同名ﾌｧｲﾙが既に存在しています。
      "\x93\xaf\x96\xbc\xcc\xa7\xb2\xd9\x82\xaa\x8a\xf9\x82\xc9\x91\xb6\x8d\xdd\x82\xb5\x82\xc4\x82\xa2\x82\xdc\x82"
      "\xb7\x81" "B"}},
    {18,
     {"An attempt was made to move the file to the different device.",
      // ﾌｧｲﾙを異なるﾃﾞﾊﾞｲｽへ移動しようとしました。
      "\xcc\xa7\xb2\xd9\x82\xf0\x88\xd9\x82\xc8\x82\xe9\xc3\xde\xca\xde\xb2\xbd\x82\xd6\x88\xda\x93\xae\x82\xb5\x82"
      "\xe6\x82\xa4\x82\xc6\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81" "B"}},
    {22,
     {"Invalid value is passed to function.",
      // 無効な値が関数の引数として与えられました。
      "\x96\xb3\x8c\xf8\x82\xc8\x92l\x82\xaa\x8a\xd6\x90\x94\x82\xcc\x88\xf8\x90\x94\x82\xc6\x82\xb5\x82\xc4\x97^"
      "\x82\xa6\x82\xe7\x82\xea\x82\xdc\x82\xb5\x82\xbd\x81" "B"}},
    {24,
     {"Too mant files are opened.",
      // ｵ-ﾌﾟﾝされているﾌｧｲﾙ数が多すぎます。
      "\xb5-\xcc\xdf\xdd\x82\xb3\x82\xea\x82\xc4\x82\xa2\x82\xe9\xcc\xa7\xb2\xd9\x90\x94\x82\xaa\x91\xbd\x82\xb7\x82"
      "\xac\x82\xdc\x82\xb7\x81" "B"}},
    {28,
     {"Insufficient disk space.",
      // ﾃﾞｨｽｸ空き領域がたりません。
      "\xc3\xde\xa8\xbd\xb8\x8b\xf3\x82\xab\x97\xcc\x88\xe6\x82\xaa\x82\xbd\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x81" "B"}},
    {33,
     {"Arguments to the math-operation are placed beyond the proper region of functions.",
      // 数値演算ﾙｰﾁﾝへの引数が関数の領域にありません。
      "\x90\x94\x92l\x89\x89\x8eZ\xd9\xb0\xc1\xdd\x82\xd6\x82\xcc\x88\xf8\x90\x94\x82\xaa\x8a\xd6\x90\x94\x82\xcc\x97"
      "\xcc\x88\xe6\x82\xc9\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x81" "B"}},
    {34,
     {"Too many arguments to perform the math-operation.",
      // 数値演算ﾙｰﾁﾝへの引数が多すぎます。
      "\x90\x94\x92l\x89\x89\x8eZ\xd9\xb0\xc1\xdd\x82\xd6\x82\xcc\x88\xf8\x90\x94\x82\xaa\x91\xbd\x82\xb7\x82\xac\x82"
      "\xdc\x82\xb7\x81" "B"}},
    {36,
     {"The system failed to lock the file handle.",
      // ﾌｧｲﾙ･ﾛｯｸが失敗しました。
      "\xcc\xa7\xb2\xd9\xa5\xdb\xaf\xb8\x82\xaa\x8e\xb8\x94s\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81" "B"}},
};
}  // namespace

namespace ferro::errors {
int language_index(int language) { return language == 0 ? 0 : 1; }
const char* error_word(int language) { return pick(kErrorWord, language); }
const char* system_text_label(int language) { return pick(kSystemTextLabel, language); }
const char* fallback_text(int language) { return pick(kFallback, language); }
const char* start_failure_text(int language) { return pick(kStartFailure, language); }
}  // namespace ferro::errors

LPCSTR WINAPI DosErrors(int number) {
    if (number == -1) number = Get_errno();
    for (const ErrnoText& row : kErrnoTexts)
        if (row.number == number) return pick(row.texts, GetLanguage());
    return nullptr;
}

LPCSTR WINAPI GetFromOsString() { return "Windows>>"; }
