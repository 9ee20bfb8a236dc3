// Deleting one entry with the user's questions: read-only files and folders,
// entries that cannot be deleted, the recycle bin, and renaming for case.
#include <windows.h>
#include <shellapi.h>
#include <cstring>
#include <string>
#include "fileops/case_rule.h"
#include "fileops/delete.h"
#include "fileops/delete_internal.h"
#include "ferromes.h"
#include "frame/error_boxes.h"
#include "frame/error_internal.h"
#include "frame/message_box.h"
#include "frame/message_pump.h"
#include "frame/name_validity.h"
#include "frame/paths.h"
#include "frame/text_internal.h"
#include "fs/dos_folders.h"
#include "fs/dos_names.h"
#include "fs/dos_times.h"
#include "fs/fs_common.h"
#include "programs/error_report.h"
#include "settings/place_follow.h"
#include "ui/wait.h"

namespace ferro::fileops {
namespace {
// Message numbers.
constexpr UINT kNotDeletedHeading = 8111;  // "======消去されなかったﾌｧｲﾙ(ﾌｫﾙﾀﾞ)======"
constexpr UINT kReadOnlyHelp = 8115;       // "\n\n[はい]･･再消去  [いいえ]･･次へ  [ｷｬﾝｾﾙ]･･中止"
constexpr UINT kAttributeFailed = 8116;    // "強制消去用の属性設定ができませんでした。"
constexpr UINT kDeleteTitle = 8117;        // "消去"
constexpr UINT kReadOnlyFile = 8118;       // " の消去はできませんでした。強制消去しますか？"
constexpr UINT kFileFailed = 8119;         // "ﾌｧｲﾙの消去はできませんでした。"
constexpr UINT kForceTitle = 8120;         // "強制消去"
constexpr UINT kFolderFailedAsk = 8121;    // "ﾌｫﾙﾀﾞの消去はできませんでした。次のﾌｫﾙﾀﾞの消去を続行しますか？"
constexpr UINT kFolderFailed = 8122;       // "ﾌｫﾙﾀﾞの消去はできませんでした。"
constexpr UINT kReadOnlyFolder = 8123;     // " の消去はできません。読込専用に設定されています。強制消去しますか？"
constexpr UINT kFileFailedAsk = 8124;      // "ﾌｧｲﾙの消去はできませんでした。消去を続行しますか？"

constexpr LONG kTrashDefaultFlags = 0x2054;  // allow undo, no confirmation, silent, no connected elements
constexpr DWORD kArchive = FILE_ATTRIBUTE_ARCHIVE;
constexpr int kNoSuchEntry = 2;  // errno of a missing entry

DWORD attributes_of(const char* path) {
    DWORD attributes = 0;
    return my_Dos_getfileattr(path, &attributes) == 0 ? attributes : INVALID_FILE_ATTRIBUTES;
}

using Texts = errors::LoadedTexts;

// The shell's delete to the recycle bin: once with the path, once more with
// its short-name form. True only when the entry is gone afterwards.
bool delete_to_trash(const char* path) {
    fs::PathArg arg(path);
    if (!arg.usable()) return false;
    const UINT flags = static_cast<UINT>(settings().trash_flags ? settings().trash_flags : kTrashDefaultFlags);
    auto attempt = [flags](const char* name) {
        char from[text::kPathSize + 1] = {};
        std::memcpy(from, name, std::strlen(name) + 1);  // the second NUL stays
        SHFILEOPSTRUCTA op = {};
        op.wFunc = FO_DELETE;
        op.pFrom = from;
        op.fFlags = static_cast<FILEOP_FLAGS>(flags);
        const int code = SHFileOperationA(&op);
        const bool gone = GetFileAttributesA(name) == INVALID_FILE_ATTRIBUTES;
        if (code == 0 && !op.fAnyOperationsAborted && gone) return true;
        dos::record_error(code ? static_cast<DWORD>(code) : ERROR_ACCESS_DENIED);
        return false;
    };
    if (attempt(arg.fs())) {
        fs::record_success();
        return true;
    }
    const DWORD first = Get_nERRNO();
    char short_form[text::kPathSize];
    if (myGetShortFileName(short_form, arg.fs()) && std::strcmp(short_form, arg.fs()) != 0 && attempt(short_form)) {
        fs::record_success();
        return true;
    }
    dos::record_error(first);
    return false;
}

void show_in_file_control(const char* path) {
    const DeleteSettings& s = settings();
    if (s.dialog && s.file_control) SetDlgItemTextA(s.dialog, s.file_control, path);
}

// A box of the file error kind with the style and help line given.
int ask(HWND window, const char* path, UINT messageId, UINT titleId, UINT style, UINT helpId) {
    if (helpId) {
        Texts help(helpId, 0);
        SetHelpDosErrorMessage(style, help.message);
    } else {
        SetHelpDosErrorMessage(style, "");
    }
    const int answer = MyLoadDosErrorMessageWithAttribute(window, path, messageId, titleId, 0);
    SetHelpDosErrorMessage(0, nullptr);
    return answer;
}

bool has_bad_name(const char* path, bool file) {
    if (file) {
        OnlyFileNameOnlyForIsBadFname(1);
        return IsBadFname(nullptr, path, 0) != 0;
    }
    SetWithoutMessageForIsBadDirName(1);
    const int bad = IsBadDirName(nullptr, path, 0);
    SetWithoutMessageForIsBadDirName(0);
    return bad != 0;
}
}  // namespace

bool confirm_read_only_folder(HWND window, const char* folder) {
    DeleteSettings& s = settings();
    const DWORD attributes = attributes_of(folder);
    if (s.force || attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_READONLY)) return true;
    int answer = IDNO;
    if (window && !s.no_error_boxes) {
        Texts texts(kReadOnlyFolder, kForceTitle);
        std::string text = std::string(folder) + texts.message;
        answer = myMessageBox(window, text.c_str(), texts.title, MB_YESNOCANCEL | MB_ICONEXCLAMATION);
    }
    if (answer == IDYES && my_Dos_setfileattr(folder, kArchive) == 0) return true;
    SaveOutputFileMemoryHandle(window, nullptr, folder, nullptr, kNotDeletedHeading, static_cast<LONG>(Get_nERRNO()));
    s.boxes_shown |= 0x2;
    return false;
}
}  // namespace ferro::fileops

