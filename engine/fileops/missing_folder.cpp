// The questions about a folder that is not there: tell the user, or ask
// whether to make it and make it.
#include <windows.h>
#include <mmsystem.h>
#include <string>
#include "fileops/folders.h"
#include "frame/error_boxes.h"
#include "frame/error_internal.h"
#include "frame/error_state.h"
#include "frame/paths.h"
#include "frame/text_internal.h"
#include "fs/dos_times.h"
#include "fs/drive_check.h"
#include "fs/network.h"

namespace {
using ferro::errors::LoadedTexts;

constexpr UINT kFileInTheWay = 9015;  // "ﾌｫﾙﾀﾞと同じ名前のﾌｧｲﾙがあります。削除しないとﾌｫﾙﾀﾞは作成できません。"
constexpr DWORD kMediaErrors = 256;   // drive-check errors from here on are multimedia errors

struct Question {
    UINT message;
    UINT title;
};
// Mode 1 to 3.
constexpr Question kQuestions[] = {
    {9012, 9013},  // "指定ﾌｫﾙﾀﾞは存在しません" / "ﾌｫﾙﾀﾞ変更"
    {9014, 9016},  // "ﾌｫﾙﾀﾞｱｸｾｽに失敗しました。" / "ﾌｫﾙﾀﾞ取得"
    {9010, 9011},  // "は存在しません。新しく作成しますか？" / "新規ﾌｫﾙﾀﾞ作成"
};

bool is_file(LPCSTR path) {
    char copy[ferro::text::kPathSize];
    return path && ferro::text::copy_bounded(copy, path) && IsDirectoryAttribute(copy) == 2;
}
}  // namespace

LONG WINAPI AlertDirectory(HWND window, LPCSTR path, LONG mode, LPCSTR name, UINT buttons) {
    if (ferro::fs::take_drive_box_shown()) return 0;
    if (IsDriveMyNetwork(path) && IsWithoutNetworkErrorMessage()) return 0;
    if (mode < 1 || mode > 3) return 0;
    if (mode == 3) {
        Set_nERRNO(0);
        Set_errno(0);
    }
    const LoadedTexts texts(kQuestions[mode - 1].message, kQuestions[mode - 1].title);
    std::string text = std::string(name ? name : "") + texts.message;
    if (is_file(path)) text += std::string("\n   ") + LoadedTexts(kFileInTheWay, 0).message;
    const DWORD drive_error = ferro::fs::drive_check_error();
    if (drive_error >= kMediaErrors) {
        char media[ferro::text::kPathSize] = "";
        if (mciGetErrorStringA(drive_error, media, sizeof media - 1) && media[0]) text += std::string("\n") + media;
    }
    SetHelpDosErrorMessage(buttons | MB_ICONEXCLAMATION, nullptr);
    return DosErrorMessage(window, path, text.c_str(), texts.title, 0);
}

LONG WINAPI IsMakeDirDoneWithMessage(HWND window, LPCSTR path, LPCSTR name, LONG) {
    // A drive check that failed just before leaves nothing to do; so does a
    // folder that is there, or a drive that cannot be used.
    if (ferro::fs::take_drive_check_error()) return 0;
    if (IsDirExistWithDriveChecking(path, 1) || ferro::fs::drive_check_error()) return 0;
    switch (AlertDirectory(window, path, 3, name, MB_YESNO)) {
    case IDYES: return IsAlertMakedir(window, path) == 0 ? 1 : -1;
    case IDNO:
    case -1: return -1;
    default: return 0;
    }
}

LONG WINAPI IsMakeDirDoneWithIsBadDriveAndWithMessage(HWND window, LPCSTR path, LPCSTR name, LONG flags) {
    if (IsBadDrive(window, path, 0, flags)) return -1;
    return IsMakeDirDoneWithMessage(window, path, name, 0);
}
