// The profile store's services for the program functions.
#include "programs/settings_link.h"
#include <cstring>
#include <cwchar>
#include <vector>
#include "programs/programs_internal.h"

namespace ferro::programs::settings {
bool read_machine_text(const char* section, const char* key, std::string& out) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, section, 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    // The size the registry names for a text may be short of its multibyte form: grow until it fits.
    std::vector<char> data(1040);
    LONG status;
    DWORD type = 0, size;
    while ((status = RegQueryValueExA(opened, key, nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                                      &(size = DWORD(data.size() - 1)))) == ERROR_MORE_DATA)
        data.resize(data.size() * 2);
    RegCloseKey(opened);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
    data[size] = '\0';
    out.assign(data.data());
    return true;
}

void expand_percent_names(std::string& text) {
    std::wstring wide = to_wide(text);
    DWORD needed = ExpandEnvironmentStringsW(wide.c_str(), nullptr, 0);
    if (needed == 0) return;
    std::wstring expanded(needed, L'\0');
    if (ExpandEnvironmentStringsW(wide.c_str(), expanded.data(), needed) == 0) return;
    expanded.resize(wcslen(expanded.c_str()));
    text = to_code_page(expanded);
}

// Until the profile store is part of the library there is no reading pass:
// the section reads as empty and nothing is written.
LONG list_current_keys(std::vector<std::string>& keys) {
    keys.clear();
    return 0;
}

LONG read_current_text(const char*, char (&value)[520]) {
    value[0] = '\0';
    return 0;
}

bool write_text(HKEY, const char*, const char*, const char*) { return false; }
}  // namespace ferro::programs::settings
