// Whether a stored string names an item: a program in a command line, a
// name in a list. The match must end where a name ends.
#include <cstring>
#include <string>
#include "frame/mbcs.h"
#include "frame/name_validity.h"
#include "frame/text.h"
#include "frame/text_internal.h"
#include "fs/dos_names.h"
#include "settings/profile.h"
#include "settings/profile_internal.h"

using namespace ferro;

namespace {
constexpr std::size_t kItemSize = 260;  // the stored string is read into this

// A match that ends at `end` (inside `stored`) ends a name: the end of the
// text, a space or a comma, or a character that no file name may hold on
// either side of the boundary.
bool ends_a_name(const char* stored, const char* end) {
    if (*end == '\0') return true;
    const std::size_t last = static_cast<std::size_t>(end - stored) - 1;
    if (mbcs::lead_at(stored, last)) return false;  // the match ends inside a double-byte character
    if (*end == ' ' || *end == ',') return true;
    const char* last_char = mbcs::prev(stored, end);
    std::string pair(last_char, end);
    pair.append(end, static_cast<std::size_t>(mbcs::char_size(end)));
    return IsCharInvalid(nullptr, pair.c_str(), 0) == -1;
}

// The program or file the stored string names: up to the first space outside
// quotation marks and the first comma, without quotation marks.
bool names_existing_file(const char* stored) {
    char work[kItemSize];
    lstrcpynA(work, stored, sizeof work);
    if (char* space = FindSpaceAs95OptionSeparator(work)) *space = '\0';
    if (char* comma = mbcs::find_first(work, ',')) *comma = '\0';
    char plain[kItemSize];
    RemoveAll95OptionSeparator(plain, work);
    return plain[0] != '\0' && IsFileDirExist(plain);
}

}  // namespace

namespace ferro::profile {
bool names_item(const char* stored, const char* text, LONG mode, LONG must_exist) {
    std::string wanted = text ? text : "";
    if (mode == 1 && wanted.size() > 1 && wanted.front() == '"') {
        wanted.erase(0, 1);
        if (!wanted.empty() && mbcs::ends_with(wanted.c_str(), wanted.size(), '"')) wanted.pop_back();
    }
    if (wanted.empty()) return stored[0] != '\0';
    const char* at = j_lstristr(stored, wanted.c_str());
    if (!at || !ends_a_name(stored, at + wanted.size())) return false;
    if (must_exist == 1 && !names_existing_file(stored)) return false;
    return true;
}
}  // namespace ferro::profile

namespace {
LONG item_here(HKEY hive, const char* section, const char* key, const char* def, LONG mode, const char* text,
               LONG must_exist) {
    char stored[kItemSize] = "";
    if (!text::is_empty(text) && text::is_empty(key) && !profile::direct_ini()) {
        registry::Key opened;
        if (profile::open_for_reading(hive, section, opened) == ERROR_SUCCESS)
            registry::read_text(opened.get(), nullptr, stored, sizeof stored);
    } else {
        profile::read_string(hive, section, key, def, stored, sizeof stored);
    }
    if (char* output = profile::item_output(); output && stored[0]) std::memcpy(output, stored, std::strlen(stored) + 1);
    return profile::names_item(stored, text, mode, must_exist) ? 1 : 0;
}
}  // namespace

LONG WINAPI IsItemHereInRegistry(HKEY hive, LPCSTR section, LPCSTR key, LPCSTR def, LONG mode, LPCSTR text,
                                 LONG mustExist) {
    return profile::handing_back(hive, [&] { return item_here(hive, section, key, def, mode, text, mustExist); });
}
