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
    char text[64];
    if (GetPrivateProfileStringA(section, key, "", text, sizeof text, file) == 0) return def;
    // Read as the platform's integer read does (a sign, then 0x, 0o or 0b
    // or decimal digits), but a text without digits gives the default, as
    // the registry does for a value that is no integer.
    const char* p = text;
    while (*p == ' ' || *p == '\t') ++p;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+') ++p;
    unsigned base = 10;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X' || p[1] == 'o' || p[1] == 'b')) {
        base = p[1] == 'o' ? 8 : p[1] == 'b' ? 2 : 16;
        p += 2;
    }
    auto digit = [base](char c) -> int {
        const int value = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10
                        : c >= 'A' && c <= 'F' ? c - 'A' + 10 : 99;
        return value < int(base) ? value : -1;
    };
    if (digit(*p) < 0) return def;
    ULONG value = 0;
    for (; digit(*p) >= 0; ++p) value = value * base + ULONG(digit(*p));
    return static_cast<LONG>(negative ? 0u - value : value);
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
    // Names with a broken double-byte character are not written.
    if (!mbcs::whole_characters(section) || !mbcs::whole_characters(key)) return false;
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