using namespace ferro;
using namespace ferro::fileops;

LONG WINAPI RemoveByForce(HWND window, LPCSTR path, LONG ask_next, LONG kind, LONG caseRule) {
    DeleteSettings& s = settings();
    const bool rename = (kind & 0x2) && !(kind & 0x1);
    const bool file = (kind & 0x4) != 0;
    const bool folder = !file && (kind & 0x8) != 0;
    if (text::is_empty(path)) return -kDeleteFailed;
    if (!rename && !file && !folder) return -kDeleteNotDone;
    if (s.force && !rename) my_Dos_setfileattr(path, kArchive);

    LONG bits = 0;
    DWORD error = 0;
    for (;;) {
        if (IsStopExecutingFlag()) return -kDeleteStopped;
        Set_errno(0);
        bool done = false;
        if (rename) {
            const LONG renamed = RenameTgtfileIfCaseSensitive(path, path, caseRule);
            if (renamed == -1) {
                show_in_file_control(path);
                MessageBeep(MB_ICONEXCLAMATION);
                s.last_error = static_cast<LONG>(Get_nERRNO());
                return -kDeleteCaseFailed;
            }
            if (renamed == 0) return -kDeleteNotDone;
            done = true;
        } else if (s.trash) {
            if (!IsFileDirExist(path)) {
                error = ERROR_FILE_NOT_FOUND;
                bits = kDeleteSkipped;
                break;
            }
            done = delete_to_trash(path);
        } else {
            done = (file ? WinRemove(path) : myRmdir(path)) == 0;
        }
        error = Get_nERRNO();
        const int number = Get_errno();
        s.last_error = static_cast<LONG>(error);
        if (done) {
            // The host's counting callback of the wait window: the name and
            // the running number the caller gave (the walk's entry number).
            ferro::ui::send_counting(GetFileName(nullptr, const_cast<LPSTR>(path)), ask_next > 0 ? ask_next : -1, 0);
            // The favourite folders and the history forget a deleted folder.
            if (!file && !(kind & 0x2)) ferro::places::follow_folder_deleted(path);
            return -(kDeleteDone | (file ? kDeleteFile : kDeleteFolder));
        }

        const DWORD attributes = attributes_of(path);
        const bool read_only = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
        if ((kind & 0x1) && has_bad_name(path, file)) {
            bits = file ? kDeleteSkipped : kDeleteFailed;
            break;
        }
        if (!window) {
            bits = kDeleteSkipped;
            break;
        }
        if (s.no_error_boxes) {
            bits = kDeleteFailed;
            break;
        }

        UINT message, style, help = 0;
        bool yes_no = false;
        if (file && read_only) {
            message = kReadOnlyFile;
            style = ask_next ? MB_YESNOCANCEL : MB_RETRYCANCEL;
            if (ask_next) help = kReadOnlyHelp;
        } else if (file) {
            message = ask_next ? kFileFailedAsk : kFileFailed;
            style = ask_next ? MB_YESNO : MB_OK;
            yes_no = ask_next != 0;
        } else {
            message = ask_next ? kFolderFailedAsk : kFolderFailed;
            style = ask_next ? MB_YESNO : MB_OK;
            yes_no = ask_next != 0;
        }
        Set_nERRNO(error);
        Set_errno(number);
        const int answer = ask(window, path, message, read_only ? kForceTitle : kDeleteTitle, style | MB_ICONQUESTION, help);
        Set_nERRNO(error);
        Set_errno(number);

        if (answer == IDYES || answer == IDRETRY) {
            if (number == kNoSuchEntry) {
                bits = kDeleteSkipped;
                break;
            }
            if (read_only) {
                if (my_Dos_setfileattr(path, kArchive) != 0) {
                    error = Get_nERRNO();
                    ask(window, path, kAttributeFailed, kForceTitle, MB_OK | MB_ICONQUESTION, 0);
                    bits = kDeleteFailed;
                    break;
                }
                continue;  // try again without the read-only attribute
            }
            if (yes_no) {
                bits = kDeleteSkipped;  // go on with the next entry
                break;
            }
            return -kDeleteRetry;
        }
        if (answer == IDNO && !yes_no) {
            bits = kDeleteSkipped;  // read-only entry: on to the next
            break;
        }
        // Cancel, OK, or no to going on: this entry failed; in a walk the
        // user's cancel or refusal to go on ends the run.
        bits = kDeleteFailed;
        if (ask_next && (answer == IDCANCEL || answer == IDNO)) SetStopExecutingFlag(1);
        break;
    }
    s.last_error = static_cast<LONG>(error);
    SaveOutputFileMemoryHandle(window, nullptr, path, nullptr, kNotDeletedHeading, static_cast<LONG>(error));
    return -bits;
}
