// Splitting a command line into its program and its arguments, and the byte
// substitutions that protect spaces and quotation marks inside names while a
// command line is split at spaces and at "|".
#include <cstring>
#include "frame/mbcs.h"
#include "frame/text.h"
#include "frame/text_internal.h"

using namespace ferro;
using text::kQuote;
using text::kYen;

namespace {
constexpr char kAlertBell = '\x07';
constexpr char kBackspace = '\x08';

// The byte that ExtractExefile overwrote, for RecoverExefile.
char* g_split_at = nullptr;
char g_split_byte = 0;

const char* skip_spaces(const char* p) {
    while (*p == ' ') ++p;
    return p;
}

// Whether the text between `from` and `to` (a character boundary) holds the single-byte c.
bool holds(const char* from, const char* to, char c) {
    const char* hit = mbcs::find_first(from, c);
    return hit && hit < to;
}

// The first space after `p` that ends the program when the line holds no
// quoted program and no usable period: see FindSpaceAsOptionSeparator.
const char* program_end_by_spaces(const char* line) {
    for (const char* space = mbcs::find_first(line, ' '); space; space = mbcs::find_first(line, ' ', space + 1)) {
        if (!holds(line, space, kYen)) return space;
        const char* after = skip_spaces(space + 1);
        if (after[0] == kYen || (text::is_drive_letter(after[0]) && after[1] == ':')) return space;
        const char* yen = mbcs::find_first(after, kYen);
        if (!yen || holds(after, yen, ' ')) return space;
    }
    return nullptr;
}
}  // namespace

LPSTR WINAPI FindSpaceAsOptionSeparator(LPCSTR commandLine, int mode) {
    if (text::is_empty(commandLine)) return nullptr;
    const char* line = skip_spaces(commandLine);
    if (line[0] == kQuote) {
        if (const char* close = mbcs::find_first(line, kQuote, line + 1))
            return const_cast<LPSTR>(mbcs::find_first(line, ' ', close + 1));
    }
    if (mode == 1) return FindSpaceAs95OptionSeparator(line);
    // A period marks the program's extension: the first space after it ends
    // the program. When no space follows it the period may belong to an
    // argument ("notepad a.txt"), so the spaces are tried one by one.
    if (const char* period = mbcs::find_first(line, '.'))
        if (const char* space = mbcs::find_first(line, ' ', period + 1)) return const_cast<LPSTR>(space);
    return const_cast<LPSTR>(program_end_by_spaces(line));
}

LPSTR WINAPI ExtractExefile(LPSTR commandLine, LPSTR* arguments, int mode) {
    if (!commandLine) return nullptr;
    char* line = const_cast<char*>(skip_spaces(commandLine));
    char* end = line + std::strlen(line);
    g_split_at = nullptr;
    if (line[0] == kQuote) {
        if (char* close = mbcs::find_first(line, kQuote, line + 1)) {
            g_split_at = close;
            g_split_byte = *close;
            *close = mode == 1 ? ' ' : '\0';
            if (arguments) *arguments = close + 1;
            return line + 1;
        }
    }
    char* space = FindSpaceAsOptionSeparator(line, mode);
    if (space && mode == 0) {
        g_split_at = space;
        g_split_byte = *space;
        *space = '\0';
    }
    if (arguments) *arguments = space ? space + 1 : end;
    return line;
}

BOOL WINAPI RecoverExefile(LPSTR commandLine) {
    if (!commandLine || !g_split_at) return FALSE;
    if (g_split_at < commandLine || g_split_at > commandLine + std::strlen(commandLine)) return FALSE;
    *g_split_at = g_split_byte;
    g_split_at = nullptr;
    return TRUE;
}

int WINAPI ReplaceSpaceByAlertBell(LPSTR s) { return text::replace_char(s, ' ', kAlertBell); }
BOOL WINAPI ReplaceAlertBellBySpace(LPSTR s) { return text::replace_char(s, kAlertBell, ' ') > 0; }
int WINAPI Replace95QuotationMarkByBkspace(LPSTR s) { return text::replace_char(s, kQuote, kBackspace); }
BOOL WINAPI ReplaceTabBy95QuotationMark(LPSTR s) { return text::replace_char(s, kBackspace, kQuote) > 0; }

LPSTR WINAPI AddBkspaceForAnySpaceIfNotThere(LPSTR s) {
    LPSTR space = Add95QuotationForAnySpaceIfNotThere(s);
    text::replace_char(s, kQuote, kBackspace);
    return space;
}

int WINAPI ReplaceBkspaceAndCommandSparator(LPSTR s) {
    return text::replace_char(s, kBackspace, kQuote) + text::replace_char(s, kAlertBell, ' ') + text::replace_char(s, '|', ' ');
}
