// The report list's requests to the platform.
#include "programs/report_platform.h"
#include <shellapi.h>
#include <cstring>
#include "frame/mbcs.h"
#include "frame/error_texts.h"
#include "fs/error_state.h"

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

char g_spelling[kPath];
}  // namespace

LONG report_attributes(const char* path) {
    char p[kPath];
    if (!unquoted(path, p)) return -1;
    DWORD a = GetFileAttributesA(p);
    return a == INVALID_FILE_ATTRIBUTES ? -1 : static_cast<LONG>(a);
}

bool report_exists(const char* path) { return report_attributes(path) != -1; }

const char* report_spelling(const char* path) {
    char p[kPath];
    if (!unquoted(path, p)) return nullptr;
    DWORD n = GetLongPathNameA(p, g_spelling, sizeof g_spelling);
    if (n == 0 || n >= sizeof g_spelling) return nullptr;
    if (g_spelling[0] >= 'a' && g_spelling[0] <= 'z' && g_spelling[1] == ':') g_spelling[0] -= 0x20;
    return g_spelling;
}

const char* report_system_text(const char* name, DWORD code) { return xDosErrors(name, code); }

void release_report_system_text() { FreeDosErrorMesHandle(); }

const char* report_os_prefix() { return GetFromOsString(); }

bool write_report_file(const char* path, const char* data, std::size_t length, DWORD attributes) {
    DWORD before = GetFileAttributesA(path);
    if (before != INVALID_FILE_ATTRIBUTES && (before & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesA(path, before & ~DWORD(FILE_ATTRIBUTE_READONLY));
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        ferro::fs::record_last_error();
        return false;
    }
    DWORD written = 0;
    bool ok = WriteFile(file, data, static_cast<DWORD>(length), &written, nullptr) && written == length;
    if (!ok) ferro::fs::record_last_error();
    CloseHandle(file);
    SetFileAttributesA(path, attributes);
    return ok;
}

bool open_in_editor(HWND window, const char* path) {
    return reinterpret_cast<INT_PTR>(ShellExecuteA(window, "open", path, nullptr, nullptr, SW_SHOWNORMAL)) > 32;
}

int remove_report_file(const char* path) {
    DWORD a = GetFileAttributesA(path);
    if (a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesA(path, a & ~DWORD(FILE_ATTRIBUTE_READONLY));
    if (DeleteFileA(path)) return 0;
    ferro::fs::record_last_error();
    return 1;
}
}  // namespace ferro::programs
