// Joining a folder and a name into one path of at most 519 bytes.
#include <cstring>
#include "frame/mbcs.h"
#include "frame/paths.h"
#include "frame/text_internal.h"

using namespace ferro;
using text::kPathMax;
using text::kPathSize;
using text::kQuote;
using text::kYen;

namespace {
// A name that is a whole path by itself: it holds a drive root or is a
// network path (with or without a leading quotation mark).
bool is_whole_path(const char* name) {
    return text::has_root(name) || text::is_network_form(name[0] == kQuote ? name + 1 : name);
}
}  // namespace

// The result goes to `out`, or to the folder buffer when `out` is null.
// Returns the length of the result; 0 when the parts do not fit in 519
// bytes (nothing is written) or when the name is a whole path by itself (it
// is copied as it is).
int WINAPI _myGetFullPathName(LPSTR out, LPSTR folder, LPCSTR name) {
    if (!folder || !name) return 0;
    std::size_t folder_len = std::strlen(folder), name_len = std::strlen(name);
    if (folder_len + name_len >= kPathSize) return 0;
    char* dest = out ? out : folder;
    if (is_whole_path(name)) {
        if (dest != name) std::memmove(dest, name, name_len + 1);
        return 0;
    }
    if (folder_len == 0) {
        if (dest != name) std::memmove(dest, name, name_len + 1);
        return static_cast<int>(name_len);
    }
    if (name_len == 0) {
        if (dest != folder) std::memmove(dest, folder, folder_len + 1);
        return static_cast<int>(folder_len);
    }

    // Composed aside, so that a result over the limit leaves every buffer as it was.
    char work[kPathSize * 2 + 4];
    std::memcpy(work, folder, folder_len + 1);
    bool url = out && out != folder && out != name && mbcs::find_first(work, '/');
    if (url) text::replace_char(work, '/', kYen);
    std::size_t len = folder_len;
    if (len > 1 && mbcs::ends_with(work, len, kQuote)) work[--len] = '\0';
    if (!mbcs::ends_with(work, len, kYen)) work[len++] = kYen;
    const char* tail = name[0] == kQuote ? name + 1 : name;
    std::memcpy(work + len, tail, std::strlen(tail) + 1);
    text::balance_quotes(work, sizeof work, false);
    if (url) text::replace_char(work, kYen, '/');
    len = std::strlen(work);
    if (len > kPathMax) return 0;
    std::memcpy(dest, work, len + 1);
    return static_cast<int>(len);
}
