// White space: removal, skipping and trimming. Only single-byte positions
// are looked at; white space is never a trail byte.
#include <cstring>
#include "frame/mbcs.h"
#include "frame/text.h"
#include "frame/text_internal.h"

using namespace ferro;

namespace {
constexpr bool is_white(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
}  // namespace

int WINAPI DelSpc(LPSTR s) {
    if (text::is_empty(s)) return 0;
    char* out = s;
    for (const char* p = s; *p;) {
        int size = mbcs::char_size(p);
        if (size == 2 || !is_white(*p)) {
            std::memmove(out, p, static_cast<std::size_t>(size));
            out += size;
        }
        p += size;
    }
    *out = '\0';
    return static_cast<int>(out - s);
}

LPSTR WINAPI SkipSpaceAtBeginning(LPCSTR s) {
    if (!s) return nullptr;
    while (*s == ' ') ++s;
    return const_cast<LPSTR>(s);
}

LPSTR WINAPI DeleteSpaceAtBeginning(LPSTR s) {
    if (text::is_empty(s)) return s;
    char* first = SkipSpaceAtBeginning(s);
    if (first != s) std::memmove(s, first, std::strlen(first) + 1);
    return s;
}

LPSTR WINAPI DeleteSpaceAtEnd(LPSTR s) {
    if (text::is_empty(s)) return s;
    std::size_t len = std::strlen(s);
    while (mbcs::ends_with(s, len, ' ')) --len;
    s[len] = '\0';
    return s;
}

LPSTR WINAPI DeleteNextAllSpaces(LPSTR s) {
    if (text::is_empty(s) || mbcs::is_lead(static_cast<unsigned char>(s[0]))) return nullptr;
    char* run = mbcs::find_first(s, ' ');
    if (!run) run = mbcs::find_first(s, '\t');
    if (!run) return nullptr;
    char* end = run;
    while (*end == *run) ++end;
    std::memmove(run, end, std::strlen(end) + 1);
    return run;
}

BOOL WINAPI _j_isspace(int c) { return c == ' '; }
