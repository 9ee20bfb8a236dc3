// The direct operations: a hive, a section below it and a key, in the
// registry or (with the use-INI switch) in the INI file. The exports hand the
// caller's key back when they are done; the work is done by functions that
// leave it open, so that one export may read and write through it in turn.
#include <cstring>
#include <string>
#include <vector>
#include "frame/error_internal.h"
#include "frame/text.h"
#include "frame/text_internal.h"
#include "settings/profile.h"
#include "settings/profile_internal.h"

using namespace ferro;
using profile::kTextSize;

namespace {
constexpr DWORD kLargestRead = 65534;  // sizes of 65535 or more are read as this
constexpr char kPolicyKey[] = "Software\\Microsoft\\windows\\CurrentVersion\\Policies\\System";

// The base key of an erase: the hive, or the current key for a null hive.
// The current key is the product's own, below HKEY_CURRENT_USER.
REGSAM erase_access(HKEY hive) { return hive ? profile::access_for(hive) : KEY_ALL_ACCESS; }

LONG erase(HKEY hive, const char* section, const char* key) {
    if (profile::direct_ini()) return profile::ini_erase(profile::ini_section(hive, section), key) ? 1 : 0;
    const HKEY base = hive ? hive : profile::current_key();
    if (!base) return 0;
    if (text::is_empty(key)) return profile::delete_key(base, section, erase_access(hive));
    if (!hive && text::is_empty(section)) return RegDeleteValueA(base, key) == ERROR_SUCCESS ? 1 : 0;
    registry::Key opened;
    if (registry::open(base, section, erase_access(hive), opened) != ERROR_SUCCESS) return 0;
    return RegDeleteValueA(opened.get(), key) == ERROR_SUCCESS ? 1 : 0;
}

LONG exists(HKEY hive, const char* section, const char* key, bool relative) {
    if (profile::direct_ini()) return profile::ini_has(profile::ini_section(hive, section), key) ? 1 : 0;
    char name[kTextSize];
    const bool composed = relative && *profile::registry_path() ? profile::product_section(name, section)
                          : section ? text::copy_bounded(name, section, sizeof name)
                                    : text::copy_bounded(name, profile::registry_path(), sizeof name);
    if (!composed) return 0;
    if (!key) {
        registry::Key opened;
        return profile::open_for_reading(hive, name, opened) == ERROR_SUCCESS ? 1 : 0;
    }
    char value[kTextSize];
    return profile::read_string(hive, name, key, "", value, sizeof value) != 0 ? 1 : 0;
}

LONG list_value_names(HKEY hive, const char* subkey, char* buffer, DWORD size, bool first_only) {
    if (!buffer || size < 2) return 0;
    buffer[0] = buffer[1] = '\0';
    if (profile::direct_ini()) {
        // The whole list (the platform cuts a list that does not fit inside a name).
        std::vector<char> all(4096);
        const char* section = profile::ini_section(hive, subkey);
        LONG length = 0;
        while ((length = profile::ini_read(section, nullptr, "", all.data(), DWORD(all.size()))) ==
                   LONG(all.size()) - 2 && all.size() < (1u << 24))
            all.resize(all.size() * 2);
        profile::NameList list(buffer, size);
        for (const char* name = all.data(); length > 0 && *name; name += std::strlen(name) + 1)
            if (!list.add(name, std::strlen(name)) || first_only) break;
        return list.count;
    }
    LONG count = 0;
    profile::with_key(hive, subkey, profile::Use::read,
                      [&](HKEY key) { return profile::list_names(key, buffer, size, first_only, count); });
    return count;
}
}  // namespace

