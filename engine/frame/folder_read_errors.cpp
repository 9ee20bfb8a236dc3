// The boxes of a failed folder read and of a network folder that asks for a password.
#include <windows.h>

#include "frame/error_boxes.h"
#include "frame/error_internal.h"
#include "frame/message_box.h"
#include "frame/error_state.h"

namespace {
using ferro::errors::HeapText;
using namespace ferro::errors;

constexpr UINT kFolderWord = 8050;  // "ﾌｫﾙﾀﾞ"
constexpr UINT kReadFailedLine = 8053;  // "ﾌｫﾙﾀﾞ・ﾌｧｲﾙ読み込み時にｴﾗｰが発生しました。"
constexpr UINT kContinueQuestion = 8054;  // "そのまま続行しますか？"
constexpr UINT kFolderErrorTitle = 8049;  // "警告: ﾌｫﾙﾀﾞ・ﾌｧｲﾙｴﾗｰ"
constexpr UINT kLimitWord = 8042;         // "最大格納数"
constexpr UINT kLimitContinues = 8043;    // "を超えましたが、続行可能です。"
constexpr UINT kAccessErrorLine = 8048;   // "ｱｸｾｸ時にｴﾗｰ発生"
constexpr UINT kPasswordQuestion = 8307;  // "ﾈｯﾄﾜｰｸﾄﾞﾗｲﾌﾞｱｸｾｽは拒否されています。..."
constexpr UINT kYesNoButtons = 8308;  // "[はい]･･ﾎﾞｯｸｽを開く  [いいえ]･･開かない"
constexpr UINT kYesNoCancelButtons = 8309;
constexpr UINT kFolderOpenedQuestion = 8311;  // "Windowsはﾌｫﾙﾀﾞを開きましたか？..."
constexpr UINT kNetworkTitle = 8300;          // "ﾈｯﾄﾜｰｸ"

// Result codes of the folder listing read.
constexpr LONG kNetworkFailure = -22;
constexpr LONG kProtected = -21;
constexpr LONG kSkipped = -20;
constexpr LONG kCtrlEsc = -19;
constexpr LONG kStopped = -18;
constexpr LONG kTooManyEntries = -11;
constexpr LONG kAccessFailed = 2;

// Flags of the read.
constexpr LONG kIsFolder = 0x1;
constexpr LONG kAccessNoted = 0x2;
constexpr LONG kAskToContinue = 0x4;

struct CodeLine {
    LONG code;
    UINT line;
};

constexpr CodeLine kCodeLines[] = {
    {kProtected, 8055},     // "ｼｽﾃﾑﾆよりﾌｫﾙﾀﾞ情報が保護されています。..."
    {kCtrlEsc, 8035},       // "検索中にCtrl+Escキーが押されました。検索を中止します"
    {-16, 8040},            // "ﾌｫﾙﾀﾞ構造が異常の可能性があります。..."
    {-15, 8047},            // "ﾌｧｲﾙ名の情報の読込に失敗しました。ｽｷｯﾌﾟします。"
    {-14, 8046},            // "ﾌｫﾙﾀﾞの情報の読込に失敗しました。ｽｷｯﾌﾟします。"
    {-13, 8045},            // "ﾃﾞｨｽｸ情報の読込に失敗しました。"
    {-10, 8041},            // "記憶用領域獲得に失敗しました。"
    {kAccessFailed, 8039},  // "ｱｸｾｽに失敗しました。"
};

UINT line_for(LONG code) {
    for (const CodeLine& row : kCodeLines)
        if (row.code == code) return row.line;
    return kAccessErrorLine;
}

// A text loaded by number (through the title buffer).
struct Line {
    char text[kMessageSize];
    explicit Line(UINT id) { lstrcpynA(text, LoadedTexts(0, id).title, sizeof text); }
};

}  // namespace

LONG WINAPI GetFileDirectryEntryErrorMes(HWND window, LPCSTR name, LONG code, LONG count, LONG flags) {
    if (network_error_number()) {
        report_network_error(window, static_cast<DWORD>(-1), name);
        clear_network_error();
        return kNetworkFailure;
    }
    if (code == kStopped || code == kSkipped) return code;
    if (code == 0) {
        Set_errno(0);
        return 0;
    }
    const DWORD saved = Get_nERRNO();
    if (is_network_error(saved) && !(name && is_assigned_network_drive(name[0]))) code = kNetworkFailure;
    if (code == kCtrlEsc) flags = 0;
    if (code == kAccessFailed && (flags & kIsFolder)) flags = (flags & ~kAskToContinue) | kAccessNoted;

    HeapText text(kSystemTextSize);
    if (!text.get()) return -1;
    Composer out(text.get(), kSystemTextSize);
    out.add("\n");
    if (flags & kIsFolder) out.add("[").add(Line(kFolderWord).text).add("] ");
    UINT style = MB_OK | MB_ICONHAND;
    if (code == kTooManyEntries) {
        char number[16];
        wsprintfA(number, " [%d] ", static_cast<int>(count));
        out.add(Line(kLimitWord).text).add(number).add(Line(kLimitContinues).text);
    } else {
        out.add(Line(line_for(code)).text);
        bool added = false;
        if (code != kProtected && code != kCtrlEsc && code != kNetworkFailure) {
            out.add("\n").add(Line(kReadFailedLine).text);
            added = true;
        }
        if (flags & kAskToContinue) {
            if (!added) out.add("\n");
            out.add(Line(kContinueQuestion).text);
            style = MB_YESNO | MB_ICONHAND;
        }
    }

    SetHelpDosErrorMessage(style, nullptr);
    Line title(kFolderErrorTitle);
    note_in_error_report(window, name ? name : "", kFolderErrorTitle);
    Set_nERRNO(saved);
    const int answer = DosErrorMessageWithAttribute(window, name, text.get(), title.text, 0);
    Set_errno(0);
    Set_nERRNO(0);
    if (code == kTooManyEntries) return 0;
    return answer == IDYES ? 0 : -1;
}

LONG WINAPI GetNetDirectryEntryErrorMes(HWND window, LPCSTR name, UINT style) {
    const DWORD saved = Get_nERRNO();
    if (!is_network_error(saved)) return 0;
    if (!is_network_password_error(saved)) {
        report_network_error(window, 0, nullptr);
        return IDNO;
    }
    // The question has yes and no, and with MB_YESNOCANCEL a cancel that
    // stops; any other button set is asked as yes and no.
    const bool with_cancel = (style & 0xf) == MB_YESNOCANCEL;
    if (!with_cancel) style = (style & ~0xfu) | MB_YESNO;
    char text[2 * kMessageSize];
    Composer(text, sizeof text)
        .add(Line(kPasswordQuestion).text)
        .add(Line(with_cancel ? kYesNoCancelButtons : kYesNoButtons).text);
    SetHelpDosErrorMessage(style, nullptr);
    Line title(kFolderErrorTitle);
    const int answer = DosErrorMessageWithAttribute(window, name, text, title.text, 0);
    if (answer == IDYES) {
        open_folder_in_shell(window, name);
        return myMessageBoxForLoadString(window, kFolderOpenedQuestion, kNetworkTitle, MB_YESNO | MB_ICONEXCLAMATION) ==
                       IDYES
                   ? 4
                   : IDCANCEL;
    }
    if (answer == IDCANCEL) return 3;
    return answer;
}
