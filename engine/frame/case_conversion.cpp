// Upper and lower case. Single-byte letters are the ASCII letters; the
// double-byte letters (full-width Latin, Greek, Cyrillic, Roman numerals) are
// converted by a table made once from the platform's own case mapping, kept
// only where both characters are double-byte and convert back to the same
// bytes. A conversion through Unicode of the whole string would re-spell
// characters that the code page holds twice (0xED40 comes back as 0xFA5C,
// a new trail byte 0x5C) and would change the length of broken text.
#include <cstdint>
#include <vector>
#include "frame/mbcs.h"
#include "frame/text.h"
#include "frame/text_internal.h"

using namespace ferro;

namespace {
constexpr int kLeads = 31 + 29;  // 0x81-0x9F and 0xE0-0xFC

int lead_index(unsigned char lead) { return lead <= 0x9f ? lead - 0x81 : lead - 0xe0 + 31; }

struct CaseTables {
    std::vector<std::uint16_t> upper = std::vector<std::uint16_t>(kLeads * 256);
    std::vector<std::uint16_t> lower = std::vector<std::uint16_t>(kLeads * 256);
};

// The code-page-932 bytes of one UTF-16 character when it has exactly two
// and they convert back to it; 0 otherwise.
std::uint16_t double_byte_of(WCHAR w) {
    char bytes[4];
    BOOL defaulted = FALSE;
    int n = WideCharToMultiByte(932, 0, &w, 1, bytes, sizeof bytes, nullptr, &defaulted);
    if (n != 2 || defaulted) return 0;
    WCHAR back = 0;
    if (MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes, 2, &back, 1) != 1 || back != w) return 0;
    return static_cast<std::uint16_t>((static_cast<unsigned char>(bytes[0]) << 8) | static_cast<unsigned char>(bytes[1]));
}

CaseTables build_tables() {
    CaseTables t;
    for (int lead = 0x81; lead <= 0xfc; ++lead) {
        if (!mbcs::is_lead(static_cast<unsigned char>(lead))) continue;
        for (int trail = 0x40; trail <= 0xfc; ++trail) {
            if (!mbcs::is_trail(static_cast<unsigned char>(trail))) continue;
            char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            WCHAR w = 0;
            if (MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes, 2, &w, 1) != 1) continue;
            std::uint16_t self = static_cast<std::uint16_t>((lead << 8) | trail);
            if (double_byte_of(w) != self) continue;  // a second spelling of a character
            std::size_t index = static_cast<std::size_t>(lead_index(static_cast<unsigned char>(lead)) * 256 + trail);
            WCHAR up = w, down = w;
            CharUpperBuffW(&up, 1);
            CharLowerBuffW(&down, 1);
            if (up != w) t.upper[index] = double_byte_of(up);
            if (down != w) t.lower[index] = double_byte_of(down);
        }
    }
    return t;
}

const CaseTables& tables() {
    static const CaseTables t = build_tables();
    return t;
}

unsigned char ascii_upper(unsigned char c) { return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 32) : c; }
unsigned char ascii_lower(unsigned char c) { return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c; }

void convert(char* s, bool upper) {
    if (!s) return;
    const std::vector<std::uint16_t>& table = upper ? tables().upper : tables().lower;
    for (unsigned char* p = reinterpret_cast<unsigned char*>(s); *p;) {
        if (mbcs::is_lead(*p) && p[1]) {
            std::uint16_t to = table[static_cast<std::size_t>(lead_index(p[0]) * 256 + p[1])];
            if (to) {
                p[0] = static_cast<unsigned char>(to >> 8);
                p[1] = static_cast<unsigned char>(to & 0xff);
            }
            p += 2;
        } else {
            *p = upper ? ascii_upper(*p) : ascii_lower(*p);
            ++p;
        }
    }
}

BOOL g_reform_for_empty_short_name = TRUE;
}  // namespace

namespace ferro::text {
void upper_in_place(char* s) { convert(s, true); }
void lower_in_place(char* s) { convert(s, false); }

unsigned fold_char(const unsigned char* p, int size) {
    if (size == 1) return ascii_lower(p[0]);
    std::uint16_t to = mbcs::is_lead(p[0]) ? tables().lower[static_cast<std::size_t>(lead_index(p[0]) * 256 + p[1])] : 0;
    return to ? to : static_cast<unsigned>((p[0] << 8) | p[1]);
}

bool same_without_case(const char* a, const char* b) {
    while (*a && *b) {
        const int size = mbcs::char_size(a);
        if (mbcs::char_size(b) != size ||
            fold_char(reinterpret_cast<const unsigned char*>(a), size) !=
                fold_char(reinterpret_cast<const unsigned char*>(b), size))
            return false;
        a += size;
        b += size;
    }
    return *a == *b;
}
}  // namespace ferro::text

LPSTR WINAPI ConvertDosCharacterSet(LPSTR s, int mode) {
    if (mode & 1) convert(s, true);
    else if (mode & 2) convert(s, false);
    return s;
}

LPSTR WINAPI AnsiLowerMacro(LPSTR s) {
    convert(s, false);
    return s;
}

LPSTR WINAPI AnsiUpperMacro(LPSTR s) {
    convert(s, true);
    return s;
}

int WINAPI SetCharacterUpper(int c) { return c < 1 || c > 0xff ? c : ascii_upper(static_cast<unsigned char>(c)); }
int WINAPI SetCharacterLower(int c) { return c < 1 || c > 0xff ? c : ascii_lower(static_cast<unsigned char>(c)); }

BOOL WINAPI SetLongNameReformedIfShortNameIsEmpty(BOOL value) { return g_reform_for_empty_short_name = value; }

BOOL WINAPI GetReformed95PathNameForEmptyShortName(LPSTR path, LPCSTR shortName, int mode) {
    if (text::is_empty(path) || !text::is_empty(shortName)) return FALSE;
    if (mbcs::is_lead(static_cast<unsigned char>(path[0]))) return FALSE;
    if (mode == 1 || (mode == 0 && !g_reform_for_empty_short_name) || (mode != 0 && mode != 2)) return FALSE;
    convert(path, false);
    path[0] = static_cast<char>(ascii_upper(static_cast<unsigned char>(path[0])));
    for (char* yen = mbcs::find_first(path, text::kYen); yen; yen = mbcs::find_first(path, text::kYen, yen + 1))
        if (yen[1] && !mbcs::is_lead(static_cast<unsigned char>(yen[1])))
            yen[1] = static_cast<char>(ascii_upper(static_cast<unsigned char>(yen[1])));
    return TRUE;
}
