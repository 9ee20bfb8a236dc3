// Registry keys as owned values, and the few raw reads and writes that the
// profile store and the file types build on. Names are code-page-932 bytes;
// the platform converts them whole, so a trail byte 0x5C inside a name is
// never a separator for it (the store's own splitting steps over it too).
#pragma once
#include <windows.h>
#include <cstddef>
#include <string>
#include <utility>
#include "frame/mbcs.h"

namespace ferro::registry {
// The roots the platform predefines (HKEY_CLASSES_ROOT ... HKEY_DYN_DATA):
// never closed by the library.
// Their values are sign-extended 32-bit numbers (0xFFFFFFFF80000001 on x64).
inline bool is_predefined(HKEY key) {
    const auto value = reinterpret_cast<LONG_PTR>(key);
    return value >= LONG_PTR(LONG(0x80000000u)) && value <= LONG_PTR(LONG(0x80000006u));
}

// An open key, closed when the owner goes out of scope.
class Key {
public:
    Key() = default;
    explicit Key(HKEY key) : key_(key) {}
    ~Key() { reset(); }
    Key(Key&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
    Key& operator=(Key&& other) noexcept {
        if (this != &other) reset(std::exchange(other.key_, nullptr));
        return *this;
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;

    HKEY get() const { return key_; }
    HKEY* out() {
        reset();
        return &key_;
    }
    HKEY release() { return std::exchange(key_, nullptr); }
    void reset(HKEY key = nullptr) {
        if (key_ && !is_predefined(key_)) RegCloseKey(key_);
        key_ = key;
    }
    explicit operator bool() const { return key_ != nullptr; }

private:
    HKEY key_ = nullptr;
};

// Opens hive\path with the access given; the status of the platform.
inline LONG open(HKEY hive, const char* path, REGSAM access, Key& key) {
    if (!hive) return ERROR_INVALID_HANDLE;
    return RegOpenKeyExA(hive, path ? path : "", 0, access, key.out());
}

// Whether a key path or value name may be created: a name with a broken
// double-byte character would make a key the platform can neither walk nor
// delete.
inline bool creatable_name(const char* name) { return !name || mbcs::whole_characters(name); }

// Creates (or opens) hive\path for writing with the access given.
inline LONG create(HKEY hive, const char* path, REGSAM access, Key& key) {
    if (!hive) return ERROR_INVALID_HANDLE;
    if (!creatable_name(path)) return ERROR_INVALID_NAME;
    return RegCreateKeyExA(hive, path ? path : "", 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, key.out(),
                           nullptr);
}

// What a value read gave.
enum class Read { missing, text, other_type };

// Reads a REG_SZ or REG_EXPAND_SZ value into `buffer` (`size` bytes, at
// least 1): a text longer than the buffer is cut at a whole character, a
// text stored without its terminator is terminated. `bytes` receives the
// length put into the buffer with its terminator; `type` the stored type.
// A missing value or one of another type leaves the buffer as it was.
// `status` receives the platform's answer (ERROR_KEY_DELETED when the key
// was deleted under the handle).
Read read_text(HKEY key, const char* name, char* buffer, std::size_t size, DWORD* bytes = nullptr,
               DWORD* type = nullptr, LONG* status = nullptr);

// A REG_DWORD value.
bool read_dword(HKEY key, const char* name, DWORD& value, LONG* status = nullptr);

// The text of a REG_SZ or REG_EXPAND_SZ value whole, whatever its length.
bool read_whole_text(HKEY key, const char* name, std::string& text, DWORD* type = nullptr);

// Writes `bytes` bytes of `text` as REG_SZ: the stored text always ends
// with exactly one terminator. Status of the platform.
LONG write_text(HKEY key, const char* name, const char* text, std::size_t bytes);
LONG write_dword(HKEY key, const char* name, DWORD value);
}  // namespace ferro::registry
