// Making a folder with every missing level, and the box that explains why
// it could not be made.
#include <cstring>
#include "fileops/folders.h"
#include "frame/error_boxes.h"
#include "frame/error_state.h"
#include "frame/handles.h"
#include "frame/mbcs.h"
#include "frame/name_validity.h"
#include "frame/paths.h"
#include "frame/text_internal.h"
#include "fs/dos_folders.h"
#include "fs/dos_times.h"
#include "fs/network.h"

using namespace ferro;
using text::kYen;

namespace {
constexpr LONG kNotFolder = -12;       // a level could not be made
constexpr LONG kDeniedFirst = -5;      // access denied at the first level
constexpr LONG kDeniedLater = -2;      // access denied after a level was passed
constexpr LONG kNoShare = -17;         // the share of a network path is not there
constexpr int kAccessDenied = 13;      // errno of a refused access
constexpr int kExists = 17;            // errno of a name that exists
constexpr UINT kFailureTitle = 8088;   // "ﾌｫﾙﾀﾞ作成失敗"

enum class Level { kFolder, kFile, kMissing };

Level level_at(const char* path) {
    DWORD attributes = 0;
    if (my_Dos_getfileattr(path, &attributes) != 0) return Level::kMissing;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? Level::kFolder : Level::kFile;
}

// The browsing form becomes the system form; the start of the first level
// inside the share (the end of the path when it names the share), or null
// when the path names no share that exists.
char* past_share(char* path) {
    if (path[1] == ':' && !RecoverNetworkServerNameFromOrdinaryFolderName(path)) return nullptr;
    char* computer_end = mbcs::find_first(path, kYen, path + 2);
    if (!computer_end || computer_end == path + 2 || computer_end[1] == '\0') return nullptr;
    char* share_end = mbcs::find_first(path, kYen, computer_end + 1);
    char* end = share_end ? share_end : path + std::strlen(path);
    const char kept = *end;
    *end = '\0';
    const bool there = level_at(path) == Level::kFolder;
    *end = kept;
    if (!there) return nullptr;
    return share_end ? share_end + 1 : end;
}

// Makes one level, cut at `cut`; 0, or the failure code of makedir.
LONG make_level(char* path, char* cut, int passed) {
    const char kept = *cut;
    *cut = '\0';
    LONG code = 0;
    switch (level_at(path)) {
    case Level::kFolder:
        break;
    case Level::kFile:  // a file of that name: no folder can be made there
        dos::record_error(ERROR_ALREADY_EXISTS);
        code = kNotFolder;
        break;
    case Level::kMissing:
        if (myMkdir(path) != 0) {
            const int number = Get_errno();
            if (number == kExists && level_at(path) == Level::kFolder) break;  // made meanwhile
            code = number == kAccessDenied ? (passed ? kDeniedLater : kDeniedFirst) : kNotFolder;
        }
        break;
    }
    *cut = kept;
    return code;
}
}  // namespace

LONG WINAPI makedir(LPCSTR path) {
    if (text::is_empty(path)) return 0;
    dos::record_error(ERROR_SUCCESS);
    char work[text::kPathSize];
    if (!text::copy_bounded(work, path)) {
        dos::record_error(ERROR_FILENAME_EXCED_RANGE);
        return kNotFolder;
    }
    text::strip_quotes(work);
    const int quiet = SetWithoutMessageForIsBadDirName(1);
    const LONG bad = IsBadDirName(GethWndMain(), work, 1);
    SetWithoutMessageForIsBadDirName(quiet);
    if (bad != 0) return bad;
    const std::size_t length = std::strlen(work);
    if (length > 3 && mbcs::ends_with(work, length, kYen)) work[length - 1] = '\0';

    // The levels walked: from the first one below the root, or below the
    // share of a network path (computers and shares are never made).
    char* from = work;
    if (IsDriveMyNetwork(work)) {
        from = past_share(work);
        if (!from) {
            if (!Get_nERRNO()) dos::record_error(ERROR_BAD_NETPATH);
            return kNoShare;
        }
    }
    int passed = 0;
    for (char* p = from;;) {
        char* yen = mbcs::find_first(work, kYen, p);
        if (yen && text::is_root_yen(work, yen)) {  // a drive root is never made: it must be there
            const char kept = yen[1];
            yen[1] = '\0';
            const bool there = level_at(work) == Level::kFolder;
            yen[1] = kept;
            if (!there) return kNotFolder;
            p = yen + 1;
            continue;
        }
        char* cut = yen ? yen : work + std::strlen(work);
        if (cut > p) {
            if (const LONG code = make_level(work, cut, passed)) return code;
            ++passed;
        }
        if (!yen) break;
        p = yen + 1;
    }
    dos::record_error(ERROR_SUCCESS);
    return 1;
}

LONG WINAPI IsAlertMakedir(HWND window, LPCSTR path) {
    const LONG code = makedir(path);
    UINT message = 0;
    switch (code) {
    case -17: message = 8305; break;  // "指定したﾈｯﾄﾜｰｸﾌｫﾙﾀﾞが見つかりません。"
    case -16: message = 8075; break;  // "ﾌｫﾙﾀﾞ名の指定ﾙｰﾙが間違っています。"
    case -12: message = 8084; break;  // "ﾌｫﾙﾀﾞ作成に失敗しました。"
    case -7:                          // "ﾙｰﾄﾌｫﾙﾀﾞは指定できません。"
        message = 8080;
        Set_nERRNO(0);
        Set_errno(0);
        break;
    case -5: message = 8083; break;  // "ﾌｫﾙﾀﾞを作成できません。"
    case -4: message = 8082; break;  // "ﾄﾞﾗｲﾌﾞのｱｸｾｽが拒否されました。"
    case -3:                         // "名前に不正な文字が使われています。"
    case -1: message = 8071; break;  // a forbidden character is no success either
    case -2: message = 8087; break;  // "ｻﾌﾞﾌｫﾙﾀﾞは途中まで作成...。"
    case 0:                          // "すでに同名のﾌｫﾙﾀﾞがあります。"
        message = 8086;
        Set_nERRNO(0);
        Set_errno(0);
        break;
    default:
        // The other refusals of the name check (too long, bad extension) are
        // the naming rule; any other failure is a failed creation.
        if (code < 0) message = (code == -8 || code == -9 || code == -11 || code == -15) ? 8075 : 8084;
        else if (Get_errno() != 0) message = 8084;
        break;
    }
    Set_errno(0);
    if (!message) return 0;
    SetHelpDosErrorMessage(MB_ICONEXCLAMATION, nullptr);
    MyLoadDosErrorMessageWithAttribute(window, path, message, kFailureTitle, 0);
    return 1;
}

LONG WINAPI WithOrWithoutCheckDirname(LPCSTR name) {
    if (text::is_empty(name) || mbcs::find_first(name, kYen)) return 1;
    const bool letter = text::is_drive_letter(name[0]);
    return letter && (name[1] == '\0' || (name[1] == ':' && name[2] == '\0')) ? 2 : 1;
}