namespace ferro::profile {
LONG list_names(HKEY key, char* buffer, DWORD size, bool first_only, LONG& count) {
    count = 0;
    if (!buffer || size < 2) return ERROR_INVALID_PARAMETER;
    NameList list(buffer, size);
    char name[16384];
    LONG first_status = ERROR_SUCCESS;
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        const LONG status = RegEnumValueA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (index == 0) first_status = status;
        if (status == ERROR_NO_MORE_ITEMS || status == ERROR_KEY_DELETED || status == ERROR_INVALID_HANDLE) break;
        if (status != ERROR_SUCCESS || length == 0) continue;  // the unnamed value, or a name too long
        if (!list.add(name, length) || first_only) break;
    }
    count = list.count;
    return first_status == ERROR_NO_MORE_ITEMS ? ERROR_SUCCESS : first_status;
}

LONG read_string(HKEY hive, const char* section, const char* key, const char* def, char* buffer, DWORD size) {
    if (!buffer || size == 0) return 0;
    if (size > kLargestRead) size = kLargestRead;
    if (!def) def = "";
    if (direct_ini()) {
        const char* ini = ini_section(hive, section);
        if (text::is_empty(key) && has_separator(ini)) return ini_has(ini, nullptr) ? 1 : 0;
        return ini_read(ini, key, def, buffer, size);
    }
    LONG result = 0;
    with_key(hive, section, Use::read, [&](HKEY opened) -> LONG {
        result = 0;
        if (text::is_empty(key) && has_separator(section)) {
            // A key path that opens answers with itself: how callers test for keys.
            const LONG status = RegQueryInfoKeyA(opened, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                                 nullptr, nullptr, nullptr, nullptr);
            if (status == ERROR_SUCCESS) result = static_cast<LONG>(errors::Composer(buffer, size).add(section).length());
            return status;
        }
        DWORD bytes = 0;
        LONG status = ERROR_SUCCESS;
        switch (registry::read_text(opened, key, buffer, size, &bytes, nullptr, &status)) {
        case registry::Read::text: result = static_cast<LONG>(bytes); break;
        case registry::Read::other_type: result = -1; break;
        case registry::Read::missing: result = 0; break;
        }
        return status;
    });
    if (result <= 0) errors::Composer(buffer, size).add(def);
    return result;
}

LONG read_int(HKEY hive, const char* section, const char* key, LONG def) {
    if (direct_ini()) return ini_read_int(ini_section(hive, section), key, def);
    LONG result = def;
    with_key(hive, section, Use::read, [&](HKEY opened) -> LONG {
        DWORD value = 0;
        LONG status = ERROR_SUCCESS;
        result = registry::read_dword(opened, key, value, &status) ? static_cast<LONG>(value) : def;
        return status;
    });
    return result;
}

LONG write_string(HKEY hive, const char* section, const char* key, const char* value, LONG length) {
    if (direct_ini()) {
        if (!key) return 0;  // the platform would remove the whole section
        const char* ini = ini_section(hive, section);
        return (value ? ini_write(ini, key, value) : ini_erase(ini, key)) ? 1 : 0;
    }
    if (!value) {
        if (text::is_empty(key) || access_for(hive) == KEY_READ) return 0;
        registry::Key opened;
        if (registry::open(hive, section, access_for(hive), opened) != ERROR_SUCCESS) return 0;
        forget_kept_keys();
        return RegDeleteKeyA(opened.get(), key) == ERROR_SUCCESS ? 1 : 0;
    }
    std::size_t bytes = std::strlen(value) + 1;
    if (length > 0 && static_cast<std::size_t>(length) < bytes) bytes = static_cast<std::size_t>(length);
    return with_key(hive, section, Use::write,
                    [&](HKEY opened) { return registry::write_text(opened, key, value, bytes); }) == ERROR_SUCCESS
               ? 1
               : 0;
}

LONG write_int(HKEY hive, const char* section, const char* key, LONG value) {
    if (direct_ini()) return ini_write_int(ini_section(hive, section), key, value) ? 1 : 0;
    return with_key(hive, section, Use::write,
                    [&](HKEY opened) { return registry::write_dword(opened, key, static_cast<DWORD>(value)); }) ==
                   ERROR_SUCCESS
               ? 1
               : 0;
}
}  // namespace ferro::profile

