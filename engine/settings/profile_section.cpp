// Section names and the current-section passes: a reading pass opens one
// section below the product's key as the current key and reads it value by
// value; a writing pass creates one and writes into it. Only one current
// key exists: opening a section closes the previous one, also when the new
// one does not open, so that no write lands in the section before.
#include <cstring>
#include "frame/error_internal.h"
#include "frame/text_internal.h"
#include "settings/profile.h"
#include "settings/profile_internal.h"

using namespace ferro;
using profile::kTextSize;

namespace {
int compose_failed(HKEY* hiveOut, LPCSTR* sectionInOut) {
    profile::section_buffer()[0] = '\0';
    if (hiveOut) *hiveOut = nullptr;
    if (sectionInOut) *sectionInOut = nullptr;
    return 0;
}

// Opens the current key (closing the previous one); the platform's status.
LONG open_current(HKEY hive, const char* path, profile::Use use) {
    profile::set_current_key(nullptr);
    registry::Key key;
    const LONG status = use == profile::Use::read ? profile::open_for_reading(hive, path, key)
                                                  : profile::open_for_writing(hive, path, key);
    if (status == ERROR_SUCCESS) profile::set_current_key(key.release());
    return status;
}

// A string of the current key as myGetPrivateProfileString reads it.
LONG read_current(LPCSTR key, LPCSTR def, LPSTR buffer, DWORD size) {
    errors::Composer(buffer, size).add(def ? def : "");
    const HKEY current = profile::current_key();
    if (!current) return 0;
    LONG count = 0;
    if (!key) {
        profile::list_names(current, buffer, size, false, count);
        return count;
    }
    DWORD bytes = 0;
    if (registry::read_text(current, key, buffer, size, &bytes) == registry::Read::text && buffer[0] != '\0')
        return static_cast<LONG>(bytes);
    errors::Composer(buffer, size).add(def ? def : "");
    return 0;
}
}  // namespace

int WINAPI GetSectionParameters(HKEY* hiveOut, HKEY hive, LPCSTR* sectionInOut, LPCSTR prefix) {
    const char* section = sectionInOut ? *sectionInOut : nullptr;
    char composed[kTextSize];
    if (profile::direct_ini()) {
        const char* name = profile::ini_section(hive, section);
        if (!text::copy_bounded(composed, name ? name : "", sizeof composed)) return compose_failed(hiveOut, sectionInOut);
    } else if (!profile::join_section(composed, prefix, section)) {
        return compose_failed(hiveOut, sectionInOut);
    }
    char* buffer = profile::section_buffer();
    std::memcpy(buffer, composed, std::strlen(composed) + 1);
    if (hiveOut) *hiveOut = profile::direct_ini() ? nullptr : hive;
    if (sectionInOut) *sectionInOut = buffer;
    return static_cast<int>(std::strlen(buffer));
}

int WINAPI myGetSectionParameters(HKEY* hiveOut, HKEY hive, LPCSTR* sectionInOut, LPCSTR prefix) {
    return GetSectionParameters(hiveOut, hive, sectionInOut, prefix);
}

// ---- Reading pass

LONG WINAPI StartIniAccessForReading(LONG) { return 1; }

LONG WINAPI SetSectionNameForReading(LPCSTR section) {
    if (profile::section_ini())
        return section && text::copy_bounded(profile::section_buffer(), section, kTextSize) ? 1 : 0;
    char path[kTextSize];
    if (!profile::product_section(path, section)) {
        profile::set_current_key(nullptr);
        return 0;
    }
    return open_current(HKEY_CURRENT_USER, path, profile::Use::read) == ERROR_SUCCESS ? 1 : 0;
}

