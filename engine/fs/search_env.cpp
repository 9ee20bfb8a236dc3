#include <cctype>
#include <cstring>
#include "frame/paths.h"
#include "frame/text_internal.h"
#include "fs/dos_names.h"
#include "fs/fs_common.h"

using namespace ferro;
using namespace ferro::fs;

namespace {
// Whether the name's extension is one that the system itself runs: the
// extension, lowered and without a closing quotation mark, contains one of
// the executable extensions.
bool is_system_run_extension(const char* name) {
    const char* ext = GetFileExtension(name);
    if (!ext) return false;
    char lowered[16];
    std::size_t n = 0;
    for (; ext[n] && ext[n] != '"' && n + 1 < sizeof lowered; ++n)
        lowered[n] = static_cast<char>(std::tolower(static_cast<unsigned char>(ext[n])));
    lowered[n] = '\0';
    static constexpr const char* kRun[] = {"exe", "com", "bat", "pif", "lnk", "cmd"};
    for (const char* run : kRun)
        if (std::strstr(lowered, run)) return true;
    return false;
}

// SearchPath in the system's order; true with the full path in out (size bytes).
bool search_path(const char* name, char* out, int size) {
    DWORD n = SearchPathA(nullptr, name, nullptr, static_cast<DWORD>(size), out, nullptr);
    if (n == 0 || n >= static_cast<DWORD>(size)) {
        if (n) SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return false;
    }
    return true;
}

// The drive root of a name with a drive part does not exist.
bool drive_root_missing(const char* name) {
    if (!text::is_drive_letter(name[0]) || name[1] != ':') return false;
    char root[4] = {name[0], ':', '\\', '\0'};
    return GetFileAttributesA(root) == INVALID_FILE_ATTRIBUTES;
}
}  // namespace

int WINAPI my_Searchenv(LPCSTR name, LPSTR out, int size) {
    begin_call();
    if (text::is_empty(name)) return 1;
    if (!out || size <= 0) {
        record_error(ERROR_INVALID_PARAMETER);
        return 1;
    }
    PathArg arg(name);
    if (arg.bad()) return 1;
    if (arg.no_fs_name()) return 0;
    const char* path = arg.fs();
    if (mbcs::find_first(path, text::kYen) && drive_root_missing(path)) {
        record_error(ERROR_PATH_NOT_FOUND);
        return -3;
    }
    if (search_path(path, out, size)) {
        record_success();
        return 0;
    }
    record_failure();
    char short_form[kPathSize];
    if (short_name_for_retry(short_form, path)) {
        if (search_path(short_form, out, size)) {
            record_success();
            return 0;
        }
        if (!text::has_root(short_form)) {
            char joined[kPathSize];
            DWORD n = GetCurrentDirectoryA(sizeof joined, joined);
            if (n && n < sizeof joined && _myGetFullPathName(joined, joined, short_form) &&
                std::strlen(joined) < static_cast<std::size_t>(size) &&
                GetFileAttributesA(joined) != INVALID_FILE_ATTRIBUTES) {
                std::memcpy(out, joined, std::strlen(joined) + 1);
                record_success();
                return 0;
            }
        }
    }
    if (is_system_run_extension(path)) return 1;
    if (std::strlen(path) >= static_cast<std::size_t>(size)) {  // no room for the name: not found
        out[0] = '\0';
        return 1;
    }
    std::memcpy(out, path, std::strlen(path) + 1);
    return GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES ? 1 : 0;
}
