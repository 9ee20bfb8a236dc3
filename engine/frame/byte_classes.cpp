// Byte classes of code page 932 and the classification of a byte inside a string.
#include <array>
#include <cstring>
#include "frame/mbcs.h"
#include "frame/text.h"
#include "frame/text_internal.h"

using namespace ferro;

namespace {
constexpr unsigned char byte_of(int c) { return static_cast<unsigned char>(c & 0xff); }

// Control characters below 0x80 that _IsStringReadable lets pass.
std::array<bool, 0x80> g_ignored_by_readable{};

constexpr bool is_print_ascii(unsigned char c) { return c >= 0x20 && c <= 0x7e; }
constexpr bool is_space_ascii(unsigned char c) { return c == ' ' || (c >= 0x09 && c <= 0x0d); }
// Half-width katakana and punctuation (the single-byte kana block of the code page).
constexpr bool is_half_kana(unsigned char c) { return c >= 0xa1 && c <= 0xdf; }

void report_null(const char* function) {
    char text[64] = "s=NUUL at ";
    std::strcat(text, function);
    std::strcat(text, "()");
    MessageBoxA(nullptr, text, "myjctype", MB_OK);
}

// The index lies inside the string or on its NUL: no byte before it is NUL.
bool within(const char* s, int index) {
    return index >= 0 && std::memchr(s, 0, static_cast<std::size_t>(index)) == nullptr;
}
}  // namespace

BOOL WINAPI _myIskanji(int c) { return mbcs::is_lead(byte_of(c)); }
BOOL WINAPI _myIskanji2(int c) { return mbcs::is_trail(byte_of(c)); }
BOOL WINAPI myIskmoji(int c) { return is_half_kana(byte_of(c)); }
BOOL WINAPI IsJapaneseWindowsSystem() { return TRUE; }

BOOL WINAPI _myIskanjin(LPCSTR text, int index) {
    if (!text) {
        report_null("_myIskanjin");
        return FALSE;
    }
    if (!within(text, index)) return FALSE;
    return mbcs::lead_at(text, static_cast<std::size_t>(index));
}

int WINAPI _myNthctype(LPCSTR text, int index) {
    if (!text) {
        report_null("_myNthctype");
        return 0;
    }
    if (!within(text, index)) return 0;
    return mbcs::class_at(text, static_cast<std::size_t>(index));
}

BOOL WINAPI IsCharacterFound(LPCSTR base, LPCSTR pointer, int character, int offset) {
    if (!pointer) return FALSE;
    const char* from = base ? base : pointer;
    const char* at = pointer + offset;
    if (at < from) return FALSE;
    std::size_t n = static_cast<std::size_t>(at - from);
    if (std::memchr(from, 0, n) != nullptr) return FALSE;  // past the end of the string
    return static_cast<unsigned char>(*at) == byte_of(character) && mbcs::class_at(from, n) == 0;
}

BOOL WINAPI IsMultiByteReadable(int first, int second) {
    unsigned char a = byte_of(first), b = byte_of(second);
    if (mbcs::is_lead(a)) return b == 0 || mbcs::is_trail(b);
    if (a < 0x80) return is_space_ascii(a) || is_print_ascii(a);
    return TRUE;
}

BOOL WINAPI _IsStringReadable(LPSTR text, int replacement) {
    if (!text) return FALSE;
    const char mark = static_cast<char>(byte_of(replacement));
    BOOL readable = TRUE;
    for (unsigned char* p = reinterpret_cast<unsigned char*>(text); *p;) {
        int bad = 0;  // bytes to replace
        int step = 1;
        if (mbcs::is_lead(*p)) {
            if (p[1] == 0) bad = 1;
            else if (!mbcs::is_trail(p[1])) bad = 2;
            step = p[1] ? 2 : 1;
        } else if (*p < 0x80 && !is_print_ascii(*p) && !g_ignored_by_readable[*p]) {
            bad = 1;
        }
        if (bad) {
            readable = FALSE;
            if (!replacement) break;
            std::memset(p, mark, static_cast<std::size_t>(bad));
        }
        p += step;
    }
    return readable;
}

int WINAPI CharcterListIgnoredByIsStringReadable(LPCSTR list) {
    g_ignored_by_readable.fill(false);
    int kept = 0;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(list ? list : ""); *p; ++p)
        if (*p < 0x80 && !g_ignored_by_readable[*p]) {
            g_ignored_by_readable[*p] = true;
            ++kept;
        }
    return kept;
}

LPSTR WINAPI DetectIsPrint(LPCSTR text) {
    if (!text) return nullptr;
    for (const char* p = text; *p; p = mbcs::next(p)) {
        unsigned char c = static_cast<unsigned char>(*p);
        if (mbcs::is_lead(c) || is_print_ascii(c) || is_half_kana(c)) return const_cast<LPSTR>(p);
    }
    return nullptr;
}
