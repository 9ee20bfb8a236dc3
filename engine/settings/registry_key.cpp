// Raw value reads and writes, bounded by the caller's buffer.
#include "settings/registry_key.h"
#include <algorithm>
#include <cstring>
#include <vector>
#include "frame/mbcs.h"

namespace ferro::registry {
namespace {
bool is_text(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

// The length of a text of at most `bytes` bytes, cut at a whole character.
std::size_t whole_characters(const char* text, std::size_t bytes) {
    std::size_t length = 0;
    while (length < bytes && text[length] != '\0') {
        const std::size_t step = static_cast<std::size_t>(mbcs::char_size(text + length));
        if (length + step > bytes) break;
        length += step;
    }
    return length;
}
}  // namespace

Read read_text(HKEY key, const char* name, char* buffer, std::size_t size, DWORD* bytes, DWORD* type,
               LONG* status_out) {
    if (status_out) *status_out = ERROR_INVALID_PARAMETER;
    if (bytes) *bytes = 0;
    if (type) *type = REG_NONE;
    if (!key || !buffer || size == 0) return Read::missing;
    // One question for the usual short value; a longer one is read whole.
    // The caller's buffer never receives half a value or another type's bytes.
    char local[1024];
    DWORD stored_type = REG_NONE, got = sizeof local - 1;
    const LONG status = RegQueryValueExA(key, name, nullptr, &stored_type, reinterpret_cast<BYTE*>(local), &got);
    if (status_out) *status_out = status;
    if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA) return Read::missing;
    if (type) *type = stored_type;
    if (!is_text(stored_type)) return Read::other_type;
    std::string whole;
    const char* text = local;
    std::size_t available = got;
    if (status == ERROR_MORE_DATA) {
        if (!read_whole_text(key, name, whole, &stored_type)) return Read::missing;
        text = whole.c_str();
        available = whole.size();
    } else {
        local[got] = '\0';
    }
    const std::size_t length = whole_characters(text, std::min(available, size - 1));
    std::memcpy(buffer, text, length);
    buffer[length] = '\0';
    if (bytes) *bytes = static_cast<DWORD>(length + 1);
    return Read::text;
}

bool read_whole_text(HKEY key, const char* name, std::string& text, DWORD* type) {
    text.clear();
    // The value may change between the two questions: ask again while it grows.
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD stored_type = REG_NONE, size = 0;
        if (RegQueryValueExA(key, name, nullptr, &stored_type, nullptr, &size) != ERROR_SUCCESS) return false;
        if (type) *type = stored_type;
        if (!is_text(stored_type)) return false;
        std::vector<char> data(size + 2, '\0');
        DWORD got = size;
        const LONG status = RegQueryValueExA(key, name, nullptr, &stored_type, reinterpret_cast<BYTE*>(data.data()), &got);
        if (status == ERROR_MORE_DATA) continue;
        if (status != ERROR_SUCCESS || !is_text(stored_type)) return false;
        text.assign(data.data(), strnlen(data.data(), got));
        return true;
    }
    return false;
}

bool read_dword(HKEY key, const char* name, DWORD& value, LONG* status_out) {
    DWORD type = REG_NONE, stored = 0, size = sizeof stored;
    const LONG status =
        key ? RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&stored), &size) : ERROR_INVALID_HANDLE;
    if (status_out) *status_out = status;
    if (status != ERROR_SUCCESS) return false;
    if (type != REG_DWORD || size != sizeof stored) return false;
    value = stored;
    return true;
}

LONG write_text(HKEY key, const char* name, const char* text, std::size_t bytes) {
    if (!key) return ERROR_INVALID_HANDLE;
    if (!creatable_name(name)) return ERROR_INVALID_NAME;
    if (!text) text = "";
    const std::size_t length = whole_characters(text, bytes);
    if (text[length] == '\0')  // the whole text: stored as it is, with its terminator
        return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), static_cast<DWORD>(length + 1));
    const std::string part(text, length);
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(part.c_str()),
                          static_cast<DWORD>(length + 1));
}

LONG write_dword(HKEY key, const char* name, DWORD value) {
    if (!key) return ERROR_INVALID_HANDLE;
    if (!creatable_name(name)) return ERROR_INVALID_NAME;
    return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}
}  // namespace ferro::registry