LONG WINAPI FindPrivateProfileString(HKEY hive, LPCSTR section, LPCSTR key, LPCSTR def, LPSTR buffer, DWORD size) {
    return profile::handing_back(hive, [&] { return profile::read_string(hive, section, key, def, buffer, size); });
}

LONG WINAPI FindPrivateProfileInt(HKEY hive, LPCSTR section, LPCSTR key, LONG def) {
    return profile::handing_back(hive, [&] { return profile::read_int(hive, section, key, def); });
}

LONG WINAPI SetPrivateProfileString(HKEY hive, LPCSTR section, LPCSTR key, LPCSTR value, LONG length) {
    return profile::handing_back(hive, [&] { return profile::write_string(hive, section, key, value, length); });
}

LONG WINAPI _SetPrivateProfileInt(HKEY hive, LPCSTR section, LPCSTR key, LONG value) {
    return profile::handing_back(hive, [&] { return profile::write_int(hive, section, key, value); });
}

LONG WINAPI EraseIndividualSectionName(HKEY hive, LPCSTR section, LPCSTR key) {
    return profile::handing_back(hive, [&] { return erase(hive, section, key); });
}

LONG WINAPI IsRegistyExist(HKEY hive, LPCSTR section, LPCSTR key, LONG relative) {
    return profile::handing_back(hive, [&] { return exists(hive, section, key, relative != 0); });
}

LONG WINAPI ListAllSubkeysSeparatedByZero(HKEY hive, LPCSTR subkey, LPSTR buffer, DWORD size, LONG firstOnly) {
    return profile::handing_back(hive, [&] { return list_value_names(hive, subkey, buffer, size, firstOnly != 0); });
}

LONG WINAPI IsRefistryDisabledToWrite() {
    registry::Key policy;
    DWORD value = 0;
    if (registry::open(HKEY_CURRENT_USER, kPolicyKey, KEY_READ, policy) != ERROR_SUCCESS) return 0;
    return registry::read_dword(policy.get(), "DisableRegistryTools", value) && value == 1 ? 1 : 0;
}

// ---- The my forms: every direct operation already follows the use-INI switch.

LONG WINAPI myFindPrivateProfileString(HKEY hive, LPCSTR section, LPCSTR key, LPCSTR def, LPSTR buffer, DWORD size) {
    return FindPrivateProfileString(hive, section, key, def, buffer, size);
}
LONG WINAPI myFindPrivateProfileInt(HKEY hive, LPCSTR section, LPCSTR key, LONG def) {
    return FindPrivateProfileInt(hive, section, key, def);
}
LONG WINAPI mySetPrivateProfileString(HKEY hive, LPCSTR section, LPCSTR key, LPCSTR value, LONG length) {
    return SetPrivateProfileString(hive, section, key, value, length);
}
LONG WINAPI mySetPrivateProfileInt(HKEY hive, LPCSTR section, LPCSTR key, LONG value) {
    return _SetPrivateProfileInt(hive, section, key, value);
}
LONG WINAPI myEraseIndividualSectionName(HKEY hive, LPCSTR section, LPCSTR key) {
    return EraseIndividualSectionName(hive, section, key);
}
LONG WINAPI myIsRegistyExist(LPCSTR section, LPCSTR key, LONG relative) {
    return IsRegistyExist(HKEY_CURRENT_USER, section, key, relative);
}

LONG WINAPI myEraseSectionName(LPCSTR section, LPCSTR key) {
    if (profile::direct_ini()) return profile::ini_erase(section, key) ? 1 : 0;
    return EraseSectionName(section, key);
}

LONG WINAPI EraseIndividualSectionNameIfExist(HKEY hive, LPCSTR section, LPCSTR key) {
    return profile::handing_back(hive, [&] {
        return exists(hive ? hive : profile::current_key(), section, key, false) ? erase(hive, section, key) : 0;
    });
}
