#include <windows.h>
#include <shlobj.h>
#include <cstring>
#include "frame/platform_decision.h"
#include "frame/platform_version.h"
#include "frame/text_internal.h"
#include "fs/dos_names.h"
#include "fs/fs_common.h"

using namespace ferro;

namespace {
char g_redirect_folder[fs::kPathSize];

// Systems from Windows Vista on keep per-user copies of files that programs
// wrote below protected folders.
bool system_keeps_redirect_copies() { return (GetWindowsVersion() & platform::kNT6Family) != 0; }
}  // namespace

namespace ferro::fs {
bool redirect_folder_set() { return g_redirect_folder[0] != '\0'; }

bool redirect_path_of(char* out, const char* path) {
    out[0] = '\0';
    if (!system_keeps_redirect_copies() || !path || !text::is_drive_letter(path[0]) || path[1] != ':' ||
        path[2] != '\\')
        return false;
    char store[MAX_PATH];
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, store))) return false;
    std::size_t base = std::strlen(store);
    const char* rest = path + 3;
    static constexpr char kStore[] = "\\VirtualStore\\";
    std::size_t total = base + sizeof kStore - 1 + std::strlen(rest);
    if (total + 1 > kPathSize) return false;
    std::memcpy(out, store, base);
    std::memcpy(out + base, kStore, sizeof kStore - 1);
    std::memcpy(out + base + sizeof kStore - 1, rest, std::strlen(rest) + 1);
    return true;
}
}  // namespace ferro::fs

LPCSTR WINAPI SetFolderForRedirect(LPCSTR folder) {
    if (!folder || !text::copy_bounded(g_redirect_folder, folder, sizeof g_redirect_folder)) g_redirect_folder[0] = '\0';
    return g_redirect_folder;
}
