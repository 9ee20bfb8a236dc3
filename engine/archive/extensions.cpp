// The archive extensions of each kind, as wildcards and as a list to match,
// and the texts of the archivers' error codes.
#include <cstring>
#include <string_view>
#include "archive/archiver.h"
#include "ferromes.h"
#include "frame/mbcs.h"
#include "frame/text_internal.h"

namespace {
LONG g_wild_kind = -1;       // the kind whose list the walk is in
std::size_t g_wild_next;      // where its next extension starts

// Equal, case ignored, character by character.
bool same_text(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const int na = ferro::mbcs::is_lead(static_cast<unsigned char>(a[i])) && i + 1 < a.size() ? 2 : 1;
        const int nb = ferro::mbcs::is_lead(static_cast<unsigned char>(b[j])) && j + 1 < b.size() ? 2 : 1;
        if (ferro::text::fold_char(reinterpret_cast<const unsigned char*>(a.data() + i), na) !=
            ferro::text::fold_char(reinterpret_cast<const unsigned char*>(b.data() + j), nb))
            return false;
        i += static_cast<std::size_t>(na);
        j += static_cast<std::size_t>(nb);
    }
    return i == a.size() && j == b.size();
}

// The ";"-separated items of a list, each handed to `visit` until it returns true.
template <typename Visit>
bool any_item(const char* list, Visit visit) {
    const char* start = list;
    for (;;) {
        const char* end = ferro::mbcs::find_first(list, ';', start);
        const std::size_t n = end ? static_cast<std::size_t>(end - start) : std::strlen(start);
        if (visit(std::string_view(start, n))) return true;
        if (!end) return false;
        start = end + 1;
    }
}
}  // namespace

LONG WINAPI GetWildCardsByArchiveExt(LPSTR out, LONG kind) {
    if (!out) return 0;
    out[0] = '\0';
    const char* list = GetArchiveExtName(kind);
    if (!list) {
        g_wild_kind = -1;
        return 0;
    }
    if (kind != g_wild_kind) {
        g_wild_kind = kind;
        g_wild_next = 0;
    }
    const char* item = list + g_wild_next;
    const char* end = std::strchr(item, ';');
    const std::size_t n = end ? static_cast<std::size_t>(end - item) : std::strlen(item);
    out[0] = '*';
    out[1] = '.';
    std::memcpy(out + 2, item, n);
    out[n + 2] = '\0';
    if (!end) {  // the last one: the next call starts again
        g_wild_next = 0;
        return 0;
    }
    g_wild_next = static_cast<std::size_t>(end + 1 - list);
    return static_cast<LONG>(n + 2);
}

LONG WINAPI IsExtMatchedByArchiveExt(LPCSTR extension, LPCSTR list) {
    if (!extension || !list) return 0;
    if (same_text(extension, list)) return 1;
    if (any_item(list, [](std::string_view item) { return item.empty(); })) return -1;
    return any_item(list, [extension](std::string_view item) { return same_text(extension, item); }) ? 1 : 0;
}

LPSTR WINAPI GetUnlhaErrorString(LONG messageId) {
    MyLoadString(static_cast<UINT>(messageId), 0);
    return GetLoadStrMessage();
}
