// The report list's requests to the platform.
#include "programs/report_platform.h"
#include <cstring>
#include "frame/mbcs.h"
#include "frame/error_texts.h"
#include "fs/dos_names.h"
#include "fs/dos_times.h"
#include "frame/error_state.h"
#include "fs/path_spelling.h"
#include "programs/launch.h"
#include "programs/launch_internal.h"
#include "viewer/file_helpers.h"

namespace ferro::programs {
namespace {
constexpr std::size_t kPath = 520;

// A copy without an enclosing quotation; false when it does not fit.
bool unquoted(const char* path, char (&out)[kPath]) {
    if (!path) return false;
    if (*path == '"') ++path;
    std::size_t n = std::strlen(path);
    if (n > 0 && ferro::mbcs::ends_with(path, n, '"')) --n;
    if (n == 0 || n >= kPath) return false;
    std::memcpy(out, path, n);
    out[n] = '\0';
    return true;
}

}  // namespace

LONG report_attributes(const char* path) {
    char p[kPath];
    DWORD attributes = INVALID_FILE_ATTRIBUTES;
    if (!unquoted(path, p) || my_Dos_getfileattr(p, &attributes) != 0) return -1;
    return attributes == INVALID_FILE_ATTRIBUTES ? -1 : static_cast<LONG>(attributes);
}

bool report_exists(const char* path) { return path && IsFileDirExist(path); }

// Long names; the part that does not exist is kept as given.
const char* report_spelling(const char* path) {
    char p[kPath];
    if (!unquoted(path, p)) return nullptr;
    const char* spelled = GetReformed95PathNameFromOS(p, 8 | 16, 1);
    return spelled == p ? nullptr : spelled;  // p: a nested call, nothing spelled
}

const char* report_system_text(const char* name, DWORD code) { return xDosErrors(name, code); }

void release_report_system_text() { FreeDosErrorMesHandle(); }

const char* report_os_prefix() { return GetFromOsString(); }

bool write_report_file(const char* path, const char* data, std::size_t length, DWORD attributes) {
    return length > 0 && SaveFile(path, data, attributes, static_cast<DWORD>(length), nullptr, nullptr) == 1;
}

bool open_in_editor(HWND window, const char* path) {
    LaunchRecord record;
    ExecuteEditor(&record, window, path);
    bool started = !IsWinExecOnError(record);
    close_record_handles(record);
    return started;
}

int remove_report_file(const char* path) { return WinRemove(path); }
}  // namespace ferro::programs
