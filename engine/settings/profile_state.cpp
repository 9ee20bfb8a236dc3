// Where the settings live and the state every pass of the store shares: the
// registry path, the INI file, the switches, the current key and the
// section buffer.
#include <cstring>
#include "frame/memory_blocks.h"
#include "frame/text_internal.h"
#include "settings/profile.h"
#include "settings/profile_internal.h"

using namespace ferro;

namespace {
char g_registry_path[profile::kTextSize];
MemoryTag g_ini_file;
LONG g_use_ini = 0;
LONG g_section_ini = 0;
LONG g_admin = 0;
HKEY g_current_key = nullptr;
char g_section[profile::kTextSize];
LPSTR g_item_output = nullptr;

void release_ini_file() { FreeMemoryTag(&g_ini_file); }
}  // namespace

namespace ferro::profile {
const char* registry_path() { return g_registry_path; }
const char* ini_file() { return g_ini_file.pointer && *g_ini_file.pointer ? g_ini_file.pointer : nullptr; }
bool direct_ini() { return g_use_ini != 0; }
bool section_ini() { return g_section_ini != 0; }
bool admin() { return g_admin != 0; }
HKEY current_key() { return g_current_key; }
void set_current_key(HKEY key) {
    if (g_current_key && g_current_key != key) registry::Key(g_current_key).reset();
    g_current_key = key;
}
void forget_current_key() { g_current_key = nullptr; }
char* section_buffer() { return g_section; }
char* item_output() { return g_item_output; }
}  // namespace ferro::profile

int WINAPI SetRegistryPath(LPCSTR path) {
    if (!path || !text::copy_bounded(g_registry_path, path, sizeof g_registry_path)) return 0;
    return static_cast<int>(std::strlen(g_registry_path) + 1);
}

LPSTR WINAPI GetRegistryPath() { return g_registry_path; }

LPSTR WINAPI SaveFerroInifile(LPCSTR path) {
    if (!path) {
        release_ini_file();
        return nullptr;
    }
    if (std::strlen(path) >= profile::kTextSize) return nullptr;
    return GetMemoryTag(&g_ini_file, path);
}

LPSTR WINAPI GetFerroInifile() { return g_ini_file.pointer; }

LONG WINAPI ReleaseMemoryForFerroInifile() {
    release_ini_file();
    return 1;
}

LONG WINAPI ReleaseTempForRegistry() {
    release_ini_file();
    profile::set_current_key(nullptr);
    profile::forget_kept_keys();
    return 1;
}

LONG WINAPI SetUseInifileInsteadOfRegistry(LONG value) { return g_use_ini = value; }
LONG WINAPI GetUseInifileInsteadOfRegistry() { return g_use_ini; }
LONG WINAPI SetDoWin31(LONG value) { return g_section_ini = value; }
LONG WINAPI IsDoWin31() { return g_section_ini; }
LONG WINAPI SetRegistrySettingForAdmin(LONG value) { return g_admin = value; }
LONG WINAPI IsRegistrySettingForAdmin() { return g_admin; }
HKEY WINAPI GetKeyNameCodeAsHKEY() { return g_current_key; }
HKEY WINAPI SetKeyNameCodeAsHKEY(HKEY key) { return g_current_key = key; }
LPSTR WINAPI GetSectionName() { return g_section; }

LPSTR WINAPI GetItemHereInRegistry(LPSTR* buffer) { return g_item_output = buffer ? *buffer : nullptr; }
