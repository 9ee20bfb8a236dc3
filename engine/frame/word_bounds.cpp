// Word bounds and line numbers of search hits.
#include "frame/mbcs.h"
#include "frame/text.h"

namespace {
bool is_word_byte(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

// Whether the character that starts at p (a character boundary) is a word character.
bool word_at(const char* p) {
    return !ferro::mbcs::is_lead(static_cast<unsigned char>(*p)) && is_word_byte(static_cast<unsigned char>(*p));
}
}  // namespace

BOOL WINAPI IsWordHead(LPCSTR text, LPCSTR at) {
    if (!text || !at || at < text) return FALSE;
    if (at == text || !word_at(at)) return TRUE;
    const char* before = ferro::mbcs::prev(text, at);
    return at - before == 2 || !word_at(before);
}

BOOL WINAPI IsWordEnd(LPCSTR text, LPCSTR end) {
    if (!text || !end || end <= text) return FALSE;
    if (*end == '\0' || !word_at(end)) return TRUE;
    const char* last = ferro::mbcs::prev(text, end);
    return end - last == 2 || !word_at(last);
}

LONG WINAPI CountLine(LPCSTR text, LPCSTR at) {
    if (!text || !at || at < text) return 0;
    LONG line = 1;
    for (const char* p = text; p < at; ++p)
        if (*p == '\n' || (*p == '\r' && p[1] != '\n')) ++line;
    return line;
}
