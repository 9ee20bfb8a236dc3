// The profile store's services for the program functions.
#include "programs/settings_link.h"
#include <cstring>
#include <cwchar>
#include <vector>
#include "programs/programs_internal.h"
#include "settings/places.h"
#include "settings/profile.h"
#include "settings/registry_key.h"

namespace ferro::programs::settings {
namespace {
constexpr std::size_t kPathSize = 520;
constexpr DWORD kLongestText = 65534;  // what the profile store reads at most
}  // namespace

bool read_machine_text(const char* section, const char* key, std::string& out) {
    // A text longer than the buffer comes back cut to it: read again with more room.
    for (DWORD size = kPathSize;; size = size * 4 < kLongestText ? size * 4 : kLongestText) {
        std::vector<char> value(size);
        LONG read = FindPrivateProfileString(HKEY_LOCAL_MACHINE, section, key, "", value.data(), size);
        if (read <= 0) return false;
        if (DWORD(read) < size || size == kLongestText) {
            out.assign(value.data());
            return true;
        }
    }
}

void expand_percent_names(std::string& text) {
    char path[kPathSize];
    if (text.size() < sizeof path) {
        std::memcpy(path, text.c_str(), text.size() + 1);
        if (ReplaceSystemRoot(path) > 0) {
            text = path;
            return;
        }
    }
    // Longer than a path, or so when expanded: the platform expands it.
    std::wstring wide = to_wide(text);
    DWORD needed = ExpandEnvironmentStringsW(wide.c_str(), nullptr, 0);
    if (needed == 0) return;
    std::wstring expanded(needed, L'\0');
    if (ExpandEnvironmentStringsW(wide.c_str(), expanded.data(), needed) == 0) return;
    expanded.resize(std::wcslen(expanded.c_str()));
    text = to_code_page(expanded);
}

LONG list_current_keys(std::vector<std::string>& keys) {
    keys.clear();
    std::vector<char> names(8192);
    LONG read = myGetPrivateProfileString(nullptr, "", names.data(), DWORD(names.size()));
    for (const char* p = names.data(); read > 0 && *p; p += std::strlen(p) + 1) keys.emplace_back(p);
    return read;
}

LONG read_current_text(const char* key, char (&value)[520]) {
    return myGetPrivateProfileString(key, "", value, sizeof value);
}

bool write_text(HKEY hive, const char* section, const char* key, const char* value) {
    // The store closes a key it is handed: a key of the caller's goes in as a copy.
    HKEY given = hive;
    if (!ferro::registry::is_predefined(hive) && RegOpenKeyExA(hive, "", 0, KEY_READ | KEY_WRITE, &given) != 0)
        return false;
    return SetStrInRegistry(given, section, "", key, value) == 1;
}
}  // namespace ferro::programs::settings
