// Registry keys that a test makes below HKEY_CURRENT_USER and removes, with
// everything below them, when it ends; and raw reads of what is stored.
#pragma once
#include <windows.h>
#include <optional>
#include <string>

namespace ferro_test {
class OwnedKey {
public:
    // Makes HKEY_CURRENT_USER\path, which must not exist yet.
    explicit OwnedKey(std::string path);
    // A fresh key Software\FerrolanTest-<process>-<n>.
    static OwnedKey fresh();
    ~OwnedKey();
    OwnedKey(OwnedKey&& other) noexcept : path_(std::move(other.path_)) { other.path_.clear(); }
    OwnedKey(const OwnedKey&) = delete;
    OwnedKey& operator=(const OwnedKey&) = delete;

    const std::string& path() const { return path_; }
    std::string operator/(const std::string& sub) const { return path_ + "\\" + sub; }
    // Stores a value in the key `sub` below it ("" the key itself), making it.
    void set(const std::string& sub, const char* name, const std::string& data, DWORD type = REG_SZ) const;
    void set_dword(const std::string& sub, const char* name, DWORD value) const;

private:
    std::string path_;
};

// The bytes of a value as stored (a text with its terminator), or nothing.
std::optional<std::string> raw_value(HKEY root, const std::string& key, const char* name, DWORD* type = nullptr);
bool key_exists(HKEY root, const std::string& key);
}  // namespace ferro_test
