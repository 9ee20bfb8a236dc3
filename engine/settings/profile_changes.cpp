// Existence and change tests, and the writes that happen only when the
// stored value differs: a setting that did not change is not written again.
#include "frame/text_internal.h"
#include "settings/profile.h"
#include "settings/profile_internal.h"

using namespace ferro;
using profile::kTextSize;

namespace {
constexpr LONG kIntHereMarker = -1234567;  // no stored integer reads as this
constexpr LONG kIntAbsentMarker = -29876;  // change detection: an absent integer
constexpr char kStrAbsentMarker[] = "@***@";

// The stored string (read into 520 bytes, the default when absent) differs
// from `value` without regard to case.
bool string_differs(HKEY hive, const char* section, const char* def, const char* key, const char* value) {
    char stored[kTextSize];
    profile::read_string(hive, section, key, def, stored, sizeof stored);
    return !text::same_without_case(stored, value ? value : "");
}

LONG set_int(HKEY hive, const char* section, LONG def, const char* key, LONG value) {
    const LONG stored = profile::read_int(hive, section, key, kIntAbsentMarker);
    if (stored != kIntAbsentMarker && profile::read_int(hive, section, key, def) == value) return 0;
    return profile::write_int(hive, section, key, value);
}

LONG set_string(HKEY hive, const char* section, const char* def, const char* key, const char* value) {
    const bool stored = string_differs(hive, section, kStrAbsentMarker, key, kStrAbsentMarker);
    if (stored && !string_differs(hive, section, def, key, value)) return 0;
    // A null or empty value is stored as an empty text.
    return profile::write_string(hive, section, key, value ? value : "", 0);
}
}  // namespace

LONG WINAPI IsIntHereInRegistry(HKEY hive, LPCSTR section, LPCSTR key) {
    return profile::handing_back(hive, [&] { return profile::read_int(hive, section, key, kIntHereMarker) != kIntHereMarker ? 1 : 0; });
}

LONG WINAPI IsIntInRegistryAltered(HKEY hive, LPCSTR section, LONG def, LPCSTR key, LONG value) {
    return profile::handing_back(hive, [&] { return profile::read_int(hive, section, key, def) != value ? 1 : 0; });
}

LONG WINAPI IsStrInRegistryAltered(HKEY hive, LPCSTR section, LPCSTR def, LPCSTR key, LPCSTR value) {
    return profile::handing_back(hive, [&] { return string_differs(hive, section, def, key, value) ? 1 : 0; });
}

LONG WINAPI SetIntInRegistry(HKEY hive, LPCSTR section, LONG def, LPCSTR key, LONG value) {
    return profile::handing_back(hive, [&] { return set_int(hive, section, def, key, value); });
}

LONG WINAPI SetStrInRegistry(HKEY hive, LPCSTR section, LPCSTR def, LPCSTR key, LPCSTR value) {
    return profile::handing_back(hive, [&] { return set_string(hive, section, def, key, value); });
}

LONG WINAPI mySetIntInRegistry(HKEY hive, LPCSTR section, LONG def, LPCSTR key, LONG value) {
    return SetIntInRegistry(hive, section, def, key, value);
}

LONG WINAPI mySetStrInRegistry(HKEY hive, LPCSTR section, LPCSTR def, LPCSTR key, LPCSTR value) {
    return SetStrInRegistry(hive, section, def, key, value);
}
