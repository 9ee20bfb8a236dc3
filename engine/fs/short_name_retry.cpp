#include <cstring>
#include <initializer_list>
#include "frame/paths.h"
#include "frame/report_link.h"
#include "frame/text.h"
#include "frame/text_internal.h"
#include "fs/dos_names.h"
#include "fs/fs_common.h"

using namespace ferro;

namespace {
constexpr char kRetryNoteEnglish[] = "Invalid filename is shortened and retried";
// "不正なﾌｧｲﾙ名を修正し再操作"
constexpr char kRetryNoteJapanese[] =
    "\x95\x73\x90\xb3\x82\xc8\xcc\xa7\xb2\xd9\x96\xbc\x82\xf0\x8f\x43\x90\xb3\x82\xb5\x8d\xc4\x91\x80\x8d\xec";

// Notes a retry in the error report list: the text, the name as given and
// its short form.
void note_in_error_report(const char* text, const char* given, const char* short_form) {
    note_in_report(nullptr, text, given, short_form, 0, 0);
}

// The folder part of path (up to its last separator, keeping a root's yen
// mark) and the position after the separator.
std::size_t folder_length(const char* path) {
    const char* yen = text::last_separator(path, std::strlen(path));
    if (!yen) {
        const char* colon = std::strchr(path, ':');
        return colon && colon == path + 1 ? 2 : 0;
    }
    return static_cast<std::size_t>(yen - path) + 1;
}

// The short-name form without touching the stored error.
bool make_short_name(char* out, const char* path) {
    if (text::is_empty(path) || (path[0] == '\\' && path[1] == ':')) return false;  // a browsing path
    if (std::strchr(path, '*') || std::strchr(path, '?')) return false;
    DWORD saved = GetLastError();
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA(path, &found);
    SetLastError(saved);
    if (h == INVALID_HANDLE_VALUE) return false;
    FindClose(h);
    const char* name = found.cAlternateFileName[0] ? found.cAlternateFileName : found.cFileName;
    std::size_t folder = folder_length(path);
    std::size_t length = std::strlen(name);
    if (folder + length + 1 > fs::kPathSize) return false;
    std::memmove(out, path, folder);
    std::memcpy(out + folder, name, length + 1);
    return true;
}
}  // namespace

namespace ferro::fs {
bool short_name_for_retry(char* out, const char* path) { return GetShortNameVersion(out, path) != FALSE; }
}  // namespace ferro::fs

BOOL WINAPI myGetShortFileName(LPSTR out, LPCSTR path) {
    if (!out) return FALSE;
    char work[fs::kPathSize];
    if (!path || !text::copy_bounded(work, path)) return FALSE;
    if (!make_short_name(work, path)) return FALSE;
    std::memcpy(out, work, std::strlen(work) + 1);
    return TRUE;
}

BOOL WINAPI GetShortNameVersion(LPSTR buffer, LPCSTR path) {
    if (!buffer || text::is_empty(path)) return FALSE;
    // A file that another program holds is the same file under its short name.
    for (DWORD error : {GetLastError(), Get_nERRNO()})
        if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) return FALSE;
    char short_form[fs::kPathSize];
    if (!make_short_name(short_form, path) || lstrcmpiA(short_form, path) == 0) return FALSE;
    note_in_error_report(GetLanguage() == 0 ? kRetryNoteEnglish : kRetryNoteJapanese, path, short_form);
    std::memcpy(buffer, short_form, std::strlen(short_form) + 1);
    return TRUE;
}
