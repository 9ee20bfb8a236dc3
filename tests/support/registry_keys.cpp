#include "support/registry_keys.h"
#include <stdexcept>
#include <vector>

namespace ferro_test {
OwnedKey::OwnedKey(std::string path) : path_(std::move(path)) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        &disposition) != ERROR_SUCCESS)
        throw std::runtime_error("cannot make the test key " + path_);
    RegCloseKey(key);
    if (disposition != REG_CREATED_NEW_KEY) {
        path_.clear();  // not ours: never removed
        throw std::runtime_error("the test key exists already");
    }
}

OwnedKey OwnedKey::fresh() {
    static unsigned counter;
    char name[96];
    wsprintfA(name, "Software\\FerrolanTest-%lu-%lu-%u", GetCurrentProcessId(), GetTickCount(), ++counter);
    return OwnedKey(name);
}

OwnedKey::~OwnedKey() {
    if (path_.empty()) return;
    RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());  // the key with all below it
}

void OwnedKey::set(const std::string& sub, const char* name, const std::string& data, DWORD type) const {
    const std::string path = sub.empty() ? path_ : *this / sub;
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        throw std::runtime_error("cannot make " + path);
    const std::string stored = type == REG_SZ || type == REG_EXPAND_SZ ? data + '\0' : data;
    RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(stored.data()), DWORD(stored.size()));
    RegCloseKey(key);
}

void OwnedKey::set_dword(const std::string& sub, const char* name, DWORD value) const {
    set(sub, name, std::string(reinterpret_cast<const char*>(&value), sizeof value), REG_DWORD);
}

std::optional<std::string> raw_value(HKEY root, const std::string& path, const char* name, DWORD* type) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
    DWORD size = 0, stored_type = 0;
    std::optional<std::string> result;
    if (RegQueryValueExA(key, name, nullptr, &stored_type, nullptr, &size) == ERROR_SUCCESS) {
        std::vector<char> data(size + 1);
        if (RegQueryValueExA(key, name, nullptr, &stored_type, reinterpret_cast<BYTE*>(data.data()), &size) ==
            ERROR_SUCCESS)
            result = std::string(data.data(), size);
    }
    if (type) *type = stored_type;
    RegCloseKey(key);
    return result;
}

bool key_exists(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}
}  // namespace ferro_test
