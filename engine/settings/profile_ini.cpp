// The INI back-end: the platform's private-profile functions on the INI file
// the host chose. Without one nothing is read or written (the platform would
// take WIN.INI instead).
#include <cstring>
#include "frame/error_internal.h"
#include "frame/text_internal.h"
#include "settings/profile_internal.h"

namespace ferro::profile {
LONG ini_read(const char* section, const char* key, const char* def, char* buffer, DWORD size) {
    if (!def) def = "";
    const char* file = ini_file();
    if (!buffer || size == 0) return 0;
    if (!file || !section) {
        errors::Composer(buffer, size).add(def);
        return 0;
    }
    return static_cast<LONG>(GetPrivateProfileStringA(section, key, def, buffer, size, file));
}

LONG ini_read_int(const char* section, const char* key, LONG def) {
    const char* file = ini_file();
    if (!file || !section || !key) return def;
    // The platform reads a text without digits as 0; the store gives the
    // default, as the registry does for a value that is no integer.
    char text[32];
    GetPrivateProfileStringA(section, key, "", text, sizeof text, file);
    const char* p = text;
    while (*p == ' ' || *p == '\t') ++p;
    if (*p == '-' || *p == '+') ++p;
    if (*p < '0' || *p > '9') return def;
    return static_cast<LONG>(GetPrivateProfileIntA(section, key, def, file));
}

namespace {
// The file may be written: the platform's functions would write a read-only
// file where the file system lets them (a program run by the administrator).
const char* writable_file() {
    const char* file = ini_file();
    if (!file) return nullptr;
    const DWORD attributes = GetFileAttributesA(file);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) ? nullptr : file;
}
}  // namespace

bool ini_write(const char* section, const char* key, const char* value) {
    const char* file = writable_file();
    // A null key would remove the whole section: only ini_erase may do that.
    if (!file || text::is_empty(section) || !key) return false;
    return WritePrivateProfileStringA(section, key, value, file) != FALSE;
}

bool ini_write_int(const char* section, const char* key, LONG value) {
    char digits[16];
    wsprintfA(digits, "%d", value);
    return ini_write(section, key, digits);
}

bool ini_erase(const char* section, const char* key) {
    const char* file = writable_file();
    if (!file || text::is_empty(section)) return false;
    return WritePrivateProfileStringA(section, key, nullptr, file) != FALSE;
}

bool ini_has(const char* section, const char* key) {
    const char* file = ini_file();
    if (!file || !section) return false;
    if (!key) {
        char names[4];
        return GetPrivateProfileStringA(section, nullptr, "", names, sizeof names, file) > 0;
    }
    // A default that no stored text can be: the entry is there when it is not returned.
    static constexpr char kAbsent[] = "\x01\x02";
    char value[4];
    GetPrivateProfileStringA(section, key, kAbsent, value, sizeof value, file);
    return std::strcmp(value, kAbsent) != 0;
}
}  // namespace ferro::profile
