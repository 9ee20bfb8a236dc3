// Registry keys of the store: the access rule, handing back the caller's
// keys, deleting a section, and composing section paths within 520 bytes.
#include <cstring>
#include <string>
#include "frame/mbcs.h"
#include "frame/platform_decision.h"
#include "frame/platform_version.h"
#include "frame/text_internal.h"
#include "settings/profile_internal.h"

namespace ferro::profile {
namespace {
// From Windows Vista on, a program without the administrator's rights may
// write below HKEY_CURRENT_USER only.
bool hives_read_only() { return (GetWindowsVersion() & platform::kNT6Family) != 0; }

// Keys kept open between calls: opening and closing a key per setting costs
// two more round trips to the registry than the read or write itself.
struct KeptKey {
    HKEY hive = nullptr;
    Use use = Use::read;
    REGSAM access = 0;
    std::string section;
    HKEY key = nullptr;
    unsigned long last_use = 0;
};
KeptKey g_kept[8];
unsigned long g_clock = 0;

void close_kept(KeptKey& kept) {
    registry::Key(kept.key).reset();
    kept = KeptKey{};
}
}  // namespace

REGSAM access_for(HKEY hive) {
    if (admin() || hive == HKEY_CURRENT_USER || !hives_read_only()) return KEY_ALL_ACCESS;
    return KEY_READ;
}

void close_hive(HKEY hive) {
    if (hive && hive != current_key()) registry::Key(hive).reset();
}

HKEY kept_key(HKEY hive, const char* section, Use use, LONG& status) {
    const char* name = section ? section : "";
    const REGSAM access = use == Use::read ? KEY_READ : access_for(hive);
    KeptKey* oldest = &g_kept[0];
    for (KeptKey& kept : g_kept) {
        if (kept.key && kept.hive == hive && kept.use == use && kept.access == access && kept.section == name) {
            kept.last_use = ++g_clock;
            status = ERROR_SUCCESS;
            return kept.key;
        }
        if (!kept.key || (oldest->key && kept.last_use < oldest->last_use)) oldest = &kept;
    }
    registry::Key key;
    status = use == Use::read ? open_for_reading(hive, name, key) : open_for_writing(hive, name, key);
    if (status != ERROR_SUCCESS) return nullptr;
    close_kept(*oldest);
    oldest->hive = hive;
    oldest->use = use;
    oldest->access = access;
    oldest->section = name;
    oldest->key = key.release();
    oldest->last_use = ++g_clock;
    return oldest->key;
}

void drop_kept_key(HKEY key) {
    for (KeptKey& kept : g_kept)
        if (kept.key == key) close_kept(kept);
}

void forget_kept_keys() {
    for (KeptKey& kept : g_kept)
        if (kept.key) close_kept(kept);
}

LONG open_for_reading(HKEY hive, const char* section, registry::Key& key) {
    return registry::open(hive, section, KEY_READ, key);
}

LONG open_for_writing(HKEY hive, const char* section, registry::Key& key) {
    const REGSAM access = access_for(hive);
    if (access == KEY_READ) return registry::open(hive, section, KEY_READ, key);
    return registry::create(hive, section, access | KEY_WRITE, key);
}

LONG delete_key(HKEY hive, const char* path, REGSAM access) {
    // The platform opens the key to delete by itself: the rule is kept here.
    if (!hive || text::is_empty(path) || access == KEY_READ) return 0;
    char parent[kTextSize];
    if (!text::copy_bounded(parent, path, sizeof parent)) return 0;
    const char* name = parent;
    if (char* yen = mbcs::find_last(parent, text::kYen)) {
        *yen = '\0';
        name = yen + 1;
    } else {
        parent[0] = '\0';
        name = path;
    }
    if (!*name) return 0;
    registry::Key key;
    if (registry::open(hive, parent, access, key) != ERROR_SUCCESS) return 0;
    forget_kept_keys();
    return RegDeleteKeyA(key.get(), name) == ERROR_SUCCESS ? 1 : 0;
}

bool join_section(char* out, const char* first, const char* second) {
    const bool has_first = !text::is_empty(first), has_second = !text::is_empty(second);
    const std::size_t a = has_first ? std::strlen(first) : 0, b = has_second ? std::strlen(second) : 0;
    const std::size_t total = a + b + (has_first && has_second ? 1 : 0);
    if (total >= kTextSize) {
        out[0] = '\0';
        return false;
    }
    // Either part may be `out` itself: place the second part first.
    if (has_second) std::memmove(out + total - b, second, b);
    if (has_first && first != out) std::memmove(out, first, a);
    if (has_first && has_second) out[a] = text::kYen;
    out[total] = '\0';
    return true;
}

bool product_section(char* out, const char* section) { return join_section(out, registry_path(), section); }

bool has_separator(const char* text) { return text && mbcs::find_first(text, text::kYen) != nullptr; }

const char* ini_section(HKEY hive, const char* section) {
    return hive == HKEY_CLASSES_ROOT ? kExtensionsSection : section;
}
}  // namespace ferro::profile
