// Inside the profile store: its module state, the access rule for registry
// keys, section names and the INI back-end. Not exported.
#pragma once
#include <windows.h>
#include <cstddef>
#include <cstring>
#include "settings/registry_key.h"

namespace ferro::profile {
inline constexpr std::size_t kTextSize = 520;  // section paths, registry path, values read for tests
inline constexpr char kExtensionsSection[] = "Extensions";

// ---- Module state (profile_state.cpp)
const char* registry_path();    // "" until set
const char* ini_file();         // null when none is set
bool direct_ini();              // the use-INI switch: direct operations go to the INI file
bool section_ini();             // the section-INI switch: current-section operations do
bool admin();                   // every key opened with full access
HKEY current_key();
void set_current_key(HKEY key);  // closes the previous one
void forget_current_key();       // without closing it
char* section_buffer();          // kTextSize bytes
char* item_output();             // null when not set

// ---- Registry keys (profile_keys.cpp)
// The access a key of `hive` is opened with: full access with the admin
// switch, for HKEY_CURRENT_USER and before Windows Vista; read access for
// other hives on Windows Vista and later.
REGSAM access_for(HKEY hive);
// Closes a hive handle a caller handed over, unless it is predefined or the
// current key (which stays the store's).
void close_hive(HKEY hive);
// Runs `work` and then hands the caller's key back.
template <class Work>
LONG handing_back(HKEY hive, Work work) {
    const LONG result = work();
    close_hive(hive);
    return result;
}
// What a key is opened for.
enum class Use { read, write };

// Runs `work(HKEY)` on hive\section opened for reading, or created (opened)
// for writing; `work` returns the platform's status of what it did. Keys
// below the predefined roots stay open between calls (the current key
// does too): a kept key that answers ERROR_KEY_DELETED (another program
// removed it) is opened anew and asked once more. Keys the caller opened
// are never kept. Where the access rule gives read access only, a key for
// writing is opened for reading and not created, so the write fails with
// ERROR_ACCESS_DENIED. Returns the status of the open, else of `work`.
template <class Work>
LONG with_key(HKEY hive, const char* section, Use use, Work work);

// Opens (or creates) a key the same way without keeping it.
LONG open_for_reading(HKEY hive, const char* section, registry::Key& key);
LONG open_for_writing(HKEY hive, const char* section, registry::Key& key);
// Closes every key kept open; after a key is deleted, and at shutdown.
void forget_kept_keys();

// Kept keys (profile_keys.cpp): the kept key for hive\section, opened when
// not kept yet; 0 with the status of the open when it does not open.
HKEY kept_key(HKEY hive, const char* section, Use use, LONG& status);
void drop_kept_key(HKEY key);

template <class Work>
LONG with_key(HKEY hive, const char* section, Use use, Work work) {
    if (!registry::is_predefined(hive)) {
        registry::Key key;
        const LONG status = use == Use::read ? open_for_reading(hive, section, key) : open_for_writing(hive, section, key);
        return status == ERROR_SUCCESS ? work(key.get()) : status;
    }
    for (int attempt = 0;; ++attempt) {
        LONG status = ERROR_SUCCESS;
        const HKEY key = kept_key(hive, section, use, status);
        if (!key) return status;
        status = work(key);
        if (status != ERROR_KEY_DELETED || attempt > 0) return status;
        drop_kept_key(key);
    }
}

// Deletes the key hive\path (which must not be empty) when it has no keys
// below it, opening its parent with `access` (read access refuses); 1 on
// success.
LONG delete_key(HKEY hive, const char* path, REGSAM access);

// ---- Names (profile_keys.cpp)
// first\second into `out` (kTextSize bytes); one alone when the other is null
// or empty. False (and `out` emptied) when the result would not fit.
bool join_section(char* out, const char* first, const char* second);
// The registry path joined with a section.
bool product_section(char* out, const char* section);
// Whether the text holds a yen mark at a single-byte position.
bool has_separator(const char* text);
// The INI section of a direct operation: "Extensions" for HKEY_CLASSES_ROOT.
const char* ini_section(HKEY hive, const char* section);

// ---- INI file (profile_ini.cpp). Every call fails (reads give the default)
// while no INI file is set: the platform would otherwise use WIN.INI.
LONG ini_read(const char* section, const char* key, const char* def, char* buffer, DWORD size);
LONG ini_read_int(const char* section, const char* key, LONG def);
bool ini_write(const char* section, const char* key, const char* value);
bool ini_write_int(const char* section, const char* key, LONG value);
// The entry `key`, or every entry of the section when `key` is null.
bool ini_erase(const char* section, const char* key);
// The section has the entry `key`, or any entry when `key` is null.
bool ini_has(const char* section, const char* key);

// ---- Items (profile_items.cpp)
// Whether the stored string names `text` the way IsItemHereInRegistry tells.
bool names_item(const char* stored, const char* text, LONG mode, LONG must_exist);

// ---- Shared by the exports (profile_direct.cpp)
// A list of names, each with its NUL, ended by one more NUL, in a buffer of
// `size` bytes (at least 2): a name that does not fit ends the list.
struct NameList {
    char* buffer;
    std::size_t size;
    std::size_t used = 0;  // bytes before the final NUL
    LONG count = 0;
    NameList(char* b, std::size_t s) : buffer(b), size(s) { buffer[0] = buffer[1] = '\0'; }
    bool add(const char* name, std::size_t length) {
        if (used + length + 2 > size) return false;
        std::memcpy(buffer + used, name, length);
        used += length;
        buffer[used++] = '\0';
        buffer[used] = '\0';
        ++count;
        return true;
    }
};
// The names of the values of `key` (see ListAllSubkeysSeparatedByZero) into
// `count`; the status of the first enumeration step.
LONG list_names(HKEY key, char* buffer, DWORD size, bool first_only, LONG& count);
LONG read_string(HKEY hive, const char* section, const char* key, const char* def, char* buffer, DWORD size);
LONG read_int(HKEY hive, const char* section, const char* key, LONG def);
LONG write_string(HKEY hive, const char* section, const char* key, const char* value, LONG length);
LONG write_int(HKEY hive, const char* section, const char* key, LONG value);
}  // namespace ferro::profile