LONG WINAPI OpenSpedifiedKey(HKEY hive, LPCSTR subkey) {
    const HKEY previous = profile::current_key();
    LONG status = 0;
    if (profile::section_ini()) {
        const char* name = profile::ini_section(hive, subkey);
        if (!text::copy_bounded(profile::section_buffer(), name ? name : "", kTextSize))
            profile::section_buffer()[0] = '\0';
    } else {
        registry::Key key;
        status = registry::open(hive, subkey, profile::access_for(hive), key);
        profile::set_current_key(status == ERROR_SUCCESS ? key.release() : nullptr);
    }
    if (hive != previous) profile::close_hive(hive);  // the previous current key is closed already
    return status;
}

LONG WINAPI myGetPrivateProfileString(LPCSTR key, LPCSTR def, LPSTR buffer, DWORD size) {
    if (!buffer || size == 0) return 0;
    if (profile::section_ini()) return profile::ini_read(profile::section_buffer(), key, def, buffer, size);
    return read_current(key, def, buffer, size);
}

LONG WINAPI myGetPrivateProfileInt(LPCSTR key, LONG def) {
    if (profile::section_ini()) return profile::ini_read_int(profile::section_buffer(), key, def);
    DWORD value = 0;
    return registry::read_dword(profile::current_key(), key, value) ? static_cast<LONG>(value) : def;
}

LONG WINAPI myGetSystemProfileString(LPCSTR key, LPCSTR def, LPSTR buffer, DWORD size) {
    if (!buffer || size == 0) return 0;
    if (profile::section_ini())
        return static_cast<LONG>(GetProfileStringA(profile::section_buffer(), key, def ? def : "", buffer, size));
    return read_current(key, def, buffer, size);
}

LONG WINAPI EndIniAccessForReading() {
    profile::set_current_key(nullptr);
    return 1;
}

// ---- Writing pass (always in the registry)

LONG WINAPI StartIniAccessForWriting(LONG, LONG) {
    profile::forget_current_key();
    return 1;
}

LONG WINAPI SetSectionNameForWriting(LONG, LPCSTR section, LONG) {
    char path[kTextSize];
    if (!profile::product_section(path, section)) {
        profile::set_current_key(nullptr);
        return 0;
    }
    return open_current(HKEY_CURRENT_USER, path, profile::Use::write) == ERROR_SUCCESS ? 1 : 0;
}

LONG WINAPI _SetSectionNameForWriting(HKEY hive, LPCSTR path, LPCSTR section, LPSTR nameOut) {
    char composed[kTextSize];
    if (!profile::join_section(composed, path, section)) {
        if (nameOut) nameOut[0] = '\0';
        profile::set_current_key(nullptr);
        return ERROR_BUFFER_OVERFLOW;
    }
    if (nameOut) std::memcpy(nameOut, composed, std::strlen(composed) + 1);
    return open_current(hive, composed, profile::Use::write);
}

LONG WINAPI WriteStrInInifile(LONG, LPCSTR key, LPCSTR value) {
    const char* text = value ? value : "";
    return registry::write_text(profile::current_key(), key, text, std::strlen(text) + 1);
}

LONG WINAPI _WriteIntInInifile(LONG, LPCSTR key, LONG value) {
    return registry::write_dword(profile::current_key(), key, static_cast<DWORD>(value));
}

LONG WINAPI myWriteProfileString(LONG, LPCSTR key, LPCSTR value) {
    const HKEY current = profile::current_key();
    if (!current) return 0;
    if (value) return registry::write_text(current, key, value, std::strlen(value) + 1) == ERROR_SUCCESS ? 1 : 0;
    if (text::is_empty(key)) return 0;
    profile::forget_kept_keys();
    return RegDeleteKeyA(current, key) == ERROR_SUCCESS ? 1 : 0;
}

LONG WINAPI EraseSectionName(LPCSTR section, LPCSTR key) {
    if (!text::is_empty(key)) {
        const HKEY current = profile::current_key();
        return current && RegDeleteValueA(current, key) == ERROR_SUCCESS ? 1 : 0;
    }
    char path[kTextSize];
    if (text::is_empty(section) || !profile::product_section(path, section)) return 0;
    return profile::delete_key(HKEY_CURRENT_USER, path, KEY_ALL_ACCESS);
}
