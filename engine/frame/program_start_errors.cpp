// The boxes of a failed program start by ShellExecute or WinExec.
#include "frame/error_boxes.h"
#include "frame/error_internal.h"
#include "frame/error_texts.h"
#include "frame/message_box.h"
#include "frame/text.h"
#include "frame/error_state.h"

namespace {
using namespace ferro::errors;

constexpr UINT kStartErrorTitle = 8015;  // "ﾌｧｲﾙ実行ｴﾗｰ"

struct StartCode {
    LONG code;
    UINT message;
};

// The start codes (at or below 32) that have a text.
constexpr StartCode kStartCodes[] = {
    {2, 4107},   // "ﾌｧｲﾙが見つかりません"
    {3, 4110},   // "ﾊﾟｽが見つかりません"
    {5, 4101},   // "OSがﾌｧｲﾙのｱｸｾｽを中止しました"
    {8, 4109},   // "ﾒﾓﾘ容量不足です"
    {11, 4100},  // "実行ﾌｧｲﾙ内部形式が不正かｴﾗｰがあります"
    {26, 4111},  // "共有違反が起きました"
    {27, 4102},  // "ﾌｧｲﾙ名が不完全か不正です"
    {28, 4105},  // "DDEは時間内に通信をできませんでした"
    {29, 4104},  // "DDEは失敗しました"
    {30, 4103},  // "DDEがすでに実行されています"
    {31, 4108},  // "関連付けられた実行ﾌｧｲﾙがありません"
    {32, 4106},  // "使用するDLLがみつかりません"
};

LONG g_start_error_shown;

UINT message_for(LONG code) {
    for (const StartCode& row : kStartCodes)
        if (row.code == code) return row.message;
    return 0;
}
}  // namespace

int WINAPI ShellExecuteError(HWND window, LPCSTR name, UINT titleId, LONG code, LPCSTR extra, UINT style,
                             LONG expected) {
    g_start_error_shown = 0;
    const UINT messageId = message_for(code);
    if (!messageId) return 0;
    LoadedTexts loaded(messageId, titleId ? titleId : kStartErrorTitle);
    Composer out(composition_buffer(), kCompositionSize);
    if (!is_empty(name)) {
        add_quoted_name(out, name, 2 + length_of(loaded.message) + length_of(extra));
        out.add(": ");
    }
    out.add(loaded.message).add(extra);
    int result = myMessageBox(window, composition_buffer(), loaded.title, style | MB_ICONEXCLAMATION);
    g_start_error_shown = 1;
    if (expected == 0) return result;
    return result == expected ? result : 0;
}

LONG WINAPI ErrorMessageFromShellExecuteDone() { return g_start_error_shown; }

int WINAPI WinExeErrors(HWND window, LPCSTR name, UINT titleId, LONG) {
    LPCSTR system = xDosErrors(name, Get_nERRNO());
    LPCSTR failure = start_failure_text(GetLanguage());
    const std::size_t tail =
        2 + length_of(failure) + (system ? 2 + length_of(GetFromOsString()) + length_of(system) : 0);
    Composer out(composition_buffer(), kCompositionSize);
    add_quoted_name(out, name, tail);
    out.add(": ").add(failure);
    if (system) out.add("\n\n").add(GetFromOsString()).add(system);
    FreeDosErrorMesHandle();
    LoadedTexts loaded(0, titleId ? titleId : kStartErrorTitle);
    return myMessageBox(window, composition_buffer(), loaded.title, MB_OK | MB_ICONHAND);
}
