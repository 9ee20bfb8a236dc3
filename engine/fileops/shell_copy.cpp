// mySHCopyFile: one file copied by the shell's file operation, with the
// state of the copy run kept as the library's own copy loop keeps it.
#include <windows.h>
#include <shellapi.h>
#include <cerrno>
#include <cstring>
#include "fileops/copy.h"
#include "fileops/copy_internal.h"
#include "frame/paths.h"
#include "frame/platform_version.h"
#include "frame/pump.h"
#include "frame/text.h"
#include "frame/text_internal.h"
#include "fs/dos_find.h"
#include "fs/dos_times.h"
#include "frame/error_state.h"
#include "programs/error_report.h"

namespace {
using namespace ferro::fileops;

// FOF_NOCONFIRMATION | FOF_SIMPLEPROGRESS | FOF_NOCONFIRMMKDIR | FOF_NO_CONNECTED_ELEMENTS
constexpr FILEOP_FLAGS kShellFlags = 0x2310;
constexpr FILEOP_FLAGS kNoErrorBoxes = 0x400;  // FOF_NOERRORUI
constexpr FILEOP_FLAGS kSilent = 0x4;          // FOF_SILENT
constexpr DWORD kQuietShellPlatform = 0x80000;
constexpr ULONGLONG kQuietBelow = 0x100000;
constexpr int kCancelledCode = ERROR_CANCELLED;  // 1223

constexpr char kPrefixEnglish[] = "By Windows System:\n";
constexpr char kPrefixJapanese[] = "\x83\x45\x83\x42\x83\x93\x83\x68\x83\x45\x83\x59\x92\xF1\x8B\x9F\x8B\x40\x94\x5C:\n";

FILEOP_FLAGS flags_for_this_copy() {
    FILEOP_FLAGS flags = kShellFlags;
    if (ignore_errors()) flags |= kNoErrorBoxes;
    if ((GetWindowsPlatform(nullptr) & kQuietShellPlatform) && saved_file_size() < kQuietBelow) flags |= kSilent;
    return flags;
}

// The file the copy makes: the target, or the source's name inside it when
// the target is a folder.
void copied_file_of(char* out, LPSTR source, LPSTR target) {
    copy_name_out(out, target);
    if (IsDirectoryAttribute(target) != 4) return;
    char folder[kPathSize];
    copy_name_out(folder, target);
    if (_myGetFullPathName(out, folder, GetFileName(nullptr, source)) == 0) copy_name_out(out, target);
}

LONG note_shell_failure(HWND window, LPCSTR source, LPCSTR target, int code, LONG result) {
    const char* prefix = GetLanguage() == 0 ? kPrefixEnglish : kPrefixJapanese;
    SaveOutputFileMemoryHandle(window, prefix, source, target, kCopyErrorHeading, code);
    return result;
}
}  // namespace

LONG WINAPI mySHCopyFile(HWND window, LPSTR source, LPSTR target, LONG drive, UINT progressMessage) {
    (void)drive;
    if (ferro::text::is_empty(source)) return kSourceNotOpened;
    if (ferro::text::is_empty(target)) return kTargetNotOpened;
    // The shell takes lists ended by a second NUL: they are built here, and
    // the caller's buffers are only read.
    char from[kPathSize + 1] = {};
    char to[kPathSize + 1] = {};
    const std::size_t from_length = strnlen(source, kPathSize);
    const std::size_t to_length = strnlen(target, kPathSize);
    if (from_length >= kPathSize) return kSourceNotOpened;
    if (to_length >= kPathSize) return kTargetNotOpened;
    std::memcpy(from, source, from_length);
    std::memcpy(to, target, to_length);
    char made[kPathSize];
    copied_file_of(made, from, to);

    SHFILEOPSTRUCTA operation{};
    operation.hwnd = window;
    operation.wFunc = FO_COPY;
    operation.pFrom = from;
    operation.pTo = to;
    operation.fFlags = flags_for_this_copy();
    operation.lpszProgressTitle = from;

    const DWORD entry_error = Get_nERRNO();
    Set_nERRNO(0);
    errno = 0;
    if (ferro::pump_throttled()) return kStopped;
    const int code = SHFileOperationA(&operation);
    if (ferro::pump_throttled()) return kStopped;
    if (target_attribute() != -1) my_Dos_setfileattr(made, settable_attributes(static_cast<DWORD>(target_attribute())));

    LONG result;
    if (code == 0 && !operation.fAnyOperationsAborted) {
        WIN32_FIND_DATAA found;
        const ULONGLONG size = myFindFileAProperty(made, &found) == 0 ? GetOurUlargeIntergerSize(&found) : 0;
        add_copied(size);
        if (progressMessage && window)
            SendMessageA(window, progressMessage & 0xFFFF, static_cast<WPARAM>(size >> 32),
                         static_cast<LPARAM>(static_cast<DWORD>(size)));
        mark_file_copied();
        Set_nERRNO(entry_error);
        result = kCopied;
    } else if (code == kCancelledCode || (code == 0 && operation.fAnyOperationsAborted)) {
        Set_nERRNO(kCancelledCode);
        result = note_shell_failure(window, source, target, kCancelledCode, kShellCancelled);
    } else {
        // Any other failure is a failure too: noted, never the previous result.
        Set_nERRNO(static_cast<DWORD>(code));
        result = note_shell_failure(window, source, target, code, kFailedAndNoted);
    }
    GetErrnoFromWin32();
    set_last_result(result);
    return result;
}
