// Quotation marks round long names with spaces (the 95 quotation).
#include <cstring>
#include "frame/mbcs.h"
#include "frame/text.h"
#include "frame/text_internal.h"

using namespace ferro;
using text::kPathMax;
using text::kPathSize;
using text::kQuote;

namespace {
bool begins_with_mark(const char* s) { return s[0] == kQuote; }

// A closing mark distinct from the opening one.
bool ends_with_mark(const char* s, std::size_t len) {
    return len > (begins_with_mark(s) ? 1u : 0u) && mbcs::ends_with(s, len, kQuote);
}

void insert_front(char* s, std::size_t len, char c) {
    std::memmove(s + 1, s, len + 1);
    s[0] = c;
}
void remove_front(char* s, std::size_t len) { std::memmove(s, s + 1, len); }
}  // namespace

namespace ferro::text {
bool balance_quotes(char* s, std::size_t cap, bool keep) {
    std::size_t len = std::strlen(s);
    if (len == 0) return false;
    bool changed = false;
    bool begins = begins_with_mark(s), ends = ends_with_mark(s, len);
    if (begins && !ends) {
        if (len + 2 <= cap) {
            s[len++] = kQuote;
            s[len] = '\0';
        } else {
            remove_front(s, len--);
        }
        changed = true;
    } else if (ends && !begins) {
        if (len + 2 <= cap) {
            insert_front(s, len++, kQuote);
        } else {
            s[--len] = '\0';
        }
        changed = true;
    }
    if (!keep && begins_with_mark(s) && ends_with_mark(s, len) && !has_space(s)) {
        s[--len] = '\0';
        remove_front(s, len--);
        changed = true;
    }
    return changed;
}

bool strip_quotes(char* s) {
    std::size_t len = std::strlen(s);
    bool changed = false;
    if (ends_with_mark(s, len)) {
        s[--len] = '\0';
        changed = true;
    }
    if (begins_with_mark(s)) {
        remove_front(s, len);
        changed = true;
    }
    return changed;
}
}  // namespace ferro::text

BOOL WINAPI Is95QuotationMarkThere(LPCSTR s, int index) {
    return IsCharacterFound(s, s, kQuote, index);
}

BOOL WINAPI Add95Quotation(LPSTR s) {
    if (text::is_empty(s) || begins_with_mark(s)) return FALSE;
    std::size_t len = std::strlen(s);
    if (len + 2 > kPathMax) return FALSE;
    insert_front(s, len, kQuote);
    s[len + 1] = kQuote;
    s[len + 2] = '\0';
    return TRUE;
}

LPSTR WINAPI Add95QuotationForAnySpaceIfNotThere(LPSTR s) {
    if (text::is_empty(s)) return nullptr;
    char* space = mbcs::find_first(s, ' ');
    if (!space) return nullptr;
    if (begins_with_mark(s) && mbcs::find_first(s, kQuote, s + 1)) return nullptr;  // already quoted
    return Add95Quotation(s) ? space + 1 : nullptr;
}

BOOL WINAPI Remove95Quotation(LPSTR s) {
    if (text::is_empty(s)) return FALSE;
    char* first = mbcs::find_first(s, kQuote);
    if (!first) return FALSE;
    std::memmove(first, first + 1, std::strlen(first));
    if (char* last = mbcs::find_last(s, kQuote)) *last = '\0';
    return TRUE;
}

BOOL WINAPI Adjust95Quotatin(LPSTR* text, BOOL add) {
    if (!text || text::is_empty(*text)) return FALSE;
    char* s = *text;
    if (!add) return text::strip_quotes(s);
    std::size_t len = std::strlen(s);
    bool begins = begins_with_mark(s), ends = ends_with_mark(s, len);
    std::size_t grow = (begins ? 0 : 1) + (ends ? 0 : 1);
    if (grow == 0 || len + grow > kPathMax) return FALSE;
    if (!begins) insert_front(s, len++, kQuote);
    if (!ends) {
        s[len++] = kQuote;
        s[len] = '\0';
    }
    return TRUE;
}

BOOL WINAPI AddUnbalanced95Quotatin(LPSTR* text, BOOL keep) {
    if (!text || text::is_empty(*text)) return FALSE;
    return text::balance_quotes(*text, kPathSize, keep != FALSE);
}

// Double-byte characters are stepped over as units: a quotation mark is never
// a trail byte, so a quoted name holding Japanese text is skipped whole.
LPSTR WINAPI Skip95Quotation(LPCSTR s) {
    if (!s) return nullptr;
    const char* open = mbcs::find_first(s, kQuote);
    if (!open) return const_cast<LPSTR>(s);
    const char* close = mbcs::find_first(s, kQuote, open + 1);
    return const_cast<LPSTR>(close ? close + 1 : s);
}

LPSTR WINAPI FindSpaceOutside95Quotation(LPCSTR s) {
    if (text::is_empty(s)) return nullptr;
    return const_cast<LPSTR>(mbcs::find_first(s, ' ', Skip95Quotation(s)));
}

LPSTR WINAPI FindSpaceAs95OptionSeparator(LPCSTR s) {
    if (!s) return nullptr;
    bool quoted = false;
    for (const char* p = s; *p; p = mbcs::next(p)) {
        if (*p == kQuote) quoted = !quoted;
        else if (*p == ' ' && !quoted) return const_cast<LPSTR>(p);
    }
    return nullptr;
}

LPSTR WINAPI Find95OptionSeparator(int length, LPCSTR s) {
    if (!s) return nullptr;
    for (const char* p = s; *p && (length < 0 || p - s < length); p = mbcs::next(p))
        if (*p == kQuote) return const_cast<LPSTR>(p);
    return nullptr;
}

LPSTR WINAPI Find95OptionSeparatorFromEnd(LPCSTR s) {
    if (!s) return nullptr;
    return const_cast<LPSTR>(mbcs::find_last(s, kQuote));
}

LPSTR WINAPI RemoveAll95OptionSeparator(LPSTR out, LPCSTR s) {
    if (!s) return nullptr;
    char* dst = out ? out : const_cast<char*>(s);
    std::size_t n = 0;
    for (const char* p = s; *p;) {
        int size = mbcs::char_size(p);
        if (*p != kQuote) {
            if (n + static_cast<std::size_t>(size) > kPathMax && dst != s) break;
            std::memmove(dst + n, p, static_cast<std::size_t>(size));
            n += static_cast<std::size_t>(size);
        }
        p += size;
    }
    dst[n] = '\0';
    return dst;
}
